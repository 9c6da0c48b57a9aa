#pragma once

#include "core/playlistrows.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QItemSelectionModel>
#include <QList>
#include <cstdint>
#include <functional>

class TransportControl;

// One playlist row. The number is its own field (not derived from the position) because shuffling
// leaves it in place while the other texts move, and only RenumberList rewrites it.
struct PlaylistItem {
    int Number = 0;
    QString FileName;
    QString TimeShort;
    QString TimeFull;
    QString FilePath;
    int32_t Color = 0; // 0x00BBGGRR
};

// The playlist itself: the rows are the play order. Positions in this API are 1-based, as the
// transport's CurrFileIndex is. Selection lives here too (a QItemSelectionModel that the view
// adopts) so that every command that selects a row can be tested without a widget.
class PlaylistModel : public QAbstractTableModel, public PlaylistRows {
    Q_OBJECT
public:
    enum Column { ColNumber = 0, ColFileName = 1, ColTimeShort = 2, ColTimeFull = 3, ColFilePath = 4, ColumnCount = 5 };
    static constexpr int32_t PlayingColor = 65280; // green, 0x00BBGGRR

    explicit PlaylistModel(QObject* parent = nullptr);
    ~PlaylistModel() override;

    // Needed only for AddFileToList with PlayNow.
    void SetTransport(TransportControl* transport) { m_transport = transport; }

    // Appends a row when the path ends in ".swf" (any case). Returns the new row count, or 0 when
    // nothing was added. PlayNow makes the row current and plays it; ReadHeader fills the durations
    // from the file's header.
    int AddFileToList(const QString& fileName, bool PlayNow, bool ReadHeader);

    // While a Batch is alive, appended rows reach the views in one insertion when it ends (or when
    // another change needs them visible first). Batches nest.
    class Batch {
    public:
        explicit Batch(PlaylistModel& model);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        PlaylistModel& m_model;
    };

    // PlaylistRows
    int RowCount() const override { return int(m_rows.size() + m_pending.size()); }
    QString FilePath(int row) const override;
    QString FileName(int row) const override;
    void RemoveRow(int row) override;
    void SetDurations(int row, const QString& timeShort, const QString& timeFull) override;
    void RenumberList() override;
    void MarkPlayingItem(int currFileIndex) override;
    void SelectPlayingItem(int currFileIndex) override;

    const PlaylistItem& Item(int row) const; // row must be in range
    QString Text(int row, Column column) const;
    int32_t RowColor(int row) const { return Item(row).Color; }

    // Removes every row the predicate picks, in one pass. The predicate sees rows in order.
    // Returns how many went.
    int RemoveRowsIf(const std::function<bool(int row, const PlaylistItem&)>& pick);
    void Clear();

    // Reorders whole rows (number and colour included): position i receives the row that was at
    // position order[i - 1]. `order` is a permutation of 1..RowCount(); selection follows its row.
    void ApplyRowOrder(const QList<int>& order);
    // Moves only the texts of columns 1 to 4: position i receives them from position source[i - 1].
    // Numbers and colours stay in place.
    void ApplyTextOrder(const QList<int>& source);

    // Colour of rows that do not play, and of rows added from now on.
    int32_t ListFontColor() const { return m_listColor; }
    void SetListFontColor(int32_t color) { m_listColor = color; }

    // Selection (1-based; 0 when none).
    QItemSelectionModel* selectionModel() { return &m_selection; }
    int SelectedRow() const;
    // 0 clears the selection. A selected row is also scrolled into view.
    void SelectRow(int row);

    static QColor ToQColor(int32_t bgr);
    static int32_t FromQColor(const QColor& color);
    // True when the row count n is one at which the columns are fitted: 1-9, 10, 20, ..., 100, 200, ...
    static bool ShouldFitColumns(int n);

    // QAbstractItemModel
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    // The view fits columns 0 and 2 to their contents and gives column 1 the rest.
    void ColumnsNeedFitting();
    void ScrollToRow(int row);
    // The header of a file that is not a SWF movie was read while adding it.
    void NotFlashFile(const QString& path);

private:
    PlaylistItem& itemAt(int row);
    void flushPending();
    void emitRowsChanged(int firstColumn, int lastColumn, const QList<int>& roles);
    void setSelection(int row, bool scroll);

    QList<PlaylistItem> m_rows; // what the views know about
    QList<PlaylistItem> m_pending; // appended inside a batch, not yet announced
    int m_batchDepth = 0;
    bool m_fitPending = false;
    TransportControl* m_transport = nullptr;
    int32_t m_listColor = 0;
    QItemSelectionModel m_selection;
};
