#include "swf/fileinfo.h"
#include "tools/swfgen/swfwriter.h"
#include "tests/support/testdir.h"

#include <QTemporaryDir>
#include <QTest>

class TestFileInfo : public QObject {
    Q_OBJECT
private slots:
    void init();
    void notFlashDecision_data();
    void notFlashDecision();
    void earlierReadingDoesNotLeak_data();
    void earlierReadingDoesNotLeak();

private:
    QString file(const QString& name, const QByteArray& bytes)
    {
        const QString path = m_dir->filePath(name);
        WriteAll(path, bytes);
        return path;
    }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestFileInfo::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
}

void TestFileInfo::notFlashDecision_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<bool>("decoded");
    QTest::addColumn<bool>("notFlash");
    swfgen::MovieSpec movieSpec;
    QTest::newRow("FWS") << swfgen::WriteMovie(movieSpec) << true << true << false;
    movieSpec.compression = swfgen::Compression::Zlib;
    QTest::newRow("CWS") << swfgen::WriteMovie(movieSpec) << true << true << false;
    movieSpec.compression = swfgen::Compression::Lzma;
    QTest::newRow("ZWS") << swfgen::WriteMovie(movieSpec) << true << true << false;
    QTest::newRow("text file") << QByteArray("hello world") << true << false << true;
    QTest::newRow("empty file") << QByteArray() << true << false << true;
    QTest::newRow("FWS cut after the signature") << QByteArray("FWS") << true << false << false;
    QTest::newRow("missing file") << QByteArray() << false << false << false;
}

void TestFileInfo::notFlashDecision()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, exists);
    QFETCH(bool, decoded);
    QFETCH(bool, notFlash);
    const QString path
        = exists ? file(QStringLiteral("movie.swf"), bytes) : m_dir->filePath(QStringLiteral("gone.swf"));
    SwfHeaderInfo info;
    const HeaderReadOutcome outcome = ReadSwfHeaderChecked(path, info);
    QCOMPARE(outcome.decoded, decoded);
    QCOMPARE(outcome.notFlash, notFlash);
}

// A record reused from a file that was not a SWF must not make a later unreadable file look like one.
void TestFileInfo::earlierReadingDoesNotLeak_data()
{
    QTest::addColumn<bool>("secondExists");
    QTest::newRow("then a missing file") << false;
    QTest::newRow("then a movie") << true;
}

void TestFileInfo::earlierReadingDoesNotLeak()
{
    QFETCH(bool, secondExists);
    SwfHeaderInfo info;
    QVERIFY(ReadSwfHeaderChecked(file(QStringLiteral("a.txt"), "plain text"), info).notFlash);
    const QString second = secondExists ? file(QStringLiteral("b.swf"), swfgen::WriteMovie({}))
                                        : m_dir->filePath(QStringLiteral("gone.swf"));
    const HeaderReadOutcome outcome = ReadSwfHeaderChecked(second, info);
    QVERIFY(!outcome.notFlash);
    // A missing file leaves the record as it was, Format included.
    QCOMPARE(info.Format, secondExists ? SwfFormat::Uncompressed.toString() : SwfFormat::NotFlash.toString());
}

QTEST_GUILESS_MAIN(TestFileInfo)
#include "tst_fileinfo.moc"
