#include "playback/avm1probe.h"
#include "playback/avm2probe.h"
#include "playback/lookahead.h"
#include "playback/movieprep.h"
#include "playback/swfcontainer.h"
#include "tests/support/testdir.h"
#include "tools/swfgen/swfwriter.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>
#include <sys/stat.h>

using swfgen::Compression;

static QByteArray make(
    int version, Compression c = Compression::None, int frames = 24, std::optional<int> header = {}, bool as3 = false)
{
    return swfgen::WriteMovie({ .compression = c,
        .version = uint8_t(version),
        .frameCount = frames,
        .headerFrameCount = header,
        .actionScript3 = as3 });
}

// The tags as written, split apart from the code under test: header and body of each.
static QByteArrayList splitTags(const QByteArray& fws)
{
    QByteArrayList tags;
    for (qsizetype at = 8 + (5 + 4 * (uint8_t(fws.at(8)) >> 3) + 7) / 8 + 4; at + 2 <= fws.size();) {
        const auto* p = reinterpret_cast<const uint8_t*>(fws.constData() + at);
        const qsizetype len = (p[0] & 0x3f) == 0x3f
            ? 6 + (qsizetype(p[2] | p[3] << 8 | p[4] << 16) | qsizetype(p[5]) << 24)
            : 2 + (p[0] & 0x3f);
        tags.append(fws.mid(at, len));
        at += len;
    }
    return tags;
}

static int code(const QByteArray& tag)
{
    return (uint8_t(tag.at(0)) | uint8_t(tag.at(1)) << 8) >> 6;
}

