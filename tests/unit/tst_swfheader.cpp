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
    // Compression (0 none, 1 zlib, 2 LZMA), RECT, rate 8.8, frames, length, then the bytes changed: leftN keeps N,
    // junk puts 200 bytes of garbage after the first 8, dict asks for a 4 GB LZMA dictionary, props spoils the LZMA
    // properties; "text" is no movie at all => signature, version, length, RECT bits and bytes, size, frames,
    // seconds and rate, or "refused" and the format told (a zlib movie says it only once decoded).
    void parse_data()
    {
        TextTable(uR"(
4 GB length: 0 0 11000 0 8000 15 6144 240 4294967295 => FWS 6 4294967295 15 9 550 400 240 10 24
below 0, 12.5 fps, 36864 frames: 1 -200 10800 -40 7960 15 3200 36864 1000 => CWS 6 1000 15 9 550 400 36864 2949 12.5
31 bits, rate 0, 4 GB LZMA: 2 -1073741824 1073741823 -1 0 31 0 500 1000 dict => ZWS 6 1000 31 17 107374182 0 500 0 0
0 bits: 0 0 0 0 0 0 6144 48 1000 => FWS 6 1000 0 1 0 0 48 2 24
half pixels and seconds to even: 1 0 11010 0 11030 15 512 5 1000 => CWS 6 1000 15 9 550 552 5 2 2
a stage turned inside out: 0 0 -30 0 -29 15 6144 240 1000 => FWS 6 1000 15 9 -2 -1 240 10 24
text: text => refused 不是Flash文件格式
FWS shorter than 8 bytes: 0 0 11000 0 8000 15 6144 240 1000 left4 => refused 未压缩的Flash格式
FWS cut inside the stage: 0 0 11000 0 8000 15 6144 240 1000 left12 => refused 未压缩的Flash格式
CWS garbage stream: 1 0 11000 0 8000 15 6144 240 1000 junk => refused
ZWS cut inside the stream: 2 0 11000 0 8000 15 6144 240 1000 left19 => refused LZMA压缩格式的Flash
ZWS invalid properties: 2 0 11000 0 8000 15 6144 240 1000 props => refused LZMA压缩格式的Flash
)"_qs);
    }
    void parse()
    {
        const auto [header, expected] = TextRow();
        const QStringList w = header.split(u' ');
        QList<qint64> n;
        for (int k = 0; k < 9; ++k)
            n.append(w.value(k).toLongLong());
        const QByteArray rect = swfgen::Rect(int(n[1]), int(n[2]), int(n[3]), int(n[4]), int(n[5]));
        QByteArray file = movie(Compression(n[0]), rect, int(n[6]), int(n[7]), uint32_t(n[8]));
        const QString edit = w.value(9);
        const int spoiled = edit == u"dict" ? 4 : edit == u"props" ? 5 : 0; // the dictionary size, or all properties
        file.replace(17 - spoiled, spoiled, QByteArray(spoiled, '\xff'));
        if (edit.startsWith(u"left"))
            file.truncate(edit.mid(4).toInt());
        if (edit == u"junk")
            file = file.left(8) + QByteArray(200, '\x5a');
        SwfHeaderInfo i;
        const bool decoded = ParseSwfHeader(w[0] == u"text" ? QByteArray("just some text") : file, i);
        QString got = i.Signature;
        for (int64_t v : { int64_t(i.Version), i.FileLength, int64_t(i.Nbits), int64_t(i.RectBytes), int64_t(i.Width),
                 int64_t(i.Height), int64_t(i.FrameCount), int64_t(i.Duration) })
            got += u' ' + QString::number(v);
        got += u' ' + QString::number(i.FrameRate);
        QCOMPARE(decoded ? got : QString(u"refused "_qs + i.Format).trimmed(), expected);
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
        QStringList decodedAndNotFlash;
        for (const char* name : { "", "a.txt", "absent.swf", "cut.swf", "名字 1.swf" }) {
            const HeaderReadOutcome outcome = ReadSwfHeaderChecked(dir.filePath(QString::fromUtf8(name)), info);
            decodedAndNotFlash << QString::number(outcome.decoded) + QString::number(outcome.notFlash);
        }
        QCOMPARE(decodedAndNotFlash, (QStringList { u"00"_qs, u"01"_qs, u"00"_qs, u"00"_qs, u"10"_qs }));
    }
};

QTEST_GUILESS_MAIN(TestSwfHeader)
#include "tst_swfheader.moc"
