#pragma once

#include <QStringList>

// The movies that paths name, in the order adding them to the list would take: a ".swf" file as it
// is, a folder walked depth-first, a ".m3u" list read line by line. Anything else is left out.
QStringList MoviePathsFrom(const QStringList& paths);
