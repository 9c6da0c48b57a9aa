#include "tests/support/playbackrig.h"

#include <QSignalSpy>
#include <QTest>

Q_DECLARE_METATYPE(EndReason)

namespace {
QString name(int row) { return QStringLiteral("m%1.swf").arg(row); }
} // namespace

// The TimerPlay tick with the simulated engine: end of movie, progress, stuck frames, loops and
// their time-out, single loop, the position displays and seeking.
class TestPlaybackMonitor : public QObject {
    Q_OBJECT
private slots:
    void hundredFrameMovie_endsWhenFrame99Shows_data();
    void hundredFrameMovie_endsWhenFrame99Shows();
    void hundredFrameMovie_playedThrough_showsProgressUntilItsLastFrame();
    void tick_afterTheRowChanged_doesNothingMore();
    void threeRowPlaylist_playsThroughToRowOneAgain();
    void stopOnFrame40_isPushedOnAtTheNextTick_data();
    void stopOnFrame40_isPushedOnAtTheNextTick();
    void loopOnOpeningFrames_isLeftAfterTheTimeOut_data();
    void loopOnOpeningFrames_isLeftAfterTheTimeOut();
    void loopTicks_surviveIntoTheNextMovie();
    void jumpBack_fromTheLastTenth_endsAtOnce_data();
    void jumpBack_fromTheLastTenth_endsAtOnce();
    void singleLoop_onEachExitPath_data();
    void singleLoop_onEachExitPath();
    void tick_whenNotPlaying_doesNothing_data();
    void tick_whenNotPlaying_doesNothing();
    void tick_showsTheWallClock();
    void readyState_isTheOnlySourceOfTheFrameCount();
    void beforeItsReadyReport_aMovieIsGivenTimeToLoad();
    void aMovieThatNeverLoads_isJudgedAfterTheWait();
    void frameInfoText_data();
    void frameInfoText();
    void dragProgress_seeksToTheNearestFrame_data();
    void dragProgress_seeksToTheNearestFrame();
    void dragProgress_whilePaused_staysPaused();
};

void TestPlaybackMonitor::hundredFrameMovie_endsWhenFrame99Shows_data()
{
    QTest::addColumn<int>("frame");
    QTest::addColumn<bool>("ends");
    QTest::newRow("frame 97 is progress") << 97 << false;
    QTest::newRow("frame 98 is still progress") << 98 << false;
    QTest::newRow("frame 99 is the last frame") << 99 << true;
    QTest::newRow("a frame beyond the count ends too") << 150 << true;
}

void TestPlaybackMonitor::hundredFrameMovie_endsWhenFrame99Shows()
{
    QFETCH(int, frame);
    QFETCH(bool, ends);
    PlaybackRig rig;
    rig.startRows(2);
    QSignalSpy ended(&rig.monitor(), &PlaybackMonitor::MovieEnded);
    rig.sample(frame);
    QCOMPARE(rig.playingRow(2), ends);
    QCOMPARE(ended.count(), ends ? 1 : 0);
    if (ends) {
        QCOMPARE(ended.at(0).at(0).value<EndReason>(), EndReason::LastFrame);
        QCOMPARE(rig.flash.FrameNum(), 0);
    } else {
        QCOMPARE(rig.transport.LastFrame(), frame);
        QVERIFY(rig.host.frameInfo.startsWith(QStringLiteral("%1/100  ").arg(frame)));
    }
}

void TestPlaybackMonitor::hundredFrameMovie_playedThrough_showsProgressUntilItsLastFrame()
{
    PlaybackRig rig;
    rig.startRows(2);
    int highest = -1;
    int ticks = 0;
    while (rig.playingRow(1) && ticks < 100) {
        rig.tick();
        ++ticks;
        if (rig.playingRow(1)) {
            QVERIFY(rig.transport.LastFrame() > highest); // every tick before the end is progress
            highest = rig.transport.LastFrame();
            QCOMPARE(rig.host.barValue, float(highest));
        }
    }
    QVERIFY(rig.playingRow(2));
    QCOMPARE(rig.transport.SampledFrame(), 99);
    QVERIFY(highest <= 98);
    QVERIFY(ticks >= 25 && ticks <= 27); // 10 s of movie in 400 ms ticks
}

