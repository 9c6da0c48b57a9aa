#include "playback/keymap.h"
#include "tests/support/playbackrig.h"
#include "tests/support/testdir.h"
#include "tests/support/texttablerow.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QTest>

// Runs space-separated steps: a command name clicks that button; "rows N" adds N movies of 10 s, "layout axc"
// adds r1.swf, r2.swf ... where x is a missing file; "at N" sets the current row; "run MS" runs the engine;
// "go" plays one movie of 10 s; "frame F" is a tick that samples F; "key K S" presses key K with shift S; "clear"
// forgets the calls so far.
static void run(PlaybackRig& rig, const QString& script)
{
    Transport& t = rig.transport;
    const QStringList w = script.split(u' ', Qt::SkipEmptyParts);
    // In the order of the transport's command numbers, then the steps that take a number.
    const QStringList names = u"play pause stop open next prev ff rew list options about full"_qs.split(u' ');
    const QStringList steps = u"rows at run frame state select remove"_qs.split(u' ');
    for (int i = 0; i < w.size(); ++i) {
        const int n = i + 1 < w.size() ? w.at(i + 1).toInt() : 0;
        if (names.contains(w[i])) {
            t.PlayerBtns_Click(int(names.indexOf(w[i])));
        } else if (w[i] == u"go") {
            run(rig, u"rows 1 play run 0"_qs);
        } else if (w[i] == u"stretch" || w[i] == u"origin") {
            w[i] == u"stretch" ? t.mnuPlayerSizeStrech_Click() : t.mnuPlayerSizeOrigin_Click();
        } else if (w[i] == u"ended") {
            t.PlayNextItem();
        } else if (w[i] == u"clear") {
            rig.host.calls.clear(), rig.rows.calls.clear();
        } else if (w[i] == u"layout") {
            for (const QChar c : w.at(++i)) {
                const QString name = QStringLiteral("r%1.swf").arg(rig.rows.RowCount() + 1);
                const QString path = c == u'a' ? rig.addMovie(name, MakeTimeline(u"100"_qs)) : rig.addMovie(name, {});
                if (c == u'c') // a compressed stream broken right after its header
                    QVERIFY(WriteAll(path, "CWS\x06\x64\0\0\0 broken stream"));
            }
        } else if (w[i] == u"key") {
            int key = n;
            t.Form_KeyDown(key, w.at(i += 2).toInt());
            rig.host.calls.append(QStringLiteral("key %1").arg(key));
        } else {
            QVERIFY2(steps.contains(w[i]), qPrintable(w[i]));
            const std::function<void()> step[] = { [&] { rig.addRows(n); }, [&] { t.SetCurrFileIndex(n); },
                [&] { rig.flash.advance(n); }, [&] { rig.sample(n); }, [&] { t.SetPlayState(n); },
                [&] { t.mnuListPlay_Click(n); }, [&] { rig.rows.RemoveRow(n); } };
            step[steps.indexOf(w[i++])]();
        }
    }
}

