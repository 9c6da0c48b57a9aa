#include "tests/support/playbackrig.h"
#include "tests/support/testdir.h"

#include <QTest>

// The transport's commands with the simulated engine: which row plays, what the player is told and
// what the window shows.
class TestTransport : public QObject {
    Q_OBJECT
private slots:
    void play_startsTheRowTheIndexWrapsTo_data();
    void play_startsTheRowTheIndexWrapsTo();
    void play_onEmptyList_opensTheFileDialogAndKeepsTheState();
    void play_whilePaused_resumesTheSameFrameWithoutReloading();
    void play_fileThatIsNoMovie_isReportedAndStillPlayed();
    void play_whilePlaying_restartsTheRowFromItsFirstFrame();
    void play_removesVanishedFilesWhenTheirTurnComes_data();
    void play_removesVanishedFilesWhenTheirTurnComes();
    void nextAndPrevious_atTheEnds_data();
    void nextAndPrevious_atTheEnds();
    void pause_holdsTheFrameAndStopsTheTimer();
    void stop_unloadsTheMovieAndClearsTheHighWaterFrame();
    void fastForwardAndRewind_atTheirLimits_data();
    void fastForwardAndRewind_atTheirLimits();
    void fastForward_whilePaused_movesTheFrameAndStaysPaused();
    void fastForwardAndRewind_whileStopped_doNothing();
    void rewind_beforeTheFrameCountIsKnown_showsFrameZeroAndAnEmptyStrip();
    void setPlayState_presentsEachState_data();
    void setPlayState_presentsEachState();
    void setPlayState_withAnUnknownState_doesNothing();
    void enteringPlay_turnsNoScaleIntoShowAll_data();
    void enteringPlay_turnsNoScaleIntoShowAll();
    void pictureSizeMenu_setsTheScaleOnly();
    void singleLoop_pressedTwice_leavesFlagAndPicturesAsTheyWere();
    void togglePlaylist_selectsThePlayingRowOnlyWhenShowing();
    void windowCommands_goToTheWindow_data();
    void windowCommands_goToTheWindow();
    void listPlay_restartsAtTheSelectedRow();
    void playNextItem_afterTheListWasEmptied_stopsInsteadOfDividingByZero();
    void keyDown_spaceDependsOnThePlayState_data();
    void keyDown_spaceDependsOnThePlayState();
    void keyDown_dispatchesShortcutsOnce_data();
    void keyDown_dispatchesShortcutsOnce();
};


void TestTransport::play_startsTheRowTheIndexWrapsTo_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("played");
    QTest::newRow("no current row plays the first") << 5 << 0 << 1;
    QTest::newRow("a negative index plays the first") << 5 << -3 << 1;
    QTest::newRow("an index in range plays that row") << 5 << 3 << 3;
    QTest::newRow("the last row") << 5 << 5 << 5;
    QTest::newRow("an index beyond the list wraps into it") << 5 << 7 << 2;
    QTest::newRow("two rounds beyond") << 5 << 11 << 1;
}

void TestTransport::play_startsTheRowTheIndexWrapsTo()
{
    QFETCH(int, rows);
    QFETCH(int, index);
    QFETCH(int, played);
    PlaybackRig rig;
    rig.addRows(rows);
    rig.transport.SetCurrFileIndex(index);
    rig.transport.PlayerBtns_Click(Transport::CmdPlay);

    const QString name = QStringLiteral("m%1.swf").arg(played);
    QCOMPARE(rig.transport.CurrFileIndex(), played);
    QCOMPARE(rig.flash.Movie(), rig.dir.filePath(name));
    QVERIFY(rig.flash.Playing());
    QCOMPARE(rig.transport.PlayState(), int(Transport::Playing));
    QVERIFY(rig.transport.TimerPlay().isActive());
    QCOMPARE(rig.transport.LastFrame(), -1);
    QCOMPARE(rig.host.title, name);
    QCOMPARE(rig.host.stripTwips, 15);
    QCOMPARE(rig.rows.MarkedRow(), played);
    // 100 frames at 10 fps: the header gives 10 s, written into the row and the total time.
    QCOMPARE(rig.rows.At(played).timeShort, QStringLiteral("00:10"));
    QCOMPARE(rig.rows.At(played).timeFull, QStringLiteral("00:00:10"));
    QCOMPARE(rig.transport.TotalTimeText(), QStringLiteral("00:10"));
    QCOMPARE(rig.transport.CurrentSwfInfo().FrameCount, uint16_t(100));
    QCOMPARE(rig.host.presentation, PresentationFor(Transport::Playing));
}

