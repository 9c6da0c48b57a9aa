#include "playback/enginerenderer.h"

#include <QFile>
#include <QSaveFile>

namespace {

// Drivers come and go (a GPU added, a session moved to another machine): an old "no" is asked again.
constexpr qint64 AnswerLifeSecs = 7 * 24 * 3600;

} // namespace

QString EngineRenderer(const QByteArray& forced)
{
    const QByteArray name = forced.trimmed().toLower();
    if (name == "canvas" || name == "webgl")
        return QString::fromLatin1(name);
    return QStringLiteral("auto");
}

EngineDrawing ChooseEngineDrawing(
    const QString& file, const QByteArray& forcedRenderer, const QString& display, const QDateTime& now)
{
    if (EngineRenderer(forcedRenderer) == u"webgl")
        return EngineDrawing::Gl;
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return EngineDrawing::Gl;
    // One line: "no <seconds since 1970> <display>"; anything else is no answer.
    const QList<QByteArray> fields = in.read(512).trimmed().split(' ');
    if (fields.size() != 3 || fields[0] != "no" || QString::fromUtf8(fields[2]) != display)
        return EngineDrawing::Gl;
    bool ok = false;
    const qint64 age = now.toSecsSinceEpoch() - fields[1].toLongLong(&ok);
    return ok && age >= 0 && age < AnswerLifeSecs ? EngineDrawing::Software : EngineDrawing::Gl;
}

bool KeepAccelerationAnswer(const QString& file, bool accelerated, const QString& display, const QDateTime& now)
{
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    out.write((accelerated ? "yes " : "no ") + QByteArray::number(now.toSecsSinceEpoch()) + ' ' + display.toUtf8());
    return out.commit();
}
