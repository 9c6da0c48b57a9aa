#include "swf/fileinfo.h"
#include "tests/support/testdir.h"
#include "tools/swfgen/swfwriter.h"

#include <QTemporaryDir>
#include <QTest>

// Whether the user is told that a file is no Flash movie.
class TestFileInfo : public QObject {
    Q_OBJECT
private slots:
    void notFlashDecision_data();
    void notFlashDecision();
};

void TestFileInfo::notFlashDecision_data()
{
    QTest::addColumn<QByteArray>("bytes"); // "-": no file there
    QTest::addColumn<bool>("decoded");
    QTest::addColumn<bool>("notFlash");
    swfgen::MovieSpec movieSpec;
    movieSpec.compression = swfgen::Compression::Zlib;
    QTest::newRow("a movie") << swfgen::WriteMovie(movieSpec) << true << false;
    QTest::newRow("text") << QByteArray("hello world") << false << true;
    QTest::newRow("empty file") << QByteArray() << false << true;
    QTest::newRow("FWS cut after the signature: a broken movie") << QByteArray("FWS") << false << false;
    QTest::newRow("missing file") << QByteArray("-") << false << false;
}

void TestFileInfo::notFlashDecision()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, decoded);
    QFETCH(bool, notFlash);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("movie.swf"));
    QVERIFY(bytes == "-" || WriteAll(path, bytes));
    // The record comes from a text file read before: its format must not leak into this answer.
    SwfHeaderInfo info;
    QVERIFY(WriteAll(dir.filePath(QStringLiteral("a.txt")), "plain text"));
    QVERIFY(ReadSwfHeaderChecked(dir.filePath(QStringLiteral("a.txt")), info).notFlash);
    const HeaderReadOutcome outcome = ReadSwfHeaderChecked(path, info);
    QCOMPARE(outcome.decoded, decoded);
    QCOMPARE(outcome.notFlash, notFlash);
    if (bytes == "-") // nothing read: the record keeps what it had
        QCOMPARE(info.Format, SwfFormat::NotFlash.toString());
}

QTEST_GUILESS_MAIN(TestFileInfo)
#include "tst_fileinfo.moc"
