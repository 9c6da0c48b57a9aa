// Header reading cost: small and large compressed movies must cost about the same (only the
// header is inflated), and far less than a general-purpose metadata tool over the same files.
// Prints per-file microseconds, then "large/small=<ratio> exiftool/ours=<ratio>".
#include "swf/swfheader.h"
#include "tests/support/testdir.h"
#include "tools/swfgen/swfwriter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QFile>
#include <cstdio>
#include <unistd.h>

namespace {

// Incompressible padding, so a 50 MB compressed movie really is 50 MB on disk.
QByteArray noise(qsizetype size)
{
    QByteArray bytes(size, '\0');
    QRandomGenerator rng(42);
    rng.fillRange(reinterpret_cast<quint32*>(bytes.data()), size / 4);
    return bytes;
}

QStringList makeMovies(const QString& folder, const QString& prefix, swfgen::Compression compression,
    qsizetype targetSize, int count)
{
    swfgen::MovieSpec movieSpec;
    movieSpec.compression = compression;
    movieSpec.frameCount = 240;
    movieSpec.extraTags[1].push_back(swfgen::Tag(77, noise(targetSize)));
    const QByteArray bytes = swfgen::WriteMovie(movieSpec);
    // One file written, the others hard links to it: many names, little disk.
    const QString first = folder + u'/' + prefix + QStringLiteral("0.swf");
    WriteAll(first, bytes);
    QStringList paths { first };
    for (int i = 1; i < count; ++i) {
        const QString path = folder + u'/' + prefix + QString::number(i) + QStringLiteral(".swf");
        if (::link(QFile::encodeName(first).constData(), QFile::encodeName(path).constData()) != 0)
            WriteAll(path, bytes);
        paths.append(path);
    }
    return paths;
}

// Mean microseconds per header read over `rounds` passes of all the files.
double timeOurs(const QStringList& paths, int rounds)
{
    QElapsedTimer timer;
    timer.start();
    int decoded = 0;
    for (int r = 0; r < rounds; ++r) {
        for (const QString& path : paths) {
            SwfHeaderInfo info;
            decoded += ReadSwfHeader(path, info) ? 1 : 0;
        }
    }
    const double us = timer.nsecsElapsed() / 1000.0 / (double(rounds) * paths.size());
    if (decoded != rounds * paths.size())
        std::fprintf(stderr, "warning: %d of %lld headers not decoded\n", int(rounds * paths.size() - decoded),
            static_cast<long long>(rounds * paths.size()));
    return us;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const int perKind = 20;
    const QStringList smallCws = makeMovies(dir.path(), QStringLiteral("small-cws-"), swfgen::Compression::Zlib, 50 * 1024, perKind);
    const QStringList largeCws = makeMovies(dir.path(), QStringLiteral("large-cws-"), swfgen::Compression::Zlib, 50 * 1024 * 1024, perKind);
    const QStringList smallFws = makeMovies(dir.path(), QStringLiteral("small-fws-"), swfgen::Compression::None, 50 * 1024, perKind);
    const QStringList largeFws = makeMovies(dir.path(), QStringLiteral("large-fws-"), swfgen::Compression::None, 50 * 1024 * 1024, perKind);
    const QStringList all = smallCws + largeCws + smallFws + largeFws;

    timeOurs(all, 3); // warm the page cache and the allocator
    const int rounds = 500;
    const double usSmallCws = timeOurs(smallCws, rounds);
    const double usLargeCws = timeOurs(largeCws, rounds);
    const double usSmallFws = timeOurs(smallFws, rounds);
    const double usLargeFws = timeOurs(largeFws, rounds);
    const double usAll = timeOurs(all, rounds);
    std::printf("ours, CWS 50 KB:  %8.2f us/file\n", usSmallCws);
    std::printf("ours, CWS 50 MB:  %8.2f us/file\n", usLargeCws);
    std::printf("ours, FWS 50 KB:  %8.2f us/file\n", usSmallFws);
    std::printf("ours, FWS 50 MB:  %8.2f us/file\n", usLargeFws);
    std::printf("ours, all %lld files: %8.2f us/file\n", static_cast<long long>(all.size()), usAll);

    double usExiftool = 0;
    const QString exiftool = QStandardPaths::findExecutable(QStringLiteral("exiftool"));
    if (!exiftool.isEmpty()) {
        QProcess process;
        QElapsedTimer timer;
        timer.start();
        process.start(exiftool, QStringList { QStringLiteral("-fast"), QStringLiteral("-j") } + all);
        process.waitForFinished(-1);
        usExiftool = timer.nsecsElapsed() / 1000.0 / all.size();
        std::printf("exiftool -fast -j, one process: %8.2f us/file\n", usExiftool);
    } else {
        std::printf("exiftool not found: no comparison\n");
    }
    std::printf("large/small=%.2f exiftool/ours=%.1f\n", usLargeCws / usSmallCws,
        usExiftool > 0 ? usExiftool / usAll : 0.0);
    return 0;
}
