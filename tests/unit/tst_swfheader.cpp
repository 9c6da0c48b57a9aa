#include "swf/swfheader.h"
#include "tools/swfgen/swfwriter.h"
#include "tests/support/testdir.h"

#include <QTemporaryDir>
#include <QTest>

using swfgen::Compression;

Q_DECLARE_METATYPE(Compression)

namespace {

QByteArray headerBody(const QByteArray& rect, uint8_t rateFraction, uint8_t rateWhole, uint16_t frames)
{
    QByteArray b = rect;
    b.append(static_cast<char>(rateFraction));
    b.append(static_cast<char>(rateWhole));
    b.append(static_cast<char>(frames & 0xff));
    b.append(static_cast<char>(frames >> 8));
    b += swfgen::Tag(1, {}) + swfgen::Tag(0, {});
    return b;
}

QByteArray movieFile(Compression compression, const QByteArray& body, uint8_t version = 6)
{
    const QByteArray fws = swfgen::RawFile("FWS", version, static_cast<uint32_t>(body.size() + 8), body);
    return swfgen::Compress(fws, compression);
}

} // namespace

class TestSwfHeader : public QObject {
    Q_OBJECT
private slots:
    void init();
    void decodesFields_data();
    void decodesFields();
    void formatBySignature_data();
    void formatBySignature();
    void notFlash();
    void missingFileLeavesRecordUntouched();
    void brokenCompressedBodies_data();
    void brokenCompressedBodies();
    void lyingFileLengthIsNotTrusted();
    void zwsWithHugeDictionaryClaim();
    void actionScript3Flag_data();
    void actionScript3Flag();
    void fileNameAndSize();

private:
    QString write(const QByteArray& bytes, const QString& name = QStringLiteral("movie.swf"))
    {
        const QString path = m_dir->filePath(name);
        return WriteAll(path, bytes) ? path : QString();
    }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestSwfHeader::init() { m_dir = std::make_unique<QTemporaryDir>(); }

void TestSwfHeader::decodesFields_data()
{
    QTest::addColumn<Compression>("compression");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QList<int>>("expected"); // Nbits RectBytes Xmin Xmax Ymin Ymax Width Height Duration
    QTest::addColumn<float>("rate");
    QTest::addColumn<int>("frames");

    const QList<Compression> kinds = { Compression::None, Compression::Zlib, Compression::Lzma };
    const QStringList names = { QStringLiteral("FWS"), QStringLiteral("CWS"), QStringLiteral("ZWS") };
    for (int k = 0; k < 3; ++k) {
        auto row = [&](const char* what) -> QTestData& { return QTest::newRow(qPrintable(names[k] + u' ' + QLatin1StringView(what))); };
        row("Nbits 15, 550x400") << kinds[k] << headerBody(swfgen::Rect(0, 11000, 0, 8000, 15), 0x00, 0x18, 240)
                                 << QList<int> { 15, 9, 0, 11000, 0, 8000, 550, 400, 10 } << 24.0f << 240;
        row("rate 12.5") << kinds[k] << headerBody(swfgen::Rect(0, 11000, 0, 8000, 15), 0x80, 0x0C, 25)
                         << QList<int> { 15, 9, 0, 11000, 0, 8000, 550, 400, 2 } << 12.5f << 25;
        row("36864 frames, unsigned") << kinds[k] << headerBody(swfgen::Rect(0, 11000, 0, 8000, 15), 0x00, 0x18, 0x9000)
                                      << QList<int> { 15, 9, 0, 11000, 0, 8000, 550, 400, 1536 } << 24.0f << 36864;
        row("negative Xmin") << kinds[k] << headerBody(swfgen::Rect(-200, 10800, -40, 7960, 15), 0x00, 0x18, 1)
                             << QList<int> { 15, 9, -200, 10800, -40, 7960, 550, 400, 0 } << 24.0f << 1;
        row("550.5 pixels to even") << kinds[k] << headerBody(swfgen::Rect(0, 11010, 0, 11030, 15), 0x00, 0x0C, 30)
                                    << QList<int> { 15, 9, 0, 11010, 0, 11030, 550, 552, 2 } << 12.0f << 30;
        row("frame rate 0") << kinds[k] << headerBody(swfgen::Rect(0, 20, 0, 20), 0x00, 0x00, 500)
                            << QList<int> { 6, 4, 0, 20, 0, 20, 1, 1, 0 } << 0.0f << 500;
        row("Nbits 0") << kinds[k] << headerBody(QByteArray(1, '\0'), 0x00, 0x18, 48)
                       << QList<int> { 0, 1, 0, 0, 0, 0, 0, 0, 2 } << 24.0f << 48;
        row("Nbits 31, extremes")
            << kinds[k] << headerBody(swfgen::Rect(-1073741824, 1073741823, -1, 0, 31), 0x00, 0x01, 3)
            << QList<int> { 31, 17, -1073741824, 1073741823, -1, 0, 107374182, 0, 3 } << 1.0f << 3;
        row("duration tie to even") << kinds[k] << headerBody(swfgen::Rect(0, 20, 0, 20), 0x00, 0x02, 5)
                                    << QList<int> { 6, 4, 0, 20, 0, 20, 1, 1, 2 } << 2.0f << 5;
    }
}

void TestSwfHeader::decodesFields()
{
    QFETCH(Compression, compression);
    QFETCH(QByteArray, body);
    QFETCH(QList<int>, expected);
    QFETCH(float, rate);
    QFETCH(int, frames);

    SwfHeaderInfo info;
    QVERIFY(ReadSwfHeader(write(movieFile(compression, body)), info));
    const QList<int> actual { info.Nbits, info.RectBytes, info.Xmin, info.Xmax, info.Ymin, info.Ymax, info.Width,
        info.Height, info.Duration };
    QCOMPARE(actual, expected);
    QCOMPARE(info.FrameRate, rate);
    QCOMPARE(int(info.FrameCount), frames);
    QCOMPARE(int(info.Version), 6);
    QCOMPARE(info.FileLength, body.size() + 8);
}

void TestSwfHeader::formatBySignature_data()
{
    QTest::addColumn<Compression>("compression");
    QTest::addColumn<QString>("signature");
    QTest::addColumn<QString>("format");
    QTest::newRow("FWS") << Compression::None << "FWS" << "未压缩的Flash格式";
    QTest::newRow("CWS") << Compression::Zlib << "CWS" << "Zlib压缩格式的Flash";
    QTest::newRow("ZWS") << Compression::Lzma << "ZWS" << "LZMA压缩格式的Flash";
}

void TestSwfHeader::formatBySignature()
{
    QFETCH(Compression, compression);
    QFETCH(QString, signature);
    QFETCH(QString, format);
    swfgen::MovieSpec movieSpec;
    movieSpec.compression = compression;
    movieSpec.version = 10;
    movieSpec.frameCount = 72;
    SwfHeaderInfo info;
    QVERIFY(ReadSwfHeader(write(swfgen::WriteMovie(movieSpec)), info));
    QCOMPARE(info.Signature, signature);
    QCOMPARE(info.Format, format);
    QCOMPARE(int(info.Version), 10);
    QCOMPARE(info.Duration, 3);
    QCOMPARE(info.Width, 550);
}

void TestSwfHeader::notFlash()
{
    SwfHeaderInfo info;
    info.FileLength = 1234;
    QVERIFY(!ReadSwfHeader(write("just some text, not a movie\n", QStringLiteral("notes.swf")), info));
    QCOMPARE(info.Format, QStringLiteral("不是Flash文件格式"));
    QCOMPARE(info.FileLength, 0);
    QCOMPARE(info.Signature, QStringLiteral("jus"));

    // Lower-case signatures are not SWF either; nor is a file too short to hold one.
    for (const QByteArray& bytes : { QByteArray("fws\x08\x10\0\0\0", 8), QByteArray("FW"), QByteArray() }) {
        SwfHeaderInfo other;
        QVERIFY(!ReadSwfHeader(write(bytes), other));
        QCOMPARE(other.Format, QStringLiteral("不是Flash文件格式"));
    }
}

void TestSwfHeader::missingFileLeavesRecordUntouched()
{
    SwfHeaderInfo info;
    info.FileName = QStringLiteral("previous.swf");
    info.Format = QStringLiteral("kept");
    info.FrameCount = 7;
    QVERIFY(!ReadSwfHeader(m_dir->filePath(QStringLiteral("absent.swf")), info));
    QVERIFY(!ReadSwfHeader(m_dir->path(), info)); // a folder is not a file
    QCOMPARE(info.FileName, QStringLiteral("previous.swf"));
    QCOMPARE(info.Format, QStringLiteral("kept"));
    QCOMPARE(int(info.FrameCount), 7);
}

void TestSwfHeader::brokenCompressedBodies_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("format");
    const QByteArray body = headerBody(swfgen::Rect(0, 11000, 0, 8000, 15), 0x00, 0x18, 240);
    const QByteArray cws = movieFile(Compression::Zlib, body);
    const QByteArray zws = movieFile(Compression::Lzma, body);
    QTest::newRow("CWS header only") << cws.left(8) << "";
    QTest::newRow("CWS cut inside the stream") << cws.left(11) << "";
    QTest::newRow("CWS garbage stream") << cws.left(8) + QByteArray(200, '\x5a') << "";
    QTest::newRow("CWS stream of two bytes of output")
        << swfgen::Compress(swfgen::RawFile("FWS", 6, 10, QByteArray("\x78\0", 2)), Compression::Zlib) << "";
    QTest::newRow("FWS cut inside the RECT") << movieFile(Compression::None, body).left(12) << "未压缩的Flash格式";
    QTest::newRow("FWS shorter than 8 bytes") << QByteArray("FWS\x06", 4) << "未压缩的Flash格式";
    QTest::newRow("ZWS header only") << zws.left(8) << "LZMA压缩格式的Flash";
    QTest::newRow("ZWS cut inside the properties") << zws.left(14) << "LZMA压缩格式的Flash";
    QTest::newRow("ZWS cut inside the stream") << zws.left(19) << "LZMA压缩格式的Flash";
    QTest::newRow("ZWS invalid properties") << zws.left(12) + QByteArray(5, '\xff') + zws.mid(17)
                                            << "LZMA压缩格式的Flash";
}

