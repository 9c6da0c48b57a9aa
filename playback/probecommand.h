#pragma once

#include "playback/proberunner.h"

#include <QTextStream>

// The command line of "--probe [--seconds N] [--summary] [--jobs N] PATH...", read without
// touching any file.
struct ProbeArguments {
    std::optional<double> seconds;
    bool summary = false; // a last line with the totals
    int jobs = 1; // engines playing side by side
    QStringList paths;
    QString error; // empty when the arguments are usable
};

ProbeArguments ParseProbeArguments(const QStringList& arguments);

namespace ProbeExit {
inline constexpr int AllEnded = 0;
inline constexpr int SomeDidNotEnd = 1;
inline constexpr int Usage = 2;
} // namespace ProbeExit

// Movies done so far, of all; called as they finish.
using ProbeProgress = std::function<void(qsizetype done, qsizetype total)>;
// Whether the engine at this index may take a movie yet: one still compiling its code takes none,
// so the others start at once and no movie's time holds the start-up.
using ProbeEngineReady = std::function<bool(qsizetype engine)>;

// Plays every path (already expanded from folders and list files), the movies spread over the
// engines, longest first when there are several so that they finish together, and prints one JSON
// line per movie in the order of the paths, each as soon as it and those before it are done.
// Returns the exit status.
int RunProbeCommand(const ProbeArguments& arguments, const QList<FlashControl*>& engines, const Settings& settings,
    const ProbeRunner::PassTime& passTime, QTextStream& out, QTextStream& err, const ProbeProgress& progress = {},
    const ProbeEngineReady& engineReady = {});
inline int RunProbeCommand(const ProbeArguments& arguments, FlashControl& flash, const Settings& settings,
    const ProbeRunner::PassTime& passTime, QTextStream& out, QTextStream& err)
{
    return RunProbeCommand(arguments, { &flash }, settings, passTime, out, err);
}

// The totals line of --summary: movies, frames read, and how many ended for each reason.
QString ProbeSummaryLine(const QList<ProbeResult>& results);

// How many engine pages fit beside each other: the jobs asked for, at most one per share of the
// available memory an engine page takes, and at least one.
int JobsWithinMemory(int requested, qint64 availableBytes);

// Time passing for the real engine: runs the event loop for about ms milliseconds and measures it.
ProbeRunner::PassTime EventLoopPassTime();
