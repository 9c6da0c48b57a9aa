#pragma once

#include <QAbstractProxyModel>
#include <QItemSelectionModel>
#include <QList>
#include <QPersistentModelIndex>
#include <QStringList>

class PlaylistModel;

// The text a file name and a typed filter are compared in: full-width Latin letters, digits and signs
// as their half-width forms, the ideographic space as a space, then case-folded.
QString FoldForFilter(QStringView text);
// The folded words of a typed filter; blanks of either width separate them.
QStringList FilterWords(QStringView typed);

// The rows the list shows: every row of the playlist, or while a filter is typed only those whose
// file name contains every word of it. Only what is shown narrows; the playlist itself, its numbers,
// its order and what plays next stay those of the whole list. Rows in this API are 1-based, as the
// playlist's are.
//
// The view selects through this model's own selection, which is kept in step with the playlist's: a
// row the view selects is the playlist's selected row, and when the playlist selects a hidden row
// the nearest shown row below it (or else above it) is selected instead, so that nothing hidden is
// ever selected for a command to act on.
class PlaylistFilter : public QAbstractProxyModel {
    Q_OBJECT
public:
    explicit PlaylistFilter(PlaylistModel& model, QObject* parent = nullptr);

    // Empty or blank text shows every row.
    void SetFilterText(const QString& text);
    QString FilterText() const { return m_text; }
    bool Filtering() const { return !m_words.isEmpty(); }

    // The playlist row shown at shownRow, or 0 when there is none.
    int SourceRow(int shownRow) const;
    // Where a playlist row is shown, or 0 when it is hidden.
    int ShownRow(int sourceRow) const;

    QItemSelectionModel* selectionModel() { return &m_selection; }

    // QAbstractProxyModel
    QModelIndex mapToSource(const QModelIndex& proxyIndex) const override;
    QModelIndex mapFromSource(const QModelIndex& sourceIndex) const override;
    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override { return rowCount(parent) > 0; }
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    bool accepts(int sourceRow, const QStringList& words) const; // 0-based
    // The 0-based rows whose names hold every word: of the rows shown, or of all.
    QList<int> matching(const QStringList& words, bool narrowOnly) const;
    void ensureFolded();
    void refilter();
    void beginLayout();
    void finishLayout();
    void onRowsInserted(int first, int last);
    void onRowsAboutToBeRemoved(int first, int last);
    void onRowsRemoved(int first, int last);
    void onDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight, const QList<int>& roles);
    void endChange(bool preferFirstShown = false);
    void followPlaylistSelection(bool preferFirstShown = false);
    void followShownSelection();

    PlaylistModel& m_model;
    QString m_text;
    QStringList m_words;
    // 0-based playlist rows that are shown, ascending; used only while filtering.
    QList<int> m_shown;
    // Folded file names by 0-based playlist row; rebuilt when m_foldedValid is false.
    QStringList m_folded;
    bool m_foldedValid = false;
    // The shown range a removal in the playlist takes away, between its two signals.
    std::pair<int, int> m_removing { 0, 0 };
    QModelIndexList m_layoutProxy;
    QList<QPersistentModelIndex> m_layoutSource;
    QItemSelectionModel m_selection;
    // The row selected before a filter that matched nothing took the selection away.
    QPersistentModelIndex m_hiddenSelection;
    bool m_syncing = false;
    bool m_changing = false;
};
