#include "tests/support/playbackrig.h"

#include <QFileInfo>
#include <QTest>

namespace {

// Runs space-separated steps on the rig: a command name clicks that button; "rows N" adds N movies of 10 s,
// "layout axc" adds 5 s movies r1.swf, r2.swf ... where x is a missing file; "at N" sets the current row;
// "run MS" runs the engine; "frame F" is a tick that samples F; "clear" forgets the calls so far.
void run(PlaybackRig& rig, const QString& script)
{
    Transport& t = rig.transport;
    const QStringList w = script.split(u' ', Qt::SkipEmptyParts);
    // In the order of the transport's command numbers.
    const QStringList names = QStringLiteral("play pause stop open next prev ff rew list options about full").split(u' ');
    const QHash<QString, std::function<void(int)>> steps { { u"rows"_qs, [&](int n) { rig.addRows(n); } }, { u"at"_qs, [&](int n) { t.SetCurrFileIndex(n); } },
        { u"run"_qs, [&](int n) { rig.flash.advance(n); } }, { u"frame"_qs, [&](int n) { rig.sample(n); } },
        { u"state"_qs, [&](int n) { t.SetPlayState(n); } }, { u"select"_qs, [&](int n) { t.mnuListPlay_Click(n); } },
        { u"remove"_qs, [&](int n) { rig.rows.RemoveRow(n); } }, { u"ended"_qs, [&](int) { t.PlayNextItem(); } },
        { u"clear"_qs, [&](int) { rig.host.calls.clear(), rig.rows.calls.clear(); } } };
    for (int i = 0; i < w.size(); ++i) {
        if (names.contains(w[i])) {
            t.PlayerBtns_Click(int(names.indexOf(w[i])));
        } else if (w[i] == u"layout") {
            const QString layout = w.at(++i);
            for (int r = 1; r <= layout.size(); ++r)
                layout[r - 1] == u'x' ? rig.addMissing(QStringLiteral("r%1.swf").arg(r)) : rig.addMovie(QStringLiteral("r%1.swf").arg(r), 50);
        } else if (w[i] == u"key") {
            int key = w.at(++i).toInt();
            t.Form_KeyDown(key, w.at(++i).toInt());
            rig.host.calls.append(QStringLiteral("key %1").arg(key));
        } else {
            QVERIFY2(steps.contains(w[i]), qPrintable(w[i]));
            steps[w[i]](w[i] == u"ended" || w[i] == u"clear" ? 0 : w.at(++i).toInt());
        }
    }
}

// What the playlist is told when row starts playing a movie of that many seconds.
QString played(int row, int seconds = 10)
{
    return QStringLiteral("SetDurations %1 00:%2 00:00:%2,MarkPlayingItem %1,SelectPlayingItem %1")
        .arg(row)
        .arg(seconds, 2, 10, QLatin1Char('0'));
}

// "playing* 2 of 123 m2.swf@0 hw-1 loads 1 | window calls | playlist calls": the state (* while the timer
// runs), the current row and the rows' numbers, the player's movie and frame, the high-water frame.
QString outcome(PlaybackRig& rig)
{
    Transport& t = rig.transport;
    QString numbers;
    for (int row = 1; row <= rig.rows.RowCount(); ++row)
        numbers += QString::number(rig.rows.At(row).number);
    const QString movie = rig.flash.Movie().isEmpty() ? QStringLiteral("-") : QFileInfo(rig.flash.Movie()).fileName();
    const QStringList states { u"stopped"_qs, u"playing"_qs, u"paused"_qs };
    return QStringLiteral("%1%2 %3 of %4 %5@%6 hw%7 loads %8 | %9 | %10")
        .arg(states.at(t.PlayState()), t.TimerPlay().isActive() ? u"*"_qs : QString())
        .arg(t.CurrFileIndex())
        .arg(numbers, movie)
        .arg(rig.flash.FrameNum())
        .arg(t.LastFrame())
        .arg(rig.loads())
        .arg(rig.host.calls.join(u','), rig.rows.calls.join(u','));
}

} // namespace

// The transport's commands with the simulated engine: which row plays, what the player is told and
// what the window and the playlist are asked to show.
class TestTransport : public QObject {
    Q_OBJECT
private slots:
    void commands_data();
    void commands();
    void presentationAndScale();
};

