#pragma once

#include "playback/proberunner.h"

#include <QTextStream>

// The command line of "--probe [--seconds N] PATH...", read without touching any file.
struct ProbeArguments {
    std::optional<double> seconds;
    QStringList paths;
    QString error; // empty when the arguments are usable
};

ProbeArguments ParseProbeArguments(const QStringList& arguments);

namespace ProbeExit {
inline constexpr int AllEnded = 0;
inline constexpr int SomeDidNotEnd = 1;
inline constexpr int Usage = 2;
} // namespace ProbeExit

// Plays every path (already expanded from folders and list files) and prints one JSON line per
// movie as soon as it is done. Returns the exit status.
int RunProbeCommand(const ProbeArguments& arguments, FlashControl& flash, const Settings& settings,
    const ProbeRunner::PassTime& passTime, QTextStream& out, QTextStream& err);

// Time passing for the real engine: runs the event loop for about ms milliseconds and measures it.
ProbeRunner::PassTime EventLoopPassTime();