void TestTransport::play_onEmptyList_opensTheFileDialogAndKeepsTheState()
{
    PlaybackRig rig;
    rig.transport.PlayerBtns_Click(Transport::CmdPlay);
    QCOMPARE(rig.transport.CurrFileIndex(), 1);
    QCOMPARE(rig.host.calls, QStringList { QStringLiteral("OpenSwfFiles") });
    QCOMPARE(rig.transport.PlayState(), int(Transport::Stopped));
    QCOMPARE(rig.host.presentations, 0);
    QVERIFY(rig.flash.calls.isEmpty());

    // An index already set is kept.
    rig.transport.SetCurrFileIndex(4);
    rig.transport.PlayerBtns_Click(Transport::CmdPlay);
    QCOMPARE(rig.transport.CurrFileIndex(), 4);
}

void TestTransport::play_fileThatIsNoMovie_isReportedAndStillPlayed()
{
    PlaybackRig rig;
    rig.addMovie(QStringLiteral("good.swf"), 50);
    const QString text = rig.addMissing(QStringLiteral("notes.swf"));
    QVERIFY(WriteAll(text, "just text, no movie"));
    rig.transport.SetCurrFileIndex(1);
    rig.transport.PlayerBtns_Click(Transport::CmdPlay);
    QCOMPARE(rig.host.notFlashMessages, 0);

    rig.transport.PlayerBtns_Click(Transport::CmdNext);
    QCOMPARE(rig.host.notFlashMessages, 1);
    QCOMPARE(rig.flash.Movie(), text);
    QCOMPARE(rig.transport.PlayState(), int(Transport::Playing));

    // Back to the movie: nothing more to report.
    rig.transport.PlayerBtns_Click(Transport::CmdNext);
    QCOMPARE(rig.transport.CurrFileIndex(), 1);
    QCOMPARE(rig.host.notFlashMessages, 1);
}

void TestTransport::play_whilePaused_resumesTheSameFrameWithoutReloading()
{
    PlaybackRig rig;
    rig.addRows(2);
    rig.transport.PlayerBtns_Click(Transport::CmdPlay);
    rig.flash.advance(2000);
    rig.transport.PlayerBtns_Click(Transport::CmdPause);
    const int held = rig.flash.FrameNum();
    QVERIFY(held > 10);
    rig.flash.advance(2000);
    QCOMPARE(rig.flash.FrameNum(), held);

    rig.transport.PlayerBtns_Click(Transport::CmdPlay);
    QCOMPARE(rig.loads(), 1);
    QCOMPARE(rig.flash.FrameNum(), held);
    QVERIFY(rig.flash.Playing());
    QCOMPARE(rig.transport.PlayState(), int(Transport::Playing));
    QVERIFY(rig.transport.TimerPlay().isActive());
    rig.flash.advance(500);
    QVERIFY(rig.flash.FrameNum() > held);
}

