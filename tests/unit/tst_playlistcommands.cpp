#include "core/inifile.h"
#include "tests/support/fakeflashcontrol.h"
#include "tests/support/playlistfixture.h"
#include "tests/support/testdir.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace Qt::StringLiterals;

namespace {
// One row per letter: "ab" is /m/a.swf, /m/b.swf.
QStringList letters(QStringView text)
{
    QStringList out;
    for (QChar c : text)
        out.append(u"/m/"_s + c + u".swf"_s);
    return out;
}
} // namespace

// Table rows are strings: "|" between fields, "," between the transport calls a command makes.
class TestPlaylistCommands : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    std::unique_ptr<PlaylistFixture> m_f;
    FakeFlashControl m_flash;

    // A current row that plays is marked and loaded.
    void fill(const QStringList& paths, int current = 0, int state = TransportControl::Stopped, int selected = 0)
    {
        m_f->add(paths);
        m_f->transport.setUp(current, state);
        if (current >= 1 && state != TransportControl::Stopped) {
            m_f->model.MarkPlayingItem(current);
            m_flash.LoadMovie(0, m_f->model.FilePath(current));
        }
        m_f->model.SelectRow(selected);
    }
    QString calls() const { return m_f->transport.calls.join(u','); }
    QString ini(const char* key) const
    {
        return ReadIni(m_f->settings.IniFile, u"Options"_s, QString::fromLatin1(key), 255);
    }
