#include "app/program.h"
#include "app/singleinstance.h"
#include "core/settings.h"
#include "playback/transport.h"
#include "playlist/playlistcommands.h"
#include "playlist/playlistmodel.h"
#include "shell/frmmain.h"
#include "tests/support/fakeflashcontrol.h"
#include "tests/support/testdir.h"
#include "tests/support/texttablerow.h"
#include "tests/support/widgetevents.h"
#include "tools/swfgen/swfwriter.h"

#include <QAbstractItemView>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

// The program assembled around a simulated engine: the start-up restore, drops, and files that arrive
// while something else is under way (a paused movie, an addition still collecting, the not-a-movie box).
// The engine gets exactly the movies the user's actions named, and the green row and title follow.
class TestProgram : public QObject {
    Q_OBJECT
private slots:
    // The scenario => the movies given to the engine, in order | the list afterwards, * on the current row.
    void arrivals_data()
    {
        TextTable(uR"(
hand-off while paused: paused => a b | a b*
start-up, auto play off: start =>  | a b* c
start-up, saved row beyond the list becomes 1: start 9 =>  | a* b c
start-up, auto play on, the saved row only: start autoplay => b | a b* c
start-up, a named file wins over the saved row: start autoplay n1 => n1 | a b c n1*
start-up, list not saved, the named files only: start unsaved n1 n2 => n1 | n1* n2
drops on the player, the window and the list, web addresses left out: drop events => a | a* b c
three files from a second copy: second copy => a | a* b c
hand-off while a drop onto the empty list collects: drop => c | a c* f1 f2
double click before a queued drop runs: queued => f1 f2 | f1 f2* a b
hand-off while the not-a-movie box is up: box => bad bad a | bad a*)"_qs);
    }
    void arrivals()
    {
        const auto [scenario, expected] = TextRow();
        QTemporaryDir dir;
        const auto path = [&](const char* name) { return dir.filePath(QString::fromLatin1(name) + u".swf"_qs); };
        QDir(dir.path()).mkpath(QStringLiteral("f"));
        for (const char* name : { "a", "b", "c", "n1", "n2", "f/f1", "f/f2" })
            QVERIFY(swfgen::WriteMovieFile(path(name), {}));
        QVERIFY(WriteAll(path("bad"), "not a movie"));
        QVERIFY(WriteAll(dir.filePath(QStringLiteral("f/0.txt")), "collected first, not a movie"));
        QVERIFY(
            WriteAll(dir.filePath(u"PlayList.m3u"_qs), (path("a") + u'\n' + path("b") + u'\n' + path("c")).toUtf8()));
        const QStringList words = scenario.split(u' ');
        Settings settings;
        settings.SaveList = !words.contains(u"unsaved");
        settings.ListFileIndex = words.contains(u"9") ? 9 : 2;
        settings.AutoPlay = words.contains(u"autoplay");
        FakeFlashControl engine;
        auto* player = new QWidget; // the window takes the player's view as its own
        Program program(settings, dir.path(), engine, player);
        program.commands().SetAdditionSliceMs(0); // one path per turn of the event loop
        QStringList boxes;
        QTimer closer; // a box with a loop of its own is read and closed from inside that loop
        connect(&closer, &QTimer::timeout, this, [&] {
            if (auto* box = program.window().findChild<QMessageBox*>(); box && box->isVisible() && box->close())
                boxes << box->text();
        });
        closer.start(20);

        if (scenario == u"paused") {
            program.playHandedOver(path("a"));
            program.transport().PlayerBtns_Click(TransportControl::CmdPause);
            program.playHandedOver(path("b"));
        } else if (words[0] == u"start") {
            QStringList named;
            for (const QString& word : words) {
                if (word.startsWith(u'n'))
                    named << path(qPrintable(word));
            }
            program.start(named);
            QTRY_COMPARE(program.model().RowCount(), expected.section(u" | "_qs, 1).split(u' ').size());
        } else if (scenario == u"drop events") {
            program.watchPlayerInput(player);
            QWidget* list = qobject_cast<QAbstractItemView*>(program.window().playlistView())->viewport();
            for (auto [name, target] :
                { std::pair<const char*, QWidget*> { "a", player }, { "b", &program.window() }, { "c", list } }) {
                QVERIFY(DropFiles(target, { QUrl::fromLocalFile(path(name)), QUrl(u"https://example.org/x.swf"_qs) }));
            }
        } else if (scenario == u"second copy") {
            SingleInstance first(dir.filePath(QStringLiteral("s")));
            QCOMPARE(first.start(QString()), SingleInstance::Role::First);
            program.takeHandOffsFrom(first);
            std::unique_ptr<QThread> second(QThread::create([&] {
                SingleInstance(first.serverName()).start(QStringList { path("a"), path("b"), path("c") });
            }));
            second->start();
            QTRY_VERIFY(second->isFinished());
        } else if (scenario == u"drop") {
            program.commands().AddDroppedFiles({ path("a"), dir.filePath(QStringLiteral("f")) });
            program.playHandedOver(path("c"));
        } else if (scenario == u"queued") {
            program.commands().AddDroppedFiles({ dir.filePath(QStringLiteral("f")) });
            auto doubleClickRow2 = [&] {
                program.model().SelectRow(2);
                program.commands().PlaySelected();
            };
            connect(program.commands().RunningAddition(), &AddFilesJob::Done, this, doubleClickRow2);
            program.commands().AddDroppedFiles({ path("a"), path("b") });
        } else if (scenario == u"box") {
            program.playHandedOver(path("bad"));
            QTimer::singleShot(0, this, [&] { program.playHandedOver(path("a")); });
            program.model().SelectRow(1);
            program.commands().PlaySelected();
            QTRY_VERIFY(boxes.contains(QStringLiteral("不是Flash文件格式")));
        }
        QTRY_VERIFY(!program.commands().RunningAddition());
        QTest::qWait(200); // whatever the actions left queued has run

        QStringList loaded, listed;
        for (const QString& call : engine.calls.filter(u"LoadMovie 0 /"))
            loaded << QFileInfo(call).baseName();
        const int current = program.transport().CurrFileIndex();
        for (int row = 1; row <= program.model().RowCount(); ++row)
            listed << QFileInfo(program.model().FilePath(row)).baseName() + (row == current ? u"*"_qs : QString());
        QCOMPARE(loaded.join(u' ') + u" | " + listed.join(u' '), expected);
        if (!loaded.isEmpty()) // the title follows the movie that plays
            QCOMPARE(
                program.window().findChild<QLabel*>(u"lblFormTitle"_qs)->text(), program.model().FileName(current));
    }
};

QTEST_MAIN(TestProgram)
#include "tst_program.moc"
