#pragma once

#include "playback/enginerenderer.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// Everything the web engine needs before the application object exists, in one place: the
// sandbox switch for root, our URL scheme, how pictures reach the window (GL, or no GL at all when
// `drawingAnswer`, the file EngineDrawingAnswerFile() names, says the last start found no GPU;
// without a file always GL). Call once, before QApplication.
void PrepareEngineProcess(const QString& drawingAnswer = {});
// The way chosen by PrepareEngineProcess, and the file it read (empty when none was given).
EngineDrawing CurrentEngineDrawing();
QString CurrentDrawingAnswerFile();
// When the start drew without GL for want of an answer about the GPU: starts `program --ask-gpu FILE`
// after delayMs, which asks Chromium with GL and keeps the answer for the next start.
void AskAboutGpuLater(const QString& program, int delayMs);
// The --ask-gpu process's work, once its QApplication exists (after PrepareEngineProcess() without a
// file); returns its exit code.
int AskAboutGpu(const QString& answerFile);
// Where the program keeps Chromium's answer about the GPU: the user's cache folder.
QString EngineDrawingAnswerFile();
// The display the window is on, as the answer file names it ("x11::0", "wayland:wayland-0").
QString EngineDisplay();

// The resident size of a process in KiB, or 0 when it cannot be read (gone, not ours, no /proc).
qint64 ResidentKiB(qint64 pid);

// The scheme the player page, the engine's files and the movies are served from.
inline constexpr char EngineScheme[] = "quen";
