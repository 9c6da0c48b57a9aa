#include "core/inifile.h"
#include "tests/support/fakeflashcontrol.h"
#include "tests/support/playlistfixture.h"
#include "tests/support/testdir.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
#include <memory>

namespace {
// One row per letter: "ab" is /m/a.swf, /m/b.swf.
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
    QTemporaryDir m_dir;
    std::unique_ptr<PlaylistFixture> m_f;
    FakeFlashControl m_flash;

    // Rows, the current row and the state (a current row that plays is marked and loaded), the selection.
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
    QString ini(const char* key) const
    {
        return ReadIni(m_f->settings.IniFile, QStringLiteral("Options"), QString::fromLatin1(key), IniValueBuffer);
    }
private slots:
    void init()
    {
        m_f = std::make_unique<PlaylistFixture>(m_dir.path());
        m_f->settings.IniFile = m_dir.filePath(QStringLiteral("Quenbarrowick.ini"));
        QFile::remove(m_f->settings.IniFile);
        m_f->settings.ListFontColor = 0x111111;
        m_f->commands.SetFlashControl(&m_flash);
        m_f->commands.ApplyListFont();
    }

    void deleteSelected_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("current"); // playing
        QTest::addColumn<int>("selected");
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<int>("selectedAfter");
        const QStringList restart1 { u"SetPlayState 0"_s, u"SetCurrFileIndex 1"_s, u"PlayerBtns_Click 0"_s };
        QTest::newRow("playing middle row: the row that followed plays")
            << 5 << 3 << 3 << QStringList { u"SetPlayState 0"_s, u"SetCurrFileIndex 3"_s, u"PlayerBtns_Click 0"_s }
            << 3;
        QTest::newRow("playing last row: row 1 plays") << 5 << 5 << 5 << restart1 << 1;
        QTest::newRow("the only row: playback stops") << 1 << 1 << 1 << QStringList { u"SetPlayState 0"_s } << 0;
        QTest::newRow("row before the playing one") << 5 << 4 << 2 << QStringList { u"SetCurrFileIndex 3"_s } << 2;
        QTest::newRow("last row, after the playing one") << 5 << 2 << 5 << QStringList() << 4;
        QTest::newRow("no selection") << 2 << 1 << 0 << QStringList() << 0;
    }
    void deleteSelected()
    {
        QFETCH(int, rows);
        QFETCH(int, current);
        QFETCH(int, selected);
        QFETCH(QStringList, calls);
        QFETCH(int, selectedAfter);
        QStringList expected = letters(QStringLiteral("abcde").left(rows));
        fill(expected, current, TransportControl::Playing, selected);
        if (selected)
            expected.removeAt(selected - 1);
        m_f->commands.ListBtn_Click(1);
        QCOMPARE(m_f->paths(), expected);
        QCOMPARE(m_f->transport.calls, calls);
        QCOMPARE(m_f->model.SelectedRow(), selectedAfter);
        QCOMPARE(m_f->numbers(), CountTo(m_f->model.RowCount()));
        QVERIFY(rows == 1 || m_f->model.RowColor(m_f->transport.CurrFileIndex()) == PlaylistModel::PlayingColor);
    }

    void clearAndListMenu()
    {
        m_f->commands.ListBtn_Click(2);
        QCOMPARE(m_f->transport.calls, QStringList());
        fill(letters(QStringLiteral("abc")), 2, TransportControl::Playing, 2);
        m_f->commands.ListBtn_Click(2);
        QCOMPARE(m_f->model.RowCount(), 0);
        QCOMPARE(m_f->transport.calls, QStringList({ u"SetCurrFileIndex 0"_s, u"SetPlayState 0"_s }));
        // The click that closes the menu reaches the button too: only every other click opens it.
        QSignalSpy menu(&m_f->commands, &PlaylistCommands::ListButtonMenuRequested);
        for (int click = 1; click <= 3; ++click)
            m_f->commands.ListBtn_Click(3);
        QCOMPARE(menu.count(), 2);
    }

    void removeDuplicates_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("movie"); // loaded instead of the current row's
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("currentAfter"); // also the selection and the green row
        QTest::newRow("stopped; letter case differs") << "ABAaB" << 5 << 0 << ""
                                                      << "ABa" << 5;
        QTest::newRow("playing the second copy moves to the first") << "ABACB" << 5 << 1 << ""
                                                                    << "ABC" << 2;
        QTest::newRow("paused counts as loaded") << "ABACB" << 4 << 2 << ""
                                                 << "ABC" << 3;
        QTest::newRow("loaded movie has no row") << "A" << 1 << 1 << "/m/Z.swf"
                                                 << "A" << 0;
    }
    void removeDuplicates()
    {
        QFETCH(QString, list);
        QFETCH(int, current);
        QFETCH(int, state);
        QFETCH(QString, movie);
        QFETCH(QString, expected);
        QFETCH(int, currentAfter);
        fill(letters(list), current, state, 1);
        if (!movie.isEmpty())
            m_flash.LoadMovie(0, movie);
        m_f->commands.RemoveDuplicateItems();
        QCOMPARE(m_f->paths(), letters(expected));
        QCOMPARE(m_f->numbers(), CountTo(int(expected.size())));
        QCOMPARE(m_f->transport.CurrFileIndex(), currentAfter);
        QCOMPARE(m_f->model.SelectedRow(), state ? currentAfter : 1);
        for (int row = 1; state && row <= m_f->model.RowCount(); ++row)
            QCOMPARE(m_f->model.RowColor(row) == PlaylistModel::PlayingColor, row == currentAfter);
    }

    void removeMissing_data()
    {
        QTest::addColumn<QString>("exists"); // one letter per row: y exists, n does not
        QTest::addColumn<int>("current"); // playing
        QTest::addColumn<int>("currentAfter");
        QTest::newRow("current follows its file") << "nynyy" << 4 << 2;
        QTest::newRow("current file gone: the index before the gap") << "ynnyy" << 3 << 1;
        QTest::newRow("current first and gone") << "nyy" << 1 << 0;
        QTest::newRow("every file gone: playback stops") << "nnn" << 2 << 0;
        QTest::newRow("index beyond the list untouched") << "nyy" << 7 << 7;
    }
    void removeMissing()
    {
        QFETCH(QString, exists);
        QFETCH(int, current);
        QFETCH(int, currentAfter);
        QStringList all;
        QStringList kept;
        for (int i = 0; i < exists.size(); ++i) {
            all.append(m_dir.filePath(QStringLiteral("movie%1.swf").arg(i)));
            QVERIFY(exists.at(i) == u'y' ? WriteAll(all.last(), "x")
                                         : !QFile::exists(all.last()) || QFile::remove(all.last()));
            if (exists.at(i) == u'y')
                kept.append(all.last());
        }
        fill(all, current, current <= all.size() ? TransportControl::Playing : TransportControl::Stopped);
        m_f->commands.RemoveMissingItems();
        QCOMPARE(m_f->paths(), kept);
        QCOMPARE(m_f->numbers(), CountTo(int(kept.size())));
        QCOMPARE(m_f->transport.CurrFileIndex(), currentAfter);
        QCOMPARE(m_f->transport.PlayState() == TransportControl::Stopped, kept.isEmpty() || current > all.size());
    }

    // Rows are "path|full duration"; the expected order lists the paths.
    void sorts_data()
    {
        QTest::addColumn<QString>("by");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("name, natural numbers, not the folder")
            << "name" << QStringList { u"/a/10.swf|"_s, u"/b/2.swf|"_s, u"/c/1.swf|"_s }
            << QStringList { u"/c/1.swf"_s, u"/b/2.swf"_s, u"/a/10.swf"_s };
        QTest::newRow("path") << "path" << QStringList { u"/b/a.swf|"_s, u"/a10/b.swf|"_s, u"/a9/c.swf|"_s }
                              << QStringList { u"/a9/c.swf"_s, u"/a10/b.swf"_s, u"/b/a.swf"_s };
        QTest::newRow("time: ten minutes after 9:59")
            << "time" << QStringList { u"/a.swf|00:10:00"_s, u"/b.swf|00:09:59"_s, u"/c.swf|01:00:00"_s, u"/d.swf|"_s }
            << QStringList { u"/d.swf"_s, u"/b.swf"_s, u"/a.swf"_s, u"/c.swf"_s };
        QTest::newRow("equal keys keep their order")
            << "time" << QStringList { u"/b.swf|00:00:05"_s, u"/a.swf|00:00:05"_s }
            << QStringList { u"/b.swf"_s, u"/a.swf"_s };
        QTest::newRow("equal names keep their order")
            << "name" << QStringList { u"/y/a.swf|"_s, u"/x/a.swf|"_s } << QStringList { u"/y/a.swf"_s, u"/x/a.swf"_s };
    }
    void sorts()
    {
        QFETCH(QString, by);
        QFETCH(QStringList, rows);
        QFETCH(QStringList, expected);
        for (const QString& row : rows)
            m_f->model.SetDurations(
                m_f->model.AddFileToList(row.section(u'|', 0, 0), false, false), QString(), row.section(u'|', 1));
        by == u"name"       ? m_f->commands.SortByName()
            : by == u"path" ? m_f->commands.SortByDir()
                            : m_f->commands.SortByTime();
        QCOMPARE(m_f->paths(), expected);
    }

    void sortOrder_captionsAndCurrentRow()
    {
        fill({ u"/x/b.swf"_s, u"/y/c.swf"_s, u"/z/a.swf"_s }, 1, TransportControl::Playing, 1);
        QSignalSpy captions(&m_f->commands, &PlaylistCommands::SortOrderCaptionChanged);
        QCOMPARE(m_f->commands.SortOrderCaption(), QStringLiteral("升序"));
        m_f->commands.ToggleSortOrder(); // no key yet: by name, ascending
        QCOMPARE(m_f->paths(), QStringList({ u"/z/a.swf"_s, u"/x/b.swf"_s, u"/y/c.swf"_s }));
        QCOMPARE(m_f->transport.CurrFileIndex(), 2); // the current row follows its file
        QCOMPARE(m_f->model.SelectedRow() * 10 + m_f->model.RowColor(2), 20 + PlaylistModel::PlayingColor);
        m_f->commands.ToggleSortOrder();
        QCOMPARE(m_f->paths(), QStringList({ u"/y/c.swf"_s, u"/x/b.swf"_s, u"/z/a.swf"_s }));
        m_f->commands.SortByDir(); // the order stays descending for another key
        QCOMPARE(m_f->paths(), QStringList({ u"/z/a.swf"_s, u"/y/c.swf"_s, u"/x/b.swf"_s }));
        QCOMPARE(captions.count(), 2);
        QCOMPARE(m_f->commands.SortOrderCaption(), QStringLiteral("升序"));
        QCOMPARE(captions.first().first().toString(), QStringLiteral("降序"));
    }

    // The shuffle is one cycle through every row (two rows always swap); numbers and colours stay.
    void shuffle_data()
    {
        QTest::addColumn<QString>("rows");
        QTest::addColumn<int>("state");
        QTest::newRow("two rows, playing") << "ab" << 1;
        QTest::newRow("ten rows, playing") << "abcdefghij" << 1;
        QTest::newRow("ten rows, stopped: no mark") << "abcdefghij" << 0;
    }
    void shuffle()
    {
        QFETCH(QString, rows);
        QFETCH(int, state);
        for (quint64 seed = 0; seed < 5; ++seed) {
            m_f->model.Clear();
            fill(letters(rows), 1, state);
            m_f->commands.SetRandomSeed(seed);
            m_f->commands.ShuffleList();
            const QStringList after = m_f->paths();
            int row = 0;
            for (int step = 1; step <= rows.size(); ++step) {
                row = int(letters(rows).indexOf(after.at(row)));
                QCOMPARE(row == 0, step == rows.size());
            }
            const int current = m_f->transport.CurrFileIndex();
            QCOMPARE(m_f->model.FilePath(current), letters(rows).first());
            QCOMPARE(m_f->numbers(), CountTo(rows.size()));
            QCOMPARE(m_f->model.RowColor(current) == PlaylistModel::PlayingColor, state != 0);
        }
    }

    void listColorAndFont()
    {
        fill(letters(QStringLiteral("abc")), 1, TransportControl::Playing);
        m_f->commands.ChooseListColor(); // cancelled: the colour stays, and is written
        QCOMPARE(ini("ListFontColor"), QString::number(0x111111));
        m_f->ui.color = 0x0000FF;
        m_f->commands.ChooseListColor();
        QCOMPARE(m_f->model.RowColor(2), 0x111111); // until the next mark
        m_f->model.MarkPlayingItem(2);
        QCOMPARE(m_f->model.RowColor(1) + m_f->settings.ListFontColor, 2 * 0x0000FF);
        QCOMPARE(ini("ListFontColor"), QString::number(0x0000FF));
        // Only an installed font is applied and written; the font in memory is the start-up one.
        m_f->ui.installedFonts = { u"Noto Sans"_s };
        QSignalSpy fonts(&m_f->commands, &PlaylistCommands::ListFontChanged);
        for (const char* name : { "", "Nowhere Sans", "Noto Sans" }) {
            m_f->ui.font = ListFontChoice { QString::fromUtf8(name), 10.5, true, false };
            m_f->commands.ChooseListFont();
        }
        QCOMPARE(fonts.count(), 1);
        QCOMPARE(QStringList({ ini("ListFontName"), ini("ListFontSize"), ini("ListFontBold"), ini("ListFontItalic") }),
            QStringList({ u"Noto Sans"_s, u"10.5"_s, u"True"_s, u"False"_s }));
        QVERIFY(m_f->settings.ListFontName.isEmpty());
        // At start-up: the saved font when installed, and the saved colour for new rows.
        m_f->settings.ListFontColor = 0xABCDEF;
        for (const char* name : { "", "Gone Sans", "Noto Sans" }) {
            m_f->settings.ListFontName = QString::fromUtf8(name);
            m_f->commands.ApplyListFont();
        }
        QCOMPARE(fonts.count(), 2);
        QCOMPARE(fonts.last().first().value<ListFontChoice>().name, QStringLiteral("Noto Sans"));
        m_f->model.AddFileToList(QStringLiteral("/d.swf"), false, false);
        QCOMPARE(m_f->model.RowColor(4), 0xABCDEF);
    }

    void listKeys_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("selected"); // row 1 plays
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QStringList>("calls");
        const QStringList play2 { u"SetPlayState 0"_s, u"SetCurrFileIndex 2"_s, u"PlayerBtns_Click 0"_s };
        QTest::newRow("Enter on another row plays it")
            << 3 << int(Qt::Key_Return) << 2 << int(PlaylistCommands::KeyOutcome::Handled) << play2;
        QTest::newRow("keypad Enter too")
            << 3 << int(Qt::Key_Enter) << 2 << int(PlaylistCommands::KeyOutcome::Handled) << play2;
        QTest::newRow("Enter on the current row does nothing")
            << 3 << int(Qt::Key_Return) << 1 << int(PlaylistCommands::KeyOutcome::Handled) << QStringList();
        QTest::newRow("Delete removes the selected row")
            << 3 << int(Qt::Key_Delete) << 3 << int(PlaylistCommands::KeyOutcome::Handled) << QStringList();
        QTest::newRow("other keys go to the window")
            << 3 << int(Qt::Key_Space) << 2 << int(PlaylistCommands::KeyOutcome::ForwardToWindow) << QStringList();
        QTest::newRow("empty list: ignored")
            << 0 << int(Qt::Key_Return) << 0 << int(PlaylistCommands::KeyOutcome::Ignored) << QStringList();
    }
    void listKeys()
    {
        QFETCH(int, rows);
        QFETCH(int, key);
        QFETCH(int, selected);
        QFETCH(int, outcome);
        QFETCH(QStringList, calls);
        fill(letters(QStringLiteral("abc").left(rows)), rows ? 1 : 0,
            rows ? TransportControl::Playing : TransportControl::Stopped, selected);
        QCOMPARE(m_f->commands.LeftPressMovesWindow(), rows == 0);
        QCOMPARE(int(m_f->commands.ListKeyDown(key)), outcome);
        QCOMPARE(m_f->transport.calls, calls);
        QCOMPARE(m_f->model.RowCount(), key == Qt::Key_Delete ? rows - 1 : rows);
    }

    void mouseAndFolder()
    {
        const QString here = m_dir.filePath(QStringLiteral("here.swf"));
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
