#include "core/inifile.h"
#include "tests/support/fakeflashcontrol.h"
#include "tests/support/playlistfixture.h"
#include "tests/support/testdir.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {
QStringList letters(const QString& text)
{
    QStringList out;
    for (QChar c : text)
        out.append(QStringLiteral("/m/") + c + QStringLiteral(".swf"));
    return out;
}
} // namespace

class TestPlaylistCommands : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void deleteSelected_data();
    void deleteSelected();
    void deleteSelected_needsRowsAndSelection();
    void clearList_stopsAndForgetsCurrent();
    void listButtonMenu_opensOnEveryOtherClick();
    void removeDuplicates_data();
    void removeDuplicates();
    void removeMissing_data();
    void removeMissing();
    void sortOrderToggle_captionsAndOrder();
    void sorts_data();
    void sorts();
    void sort_currentIndexFollowsFile();
    void shuffle_twoRowsAlwaysExchange();
    void shuffle_isOneCycleAndCurrentFollows_data();
    void shuffle_isOneCycleAndCurrentFollows();
    void openSelectedFolder_data();
    void openSelectedFolder();
    void listColor_appliesToLaterMarksAndIsSaved_data();
    void listColor_appliesToLaterMarksAndIsSaved();
    void listFont_onlyInstalledFontsAreApplied_data();
    void listFont_onlyInstalledFontsAreApplied();
    void applyListFont_data();
    void applyListFont();
    void listKeys_data();
    void listKeys();

private:
    void fill(const QStringList& paths, int current = 0, int state = TransportControl::Stopped, int selected = 0);

    QTemporaryDir m_dir;
    std::unique_ptr<PlaylistFixture> m_f;
    std::unique_ptr<FakeFlashControl> m_flash;
};

void TestPlaylistCommands::init()
{
    m_f = std::make_unique<PlaylistFixture>(m_dir.path());
    m_f->settings.IniFile = m_dir.filePath(QStringLiteral("Quenbarrowick.ini"));
    QFile::remove(m_f->settings.IniFile);
    m_f->settings.ListFontColor = 0x111111;
    m_flash = std::make_unique<FakeFlashControl>();
    m_f->commands.SetFlashControl(m_flash.get());
    m_f->commands.ApplyListFont();
}

void TestPlaylistCommands::cleanup()
{
    m_f.reset();
}

void TestPlaylistCommands::fill(const QStringList& list, int current, int state, int selected)
{
    m_f->add(list);
    m_f->transport.setUp(current, state);
    if (current >= 1 && state != TransportControl::Stopped) {
        m_f->model.MarkPlayingItem(current);
        m_flash->LoadMovie(0, m_f->model.FilePath(current));
    }
    m_f->model.SelectRow(selected);
}

void TestPlaylistCommands::deleteSelected_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<int>("currentAfter");
    QTest::addColumn<int>("selectedAfter");
    const QStringList restart3 { QStringLiteral("SetPlayState 0"), QStringLiteral("SetCurrFileIndex 3"),
        QStringLiteral("PlayerBtns_Click 0") };
    QTest::newRow("playing first of 5 starts the next")
        << 5 << 1 << 1
        << QStringList { QStringLiteral("SetPlayState 0"), QStringLiteral("SetCurrFileIndex 1"),
               QStringLiteral("PlayerBtns_Click 0") }
        << 1 << 1;
    QTest::newRow("playing middle of 5 starts the row that followed") << 5 << 3 << 3 << restart3 << 3 << 3;
    QTest::newRow("playing last of 5 starts row 1")
        << 5 << 5 << 5
        << QStringList { QStringLiteral("SetPlayState 0"), QStringLiteral("SetCurrFileIndex 1"),
               QStringLiteral("PlayerBtns_Click 0") }
        << 1 << 1;
    QTest::newRow("the only row stops playback")
        << 1 << 1 << 1 << QStringList { QStringLiteral("SetPlayState 0") } << 1 << 0;
    QTest::newRow("row before the playing one")
        << 5 << 4 << 2 << QStringList { QStringLiteral("SetCurrFileIndex 3") } << 3 << 2;
    QTest::newRow("row after the playing one") << 5 << 2 << 4 << QStringList {} << 2 << 4;
    QTest::newRow("last row after the playing one") << 5 << 2 << 5 << QStringList {} << 2 << 4;
    QTest::newRow("nothing playing") << 3 << 0 << 2 << QStringList {} << 0 << 2;
}

