#include "swf/fileinfo.h"
#include "swf/swfheader.h"
#include "tests/support/testdir.h"
#include "tools/swfgen/swfwriter.h"

#include <QTemporaryDir>
#include <QTest>

using swfgen::Compression;

namespace {

// A version 6 movie of one frame whose header holds the given stage, 8.8 frame rate and frame count.
QByteArray movie(Compression c, const QByteArray& rect, int rate88, int frames, uint32_t length = 1000)
{
    QByteArray body = rect;
    for (int byte : { rate88 & 0xff, rate88 >> 8, frames & 0xff, frames >> 8 })
        body.append(char(byte));
    body += swfgen::Tag(1, {}) + swfgen::Tag(0, {});
    return swfgen::Compress(swfgen::RawFile("FWS", 6, length, body), c);
}

// Signature, format, then version, length, RECT bits and bytes, its four edges, size, frames, seconds and rate.
QString summary(const SwfHeaderInfo& i)
{
    QStringList parts { i.Signature, i.Format };
    for (int64_t n : { int64_t(i.Version), i.FileLength, int64_t(i.Nbits), int64_t(i.RectBytes), int64_t(i.Xmin),
             int64_t(i.Xmax), int64_t(i.Ymin), int64_t(i.Ymax), int64_t(i.Width), int64_t(i.Height), int64_t(i.FrameCount),
             int64_t(i.Duration) })
        parts.append(QString::number(n));
    return parts.join(u' ') + u' ' + QString::number(i.FrameRate);
}

} // namespace

class TestSwfHeader : public QObject {
    Q_OBJECT
private slots:
    void decodes_data();
    void decodes();
    void refuses_data();
    void refuses();
    void actionScript3Flag();
    void readsFilesOnly();
};

void TestSwfHeader::decodes_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("expected");
    QTest::newRow("FWS claiming 4 GB") << movie(Compression::None, swfgen::Rect(0, 11000, 0, 8000, 15), 0x1800, 240,
        0xFFFFFFFF) << "FWS 未压缩的Flash格式 6 4294967295 15 9 0 11000 0 8000 550 400 240 10 24";
    QTest::newRow("CWS, negative minimum, 12.5 fps, frame count above 32767") << movie(Compression::Zlib, swfgen::Rect(-200, 10800, -40, 7960, 15), 0x0C80, 0x9000) << "CWS Zlib压缩格式的Flash 6 1000 15 9 -200 10800 -40 7960 550 400 36864 2949 12.5";
    QByteArray hugeDictionary = movie(Compression::Lzma, swfgen::Rect(-1073741824, 1073741823, -1, 0, 31), 0, 500);
    hugeDictionary.replace(13, 4, QByteArray(4, '\xff')); // the LZMA properties ask for a 4 GB dictionary
    QTest::newRow("ZWS, 31 bits, rate 0, a 4 GB dictionary") << hugeDictionary << "ZWS LZMA压缩格式的Flash 6 1000 31 17 -1073741824 1073741823 -1 0 107374182 0 500 0 0";
    QTest::newRow("0 bits") << movie(Compression::None, QByteArray(1, '\0'), 0x1800, 48) << "FWS 未压缩的Flash格式 6 1000 0 1 0 0 0 0 0 0 48 2 24";
    QTest::newRow("half pixels and half seconds round to even") << movie(Compression::Zlib, swfgen::Rect(0, 11010, 0, 11030, 15), 0x0200, 5) << "CWS Zlib压缩格式的Flash 6 1000 15 9 0 11010 0 11030 550 552 5 2 2";
}

void TestSwfHeader::decodes()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, expected);
    SwfHeaderInfo info;
    QVERIFY(ParseSwfHeader(file, info));
    QCOMPARE(summary(info), expected);
}

