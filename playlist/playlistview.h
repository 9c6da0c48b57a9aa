#pragma once

#include <QTreeView>
#include <functional>

class PlaylistCommands;
class PlaylistFilter;
class PlaylistModel;
class QMenu;
struct ListFontChoice;

// The list the main window embeds: rows of the playlist model, one row selected at a time. It
// forwards mouse, keys and drops to PlaylistCommands, which decides what they do.
class PlaylistView : public QTreeView {
    Q_OBJECT
public:
    // Space left right of the file name column (300 twips).
    static constexpr int RightMargin = 20;

    PlaylistView(PlaylistModel& model, PlaylistCommands& commands, QWidget* parent = nullptr);

    // The popup menu a right click opens (mnuList).
    void setListMenu(QMenu* menu) { m_listMenu = menu; }
    // Columns 0 and 2 to their contents, column 1 the rest of the width.
    void FitColumns();
    // Column 1 takes what columns 0 and 2 leave; done again whenever the list changes size.
    void FitFileNameColumn();
    void ApplyFont(const ListFontChoice& font);
    // The window's shortcut keys. The list hands them on at once, with rows or without, and does
    // nothing more with them: Page Down plays the next row without also paging the selection, and
    // Ctrl+Enter is full screen, not Enter.
    void setShortcutKeys(std::function<bool(int key, Qt::KeyboardModifiers modifiers)> isShortcut)
    {
        m_isShortcut = std::move(isShortcut);
    }

    // The rows shown while a filter is typed; the playlist itself stays whole.
    PlaylistFilter& filter() const { return *m_filter; }
    // Narrows the list to the rows matching text; empty text shows them all again, with the playing
    // row and the selected row scrolled into view.
    void SetFilterText(const QString& text, int playingRow);

signals:
    // A key the list does not use itself, for the window's shortcuts.
    void KeyForwarded(int key, Qt::KeyboardModifiers modifiers);
    void PointerMoved();
    // A left press on an empty list while nothing is loaded: the window should start moving.
    void WindowDragRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void fitNumberColumn();
    void showRow(int row); // a playlist row, when it is shown

    PlaylistModel& m_model;
    PlaylistCommands& m_commands;
    PlaylistFilter* m_filter;
    QMenu* m_listMenu = nullptr;
    std::function<bool(int, Qt::KeyboardModifiers)> m_isShortcut;
};
