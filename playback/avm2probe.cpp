#include "playback/avm2probe.h"

#include "playback/abcwriter.h"
#include "playback/avm1probe.h"

namespace {

enum Op : uint8_t {
    Add = 0xA0,
    AsTypeLate = 0x87,
    CallProperty = 0x46,
    CallPropVoid = 0x4F,
    ConstructSuper = 0x49,
    Dup = 0x2A,
    FindPropStrict = 0x5D,
    GetLex = 0x60,
    GetLocal0 = 0xD0,
    GetLocal1 = 0xD1,
    GetLocal2 = 0xD2,
    GetLocal3 = 0xD3,
    GetLocal = 0x62,
    GetProperty = 0x66,
    IfFalse = 0x12,
    IfNe = 0x14,
    IfNgt = 0x0F,
    IfNlt = 0x0C,
    IfStrictEq = 0x19,
    IfTrue = 0x11,
    IncLocalI = 0xC2,
    Jump = 0x10,
    NewFunction = 0x40,
    Pop = 0x29,
    PushInt = 0x2D,
    PushScope = 0x30,
    PushString = 0x2C,
    ReturnValue = 0x48,
    ReturnVoid = 0x47,
    SetLocal1 = 0xD5,
    SetLocal2 = 0xD6,
    SetLocal3 = 0xD7,
    SetLocal = 0x63,
    SetProperty = 0x61,
    Subtract = 0xA1,
};

struct Names {
    int root, movieClip, scenes, currentScene, currentFrame, name, numFrames, length, index, frameOf, stage, scaleMode,
        play, stop, gotoAndStop, externalInterface, addCallback, addEventListener, probe;
};

Names names(AbcWriter& w)
{
    Names n {};
    n.root = w.qname({}, "root");
    n.movieClip = w.qname("flash.display", "MovieClip");
    n.scenes = w.qname({}, "scenes");
    n.currentScene = w.qname({}, "currentScene");
    n.currentFrame = w.qname({}, "currentFrame");
    n.name = w.qname({}, "name");
    n.numFrames = w.qname({}, "numFrames");
    n.length = w.qname({}, "length");
    n.index = w.runtimeName();
    n.frameOf = w.qname({}, "quenAbsoluteFrame_3b91e7");
    n.stage = w.qname({}, "stage");
    n.scaleMode = w.qname({}, "scaleMode");
    n.play = w.qname({}, "play");
    n.stop = w.qname({}, "stop");
    n.gotoAndStop = w.qname({}, "gotoAndStop");
    n.externalInterface = w.qname("flash.external", "ExternalInterface");
    n.addCallback = w.qname({}, "addCallback");
    n.addEventListener = w.qname({}, "addEventListener");
    n.probe = w.qname({}, Avm2Probe::ClassName);
    return n;
}

// root as MovieClip: null for a movie whose document class is a Sprite (it has no timeline).
AbcCode& rootClip(AbcCode& c, const Names& n)
{
    return c.op(GetLex, n.root).op(GetLex, n.movieClip).op(AsTypeLate);
}

// scenes[local i]
AbcCode& sceneAt(AbcCode& c, const Names& n, int scenesLocal, int indexLocal)
{
    return c.op(GetLocal, scenesLocal).op(GetLocal, indexLocal).op(GetProperty, n.index);
}

// The frame counted from the start of the movie, 1-based, across scenes; -1 without a timeline.
AbcCode absoluteFrame(const Names& n)
{
    AbcCode c;
    const auto ok = c.label(), loop = c.label(), done = c.label();
    c.op(GetLocal0).op(PushScope);
    rootClip(c, n).op(SetLocal1);
    c.op(GetLocal1).branch(IfTrue, ok).pushByte(-1).op(ReturnValue);
    c.bind(ok);
    c.op(GetLocal1).op(GetProperty, n.scenes).op(SetLocal2);
    c.op(GetLocal1).op(GetProperty, n.currentScene).op(GetProperty, n.name).op(SetLocal3);
    c.pushByte(0).op(SetLocal, 4).pushByte(0).op(SetLocal, 5);
    c.bind(loop);
    c.op(GetLocal, 4).op(GetLocal2).op(GetProperty, n.length).branch(IfNlt, done);
    sceneAt(c, n, 2, 4).op(GetProperty, n.name).op(GetLocal3).branch(IfStrictEq, done);
    c.op(GetLocal, 5);
    sceneAt(c, n, 2, 4).op(GetProperty, n.numFrames).op(Add).op(SetLocal, 5);
    c.op(IncLocalI, 4).branch(Jump, loop);
    c.bind(done);
    c.op(GetLocal, 5).op(GetLocal1).op(GetProperty, n.currentFrame).op(Add).op(ReturnValue);
    return c;
}

AbcCode& callFrameOf(AbcCode& c, const Names& n)
{
    return c.op(FindPropStrict, n.frameOf).op(CallProperty, n.frameOf).u30(0);
}

AbcCode frameCallback(const Names& n)
{
    AbcCode c;
    callFrameOf(c, n).op(ReturnValue);
    return c;
}

// goto(frame): the absolute frame becomes a scene and a frame within it; stays stopped.
AbcCode gotoCallback(const Names& n)
{
    AbcCode c;
    const auto loop = c.label(), found = c.label(), end = c.label();
    rootClip(c, n).op(SetLocal2);
    c.op(GetLocal2).branch(IfFalse, end);
    c.op(GetLocal2).op(GetProperty, n.scenes).op(SetLocal3);
    c.pushByte(0).op(SetLocal, 4);
    c.bind(loop);
    c.op(GetLocal, 4).op(GetLocal3).op(GetProperty, n.length).branch(IfNlt, end);
    c.op(GetLocal1);
    sceneAt(c, n, 3, 4).op(GetProperty, n.numFrames).branch(IfNgt, found);
    c.op(GetLocal1);
    sceneAt(c, n, 3, 4).op(GetProperty, n.numFrames).op(Subtract).op(SetLocal1);
    c.op(IncLocalI, 4).branch(Jump, loop);
    c.bind(found);
    c.op(GetLocal2).op(GetLocal1);
    sceneAt(c, n, 3, 4).op(GetProperty, n.name).op(CallPropVoid, n.gotoAndStop).u30(2);
    c.bind(end);
    callFrameOf(c, n).op(ReturnValue);
    return c;
}

AbcCode rootCall(const Names& n, int method)
{
    AbcCode c;
    const auto none = c.label();
    rootClip(c, n).op(Dup).branch(IfFalse, none).op(CallPropVoid, method).u30(0).op(ReturnVoid);
    c.bind(none).op(Pop).op(ReturnVoid);
    return c;
}

AbcCode scaleCallback(const Names& n)
{
    AbcCode c;
    const auto none = c.label();
    c.op(GetLex, n.stage).op(Dup).branch(IfFalse, none).op(GetLocal1).op(SetProperty, n.scaleMode).op(ReturnVoid);
    c.bind(none).op(Pop).op(ReturnVoid);
    return c;
}

// After the frame's own scripts: on the last frame, the root holds.
AbcCode exitFrame(const Names& n, int lastFrameConstant)
{
    AbcCode c;
    const auto end = c.label();
    callFrameOf(c, n).op(PushInt, lastFrameConstant).branch(IfNe, end);
    rootClip(c, n).op(CallPropVoid, n.stop).u30(0);
    c.bind(end).op(ReturnVoid);
    return c;
}

} // namespace