void TestSwfHeader::brokenCompressedBodies()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, format);
    SwfHeaderInfo info;
    QVERIFY(!ReadSwfHeader(write(file), info));
    QCOMPARE(info.Format, format);
}

void TestSwfHeader::lyingFileLengthIsNotTrusted()
{
    // A 4 GB claim in a file of a hundred bytes: read, not allocated.
    const QByteArray body = headerBody(swfgen::Rect(0, 11000, 0, 8000, 15), 0x00, 0x18, 240);
    for (Compression c : { Compression::None, Compression::Zlib, Compression::Lzma }) {
        QByteArray file = swfgen::Compress(swfgen::RawFile("FWS", 9, 0xFFFFFFFFu, body), c);
        QVERIFY(file.size() < 200);
        SwfHeaderInfo info;
        QVERIFY(ReadSwfHeader(write(file), info));
        QCOMPARE(info.FileLength, qint64(0xFFFFFFFFu));
        QCOMPARE(info.Duration, 10);
    }
}

void TestSwfHeader::zwsWithHugeDictionaryClaim()
{
    QByteArray zws = movieFile(Compression::Lzma, headerBody(swfgen::Rect(0, 11000, 0, 8000, 15), 0x00, 0x18, 240));
    // Properties: byte 12 is lc/lp/pb, bytes 13-16 the dictionary size.
    zws[13] = '\xff';
    zws[14] = '\xff';
    zws[15] = '\xff';
    zws[16] = '\xff';
    SwfHeaderInfo info;
    QVERIFY(ReadSwfHeader(write(zws), info));
    QCOMPARE(info.Width, 550);
}

