#include "playlist/addfilesjob.h"
#include "swf/formatting.h"
#include "tests/support/filesizelimit.h"
#include "tests/support/playlistfixture.h"
#include "tools/swfgen/swfwriter.h"
#include "tests/support/testdir.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

// Adding files through the dialog and by drops, and the list-file commands around them.
class TestAddFiles : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void drop_data();
    void drop();
    void openSwfFiles_data();
    void openSwfFiles();
    void openSwfFiles_cancelled_changesNothing();
    void largeTree_runsInSlicesAndCanBeCancelled();
    void largeTree_completesThroughTheEventLoop();
    void nestedEventLoopWhileAdding_keepsOrder();
    void openListCommand_data();
    void openListCommand();
    void saveListToFile_createsTheDataFolder();
    void saveListAs_data();
    void saveListAs();

private:
    QString file(const QString& relative, const QByteArray& bytes = "x");
    QStringList paths() const;

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<PlaylistFixture> m_f;
};

void TestAddFiles::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_f = std::make_unique<PlaylistFixture>(m_dir->path());
}

void TestAddFiles::cleanup()
{
    m_f.reset();
}

QString TestAddFiles::file(const QString& relative, const QByteArray& bytes)
{
    const QString path = m_dir->filePath(relative);
    QDir().mkpath(QFileInfo(path).path());
    return WriteAll(path, bytes) ? path : QString();
}

QStringList TestAddFiles::paths() const
{
    QStringList out;
    for (int row = 1; row <= m_f->model.RowCount(); ++row)
        out.append(m_f->model.FilePath(row).mid(m_dir->path().size() + 1));
    return out;
}

void TestAddFiles::drop_data()
{
    QTest::addColumn<int>("existingRows");
    QTest::addColumn<QStringList>("dropped");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QStringList>("calls");
    const QStringList startRow1 { QStringLiteral("SetCurrFileIndex 1"), QStringLiteral("PlayerBtns_Click 0") };
    QTest::newRow("folder onto an empty list starts row 1")
        << 0 << QStringList { QStringLiteral("d") }
        << QStringList { QStringLiteral("d/a.swf"), QStringLiteral("d/sub/c.swf") } << startRow1;
    QTest::newRow("list file and movie onto an empty list")
        << 0 << QStringList { QStringLiteral("two.m3u"), QStringLiteral("loose.swf") }
        << QStringList { QStringLiteral("d/a.swf"), QStringLiteral("d/sub/c.swf"), QStringLiteral("loose.swf") }
        << (QStringList { QStringLiteral("SetPlayState 0") } + startRow1 + startRow1);
    QTest::newRow("onto a playing list: nothing restarts")
        << 2 << QStringList { QStringLiteral("d"), QStringLiteral("loose.swf") }
        << QStringList { QStringLiteral("old/1.swf"), QStringLiteral("old/2.swf"), QStringLiteral("d/a.swf"),
               QStringLiteral("d/sub/c.swf"), QStringLiteral("loose.swf") }
        << QStringList {};
    QTest::newRow("list file onto three rows starts row 4")
        << 3 << QStringList { QStringLiteral("two.m3u") }
        << QStringList { QStringLiteral("old/1.swf"), QStringLiteral("old/2.swf"), QStringLiteral("old/3.swf"),
               QStringLiteral("d/a.swf"), QStringLiteral("d/sub/c.swf") }
        << QStringList { QStringLiteral("SetPlayState 0"), QStringLiteral("SetCurrFileIndex 4"),
               QStringLiteral("PlayerBtns_Click 0") };
    QTest::newRow("nothing playable onto an empty list")
        << 0 << QStringList { QStringLiteral("d/b.txt"), QStringLiteral("gone.m3u") } << QStringList {}
        << QStringList {};
}

