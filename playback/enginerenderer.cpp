#include "playback/enginerenderer.h"

QString EngineRenderer(const QByteArray& forced)
{
    const QByteArray name = forced.trimmed().toLower();
    if (name == "canvas" || name == "webgl")
        return QString::fromLatin1(name);
    return QStringLiteral("auto");
}