void TestPlaylistCommands::deleteSelected()
{
    QFETCH(int, rows);
    QFETCH(int, current);
    QFETCH(int, selected);
    QFETCH(QStringList, calls);
    QFETCH(int, currentAfter);
    QFETCH(int, selectedAfter);
    const QStringList all = letters(QStringLiteral("abcde").left(rows));
    fill(all, current, current ? TransportControl::Playing : TransportControl::Stopped, selected);
    QStringList expected = all;
    expected.removeAt(selected - 1);

    m_f->commands.ListBtn_Click(1);
    QCOMPARE(m_f->paths(), expected);
    QCOMPARE(m_f->transport.calls, calls);
    QCOMPARE(m_f->transport.CurrFileIndex(), currentAfter);
    QCOMPARE(m_f->model.SelectedRow(), selectedAfter);
    QCOMPARE(m_f->numbers(), CountTo(m_f->model.RowCount()));
    if (!calls.isEmpty() && calls.last() == u"PlayerBtns_Click 0")
        QCOMPARE(m_f->model.RowColor(currentAfter), PlaylistModel::PlayingColor);
}

void TestPlaylistCommands::deleteSelected_needsRowsAndSelection()
{
    m_f->commands.DeleteSelectedItem();
    QCOMPARE(m_f->transport.calls, QStringList {});
    fill(letters(QStringLiteral("ab")), 1, TransportControl::Playing, 0);
    m_f->commands.DeleteSelectedItem();
    QCOMPARE(m_f->model.RowCount(), 2);
    QCOMPARE(m_f->transport.calls, QStringList {});
}

void TestPlaylistCommands::clearList_stopsAndForgetsCurrent()
{
    m_f->commands.ListBtn_Click(2);
    QCOMPARE(m_f->transport.calls, QStringList {});
    fill(letters(QStringLiteral("abc")), 2, TransportControl::Playing, 2);
    m_f->commands.ListBtn_Click(2);
    QCOMPARE(m_f->model.RowCount(), 0);
    QCOMPARE(
        m_f->transport.calls, (QStringList { QStringLiteral("SetCurrFileIndex 0"), QStringLiteral("SetPlayState 0") }));
}

void TestPlaylistCommands::listButtonMenu_opensOnEveryOtherClick()
{
    QSignalSpy menu(&m_f->commands, &PlaylistCommands::ListButtonMenuRequested);
    QList<int> openedAfter;
    for (int click = 1; click <= 5; ++click) {
        const qsizetype before = menu.count();
        m_f->commands.ListBtn_Click(3);
        if (menu.count() > before)
            openedAfter.append(click);
    }
    QCOMPARE(openedAfter, (QList<int> { 1, 3, 5 }));
}

void TestPlaylistCommands::removeDuplicates_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("movie"); // what the engine has loaded; empty: what the current row names
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("currentAfter");
    QTest::addColumn<int>("selectedAfter");
    QTest::newRow("A B A C B, stopped") << QStringLiteral("ABACB") << 0 << 0 << QString() << QStringLiteral("ABC") << 0
                                        << 0;
    QTest::newRow("letter case differs: both stay")
        << QStringLiteral("aAa") << 0 << 0 << QString() << QStringLiteral("aA") << 0 << 0;
    QTest::newRow("playing the second copy moves to the first")
        << QStringLiteral("ABACB") << 5 << 1 << QString() << QStringLiteral("ABC") << 2 << 2;
    QTest::newRow("paused counts as loaded")
        << QStringLiteral("ABACB") << 4 << 2 << QString() << QStringLiteral("ABC") << 3 << 3;
    QTest::newRow("loaded movie has no row")
        << QStringLiteral("ABAB") << 1 << 1 << QStringLiteral("/m/Z.swf") << QStringLiteral("AB") << 0 << 0;
    QTest::newRow("no duplicates") << QStringLiteral("ABC") << 3 << 1 << QString() << QStringLiteral("ABC") << 3 << 3;
}