void TestAddFiles::drop()
{
    QFETCH(int, existingRows);
    QFETCH(QStringList, dropped);
    QFETCH(QStringList, expected);
    QFETCH(QStringList, calls);
    file(QStringLiteral("d/a.swf"));
    file(QStringLiteral("d/b.txt"));
    file(QStringLiteral("d/sub/c.swf"));
    file(QStringLiteral("loose.swf"));
    file(QStringLiteral("two.m3u"), "d/a.swf||\r\nd/sub/c.swf||\r\n");
    for (int n = 1; n <= existingRows; ++n)
        m_f->model.AddFileToList(m_dir->filePath(QStringLiteral("old/%1.swf").arg(n)), false, false);
    if (existingRows)
        m_f->transport.setUp(1, TransportControl::Playing);
    QStringList full;
    for (const QString& path : dropped)
        full.append(m_dir->filePath(path));

    m_f->commands.AddDroppedFiles(full);
    QCOMPARE(m_f->commands.RunningAddition(), nullptr);
    QCOMPARE(paths(), expected);
    QCOMPARE(m_f->transport.calls, calls);
    if (m_f->model.RowCount() > 0)
        QCOMPARE(
            m_f->model.Text(m_f->model.RowCount(), PlaylistModel::ColNumber), QString::number(m_f->model.RowCount()));
}

void TestAddFiles::openSwfFiles_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<QStringList>("chosen");
    QTest::addColumn<QStringList>("calls");
    const QStringList three { QStringLiteral("a.swf"), QStringLiteral("b.swf"), QStringLiteral("c.swf") };
    const QStringList start3 { QStringLiteral("SetCurrFileIndex 3"), QStringLiteral("SetPlayState 0"),
        QStringLiteral("PlayerBtns_Click 0") };
    QTest::newRow("while playing: only appended") << 1 << three << QStringList {};
    QTest::newRow("while paused: the first of them starts") << 2 << three << start3;
    QTest::newRow("while stopped: the first of them starts") << 0 << three << start3;
    QTest::newRow("first choice not a movie")
        << 0 << QStringList { QStringLiteral("notes.txt"), QStringLiteral("a.swf") } << start3;
    QTest::newRow("no movie chosen: nothing starts")
        << 2 << QStringList { QStringLiteral("notes.txt") } << QStringList {};
}

void TestAddFiles::openSwfFiles()
{
    QFETCH(int, state);
    QFETCH(QStringList, chosen);
    QFETCH(QStringList, calls);
    m_f->model.AddFileToList(file(QStringLiteral("old1.swf")), false, false);
    m_f->model.AddFileToList(file(QStringLiteral("old2.swf")), false, false);
    m_f->transport.setUp(1, state);
    for (const QString& name : chosen)
        m_f->ui.swfFiles.append(file(name));

    m_f->commands.ListBtn_Click(0);
    QCOMPARE(m_f->ui.calls, QStringList { QStringLiteral("ChooseSwfFiles") });
    QStringList expected { QStringLiteral("old1.swf"), QStringLiteral("old2.swf") };
    for (const QString& name : chosen) {
        if (name.endsWith(QStringLiteral(".swf")))
            expected.append(name);
    }
    QCOMPARE(paths(), expected);
    QCOMPARE(m_f->transport.calls, calls);
}

void TestAddFiles::openSwfFiles_cancelled_changesNothing()
{
    m_f->commands.OpenSwfFiles();
    QCOMPARE(m_f->model.RowCount(), 0);
    QCOMPARE(m_f->transport.calls, QStringList {});
}

void TestAddFiles::largeTree_runsInSlicesAndCanBeCancelled()
{
    for (int n = 0; n < 30; ++n)
        file(QStringLiteral("big/%1/movie.swf").arg(n));
    AddFilesJob job(m_f->model, m_f->transport, { m_dir->filePath(QStringLiteral("big")) }, AddFilesJob::Origin::Drop);
    QSignalSpy progress(&job, &AddFilesJob::Progress);
    QSignalSpy done(&job, &AddFilesJob::Done);
    QVERIFY(!job.RunFor(0)); // a slice of no time still adds one path
    QCOMPARE(m_f->model.RowCount(), 1);
    QVERIFY(!job.RunFor(0));
    QCOMPARE(m_f->model.RowCount(), 2);
    QCOMPARE(progress.count(), 2);
    QCOMPARE(progress.last().first().toInt(), 2);
    QCOMPARE(done.count(), 0);
    QCOMPARE(m_f->transport.calls, QStringList {});

    job.Cancel();
    QVERIFY(job.RunFor(1000));
    QCOMPARE(done.count(), 1);
    QCOMPARE(m_f->model.RowCount(), 2); // what was added stays
    QCOMPARE(m_f->transport.calls,
        (QStringList { QStringLiteral("SetCurrFileIndex 1"), QStringLiteral("PlayerBtns_Click 0") }));
    QVERIFY(job.RunFor(1000));
    QCOMPARE(done.count(), 1);
}

