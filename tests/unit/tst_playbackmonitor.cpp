#include "tests/support/deferredskipengine.h"
#include "tests/support/playbackrig.h"

#include <QTest>
#include <cmath>

namespace {

// Movies "100,100 s40 x41-99": frames at 10 fps, then s stops on a frame, x makes frames unreachable,
// j8 jumps from frame 8 to 0, r waits that long for the ready report, b never loads.
void addMovies(PlaybackRig& rig, const QString& movies)
{
    for (const QString& movie : movies.split(u',')) {
        const QStringList w = movie.split(u' ');
        auto t = MakeTimeline(w.at(0).toInt());
        for (const QString& x : w.mid(1)) {
            const int n = x.mid(1).section(u'-', 0, 0).toInt();
            for (int f = n; f <= std::max(n, x.section(u'-', 1).toInt()) && x[0] == u'x'; ++f)
                t.unreachable.insert(f);
            x[0] == u's' ? void(t.stopFrames.insert(n)) : x[0] == u'j' ? void(t.jumps.insert(n, 0)) : void();
            t.readyDelayMs = x[0] == u'r' ? n : t.readyDelayMs;
            t.loads = x != u"b";
        }
        rig.addMovie(QStringLiteral("m%1.swf").arg(rig.rows.RowCount() + 1), t);
    }
}

const QStringList Reasons = QStringLiteral("last stuck timeout jumped-back").split(u' ');

} // namespace

// The TimerPlay tick with the simulated engine: end of movie, progress, stuck frames (also with an
// engine that answers later, as the real one does), loops and their time-out, single loop, loading
// and seeking with the full bar.
class TestPlaybackMonitor : public QObject {
    Q_OBJECT
private slots:
    void ticks_data();
    void ticks();
    void frameInfoText();
};

