#include "playlist/collectfiles.h"

#include "playlist/naturalorder.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <sys/stat.h>

namespace {
QString join(const QString& folder, const QString& name)
{
    return folder.endsWith(u'/') ? QString(folder + name) : QString(folder + u'/' + name);
}
} // namespace

FileCollector::FileCollector(const QStringList& paths) : m_roots(paths)
{
}

bool FileCollector::Next(QString& path)
{
    for (;;) {
        if (m_nextFile < m_files.size()) {
            path = m_files.at(m_nextFile++);
            return true;
        }
        if (!m_folders.isEmpty()) {
            enterFolder(m_folders.takeLast());
            continue;
        }
        if (m_nextRoot >= m_roots.size())
            return false;
        QString root = m_roots.at(m_nextRoot++);
        if (root.isEmpty())
            continue;
        const QFileInfo info(root);
        if (info.isDir()) {
            if (root.size() > 1 && root.endsWith(u'/'))
                root.chop(1);
            // Each dropped folder is walked in full, even one dropped twice.
            m_visited.clear();
            m_folders.append(root);
        } else if (info.exists() || info.isSymLink()) {
            path = root;
            return true;
        }
    }
}

void FileCollector::enterFolder(const QString& folder)
{
    m_files.clear();
    m_nextFile = 0;
    struct stat st { };
    if (::stat(QFile::encodeName(folder).constData(), &st) != 0)
        return;
    if (!m_visited.insert({ quint64(st.st_dev), quint64(st.st_ino) }).second)
        return;

    QStringList files;
    QStringList subfolders;
    // System lets dangling links through: they are entries like any other file.
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        const QFileInfo entry = it.fileInfo();
        (entry.isDir() ? subfolders : files).append(entry.fileName());
    }
    SortNaturally(files);
    SortNaturally(subfolders);
    m_files.reserve(files.size());
    for (const QString& name : std::as_const(files))
        m_files.append(join(folder, name));
    // The stack hands out its last element first, so the first subfolder goes on top.
    for (auto name = subfolders.crbegin(); name != subfolders.crend(); ++name)
        m_folders.append(join(folder, *name));
}

int CollectFiles(const QString& path, QStringList& list)
{
    FileCollector collector({ path });
    QString found;
    while (collector.Next(found))
        list.append(found);
    return int(list.size());
}