void TestPlaybackMonitor::tick_afterTheRowChanged_doesNothingMore()
{
    PlaybackRig rig;
    rig.startRows(2);
    rig.sample(50);
    rig.host.calls.clear();
    rig.sample(99);
    // The next row was started; nothing of the old movie is shown or remembered after that.
    QVERIFY(rig.playingRow(2));
    QCOMPARE(rig.transport.LastFrame(), -1);
    QVERIFY(!rig.host.calls.contains(QStringLiteral("FrameInfo")));
    QCOMPARE(rig.host.calls, QStringList { QStringLiteral("StripTwips 15") });
}

void TestPlaybackMonitor::threeRowPlaylist_playsThroughToRowOneAgain()
{
    PlaybackRig rig;
    rig.addMovie(name(1), 30); // ends normally
    auto halts = MakeTimeline(30);
    halts.stopFrames = { 12 }; // waits for a click on a middle frame
    rig.addMovie(name(2), halts);
    auto loading = MakeTimeline(60);
    loading.jumps = { { 8, 0 } }; // loops its opening frames for ever
    rig.addMovie(name(3), loading);
    QSignalSpy ended(&rig.monitor(), &PlaybackMonitor::MovieEnded);
    QList<int> rowsEnded;
    connect(&rig.monitor(), &PlaybackMonitor::MovieEnded, this,
        [&](EndReason) { rowsEnded.append(rig.transport.CurrFileIndex()); });

    rig.transport.PlayerBtns_Click(Transport::CmdPlay);
    for (int ticks = 0; ended.count() < 3 && ticks < 200; ++ticks)
        rig.tick();
    QCOMPARE(ended.count(), 3);
    QCOMPARE(rowsEnded, (QList<int> { 1, 2, 3 }));
    QCOMPARE(ended.at(0).at(0).value<EndReason>(), EndReason::LastFrame);
    QCOMPARE(ended.at(1).at(0).value<EndReason>(), EndReason::LastFrame); // pushed past frame 12 first
    QCOMPARE(ended.at(2).at(0).value<EndReason>(), EndReason::LoopTimeOut);
    // The loop can also sit on one frame at two ticks and get pushed on; it ends by the time-out all the same.
    QCOMPARE(rig.flash.calls.filter(QStringLiteral("SkipStuckFrame")).first(), QStringLiteral("SkipStuckFrame 12"));
    QVERIFY(rig.playingRow(1));
}

void TestPlaybackMonitor::stopOnFrame40_isPushedOnAtTheNextTick_data()
{
    QTest::addColumn<QList<int>>("unreachable");
    QTest::addColumn<int>("reached"); // -1: no frame reachable, the next row starts
    QTest::newRow("frame 41 is taken") << QList<int> {} << 41;
    QTest::newRow("41 unreachable: 42") << QList<int> { 41 } << 42;
    QTest::newRow("41 and 42 unreachable: 43") << QList<int> { 41, 42 } << 43;
    QList<int> all;
    for (int f = 41; f < 100; ++f)
        all.append(f);
    QTest::newRow("nothing after 40 reachable: next row") << all << -1;
}

void TestPlaybackMonitor::stopOnFrame40_isPushedOnAtTheNextTick()
{
    QFETCH(QList<int>, unreachable);
    QFETCH(int, reached);
    PlaybackRig rig;
    auto t = MakeTimeline(100);
    t.stopFrames = { 40 };
    t.unreachable = QSet<int>(unreachable.begin(), unreachable.end());
    rig.addMovie(name(1), t);
    rig.addMovie(name(2), 100);
    rig.transport.PlayerBtns_Click(Transport::CmdPlay);
    QSignalSpy ended(&rig.monitor(), &PlaybackMonitor::MovieEnded);

    int ticks = 0;
    while (rig.transport.SampledFrame() != 40 && ticks++ < 30)
        rig.tick();
    QCOMPARE(rig.transport.LastFrame(), 40); // the first tick on 40 is progress
    QVERIFY(rig.flash.calls.filter(QStringLiteral("SkipStuckFrame")).isEmpty());

    rig.tick(); // still 40 a whole tick later
    QCOMPARE(rig.flash.calls.filter(QStringLiteral("SkipStuckFrame")), QStringList { QStringLiteral("SkipStuckFrame 40") });
    if (reached < 0) {
        QVERIFY(rig.playingRow(2));
        QCOMPARE(ended.count(), 1);
        QCOMPARE(ended.at(0).at(0).value<EndReason>(), EndReason::StuckFrame);
        return;
    }
    QVERIFY(rig.playingRow(1));
    QCOMPARE(rig.flash.FrameNum(), reached);
    QVERIFY(rig.flash.Playing());
    QCOMPARE(rig.transport.LastFrame(), 40); // left for the next tick to see as progress
    rig.tick();
    QVERIFY(rig.transport.LastFrame() >= reached);
    QCOMPARE(ended.count(), 0);
}

