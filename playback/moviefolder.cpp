#include "playback/moviefolder.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The entry of folder named like step in another letter case; the first in name order when there
// are several, so that the same request always gets the same file.
QString otherCase(const QString& folder, const QString& step)
{
    const QStringList entries
        = QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString& entry : entries) {
        if (entry.compare(step, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return {};
}

// Movies made on Windows ask for "Intro.SWF" as "intro.swf": each step missing under its own name
// is looked for in another letter case.
QString caseInsensitivePath(const QString& root, const QStringList& steps)
{
    QString path = root;
    for (const QString& step : steps) {
        const QString exact = path + u'/' + step;
        if (QFileInfo::exists(exact)) {
            path = exact;
            continue;
        }
        const QString found = otherCase(path, step);
        if (found.isEmpty())
            return {};
        path += u'/' + found;
    }
    return path;
}

} // namespace

QString MovieFolderFile(const QString& movieFolder, const QString& relativePath)
{
    // Movies made on Windows ask for "sub\file.jpg".
    QString relative = relativePath;
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (movieFolder.isEmpty() || relative.isEmpty() || QDir::isAbsolutePath(relative) || relative.contains(QChar(u'\0'))
        || relative.contains(QLatin1Char(':')))
        return {};
    QStringList steps = relative.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    steps.removeAll(QStringLiteral("."));
    for (const QString& step : steps) {
        if (step == u"..")
            return {};
    }
    const QString root = QFileInfo(movieFolder).canonicalFilePath();
    if (root.isEmpty() || steps.isEmpty())
        return {};
    // Canonical paths resolve every link, so a link that points out of the folder shows as outside.
    const QString canonical = QFileInfo(caseInsensitivePath(root, steps)).canonicalFilePath();
    if (canonical.isEmpty() || !QFileInfo(canonical).isFile())
        return {};
    const QString prefix = root.endsWith(QLatin1Char('/')) ? root : QString(root + QLatin1Char('/'));
    return canonical.startsWith(prefix) ? canonical : QString();
}