void TestAddFiles::largeTree_completesThroughTheEventLoop()
{
    swfgen::MovieSpec movieSpec;
    const QByteArray movie = swfgen::WriteMovie(movieSpec);
    const int count = 40;
    for (int n = 0; n < count; ++n)
        file(QStringLiteral("big/%1/%2.swf").arg(n % 5).arg(n), movie);
    QSignalSpy inserted(&m_f->model, &QAbstractItemModel::rowsInserted);
    m_f->commands.SetAdditionSliceMs(0);
    m_f->commands.AddDroppedFiles({ m_dir->filePath(QStringLiteral("big")) });
    QVERIFY(m_f->commands.RunningAddition());
    QCOMPARE(m_f->model.RowCount(), 1);
    QCOMPARE(m_f->ui.calls, QStringList { QStringLiteral("WatchAddition") });
    QCOMPARE(m_f->ui.watched, m_f->commands.RunningAddition());
    QTRY_COMPARE_WITH_TIMEOUT(m_f->model.RowCount(), count, 20000);
    QTRY_COMPARE_WITH_TIMEOUT(m_f->commands.RunningAddition(), nullptr, 5000);
    QCOMPARE(inserted.count(), count); // one path per turn: every turn shows its row
    QCOMPARE(m_f->model.Text(count, PlaylistModel::ColTimeFull), FormatDuration(1, DurationFull));
    QCOMPARE(m_f->transport.CurrFileIndex(), 1);
}

void TestAddFiles::nestedEventLoopWhileAdding_keepsOrder()
{
    // Files that are not movies make the window show a message, which spins an event loop in the
    // middle of a slice; the next slice and any drop made meanwhile must wait for it to end.
    for (int n = 0; n < 6; ++n)
        file(QStringLiteral("d/%1.swf").arg(n), "not a movie");
    const QString late = file(QStringLiteral("late.swf"), "not a movie either");
    bool droppedLate = false;
    int depth = 0;
    int deepest = 0;
    connect(&m_f->model, &PlaylistModel::NotFlashFile, this, [&] {
        deepest = std::max(deepest, ++depth);
        if (!droppedLate) {
            droppedLate = true;
            m_f->commands.AddDroppedFiles({ late });
        }
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        --depth;
    });
    m_f->commands.SetAdditionSliceMs(0);
    m_f->commands.AddDroppedFiles({ m_dir->filePath(QStringLiteral("d")) });
    QTRY_COMPARE_WITH_TIMEOUT(m_f->commands.RunningAddition(), nullptr, 20000);
    QCOMPARE(deepest, 1);
    QCOMPARE(paths(),
        (QStringList { QStringLiteral("d/0.swf"), QStringLiteral("d/1.swf"), QStringLiteral("d/2.swf"),
            QStringLiteral("d/3.swf"), QStringLiteral("d/4.swf"), QStringLiteral("d/5.swf"),
            QStringLiteral("late.swf") }));
}

void TestAddFiles::openListCommand_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QStringList>("calls");
    QTest::newRow("cancelled") << QString() << 2 << QStringList {};
    QTest::newRow("list replaces the rows and plays")
        << QStringLiteral("list.m3u") << 1
        << QStringList { QStringLiteral("SetPlayState 0"), QStringLiteral("SetCurrFileIndex 1"),
               QStringLiteral("PlayerBtns_Click 0") };
    QTest::newRow("name without the ending empties the list and stops")
        << QStringLiteral("list.txt") << 0 << QStringList { QStringLiteral("SetPlayState 0") };
    QTest::newRow("empty list file stops")
        << QStringLiteral("empty.m3u") << 0 << QStringList { QStringLiteral("SetPlayState 0") };
}

