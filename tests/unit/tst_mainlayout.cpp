#include "playback/progressgeometry.h"
#include "shell/mainlayout.h"
#include "shell/windowgeometry.h"
#include "tests/support/texttablerow.h"

#include <QTest>

using namespace ProgressGeometry;

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

    // The progress bar's arithmetic in twips (the thumb is 240 wide), apart from any widget.
    void geometry()
    {
        // The thumb's centre goes under the pointer, so the value may fall outside 0 to 100.
        const QList<std::optional<float>> at { PercentAt(3240, 120), PercentAt(3240, 870), PercentAt(3240, 3240),
            PercentAt(3240, 5), PercentAt(241, 120), PercentAt(240, 120) };
        QCOMPARE(at, (QList<std::optional<float>> { 0.0f, 25.0f, 104.0f, -3.8333333333f, 0.0f, std::nullopt }));
        QCOMPARE(PercentOfThumbLeft(255, 15), std::optional<float>(100.0f));
        // Two decimals at most, and a whole number keeps its point.
        const QStringList texts { PercentText(50), PercentText(0.5f), PercentText(12.25f), PercentText(33.333336f),
            PercentText(99.999f) };
        QCOMPARE(texts, (QStringList { u"50.%"_qs, u"0.5%"_qs, u"12.25%"_qs, u"33.33%"_qs, u"100.%"_qs }));
    }
    // "current proposed => whether the bar takes it"
    void isValueChange_data()
    {
        TextTable(uR"(
0 is taken: 10 0 => 1
100 is taken: 10 100 => 1
below 0 is refused: 10 -0.5 => 0
above 100 is refused: 10 100.5 => 0
within 0.01 is no change: 50 50.005 => 0
0.01 below is a change: 50 49.98 => 1
not a number is refused: 50 nan => 0
)"_qs);
    }
    void isValueChange()
    {
        const auto [given, expected] = TextRow();
        const float current = given.section(u' ', 0, 0).toFloat(), proposed = given.section(u' ', 1).toFloat();
        QCOMPARE(QString::number(IsValueChange(current, proposed)), expected);
    }
};

QTEST_GUILESS_MAIN(TestMainLayout)
#include "tst_mainlayout.moc"
