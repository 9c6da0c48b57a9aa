#include "shell/frmmain.h"

#include "platform/pointervisibility.h"
#include "shell/windowgeometry.h"
#include "tests/support/fakeflashcontrol.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <memory>

// Drives the real main window on the offscreen platform.
class TestFrmMain : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void layoutPass_placesAreas_data();
    void layoutPass_placesAreas();
    void splitterDrag_data();
    void splitterDrag();
    void playStatePresentation_data();
    void playStatePresentation();
    void tooltips_data();
    void tooltips();
    void menus_captionsAndShortcuts_data();
    void menus_captionsAndShortcuts();
    void backgroundMove_resetsHoveredButtons();
    void thinStrip_revealsFullBar_bottomBarHidesIt();
    void maximiseToggle_workAreaThenRestore();
    void fullScreenToggle_inAndOut();
    void windowStateOutOfRange_onlyShowsThePointer();
    void fullScreen_switchesNoScaleOnly_data();
    void fullScreen_switchesNoScaleOnly();
    void fullScreenTimer_whileStopped_hidesNothing();
    void fullScreenTimer_hidesChrome_pointerMovesBringItBack();
    void leavingFullScreen_showsPointerKeepsPlaylistHidden();
    void playerArea_leftPressWhilePlaying_doesNothing_data();
    void playerArea_leftPressWhilePlaying_doesNothing();
    void playerArea_keysGoToTheWindow();
    void playerArea_rightPressOpensPlayerMenu();
    void pluggedPlayerView_keepsTheRouting();
    void leftPress_dragsTheWindow_data();
    void leftPress_dragsTheWindow();
    void logoDoubleClick_togglesFullScreen();
    void iconClicks_openMenuEveryOtherTime();
    void titleDoubleClick_togglesMaximise();
    void closeButton_closesAndAnnouncesUnload();
    void longTitle_runsUpToTheWindowButtons();

private:
    void sendMouse(QWidget* target, QEvent::Type type, Qt::MouseButton button = Qt::NoButton, QPoint at = { 5, 5 });
    void showAt(QSize size);
    QRect screenRect() const { return m_window->screen()->geometry(); }

    std::unique_ptr<frmMain> m_window;
};

