#pragma once

#include <QList>
#include <QString>
#include <utility>

class QWidget;

// Milliseconds since this process started, from the kernel's record of its start.
double MsSinceProcessStart();
// This process and all its descendants.
QList<int> ProcessFamily(int root);
// Sums "Pss:" and "Rss:" of smaps_rollup over the processes, in KiB.
std::pair<double, double> MemoryKiB(const QList<int>& pids);
// CPU time (user + system) the processes used so far, in milliseconds.
double CpuMs(const QList<int>& pids);
double Percentile(QList<double> values, double p);
// True when the widget shows a pixel close to rgb (0xRRGGBB).
bool ShowsColour(QWidget* widget, unsigned rgb);
// A 30 fps full-stage animation of many moving squares, width x height pixels, frames frames.
bool WriteBusyMovie(const QString& path, int width, int height, int frames);
// A movie of about bytes bytes, zlib-compressed, whose square has the colour rgb.
bool WriteSizedMovie(const QString& path, qsizetype bytes, unsigned rgb);
