#include "core/settings.h"
#include "playback/proberunner.h"
#include "tests/support/deferredskipengine.h"
#include "tests/support/playbackrig.h"
#include "tests/support/testdir.h"

#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(FakeFlashControl::Timeline)

namespace {

// Movies written into a temporary folder, with the simulated engine told how each one behaves.
struct ProbeBench {
    ProbeBench()
    {
        settings.FastFrames = DefaultFastFrames;
        settings.LoopTimeOut = DefaultLoopTimeOut;
    }

    QString add(const QString& name, const FakeFlashControl::Timeline& timeline)
    {
        const QString path = dir.filePath(name);
        WriteTimelineMovie(*flash, path, timeline);
        return path;
    }

    ProbeRunner::PassTime passTime()
    {
        return [this](int ms) {
            flash->advance(ms);
            return ms;
        };
    }

    QTemporaryDir dir;
    Settings settings;
    std::unique_ptr<FakeFlashControl> flash = std::make_unique<FakeFlashControl>();
};

FakeFlashControl::Timeline stopsOn40(bool restReachable)
{
    auto t = MakeTimeline(100);
    t.stopFrames = { 40 };
    if (!restReachable) {
        for (int f = 41; f < 100; ++f)
            t.unreachable.insert(f);
    }
    return t;
}

} // namespace

// Playing movies through without a window: how each one ends, with the simulated engine.
class TestProbeRunner : public QObject {
    Q_OBJECT
private slots:
    void probe_reportsHowTheMovieEnded_data();
    void probe_reportsHowTheMovieEnded();
    void probe_ofAMissingFile_failsToLoadAtOnce();
    void probe_withAGivenLimit_stopsAMovieThatPlaysOn();
    void probe_leavesThePlayerEmptyAndConfigured();
    void probe_withAnEngineThatAnswersLater_stillSeesAStuckFrame();
    void probeAll_judgesEveryMovieOnItsOwn();
    void timeLimit_isDurationPlusLoopTimeOutPlusMargin_data();
    void timeLimit_isDurationPlusLoopTimeOutPlusMargin();
    void jsonLine_keepsTheKeyOrderAndEscapesThePath();
};

void TestProbeRunner::probe_reportsHowTheMovieEnded_data()
{
    QTest::addColumn<FakeFlashControl::Timeline>("timeline");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<int>("totalFrames");
    QTest::addColumn<int>("maxFrame");
    QTest::addColumn<double>("minSeconds");
    QTest::addColumn<double>("maxSeconds");

    QTest::newRow("plays to its last frame") << MakeTimeline(100) << "last-frame" << true << 100 << 99 << 10.0 << 10.8;
    QTest::newRow("a stop action pushed on plays to the end")
        << stopsOn40(true) << "last-frame" << true << 100 << 99 << 10.0 << 12.0;
    QTest::newRow("a stop with nothing reachable after it")
        << stopsOn40(false) << "stuck-frame" << true << 100 << 40 << 4.0 << 5.2;
    auto loading = MakeTimeline(300);
    loading.jumps = { { 10, 0 } }; // a loading bar that never finishes
    QTest::newRow("a loop on its opening frames") << loading << "loop-timeout" << true << 300 << 9 << 1.0 << 6.0;
    auto endLoop = MakeTimeline(100);
    endLoop.jumps = { { 97, 0 } };
    QTest::newRow("a jump back from its last tenth")
        << endLoop << "jumped-back-from-end" << true << 100 << 95 << 9.6 << 10.4;
    auto broken = MakeTimeline(100);
    broken.loads = false;
    QTest::newRow("a movie the engine cannot open") << broken << "failed-to-load" << false << 0 << 0 << 21.0 << 21.4;
    auto late = MakeTimeline(100);
    late.readyDelayMs = 30000;
    QTest::newRow("ready only after the time limit") << late << "failed-to-load" << false << 0 << 0 << 21.0 << 21.4;
    auto slow = MakeTimeline(100);
    slow.readyDelayMs = 3000;
    QTest::newRow("a slow start is not an end") << slow << "last-frame" << true << 100 << 99 << 13.0 << 13.8;
}