void TestPlaybackMonitor::loopOnOpeningFrames_isLeftAfterTheTimeOut_data()
{
    QTest::addColumn<float>("timeOut");
    QTest::addColumn<int>("leftOnTick"); // counted from the first tick behind frame 5
    QTest::newRow("1.0 s: the fourth tick") << 1.0f << 4;
    QTest::newRow("0 s: the first tick") << 0.0f << 1;
    QTest::newRow("0.4 s: the second tick") << 0.4f << 2;
    QTest::newRow("0.8 s: the third tick") << 0.8f << 3;
    QTest::newRow("2.0 s: the sixth tick") << 2.0f << 6;
}

void TestPlaybackMonitor::loopOnOpeningFrames_isLeftAfterTheTimeOut()
{
    QFETCH(float, timeOut);
    QFETCH(int, leftOnTick);
    PlaybackRig rig;
    rig.settings.LoopTimeOut = timeOut;
    rig.startRows(2);
    QSignalSpy ended(&rig.monitor(), &PlaybackMonitor::MovieEnded);
    for (int f = 1; f <= 5; ++f)
        rig.sample(f);
    QCOMPARE(rig.transport.LastFrame(), 5);

    const int loop[] = { 1, 2, 3, 4, 1, 2, 3, 4, 1, 2 };
    int tick = 0;
    while (rig.playingRow(1) && tick < 10)
        rig.sample(loop[tick++]);
    QCOMPARE(tick, leftOnTick);
    QVERIFY(rig.playingRow(2));
    QCOMPARE(rig.monitor().LoopTicks(), 0);
    QCOMPARE(ended.count(), 1);
    QCOMPARE(ended.at(0).at(0).value<EndReason>(), EndReason::LoopTimeOut);
}

void TestPlaybackMonitor::loopTicks_surviveIntoTheNextMovie()
{
    PlaybackRig rig;
    rig.startRows(2);
    rig.sample(5);
    rig.sample(1);
    rig.sample(2);
    QCOMPARE(rig.monitor().LoopTicks(), 2);
    rig.transport.PlayerBtns_Click(Transport::CmdNext);
    rig.flash.advance(0);
    QVERIFY(rig.playingRow(2));
    QCOMPARE(rig.monitor().LoopTicks(), 2);

    rig.sample(5);
    rig.sample(1); // 2 ticks already counted: 2.5 is not reached yet
    QVERIFY(rig.playingRow(2));
    rig.sample(2); // the second tick behind in this movie moves on
    QVERIFY(rig.playingRow(1));
}

void TestPlaybackMonitor::jumpBack_fromTheLastTenth_endsAtOnce_data()
{
    QTest::addColumn<int>("highWater");
    QTest::addColumn<bool>("endsAtOnce");
    QTest::newRow("from 950 of 1000") << 950 << true;
    QTest::newRow("from 901 of 1000") << 901 << true;
    QTest::newRow("from 900 of 1000 counts as a loop") << 900 << false;
    QTest::newRow("from 500 of 1000 counts as a loop") << 500 << false;
}

void TestPlaybackMonitor::jumpBack_fromTheLastTenth_endsAtOnce()
{
    QFETCH(int, highWater);
    QFETCH(bool, endsAtOnce);
    PlaybackRig rig;
    rig.startRows(2, 1000);
    QSignalSpy ended(&rig.monitor(), &PlaybackMonitor::MovieEnded);
    rig.sample(highWater);
    rig.sample(0);
    QCOMPARE(rig.playingRow(2), endsAtOnce);
    QCOMPARE(rig.monitor().LoopTicks(), endsAtOnce ? 0 : 1);
    if (endsAtOnce)
        QCOMPARE(ended.at(0).at(0).value<EndReason>(), EndReason::JumpedBackFromEnd);
}

