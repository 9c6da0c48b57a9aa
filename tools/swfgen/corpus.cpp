// swfcorpus: writes the probe corpus, movies of the patterns whole collections are made of, each
// with the outcome the player must reach, into a folder:
//   swfcorpus FOLDER   ->  FOLDER/<movies and their companion files>, FOLDER/expected.tsv
// expected.tsv: "path<TAB>reasons<TAB>total frames<TAB>lowest-highest frame reached" for every movie
// to play (companions have no line). Reasons separated by "|" are equally right.
#include "tools/swfgen/corpusscripts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <functional>

using namespace corpus;
using swfgen::Compression;

namespace {

using Frames = std::map<int, std::vector<QByteArray>>;

QByteArray avm1(int version, int frames, double rate, Frames tags = {}, Compression c = Compression::None)
{
    swfgen::MovieSpec m;
    m.version = uint8_t(version);
    m.frameCount = frames;
    m.frameRate = rate;
    m.compression = c;
    m.width = 320;
    m.height = 240;
    m.extraTags = std::move(tags);
    return swfgen::WriteMovie(m);
}

QByteArray as3(int version, int frames, double rate, const As3Document& doc = {}, Compression c = Compression::None,
    Frames tags = {})
{
    const std::vector<QByteArray> script = As3FrameOneTags(doc);
    tags[1].insert(tags[1].begin(), script.begin(), script.end());
    swfgen::MovieSpec m;
    m.version = uint8_t(version);
    m.actionScript3 = true;
    m.frameCount = frames;
    m.frameRate = rate;
    m.compression = c;
    m.width = 320;
    m.height = 240;
    m.shapeColor = 0x40C0F0;
    m.extraTags = std::move(tags);
    return swfgen::WriteMovie(m);
}

QByteArray act(const Avm1& a) { return a.tag(); }

// Frame 1 starts a load and frames 2-20 loop until it came; then the movie plays on to frame 40.
QByteArray waitsFor(int version, const Avm1& load)
{
    return avm1(version, 40, 30, { { 1, { load.tag() } }, { 20, { WaitForReady(2) } } });
}

// The same in ActionScript 3: the load's complete event jumps out of the loop to frame 21.
QByteArray as3WaitsFor(int version, As3Op::Kind kind, const QByteArray& url)
{
    As3Document doc;
    doc.frameScripts = { { 1, { { kind, 21, url } } }, { 20, { { As3Op::GotoAndPlay, 2 } } } };
    return as3(version, 40, 30, doc);
}

// A preloader: frame 1 loads a movie into level 0 and frame 2 waits on it; without it the movie goes
// on to its own 20 frames.
QByteArray levelZero(int version, const Avm1& load)
{
    return avm1(version, 20, 12, { { 1, { load.tag() } }, { 2, { Avm1().stop().tag() } } });
}

QByteArray scenes(int version, std::map<int, std::vector<As3Op>> scripts)
{
    As3Document doc;
    doc.scenes = { { "Intro", 0 }, { "Main", 5 } };
    doc.frameScripts = std::move(scripts);
    return as3(version, 10, 12, doc);
}

// Frame 5 walks _root with for-in and goes back to frame 2 when it finds the mark the player's probe
// sets there: a mark left visible keeps the movie in its opening frames.
QByteArray forInRoot(int version)
{
    Avm1 back;
    back.gotoAndPlay(2);
    Avm1 test;
    test.reg(0).str("quenRoot_3b91e7").op(0x13).op(0x12).unless(back); // StringEquals, Not
    Avm1 step;
    step.record(0x87, QByteArray(1, '\0')).record(0x96, QByteArray(1, '\2')).op(0x49); // StoreRegister 0, null, Equals2
    const int jump = int(test.size()) + 5;
    step.record(0x9D, QByteArray(1, char(jump & 0xff)) + char(jump >> 8)).append(test); // If: the end
    const int loop = -int(step.size()) - 5;
    step.record(0x99, QByteArray(1, char(loop & 0xff)) + char((loop >> 8) & 0xff)); // Jump: the next name
    Avm1 walk;
    walk.str("_root").op(0x1C).op(0x55).append(step); // GetVariable, Enumerate2
    return avm1(version, 30, 24, { { 5, { walk.tag() } } });
}

struct Row {
    const char* path;
    const char* expected; // reasons, total frames, frame range; empty for a companion file
    std::function<QByteArray()> make;
};

// The main movie every level-0 load asks for, under a name in another letter case.
constexpr char MainAsked[] = "parts/main.swf";

const std::vector<Row>& rows()
{
    using K = As3Op::Kind;
    static const std::vector<Row> table = {
        // Companions, in a subfolder whose names differ in case from what the movies ask for.
        { "Parts/Main.SWF", "",
            [] {
                swfgen::MovieSpec m; // green on red, to be told from the movies that load it
                m.frameCount = 40;
                m.shapeColor = 0x80E060;
                m.background = 0x602020;
                return swfgen::Compress(swfgen::WriteMovie(m), Compression::Zlib);
            } },
        { "Parts/Data.TXT", "", [] { return QByteArray("ready=1&x=2"); } },
        { "Parts/News.XML", "", [] { return QByteArray("<news><item/></news>"); } },
        { "Parts/Song.MP3", "", [] { return SilentMp3(40); } },
        { "Parts/Clip.FLV", "", [] { return SilentFlv(); } },
        { "Parts/Intro.swf", "", [] { return as3(10, 20, 24, { {}, {}, {}, {}, "QuenCorpusIntro" }); } },
        // Plain timelines across versions and containers.
        { "plain-v4.swf", "last-frame 24 23-23", [] { return avm1(4, 24, 24); } },
        { "plain-v5.swf", "last-frame 24 23-23", [] { return avm1(5, 24, 24); } },
        { "plain-v6-cws.swf", "last-frame 30 29-29", [] { return avm1(6, 30, 30, {}, Compression::Zlib); } },
        { "plain-v7.swf", "last-frame 24 23-23", [] { return avm1(7, 24, 24); } },
        { "plain-v9-avm1.swf", "last-frame 24 23-23", [] { return avm1(9, 24, 24); } },
        { "plain-v10-avm1-cws.swf", "last-frame 24 23-23", [] { return avm1(10, 24, 24, {}, Compression::Zlib); } },
        { "plain-v13-avm1-zws.swf", "last-frame 24 23-23", [] { return avm1(13, 24, 24, {}, Compression::Lzma); } },
        { "as3-v9.swf", "last-frame 24 23-23", [] { return as3(9, 24, 24); } },
        { "as3-v10-cws.swf", "last-frame 24 23-23", [] { return as3(10, 24, 24, {}, Compression::Zlib); } },
        { "as3-v15-zws.swf", "last-frame 24 23-23", [] { return as3(15, 24, 24, {}, Compression::Lzma); } },
        { "as3-v43-zws.swf", "last-frame 30 29-29", [] { return as3(43, 30, 30, {}, Compression::Lzma); } },
        { "header-lies-120-of-60.swf", "last-frame 60 59-59",
            [] {
                swfgen::MovieSpec m;
                m.frameCount = 60;
                m.frameRate = 30;
                m.headerFrameCount = 120;
                return swfgen::WriteMovie(m);
            } },
        // stop() waiting for a click: pushed on by the monitor.
        { "stop-wait-v6.swf", "last-frame 30 29-29", [] { return avm1(6, 30, 24, { { 10, { act(Avm1().stop()) } } }); } },
        { "as3-stop-wait.swf", "last-frame 30 29-29", [] { return as3(10, 30, 24, { { { 10, { { K::Stop } } } } }); } },
        // Loops into the opening frames.
        { "loop-opening-v8.swf", "loop-timeout 40 3-7",
            [] { return avm1(8, 40, 24, { { 8, { act(Avm1().gotoAndPlay(1)) } } }); } },
        { "as3-loop-opening.swf", "loop-timeout 40 3-7",
            [] { return as3(11, 40, 24, { { { 8, { { K::GotoAndPlay, 1 } } } } }); } },
        { "short-jumps-back-v6.swf", "loop-timeout 4 1-3",
            [] { return avm1(6, 4, 12, { { 4, { act(Avm1().gotoAndPlay(1)) } } }); } },
        { "as3-short-jumps-back.swf", "loop-timeout 4 1-3",
            [] { return as3(12, 4, 12, { { { 4, { { K::GotoAndPlay, 1 } } } } }); } },
        // Preloaders: frames 1-2 loop until every frame is loaded, then the movie plays on.
        { "preloader-v5.swf", "last-frame 30 29-29", [] { return avm1(5, 30, 24, { { 2, { WaitForFramesLoaded(1) } } }); } },
        { "preloader-v8-zws.swf", "last-frame 30 29-29",
            [] { return avm1(8, 30, 24, { { 2, { WaitForFramesLoaded(1) } } }, Compression::Lzma); } },
        // Clips that outlast the root, streaming sound, blend modes.
        { "nested-outlasts-root-v8.swf", "last-frame 12 11-11", [] { return avm1(8, 12, 24, { { 1, NestedClip(2, 200, 5) } }); } },
        { "as3-nested-outlasts-root.swf", "last-frame 12 11-11",
            [] { return as3(10, 12, 24, {}, Compression::None, { { 1, NestedClip(2, 200, 5) } }); } },
        { "stream-sound-v6.swf", "last-frame 24 23-23",
            [] {
                Frames f { { 1, { SoundStreamHead(24) } } };
                for (int i = 1; i <= 24; ++i)
                    f[i].push_back(SoundStreamBlock());
                return avm1(6, 24, 24, f);
            } },
        { "as3-blend-children-v25-cws.swf", "last-frame 3 2-2",
            [] {
                return as3(25, 3, 6, {}, Compression::Zlib, { { 1, { BlendedSquare(3, 3), BlendedSquare(4, 8) } } });
            } },
        // Scenes (ActionScript 3 only: in AS1/2 scenes are one timeline).
        { "as3-two-scenes.swf", "last-frame 10 9-9", [] { return scenes(10, {}); } },
        { "as3-prev-scene-loop.swf", "loop-timeout 10 5-7", [] { return scenes(10, { { 8, { { K::PrevScene } } } }); } },
        { "as3-next-prev-scene.swf", "loop-timeout 10 5-7",
            [] { return scenes(10, { { 3, { { K::NextScene } } }, { 8, { { K::PrevScene } } } }); } },
        { "as3-remove-children-v11.swf", "last-frame 30 29-29",
            [] { return as3(11, 30, 24, { { { 1, { { K::RemoveChildren } } } } }); } },
        { "as3-remove-children-in-constructor-v11.swf", "last-frame 30 29-29",
            [] {
                As3Document doc;
                doc.constructorOps = { { K::RemoveChildren } };
                return as3(11, 30, 24, doc);
            } },
        { "as3-duplicate-labels.swf", "last-frame 7 6-6",
            [] {
                As3Document doc;
                doc.labels = { { 1, "part" }, { 4, "part" } };
                doc.frameScripts = { { 3, { { K::Stop } } } };
                return as3(10, 7, 6, doc);
            } },
        { "forin-root-v6.swf", "last-frame 30 29-29", [] { return forInRoot(6); } },
        // Companions asked for by relative name in another letter case; waits until they came.
        { "loadvariables-v5.swf", "last-frame 40 39-39", [] { return waitsFor(5, Avm1().getUrl2("PARTS/data.txt", "_level0", 0xC0)); } },
        { "loadvars-v6.swf", "last-frame 40 39-39",
            [] { return waitsFor(6, Avm1().loadWithOnLoad("LoadVars", "load", "parts/data.txt", 0)); } },
        { "xml-load-v7.swf", "last-frame 40 39-39",
            [] { return waitsFor(7, Avm1().loadWithOnLoad("XML", "load", "parts/news.xml", 0)); } },
        { "sound-loadsound-v8.swf", "last-frame 40 39-39",
            [] { return waitsFor(8, Avm1().loadWithOnLoad("Sound", "loadSound", "Parts/song.mp3", 1)); } },
        { "as3-loader.swf", "last-frame 40 39-39", [] { return as3WaitsFor(10, K::Loader, "parts/intro.SWF"); } },
        { "as3-urlloader.swf", "last-frame 40 39-39", [] { return as3WaitsFor(10, K::UrlLoader, "Parts/data.txt"); } },
        { "as3-sound.swf", "last-frame 40 39-39", [] { return as3WaitsFor(10, K::Sound, "parts/Song.mp3"); } },
        { "netstream-v7.swf", "last-frame 40 39-39", [] { return waitsFor(7, Avm1().playStream("parts/clip.flv")); } },
        { "as3-netstream.swf", "last-frame 40 39-39", [] { return as3WaitsFor(10, K::NetStream, "Parts/clip.flv"); } },
        // A part missing: the frame is still read, and the monitor gives up on the loop that waits.
        { "missing-loadvars-v6.swf", "loop-timeout 40 2-19",
            [] { return waitsFor(6, Avm1().loadWithOnLoad("LoadVars", "load", "parts/nothing.txt", 0)); } },
        { "as3-missing-loader.swf", "loop-timeout 40 2-19", [] { return as3WaitsFor(10, K::Loader, "parts/nothing.swf"); } },
        { "as3-missing-netstream.swf", "loop-timeout 40 2-19", [] { return as3WaitsFor(10, K::NetStream, "parts/nothing.flv"); } },
        // Level-0 loads take over the root and are followed; loads into a clip or level 1 are not.
        { "level0-loadmovienum-v6.swf", "last-frame 40 39-39", [] { return levelZero(6, Avm1().getUrl2(MainAsked, "_level0", 0)); } },
        { "level0-geturl-v4.swf", "last-frame 40 39-39", [] { return levelZero(4, Avm1().getUrl(MainAsked, "_level0")); } },
        { "level0-movieclipLoader-v7.swf", "last-frame 40 39-39",
            [] {
                return levelZero(7,
                    Avm1().str("_level0").str(MainAsked).num(2).num(0).str("MovieClipLoader").op(0x40).str("loadClip").op(0x52).op(0x17));
            } },
        { "level0-missing-v6.swf", "stuck-frame 20 0-1", [] { return levelZero(6, Avm1().getUrl2("parts/absent.swf", "_level0", 0)); } },
        { "level1-not-followed-v6.swf", "last-frame 30 29-29",
            [] { return avm1(6, 30, 24, { { 1, { act(Avm1().getUrl2(MainAsked, "_level1", 0)) } } }); } },
        { "clip-load-not-followed-v6.swf", "last-frame 30 29-29",
            [] {
                Frames f { { 1, NestedClip(2, 1, 7, "holder") } };
                f[1].push_back(act(Avm1().getUrl2(MainAsked, "holder", 0x40)));
                return avm1(6, 30, 24, f);
            } },
        // Confinement: a parent step out of the movie's folder and a link out are refused; the
        // engine empties level 0 for a load that cannot come, and the empty level does not move.
        { "sub/climbs-out-v6.swf", "stuck-frame 20 0-1", [] { return levelZero(6, Avm1().getUrl2("../Parts/Main.SWF", "_level0", 0)); } },
        { "sub/link-out-v6.swf", "stuck-frame 20 0-1", [] { return levelZero(6, Avm1().getUrl2("outside.swf", "_level0", 0)); } },
    };
    return table;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: swfcorpus FOLDER\n", stderr);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QByteArray expected;
    for (const Row& row : rows()) {
        const QString path = out.filePath(QString::fromUtf8(row.path));
        QFile file(path);
        if (!out.mkpath(QFileInfo(path).path()) || !file.open(QIODevice::WriteOnly) || file.write(row.make()) < 0) {
            std::fprintf(stderr, "swfcorpus: cannot write %s\n", qPrintable(path));
            return 1;
        }
        if (*row.expected)
            expected += QByteArray(row.path) + '\t' + QByteArray(row.expected).replace(' ', '\t') + '\n';
    }
    // A link inside the movie's folder that leads out of it.
    QFile::remove(out.filePath(QStringLiteral("sub/outside.swf")));
    QFile::link(out.filePath(QStringLiteral("Parts/Main.SWF")), out.filePath(QStringLiteral("sub/outside.swf")));
    QFile list(out.filePath(QStringLiteral("expected.tsv")));
    if (!list.open(QIODevice::WriteOnly) || list.write(expected) < 0)
        return 1;
    return 0;
}
