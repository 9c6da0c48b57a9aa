#include "app/program.h"
#include "core/settings.h"
#include "playback/transport.h"
#include "playlist/playlistcommands.h"
#include "playlist/playlistmodel.h"
#include "shell/frmmain.h"
#include "tests/support/fakeflashcontrol.h"
#include "tools/swfgen/swfwriter.h"
#include "tests/support/testdir.h"

#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

// The program assembled around a simulated engine: start-up restore, drops, and what is saved when
// the window closes.
class TestProgram : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QGuiApplication::setQuitOnLastWindowClosed(false); }
    void init();
    void startUp_restoresTheSavedRowUnlessFilesAreNamed_data();
    void startUp_restoresTheSavedRowUnlessFilesAreNamed();
    void startUp_withoutSavedListPlaysTheNamedFilesOnly();
    void dropsOnPlayerAndWindowAddRows();
    void closing_savesListAndCurrentRow();

private:
    QString movie(const QString& name);

    std::unique_ptr<QTemporaryDir> m_dir;
    Settings m_settings;
    std::unique_ptr<FakeFlashControl> m_engine;
};

void TestProgram::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_engine = std::make_unique<FakeFlashControl>();
    LoadSettings(m_settings, m_dir->filePath(QStringLiteral("Quenbarrowick.ini")));
}

QString TestProgram::movie(const QString& name)
{
    const QString path = m_dir->filePath(name);
    return swfgen::WriteMovieFile(path, {}) ? path : QString();
}

void TestProgram::startUp_restoresTheSavedRowUnlessFilesAreNamed_data()
{
    QTest::addColumn<int>("savedIndex");
    QTest::addColumn<bool>("autoPlay");
    QTest::addColumn<bool>("named");
    QTest::addColumn<int>("expectedIndex");
    QTest::addColumn<int>("expectedRows");
    QTest::newRow("saved row within the list") << 3 << false << false << 3 << 5;
    QTest::newRow("saved row beyond the list becomes 1") << 9 << false << false << 1 << 5;
    QTest::newRow("auto play starts the saved row") << 4 << true << false << 4 << 5;
    QTest::newRow("a named file wins over the saved row") << 3 << true << true << 6 << 6;
}

void TestProgram::startUp_restoresTheSavedRowUnlessFilesAreNamed()
{
    QFETCH(int, savedIndex);
    QFETCH(bool, autoPlay);
    QFETCH(bool, named);
    QFETCH(int, expectedIndex);
    QFETCH(int, expectedRows);
    QByteArray list;
    for (int i = 1; i <= 5; ++i)
        list += movie(QStringLiteral("m%1.swf").arg(i)).toUtf8() + "|00:01|00:00:01\r\n";
    QVERIFY(WriteAll(m_dir->filePath(QStringLiteral("PlayList.m3u")), list));
    m_settings.SaveList = true;
    m_settings.AutoPlay = autoPlay;
    m_settings.ListFileIndex = savedIndex;

    // The window takes the player's view as its own.
    auto* player = new QWidget;
    Program program(m_settings, m_dir->path(), *m_engine, player);
    program.start(named ? QStringList { movie(QStringLiteral("named.swf")) } : QStringList {});
    QTRY_COMPARE_WITH_TIMEOUT(program.model().RowCount(), expectedRows, 5000);
    QCOMPARE(program.transport().CurrFileIndex(), expectedIndex);
    if (autoPlay || named) {
        QCOMPARE(program.transport().PlayState(), int(Transport::Playing));
        QCOMPARE(m_engine->Movie(), program.model().FilePath(expectedIndex));
    }
}

void TestProgram::startUp_withoutSavedListPlaysTheNamedFilesOnly()
{
    QVERIFY(WriteAll(m_dir->filePath(QStringLiteral("PlayList.m3u")), movie(QStringLiteral("old.swf")).toUtf8() + "\r\n"));
    m_settings.SaveList = false;
    // The window takes the player's view as its own.
    auto* player = new QWidget;
    Program program(m_settings, m_dir->path(), *m_engine, player);
    const QStringList named { movie(QStringLiteral("a.swf")), movie(QStringLiteral("b.swf")) };
    program.start(named);
    QTRY_COMPARE_WITH_TIMEOUT(program.model().RowCount(), 2, 5000);
    QCOMPARE(program.model().FilePath(1), named[0]);
    QCOMPARE(program.model().FilePath(2), named[1]);
    // The first plays at once; the rest only join the list.
    QCOMPARE(program.transport().CurrFileIndex(), 1);
    QCOMPARE(m_engine->Movie(), named[0]);
}

void TestProgram::dropsOnPlayerAndWindowAddRows()
{
    // The window takes the player's view as its own.
    auto* player = new QWidget;
    Program program(m_settings, m_dir->path(), *m_engine, player);
    program.commands().SetAdditionSliceMs(0);
    program.watchPlayerInput(player);
    const QString a = movie(QStringLiteral("dropped-a.swf"));
    const QString b = movie(QStringLiteral("dropped-b.swf"));

    auto drop = [](QWidget* target, const QString& path) {
        QMimeData data;
        data.setUrls({ QUrl::fromLocalFile(path) });
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        QDropEvent dropEvent(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &dropEvent);
        return enter.isAccepted() && dropEvent.isAccepted();
    };
    QVERIFY(drop(player, a));
    QVERIFY(drop(&program.window(), b));
    QTRY_COMPARE_WITH_TIMEOUT(program.model().RowCount(), 2, 2000);
    QCOMPARE(program.model().FilePath(1), a);
    QCOMPARE(program.model().FilePath(2), b);
    // Dropped on an empty, stopped list: the first new row plays.
    QCOMPARE(m_engine->Movie(), a);
}

void TestProgram::closing_savesListAndCurrentRow()
{
    {
        Program program(m_settings, m_dir->path(), *m_engine, new QWidget);
        program.start({ movie(QStringLiteral("one.swf")), movie(QStringLiteral("two.swf")) });
        QTRY_COMPARE_WITH_TIMEOUT(program.model().RowCount(), 2, 5000);
        program.transport().PlayerBtns_Click(Transport::CmdNext);
        QCOMPARE(program.transport().CurrFileIndex(), 2);
        program.window().close();
    }
    const QByteArray list = ReadAll(m_dir->filePath(QStringLiteral("PlayList.m3u")));
    QCOMPARE(list.count("\r\n"), 2);
    QVERIFY(list.contains("two.swf|"));
    Settings reread;
    LoadSettings(reread, m_settings.IniFile);
    QCOMPARE(reread.ListFileIndex, 2);
}

QTEST_MAIN(TestProgram)
#include "tst_program.moc"
