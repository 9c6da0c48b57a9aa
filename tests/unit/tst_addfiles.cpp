#include "tests/support/playlistfixture.h"
#include "tests/support/testdir.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// Adding files through the dialog and by drops, and the list-file commands around them.
class TestAddFiles : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString path(const QString& relative) const { return m_dir.filePath(relative); }
    QStringList added(const PlaylistFixture& f, int from) const
    {
        return f.paths().mid(from).replaceInStrings(m_dir.path() + u'/', QString());
    }
private slots:
    void initTestCase()
    {
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("d/sub")) && QDir(m_dir.path()).mkpath(QStringLiteral("big")));
        for (const char* name : { "d/a.swf", "d/b.txt", "d/sub/c.swf", "loose.swf" })
            QVERIFY(WriteAll(path(QString::fromUtf8(name)), "not a movie"));
        for (int n = 0; n < 6; ++n)
            QVERIFY(WriteAll(path(QStringLiteral("big/%1.swf").arg(n)), "not a movie"));
        QVERIFY(WriteAll(path(QStringLiteral("two.m3u")), "d/a.swf||\r\nd/sub/c.swf||\r\n"));
        QVERIFY(WriteAll(path(QStringLiteral("list.txt")), "/m/new.swf||\r\n"));
    }

    void add_data()
    {
        QTest::addColumn<bool>("dialog");
        QTest::addColumn<int>("state"); // -1: an empty list; otherwise two rows, row 1 current
        QTest::addColumn<QStringList>("given");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QStringList>("calls");
        const QStringList play1 { u"SetCurrFileIndex 1"_s, u"PlayerBtns_Click 0"_s };
        const QStringList dir { u"d/a.swf"_s, u"d/sub/c.swf"_s };
        QTest::newRow("drop: folder onto an empty list plays row 1")
            << false << -1 << QStringList { u"d"_s } << dir << play1;
        QTest::newRow("drop: list file and movie onto an empty list")
            << false << -1 << QStringList { u"two.m3u"_s, u"loose.swf"_s } << dir + QStringList { u"loose.swf"_s }
            << QStringList { u"SetPlayState 0"_s } + play1 + play1;
        QTest::newRow("drop: list file onto a playing list plays its first row")
            << false << 1 << QStringList { u"two.m3u"_s, u"loose.swf"_s } << dir + QStringList { u"loose.swf"_s }
            << QStringList { u"SetPlayState 0"_s, u"SetCurrFileIndex 3"_s, u"PlayerBtns_Click 0"_s };
        QTest::newRow("drop: nothing playable")
            << false << -1 << QStringList { u"d/b.txt"_s, u"gone.m3u"_s } << QStringList() << QStringList();
        QTest::newRow("dialog while playing: only appended")
            << true << 1 << QStringList { u"loose.swf"_s } << QStringList { u"loose.swf"_s } << QStringList();
        QTest::newRow("dialog while paused: the first new row plays")
            << true << 2 << QStringList { u"d/b.txt"_s, u"loose.swf"_s, u"d/a.swf"_s }
            << QStringList { u"loose.swf"_s, u"d/a.swf"_s }
            << QStringList { u"SetCurrFileIndex 3"_s, u"SetPlayState 0"_s, u"PlayerBtns_Click 0"_s };
        QTest::newRow("dialog while stopped, no movie chosen")
            << true << 0 << QStringList { u"d/b.txt"_s } << QStringList() << QStringList();
        QTest::newRow("dialog cancelled") << true << 0 << QStringList() << QStringList() << QStringList();
    }
    void add()
    {
        QFETCH(bool, dialog);
        QFETCH(int, state);
        QFETCH(QStringList, given);
        QFETCH(QStringList, expected);
        QFETCH(QStringList, calls);
        PlaylistFixture f;
        if (state >= 0) {
            f.add({ u"/old/1.swf"_s, u"/old/2.swf"_s });
            f.transport.setUp(1, state);
        }
        for (QString& name : given)
            name = path(name);
        f.ui.swfFiles = given;
        dialog ? f.commands.ListBtn_Click(0) : f.commands.AddDroppedFiles(given);
        QCOMPARE(f.commands.RunningAddition(), nullptr);
        QCOMPARE(added(f, state >= 0 ? 2 : 0), expected);
        QCOMPARE(f.transport.calls, calls);
        QCOMPARE(f.numbers(), CountTo(f.model.RowCount()));
    }

    void largeTree_runsInSlicesAndCanBeCancelled()
    {
        PlaylistFixture f;
        AddFilesJob job(f.model, f.transport, { path(QStringLiteral("big")) }, AddFilesJob::Origin::Drop);
        QSignalSpy done(&job, &AddFilesJob::Done);
        QVERIFY(!job.RunFor(0)); // a slice of no time still adds one path
        QVERIFY(!job.RunFor(0));
        QCOMPARE(f.model.RowCount() + job.Collected(), 4);
        job.Cancel();
        QVERIFY(job.RunFor(1000) && job.RunFor(1000));
        QCOMPARE(done.count(), 1);
        QCOMPARE(f.model.RowCount(), 2); // what was added stays, and plays
        QCOMPARE(f.transport.calls, QStringList({ u"SetCurrFileIndex 1"_s, u"PlayerBtns_Click 0"_s }));
    }

    // A file that is not a movie makes the window show a message, which spins an event loop in the
    // middle of a slice; the next slice and a drop made meanwhile wait for it to end.
    void nestedEventLoopWhileAdding_keepsOrder()
    {
        PlaylistFixture f;
        int depth = 0;
        int deepest = 0;
        connect(&f.model, &PlaylistModel::NotFlashFile, this, [&] {
            deepest = std::max(deepest, ++depth);
            if (f.model.RowCount() == 1)
                f.commands.AddDroppedFiles({ path(u"loose.swf"_s) });
            QCoreApplication::processEvents();
            QCoreApplication::processEvents();
            --depth;
        });
        f.commands.SetAdditionSliceMs(0);
        f.commands.AddDroppedFiles({ path(u"big"_s) });
        QCOMPARE(f.ui.calls, QStringList { u"WatchAddition"_s });
        QCOMPARE(f.ui.watched, f.commands.RunningAddition());
        QTRY_COMPARE_WITH_TIMEOUT(f.commands.RunningAddition(), nullptr, 20000);
        QCOMPARE(deepest, 1);
        QCOMPARE(added(f, 0),
            QStringList({ u"big/0.swf"_s, u"big/1.swf"_s, u"big/2.swf"_s, u"big/3.swf"_s, u"big/4.swf"_s,
                u"big/5.swf"_s, u"loose.swf"_s }));
        QCOMPARE(f.transport.CurrFileIndex(), 1);
    }

    void openList_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QStringList>("calls"); // the list had two rows, row 2 playing
        QTest::newRow("cancelled") << "" << QStringList();
        QTest::newRow("the list replaces the rows and plays")
            << "two.m3u" << QStringList { u"SetPlayState 0"_s, u"SetCurrFileIndex 1"_s, u"PlayerBtns_Click 0"_s };
        QTest::newRow("other ending: the list empties and stops") << "list.txt" << QStringList { u"SetPlayState 0"_s };
    }
    void openList()
    {
        QFETCH(QString, chosen);
        QFETCH(QStringList, calls);
        PlaylistFixture f(m_dir.path());
        f.add({ u"/m/a.swf"_s, u"/m/b.swf"_s });
        f.transport.setUp(2, TransportControl::Playing);
        f.ui.listToOpen = chosen.isEmpty() ? QString() : path(chosen);
        f.commands.OpenListWithDialog();
        QCOMPARE(f.ui.calls, QStringList { u"ChooseListFileToOpen "_s + m_dir.path() });
        QCOMPARE(f.model.RowCount(), calls.size() == 1 ? 0 : 2);
        QCOMPARE(f.transport.calls, calls);
    }

    void saveList()
    {
        PlaylistFixture f(path(QStringLiteral("config/Quenbarrowick"))); // a first run: no data folder yet
        f.add({ u"/m/a.swf"_s });
        QVERIFY(f.commands.SaveListToFile().ok);
        QCOMPARE(ReadAll(path(QStringLiteral("config/Quenbarrowick/PlayList.m3u"))), QByteArray("/m/a.swf||\r\n"));
        f.ui.listToSave = path(QStringLiteral("loose.swf/x.m3u"));
        f.commands.SaveListAs();
        QCOMPARE(f.ui.calls.size(), 2);
        QVERIFY2(
            f.ui.calls.last().startsWith(u"ShowMessage 另存列表: "_s) && f.ui.calls.last().contains(f.ui.listToSave),
            qPrintable(f.ui.calls.last()));
        f.ui.listToSave = path(QStringLiteral("mine"));
        f.commands.SaveListAs();
        QCOMPARE(ReadAll(path(QStringLiteral("mine"))), QByteArray("/m/a.swf||\r\n"));
        QCOMPARE(f.ui.calls.size(), 3);
    }
};

QTEST_GUILESS_MAIN(TestAddFiles)
#include "tst_addfiles.moc"
