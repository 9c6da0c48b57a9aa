#include "playlist/listfile.h"
#include "swf/formatting.h"
#include "tests/support/filesizelimit.h"
#include "tests/support/playlistfixture.h"
#include "tests/support/testdir.h"
#include "tools/swfgen/swfwriter.h"

#include <QDir>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
#include <sys/stat.h>

class TestListFile : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
private slots:
    // Lines read as "path|F|short|full", F when the line had fields.
    void parse_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("our own lines, no final line end") << QByteArray(
            "/a.swf|1:00|00:01:00\r\n/b.swf||") << QStringList({ u"/a.swf|F|1:00|00:01:00"_s, u"/b.swf|F||"_s });
        QTest::newRow("UTF-8 with byte-order mark")
            << QByteArray("\xEF\xBB\xBF/动画.swf\n") << QStringList({ u"/动画.swf|-||"_s });
        QTest::newRow("legacy GB18030") << QByteArray(QStringEncoder("GB18030").encode(u"/动画.swf|2:00|"))
                                        << QStringList({ u"/动画.swf|F|2:00|"_s });
        QTest::newRow("bar inside a path")
            << QByteArray("/a|b.swf|1:00|00:01:00") << QStringList({ u"/a|b.swf|F|1:00|00:01:00"_s });
        QTest::newRow("fields after the third ignored")
            << QByteArray("/a|1:00|00:01:00|x.swf") << QStringList({ u"/a|F|1:00|00:01:00"_s });
        QTest::newRow("only one duration at the end")
            << QByteArray("/a|b.swf|1:00|x") << QStringList({ u"/a|F|b.swf|1:00"_s });
        QTest::newRow("comments and blank lines")
            << QByteArray("#EXTM3U\r\n\r\n#EXTINF:1,x.swf\r\n  \n") << QStringList({ u"/lists/  |-||"_s });
        QTest::newRow("relative paths against the list's folder")
            << QByteArray("s/a.swf\n../b.swf||\n") << QStringList({ u"/lists/s/a.swf|-||"_s, u"/b.swf|F||"_s });
        QTest::newRow("windows paths stand as written")
            << QByteArray("D:\\F\\a.swf\nC:/b.swf\n\\\\srv\\c.swf")
            << QStringList({ u"D:\\F\\a.swf|-||"_s, u"C:/b.swf|-||"_s, u"\\\\srv\\c.swf|-||"_s });
        QTest::newRow("file URL") << QByteArray("file:///m/a%20b.swf\n") << QStringList({ u"/m/a b.swf|-||"_s });
    }
    void parse()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, expected);
        QStringList got;
        for (const ListFileLine& line : ParseListFile(bytes, QStringLiteral("/lists")))
            got.append(
                QStringList { line.path, line.hasFields ? u"F"_s : u"-"_s, line.timeShort, line.timeFull }.join(u'|'));
        QCOMPARE(got, expected);
    }

    // Linux allows "|" and line breaks in names; neither may cost the row. "%20" is no escape here.
    void saveAndOpen()
    {
        PlaylistFixture f;
        QVERIFY(WriteListFile(f.model, m_dir.filePath(QStringLiteral("empty.m3u"))).ok);
        QCOMPARE(ReadAll(m_dir.filePath(QStringLiteral("empty.m3u"))), QByteArray());
        f.add({ u"/动画/猫.SWF"_s, u"/m/a|b.swf"_s, u"/m/two\nlines.swf"_s, u"/m/%20 #1.swf"_s });
        f.model.SetDurations(1, QStringLiteral("1:05"), QStringLiteral("00:01:05"));
        QVERIFY(ListFileBytes(f.model).startsWith(
            QStringLiteral("/动画/猫.SWF|1:05|00:01:05\r\n/m/a|b.swf||\r\n").toUtf8()));
        QVERIFY(WriteListFile(f.model, m_dir.filePath(QStringLiteral("round.m3u"))).ok);
        PlaylistFixture loaded;
        QVERIFY(OpenListFile(loaded.model, loaded.transport, m_dir.filePath(QStringLiteral("round.m3u"))));
        QCOMPARE(loaded.paths(), f.paths());
        QCOMPARE(loaded.model.Text(1, PlaylistModel::ColTimeFull) + loaded.model.Text(4, PlaylistModel::ColTimeFull),
            QStringLiteral("00:01:05"));
    }

    void open_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content"); // "-": no file; "|": a named pipe
        QTest::addColumn<QStringList>("calls"); // the list has 3 rows, row 2 playing
        QTest::addColumn<QString>("last"); // path and full duration of the last row
        const QStringList play4 { u"SetPlayState 0"_s, u"SetCurrFileIndex 4"_s, u"PlayerBtns_Click 0"_s };
        QTest::newRow("missing list file") << "gone.m3u" << QByteArray("-") << QStringList() << "3.swf|";
        QTest::newRow("appended, first new row plays")
            << "UP.M3U" << QByteArray("/n.swf|1:00|00:01:00") << play4 << "/n.swf|00:01:00";
        QTest::newRow("other player's list: headers read")
            << "l.m3u" << QByteArray("#EXTINF:5,M\nm.swf\nsong.mp3\n") << play4 << "m.swf|00:00:05";
        QTest::newRow("no movies: stopped")
            << "text.m3u" << QByteArray("a.txt\r\nb.mp3||\r\n") << QStringList { u"SetPlayState 0"_s } << "3.swf|";
        QTest::newRow("named pipe: nothing read")
            << "pipe.m3u" << QByteArray("|") << QStringList { u"SetPlayState 0"_s } << "3.swf|";
        QTest::newRow("other ending: nothing read")
            << "list.txt" << QByteArray("/n.swf||") << QStringList() << "3.swf|";
    }
    void open()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QStringList, calls);
        QFETCH(QString, last);
        swfgen::MovieSpec spec;
        spec.frameRate = 1.0;
        spec.frameCount = 5;
        QVERIFY(swfgen::WriteMovieFile(m_dir.filePath(QStringLiteral("m.swf")), spec));
        const QString path = m_dir.filePath(name);
        QFile::remove(path);
        QVERIFY(content == "-"
            || (content == "|" ? ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0 : WriteAll(path, content)));
        PlaylistFixture f;
        f.add({ u"1.swf"_s, u"2.swf"_s, u"3.swf"_s });
        f.transport.setUp(2, TransportControl::Playing);
        QCOMPARE(OpenListFile(f.model, f.transport, path), content != "-");
        QCOMPARE(f.transport.calls, calls);
        const int n = f.model.RowCount();
        QCOMPARE(QString(f.model.FilePath(n) + u'|' + f.model.Text(n, PlaylistModel::ColTimeFull))
                     .remove(m_dir.path() + u'/'),
            last);
        QCOMPARE(f.model.Text(n, PlaylistModel::ColNumber), QString::number(n));
    }

    void failedWriteKeepsTheOldFile_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("folder is a file") << "notdir";
        QTest::newRow("full disk") << "full";
        QTest::newRow("a folder in the way") << "folder";
    }
    void failedWriteKeepsTheOldFile()
    {
        QFETCH(QString, how);
        PlaylistFixture f;
        for (int n = 0; n < 200; ++n)
            f.add({ u"/a/rather/long/folder/name/movie number %1.swf"_s.arg(n) });
        QTemporaryDir dir;
        const QString old = dir.filePath(QStringLiteral("PlayList.m3u"));
        QVERIFY(WriteAll(old, "/old.swf||\r\n") && QDir(dir.path()).mkpath(QStringLiteral("folder/x")));
        FileSizeLimit limit(how == u"full" ? 1024 : RLIM_INFINITY);
        const WriteResult result = WriteListFile(f.model,
            how == u"notdir"       ? old + QStringLiteral("/x.m3u")
                : how == u"folder" ? dir.filePath(how)
                                   : old);
        QVERIFY(!result.ok && !result.error.isEmpty());
        QCOMPARE(ReadAll(old), QByteArray("/old.swf||\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
            QStringList { u"PlayList.m3u"_s }); // nothing half-written
    }
};

QTEST_GUILESS_MAIN(TestListFile)
#include "tst_listfile.moc"
