// Playlist operations on 100,000 rows (paths only, no header reads): append, save, load, remove
// duplicates (10% of the rows repeat an earlier path), sort by name, shuffle, remove missing files.
// Prints milliseconds for each step, then "max_ms=<largest>".
// Targets: save + load <= 1000 ms together, remove duplicates <= 200 ms, sort <= 500 ms.
//
// Then the filter box over the 100,000 rows, typed and erased one key at a time with a list view
// laying out and painting the result: "filter_ms_p50=... filter_ms_max=..." (target: median <= 30 ms).
// Then a drop of a generated tree of 100,000 small movies in nested folders, added as a drop adds it
// (collecting, natural order, header reads, in slices): "add_tree_ms=... find_stat_ms=...", the second
// `find TREE -name '*.swf' -exec stat` over the same tree in the same run (target: add_tree <= 3x
// find_stat), and the longest slice, the longest the window waits for a repaint.
#include "core/settings.h"
#include "playlist/addfilesjob.h"
#include "playlist/listfile.h"
#include "playlist/playlistcommands.h"
#include "playlist/playlistfilter.h"
#include "playlist/playlistmodel.h"
#include "tests/support/fakeplaylistui.h"
#include "tests/support/recordingtransport.h"
#include "tests/support/testdir.h"
#include "tools/swfgen/swfwriter.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTreeView>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

