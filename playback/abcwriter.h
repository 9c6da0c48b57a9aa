#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>

// Writes ActionScript 3 byte code (ABC) by hand: enough for small classes whose methods are
// written as AVM2 instructions. Used for the AS3 probe, and by the tests for AS3 movies.
// The variable-length unsigned form ABC and some SWF tags use: 7 bits a byte, low bits first.
void AppendU30(QByteArray& bytes, uint32_t value);

class AbcCode {
public:
    struct Label {
        int id = -1;
    };

    AbcCode& op(uint8_t opcode);
    AbcCode& u30(uint32_t v);
    AbcCode& op(uint8_t opcode, uint32_t operand) { return op(opcode).u30(operand); }
    AbcCode& pushByte(int8_t v);
    Label label();
    AbcCode& bind(Label label); // the label points here
    AbcCode& branch(uint8_t opcode, Label target); // jump, iftrue, iffalse, ifne, ifnlt ...
    QByteArray bytes() const; // with every branch resolved

private:
    QByteArray m_bytes;
    QList<qsizetype> m_labels;
    QList<std::pair<qsizetype, int>> m_branches; // offset of the s24 operand, label id
};

class AbcWriter {
public:
    struct Trait {
        int name = 0; // multiname
        int kind = 0; // 0 slot, 1 method
        int index = 0; // slot: type multiname (0 = any); method: method index
    };

    int string(const QByteArray& s);
    int packageNamespace(const QByteArray& name); // kind 0x16
    int qname(const QByteArray& package, const QByteArray& name);
    int runtimeName(); // MultinameL over the public namespace: obj[index]
    int integer(int32_t v);
    int method(int params);
    void body(int method, const AbcCode& code, int locals, int maxStack = 16);
    // A class with the given instance methods; its static initialiser does nothing.
    int addClass(int name, int superName, int constructor, const QList<Trait>& instanceTraits);
    // A script whose initialiser defines the class (by its multiname), extending superName.
    void addScriptForClass(int classIndex, int className, int superName);
    QByteArray finish() const;

private:
    struct Body {
        int method;
        QByteArray code;
        int locals;
        int maxStack;
    };
    struct Instance {
        int name, superName, iinit, cinit;
        QList<Trait> traits;
    };
    struct Script {
        int init;
        int className;
        int classIndex;
    };

    QList<QByteArray> m_strings;
    QList<int> m_namespaces; // string index of each (all package namespaces)
    QList<QByteArray> m_multinames; // encoded
    QList<int32_t> m_ints;
    QList<int> m_methodParams;
    QList<Body> m_bodies;
    QList<Instance> m_classes;
    QList<Script> m_scripts;
    int m_publicSet = 0;
};