void TestSwfHeader::refuses_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("format"); // a zlib movie says its format only once decoded
    const QByteArray rect = swfgen::Rect(0, 11000, 0, 8000, 15);
    const QByteArray cws = movie(Compression::Zlib, rect, 0x1800, 240);
    const QByteArray zws = movie(Compression::Lzma, rect, 0x1800, 240);
    QTest::newRow("text") << QByteArray("just some text") << "不是Flash文件格式";
    QTest::newRow("lower case") << QByteArray("fws\x08\x10\0\0\0", 8) << "不是Flash文件格式";
    QTest::newRow("FWS shorter than 8 bytes") << QByteArray("FWS\x06", 4) << "未压缩的Flash格式";
    QTest::newRow("FWS cut inside the stage") << movie(Compression::None, rect, 0x1800, 240).left(12) << "未压缩的Flash格式";
    QTest::newRow("CWS header only") << cws.left(8) << "";
    QTest::newRow("CWS garbage stream") << cws.left(8) + QByteArray(200, '\x5a') << "";
    QTest::newRow("CWS of two bytes") << swfgen::Compress(swfgen::RawFile("FWS", 6, 10, QByteArray("\x78\0", 2)),
        Compression::Zlib) << "";
    QTest::newRow("ZWS cut inside the stream") << zws.left(19) << "LZMA压缩格式的Flash";
    QTest::newRow("ZWS invalid properties") << zws.left(12) + QByteArray(5, '\xff') + zws.mid(17) << "LZMA压缩格式的Flash";
}

void TestSwfHeader::refuses()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, format);
    SwfHeaderInfo info;
    QVERIFY(!ParseSwfHeader(file, info));
    QCOMPARE(info.Format, format);
}

void TestSwfHeader::actionScript3Flag()
{
    // A wide stage needs a wide RECT, which moves the flags byte further out.
    using Row = std::tuple<Compression, bool, bool>; // compression, AS3 flag, FileAttributes written
    QList<bool> found;
    for (auto [c, as3, attributes] : { Row { Compression::Lzma, true, true }, Row { Compression::Zlib, false, true },
             Row { Compression::None, false, false } }) {
        swfgen::MovieSpec spec;
        spec.compression = c;
        spec.version = 10;
        spec.actionScript3 = as3;
        spec.fileAttributes = attributes;
        spec.width = spec.height = 100000;
        SwfHeaderInfo info;
        info.ActionScript3 = !as3;
        QVERIFY(ParseSwfHeader(swfgen::WriteMovie(spec), info));
        found.append(info.ActionScript3);
    }
    QCOMPARE(found, (QList<bool> { true, false, false }));
}

void TestSwfHeader::readsFilesOnly()
{
    QTemporaryDir dir;
    const QByteArray bytes = swfgen::WriteMovie({});
    QVERIFY(WriteAll(dir.filePath(QStringLiteral("名字 1.swf")), bytes));
    SwfHeaderInfo info;
    QVERIFY(ReadSwfHeader(dir.filePath(QStringLiteral("名字 1.swf")), info));
    QCOMPARE(
        info.FileName + QString::number(info.FileSize), QStringLiteral("名字 1.swf") + QString::number(bytes.size()));
    // A missing file or a folder leaves the record as it was.
    QVERIFY(!ReadSwfHeader(dir.filePath(QStringLiteral("absent.swf")), info) && !ReadSwfHeader(dir.path(), info));
    QCOMPARE(info.FileName, QStringLiteral("名字 1.swf"));
    QCOMPARE(FileNameOfPath(QStringLiteral("c.swf")), QStringLiteral("c.swf"));
    // Whether the user is told that a file is no movie: not for a missing or a broken one, and not
    // because of the record of a text file read before.
    QVERIFY(WriteAll(dir.filePath(QStringLiteral("a.txt")), "plain text") && WriteAll(dir.filePath(QStringLiteral("cut.swf")), "FWS"));
    QStringList decodedAndNotFlash;
    for (const char* name : { "a.txt", "absent.swf", "cut.swf", "名字 1.swf" }) {
        const HeaderReadOutcome outcome = ReadSwfHeaderChecked(dir.filePath(QString::fromUtf8(name)), info);
        decodedAndNotFlash << QString::number(outcome.decoded) + QString::number(outcome.notFlash);
    }
    QCOMPARE(decodedAndNotFlash, (QStringList { u"01"_qs, u"00"_qs, u"00"_qs, u"10"_qs }));
}

QTEST_GUILESS_MAIN(TestSwfHeader)
#include "tst_swfheader.moc"
