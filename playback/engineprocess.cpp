#include "playback/engineprocess.h"

#include <QCoreApplication>
#include <QFile>
#include <QWebEngineUrlScheme>
#include <unistd.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif

void PrepareEngineProcess()
{
    static bool done = false;
    if (done)
        return;
    done = true;
#ifdef __GLIBC__
    // The window is composited through the engine's GL path, and every repaint copies its image
    // (about 2 MB) through the heap. glibc raises the size from which a block gets a mapping of its
    // own whenever such a block is freed (the engine's 14 MB of code first of all); the copies are then
    // cut from the main heap between small blocks that live on, and it grew by 1-2 MB a movie for good.
    // A fixed threshold keeps large blocks in mappings of their own, returned when freed.
    mallopt(M_MMAP_THRESHOLD, 512 * 1024);
#endif
    // The engine refuses to start its sandbox as root and aborts unless told to run without it.
    if (geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);

    QWebEngineUrlScheme scheme(EngineScheme);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
    scheme.setDefaultPort(QWebEngineUrlScheme::PortUnspecified);
    // Not LocalScheme: with it the page's http(s) requests are silently dropped.
    scheme.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::CorsEnabled);
    QWebEngineUrlScheme::registerScheme(scheme);
}

qint64 ResidentKiB(qint64 pid)
{
    if (pid <= 0)
        return 0;
    // statm: size resident shared text lib data dt, in pages; one short read, no parsing of smaps.
    QFile file(QStringLiteral("/proc/%1/statm").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = file.read(128).split(' ');
    bool ok = false;
    const qint64 pages = fields.size() > 1 ? fields[1].toLongLong(&ok) : 0;
    return ok ? pages * (sysconf(_SC_PAGESIZE) / 1024) : 0;
}
