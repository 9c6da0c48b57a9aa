#include "playback/hangclock.h"

#include <QFile>
#include <QList>
#include <algorithm>

namespace {

qint64 runQueueWaitNs(const QByteArray& schedstat)
{
    const QList<QByteArray> fields = schedstat.trimmed().split(' ');
    bool ok = false;
    const qint64 wait = fields.size() == 3 ? fields.at(1).toLongLong(&ok) : -1;
    return ok ? wait : -1;
}

} // namespace

qint64 HangElapsedMs(qint64 wallMs, const QByteArray& statAtSend, const QByteArray& statNow)
{
    const qint64 before = runQueueWaitNs(statAtSend);
    const qint64 now = runQueueWaitNs(statNow);
    // A smaller wait now than before is another process (the renderer was replaced): no measure.
    if (before < 0 || now < before)
        return wallMs;
    return std::max<qint64>(0, wallMs - (now - before) / 1000000);
}

QByteArray MainThreadSchedstat(qint64 pid)
{
    if (pid <= 0)
        return {};
    QFile file(QStringLiteral("/proc/%1/schedstat").arg(pid));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
