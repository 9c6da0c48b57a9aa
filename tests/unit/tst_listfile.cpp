#include "core/inifile.h"
#include "playlist/listfile.h"
#include "tests/support/filesizelimit.h"
#include "tests/support/playlistfixture.h"
#include "tests/support/testdir.h"
#include "tests/support/texttablerow.h"
#include "tools/swfgen/swfwriter.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

// Saves the list the program's way, or settings about as long as the list's file would be.
static bool save(const QString& path, const PlaylistFixture& list)
{
    if (path.endsWith(u".ini"_qs))
        return WriteIni(path, u"Options"_qs, u"ListFontName"_qs, QString(200 * list.model.RowCount(), u'字'));
    return WriteListFile(list.model, path).ok;
}

// In a child process (the size limit stays with it): a small saved file, then a larger save that meets a full disk.
// The exit code: 1 if the save went through, + 2 if the old file changed, + 4 if anything was left beside it.
static int saveOnFullDisk(const PlaylistFixture& small, const PlaylistFixture& large, const QString& path)
{
    save(path, small);
    const QByteArray old = ReadAll(path);
    const FileSizeLimit limit(old.size() + 100);
    const bool saved = save(path, large);
    return int(saved) + (ReadAll(path) == old ? 0 : 2)
        + (QDir(QFileInfo(path).path()).entryList(QDir::Files | QDir::Hidden).size() == 1 ? 0 : 4);
}