void TestTransport::play_whilePlaying_restartsTheRowFromItsFirstFrame()
{
    PlaybackRig rig;
    rig.addRows(3);
    rig.transport.SetCurrFileIndex(2);
    rig.transport.PlayerBtns_Click(Transport::CmdPlay);
    rig.flash.advance(3000);
    QVERIFY(rig.flash.FrameNum() > 20);
    rig.transport.PlayerBtns_Click(Transport::CmdPlay);
    QCOMPARE(rig.loads(), 2);
    QCOMPARE(rig.flash.FrameNum(), 0);
    QCOMPARE(rig.transport.CurrFileIndex(), 2);
    QCOMPARE(rig.transport.PlayState(), int(Transport::Playing));
}

void TestTransport::play_removesVanishedFilesWhenTheirTurnComes_data()
{
    QTest::addColumn<QString>("layout"); // one letter a row: x is a missing file
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("played"); // 0: nothing left to play
    QTest::addColumn<QString>("playedName");
    QTest::addColumn<int>("rowsLeft");
    QTest::newRow("a missing middle row gives way to the next") << "axc" << 2 << 2 << "r3.swf" << 2;
    QTest::newRow("two missing rows in a row") << "axxd" << 2 << 2 << "r4.swf" << 2;
    QTest::newRow("a missing last row gives way to the new last") << "abx" << 3 << 2 << "r2.swf" << 2;
    QTest::newRow("the last rows missing fall back row by row") << "axx" << 3 << 1 << "r1.swf" << 1;
    QTest::newRow("every row missing empties the list") << "xxx" << 2 << 0 << "" << 0;
}

void TestTransport::play_removesVanishedFilesWhenTheirTurnComes()
{
    QFETCH(QString, layout);
    QFETCH(int, index);
    QFETCH(int, played);
    QFETCH(QString, playedName);
    QFETCH(int, rowsLeft);
    PlaybackRig rig;
    for (int i = 0; i < layout.size(); ++i) {
        const QString name = QStringLiteral("r%1.swf").arg(i + 1);
        if (layout.at(i) == u'x')
            rig.addMissing(name);
        else
            rig.addMovie(name, 50);
    }
    rig.transport.SetCurrFileIndex(index);
    rig.transport.PlayerBtns_Click(Transport::CmdPlay);

    QCOMPARE(rig.rows.RowCount(), rowsLeft);
    QCOMPARE(rig.transport.CurrFileIndex(), played);
    if (played == 0) {
        QCOMPARE(rig.transport.PlayState(), int(Transport::Stopped));
        QVERIFY(!rig.transport.TimerPlay().isActive());
        QCOMPARE(rig.loads(), 0);
        QVERIFY(!rig.rows.calls.contains(QStringLiteral("RenumberList")));
        return;
    }
    QCOMPARE(rig.flash.Movie(), rig.dir.filePath(playedName));
    QCOMPARE(rig.transport.PlayState(), int(Transport::Playing));
    QCOMPARE(rig.rows.calls.count(QStringLiteral("RenumberList")), 1);
    // Renumbering comes after the removals and before the row is marked.
    const int renumbered = int(rig.rows.calls.indexOf(QStringLiteral("RenumberList")));
    QVERIFY(renumbered > int(rig.rows.calls.lastIndexOf(QRegularExpression(QStringLiteral("^RemoveRow")))));
    QVERIFY(renumbered < int(rig.rows.calls.indexOf(QStringLiteral("MarkPlayingItem %1").arg(played))));
    for (int row = 1; row <= rig.rows.RowCount(); ++row)
        QCOMPARE(rig.rows.At(row).number, row);
}

void TestTransport::nextAndPrevious_atTheEnds_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("expected"); // the current row afterwards
    QTest::addColumn<bool>("acts");
    QTest::newRow("next from the last row wraps to the first") << 5 << 5 << int(Transport::CmdNext) << 1 << true;
    QTest::newRow("next from the middle") << 5 << 2 << int(Transport::CmdNext) << 3 << true;
    QTest::newRow("next with one row restarts it") << 1 << 1 << int(Transport::CmdNext) << 1 << true;
    QTest::newRow("previous from the first row does nothing") << 5 << 1 << int(Transport::CmdPrevious) << 1 << false;
    QTest::newRow("previous from the third plays the second") << 5 << 3 << int(Transport::CmdPrevious) << 2 << true;
    QTest::newRow("previous from the last") << 5 << 5 << int(Transport::CmdPrevious) << 4 << true;
    QTest::newRow("previous with one row does nothing") << 1 << 1 << int(Transport::CmdPrevious) << 1 << false;
}

