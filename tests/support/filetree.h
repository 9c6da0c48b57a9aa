#pragma once

#include "tests/support/testdir.h"

#include <QDir>
#include <QFileInfo>

// Makes the entries of `tree` below root, separated by spaces: "a/b.swf" a file holding "x", "a/sub/" a folder,
// "a/up->.." a symbolic link to "..". True when every entry was made.
inline bool MakeTree(const QString& root, const QString& tree)
{
    for (const QString& entry : tree.split(u' ', Qt::SkipEmptyParts)) {
        const QStringList link = entry.split(QStringLiteral("->"));
        const QString path = root + u'/' + link.first();
        if (!QDir(root).mkpath(QFileInfo(path).path())
            || !(entry.endsWith(u'/') || (link.size() == 2 ? QFile::link(link.last(), path) : WriteAll(path, "x"))))
            return false;
    }
    return true;
}