// A movie must reach the engine unchanged apart from the probe: any other difference is a movie
// that plays differently here than anywhere else.
class TestMoviePrep : public QObject {
    Q_OBJECT
private slots:
    void prepare_data()
    {
        QTest::addColumn<QByteArray>("file"); // its bytes, or "<fifo>" for what lies at its path
        QTest::addColumn<QString>("expected"); // probe (0 none, 1 AS1/2, 2 AS3), ShowFrames, hold, truncated
        const swfgen::Action goBack { swfgen::Action::Kind::GotoAndPlay, 3 };
        QTest::newRow("SWF 8 CWS, own action on the last frame") << swfgen::WriteMovie(
            { .compression = Compression::Zlib, .frameCount = 12, .actions = { { 12, { goBack } } } })
                                                                 << "1 12 hold";
        QTest::newRow("SWF 6 ZWS without FileAttributes") << make(6, Compression::Lzma, 30) << "1 30 hold";
        QTest::newRow("ShowFrames count, not the header") << make(8, Compression::None, 100, 120) << "1 100 hold";
        QTest::newRow("the AS3 flag counts from SWF 9 only") << make(8, Compression::None, 24, {}, true) << "1 24 hold";
        QTest::newRow("ActionScript 3 gets its own probe from SWF 9")
            << make(9, Compression::Zlib, 33, {}, true) << "2 33 hold";
        const QByteArray zws = make(8, Compression::Lzma, 200);
        QTest::newRow("ZWS missing its last quarter") << zws.chopped((zws.size() - 20) / 4) << "1 some hold truncated";
        QByteArray body = swfgen::Rect(0, 2000, 0, 2000) + QByteArray("\x00\x18\x01\x00", 4);
        body += swfgen::Tag(9, QByteArray(3, '\0')) + swfgen::Tag(0, {});
        QTest::newRow("no ShowFrame: no hold") << swfgen::RawFile("FWS", 6, 1000, body) << "1 0";
        const QByteArray good = make(6);
        QTest::newRow("stage cut short") << good.left(10) << "0 0";
        QTest::newRow("header only") << good.left(8) << "error";
        QTest::newRow("an unknown first letter") << QByteArray("XWS").append(good.mid(3)) << "error";
        QTest::newRow("ZWS without properties") << swfgen::RawFile("ZWS", 13, 5000, QByteArray(3, '\0')) << "error";
        QByteArray cws = make(8, Compression::Zlib, 30);
        QTest::newRow("CWS of garbage after a valid header") << cws.left(10).append(cws.size() - 10, 'x') << "error";
        QTest::newRow("ZWS whose LZMA data claims 4 GB")
            << QByteArray(zws).replace(4, 4, "\xff\xff\xff\xff").replace(13, 4, "\xff\xff\xff\xff")
            << "1 200 hold truncated";
        QTest::newRow("FIFO named y.swf, never opened") << QByteArray("<fifo>") << "error";
    }
    void prepare()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"m.swf"_qs);
        QVERIFY(file == "<fifo>" ? ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0 : WriteAll(path, file));
        const PreparedMovie movie = PrepareMovieFile(path);
        // How many frames of a cut movie survive depends on the compressor; some of them, not all.
        const bool some = movie.truncated && movie.showFrames > 0 && movie.showFrames < 200;
        QString got
            = QStringLiteral("%1 %2").arg(int(movie.probe)).arg(some ? u"some"_qs : QString::number(movie.showFrames));
        got += (movie.holdsLastFrame ? u" hold"_qs : QString()) + (movie.truncated ? u" truncated"_qs : QString());
        QCOMPARE(movie.error.isEmpty() ? got : u"error"_qs, expected);
        if (!movie.error.isEmpty())
            return;
        QCOMPARE(movie.fws.size(), qsizetype(*reinterpret_cast<const uint32_t*>(movie.fws.constData() + 4)));
        QCOMPARE(movie.probe == ProbeKind::None, !movie.noProbeReason.isEmpty());
        if (movie.truncated || movie.probe == ProbeKind::None)
            return;
        // What went in: right after FileAttributes (if any), the probe; right before the last ShowFrame, the hold.
        QByteArrayList out = splitTags(movie.fws);
        const QByteArrayList in = splitTags(DecodeSwfContainer(file).fws);
        const int at = code(in.at(0)) == 69 ? 1 : 0;
        if (movie.probe == ProbeKind::ActionScript3) {
            const QList<int> codes { code(out.at(1)), code(out.at(2)), code(out.at(3)), code(out.at(4)) };
            QCOMPARE(codes, QList<int>({ 82, 39, 76, 26 }));
            QVERIFY(out.at(1).contains(Avm2Probe::ProbeAbc(movie.showFrames)));
            out.remove(1, 4);
        } else {
            QCOMPARE(out.takeAt(at), swfgen::Tag(12, Avm1Probe::RegisterCallbacks("0", movie.showFrames)));
            if (movie.holdsLastFrame)
                QCOMPARE(out.takeAt(out.lastIndexOf(swfgen::Tag(1, {})) - 1),
                    swfgen::Tag(12, Avm1Probe::HoldLastFrame(movie.showFrames, "0")));
        }
        QCOMPARE(out, in);
    }
    void loadedPart_probeNamesItOrStaysOut()
    {
        // An ActionScript 3 part never holds the root, so it must not answer in its place.
        const PreparedMovie as3 = PrepareMovie(make(10, Compression::Zlib, 5, {}, true), { "g2p1", true });
        QVERIFY(as3.probe == ProbeKind::None && as3.fws.startsWith("FWS"));
        // An ActionScript 1/2 part may replace level 0: it answers, and holds its own last frame, by its own name.
        const PreparedMovie avm1 = PrepareMovie(make(8, Compression::None, 5), { "g2p1", true });
        QVERIFY(avm1.fws.contains(swfgen::Tag(12, Avm1Probe::RegisterCallbacks("g2p1", 5))));
        QVERIFY(avm1.fws.contains(swfgen::Tag(12, Avm1Probe::HoldLastFrame(5, "g2p1"))));
        QVERIFY(!avm1.fws.contains(Avm1Probe::RegisterCallbacks("0", 5)));
    }
    void decode()
    {
        const QByteArray honest = swfgen::WriteMovie({ .frameCount = 60 });
        // A length field that lies neither cuts nor pads: FWS and ZWS claiming 4 GB.
        const QByteArray lying = swfgen::WriteMovie({ .frameCount = 60, .headerFileLength = 0xFFFFFFFF });
        QCOMPARE(DecodeSwfContainer(lying).fws, honest);
        QCOMPARE(DecodeSwfContainer(swfgen::Compress(lying, Compression::Lzma)).fws, honest);
        // Many LZMA writers leave out the end marker and the coder's flush in the last bytes.
        const UncompressedSwf noMarker = DecodeSwfContainer(swfgen::Compress(honest, Compression::Lzma).chopped(5));
        QCOMPARE(noMarker.fws + (noMarker.truncated ? "truncated" : ""), honest);
        // A few kilobytes whose LZMA data reaches a megabyte back still decode whole.
        QByteArray noise(4096, '\0');
        QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(noise.data()), noise.size() / 4);
        QByteArray far = honest + noise + QByteArray(1 << 20, '\0') + noise;
        FixSwfLength(far);
        QCOMPARE(DecodeSwfContainer(swfgen::Compress(far, Compression::Lzma)).fws, far);
        // Compressed data that ends early gives the start of the movie, exactly.
        const QByteArray cws = swfgen::Compress(honest, Compression::Zlib);
        const UncompressedSwf cut = DecodeSwfContainer(cws.chopped(cws.size() / 4));
        QVERIFY(cut.truncated && cut.fws.size() > 8 && cut.fws.size() < honest.size());
        QCOMPARE(cut.fws.mid(8), honest.mid(8, cut.fws.size() - 8));
        // Movies larger than the limit once decoded are refused.
        const QByteArray big
            = swfgen::WriteMovie({ .compression = Compression::Zlib, .frameCount = 60, .paddingBytes = 100000 });
        const UncompressedSwf refused = DecodeSwfContainer(big, 50000);
        QCOMPARE(refused.error + QString::number(refused.fws.size()), u"movie too large0"_qs);
        QVERIFY(DecodeSwfContainer(big, 200000).error.isEmpty());
    }

    // The next movie prepared ahead is handed out only while the list and the file still say it is the
    // one to play: never stale bytes.
    // Between preparing and advancing: nothing happens, the file is edited, renamed away, a same-size file is
    // renamed over it, the list changes, or another row is asked for. Only the unchanged file is handed out.
    void handsOutOnlyTheFileAsItIs()
    {
        for (const QString change : { u"none"_qs, u"edit"_qs, u"rename"_qs, u"replace"_qs, u"drop"_qs, u"other"_qs }) {
            QTemporaryDir dir;
            const QString path = dir.filePath(u"next.swf"_qs), other = dir.filePath(u"other.swf"_qs);
            QVERIFY(swfgen::WriteMovieFile(path, { .compression = swfgen::Compression::Zlib, .frameCount = 10 }));
            Lookahead lookahead;
            lookahead.prepare(path);
            QThreadPool::globalInstance()->waitForDone();
            if (change == u"edit")
                QVERIFY(swfgen::WriteMovieFile(path, { .frameCount = 30 }));
            if (change == u"rename")
                QVERIFY(QFile::rename(path, other));
            if (change == u"replace") {
                QTest::qWait(20);
                QVERIFY(swfgen::WriteMovieFile(other, { .compression = swfgen::Compression::Zlib, .frameCount = 10 })
                    && std::rename(qPrintable(other), qPrintable(path)) == 0);
            }
            if (change == u"drop")
                lookahead.drop();
            const QString asked = change == u"other" ? other : path;
            const std::optional<PreparedMovie> movie = lookahead.take(asked);
            QCOMPARE(change + QString::number(movie ? movie->showFrames : 0),
                change + QString::number(change == u"none" ? 10 : 0));
            QVERIFY2(
                !movie || (movie->fws.startsWith("FWS") && !lookahead.take(asked)), "not FWS, or handed out twice");
        }
    }
};

QTEST_GUILESS_MAIN(TestMoviePrep)
#include "tst_movieprep.moc"
