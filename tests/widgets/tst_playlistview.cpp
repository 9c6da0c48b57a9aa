#include "playlist/playlistmenus.h"
#include "playlist/playlistview.h"
#include "tests/support/playlistfixture.h"
#include "tests/support/testdir.h"

#include <QApplication>
#include <QHeaderView>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <memory>

class TestPlaylistView : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void setUp_hidesHeaderAndDurationPathColumns();
    void menus_haveTheirCaptions_data();
    void menus_haveTheirCaptions();
    void sortOrderItem_captionFollowsToggle();
    void doubleClick_playsRowUnderPointer();
    void keys_data();
    void keys();
    void rightClick_selectsRowThenOpensMenu();
    void leftPress_onEmptyList_asksToMoveWindow_data();
    void leftPress_onEmptyList_asksToMoveWindow();
    void drop_addsLocalFiles();
    void fitColumns_fileNameTakesTheRest();
    void bigList_scrollsToPlayingRow();

private:
    void addRows(int count);
    QPoint rowCenter(int row) const;

    std::unique_ptr<PlaylistFixture> m_f;
    std::unique_ptr<QWidget> m_window;
    PlaylistView* m_view = nullptr;
    PlaylistMenus* m_menus = nullptr;
};

void TestPlaylistView::init()
{
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

void TestPlaylistView::cleanup()
{
    m_window.reset();
    m_f.reset();
}

void TestPlaylistView::addRows(int count)
{
    PlaylistModel::Batch batch(m_f->model);
    for (int n = 1; n <= count; ++n)
        m_f->model.AddFileToList(QStringLiteral("/m/movie %1.swf").arg(n), false, false);
}

QPoint TestPlaylistView::rowCenter(int row) const
{
    return m_view->visualRect(m_f->model.index(row - 1, PlaylistModel::ColFileName)).center();
}

void TestPlaylistView::setUp_hidesHeaderAndDurationPathColumns()
{
    QVERIFY(m_view->header()->isHidden());
    QVERIFY(!m_view->isColumnHidden(PlaylistModel::ColNumber));
    QVERIFY(!m_view->isColumnHidden(PlaylistModel::ColFileName));
    QVERIFY(!m_view->isColumnHidden(PlaylistModel::ColTimeShort));
    QVERIFY(m_view->isColumnHidden(PlaylistModel::ColTimeFull));
    QVERIFY(m_view->isColumnHidden(PlaylistModel::ColFilePath));
    QVERIFY(m_view->uniformRowHeights());
    QCOMPARE(m_view->selectionModel(), m_f->model.selectionModel());
    QCOMPARE(m_view->editTriggers(), QAbstractItemView::NoEditTriggers);
    QVERIFY(m_view->acceptDrops());
}

void TestPlaylistView::menus_haveTheirCaptions_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    const auto row
        = [](const char* name, const QString& caption) { QTest::newRow(name) << QString::fromLatin1(name) << caption; };
    row("mnuListInfo", QStringLiteral("属性"));
    row("mnuListPlay", QStringLiteral("播放"));
    row("mnuListDel", QStringLiteral("删除"));
    row("mnuListDelDup", QStringLiteral("移除重复项"));
    row("mnuListDelNotExist", QStringLiteral("移除失效项"));
    row("mnuListOpenDir", QStringLiteral("打开目录"));
    row("mnuListSort", QStringLiteral("排序"));
    row("mnuListSortAscending", QStringLiteral("升序"));
    row("mnuListSortByName", QStringLiteral("按名称"));
    row("mnuListSortByDir", QStringLiteral("按路径"));
    row("mnuListSortByTime", QStringLiteral("时长"));
    row("mnuListSortShuffle", QStringLiteral("打乱"));
    row("mnuListFontColor", QStringLiteral("设置字体"));
    row("mnuListFont", QStringLiteral("字体"));
    row("mnuListColor", QStringLiteral("颜色"));
    row("mnuListBtnOpenList", QStringLiteral("打开列表"));
    row("mnuListBtnSaveList", QStringLiteral("另存列表"));
}

void TestPlaylistView::menus_haveTheirCaptions()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QMenu* menu = name.startsWith(QStringLiteral("mnuListBtn")) ? m_menus->mnuListBtn() : m_menus->mnuList();
    auto* action = menu->findChild<QAction*>(name);
    if (!action) {
        // Submenus are found by their menu; their action carries the caption.
        auto* sub = menu->findChild<QMenu*>(name);
        QVERIFY2(sub, qPrintable(name));
        action = sub->menuAction();
    }
    QCOMPARE(action->text(), caption);
}

void TestPlaylistView::sortOrderItem_captionFollowsToggle()
{
    addRows(3);
    auto* item = m_menus->mnuList()->findChild<QAction*>(QStringLiteral("mnuListSortAscending"));
    QVERIFY(item);
    item->trigger();
    QCOMPARE(item->text(), QStringLiteral("降序"));
    item->trigger();
    QCOMPARE(item->text(), QStringLiteral("升序"));
    QCOMPARE(m_f->model.FilePath(1), QStringLiteral("/m/movie 3.swf"));
}

void TestPlaylistView::doubleClick_playsRowUnderPointer()
{
    // Even the row that is already playing starts again.
    addRows(3);
    m_f->transport.setUp(2, TransportControl::Playing);
    QTest::mouseDClick(m_view->viewport(), Qt::LeftButton, {}, rowCenter(2));
    QCOMPARE(m_f->model.SelectedRow(), 2);
    QCOMPARE(m_f->transport.calls.mid(m_f->transport.calls.size() - 3),
        (QStringList { QStringLiteral("SetPlayState 0"), QStringLiteral("SetCurrFileIndex 2"),
            QStringLiteral("PlayerBtns_Click 0") }));
}

