// Playlist operations on 100,000 rows (paths only, no header reads): append, save, load, remove
// duplicates (10% of the rows repeat an earlier path), sort by name, shuffle, remove missing files.
// Prints milliseconds for each step, then "max_ms=<largest>".
// Targets: save + load <= 1000 ms together, remove duplicates <= 200 ms, sort <= 500 ms.
#include "core/settings.h"
#include "playlist/listfile.h"
#include "playlist/playlistcommands.h"
#include "playlist/playlistmodel.h"
#include "tests/support/fakeplaylistui.h"
#include "tests/support/recordingtransport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

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
} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
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
    return 0;
}
