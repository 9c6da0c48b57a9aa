// The engine's cost as the user feels it: time from process start to the first frame of a movie on
// screen (the movie is loaded at once, as at start-up with a file to play), memory of all the
// program's processes with one movie playing, and the round trip of one frame read.
// Last line: first_frame_ms=… pss_mib=… read_ms_p50=…
#include "playback/engineprocess.h"
#include "playback/movieprep.h"
#include "playback/rufflecontrol.h"
#include "tests/support/eventwait.h"
#include "tools/swfgen/swfwriter.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <unistd.h>

namespace {

// Milliseconds since this process started, from the kernel's record of its start.
double msSinceProcessStart()
{
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray text = stat.readAll();
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    const double startTicks = fields.value(19).toDouble(); // field 22 of the whole line
    timespec now {};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const double nowMs = now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
    return nowMs - startTicks * 1000.0 / double(sysconf(_SC_CLK_TCK));
}

QList<int> descendantsOf(int root)
{
    QHash<int, int> parentOf;
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool ok = false;
        const int pid = entry.toInt(&ok);
        if (!ok)
            continue;
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray text = stat.readAll();
        parentOf.insert(pid, text.mid(text.lastIndexOf(')') + 2).split(' ').value(1).toInt());
    }
    QList<int> family { root };
    for (int i = 0; i < family.size(); ++i) {
        for (auto it = parentOf.cbegin(); it != parentOf.cend(); ++it) {
            if (it.value() == family.at(i))
                family.append(it.key());
        }
    }
    return family;
}

// Sums "Pss:" and "Rss:" of smaps_rollup over the processes, in KiB.
std::pair<double, double> memoryKiB(const QList<int>& pids)
{
    double pss = 0, rss = 0;
    for (int pid : pids) {
        QFile f(QStringLiteral("/proc/%1/smaps_rollup").arg(pid));
        if (!f.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray& line : f.readAll().split('\n')) {
            const QList<QByteArray> parts = line.simplified().split(' ');
            if (parts.value(0) == "Pss:")
                pss += parts.value(1).toDouble();
            else if (parts.value(0) == "Rss:")
                rss += parts.value(1).toDouble();
        }
    }
    return { pss, rss };
}

double percentile(QList<double> values, double p)
{
    if (values.isEmpty())
        return -1;
    std::sort(values.begin(), values.end());
    return values.at(std::min<qsizetype>(values.size() - 1, qsizetype(p * double(values.size()))));
}

} // namespace

int main(int argc, char* argv[])
{
    PrepareEngineProcess();
    QApplication app(argc, argv);
    QTemporaryDir dir;
    swfgen::MovieSpec movieSpec;
    movieSpec.frameCount = 240;
    movieSpec.shapeColor = 0x30E060;
    const QString path = dir.filePath(QStringLiteral("bench.swf"));
    if (!swfgen::WriteMovieFile(path, movieSpec)) {
        std::fprintf(stderr, "cannot write the movie\n");
        return 1;
    }

    std::printf("application object: %.0f ms after process start\n", msSinceProcessStart());
    RuffleFlashControl flash;
    QObject::connect(&flash, &FlashControl::OnReadyStateChange, &flash,
        [] { std::printf("ready state 4: %.0f ms after process start\n", msSinceProcessStart()); });
    flash.widget()->resize(640, 480);
    flash.widget()->show();
    flash.LoadMovie(0, path);

    const QRgb shape = qRgb(0x30, 0xE0, 0x60);
    auto movieOnScreen = [&] {
        const QImage image = flash.widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < image.height(); y += 2) {
            const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); x += 2) {
                if (qAbs(qRed(line[x]) - qRed(shape)) < 16 && qAbs(qGreen(line[x]) - qGreen(shape)) < 16
                    && qAbs(qBlue(line[x]) - qBlue(shape)) < 16)
                    return true;
            }
        }
        return false;
    };
    // Grabbing costs the thread that also serves the engine its files: look only once the movie is
    // loaded (the snapshot is cheap), then grab until it shows.
    WaitInEventLoop([&] { return flash.ReadyState() == FlashControl::ReadyComplete; }, 60000);
    if (!WaitInEventLoop(movieOnScreen, 60000)) {
        std::fprintf(stderr, "the movie never appeared\n");
        return 1;
    }
    const double firstFrameMs = msSinceProcessStart();
    std::printf("first frame on screen: %.0f ms after process start\n", firstFrameMs);

    WaitInEventLoop([] { return false; }, 3000); // memory once playing has settled
    const QList<int> family = descendantsOf(int(getpid()));
    const auto [pssKiB, rssKiB] = memoryKiB(family);
    std::printf("memory over %lld processes: PSS %.0f MiB, RSS %.0f MiB\n", static_cast<long long>(family.size()),
        pssKiB / 1024, rssKiB / 1024);

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
    const double p50 = percentile(reads, 0.5), p95 = percentile(reads, 0.95);

    // Preparing a large compressed movie happens on the UI thread when it is loaded.
    swfgen::MovieSpec large;
    large.paddingBytes = 20 * 1024 * 1024;
    QByteArray noisy = swfgen::WriteMovie(large);
    QRandomGenerator rng(7);
    for (qsizetype i = 200; i + 4 <= noisy.size() - 1000; i += 4) {
        const quint32 v = rng.generate();
        memcpy(noisy.data() + i, &v, 4);
    }
    const QByteArray packed = swfgen::Compress(noisy, swfgen::Compression::Zlib);
    QElapsedTimer prepareClock;
    prepareClock.start();
    const PreparedMovie prepared = PrepareMovie(packed);
    std::printf("preparing a 20 MB CWS movie: %lld ms (%s)\n", static_cast<long long>(prepareClock.elapsed()),
        prepared.error.isEmpty() ? "ok" : qPrintable(prepared.error));

    std::printf("frame read round trip over %lld reads: median %.2f ms, p95 %.2f ms\n",
        static_cast<long long>(reads.size()), p50, p95);
    std::printf("first_frame_ms=%.0f pss_mib=%.0f read_ms_p50=%.2f\n", firstFrameMs, pssKiB / 1024, p50);
    return 0;
}