void TestProbeRunner::probe_reportsHowTheMovieEnded()
{
    QFETCH(FakeFlashControl::Timeline, timeline);
    QFETCH(QString, reason);
    QFETCH(bool, loaded);
    QFETCH(int, totalFrames);
    QFETCH(int, maxFrame);
    QFETCH(double, minSeconds);
    QFETCH(double, maxSeconds);
    ProbeBench bench;
    const QString path = bench.add(QStringLiteral("movie.swf"), timeline);
    ProbeRunner runner(*bench.flash, bench.settings);
    const ProbeResult r = runner.Probe(path, bench.passTime());
    QCOMPARE(r.Path, path);
    QCOMPARE(r.Reason, reason);
    QCOMPARE(r.Loaded, loaded);
    QCOMPARE(r.Ended, reason != ProbeReason::FailedToLoad && reason != ProbeReason::TimeLimit);
    QCOMPARE(r.TotalFrames, totalFrames);
    QCOMPARE(r.MaxFrame, maxFrame);
    QVERIFY2(r.Seconds >= minSeconds && r.Seconds <= maxSeconds, qPrintable(QString::number(r.Seconds)));
}

void TestProbeRunner::probe_ofAMissingFile_failsToLoadAtOnce()
{
    ProbeBench bench;
    ProbeRunner runner(*bench.flash, bench.settings);
    int passed = 0;
    const ProbeResult r = runner.Probe(bench.dir.filePath(QStringLiteral("gone.swf")), [&](int ms) {
        passed += ms;
        return ms;
    });
    QCOMPARE(r.Reason, ProbeReason::FailedToLoad);
    QVERIFY(!r.Loaded);
    QVERIFY(!r.Ended);
    QCOMPARE(r.Seconds, 0.0);
    QCOMPARE(passed, 0);
    QVERIFY(bench.flash->calls.isEmpty());
}

void TestProbeRunner::probe_withAGivenLimit_stopsAMovieThatPlaysOn()
{
    ProbeBench bench;
    const QString path = bench.add(QStringLiteral("long.swf"), MakeTimeline(1000));
    ProbeRunner runner(*bench.flash, bench.settings, ProbeOptions { 2.0, 0 });
    QCOMPARE(runner.TimeLimitMs(path), 2000);
    const ProbeResult r = runner.Probe(path, bench.passTime());
    QCOMPARE(r.Reason, ProbeReason::TimeLimit);
    QVERIFY(r.Loaded);
    QVERIFY(!r.Ended);
    QCOMPARE(r.Seconds, 2.0);
    QVERIFY(r.MaxFrame >= 15 && r.MaxFrame <= 20);
    QCOMPARE(bench.flash->Movie(), FlashControl::UnloadUrl);
}

void TestProbeRunner::probe_leavesThePlayerEmptyAndConfigured()
{
    ProbeBench bench;
    bench.settings.NotAllowNetworking = true;
    bench.settings.NotAllowScript = true;
    const QString path = bench.add(QStringLiteral("movie.swf"), MakeTimeline(30));
    ProbeRunner runner(*bench.flash, bench.settings);
    QVERIFY(!bench.flash->Loop()); // otherwise the engine would wrap round instead of holding the end
    QVERIFY(!bench.flash->Menu());
    QCOMPARE(bench.flash->AllowNetworking(), QStringLiteral("none"));
    QCOMPARE(bench.flash->AllowScriptAccess(), QStringLiteral("never"));
    const ProbeResult r = runner.Probe(path, bench.passTime());
    QCOMPARE(r.Reason, ProbeReason::LastFrame);
    QCOMPARE(bench.flash->Movie(), FlashControl::UnloadUrl);
    // The movie was loaded once: ending it did not start it again.
    QCOMPARE(bench.flash->calls.filter(QStringLiteral("LoadMovie 0 /")).size(), 1);
}