// The transport's commands with the simulated engine: which row plays, what the player is told and
// what the window and the playlist are asked to show.
class TestTransport : public QObject {
    Q_OBJECT
private slots:
    void commands_data()
    {
        // "name: script => expected"; Pn/SS stands for what the playlist is told when row n starts playing a movie
        // of SS seconds, Pn for one of 10 s.
        TextTable(uR"(
play plays row 1, fitted: rows 2 origin play => playing* 1/12 m1@0 hw-1 L1 | StripTwips 15 | P1 | 01111101 ShowAll
a stretched picture stays: rows 1 stretch play => playing* 1/1 m1@0 hw-1 L1 | StripTwips 15 | P1 | 01111101 ExactFit
play beyond the list wraps: rows 5 at 7 clear play => playing* 2/12345 m2@0 hw-1 L1 | StripTwips 15 | P2
play on an empty list asks for files: play => stopped 1/ -@0 hw-1 L0 | OpenSwfFiles | 
play while paused resumes: rows 1 play run 2000 pause run 2000 clear play => playing* 1/1 m1@19 hw-1 L1 |  | 
play while playing restarts: rows 3 at 3 play run 2000 clear play => playing* 3/123 m3@0 hw-1 L2 | StripTwips 15 | P3
vanished: layout axxa at 2 play => playing* 2/12 r4@0 hw-1 L1 | StripTwips 15 | RemoveRow 2,RemoveRow 2,RenumberList,P2
a broken header shows no time: layout ac play clear next => playing* 2/12 r2@0 hw-1 L2 | StripTwips 15 | P2/00
every row vanished: layout xxx at 2 play => stopped 0/ 0@0 hw-1 L0 |  | RemoveRow 2,RemoveRow 2,RemoveRow 1
next wraps: rows 3 at 3 play clear next => playing* 1/123 m1@0 hw-1 L2 | StripTwips 15 | P1
next with one row restarts it: rows 1 play run 500 clear next => playing* 1/1 m1@0 hw-1 L2 | StripTwips 15 | P1
previous: rows 3 at 2 play clear prev => playing* 1/123 m1@0 hw-1 L2 | StripTwips 15 | P1
no previous from the first row: rows 3 play run 500 clear prev => playing* 1/123 m1@4 hw-1 L1 |  | 
stop unloads, forgets the high-water frame: go frame 5 clear stop => stopped 1/1 0@0 hw-1 L1 |  |  | 10000010 ShowAll
ff onto the second-last frame: go frame 78 clear ff => playing* 1/1 m1@98 hw78 L1 | FrameInfo,Strip
no ff onto the last frame: go frame 79 clear ff => playing* 1/1 m1@79 hw79 L1 |  | 
ff while paused: go frame 30 pause clear ff run 500 => paused 1/1 m1@50 hw30 L1 | FrameInfo,Strip |  | 10111001 ShowAll
no rewind from frame 19: go frame 19 clear rew => playing* 1/1 m1@19 hw19 L1 |  | 
rewind to 0 forgets the high water: go frame 20 clear rew => playing* 1/1 m1@0 hw-1 L1 | FrameInfo,Strip
no seeking while stopped: rows 1 ff rew => stopped 0/1 -@0 hw-1 L0 |  | 
list: rows 3 at 2 list list => stopped 2/123 -@0 hw-1 L0 | HidePlaylist,ShowPlaylist | SelectPlayingItem 2
window: open options about full => stopped 0/ -@0 hw-1 L0 | OpenSwfFiles,ShowOptions owned,ShowAbout,SetWindowState 3
list item: rows 3 at 3 play select 3 clear select 2 => playing* 2/123 m2@0 hw-1 L3 | StripTwips 15 | P2
ended on an emptied list stops: rows 2 at 2 play remove 2 remove 1 clear ended => stopped 2/ 0@0 hw-1 L1 |  | 
space while stopped does not start: rows 1 key 32 0 => stopped 0/1 -@0 hw-1 L0 | key 0 | 
shift+space pauses, space resumes: rows 1 play key 32 1 run 1000 key 32 0 => playing* 1/1 m1@0 hw-1 L1
ctrl keys: key 79 2 key 13 2 => stopped 0/ -@0 hw-1 L0 | OpenSwfFiles,key 79,SetWindowState 3,key 0
arrows: go frame 30 clear key 39 2 key 37 0 => playing* 1/1 m1@30 hw-1 L1 | FrameInfo,Strip,key 0,FrameInfo,Strip,key 0
)"_qs);
    }
    void commands()
    {
        auto [script, expected] = TextRow();
        expected.replace(QRegularExpression(u"P(\\d)(?!/)"_qs), u"P\\1/10"_qs);
        expected.replace(QRegularExpression(u"P(\\d)/(\\d\\d)"_qs),
            u"SetDurations \\1 00:\\2 00:00:\\2,MarkPlayingItem \\1,SelectPlayingItem \\1"_qs);
        PlaybackRig rig;
        run(rig, script);
        // "playing* 2/123 m2@0 hw-1 L1 | window calls | playlist calls": the state (* while the timer runs), the
        // current row and the rows' numbers, the player's movie and frame, the high-water frame, the loads so far.
        Transport& t = rig.transport;
        QString numbers;
        for (int row = 1; row <= rig.rows.RowCount(); ++row)
            numbers += QString::number(rig.rows.At(row).number);
        const QString movie = rig.flash.Movie().isEmpty() ? u"-"_qs : QFileInfo(rig.flash.Movie()).baseName();
        const QStringList states { u"stopped"_qs, u"playing"_qs, u"paused"_qs };
        // The presentation: play, pause, stop enabled, strip, frame info, clock, logo, player info; then the scale.
        const PlayStatePresentation& p = rig.host.presentation;
        QString shown;
        for (bool on : { p.playVisible, p.pauseVisible, p.stopEnabled, p.progressMiniVisible, p.frameInfoVisible,
                 p.timeVisible, p.bigLogoVisible, p.playerInfoEnabled })
            shown += on ? u'1' : u'0';
        const QString outcome
            = QStringLiteral("%1%2 %3/%4 %5@%6 hw%7 L%8 | %9 | %10 | %11 %12")
                  .arg(states.at(t.PlayState()), t.TimerPlay().isActive() ? u"*"_qs : QString())
                  .arg(t.CurrFileIndex())
                  .arg(numbers, movie)
                  .arg(rig.flash.FrameNum())
                  .arg(t.LastFrame())
                  .arg(rig.loads())
                  .arg(rig.host.calls.join(u','), rig.rows.calls.join(u','), shown, rig.flash.Scale());
        // A row that names the state alone leaves out the calls.
        QCOMPARE(outcome.section(u" | "_qs, 0, int(expected.count(u" | "_qs))), expected);
    }