void TestPlaylistView::keys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("rowsAfter");
    QTest::addColumn<int>("currentAfter");
    QTest::addColumn<int>("forwarded");
    QTest::newRow("Enter plays the selected row") << int(Qt::Key_Return) << 3 << 2 << 0;
    QTest::newRow("Delete removes it") << int(Qt::Key_Delete) << 2 << 1 << 0;
    QTest::newRow("F2 goes to the window") << int(Qt::Key_F2) << 3 << 1 << 1;
}

void TestPlaylistView::keys()
{
    QFETCH(int, key);
    QFETCH(int, rowsAfter);
    QFETCH(int, currentAfter);
    QFETCH(int, forwarded);
    addRows(3);
    m_f->transport.setUp(1, TransportControl::Playing);
    m_f->model.SelectRow(2);
    QSignalSpy keysOut(m_view, &PlaylistView::KeyForwarded);
    m_view->setFocus();
    QTest::keyClick(m_view, Qt::Key(key));
    QCOMPARE(m_f->model.RowCount(), rowsAfter);
    QCOMPARE(m_f->transport.CurrFileIndex(), currentAfter);
    QCOMPARE(keysOut.count(), forwarded);
    if (forwarded)
        QCOMPARE(keysOut.first().first().toInt(), key);
}

void TestPlaylistView::rightClick_selectsRowThenOpensMenu()
{
    addRows(3);
    m_f->model.SelectRow(1);
    QTest::mousePress(m_view->viewport(), Qt::RightButton, {}, rowCenter(3));
    QCOMPARE(m_f->model.SelectedRow(), 3);
    QVERIFY(!m_menus->mnuList()->isVisible());
    QTest::mouseRelease(m_view->viewport(), Qt::RightButton, {}, rowCenter(3));
    QTRY_VERIFY_WITH_TIMEOUT(m_menus->mnuList()->isVisible(), 2000);
    m_menus->mnuList()->hide();
}

void TestPlaylistView::leftPress_onEmptyList_asksToMoveWindow_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("requests");
    QTest::newRow("empty, stopped") << 0 << 0 << 1;
    QTest::newRow("empty, playing") << 0 << 1 << 0;
    QTest::newRow("empty, paused") << 0 << 2 << 0;
    QTest::newRow("with rows") << 2 << 0 << 0;
}

void TestPlaylistView::leftPress_onEmptyList_asksToMoveWindow()
{
    QFETCH(int, rows);
    QFETCH(int, state);
    QFETCH(int, requests);
    addRows(rows);
    m_f->transport.setUp(0, state);
    QSignalSpy drag(m_view, &PlaylistView::WindowDragRequested);
    QTest::mousePress(m_view->viewport(), Qt::LeftButton, {}, QPoint(50, 200));
    QTest::mouseRelease(m_view->viewport(), Qt::LeftButton, {}, QPoint(50, 200));
    QCOMPARE(drag.count(), requests);
}

void TestPlaylistView::drop_addsLocalFiles()
{
    QTemporaryDir dir;
    const QString movie = dir.filePath(QStringLiteral("dropped.swf"));
    QVERIFY(WriteAll(movie, "x"));
    QMimeData data;
    data.setUrls({ QUrl::fromLocalFile(movie), QUrl(QStringLiteral("https://example.org/remote.swf")) });
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(m_view->viewport(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(m_view->viewport(), &drop);
    QCOMPARE(m_f->model.RowCount(), 1);
    QCOMPARE(m_f->model.FilePath(1), movie);
    QCOMPARE(m_f->transport.CurrFileIndex(), 1); // an empty list starts its first row
}

void TestPlaylistView::fitColumns_fileNameTakesTheRest()
{
    addRows(10);
    const int w0 = m_view->columnWidth(PlaylistModel::ColNumber);
    const int w2 = m_view->columnWidth(PlaylistModel::ColTimeShort);
    QVERIFY(w0 >= m_view->fontMetrics().horizontalAdvance(QStringLiteral("10")));
    QVERIFY(w2 >= m_view->fontMetrics().horizontalAdvance(QStringLiteral("时长")));
    QCOMPARE(m_view->columnWidth(PlaylistModel::ColFileName),
        m_view->viewport()->width() - w0 - w2 - PlaylistView::RightMargin);
    m_view->resize(300, 300);
    QTRY_COMPARE_WITH_TIMEOUT(m_view->columnWidth(PlaylistModel::ColFileName),
        m_view->viewport()->width() - w0 - w2 - PlaylistView::RightMargin, 2000);
    QCOMPARE(m_view->columnWidth(PlaylistModel::ColNumber), w0);
}

void TestPlaylistView::bigList_scrollsToPlayingRow()
{
    addRows(100000);
    QCOMPARE(m_view->model()->rowCount(), 100000);
    QVERIFY(m_view->columnWidth(PlaylistModel::ColNumber)
        >= m_view->fontMetrics().horizontalAdvance(QStringLiteral("100000")));
    m_f->model.MarkPlayingItem(99999);
    QTRY_VERIFY_WITH_TIMEOUT(
        m_view->viewport()->rect().intersects(m_view->visualRect(m_f->model.index(99998, 0))), 2000);
    QCOMPARE(m_f->model.SelectedRow(), 99999);
}

QTEST_MAIN(TestPlaylistView)
#include "tst_playlistview.moc"
