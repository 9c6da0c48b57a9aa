#include "shell/mainlayout.h"

#include <QTest>

Q_DECLARE_METATYPE(TwipRect)

QT_BEGIN_NAMESPACE
namespace QTest {
template <> char* toString(const TwipRect& r)
{
    return qstrdup(QByteArray("TwipRect(" + QByteArray::number(r.left) + ", " + QByteArray::number(r.top) + ", "
        + QByteArray::number(r.width) + " x " + QByteArray::number(r.height) + ")")
                       .constData());
}
}
QT_END_NAMESPACE

class TestMainLayout : public QObject {
    Q_OBJECT
private slots:
    void arrange_centresButtonsAndSizesLogoPanel();
    void layoutPass_designSize_data();
    void layoutPass_designSize();
    void layoutPass_hiddenPlaylist_playerSpansBetweenMargins();
    void layoutPass_stripFillKeepsItsShare();
    void layoutPass_suspended_leavesEverythingInPlace();
    void splitter_data();
    void splitter();
    void splitter_smallStepsAccumulateFromThePressPoint();
    void splitter_rightButtonDoesNotStartADrag();
    void splitter_layoutPassKeepsTheDraggedWidth();
    void playlistToggle_movesPlayerAndLogo();
    void fullScreenFill_coversWindowAndSuspends();
    void toPixels_convertsEdges_data();
    void toPixels_convertsEdges();
};

void TestMainLayout::arrange_centresButtonsAndSizesLogoPanel()
{
    MainLayout layout;
    layout.ArrangeControls();
    const MainLayout::Areas& a = layout.areas();
    QCOMPARE(a.picBigLogo.width, 2450);
    QCOMPARE(a.picBigLogo.height, 3285);
    QCOMPARE(a.imgBigLogo.left, 400);
    QCOMPARE(a.imgBigLogo.top, 0);
    QCOMPARE(a.imgBigOpen.left, 100);
    QCOMPARE(a.imgBigOpen.top, 2720);
    // (795 - 600) / 2 and (795 - 360) / 2, halves to even.
    QCOMPARE(a.PlayerBtns[0].top, 98);
    QCOMPARE(a.PlayerBtns[1].top, 98);
    for (int i = 2; i < MainLayout::TransportCount; ++i)
        QCOMPARE(a.PlayerBtns[i].top, 218);
    QCOMPARE(a.picWinBtn.height, 555);
    for (const TwipRect& b : a.WinBtns)
        QCOMPARE(b.top, 98);
    for (const TwipRect& b : a.ListBtn)
        QCOMPARE(b.top, 38);
    QCOMPARE(a.imgPlayerIcon, (TwipRect { 200, 38, 810, 480 }));
    QCOMPARE(a.lblFormTitle, (TwipRect { 1130, 128, 1410, 300 }));
    // The play and pause buttons share one place.
    QCOMPARE(a.PlayerBtns[0], a.PlayerBtns[1]);
}

void TestMainLayout::layoutPass_designSize_data()
{
    QTest::addColumn<QString>("area");
    QTest::addColumn<TwipRect>("expected");
    QTest::newRow("title bar spans the width") << "picTop" << TwipRect { 0, 0, 13395, 555 };
    QTest::newRow("window buttons at the right end") << "picWinBtn" << TwipRect { 11955, 0, 1440, 555 };
    QTest::newRow("bottom bar at the bottom") << "picBottom" << TwipRect { 0, 8100, 13395, 795 };
    QTest::newRow("thin strip spans the bar") << "fraProgressMini" << TwipRect { 0, 0, 13395, 45 };
    QTest::newRow("transport centred") << "fraPlayBtn" << TwipRect { 3900, 0, 5595, 795 };
    QTest::newRow("clock 300 from the right edge") << "lblTime" << TwipRect { 11865, 218, 1230, 360 };
    QTest::newRow("full bar overlaps the bottom bar by 45") << "PlProgBar" << TwipRect { 0, 7905, 13395, 240 };
    QTest::newRow("playlist 15 from the right edge") << "picPlayList" << TwipRect { 9585, 555, 3795, 7545 };
    QTest::newRow("tool strip on top of the list") << "picListEditor" << TwipRect { 0, 0, 3795, 435 };
    QTest::newRow("splitter at the panel's left") << "picSpliter" << TwipRect { 0, 435, 30, 7110 };
    QTest::newRow("list right of the splitter") << "lvwFiles" << TwipRect { 30, 435, 3765, 7110 };
    QTest::newRow("player area fills the rest") << "Flash" << TwipRect { 15, 555, 9570, 7545 };
    QTest::newRow("logo centred in the free space") << "picBigLogo" << TwipRect { 3560, 2130, 2450, 3285 };
}

