#include "tests/support/fakeflashcontrol.h"
#include "tests/support/playlistfixture.h"
#include "tests/support/testdir.h"
#include "tests/support/texttablerow.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

class TestPlaylistCommands : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    std::unique_ptr<PlaylistFixture> m_f;
    FakeFlashControl m_flash;

    // One row per letter, each a file in the temporary folder; a current row that plays is marked and loaded.
    QStringList letters(QStringView text) const
    {
        QStringList out;
        for (QChar c : text)
            out.append(m_dir.filePath(c + u".swf"_qs));
        return out;
    }
    void fill(const QStringList& paths, int current, int state, int selected)
    {
        m_f->add(paths);
        m_f->transport.setUp(current, state);
        if (current >= 1 && state != TransportControl::Stopped) {
            m_f->model.MarkPlayingItem(current);
            m_flash.LoadMovie(0, m_f->model.FilePath(current));
        }
        m_f->model.SelectRow(selected);
    }
private slots:
    void init()
    {
        m_f = std::make_unique<PlaylistFixture>(m_dir.path());
        m_f->settings.IniFile = m_dir.filePath(u"Quenbarrowick.ini"_qs);
        QFile::remove(m_f->settings.IniFile);
        m_f->commands.SetFlashControl(&m_flash);
    }

    // "command rows current state selected => rows after|current, selected and green rows after|key's result:calls".
    // Rows are letters; state 0 stopped, 1 playing, 2 paused. "gone": only the files of the rows after exist.
    // "dupsZ": the loaded movie is in no row. S, C and B stand for SetPlayState, SetCurrFileIndex, PlayerBtns_Click.
    void edit_data()
    {
        TextTable(uR"(
delete the playing middle row, the next plays: del abcde 3 1 3 => abde|3 3 3|:S0,C3,B0
delete the playing last row, row 1 plays: del abcde 5 1 5 => abcd|1 1 1|:S0,C1,B0
delete the only row, playback stops: del a 1 1 1 => |1 0|:S0
delete before the playing row: del abcde 4 1 2 => acde|3 2 3|:C3
delete without a selection: del ab 1 1 0 => ab|1 0 1|:
a right press selects the row under it, row 1 too: right abc 2 1 3 => abc|2 1 2|:
clear: clear abc 2 1 2 => |0 0|:C0,S0
duplicates while stopped; letter case differs: dups ABAaB 5 0 1 => ABa|5 1|:
duplicates, playing the second copy moves to the first: dups ABACB 5 1 1 => ABC|2 2 2|:C2
duplicates, loaded movie has no row: dupsZ A 1 1 1 => A|0 0|:C0
missing, current follows its file: gone abcde 4 1 4 => bde|2 2 2|:C2
missing current, the index before the gap: gone abcde 3 1 1 => ade|1 1|:C1
every file missing, playback stops: gone abc 2 1 1 => |0 0|:C0,S0
Enter plays another row: 16777220 abc 1 1 3 => abc|3 3 3|1:S0,C3,B0
Enter on the current row does nothing: 16777220 abc 1 1 1 => abc|1 1 1|1:
Delete removes the selected row: 16777223 abc 1 1 3 => ab|1 2 1|1:
other keys go to the window: 32 abc 1 1 2 => abc|1 2 1|2:
Enter on an empty list is ignored: 16777220  0 0 0 => |0 0|0:
)"_qs);
    }
    void edit()
    {
        const auto [row, expected] = TextRow();
        const QStringList given = row.split(u' '), f = expected.split(u'|');
        for (const QString& path : letters(given[1])) {
            QFile::remove(path);
            QVERIFY(given[0] != u"gone" || !f[0].contains(path.right(5).front()) || WriteAll(path, "x"));
        }
        fill(letters(given[1]), given[2].toInt(), given[3].toInt(), given[4].toInt());
        // An empty list that plays nothing is a handle for the window.
        QCOMPARE(m_f->commands.LeftPressMovesWindow(), given[1].isEmpty() && given[3] == u"0");
        if (given[0] == u"dupsZ")
            m_flash.LoadMovie(0, letters(u"Z").first());
        int handled = 0;
        given[0] == u"del"                 ? m_f->commands.ListBtn_Click(1)
            : given[0] == u"clear"         ? m_f->commands.ListBtn_Click(2)
            : given[0] == u"right"         ? m_f->commands.RightPress(1)
            : given[0] == u"gone"          ? m_f->commands.RemoveMissingItems()
            : given[0].startsWith(u"dups") ? m_f->commands.RemoveDuplicateItems()
                                           : void(handled = int(m_f->commands.ListKeyDown(given[0].toInt())));
        QCOMPARE(m_f->paths(), letters(f[0]));
        QCOMPARE(m_f->numbers(), CountTo(m_f->model.RowCount()));
        QString after = u"%1 %2"_qs.arg(m_f->transport.CurrFileIndex()).arg(m_f->model.SelectedRow());
        for (int r = 1; r <= m_f->model.RowCount(); ++r)
            after += m_f->model.RowColor(r) == PlaylistModel::PlayingColor ? u' ' + QString::number(r) : QString();
        QCOMPARE(after, f[1]);
        const QString calls = QString::number(handled) + u':' + ShortCalls(m_f->transport.calls);
        QCOMPARE(calls, f[2].front() == u':' ? u'0' + f[2] : f[2]);
    }

    // "keys rows as path:full duration => the order after|caption after": keys n name, p path, t time, ~ toggle
    // the order; paths separated by spaces. Row 1 plays before.
    void sorts_data()
    {
        TextTable(uR"(
name, natural numbers, not the folder: n /a/10.swf: /b/2.swf: /c/1.swf: => /c/1.swf /b/2.swf /a/10.swf|升序
path: p /b/a.swf: /a10/b.swf: /a9/c.swf: => /a9/c.swf /a10/b.swf /b/a.swf|升序
by time, 10:00 after 9:59: t /a.swf:00:10:00 /b.swf:00:09:59 /c.swf:01:00:00 /d.swf: => /d.swf /b.swf /a.swf /c.swf|升序
equal times keep their order: t /b.swf:00:00:05 /a.swf:00:00:05 => /b.swf /a.swf|升序
toggled without a key, by name: ~ /x/b.swf: /y/c.swf: /z/a.swf: => /z/a.swf /x/b.swf /y/c.swf|降序
)"_qs);
    }
    void sorts()
    {
        const auto [given, expected] = TextRow();
        const QStringList f = expected.split(u'|');
        const QStringList items = given.split(u' ');
        for (const QString& item : items.mid(1))
            m_f->model.SetDurations(
                m_f->model.AddFileToList(item.section(u':', 0, 0), false, false), QString(), item.section(u':', 1));
        fill({}, 1, TransportControl::Playing, 1);
        QSignalSpy captions(&m_f->commands, &PlaylistCommands::SortOrderCaptionChanged);
        for (QChar key : items[0])
            key == u'n'       ? m_f->commands.SortByName()
                : key == u'p' ? m_f->commands.SortByDir()
                : key == u't' ? m_f->commands.SortByTime()
                              : m_f->commands.ToggleSortOrder();
        QCOMPARE(m_f->paths().join(u' '), f[0]);
        QVERIFY(m_f->commands.SortOrderCaption() == f[1] && captions.count() == items[0].count(u'~'));
        // The current row follows its file, with the green mark and the selection.
        const int current = m_f->transport.CurrFileIndex();
        QCOMPARE(m_f->model.FilePath(current), items[1].section(u':', 0, 0));
        QVERIFY(m_f->model.RowColor(current) == PlaylistModel::PlayingColor && m_f->model.SelectedRow() == current);
    }

    // One cycle through every row, so two rows always swap; the green mark follows the current file while playing.
    void shuffle()
    {
        for (quint64 seed = 0; seed < 4; ++seed) {
            const QStringList rows = letters(u"abcdefghij").mid(seed % 2 ? 0 : 8);
            m_f->model.Clear();
            fill(rows, 1, int(seed % 2), 0);
            m_f->commands.SetRandomSeed(seed);
            m_f->commands.ShuffleList();
            for (int step = 1, row = 0; step <= rows.size(); ++step) {
                row = int(rows.indexOf(m_f->paths().at(row)));
                QCOMPARE(row == 0, step == rows.size());
            }
            const int current = m_f->transport.CurrFileIndex();
            QVERIFY(m_f->model.FilePath(current) == rows.first() && m_f->numbers() == CountTo(rows.size()));
            QCOMPARE(m_f->model.RowColor(current) == PlaylistModel::PlayingColor, seed % 2 == 1);
        }
    }

    // The click that closes the list menu reaches the button too: only every other click opens it.
    void listMenuOnEveryOtherClick()
    {
        QSignalSpy menu(&m_f->commands, &PlaylistCommands::ListButtonMenuRequested);
        for (int click = 1; click <= 3; ++click)
            m_f->commands.ListBtn_Click(3);
        QCOMPARE(menu.count(), 2);
    }
};

QTEST_GUILESS_MAIN(TestPlaylistCommands)
#include "tst_playlistcommands.moc"
