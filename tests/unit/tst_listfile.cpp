#include "playlist/listfile.h"
#include "playlist/playlistmodel.h"
#include "swf/formatting.h"
#include "tests/support/filesizelimit.h"
#include "tests/support/recordingtransport.h"
#include "tools/swfgen/swfwriter.h"
#include "tests/support/testdir.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

namespace {
// One parsed line as "path|F|short|full" (F when the line had fields, - otherwise), so a failing
// comparison prints every line.
QStringList describe(const QList<ListFileLine>& lines)
{
    QStringList out;
    for (const ListFileLine& line : lines)
        out.append(line.path + u'|' + (line.hasFields ? u'F' : u'-') + u'|' + line.timeShort + u'|' + line.timeFull);
    return out;
}

QStringList rowsOf(const PlaylistModel& model)
{
    QStringList out;
    for (int row = 1; row <= model.RowCount(); ++row) {
        out.append(model.Text(row, PlaylistModel::ColNumber) + u' ' + model.Text(row, PlaylistModel::ColFileName) + u' '
            + model.FilePath(row) + u'|' + model.Text(row, PlaylistModel::ColTimeShort) + u'|'
            + model.Text(row, PlaylistModel::ColTimeFull));
    }
    return out;
}

QByteArray gb18030(const QString& text)
{
    QStringEncoder encoder("GB18030");
    return encoder.encode(text);
}

} // namespace

class TestListFile : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void listFileBytes_threeFieldsCrLfUtf8();
    void listFileBytes_emptyListIsZeroBytes();
    void parseListFile_data();
    void parseListFile();
    void saveAndOpen_roundTrip();
    void openListFile_outcomes_data();
    void openListFile_outcomes();
    void openListFile_appendsAfterExistingRowsAndPlaysFirstNew();
    void openListFile_namedPipe_readsNothing();
    void openListFile_otherPlayersList_readsHeadersOfRelativePaths();
    void writeListFile_failureLeavesOldFile_data();
    void writeListFile_failureLeavesOldFile();

private:
    QTemporaryDir m_dir;
    PlaylistModel* m_model = nullptr;
    QAbstractItemModelTester* m_tester = nullptr;
};

void TestListFile::init()
{
    m_model = new PlaylistModel;
    m_tester = new QAbstractItemModelTester(m_model, QAbstractItemModelTester::FailureReportingMode::QtTest);
}

void TestListFile::cleanup()
{
    delete m_tester;
    delete m_model;
}

void TestListFile::listFileBytes_threeFieldsCrLfUtf8()
{
    m_model->AddFileToList(QStringLiteral("/动画/猫.swf"), false, false);
    m_model->SetDurations(1, QStringLiteral("1:05"), QStringLiteral("00:01:05"));
    m_model->AddFileToList(QStringLiteral("/m/b.SWF"), false, false);
    const QByteArray expected = QStringLiteral("/动画/猫.swf|1:05|00:01:05\r\n/m/b.SWF||\r\n").toUtf8();
    QCOMPARE(ListFileBytes(*m_model), expected);
}

void TestListFile::listFileBytes_emptyListIsZeroBytes()
{
    const QString path = m_dir.filePath(QStringLiteral("empty.m3u"));
    QVERIFY(WriteListFile(*m_model, path).ok);
    QCOMPARE(QFileInfo(path).size(), 0);
}