void TestFrmMain::init()
{
    m_window = std::make_unique<frmMain>();
    m_window->SetWindowState(frmMain::RestoreWindow);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestFrmMain::cleanup()
{
    m_window.reset();
    // Whatever a test did, no pointer stays hidden for the next one.
    QCOMPARE(Pointer::ShowCount(), 0);
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
}

void TestFrmMain::sendMouse(QWidget* target, QEvent::Type type, Qt::MouseButton button, QPoint at)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick
        ? Qt::MouseButtons(button)
        : Qt::NoButton;
    QMouseEvent event(type, QPointF(at), QPointF(target->mapToGlobal(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

void TestFrmMain::showAt(QSize size)
{
    m_window->resize(size);
    QTRY_COMPARE_WITH_TIMEOUT(m_window->size(), size, 2000);
    m_window->SetControlsSize();
}

void TestFrmMain::layoutPass_placesAreas_data()
{
    QTest::addColumn<bool>("playlist");
    QTest::addColumn<QRect>("flash");
    QTest::addColumn<QRect>("logo");
    // 893 x 593 pixels is the 13395 x 8895 twips design size.
    QTest::newRow("playlist shown") << true << QRect(1, 37, 638, 503) << QRect(237, 142, 164, 219);
    QTest::newRow("playlist hidden") << false << QRect(1, 37, 891, 503) << QRect(364, 142, 163, 219);
}

void TestFrmMain::layoutPass_placesAreas()
{
    QFETCH(bool, playlist);
    QFETCH(QRect, flash);
    QFETCH(QRect, logo);
    showAt(QSize(893, 593));
    m_window->SetPlaylistVisible(playlist);
    QCOMPARE(m_window->Flash->geometry(), flash);
    QCOMPARE(m_window->picBigLogo->geometry(), logo);
    QCOMPARE(m_window->picPlayList->isVisible(), playlist);
    QCOMPARE(m_window->picTop->geometry(), QRect(0, 0, 893, 37));
    QCOMPARE(m_window->picBottom->geometry(), QRect(0, 540, 893, 53));
    QCOMPARE(m_window->picPlayList->geometry(), QRect(639, 37, 253, 503));
    QCOMPARE(m_window->picWinBtn->geometry(), QRect(797, 0, 96, 37));
    QCOMPARE(m_window->fraPlayBtn->geometry(), QRect(260, 0, 373, 53));
    QCOMPARE(m_window->lblTime->geometry(), QRect(791, 15, 82, 24));
    // A bigger window: the playlist keeps its width at the right edge, the player takes the rest.
    showAt(QSize(1000, 700));
    QCOMPARE(m_window->picPlayList->geometry(), QRect(746, 37, 253, 610));
    // The player reaches the panel, whose first 30 twips are the splitter.
    QCOMPARE(m_window->Flash->geometry().right() + 1, playlist ? 746 : 999);
}

void TestFrmMain::splitterDrag_data()
{
    QTest::addColumn<int>("dx"); // pixels
    QTest::addColumn<int>("expectedWidth"); // pixels; the panel starts 253 (3795 twips) wide
    QTest::newRow("one pixel is the smallest step") << 1 << 252;
    QTest::newRow("2 right narrows to 3765 twips") << 2 << 251;
    QTest::newRow("3 right would reach 3750: refused") << 3 << 253;
    QTest::newRow("left to under half the width") << -193 << 446;
    QTest::newRow("left to more than half the width: refused") << -194 << 253;
}

void TestFrmMain::splitterDrag()
{
    QFETCH(int, dx);
    QFETCH(int, expectedWidth);
    showAt(QSize(893, 593));
    const QRect before = m_window->picPlayList->geometry();
    sendMouse(m_window->picSpliter, QEvent::MouseButtonPress, Qt::LeftButton, QPoint(10, 100));
    sendMouse(m_window->picSpliter, QEvent::MouseMove, Qt::NoButton, QPoint(10 + dx, 100));
    sendMouse(m_window->picSpliter, QEvent::MouseButtonRelease, Qt::LeftButton, QPoint(10 + dx, 100));
    const QRect after = m_window->picPlayList->geometry();
    QCOMPARE(after.width(), expectedWidth);
    QCOMPARE(after.right(), before.right());
    QCOMPARE(m_window->Flash->geometry().right() + 1, after.left());
    // The layout pass keeps the dragged width.
    showAt(QSize(1000, 700));
    QCOMPARE(m_window->picPlayList->width(), expectedWidth);
}

void TestFrmMain::playStatePresentation_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("shown"); // Play, pAuse, Stop enabled, stRip, Frame text, Time, Logo, Info menu
    QTest::newRow("stopped") << 0 << "PasrftLi";
    QTest::newRow("playing") << 1 << "pASRFTlI";
    QTest::newRow("paused") << 2 << "PaSRFtlI";
}

void TestFrmMain::playStatePresentation()
{
    QFETCH(int, state);
    QFETCH(QString, shown);
    frmMain& w = *m_window;
    // Start from a different state so every item has to change.
    w.PresentPlayState(state == 1 ? 0 : 1);
    w.PresentPlayState(state);
    QCOMPARE(w.presentedPlayState(), state);
    const QList<bool> items { w.PlayerBtns[0]->isVisible(), w.PlayerBtns[1]->isVisible(), w.PlayerBtns[2]->isEnabled(),
        w.fraProgressMini->isVisible(), w.lblFrameInfo->isVisible(), w.lblTime->isVisible(), w.picBigLogo->isVisible(),
        w.mnuPlayerInfo()->isEnabled() };
    QString actual;
    for (int i = 0; i < items.size(); ++i)
        actual += items[i] ? shown.at(i).toUpper() : shown.at(i).toLower();
    QCOMPARE(actual, shown);
    // Play and pause share one place.
    QCOMPARE(w.PlayerBtns[0]->geometry(), w.PlayerBtns[1]->geometry());
    // Values outside 0-2 change nothing.
    w.PresentPlayState(7);
    QCOMPARE(w.presentedPlayState(), state);
    QCOMPARE(w.PlayerBtns[0]->isVisible(), shown.at(0).isUpper());
}

void TestFrmMain::tooltips_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("tip");
    const QStringList transport { QStringLiteral("播放/暂停"), QStringLiteral("暂停"), QStringLiteral("停止播放"),
        QStringLiteral("打开文件(Ctrl+O)"), QStringLiteral("下一首(PageDown)"), QStringLiteral("上一首(PageUp)"),
        QStringLiteral("快进(→)"), QStringLiteral("快退(←)"), QStringLiteral("播放列表"), QStringLiteral("设置(F2)"),
        QStringLiteral("关于"), QStringLiteral("全屏(Ctrl+Enter)"), QStringLiteral("单曲播放") };
    for (int i = 0; i < transport.size(); ++i)
        QTest::newRow(qPrintable(QStringLiteral("PlayerBtns ") + QString::number(i)))
            << QStringLiteral("transport") << i << transport[i];
    const QStringList list { QStringLiteral("添加文件(Ctrl+O)"), QStringLiteral("删除(Delete)"),
        QStringLiteral("清空列表"), QString() };
    for (int i = 0; i < list.size(); ++i)
        QTest::newRow(qPrintable(QStringLiteral("ListBtn ") + QString::number(i)))
            << QStringLiteral("list") << i << list[i];
    const QStringList window { QStringLiteral("最小化"), QStringLiteral("最大化"), QStringLiteral("关闭") };
    for (int i = 0; i < window.size(); ++i)
        QTest::newRow(qPrintable(QStringLiteral("WinBtns ") + QString::number(i)))
            << QStringLiteral("window") << i << window[i];
    QTest::newRow("splitter") << QStringLiteral("splitter") << 0 << QStringLiteral("拖动改变列表宽度");
}

void TestFrmMain::tooltips()
{
    QFETCH(QString, group);
    QFETCH(int, index);
    QFETCH(QString, tip);
    const frmMain& w = *m_window;
    const QWidget* widget = group == u"transport" ? static_cast<QWidget*>(w.PlayerBtns[index])
        : group == u"list"                        ? w.ListBtn[index]
        : group == u"window"                      ? w.WinBtns[index]
                                                  : w.picSpliter;
    QCOMPARE(widget->toolTip(), tip);
    if (group == u"splitter")
        QCOMPARE(widget->cursor().shape(), Qt::SizeHorCursor);
    else
        QCOMPARE(widget->cursor().shape(), group == u"list" && index == 3 ? Qt::ArrowCursor : Qt::PointingHandCursor);
}

void TestFrmMain::menus_captionsAndShortcuts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QKeySequence>("shortcut");
    QTest::newRow("icon open swf") << "mnuIconOpenSwf"
                                   << "swf文件" << QKeySequence(Qt::CTRL | Qt::Key_O);
    QTest::newRow("icon open list") << "mnuIconOpenList"
                                    << "播放列表" << QKeySequence();
    QTest::newRow("icon options") << "mnuIconOptons"
                                  << "设置" << QKeySequence(Qt::Key_F2);
    QTest::newRow("icon about") << "mnuIconAbout"
                                << "关于" << QKeySequence();
    QTest::newRow("icon readme") << "mnuIconReadme"
                                 << "简要说明" << QKeySequence();
    QTest::newRow("icon quit") << "mnuIconQuit"
                               << "退出" << QKeySequence();
    QTest::newRow("player open") << "mnuPlayerOpen"
                                 << "打开" << QKeySequence();
    QTest::newRow("player full") << "mnuPlayerFull"
                                 << "全屏" << QKeySequence();
    QTest::newRow("player fit") << "mnuPlayerSizeAtutoFit"
                                << "自动适应" << QKeySequence();
    QTest::newRow("player origin") << "mnuPlayerSizeOrigin"
                                   << "原始大小" << QKeySequence();
    QTest::newRow("player stretch") << "mnuPlayerSizeStrech"
                                    << "填满窗口" << QKeySequence();
    QTest::newRow("player options") << "mnuPlayerOptions"
                                    << "设置" << QKeySequence();
    QTest::newRow("player about") << "mnuPlayerAbout"
                                  << "关于" << QKeySequence();
    QTest::newRow("player info") << "mnuPlayerInfo"
                                 << "文件信息" << QKeySequence();
}

void TestFrmMain::menus_captionsAndShortcuts()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QKeySequence, shortcut);
    const QMenu* menu = name.startsWith(u"mnuIcon") ? m_window->mnuIcon() : m_window->mnuPlayer();
    const QAction* action = menu->findChild<QAction*>(name);
    if (!action) {
        // Submenu items belong to their submenu.
        for (const QMenu* sub : menu->findChildren<QMenu*>())
            if ((action = sub->findChild<QAction*>(name)))
                break;
    }
    QVERIFY2(action, qPrintable(name));
    QCOMPARE(action->text(), caption);
    QCOMPARE(action->shortcut(), shortcut);
}