void TestPlaylistCommands::removeDuplicates()
{
    QFETCH(QString, list);
    QFETCH(int, current);
    QFETCH(int, state);
    QFETCH(QString, movie);
    QFETCH(QString, expected);
    QFETCH(int, currentAfter);
    QFETCH(int, selectedAfter);
    fill(letters(list), current, state, 1);
    if (!movie.isEmpty())
        m_flash->LoadMovie(0, movie);
    m_f->commands.RemoveDuplicateItems();
    QCOMPARE(m_f->paths(), letters(expected));
    QCOMPARE(m_f->transport.CurrFileIndex(), state ? currentAfter : current);
    if (state) {
        QCOMPARE(m_f->model.SelectedRow(), selectedAfter);
        for (int row = 1; row <= m_f->model.RowCount(); ++row)
            QCOMPARE(m_f->model.RowColor(row) == PlaylistModel::PlayingColor, row == currentAfter);
    }
    QCOMPARE(m_f->numbers(), CountTo(int(expected.size())));
}

void TestPlaylistCommands::removeMissing_data()
{
    QTest::addColumn<QString>("exists"); // one letter per row: y exists, n does not
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("currentAfter");
    QTest::addColumn<int>("stateAfter");
    QTest::newRow("gaps are renumbered") << QStringLiteral("ynyny") << 0 << 0 << 0 << 0;
    QTest::newRow("current follows its file") << QStringLiteral("nynyy") << 4 << 1 << 2 << 1;
    QTest::newRow("current file gone: index before the gap") << QStringLiteral("ynnyy") << 3 << 1 << 1 << 1;
    QTest::newRow("current first and gone") << QStringLiteral("nyy") << 1 << 1 << 0 << 1;
    QTest::newRow("every file gone stops playback") << QStringLiteral("nnn") << 2 << 1 << 0 << 0;
    QTest::newRow("index beyond the list untouched") << QStringLiteral("nyy") << 7 << 0 << 7 << 0;
}

void TestPlaylistCommands::removeMissing()
{
    QFETCH(QString, exists);
    QFETCH(int, current);
    QFETCH(int, state);
    QFETCH(int, currentAfter);
    QFETCH(int, stateAfter);
    QStringList all;
    QStringList kept;
    for (int i = 0; i < exists.size(); ++i) {
        all.append(m_dir.filePath(QStringLiteral("movie%1.swf").arg(i)));
        if (exists.at(i) == u'y') {
            QVERIFY(WriteAll(all.last(), "x"));
            kept.append(all.last());
        } else {
            QFile::remove(all.last());
        }
    }
    fill(all, current, state);
    m_f->commands.RemoveMissingItems();
    QCOMPARE(m_f->paths(), kept);
    QCOMPARE(m_f->numbers(), CountTo(int(kept.size())));
    QCOMPARE(m_f->transport.CurrFileIndex(), currentAfter);
    QCOMPARE(m_f->transport.PlayState(), stateAfter);
}