void TestListFile::parseListFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QStringList>("expected");

    const QString folder = QStringLiteral("/lists");
    QTest::newRow("our own line, CR LF") << QByteArray("/m/a.swf|1:00|00:01:00\r\n") << folder
                                         << QStringList { QStringLiteral("/m/a.swf|F|1:00|00:01:00") };
    QTest::newRow("LF only, empty durations")
        << QByteArray("/m/a.swf||\n/m/b.swf||") << folder
        << QStringList { QStringLiteral("/m/a.swf|F||"), QStringLiteral("/m/b.swf|F||") };
    QTest::newRow("UTF-8 with byte-order mark")
        << (QByteArray("\xEF\xBB\xBF") + QStringLiteral("/动画/猫.swf|1:00|00:01:00\r\n").toUtf8()) << folder
        << QStringList { QStringLiteral("/动画/猫.swf|F|1:00|00:01:00") };
    QTest::newRow("UTF-8 without byte-order mark")
        << QStringLiteral("/动画/猫.swf\r\n").toUtf8() << folder << QStringList { QStringLiteral("/动画/猫.swf|-||") };
    QTest::newRow("legacy GB18030") << gb18030(QStringLiteral("/动画/猫.swf|2:00|00:02:00\r\n")) << folder
                                    << QStringList { QStringLiteral("/动画/猫.swf|F|2:00|00:02:00") };
    QTest::newRow("two fields") << QByteArray("/m/a.swf|1:00\r\n") << folder
                                << QStringList { QStringLiteral("/m/a.swf|F|1:00|") };
    QTest::newRow("fields after the third ignored") << QByteArray("/m/a.swf|1:00|00:01:00|x\r\n") << folder
                                                    << QStringList { QStringLiteral("/m/a.swf|F|1:00|00:01:00") };
    QTest::newRow("bar inside a path") << QByteArray("/m/a|b.swf|1:00|00:01:00\r\n") << folder
                                       << QStringList { QStringLiteral("/m/a|b.swf|F|1:00|00:01:00") };
    QTest::newRow("comments and blank lines") << QByteArray("#EXTM3U\r\n\r\n#EXTINF:12,Cat - x.swf\r\n/m/a.swf\r\n")
                                              << folder << QStringList { QStringLiteral("/m/a.swf|-||") };
    QTest::newRow("relative paths against the list's folder")
        << QByteArray("sub/a.swf\n../b.swf|1:00|00:01:00\n./c.swf\n") << folder
        << QStringList { QStringLiteral("/lists/sub/a.swf|-||"), QStringLiteral("/b.swf|F|1:00|00:01:00"),
               QStringLiteral("/c.swf|-||").prepend(folder) };
    QTest::newRow("windows paths stand as written")
        << QByteArray("D:\\Flash\\a.swf||\r\n\\\\srv\\s\\b.swf||\r\n") << folder
        << QStringList { QStringLiteral("D:\\Flash\\a.swf|F||"), QStringLiteral("\\\\srv\\s\\b.swf|F||") };
    QTest::newRow("file URL") << QByteArray("file:///m/a%20b.swf\n") << folder
                              << QStringList { QStringLiteral("/m/a b.swf|-||") };
    QTest::newRow("line of spaces is not empty")
        << QByteArray("   \r\n") << QString() << QStringList { QStringLiteral("   |-||") };
    QTest::newRow("zero bytes") << QByteArray() << folder << QStringList {};
}

void TestListFile::parseListFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, folder);
    QFETCH(QStringList, expected);
    QCOMPARE(describe(ParseListFile(bytes, folder)), expected);
}

void TestListFile::saveAndOpen_roundTrip()
{
    // Linux allows "|" and line breaks in names; neither may cost the row. "%20" is no escape here.
    const QStringList paths { QStringLiteral("/m/a.swf"), QStringLiteral("/动画/猫.SWF"), QStringLiteral("/m/c.swf"),
        QStringLiteral("/m/a|b.swf"), QStringLiteral("/m/two\nlines.swf"), QStringLiteral("/m/%20 #1.swf") };
    for (const QString& path : paths)
        m_model->AddFileToList(path, false, false);
    m_model->SetDurations(1, QStringLiteral("1:00"), QStringLiteral("00:01:00"));
    m_model->SetDurations(3, QStringLiteral("1:02:03"), QStringLiteral("01:02:03"));
    const QStringList before = rowsOf(*m_model);
    const QString file = m_dir.filePath(QStringLiteral("round.m3u"));
    QVERIFY(WriteListFile(*m_model, file).ok);

    PlaylistModel loaded;
    QAbstractItemModelTester tester(&loaded, QAbstractItemModelTester::FailureReportingMode::QtTest);
    RecordingTransport transport(&loaded);
    QVERIFY(OpenListFile(loaded, transport, file));
    QCOMPARE(rowsOf(loaded), before);
}

void TestListFile::openListFile_outcomes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content"); // "-" for no file at all
    QTest::addColumn<bool>("result");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QStringList>("calls");
    const QStringList stopAndPlay { QStringLiteral("SetPlayState 0"), QStringLiteral("SetCurrFileIndex 1"),
        QStringLiteral("PlayerBtns_Click 0") };
    QTest::newRow("missing list file") << QStringLiteral("gone.m3u") << QByteArray("-") << false << 0 << QStringList {};
    QTest::newRow("upper-case ending") << QStringLiteral("UP.M3U") << QByteArray("/m/a.swf||\r\n") << true << 1
                                       << stopAndPlay;
    QTest::newRow("empty list file stops, plays nothing")
        << QStringLiteral("empty.m3u") << QByteArray() << true << 0 << QStringList { QStringLiteral("SetPlayState 0") };
    QTest::newRow("no swf lines") << QStringLiteral("text.m3u") << QByteArray("a.txt\r\nb.mp3||\r\n") << true << 0
                                  << QStringList { QStringLiteral("SetPlayState 0") };
    QTest::newRow("other ending reads nothing")
        << QStringLiteral("list.txt") << QByteArray("/m/a.swf||\r\n") << true << 0 << QStringList {};
}