namespace {
constexpr int Rows = 100000;

QStringList generatedPaths()
{
    QStringList paths;
    paths.reserve(Rows);
    for (int n = 0; n < Rows; ++n) {
        // Every tenth row repeats a path from earlier in the list.
        const int id = n % 10 == 9 ? n - 5 : n;
        paths.append(QStringLiteral("/srv/动画/folder %1/movie %2 第%3集.swf").arg(id % 997).arg(id).arg(id % 40));
    }
    return paths;
}

// CPU milliseconds (user and system) of this process or of its finished children: on a loaded
// machine these vary far less than the wall clock.
qint64 cpuMs(int who)
{
    rusage usage {};
    getrusage(who, &usage);
    return qint64(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000
        + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000;
}

qint64 median(QList<qint64> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values.at(values.size() / 2);
}

// Each key's cost: the new filter, the view's layout of it and one paint.
void benchFilter(PlaylistModel& model)
{
    QTreeView view;
    PlaylistFilter filter(model);
    view.setUniformRowHeights(true);
    view.setRootIsDecorated(false);
    view.setModel(&filter);
    view.setSelectionModel(filter.selectionModel());
    view.resize(400, 600);
    view.show();
    QCoreApplication::processEvents();
    const QString typed = QStringLiteral("movie 123 第1集");
    QStringList keys;
    for (qsizetype n = 1; n <= typed.size(); ++n)
        keys.append(typed.left(n));
    for (qsizetype n = typed.size() - 1; n >= 0; --n)
        keys.append(typed.left(n));
    QList<qint64> times, modelTimes;
    QElapsedTimer timer;
    for (const QString& text : std::as_const(keys)) {
        timer.start();
        filter.SetFilterText(text);
        modelTimes.append(timer.nsecsElapsed() / 1000000);
        view.doItemsLayout();
        view.viewport()->repaint();
        times.append(timer.nsecsElapsed() / 1000000);
    }
    std::printf("filter_model_only_ms_p50=%lld filter_model_only_ms_max=%lld\n",
        static_cast<long long>(median(modelTimes)),
        static_cast<long long>(*std::max_element(modelTimes.cbegin(), modelTimes.cend())));
    std::printf("filter_keys=%lld filter_rows_for_\"%s\"=%d\n", static_cast<long long>(keys.size()),
        qPrintable(typed), [&] {
            filter.SetFilterText(typed);
            return filter.rowCount();
        }());
    std::printf("filter_ms_p50=%lld filter_ms_max=%lld\n", static_cast<long long>(median(times)),
        static_cast<long long>(*std::max_element(times.cbegin(), times.cend())));
}

// 10 x 10 x 10 folders of 100 movies each, every movie its own small file.
QString makeTree(const QString& root)
{
    swfgen::MovieSpec movie;
    movie.compression = swfgen::Compression::Zlib;
    QList<QByteArray> kinds;
    for (int frames = 1; frames <= 10; ++frames) {
        movie.frameCount = frames * 12;
        kinds.append(swfgen::WriteMovie(movie));
    }
    const QString tree = root + QStringLiteral("/tree");
    int n = 0;
    for (int a = 0; a < 10; ++a) {
        for (int b = 0; b < 10; ++b) {
            for (int c = 0; c < 10; ++c) {
                const QString folder = tree + QStringLiteral("/动画 %1/part %2/disc %3").arg(a).arg(b).arg(c);
                QDir().mkpath(folder);
                for (int f = 0; f < 100; ++f, ++n)
                    WriteAll(folder + QStringLiteral("/movie %1.swf").arg(f), kinds.at(n % kinds.size()));
            }
        }
    }
    return tree;
}

void benchAddTree(const QString& root)
{
    QElapsedTimer timer;
    timer.start();
    const QString tree = makeTree(root);
    std::printf("tree_written_ms=%lld\n", static_cast<long long>(timer.elapsed()));

    QProcess find;
    find.setStandardOutputFile(QProcess::nullDevice());
    const qint64 childCpu = cpuMs(RUSAGE_CHILDREN);
    timer.restart();
    find.start(QStringLiteral("find"),
        { tree, QStringLiteral("-name"), QStringLiteral("*.swf"), QStringLiteral("-exec"), QStringLiteral("stat"),
            QStringLiteral("--format=%n %s"), QStringLiteral("{}"), QStringLiteral("+") });
    find.waitForFinished(-1);
    const qint64 findStat = timer.elapsed();
    const qint64 findStatCpu = cpuMs(RUSAGE_CHILDREN) - childCpu;

    PlaylistModel model;
    RecordingTransport transport(&model);
    model.SetTransport(&transport);
    AddFilesJob job(model, transport, { tree }, AddFilesJob::Origin::Drop);
    qint64 longestSlice = 0;
    QElapsedTimer slice;
    const qint64 ownCpu = cpuMs(RUSAGE_SELF);
    timer.restart();
    bool done = false;
    while (!done) {
        slice.start();
        done = job.RunFor(50); // the program's slice
        longestSlice = std::max(longestSlice, slice.elapsed());
    }
    const qint64 addTree = timer.elapsed();
    const qint64 addTreeCpu = cpuMs(RUSAGE_SELF) - ownCpu;
    if (model.RowCount() != 100000)
        std::fprintf(stderr, "added %d rows, expected 100000\n", model.RowCount());
    std::printf("add_tree_ms=%lld find_stat_ms=%lld add_tree_slice_ms_max=%lld add_tree/find_stat=%.2f\n",
        static_cast<long long>(addTree), static_cast<long long>(findStat), static_cast<long long>(longestSlice),
        findStat > 0 ? double(addTree) / findStat : 0.0);
    std::printf("add_tree_cpu_ms=%lld find_stat_cpu_ms=%lld add_tree/find_stat_cpu=%.2f\n",
        static_cast<long long>(addTreeCpu), static_cast<long long>(findStatCpu),
        findStatCpu > 0 ? double(addTreeCpu) / findStatCpu : 0.0);
}
} // namespace

int main(int argc, char* argv[])
{
    // The list view of the filter step needs no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QStringList paths = generatedPaths();
    QList<std::pair<const char*, qint64>> times;
    QElapsedTimer timer;

    PlaylistModel model;
    RecordingTransport transport(&model);
    model.SetTransport(&transport);
    timer.start();
    {
        PlaylistModel::Batch batch(model);
        for (const QString& path : paths)
            model.AddFileToList(path, false, false);
    }
    times.append({ "append", timer.elapsed() });

    const QString file = dir.filePath(QStringLiteral("PlayList.m3u"));
    timer.restart();
    const WriteResult written = WriteListFile(model, file);
    times.append({ "save", timer.elapsed() });
    if (!written.ok) {
        std::fprintf(stderr, "save failed: %s\n", qPrintable(written.error));
        return 1;
    }

    PlaylistModel loaded;
    RecordingTransport loadTransport(&loaded);
    loaded.SetTransport(&loadTransport);
    timer.restart();
    OpenListFile(loaded, loadTransport, file);
    times.append({ "load", timer.elapsed() });
    if (loaded.RowCount() != Rows) {
        std::fprintf(stderr, "loaded %d rows, expected %d\n", loaded.RowCount(), Rows);
        return 1;
    }

    Settings settings;
    FakePlaylistUi ui;
    PlaylistCommands commands(loaded, loadTransport, settings, ui, dir.path());
    loadTransport.SetPlayState(TransportControl::Stopped);
    timer.restart();
    commands.RemoveDuplicateItems();
    times.append({ "remove_duplicates", timer.elapsed() });
    std::printf("rows after removing duplicates: %d\n", loaded.RowCount());

    timer.restart();
    commands.SortByName();
    times.append({ "sort_by_name", timer.elapsed() });

    timer.restart();
    commands.ShuffleList();
    times.append({ "shuffle", timer.elapsed() });

    timer.restart();
    commands.RemoveMissingItems();
    times.append({ "remove_missing", timer.elapsed() });

    qint64 largest = 0;
    for (const auto& [name, ms] : times) {
        std::printf("%s_ms=%lld\n", name, static_cast<long long>(ms));
        largest = std::max(largest, ms);
    }
    std::printf("save_plus_load_ms=%lld\n", static_cast<long long>(times.at(1).second + times.at(2).second));
    std::printf("max_ms=%lld\n", static_cast<long long>(largest));

    benchFilter(model);
    benchAddTree(dir.path());
    return 0;
}
