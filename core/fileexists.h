#pragma once

#include <QString>

// True when the path names an existing file or folder (a trailing separator is allowed). A dangling
// symbolic link counts as existing: the entry is there even if its target is not.
bool FileExists(const QString& path);
