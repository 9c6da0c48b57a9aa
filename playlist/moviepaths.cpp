#include "playlist/moviepaths.h"

#include "playlist/collectfiles.h"
#include "playlist/listfile.h"

#include <QFile>
#include <QFileInfo>

namespace {

bool isMovie(const QString& path) { return path.endsWith(u".swf", Qt::CaseInsensitive); }

} // namespace

QStringList MoviePathsFrom(const QStringList& paths)
{
    QStringList movies;
    for (const QString& path : paths) {
        const QFileInfo info(path);
        if (info.isDir()) {
            QStringList collected;
            CollectFiles(path, collected);
            for (const QString& file : collected) {
                if (isMovie(file))
                    movies.append(file);
            }
        } else if (IsListFile(path)) {
            QFile file(path);
            if (info.isFile() && file.open(QIODevice::ReadOnly)) {
                for (const ListFileLine& line : ParseListFile(file.readAll(), info.absolutePath())) {
                    if (isMovie(line.path))
                        movies.append(line.path);
                }
            }
        } else if (isMovie(path)) {
            movies.append(path);
        }
    }
    return movies;
}