void TestAddFiles::openListCommand()
{
    QFETCH(QString, chosen);
    QFETCH(int, rows);
    QFETCH(QStringList, calls);
    file(QStringLiteral("list.m3u"), "/m/new.swf|1:00|00:01:00\r\n");
    file(QStringLiteral("list.txt"), "/m/new.swf|1:00|00:01:00\r\n");
    file(QStringLiteral("empty.m3u"), "");
    m_f->model.AddFileToList(QStringLiteral("/m/a.swf"), false, false);
    m_f->model.AddFileToList(QStringLiteral("/m/b.swf"), false, false);
    m_f->transport.setUp(2, TransportControl::Playing);
    m_f->ui.listToOpen = chosen.isEmpty() ? QString() : m_dir->filePath(chosen);

    m_f->commands.OpenListWithDialog();
    QCOMPARE(m_f->ui.calls, QStringList { QStringLiteral("ChooseListFileToOpen ") + m_dir->path() });
    QCOMPARE(m_f->model.RowCount(), rows);
    QCOMPARE(m_f->transport.calls, calls);
}

void TestAddFiles::saveListToFile_createsTheDataFolder()
{
    PlaylistFixture fresh(m_dir->filePath(QStringLiteral("config/Quenbarrowick")));
    fresh.add({ QStringLiteral("/m/a.swf") });
    QVERIFY(fresh.commands.SaveListToFile().ok);
    QCOMPARE(fresh.commands.ListFilePath(), m_dir->filePath(QStringLiteral("config/Quenbarrowick/PlayList.m3u")));
    QCOMPARE(ReadAll(fresh.commands.ListFilePath()), QByteArray("/m/a.swf||\r\n"));
}

void TestAddFiles::saveListAs_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("written under the name as typed") << QStringLiteral("ok");
    QTest::newRow("folder is a file") << QStringLiteral("notdir");
    QTest::newRow("full disk") << QStringLiteral("full");
    QTest::newRow("cancelled") << QStringLiteral("cancel");
}

void TestAddFiles::saveListAs()
{
    QFETCH(QString, how);
    for (int n = 0; n < 100; ++n)
        m_f->model.AddFileToList(QStringLiteral("/some/long/enough/folder/name/movie %1.swf").arg(n), false, false);
    const QByteArray old("/old.swf||\r\n");
    const QString target = file(QStringLiteral("mylist"), old);
    m_f->ui.listToSave = how == u"cancel" ? QString() : how == u"notdir" ? target + QStringLiteral("/x.m3u") : target;

    if (how == u"full") {
        FileSizeLimit limit(1024);
        QVERIFY(limit.ok());
        m_f->commands.SaveListAs();
    } else {
        m_f->commands.SaveListAs();
    }

    QCOMPARE(m_f->model.RowCount(), 100);
    QCOMPARE(m_f->ui.calls.first(), QStringLiteral("ChooseListFileToSave"));
    if (how == u"ok") {
        QCOMPARE(m_f->ui.calls.size(), 1);
        QVERIFY(ReadAll(target).startsWith("/some/long/enough/folder/name/movie 0.swf||\r\n"));
    } else if (how == u"cancel") {
        QCOMPARE(m_f->ui.calls.size(), 1);
        QCOMPARE(ReadAll(target), old);
    } else {
        QCOMPARE(m_f->ui.calls.size(), 2);
        QVERIFY2(m_f->ui.calls.last().startsWith(QStringLiteral("ShowMessage 另存列表: ")),
            qPrintable(m_f->ui.calls.last()));
        QVERIFY(m_f->ui.calls.last().contains(m_f->ui.listToSave));
        QCOMPARE(ReadAll(target), old);
    }
}

QTEST_GUILESS_MAIN(TestAddFiles)
#include "tst_addfiles.moc"
