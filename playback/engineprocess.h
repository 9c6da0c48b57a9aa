#pragma once

#include <QByteArray>
#include <QtGlobal>

// Everything the web engine needs before the application object exists, in one place: the
// sandbox switch for root, our URL scheme, shared GL contexts. Call once, before QApplication.
void PrepareEngineProcess();

// The resident size of a process in KiB, or 0 when it cannot be read (gone, not ours, no /proc).
qint64 ResidentKiB(qint64 pid);

// The scheme the player page, the engine's files and the movies are served from.
inline constexpr char EngineScheme[] = "quen";
