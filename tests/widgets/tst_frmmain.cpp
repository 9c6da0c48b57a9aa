#include "shell/frmmain.h"

#include "platform/pointervisibility.h"
#include "shell/windowgeometry.h"
#include "tests/support/fakeflashcontrol.h"
#include "tests/support/widgetevents.h"

#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <memory>

// The real main window on the offscreen platform: the wiring of its areas, buttons and states.
class TestFrmMain : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_w = std::make_unique<frmMain>();
        m_w->SetWindowState(frmMain::RestoreWindow);
        m_w->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_w.get()));
        QTRY_COMPARE_WITH_TIMEOUT(m_w->geometry(), restoreRect(), 2000);
    }
    void cleanup()
    {
        m_w.reset();
        // Whatever a test did, no pointer stays hidden for the next one.
        QCOMPARE(Pointer::ShowCount(), 0);
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    }
    void playStatePresentation_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("shown"); // Play, pAuse, Stop enabled, stRip, Frame text, Time, Logo, Info menu
        QTest::newRow("stopped") << 0 << "PasrftLi";
        QTest::newRow("playing") << 1 << "pASRFTlI";
        QTest::newRow("paused") << 2 << "PaSRFtlI";
    }
    void playStatePresentation()
    {
        QFETCH(int, state);
        QFETCH(QString, shown);
        frmMain& w = *m_w;
        w.PresentPlayState(state == 1 ? 0 : 1); // every item has to change
        w.PresentPlayState(state);
        w.PresentPlayState(7); // out of range: changes nothing
        const bool items[] = { w.PlayerBtns[0]->isVisible(), w.PlayerBtns[1]->isVisible(), w.PlayerBtns[2]->isEnabled(),
            w.fraProgressMini->isVisible(), w.lblFrameInfo->isVisible(), w.lblTime->isVisible(),
            w.picBigLogo->isVisible(), w.mnuPlayerInfo()->isEnabled() };
        QString actual;
        for (int i = 0; i < shown.size(); ++i)
            actual += items[i] ? shown.at(i).toUpper() : shown.at(i).toLower();
        QCOMPARE(actual, shown);
        QCOMPARE(w.presentedPlayState(), state);
    }
    void splitterDrag_movesThePanel()
    {
        SendMouse(m_w->picSpliter, QEvent::MouseButtonPress, Qt::LeftButton, QPoint(10, 100));
        SendMouse(m_w->picSpliter, QEvent::MouseMove, Qt::NoButton, QPoint(8, 100));
        SendMouse(m_w->picSpliter, QEvent::MouseButtonRelease, Qt::LeftButton, QPoint(8, 100));
        QCOMPARE(m_w->picPlayList->geometry(), QRect(637, 37, 255, 503)); // 2 pixels wider, right edge kept
    }
    void press_data()
    {
        QTest::addColumn<QString>("area");
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("effect"); // "drag" (the window moves), "menu" (the player menu opens) or nothing
        QTest::newRow("title bar") << "picTop" << 1 << "drag";
        QTest::newRow("logo") << "imgBigLogo" << 0 << "drag";
        QTest::newRow("player while stopped") << "Flash" << 0 << "drag";
        QTest::newRow("player while playing: nothing") << "Flash" << 1 << "";
        QTest::newRow("empty list while stopped") << "lvwFiles" << 0 << "drag";
        QTest::newRow("empty list while paused") << "lvwFiles" << 2 << "";
        QTest::newRow("list tool strip") << "picListEditor" << 0 << "";
        // A plugged-in player view and the render child that takes its input are routed as the area is (its
        // keys: tst_keysandpointer); this press is the right button's.
        QTest::newRow("player input, right button") << "input" << 1 << "menu";
    }
    void press()
    {
        QFETCH(QString, area);
        QFETCH(int, state);
        QFETCH(QString, effect);
        m_w->PresentPlayState(state);
        QWidget* target = area == u"Flash" ? m_w->Flash : m_w->findChild<QWidget*>(area);
        if (area == u"input") {
            m_w->setPlayerView(new QWidget);
            m_w->watchPlayerInput(target = new QWidget(m_w->playerView()));
        }
        QVERIFY2(target, qPrintable(area));
        QSignalSpy dragged(m_w.get(), &frmMain::windowDragStarted);
        QSignalSpy opened(m_w->mnuPlayer(), &QMenu::aboutToShow);
        SendMouse(target, QEvent::MouseButtonPress, area == u"input" ? Qt::RightButton : Qt::LeftButton);
        m_w->mnuPlayer()->hide();
        QCOMPARE(dragged.count() ? u"drag"_qs : opened.count() ? u"menu"_qs : QString(), effect);
    }
    void fullScreen_hidesChromeWhilePlaying()
    {
        frmMain& w = *m_w;
        FakeFlashControl flash;
        w.setFlashControl(&flash);
        flash.SetScale(QStringLiteral("NoScale"));
        w.SetWindowState(frmMain::FullScreenToggle);
        QTRY_VERIFY_WITH_TIMEOUT(w.isFullScreen(), 2000);
        QCOMPARE(flash.Scale(), QStringLiteral("ShowAll"));
        // Stopped: the timer hides nothing.
        w.TimerFullScr_Timer();
        QVERIFY(w.picTop->isVisible());
        QCOMPARE(w.CursorShowCount(), 0);

        w.PresentPlayState(1);
        QTRY_COMPARE_WITH_TIMEOUT(w.size(), w.screen()->geometry().size(), 2000);
        w.TimerFullScr_Timer();
        QVERIFY(!w.picTop->isVisible() && !w.picBottom->isVisible() && !w.picPlayList->isVisible());
        QCOMPARE(w.Flash->geometry(), QRect(QPoint(0, 0), w.size()));
        QVERIFY(QGuiApplication::overrideCursor());
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::BlankCursor);
        w.TimerFullScr_Timer(); // never a second step: one far move below must show the pointer again
        // Under 20 pixels from the last restore point: still hidden; 20 or more brings all back.
        w.PlayerMouseMove(QPointF(12, 15));
        QVERIFY(!w.picTop->isVisible());
        QMouseEvent far(QEvent::MouseMove, QPointF(5, 5), QPointF(30, 40), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(w.Flash, &far);
        QVERIFY(w.picTop->isVisible() && w.picBottom->isVisible());
        QCOMPARE(w.CursorShowCount(), 0);
        QVERIFY(w.isFullScreenTimerActive());
        SendMouse(w.picBottom, QEvent::MouseMove); // the pointer over the bar keeps the chrome up
        QVERIFY(!w.isFullScreenTimerActive());

        // Leaving full screen shows the pointer and lays out again without the playlist.
        w.TimerFullScr_Timer();
        w.SetWindowState(frmMain::FullScreenToggle);
        QCOMPARE(w.CursorShowCount(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(w.geometry(), restoreRect(), 2000);
        QVERIFY(w.picTop->isVisible() && !w.picPlayList->isVisible());
        w.setFlashControl(nullptr);
    }

private:
    QRect restoreRect() const { return RestoreRect(m_w->screen()->geometry(), QSize(893, 593)); }
    std::unique_ptr<frmMain> m_w;
};

QTEST_MAIN(TestFrmMain)
#include "tst_frmmain.moc"
