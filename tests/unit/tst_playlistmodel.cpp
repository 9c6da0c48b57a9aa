#include "swf/formatting.h"
#include "tests/support/playlistfixture.h"
#include "tests/support/testdir.h"
#include "tools/swfgen/swfwriter.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestPlaylistModel : public QObject {
    Q_OBJECT
private slots:
    // Only names ending in ".swf" (any case) are added; columns are fitted at 1-9, 10, 20, ..., 100, 200 rows.
    void addFileToList()
    {
        PlaylistFixture f;
        QSignalSpy fits(&f.model, &PlaylistModel::ColumnsNeedFitting);
        QList<int> fittedAt;
        for (int n = 1; n <= 205; ++n) {
            QCOMPARE(f.model.AddFileToList(n == 2 ? u"/动画/猫.SwF"_s : u".swf"_s, false, false), n);
            if (fits.count() > fittedAt.size())
                fittedAt.append(n);
        }
        QCOMPARE(fittedAt, QList<int>({ 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 200 }));
        for (const QString& path : { u"/m/a.swf.bak"_s, u"swf"_s, QString() })
            QCOMPARE(f.model.AddFileToList(path, false, false), 0);
        QCOMPARE(f.model.FileName(2) + f.model.FileName(205) + f.model.Text(205, PlaylistModel::ColNumber),
            u"猫.SwF.swf205"_s);
        QCOMPARE(
            f.model.FilePath(0) + f.model.FileName(206) + f.model.Text(206, PlaylistModel::ColFilePath), QString());
        // Inside a batch, rows reach the views in one insertion and columns are fitted once, at its end.
        f.model.Clear();
        QSignalSpy inserted(&f.model, &QAbstractItemModel::rowsInserted);
        fits.clear();
        {
            PlaylistModel::Batch outer(f.model);
            PlaylistModel::Batch inner(f.model);
            f.add(QList<QString>(25, u"a.swf"_s));
            QCOMPARE(f.model.rowCount(), 0);
            f.model.SetDurations(25, u"1:00"_s, u"00:01:00"_s);
        }
        f.model.RenumberList(); // a later change fits nothing more
        QVERIFY(inserted.count() == 1 && fits.count() == 1);
        QCOMPARE(f.model.data(f.model.index(24, PlaylistModel::ColTimeFull)).toString(), u"00:01:00"_s);
    }

    // Reading headers fills the durations; a file that is not a movie is reported; "play now" plays the row.
    void headersAndPlayNow()
    {
        QTemporaryDir dir;
        swfgen::MovieSpec spec;
        spec.frameRate = 1.0;
        spec.frameCount = 125;
        const QString movie = dir.filePath(u"long.swf"_s);
        const QString text = dir.filePath(u"text.swf"_s);
        QVERIFY(swfgen::WriteMovieFile(movie, spec) && WriteAll(text, "not a movie"));
        PlaylistFixture f;
        QSignalSpy notFlash(&f.model, &PlaylistModel::NotFlashFile);
        f.add({ movie });
        f.model.AddFileToList(movie, false, true);
        f.model.AddFileToList(text, false, true);
        QCOMPARE(f.model.AddFileToList(dir.filePath(u"gone.swf"_s), true, true), 4);
        QCOMPARE(f.model.Text(1, PlaylistModel::ColTimeFull) + f.model.Text(2, PlaylistModel::ColTimeShort) + u'|'
                + f.model.Text(2, PlaylistModel::ColTimeFull) + u'|' + f.model.Text(4, PlaylistModel::ColTimeFull),
            FormatDuration(125, DurationShort) + u'|' + FormatDuration(125, DurationFull) + u'|'
                + FormatDuration(0, DurationFull)); // the missing file's is not the previous one's
        QCOMPARE(notFlash.count(), 1);
        QCOMPARE(notFlash.first().first().toString(), text);
        QCOMPARE(f.transport.calls.join(u','), u"SetPlayState 0,SetCurrFileIndex 4,PlayerBtns_Click 0"_s);
        QCOMPARE(f.model.RowColor(4), PlaylistModel::PlayingColor);
    }

    // Row 2 was marked and selected; a current row out of range leaves the selection.
    void markPlayingItem_data()
    {
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("selected");
        QTest::newRow("no current row") << 0 << 2;
        QTest::newRow("first") << 1 << 1;
        QTest::newRow("last") << 3 << 3;
        QTest::newRow("beyond the list") << 4 << 2;
    }
    void markPlayingItem()
    {
        QFETCH(int, current);
        QFETCH(int, selected);
        PlaylistFixture f;
        f.add({ u"/a.swf"_s, u"/b.swf"_s, u"/c.swf"_s });
        f.model.MarkPlayingItem(2);
        f.model.SetListFontColor(0xFF00FF);
        QSignalSpy scroll(&f.model, &PlaylistModel::ScrollToRow);
        QSignalSpy colors(&f.model, &QAbstractItemModel::dataChanged);
        f.model.MarkPlayingItem(current);
        QCOMPARE(colors.count(), 1);
        for (int row = 1; row <= 3; ++row) {
            const QModelIndex index = f.model.index(row - 1, PlaylistModel::ColTimeShort);
            QCOMPARE(f.model.data(index, Qt::ForegroundRole).value<QColor>(),
                PlaylistModel::ToQColor(row == current ? PlaylistModel::PlayingColor : 0xFF00FF));
        }
        QCOMPARE(f.model.SelectedRow(), selected);
        QCOMPARE(scroll.count(), selected == current ? 1 : 0);
    }

    // Even rows go; few removed ranges are announced one by one, many with one reset.
    void removeRowsIf_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("selectedAfter");
        QTest::newRow("few ranges, selection follows its row") << 10 << 5 << 3;
        QTest::newRow("few ranges, selected row removed") << 10 << 6 << 0;
        QTest::newRow("many ranges, selection follows its row") << 200 << 101 << 51;
        QTest::newRow("many ranges, selected row removed") << 200 << 100 << 0;
    }
    void removeRowsIf()
    {
        QFETCH(int, rows);
        QFETCH(int, selected);
        QFETCH(int, selectedAfter);
        PlaylistFixture f;
        for (int n = 1; n <= rows; ++n)
            f.add({ u"%1.swf"_s.arg(n) });
        f.model.SelectRow(selected);
        QCOMPARE(f.model.RemoveRowsIf([](int row, const PlaylistItem&) { return row % 2 == 0; }), rows / 2);
        f.model.RemoveRow(0);
        f.model.RemoveRow(rows / 2 + 1);
        QCOMPARE(f.paths().size(), rows / 2);
        QCOMPARE(f.paths().last(), u"%1.swf"_s.arg(rows - 1));
        QCOMPARE(f.model.SelectedRow(), selectedAfter);
    }
};

QTEST_GUILESS_MAIN(TestPlaylistModel)
#include "tst_playlistmodel.moc"