void TestFrmMain::backgroundMove_resetsHoveredButtons()
{
    frmMain& w = *m_window;
    sendMouse(w.PlayerBtns[4], QEvent::MouseMove);
    sendMouse(w.WinBtns[0], QEvent::MouseMove);
    QCOMPARE(w.PlayerBtns[4]->pictureName(), QStringLiteral("PLBTN4_OVER"));
    // Straight from a transport button onto its frame.
    sendMouse(w.fraPlayBtn, QEvent::MouseMove);
    QCOMPARE(w.PlayerBtns[4]->pictureName(), QStringLiteral("PLBTN4_NORMAL"));
    QCOMPARE(w.WinBtns[0]->pictureName(), QStringLiteral("WINBTN0_NORMAL"));
    sendMouse(w.imgBigOpen, QEvent::MouseMove);
    QCOMPARE(w.imgBigOpen->pictureName(), QStringLiteral("BIGOPENBTN_OVER"));
    sendMouse(w.picBigLogo, QEvent::MouseMove);
    QCOMPARE(w.imgBigOpen->pictureName(), QStringLiteral("BIGOPENBTN_NORMAL"));
}

void TestFrmMain::thinStrip_revealsFullBar_bottomBarHidesIt()
{
    frmMain& w = *m_window;
    w.PresentPlayState(1);
    QVERIFY(!w.PlProgBar->isVisible());
    sendMouse(w.lblProgressMini, QEvent::MouseMove);
    QVERIFY(w.PlProgBar->isVisible());
    sendMouse(w.picBottom, QEvent::MouseMove);
    QVERIFY(!w.PlProgBar->isVisible());
    sendMouse(w.fraProgressMini, QEvent::MouseMove);
    QVERIFY(w.PlProgBar->isVisible());
    sendMouse(w.Flash, QEvent::MouseMove);
    QVERIFY(!w.PlProgBar->isVisible());
}