void TestTransport::commands_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("expected");
    QTest::newRow("play without a current row plays the first") << "rows 2 play" << QStringLiteral("playing* 1 of 12 m1.swf@0 hw-1 loads 1 | StripTwips 15 | ") + played(1);
    QTest::newRow("play beyond the list wraps into it") << "rows 5 at 7 clear play" << QStringLiteral("playing* 2 of 12345 m2.swf@0 hw-1 loads 1 | StripTwips 15 | ") + played(2);
    QTest::newRow("play on an empty list asks for files") << "play" << "stopped 1 of  -@0 hw-1 loads 0 | OpenSwfFiles | ";
    QTest::newRow("play while paused resumes the held frame") << "rows 1 play run 2000 pause run 2000 clear play" << "playing* 1 of 1 m1.swf@19 hw-1 loads 1 |  | ";
    QTest::newRow("play while playing restarts the row") << "rows 3 at 3 play run 2000 clear play" << QStringLiteral("playing* 3 of 123 m3.swf@0 hw-1 loads 2 | StripTwips 15 | ") + played(3);
    QTest::newRow("a vanished row gives way to the next") << "layout axxd at 2 play" << QStringLiteral("playing* 2 of 12 r4.swf@0 hw-1 loads 1 | StripTwips 15 | RemoveRow 2,RemoveRow 2,RenumberList,") + played(2, 5);
    QTest::newRow("vanished last rows fall back row by row") << "layout axx at 3 play" << QStringLiteral("playing* 1 of 1 r1.swf@0 hw-1 loads 1 | StripTwips 15 | RemoveRow 3,RemoveRow 2,RenumberList,") + played(1, 5);
    QTest::newRow("every row vanished: stopped") << "layout xxx at 2 play" << "stopped 0 of  0@0 hw-1 loads 0 |  | RemoveRow 2,RemoveRow 2,RemoveRow 1";
    QTest::newRow("next from the last row wraps") << "rows 3 at 3 play clear next" << QStringLiteral("playing* 1 of 123 m1.swf@0 hw-1 loads 2 | StripTwips 15 | ") + played(1);
    QTest::newRow("next with one row restarts it") << "rows 1 play run 500 next" << QStringLiteral("playing* 1 of 1 m1.swf@0 hw-1 loads 2 | StripTwips 15,StripTwips 15 | ") + played(1) + u',' + played(1);
    QTest::newRow("previous from the second row") << "rows 3 at 2 play clear prev" << QStringLiteral("playing* 1 of 123 m1.swf@0 hw-1 loads 2 | StripTwips 15 | ") + played(1);
    QTest::newRow("no previous from the first row") << "rows 3 play run 500 clear prev" << "playing* 1 of 123 m1.swf@4 hw-1 loads 1 |  | ";
    QTest::newRow("no previous with one row") << "rows 1 at 2 prev" << "stopped 2 of 1 -@0 hw-1 loads 0 |  | ";
    QTest::newRow("pause holds the frame") << "rows 1 play run 1000 pause run 1000" << QStringLiteral("paused 1 of 1 m1.swf@9 hw-1 loads 1 | StripTwips 15 | ") + played(1);
    QTest::newRow("stop unloads and forgets the high-water frame") << "rows 1 play run 0 frame 5 clear stop" << "stopped 1 of 1 0@0 hw-1 loads 1 |  | ";
    QTest::newRow("fast forward plays on from 20 frames later") << "rows 1 play run 0 frame 40 clear ff run 500" << "playing* 1 of 1 m1.swf@64 hw40 loads 1 | FrameInfo,Strip | ";
    QTest::newRow("fast forward onto the second-last frame") << "rows 1 play run 0 frame 78 clear ff" << "playing* 1 of 1 m1.swf@98 hw78 loads 1 | FrameInfo,Strip | ";
    QTest::newRow("no fast forward onto the last frame") << "rows 1 play run 0 frame 79 clear ff" << "playing* 1 of 1 m1.swf@79 hw79 loads 1 |  | ";
    QTest::newRow("no fast forward before the frame count is known") << "rows 1 play frame 3 clear ff" << "playing* 1 of 1 m1.swf@3 hw-1 loads 1 |  | ";
    QTest::newRow("fast forward while paused stays paused") << "rows 1 play run 0 frame 30 pause clear ff run 500" << "paused 1 of 1 m1.swf@50 hw30 loads 1 | FrameInfo,Strip | ";
    QTest::newRow("no rewind from frame 19") << "rows 1 play run 0 frame 19 clear rew" << "playing* 1 of 1 m1.swf@19 hw19 loads 1 |  | ";
    QTest::newRow("rewind from 20 to 0 forgets the high-water frame") << "rows 1 play run 0 frame 20 clear rew" << "playing* 1 of 1 m1.swf@0 hw-1 loads 1 | FrameInfo,Strip | ";
    QTest::newRow("no seeking while stopped") << "rows 1 ff rew" << "stopped 0 of 1 -@0 hw-1 loads 0 |  | ";
    QTest::newRow("unknown states are ignored") << "rows 1 play clear state 3 state -1" << "playing* 1 of 1 m1.swf@0 hw-1 loads 1 |  | ";
    QTest::newRow("the playlist selects the playing row only when shown") << "rows 3 at 2 list list" << "stopped 2 of 123 -@0 hw-1 loads 0 | HidePlaylist,ShowPlaylist | SelectPlayingItem 2";
    QTest::newRow("window commands") << "rows 1 open options about full" << "stopped 0 of 1 -@0 hw-1 loads 0 | OpenSwfFiles,ShowOptions owned,ShowAbout,SetWindowState 3 | ";
    QTest::newRow("the list's play item on an empty list") << "select 2" << "stopped 0 of  -@0 hw-1 loads 0 |  | ";
    QTest::newRow("the list's play item restarts even the current row") << "rows 3 at 3 play select 3 clear select 2" << QStringLiteral("playing* 2 of 123 m2.swf@0 hw-1 loads 3 | StripTwips 15 | ") + played(2);
    QTest::newRow("an ended movie gives way to the next row") << "rows 3 play clear ended" << QStringLiteral("playing* 2 of 123 m2.swf@0 hw-1 loads 2 | StripTwips 15 | ") + played(2);
    QTest::newRow("an ended movie on a list of one restarts") << "rows 1 play clear ended" << QStringLiteral("playing* 1 of 1 m1.swf@0 hw-1 loads 2 | StripTwips 15 | ") + played(1);
    QTest::newRow("an ended movie on an emptied list stops") << "rows 2 at 2 play remove 2 remove 1 clear ended" << "stopped 2 of  0@0 hw-1 loads 1 |  | ";
    QTest::newRow("space while stopped does not start") << "rows 1 key 32 0" << "stopped 0 of 1 -@0 hw-1 loads 0 | key 0 | ";
    QTest::newRow("shift+space pauses") << "rows 1 play clear key 32 1" << "paused 1 of 1 m1.swf@0 hw-1 loads 1 | key 0 | ";
    QTest::newRow("space while paused resumes") << "rows 1 play pause clear key 32 0" << "playing* 1 of 1 m1.swf@0 hw-1 loads 1 | key 0 | ";
    QTest::newRow("ctrl+space is no key") << "rows 1 play clear key 32 2" << "playing* 1 of 1 m1.swf@0 hw-1 loads 1 | key 32 | ";
    QTest::newRow("ctrl+O, ctrl+enter and F2 go to the window") << "key 79 2 key 13 2 key 113 0" << "stopped 0 of  -@0 hw-1 loads 0 | OpenSwfFiles,key 79,SetWindowState 3,key 0,ShowOptions unowned,key 113 | ";
    QTest::newRow("page down and page up") << "rows 3 at 2 play clear key 34 0 key 33 0" << QStringLiteral("playing* 2 of 123 m2.swf@0 hw-1 loads 3 | StripTwips 15,key 0,StripTwips 15,key 0 | ") + played(3) + u',' + played(2);
    QTest::newRow("ctrl+right and left seek") << "rows 1 play run 0 frame 30 clear key 39 2 key 37 0" << "playing* 1 of 1 m1.swf@30 hw-1 loads 1 | FrameInfo,Strip,key 0,FrameInfo,Strip,key 0 | ";
}