void TestPlaybackMonitor::singleLoop_onEachExitPath_data()
{
    QTest::addColumn<EndReason>("path");
    QTest::addColumn<bool>("singleLoop");
    QTest::addColumn<bool>("movesOn");
    QTest::newRow("last frame, single loop: restarts at frame 1") << EndReason::LastFrame << true << false;
    QTest::newRow("last frame: next row") << EndReason::LastFrame << false << true;
    QTest::newRow("stuck frame, single loop: next row all the same") << EndReason::StuckFrame << true << true;
    QTest::newRow("stuck frame: next row") << EndReason::StuckFrame << false << true;
    QTest::newRow("loop time-out, single loop: keeps playing") << EndReason::LoopTimeOut << true << false;
    QTest::newRow("loop time-out: next row") << EndReason::LoopTimeOut << false << true;
    QTest::newRow("jump back from the end, single loop: keeps playing") << EndReason::JumpedBackFromEnd << true << false;
    QTest::newRow("jump back from the end: next row") << EndReason::JumpedBackFromEnd << false << true;
}

void TestPlaybackMonitor::singleLoop_onEachExitPath()
{
    QFETCH(EndReason, path);
    QFETCH(bool, singleLoop);
    QFETCH(bool, movesOn);
    PlaybackRig rig;
    rig.settings.LoopTimeOut = 0;
    auto t = MakeTimeline(100);
    t.stopFrames = { 40 };
    for (int f = 41; f < 100; ++f)
        t.unreachable.insert(f);
    rig.addMovie(name(1), path == EndReason::StuckFrame ? t : MakeTimeline(100));
    rig.addMovie(name(2), 100);
    rig.transport.PlayerBtns_Click(Transport::CmdPlay);
    rig.flash.advance(0);
    if (singleLoop)
        rig.transport.PlayerBtns_Click(Transport::CmdSingleLoop);
    QSignalSpy ended(&rig.monitor(), &PlaybackMonitor::MovieEnded);

    switch (path) {
    case EndReason::LastFrame:
        rig.sample(60);
        rig.sample(99);
        break;
    case EndReason::StuckFrame:
        rig.sample(40);
        rig.sample(40);
        break;
    case EndReason::LoopTimeOut:
        rig.sample(20);
        rig.sample(3);
        break;
    case EndReason::JumpedBackFromEnd:
        rig.sample(95);
        rig.sample(3);
        break;
    }
    QCOMPARE(ended.count(), 1);
    QCOMPARE(ended.at(0).at(0).value<EndReason>(), path);
    QCOMPARE(rig.playingRow(movesOn ? 2 : 1), true);
    QCOMPARE(rig.loads(), movesOn ? 2 : 1);
    QVERIFY(rig.transport.TimerPlay().isActive());
    if (path == EndReason::LastFrame && singleLoop) {
        QCOMPARE(rig.flash.FrameNum(), 1);
        QCOMPARE(rig.transport.LastFrame(), -1);
        QVERIFY(rig.flash.Playing());
    }
    if (path == EndReason::LoopTimeOut || path == EndReason::JumpedBackFromEnd)
        QCOMPARE(rig.monitor().LoopTicks(), 0);
}

void TestPlaybackMonitor::tick_whenNotPlaying_doesNothing_data()
{
    QTest::addColumn<int>("state");
    QTest::newRow("stopped") << 0;
    QTest::newRow("paused") << 2;
}

void TestPlaybackMonitor::tick_whenNotPlaying_doesNothing()
{
    QFETCH(int, state);
    PlaybackRig rig;
    rig.startRows(2);
    rig.sample(10);
    rig.transport.PlayerBtns_Click(state == 0 ? Transport::CmdStop : Transport::CmdPause);
    rig.host.clock.clear();
    rig.host.calls.clear();
    rig.flash.calls.clear();
    rig.sample(10); // a paused movie is never taken for a stuck one
    rig.sample(99);
    QVERIFY(rig.host.clock.isEmpty());
    QVERIFY(rig.host.calls.isEmpty());
    QVERIFY(rig.flash.calls.isEmpty());
    QCOMPARE(rig.transport.SampledFrame(), 10);
}

