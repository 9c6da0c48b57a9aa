// A long evening of movies through the real window and the real engine: short ActionScript 1/2 and
// 3 movies, one during which the engine's process is killed, one whose script never returns, one
// whose body is garbage after a valid header. Every movie must end; memory, open files and engine
// processes must not grow.
//   bench_soak [MOVIES] [LOOP_TIMEOUT_S]        (default 1000 movies, 0.8 s)
// Last line: movies=… ended=… engine_restarts=… pss_first_mib=… pss_last_mib=… pss_growth_pct=…
//            fds_first=… fds_last=… processes_first=… processes_last=…
// Memory is sampled every twentieth of the movies; a single sample swings with the renderer's age, so
// the first and last figures are the medians of the first and the last four samples.
#include "app/program.h"
#include "bench/benchsupport.h"
#include "core/settings.h"
#include "playback/engineprocess.h"
#include "playback/playbackmonitor.h"
#include "playback/rufflecontrol.h"
#include "playback/transport.h"
#include "shell/frmmain.h"
#include "tests/support/eventwait.h"
#include "tools/swfgen/corpusscripts.h"
#include "tools/swfgen/swfwriter.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QTemporaryDir>
#include <QWidget>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <malloc.h>
#include <unistd.h>
#include <vector>

namespace {

struct Sample {
    double pss = 0;
    qsizetype fds = 0;
    qsizetype processes = 0;
};

Sample sample()
{
    const QList<int> family = ProcessFamily(int(getpid()));
    const qsizetype fds = QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::NoDotAndDotDot | QDir::System).size();
    return { MemoryKiB(family).first / 1024, fds, family.size() };
}

enum class Kind { Plain, Compressed, Looping, As3, Killer, Runaway, Corrupt };

QByteArray movieBytes(Kind kind, int i)
{
    using swfgen::Action;
    swfgen::MovieSpec m;
    m.frameCount = 12 + i % 13;
    m.frameRate = 30;
    m.shapeColor = 0x101010u * uint32_t(1 + i % 15);
    switch (kind) {
    case Kind::Plain:
        m.version = uint8_t(6 + i % 5);
        break;
    case Kind::Compressed:
        m.compression = i % 2 ? swfgen::Compression::Zlib : swfgen::Compression::Lzma;
        m.version = 13;
        break;
    case Kind::Looping: // loops its opening frames: ended by the loop time-out
        m.actions[5] = { { Action::Kind::GotoAndPlay, 1 } };
        break;
    case Kind::As3:
        m.version = 10;
        m.actionScript3 = true;
        // Every third one stops on frame 6 in its own script; the rest play to their last frame.
        m.extraTags[1] = corpus::As3FrameOneTags(
            { i % 3 ? std::map<int, std::vector<corpus::As3Op>> {}
                    : std::map<int, std::vector<corpus::As3Op>> { { 6, { { corpus::As3Op::Stop } } } } });
        break;
    case Kind::Killer:
        m.frameCount = 600;
        break;
    case Kind::Runaway: // a DoAction that jumps to itself for ever
        m.extraTags[4] = { swfgen::Tag(12, QByteArray::fromHex("990200fbff00")) };
        break;
    case Kind::Corrupt: {
        m.compression = swfgen::Compression::Zlib;
        QByteArray bytes = swfgen::WriteMovie(m);
        for (qsizetype k = 8; k < bytes.size(); ++k)
            bytes[k] = char((k * 131 + i) & 0xff);
        return bytes;
    }
    }
    return swfgen::WriteMovie(m);
}

} // namespace

