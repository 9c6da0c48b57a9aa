#include "playback/enginerenderer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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

DrawingChoice ChooseEngineDrawing(
    const QString& file, const QByteArray& forcedRenderer, const QString& display, const QDateTime& now)
{
    if (EngineRenderer(forcedRenderer) == u"webgl")
        return { EngineDrawing::Gl, false };
    QFile in(file);
    // One line: "yes|no <seconds since 1970> <display>"; anything else is no answer.
    const QList<QByteArray> fields
        = in.open(QIODevice::ReadOnly) ? in.read(512).trimmed().split(' ') : QList<QByteArray>();
    bool ok = false;
    const qint64 at = fields.size() == 3 ? fields[1].toLongLong(&ok) : 0;
    if (!ok || QString::fromUtf8(fields[2]) != display || (fields[0] != "yes" && fields[0] != "no"))
        return { EngineDrawing::Software, true };
    if (fields[0] == "yes")
        return { EngineDrawing::Gl, false };
    const qint64 age = now.toSecsSinceEpoch() - at;
    return { EngineDrawing::Software, age < 0 || age >= AnswerLifeSecs };
}

bool KeepAccelerationAnswer(const QString& file, bool accelerated, const QString& display, const QDateTime& now)
{
    QDir().mkpath(QFileInfo(file).path());
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    out.write((accelerated ? "yes " : "no ") + QByteArray::number(now.toSecsSinceEpoch()) + ' ' + display.toUtf8());
    return out.commit();
}
