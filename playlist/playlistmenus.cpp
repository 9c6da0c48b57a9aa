#include "playlist/playlistmenus.h"

#include "playlist/playlistcommands.h"

#include <QMenu>

namespace {
template <typename Slot>
QAction* addItem(QMenu* menu, const char* name, const QString& caption, QObject* receiver, Slot slot)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    QObject::connect(action, &QAction::triggered, receiver, slot);
    return action;
}

QMenu* subMenu(QMenu* parent, const char* name, const QString& caption)
{
    QMenu* menu = parent->addMenu(caption);
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    return menu;
}
} // namespace

PlaylistMenus::PlaylistMenus(PlaylistCommands& commands, QWidget* parent)
    : QObject(parent), m_list(new QMenu(tr("播放列表菜单"), parent)), m_listBtn(new QMenu(tr("列表按钮菜单"), parent))
{
    m_list->setObjectName(QStringLiteral("mnuList"));
    m_listBtn->setObjectName(QStringLiteral("mnuListBtn"));
    PlaylistCommands* c = &commands;

    addItem(m_list, "mnuListInfo", tr("属性"), this, [this] { emit InfoRequested(); });
    addItem(m_list, "mnuListPlay", tr("播放"), c, [c] { c->PlaySelected(); });
    addItem(m_list, "mnuListDel", tr("删除"), c, [c] { c->ListBtn_Click(1); });
    addItem(m_list, "mnuListDelDup", tr("移除重复项"), c, [c] { c->RemoveDuplicateItems(); });
    addItem(m_list, "mnuListDelNotExist", tr("移除失效项"), c, [c] { c->RemoveMissingItems(); });
    addItem(m_list, "mnuListOpenDir", tr("打开目录"), c, [c] { c->OpenSelectedFolder(); });

    QMenu* sort = subMenu(m_list, "mnuListSort", tr("排序"));
    QAction* ascending = addItem(sort, "mnuListSortAscending", tr(commands.SortOrderCaption().toUtf8().constData()), c,
        [c] { c->ToggleSortOrder(); });
    connect(&commands, &PlaylistCommands::SortOrderCaptionChanged, ascending,
        [ascending](const QString& caption) { ascending->setText(tr(caption.toUtf8().constData())); });
    addItem(sort, "mnuListSortByName", tr("按名称"), c, [c] { c->SortByName(); });
    addItem(sort, "mnuListSortByDir", tr("按路径"), c, [c] { c->SortByDir(); });
    addItem(sort, "mnuListSortByTime", tr("时长"), c, [c] { c->SortByTime(); });
    addItem(sort, "mnuListSortShuffle", tr("打乱"), c, [c] { c->ShuffleList(); });

    QMenu* font = subMenu(m_list, "mnuListFontColor", tr("设置字体"));
    addItem(font, "mnuListFont", tr("字体"), c, [c] { c->ChooseListFont(); });
    addItem(font, "mnuListColor", tr("颜色"), c, [c] { c->ChooseListColor(); });

    addItem(m_listBtn, "mnuListBtnOpenList", tr("打开列表"), c, [c] { c->OpenListWithDialog(); });
    addItem(m_listBtn, "mnuListBtnSaveList", tr("另存列表"), c, [c] { c->SaveListAs(); });
}
