#include "swf/formatting.h"
#include "tests/support/playlistfixture.h"
#include "tests/support/testdir.h"
#include "tools/swfgen/swfwriter.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class TestPlaylistModel : public QObject {
    Q_OBJECT
private slots:
    // Only names ending in ".swf" (any case) are added, numbered and named after the last "/". Reading headers
    // fills the durations (a missing file's is zero, not the previous one's); a file that is not a movie is
    // reported; "play now" plays the row.
    void addFileToList()
    {
        QTemporaryDir dir;
        const QString movie = dir.filePath(u"long.swf"_qs);
        QVERIFY(swfgen::WriteMovieFile(movie, { .frameRate = 1.0, .frameCount = 125 })
            && WriteAll(dir.filePath(u"text.swf"_qs), "not a movie"));
        PlaylistFixture f;
        {
            const PlaylistModel::Batch batch(f.model); // read while still pending
            for (const QString& path : { u"/动画/猫.SwF"_qs, u"/m/a.swf.bak"_qs, u"swf"_qs, QString(), u".swf"_qs })
                f.model.AddFileToList(path, false, false);
            QCOMPARE(f.model.FileName(1) + f.model.FileName(2) + f.model.Text(2, PlaylistModel::ColNumber),
                u"猫.SwF.swf2"_qs);
        }
        QSignalSpy notFlash(&f.model, &PlaylistModel::NotFlashFile);
        f.model.AddFileToList(movie, false, true);
        f.model.AddFileToList(dir.filePath(u"text.swf"_qs), false, true);
        QCOMPARE(f.model.AddFileToList(dir.filePath(u"gone.swf"_qs), true, true), 5);
        QCOMPARE(f.model.Text(3, PlaylistModel::ColTimeShort) + f.model.Text(5, PlaylistModel::ColTimeFull),
            FormatDuration(125, DurationShort) + FormatDuration(0, DurationFull));
        QVERIFY(notFlash.count() == 1 && notFlash.first().first().toString().endsWith(u"text.swf"_qs));
        QCOMPARE(f.transport.calls.join(u','), u"SetPlayState 0,SetCurrFileIndex 5,PlayerBtns_Click 0"_qs);
    }

    // Columns are fitted to their contents at 1-9 rows, then at every round count: 10, 20 ... 100, 200.
    void columnFitCounts()
    {
        QString fitted;
        for (int n : { 0, 1, 9, 10, 11, 20, 99, 100, 101, 110, 200 })
            fitted += PlaylistModel::ShouldFitColumns(n) ? u'+' : u'-';
        QCOMPARE(fitted, u"-+++-+-+--+"_qs);
    }

    // Row 2 was marked and selected: the mark moves to the current row (all rows when out of range lose it), which
    // is selected and scrolled to when in range. Then even rows go; few removed ranges are announced one by one,
    // many with one reset, and the selection follows its row or goes with it.
    void markAndRemove()
    {
        for (int current : { 0, 1, 3, 4 }) {
            PlaylistFixture f;
            f.add({ u"/a.swf"_qs, u"/b.swf"_qs, u"/c.swf"_qs });
            f.model.MarkPlayingItem(2);
            f.model.SetListFontColor(0xFF00FF);
            QSignalSpy scroll(&f.model, &PlaylistModel::ScrollToRow);
            f.model.MarkPlayingItem(current);
            for (int row = 1; row <= 3; ++row)
                QCOMPARE(f.model.data(f.model.index(row - 1, PlaylistModel::ColTimeShort), Qt::ForegroundRole),
                    PlaylistModel::ToQColor(row == current ? PlaylistModel::PlayingColor : 0xFF00FF));
            QCOMPARE(f.model.SelectedRow(), current % 4 ? current : 2);
            QCOMPARE(scroll.count(), current % 4 ? 1 : 0);
        }
        for (const QList<int>& c : { QList<int> { 10, 5, 3 }, { 10, 6, 0 }, { 200, 101, 51 }, { 200, 100, 0 } }) {
            PlaylistFixture f;
            for (int n = 1; n <= c[0]; ++n)
                f.add({ u"%1.swf"_qs.arg(n) });
            f.model.SelectRow(c[1]);
            QCOMPARE(f.model.RemoveRowsIf([](int row, const PlaylistItem&) { return row % 2 == 0; }), c[0] / 2);
            QCOMPARE(f.paths().last(), u"%1.swf"_qs.arg(c[0] - 1));
            QVERIFY(f.paths().size() == c[0] / 2 && f.model.SelectedRow() == c[2]);
        }
    }
};

QTEST_GUILESS_MAIN(TestPlaylistModel)
#include "tst_playlistmodel.moc"
