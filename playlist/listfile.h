#pragma once

#include "core/textfile.h"

#include <QList>
#include <QString>

class PlaylistModel;
class TransportControl;

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

// The whole list as the file holds it: "path|short|full" and CR LF per row, UTF-8.
QByteArray ListFileBytes(const PlaylistModel& model);

// Replaces the file in one step; on failure the old file is untouched and the reason is returned.
WriteResult WriteListFile(const PlaylistModel& model, const QString& path);

// Appends the rows of a list file and plays the first of them. False only when the ".m3u" file
// does not exist; a name with another ending reads nothing.
bool OpenListFile(PlaylistModel& model, TransportControl& transport, const QString& ListFile);

// The same rows appended, and nothing played or stopped.
bool AppendListFile(PlaylistModel& model, const QString& ListFile);