void TestPlaybackMonitor::tick_showsTheWallClock()
{
    PlaybackRig rig;
    rig.startRows(2);
    rig.monitor().setClock([] { return QTime(7, 5, 9); });
    rig.sample(3);
    QCOMPARE(rig.host.clock, QStringLiteral("07:05:09"));
}

void TestPlaybackMonitor::readyState_isTheOnlySourceOfTheFrameCount()
{
    PlaybackRig rig;
    rig.addMovie(name(1), 100);
    auto slow = MakeTimeline(30);
    slow.readyDelayMs = 2000;
    rig.addMovie(name(2), slow);
    rig.transport.PlayerBtns_Click(Transport::CmdPlay);
    rig.monitor().OnReadyStateChange(3);
    QCOMPARE(rig.transport.TotalFrameCount(), 0);
    rig.flash.advance(0);
    QCOMPARE(rig.transport.TotalFrameCount(), 100);

    // The old count stays until the next movie's own report arrives; meanwhile that movie is left
    // to load.
    rig.transport.PlayerBtns_Click(Transport::CmdNext);
    QCOMPARE(rig.transport.TotalFrameCount(), 100);
    rig.flash.forceFrame(40);
    rig.monitor().TimerPlay_Timer();
    QVERIFY(rig.playingRow(2));
    QCOMPARE(rig.transport.LastFrame(), -1);
    rig.flash.advance(2001);
    QCOMPARE(rig.transport.TotalFrameCount(), 30);
}

void TestPlaybackMonitor::beforeItsReadyReport_aMovieIsGivenTimeToLoad()
{
    // Right after start-up the frame count is still 0 and the engine is at its slowest.
    PlaybackRig rig;
    auto slow = MakeTimeline(100);
    slow.readyDelayMs = 3000;
    rig.addMovie(name(1), slow);
    rig.addMovie(name(2), slow);
    rig.transport.PlayerBtns_Click(Transport::CmdPlay);
    QSignalSpy ended(&rig.monitor(), &PlaybackMonitor::MovieEnded);
    for (int i = 0; i < 7; ++i)
        rig.tick();
    QVERIFY(rig.playingRow(1));
    QCOMPARE(ended.count(), 0);
    QVERIFY(!rig.host.clock.isEmpty()); // the clock runs meanwhile

    // Ready: from now on the movie is judged by its own count.
    rig.tick();
    QCOMPARE(rig.transport.TotalFrameCount(), 100);
    rig.sample(99);
    QVERIFY(rig.playingRow(2));
    QCOMPARE(ended.count(), 1);

    // The second movie is not judged by the first one's count while it loads.
    QCOMPARE(rig.flash.ReadyState(), 0);
    rig.flash.forceFrame(150);
    rig.tick(0);
    QVERIFY(rig.playingRow(2));
    QCOMPARE(ended.count(), 1);
}

void TestPlaybackMonitor::aMovieThatNeverLoads_isJudgedAfterTheWait()
{
    PlaybackRig rig;
    auto broken = MakeTimeline(100);
    broken.loads = false;
    rig.addMovie(name(1), broken);
    rig.addMovie(name(2), 50);
    rig.transport.PlayerBtns_Click(Transport::CmdPlay);
    QSignalSpy ended(&rig.monitor(), &PlaybackMonitor::MovieEnded);
    for (int i = 0; i < PlaybackMonitor::MaxLoadWaitTicks; ++i)
        rig.tick();
    QVERIFY(rig.playingRow(1));
    QCOMPARE(ended.count(), 0);
    // Past the wait the usual rules apply: with no frame count known the movie counts as ended.
    rig.tick();
    QVERIFY(rig.playingRow(2));
    QCOMPARE(ended.count(), 1);
}

