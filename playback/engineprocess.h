#pragma once

#include <QByteArray>

// Everything the web engine needs before the application object exists, in one place: the
// sandbox switch for root, our URL scheme, shared GL contexts. Call once, before QApplication.
void PrepareEngineProcess();

// The scheme the player page, the engine's files and the movies are served from.
inline constexpr char EngineScheme[] = "quen";
