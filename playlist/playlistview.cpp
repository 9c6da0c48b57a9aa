#include "playlist/playlistview.h"

#include "playlist/droppedpaths.h"
#include "playlist/playlistcommands.h"
#include "playlist/playlistfilter.h"
#include "playlist/playlistmodel.h"

#include <QDragEnterEvent>
#include <QHeaderView>
#include <QPalette>
#include <QStyledItemDelegate>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>

namespace {

// A selected row keeps its own text colour (green for the one that plays) on the selection's
// background, as the list always showed it.
class RowColorDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        const QVariant color = index.data(Qt::ForegroundRole);
        if (color.canConvert<QColor>())
            option->palette.setColor(QPalette::HighlightedText, color.value<QColor>());
    }
};

} // namespace

PlaylistView::PlaylistView(PlaylistModel& model, PlaylistCommands& commands, QWidget* parent)
    : QTreeView(parent), m_model(model), m_commands(commands), m_filter(new PlaylistFilter(model, this))
{
    setModel(m_filter);
    // The model owns the selection so that commands can select rows without a widget; the filter keeps
    // the view's selection in step with it.
    QItemSelectionModel* own = QTreeView::selectionModel();
    setSelectionModel(m_filter->selectionModel());
    if (own != m_filter->selectionModel())
        delete own;
    header()->hide();
    header()->setStretchLastSection(false);
    setColumnHidden(PlaylistModel::ColTimeFull, true);
    setColumnHidden(PlaylistModel::ColFilePath, true);
    // Uniform heights let a 100,000-row list scroll without measuring every row.
    setUniformRowHeights(true);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAcceptDrops(true);
    setDropIndicatorShown(false);
    setMouseTracking(true);
    // A dark list to match the window's skin; the rows keep their own text colours.
    setFrameShape(QFrame::NoFrame);
    QPalette colors = palette();
    colors.setColor(QPalette::Base, QColor(30, 30, 30));
    colors.setColor(QPalette::AlternateBase, QColor(30, 30, 30));
    colors.setColor(QPalette::Text, QColor(165, 142, 84));
    colors.setColor(QPalette::Highlight, QColor(52, 60, 70));
    setPalette(colors);
    setItemDelegate(new RowColorDelegate(this));

    connect(&model, &PlaylistModel::ColumnsNeedFitting, this, &PlaylistView::FitColumns);
    connect(&model, &PlaylistModel::ScrollToRow, this, [this](int row) { showRow(row); });
    connect(&commands, &PlaylistCommands::ListFontChanged, this, &PlaylistView::ApplyFont);
}

void PlaylistView::showRow(int row)
{
    const int shown = m_filter->ShownRow(row);
    if (shown > 0)
        scrollTo(m_filter->index(shown - 1, 0));
}

void PlaylistView::SetFilterText(const QString& text, int playingRow)
{
    m_filter->SetFilterText(text);
    // Back to the whole list, the playing row comes into view as well; the selection wins.
    if (!m_filter->Filtering())
        showRow(playingRow);
    showRow(m_model.SelectedRow());
}

void PlaylistView::fitNumberColumn()
{
    // The widest number is the longest one; measuring it beats sampling rows of a long list.
    const QFontMetrics metrics(font());
    const int margin = 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 8;
    const int digits = metrics.horizontalAdvance(QString::number(std::max(1, m_model.RowCount())));
    const int caption
        = metrics.horizontalAdvance(m_model.headerData(PlaylistModel::ColNumber, Qt::Horizontal).toString());
    setColumnWidth(PlaylistModel::ColNumber, std::max(digits, caption) + margin);
}

void PlaylistView::FitColumns()
{
    fitNumberColumn();
    const QFontMetrics metrics(font());
    const int caption
        = metrics.horizontalAdvance(m_model.headerData(PlaylistModel::ColTimeShort, Qt::Horizontal).toString());
    setColumnWidth(PlaylistModel::ColTimeShort, std::max(sizeHintForColumn(PlaylistModel::ColTimeShort), caption + 8));
    FitFileNameColumn();
}

void PlaylistView::FitFileNameColumn()
{
    const int rest = viewport()->width() - columnWidth(PlaylistModel::ColNumber)
        - columnWidth(PlaylistModel::ColTimeShort) - RightMargin;
    setColumnWidth(PlaylistModel::ColFileName, std::max(rest, 1));
}

void PlaylistView::resizeEvent(QResizeEvent* event)
{
    QTreeView::resizeEvent(event);
    FitFileNameColumn();
}

void PlaylistView::ApplyFont(const ListFontChoice& choice)
{
    QFont f(choice.name);
    if (choice.pointSize > 0)
        f.setPointSizeF(choice.pointSize);
    f.setBold(choice.bold);
    f.setItalic(choice.italic);
    setFont(f);
    fitNumberColumn();
}

void PlaylistView::keyPressEvent(QKeyEvent* event)
{
    if (m_isShortcut && m_isShortcut(event->key(), event->modifiers())) {
        emit KeyForwarded(event->key(), event->modifiers());
        event->accept();
        return;
    }
    switch (m_commands.ListKeyDown(event->key())) {
    case PlaylistCommands::KeyOutcome::Handled:
        event->accept();
        return;
    case PlaylistCommands::KeyOutcome::ForwardToWindow:
        emit KeyForwarded(event->key(), event->modifiers());
        QTreeView::keyPressEvent(event);
        return;
    case PlaylistCommands::KeyOutcome::Ignored:
        event->accept();
        return;
    }
}

void PlaylistView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_commands.LeftPressMovesWindow()) {
        emit WindowDragRequested();
        event->accept();
        return;
    }
    if (event->button() == Qt::RightButton) {
        // The row under the pointer is selected before the menu opens on release.
        const QModelIndex hit = indexAt(event->position().toPoint());
        m_commands.RightPress(hit.isValid() ? m_filter->SourceRow(hit.row() + 1) : 0);
        event->accept();
        return;
    }
    QTreeView::mousePressEvent(event);
}

void PlaylistView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        if (m_listMenu)
            m_listMenu->popup(event->globalPosition().toPoint());
        event->accept();
        return;
    }
    QTreeView::mouseReleaseEvent(event);
}

void PlaylistView::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTreeView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        m_commands.PlaySelected();
}

void PlaylistView::mouseMoveEvent(QMouseEvent* event)
{
    emit PointerMoved();
    QTreeView::mouseMoveEvent(event);
}

void PlaylistView::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
    else
        event->ignore();
}

void PlaylistView::dragMoveEvent(QDragMoveEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
    else
        event->ignore();
}

void PlaylistView::dropEvent(QDropEvent* event)
{
    const QStringList paths = DroppedPaths(*event->mimeData());
    if (paths.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    m_commands.AddDroppedFiles(paths);
}
