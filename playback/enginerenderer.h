#pragma once

#include <QByteArray>
#include <QString>

// The renderer the page asks the engine for: "canvas" or "webgl" when QUEN_RENDERER forces one,
// "auto" otherwise (WebGL when Chromium offers accelerated WebGL, Canvas2D when not).
QString EngineRenderer(const QByteArray& forced);
