#pragma once

#include <QByteArray>

// How long a read has gone unanswered, counting only the time the renderer's main thread (where the
// page's script runs) could have run: the wall time less the growth of its wait on a run queue,
// from two readings of /proc/<pid>/schedstat ("ns on CPU, ns waiting for a CPU, timeslices"). A
// renderer starved of CPU on a loaded machine so gets the chance to answer it would have had on an
// idle one, while a spinning script (on CPU) or a stopped renderer (asleep) still counts wall time.
// A reading that is missing or unclear also counts wall time. The kernel adds a wait to the figure
// only when the thread gets a CPU again: one that gets none for the whole limit still counts as hung.
qint64 HangElapsedMs(qint64 wallMs, const QByteArray& statAtSend, const QByteArray& statNow);

// /proc/<pid>/schedstat of the process's main thread; empty when there is none to read.
QByteArray MainThreadSchedstat(qint64 pid);
