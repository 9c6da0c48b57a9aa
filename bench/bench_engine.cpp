// The engine's cost as the user feels it. Child processes start the program as main() does, with a
// movie to play, once with an empty cache folder (cold) and again with the cache the first start
// left (warm); each reports when it reached every step from process start to the first frame on
// screen, and its memory once the movie has played 3 s. One more warm start measures the blank
// between two movies, one frame read, and frames per second of a busy movie full screen.
// Needs a screen of at least 1920x1080 (xvfb-run -s "-screen 0 1920x1080x24").
// Last line: first_frame_ms=… warm_first_frame_ms=… switch_ms_p50=… pss_mib=… fullscreen_fps_pct=… read_ms_p50=…
// cold_pss_mib=… (pss_mib is the warm starts' figure).
#include "app/program.h"
#include "app/runningprogram.h"
#include "bench/benchsupport.h"
#include "core/settings.h"
#include "playback/engineprocess.h"
#include "playback/transport.h"
#include "playlist/playlistmodel.h"
#include "shell/frmmain.h"
#include "tests/support/eventwait.h"
#include "tools/swfgen/swfwriter.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMap>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineView>
#include <cstdio>
#include <unistd.h>

namespace {

const QStringList Steps { QStringLiteral("application"), QStringLiteral("page_created"), QStringLiteral("page_loaded"),
    QStringLiteral("code_compiled"), QStringLiteral("movie_requested"), QStringLiteral("movie_ready"),
    QStringLiteral("first_frame") };
const QStringList StepNames { QStringLiteral("application object"), QStringLiteral("engine page created"),
    QStringLiteral("page loaded"), QStringLiteral("engine code compiled"), QStringLiteral("movie requested"),
    QStringLiteral("movie ready"), QStringLiteral("first frame") };
constexpr unsigned StartColour = 0x30E060;
constexpr int MovieCount = 8; // the movies switched between
unsigned movieColour(int i)
{
    return 0x2040F0u + unsigned(i) * 0x1C0000u;
}

// Put in the page before its own scripts: notes when the engine's WebAssembly is compiled.
const char MarkScript[] = R"(
(function () {
    window.quenBench = {};
    const note = (p) => p.then((r) => { window.quenBench.compiled = performance.now(); return r; });
    for (const name of ["instantiateStreaming", "instantiate", "compileStreaming", "compile"]) {
        const real = WebAssembly[name];
        if (real) WebAssembly[name] = function () { return note(real.apply(WebAssembly, arguments)); };
    }
    // The page fetches our scheme through XHR, which the page's resource timing does not list.
    const open = XMLHttpRequest.prototype.open;
    XMLHttpRequest.prototype.open = function (method, url) {
        if (String(url).indexOf("/movie/") >= 0 && !window.quenBench.requested)
            window.quenBench.requested = performance.now();
        return open.apply(this, arguments);
    };
})();)";
const char MarksQuery[] = R"(
(function () {
    const b = window.quenBench || {};
    return { now: performance.now(), compiled: b.compiled || -1, requested: b.requested || -1 };
})())";

bool waitFor(const std::function<bool()>& done, int ms)
{
    return WaitInEventLoop(done, ms);
}