void TestPlaybackMonitor::ticks_data()
{
    QTest::addColumn<QString>("movies");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("expected");
    // "go" plays row 1 and lets it report ready; "f N" is a tick that samples frame N, "tick N" N ticks of 400 ms.
    QTest::newRow("frame 98 of 100 is progress") << "100,100" << "go f 98" << "row 1 playing @98 hw98 loops 0 |  |  | 22:30:50 98/100  00:10/00:10 0.98 98";
    QTest::newRow("frame 99 of 100 ends the movie") << "100,100" << "go f 99" << "row 2 playing @0 hw-1 loops 0 | last";
    QTest::newRow("a stop frame is pushed on a tick later") << "100 s40,100" << "go run 5000 tick 2" << "row 1 playing @41 hw40 loops 0 |  | SkipStuckFrame 40";
    QTest::newRow("an unreachable next frame is skipped") << "100 s40 x41-42,100" << "go run 5000 tick 3" << "row 1 playing @46 hw46 loops 0 |  | SkipStuckFrame 40";
    QTest::newRow("nothing reachable after the stop frame") << "100 s40 x41-99,100" << "go run 5000 tick 2" << "row 2 playing @0 hw-1 loops 0 | stuck";
    QTest::newRow("time-out 0 s: the first tick behind") << "100,100" << "timeout 0 go f 5 f 1" << "row 2 playing @0 hw-1 loops 0 | timeout";
    QTest::newRow("time-out 0.8 s: the third tick behind") << "100,100" << "timeout 0.8 go f 5 f 1 f 2 f 3" << "row 2 playing @0 hw-1 loops 0 | timeout";
    QTest::newRow("time-out 1 s: the fourth tick behind") << "100,100" << "go f 5 f 1 f 2 f 3" << "row 1 playing @3 hw5 loops 3 |";
    QTest::newRow("loop ticks survive into the next movie") << "100,100" << "go f 5 f 1 f 2 next run 0 f 5 f 1 f 2" << "row 1 playing @0 hw-1 loops 0 | timeout";
    QTest::newRow("a jump back from the last tenth ends at once") << "1000,100" << "go f 901 f 0" << "row 2 playing @0 hw-1 loops 0 | jumped-back";
    QTest::newRow("a jump back from 900 of 1000 is a loop") << "1000,100" << "go f 900 f 0" << "row 1 playing @0 hw900 loops 1 |";
    QTest::newRow("single loop restarts at frame 1") << "100,100" << "loop go f 60 f 99" << "row 1 playing @1 hw-1 loops 0 | last | SetFrameNum 1,Play";
    QTest::newRow("single loop: a stuck movie moves on all the same") << "100 s40 x41-99,100" << "loop go run 5000 tick 2" << "row 2 playing @0 hw-1 loops 0 | stuck";
    QTest::newRow("single loop: a loop time-out keeps playing") << "100,100" << "timeout 0 loop go f 20 f 3" << "row 1 playing @3 hw20 loops 0 | timeout |";
    QTest::newRow("single loop: a jump back keeps playing") << "100,100" << "loop go f 95 f 3" << "row 1 playing @3 hw95 loops 0 | jumped-back |";
    QTest::newRow("no tick while paused") << "100,100" << "go f 10 pause clear f 10 f 99" << "row 1 paused @99 hw10 loops 0 |  |  |  10/100  00:01/00:10 0.1 10";
    QTest::newRow("no tick while stopped") << "100,100" << "go f 10 stop clear f 10 f 99" << "row 1 stopped @99 hw-1 loops 0 |  |  |  10/100  00:01/00:10 0.1 10";
    QTest::newRow("a loading movie is not judged yet") << "100 r3000,100 r3000" << "play tick 7 f 150" << "row 1 playing @150 hw-1 loops 0 |";
    QTest::newRow("nor by the previous movie's count") << "100 r3000,100 r3000" << "play tick 8 f 99 f 150" << "row 2 playing @150 hw-1 loops 0 | last";
    QTest::newRow("a movie that never loads waits 25 ticks") << "100 b,50" << "play tick 25" << "row 1 playing @0 hw-1 loops 0 |";
    QTest::newRow("and is judged at the 26th") << "100 b,50" << "play tick 26" << "row 2 playing @0 hw-1 loops 0 | last";
    QTest::newRow("a drag seeks to the nearest frame") << "200" << "go f 60 clear drag 50" << "row 1 playing @100 hw-1 loops 0 |  | SetFrameNum 100,Play |  100/200  00:10/00:20 0.5 30";
    QTest::newRow("a drag tie rounds to the even frame 0") << "200" << "go f 60 clear drag 0.25" << "row 1 playing @0 hw-1 loops 0 |  | SetFrameNum 0,Play |  0/200  00:00/00:20 0.0025 30";
    QTest::newRow("a drag tie rounds to the even frame 2") << "200" << "go f 60 clear drag 0.75" << "row 1 playing @2 hw-1 loops 0 |  | SetFrameNum 2,Play |  2/200  00:00/00:20 0.0075 30";
    QTest::newRow("a drag to 100% asks for the frame after the last") << "200" << "go f 60 clear drag 100" << "row 1 playing @199 hw-1 loops 0 |  | SetFrameNum 200,Play |  200/200  00:20/00:20 1 30";
    QTest::newRow("a drag before the count is known") << "200 r60000" << "go f 60 clear drag 40" << "row 1 playing @0 hw-1 loops 0 |  | SetFrameNum 0,Play |  0/0  00:00/00:20 0 -1";
    QTest::newRow("a drag to no number is ignored") << "200" << "go f 60 clear drag nan" << "row 1 playing @60 hw60 loops 0 |  |  |  60/200  00:06/00:20 0.3 30";
    QTest::newRow("a drag while paused stays paused") << "200" << "go pause clear drag 50 run 1000" << "row 1 paused @100 hw-1 loops 0 |  | SetFrameNum 100";
    // With an engine that answers a skip later: an answer counts only for the movie and frame it was asked about.
    QTest::newRow("late: nothing moved, next row") << "100,100" << "late f 40 f 40 answer 40" << "row 2 playing @0 hw-1 loops 0 | stuck";
    QTest::newRow("late: a move is progress") << "100,100" << "late f 40 f 40 answer 43 f 43" << "row 1 playing @43 hw43 loops 0 |";
    QTest::newRow("late: the next row stands on the same frame") << "100,100" << "late f 40 f 40 next run 0 f 40 answer 40" << "row 2 playing @40 hw40 loops 0 |";
    QTest::newRow("late: fast forward meanwhile") << "100,100" << "late f 40 f 40 ff answer 40" << "row 1 playing @60 hw40 loops 0 |";
    QTest::newRow("late: a drag back onto the frame meanwhile") << "100,100" << "late f 40 f 40 drag 40 answer 40" << "row 1 playing @40 hw-1 loops 0 |";
    QTest::newRow("late: paused meanwhile, nothing moved") << "100,100" << "late f 40 f 40 pause answer 40" << "row 1 paused @40 hw40 loops 0 |";
    QTest::newRow("late: paused meanwhile, the skip played on") << "100,100" << "late f 40 f 40 pause clear answer 41" << "row 1 paused @41 hw40 loops 0 |  | Play,StopPlay";
    QTest::newRow("late: asked again after five ticks") << "100,100" << "late f 40 f 40 f 40 f 40 f 40 f 40 f 40 answer 40 answer 40" << "row 2 playing @0 hw-1 loops 0 | stuck | SkipStuckFrame 40,SkipStuckFrame 40,LoadMovie 0 0,LoadMovie 0 m2.swf,Play";
}

