#pragma once

#include <QStringList>
#include <QTextStream>

struct SwfHeaderInfo;

// One line of JSON for one file: Path, Ok, ActionScript3 and every header field under its own name.
QString SwfHeaderJson(const QString& path, bool ok, const SwfHeaderInfo& info);

// "quenbarrowick --info FILE...": one JSON line per file. Returns the exit status: 0 when every
// file's header was read, 1 otherwise.
int RunInfoCommand(const QStringList& paths, QTextStream& out);