void TestPlaylistCommands::sortOrderToggle_captionsAndOrder()
{
    fill({ QStringLiteral("/x/b.swf"), QStringLiteral("/y/c.swf"), QStringLiteral("/z/a.swf") });
    QCOMPARE(m_f->commands.SortOrderCaption(), QStringLiteral("升序"));
    QSignalSpy captions(&m_f->commands, &PlaylistCommands::SortOrderCaptionChanged);

    m_f->commands.ToggleSortOrder(); // no key yet: by name, ascending
    QCOMPARE(m_f->paths(),
        (QStringList { QStringLiteral("/z/a.swf"), QStringLiteral("/x/b.swf"), QStringLiteral("/y/c.swf") }));
    QCOMPARE(m_f->commands.SortOrderCaption(), QStringLiteral("降序"));

    m_f->commands.ToggleSortOrder();
    QCOMPARE(m_f->paths(),
        (QStringList { QStringLiteral("/y/c.swf"), QStringLiteral("/x/b.swf"), QStringLiteral("/z/a.swf") }));
    QCOMPARE(m_f->commands.SortOrderCaption(), QStringLiteral("升序"));

    // The order stays descending for the next sort by another key.
    m_f->commands.SortByDir();
    QCOMPARE(m_f->paths(),
        (QStringList { QStringLiteral("/z/a.swf"), QStringLiteral("/y/c.swf"), QStringLiteral("/x/b.swf") }));
    m_f->commands.ToggleSortOrder(); // path, ascending
    QCOMPARE(m_f->paths(),
        (QStringList { QStringLiteral("/x/b.swf"), QStringLiteral("/y/c.swf"), QStringLiteral("/z/a.swf") }));
    QCOMPARE(captions.count(), 3);
    QCOMPARE(captions.last().first().toString(), QStringLiteral("降序"));
    QCOMPARE(m_f->numbers(), (QStringList { QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3") }));
}

void TestPlaylistCommands::sorts_data()
{
    QTest::addColumn<QString>("by");
    QTest::addColumn<QStringList>("rows"); // path|full duration
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("name, natural numbers")
        << QStringLiteral("name")
        << QStringList { QStringLiteral("/a/10.swf|"), QStringLiteral("/b/2.swf|"), QStringLiteral("/c/1.swf|") }
        << QStringList { QStringLiteral("/c/1.swf"), QStringLiteral("/b/2.swf"), QStringLiteral("/a/10.swf") };
    QTest::newRow("name ignores the folder")
        << QStringLiteral("name") << QStringList { QStringLiteral("/a/z.swf|"), QStringLiteral("/b/y.swf|") }
        << QStringList { QStringLiteral("/b/y.swf"), QStringLiteral("/a/z.swf") };
    QTest::newRow("path") << QStringLiteral("path")
                          << QStringList { QStringLiteral("/b/a.swf|"), QStringLiteral("/a10/b.swf|"),
                                 QStringLiteral("/a9/c.swf|") }
                          << QStringList { QStringLiteral("/a9/c.swf"), QStringLiteral("/a10/b.swf"),
                                 QStringLiteral("/b/a.swf") };
    QTest::newRow("time: ten minutes after 9:59")
        << QStringLiteral("time")
        << QStringList { QStringLiteral("/a.swf|00:10:00"), QStringLiteral("/b.swf|00:09:59"),
               QStringLiteral("/c.swf|01:00:00"), QStringLiteral("/d.swf|") }
        << QStringList { QStringLiteral("/d.swf"), QStringLiteral("/b.swf"), QStringLiteral("/a.swf"),
               QStringLiteral("/c.swf") };
    QTest::newRow("equal keys keep their order")
        << QStringLiteral("time")
        << QStringList { QStringLiteral("/b.swf|00:00:05"), QStringLiteral("/a.swf|00:00:05") }
        << QStringList { QStringLiteral("/b.swf"), QStringLiteral("/a.swf") };
}

void TestPlaylistCommands::sorts()
{
    QFETCH(QString, by);
    QFETCH(QStringList, rows);
    QFETCH(QStringList, expected);
    for (const QString& row : rows) {
        const QStringList fields = row.split(u'|');
        const int n = m_f->model.AddFileToList(fields.at(0), false, false);
        m_f->model.SetDurations(n, QString(), fields.at(1));
    }
    if (by == u"name")
        m_f->commands.SortByName();
    else if (by == u"path")
        m_f->commands.SortByDir();
    else
        m_f->commands.SortByTime();
    QCOMPARE(m_f->paths(), expected);
}

void TestPlaylistCommands::sort_currentIndexFollowsFile()
{
    fill(letters(QStringLiteral("cab")), 1, TransportControl::Playing, 1);
    m_f->commands.SortByName();
    QCOMPARE(m_f->paths(), letters(QStringLiteral("abc")));
    QCOMPARE(m_f->transport.CurrFileIndex(), 3);
    QCOMPARE(m_f->model.RowColor(3), PlaylistModel::PlayingColor);
    QCOMPARE(m_f->model.SelectedRow(), 3);
}

void TestPlaylistCommands::shuffle_twoRowsAlwaysExchange()
{
    for (quint64 seed = 0; seed < 20; ++seed) {
        m_f->model.Clear();
        fill(letters(QStringLiteral("ab")), 1, TransportControl::Playing);
        m_f->commands.SetRandomSeed(seed);
        m_f->commands.ShuffleList();
        QCOMPARE(m_f->paths(), letters(QStringLiteral("ba")));
        QCOMPARE(m_f->transport.CurrFileIndex(), 2);
        QCOMPARE(m_f->model.RowColor(2), PlaylistModel::PlayingColor);
        QCOMPARE(m_f->model.RowColor(1), m_f->settings.ListFontColor);
    }
}

void TestPlaylistCommands::shuffle_isOneCycleAndCurrentFollows_data()
{
    QTest::addColumn<int>("state");
    QTest::newRow("playing: the green mark moves") << 1;
    QTest::newRow("stopped: colours stay") << 0;
}

void TestPlaylistCommands::shuffle_isOneCycleAndCurrentFollows()
{
    QFETCH(int, state);
    const QString text = QStringLiteral("abcdefghij");
    fill(letters(text), 4, state);
    m_f->commands.SetRandomSeed(7);
    m_f->commands.ShuffleList();
    const QStringList after = m_f->paths();
    // Following "row i now holds the file of row j" from row 1 must visit every row once.
    const QStringList before = letters(text);
    int row = 0;
    for (int step = 0; step < text.size(); ++step) {
        row = int(before.indexOf(after.at(row)));
        QVERIFY(row >= 0);
        if (step < text.size() - 1)
            QVERIFY2(row != 0, "cycle shorter than the list");
    }
    QCOMPARE(row, 0);
    const int current = m_f->transport.CurrFileIndex();
    QCOMPARE(m_f->model.FilePath(current), before.at(3));
    QCOMPARE(m_f->numbers().first(), QStringLiteral("1"));
    QCOMPARE(m_f->model.RowColor(current) == PlaylistModel::PlayingColor, state != 0);
}

void TestPlaylistCommands::openSelectedFolder_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<int>("selected");
    QTest::addColumn<bool>("revealed");
    QTest::newRow("existing file") << true << 1 << true;
    QTest::newRow("missing file shows nothing") << false << 1 << false;
    QTest::newRow("no selection") << true << 0 << false;
}

void TestPlaylistCommands::openSelectedFolder()
{
    QFETCH(bool, exists);
    QFETCH(int, selected);
    QFETCH(bool, revealed);
    const QString path = m_dir.filePath(QStringLiteral("here.swf"));
    QFile::remove(path);
    if (exists)
        QVERIFY(WriteAll(path, "x"));
    fill({ path }, 0, 0, selected);
    m_f->commands.OpenSelectedFolder();
    QCOMPARE(m_f->ui.calls, revealed ? QStringList { QStringLiteral("RevealFile ") + path } : QStringList {});
}

void TestPlaylistCommands::listColor_appliesToLaterMarksAndIsSaved_data()
{
    QTest::addColumn<std::optional<int32_t>>("chosen");
    QTest::addColumn<int>("expected");
    QTest::newRow("chosen colour") << std::optional<int32_t>(0x0000FF) << 0x0000FF;
    QTest::newRow("cancelled keeps and rewrites the colour") << std::optional<int32_t>() << 0x111111;
}

void TestPlaylistCommands::listColor_appliesToLaterMarksAndIsSaved()
{
    QFETCH(std::optional<int32_t>, chosen);
    QFETCH(int, expected);
    fill(letters(QStringLiteral("abc")), 1, TransportControl::Playing);
    m_f->ui.color = chosen;
    m_f->commands.ChooseListColor();
    QCOMPARE(m_f->ui.calls, QStringList { QStringLiteral("ChooseColor %1").arg(0x111111) });
    QCOMPARE(m_f->model.RowColor(2), 0x111111); // unchanged until the next mark
    m_f->model.MarkPlayingItem(2);
    QCOMPARE(m_f->model.RowColor(1), expected);
    QCOMPARE(m_f->model.RowColor(3), expected);
    QCOMPARE(m_f->settings.ListFontColor, expected);
    QCOMPARE(ReadIni(m_f->settings.IniFile, QStringLiteral("Options"), QStringLiteral("ListFontColor"), IniValueBuffer),
        QString::number(expected));
}

void TestPlaylistCommands::listFont_onlyInstalledFontsAreApplied_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("applied");
    QTest::newRow("installed") << QStringLiteral("Noto Sans") << true;
    QTest::newRow("not installed") << QStringLiteral("Nowhere Sans") << false;
    QTest::newRow("cancelled") << QString() << false;
}

void TestPlaylistCommands::listFont_onlyInstalledFontsAreApplied()
{
    QFETCH(QString, name);
    QFETCH(bool, applied);
    m_f->ui.installedFonts = { QStringLiteral("Noto Sans") };
    if (!name.isNull())
        m_f->ui.font = ListFontChoice { name, 10.5, true, false };
    QSignalSpy fonts(&m_f->commands, &PlaylistCommands::ListFontChanged);
    m_f->commands.ChooseListFont();
    QCOMPARE(fonts.count(), applied ? 1 : 0);
    const auto ini = [this](const char* key) {
        return ReadIni(m_f->settings.IniFile, QStringLiteral("Options"), QString::fromLatin1(key), IniValueBuffer);
    };
    QCOMPARE(ini("ListFontName"), applied ? name : QString());
    QCOMPARE(ini("ListFontSize"), applied ? QStringLiteral("10.5") : QString());
    QCOMPARE(ini("ListFontBold"), applied ? QStringLiteral("True") : QString());
    QCOMPARE(ini("ListFontItalic"), applied ? QStringLiteral("False") : QString());
    QVERIFY(m_f->settings.ListFontName.isEmpty()); // the font in memory is the start-up one
}

void TestPlaylistCommands::applyListFont_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("applied");
    QTest::newRow("saved and installed") << QStringLiteral("Noto Sans") << true;
    QTest::newRow("saved, not installed") << QStringLiteral("Gone Sans") << false;
    QTest::newRow("none saved") << QString() << false;
}

