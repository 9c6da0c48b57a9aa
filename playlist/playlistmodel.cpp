#include "playlist/playlistmodel.h"

#include "core/transportcontrol.h"
#include "swf/formatting.h"
#include "swf/swfheader.h"

#include <algorithm>

PlaylistModel::Batch::Batch(PlaylistModel& model) : m_model(model)
{
    ++m_model.m_batchDepth;
}

PlaylistModel::Batch::~Batch()
{
    if (--m_model.m_batchDepth == 0)
        m_model.flushPending();
}

PlaylistModel::PlaylistModel(QObject* parent) : QAbstractTableModel(parent), m_selection(this)
{
}

PlaylistModel::~PlaylistModel() = default;

bool PlaylistModel::ShouldFitColumns(int n)
{
    if (n < 1)
        return false;
    const QString digits = QString::number(n);
    for (qsizetype i = 1; i < digits.size(); ++i) {
        if (digits.at(i) != u'0')
            return false;
    }
    return true;
}

int PlaylistModel::AddFileToList(const QString& fileName, bool PlayNow, bool ReadHeader)
{
    if (fileName.size() < 4 || !fileName.endsWith(u".swf", Qt::CaseInsensitive))
        return 0;

    PlaylistItem item;
    item.Number = RowCount() + 1;
    item.FileName = FileNameOfPath(fileName);
    item.FilePath = fileName;
    item.Color = m_listColor;
    if (ReadHeader) {
        // A fresh record every time: a file that cannot be read shows a duration of 0, not the
        // previous file's.
        SwfHeaderInfo info;
        ReadSwfHeader(fileName, info);
        if (info.Format == SwfFormat::NotFlash)
            emit NotFlashFile(fileName);
        item.TimeShort = FormatDuration(info.Duration, DurationShort);
        item.TimeFull = FormatDuration(info.Duration, DurationFull);
    }

    if (m_batchDepth > 0) {
        m_pending.append(std::move(item));
    } else {
        const int row = int(m_rows.size());
        beginInsertRows({}, row, row);
        m_rows.append(std::move(item));
        endInsertRows();
    }
    const int n = RowCount();

    if (PlayNow && m_transport) {
        flushPending();
        // As a double click does: a paused movie would otherwise only resume.
        m_transport->SetPlayState(TransportControl::Stopped);
        m_transport->SetCurrFileIndex(n);
        m_transport->PlayerBtns_Click(TransportControl::CmdPlay);
    }

    if (ShouldFitColumns(n)) {
        if (m_batchDepth > 0)
            m_fitPending = true;
        else
            emit ColumnsNeedFitting();
    }
    return n;
}

void PlaylistModel::flushPending()
{
    if (!m_pending.isEmpty()) {
        const int first = int(m_rows.size());
        beginInsertRows({}, first, first + int(m_pending.size()) - 1);
        m_rows.append(std::move(m_pending));
        m_pending.clear();
        endInsertRows();
    }
    if (m_fitPending) {
        m_fitPending = false;
        emit ColumnsNeedFitting();
    }
}

const PlaylistItem& PlaylistModel::Item(int row) const
{
    const int i = row - 1;
    return i < m_rows.size() ? m_rows.at(i) : m_pending.at(i - m_rows.size());
}

PlaylistItem& PlaylistModel::itemAt(int row)
{
    const int i = row - 1;
    return i < m_rows.size() ? m_rows[i] : m_pending[i - m_rows.size()];
}

QString PlaylistModel::FilePath(int row) const
{
    return row >= 1 && row <= RowCount() ? Item(row).FilePath : QString();
}

QString PlaylistModel::FileName(int row) const
{
    return row >= 1 && row <= RowCount() ? Item(row).FileName : QString();
}

QString PlaylistModel::Text(int row, Column column) const
{
    if (row < 1 || row > RowCount())
        return {};
    const PlaylistItem& item = Item(row);
    switch (column) {
    case ColNumber:
        return QString::number(item.Number);
    case ColFileName:
        return item.FileName;
    case ColTimeShort:
        return item.TimeShort;
    case ColTimeFull:
        return item.TimeFull;
    case ColFilePath:
        return item.FilePath;
    default:
        return {};
    }
}

void PlaylistModel::RemoveRow(int row)
{
    flushPending();
    if (row < 1 || row > m_rows.size())
        return;
    beginRemoveRows({}, row - 1, row - 1);
    m_rows.removeAt(row - 1);
    endRemoveRows();
}

void PlaylistModel::SetDurations(int row, const QString& timeShort, const QString& timeFull)
{
    if (row < 1 || row > RowCount())
        return;
    PlaylistItem& item = itemAt(row);
    item.TimeShort = timeShort;
    item.TimeFull = timeFull;
    if (row <= m_rows.size())
        emit dataChanged(index(row - 1, ColTimeShort), index(row - 1, ColTimeFull), { Qt::DisplayRole });
}

void PlaylistModel::RenumberList()
{
    flushPending();
    for (int i = 0; i < m_rows.size(); ++i)
        m_rows[i].Number = i + 1;
    emitRowsChanged(ColNumber, ColNumber, { Qt::DisplayRole });
}

void PlaylistModel::MarkPlayingItem(int currFileIndex)
{
    flushPending();
    for (int i = 0; i < m_rows.size(); ++i)
        m_rows[i].Color = i + 1 == currFileIndex ? PlayingColor : m_listColor;
    emitRowsChanged(ColNumber, ColTimeShort, { Qt::ForegroundRole });
    SelectPlayingItem(currFileIndex);
}