// One start of the program with a movie, as a child process: prints "mark <step> <ms>" lines.
int runStart(const QString& movie, const QString& dataFolder)
{
    PrepareEngineProcess(EngineDrawingAnswerFile());
    QApplication app(
        *new int(1), new char* [2] { const_cast<char*>("bench_engine"), nullptr });
    QMap<QString, double> marks;
    marks[Steps[0]] = MsSinceProcessStart();
    Settings settings;
    RunningProgram running(settings, dataFolder);
    auto* view = qobject_cast<QWebEngineView*>(running.flash.widget());
    QWebEngineScript script;
    script.setSourceCode(QString::fromLatin1(MarkScript));
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::MainWorld);
    view->page()->scripts().insert(script);
    auto mark = [&](const QString& step) {
        if (!marks.contains(step))
            marks[step] = MsSinceProcessStart();
    };
    // The page's process shows up with its id; the engine has no signal for it that comes in time.
    QTimer pidWatch;
    QObject::connect(&pidWatch, &QTimer::timeout, [&] {
        if (view->page()->renderProcessPid() > 0) {
            mark(Steps[1]);
            pidWatch.stop();
        }
    });
    pidWatch.start(5);
    QObject::connect(view->page(), &QWebEnginePage::loadFinished, [&] { mark(Steps[2]); });
    QObject::connect(&running.flash, &FlashControl::OnReadyStateChange, [&] { mark(Steps[5]); });
    running.program.start({ movie });
    if (!waitFor([&] { return running.flash.ReadyState() == FlashControl::ReadyComplete; }, 60000)
        || !waitFor([&] { return ShowsColour(running.flash.widget(), StartColour); }, 60000)) {
        std::fprintf(stderr, "the movie never appeared\n");
        return 1;
    }
    mark(Steps[6]);
    // CPU time spent getting there: unlike the wall clock, it hardly depends on what else runs.
    marks[QStringLiteral("cpu_ms")] = CpuMs(ProcessFamily(int(getpid())));
    bool answered = false;
    // The page's clock against ours, from one answer (its round trip is a fraction of a millisecond).
    view->page()->runJavaScript(QString::fromLatin1(MarksQuery), [&](const QVariant& v) {
        const QVariantMap m = v.toMap();
        const double offset = MsSinceProcessStart() - m.value(QStringLiteral("now")).toDouble();
        if (m.value(QStringLiteral("compiled")).toDouble() >= 0)
            marks[Steps[3]] = m.value(QStringLiteral("compiled")).toDouble() + offset;
        if (m.value(QStringLiteral("requested")).toDouble() >= 0)
            marks[Steps[4]] = m.value(QStringLiteral("requested")).toDouble() + offset;
        answered = true;
    });
    waitFor([&] { return answered; }, 5000);
    waitFor([] { return false; }, 3000); // memory once playing has settled
    const QList<int> family = ProcessFamily(int(getpid()));
    marks[QStringLiteral("processes")] = double(family.size());
    marks[QStringLiteral("pss_mib")] = MemoryKiB(family).first / 1024;
    marks[QStringLiteral("rss_mib")] = MemoryKiB(family).second / 1024;
    for (auto it = marks.cbegin(); it != marks.cend(); ++it)
        std::printf("mark %s %.0f\n", qPrintable(it.key()), it.value());
    std::fflush(stdout);
    return 0;
}

// Starts the program in a child process with its own cache and data folders; returns its marks.
QMap<QString, double> startOnce(const QStringList& mode, const QString& home)
{
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CACHE_HOME"), home + QStringLiteral("/cache"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), mode + QStringList { home });
    child.waitForFinished(300000);
    QMap<QString, double> marks;
    for (const QByteArray& line : child.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> parts = line.split(' ');
        if (parts.size() == 3 && (parts[0] == "mark" || parts[0] == "figure"))
            marks[QString::fromLatin1(parts[1])] = parts[2].toDouble();
        else if (!line.isEmpty())
            std::printf("%s\n", line.constData());
    }
    return marks;
}

QMap<QString, double> medianMarks(const QList<QMap<QString, double>>& runs)
{
    QMap<QString, double> median;
    for (const QString& step : Steps) {
        QList<double> values;
        for (const auto& run : runs) {
            if (run.contains(step))
                values.append(run.value(step));
        }
        median[step] = values.isEmpty() ? -1 : Percentile(values, 0.5);
    }
    for (const QString& figure : { u"cpu_ms"_qs, u"processes"_qs, u"pss_mib"_qs, u"rss_mib"_qs }) {
        QList<double> values;
        for (const auto& run : runs)
            values.append(run.value(figure, -1));
        median[figure] = Percentile(values, 0.5);
    }
    return median;
}

