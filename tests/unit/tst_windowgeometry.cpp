#include "shell/windowgeometry.h"

#include <QTest>

class TestWindowGeometry : public QObject {
    Q_OBJECT
private slots:
    void rules()
    {
        QCOMPARE(RestoreRect(QRect(1920, 0, 1280, 1024), QSize(893, 593)), QRect(2113, 215, 893, 593));
        QCOMPARE(RestoreRect(QRect(0, 0, 800, 600), QSize(893, 593)), QRect(-46, 3, 893, 593));
        // Maximised, the window leaves room for a taskbar at the bottom only.
        QCOMPARE(
            WorkAreaMaximiseRect(QRect(1920, 0, 1280, 1024), QRect(1920, 0, 1280, 1000)), QRect(1920, 0, 1280, 1000));
        QCOMPARE(WorkAreaMaximiseRect(QRect(0, 0, 1920, 1080), QRect(64, 32, 1856, 1048)), QRect(0, 0, 1920, 1080));
        QVERIFY(SpansScreenWidth(1920, QRect(0, 0, 1920, 1080)) && !SpansScreenWidth(1919, QRect(0, 0, 1920, 1080)));
        // 20 pixels from where the window was restored, diagonals included.
        QVERIFY(PointerMovedFarEnough(QPointF(112, 116), QPointF(100, 100)));
        QVERIFY(!PointerMovedFarEnough(QPointF(114, 114), QPointF(100, 100)));
        QCOMPARE(ClockFontFamily({ u"DSEG14 Classic"_qs, u"dseg7 classic"_qs }), u"DSEG7 Classic"_qs);
        QCOMPARE(ClockFontFamily({ u"DSEG7 Modern"_qs, u"DS-Digital"_qs }), u"DS-Digital"_qs);
        QCOMPARE(ClockFontFamily({ u"DSEG14 Classic"_qs }), QString());
    }
};

QTEST_GUILESS_MAIN(TestWindowGeometry)
#include "tst_windowgeometry.moc"
