#include "playlist/listfile.h"
#include "playlist/playlistfilter.h"
#include "tests/support/filetree.h"
#include "tests/support/playlistfixture.h"
#include "tests/support/texttablerow.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

// The rows a typed filter shows, and what the list's commands do to the rows picked through it.
class TestPlaylistFilter : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    std::unique_ptr<PlaylistFixture> m_f;
    std::unique_ptr<PlaylistFilter> m_filter;
    std::unique_ptr<QAbstractItemModelTester> m_tester;

    // "number:name" of every row a filter shows, as the view shows them.
    static QString shown(const PlaylistFilter& filter)
    {
        QStringList out;
        for (int row = 0; row < filter.rowCount(); ++row)
            out.append(filter.index(row, PlaylistModel::ColNumber).data().toString() + u':'
                + filter.index(row, PlaylistModel::ColFileName).data().toString());
        return out.join(u", ");
    }

private slots:
    void init()
    {
        m_tester.reset();
        m_filter.reset();
        m_f = std::make_unique<PlaylistFixture>(m_dir.path());
        m_filter = std::make_unique<PlaylistFilter>(m_f->model);
        m_tester = std::make_unique<QAbstractItemModelTester>(
            m_filter.get(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    }

    // "paths|typed, in steps separated by >" => "number:name" of the rows shown.
    void matches_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("expected");
        AddTextTableRows(uR"(
case does not matter: /m/Boss Fight.swf,/m/menu.swf,/m/boss_intro.swf|BOSS => 1:Boss Fight.swf, 3:boss_intro.swf
full-width letters in the name: /m/ＡＢＣ动画.swf,/m/abd.swf|abc => 1:ＡＢＣ动画.swf
every word, in any order: /m/cat and dog.swf,/m/dog.swf,/m/cat.swf|dog  CAT => 1:cat and dog.swf
an ideographic space separates words: /m/第3集 动画.swf,/m/第4集 动画.swf|动画　第4 => 2:第4集 动画.swf
only the file name, not its folder: /boss/a.swf,/m/boss b.swf|boss => 2:boss b.swf
blank text shows every row: /m/a.swf,/m/b.swf|   => 1:a.swf, 2:b.swf
typed in steps: /1 a.swf,/12 ab.swf,/2 a.swf,/21 b.swf|1>1 >1 a>1 ab>12>1 => 1:1 a.swf, 2:12 ab.swf, 4:21 b.swf
)"_qs);
    }
    void matches()
    {
        QFETCH(QString, given);
        QFETCH(QString, expected);
        m_f->add(given.section(u'|', 0, 0).split(u','));
        for (const QString& typed : given.section(u'|', 1).split(u'>'))
            m_filter->SetFilterText(typed);
        QCOMPARE(shown(*m_filter), expected);
    }

    // A row picked among the matches is the playlist row with that name: played, deleted (nothing hidden with it),
    // and the selection then moves to a match, never to a hidden row. The list's commands work on the whole list
    // and the filter follows them: the shown rows are the matching rows of the new contents, numbered as the whole
    // list. "action shown-row => current row|rows|selected row"; row 1 plays, the files of b1, y and B3 exist.
    void pickedThroughTheFilter_data()
    {
        TextTable(uR"(
double click on the second match: play 2 => 3|b1 x b2 y B3 z|3
Delete takes the second match only: delete 2 => 1|b1 x y B3 z|4
Delete of the last match selects the one above: delete 3 => 1|b1 x b2 y z|3
remove missing: missing 2 => 1|b1 y B3|0
sort by name: sort 3 => 1|b1 b2 B3 x y z|3
add rows: add 2 => 1|b1 x b2 y B3 z b4 w|3
)"_qs);
    }
    void pickedThroughTheFilter()
    {
        const auto [given, expected] = TextRow();
        QStringList paths;
        for (const QString name : { u"b1"_qs, u"x"_qs, u"b2"_qs, u"y"_qs, u"B3"_qs, u"z"_qs, u"b4"_qs, u"w"_qs })
            paths.append(m_dir.filePath(name + u".swf"_qs));
        QVERIFY(MakeTree(m_dir.path(), u"b1.swf y.swf B3.swf"_qs));
        m_f->add(paths.first(6));
        m_f->transport.setUp(1, TransportControl::Playing);
        m_filter->SetFilterText(u"b"_qs);
        const QString action = given.section(u' ', 0, 0);
        // As a click in the view selects it.
        m_filter->selectionModel()->setCurrentIndex(
            m_filter->index(given.section(u' ', 1).toInt() - 1, 0), QItemSelectionModel::ClearAndSelect);
        action == u"play"          ? m_f->commands.PlaySelected()
            : action == u"delete"  ? m_f->commands.DeleteSelectedItem()
            : action == u"missing" ? m_f->commands.RemoveMissingItems()
            : action == u"sort"    ? m_f->commands.SortByName()
                                   : m_f->add(paths.mid(6));
        const QString names = m_f->paths().join(u' ').remove(m_dir.path() + u'/').remove(u".swf"_qs);
        QCOMPARE(u"%1|%2|%3"_qs.arg(m_f->transport.CurrFileIndex()).arg(names).arg(m_f->model.SelectedRow()), expected);
        PlaylistFilter fresh(m_f->model); // typed anew over the rows as they are now
        fresh.SetFilterText(u"b"_qs);
        QCOMPARE(shown(*m_filter), shown(fresh));
    }
};

QTEST_GUILESS_MAIN(TestPlaylistFilter)
#include "tst_playlistfilter.moc"
