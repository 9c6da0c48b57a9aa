#include "app/clipboardhandoff.h"
#include "app/commandline.h"
#include "app/companionfiles.h"
#include "app/handoff.h"
#include "app/infocommand.h"
#include "app/mpris.h"
#include "app/program.h"
#include "app/runningprogram.h"
#include "app/singleinstance.h"
#include "core/interfacefont.h"
#include "core/settings.h"
#include "core/translation.h"
#include "platform/terminationsignals.h"
#include "playback/engineprocess.h"
#include "playback/probecommand.h"
#include "playback/rufflecontrol.h"
#include "playlist/moviepaths.h"
#include "shell/frmmain.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <cstdio>
#include <memory>
#include <unistd.h>

namespace {

QString settingsFile(const QString& dataFolder)
{
    return dataFolder + QStringLiteral("/Quenbarrowick.ini");
}

// The memory the system can still give, from /proc/meminfo; a lot when it cannot be read.
qint64 availableMemory()
{
    QFile info(QStringLiteral("/proc/meminfo"));
    if (info.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : info.readAll().split('\n')) {
            if (line.startsWith("MemAvailable:"))
                return line.mid(13).trimmed().split(' ').value(0).toLongLong() * 1024;
        }
    }
    return std::numeric_limits<qint64>::max();
}

// "--probe": movies played in the real engine without the main window, one JSON line each.
int runProbe(const QStringList& arguments)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    ProbeArguments probe = ParseProbeArguments(arguments);
    if (probe.error.isEmpty())
        probe.paths = MoviePathsFrom(probe.paths);
    Settings settings;
    LoadSettings(settings, settingsFile(DataFolderFor(QCoreApplication::applicationDirPath())));
    const int jobs = JobsWithinMemory(
        std::min<qsizetype>(probe.jobs, std::max<qsizetype>(probe.paths.size(), 1)), availableMemory());
    std::vector<std::unique_ptr<RuffleFlashControl>> engines;
    QList<FlashControl*> flashes;
    for (int i = 0; i < jobs; ++i) {
        engines.push_back(std::make_unique<RuffleFlashControl>());
        // A page that is not shown is throttled by the engine: the movie plays in a small window,
        // small enough that drawing it costs little beside the movie's own work.
        engines.back()->widget()->resize(240, 180);
        engines.back()->widget()->show();
        // Pages compiling side by side would all be ready late; one after the other, the first
        // starts playing while the next compiles.
        if (i > 0)
            engines.back()->holdStart();
        flashes.append(engines.back().get());
    }
    // Each engine compiles its code once, when its page starts, and takes movies only once it has:
    // a page still compiling would count that into its first movie's time and could fail it. The
    // engines that are up start at once rather than waiting for the slowest.
    enum Warmth : char { Cold, Asked, Warm };
    const auto warmth = std::make_shared<std::vector<Warmth>>(engines.size(), Cold); // shared with late answers
    QElapsedTimer warming;
    warming.start();
    QTimer warmCheck;
    // Not for ever: an engine that never warms still takes its movies, which then fail visibly.
    const auto engineReady = [&](qsizetype i) { return (*warmth)[size_t(i)] == Warm || warming.elapsed() > 120000; };
    QObject::connect(&warmCheck, &QTimer::timeout, [&] {
        for (size_t i = 0; i < engines.size(); ++i) {
            if (i > 0 && engineReady(qsizetype(i - 1)))
                engines[i]->startEngine();
            if ((*warmth)[i] != Cold)
                continue;
            (*warmth)[i] = Asked;
            engines[i]->runInPage(QStringLiteral("quen.warm()"),
                [warmth, i](const QVariant& v) { (*warmth)[i] = v.toBool() ? Warm : Cold; });
        }
    });
    warmCheck.start(100);
    ProbeProgress progress;
    if (isatty(STDERR_FILENO)) {
        progress = [&err](qsizetype done, qsizetype total) {
            err << "\r" << done << '/' << total << " movies" << (done == total ? "\n" : "");
            err.flush();
        };
    }
    return RunProbeCommand(probe, flashes, settings, EventLoopPassTime(), out, err, progress, engineReady);
}

int runProgram(const QStringList& paths)
{
    InstallInterfaceFontSubstitutes();

    QStringList files;
    for (const QString& path : paths)
        files.append(CommandLinePath(path, QDir::currentPath()));
    // A second copy hands its file to the first and ends without a window.
    SingleInstance instance;
    const SingleInstance::Role role = instance.start(files);
    if (role == SingleInstance::Role::HandedOver)
        return 0;
    if (role != SingleInstance::Role::First) {
        // Another copy holds the lock but did not take the files in time: never a second program
        // beside it, and the user learns why nothing opened.
        std::fputs(role == SingleInstance::Role::Unconfirmed
                ? "quenbarrowick: the running copy does not answer; it gets the files once it does\n"
                : "quenbarrowick: the running copy does not answer; nothing was handed over\n",
            stderr);
        return 1;
    }

    const QString dataFolder = DataFolderFor(QCoreApplication::applicationDirPath());
    Settings settings;
    RunStartupSteps(settings, settingsFile(dataFolder));

    RunningProgram running(settings, dataFolder);
    Program& program = running.program;

    program.takeHandOffsFrom(instance);
    ClipboardHandOff clipboard;
    QObject::connect(&clipboard, &ClipboardHandOff::fileHandedOver, &program, &Program::playHandedOver);
    clipboard.start();

    // A kill, the end of the terminal or of the desktop session closes the window as its close
    // button does, so the list and the current row are saved.
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &program.window(), &QWidget::close);
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, &program.window(), &QWidget::close);

    // Media keys and the desktop's player controls; without a session bus there are none, silently.
    program.mpris().registerOn(QDBusConnection::sessionBus());
    program.start(files);
    AskAboutGpuLater(QCoreApplication::applicationFilePath(), 60000);
    return QApplication::exec();
}

} // namespace

int main(int argc, char* argv[])
{
    // Started by a start that drew without GL, to ask Chromium about the GPU for the next one.
    if (argc == 3 && qstrcmp(argv[1], "--ask-gpu") == 0) {
        PrepareEngineProcess();
        QApplication app(argc, argv);
        return AskAboutGpu(QString::fromLocal8Bit(argv[2]));
    }
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
    const CommandLine command = ParseCommandLine(args);

    // Commands that only print run without a display.
    switch (command.mode) {
    case CommandLine::Mode::Help:
        std::fputs(UsageText().toLocal8Bit().constData(), stdout);
        return 0;
    case CommandLine::Mode::Version:
        std::printf("Quenbarrowick %s\n", QUEN_VERSION);
        return 0;
    case CommandLine::Mode::Error:
        std::fprintf(stderr, "quenbarrowick: %s\n%s", qPrintable(command.error), qPrintable(UsageText()));
        return 2;
    case CommandLine::Mode::Info: {
        QCoreApplication app(argc, argv);
        QTextStream out(stdout);
        return RunInfoCommand(command.paths, out);
    }
    case CommandLine::Mode::Probe:
    case CommandLine::Mode::Gui:
        break;
    }

    PrepareEngineProcess(EngineDrawingAnswerFile());
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Quenbarrowick"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUEN_VERSION));
    InstallInterfaceTranslation(QProcessEnvironment::systemEnvironment());
    if (command.mode == CommandLine::Mode::Probe)
        return runProbe(command.paths);
    return runProgram(command.paths);
}