void TestTransport::commands()
{
    QFETCH(QString, script);
    QFETCH(QString, expected);
    PlaybackRig rig;
    run(rig, script);
    // A row that names the state alone leaves out the calls.
    QCOMPARE(outcome(rig).section(QStringLiteral(" | "), 0, int(expected.count(QStringLiteral(" | ")))), expected);
}

void TestTransport::presentationAndScale()
{
    PlaybackRig rig;
    QList<PlayStatePresentation> shown;
    for (int state : { 1, 2, 0, 3 }) {
        rig.transport.SetPlayState(state);
        shown.append(rig.host.presentation);
    }
    // play, pause, stop enabled, strip, frame info, clock, logo, player info; state 3 is refused
    const PlayStatePresentation playing { false, true, true, true, true, true, false, true };
    const PlayStatePresentation paused { true, false, true, true, true, false, false, true };
    QVERIFY(shown == (QList<PlayStatePresentation> { playing, paused, {}, {} }));
    // Entering play turns the unscaled picture into the fitted one; the menu sets the scale alone.
    QStringList scales;
    for (auto item : { &Transport::mnuPlayerSizeStrech_Click, &Transport::mnuPlayerSizeOrigin_Click }) {
        (rig.transport.*item)();
        scales << rig.flash.Scale();
        rig.transport.SetPlayState(Transport::Playing);
        scales << rig.flash.Scale();
    }
    rig.transport.mnuPlayerSizeOrigin_Click();
    rig.transport.mnuPlayerSizeAtutoFit_Click();
    QCOMPARE(scales << rig.flash.Scale(), (QStringList { u"ExactFit"_qs, u"ExactFit"_qs, u"NoScale"_qs, u"ShowAll"_qs, u"ShowAll"_qs }));
    QCOMPARE(rig.transport.PlayState(), int(Transport::Playing));
}

QTEST_GUILESS_MAIN(TestTransport)
#include "tst_transport.moc"