void TestFrmMain::maximiseToggle_workAreaThenRestore()
{
    frmMain& w = *m_window;
    const QRect restore = RestoreRect(screenRect(), QSize(893, 593));
    QTRY_COMPARE_WITH_TIMEOUT(w.geometry(), restore, 2000);
    w.WinBtns_Click(1);
    const QRect work = WorkAreaMaximiseRect(screenRect(), w.screen()->availableGeometry());
    QTRY_COMPARE_WITH_TIMEOUT(w.geometry(), work, 2000);
    QVERIFY(!w.isFullScreen());
    // The layout follows the new size.
    QTRY_COMPARE_WITH_TIMEOUT(w.picBottom->geometry().bottom(), work.height() - 1, 2000);
    w.WinBtns_Click(1);
    QTRY_COMPARE_WITH_TIMEOUT(w.geometry(), restore, 2000);
}

void TestFrmMain::fullScreenToggle_inAndOut()
{
    frmMain& w = *m_window;
    w.SetWindowState(frmMain::FullScreenToggle);
    QTRY_VERIFY_WITH_TIMEOUT(w.isFullScreen(), 2000);
    QCOMPARE(w.mnuPlayerFull()->text(), QStringLiteral("退出全屏"));
    QVERIFY(w.isFullScreenTimerActive());
    // The maximise button leaves full screen as well.
    w.SetWindowState(frmMain::MaximiseToggle);
    QTRY_VERIFY_WITH_TIMEOUT(!w.isFullScreen(), 2000);
    QTRY_COMPARE_WITH_TIMEOUT(w.geometry(), RestoreRect(screenRect(), QSize(893, 593)), 2000);
    w.SetWindowState(frmMain::FullScreenToggle);
    QTRY_VERIFY_WITH_TIMEOUT(w.isFullScreen(), 2000);
    w.SetWindowState(frmMain::FullScreenToggle);
    QTRY_VERIFY_WITH_TIMEOUT(!w.isFullScreen(), 2000);
    QCOMPARE(w.mnuPlayerFull()->text(), QStringLiteral("全屏"));
    w.SetWindowState(frmMain::MinimiseWindow);
    QTRY_VERIFY_WITH_TIMEOUT(w.isMinimized(), 2000);
}

