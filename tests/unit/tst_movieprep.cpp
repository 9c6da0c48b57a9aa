#include "playback/avm1probe.h"
#include "playback/avm2probe.h"
#include "playback/movieprep.h"
#include "playback/swfcontainer.h"
#include "tools/swfgen/swfwriter.h"

#include <QTest>

// A movie must reach the engine unchanged apart from the probe: any other difference is a movie
// that plays differently here than anywhere else.
class TestMoviePrep : public QObject {
    Q_OBJECT
private slots:
    void probeGoesInAndNothingElseChanges_data();
    void probeGoesInAndNothingElseChanges();
    void countsShowFramesNotTheHeader_data();
    void countsShowFramesNotTheHeader();
    void brokenFilesGetAClearAnswer_data();
    void brokenFilesGetAClearAnswer();
    void shortCompressedDataStillPlays_data();
    void shortCompressedDataStillPlays();
    void lyingLengthDoesNotCutOrPad_data();
    void lyingLengthDoesNotCutOrPad();
    void actionScript3GetsItsOwnProbe();
    void actionScript3FlagBeforeSwf9IsIgnored();
    void movieWithoutShowFrameGetsNoHold();
    void lzmaEndMarkerIsOptional();
    void decodeRefusesMoviesOverTheLimit();
};

namespace {

using swfgen::Compression;

struct RawTag {
    int code = 0;
    QByteArray bytes; // header and body as in the file
};

qsizetype tagsStart(const QByteArray& fws)
{
    const int nbits = static_cast<uint8_t>(fws.at(8)) >> 3;
    return 8 + (5 + 4 * nbits + 7) / 8 + 4;
}

// The tag list as written, split independently of the code under test.
QList<RawTag> splitTags(const QByteArray& fws)
{
    QList<RawTag> tags;
    qsizetype at = tagsStart(fws);
    while (at + 2 <= fws.size()) {
        const auto* p = reinterpret_cast<const uint8_t*>(fws.constData() + at);
        const int code = (p[0] | p[1] << 8) >> 6;
        qsizetype len = (p[0] | p[1] << 8) & 0x3f;
        qsizetype head = 2;
        if (len == 0x3f) {
            len = qsizetype(p[2] | p[3] << 8 | p[4] << 16) | qsizetype(p[5]) << 24;
            head = 6;
        }
        tags.append({ code, fws.mid(at, head + len) });
        at += head + len;
        if (code == 0)
            break;
    }
    return tags;
}

uint32_t lengthField(const QByteArray& fws)
{
    const auto* p = reinterpret_cast<const uint8_t*>(fws.constData());
    return uint32_t(p[4]) | uint32_t(p[5]) << 8 | uint32_t(p[6]) << 16 | uint32_t(p[7]) << 24;
}

QByteArray doAction(const QByteArray& body)
{
    return swfgen::Tag(12, body);
}

} // namespace

void TestMoviePrep::probeGoesInAndNothingElseChanges_data()
{
    QTest::addColumn<int>("version");
    QTest::addColumn<Compression>("compression");
    QTest::addColumn<int>("frames");
    QTest::addColumn<bool>("ownLastFrameAction");
    for (int version : { 4, 6, 8 }) {
        for (auto [name, c] : { std::pair { "FWS", Compression::None }, std::pair { "CWS", Compression::Zlib },
                 std::pair { "ZWS", Compression::Lzma } }) {
            QTest::addRow("SWF %d %s", version, name) << version << c << 30 << false;
        }
    }
    QTest::newRow("one frame") << 6 << Compression::None << 1 << false;
    QTest::newRow("own action on the last frame stays before the hold") << 8 << Compression::Zlib << 12 << true;
}

void TestMoviePrep::probeGoesInAndNothingElseChanges()
{
    QFETCH(int, version);
    QFETCH(Compression, compression);
    QFETCH(int, frames);
    QFETCH(bool, ownLastFrameAction);

    swfgen::MovieSpec movieSpec;
    movieSpec.version = static_cast<uint8_t>(version);
    movieSpec.frameCount = frames;
    if (ownLastFrameAction)
        movieSpec.actions[frames] = { { swfgen::Action::Kind::GotoAndPlay, 3 } };
    const QByteArray original = swfgen::WriteMovie(movieSpec);
    const PreparedMovie movie = PrepareMovie(swfgen::Compress(original, compression));

    QVERIFY2(movie.error.isEmpty(), qPrintable(movie.error));
    QCOMPARE(movie.probe, ProbeKind::ActionScript12);
    QCOMPARE(movie.showFrames, frames);
    QVERIFY(movie.holdsLastFrame);
    QVERIFY(!movie.truncated);
    QCOMPARE(movie.fws.left(4), QByteArray("FWS").append(char(version)));
    QCOMPARE(lengthField(movie.fws), uint32_t(movie.fws.size()));
    QCOMPARE(movie.fws.mid(8, tagsStart(original) - 8), original.mid(8, tagsStart(original) - 8));

    QList<RawTag> out = splitTags(movie.fws);
    const QList<RawTag> in = splitTags(original);
    QCOMPARE(out.size(), in.size() + 2);
    // The probe opens frame 1, right after FileAttributes when there is one.
    const int probeAt = version >= 8 ? 1 : 0;
    QCOMPARE(out.at(probeAt).bytes, doAction(Avm1Probe::RegisterCallbacks()));
    out.removeAt(probeAt);
    // The hold sits after all of the last frame's own tags, right before its ShowFrame.
    int lastShow = -1;
    for (int i = 0; i < out.size(); ++i) {
        if (out.at(i).code == 1)
            lastShow = i;
    }
    QVERIFY(lastShow > 0);
    QCOMPARE(out.at(lastShow - 1).bytes, doAction(Avm1Probe::HoldLastFrame(frames)));
    out.removeAt(lastShow - 1);
    for (int i = 0; i < in.size(); ++i)
        QCOMPARE(out.at(i).bytes, in.at(i).bytes);
}