void TestPlaylistCommands::applyListFont()
{
    QFETCH(QString, name);
    QFETCH(bool, applied);
    m_f->ui.installedFonts = { QStringLiteral("Noto Sans") };
    m_f->settings.ListFontName = name;
    m_f->settings.ListFontSize = 12;
    m_f->settings.ListFontItalic = true;
    m_f->settings.ListFontColor = 0x00ABCDEF;
    QSignalSpy fonts(&m_f->commands, &PlaylistCommands::ListFontChanged);
    m_f->commands.ApplyListFont();
    QCOMPARE(fonts.count(), applied ? 1 : 0);
    if (applied) {
        const auto font = fonts.first().first().value<ListFontChoice>();
        QCOMPARE(font.name, name);
        QCOMPARE(font.pointSize, 12.0);
        QVERIFY(font.italic);
    }
    m_f->model.AddFileToList(QStringLiteral("/a.swf"), false, false);
    QCOMPARE(m_f->model.RowColor(1), 0x00ABCDEF);
}

void TestPlaylistCommands::listKeys_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QStringList>("calls");
    const QStringList play2 { QStringLiteral("SetPlayState 0"), QStringLiteral("SetCurrFileIndex 2"),
        QStringLiteral("PlayerBtns_Click 0") };
    const int handled = int(PlaylistCommands::KeyOutcome::Handled);
    QTest::newRow("Enter on another row plays it") << 3 << int(Qt::Key_Return) << 2 << handled << play2;
    QTest::newRow("keypad Enter too") << 3 << int(Qt::Key_Enter) << 2 << handled << play2;
    QTest::newRow("Enter on the current row does nothing")
        << 3 << int(Qt::Key_Return) << 1 << handled << QStringList {};
    QTest::newRow("Delete removes the selected row") << 3 << int(Qt::Key_Delete) << 3 << handled << QStringList {};
    QTest::newRow("other keys go to the window")
        << 3 << int(Qt::Key_Space) << 2 << int(PlaylistCommands::KeyOutcome::ForwardToWindow) << QStringList {};
    QTest::newRow("empty list: Enter ignored")
        << 0 << int(Qt::Key_Return) << 0 << int(PlaylistCommands::KeyOutcome::Ignored) << QStringList {};
    QTest::newRow("empty list: other keys ignored")
        << 0 << int(Qt::Key_Space) << 0 << int(PlaylistCommands::KeyOutcome::Ignored) << QStringList {};
}

void TestPlaylistCommands::listKeys()
{
    QFETCH(int, rows);
    QFETCH(int, key);
    QFETCH(int, selected);
    QFETCH(int, outcome);
    QFETCH(QStringList, calls);
    fill(letters(QStringLiteral("abc").left(rows)), rows ? 1 : 0,
        rows ? TransportControl::Playing : TransportControl::Stopped, selected);
    QCOMPARE(int(m_f->commands.ListKeyDown(key)), outcome);
    QCOMPARE(m_f->transport.calls, calls);
    QCOMPARE(m_f->model.RowCount(), key == Qt::Key_Delete ? rows - 1 : rows);
}

QTEST_GUILESS_MAIN(TestPlaylistCommands)
#include "tst_playlistcommands.moc"
