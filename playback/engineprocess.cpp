#include "playback/engineprocess.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineUrlScheme>
#include <unistd.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

EngineDrawing drawing = EngineDrawing::Gl;
bool drawingToAsk = false;
QString drawingAnswerFile;
// The environment as it was before drawing without GL changed it, for the process that asks about the GPU.
QProcessEnvironment glEnvironment;

void appendChromiumFlag(const QByteArray& flag)
{
    const QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.isEmpty() ? flag : flags + ' ' + flag);
}

} // namespace

EngineDrawing CurrentEngineDrawing()
{
    return drawing;
}

QString CurrentDrawingAnswerFile()
{
    return drawingAnswerFile;
}

QString EngineDrawingAnswerFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)
        + QStringLiteral("/Quenbarrowick/engine-drawing");
}

QString EngineDisplay()
{
    if (qEnvironmentVariableIsSet("WAYLAND_DISPLAY"))
        return QStringLiteral("wayland:") + qEnvironmentVariable("WAYLAND_DISPLAY");
    if (qEnvironmentVariableIsSet("DISPLAY"))
        return QStringLiteral("x11:") + qEnvironmentVariable("DISPLAY");
    return QStringLiteral("none");
}

void PrepareEngineProcess(const QString& drawingAnswer)
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
    drawingAnswerFile = drawingAnswer;
    const DrawingChoice choice = drawingAnswer.isEmpty() ? DrawingChoice { EngineDrawing::Gl, false }
                                                         : ChooseEngineDrawing(drawingAnswer, qgetenv("QUEN_RENDERER"),
                                                             EngineDisplay(), QDateTime::currentDateTimeUtc());
    drawing = choice.drawing;
    drawingToAsk = choice.ask;
    if (drawingToAsk)
        glEnvironment = QProcessEnvironment::systemEnvironment();
    if (drawing == EngineDrawing::Software) {
        // No GL driver is loaded at all: not by the window system, the scene graph or the engine.
        if (!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
            qputenv("QT_XCB_GL_INTEGRATION", "none");
        if (!qEnvironmentVariableIsSet("QT_QUICK_BACKEND"))
            qputenv("QT_QUICK_BACKEND", "software");
        appendChromiumFlag("--disable-gpu");
    } else {
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    }

    QWebEngineUrlScheme scheme(EngineScheme);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
    scheme.setDefaultPort(QWebEngineUrlScheme::PortUnspecified);
    // Not LocalScheme: with it the page's http(s) requests are silently dropped.
    scheme.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::CorsEnabled);
    QWebEngineUrlScheme::registerScheme(scheme);
}

void AskAboutGpuLater(const QString& program, int delayMs)
{
    if (!drawingToAsk || drawingAnswerFile.isEmpty())
        return;
    drawingToAsk = false;
    // Started once the program has run a while, so that it costs the start nothing; it outlives the
    // program if need be and writes its answer for the next start.
    QTimer::singleShot(delayMs, qApp, [program] {
        QProcess asker;
        asker.setProgram(program);
        asker.setArguments({ QStringLiteral("--ask-gpu"), drawingAnswerFile });
        asker.setProcessEnvironment(glEnvironment);
        asker.setStandardOutputFile(QProcess::nullDevice());
        asker.setStandardErrorFile(QProcess::nullDevice());
        asker.startDetached();
    });
}

int AskAboutGpu(const QString& answerFile)
{
    // Chromium with GL as a GL start has it, asked the page's question: accelerated WebGL or not.
    QWebEngineProfile profile;
    QWebEnginePage page(&profile);
    QObject::connect(&page, &QWebEnginePage::loadFinished, &page, [&](bool) {
        page.runJavaScript(QStringLiteral("!!document.createElement('canvas').getContext('webgl', "
                                          "{ failIfMajorPerformanceCaveat: true })"),
            [&](const QVariant& accelerated) {
            const bool kept = accelerated.typeId() == QMetaType::Bool
                && KeepAccelerationAnswer(
                    answerFile, accelerated.toBool(), EngineDisplay(), QDateTime::currentDateTimeUtc());
            QCoreApplication::exit(kept ? 0 : 1);
        });
    });
    page.setHtml(QStringLiteral("<html></html>"));
    QTimer::singleShot(20000, qApp, [] { QCoreApplication::exit(1); });
    return QCoreApplication::exec();
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
