#include "app/program.h"
#include "core/settings.h"
#include "playback/transport.h"
#include "playlist/playlistcommands.h"
#include "playlist/playlistmodel.h"
#include "shell/frmmain.h"
#include "tests/support/fakeflashcontrol.h"
#include "tests/support/testdir.h"
#include "tools/swfgen/swfwriter.h"

#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

// The program assembled around a simulated engine: start-up restore and drops.
class TestProgram : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QGuiApplication::setQuitOnLastWindowClosed(false); }
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_engine = std::make_unique<FakeFlashControl>();
        LoadSettings(m_settings, m_dir->filePath(QStringLiteral("Quenbarrowick.ini")));
    }
    void startUp_data()
    {
        QTest::addColumn<bool>("saveList");
        QTest::addColumn<int>("savedIndex");
        QTest::addColumn<bool>("autoPlay");
        QTest::addColumn<int>("named");
        QTest::addColumn<int>("index"); // the current row afterwards
        QTest::addColumn<int>("rows");
        QTest::newRow("saved row within the list") << true << 3 << false << 0 << 3 << 5;
        QTest::newRow("saved row beyond the list becomes 1") << true << 9 << false << 0 << 1 << 5;
        QTest::newRow("auto play starts the saved row") << true << 4 << true << 0 << 4 << 5;
        QTest::newRow("a named file wins over the saved row") << true << 3 << true << 1 << 6 << 6;
        QTest::newRow("list not saved: the named files only, the first plays") << false << 3 << false << 2 << 1 << 2;
    }
    void startUp()
    {
        QFETCH(bool, saveList);
        QFETCH(int, savedIndex);
        QFETCH(bool, autoPlay);
        QFETCH(int, named);
        QFETCH(int, index);
        QFETCH(int, rows);
        QByteArray list;
        for (int i = 1; i <= 5; ++i)
            list += movie(QStringLiteral("m%1.swf").arg(i)).toUtf8() + "|00:01|00:00:01\r\n";
        QVERIFY(WriteAll(m_dir->filePath(QStringLiteral("PlayList.m3u")), list));
        m_settings.SaveList = saveList;
        m_settings.AutoPlay = autoPlay;
        m_settings.ListFileIndex = savedIndex;
        QStringList paths;
        for (int i = 0; i < named; ++i)
            paths.append(movie(QStringLiteral("named%1.swf").arg(i)));
        // The window takes the player's view as its own.
        Program program(m_settings, m_dir->path(), *m_engine, new QWidget);
        program.start(paths);
        QTRY_COMPARE_WITH_TIMEOUT(program.model().RowCount(), rows, 5000);
        QCOMPARE(program.transport().CurrFileIndex(), index);
        if (autoPlay || named) {
            QCOMPARE(program.transport().PlayState(), int(Transport::Playing));
            QCOMPARE(m_engine->Movie(), program.model().FilePath(index));
        }
        if (named)
            QCOMPARE(program.model().FilePath(rows), paths.last());
    }
    void dropsOnPlayerAndWindowAddRows()
    {
        auto* player = new QWidget;
        Program program(m_settings, m_dir->path(), *m_engine, player);
        program.commands().SetAdditionSliceMs(0);
        program.watchPlayerInput(player);
        const QString paths[] = { movie(QStringLiteral("dropped-a.swf")), movie(QStringLiteral("dropped-b.swf")) };
        QWidget* targets[] = { player, &program.window() };
        for (int i = 0; i < 2; ++i) {
            QMimeData data;
            data.setUrls({ QUrl::fromLocalFile(paths[i]) });
            QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(targets[i], &enter);
            QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(targets[i], &drop);
            QVERIFY(enter.isAccepted() && drop.isAccepted());
        }
        QTRY_COMPARE_WITH_TIMEOUT(program.model().RowCount(), 2, 2000);
        QCOMPARE(program.model().FilePath(2), paths[1]);
        // Dropped on an empty, stopped list: the first new row plays.
        QCOMPARE(m_engine->Movie(), paths[0]);
    }
    // What the window saves as it closes: program_smoke.sh, through the real program.

private:
    QString movie(const QString& name)
    {
        const QString path = m_dir->filePath(name);
        return swfgen::WriteMovieFile(path, {}) ? path : QString();
    }
    std::unique_ptr<QTemporaryDir> m_dir;
    Settings m_settings;
    std::unique_ptr<FakeFlashControl> m_engine;
};

QTEST_MAIN(TestProgram)
#include "tst_program.moc"
