#pragma once

#include "app/program.h"
#include "playback/lookahead.h"
#include "playback/rufflecontrol.h"

#include <QTimer>

struct Settings;

// The engine and the program around it, built in the order that shows a movie soonest; main() and
// the start-up benchmark build it the same way.
class RunningProgram {
public:
    RunningProgram(Settings& settings, const QString& dataFolder);
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    Lookahead lookahead; // outlives the engine, which takes from it
    RuffleFlashControl flash;
    Program program;

private:
    void prepareNextRow();
    QTimer m_listChanged; // the list's changes of one moment, taken together
};
