#include "playlist/playlistmenus.h"
#include "playlist/playlistview.h"
#include "tests/support/playlistfixture.h"
#include "tests/support/widgetevents.h"

#include <QMenu>
#include <QSignalSpy>
#include <QTest>

// The list view over a faked playlist: which mouse actions reach the commands (keys: tst_keysandpointer,
// drops: tst_program).
class TestPlaylistView : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_window.reset();
        m_f = std::make_unique<PlaylistFixture>();
        m_window = std::make_unique<QWidget>();
        m_view = new PlaylistView(m_f->model, m_f->commands, m_window.get());
        m_menus = new PlaylistMenus(m_f->commands, m_window.get());
        m_view->setListMenu(m_menus->mnuList());
        m_view->resize(400, 300);
        m_window->resize(400, 300);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }
    void mouse_playsSelectsAndOpensTheMenu()
    {
        m_f->add({ u"/m/movie 1.swf"_qs, u"/m/movie 2.swf"_qs, u"/m/movie 3.swf"_qs });
        // A double click plays the row under the pointer, even the one already playing.
        m_f->transport.setUp(2, TransportControl::Playing);
        QTest::mouseDClick(m_view->viewport(), Qt::LeftButton, {}, rowCenter(2));
        QCOMPARE(m_f->transport.calls.mid(m_f->transport.calls.size() - 3),
            (QStringList { u"SetPlayState 0"_qs, u"SetCurrFileIndex 2"_qs, u"PlayerBtns_Click 0"_qs }));
        // A right press selects its row; the menu opens on release.
        QTest::mousePress(m_view->viewport(), Qt::RightButton, {}, rowCenter(3));
        QCOMPARE(m_f->model.SelectedRow(), 3);
        QVERIFY(!m_menus->mnuList()->isVisible());
        QTest::mouseRelease(m_view->viewport(), Qt::RightButton, {}, rowCenter(3));
        QTRY_VERIFY_WITH_TIMEOUT(m_menus->mnuList()->isVisible(), 2000);
        m_menus->mnuList()->hide();
        // Below the rows of a stopped list a left press does not move the window; on an empty list it would.
        m_f->transport.setUp(0, TransportControl::Stopped);
        QSignalSpy drag(m_view, &PlaylistView::WindowDragRequested);
        QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, QPoint(50, 200));
        QCOMPARE(drag.count(), 0);
    }

private:
    QPoint rowCenter(int row) const
    {
        return m_view->visualRect(m_view->model()->index(row - 1, PlaylistModel::ColFileName)).center();
    }
    std::unique_ptr<PlaylistFixture> m_f;
    std::unique_ptr<QWidget> m_window;
    PlaylistView* m_view = nullptr;
    PlaylistMenus* m_menus = nullptr;
};

QTEST_MAIN(TestPlaylistView)
#include "tst_playlistview.moc"
