#include "core/settings.h"
#include "playback/playbackmonitor.h"
#include "playback/transport.h"
#include "tests/support/enginetestmain.h"
#include "tests/support/fakeplaylistrows.h"
#include "tests/support/recordingwindowhost.h"

#include <QTemporaryDir>
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
    QTest::addColumn<QString>("failure"); // "kill", or script run in the page once the bad movie is ready
    QTest::addColumn<QString>("expected"); // each end: reason@title shown while the movie played
    const QString failed = u"engine-failed@bad.swf ended@引擎已重启 · good.swf"_qs;
    QTest::newRow("renderer killed") << u"kill"_qs << failed;
    QTest::newRow("page stops answering") << u"for (;;) {}"_qs << failed;
    // The engine's own answer to a call it cannot take is its error screen.
    QTest::newRow("engine panics") << u"document.querySelector('ruffle-player').ruffle().load(42)"_qs << failed;
    QTest::newRow("script never returns") << QString() << u"ended@bad.swf ended@good.swf"_qs;
    QTest::newRow("killed three times, then passed over")
        << u"kill"_qs << QStringList(3, failed).join(u' ') + u" ended@good.swf";
}

void TestEngineRecovery::failingMovie_listGoesOn()
{
    QFETCH(QString, failure);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    FakePlaylistRows rows;
    swfgen::MovieSpec bad { .frameCount = failure.isEmpty() ? 48 : 2400 }, good { .frameCount = 24 };
    if (failure.isEmpty()) // a DoAction that jumps to itself for ever
        bad.extraTags[10] = { swfgen::Tag(12, QByteArray::fromHex("990200fbff00")) };
    for (const auto& [name, movieSpec] : { std::pair { u"bad.swf"_qs, bad }, std::pair { u"good.swf"_qs, good } }) {
        rows.Append(dir.filePath(name));
        QVERIFY(swfgen::WriteMovieFile(dir.filePath(name), movieSpec));
    }
    Settings settings;
    RuffleFlashControl flash;
    flash.widget()->show();
    RecordingWindowHost host;
    Transport transport(flash, rows, host, settings);
    QStringList ends;
    connect(&transport.Monitor(), &PlaybackMonitor::MovieEnded, this, [&](EndReason reason) {
        ends.append((reason == EndReason::EngineFailed ? u"engine-failed@"_qs : u"ended@"_qs) + host.title);
    });
    connect(&flash, &FlashControl::OnReadyStateChange, this, [&] {
        if (flash.Movie().endsWith(u"bad.swf") && failure != u"kill")
            flash.runInPage(failure);
        else if (flash.Movie().endsWith(u"bad.swf"))
            ::kill(pid_t(flash.engineProcessId()), SIGKILL);
    });
    transport.PlayerBtns_Click(Transport::CmdPlay);
    WaitInEventLoop([&] { return ends.size() >= expected.count(u'@'); }, 200000);
    QCOMPARE(ends.mid(0, expected.count(u'@')).join(u' '), expected);
}

QUEN_ENGINE_TEST_MAIN(TestEngineRecovery)
#include "tst_enginerecovery.moc"
