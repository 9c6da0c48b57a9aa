#pragma once

#include "core/textfile.h"
#include "playlist/listparse.h"

#include <QList>
#include <QString>

class PlaylistModel;
class TransportControl;

// The whole list as the file holds it: "path|short|full" and CR LF per row, UTF-8.
QByteArray ListFileBytes(const PlaylistModel& model);

// Replaces the file in one step; on failure the old file is untouched and the reason is returned.
WriteResult WriteListFile(const PlaylistModel& model, const QString& path);

// Appends the rows of a list file and plays the first of them. False only when the ".m3u" file
// does not exist; a name with another ending reads nothing.
bool OpenListFile(PlaylistModel& model, TransportControl& transport, const QString& ListFile);

// The same rows appended, and nothing played or stopped.
bool AppendListFile(PlaylistModel& model, const QString& ListFile);
