#pragma once

#include <QList>
#include <QStringList>
#include <set>
#include <utility>

// Walks dropped or chosen paths one collected path at a time, so a caller can stop between any two
// and let the window paint. A file is given back as it was named; a folder gives every file below
// it, depth-first: its own files first, then each subfolder in turn, both in natural name order.
// Hidden files and anything that is not a folder count as files. Each real folder is walked once,
// so links that point back up the tree end.
class FileCollector {
public:
    explicit FileCollector(const QStringList& paths);

    // The next path in order; false when the walk is over.
    bool Next(QString& path);

private:
    void enterFolder(const QString& folder);

    QStringList m_roots;
    qsizetype m_nextRoot = 0;
    QStringList m_files; // files of the folder being handed out
    qsizetype m_nextFile = 0;
    QStringList m_folders; // folders still to walk; the next one is last
    std::set<std::pair<quint64, quint64>> m_visited; // device and inode of every folder walked
};

// Appends what the path names (itself, or every file below a folder) to list. Returns the list's size.
int CollectFiles(const QString& path, QStringList& list);
