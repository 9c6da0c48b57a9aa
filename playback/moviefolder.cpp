#include "playback/moviefolder.h"

#include <QDir>
#include <QFileInfo>

QString MovieFolderFile(const QString& movieFolder, const QString& relativePath)
{
    // Movies made on Windows ask for "sub\file.jpg".
    QString relative = relativePath;
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (movieFolder.isEmpty() || relative.isEmpty() || QDir::isAbsolutePath(relative) || relative.contains(QChar(u'\0'))
        || relative.contains(QLatin1Char(':')))
        return {};
    const QStringList steps = relative.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString& step : steps) {
        if (step == u"..")
            return {};
    }
    const QString root = QFileInfo(movieFolder).canonicalFilePath();
    if (root.isEmpty())
        return {};
    // Canonical paths resolve every link, so a link that points out of the folder shows as outside.
    const QFileInfo target(QDir(root).filePath(steps.join(QLatin1Char('/'))));
    const QString canonical = target.canonicalFilePath();
    if (canonical.isEmpty() || !QFileInfo(canonical).isFile())
        return {};
    const QString prefix = root.endsWith(QLatin1Char('/')) ? root : QString(root + QLatin1Char('/'));
    return canonical.startsWith(prefix) ? canonical : QString();
}
