#include "playback/enginecode.h"

#include <QRegularExpression>

QString EngineCodeFile(const QByteArray& engineScript)
{
    // The loader picks one of two modules: `extensions ? new URL(load(A), base) : new URL(load(B), base)`,
    // and module A is `A(e,n,a){e.exports=a.p+"<hash>.wasm"}`.
    const QString script = QString::fromLatin1(engineScript);
    static const QRegularExpression choice(QStringLiteral(R"re(\?new URL\(\w+\((\d+)\),\w+\.\w+\):new URL\()re"));
    const QRegularExpressionMatch chosen = choice.match(script);
    if (!chosen.hasMatch())
        return {};
    const QRegularExpression module(
        chosen.captured(1) + QStringLiteral(R"re(\(\w+,\w+,\w+\)\{\w+\.exports=\w+\.p\+"([\w-]+\.wasm)"\})re"));
    const QRegularExpressionMatch file = module.match(script);
    return file.hasMatch() ? file.captured(1) : QString();
}
