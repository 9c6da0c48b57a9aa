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
    void run();
    void eventLoopPassTime_deliversEventsWhileTimePasses();
};

void TestProbeCommand::parse_data()
{
    QTest::addColumn<QString>("line"); // split at spaces
    QTest::addColumn<QString>("parsed"); // the limit (0: none), then the paths; empty when refused
    QTest::newRow("paths only") << "a.swf b" << "0 a.swf b";
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

void TestProbeCommand::parse()
{
    QFETCH(QString, line);
    QFETCH(QString, parsed);
    const ProbeArguments a = ParseProbeArguments(line.split(u' ', Qt::SkipEmptyParts));
    const QString got = a.error.isEmpty()
        ? QStringList { QString::number(a.seconds.value_or(0)), a.paths.join(u' ') }.join(u' ') : QString();
    QCOMPARE(got, parsed);
}

void TestProbeCommand::run()
{
    QTemporaryDir dir;
    FakeFlashControl flash;
    Settings settings;
    const QString good = dir.filePath(QStringLiteral("good.swf"));
    QVERIFY(WriteTimelineMovie(flash, good, MakeTimeline(20)));
    int passed = 0;
    const auto passTime = [&](int ms) {
        flash.advance(ms);
        return passed += ms, ms;
    };
    QString output, errors;
    QTextStream out(&output), err(&errors);
    QCOMPARE(RunProbeCommand(ParseProbeArguments({ QStringLiteral("--seconds") }), flash, settings, passTime, out, err),
        ProbeExit::Usage);
    QVERIFY(errors.contains(QStringLiteral("usage: quenbarrowick --probe")));
    QCOMPARE(output + QString::number(passed), QStringLiteral("0"));

    QCOMPARE(RunProbeCommand(ParseProbeArguments({ good }), flash, settings, passTime, out, err), ProbeExit::AllEnded);
    QVERIFY(output.contains(QStringLiteral("\"Reason\":\"last-frame\"")));
    output.clear();
    const QStringList both { good, dir.filePath(QStringLiteral("missing.swf")) };
    QCOMPARE(RunProbeCommand(ParseProbeArguments(both), flash, settings, passTime, out, err), ProbeExit::SomeDidNotEnd);
    const QStringList lines = output.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    QVERIFY(lines.at(1).contains(QStringLiteral("\"Reason\":\"failed-to-load\"")));
}

void TestProbeCommand::eventLoopPassTime_deliversEventsWhileTimePasses()
{
    bool delivered = false;
    QTimer::singleShot(0, this, [&] { delivered = true; });
    const int passed = EventLoopPassTime()(20);
    QVERIFY(delivered);
    QVERIFY(passed >= 19 && passed < 5000);
}

QTEST_GUILESS_MAIN(TestProbeCommand)
#include "tst_probecommand.moc"