static TwipRect AreaNamed(const MainLayout::Areas& a, const QString& name)
{
    const QHash<QString, TwipRect> all { { QStringLiteral("picTop"), a.picTop },
        { QStringLiteral("picWinBtn"), a.picWinBtn }, { QStringLiteral("picBottom"), a.picBottom },
        { QStringLiteral("fraProgressMini"), a.fraProgressMini }, { QStringLiteral("fraPlayBtn"), a.fraPlayBtn },
        { QStringLiteral("lblTime"), a.lblTime }, { QStringLiteral("PlProgBar"), a.PlProgBar },
        { QStringLiteral("picPlayList"), a.picPlayList }, { QStringLiteral("picListEditor"), a.picListEditor },
        { QStringLiteral("picSpliter"), a.picSpliter }, { QStringLiteral("lvwFiles"), a.lvwFiles },
        { QStringLiteral("Flash"), a.Flash }, { QStringLiteral("picBigLogo"), a.picBigLogo } };
    return all.value(name);
}

void TestMainLayout::layoutPass_designSize()
{
    QFETCH(QString, area);
    QFETCH(TwipRect, expected);
    MainLayout layout;
    layout.ArrangeControls();
    QVERIFY(layout.SetControlsSize(MainLayout::DesignWidth, MainLayout::DesignHeight));
    QCOMPARE(AreaNamed(layout.areas(), area), expected);
}

void TestMainLayout::layoutPass_hiddenPlaylist_playerSpansBetweenMargins()
{
    MainLayout layout;
    layout.ArrangeControls();
    layout.SetPlaylistVisible(false, 20000);
    layout.SetControlsSize(20000, 12000);
    const TwipRect flash = layout.areas().Flash;
    QCOMPARE(flash.left, 15);
    QCOMPARE(flash.right(), 20000 - 15);
    QCOMPARE(layout.areas().picBigLogo.left, (flash.width - 2450) / 2);
}

void TestMainLayout::layoutPass_stripFillKeepsItsShare()
{
    MainLayout layout;
    layout.SetControlsSize(13395, 8895);
    // 495 of 855 is the design share.
    QCOMPARE(layout.areas().lblProgressMini.width, 7755);
    layout.SetControlsSize(26790, 8895);
    QCOMPARE(layout.areas().lblProgressMini.width, 15510);
}

void TestMainLayout::layoutPass_suspended_leavesEverythingInPlace()
{
    MainLayout layout;
    layout.ArrangeControls();
    layout.SetControlsSize(13395, 8895);
    layout.FillWindowWithPlayer(28800, 16200);
    const TwipRect bottomBefore = layout.areas().picBottom;
    QVERIFY(!layout.SetControlsSize(28800, 16200));
    QCOMPARE(layout.areas().picBottom, bottomBefore);
    QCOMPARE(layout.areas().Flash, (TwipRect { 0, 0, 28800, 16200 }));
    layout.SetLayoutSuspended(false);
    QVERIFY(layout.SetControlsSize(28800, 16200));
    QCOMPARE(layout.areas().picBottom.top, 16200 - 795);
}

void TestMainLayout::splitter_data()
{
    QTest::addColumn<int>("dx");
    QTest::addColumn<int>("expectedWidth");
    // The design window is 13395 wide, so half the width is 6697.5; the panel starts at 3795.
    QTest::newRow("14 twips right is ignored") << 14 << 3795;
    QTest::newRow("14 twips left is ignored") << -14 << 3795;
    QTest::newRow("15 twips left widens") << -15 << 3810;
    QTest::newRow("30 right narrows to 3765") << 30 << 3765;
    QTest::newRow("45 right would reach 3750: refused") << 45 << 3795;
    QTest::newRow("far right would go below 3750: refused") << 600 << 3795;
    QTest::newRow("widen to just under half") << -2902 << 6697;
    QTest::newRow("half the width or more: refused") << -2903 << 3795;
}

