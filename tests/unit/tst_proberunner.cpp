#include "core/settings.h"
#include "playback/probecommand.h"
#include "playback/proberunner.h"
#include "tests/support/deferredskipengine.h"
#include "tests/support/playbackrig.h"
#include "tests/support/testdir.h"

#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

Q_DECLARE_METATYPE(FakeFlashControl::Timeline)

namespace {

FakeFlashControl::Timeline timeline(int frames, int stop = -1, int unreachableFrom = 100, int jumpAt = -1, int readyMs = 0)
{
    auto t = MakeTimeline(frames);
    if (stop >= 0)
        t.stopFrames = { stop };
    for (int f = unreachableFrom; f < frames; ++f)
        t.unreachable.insert(f);
    if (jumpAt >= 0)
        t.jumps = { { jumpAt, 0 } };
    t.readyDelayMs = readyMs;
    return t;
}

} // namespace

// Playing movies through without a window, and the "--probe" command line around it.
class TestProbeRunner : public QObject {
    Q_OBJECT
private slots:
    void init();
    void probe_data();
    void probe();
    void probeAll_judgesEveryMovieOnItsOwn();
    void parse_data();
    void parse();
    void command();

private:
    QString add(const QString& name, const FakeFlashControl::Timeline& t)
    {
        WriteTimelineMovie(*m_flash, m_dir->filePath(name), t);
        return m_dir->filePath(name);
    }
    int pass(int ms) { return m_flash->advance(ms), m_passed += ms, ms; }
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakeFlashControl> m_flash;
    Settings m_settings;
    int m_passed = 0;
};

void TestProbeRunner::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_flash = std::make_unique<FakeFlashControl>();
    m_settings = Settings {};
    m_settings.LoopTimeOut = DefaultLoopTimeOut;
    m_settings.NotAllowScript = true;
    m_passed = 0;
}

void TestProbeRunner::probe_data()
{
    QTest::addColumn<FakeFlashControl::Timeline>("movie");
    QTest::addColumn<double>("limit"); // seconds; 0: from the header
    QTest::addColumn<QString>("expected");
    QTest::newRow("plays to its last frame") << timeline(100) << 0.0 << R"("Loaded":true,"TotalFrames":100,"MaxFrame":99,"Ended":true,"Reason":"last-frame","Seconds":10.0})";
    QTest::newRow("a stop with nothing after it") << timeline(100, 40, 41) << 0.0 << R"("Loaded":true,"TotalFrames":100,"MaxFrame":40,"Ended":true,"Reason":"stuck-frame","Seconds":4.8})";
    QTest::newRow("a loop on its opening frames") << timeline(300, -1, 300, 10) << 0.0 << R"("Loaded":true,"TotalFrames":300,"MaxFrame":9,"Ended":true,"Reason":"loop-timeout","Seconds":2.8})";
    QTest::newRow("a jump back from its last tenth") << timeline(100, -1, 100, 97) << 0.0 << R"("Loaded":true,"TotalFrames":100,"MaxFrame":95,"Ended":true,"Reason":"jumped-back-from-end","Seconds":10.0})";
    QTest::newRow("ready only after the time limit") << timeline(100, -1, 100, -1, 30000) << 0.0 << R"("Loaded":false,"TotalFrames":0,"MaxFrame":0,"Ended":false,"Reason":"failed-to-load","Seconds":21.2})";
    QTest::newRow("a slow start is not an end") << timeline(100, -1, 100, -1, 3000) << 0.0 << R"("Loaded":true,"TotalFrames":100,"MaxFrame":99,"Ended":true,"Reason":"last-frame","Seconds":13.2})";
    QTest::newRow("a given limit stops a movie that plays on") << timeline(1000) << 2.0 << R"("Loaded":true,"TotalFrames":1000,"MaxFrame":19,"Ended":false,"Reason":"time-limit","Seconds":2.0})";
}

void TestProbeRunner::probe()
{
    QFETCH(FakeFlashControl::Timeline, movie);
    QFETCH(double, limit);
    QFETCH(QString, expected);
    const QString path = add(QStringLiteral("m\"动画\".swf"), movie);
    ProbeRunner runner(*m_flash, m_settings, ProbeOptions { limit > 0 ? std::optional(limit) : std::nullopt });
    // The header's duration, the loop time-out and the margin: 10 s + 1 s + 10 s for 100 frames.
    QCOMPARE(runner.TimeLimitMs(path), limit > 0 ? 2000 : movie.frameCount * 100 + 11000);
    const QString line = ProbeRunner::ToJsonLine(runner.Probe(path, [this](int ms) { return pass(ms); }));
    QCOMPARE(line, u"{\"Path\":\""_qs + m_dir->path() + uR"(/m\"动画\".swf",)"_qs + expected);
    // The player is left empty, and configured so that a movie's end holds instead of looping round.
    QCOMPARE(m_flash->Movie(), FlashControl::UnloadUrl);
    QCOMPARE(m_flash->calls.filter(QStringLiteral("LoadMovie 0 /")).size(), 1);
    QVERIFY(!m_flash->Loop() && !m_flash->Menu() && m_flash->AllowScriptAccess() == u"never");
}

