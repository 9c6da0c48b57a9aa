#include "shell/mainlayout.h"
#include "shell/windowgeometry.h"
#include "tests/support/texttablerow.h"

#include <QTest>

class TestMainLayout : public QObject {
    Q_OBJECT
private slots:
    // "twips dragged => panel width": from the design size the panel is 3795 wide; it stays above 3750 and below
    // half the window.
    void splitter_data()
    {
        TextTable(uR"(
14 twips is ignored: -14 => 3795
15 twips left widens: -15 => 3810
45 right would reach 3750 and is refused: 45 => 3795
widen to just under half: -2902 => 6697
half the width is refused: -2903 => 3795
)"_qs);
    }
    void splitter()
    {
        const auto [given, expected] = TextRow();
        const int dx = given.toInt(), width = expected.toInt();
        MainLayout layout;
        layout.ArrangeControls();
        layout.SetControlsSize(13395, 8895);
        layout.SplitterDown(false, 15); // the right button does not drag
        QVERIFY(!layout.SplitterMove(15 + dx, 13395));
        layout.SplitterDown(true, 15);
        QCOMPARE(layout.SplitterMove(15 + dx, 13395), width != 3795);
        const MainLayout::Areas& a = layout.areas();
        QCOMPARE(QList<int>({ a.picPlayList.right(), a.picListEditor.width, a.lvwFiles.width, a.Flash.width }),
            QList<int>({ 13380, width, width - 30, 13395 - width - 30 }));
        QVERIFY(qAbs(2 * a.picBigLogo.left - (a.Flash.width - 2450)) <= 1); // the logo stays centred
        layout.SetControlsSize(16000, 9000); // the dragged width stays when the window is resized
        QCOMPARE(layout.areas().picListEditor.width, width);
        layout.SplitterUp();
        QVERIFY(!layout.SplitterMove(-600, 13395));
        // Half pixels to even, the right edge kept.
        QCOMPARE((TwipRect { 3560, 2130, 2450, 3285 }).toPixels(), QRect(237, 142, 164, 219));
    }

    // Where the window goes back to, and how far the pointer must move to count.
    void windowGeometry()
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

QTEST_GUILESS_MAIN(TestMainLayout)
#include "tst_mainlayout.moc"