void TestSwfHeader::actionScript3Flag_data()
{
    QTest::addColumn<Compression>("compression");
    QTest::addColumn<int>("version");
    QTest::addColumn<bool>("as3");
    QTest::addColumn<bool>("fileAttributes");
    QTest::addColumn<bool>("expected");
    for (Compression c : { Compression::None, Compression::Zlib, Compression::Lzma }) {
        const QByteArray n = QByteArray::number(int(c));
        QTest::newRow(QByteArray("AS3 " + n).constData()) << c << 10 << true << true << true;
        QTest::newRow(QByteArray("AS2 with FileAttributes " + n).constData()) << c << 8 << false << true << false;
        QTest::newRow(QByteArray("no FileAttributes " + n).constData()) << c << 8 << false << false << false;
        QTest::newRow(QByteArray("SWF 6 " + n).constData()) << c << 6 << false << true << false;
    }
}

void TestSwfHeader::actionScript3Flag()
{
    QFETCH(Compression, compression);
    QFETCH(int, version);
    QFETCH(bool, as3);
    QFETCH(bool, fileAttributes);
    QFETCH(bool, expected);
    swfgen::MovieSpec movieSpec;
    movieSpec.compression = compression;
    movieSpec.version = static_cast<uint8_t>(version);
    movieSpec.actionScript3 = as3;
    movieSpec.fileAttributes = fileAttributes;
    // A large stage needs a wide RECT, which moves the flags byte further out.
    movieSpec.width = 100000;
    movieSpec.height = 100000;
    SwfHeaderInfo info;
    info.ActionScript3 = !expected;
    QVERIFY(ReadSwfHeader(write(swfgen::WriteMovie(movieSpec)), info));
    QCOMPARE(info.ActionScript3, expected);
}

void TestSwfHeader::fileNameAndSize()
{
    const QByteArray movie = swfgen::WriteMovie({});
    const QString path = write(movie, QStringLiteral("名字 with spaces.swf"));
    SwfHeaderInfo info;
    QVERIFY(ReadSwfHeader(path, info));
    QCOMPARE(info.FileName, QStringLiteral("名字 with spaces.swf"));
    QCOMPARE(info.FileSize, movie.size());
    QCOMPARE(FileNameOfPath(QStringLiteral("/a/b/c.swf")), QStringLiteral("c.swf"));
    QCOMPARE(FileNameOfPath(QStringLiteral("c.swf")), QStringLiteral("c.swf"));
}

QTEST_GUILESS_MAIN(TestSwfHeader)
#include "tst_swfheader.moc"
