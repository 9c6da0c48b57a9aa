#include "bench/benchsupport.h"

#include "tools/swfgen/swfwriter.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QImage>
#include <QRandomGenerator>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <ctime>
#include <unistd.h>

double MsSinceProcessStart()
{
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray text = stat.readAll();
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    const double startTicks = fields.value(19).toDouble(); // field 22 of the whole line
    timespec now {};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const double nowMs = double(now.tv_sec) * 1000.0 + double(now.tv_nsec) / 1e6;
    return nowMs - startTicks * 1000.0 / double(sysconf(_SC_CLK_TCK));
}

QList<int> ProcessFamily(int root)
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

std::pair<double, double> MemoryKiB(const QList<int>& pids)
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

double CpuMs(const QList<int>& pids)
{
    double ticks = 0;
    for (int pid : pids) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray text = stat.readAll();
        const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        ticks += fields.value(11).toDouble() + fields.value(12).toDouble(); // utime, stime
    }
    return ticks * 1000.0 / double(sysconf(_SC_CLK_TCK));
}

double Percentile(QList<double> values, double p)
{
    if (values.isEmpty())
        return -1;
    std::sort(values.begin(), values.end());
    return values.at(std::min<qsizetype>(values.size() - 1, qsizetype(p * double(values.size()))));
}

bool ShowsColour(QWidget* widget, unsigned rgb)
{
    const QImage image = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const int r = int((rgb >> 16) & 0xff), g = int((rgb >> 8) & 0xff), b = int(rgb & 0xff);
    for (int y = 0; y < image.height(); y += 2) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); x += 2) {
            if (qAbs(qRed(line[x]) - r) < 16 && qAbs(qGreen(line[x]) - g) < 16 && qAbs(qBlue(line[x]) - b) < 16)
                return true;
        }
    }
    return false;
}

bool WriteBusyMovie(const QString& path, int width, int height, int frames)
{
    swfgen::MovieSpec movie;
    movie.width = width;
    movie.height = height;
    movie.frameRate = 30;
    movie.frameCount = frames;
    constexpr int Squares = 200;
    const int side = std::min(width, height) * 20 / 8;
    QRandomGenerator rng(11);
    std::vector<QByteArray> first;
    struct Orbit {
        double cx, cy, radius, phase, speed;
    };
    std::vector<Orbit> orbits;
    for (int i = 0; i < Squares; ++i) {
        const auto id = static_cast<uint16_t>(10 + i);
        first.push_back(swfgen::Tag(2, swfgen::SquareShapeBody(id, side, rng.generate() & 0xffffff)));
        orbits.push_back({ rng.bounded(width * 20.0), rng.bounded(height * 20.0), 400 + rng.bounded(3000.0),
            rng.bounded(6.28), 0.05 + rng.bounded(0.2) });
    }
    for (int frame = 1; frame <= frames; ++frame) {
        std::vector<QByteArray>& tags = movie.extraTags[frame];
        if (frame == 1)
            tags = first;
        for (int i = 0; i < Squares; ++i) {
            const Orbit& o = orbits[size_t(i)];
            const double a = o.phase + o.speed * frame;
            const auto depth = static_cast<uint16_t>(10 + i);
            tags.push_back(swfgen::Tag(26,
                swfgen::PlaceBody(depth, frame == 1 ? std::optional<uint16_t>(depth) : std::nullopt,
                    int32_t(o.cx + o.radius * std::cos(a)) - side / 2, int32_t(o.cy + o.radius * std::sin(a)) - side / 2)));
        }
    }
    return swfgen::WriteMovieFile(path, movie);
}

bool WriteSizedMovie(const QString& path, qsizetype bytes, unsigned rgb)
{
    swfgen::MovieSpec movie;
    movie.frameCount = 240;
    movie.shapeColor = rgb;
    movie.paddingBytes = bytes;
    QByteArray fws = swfgen::WriteMovie(movie);
    // Noise where the padding lies, so that the compressed file is as large as the movie.
    QRandomGenerator rng(rgb);
    // The padding starts before byte 200 and ends after byte 200 + bytes - 400.
    const qsizetype end = 200 + bytes - 400;
    for (qsizetype i = 200; i + 4 <= end; i += 4) {
        const quint32 v = rng.generate();
        memcpy(fws.data() + i, &v, 4);
    }
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(swfgen::Compress(fws, swfgen::Compression::Zlib)) > 0
        && file.flush();
}