namespace Avm2Probe {

QByteArray ProbeAbc(int lastFrame)
{
    AbcWriter w;
    const Names n = names(w);

    const int frameOf = w.method(0);
    w.body(frameOf, absoluteFrame(n), 6);

    struct Callback {
        const char* name;
        int params;
        AbcCode code;
    };
    const Callback callbacks[] = {
        { Avm1Probe::FrameCallback, 0, frameCallback(n) },
        { Avm1Probe::GotoCallback, 1, gotoCallback(n) },
        { Avm1Probe::PlayCallback, 0, rootCall(n, n.play) },
        { Avm1Probe::StopCallback, 0, rootCall(n, n.stop) },
        { Avm1Probe::ScaleCallback, 1, scaleCallback(n) },
    };

    // The constructor registers closures; they find the probe and its root through the scope chain.
    AbcCode ctor;
    ctor.op(GetLocal0).op(PushScope).op(GetLocal0).op(ConstructSuper, 0);
    for (const Callback& cb : callbacks) {
        const int m = w.method(cb.params);
        w.body(m, cb.code, 6);
        ctor.op(GetLex, n.externalInterface).op(PushString, w.string(cb.name)).op(NewFunction, m);
        ctor.op(CallPropVoid, n.addCallback).u30(2);
    }
    if (lastFrame > 0) {
        const int tick = w.method(1);
        w.body(tick, exitFrame(n, w.integer(lastFrame)), 3);
        ctor.op(GetLocal0).op(PushString, w.string("exitFrame")).op(NewFunction, tick);
        ctor.op(CallPropVoid, n.addEventListener).u30(2);
    }
    ctor.op(ReturnVoid);
    const int constructor = w.method(0);
    w.body(constructor, ctor, 1);

    // A MovieClip, like every symbol on a timeline: movies that cast the root's children expect one.
    const int cls = w.addClass(n.probe, n.movieClip, constructor, { { n.frameOf, 1, frameOf } });
    w.addScriptForClass(cls, n.probe, n.movieClip);
    return w.finish();
}

Injection Build(const SwfTagLayout& layout, int lastFrame)
{
    Injection injection;
    int id = 0xFFFE;
    while (id > 0 && layout.characterIds.contains(id))
        --id;
    if (id == 0) {
        injection.error = QStringLiteral("no free character id for the probe");
        return injection;
    }
    auto u16 = [](QByteArray& b, int v) {
        b.append(static_cast<char>(v & 0xff)).append(static_cast<char>((v >> 8) & 0xff));
    };

    QByteArray abc;
    abc.append("\x01\0\0\0", 4); // lazy initialise: runs when the symbol is bound
    abc.append(ClassName).append('\0');
    abc.append(ProbeAbc(lastFrame));

    QByteArray sprite;
    u16(sprite, id);
    u16(sprite, 1);
    sprite.append("\x40\x00\x00\x00", 4); // ShowFrame, End

    QByteArray symbol;
    u16(symbol, 1);
    u16(symbol, id);
    symbol.append(ClassName).append('\0');

    // No instance name: a sealed document class would throw on the unknown property.
    QByteArray place(1, '\x02'); // has character
    u16(place, Depth);
    u16(place, id);

    injection.frameOneTags = EncodeSwfTag(SwfTagCode::DoABC, abc) + EncodeSwfTag(SwfTagCode::DefineSprite, sprite)
        + EncodeSwfTag(SwfTagCode::SymbolClass, symbol) + EncodeSwfTag(SwfTagCode::PlaceObject2, place);
    return injection;
}

} // namespace Avm2Probe
