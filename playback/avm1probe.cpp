#include "playback/avm1probe.h"

#include <cstring>

namespace {

// Builds an action list. Only what the probe needs; opcodes from the SWF 4 to 7 action sets.
class Actions {
public:
    Actions& op(uint8_t code)
    {
        m_bytes.append(static_cast<char>(code));
        return *this;
    }
    Actions& record(uint8_t code, const QByteArray& payload)
    {
        op(code);
        u16(payload.size());
        m_bytes.append(payload);
        return *this;
    }
    Actions& pushString(const char* s) { return record(0x96, QByteArray(1, '\0').append(s).append('\0')); }
    Actions& pushNumber(int v)
    {
        // A 32-bit float: the only number type the SWF 4 action set knows, exact for frame numbers.
        const float f = static_cast<float>(v);
        uint32_t bits;
        static_assert(sizeof bits == sizeof f);
        memcpy(&bits, &f, sizeof bits);
        QByteArray payload(1, '\1');
        for (int i = 0; i < 4; ++i)
            payload.append(static_cast<char>((bits >> (8 * i)) & 0xff));
        return record(0x96, payload);
    }
    Actions& pushInt(int v)
    {
        QByteArray payload(1, '\7');
        for (int i = 0; i < 4; ++i)
            payload.append(static_cast<char>((uint32_t(v) >> (8 * i)) & 0xff));
        return record(0x96, payload);
    }
    Actions& pushNull() { return record(0x96, QByteArray(1, '\2')); }
    Actions& pushUndefined() { return record(0x96, QByteArray(1, '\3')); }
    Actions& pushRegister(int r) { return record(0x96, bytes2(4, r)); }
    Actions& storeRegister(int r) { return record(0x87, QByteArray(1, static_cast<char>(r))); }
    Actions& setTarget(const char* target) { return record(0x8B, QByteArray(target).append('\0')); }
    Actions& getMember() { return op(0x4E); }
    Actions& setMember() { return op(0x4F); }
    Actions& callMethod() { return op(0x52); }
    Actions& pop() { return op(0x17); }
    Actions& ret() { return op(0x3E); }
    Actions& append(const QByteArray& code)
    {
        m_bytes.append(code);
        return *this;
    }
    // An anonymous function (left on the stack) whose arguments land in registers 1, 2, ...
    // after the preloaded _global when preloadGlobal is set.
    Actions& function(int params, bool preloadGlobal, const QByteArray& body)
    {
        QByteArray head(1, '\0'); // no name
        head.append(static_cast<char>(params & 0xff)).append('\0');
        head.append(static_cast<char>(8)); // registers
        head.append(static_cast<char>(0x2A)); // suppress this, arguments, super
        head.append(static_cast<char>(preloadGlobal ? 0x01 : 0x00));
        const int firstParam = preloadGlobal ? 2 : 1;
        for (int i = 0; i < params; ++i) {
            head.append(static_cast<char>(firstParam + i));
            head.append("p").append(QByteArray::number(i)).append('\0');
        }
        head.append(static_cast<char>(body.size() & 0xff)).append(static_cast<char>(body.size() >> 8));
        record(0x8E, head);
        m_bytes.append(body);
        return *this;
    }
    Actions& branchIfTrue(int skip) { return record(0x9D, bytes2(skip & 0xff, (skip >> 8) & 0xff)); }
    QByteArray bytes() const { return m_bytes; }
    qsizetype size() const { return m_bytes.size(); }

private:
    static QByteArray bytes2(int a, int b)
    {
        QByteArray two;
        two.append(static_cast<char>(a)).append(static_cast<char>(b));
        return two;
    }
    void u16(qsizetype v)
    {
        m_bytes.append(static_cast<char>(v & 0xff));
        m_bytes.append(static_cast<char>((v >> 8) & 0xff));
    }
    QByteArray m_bytes;
};

constexpr int GlobalRegister = 1;
constexpr int CurrentFrameProperty = 4;
// Every "visible from SWF n on" flag of a property; cleared so that a SWF 4 movie sees them.
constexpr int VersionFlags = 0x7F80;

// ASSetPropFlags(object in register, name, 0, VersionFlags); every property when name is null.
Actions& showProperty(Actions& a, int objectRegister, const char* name)
{
    a.pushInt(VersionFlags).pushInt(0);
    if (name)
        a.pushString(name);
    else
        a.pushNull();
    return a.pushRegister(objectRegister)
        .pushInt(4)
        .pushRegister(GlobalRegister)
        .pushString("ASSetPropFlags")
        .callMethod()
        .pop();
}

QByteArray onRoot(const Actions& inner)
{
    Actions a;
    // tellTarget rather than _level0.method(): movies define their own stop/play on _root.
    return a.setTarget("_level0").append(inner.bytes()).setTarget("").bytes();
}

// True when the timeline running the actions is level 0's root: the movie marks its own timeline
// with its identity and reads the mark back through level 0. A movie in a clip or another level
// marks itself and finds level 0's mark, or none.
QByteArray onLevelZero(const QByteArray& identity)
{
    static const QByteArray mark = "quenRoot_3b91e7";
    Actions a;
    return a.pushString(mark.constData())
        .pushString(identity.constData())
        .op(0x1D) // SetVariable
        // ASSetPropFlags(this, mark, don't enumerate, 0): a movie's for-in over its timeline must
        // not find it.
        .pushInt(0)
        .pushInt(1)
        .pushString(mark.constData())
        .pushString("this")
        .op(0x1C) // GetVariable
        .pushInt(4)
        .pushString("ASSetPropFlags")
        .op(0x3D) // CallFunction
        .pop()
        .pushString(QByteArray("_level0:").append(mark).constData())
        .op(0x1C) // GetVariable
        .pushString(identity.constData())
        .op(0x13) // StringEquals
        .bytes();
}

QByteArray readFrame()
{
    Actions a;
    return a.pushString("_level0").pushNumber(CurrentFrameProperty).op(0x22).bytes(); // GetProperty
}

} // namespace

