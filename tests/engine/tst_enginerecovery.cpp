#include "core/settings.h"
#include "playback/playbackmonitor.h"
#include "playback/playerproperties.h"
#include "playback/proberunner.h"
#include "playback/rufflecontrol.h"
#include "playback/transport.h"
#include "tests/support/enginetestmain.h"
#include "tests/support/eventwait.h"
#include "tests/support/fakeplaylistrows.h"
#include "tests/support/recordingwindowhost.h"
#include "tools/swfgen/swfwriter.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <csignal>

// The real engine brought down under a movie: its process killed, its page frozen, a movie script
// that never returns. The playlist goes on each time, and a movie that keeps killing the engine is
// passed over.
class TestEngineRecovery : public QObject {
    Q_OBJECT
private slots:
    void failingMovie_listGoesOn_data();
    void failingMovie_listGoesOn();
};

void TestEngineRecovery::failingMovie_listGoesOn_data()
{
    QTest::addColumn<QString>("failure");
    QTest::addColumn<QString>("expected"); // each end: reason@title shown while the movie played
    const QString failed = u"engine-failed@bad.swf played@引擎已重启 · good.swf"_qs;
    QTest::newRow("renderer killed") << u"kill"_qs << failed;
    QTest::newRow("page stops answering") << u"hang"_qs << failed;
    QTest::newRow("engine panics") << u"panic"_qs << failed;
    QTest::newRow("script never returns") << u"loop"_qs << u"ended@bad.swf played@good.swf"_qs;
    QTest::newRow("killed three times, then passed over")
        << u"kill"_qs << QStringList(3, failed).join(u' ') + u" played@good.swf";
}

void TestEngineRecovery::failingMovie_listGoesOn()
{
    QFETCH(QString, failure);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    swfgen::MovieSpec bad, good;
    bad.frameCount = 2400;
    if (failure == u"loop") {
        // A DoAction that jumps to itself for ever.
        bad.frameCount = 48;
        bad.extraTags[10] = { swfgen::Tag(12, QByteArray::fromHex("990200fbff00")) };
    }
    good.frameCount = 24;
    FakePlaylistRows rows;
    for (const auto& [name, movieSpec] : { std::pair { u"bad.swf"_qs, bad }, std::pair { u"good.swf"_qs, good } }) {
        QVERIFY(swfgen::WriteMovieFile(dir.filePath(name), movieSpec));
        rows.Append(dir.filePath(name));
    }
    Settings settings;
    settings.LoopTimeOut = DefaultLoopTimeOut;
    RuffleFlashControl flash;
    flash.widget()->resize(400, 300);
    flash.widget()->show();
    ApplyPlayerProperties(flash, settings);
    // A cold engine on a busy machine can take longer than the monitor waits for a first movie.
    flash.LoadMovie(0, rows.FilePath(2));
    QVERIFY(WaitInEventLoop([&] { return flash.ReadyState() == FlashControl::ReadyComplete; }, 60000));
    RecordingWindowHost host;
    Transport transport(flash, rows, host, settings);

    QStringList ends;
    // Its last frame seen or its wrap from the end: either way the movie played through.
    const QStringList reasons { u"played"_qs, ProbeReason::StuckFrame, ProbeReason::LoopTimeOut, u"played"_qs,
        ProbeReason::EngineFailed };
    QElapsedTimer badClock;
    qint64 badMs = -1;
    connect(&transport.Monitor(), &PlaybackMonitor::MovieEnded, this, [&](EndReason reason) {
        if (flash.Movie().endsWith(u"bad.swf"))
            badMs = badClock.elapsed();
        ends.append(reasons.at(int(reason)) + u'@' + host.title);
    });
    connect(&flash, &FlashControl::OnReadyStateChange, this, [&] {
        if (!flash.Movie().endsWith(u"bad.swf"))
            return;
        badClock.start();
        if (failure == u"kill")
            ::kill(pid_t(flash.engineProcessId()), SIGKILL);
        else if (failure == u"hang")
            flash.runInPage(QStringLiteral("for (;;) {}"));
        else if (failure == u"panic") // the engine's own answer to a call it cannot take
            flash.runInPage(QStringLiteral("document.querySelector('ruffle-player').ruffle().load(42)"));
    });
    transport.SetCurrFileIndex(1);
    transport.PlayerBtns_Click(Transport::CmdPlay);
    const qsizetype count = expected.count(u'@');
    WaitInEventLoop([&] { return ends.size() >= count; }, 40000 * int(count));
    QString got = ends.mid(0, count).join(u' ');
    // Cut, the script leaves the movie without its actions: how it then ends does not matter here.
    if (failure == u"loop")
        got.replace(QRegularExpression(u"^(played|stuck-frame|loop-timeout)@"_qs), u"ended@"_qs);
    QCOMPARE(got, expected);
    transport.PlayerBtns_Click(Transport::CmdStop);
    // The engine cuts a runaway script after a few seconds, where Flash waited 15 s on every frame.
    QVERIFY2(failure != u"loop" || badMs < 12000, qPrintable(QString::number(badMs)));
}

QUEN_ENGINE_TEST_MAIN(TestEngineRecovery)
#include "tst_enginerecovery.moc"