void TestPlaybackMonitor::frameInfoText_data()
{
    QTest::addColumn<int>("frame");
    QTest::addColumn<int>("total");
    QTest::addColumn<float>("rate");
    QTest::addColumn<QString>("totalTime");
    QTest::addColumn<QString>("expected");
    QTest::newRow("frame and play time") << 1234 << 5678 << 24.0f << "03:56" << "1234/5678  00:51/03:56";
    QTest::newRow("no frame rate: frames only") << 1234 << 5678 << 0.0f << "03:56" << "1234/5678  ";
    QTest::newRow("negative frame rate: frames only") << 10 << 20 << -1.0f << "00:01" << "10/20  ";
    QTest::newRow("half a second rounds to the even 0") << 12 << 100 << 24.0f << "00:04" << "12/100  00:00/00:04";
    QTest::newRow("one and a half rounds to the even 2") << 36 << 100 << 24.0f << "00:04" << "36/100  00:02/00:04";
    QTest::newRow("no frame count yet: frame 0") << 30 << 0 << 10.0f << "00:10" << "0/0  00:00/00:10";
    QTest::newRow("an hour and more") << 90000 << 100000 << 24.0f << "1:09:26" << "90000/100000  1:02:30/1:09:26";
}

void TestPlaybackMonitor::frameInfoText()
{
    QFETCH(int, frame);
    QFETCH(int, total);
    QFETCH(float, rate);
    QFETCH(QString, totalTime);
    QFETCH(QString, expected);
    QCOMPARE(PlaybackMonitor::FrameInfoText(frame, total, rate, totalTime), expected);
}

void TestPlaybackMonitor::dragProgress_seeksToTheNearestFrame_data()
{
    QTest::addColumn<int>("frames");
    QTest::addColumn<float>("percent");
    QTest::addColumn<int>("target");
    QTest::addColumn<QString>("info");
    QTest::addColumn<double>("strip");
    QTest::newRow("50% of 200 frames") << 200 << 50.0f << 100 << "100/200  " << 0.5;
    QTest::newRow("a tie rounds to the even frame 0") << 200 << 0.25f << 0 << "0/200  " << 0.0025;
    QTest::newRow("a tie rounds to the even frame 2") << 200 << 0.75f << 2 << "2/200  " << 0.0075;
    QTest::newRow("100% asks for the frame after the last") << 200 << 100.0f << 200 << "200/200  " << 1.0;
    QTest::newRow("no frame count yet: frame 0, empty strip") << 0 << 40.0f << 0 << "0/0  " << 0.0;
}

void TestPlaybackMonitor::dragProgress_seeksToTheNearestFrame()
{
    QFETCH(int, frames);
    QFETCH(float, percent);
    QFETCH(int, target);
    QFETCH(QString, info);
    QFETCH(double, strip);
    PlaybackRig rig;
    auto t = MakeTimeline(frames > 0 ? frames : 200);
    if (frames == 0)
        t.readyDelayMs = 60000;
    rig.addMovie(name(1), t);
    rig.transport.PlayerBtns_Click(Transport::CmdPlay);
    rig.flash.advance(0);
    rig.sample(60);
    rig.flash.calls.clear();
    rig.host.barValue = -7;

    rig.monitor().DragProgress(percent);
    QCOMPARE(rig.flash.calls, (QStringList { QStringLiteral("SetFrameNum %1").arg(target), QStringLiteral("Play") }));
    QCOMPARE(rig.transport.LastFrame(), -1);
    QVERIFY2(rig.host.frameInfo.startsWith(info), qPrintable(rig.host.frameInfo));
    QCOMPARE(rig.host.stripFraction, strip);
    QCOMPARE(rig.host.barValue, -7.0f); // the bar keeps the value the user gave it
}

void TestPlaybackMonitor::dragProgress_whilePaused_staysPaused()
{
    PlaybackRig rig;
    rig.startRows(2, 200);
    rig.transport.PlayerBtns_Click(Transport::CmdPause);
    rig.flash.calls.clear();
    rig.monitor().DragProgress(50.0f);
    QCOMPARE(rig.flash.calls, QStringList { QStringLiteral("SetFrameNum 100") });
    rig.flash.advance(1000);
    QCOMPARE(rig.flash.FrameNum(), 100);
    QCOMPARE(rig.transport.PlayState(), int(Transport::Paused));
}

QTEST_GUILESS_MAIN(TestPlaybackMonitor)
#include "tst_playbackmonitor.moc"