void TestListFile::openListFile_outcomes()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(bool, result);
    QFETCH(int, rows);
    QFETCH(QStringList, calls);
    const QString path = m_dir.filePath(name);
    if (content != "-")
        QVERIFY(WriteAll(path, content));
    RecordingTransport transport(m_model);
    QCOMPARE(OpenListFile(*m_model, transport, path), result);
    QCOMPARE(m_model->RowCount(), rows);
    QCOMPARE(transport.calls, calls);
}

void TestListFile::openListFile_appendsAfterExistingRowsAndPlaysFirstNew()
{
    for (const char* path : { "/m/1.swf", "/m/2.swf", "/m/3.swf" })
        m_model->AddFileToList(QString::fromLatin1(path), false, false);
    const QString list = m_dir.filePath(QStringLiteral("more.m3u"));
    QVERIFY(WriteAll(list, "/n/a.swf|1:00|00:01:00\r\n/n/b.swf|2:00|00:02:00\r\n"));
    RecordingTransport transport(m_model);
    transport.setUp(2, TransportControl::Playing);
    QVERIFY(OpenListFile(*m_model, transport, list));
    QCOMPARE(m_model->RowCount(), 5);
    QCOMPARE(m_model->Text(4, PlaylistModel::ColNumber), QStringLiteral("4"));
    QCOMPARE(m_model->Text(4, PlaylistModel::ColFileName), QStringLiteral("a.swf"));
    QCOMPARE(transport.CurrFileIndex(), 4);
    QCOMPARE(transport.PlayState(), int(TransportControl::Playing));
    QCOMPARE(m_model->RowColor(4), PlaylistModel::PlayingColor);
    QCOMPARE(transport.calls.first(), QStringLiteral("SetPlayState 0"));
}

void TestListFile::openListFile_namedPipe_readsNothing()
{
    const QString pipe = m_dir.filePath(QStringLiteral("pipe.m3u"));
    QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    RecordingTransport transport(m_model);
    QVERIFY(OpenListFile(*m_model, transport, pipe)); // returns instead of waiting for a writer
    QCOMPARE(m_model->RowCount(), 0);
}

void TestListFile::openListFile_otherPlayersList_readsHeadersOfRelativePaths()
{
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("lists/movies")));
    swfgen::MovieSpec movieSpec;
    movieSpec.frameRate = 1.0;
    movieSpec.frameCount = 70;
    QVERIFY(swfgen::WriteMovieFile(m_dir.filePath(QStringLiteral("lists/movies/cat.swf")), movieSpec));
    movieSpec.frameCount = 5;
    QVERIFY(swfgen::WriteMovieFile(m_dir.filePath(QStringLiteral("dog.swf")), movieSpec));
    const QString list = m_dir.filePath(QStringLiteral("lists/other.m3u"));
    QVERIFY(WriteAll(list, "#EXTM3U\n#EXTINF:70,Cat\nmovies/cat.swf\n#EXTINF:5,Dog\n../dog.swf\nsong.mp3\n"));

    RecordingTransport transport(m_model);
    QVERIFY(OpenListFile(*m_model, transport, list));
    QCOMPARE(m_model->RowCount(), 2);
    QCOMPARE(m_model->FilePath(1), m_dir.filePath(QStringLiteral("lists/movies/cat.swf")));
    QCOMPARE(m_model->FilePath(2), m_dir.filePath(QStringLiteral("dog.swf")));
    QCOMPARE(m_model->Text(1, PlaylistModel::ColTimeFull), FormatDuration(70, DurationFull));
    QCOMPARE(m_model->Text(2, PlaylistModel::ColTimeShort), FormatDuration(5, DurationShort));
}

void TestListFile::writeListFile_failureLeavesOldFile_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("folder is a file") << QStringLiteral("notdir");
    QTest::newRow("full disk") << QStringLiteral("full");
}

void TestListFile::writeListFile_failureLeavesOldFile()
{
    QFETCH(QString, how);
    for (int n = 0; n < 200; ++n)
        m_model->AddFileToList(QStringLiteral("/a/rather/long/folder/name/movie number %1.swf").arg(n), false, false);
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("PlayList.m3u"));
    const QByteArray old("/old/one.swf|1:00|00:01:00\r\n");
    QVERIFY(WriteAll(target, old));

    WriteResult result;
    if (how == u"notdir") {
        result = WriteListFile(*m_model, target + QStringLiteral("/PlayList.m3u"));
    } else {
        FileSizeLimit limit(1024);
        QVERIFY(limit.ok());
        result = WriteListFile(*m_model, target);
    }
    QVERIFY(!result.ok);
    QVERIFY(!result.error.isEmpty());
    QCOMPARE(ReadAll(target), old);
    QCOMPARE(m_model->RowCount(), 200);
    // Nothing half-written is left beside it.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList { QStringLiteral("PlayList.m3u") });
}

QTEST_GUILESS_MAIN(TestListFile)
#include "tst_listfile.moc"
