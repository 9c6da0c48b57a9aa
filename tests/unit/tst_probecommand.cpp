#include "core/settings.h"
#include "playback/probecommand.h"
#include "tests/support/playbackrig.h"

#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

// The "--probe" command line: its arguments, its output lines and its exit status.
class TestProbeCommand : public QObject {
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
    void run_printsOneLinePerMovieAndSaysWhetherAllEnded();
    void run_withBadArguments_printsUsageAndPlaysNothing();
    void eventLoopPassTime_deliversEventsWhileTimePasses();
};

namespace {
// Arguments written as one line, split at spaces.
QStringList words(const char* line) { return QString::fromUtf8(line).split(u' ', Qt::SkipEmptyParts); }
} // namespace

void TestProbeCommand::parse_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<double>("seconds"); // 0: none given
    QTest::addColumn<QStringList>("paths");
    QTest::addColumn<bool>("usable");
    QTest::newRow("paths only") << words("a.swf b") << 0.0 << words("a.swf b") << true;
    QTest::newRow("a limit before the paths") << words("--seconds 5 a.swf") << 5.0 << words("a.swf") << true;
    QTest::newRow("a limit after a path") << words("a.swf --seconds=2.5") << 2.5 << words("a.swf") << true;
    QTest::newRow("a path that looks like an option after --") << words("-- --seconds") << 0.0 << words("--seconds") << true;
    QTest::newRow("no path") << words("--seconds 5") << 5.0 << QStringList {} << false;
    QTest::newRow("nothing at all") << QStringList {} << 0.0 << QStringList {} << false;
    QTest::newRow("a limit without a number") << words("a.swf --seconds") << 0.0 << words("a.swf") << false;
    QTest::newRow("a limit that is not a number") << words("--seconds abc a.swf") << 0.0 << QStringList {} << false;
    QTest::newRow("a zero limit") << words("--seconds 0 a.swf") << 0.0 << QStringList {} << false;
    QTest::newRow("a negative limit") << words("--seconds=-3 a.swf") << 0.0 << QStringList {} << false;
    QTest::newRow("an infinite limit") << words("--seconds inf a.swf") << 0.0 << QStringList {} << false;
    QTest::newRow("an unknown option") << words("--fast a.swf") << 0.0 << QStringList {} << false;
}

void TestProbeCommand::parse()
{
    QFETCH(QStringList, arguments);
    QFETCH(double, seconds);
    QFETCH(QStringList, paths);
    QFETCH(bool, usable);
    const ProbeArguments parsed = ParseProbeArguments(arguments);
    QCOMPARE(parsed.error.isEmpty(), usable);
    if (!usable)
        return;
    QCOMPARE(parsed.paths, paths);
    QCOMPARE(parsed.seconds.value_or(0.0), seconds);
}

void TestProbeCommand::run_printsOneLinePerMovieAndSaysWhetherAllEnded()
{
    QTemporaryDir dir;
    FakeFlashControl flash;
    Settings settings;
    settings.LoopTimeOut = DefaultLoopTimeOut;
    const QString good = dir.filePath(QStringLiteral("good.swf"));
    QVERIFY(WriteTimelineMovie(flash, good, MakeTimeline(20)));
    const auto passTime = [&](int ms) {
        flash.advance(ms);
        return ms;
    };

    QString output, errors;
    QTextStream out(&output), err(&errors);
    ProbeArguments arguments = ParseProbeArguments({ good });
    QCOMPARE(RunProbeCommand(arguments, flash, settings, passTime, out, err), ProbeExit::AllEnded);
    QCOMPARE(output.count(u'\n'), 1);
    QVERIFY(output.contains(QStringLiteral("\"Reason\":\"last-frame\"")));
    QVERIFY(errors.isEmpty());

    output.clear();
    arguments = ParseProbeArguments({ good, dir.filePath(QStringLiteral("missing.swf")) });
    QCOMPARE(RunProbeCommand(arguments, flash, settings, passTime, out, err), ProbeExit::SomeDidNotEnd);
    const QStringList lines = output.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    QVERIFY(lines.at(0).contains(QStringLiteral("\"Ended\":true")));
    QVERIFY(lines.at(1).contains(QStringLiteral("\"Reason\":\"failed-to-load\"")));
}

void TestProbeCommand::run_withBadArguments_printsUsageAndPlaysNothing()
{
    FakeFlashControl flash;
    Settings settings;
    QString output, errors;
    QTextStream out(&output), err(&errors);
    int passed = 0;
    const int status = RunProbeCommand(ParseProbeArguments({ QStringLiteral("--seconds") }), flash, settings,
        [&](int ms) {
            passed += ms;
            return ms;
        },
        out, err);
    QCOMPARE(status, ProbeExit::Usage);
    QVERIFY(output.isEmpty());
    QVERIFY(errors.contains(QStringLiteral("usage: quenbarrowick --probe")));
    QCOMPARE(passed, 0);
    QVERIFY(flash.calls.isEmpty());
}

void TestProbeCommand::eventLoopPassTime_deliversEventsWhileTimePasses()
{
    bool delivered = false;
    QTimer::singleShot(0, this, [&] { delivered = true; });
    const int passed = EventLoopPassTime()(20);
    QVERIFY(delivered);
    QVERIFY(passed >= 19);
    QVERIFY(passed < 5000);
}

QTEST_GUILESS_MAIN(TestProbeCommand)
#include "tst_probecommand.moc"