void TestMoviePrep::countsShowFramesNotTheHeader_data()
{
    QTest::addColumn<int>("realFrames");
    QTest::addColumn<int>("headerFrames");
    QTest::newRow("header says more") << 100 << 120;
    QTest::newRow("header says fewer") << 100 << 80;
    QTest::newRow("header says zero") << 7 << 0;
    QTest::newRow("header agrees") << 40 << 40;
}

void TestMoviePrep::countsShowFramesNotTheHeader()
{
    QFETCH(int, realFrames);
    QFETCH(int, headerFrames);
    swfgen::MovieSpec movieSpec;
    movieSpec.frameCount = realFrames;
    movieSpec.headerFrameCount = headerFrames;
    const PreparedMovie movie = PrepareMovie(swfgen::WriteMovie(movieSpec));
    QCOMPARE(movie.showFrames, realFrames);
    QVERIFY(movie.fws.contains(doAction(Avm1Probe::HoldLastFrame(realFrames))));
}

void TestMoviePrep::brokenFilesGetAClearAnswer_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("isMovie");
    const QByteArray good = swfgen::WriteMovie({});
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("text file") << QByteArray("hello, this is not a movie") << false;
    QTest::newRow("header only") << good.left(8) << false;
    QTest::newRow("stage cut short") << good.left(10) << true;
    QTest::newRow("CWS of garbage") << swfgen::RawFile("CWS", 8, 5000, QByteArray(200, 'x')) << false;
    QTest::newRow("ZWS of garbage") << swfgen::RawFile("ZWS", 13, 5000, QByteArray(200, '\xff')) << false;
    QTest::newRow("ZWS without properties") << swfgen::RawFile("ZWS", 13, 5000, QByteArray(3, '\0')) << false;
    QByteArray longTag = good.left(tagsStart(good));
    longTag.append("\xff\x0f\xff\xff\xff\x7f", 6); // a tag claiming two gigabytes
    QTest::newRow("tag longer than the file") << longTag << true;
}

void TestMoviePrep::brokenFilesGetAClearAnswer()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, isMovie);
    const PreparedMovie movie = PrepareMovie(file);
    if (!isMovie) {
        QVERIFY(!movie.error.isEmpty());
        QVERIFY(movie.fws.isEmpty());
        return;
    }
    QVERIFY(movie.error.isEmpty());
    QCOMPARE(lengthField(movie.fws), uint32_t(movie.fws.size()));
    if (movie.probe == ProbeKind::None)
        QVERIFY(!movie.noProbeReason.isEmpty());
    QCOMPARE(movie.showFrames, 0);
}

void TestMoviePrep::shortCompressedDataStillPlays_data()
{
    QTest::addColumn<Compression>("compression");
    QTest::newRow("CWS missing its last quarter") << Compression::Zlib;
    QTest::newRow("ZWS missing its last quarter") << Compression::Lzma;
}

void TestMoviePrep::shortCompressedDataStillPlays()
{
    QFETCH(Compression, compression);
    swfgen::MovieSpec movieSpec;
    movieSpec.frameCount = 200;
    const QByteArray original = swfgen::WriteMovie(movieSpec);
    QByteArray packed = swfgen::Compress(original, compression);
    packed.chop((packed.size() - 20) / 4);

    const UncompressedSwf plain = DecodeSwfContainer(packed);
    QVERIFY(plain.error.isEmpty());
    QVERIFY(plain.truncated);
    QVERIFY(plain.fws.size() > 8 && plain.fws.size() < original.size());
    // What was decoded is the start of the movie, exactly.
    QCOMPARE(plain.fws.mid(8), original.mid(8, plain.fws.size() - 8));

    const PreparedMovie movie = PrepareMovie(packed);
    QVERIFY(movie.truncated);
    QCOMPARE(movie.probe, ProbeKind::ActionScript12);
    QVERIFY(movie.showFrames > 0 && movie.showFrames < 200);
}