void TestTransport::nextAndPrevious_atTheEnds()
{
    QFETCH(int, rows);
    QFETCH(int, index);
    QFETCH(int, command);
    QFETCH(int, expected);
    QFETCH(bool, acts);
    PlaybackRig rig;
    rig.addRows(rows);
    rig.transport.SetCurrFileIndex(index);
    rig.transport.PlayerBtns_Click(Transport::CmdPlay);
    rig.flash.advance(1000);
    const int frameBefore = rig.flash.FrameNum();

    rig.transport.PlayerBtns_Click(command);
    QCOMPARE(rig.transport.CurrFileIndex(), expected);
    QCOMPARE(rig.transport.PlayState(), int(Transport::Playing));
    QCOMPARE(rig.loads(), acts ? 2 : 1);
    QCOMPARE(rig.flash.Movie(), rig.dir.filePath(QStringLiteral("m%1.swf").arg(expected)));
    QCOMPARE(rig.flash.FrameNum(), acts ? 0 : frameBefore);
    if (acts) // the old movie was unloaded before the new one came
        QCOMPARE(rig.flash.calls.filter(QStringLiteral("LoadMovie")).at(1), QStringLiteral("LoadMovie 0 0"));
}

void TestTransport::pause_holdsTheFrameAndStopsTheTimer()
{
    PlaybackRig rig;
    rig.addRows(1);
    rig.transport.PlayerBtns_Click(Transport::CmdPlay);
    rig.flash.advance(1000);
    rig.transport.PlayerBtns_Click(Transport::CmdPause);
    QCOMPARE(rig.transport.PlayState(), int(Transport::Paused));
    QVERIFY(!rig.transport.TimerPlay().isActive());
    QVERIFY(!rig.flash.Playing());
    QCOMPARE(rig.flash.calls.last(), QStringLiteral("StopPlay"));
    QCOMPARE(rig.host.presentation, PresentationFor(Transport::Paused));
}

void TestTransport::stop_unloadsTheMovieAndClearsTheHighWaterFrame()
{
    PlaybackRig rig;
    rig.addRows(1);
    rig.transport.PlayerBtns_Click(Transport::CmdPlay);
    rig.tick();
    rig.tick();
    QVERIFY(rig.transport.LastFrame() > 0);
    rig.transport.PlayerBtns_Click(Transport::CmdStop);
    QCOMPARE(rig.transport.PlayState(), int(Transport::Stopped));
    QCOMPARE(rig.transport.LastFrame(), -1);
    QCOMPARE(rig.flash.Movie(), FlashControl::UnloadUrl);
    QVERIFY(!rig.transport.TimerPlay().isActive());
    QCOMPARE(rig.host.presentation, PresentationFor(Transport::Stopped));
    QCOMPARE(rig.transport.CurrFileIndex(), 1);
}

void TestTransport::fastForwardAndRewind_atTheirLimits_data()
{
    QTest::addColumn<int>("frame");
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("expected"); // -1: the command does nothing
    QTest::newRow("fast forward from 75 reaches 95") << 75 << int(Transport::CmdFastForward) << 95;
    QTest::newRow("fast forward to the second-last frame") << 78 << int(Transport::CmdFastForward) << 98;
    QTest::newRow("fast forward refuses the last frame") << 79 << int(Transport::CmdFastForward) << -1;
    QTest::newRow("fast forward refuses beyond the end") << 90 << int(Transport::CmdFastForward) << -1;
    QTest::newRow("rewind from 19 does nothing") << 19 << int(Transport::CmdRewind) << -1;
    QTest::newRow("rewind from 20 reaches 0") << 20 << int(Transport::CmdRewind) << 0;
    QTest::newRow("rewind from 75 reaches 55") << 75 << int(Transport::CmdRewind) << 55;
}

