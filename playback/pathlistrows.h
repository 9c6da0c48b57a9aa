#pragma once

#include "core/playlistrows.h"

#include <QList>

// A playlist held as a plain list of paths, for playing movies without the list view (the headless
// probe) and as the base of test doubles.
class PathListRows : public PlaylistRows {
public:
    struct Row {
        QString path;
        QString timeShort;
        QString timeFull;
        int number = 0;
    };

    explicit PathListRows(const QStringList& paths = {});

    void Append(const QString& path);
    const Row& At(int row) const { return m_rows.at(row - 1); }
    // The row last marked as playing, 0 for none.
    int MarkedRow() const { return m_markedRow; }

    int RowCount() const override { return int(m_rows.size()); }
    QString FilePath(int row) const override;
    QString FileName(int row) const override;
    void RemoveRow(int row) override;
    void SetDurations(int row, const QString& timeShort, const QString& timeFull) override;
    void RenumberList() override;
    void MarkPlayingItem(int currFileIndex) override;
    void SelectPlayingItem(int currFileIndex) override;

private:
    bool valid(int row) const { return row >= 1 && row <= RowCount(); }

    QList<Row> m_rows;
    int m_markedRow = 0;
};
