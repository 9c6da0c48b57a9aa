#include "core/settings.h"
#include "playback/playbackmonitor.h"
#include "playback/playerproperties.h"
#include "playback/proberunner.h"
#include "playback/transport.h"
#include "tests/support/enginetestmain.h"
#include "tests/support/fakeplaylistrows.h"
#include "tests/support/recordingwindowhost.h"
#include "tools/swfgen/corpusscripts.h"

#include <QTemporaryDir>

Q_DECLARE_METATYPE(EndReason)

// A playlist played by the real engine under the monitor's rules: a movie that ends, one that
// halts on a middle frame until it is pushed on, one that loops its opening frames. In both
// ActionScript generations.
class TestPlaythrough : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_settings.FastFrames = DefaultFastFrames;
        m_settings.LoopTimeOut = DefaultLoopTimeOut;
        m_flash = ShownEngine(this, QSize(400, 300));
        ApplyPlayerProperties(*m_flash, m_settings);
    }
    void probeAndPlaylist_seeWhyEachMovieEnded_data()
    {
        QTest::addColumn<bool>("as3");
        QTest::newRow("ActionScript 1/2") << false;
        QTest::newRow("ActionScript 3") << true;
    }
    // The same three movies probed one by one, then played as a list by the transport.
    void probeAndPlaylist_seeWhyEachMovieEnded()
    {
        QFETCH(bool, as3);
        const QStringList movies = writeMovies(as3);
        QCOMPARE(movies.size(), 3);
        ProbeRunner runner(*m_flash, m_settings);
        const QList<ProbeResult> results = runner.ProbeAll(movies, [](int ms) {
            QElapsedTimer clock;
            clock.start();
            WaitInEventLoop([] { return false; }, ms);
            return int(clock.elapsed());
        });
        QCOMPARE(results.size(), 3);
        QStringList probed;
        for (const ProbeResult& r : results) {
            probed.append(r.Reason);
            QVERIFY2(r.Loaded && r.Ended, qPrintable(r.Path));
        }
        QCOMPARE(probed.join(u' '), QStringLiteral("last-frame last-frame loop-timeout"));
        QCOMPARE(results[0].TotalFrames, 24);
        QCOMPARE(results[1].MaxFrame, 29);
        QVERIFY(results[2].MaxFrame < 10);

        FakePlaylistRows rows(movies);
        RecordingWindowHost host;
        Transport transport(*m_flash, rows, host, m_settings);
        QSignalSpy ended(&transport.Monitor(), &PlaybackMonitor::MovieEnded);
        QSignalSpy skipped(m_flash, &FlashControl::StuckFrameSkipped);
        transport.SetCurrFileIndex(1);
        transport.PlayerBtns_Click(Transport::CmdPlay);
        QVERIFY(WaitInEventLoop([&] { return ended.count() >= 3; }, 40000));
        QList<EndReason> reasons;
        for (const QList<QVariant>& args : ended)
            reasons.append(args.at(0).value<EndReason>());
        QCOMPARE(reasons.mid(0, 3), (QList { EndReason::LastFrame, EndReason::LastFrame, EndReason::LoopTimeOut }));
        // The second movie reached its end only because the monitor moved it off its halting frame.
        bool pushed = false;
        for (const QList<QVariant>& args : skipped)
            pushed = pushed || (args.at(0).toInt() == 11 && args.at(1).toInt() > 11);
        QVERIFY(pushed);
        // The list starts again at row 1 and keeps playing.
        QVERIFY(WaitInEventLoop([&] { return transport.CurrFileIndex() == 1; }, 2000));
        QCOMPARE(transport.PlayState(), int(Transport::Playing));
        transport.PlayerBtns_Click(Transport::CmdStop);
    }

private:
    // The first plays to its last frame, the second waits on frame 12 for a click that never comes, the third
    // loops frames 1-5 like a loading bar.
    QStringList writeMovies(bool as3)
    {
        const int frames[3] = { 24, 30, 60 }, scriptFrames[3] = { 0, 12, 5 };
        QStringList paths;
        for (int i = 0; i < 3; ++i) {
            swfgen::MovieSpec s { .version = uint8_t(as3 ? 10 : 8), .frameCount = frames[i], .actionScript3 = as3 };
            const bool stop = i == 1;
            if (as3 && i > 0)
                s.extraTags[1] = corpus::As3FrameOneTags(
                    { { { scriptFrames[i], { { stop ? corpus::As3Op::Stop : corpus::As3Op::GotoAndPlay, 1 } } } } });
            else if (i > 0)
                s.actions[scriptFrames[i]]
                    = { { stop ? swfgen::Action::Kind::Stop : swfgen::Action::Kind::GotoAndPlay, 1 } };
            paths.append(WrittenMovie(m_dir.filePath(QStringLiteral("row%1.swf").arg(++m_written)), s));
        }
        return paths.contains(QString()) ? QStringList() : paths;
    }

    QTemporaryDir m_dir;
    RuffleFlashControl* m_flash = nullptr;
    Settings m_settings;
    int m_written = 0;
};

QUEN_ENGINE_TEST_MAIN(TestPlaythrough)
#include "tst_playthrough.moc"
