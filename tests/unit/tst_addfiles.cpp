#include "tests/support/filetree.h"
#include "tests/support/playlistfixture.h"
#include "tests/support/texttablerow.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

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
        QVERIFY(MakeTree(m_dir.path(),
            u"d/a.swf d/b.txt d/sub/c.swf loose.swf big/0.swf big/1.swf big/2.swf big/3.swf "
            "big/4.swf big/5.swf"_qs));
        QVERIFY(WriteAll(path(u"two.m3u"_qs), "d/a.swf||\r\nd/sub/c.swf||\r\n")
            && WriteAll(path(u"list.txt"_qs), "/n.swf||"));
    }

    // "drop, dialog or open (a list)|state (- for an empty list, else two rows, row 1 current)|given (- none) =>
    // rows after the first two (all rows when opening)|calls", S, C and B standing for SetPlayState,
    // SetCurrFileIndex and PlayerBtns_Click.
    void add_data()
    {
        TextTable(uR"(
drop, folder onto an empty list plays row 1: drop|-|d => d/a.swf d/sub/c.swf|C1,B0
drop, a list file plays its first row: drop|1|two.m3u loose.swf => d/a.swf d/sub/c.swf loose.swf|S0,C3,B0
drop, nothing playable: drop|-|d/b.txt gone.m3u => |
dialog while playing, only appended: dialog|1|loose.swf => loose.swf|
dialog while paused, the first new row plays: dialog|2|d/b.txt loose.swf d/a.swf => loose.swf d/a.swf|C3,S0,B0
open cancelled: open|1|- => /old/1.swf /old/2.swf|
open, the list replaces the rows and plays: open|1|two.m3u => d/a.swf d/sub/c.swf|S0,C1,B0
)"_qs);
    }
    void add()
    {
        const auto [given, expected] = TextRow();
        const QStringList f = given.split(u'|');
        PlaylistFixture fixture(m_dir.path());
        if (f[1] != u"-") {
            fixture.add({ u"/old/1.swf"_qs, u"/old/2.swf"_qs });
            fixture.transport.setUp(1, f[1].toInt());
        }
        for (const QString& name : f[2].split(u' '))
            fixture.ui.swfFiles.append(f[2] == u"-" ? QString() : path(name));
        fixture.ui.listToOpen = fixture.ui.swfFiles.first();
        f[0] == u"dialog"     ? fixture.commands.ListBtn_Click(0)
            : f[0] == u"open" ? fixture.commands.OpenListWithDialog()
                              : fixture.commands.AddDroppedFiles(fixture.ui.swfFiles);
        QTRY_COMPARE(fixture.commands.RunningAddition(), nullptr); // a loaded machine may need more slices
        QCOMPARE(added(fixture, f[1] == u"-" || f[0] == u"open" ? 0 : 2) + u'|' + ShortCalls(fixture.transport.calls),
            expected);
        QCOMPARE(fixture.numbers(), CountTo(fixture.model.RowCount()));
        QVERIFY(f[0] != u"open" || fixture.ui.calls == QStringList { u"ChooseListFileToOpen "_qs + m_dir.path() });
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
                f.commands.AddDroppedFiles({ path(u"loose.swf"_qs) });
            QCoreApplication::processEvents();
            QCoreApplication::processEvents();
            --depth;
        });
        f.commands.SetAdditionSliceMs(0);
        f.commands.AddDroppedFiles({ path(u"big"_qs) });
        QVERIFY(f.ui.calls == QStringList { u"WatchAddition"_qs } && f.ui.watched == f.commands.RunningAddition());
        QTRY_COMPARE_WITH_TIMEOUT(f.commands.RunningAddition(), nullptr, 20000);
        QCOMPARE(deepest, 1);
        QCOMPARE(added(f, 0), u"big/0.swf big/1.swf big/2.swf big/3.swf big/4.swf big/5.swf loose.swf"_qs);
    }

    // The first save makes the data folder; a failed "save as" says why.
    void saveList()
    {
        PlaylistFixture f(path(u"config/Quenbarrowick"_qs));
        f.add({ u"/m/a.swf"_qs });
        QVERIFY(f.commands.SaveListToFile().ok);
        QCOMPARE(ReadAll(path(u"config/Quenbarrowick/PlayList.m3u"_qs)), QByteArray("/m/a.swf||\r\n"));
        for (const QString& name : { u"loose.swf/x.m3u"_qs, u"mine"_qs }) {
            f.ui.listToSave = path(name);
            f.commands.SaveListAs();
        }
        QCOMPARE(ReadAll(path(u"mine"_qs)), QByteArray("/m/a.swf||\r\n"));
        QVERIFY(f.ui.calls[1].startsWith(
            u"ShowMessage 另存列表: 无法保存列表文件 %1：\n"_qs.arg(path(u"loose.swf/x.m3u"_qs))));
    }
};

QTEST_GUILESS_MAIN(TestAddFiles)
#include "tst_addfiles.moc"