void TestTransport::fastForwardAndRewind_atTheirLimits()
{
    QFETCH(int, frame);
    QFETCH(int, command);
    QFETCH(int, expected);
    PlaybackRig rig;
    rig.addRows(1);
    rig.transport.PlayerBtns_Click(Transport::CmdPlay);
    rig.flash.advance(0); // ready: 100 frames
    QCOMPARE(rig.transport.TotalFrameCount(), 100);
    rig.flash.SetFrameNum(frame);
    rig.tick(0); // the monitor takes the frame as progress
    QCOMPARE(rig.transport.LastFrame(), frame);
    rig.flash.calls.clear();
    rig.host.calls.clear();

    rig.transport.PlayerBtns_Click(command);
    if (expected < 0) {
        QVERIFY(rig.flash.calls.isEmpty());
        QVERIFY(rig.host.calls.isEmpty());
        QCOMPARE(rig.flash.FrameNum(), frame);
        QCOMPARE(rig.transport.LastFrame(), frame);
        return;
    }
    QCOMPARE(rig.flash.FrameNum(), expected);
    QCOMPARE(rig.flash.calls, (QStringList { QStringLiteral("SetFrameNum %1").arg(expected), QStringLiteral("Play") }));
    QVERIFY(rig.host.frameInfo.startsWith(QStringLiteral("%1/100  ").arg(expected)));
    QCOMPARE(rig.host.stripFraction, expected / 100.0);
    QCOMPARE(rig.host.barValue, float(expected));
    // Seeking writes the frame information before the strip.
    QCOMPARE(rig.host.calls, (QStringList { QStringLiteral("FrameInfo"), QStringLiteral("Strip") }));
    // Rewinding clears the high-water frame so the jump back is not taken for a loop.
    QCOMPARE(rig.transport.LastFrame(), command == Transport::CmdRewind ? -1 : frame);
    QCOMPARE(rig.transport.PlayState(), int(Transport::Playing));
}

void TestTransport::fastForward_whilePaused_movesTheFrameAndStaysPaused()
{
    PlaybackRig rig;
    rig.addRows(1);
    rig.transport.PlayerBtns_Click(Transport::CmdPlay);
    rig.flash.advance(0);
    rig.flash.SetFrameNum(30);
    rig.transport.PlayerBtns_Click(Transport::CmdPause);
    rig.flash.calls.clear();
    rig.transport.PlayerBtns_Click(Transport::CmdFastForward);
    QCOMPARE(rig.flash.FrameNum(), 50);
    QVERIFY(!rig.flash.calls.contains(QStringLiteral("Play")));
    rig.flash.advance(1000);
    QCOMPARE(rig.flash.FrameNum(), 50);
    QCOMPARE(rig.transport.PlayState(), int(Transport::Paused));
    QVERIFY(rig.host.frameInfo.startsWith(QStringLiteral("50/100  ")));
}

void TestTransport::fastForwardAndRewind_whileStopped_doNothing()
{
    PlaybackRig rig;
    rig.addRows(1);
    rig.transport.PlayerBtns_Click(Transport::CmdFastForward);
    rig.transport.PlayerBtns_Click(Transport::CmdRewind);
    QVERIFY(rig.flash.calls.isEmpty());
    QVERIFY(rig.host.calls.isEmpty());
}