void TestMoviePrep::lyingLengthDoesNotCutOrPad_data()
{
    QTest::addColumn<Compression>("compression");
    QTest::addColumn<qint64>("claimed");
    QTest::newRow("CWS claims 4 GB") << Compression::Zlib << qint64(0xFFFFFFFF);
    QTest::newRow("ZWS claims 4 GB") << Compression::Lzma << qint64(0xFFFFFFFF);
    QTest::newRow("FWS claims 4 GB") << Compression::None << qint64(0xFFFFFFFF);
    QTest::newRow("FWS claims 10 bytes") << Compression::None << qint64(10);
}

void TestMoviePrep::lyingLengthDoesNotCutOrPad()
{
    QFETCH(Compression, compression);
    QFETCH(qint64, claimed);
    swfgen::MovieSpec movieSpec;
    movieSpec.frameCount = 50;
    const QByteArray honest = swfgen::WriteMovie(movieSpec);
    movieSpec.headerFileLength = uint32_t(claimed);
    const UncompressedSwf plain = DecodeSwfContainer(swfgen::Compress(swfgen::WriteMovie(movieSpec), compression));
    QVERIFY(plain.error.isEmpty());
    QCOMPARE(plain.fws, honest);
}

void TestMoviePrep::actionScript3GetsItsOwnProbe()
{
    swfgen::MovieSpec movieSpec;
    movieSpec.version = 10;
    movieSpec.actionScript3 = true;
    movieSpec.frameCount = 33;
    const QByteArray original = swfgen::WriteMovie(movieSpec);
    const PreparedMovie movie = PrepareMovie(swfgen::Compress(original, Compression::Zlib));
    QVERIFY(movie.actionScript3);
    QCOMPARE(movie.probe, ProbeKind::ActionScript3);
    QCOMPARE(movie.showFrames, 33);
    QVERIFY(movie.holdsLastFrame);
    QList<RawTag> out = splitTags(movie.fws);
    const QList<RawTag> in = splitTags(original);
    // FileAttributes, then the probe's code, its sprite, the class binding and the placement.
    QCOMPARE(out.size(), in.size() + 4);
    const QList<int> injected { out.at(1).code, out.at(2).code, out.at(3).code, out.at(4).code };
    QCOMPARE(injected, (QList<int> { 82, 39, 76, 26 }));
    QVERIFY(out.at(1).bytes.contains(Avm2Probe::ProbeAbc(33)));
    out.remove(1, 4);
    for (int i = 0; i < in.size(); ++i)
        QCOMPARE(out.at(i).bytes, in.at(i).bytes);
}

void TestMoviePrep::actionScript3FlagBeforeSwf9IsIgnored()
{
    // Players honour the ActionScript 3 flag from SWF 9 on only.
    swfgen::MovieSpec movieSpec;
    movieSpec.version = 8;
    movieSpec.actionScript3 = true;
    const PreparedMovie movie = PrepareMovie(swfgen::WriteMovie(movieSpec));
    QVERIFY(!movie.actionScript3);
    QCOMPARE(movie.probe, ProbeKind::ActionScript12);
}

void TestMoviePrep::movieWithoutShowFrameGetsNoHold()
{
    QByteArray body = swfgen::Rect(0, 2000, 0, 2000);
    body.append("\x00\x18\x01\x00", 4); // 24 fps, 1 frame
    body += swfgen::Tag(9, QByteArray(3, '\0')) + swfgen::Tag(0, {});
    const QByteArray file = swfgen::RawFile("FWS", 6, uint32_t(body.size() + 8), body);
    const PreparedMovie movie = PrepareMovie(file);
    QCOMPARE(movie.probe, ProbeKind::ActionScript12);
    QCOMPARE(movie.showFrames, 0);
    QVERIFY(!movie.holdsLastFrame);
    QCOMPARE(movie.fws.size(), file.size() + doAction(Avm1Probe::RegisterCallbacks()).size());
}

void TestMoviePrep::lzmaEndMarkerIsOptional()
{
    swfgen::MovieSpec movieSpec;
    movieSpec.frameCount = 60;
    const QByteArray original = swfgen::WriteMovie(movieSpec);
    QByteArray packed = swfgen::Compress(original, Compression::Lzma);
    // The last bytes hold the end marker and the coder's flush, which many writers leave out.
    packed.chop(5);
    const UncompressedSwf plain = DecodeSwfContainer(packed);
    QVERIFY(!plain.truncated);
    QCOMPARE(plain.fws, original);
}

void TestMoviePrep::decodeRefusesMoviesOverTheLimit()
{
    swfgen::MovieSpec movieSpec;
    movieSpec.paddingBytes = 100000;
    const QByteArray packed = swfgen::Compress(swfgen::WriteMovie(movieSpec), Compression::Zlib);
    const UncompressedSwf plain = DecodeSwfContainer(packed, 50000);
    QVERIFY(!plain.error.isEmpty());
    QVERIFY(plain.fws.isEmpty());
    QVERIFY(DecodeSwfContainer(packed, 200000).error.isEmpty());
}

QTEST_GUILESS_MAIN(TestMoviePrep)
#include "tst_movieprep.moc"