private slots:
    void init()
    {
        m_f = std::make_unique<PlaylistFixture>(m_dir.path());
        m_f->settings.IniFile = m_dir.filePath(u"Quenbarrowick.ini"_s);
        QFile::remove(m_f->settings.IniFile);
        m_f->settings.ListFontColor = 0x111111;
        m_f->commands.SetFlashControl(&m_flash);
        m_f->commands.ApplyListFont();
    }

    // "rows, playing row, selected row|calls|selection after"
    void deleteSelected_data()
    {
        QTest::addColumn<QString>("row");
        QTest::newRow("playing middle row: the next one plays")
            << "5 3 3|SetPlayState 0,SetCurrFileIndex 3,PlayerBtns_Click 0|3";
        QTest::newRow("playing last row: row 1 plays")
            << "5 5 5|SetPlayState 0,SetCurrFileIndex 1,PlayerBtns_Click 0|1";
        QTest::newRow("the only row: playback stops") << "1 1 1|SetPlayState 0|0";
        QTest::newRow("row before the playing one") << "5 4 2|SetCurrFileIndex 3|2";
        QTest::newRow("last row, after the playing one") << "5 2 5||4";
        QTest::newRow("no selection") << "2 1 0||0";
    }
    void deleteSelected()
    {
        QFETCH(QString, row);
        const QStringList fields = row.split(u'|');
        QList<int> n;
        for (const QString& number : fields.at(0).split(u' '))
            n.append(number.toInt());
        QStringList expected = letters(u"abcde"_s.left(n[0]));
        fill(expected, n[1], TransportControl::Playing, n[2]);
        if (n[2])
            expected.removeAt(n[2] - 1);
        m_f->commands.ListBtn_Click(1);
        QCOMPARE(m_f->paths(), expected);
        QCOMPARE(calls(), fields.at(1));
        QCOMPARE(m_f->model.SelectedRow(), fields.at(2).toInt());
        QCOMPARE(m_f->numbers(), CountTo(m_f->model.RowCount()));
        QVERIFY(n[0] == 1 || m_f->model.RowColor(m_f->transport.CurrFileIndex()) == PlaylistModel::PlayingColor);
    }

    void clearAndListMenu()
    {
        m_f->commands.ListBtn_Click(2);
        fill(letters(u"abc"), 2, TransportControl::Playing, 2);
        m_f->commands.ListBtn_Click(2);
        QCOMPARE(m_f->model.RowCount(), 0);
        QCOMPARE(calls(), u"SetCurrFileIndex 0,SetPlayState 0"_s);
        // The click that closes the menu reaches the button too: only every other click opens it.
        QSignalSpy menu(&m_f->commands, &PlaylistCommands::ListButtonMenuRequested);
        for (int click = 1; click <= 3; ++click)
            m_f->commands.ListBtn_Click(3);
        QCOMPARE(menu.count(), 2);
    }

    // "rows, current row, state, loaded movie (- for the current row's)|rows after, current after". The
    // current row after is also the selection and the green row; while stopped nothing but the rows change.
    void removeDuplicates_data()
    {
        QTest::addColumn<QString>("row");
        QTest::newRow("stopped; letter case differs") << "ABAaB 5 0 -|ABa 5";
        QTest::newRow("playing the second copy moves to the first") << "ABACB 5 1 -|ABC 2";
        QTest::newRow("paused counts as loaded") << "ABACB 4 2 -|ABC 3";
        QTest::newRow("loaded movie has no row") << "A 1 1 Z|A 0";
    }
    void removeDuplicates()
    {
        QFETCH(QString, row);
        const QStringList given = row.section(u'|', 0, 0).split(u' ');
        const QStringList after = row.section(u'|', 1).split(u' ');
        const int state = given[2].toInt();
        fill(letters(given[0]), given[1].toInt(), state, 1);
        if (given[3] != u"-")
            m_flash.LoadMovie(0, letters(given[3]).first());
        m_f->commands.RemoveDuplicateItems();
        QCOMPARE(m_f->paths(), letters(after[0]));
        QCOMPARE(m_f->numbers(), CountTo(int(after[0].size())));
        QCOMPARE(m_f->transport.CurrFileIndex(), after[1].toInt());
        QCOMPARE(m_f->model.SelectedRow(), state ? after[1].toInt() : 1);
        for (int r = 1; state && r <= m_f->model.RowCount(); ++r)
            QCOMPARE(m_f->model.RowColor(r) == PlaylistModel::PlayingColor, r == after[1].toInt());
    }

    // "a letter per row, y: the file exists|playing row|playing row after"
    void removeMissing_data()
    {
        QTest::addColumn<QString>("row");
        QTest::newRow("current follows its file") << "nynyy|4|2";
        QTest::newRow("current file gone: the index before the gap") << "ynnyy|3|1";
        QTest::newRow("current first and gone") << "nyy|1|0";
        QTest::newRow("every file gone: playback stops") << "nnn|2|0";
    }
    void removeMissing()
    {
        QFETCH(QString, row);
        const QStringList fields = row.split(u'|');
        QStringList all;
        QStringList kept;
        for (int i = 0; i < fields[0].size(); ++i) {
            all.append(m_dir.filePath(u"movie%1.swf"_s.arg(i)));
            QFile::remove(all.last());
            if (fields[0][i] == u'y' && WriteAll(all.last(), "x"))
                kept.append(all.last());
        }
        fill(all, fields[1].toInt(), TransportControl::Playing);
        m_f->commands.RemoveMissingItems();
        QCOMPARE(m_f->paths(), kept);
        QCOMPARE(m_f->numbers(), CountTo(int(kept.size())));
        QCOMPARE(m_f->transport.CurrFileIndex(), fields[2].toInt());
        QCOMPARE(m_f->transport.PlayState() == TransportControl::Stopped, kept.isEmpty());
    }

    // "key|rows as path:full duration|the order after", paths separated by spaces.
    void sorts_data()
    {
        QTest::addColumn<QString>("row");
        QTest::newRow("name, natural numbers, not the folder")
            << "name|/a/10.swf: /b/2.swf: /c/1.swf:|/c/1.swf /b/2.swf /a/10.swf";
        QTest::newRow("path") << "path|/b/a.swf: /a10/b.swf: /a9/c.swf:|/a9/c.swf /a10/b.swf /b/a.swf";
        QTest::newRow("time: ten minutes after 9:59")
            << "time|/a.swf:00:10:00 /b.swf:00:09:59 /c.swf:01:00:00 /d.swf:|/d.swf /b.swf /a.swf /c.swf";
        QTest::newRow("equal times keep their order") << "time|/b.swf:00:00:05 /a.swf:00:00:05|/b.swf /a.swf";
        QTest::newRow("equal names keep their order") << "name|/y/a.swf: /x/a.swf:|/y/a.swf /x/a.swf";
    }
    void sorts()
    {
        QFETCH(QString, row);
        const QStringList fields = row.split(u'|');
        for (const QString& item : fields[1].split(u' ')) {
            const int added = m_f->model.AddFileToList(item.section(u':', 0, 0), false, false);
            m_f->model.SetDurations(added, QString(), item.section(u':', 1));
        }
        fields[0] == u"name"       ? m_f->commands.SortByName()
            : fields[0] == u"path" ? m_f->commands.SortByDir()
                                   : m_f->commands.SortByTime();
        QCOMPARE(m_f->paths().join(u' '), fields[2]);
    }

    void sortOrder_captionsAndCurrentRow()
    {
        fill({ u"/x/b.swf"_s, u"/y/c.swf"_s, u"/z/a.swf"_s }, 1, TransportControl::Playing, 1);
        QSignalSpy captions(&m_f->commands, &PlaylistCommands::SortOrderCaptionChanged);
        QCOMPARE(m_f->commands.SortOrderCaption(), u"升序"_s);
        m_f->commands.ToggleSortOrder(); // no key yet: by name, ascending
        QCOMPARE(m_f->paths().join(u' '), u"/z/a.swf /x/b.swf /y/c.swf"_s);
        QCOMPARE(m_f->transport.CurrFileIndex(), 2); // the current row follows its file
        QCOMPARE(m_f->model.SelectedRow(), 2);
        QCOMPARE(m_f->model.RowColor(2), PlaylistModel::PlayingColor);
        m_f->commands.ToggleSortOrder();
        m_f->commands.SortByDir(); // the order stays descending for another key
        QCOMPARE(m_f->paths().join(u' '), u"/z/a.swf /y/c.swf /x/b.swf"_s);
        QCOMPARE(captions.count(), 2);
        QCOMPARE(captions.first().first().toString() + m_f->commands.SortOrderCaption(), u"降序升序"_s);
    }

    // One cycle through every row, so two rows always swap; numbers stay, the green mark follows
    // the current file while playing.
    void shuffle()
    {
        for (const QString& rows : { u"ab"_s, u"abcdefghij"_s }) {
            for (quint64 seed = 0; seed < 4; ++seed) {
                m_f->model.Clear();
                fill(letters(rows), 1, int(seed % 2));
                m_f->commands.SetRandomSeed(seed);
                m_f->commands.ShuffleList();
                int row = 0;
                for (int step = 1; step <= rows.size(); ++step) {
                    row = int(letters(rows).indexOf(m_f->paths().at(row)));
                    QCOMPARE(row == 0, step == rows.size());
                }
                const int current = m_f->transport.CurrFileIndex();
                QCOMPARE(m_f->model.FilePath(current), letters(rows).first());
                QCOMPARE(m_f->numbers(), CountTo(rows.size()));
                QCOMPARE(m_f->model.RowColor(current) == PlaylistModel::PlayingColor, seed % 2 == 1);
            }
        }
    }

    void listColorAndFont()
    {
        fill(letters(u"abc"), 1, TransportControl::Playing);
        m_f->commands.ChooseListColor(); // cancelled: the colour stays, and is written
        QCOMPARE(ini("ListFontColor"), QString::number(0x111111));
        m_f->ui.color = 0x0000FF;
        m_f->commands.ChooseListColor();
        QCOMPARE(m_f->model.RowColor(2), 0x111111); // until the next mark
        m_f->model.MarkPlayingItem(2);
        QCOMPARE(m_f->model.RowColor(1), m_f->settings.ListFontColor);
        QCOMPARE(ini("ListFontColor"), QString::number(0x0000FF));
        // Only an installed font is applied and written; the font in memory is the start-up one.
        m_f->ui.installedFonts = { u"Noto Sans"_s };
        QSignalSpy fonts(&m_f->commands, &PlaylistCommands::ListFontChanged);
        for (const QString& name : { QString(), u"Nowhere Sans"_s, u"Noto Sans"_s }) {
            m_f->ui.font = ListFontChoice { name, 10.5, true, false };
            m_f->commands.ChooseListFont();
            m_f->settings.ListFontName = name; // at start-up: the saved font when installed
            m_f->commands.ApplyListFont();
        }
        QCOMPARE(fonts.count(), 2);
        QCOMPARE(ini("ListFontName") + ini("ListFontSize") + ini("ListFontBold") + ini("ListFontItalic"),
            u"Noto Sans10.5TrueFalse"_s);
        m_f->add({ u"/d.swf"_s }); // new rows take the saved colour
        QCOMPARE(m_f->model.RowColor(4), 0x0000FF);
    }

    // "rows|key|selected row (row 1 plays)|outcome|calls"
    void listKeys_data()
    {
        QTest::addColumn<QString>("row");
        QTest::newRow("Enter on another row plays it")
            << "3|16777220|2|1|SetPlayState 0,SetCurrFileIndex 2,PlayerBtns_Click 0";
        QTest::newRow("keypad Enter too") << "3|16777221|2|1|SetPlayState 0,SetCurrFileIndex 2,PlayerBtns_Click 0";
        QTest::newRow("Enter on the current row does nothing") << "3|16777220|1|1|";
        QTest::newRow("Delete removes the selected row") << "3|16777223|3|1|";
        QTest::newRow("other keys go to the window") << "3|32|2|2|";
        QTest::newRow("empty list: ignored") << "0|16777220|0|0|";
    }
    void listKeys()
    {
        QFETCH(QString, row);
        const QStringList f = row.split(u'|');
        const int rows = f[0].toInt();
        fill(letters(u"abc"_s.left(rows)), rows ? 1 : 0, rows ? TransportControl::Playing : TransportControl::Stopped,
            f[2].toInt());
        QCOMPARE(m_f->commands.LeftPressMovesWindow(), rows == 0); // an empty list is a handle for the window
        QCOMPARE(int(m_f->commands.ListKeyDown(f[1].toInt())), f[3].toInt());
        QCOMPARE(calls(), f[4]);
        QCOMPARE(m_f->model.RowCount(), f[1].toInt() == Qt::Key_Delete ? rows - 1 : rows);
    }

    void mouseAndFolder()
    {
        const QString here = m_dir.filePath(u"here.swf"_s);
        QVERIFY(WriteAll(here, "x"));
        fill({ here, m_dir.filePath(u"gone.swf"_s) });
        m_f->commands.RightPress(1); // the row under the pointer becomes the selected row
        m_f->commands.RightPress(3);
        m_f->commands.OpenSelectedFolder();
        m_f->commands.RightPress(2);
        m_f->commands.OpenSelectedFolder(); // a missing file shows nothing
        m_f->commands.RightPress(0);
        QCOMPARE(m_f->model.SelectedRow(), 2);
        QCOMPARE(m_f->ui.calls, QStringList { u"RevealFile "_s + here });
    }
};

QTEST_GUILESS_MAIN(TestPlaylistCommands)
#include "tst_playlistcommands.moc"
