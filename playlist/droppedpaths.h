#pragma once

#include <QStringList>

class QMimeData;

// The local paths of a text/uri-list drop, in the order the drop lists them. Remote URLs are left
// out: they cannot be walked or played from here.
QStringList DroppedPaths(const QMimeData& data);
