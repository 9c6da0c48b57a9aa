#include "core/fileexists.h"

#include <QFileInfo>

bool FileExists(const QString& path)
{
    if (path.isEmpty())
        return false;
    QString p = path;
    if (p.size() > 1 && p.endsWith(u'/'))
        p.chop(1);
    const QFileInfo info(p);
    return info.exists() || info.isSymLink();
}
