#include "swf/fileinfo.h"
#include "swf/swfheader.h"
#include "tests/support/testdir.h"
#include "tests/support/texttablerow.h"
#include "tools/swfgen/swfwriter.h"

#include <QTemporaryDir>
#include <QTest>

using swfgen::Compression;

// A version 6 movie of one frame whose header holds the given stage, 8.8 frame rate and frame count.
static QByteArray movie(Compression c, const QByteArray& rect, int rate88, int frames, uint32_t length = 1000)
{
    QByteArray body = rect;
    for (int byte : { rate88 & 0xff, rate88 >> 8, frames & 0xff, frames >> 8 })
        body.append(char(byte));
    body += swfgen::Tag(1, {}) + swfgen::Tag(0, {});
    return swfgen::Compress(swfgen::RawFile("FWS", 6, length, body), c);
}

class TestSwfHeader : public QObject {
    Q_OBJECT
private slots:
    void decodes_data()
    {
        // Compression (0 none, 1 zlib, 2 LZMA), RECT, rate 8.8, frames, length => signature, version, length, RECT
        // bits and bytes, size, frames, seconds and rate.
        TextTable(uR"(
4 GB length: 0 0 11000 0 8000 15 6144 240 4294967295 => FWS 6 4294967295 15 9 550 400 240 10 24
below 0, 12.5 fps, 36864 frames: 1 -200 10800 -40 7960 15 3200 36864 1000 => CWS 6 1000 15 9 550 400 36864 2949 12.5
31 bits, rate 0, 4 GB dictionary: 2 -1073741824 1073741823 -1 0 31 0 500 1000 => ZWS 6 1000 31 17 107374182 0 500 0 0
0 bits: 0 0 0 0 0 0 6144 48 1000 => FWS 6 1000 0 1 0 0 48 2 24
half pixels and seconds to even: 1 0 11010 0 11030 15 512 5 1000 => CWS 6 1000 15 9 550 552 5 2 2
)"_qs);
    }
    void decodes()
    {
        const auto [header, expected] = TextRow();
        QList<qint64> n;
        for (const QString& word : header.split(u' '))
            n.append(word.toLongLong());
        const QByteArray rect = swfgen::Rect(int(n[1]), int(n[2]), int(n[3]), int(n[4]), int(n[5]));
        QByteArray file = movie(Compression(n[0]), rect, int(n[6]), int(n[7]), uint32_t(n[8]));
        if (n[0] == 2)
            file.replace(13, 4, QByteArray(4, '\xff')); // the LZMA properties ask for a 4 GB dictionary
        SwfHeaderInfo i;
        QVERIFY(ParseSwfHeader(file, i));
        QString got = i.Signature;
        for (int64_t v : { int64_t(i.Version), i.FileLength, int64_t(i.Nbits), int64_t(i.RectBytes), int64_t(i.Width),
                 int64_t(i.Height), int64_t(i.FrameCount), int64_t(i.Duration) })
            got += u' ' + QString::number(v);
        QCOMPARE(got + u' ' + QString::number(i.FrameRate), expected);
    }
    void refuses_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("format"); // a zlib movie says its format only once decoded
        const QByteArray rect = swfgen::Rect(0, 11000, 0, 8000, 15);
        const QByteArray cws = movie(Compression::Zlib, rect, 0x1800, 240);
        const QByteArray zws = movie(Compression::Lzma, rect, 0x1800, 240);
        QTest::newRow("text") << QByteArray("just some text") << "不是Flash文件格式";
        QTest::newRow("FWS shorter than 8 bytes") << QByteArray("FWS\x06", 4) << "未压缩的Flash格式";
        QTest::newRow("FWS cut inside the stage")
            << movie(Compression::None, rect, 0x1800, 240).left(12) << "未压缩的Flash格式";
        QTest::newRow("CWS garbage stream") << cws.left(8) + QByteArray(200, '\x5a') << "";
        QTest::newRow("ZWS cut inside the stream") << zws.left(19) << "LZMA压缩格式的Flash";
        QTest::newRow("ZWS invalid properties")
            << zws.left(12) + QByteArray(5, '\xff') + zws.mid(17) << "LZMA压缩格式的Flash";
    }
    void refuses()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, format);
        SwfHeaderInfo info;
        QVERIFY(!ParseSwfHeader(file, info));
        QCOMPARE(info.Format, format);
    }
    // Whether the user is told that a file is no movie: not for a folder, a missing or a broken file, and
    // not because of the record of a text file read before.
    void readsFilesOnly()
    {
        QTemporaryDir dir;
        QVERIFY(WriteAll(dir.filePath(QStringLiteral("a.txt")), "plain text")
            && WriteAll(dir.filePath(QStringLiteral("cut.swf")), "FWS")
            && WriteAll(dir.filePath(QStringLiteral("名字 1.swf")), swfgen::WriteMovie({})));
        SwfHeaderInfo info;
        QVERIFY(!ReadSwfHeader(dir.path(), info));
        QStringList decodedAndNotFlash;
        for (const char* name : { "a.txt", "absent.swf", "cut.swf", "名字 1.swf" }) {
            const HeaderReadOutcome outcome = ReadSwfHeaderChecked(dir.filePath(QString::fromUtf8(name)), info);
            decodedAndNotFlash << QString::number(outcome.decoded) + QString::number(outcome.notFlash);
        }
        QCOMPARE(decodedAndNotFlash, (QStringList { u"01"_qs, u"00"_qs, u"00"_qs, u"10"_qs }));
        // A zlib stream that gives the header only after 5,000 bytes of empty blocks is read on to it.
        const QByteArray zipped = swfgen::Compress(swfgen::WriteMovie({}), Compression::Zlib);
        QVERIFY(WriteAll(dir.filePath(u"late.swf"_qs),
            zipped.left(10) + QByteArray("\0\0\0\xff\xff", 5).repeated(1000) + zipped.mid(10)));
        SwfHeaderInfo late;
        QVERIFY(ReadSwfHeader(dir.filePath(u"late.swf"_qs), late));
        QCOMPARE(QString::asprintf("%d %d %d ", late.Width, late.Height, late.FrameCount) + late.Format,
            QString::asprintf("%d %d %d ", info.Width, info.Height, info.FrameCount) + SwfFormat::Zlib.toString());
    }
};

QTEST_GUILESS_MAIN(TestSwfHeader)
#include "tst_swfheader.moc"
