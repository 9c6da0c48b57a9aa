#include "tests/support/as3movie.h"

#include "playback/abcwriter.h"

namespace as3gen {

namespace {

constexpr char ClassName[] = "QuenTestDocument";

AbcCode frameScript(AbcWriter& w, const std::vector<swfgen::Action>& actions)
{
    AbcCode c;
    for (const swfgen::Action& a : actions) {
        c.op(0xD0); // getlocal0: the movie clip the script belongs to
        switch (a.kind) {
        case swfgen::Action::Kind::Stop:
            c.op(0x4F, uint32_t(w.qname({}, "stop"))).u30(0);
            break;
        case swfgen::Action::Kind::Play:
            c.op(0x4F, uint32_t(w.qname({}, "play"))).u30(0);
            break;
        case swfgen::Action::Kind::GotoAndPlay:
        case swfgen::Action::Kind::GotoAndStop:
            c.op(0x25, uint32_t(a.frame)); // pushshort
            c.op(0x4F,
                 uint32_t(w.qname({}, a.kind == swfgen::Action::Kind::GotoAndPlay ? "gotoAndPlay" : "gotoAndStop")))
                .u30(1);
            break;
        }
    }
    c.op(0x47);
    return c;
}

} // namespace

std::vector<QByteArray> FrameOneTags(const As3Movie& movie)
{
    AbcWriter w;
    const int name = w.qname({}, ClassName);
    const int base = w.qname("flash.display", movie.spriteDocument ? "Sprite" : "MovieClip");
    AbcCode ctor;
    ctor.op(0xD0).op(0x30).op(0xD0).op(0x49, 0); // getlocal0, pushscope, getlocal0, constructsuper 0
    if (!movie.spriteDocument) {
        const int addFrameScript = w.qname({}, "addFrameScript");
        for (const auto& [frame, actions] : movie.frameScripts) {
            const int m = w.method(0);
            w.body(m, frameScript(w, actions), 1);
            ctor.op(0xD0).op(0x25, uint32_t(frame - 1)).op(0x40, uint32_t(m)).op(0x4F, uint32_t(addFrameScript)).u30(2);
        }
    }
    ctor.op(0x47);
    const int constructor = w.method(0);
    w.body(constructor, ctor, 1);
    const int cls = w.addClass(name, base, constructor, {});
    w.addScriptForClass(cls, name, base);

    std::vector<QByteArray> tags;
    if (!movie.scenes.empty()) {
        QByteArray scenes;
        AppendU30(scenes, uint32_t(movie.scenes.size()));
        for (const Scene& s : movie.scenes) {
            AppendU30(scenes, uint32_t(s.firstFrame));
            scenes.append(s.name).append('\0');
        }
        AppendU30(scenes, 0); // no frame labels
        tags.push_back(swfgen::Tag(86, scenes));
    }
    QByteArray abc("\x01\0\0\0", 4);
    abc.append('\0');
    abc.append(w.finish());
    tags.push_back(swfgen::Tag(82, abc));
    QByteArray symbol("\x01\x00\x00\x00", 4); // one symbol: id 0, the document class
    symbol.append(ClassName).append('\0');
    tags.push_back(swfgen::Tag(76, symbol));
    return tags;
}

} // namespace as3gen
