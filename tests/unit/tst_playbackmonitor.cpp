#include "playback/hangclock.h"
#include "tests/support/deferredskipengine.h"
#include "tests/support/playbackrig.h"
#include "tests/support/texttablerow.h"

#include <QTest>
#include <array>
#include <cmath>

// The simulated engine; "late" answers a skip only when the test says so, "blind" cannot read the root timeline.
struct Engine : DeferredSkipEngine {
    bool late = false, readable = true, starting = false;
    void SkipStuckFrame(int f) override
    {
        late ? DeferredSkipEngine::SkipStuckFrame(f) : FakeFlashControl::SkipStuckFrame(f);
    }
    bool TimelineReadable() const override { return readable; }
    bool Starting() const override { return starting; }
};

// The TimerPlay tick with the simulated engine: end of movie, progress, stuck frames (also with an
// engine that answers later, as the real one does), loops and their time-out, single loop, loading,
// movies it cannot follow, and seeking with the full bar.
class TestPlaybackMonitor : public QObject {
    Q_OBJECT
private slots:
    void ticks_data()
    {
        // "name: movies; script => row state @frame hw L loop ticks | ended | engine calls | clock info strip bar".
        // "go" plays row 1 and lets it report ready; "f N" is a tick that samples frame N, "tick N" N ticks of 400 ms.
        TextTable(uR"(
98 of 100 is progress: 100,100; go f 98 => 1 playing @98 hw98 L0 |  |  | 22:30:50 98/100  00:10/00:10 0.98 98
99 of 100 ends: 100,100; go f 99 => 2 playing @0 hw-1 L0 | last
a stop frame is pushed a tick later: 100 s40,100; go run 5000 tick 2 => 1 playing @41 hw40 L0 |  | SkipStuckFrame 40
an unreachable frame is skipped: 100 s40 x41-42,100; go run 5000 tick 3 => 1 playing @46 hw46 L0 |  | SkipStuckFrame 40
nothing reachable after the stop: 100 s40 x41-99,100; go run 5000 tick 2 => 2 playing @0 hw-1 L0 | stuck
time-out 0.8 s, the third tick behind: 100,100; timeout 0.8 go f 5 f 1 f 2 f 3 => 2 playing @0 hw-1 L0 | timeout
time-out 1 s, the fourth tick behind: 100,100; go f 5 f 1 f 2 f 3 => 1 playing @3 hw5 L3 |
met twice on the loop's top, still times out: 100,100; go f 5 f 1 f 5 f 2 f 5 => 2 playing @0 hw-1 L0 | timeout
a 400 ms loop met on its top every tick: 100 j4,100; go tick 5 => 2 playing @0 hw-1 L0 | timeout
back on the top and held there is pushed: 100,100; go f 5 f 1 f 5 f 5 => 1 playing @6 hw5 L2 |  | SkipStuckFrame 5
a jump back from the last tenth ends: 1000,100; go f 901 f 0 => 2 playing @0 hw-1 L0 | jumped-back
a jump back from 900 of 1000 loops: 1000,100; go f 900 f 0 => 1 playing @0 hw900 L1 |
single loop restarts at 1: 100,100; loop go f 60 f 99 => 1 playing @1 hw-1 L0 | last | SetFrameNum 1,Play
no tick while paused: 100,100; go f 10 pause clear f 10 f 99 => 1 paused @99 hw10 L0 |  |  |  10/100  00:01/00:10 0.1 10
loading is not judged: 100 r3000,100 r3000; play tick 7 f 150 => 1 playing @150 hw-1 L0 |
never loaded waits 25 ticks: 100 b,50; play tick 25 => 1 playing @0 hw-1 L0 |
and is judged at the 26th: 100 b,50; play tick 26 => 2 playing @0 hw-1 L0 | last
not while the engine starts: 100 b,50; starting play tick 40 => 1 playing @0 hw-1 L0 |
blind, plays on: 100; blind go tick 100 drag 50 ff => 1 playing @99 hw-1 L0 |  |  | 22:30:50 --/--  --:--/00:10 0 0
drag 50: 200; go f 60 clear drag 50 => 1 playing @100 hw-1 L0 |  | SetFrameNum 100,Play |  100/200  00:10/00:20 0.5 30
no count: 200 r60000; go f 60 clear drag 40 => 1 playing @0 hw-1 L0 |  | SetFrameNum 0,Play |  0/0  00:00/00:20 0 -1
drag nan: 200; go f 60 clear drag nan => 1 playing @60 hw60 L0 |  |  |  60/200  00:06/00:20 0.3 30
late, nothing moved: 100,100; late f 40 f 40 answer 40 => 2 playing @0 hw-1 L0 | stuck
late, a move is progress: 100,100; late f 40 f 40 answer 43 f 43 => 1 playing @43 hw43 L0 |
late, paused, skipped: 100,100; late f 40 f 40 pause clear answer 41 => 1 paused @41 hw40 L0 |  | Play,StopPlay
late, one question at a time: 100,100; late f 40 f 40 f 40 f 40 => 1 playing @40 hw40 L0 |  | SkipStuckFrame 40
all passed over stops: 100; go crash crash crash play => 1 stopped @0 hw-1 L0 | engine,engine,engine
)"_qs);
    }
    void ticks()
    {
        const auto [given, expected] = TextRow();
        auto* engine = new Engine;
        PlaybackRig rig { std::unique_ptr<FakeFlashControl>(engine) };
        // Movies as MakeTimeline reads them, separated by commas.
        for (const QString& movie : given.section(u"; "_qs, 0, 0).split(u','))
            rig.addMovie(QStringLiteral("m%1.swf").arg(rig.rows.RowCount() + 1), MakeTimeline(movie));
        QStringList ended;
        const QStringList reasons = u"last stuck timeout jumped-back engine"_qs.split(u' ');
        connect(&rig.monitor(), &PlaybackMonitor::MovieEnded, this, [&](EndReason r) { ended << reasons.at(int(r)); });
        Transport& t = rig.transport;
        const QStringList names = u"play pause stop - next - ff rew - - - - loop"_qs.split(u' ');
        const QStringList w = given.section(u"; "_qs, 1).split(u' ');
        for (int i = 0; i < w.size(); ++i) {
            const float n = w.value(i + 1) == u"nan" ? std::nanf("") : w.value(i + 1).toFloat();
            engine->starting = engine->starting || w[i] == u"starting";
            engine->late = engine->late || w[i] == u"late";
            engine->readable = engine->readable && w[i] != u"blind";
            if (w[i] == u"go" || w[i] == u"late") {
                t.PlayerBtns_Click(Transport::CmdPlay);
                rig.flash.advance(0);
            }
            if (u"go late clear blind"_qs.split(u' ').contains(w[i])) {
                rig.flash.calls.clear();
                rig.host.clock.clear();
            } else if (w[i] == u"crash") {
                rig.flash.failEngine();
            } else if (names.contains(w[i])) {
                t.PlayerBtns_Click(int(names.indexOf(w[i])));
            } else if (w[i] != u"starting") {
                const QStringList steps = u"timeout f run tick drag answer"_qs.split(u' ');
                QVERIFY2(steps.contains(w[i]), qPrintable(w[i]));
                const std::function<void()> step[] = { [&] { rig.settings.LoopTimeOut = n; },
                    [&] { rig.sample(int(n)); }, [&] { rig.flash.advance(int(n)); }, [&] { rig.tick(int(n)); },
                    [&] { rig.monitor().DragProgress(n); }, [&] { engine->answer(int(n)); } };
                step[steps.indexOf(w[i++])]();
            }
        }
        const char* state = std::array { "stopped", "playing", "paused" }.at(t.PlayState());
        QString got = QString::asprintf("%d %s @%d hw%d L%d | ", t.CurrFileIndex(), state, rig.flash.FrameNum(),
            t.LastFrame(), rig.monitor().LoopTicks());
        got += QStringList { ended.join(u','), rig.flash.calls.join(u','), rig.host.clock }.join(u" | ") + u' '
            + rig.host.frameInfo + u' ' + QString::number(rig.host.stripFraction) + u' '
            + QString::number(rig.host.barValue);
        QCOMPARE(got.section(u" | "_qs, 0, int(expected.count(u'|'))).trimmed(), expected);
    }
    void hangElapsed()
    {
        // The renderer's schedstat when a read went out and 10 s later: a spinning script, a stopped renderer,
        // a starved one (7 s on a run queue), nothing to read, and a renderer replaced in between.
        const std::pair<const char*, const char*> rows[] { { "1 2 3", "9000000001 2 9\n" }, { "1 2 3", "1 2 3" },
            { "1 2 3", "3000000001 7000000002 9" }, { "", "1 2 3" }, { "1 9000000002 3", "1 2 3" } };
        QStringList counted;
        for (const auto& [atSend, now] : rows)
            counted << QString::number(HangElapsedMs(10000, atSend, now));
        QCOMPARE(counted.join(u' '), u"10000 10000 3000 10000 10000"_qs);
    }
};

QTEST_GUILESS_MAIN(TestPlaybackMonitor)
#include "tst_playbackmonitor.moc"