void TestTransport::rewind_beforeTheFrameCountIsKnown_showsFrameZeroAndAnEmptyStrip()
{
    PlaybackRig rig;
    auto slow = MakeTimeline(100);
    slow.readyDelayMs = 60000;
    rig.addMovie(QStringLiteral("slow.swf"), slow);
    rig.transport.PlayerBtns_Click(Transport::CmdPlay);
    QCOMPARE(rig.transport.TotalFrameCount(), 0);
    rig.flash.forceFrame(30);
    rig.transport.PlayerBtns_Click(Transport::CmdRewind);
    QCOMPARE(rig.flash.FrameNum(), 10);
    QVERIFY(rig.host.frameInfo.startsWith(QStringLiteral("0/0  ")));
    QCOMPARE(rig.host.stripFraction, 0.0);
    QCOMPARE(rig.host.barValue, 0.0f);
}

void TestTransport::setPlayState_presentsEachState_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("timer");
    QTest::addColumn<PlayStatePresentation>("expected");
    // play, pause, stop enabled, strip, frame info, clock, logo, player info
    QTest::newRow("stopped") << 0 << false << PlayStatePresentation { true, false, false, false, false, false, true, false };
    QTest::newRow("playing") << 1 << true << PlayStatePresentation { false, true, true, true, true, true, false, true };
    QTest::newRow("paused") << 2 << false << PlayStatePresentation { true, false, true, true, true, false, false, true };
}

void TestTransport::setPlayState_presentsEachState()
{
    QFETCH(int, state);
    QFETCH(bool, timer);
    QFETCH(PlayStatePresentation, expected);
    PlaybackRig rig;
    rig.addRows(1);
    rig.transport.PlayerBtns_Click(Transport::CmdPlay);
    rig.flash.calls.clear();
    rig.transport.SetPlayState(state);
    QCOMPARE(rig.transport.PlayState(), state);
    QCOMPARE(rig.transport.TimerPlay().isActive(), timer);
    QCOMPARE(rig.transport.TimerPlay().interval(), 400);
    QVERIFY(rig.host.presentation == expected);
    QCOMPARE(rig.flash.calls.contains(QStringLiteral("LoadMovie 0 0")), state == 0);
    if (state == 0)
        QCOMPARE(rig.transport.LastFrame(), -1);
}

void TestTransport::setPlayState_withAnUnknownState_doesNothing()
{
    PlaybackRig rig;
    rig.addRows(1);
    rig.transport.PlayerBtns_Click(Transport::CmdPlay);
    const int presented = rig.host.presentations;
    for (int state : { -1, 3, 100 }) {
        rig.transport.SetPlayState(state);
        QCOMPARE(rig.transport.PlayState(), int(Transport::Playing));
        QVERIFY(rig.transport.TimerPlay().isActive());
    }
    QCOMPARE(rig.host.presentations, presented);
}

void TestTransport::enteringPlay_turnsNoScaleIntoShowAll_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::newRow("unscaled becomes fitted") << "NoScale" << "ShowAll";
    QTest::newRow("fill stays") << "ExactFit" << "ExactFit";
    QTest::newRow("fit stays") << "ShowAll" << "ShowAll";
}

void TestTransport::enteringPlay_turnsNoScaleIntoShowAll()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    PlaybackRig rig;
    rig.flash.SetScale(before);
    rig.transport.SetPlayState(Transport::Paused);
    QCOMPARE(rig.flash.Scale(), before);
    rig.transport.SetPlayState(Transport::Playing);
    QCOMPARE(rig.flash.Scale(), after);
}

void TestTransport::pictureSizeMenu_setsTheScaleOnly()
{
    PlaybackRig rig;
    rig.addRows(1);
    rig.transport.PlayerBtns_Click(Transport::CmdPlay);
    const int presented = rig.host.presentations;
    rig.transport.mnuPlayerSizeOrigin_Click();
    QCOMPARE(rig.flash.Scale(), QStringLiteral("NoScale"));
    rig.transport.mnuPlayerSizeStrech_Click();
    QCOMPARE(rig.flash.Scale(), QStringLiteral("ExactFit"));
    rig.transport.mnuPlayerSizeAtutoFit_Click();
    QCOMPARE(rig.flash.Scale(), QStringLiteral("ShowAll"));
    QCOMPARE(rig.host.presentations, presented);
    QCOMPARE(rig.transport.PlayState(), int(Transport::Playing));
}