// Table rows are strings with " => " between fields.
class TestListFile : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    PlaylistFixture m_small, m_large;
private slots:
    // "the file's text => each line read as path|F|short|full (F: the line had fields), then ;"
    void parse_data()
    {
        QTest::addColumn<QString>("row");
        QTest::newRow("our own lines, no final line end")
            << "/a.swf|1:00|00:01:00\r\n/b.swf|| => /a.swf|F|1:00|00:01:00;/b.swf|F||";
        QTest::newRow("byte-order mark") << "\uFEFF/动画.swf\n => /动画.swf|-||";
        QTest::newRow("bar inside a path") << "/a|b.swf|1:00|00:01:00 => /a|b.swf|F|1:00|00:01:00";
        QTest::newRow("fields after the third ignored") << "/a|1:00|00:01:00|x.swf => /a|F|1:00|00:01:00";
        QTest::newRow("only one duration at the end") << "/a|b.swf|1:00|x => /a|F|b.swf|1:00";
        QTest::newRow("comments and blank lines") << "#EXTM3U\r\n\r\n#EXTINF:1,x.swf\r\n  \n => /lists/  |-||";
        QTest::newRow("relative paths against the list's folder, also with backslashes")
            << "s/a.swf\n../b.swf||\n动画/子\\d.swf => /lists/s/a.swf|-||;/b.swf|F||;/lists/动画/子/d.swf|-||";
        QTest::newRow("windows paths stand as written")
            << "D:\\a.swf\nC:/b.swf\n\\\\srv\\c.swf => D:\\a.swf|-||;C:/b.swf|-||;\\\\srv\\c.swf|-||";
        QTest::newRow("file URL") << "file:///m/a%20b#1%EF%BF%BF.swf\n => /m/a b#1\uFFFF.swf|-||";
    }
    void parse()
    {
        QFETCH(QString, row);
        QStringList got;
        for (const ListFileLine& line : ParseListFile(row.section(u" => "_qs, 0, 0).toUtf8(), u"/lists"_qs))
            got.append(
                QStringList { line.path, line.hasFields ? u"F"_qs : u"-"_qs, line.timeShort, line.timeFull }.join(
                    u'|'));
        QCOMPARE(got.join(u';'), row.section(u" => "_qs, 1));
    }

    // Linux allows "|" and line breaks in names; neither may cost the row. "%20" is no escape here. A row
    // written on Windows shows the name after the last "\".
    void saveAndOpen()
    {
        PlaylistFixture f;
        QVERIFY(WriteListFile(f.model, m_dir.filePath(u"empty.m3u"_qs)).ok);
        QCOMPARE(ReadAll(m_dir.filePath(u"empty.m3u"_qs)), QByteArray());
        f.add({ u"/动画/猫.SWF"_qs, u"/m/a|b.swf"_qs, u"/m/two\nlines.swf"_qs, u"/m/%20 #1.swf"_qs,
            u"D:\\动\\e.swf"_qs });
        f.model.SetDurations(1, u"1:05"_qs, u"00:01:05"_qs);
        QVERIFY(ListFileBytes(f.model).startsWith(u"/动画/猫.SWF|1:05|00:01:05\r\n/m/a|b.swf||\r\n"_qs.toUtf8()));
        QVERIFY(WriteListFile(f.model, m_dir.filePath(u"round.m3u"_qs)).ok);
        PlaylistFixture loaded;
        QVERIFY(OpenListFile(loaded.model, loaded.transport, m_dir.filePath(u"round.m3u"_qs)));
        QCOMPARE(loaded.paths(), f.paths());
        QCOMPARE(loaded.model.Text(1, PlaylistModel::ColTimeFull) + loaded.model.Text(4, PlaylistModel::ColTimeFull)
                + loaded.model.FileName(5),
            u"00:01:05e.swf"_qs);
    }

    // "list file => its text (- none, @lines 100,000 rows, @line one of 50 MB) => calls as ShortCalls writes them =>
    // the last row's path|full duration", the playlist having three rows before, row 2 playing.
    void open_data()
    {
        QTest::addColumn<QString>("row");
        QTest::newRow("missing list file") << "gone.m3u => - =>  => 3.swf|";
        QTest::newRow("appended and played") << "UP.M3U => /n.swf|1:00|00:01:00 => S0,C4,B0 => /n.swf|00:01:00";
        QTest::newRow("other player's list") << "l.m3u => #EXTINF:5,M\nm.swf\nsong.mp3 => S0,C4,B0 => m.swf|00:00:05";
        QTest::newRow("no movies: stopped") << "text.m3u => a.txt\r\nb.mp3||\r\n => S0 => 3.swf|";
        QTest::newRow("other ending: nothing read") << "list.txt => /n.swf|| =>  => 3.swf|";
        QTest::newRow("100,000 missing, all kept") << "big.m3u => @lines => S0,C4,B0 => /gone/100000.swf|00:00:01";
        QTest::newRow("one line of 50 MB: no path, no row") << "long.m3u => @line => S0 => 3.swf|";
    }
    void open()
    {
        QFETCH(QString, row);
        const QStringList f = row.split(u" => "_qs);
        QVERIFY(swfgen::WriteMovieFile(m_dir.filePath(u"m.swf"_qs), { .frameRate = 1.0, .frameCount = 5 }));
        const QString path = m_dir.filePath(f[0]);
        QFile::remove(path);
        QByteArray text = f[1] == u"@line" ? QByteArray(50 << 20, 'a') + ".swf" : f[1].toUtf8();
        if (f[1] == u"@lines")
            text.clear();
        for (int i = 1; f[1] == u"@lines" && i <= 100000; ++i)
            text += "/gone/" + QByteArray::number(i) + ".swf|0:01|00:00:01\n";
        QVERIFY(f[1] == u"-" || WriteAll(path, text));
        PlaylistFixture fixture;
        fixture.add({ u"1.swf"_qs, u"2.swf"_qs, u"3.swf"_qs });
        fixture.transport.setUp(2, TransportControl::Playing);
        QCOMPARE(OpenListFile(fixture.model, fixture.transport, path), f[1] != u"-");
        QCOMPARE(ShortCalls(fixture.transport.calls), f[2]);
        const int n = fixture.model.RowCount();
        QCOMPARE(QString(fixture.model.FilePath(n) + u'|' + fixture.model.Text(n, PlaylistModel::ColTimeFull))
                     .remove(m_dir.path() + u'/'),
            f[3]);
    }

    // Saving the playlist or the settings never leaves a truncated or empty file: the old one stays whole.
    void fault()
    {
        m_small.add({ u"/a.swf"_qs });
        for (int i = 0; i < 300; ++i)
            m_large.add({ u"/电影/第%1集.swf"_qs.arg(i) });
        for (const QString& file : { u"PlayList.m3u"_qs, u"Quenbarrowick.ini"_qs }) {
            const QString dir = m_dir.filePath(file.right(3)); // one folder each: nothing may be left beside it
            QVERIFY(QDir().mkpath(dir));
            const QString path = dir + u'/' + file;
            const pid_t child = fork();
            if (child == 0)
                _exit(saveOnFullDisk(m_small, m_large, path));
            int status = 0;
            waitpid(child, &status, 0);
            QCOMPARE(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 0);
        }
    }
};

QTEST_GUILESS_MAIN(TestListFile)
#include "tst_listfile.moc"
