#include "playlist/playlistmodel.h"
#include "swf/formatting.h"
#include "tests/support/playlistfixture.h"
#include "tools/swfgen/swfwriter.h"
#include "tests/support/testdir.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {
void addAll(PlaylistModel& model, const QStringList& list)
{
    for (const QString& path : list)
        model.AddFileToList(path, false, false);
}
} // namespace

class TestPlaylistModel : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void addFileToList_acceptsOnlySwfEndings_data();
    void addFileToList_acceptsOnlySwfEndings();
    void addFileToList_fitsColumnsAtRoundCounts();
    void batch_announcesRowsOnceAndFitsOnce();
    void addFileToList_playNow_makesNewRowCurrentAndPlays();
    void addFileToList_readHeader_fillsDurations();
    void addFileToList_notFlash_stillAddsRowAndTells();
    void markPlayingItem_colorsSelectsAndScrolls_data();
    void markPlayingItem_colorsSelectsAndScrolls();
    void removeRowsIf_keepsOrderAndSelection_data();
    void removeRowsIf_keepsOrderAndSelection();

private:
    PlaylistModel* m_model = nullptr;
    QAbstractItemModelTester* m_tester = nullptr;
};

void TestPlaylistModel::init()
{
    m_model = new PlaylistModel;
    m_model->SetListFontColor(0x123456);
    m_tester = new QAbstractItemModelTester(m_model, QAbstractItemModelTester::FailureReportingMode::QtTest);
}

void TestPlaylistModel::cleanup()
{
    delete m_tester;
    delete m_model;
}

void TestPlaylistModel::addFileToList_acceptsOnlySwfEndings_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("fileName");
    QTest::newRow("mixed case ending") << QStringLiteral("/m/a.SwF") << 1 << QStringLiteral("a.SwF");
    QTest::newRow("upper case") << QStringLiteral("/m/B.SWF") << 1 << QStringLiteral("B.SWF");
    QTest::newRow("no separator: whole path") << QStringLiteral("movie.swf") << 1 << QStringLiteral("movie.swf");
    QTest::newRow("bare ending") << QStringLiteral(".swf") << 1 << QStringLiteral(".swf");
    QTest::newRow("backup copy") << QStringLiteral("/m/a.swf.bak") << 0 << QString();
    QTest::newRow("three characters") << QStringLiteral("swf") << 0 << QString();
    QTest::newRow("empty") << QString() << 0 << QString();
    QTest::newRow("list file") << QStringLiteral("/m/list.m3u") << 0 << QString();
    QTest::newRow("chinese name") << QStringLiteral("/动画/猫.swf") << 1 << QStringLiteral("猫.swf");
}

void TestPlaylistModel::addFileToList_acceptsOnlySwfEndings()
{
    QFETCH(QString, path);
    QFETCH(int, result);
    QFETCH(QString, fileName);
    QCOMPARE(m_model->AddFileToList(path, false, false), result);
    QCOMPARE(m_model->RowCount(), result);
    QCOMPARE(m_model->rowCount(), result);
    if (result) {
        QCOMPARE(m_model->Text(1, PlaylistModel::ColFileName), fileName);
        QCOMPARE(m_model->Text(1, PlaylistModel::ColFilePath), path);
        QCOMPARE(m_model->Text(1, PlaylistModel::ColNumber), QStringLiteral("1"));
        QCOMPARE(m_model->RowColor(1), 0x123456);
    }
}

void TestPlaylistModel::addFileToList_fitsColumnsAtRoundCounts()
{
    QSignalSpy fits(m_model, &PlaylistModel::ColumnsNeedFitting);
    QList<int> fittedAt;
    for (int n = 1; n <= 205; ++n) {
        const int before = int(fits.count());
        QCOMPARE(m_model->AddFileToList(QStringLiteral("/m/%1.swf").arg(n), false, false), n);
        if (fits.count() != before)
            fittedAt.append(n);
    }
    const QList<int> expected { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 200 };
    QCOMPARE(fittedAt, expected);
}