    // The two shortcut tables: Ctrl alone selects the first, every other modifier state the second. The keys
    // the transport acts on are checked with it; these rows are the modifier states it does not try.
    // "key shift-mask => action (0 none, 3 rewind, 4 fast-forward, 5 pause or resume, 7 previous) consumed"
    void mapKey_data()
    {
        TextTable(uR"(
ctrl+left rewinds: 37 2 => 3 1
ctrl+space does nothing: 32 2 => 0 0
alt+space pauses or resumes: 32 4 => 5 1
ctrl+shift+right fast-forwards: 39 3 => 4 1
page up goes back a movie, not up the list: 33 0 => 7 1
)"_qs);
    }
    void mapKey()
    {
        const auto [given, expected] = TextRow();
        const KeyBinding binding = MapKey(given.section(u' ', 0, 0).toInt(), given.section(u' ', 1).toInt());
        QCOMPARE(u"%1 %2"_qs.arg(int(binding.action)).arg(int(binding.consumed)), expected);
    }
    void fromQt()
    {
        const QList<int> keys { Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_PageUp, Qt::Key_PageDown,
            Qt::Key_Left, Qt::Key_Right, Qt::Key_F2, Qt::Key_A, Qt::Key_Z, Qt::Key_0, Qt::Key_9, Qt::Key_Escape };
        QList<int> codes;
        for (int key : keys)
            codes.append(VirtualKeyFromQt(key));
        QCOMPARE(codes, (QList<int> { 13, 13, 32, 33, 34, 37, 39, 113, 65, 90, 48, 57, 0 }));
        // Meta counts for nothing, so Ctrl with it is still Ctrl alone.
        QList<int> masks;
        for (Qt::KeyboardModifiers m : QList<Qt::KeyboardModifiers> { Qt::NoModifier, Qt::ShiftModifier,
                 Qt::ControlModifier | Qt::KeypadModifier, Qt::AltModifier, Qt::ControlModifier | Qt::MetaModifier })
            masks.append(ShiftMaskFromQt(m));
        QCOMPARE(masks, (QList<int> { 0, 1, 2, 4, 2 }));
    }
};

QTEST_GUILESS_MAIN(TestTransport)
#include "tst_transport.moc"
