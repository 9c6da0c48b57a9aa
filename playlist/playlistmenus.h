#pragma once

#include <QObject>

class PlaylistCommands;
class QAction;
class QMenu;
class QWidget;

// The playlist's popup menu (mnuList) and the list-button menu (mnuListBtn), wired to the commands.
// Every menu and action carries its name as objectName, so the main window can find them.
class PlaylistMenus : public QObject {
    Q_OBJECT
public:
    PlaylistMenus(PlaylistCommands& commands, QWidget* parent);

    QMenu* mnuList() const { return m_list; }
    QMenu* mnuListBtn() const { return m_listBtn; }

signals:
    // mnuListInfo: the file information window of the selected row.
    void InfoRequested();

private:
    QMenu* m_list;
    QMenu* m_listBtn;
};
