#include "tests/support/deferredskipengine.h"
#include "tests/support/playbackrig.h"

#include <QTest>

namespace {

// Two rows playing, the first one sampled on frame 40 for two ticks: the engine has been asked to
// move it off that frame and has not answered yet.
struct WaitingForAnswer {
    WaitingForAnswer()
        : engine(new DeferredSkipEngine)
        , rig(std::unique_ptr<FakeFlashControl>(engine))
    {
        rig.startRows(2);
        rig.sample(40);
        rig.sample(40);
    }

    DeferredSkipEngine* engine;
    PlaybackRig rig;
};

} // namespace

// The monitor with an engine that answers a skip off a stuck frame later, as the real one does from
// its own process: an answer counts only for the movie and the frame it was asked about.
class TestLateSkipOutcome : public QObject {
    Q_OBJECT
private slots:
    void answer_forTheSameMovie_movesOnWhenNothingMoved();
    void answer_thatMovedTheFrame_isSeenAsProgress();
    void answer_afterTheRowChanged_isIgnored();
    void answer_afterASeek_isIgnored_data();
    void answer_afterASeek_isIgnored();
    void answer_whilePaused_keepsThePause();
    void pendingAttempt_isNotRepeatedUntilItIsTakenAsLost();
};

void TestLateSkipOutcome::answer_forTheSameMovie_movesOnWhenNothingMoved()
{
    WaitingForAnswer w;
    QCOMPARE(w.engine->asked, QList<int> { 40 });
    QVERIFY(w.rig.playingRow(1));
    QVERIFY(w.rig.monitor().SkipPending());
    w.engine->answer(40);
    QVERIFY(w.rig.playingRow(2));
    QVERIFY(!w.rig.monitor().SkipPending());
}

void TestLateSkipOutcome::answer_thatMovedTheFrame_isSeenAsProgress()
{
    WaitingForAnswer w;
    w.engine->answer(43);
    QVERIFY(w.rig.playingRow(1));
    QVERIFY(w.rig.flash.Playing());
    QCOMPARE(w.rig.transport.LastFrame(), 40);
    w.rig.monitor().TimerPlay_Timer();
    QCOMPARE(w.rig.transport.LastFrame(), 43);
}

void TestLateSkipOutcome::answer_afterTheRowChanged_isIgnored()
{
    WaitingForAnswer w;
    w.rig.transport.PlayerBtns_Click(Transport::CmdNext);
    QVERIFY(w.rig.playingRow(2));
    w.engine->answer(40);
    QVERIFY(w.rig.playingRow(2));
    QCOMPARE(w.rig.loads(), 2);
}

void TestLateSkipOutcome::answer_afterASeek_isIgnored_data()
{
    QTest::addColumn<int>("command"); // -1: the full bar dragged back onto the stuck frame
    QTest::newRow("fast forward") << int(Transport::CmdFastForward);
    QTest::newRow("rewind") << int(Transport::CmdRewind);
    QTest::newRow("a drag of the full bar") << -1;
}

void TestLateSkipOutcome::answer_afterASeek_isIgnored()
{
    QFETCH(int, command);
    WaitingForAnswer w;
    if (command >= 0)
        w.rig.transport.PlayerBtns_Click(command);
    else
        w.rig.monitor().DragProgress(40.0f); // frame 40 again, but a fresh start for the monitor
    w.engine->answer(40);
    QVERIFY(w.rig.playingRow(1));
}

void TestLateSkipOutcome::answer_whilePaused_keepsThePause()
{
    WaitingForAnswer w;
    w.rig.transport.PlayerBtns_Click(Transport::CmdPause);
    w.engine->answer(40); // nothing moved, but the user paused: stay
    QCOMPARE(w.rig.transport.CurrFileIndex(), 1);
    QCOMPARE(w.rig.transport.PlayState(), int(Transport::Paused));

    w.rig.transport.PlayerBtns_Click(Transport::CmdPlay);
    w.rig.sample(40);
    QCOMPARE(w.engine->asked, QList<int> { 40 });
    w.rig.transport.PlayerBtns_Click(Transport::CmdPause);
    w.engine->answer(41); // the engine played on after its skip; the pause must hold
    QCOMPARE(w.rig.flash.calls.last(), QStringLiteral("StopPlay"));
    QVERIFY(!w.rig.flash.Playing());
    QCOMPARE(w.rig.transport.PlayState(), int(Transport::Paused));
}

void TestLateSkipOutcome::pendingAttempt_isNotRepeatedUntilItIsTakenAsLost()
{
    WaitingForAnswer w;
    for (int i = 0; i < 4; ++i)
        w.rig.sample(40);
    QCOMPARE(w.engine->asked.size(), 1);
    w.rig.sample(40); // five ticks without an answer: ask again
    QCOMPARE(w.engine->asked.size(), 2);
    // Either answer tells the same about the same frame: the first one moves on, the other is stale.
    w.engine->answer(40);
    QVERIFY(w.rig.playingRow(2));
    w.engine->answer(40);
    QVERIFY(w.rig.playingRow(2));
    QCOMPARE(w.rig.loads(), 2);
}

QTEST_GUILESS_MAIN(TestLateSkipOutcome)
#include "tst_lateskipoutcome.moc"