void TestPlaybackMonitor::ticks()
{
    QFETCH(QString, movies);
    QFETCH(QString, script);
    QFETCH(QString, expected);
    const bool late = script.startsWith(QStringLiteral("late"));
    auto* deferred = late ? new DeferredSkipEngine : nullptr;
    PlaybackRig rig(late ? std::unique_ptr<FakeFlashControl>(deferred) : std::make_unique<FakeFlashControl>());
    addMovies(rig, movies);
    QStringList ended;
    connect(&rig.monitor(), &PlaybackMonitor::MovieEnded, this, [&](EndReason r) { ended << Reasons.at(int(r)); });
    Transport& t = rig.transport;
    const QStringList names = QStringLiteral("play pause stop - next - ff rew - - - - loop").split(u' ');
    const QHash<QString, std::function<void(float)>> steps { { u"timeout"_qs, [&](float s) { rig.settings.LoopTimeOut = s; } },
        { u"f"_qs, [&](float f) { rig.sample(int(f)); } }, { u"run"_qs, [&](float ms) { rig.flash.advance(int(ms)); } },
        { u"tick"_qs, [&](float n) { for (; n > 0; --n) rig.tick(); } }, { u"drag"_qs, [&](float p) { rig.monitor().DragProgress(p); } },
        { u"answer"_qs, [&](float f) { deferred->answer(int(f)); } } };
    const QStringList w = script.split(u' ');
    for (int i = 0; i < w.size(); ++i) {
        if (w[i] == u"go" || w[i] == u"late" || w[i] == u"clear") {
            if (w[i] != u"clear")
                t.PlayerBtns_Click(Transport::CmdPlay), rig.flash.advance(0);
            rig.flash.calls.clear();
            rig.host.clock.clear();
        } else if (names.contains(w[i])) {
            t.PlayerBtns_Click(int(names.indexOf(w[i])));
        } else {
            QVERIFY2(steps.contains(w[i]), qPrintable(w[i]));
            steps[w[i]](w.at(++i) == u"nan" ? std::nanf("") : w.at(i).toFloat());
        }
    }
    QStringList calls = rig.flash.calls;
    calls.replaceInStrings(rig.dir.path() + u'/', QString());
    const QString got = QStringLiteral("row %1 %2 @%3 hw%4 loops %5 | %6 | %7 | %8 %9 %10 %11")
                            .arg(t.CurrFileIndex()).arg(QStringList { u"stopped"_qs, u"playing"_qs, u"paused"_qs }.at(t.PlayState()))
                            .arg(rig.flash.FrameNum()).arg(t.LastFrame()).arg(rig.monitor().LoopTicks())
                            .arg(ended.join(u','), calls.join(u','), rig.host.clock, rig.host.frameInfo)
                            .arg(rig.host.stripFraction).arg(rig.host.barValue);
    QCOMPARE(got.section(QStringLiteral(" | "), 0, int(expected.count(u'|'))).trimmed(), expected);
}

void TestPlaybackMonitor::frameInfoText()
{
    // Play time rounds half to even; no rate shows frames only.
    const QStringList texts { PlaybackMonitor::FrameInfoText(12, 100, 24, u"00:04"_qs),
        PlaybackMonitor::FrameInfoText(10, 20, 0, u"00:01"_qs), PlaybackMonitor::FrameInfoText(90000, 100000, 24, u"1:09:26"_qs) };
    QCOMPARE(texts.join(u'|'), u"12/100  00:00/00:04|10/20  |90000/100000  1:02:30/1:09:26"_qs);
}

QTEST_GUILESS_MAIN(TestPlaybackMonitor)
#include "tst_playbackmonitor.moc"
