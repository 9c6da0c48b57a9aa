#include "tests/support/flashcontract.h"

#include <QSignalSpy>
#include <QTest>

namespace FlashContract {

namespace {

constexpr int ReadyTimeoutMs = 20000;

bool load(Env& env, const Movie& movie)
{
    env.flash->SetLoop(false);
    QSignalSpy ready(env.flash, &FlashControl::OnReadyStateChange);
    env.flash->LoadMovie(0, env.makeMovie(movie));
    return env.runUntil([&] { return ready.count() > 0; }, ReadyTimeoutMs);
}

} // namespace

void readyComesOnceAfterLoad(Env& env)
{
    const QString path = env.makeMovie({ 45, 24.0, -1 });
    QSignalSpy ready(env.flash, &FlashControl::OnReadyStateChange);
    env.flash->LoadMovie(0, path);
    QCOMPARE(ready.count(), 0); // never from inside LoadMovie
    QCOMPARE(env.flash->Movie(), path);
    QVERIFY(env.runUntil([&] { return ready.count() > 0; }, ReadyTimeoutMs));
    QCOMPARE(ready.at(0).at(0).toInt(), FlashControl::ReadyComplete);
    QCOMPARE(env.flash->ReadyState(), FlashControl::ReadyComplete);
    QCOMPARE(env.flash->TotalFrames(), 45);
    QVERIFY(env.flash->Playing());
    env.run(500);
    QCOMPARE(ready.count(), 1);
}

void gotoReadsBackClampsAndIgnoresNegative(Env& env)
{
    QVERIFY(load(env, { 60, 24.0, -1 }));
    env.flash->StopPlay();
    env.flash->SetFrameNum(30);
    QCOMPARE(env.flash->FrameNum(), 30); // at once, from the snapshot
    env.run(300);
    QCOMPARE(env.flash->FrameNum(), 30);
    env.flash->SetFrameNum(-5);
    QCOMPARE(env.flash->FrameNum(), 30);
    env.flash->SetFrameNum(1000);
    QCOMPARE(env.flash->FrameNum(), 59);
    env.run(300);
    QCOMPARE(env.flash->FrameNum(), 59);
}

void stopHoldsAndPlayResumes(Env& env)
{
    QVERIFY(load(env, { 200, 24.0, -1 }));
    QVERIFY(env.runUntil([&] { return env.flash->FrameNum() >= 5; }, 5000));
    env.flash->StopPlay();
    QVERIFY(!env.flash->Playing());
    env.run(200); // the stop may land a frame after the read
    const int held = env.flash->FrameNum();
    env.run(500);
    QCOMPARE(env.flash->FrameNum(), held);
    env.flash->Play();
    QVERIFY(env.flash->Playing());
    QVERIFY(env.runUntil([&] { return env.flash->FrameNum() >= held + 3; }, 5000));
}

void lastFrameHeldWithLoopOff(Env& env)
{
    QVERIFY(load(env, { 20, 30.0, -1 }));
    QVERIFY(env.runUntil([&] { return env.flash->FrameNum() == 19; }, 5000));
    env.run(600);
    QCOMPARE(env.flash->FrameNum(), 19);
    QVERIFY(!env.flash->Playing()); // held: the movie no longer plays
}

void movieOwnStopHolds(Env& env)
{
    QVERIFY(load(env, { 100, 30.0, 39 }));
    QVERIFY(env.runUntil([&] { return env.flash->FrameNum() == 39; }, 6000));
    env.run(500);
    QCOMPARE(env.flash->FrameNum(), 39);
    QVERIFY(!env.flash->Playing()); // the movie's own stop()
    env.flash->Play();
    QVERIFY(env.runUntil([&] { return env.flash->FrameNum() > 41; }, 5000));
}

void skipMovesOffAStoppedFrame(Env& env)
{
    QVERIFY(load(env, { 100, 30.0, 39 }));
    QVERIFY(env.runUntil([&] { return env.flash->FrameNum() == 39; }, 6000));
    QSignalSpy skipped(env.flash, &FlashControl::StuckFrameSkipped);
    env.flash->SkipStuckFrame(39);
    QVERIFY(env.runUntil([&] { return skipped.count() > 0; }, 5000));
    QCOMPARE(skipped.at(0).at(0).toInt(), 39);
    QCOMPARE(skipped.at(0).at(1).toInt(), 40);
    QVERIFY(env.flash->Playing());
    QVERIFY(env.runUntil([&] { return env.flash->FrameNum() > 42; }, 5000));
}

void unloadLeavesAnEmptyPlayer(Env& env)
{
    QVERIFY(load(env, { 30, 24.0, -1 }));
    QSignalSpy ready(env.flash, &FlashControl::OnReadyStateChange);
    env.flash->LoadMovie(0, FlashControl::UnloadUrl);
    QCOMPARE(env.flash->Movie(), FlashControl::UnloadUrl);
    QVERIFY(env.flash->ReadyState() != FlashControl::ReadyComplete);
    QCOMPARE(env.flash->TotalFrames(), 0);
    QVERIFY(!env.flash->Playing());
    env.run(300);
    QCOMPARE(ready.count(), 0);
    QCOMPARE(env.flash->FrameNum(), 0);
}

} // namespace FlashContract