void TestFrmMain::windowStateOutOfRange_onlyShowsThePointer()
{
    frmMain& w = *m_window;
    const QRect restore = RestoreRect(screenRect(), QSize(893, 593));
    QTRY_COMPARE_WITH_TIMEOUT(w.geometry(), restore, 2000);
    Pointer::ShowCursor(false);
    w.SetWindowState(4);
    QCOMPARE(w.CursorShowCount(), 0);
    w.SetWindowState(-1);
    QCOMPARE(w.CursorShowCount(), 0);
    QCOMPARE(w.geometry(), restore);
    QVERIFY(!w.isFullScreen() && !w.isMinimized());
}

void TestFrmMain::fullScreen_switchesNoScaleOnly_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::newRow("NoScale becomes ShowAll") << "NoScale"
                                             << "ShowAll";
    QTest::newRow("ExactFit stays") << "ExactFit"
                                    << "ExactFit";
    QTest::newRow("ShowAll stays") << "ShowAll"
                                   << "ShowAll";
}

void TestFrmMain::fullScreen_switchesNoScaleOnly()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    FakeFlashControl flash;
    m_window->setFlashControl(&flash);
    flash.SetScale(before);
    m_window->SetWindowState(frmMain::FullScreenToggle);
    QCOMPARE(flash.Scale(), after);
    m_window->SetWindowState(frmMain::FullScreenToggle);
    m_window->setFlashControl(nullptr);
}

void TestFrmMain::fullScreenTimer_whileStopped_hidesNothing()
{
    frmMain& w = *m_window;
    w.SetWindowState(frmMain::FullScreenToggle);
    QTRY_VERIFY_WITH_TIMEOUT(w.isFullScreen(), 2000);
    w.TimerFullScr_Timer();
    QVERIFY(!w.isFullScreenTimerActive());
    QVERIFY(w.picTop->isVisible());
    QVERIFY(w.picPlayList->isVisible());
    QVERIFY(!w.LayoutSuspended());
    QCOMPARE(w.CursorShowCount(), 0);
}