void TestTransport::singleLoop_pressedTwice_leavesFlagAndPicturesAsTheyWere()
{
    PlaybackRig rig;
    rig.transport.PlayerBtns_Click(Transport::CmdSingleLoop);
    QVERIFY(rig.transport.SingleLoop());
    QCOMPARE(rig.host.singleLoopSwaps, 1);
    rig.transport.PlayerBtns_Click(Transport::CmdSingleLoop);
    QVERIFY(!rig.transport.SingleLoop());
    QCOMPARE(rig.host.singleLoopSwaps % 2, 0);
}

void TestTransport::togglePlaylist_selectsThePlayingRowOnlyWhenShowing()
{
    PlaybackRig rig;
    rig.addRows(3);
    rig.transport.SetCurrFileIndex(2);
    rig.transport.PlayerBtns_Click(Transport::CmdTogglePlaylist);
    QVERIFY(!rig.host.playlistVisible);
    QVERIFY(rig.rows.calls.filter(QStringLiteral("SelectPlayingItem")).isEmpty());
    rig.transport.PlayerBtns_Click(Transport::CmdTogglePlaylist);
    QVERIFY(rig.host.playlistVisible);
    QCOMPARE(rig.rows.calls, QStringList { QStringLiteral("SelectPlayingItem 2") });
}

void TestTransport::windowCommands_goToTheWindow_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<QStringList>("calls");
    QTest::newRow("open files") << 3 << QStringList { QStringLiteral("OpenSwfFiles") };
    QTest::newRow("options, owned by the window") << 9 << QStringList { QStringLiteral("ShowOptions owned") };
    QTest::newRow("about") << 10 << QStringList { QStringLiteral("ShowAbout") };
    QTest::newRow("full screen") << 11 << QStringList { QStringLiteral("SetWindowState 3") };
    QTest::newRow("an index past the last command") << 13 << QStringList {};
    QTest::newRow("a negative index") << -1 << QStringList {};
}

void TestTransport::windowCommands_goToTheWindow()
{
    QFETCH(int, command);
    QFETCH(QStringList, calls);
    PlaybackRig rig;
    rig.addRows(2);
    rig.transport.PlayerBtns_Click(command);
    QCOMPARE(rig.host.calls, calls);
    QCOMPARE(rig.transport.PlayState(), int(Transport::Stopped));
    QVERIFY(rig.flash.calls.isEmpty());
}

void TestTransport::listPlay_restartsAtTheSelectedRow()
{
    PlaybackRig rig;
    rig.transport.mnuListPlay_Click(1);
    QCOMPARE(rig.transport.CurrFileIndex(), 0);
    QCOMPARE(rig.host.presentations, 0);

    rig.addRows(3);
    rig.transport.SetCurrFileIndex(3);
    rig.transport.PlayerBtns_Click(Transport::CmdPlay);
    rig.transport.mnuListPlay_Click(3); // the current row restarts too
    QCOMPARE(rig.loads(), 2);
    rig.transport.mnuListPlay_Click(2);
    QCOMPARE(rig.transport.CurrFileIndex(), 2);
    QCOMPARE(rig.flash.Movie(), rig.dir.filePath(QStringLiteral("m2.swf")));
    QCOMPARE(rig.transport.PlayState(), int(Transport::Playing));
}