int main(int argc, char* argv[])
{
    PrepareEngineProcess();
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::max(10, QString::fromLocal8Bit(argv[1]).toInt()) : 1000;
    const float loopTimeOut = argc > 2 ? QString::fromLocal8Bit(argv[2]).toFloat() : 0.8f;

    QTemporaryDir dir;
    QStringList paths;
    QString killer;
    const Kind common[] = { Kind::Plain, Kind::Compressed, Kind::As3, Kind::Plain, Kind::As3, Kind::Looping };
    for (int i = 0; i < count; ++i) {
        Kind kind = common[i % 6];
        if (i == count / 4)
            kind = Kind::Killer;
        else if (i == count / 2)
            kind = Kind::Runaway;
        else if (i == 3 * count / 4)
            kind = Kind::Corrupt;
        const QString path = dir.filePath(QStringLiteral("m%1.swf").arg(i + 1, 4, 10, QLatin1Char('0')));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(movieBytes(kind, i)) < 0)
            return std::fprintf(stderr, "cannot write %s\n", qPrintable(path)), 1;
        paths.append(path);
        if (kind == Kind::Killer)
            killer = path;
    }

    Settings settings;
    settings.LoopTimeOut = loopTimeOut;
    settings.SaveList = false;
    RuffleFlashControl flash;
    Program program(settings, dir.path(), flash, flash.widget());
    program.watchPlayerInput(flash.inputWidget());
    QObject::connect(&flash, &RuffleFlashControl::InputWidgetChanged, &program, &Program::watchPlayerInput);

    int ended = 0, restarts = 0;
    std::vector<double> psses;
    QHash<QString, int> reasons;
    QElapsedTimer sinceEnd;
    sinceEnd.start();
    const QStringList names { u"last-frame"_qs, u"stuck-frame"_qs, u"loop-timeout"_qs, u"jumped-back"_qs,
        u"engine-failed"_qs };
    QObject::connect(&program.transport().Monitor(), &PlaybackMonitor::MovieEnded, &flash, [&](EndReason reason) {
        ++ended;
        ++reasons[names.value(int(reason))];
        sinceEnd.restart();
        if (ended % std::max(1, count / 20) == 0) {
            const Sample now = sample();
            psses.push_back(now.pss);
            // The heap of this process: blocks in use, freed but kept, and in mappings of their own.
            const struct mallinfo2 heap = mallinfo2();
            std::printf("%d ended, %d restarts: pss %.0f MiB, %lld fds, %lld processes, heap %.0f/%.0f/%.0f MiB\n",
                ended, restarts, now.pss, static_cast<long long>(now.fds), static_cast<long long>(now.processes),
                heap.uordblks / 1048576.0, heap.fordblks / 1048576.0, heap.hblkhd / 1048576.0);
            std::fflush(stdout);
        }
    });
    QObject::connect(&flash, &FlashControl::EngineFailed, &flash, [&] { ++restarts; });
    // The movie that kills the engine: its renderer dies as soon as it plays.
    QObject::connect(&flash, &FlashControl::OnReadyStateChange, &flash, [&] {
        if (flash.Movie() == killer && flash.engineProcessId() > 0)
            ::kill(pid_t(flash.engineProcessId()), SIGKILL);
    });

    QElapsedTimer clock;
    clock.start();
    program.start(paths);
    // The first sample once the engine is warm and a twentieth of the movies have come and gone.
    WaitInEventLoop([&] { return ended >= std::max(10, count / 20); }, 300000);
    WaitInEventLoop([] { return false; }, 1000);
    const Sample first = sample();
    bool stalled = false;
    while (ended < count && !stalled) {
        WaitInEventLoop([&] { return ended >= count; }, 5000);
        stalled = sinceEnd.elapsed() > 120000;
    }
    if (stalled)
        std::fprintf(stderr, "no movie ended for two minutes: row %d\n", program.transport().CurrFileIndex());
    program.transport().PlayerBtns_Click(TransportControl::CmdStop);
    WaitInEventLoop([] { return false; }, 1000);
    const Sample last = sample();

    for (auto it = reasons.cbegin(); it != reasons.cend(); ++it)
        std::printf("%s: %d\n", qPrintable(it.key()), it.value());
    std::printf("%.0f s, %.2f s a movie\n", clock.elapsed() / 1000.0, clock.elapsed() / 1000.0 / std::max(ended, 1));
    // The first sample comes while the engine is still warming up; it is left out of the first four.
    const auto median4 = [&](std::size_t from) {
        std::vector<double> four(psses.begin() + from, psses.begin() + from + 4);
        std::sort(four.begin(), four.end());
        return (four[1] + four[2]) / 2;
    };
    const double pssFirst = psses.size() >= 8 ? median4(1) : first.pss;
    const double pssLast = psses.size() >= 8 ? median4(psses.size() - 4) : last.pss;
    std::printf("movies=%d ended=%d engine_restarts=%d pss_first_mib=%.0f pss_last_mib=%.0f pss_growth_pct=%.1f "
                "fds_first=%lld fds_last=%lld processes_first=%lld processes_last=%lld\n",
        count, ended, restarts, pssFirst, pssLast, 100.0 * (pssLast - pssFirst) / pssFirst,
        static_cast<long long>(first.fds), static_cast<long long>(last.fds), static_cast<long long>(first.processes),
        static_cast<long long>(last.processes));
    program.window().hide();
    delete flash.widget();
    return ended >= count ? 0 : 1;
}