void TestFrmMain::fullScreenTimer_hidesChrome_pointerMovesBringItBack()
{
    frmMain& w = *m_window;
    w.PresentPlayState(1);
    w.SetWindowState(frmMain::FullScreenToggle);
    QTRY_VERIFY_WITH_TIMEOUT(w.isFullScreen(), 2000);
    QTRY_COMPARE_WITH_TIMEOUT(w.size(), screenRect().size(), 2000);
    QSignalSpy shown(&w, &frmMain::playlistShown);
    w.TimerFullScr_Timer();
    QVERIFY(!w.picTop->isVisible());
    QVERIFY(!w.picBottom->isVisible());
    QVERIFY(!w.picPlayList->isVisible());
    QVERIFY(!w.PlayerBtns[0]->isVisible() && !w.PlayerBtns[1]->isVisible());
    QVERIFY(w.LayoutSuspended());
    QCOMPARE(w.Flash->geometry(), QRect(QPoint(0, 0), w.size()));
    QCOMPARE(w.CursorShowCount(), -1);
    QVERIFY(QGuiApplication::overrideCursor());
    QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::BlankCursor);

    // Resizing while suspended moves nothing.
    const QRect bottom = w.picBottom->geometry();
    w.SetControlsSize();
    QCOMPARE(w.picBottom->geometry(), bottom);

    // Under 20 pixels from the last restore point (0, 0): still hidden.
    w.PlayerMouseMove(QPointF(12, 15));
    QVERIFY(!w.picTop->isVisible());
    QCOMPARE(w.CursorShowCount(), -1);
    QVERIFY(!w.isFullScreenTimerActive());
    // 20 pixels or more, through the player area's own mouse events: chrome and pointer come back.
    QMouseEvent far(QEvent::MouseMove, QPointF(5, 5), QPointF(30, 40), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w.Flash, &far);
    QVERIFY(w.picTop->isVisible());
    QVERIFY(w.picBottom->isVisible());
    QCOMPARE(w.CursorShowCount(), 0);
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    QCOMPARE(w.LastCursorPos(), QPointF(30, 40));
    QVERIFY(w.isFullScreenTimerActive());
    // The bars lie over the player, which keeps filling the screen.
    QVERIFY(w.LayoutSuspended());
    QCOMPARE(w.picBottom->geometry(), bottom);
    // The pointer over the bottom bar keeps the chrome up.
    sendMouse(w.picBottom, QEvent::MouseMove);
    QVERIFY(!w.isFullScreenTimerActive());

    // Hidden again; a move measured from the new restore point.
    w.TimerFullScr_Timer();
    QVERIFY(!w.picTop->isVisible());
    w.PlayerMouseMove(QPointF(40, 50)); // 14.1 pixels from (30, 40)
    QVERIFY(!w.picTop->isVisible());
    // Repeated hiding never drives the counter further than one step.
    w.TimerFullScr_Timer();
    QCOMPARE(w.CursorShowCount(), -1);
    QCOMPARE(shown.count(), 0);
    w.SetWindowState(frmMain::FullScreenToggle);
}

void TestFrmMain::leavingFullScreen_showsPointerKeepsPlaylistHidden()
{
    frmMain& w = *m_window;
    w.PresentPlayState(1);
    w.SetWindowState(frmMain::FullScreenToggle);
    QTRY_VERIFY_WITH_TIMEOUT(w.isFullScreen(), 2000);
    w.TimerFullScr_Timer();
    QCOMPARE(w.CursorShowCount(), -1);
    w.SetWindowState(frmMain::FullScreenToggle);
    QCOMPARE(w.CursorShowCount(), 0);
    QVERIFY(!w.LayoutSuspended());
    QTRY_COMPARE_WITH_TIMEOUT(w.geometry(), RestoreRect(screenRect(), QSize(893, 593)), 2000);
    QVERIFY(w.picTop->isVisible());
    QVERIFY(w.picBottom->isVisible());
    QVERIFY(!w.picPlayList->isVisible());
    // The layout pass runs again: the player spans the window without the playlist.
    QTRY_COMPARE_WITH_TIMEOUT(w.Flash->geometry(), QRect(1, 37, 891, 503), 2000);
}

