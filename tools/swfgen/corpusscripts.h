#pragma once

#include "tools/swfgen/swfwriter.h"

#include <QByteArray>
#include <vector>

// Building blocks of the probe corpus: ActionScript 1/2 actions written byte by byte, ActionScript
// 3 frame scripts, and the few tags the corpus movies need beyond a moving square.
namespace corpus {

class Avm1 {
public:
    Avm1& op(uint8_t code);
    Avm1& record(uint8_t code, const QByteArray& payload);
    Avm1& str(const QByteArray& s);
    Avm1& num(int v);
    Avm1& boolean(bool v);
    Avm1& reg(int r);
    Avm1& append(const Avm1& other);
    Avm1& gotoAndPlay(int frame); // 1-based
    Avm1& stop() { return op(0x07); }
    Avm1& gotoAndStop(int frame); // 1-based
    // GetURL2: url and target from the stack; flags 0x40 loads into a clip, 0x80 loads variables.
    Avm1& getUrl2(const QByteArray& url, const QByteArray& target, uint8_t flags);
    Avm1& getUrl(const QByteArray& url, const QByteArray& target); // the SWF 3 form
    // Skips the given actions when the value on the stack is true.
    Avm1& unless(const Avm1& actions);
    // new cls(), its onLoad(ok) setting _level0.ready = ok, then cls.method(url, extra...).
    Avm1& loadWithOnLoad(const QByteArray& cls, const QByteArray& method, const QByteArray& url, int extraFalseArgs);
    // A NetStream over a local NetConnection plays url; the file's metadata sets _level0.ready.
    Avm1& playStream(const QByteArray& url);
    qsizetype size() const { return m_bytes.size(); }
    QByteArray tag() const; // the DoAction tag
    QByteArray bytes() const { return m_bytes; }

private:
    Avm1& readyOn(const QByteArray& handler); // register 0's handler(ok) sets _level0.ready = ok
    QByteArray m_bytes;
};

// "until _level0.ready, go back to frame loopTo": the end of a loop that waits for a companion file.
QByteArray WaitForReady(int loopTo);
// "until every frame is loaded, go back to frame loopTo": the classic preloader.
QByteArray WaitForFramesLoaded(int loopTo);
// The local shared object "q": when it holds v, gotoAndStop(frame); otherwise v is set, flushed
// and the movie stops where it is. A movie that finds what it stored on an earlier run shows it.
QByteArray RememberVisit(int frame);

struct As3Op {
    enum Kind {
        Stop,
        Play,
        GotoAndPlay,
        GotoAndStop,
        NextScene,
        PrevScene,
        RemoveChildren,
        Loader, // new Loader().load(url), added to the root; on complete gotoAndPlay(frame)
        UrlLoader, // new URLLoader().load(url); on complete gotoAndPlay(frame)
        Sound, // new Sound().load(url); on complete gotoAndPlay(frame)
        NetStream, // a NetStream plays url; when its metadata arrives, gotoAndPlay(frame)
        RememberVisit, // as RememberVisit() for ActionScript 1/2
    };
    Kind kind = Stop;
    int frame = 0;
    QByteArray url;
};

struct As3Scene {
    QByteArray name;
    int firstFrame = 0; // 0-based
};

struct As3Document {
    std::map<int, std::vector<As3Op>> frameScripts; // by 1-based frame
    std::vector<As3Scene> scenes; // none: one scene
    std::vector<std::pair<int, QByteArray>> labels; // 0-based frame, label; names may repeat
    std::vector<As3Op> constructorOps; // run by the document class's constructor
    // Classes of a movie loaded by another resolve in the loader's domain first: parts need names
    // of their own.
    QByteArray className = "QuenCorpusDocument";
};

// The tags for the start of frame 1 of an ActionScript 3 MovieSpec (version 9 or later).
std::vector<QByteArray> As3FrameOneTags(const As3Document& document);

// Ten frames, RememberVisit(5) on the first; from frame 5 on a large red square shows that the movie
// found what an earlier run stored. SWF 8, or SWF 10 with ActionScript 3.
swfgen::MovieSpec RememberingMovie(bool actionScript3);

// A sprite of the given frames, with the square in it, defined and placed on the root.
std::vector<QByteArray> NestedClip(int id, int frames, int depth, const QByteArray& name = {});
// The square placed again at depth with a blend mode (PlaceObject3).
QByteArray BlendedSquare(int depth, int blendMode);
// Streaming MP3 sound: the head for frame 1 and one block per frame.
QByteArray SoundStreamHead(double frameRate);
QByteArray SoundStreamBlock();
// A short silent MP3 file.
QByteArray SilentMp3(int frames);
// A tiny FLV file: its metadata and one silent sound tag.
QByteArray SilentFlv();

} // namespace corpus