void TestMainLayout::splitter()
{
    QFETCH(int, dx);
    QFETCH(int, expectedWidth);
    MainLayout layout;
    layout.ArrangeControls();
    layout.SetControlsSize(13395, 8895);
    const MainLayout::Areas before = layout.areas();
    layout.SplitterDown(true, 15);
    const bool changed = layout.SplitterMove(15 + dx, 13395);
    const MainLayout::Areas& a = layout.areas();
    QCOMPARE(changed, expectedWidth != 3795);
    QCOMPARE(a.picPlayList.width, expectedWidth);
    // The right edge stays; the player, tool strip, list and logo follow.
    QCOMPARE(a.picPlayList.right(), before.picPlayList.right());
    QCOMPARE(a.picListEditor.width, expectedWidth);
    QCOMPARE(a.lvwFiles.width, expectedWidth - 30);
    if (changed) {
        QCOMPARE(a.Flash.width, 13395 - expectedWidth - 30);
        QVERIFY(qAbs(2 * a.picBigLogo.left - (a.Flash.width - 2450)) <= 1);
    } else {
        QCOMPARE(a.Flash, before.Flash);
        QCOMPARE(a.picBigLogo, before.picBigLogo);
    }
}

void TestMainLayout::splitter_smallStepsAccumulateFromThePressPoint()
{
    MainLayout layout;
    layout.SetControlsSize(13395, 8895);
    layout.SplitterDown(true, 100);
    QVERIFY(!layout.SplitterMove(90, 13395));
    QVERIFY(!layout.SplitterMove(87, 13395));
    QVERIFY(layout.SplitterMove(85, 13395)); // 15 from the press point
    QCOMPARE(layout.areas().picPlayList.width, 3810);
    layout.SplitterUp();
    QVERIFY(!layout.SplitterMove(0, 13395));
    QCOMPARE(layout.areas().picPlayList.width, 3810);
}

void TestMainLayout::splitter_rightButtonDoesNotStartADrag()
{
    MainLayout layout;
    layout.SetControlsSize(13395, 8895);
    layout.SplitterDown(false, 100);
    QVERIFY(!layout.SplitterDragging());
    QVERIFY(!layout.SplitterMove(0, 13395));
}

void TestMainLayout::splitter_layoutPassKeepsTheDraggedWidth()
{
    MainLayout layout;
    layout.SetControlsSize(13395, 8895);
    layout.SplitterDown(true, 0);
    QVERIFY(layout.SplitterMove(-600, 13395));
    layout.SplitterUp();
    layout.SetControlsSize(16000, 9000);
    QCOMPARE(layout.areas().picPlayList, (TwipRect { 16000 - 4395 - 15, 555, 4395, 9000 - 555 - 795 }));
    QCOMPARE(layout.FileNameColumnWidth(600, 900), 4395 - 30 - 600 - 900 - 300);
}

void TestMainLayout::playlistToggle_movesPlayerAndLogo()
{
    MainLayout layout;
    layout.ArrangeControls();
    layout.SetControlsSize(13395, 8895);
    layout.SetPlaylistVisible(false, 13395);
    QCOMPARE(layout.areas().Flash.width, 13365);
    QCOMPARE(layout.areas().picBigLogo.left, 5458); // (13365 - 2450) / 2 = 5457.5, half to even
    layout.SetPlaylistVisible(true, 13395);
    QCOMPARE(layout.areas().Flash.width, 9570);
    QCOMPARE(layout.areas().picBigLogo.left, 3560);
}

void TestMainLayout::fullScreenFill_coversWindowAndSuspends()
{
    MainLayout layout;
    QVERIFY(!layout.LayoutSuspended());
    layout.FillWindowWithPlayer(19200, 10800);
    QVERIFY(layout.LayoutSuspended());
    QCOMPARE(layout.areas().Flash, (TwipRect { 0, 0, 19200, 10800 }));
}

void TestMainLayout::toPixels_convertsEdges_data()
{
    QTest::addColumn<TwipRect>("twips");
    QTest::addColumn<QRect>("pixels");
    QTest::newRow("whole pixels") << TwipRect { 15, 555, 9570, 7545 } << QRect(1, 37, 638, 503);
    QTest::newRow("half pixels go to even") << TwipRect { 0, 218, 360, 360 } << QRect(0, 15, 24, 24);
    QTest::newRow("design window") << TwipRect { 0, 0, 13395, 8895 } << QRect(0, 0, 893, 593);
    QTest::newRow("odd width keeps the right edge") << TwipRect { 3560, 2130, 2450, 3285 } << QRect(237, 142, 164, 219);
}

void TestMainLayout::toPixels_convertsEdges()
{
    QFETCH(TwipRect, twips);
    QFETCH(QRect, pixels);
    QCOMPARE(twips.toPixels(), pixels);
}

QTEST_GUILESS_MAIN(TestMainLayout)
#include "tst_mainlayout.moc"
