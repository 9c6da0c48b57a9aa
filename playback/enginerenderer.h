#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

// The renderer the page asks the engine for: "canvas" or "webgl" when QUEN_RENDERER forces one,
// "auto" otherwise (WebGL when Chromium offers accelerated WebGL, Canvas2D when not).
QString EngineRenderer(const QByteArray& forced);

// How the engine's pictures reach the window. Through GL they stay on the GPU; where GL is a
// software rasteriser that only costs a GL driver in every process (about 45 MiB) and copies, so
// the engine then draws into memory and the window shows the image as it is.
enum class EngineDrawing { Gl, Software };

// GL when Chromium last said, on the same display, that it has accelerated WebGL (a GL start asks again
// and keeps the answer, so a GPU taken out is noticed); software when it said no within a week. With
// no such answer, software too, and `ask`: Chromium is to be asked, away from the start, for the next
// one. A forced WebGL renderer needs GL.
struct DrawingChoice {
    EngineDrawing drawing = EngineDrawing::Software;
    bool ask = false;
};
DrawingChoice ChooseEngineDrawing(
    const QString& file, const QByteArray& forcedRenderer, const QString& display, const QDateTime& now);
// Keeps Chromium's answer for the next start, its folder made if need be; false when it could not be written.
bool KeepAccelerationAnswer(const QString& file, bool accelerated, const QString& display, const QDateTime& now);
