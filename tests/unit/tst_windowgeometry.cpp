#include "shell/windowgeometry.h"

#include <QTest>

class TestWindowGeometry : public QObject {
    Q_OBJECT
private slots:
    void restoreRect_centresOnTheScreen_data();
    void restoreRect_centresOnTheScreen();
    void workAreaMaximise_data();
    void workAreaMaximise();
    void spansScreenWidth_onlyAtExactWidth();
    void pointerRule_data();
    void pointerRule();
    void clockFont_data();
    void clockFont();
};

void TestWindowGeometry::restoreRect_centresOnTheScreen_data()
{
    QTest::addColumn<QRect>("screen");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("1920 x 1080") << QRect(0, 0, 1920, 1080) << QRect(513, 243, 893, 593);
    QTest::newRow("second screen to the right") << QRect(1920, 0, 1280, 1024) << QRect(1920 + 193, 215, 893, 593);
    QTest::newRow("screen smaller than the window") << QRect(0, 0, 800, 600) << QRect(-46, 3, 893, 593);
}

void TestWindowGeometry::restoreRect_centresOnTheScreen()
{
    QFETCH(QRect, screen);
    QFETCH(QRect, expected);
    QCOMPARE(RestoreRect(screen, QSize(893, 593)), expected);
}

void TestWindowGeometry::workAreaMaximise_data()
{
    QTest::addColumn<QRect>("screen");
    QTest::addColumn<QRect>("workArea");
    QTest::addColumn<int>("taskbar");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("taskbar at the bottom")
        << QRect(0, 0, 1920, 1080) << QRect(0, 0, 1920, 1040) << 40 << QRect(0, 0, 1920, 1040);
    QTest::newRow("taskbar at the top: whole height")
        << QRect(0, 0, 1920, 1080) << QRect(0, 32, 1920, 1048) << 0 << QRect(0, 0, 1920, 1080);
    QTest::newRow("taskbar at the left: whole height")
        << QRect(0, 0, 1920, 1080) << QRect(64, 0, 1856, 1080) << 0 << QRect(0, 0, 1920, 1080);
    QTest::newRow("no taskbar") << QRect(0, 0, 1280, 1024) << QRect(0, 0, 1280, 1024) << 0 << QRect(0, 0, 1280, 1024);
    QTest::newRow("second screen keeps its origin")
        << QRect(1920, 0, 1280, 1024) << QRect(1920, 0, 1280, 1000) << 24 << QRect(1920, 0, 1280, 1000);
}

void TestWindowGeometry::workAreaMaximise()
{
    QFETCH(QRect, screen);
    QFETCH(QRect, workArea);
    QFETCH(int, taskbar);
    QFETCH(QRect, expected);
    QCOMPARE(TaskbarHeight(screen, workArea), taskbar);
    QCOMPARE(WorkAreaMaximiseRect(screen, workArea), expected);
}

void TestWindowGeometry::spansScreenWidth_onlyAtExactWidth()
{
    const QRect screen(0, 0, 1920, 1080);
    QVERIFY(SpansScreenWidth(1920, screen));
    QVERIFY(!SpansScreenWidth(1919, screen));
    QVERIFY(!SpansScreenWidth(893, screen));
}

void TestWindowGeometry::pointerRule_data()
{
    QTest::addColumn<QPointF>("position");
    QTest::addColumn<bool>("farEnough");
    // From (100, 100).
    QTest::newRow("still") << QPointF(100, 100) << false;
    QTest::newRow("19 right") << QPointF(119, 100) << false;
    QTest::newRow("20 right") << QPointF(120, 100) << true;
    QTest::newRow("20 up") << QPointF(100, 80) << true;
    QTest::newRow("12, 16 diagonal is exactly 20") << QPointF(112, 116) << true;
    QTest::newRow("14, 14 diagonal is under 20") << QPointF(114, 114) << false;
}

void TestWindowGeometry::pointerRule()
{
    QFETCH(QPointF, position);
    QFETCH(bool, farEnough);
    QCOMPARE(PointerMovedFarEnough(position, QPointF(100, 100)), farEnough);
}

void TestWindowGeometry::clockFont_data()
{
    QTest::addColumn<QStringList>("families");
    QTest::addColumn<QString>("expected");
    QTest::newRow("none installed") << QStringList { QStringLiteral("DejaVu Sans") } << QString();
    QTest::newRow("classic seven segments") << QStringList { QStringLiteral("DSEG7 Classic"),
        QStringLiteral("DSEG7 Modern") } << QStringLiteral("DSEG7 Classic");
    QTest::newRow("the original face wins") << QStringList { QStringLiteral("DSEG7 Classic"),
        QStringLiteral("DS-Digital") } << QStringLiteral("DS-Digital");
    QTest::newRow("fourteen segments are not a clock") << QStringList { QStringLiteral("DSEG14 Classic") } << QString();
}

void TestWindowGeometry::clockFont()
{
    QFETCH(QStringList, families);
    QFETCH(QString, expected);
    QCOMPARE(ClockFontFamily(families), expected);
}

QTEST_GUILESS_MAIN(TestWindowGeometry)
#include "tst_windowgeometry.moc"