void printBreakdown(const char* title, const QMap<QString, double>& marks, qsizetype runs)
{
    std::printf("%s, median of %lld starts (ms after process start, and the step's own share):\n", title,
        static_cast<long long>(runs));
    double previous = 0;
    for (qsizetype i = 0; i < Steps.size(); ++i) {
        const double at = marks.value(Steps[i], -1);
        std::printf("  %-22s %6.0f  (+%.0f)\n", qPrintable(StepNames[i]), at, at >= 0 ? at - previous : 0);
        if (at >= 0)
            previous = at;
    }
    std::printf("  CPU time of all processes until the first frame: %.0f ms\n", marks.value(u"cpu_ms"_qs));
    std::printf("  memory 3 s later, one movie playing, %.0f processes: PSS %.0f MiB, RSS %.0f MiB\n",
        marks.value(u"processes"_qs), marks.value(u"pss_mib"_qs), marks.value(u"rss_mib"_qs));
}

// Next row's first frame on screen after the monitor's call to advance, over several switches.
QList<double> measureSwitches(
    RunningProgram& running, const QList<QString>& movies, const QList<unsigned>& colours, QList<double>& cpuMs)
{
    PlaylistModel& model = running.program.model();
    for (qsizetype i = 0; i < movies.size(); ++i)
        model.AddFileToList(movies[i], i == 0, true);
    QList<double> switches;
    waitFor([&] { return ShowsColour(running.flash.widget(), colours[0]); }, 30000);
    for (qsizetype i = 1; i < movies.size(); ++i) {
        waitFor([] { return false; }, 1500); // the movie plays a while, as movies do before they end
        QElapsedTimer clock;
        clock.start();
        const double cpuBefore = CpuMs(ProcessFamily(int(getpid())));
        running.program.transport().PlayNextItem();
        // Grabbing holds up the thread that serves the engine the movie: grab only once it is loaded.
        RuffleFlashControl& flash = running.flash;
        if (!waitFor(
                [&] { return flash.Movie() == movies[i] && flash.ReadyState() == FlashControl::ReadyComplete; }, 30000)
            || !waitFor([&] { return ShowsColour(flash.widget(), colours[i]); }, 30000))
            continue;
        switches.append(double(clock.nsecsElapsed()) / 1e6);
        cpuMs.append(CpuMs(ProcessFamily(int(getpid()))) - cpuBefore);
    }
    return switches;
}

// Frames the root advanced per second, against the movie's rate, full screen.
double measureFullScreen(RunningProgram& running, const QString& busy)
{
    running.program.window().SetWindowState(frmMain::FullScreenToggle);
    running.program.model().AddFileToList(busy, true, true);
    FlashControl& flash = running.flash;
    if (!waitFor([&] { return flash.ReadyState() == FlashControl::ReadyComplete && flash.FrameNum() > 0; }, 30000))
        return -1;
    waitFor([] { return false; }, 1000);
    const int from = flash.FrameNum();
    QElapsedTimer clock;
    clock.start();
    waitFor([] { return false; }, 5000);
    const int to = flash.FrameNum();
    const double seconds = double(clock.nsecsElapsed()) / 1e9;
    const QSize screen = QGuiApplication::primaryScreen()->size();
    std::printf("full screen %dx%d: frames %d -> %d in %.1f s\n", screen.width(), screen.height(), from, to, seconds);
    running.program.window().SetWindowState(frmMain::FullScreenToggle);
    return 100.0 * (to - from) / seconds / 30.0;
}

QList<double> measureReads(RuffleFlashControl& flash)
{
    QList<double> reads;
    for (int i = 0; i < 300; ++i) {
        QElapsedTimer clock;
        clock.start();
        bool answered = false;
        QEventLoop loop;
        QTimer::singleShot(5000, &loop, &QEventLoop::quit);
        flash.runInPage(QStringLiteral("quen.read()"), [&](const QVariant&) {
            answered = true;
            loop.quit();
        });
        loop.exec();
        if (!answered)
            break;
        reads.append(double(clock.nsecsElapsed()) / 1e6);
    }
    return reads;
}

