#include "playback/abcwriter.h"

void AppendU30(QByteArray& bytes, uint32_t value)
{
    do {
        uint8_t byte = value & 0x7f;
        value >>= 7;
        if (value)
            byte |= 0x80;
        bytes.append(static_cast<char>(byte));
    } while (value);
}

namespace {

template <typename T> int intern(QList<T>& list, const T& value)
{
    const qsizetype at = list.indexOf(value);
    if (at >= 0)
        return int(at) + 1;
    list.append(value);
    return int(list.size()); // index 0 of every pool is reserved
}

} // namespace

AbcCode& AbcCode::op(uint8_t opcode)
{
    m_bytes.append(static_cast<char>(opcode));
    return *this;
}

AbcCode& AbcCode::u30(uint32_t v)
{
    AppendU30(m_bytes, v);
    return *this;
}

AbcCode& AbcCode::pushByte(int8_t v)
{
    op(0x24);
    m_bytes.append(static_cast<char>(v));
    return *this;
}

AbcCode::Label AbcCode::label()
{
    m_labels.append(-1);
    return { int(m_labels.size() - 1) };
}

AbcCode& AbcCode::bind(Label label)
{
    m_labels[label.id] = m_bytes.size();
    // The verifier wants a backward branch to land on a "label" instruction; it does nothing else.
    return op(0x09);
}

AbcCode& AbcCode::branch(uint8_t opcode, Label target)
{
    op(opcode);
    m_branches.append({ m_bytes.size(), target.id });
    m_bytes.append(3, '\0');
    return *this;
}

QByteArray AbcCode::bytes() const
{
    QByteArray out = m_bytes;
    for (const auto& [at, id] : m_branches) {
        // Offsets count from the end of the branch instruction.
        const auto offset = static_cast<int32_t>(m_labels.at(id) - (at + 3));
        for (int i = 0; i < 3; ++i)
            out[at + i] = static_cast<char>((uint32_t(offset) >> (8 * i)) & 0xff);
    }
    return out;
}

int AbcWriter::string(const QByteArray& s)
{
    return intern(m_strings, s);
}

int AbcWriter::packageNamespace(const QByteArray& name)
{
    return intern(m_namespaces, string(name));
}

int AbcWriter::qname(const QByteArray& package, const QByteArray& name)
{
    QByteArray m(1, '\x07');
    AppendU30(m, uint32_t(packageNamespace(package)));
    AppendU30(m, uint32_t(string(name)));
    return intern(m_multinames, m);
}

int AbcWriter::runtimeName()
{
    m_publicSet = packageNamespace({});
    QByteArray m(1, '\x1b');
    AppendU30(m, 1); // the one namespace set
    return intern(m_multinames, m);
}

int AbcWriter::integer(int32_t v)
{
    return intern(m_ints, v);
}

int AbcWriter::method(int params)
{
    m_methodParams.append(params);
    return int(m_methodParams.size() - 1);
}

void AbcWriter::body(int method, const AbcCode& code, int locals, int maxStack)
{
    m_bodies.append({ method, code.bytes(), locals, maxStack });
}

int AbcWriter::addClass(int name, int superName, int constructor, const QList<Trait>& instanceTraits)
{
    const int cinit = method(0);
    AbcCode code;
    code.op(0xD0).op(0x30).op(0x47); // getlocal0, pushscope, returnvoid
    body(cinit, code, 1);
    m_classes.append({ name, superName, constructor, cinit, instanceTraits });
    return int(m_classes.size() - 1);
}

void AbcWriter::addScriptForClass(int classIndex, int className, int superName)
{
    const int init = method(0);
    AbcCode code;
    code.op(0xD0).op(0x30); // getlocal0, pushscope
    code.op(0x65, 0); // getscopeobject 0: the global object receives the class
    code.op(0x60, uint32_t(superName)); // getlex
    code.op(0x58, uint32_t(classIndex)); // newclass
    code.op(0x68, uint32_t(className)); // initproperty
    code.op(0x47);
    body(init, code, 1);
    m_scripts.append({ init, className, classIndex });
}

QByteArray AbcWriter::finish() const
{
    QByteArray b;
    b.append("\x10\x00\x2e\x00", 4); // minor 16, major 46
    auto count = [&b](qsizetype n) { AppendU30(b, n ? uint32_t(n + 1) : 0); };
    count(m_ints.size());
    for (int32_t v : m_ints)
        AppendU30(b, uint32_t(v)); // s32 uses the same variable-length form
    count(0); // uints
    count(0); // doubles
    count(m_strings.size());
    for (const QByteArray& s : m_strings) {
        AppendU30(b, uint32_t(s.size()));
        b.append(s);
    }
    count(m_namespaces.size());
    for (int name : m_namespaces) {
        b.append('\x16');
        AppendU30(b, uint32_t(name));
    }
    if (m_publicSet) {
        AppendU30(b, 2);
        AppendU30(b, 1);
        AppendU30(b, uint32_t(m_publicSet));
    } else {
        AppendU30(b, 0);
    }
    count(m_multinames.size());
    for (const QByteArray& m : m_multinames)
        b.append(m);

    AppendU30(b, uint32_t(m_methodParams.size()));
    for (int params : m_methodParams) {
        AppendU30(b, uint32_t(params));
        AppendU30(b, 0); // return type: any
        for (int i = 0; i < params; ++i)
            AppendU30(b, 0);
        AppendU30(b, 0); // no name
        b.append('\0'); // no flags
    }
    AppendU30(b, 0); // metadata

    AppendU30(b, uint32_t(m_classes.size()));
    for (const Instance& c : m_classes) {
        AppendU30(b, uint32_t(c.name));
        AppendU30(b, uint32_t(c.superName));
        b.append('\x01'); // sealed
        AppendU30(b, 0); // interfaces
        AppendU30(b, uint32_t(c.iinit));
        AppendU30(b, uint32_t(c.traits.size()));
        int slot = 0;
        for (const Trait& t : c.traits) {
            AppendU30(b, uint32_t(t.name));
            b.append(static_cast<char>(t.kind));
            if (t.kind == 0) {
                AppendU30(b, uint32_t(++slot));
                AppendU30(b, uint32_t(t.index));
                AppendU30(b, 0);
            } else {
                AppendU30(b, 0); // disp_id
                AppendU30(b, uint32_t(t.index));
            }
        }
    }
    for (const Instance& c : m_classes) {
        AppendU30(b, uint32_t(c.cinit));
        AppendU30(b, 0);
    }

    AppendU30(b, uint32_t(m_scripts.size()));
    for (const Script& s : m_scripts) {
        AppendU30(b, uint32_t(s.init));
        AppendU30(b, 1);
        AppendU30(b, uint32_t(s.className));
        b.append('\x04'); // class trait
        AppendU30(b, 1); // slot
        AppendU30(b, uint32_t(s.classIndex));
    }

    AppendU30(b, uint32_t(m_bodies.size()));
    for (const Body& body : m_bodies) {
        AppendU30(b, uint32_t(body.method));
        AppendU30(b, uint32_t(body.maxStack));
        AppendU30(b, uint32_t(body.locals));
        AppendU30(b, 0); // init scope depth
        AppendU30(b, 8); // max scope depth
        AppendU30(b, uint32_t(body.code.size()));
        b.append(body.code);
        AppendU30(b, 0); // exceptions
        AppendU30(b, 0); // traits
    }
    return b;
}
