#include "playlist/playlistfilter.h"

#include "playlist/playlistmodel.h"

#include <algorithm>

QString FoldForFilter(QStringView text)
{
    QString out(text.size(), Qt::Uninitialized);
    QChar* to = out.data();
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        // People type "ABC" for "ＡＢＣ" and the other way round.
        if (u >= 0xFF01 && u <= 0xFF5E)
            *to++ = QChar(char16_t(u - 0xFEE0));
        else if (u == 0x3000)
            *to++ = QChar(u' ');
        else
            *to++ = c;
    }
    return out.toCaseFolded();
}

QStringList FilterWords(QStringView typed)
{
    return FoldForFilter(typed).simplified().split(u' ', Qt::SkipEmptyParts);
}

PlaylistFilter::PlaylistFilter(PlaylistModel& model, QObject* parent)
    : QAbstractProxyModel(parent), m_model(model), m_selection(this)
{
    setSourceModel(&model);
    // While every row shows, changes pass straight through; while filtering, they are mapped.
    connect(&model, &QAbstractItemModel::rowsAboutToBeInserted, this, [this](const QModelIndex&, int first, int last) {
        m_changing = true;
        if (!Filtering())
            beginInsertRows({}, first, last);
    });
    connect(&model, &QAbstractItemModel::rowsInserted, this,
        [this](const QModelIndex&, int first, int last) { onRowsInserted(first, last); });
    connect(&model, &QAbstractItemModel::rowsAboutToBeRemoved, this,
        [this](const QModelIndex&, int first, int last) { onRowsAboutToBeRemoved(first, last); });
    connect(&model, &QAbstractItemModel::rowsRemoved, this,
        [this](const QModelIndex&, int first, int last) { onRowsRemoved(first, last); });
    connect(&model, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        m_changing = true;
        beginResetModel();
    });
    connect(&model, &QAbstractItemModel::modelReset, this, [this] {
        m_foldedValid = false;
        refilter();
        endResetModel();
        endChange();
    });
    connect(&model, &QAbstractItemModel::layoutAboutToBeChanged, this, &PlaylistFilter::beginLayout);
    connect(&model, &QAbstractItemModel::layoutChanged, this, [this] {
        m_foldedValid = false;
        refilter();
        finishLayout();
        endChange();
    });
    connect(&model, &QAbstractItemModel::dataChanged, this, &PlaylistFilter::onDataChanged);
    connect(model.selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { followPlaylistSelection(); });
    connect(model.selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { followPlaylistSelection(); });
    connect(&m_selection, &QItemSelectionModel::selectionChanged, this, &PlaylistFilter::followShownSelection);
    connect(&m_selection, &QItemSelectionModel::currentChanged, this, &PlaylistFilter::followShownSelection);
}