// The blank between movies, one frame read and a busy movie full screen, measured in a start of
// the program as a user's every-day (warm) start finds it: prints "figure <name> <value>" lines.
int runRest(const QString& dir, const QString& dataFolder)
{
    PrepareEngineProcess(EngineDrawingAnswerFile());
    QApplication app(
        *new int(1), new char* [2] { const_cast<char*>("bench_engine"), nullptr });
    QList<QString> movies;
    QList<unsigned> colours;
    for (int i = 0; i < MovieCount; ++i) {
        colours.append(movieColour(i));
        movies.append(QDir(dir).filePath(QStringLiteral("next%1.swf").arg(i)));
    }
    Settings settings;
    RunningProgram running(settings, dataFolder);
    running.program.start({});
    QList<double> switchCpu;
    const QList<double> switches = measureSwitches(running, movies, colours, switchCpu);
    std::printf("switch to the next 1 MB movie over %lld switches: median %.0f ms, max %.0f ms, CPU median %.0f ms\n",
        static_cast<long long>(switches.size()), Percentile(switches, 0.5), Percentile(switches, 1.0),
        Percentile(switchCpu, 0.5));
    const QList<double> reads = measureReads(running.flash);
    std::printf("frame read round trip over %lld reads: median %.2f ms, p95 %.2f ms\n",
        static_cast<long long>(reads.size()), Percentile(reads, 0.5), Percentile(reads, 0.95));
    const double fps = measureFullScreen(running, QDir(dir).filePath(QStringLiteral("busy.swf")));
    std::printf("figure switch_ms_p50 %.0f\nfigure read_ms_p50 %.2f\nfigure fullscreen_fps_pct %.0f\n",
        Percentile(switches, 0.5), Percentile(reads, 0.5), fps);
    std::fflush(stdout);
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc == 4 && QByteArray(argv[1]) == "--start")
        return runStart(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    if (argc == 4 && QByteArray(argv[1]) == "--rest")
        return runRest(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const int runs = qEnvironmentVariableIsSet("QUEN_BENCH_RUNS") ? qEnvironmentVariableIntValue("QUEN_BENCH_RUNS") : 3;

    swfgen::MovieSpec startMovie;
    startMovie.frameCount = 240;
    startMovie.shapeColor = StartColour;
    const QString start = dir.filePath(QStringLiteral("start.swf"));
    for (int i = 0; i < MovieCount; ++i) {
        if (!WriteSizedMovie(dir.filePath(QStringLiteral("next%1.swf").arg(i)), 1024 * 1024, movieColour(i))) {
            std::fprintf(stderr, "cannot write the movies\n");
            return 1;
        }
    }
    if (!swfgen::WriteMovieFile(start, startMovie)
        || !WriteBusyMovie(dir.filePath(QStringLiteral("busy.swf")), 1920, 1080, 300)) {
        std::fprintf(stderr, "cannot write the movies\n");
        return 1;
    }

    QList<QMap<QString, double>> cold, warm;
    for (int i = 0; i < runs; ++i)
        cold.append(startOnce({ QStringLiteral("--start"), start }, dir.filePath(QStringLiteral("cold%1").arg(i))));
    const QString warmHome = dir.filePath(QStringLiteral("warm"));
    startOnce({ QStringLiteral("--start"), start }, warmHome); // leaves the cache a warm start finds
    for (int i = 0; i < runs; ++i)
        warm.append(startOnce({ QStringLiteral("--start"), start }, warmHome));
    const QMap<QString, double> coldMedian = medianMarks(cold), warmMedian = medianMarks(warm);
    printBreakdown("cold start", coldMedian, cold.size());
    printBreakdown("warm start", warmMedian, warm.size());
    const QMap<QString, double> rest = startOnce({ QStringLiteral("--rest"), dir.path() }, warmHome);

    // The memory figure is a warm start's: the one a user meets every day after the very first.
    std::printf("first_frame_ms=%.0f warm_first_frame_ms=%.0f switch_ms_p50=%.0f pss_mib=%.0f fullscreen_fps_pct=%.0f "
                "read_ms_p50=%.2f cold_pss_mib=%.0f\n",
        coldMedian.value(Steps.last()), warmMedian.value(Steps.last()), rest.value(u"switch_ms_p50"_qs, -1),
        warmMedian.value(u"pss_mib"_qs), rest.value(u"fullscreen_fps_pct"_qs, -1), rest.value(u"read_ms_p50"_qs, -1),
        coldMedian.value(u"pss_mib"_qs));
    return 0;
}