namespace Avm1Probe {

QByteArray RegisterCallbacks(const QByteArray& identity, int lastFrame)
{
    Actions setup;
    showProperty(setup, GlobalRegister, "flash");
    showProperty(setup, GlobalRegister, "Stage");
    setup.pushRegister(GlobalRegister).pushString("flash").getMember().storeRegister(2).pop();
    showProperty(setup, 2, "external");
    setup.pushRegister(2).pushString("external").getMember().storeRegister(3).pop();
    showProperty(setup, 3, "ExternalInterface");
    setup.pushRegister(3).pushString("ExternalInterface").getMember().storeRegister(4).pop();
    showProperty(setup, 4, nullptr); // addCallback itself is hidden from movies before SWF 8

    auto addCallback = [&setup](const char* name, int params, bool global, const QByteArray& body) {
        setup.function(params, global, body)
            .pushNull()
            .pushString(name)
            .pushInt(3)
            .pushRegister(4)
            .pushString("addCallback")
            .callMethod()
            .pop();
    };
    addCallback(FrameCallback, 0, false, Actions().append(readFrame()).ret().bytes());
    {
        Actions jump;
        jump.pushRegister(1).record(0x9F, QByteArray(1, '\0')); // GotoFrame2, stay stopped
        addCallback(GotoCallback, 1, false, Actions().append(onRoot(jump)).append(readFrame()).ret().bytes());
    }
    const QByteArray root = QByteArray(identity).append(':').append(QByteArray::number(lastFrame));
    addCallback(RootCallback, 0, false, Actions().pushString(root.constData()).ret().bytes());
    addCallback(PlayCallback, 0, false, onRoot(Actions().op(0x06)));
    addCallback(StopCallback, 0, false, onRoot(Actions().op(0x07)));
    addCallback(ScaleCallback, 1, true,
        Actions()
            .pushRegister(GlobalRegister)
            .pushString("Stage")
            .getMember()
            .pushString("scaleMode")
            .pushRegister(2)
            .setMember()
            .bytes());

    // The setup runs as a function of its own so that it can keep _global and friends in registers.
    Actions call;
    call.pushInt(0).function(0, true, setup.bytes()).pushUndefined().callMethod().pop();
    Actions top;
    top.append(onLevelZero(identity)).op(0x12).branchIfTrue(int(call.size())).append(call.bytes()).op(0x00);
    return top.bytes();
}

QByteArray HoldLastFrame(int lastFrame, const QByteArray& identity)
{
    Actions stop;
    stop.append(onRoot(Actions().op(0x07)));
    Actions a;
    a.append(readFrame())
        .pushNumber(lastFrame)
        .op(0x0E) // Equals
        .append(onLevelZero(identity))
        .op(0x10)
        .op(0x12) // And, Not
        .branchIfTrue(int(stop.size()))
        .append(stop.bytes())
        .op(0x00);
    return a.bytes();
}

} // namespace Avm1Probe
