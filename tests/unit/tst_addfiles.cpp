#include "tests/support/playlistfixture.h"
#include "tests/support/testdir.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// Adding files through the dialog and by drops, and the list-file commands around them. Table rows
// are strings: "|" between fields, " " between paths (relative to a temporary folder), "," between calls.
class TestAddFiles : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString path(const QString& relative) const { return m_dir.filePath(relative); }
    QString added(const PlaylistFixture& f, int from) const
    {
        return f.paths().mid(from).join(u' ').remove(m_dir.path() + u'/');
    }
private slots:
    void initTestCase()
    {
        QVERIFY(QDir(m_dir.path()).mkpath(u"d/sub"_s) && QDir(m_dir.path()).mkpath(u"big"_s));
        for (const QString& name : { u"d/a.swf"_s, u"d/b.txt"_s, u"d/sub/c.swf"_s, u"loose.swf"_s })
            QVERIFY(WriteAll(path(name), "not a movie"));
        for (int n = 0; n < 6; ++n)
            QVERIFY(WriteAll(path(u"big/%1.swf"_s.arg(n)), "not a movie"));
        QVERIFY(WriteAll(path(u"two.m3u"_s), "d/a.swf||\r\nd/sub/c.swf||\r\n")
            && WriteAll(path(u"list.txt"_s), "/n.swf||"));
    }

    // "drop, dialog or open (a list)|state (- for an empty list, else two rows, row 1 current)|given (- none)|
    // rows after the first two (all rows when opening)|calls"
    void add_data()
    {
        QTest::addColumn<QString>("row");
        const QString playFirst = u"SetCurrFileIndex 1,PlayerBtns_Click 0"_s;
        QTest::newRow("drop: folder onto an empty list plays row 1") << u"drop|-|d|d/a.swf d/sub/c.swf|"_s + playFirst;
        QTest::newRow("drop: a list file plays its first row")
            << "drop|1|two.m3u loose.swf|d/a.swf d/sub/c.swf loose.swf|SetPlayState 0,SetCurrFileIndex "
               "3,PlayerBtns_Click 0";
        QTest::newRow("drop: nothing playable") << "drop|-|d/b.txt gone.m3u||";
        QTest::newRow("dialog while playing: only appended") << "dialog|1|loose.swf|loose.swf|";
        QTest::newRow("dialog while paused: the first new row plays")
            << "dialog|2|d/b.txt loose.swf d/a.swf|loose.swf d/a.swf|SetCurrFileIndex 3,SetPlayState "
               "0,PlayerBtns_Click 0";
        QTest::newRow("open cancelled") << "open|1|-|/old/1.swf /old/2.swf|";
        QTest::newRow("open: the list replaces the rows and plays")
            << u"open|1|two.m3u|d/a.swf d/sub/c.swf|SetPlayState 0,"_s + playFirst;
    }
    void add()
    {
        QFETCH(QString, row);
        const QStringList f = row.split(u'|');
        PlaylistFixture fixture(m_dir.path());
        if (f[1] != u"-") {
            fixture.add({ u"/old/1.swf"_s, u"/old/2.swf"_s });
            fixture.transport.setUp(1, f[1].toInt());
        }
        for (const QString& name : f[2].split(u' '))
            fixture.ui.swfFiles.append(f[2] == u"-" ? QString() : path(name));
        fixture.ui.listToOpen = fixture.ui.swfFiles.first();
        f[0] == u"dialog"     ? fixture.commands.ListBtn_Click(0)
            : f[0] == u"open" ? fixture.commands.OpenListWithDialog()
                              : fixture.commands.AddDroppedFiles(fixture.ui.swfFiles);
        QTRY_COMPARE(fixture.commands.RunningAddition(), nullptr); // a loaded machine may need more slices
        QCOMPARE(added(fixture, f[1] == u"-" || f[0] == u"open" ? 0 : 2), f[3]);
        QCOMPARE(fixture.transport.calls.join(u','), f[4]);
        QCOMPARE(fixture.numbers(), CountTo(fixture.model.RowCount()));
        QVERIFY(f[0] != u"open" || fixture.ui.calls == QStringList { u"ChooseListFileToOpen "_s + m_dir.path() });
    }

    // Cancelled, the rows added so far stay and play.
    void cancelledAdditionPlays()
    {
        PlaylistFixture f;
        AddFilesJob job(f.model, f.transport, { path(u"big"_s) }, AddFilesJob::Origin::Drop);
        QVERIFY(!job.RunFor(0) && !job.RunFor(0));
        job.Cancel();
        QVERIFY(job.RunFor(1000) && f.model.RowCount() == 2);
        QCOMPARE(f.transport.calls.join(u','), u"SetCurrFileIndex 1,PlayerBtns_Click 0"_s);
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
        QVERIFY(f.ui.calls == QStringList { u"WatchAddition"_s } && f.ui.watched == f.commands.RunningAddition());
        QTRY_COMPARE_WITH_TIMEOUT(f.commands.RunningAddition(), nullptr, 20000);
        QCOMPARE(deepest, 1);
        QCOMPARE(added(f, 0), u"big/0.swf big/1.swf big/2.swf big/3.swf big/4.swf big/5.swf loose.swf"_s);
    }

    // The first save makes the data folder; a failed "save as" says why.
    void saveList()
    {
        PlaylistFixture f(path(u"config/Quenbarrowick"_s));
        f.add({ u"/m/a.swf"_s });
        QVERIFY(f.commands.SaveListToFile().ok);
        QCOMPARE(ReadAll(path(u"config/Quenbarrowick/PlayList.m3u"_s)), QByteArray("/m/a.swf||\r\n"));
        for (const QString& name : { u"loose.swf/x.m3u"_s, u"mine"_s }) {
            f.ui.listToSave = path(name);
            f.commands.SaveListAs();
        }
        QCOMPARE(ReadAll(path(u"mine"_s)), QByteArray("/m/a.swf||\r\n"));
        QVERIFY(f.ui.calls[1].startsWith(
            u"ShowMessage 另存列表: 无法保存列表文件 %1：\n"_s.arg(path(u"loose.swf/x.m3u"_s))));
    }
};

QTEST_GUILESS_MAIN(TestAddFiles)
#include "tst_addfiles.moc"