void TestProbeRunner::probeAll_judgesEveryMovieOnItsOwn()
{
    // A missing file fails at once; a loop count of the first movie does not shorten the second's time-out.
    const QString loop = add(QStringLiteral("loop.swf"), timeline(300, -1, 300, 10));
    ProbeRunner runner(*m_flash, m_settings);
    QList<ProbeResult> r = runner.ProbeAll({ m_dir->filePath(QStringLiteral("gone.swf")), loop, loop }, [this](int ms) { return pass(ms); });
    QCOMPARE(r.at(0).Reason + QString::number(r.at(0).Seconds), u"failed-to-load0"_qs);
    QCOMPARE(r.at(1).Seconds, r.at(2).Seconds);
    QVERIFY(!ProbeRunner::AllEnded(r) && ProbeRunner::AllEnded(r.mid(1)));
    // With an engine that answers a skip later, a stuck frame is still seen.
    auto deferred = std::make_unique<DeferredSkipEngine>();
    DeferredSkipEngine& engine = *deferred;
    m_flash = std::move(deferred);
    const QString stuck = add(QStringLiteral("stuck.swf"), timeline(100, 40, 41));
    const QString pushed = add(QStringLiteral("pushed.swf"), timeline(100, 40));
    r = ProbeRunner(engine, m_settings).ProbeAll({ stuck, pushed }, [&](int ms) {
        engine.advance(ms / 2);
        engine.answerAsSimulated();
        engine.advance(ms - ms / 2);
        return ms;
    });
    QCOMPARE(r.at(0).Reason + u' ' + r.at(1).Reason, u"stuck-frame last-frame"_qs);
    // A file without a readable header gets the time-out and the margin only.
    QVERIFY(WriteAll(stuck, "not a movie"));
    QCOMPARE(ProbeRunner(engine, m_settings, ProbeOptions { std::nullopt, 500 }).TimeLimitMs(stuck), 1500);
}

void TestProbeRunner::parse_data()
{
    QTest::addColumn<QString>("line"); // split at spaces
    QTest::addColumn<QString>("parsed"); // the limit (0: none), then the paths; empty when refused
    QTest::newRow("a limit between the paths") << "a.swf --seconds 5 b" << "5 a.swf b";
    QTest::newRow("a limit after a path") << "a.swf --seconds=2.5" << "2.5 a.swf";
    QTest::newRow("after --, options are paths") << "-- a --seconds" << "0 a --seconds";
    QTest::newRow("no path") << "--seconds 5" << "";
    QTest::newRow("a limit without a number") << "a.swf --seconds" << "";
    QTest::newRow("a limit that is not a number") << "--seconds abc a.swf" << "";
    QTest::newRow("a zero limit") << "--seconds 0 a.swf" << "";
    QTest::newRow("an infinite limit") << "--seconds inf a.swf" << "";
    QTest::newRow("an unknown option") << "--fast a.swf" << "";
}

void TestProbeRunner::parse()
{
    QFETCH(QString, line);
    QFETCH(QString, parsed);
    const ProbeArguments a = ParseProbeArguments(line.split(u' ', Qt::SkipEmptyParts));
    const QString got = QString::number(a.seconds.value_or(0)) + u' ' + a.paths.join(u' ');
    QCOMPARE(a.error.isEmpty() ? got : QString(), parsed);
}

void TestProbeRunner::command()
{
    const QString good = add(QStringLiteral("good.swf"), timeline(20));
    const auto passTime = [this](int ms) { return pass(ms); };
    QString output, errors;
    QTextStream out(&output), err(&errors);
    const auto run = [&](const QStringList& a) { return RunProbeCommand(ParseProbeArguments(a), *m_flash, m_settings, passTime, out, err); };
    QCOMPARE(run({ QStringLiteral("--seconds") }), ProbeExit::Usage);
    QVERIFY(errors.contains(QStringLiteral("usage: quenbarrowick --probe")));
    QCOMPARE(output + QString::number(m_passed), u"0"_qs);
    QCOMPARE(run({ good }), ProbeExit::AllEnded);
    QCOMPARE(run({ good, m_dir->filePath(QStringLiteral("gone.swf")) }), ProbeExit::SomeDidNotEnd);
    QCOMPARE(output.count(u'\n'), 3);
    // Outside tests, time passes in the event loop.
    bool delivered = false;
    QTimer::singleShot(0, this, [&] { delivered = true; });
    const int passed = EventLoopPassTime()(20);
    QVERIFY(delivered && passed >= 19 && passed < 5000);
}

QTEST_GUILESS_MAIN(TestProbeRunner)
#include "tst_proberunner.moc"
