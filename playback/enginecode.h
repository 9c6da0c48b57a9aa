#pragma once

#include <QByteArray>
#include <QString>

// The WebAssembly file the engine's script fetches on an engine with WebAssembly's extensions (as
// Chromium has), read from that script; empty when the script does not say it the way we know.
QString EngineCodeFile(const QByteArray& engineScript);