void TestPlaylistModel::batch_announcesRowsOnceAndFitsOnce()
{
    QSignalSpy inserted(m_model, &QAbstractItemModel::rowsInserted);
    QSignalSpy fits(m_model, &PlaylistModel::ColumnsNeedFitting);
    {
        PlaylistModel::Batch outer(*m_model);
        {
            PlaylistModel::Batch inner(*m_model);
            for (int n = 1; n <= 25; ++n)
                m_model->AddFileToList(QStringLiteral("/m/%1.swf").arg(n), false, false);
        }
        QCOMPARE(inserted.count(), 0);
        QCOMPARE(m_model->RowCount(), 25);
        QCOMPARE(m_model->rowCount(), 0);
        m_model->SetDurations(25, QStringLiteral("1:00"), QStringLiteral("00:01:00"));
    }
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(inserted.first().at(1).toInt(), 0);
    QCOMPARE(inserted.first().at(2).toInt(), 24);
    QCOMPARE(fits.count(), 1);
    QCOMPARE(m_model->data(m_model->index(24, PlaylistModel::ColTimeFull)).toString(), QStringLiteral("00:01:00"));
}

void TestPlaylistModel::addFileToList_playNow_makesNewRowCurrentAndPlays()
{
    RecordingTransport transport(m_model);
    m_model->SetTransport(&transport);
    addAll(*m_model,
        { QStringLiteral("/m/1.swf"), QStringLiteral("/m/2.swf"), QStringLiteral("/m/3.swf"),
            QStringLiteral("/m/4.swf") });
    QCOMPARE(m_model->AddFileToList(QStringLiteral("/m/5.swf"), true, true), 5);
    QCOMPARE(transport.CurrFileIndex(), 5);
    QCOMPARE(transport.calls,
        (QStringList { QStringLiteral("SetPlayState 0"), QStringLiteral("SetCurrFileIndex 5"),
            QStringLiteral("PlayerBtns_Click 0") }));
    QCOMPARE(m_model->RowColor(5), PlaylistModel::PlayingColor);
    QCOMPARE(m_model->RowColor(4), 0x123456);
}

void TestPlaylistModel::addFileToList_readHeader_fillsDurations()
{
    QTemporaryDir dir;
    swfgen::MovieSpec movieSpec;
    movieSpec.frameRate = 1.0;
    movieSpec.frameCount = 125;
    const QString movie = dir.filePath(QStringLiteral("long.swf"));
    QVERIFY(swfgen::WriteMovieFile(movie, movieSpec));

    m_model->AddFileToList(movie, false, true);
    m_model->AddFileToList(movie, false, false);
    m_model->AddFileToList(dir.filePath(QStringLiteral("missing.swf")), false, true);
    QCOMPARE(m_model->Text(1, PlaylistModel::ColTimeShort), FormatDuration(125, DurationShort));
    QCOMPARE(m_model->Text(1, PlaylistModel::ColTimeFull), FormatDuration(125, DurationFull));
    QVERIFY(m_model->Text(2, PlaylistModel::ColTimeShort).isEmpty());
    QVERIFY(m_model->Text(2, PlaylistModel::ColTimeFull).isEmpty());
    // A file that cannot be read counts as lasting 0 seconds, not as the previous file's length.
    QCOMPARE(m_model->Text(3, PlaylistModel::ColTimeFull), FormatDuration(0, DurationFull));
}

void TestPlaylistModel::addFileToList_notFlash_stillAddsRowAndTells()
{
    QTemporaryDir dir;
    const QString fake = dir.filePath(QStringLiteral("text.swf"));
    QVERIFY(WriteAll(fake, "just some text, not a movie"));
    QSignalSpy notFlash(m_model, &PlaylistModel::NotFlashFile);
    QCOMPARE(m_model->AddFileToList(fake, false, true), 1);
    QCOMPARE(notFlash.count(), 1);
    QCOMPARE(notFlash.first().first().toString(), fake);
    m_model->AddFileToList(dir.filePath(QStringLiteral("missing.swf")), false, true);
    QCOMPARE(notFlash.count(), 1);
}