void PlaylistModel::SelectPlayingItem(int currFileIndex)
{
    flushPending();
    if (currFileIndex >= 1 && currFileIndex <= m_rows.size())
        setSelection(currFileIndex, true);
}

void PlaylistModel::emitRowsChanged(int firstColumn, int lastColumn, const QList<int>& roles)
{
    if (!m_rows.isEmpty())
        emit dataChanged(index(0, firstColumn), index(int(m_rows.size()) - 1, lastColumn), roles);
}

int PlaylistModel::RemoveRowsIf(const std::function<bool(int row, const PlaylistItem&)>& pick)
{
    flushPending();
    const int n = int(m_rows.size());
    QList<bool> gone(n, false);
    // Removed rows as [first, last] ranges (0-based), in order.
    QList<std::pair<int, int>> ranges;
    for (int i = 0; i < n; ++i) {
        if (!pick(i + 1, m_rows.at(i)))
            continue;
        gone[i] = true;
        if (!ranges.isEmpty() && ranges.last().second == i - 1)
            ranges.last().second = i;
        else
            ranges.append({ i, i });
    }
    if (ranges.isEmpty())
        return 0;

    const int selected = SelectedRow();
    int newSelected = 0;
    if (selected > 0 && !gone.at(selected - 1))
        newSelected = selected - int(std::count(gone.cbegin(), gone.cbegin() + selected, true));

    int removed = 0;
    // Each range announced on its own costs a pass over the rows; past a handful, one reset is cheaper
    // for the model and for every view.
    constexpr int MaxSeparateRanges = 16;
    if (ranges.size() <= MaxSeparateRanges) {
        for (auto it = ranges.crbegin(); it != ranges.crend(); ++it) {
            beginRemoveRows({}, it->first, it->second);
            m_rows.remove(it->first, it->second - it->first + 1);
            endRemoveRows();
            removed += it->second - it->first + 1;
        }
    } else {
        beginResetModel();
        QList<PlaylistItem> kept;
        kept.reserve(n);
        for (int i = 0; i < n; ++i) {
            if (gone.at(i))
                ++removed;
            else
                kept.append(std::move(m_rows[i]));
        }
        m_rows = std::move(kept);
        endResetModel();
    }
    setSelection(newSelected, false);
    return removed;
}

void PlaylistModel::Clear()
{
    m_pending.clear();
    m_fitPending = false;
    if (m_rows.isEmpty())
        return;
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

void PlaylistModel::ApplyRowOrder(const QList<int>& order)
{
    flushPending();
    const int n = int(m_rows.size());
    if (order.size() != n || n < 2)
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    QList<int> newPositionOf(n);
    QList<PlaylistItem> rows;
    rows.reserve(n);
    for (int i = 0; i < n; ++i) {
        const int from = order.at(i) - 1;
        newPositionOf[from] = i;
        rows.append(std::move(m_rows[from]));
    }
    m_rows = std::move(rows);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& old : before)
        after.append(index(newPositionOf.at(old.row()), old.column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void PlaylistModel::ApplyTextOrder(const QList<int>& source)
{
    flushPending();
    const int n = int(m_rows.size());
    if (source.size() != n || n < 2)
        return;
    QList<PlaylistItem> old = m_rows;
    for (int i = 0; i < n; ++i) {
        PlaylistItem& to = m_rows[i];
        PlaylistItem& from = old[source.at(i) - 1];
        to.FileName = std::move(from.FileName);
        to.TimeShort = std::move(from.TimeShort);
        to.TimeFull = std::move(from.TimeFull);
        to.FilePath = std::move(from.FilePath);
    }
    emitRowsChanged(ColFileName, ColFilePath, { Qt::DisplayRole });
}

int PlaylistModel::SelectedRow() const
{
    const QModelIndex current = m_selection.currentIndex();
    if (current.isValid() && m_selection.isSelected(current))
        return current.row() + 1;
    const QItemSelection selection = m_selection.selection();
    return selection.isEmpty() ? 0 : selection.first().top() + 1;
}

void PlaylistModel::SelectRow(int row)
{
    flushPending();
    setSelection(row, true);
}

void PlaylistModel::setSelection(int row, bool scroll)
{
    if (row < 1 || row > m_rows.size()) {
        m_selection.clear();
        return;
    }
    const QModelIndex target = index(row - 1, 0);
    m_selection.setCurrentIndex(target, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    if (scroll)
        emit ScrollToRow(row);
}

QColor PlaylistModel::ToQColor(int32_t bgr)
{
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

int32_t PlaylistModel::FromQColor(const QColor& color)
{
    return int32_t(color.red()) | (int32_t(color.green()) << 8) | (int32_t(color.blue()) << 16);
}

int PlaylistModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int PlaylistModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant PlaylistModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const int row = index.row() + 1;
    switch (role) {
    case Qt::DisplayRole:
        return Text(row, Column(index.column()));
    case Qt::ForegroundRole:
        if (index.column() <= ColTimeShort)
            return ToQColor(m_rows.at(index.row()).Color);
        return {};
    default:
        return {};
    }
}

QVariant PlaylistModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case ColNumber:
        return tr("序号");
    case ColFileName:
        return tr("文件名");
    case ColTimeShort:
    case ColTimeFull:
        return tr("时长");
    case ColFilePath:
        return tr("路径");
    default:
        return {};
    }
}

Qt::ItemFlags PlaylistModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}
