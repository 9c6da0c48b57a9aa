#include "tests/support/fakeflashcontrol.h"

#include <QSignalSpy>
#include <QTest>

// The simulated engine must behave as the FlashControl contract says, or the monitor's tests prove
// nothing about the real one.
class TestFakeFlashControl : public QObject {
    Q_OBJECT
private slots:
    void readyArrivesAfterDelayNotInsideLoad();
    void playsAndHoldsLastFrameWithLoopOff();
    void stopActionHoldsUntilPlay();
    void gotoClampsAndRefusesUnreachable();
    void skipStuckFrameTriesIncreasingSteps();
    void skipStuckFrameGivesUpAtLimit();
    void unloadEmptiesThePlayer();
};

namespace {

FakeFlashControl::Timeline timeline(int frames, double rate = 10.0)
{
    FakeFlashControl::Timeline t;
    t.frameCount = frames;
    t.frameRate = rate;
    return t;
}

} // namespace

void TestFakeFlashControl::readyArrivesAfterDelayNotInsideLoad()
{
    FakeFlashControl flash;
    auto t = timeline(30);
    t.readyDelayMs = 200;
    flash.setDefaultTimeline(t);
    QSignalSpy ready(&flash, &FlashControl::OnReadyStateChange);
    flash.LoadMovie(0, QStringLiteral("/m.swf"));
    QCOMPARE(ready.count(), 0);
    QCOMPARE(flash.TotalFrames(), 0);
    flash.advance(199);
    QCOMPARE(ready.count(), 0);
    flash.advance(2);
    QCOMPARE(ready.count(), 1);
    QCOMPARE(ready.at(0).at(0).toInt(), 4);
    QCOMPARE(flash.TotalFrames(), 30);
    flash.advance(1000);
    QCOMPARE(ready.count(), 1);
}

void TestFakeFlashControl::playsAndHoldsLastFrameWithLoopOff()
{
    FakeFlashControl flash;
    flash.SetLoop(false);
    flash.setDefaultTimeline(timeline(20));
    flash.LoadMovie(0, QStringLiteral("/m.swf"));
    flash.advance(1000); // 10 frames at 10 fps, one of them spent on frame 0's actions
    QCOMPARE(flash.FrameNum(), 9);
    flash.advance(5000);
    QCOMPARE(flash.FrameNum(), 19);
    QVERIFY(!flash.Playing());

    flash.SetLoop(true);
    flash.Play();
    flash.advance(100);
    QCOMPARE(flash.FrameNum(), 0);
}

void TestFakeFlashControl::stopActionHoldsUntilPlay()
{
    FakeFlashControl flash;
    flash.SetLoop(false);
    auto t = timeline(100);
    t.stopFrames = { 40 };
    flash.setDefaultTimeline(t);
    flash.LoadMovie(0, QStringLiteral("/m.swf"));
    flash.advance(10000);
    QCOMPARE(flash.FrameNum(), 40);
    QVERIFY(!flash.Playing());
    flash.Play();
    flash.advance(100);
    QCOMPARE(flash.FrameNum(), 41);
}

void TestFakeFlashControl::gotoClampsAndRefusesUnreachable()
{
    FakeFlashControl flash;
    auto t = timeline(50);
    t.unreachable = { 30 };
    flash.setDefaultTimeline(t);
    flash.LoadMovie(0, QStringLiteral("/m.swf"));
    flash.advance(0);
    flash.SetFrameNum(10);
    QCOMPARE(flash.FrameNum(), 10);
    flash.SetFrameNum(30);
    QCOMPARE(flash.FrameNum(), 10);
    flash.SetFrameNum(-5);
    QCOMPARE(flash.FrameNum(), 10);
    flash.SetFrameNum(500);
    QCOMPARE(flash.FrameNum(), 49);
}

void TestFakeFlashControl::skipStuckFrameTriesIncreasingSteps()
{
    FakeFlashControl flash;
    auto t = timeline(100);
    t.stopFrames = { 40 };
    t.unreachable = { 41 };
    flash.setDefaultTimeline(t);
    flash.LoadMovie(0, QStringLiteral("/m.swf"));
    flash.advance(10000);
    QCOMPARE(flash.FrameNum(), 40);
    QSignalSpy skipped(&flash, &FlashControl::StuckFrameSkipped);
    flash.SkipStuckFrame(40);
    // 40 + 1 = 41 is refused, then 40 + 2 = 42 is taken.
    QCOMPARE(skipped.count(), 1);
    QCOMPARE(skipped.at(0).at(0).toInt(), 40);
    QCOMPARE(skipped.at(0).at(1).toInt(), 42);
    QVERIFY(flash.Playing());
}

void TestFakeFlashControl::skipStuckFrameGivesUpAtLimit()
{
    FakeFlashControl flash;
    auto t = timeline(1); // a one-frame movie can go nowhere
    flash.setDefaultTimeline(t);
    flash.LoadMovie(0, QStringLiteral("/m.swf"));
    flash.advance(0);
    QSignalSpy skipped(&flash, &FlashControl::StuckFrameSkipped);
    flash.SkipStuckFrame(0);
    QCOMPARE(skipped.count(), 1);
    QCOMPARE(skipped.at(0).at(1).toInt(), 0);
}

void TestFakeFlashControl::unloadEmptiesThePlayer()
{
    FakeFlashControl flash;
    flash.setDefaultTimeline(timeline(30));
    flash.LoadMovie(0, QStringLiteral("/m.swf"));
    flash.advance(500);
    flash.LoadMovie(0, FlashControl::UnloadUrl);
    QCOMPARE(flash.Movie(), QStringLiteral("0"));
    QCOMPARE(flash.FrameNum(), 0);
    QCOMPARE(flash.TotalFrames(), 0);
    QVERIFY(!flash.Playing());
}

QTEST_GUILESS_MAIN(TestFakeFlashControl)
#include "tst_fakeflashcontrol.moc"