void TestFrmMain::playerArea_leftPressWhilePlaying_doesNothing_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("drags");
    QTest::newRow("stopped: drags") << 0 << 1;
    QTest::newRow("playing: nothing") << 1 << 0;
    QTest::newRow("paused: drags") << 2 << 1;
}

void TestFrmMain::playerArea_leftPressWhilePlaying_doesNothing()
{
    QFETCH(int, state);
    QFETCH(int, drags);
    m_window->PresentPlayState(state);
    QSignalSpy dragged(m_window.get(), &frmMain::windowDragStarted);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(50, 50), QPointF(m_window->Flash->mapToGlobal(QPoint(50, 50))),
        Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    // The movie never gets the press, whatever the state.
    QVERIFY(QApplication::sendEvent(m_window->Flash, &press));
    QCOMPARE(dragged.count(), drags);
}

void TestFrmMain::playerArea_keysGoToTheWindow()
{
    QSignalSpy keys(m_window.get(), &frmMain::Form_KeyDown);
    QKeyEvent key(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
    QVERIFY(QApplication::sendEvent(m_window->Flash, &key));
    QCOMPARE(keys.count(), 1);
    QCOMPARE(keys.at(0).at(0).toInt(), int(Qt::Key_Right));
}

void TestFrmMain::playerArea_rightPressOpensPlayerMenu()
{
    QSignalSpy opened(m_window->mnuPlayer(), &QMenu::aboutToShow);
    sendMouse(m_window->Flash, QEvent::MouseButtonPress, Qt::RightButton);
    QCOMPARE(opened.count(), 1);
    QContextMenuEvent engineMenu(QContextMenuEvent::Mouse, QPoint(5, 5), m_window->Flash->mapToGlobal(QPoint(5, 5)));
    QVERIFY(QApplication::sendEvent(m_window->Flash, &engineMenu));
    m_window->mnuPlayer()->hide();
    sendMouse(m_window->picBigLogo, QEvent::MouseButtonPress, Qt::RightButton);
    QCOMPARE(opened.count(), 2);
    m_window->mnuPlayer()->hide();
}

void TestFrmMain::pluggedPlayerView_keepsTheRouting()
{
    auto* view = new QWidget;
    m_window->setPlayerView(view);
    QCOMPARE(m_window->playerView(), view);
    QCOMPARE(view->parentWidget(), m_window.get());
    QCOMPARE(view->geometry(), m_window->layout().areas().Flash.toPixels());
    QSignalSpy keys(m_window.get(), &frmMain::Form_KeyDown);
    QKeyEvent key(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
    QApplication::sendEvent(view, &key);
    QCOMPARE(keys.count(), 1);
    // The layout pass now places the plugged view.
    showAt(QSize(1000, 700));
    QCOMPARE(view->geometry(), QRect(1, 37, 745, 610));

    // A render child that takes the input is routed the same way once it is named.
    auto* input = new QWidget(view);
    m_window->watchPlayerInput(input);
    m_window->PresentPlayState(1);
    QSignalSpy dragged(m_window.get(), &frmMain::windowDragStarted);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(input->mapToGlobal(QPoint(5, 5))),
        Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QVERIFY(QApplication::sendEvent(input, &press));
    QCOMPARE(dragged.count(), 0);
    QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier);
    QVERIFY(QApplication::sendEvent(input, &space));
    QCOMPARE(keys.count(), 2);
    QCOMPARE(keys.at(1).at(0).toInt(), int(Qt::Key_Space));
    delete input; // forgotten when it goes
    m_window->PresentPlayState(0);
}

void TestFrmMain::leftPress_dragsTheWindow_data()
{
    QTest::addColumn<QString>("area");
    QTest::addColumn<int>("state");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<int>("drags");
    QTest::newRow("title bar") << "picTop" << 1 << Qt::LeftButton << 1;
    QTest::newRow("title bar, right button") << "picTop" << 0 << Qt::RightButton << 0;
    QTest::newRow("control bar") << "picBottom" << 1 << Qt::LeftButton << 1;
    QTest::newRow("logo panel") << "picBigLogo" << 0 << Qt::LeftButton << 1;
    QTest::newRow("logo picture") << "imgBigLogo" << 0 << Qt::LeftButton << 1;
    QTest::newRow("empty list while stopped") << "lvwFiles" << 0 << Qt::LeftButton << 1;
    QTest::newRow("empty list while paused") << "lvwFiles" << 2 << Qt::LeftButton << 0;
    QTest::newRow("list tool strip") << "picListEditor" << 0 << Qt::LeftButton << 0;
}

void TestFrmMain::leftPress_dragsTheWindow()
{
    QFETCH(QString, area);
    QFETCH(int, state);
    QFETCH(Qt::MouseButton, button);
    QFETCH(int, drags);
    m_window->PresentPlayState(state);
    QWidget* target = m_window->findChild<QWidget*>(area);
    QVERIFY2(target, qPrintable(area));
    QSignalSpy dragged(m_window.get(), &frmMain::windowDragStarted);
    sendMouse(target, QEvent::MouseButtonPress, button);
    QCOMPARE(dragged.count(), drags);
    m_window->mnuPlayer()->hide();
}

void TestFrmMain::logoDoubleClick_togglesFullScreen()
{
    sendMouse(m_window->imgBigLogo, QEvent::MouseButtonDblClick, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(m_window->isFullScreen(), 2000);
    sendMouse(m_window->picBigLogo, QEvent::MouseButtonDblClick, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!m_window->isFullScreen(), 2000);
}

void TestFrmMain::iconClicks_openMenuEveryOtherTime()
{
    QSignalSpy opened(m_window->mnuIcon(), &QMenu::aboutToShow);
    const QList<int> expected { 1, 1, 2, 2, 3 };
    for (int click = 0; click < expected.size(); ++click) {
        sendMouse(m_window->imgPlayerIcon, QEvent::MouseButtonPress, Qt::LeftButton);
        sendMouse(m_window->imgPlayerIcon, QEvent::MouseButtonRelease, Qt::LeftButton);
        QCOMPARE(opened.count(), expected[click]);
        m_window->mnuIcon()->hide();
    }
}

void TestFrmMain::titleDoubleClick_togglesMaximise()
{
    const QRect work = WorkAreaMaximiseRect(screenRect(), m_window->screen()->availableGeometry());
    sendMouse(m_window->lblFormTitle, QEvent::MouseButtonDblClick, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(m_window->geometry(), work, 2000);
    sendMouse(m_window->picTop, QEvent::MouseButtonDblClick, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(m_window->geometry(), RestoreRect(screenRect(), QSize(893, 593)), 2000);
}

void TestFrmMain::closeButton_closesAndAnnouncesUnload()
{
    QSignalSpy unloading(m_window.get(), &frmMain::unloading);
    sendMouse(m_window->WinBtns[2], QEvent::MouseButtonPress, Qt::LeftButton);
    sendMouse(m_window->WinBtns[2], QEvent::MouseButtonRelease, Qt::LeftButton);
    QCOMPARE(unloading.count(), 1);
    QVERIFY(!m_window->isVisible());
}

void TestFrmMain::longTitle_runsUpToTheWindowButtons()
{
    showAt(QSize(893, 593));
    m_window->SetFormTitle(QStringLiteral("short.swf"));
    QCOMPARE(m_window->lblFormTitle->geometry(), m_window->layout().areas().lblFormTitle.toPixels());
    m_window->SetFormTitle(QString(200, u'W') + u".swf");
    const QRect title = m_window->lblFormTitle->geometry();
    QCOMPARE(title.right() + 1, m_window->picWinBtn->geometry().left() - 8);
    // A narrower window gives the title less room.
    showAt(QSize(700, 593));
    QCOMPARE(m_window->lblFormTitle->geometry().right() + 1, m_window->picWinBtn->geometry().left() - 8);
}

QTEST_MAIN(TestFrmMain)
#include "tst_frmmain.moc"
