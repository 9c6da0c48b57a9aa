#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// One line of a list file that names something: a path and, when the line had "|" fields, the two
// duration texts that go with it.
struct ListFileLine {
    QString path;
    bool hasFields = false;
    QString timeShort;
    QString timeFull;
};

// True when the path ends in ".m3u", any case.
bool IsListFile(const QString& path);

// The lines of a list file in order. UTF-8 (with or without a byte-order mark) or the legacy
// GB18030; CR LF or LF. Comment lines ("#EXTM3U", "#EXTINF:...") and empty lines are left out.
// Relative paths are taken relative to listFolder; absolute paths stand as written.
QList<ListFileLine> ParseListFile(const QByteArray& bytes, const QString& listFolder);

// One row as a list file holds it: "path|short|full" and CR LF, UTF-8.
QByteArray ListFileLineBytes(const QString& path, const QString& timeShort, const QString& timeFull);