void TestTransport::playNextItem_afterTheListWasEmptied_stopsInsteadOfDividingByZero()
{
    PlaybackRig rig;
    rig.addRows(2);
    rig.transport.SetCurrFileIndex(2);
    rig.transport.PlayerBtns_Click(Transport::CmdPlay);
    rig.rows.RemoveRow(2);
    rig.rows.RemoveRow(1);
    rig.host.calls.clear();
    rig.transport.PlayNextItem();
    QCOMPARE(rig.transport.PlayState(), int(Transport::Stopped));
    QVERIFY(!rig.transport.TimerPlay().isActive());
    QCOMPARE(rig.flash.Movie(), FlashControl::UnloadUrl);
    QVERIFY(rig.host.calls.isEmpty()); // no file dialog pops up by itself
}

void TestTransport::keyDown_spaceDependsOnThePlayState_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("shift");
    QTest::addColumn<int>("after");
    QTest::newRow("space while stopped does not start") << 0 << 0 << 0;
    QTest::newRow("space while playing pauses") << 1 << 0 << 2;
    QTest::newRow("space while paused resumes") << 2 << 0 << 1;
    QTest::newRow("shift+space pauses like space") << 1 << 1 << 2;
    QTest::newRow("ctrl+space does nothing") << 1 << 2 << 1;
}

void TestTransport::keyDown_spaceDependsOnThePlayState()
{
    QFETCH(int, state);
    QFETCH(int, shift);
    QFETCH(int, after);
    PlaybackRig rig;
    rig.addRows(1);
    if (state != 0)
        rig.transport.PlayerBtns_Click(Transport::CmdPlay);
    if (state == 2)
        rig.transport.PlayerBtns_Click(Transport::CmdPause);
    int key = 32;
    rig.transport.Form_KeyDown(key, shift);
    QCOMPARE(rig.transport.PlayState(), after);
    QCOMPARE(key, shift == 2 ? 32 : 0);
    QCOMPARE(rig.loads(), state == 0 ? 0 : 1);
}

void TestTransport::keyDown_dispatchesShortcutsOnce_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("shift");
    QTest::addColumn<QStringList>("hostCalls");
    QTest::addColumn<int>("currentRow");
    QTest::addColumn<int>("keyAfter");
    QTest::newRow("ctrl+O opens files once, not consumed") << 79 << 2 << QStringList { QStringLiteral("OpenSwfFiles") } << 2 << 79;
    QTest::newRow("ctrl+enter toggles full screen") << 13 << 2 << QStringList { QStringLiteral("SetWindowState 3") } << 2 << 0;
    QTest::newRow("F2 opens the options without an owner") << 113 << 0 << QStringList { QStringLiteral("ShowOptions unowned") } << 2 << 113;
    QTest::newRow("page down plays the next row") << 34 << 0 << QStringList {} << 3 << 0;
    QTest::newRow("page up plays the previous row") << 33 << 0 << QStringList {} << 1 << 0;
    QTest::newRow("ctrl+page down does nothing") << 34 << 2 << QStringList {} << 2 << 34;
    QTest::newRow("escape is no shortcut") << 27 << 0 << QStringList {} << 2 << 27;
}

void TestTransport::keyDown_dispatchesShortcutsOnce()
{
    QFETCH(int, key);
    QFETCH(int, shift);
    QFETCH(QStringList, hostCalls);
    QFETCH(int, currentRow);
    QFETCH(int, keyAfter);
    PlaybackRig rig;
    rig.addRows(3);
    rig.transport.SetCurrFileIndex(2);
    rig.transport.PlayerBtns_Click(Transport::CmdPlay);
    rig.host.calls.clear();
    rig.transport.Form_KeyDown(key, shift);
    // Only the window requests; a new row also resets the strip.
    QCOMPARE(rig.host.calls.filter(QRegularExpression(QStringLiteral("^(Open|Show|SetWindow)"))), hostCalls);
    QCOMPARE(rig.transport.CurrFileIndex(), currentRow);
    QCOMPARE(key, keyAfter);
    QCOMPARE(rig.transport.PlayState(), int(Transport::Playing));
}

QTEST_GUILESS_MAIN(TestTransport)
#include "tst_transport.moc"