void TestPlaylistModel::markPlayingItem_colorsSelectsAndScrolls_data()
{
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("selected");
    QTest::addColumn<bool>("scrolled");
    // Row 2 was selected before; with no current row in range the selection is left alone.
    QTest::newRow("no current row") << 0 << 2 << false;
    QTest::newRow("first") << 1 << 1 << true;
    QTest::newRow("last") << 3 << 3 << true;
    QTest::newRow("beyond the list") << 4 << 2 << false;
}

void TestPlaylistModel::markPlayingItem_colorsSelectsAndScrolls()
{
    QFETCH(int, current);
    QFETCH(int, selected);
    QFETCH(bool, scrolled);
    addAll(*m_model, { QStringLiteral("/a.swf"), QStringLiteral("/b.swf"), QStringLiteral("/c.swf") });
    m_model->MarkPlayingItem(2);
    m_model->SetListFontColor(0x00FF00FF);
    QSignalSpy scroll(m_model, &PlaylistModel::ScrollToRow);
    QSignalSpy colors(m_model, &QAbstractItemModel::dataChanged);
    m_model->MarkPlayingItem(current);
    QCOMPARE(colors.count(), 1);
    for (int row = 1; row <= 3; ++row) {
        const int32_t expected = row == current ? PlaylistModel::PlayingColor : 0x00FF00FF;
        QCOMPARE(m_model->RowColor(row), expected);
        QCOMPARE(
            m_model->data(m_model->index(row - 1, PlaylistModel::ColTimeShort), Qt::ForegroundRole).value<QColor>(),
            PlaylistModel::ToQColor(expected));
        QVERIFY(!m_model->data(m_model->index(row - 1, PlaylistModel::ColFilePath), Qt::ForegroundRole).isValid());
    }
    QCOMPARE(m_model->SelectedRow(), selected);
    QCOMPARE(scroll.count(), scrolled ? 1 : 0);
    if (scrolled)
        QCOMPARE(scroll.first().first().toInt(), selected);
}

void TestPlaylistModel::removeRowsIf_keepsOrderAndSelection_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("every"); // remove rows whose number is a multiple of this
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("selectedAfter");
    QTest::newRow("few ranges, selection survives") << 10 << 3 << 5 << 4;
    QTest::newRow("few ranges, selected row removed") << 10 << 3 << 6 << 0;
    QTest::newRow("many ranges, selection survives") << 200 << 2 << 101 << 51;
    QTest::newRow("many ranges, selected row removed") << 200 << 2 << 100 << 0;
    QTest::newRow("every row") << 40 << 1 << 7 << 0;
}

void TestPlaylistModel::removeRowsIf_keepsOrderAndSelection()
{
    QFETCH(int, rows);
    QFETCH(int, every);
    QFETCH(int, selected);
    QFETCH(int, selectedAfter);
    QStringList all;
    QStringList kept;
    for (int n = 1; n <= rows; ++n) {
        all.append(QStringLiteral("/m/%1.swf").arg(n));
        if (n % every != 0)
            kept.append(all.last());
    }
    addAll(*m_model, all);
    m_model->SelectRow(selected);
    const int removed = m_model->RemoveRowsIf([every](int row, const PlaylistItem&) { return row % every == 0; });
    QCOMPARE(removed, rows - int(kept.size()));
    QCOMPARE(RowPaths(*m_model), kept);
    QCOMPARE(m_model->SelectedRow(), selectedAfter);
}

QTEST_GUILESS_MAIN(TestPlaylistModel)
#include "tst_playlistmodel.moc"
