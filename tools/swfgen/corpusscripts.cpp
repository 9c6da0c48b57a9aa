#include "tools/swfgen/corpusscripts.h"

#include "playback/abcwriter.h"

namespace corpus {

namespace {

QByteArray u16(int v)
{
    QByteArray b;
    b.append(static_cast<char>(v & 0xff)).append(static_cast<char>((v >> 8) & 0xff));
    return b;
}

} // namespace

Avm1& Avm1::op(uint8_t code)
{
    m_bytes.append(static_cast<char>(code));
    return *this;
}

Avm1& Avm1::record(uint8_t code, const QByteArray& payload)
{
    op(code);
    m_bytes.append(u16(int(payload.size()))).append(payload);
    return *this;
}

Avm1& Avm1::str(const QByteArray& s)
{
    return record(0x96, QByteArray(1, '\0') + s + QByteArray(1, '\0'));
}

Avm1& Avm1::num(int v)
{
    QByteArray payload(1, '\7');
    for (int i = 0; i < 4; ++i)
        payload.append(static_cast<char>((uint32_t(v) >> (8 * i)) & 0xff));
    return record(0x96, payload);
}

Avm1& Avm1::boolean(bool v)
{
    return record(0x96, QByteArray("\x05", 1) + QByteArray(1, v ? '\1' : '\0'));
}

Avm1& Avm1::reg(int r)
{
    return record(0x96, QByteArray("\x04", 1) + QByteArray(1, static_cast<char>(r)));
}

Avm1& Avm1::append(const Avm1& other)
{
    m_bytes.append(other.m_bytes);
    return *this;
}

Avm1& Avm1::gotoAndPlay(int frame)
{
    return record(0x81, u16(frame - 1)).op(0x06);
}

Avm1& Avm1::gotoAndStop(int frame)
{
    return record(0x81, u16(frame - 1)).op(0x07);
}

Avm1& Avm1::getUrl2(const QByteArray& url, const QByteArray& target, uint8_t flags)
{
    return str(url).str(target).record(0x9A, QByteArray(1, static_cast<char>(flags)));
}

Avm1& Avm1::getUrl(const QByteArray& url, const QByteArray& target)
{
    return record(0x83, url + QByteArray(1, '\0') + target + QByteArray(1, '\0'));
}

Avm1& Avm1::unless(const Avm1& actions)
{
    return record(0x9D, u16(int(actions.size()))).append(actions);
}

Avm1& Avm1::readyOn(const QByteArray& handler)
{
    Avm1 body;
    body.str("_level0:ready").str("ok").op(0x1C).op(0x1D); // GetVariable, SetVariable
    QByteArray function("\0", 1); // no name
    function.append(u16(1)).append("ok").append('\0').append(u16(int(body.size())));
    return reg(0).str(handler).record(0x9B, function).append(body).op(0x4F); // DefineFunction, SetMember
}

Avm1& Avm1::loadWithOnLoad(const QByteArray& cls, const QByteArray& method, const QByteArray& url, int extraFalseArgs)
{
    num(0).str(cls).op(0x40).record(0x87, QByteArray(1, '\0')).op(0x17); // new, StoreRegister 0, Pop
    readyOn("onLoad");
    for (int i = 0; i < extraFalseArgs; ++i)
        boolean(false);
    return str(url).num(1 + extraFalseArgs).reg(0).str(method).op(0x52).op(0x17); // CallMethod, Pop
}

Avm1& Avm1::playStream(const QByteArray& url)
{
    num(0).str("NetConnection").op(0x40).record(0x87, QByteArray(1, '\1')).op(0x17); // register 1
    record(0x96, QByteArray(1, '\2')).num(1).reg(1).str("connect").op(0x52).op(0x17); // connect(null)
    reg(1).num(1).str("NetStream").op(0x40).record(0x87, QByteArray(1, '\0')).op(0x17); // register 0
    readyOn("onMetaData");
    return str(url).num(1).reg(0).str("play").op(0x52).op(0x17);
}

QByteArray Avm1::tag() const
{
    return swfgen::Tag(12, m_bytes + QByteArray(1, '\0'));
}

QByteArray WaitForReady(int loopTo)
{
    Avm1 back;
    back.gotoAndPlay(loopTo);
    return Avm1().str("_level0:ready").op(0x1C).unless(back).tag();
}

QByteArray WaitForFramesLoaded(int loopTo)
{
    Avm1 back;
    back.gotoAndPlay(loopTo);
    Avm1 a;
    a.str("").num(12).op(0x22).str("").num(5).op(0x22); // _framesloaded, _totalframes
    return a.op(0x0F).op(0x12).unless(back).tag(); // Less, Not
}

QByteArray RememberVisit(int frame)
{
    auto value = [](Avm1& a) { a.str("so").op(0x1C).str("data").op(0x4E).str("v").op(0x4E); }; // so.data.v
    Avm1 a, there, store;
    a.str("so").str("q").num(1).str("SharedObject").op(0x1C).str("getLocal").op(0x52).op(0x1D);
    there.gotoAndStop(frame);
    value(a);
    a.op(0x12).unless(there); // Not
    store.str("so").op(0x1C).str("data").op(0x4E).str("v").num(1).op(0x4F); // SetMember
    store.num(0).str("so").op(0x1C).str("flush").op(0x52).op(0x17).stop();
    value(a);
    return a.unless(store).tag();
}

namespace {

// The listener of a load: gotoAndPlay(frame) on the document, found through the scope chain.
int completeListener(AbcWriter& w, int frame)
{
    const int m = w.method(1);
    AbcCode c;
    const int gotoAndPlay = w.qname({}, "gotoAndPlay");
    c.op(0x5D, uint32_t(gotoAndPlay)).op(0x25, uint32_t(frame)).op(0x4F, uint32_t(gotoAndPlay)).u30(1).op(0x47);
    w.body(m, c, 2);
    return m;
}

void load(AbcWriter& w, AbcCode& c, const As3Op& op)
{
    static const std::pair<const char*, const char*> classes[] = {
        { "flash.display", "Loader" }, { "flash.net", "URLLoader" }, { "flash.media", "Sound" } };
    const auto& [package, name] = classes[op.kind - As3Op::Loader];
    const int cls = w.qname(package, name);
    const int request = w.qname("flash.net", "URLRequest");
    c.op(0x5D, uint32_t(cls)).op(0x4A, uint32_t(cls)).u30(0).op(0xD5); // new, setlocal1
    c.op(0xD1); // getlocal1
    if (op.kind == As3Op::Loader)
        c.op(0x66, uint32_t(w.qname({}, "contentLoaderInfo")));
    c.op(0x2C, uint32_t(w.string("complete"))).op(0x40, uint32_t(completeListener(w, op.frame)));
    c.op(0x4F, uint32_t(w.qname({}, "addEventListener"))).u30(2);
    c.op(0xD1).op(0x5D, uint32_t(request)).op(0x2C, uint32_t(w.string(op.url))).op(0x4A, uint32_t(request)).u30(1);
    c.op(0x4F, uint32_t(w.qname({}, "load"))).u30(1);
    if (op.kind == As3Op::Loader)
        c.op(0xD0).op(0xD1).op(0x4F, uint32_t(w.qname({}, "addChild"))).u30(1);
}

// new NetStream(a NetConnection connected to null), its client's onMetaData going to the frame,
// then play(url).
void playStream(AbcWriter& w, AbcCode& c, const As3Op& op)
{
    const int stream = w.qname("flash.net", "NetStream");
    const int connection = w.qname("flash.net", "NetConnection");
    c.op(0x5D, uint32_t(stream)).op(0x5D, uint32_t(connection)).op(0x4A, uint32_t(connection)).u30(0);
    c.op(0x2A).op(0x20).op(0x4F, uint32_t(w.qname({}, "connect"))).u30(1); // dup, pushnull
    c.op(0x4A, uint32_t(stream)).u30(1).op(0xD5); // setlocal1
    c.op(0xD1).op(0x2C, uint32_t(w.string("onMetaData"))).op(0x40, uint32_t(completeListener(w, op.frame)));
    c.op(0x55, 1).op(0x61, uint32_t(w.qname({}, "client"))); // newobject, setproperty
    c.op(0xD1).op(0x2C, uint32_t(w.string(op.url))).op(0x4F, uint32_t(w.qname({}, "play"))).u30(1);
}

void rememberVisit(AbcWriter& w, AbcCode& c, int frame)
{
    const int data = w.qname({}, "data"), v = w.qname({}, "v");
    c.op(0x60, uint32_t(w.qname("flash.net", "SharedObject"))).op(0x2C, uint32_t(w.string("q"))); // getlex
    c.op(0x46, uint32_t(w.qname({}, "getLocal"))).u30(1).op(0xD5); // callproperty, setlocal1
    const AbcCode::Label store = c.label(), done = c.label();
    c.op(0xD1).op(0x66, uint32_t(data)).op(0x66, uint32_t(v)).branch(0x12, store); // getproperty, iffalse
    c.op(0xD0).op(0x25, uint32_t(frame)).op(0x4F, uint32_t(w.qname({}, "gotoAndStop"))).u30(1).branch(0x10, done);
    c.bind(store).op(0xD1).op(0x66, uint32_t(data)).op(0x25, 1).op(0x61, uint32_t(v)); // setproperty
    c.op(0xD1).op(0x4F, uint32_t(w.qname({}, "flush"))).u30(0);
    c.op(0xD0).op(0x4F, uint32_t(w.qname({}, "stop"))).u30(0).bind(done);
}

void appendOps(AbcWriter& w, AbcCode& c, const std::vector<As3Op>& ops);

AbcCode frameScript(AbcWriter& w, const std::vector<As3Op>& ops)
{
    AbcCode c;
    c.op(0xD0).op(0x30); // getlocal0, pushscope: listeners find the document on their scope chain
    appendOps(w, c, ops);
    c.op(0x47);
    return c;
}

void appendOps(AbcWriter& w, AbcCode& c, const std::vector<As3Op>& ops)
{
    for (const As3Op& op : ops) {
        auto call = [&](const char* method) { c.op(0xD0).op(0x4F, uint32_t(w.qname({}, method))).u30(0); };
        switch (op.kind) {
        case As3Op::Stop:
            call("stop");
            break;
        case As3Op::Play:
            call("play");
            break;
        case As3Op::GotoAndPlay:
            c.op(0xD0).op(0x25, uint32_t(op.frame)).op(0x4F, uint32_t(w.qname({}, "gotoAndPlay"))).u30(1);
            break;
        case As3Op::GotoAndStop:
            c.op(0xD0).op(0x25, uint32_t(op.frame)).op(0x4F, uint32_t(w.qname({}, "gotoAndStop"))).u30(1);
            break;
        case As3Op::NextScene:
            call("nextScene");
            break;
        case As3Op::PrevScene:
            call("prevScene");
            break;
        case As3Op::RemoveChildren:
            call("removeChildren");
            break;
        case As3Op::Loader:
        case As3Op::UrlLoader:
        case As3Op::Sound:
            load(w, c, op);
            break;
        case As3Op::NetStream:
            playStream(w, c, op);
            break;
        case As3Op::RememberVisit:
            rememberVisit(w, c, op.frame);
            break;
        }
    }
}

} // namespace

std::vector<QByteArray> As3FrameOneTags(const As3Document& document)
{
    AbcWriter w;
    const int name = w.qname({}, document.className);
    const int base = w.qname("flash.display", "MovieClip");
    AbcCode ctor;
    ctor.op(0xD0).op(0x30).op(0xD0).op(0x49, 0);
    appendOps(w, ctor, document.constructorOps);
    const int addFrameScript = w.qname({}, "addFrameScript");
    for (const auto& [frame, ops] : document.frameScripts) {
        const int m = w.method(0);
        w.body(m, frameScript(w, ops), 2);
        ctor.op(0xD0).op(0x25, uint32_t(frame - 1)).op(0x40, uint32_t(m)).op(0x4F, uint32_t(addFrameScript)).u30(2);
    }
    ctor.op(0x47);
    const int constructor = w.method(0);
    w.body(constructor, ctor, 2);
    w.addScriptForClass(w.addClass(name, base, constructor, {}), name, base);

    std::vector<QByteArray> tags;
    if (!document.scenes.empty() || !document.labels.empty()) {
        QByteArray data;
        const std::vector<As3Scene> scenes = document.scenes.empty() ? std::vector<As3Scene> { { "Scene 1", 0 } }
                                                                     : document.scenes;
        AppendU30(data, uint32_t(scenes.size()));
        for (const As3Scene& s : scenes) {
            AppendU30(data, uint32_t(s.firstFrame));
            data.append(s.name).append('\0');
        }
        AppendU30(data, uint32_t(document.labels.size()));
        for (const auto& [frame, label] : document.labels) {
            AppendU30(data, uint32_t(frame));
            data.append(label).append('\0');
        }
        tags.push_back(swfgen::Tag(86, data));
    }
    QByteArray abc("\x01\0\0\0", 4);
    abc.append('\0').append(w.finish());
    tags.push_back(swfgen::Tag(82, abc));
    tags.push_back(swfgen::Tag(76, QByteArray("\x01\x00\x00\x00", 4) + document.className + QByteArray(1, '\0')));
    return tags;
}

swfgen::MovieSpec RememberingMovie(bool actionScript3)
{
    swfgen::MovieSpec s;
    s.frameCount = 10;
    s.version = actionScript3 ? 10 : 8;
    s.actionScript3 = actionScript3;
    As3Document document;
    document.frameScripts[1] = { { As3Op::RememberVisit, 5 } };
    s.extraTags[1] = actionScript3 ? As3FrameOneTags(document) : std::vector<QByteArray> { RememberVisit(5) };
    s.extraTags[5] = { swfgen::Tag(2, swfgen::SquareShapeBody(9, 4000, 0xE02020)),
        swfgen::Tag(26, swfgen::PlaceBody(5, 9, 1000, 1000)) };
    return s;
}

std::vector<QByteArray> NestedClip(int id, int frames, int depth, const QByteArray& name)
{
    QByteArray sprite = u16(id) + u16(frames);
    // The square, placed once; the clip's frames are what outlasts the root.
    sprite += swfgen::Tag(26, QByteArray("\x02", 1) + u16(1) + u16(1));
    for (int i = 0; i < frames; ++i)
        sprite += swfgen::Tag(1, {});
    sprite += swfgen::Tag(0, {});
    QByteArray place(1, static_cast<char>(name.isEmpty() ? 0x02 : 0x22));
    place += u16(depth) + u16(id);
    if (!name.isEmpty())
        place += name + QByteArray(1, '\0');
    return { swfgen::Tag(39, sprite), swfgen::Tag(26, place) };
}

QByteArray BlendedSquare(int depth, int blendMode)
{
    QByteArray body("\x02\x02", 2); // has character; has blend mode
    body += u16(depth) + u16(1);
    body.append(static_cast<char>(blendMode));
    return swfgen::Tag(70, body);
}

namespace {

// MPEG-1 layer III, 128 kbit/s, 44.1 kHz, mono: 417 bytes a frame, silent with zero side data.
QByteArray silentMp3Frame()
{
    QByteArray frame("\xFF\xFB\x90\xC0", 4);
    frame.append(QByteArray(417 - 4, '\0'));
    return frame;
}

} // namespace

QByteArray SoundStreamHead(double frameRate)
{
    QByteArray body("\x0E\x2E", 2); // 44.1 kHz 16-bit mono; MP3 stream at the same
    body += u16(int(44100 / frameRate)) + u16(0);
    return swfgen::Tag(45, body);
}

QByteArray SoundStreamBlock()
{
    return swfgen::Tag(19, u16(1152) + u16(0) + silentMp3Frame());
}

QByteArray SilentMp3(int frames)
{
    QByteArray file;
    for (int i = 0; i < frames; ++i)
        file += silentMp3Frame();
    return file;
}

namespace {

QByteArray bigEndian(uint32_t v, int bytes)
{
    QByteArray b;
    for (int i = bytes - 1; i >= 0; --i)
        b.append(static_cast<char>((v >> (8 * i)) & 0xff));
    return b;
}

QByteArray flvTag(int type, const QByteArray& data)
{
    // type, size, timestamp 0 (and its extension), stream 0, data, then the size of it all
    const QByteArray tag = QByteArray(1, static_cast<char>(type)) + bigEndian(uint32_t(data.size()), 3)
        + QByteArray(7, '\0') + data;
    return tag + bigEndian(uint32_t(tag.size()), 4);
}

} // namespace

QByteArray SilentFlv()
{
    QByteArray meta("\x02", 1); // AMF0 string "onMetaData", then an array of one number
    meta += bigEndian(10, 2) + "onMetaData" + QByteArray("\x08", 1) + bigEndian(1, 4);
    meta += bigEndian(8, 2) + "duration" + QByteArray("\x00\x3F\xB9\x99\x99\x99\x99\x99\x9A", 9); // 0.1
    meta += QByteArray("\0\0\x09", 3);
    QByteArray flv("FLV\x01\x04\0\0\0\x09", 9); // version 1, sound only, 9-byte header
    flv += bigEndian(0, 4);
    flv += flvTag(18, meta);
    flv += flvTag(8, QByteArray("\x2E", 1) + SilentMp3(1)); // MP3, 44 kHz, 16-bit, mono
    return flv;
}

} // namespace corpus