void TestProbeRunner::probe_withAnEngineThatAnswersLater_stillSeesAStuckFrame()
{
    ProbeBench bench;
    auto engine = std::make_unique<DeferredSkipEngine>();
    DeferredSkipEngine& deferred = *engine;
    bench.flash = std::move(engine);
    const QString stuck = bench.add(QStringLiteral("stuck.swf"), stopsOn40(false));
    const QString pushed = bench.add(QStringLiteral("pushed.swf"), stopsOn40(true));
    ProbeRunner runner(*bench.flash, bench.settings);
    const auto passTime = [&](int ms) {
        deferred.advance(ms / 2);
        deferred.answerAsSimulated(); // the answer comes back while time passes
        deferred.advance(ms - ms / 2);
        return ms;
    };
    QCOMPARE(runner.Probe(stuck, passTime).Reason, ProbeReason::StuckFrame);
    QCOMPARE(runner.Probe(pushed, passTime).Reason, ProbeReason::LastFrame);
}

void TestProbeRunner::probeAll_judgesEveryMovieOnItsOwn()
{
    ProbeBench bench;
    auto loading = MakeTimeline(300);
    loading.jumps = { { 10, 0 } };
    const QString first = bench.add(QStringLiteral("first.swf"), loading);
    const QString second = bench.add(QStringLiteral("second.swf"), loading);
    const QString third = bench.add(QStringLiteral("third.swf"), MakeTimeline(20));
    ProbeRunner runner(*bench.flash, bench.settings);
    const QList<ProbeResult> results = runner.ProbeAll({ first, second, third }, bench.passTime());
    QCOMPARE(results.size(), 3);
    QCOMPARE(results.at(0).Reason, ProbeReason::LoopTimeOut);
    QCOMPARE(results.at(1).Reason, ProbeReason::LoopTimeOut);
    // No loop count carried over from the first movie shortens the second one's time-out.
    QCOMPARE(results.at(1).Seconds, results.at(0).Seconds);
    QCOMPARE(results.at(2).Path, third);
    QCOMPARE(results.at(2).TotalFrames, 20);
    QVERIFY(ProbeRunner::AllEnded(results));
    QVERIFY(!ProbeRunner::AllEnded({ results.at(0), ProbeResult {} }));
}

void TestProbeRunner::timeLimit_isDurationPlusLoopTimeOutPlusMargin_data()
{
    QTest::addColumn<int>("frames");
    QTest::addColumn<float>("loopTimeOut");
    QTest::addColumn<int>("margin");
    QTest::addColumn<int>("limit");
    QTest::newRow("10 s, 1 s time-out, 10 s margin") << 100 << 1.0f << 10000 << 21000;
    QTest::newRow("no margin") << 100 << 1.0f << 0 << 11000;
    QTest::newRow("a longer time-out") << 50 << 2.5f << 1000 << 8500;
}

void TestProbeRunner::timeLimit_isDurationPlusLoopTimeOutPlusMargin()
{
    QFETCH(int, frames);
    QFETCH(float, loopTimeOut);
    QFETCH(int, margin);
    QFETCH(int, limit);
    ProbeBench bench;
    bench.settings.LoopTimeOut = loopTimeOut;
    const QString path = bench.add(QStringLiteral("m.swf"), MakeTimeline(frames));
    ProbeRunner runner(*bench.flash, bench.settings, ProbeOptions { std::nullopt, margin });
    QCOMPARE(runner.TimeLimitMs(path), limit);
    // A file without a readable header gets the time-out and the margin only.
    const QString junk = bench.dir.filePath(QStringLiteral("junk.swf"));
    QVERIFY(WriteAll(junk, QByteArrayLiteral("not a movie")));
    QCOMPARE(runner.TimeLimitMs(junk), int(loopTimeOut * 1000) + margin);
}

void TestProbeRunner::jsonLine_keepsTheKeyOrderAndEscapesThePath()
{
    ProbeResult r;
    r.Path = QStringLiteral("/movies/\"动画\"\\a.swf");
    r.Loaded = true;
    r.TotalFrames = 100;
    r.MaxFrame = 99;
    r.Ended = true;
    r.Reason = ProbeReason::LastFrame;
    r.Seconds = 10.4;
    QCOMPARE(ProbeRunner::ToJsonLine(r),
        QStringLiteral("{\"Path\":\"/movies/\\\"动画\\\"\\\\a.swf\",\"Loaded\":true,\"TotalFrames\":100,"
                       "\"MaxFrame\":99,\"Ended\":true,\"Reason\":\"last-frame\",\"Seconds\":10.4}"));
}

QTEST_GUILESS_MAIN(TestProbeRunner)
#include "tst_proberunner.moc"
