#pragma once

#include "core/flashcontrol.h"

#include <functional>

// Checks that every FlashControl must pass, run against the simulated engine (unit tests) and the
// real one (engine tests). They report through QTest; the caller returns when one failed.
namespace FlashContract {

struct Movie {
    int frames = 60;
    double frameRate = 24.0;
    int stopFrame = -1; // 0-based frame whose own action stops the movie; -1 for none
};

struct Env {
    FlashControl* flash = nullptr;
    std::function<QString(const Movie&)> makeMovie; // returns the path to load
    // Lets the engine run until done() holds or timeoutMs passed; true when done() held.
    std::function<bool(const std::function<bool()>& done, int timeoutMs)> runUntil;
    // Lets the engine run for about ms milliseconds of playing time.
    std::function<void(int ms)> run;
};

void readyComesOnceAfterLoad(Env& env);
void gotoReadsBackClampsAndIgnoresNegative(Env& env);
void stopHoldsAndPlayResumes(Env& env);
void lastFrameHeldWithLoopOff(Env& env);
void movieOwnStopHolds(Env& env);
void skipMovesOffAStoppedFrame(Env& env);
void unloadLeavesAnEmptyPlayer(Env& env);

} // namespace FlashContract
