#include "core/jsontext.h"
#include "core/settings.h"
#include "playback/probecommand.h"
#include "playback/proberunner.h"
#include "tests/support/playbackrig.h"
#include "tests/support/testdir.h"
#include "tests/support/texttablerow.h"

#include <QTemporaryDir>
#include <QTest>

// Playing movies through without a window, and the "--probe" command line around it.
class TestProbeRunner : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_flash = std::make_unique<FakeFlashControl>();
        m_settings.LoopTimeOut = DefaultLoopTimeOut;
        m_settings.NotAllowScript = true;
        m_passed = 0;
    }
    void probe_data()
    {
        // The movie as MakeTimeline reads it, "l2" a limit of 2 s => loaded, total frames, max frame, ended, reason,
        // seconds.
        TextTable(uR"(
plays to its last frame: 100 => true 100 99 true last-frame 10.0
a stop with nothing after it: 100 s40 x41-99 => true 100 40 true stuck-frame 4.8
a loop on its opening frames: 300 j10 => true 300 9 true loop-timeout 2.8
ready only after the time limit: 100 r30000 => false 0 0 false failed-to-load 21.2
a slow start is not an end: 100 r3000 => true 100 99 true last-frame 13.2
a given limit stops a movie that plays on: 1000 l2 => true 1000 19 false time-limit 2.0
)"_qs);
    }
    void probe()
    {
        const auto [movie, expected] = TextRow();
        const double limit = movie.section(u" l"_qs, 1).toDouble();
        const QString path = add(QStringLiteral("m\"动画\".swf"), MakeTimeline(movie));
        ProbeRunner runner(*m_flash, m_settings, ProbeOptions { limit > 0 ? std::optional(limit) : std::nullopt });
        // The header's duration, the loop time-out and the margin: 10 s + 1 s + 10 s for 100 frames.
        QCOMPARE(runner.TimeLimitMs(path), limit > 0 ? 2000 : movie.section(u' ', 0, 0).toInt() * 100 + 11000);
        // A file without a readable header gets the time-out and the margin only.
        QCOMPARE(
            ProbeRunner(*m_flash, m_settings, { std::nullopt, 500 }).TimeLimitMs(m_dir->filePath(u"no.swf"_qs)), 1500);
        QString json = u"{\"Path\":\""_qs + m_dir->path() + u"/m\\\"动画\\\".swf\""_qs;
        const QStringList values = expected.split(u' ');
        for (const QString key :
            { u"Loaded"_qs, u"TotalFrames"_qs, u"MaxFrame"_qs, u"Ended"_qs, u"Reason"_qs, u"Seconds"_qs })
            json += u",\"" + key + u"\":"
                + (key == u"Reason" ? u'"' + values.at(4) + u'"' : values.at(json.count(u':') - 1));
        // Played twice, the second run is judged on its own: the first one's loop count does not shorten its time-out.
        for (const ProbeResult& result : runner.ProbeAll({ path, path }, [this](int ms) { return pass(ms); }))
            QCOMPARE(ProbeRunner::ToJsonLine(result), json + u'}');
        // The player is left empty, and configured so that a movie's end holds instead of looping round.
        QCOMPARE(m_flash->Movie(), FlashControl::UnloadUrl);
        QCOMPARE(m_flash->calls.filter(u"LoadMovie 0 /"_qs).size(), 2);
        QVERIFY(!m_flash->Loop() && !m_flash->Menu() && m_flash->AllowScriptAccess() == u"never");
    }
    void parse_data()
    {
        // "arguments => the limit (0: none), jobs, summary, then the paths", empty when refused.
        TextTable(uR"(
a limit between the paths: a.swf --seconds 5 b => 5 a.swf b
a limit after a path: a.swf --seconds=2.5 => 2.5 a.swf
after --, options are paths: -- a --seconds => 0 a --seconds
no path: --seconds 5 => 
a limit without a number: a.swf --seconds => 
a zero limit: --seconds 0 a.swf => 
an unknown option: --fast a.swf => 
jobs and totals: --jobs 2 a.swf --summary => 0 jobs2 summary a.swf
no jobs: --jobs 0 a => 
)"_qs);
    }
    void parse()
    {
        const auto [line, parsed] = TextRow();
        const ProbeArguments a = ParseProbeArguments(line.split(u' ', Qt::SkipEmptyParts));
        QString got = QString::number(a.seconds.value_or(0))
            + (a.jobs != 1 ? u" jobs"_qs + QString::number(a.jobs) : QString());
        got += (a.summary ? u" summary "_qs : u" "_qs) + a.paths.join(u' ');
        QCOMPARE(a.error.isEmpty() ? got : QString(), parsed);
    }
    void command()
    {
        const QString good = add(QStringLiteral("good.swf"), MakeTimeline(u"20"_qs));
        QString output, errors;
        QTextStream out(&output), err(&errors);
        const auto run = [&](const QStringList& a) {
            return RunProbeCommand(
                ParseProbeArguments(a), *m_flash, m_settings, [this](int ms) { return pass(ms); }, out, err);
        };
        QCOMPARE(run({ QStringLiteral("--seconds") }), ProbeExit::Usage);
        QCOMPARE(output + QString::number(m_passed), u"0"_qs);
        QCOMPARE(run({ good }), ProbeExit::AllEnded);
        // On two engines the longest movie starts first, the engine not ready yet takes none, and
        // the lines keep the order of the paths.
        FakeFlashControl second;
        const QString slow = add(QStringLiteral("slow.swf"), MakeTimeline(u"200"_qs));
        output.clear();
        m_flash->calls.clear();
        const QStringList paths { good, slow, m_dir->filePath(QStringLiteral("gone.swf")) };
        QCOMPARE(RunProbeCommand(
                     ParseProbeArguments(QStringList { u"--jobs"_qs, u"2"_qs, u"--summary"_qs } + paths),
                     { m_flash.get(), &second }, m_settings, [&](int ms) { return second.advance(ms), pass(ms); }, out,
                     err, {}, [](qsizetype engine) { return engine == 0; }),
            ProbeExit::SomeDidNotEnd);
        QCOMPARE(m_flash->calls.filter(u"LoadMovie 0 /"_qs),
            QStringList({ u"LoadMovie 0 "_qs + slow, u"LoadMovie 0 "_qs + good }));
        QVERIFY(second.calls.filter(u"LoadMovie"_qs).isEmpty());
        const QStringList lines = output.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 4);
        for (int i = 0; i < 3; ++i)
            QVERIFY2(lines.at(i).startsWith(u"{\"Path\":" + JsonString(paths.at(i))), qPrintable(lines.at(i)));
        QVERIFY2(lines.at(3).startsWith(u"{\"Summary\":{\"Movies\":3,\"FramesRead\":2,\"last-frame\":2,"_qs)
                && lines.at(3).endsWith(u"\"failed-to-load\":1}}"_qs),
            qPrintable(lines.at(3)));
    }

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

QTEST_GUILESS_MAIN(TestProbeRunner)
#include "tst_proberunner.moc"