void PlaylistFilter::SetFilterText(const QString& text)
{
    if (text == m_text)
        return;
    const QStringList words = FilterWords(text);
    // Typing on only ever narrows when every earlier word still lies inside a new one: then only the
    // rows already shown need a look.
    const bool narrowOnly = Filtering() && std::all_of(m_words.cbegin(), m_words.cend(), [&](const QString& old) {
        return std::any_of(words.cbegin(), words.cend(), [&](const QString& w) { return w.contains(old); });
    });
    m_text = text;
    if (words == m_words)
        return;
    const bool wasFiltering = Filtering();
    QList<int> next;
    if (!words.isEmpty()) {
        ensureFolded();
        next = matching(words, narrowOnly);
    }
    // The same rows as before (all of them, most often, while the first letters are typed): the view
    // has nothing to lay out again.
    const int n = m_model.rowCount();
    const bool allBefore = !wasFiltering || m_shown.size() == n;
    const bool allAfter = words.isEmpty() || next.size() == n;
    const bool same = (allBefore && allAfter) || (wasFiltering && !words.isEmpty() && next == m_shown);
    if (!same)
        beginLayout();
    m_words = words;
    m_shown = std::move(next);
    if (!same)
        finishLayout();
    if (!Filtering() && m_model.SelectedRow() == 0 && m_hiddenSelection.isValid())
        m_model.selectionModel()->setCurrentIndex(
            m_hiddenSelection, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_hiddenSelection = QPersistentModelIndex();
    endChange(true);
}

bool PlaylistFilter::accepts(int sourceRow, const QStringList& words) const
{
    const QString& name = m_folded.at(sourceRow);
    return std::all_of(words.cbegin(), words.cend(), [&](const QString& w) { return name.contains(w); });
}

QList<int> PlaylistFilter::matching(const QStringList& words, bool narrowOnly) const
{
    QList<int> rows;
    if (narrowOnly) {
        rows.reserve(m_shown.size());
        for (int row : m_shown) {
            if (accepts(row, words))
                rows.append(row);
        }
        return rows;
    }
    const int n = int(m_folded.size());
    rows.reserve(n);
    for (int row = 0; row < n; ++row) {
        if (accepts(row, words))
            rows.append(row);
    }
    return rows;
}

void PlaylistFilter::ensureFolded()
{
    if (m_foldedValid)
        return;
    const int n = m_model.rowCount();
    m_folded.clear();
    m_folded.reserve(n);
    for (int row = 1; row <= n; ++row)
        m_folded.append(FoldForFilter(m_model.Item(row).FileName));
    m_foldedValid = true;
}

void PlaylistFilter::refilter()
{
    if (Filtering())
        ensureFolded();
    m_shown = Filtering() ? matching(m_words, false) : QList<int>();
}

// A new filter, a sort or a shuffle: the shown rows change all at once, and what the view kept
// (its selection, its current row) follows its playlist row or goes when that row is now hidden.
void PlaylistFilter::beginLayout()
{
    m_changing = true;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    m_layoutProxy = persistentIndexList();
    m_layoutSource.clear();
    m_layoutSource.reserve(m_layoutProxy.size());
    for (const QModelIndex& proxy : std::as_const(m_layoutProxy))
        m_layoutSource.append(QPersistentModelIndex(mapToSource(proxy)));
}

void PlaylistFilter::finishLayout()
{
    QModelIndexList after;
    after.reserve(m_layoutProxy.size());
    for (const QPersistentModelIndex& source : std::as_const(m_layoutSource))
        after.append(mapFromSource(source));
    changePersistentIndexList(m_layoutProxy, after);
    m_layoutProxy.clear();
    m_layoutSource.clear();
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void PlaylistFilter::onRowsInserted(int first, int last)
{
    const int count = last - first + 1;
    if (m_foldedValid) {
        QStringList added;
        for (int row = first; row <= last; ++row)
            added.append(FoldForFilter(m_model.Item(row + 1).FileName));
        m_folded.insert(first, count, QString());
        std::move(added.begin(), added.end(), m_folded.begin() + first);
    }
    if (!Filtering()) {
        endInsertRows();
        endChange();
        return;
    }
    ensureFolded();
    const auto at = std::lower_bound(m_shown.begin(), m_shown.end(), first);
    const int position = int(at - m_shown.begin());
    for (auto it = at; it != m_shown.end(); ++it)
        *it += count;
    QList<int> accepted;
    for (int row = first; row <= last; ++row) {
        if (accepts(row, m_words))
            accepted.append(row);
    }
    if (!accepted.isEmpty()) {
        beginInsertRows({}, position, position + int(accepted.size()) - 1);
        m_shown.insert(position, accepted.size(), 0);
        std::copy(accepted.cbegin(), accepted.cend(), m_shown.begin() + position);
        endInsertRows();
    }
    endChange();
}

void PlaylistFilter::onRowsAboutToBeRemoved(int first, int last)
{
    m_changing = true;
    if (!Filtering()) {
        beginRemoveRows({}, first, last);
        return;
    }
    const int from = int(std::lower_bound(m_shown.cbegin(), m_shown.cend(), first) - m_shown.cbegin());
    const int to = int(std::upper_bound(m_shown.cbegin(), m_shown.cend(), last) - m_shown.cbegin());
    m_removing = { from, to };
    if (to > from)
        beginRemoveRows({}, from, to - 1);
}

void PlaylistFilter::onRowsRemoved(int first, int last)
{
    const int count = last - first + 1;
    if (m_foldedValid)
        m_folded.remove(first, count);
    if (!Filtering()) {
        endRemoveRows();
        endChange();
        return;
    }
    const auto [from, to] = std::exchange(m_removing, { 0, 0 });
    m_shown.remove(from, to - from);
    for (auto it = m_shown.begin() + from; it != m_shown.end(); ++it)
        *it -= count;
    if (to > from)
        endRemoveRows();
    endChange();
}

void PlaylistFilter::onDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight, const QList<int>& roles)
{
    const bool names = topLeft.column() <= PlaylistModel::ColFileName
        && bottomRight.column() >= PlaylistModel::ColFileName && (roles.isEmpty() || roles.contains(Qt::DisplayRole));
    if (names)
        m_foldedValid = false;
    if (!Filtering()) {
        emit dataChanged(index(topLeft.row(), topLeft.column()), index(bottomRight.row(), bottomRight.column()), roles);
        return;
    }
    if (names) {
        // A shuffle moves the names over the rows: which rows match changes with them.
        beginLayout();
        refilter();
        finishLayout();
        endChange();
        return;
    }
    const int from = int(std::lower_bound(m_shown.cbegin(), m_shown.cend(), topLeft.row()) - m_shown.cbegin());
    const int to = int(std::upper_bound(m_shown.cbegin(), m_shown.cend(), bottomRight.row()) - m_shown.cbegin());
    if (to > from)
        emit dataChanged(index(from, topLeft.column()), index(to - 1, bottomRight.column()), roles);
}

int PlaylistFilter::SourceRow(int shownRow) const
{
    if (shownRow < 1 || shownRow > rowCount())
        return 0;
    return Filtering() ? m_shown.at(shownRow - 1) + 1 : shownRow;
}

int PlaylistFilter::ShownRow(int sourceRow) const
{
    if (sourceRow < 1 || sourceRow > m_model.rowCount())
        return 0;
    if (!Filtering())
        return sourceRow;
    const auto it = std::lower_bound(m_shown.cbegin(), m_shown.cend(), sourceRow - 1);
    return it != m_shown.cend() && *it == sourceRow - 1 ? int(it - m_shown.cbegin()) + 1 : 0;
}

// While the playlist changes, its selection and the view's move on their own; they are brought in
// step once the change is over.
void PlaylistFilter::endChange(bool preferFirstShown)
{
    m_changing = false;
    followPlaylistSelection(preferFirstShown);
}

void PlaylistFilter::followPlaylistSelection(bool preferFirstShown)
{
    if (m_syncing || m_changing)
        return;
    m_syncing = true;
    QItemSelectionModel* playlist = m_model.selectionModel();
    int row = m_model.SelectedRow();
    if (Filtering() && ShownRow(row) == 0 && (row > 0 || preferFirstShown) && !m_shown.isEmpty()) {
        int shown = 1;
        if (row > 0 && !preferFirstShown) {
            const auto below = std::lower_bound(m_shown.cbegin(), m_shown.cend(), row - 1);
            shown = below != m_shown.cend() ? int(below - m_shown.cbegin()) + 1 : int(m_shown.size());
        }
        row = SourceRow(shown);
        playlist->setCurrentIndex(
            m_model.index(row - 1, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    } else if (Filtering() && ShownRow(row) == 0 && row > 0) {
        // Nothing matches: no row stays selected for a command, but the row comes back with every row.
        m_hiddenSelection = m_model.index(row - 1, 0);
        playlist->clear();
        row = 0;
    }
    const int shown = ShownRow(row);
    if (shown > 0)
        m_selection.setCurrentIndex(index(shown - 1, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    else
        m_selection.clear();
    m_syncing = false;
}

void PlaylistFilter::followShownSelection()
{
    if (m_syncing || m_changing)
        return;
    m_syncing = true;
    const QModelIndex current = m_selection.currentIndex();
    int shown = current.isValid() && m_selection.isSelected(current) ? current.row() + 1 : 0;
    if (shown == 0 && m_selection.hasSelection())
        shown = m_selection.selection().first().top() + 1;
    const int row = SourceRow(shown);
    if (row > 0)
        m_model.selectionModel()->setCurrentIndex(
            m_model.index(row - 1, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    else
        m_model.selectionModel()->clear();
    m_syncing = false;
}

QModelIndex PlaylistFilter::mapToSource(const QModelIndex& proxyIndex) const
{
    if (!proxyIndex.isValid() || proxyIndex.model() != this)
        return {};
    const int row = SourceRow(proxyIndex.row() + 1);
    return row > 0 ? m_model.index(row - 1, proxyIndex.column()) : QModelIndex();
}

QModelIndex PlaylistFilter::mapFromSource(const QModelIndex& sourceIndex) const
{
    if (!sourceIndex.isValid() || sourceIndex.model() != &m_model)
        return {};
    const int shown = ShownRow(sourceIndex.row() + 1);
    return shown > 0 ? index(shown - 1, sourceIndex.column()) : QModelIndex();
}

QModelIndex PlaylistFilter::index(int row, int column, const QModelIndex& parent) const
{
    if (parent.isValid() || row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return {};
    return createIndex(row, column);
}

QModelIndex PlaylistFilter::parent(const QModelIndex&) const
{
    return {};
}

int PlaylistFilter::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    return Filtering() ? int(m_shown.size()) : m_model.rowCount();
}

int PlaylistFilter::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : PlaylistModel::ColumnCount;
}

QVariant PlaylistFilter::headerData(int section, Qt::Orientation orientation, int role) const
{
    return m_model.headerData(section, orientation, role);
}
