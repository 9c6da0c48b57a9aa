#pragma once

#include <QString>

// Movies load files that lie beside them (sounds, other movies, pictures). The engine may reach the
// movie's own folder and what is below it, and nothing else.
// relative: the path the movie asked for, relative to its folder, already percent-decoded.
// Returns the file's canonical path, or an empty string when the request is refused: absolute
// paths, any ".." step, a symbolic link that leads out of the folder, folders, missing files.
QString MovieFolderFile(const QString& movieFolder, const QString& relative);
