#include "shell/mainlayout.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {
QString text(const TwipRect& r)
{
    return u"%1 %2 %3 %4"_s.arg(r.left).arg(r.top).arg(r.width).arg(r.height);
}
} // namespace

class TestMainLayout : public QObject {
    Q_OBJECT
private slots:
    void designSize()
    {
        MainLayout layout;
        layout.ArrangeControls();
        QVERIFY(layout.SetControlsSize(MainLayout::DesignWidth, MainLayout::DesignHeight));
        const MainLayout::Areas& a = layout.areas();
        QStringList got;
        for (const TwipRect& r : { a.picTop, a.picWinBtn, a.picBottom, a.fraProgressMini, a.fraPlayBtn, a.lblTime,
                 a.PlProgBar, a.picPlayList, a.picListEditor, a.picSpliter, a.lvwFiles, a.Flash, a.picBigLogo,
                 a.imgPlayerIcon, a.lblFormTitle })
            got.append(text(r));
        // Buttons are centred in their bars: (795 - 600) / 2 and (795 - 360) / 2, halves to even.
        got << text(a.imgBigLogo).section(u' ', 0, 1) << text(a.imgBigOpen).section(u' ', 0, 1);
        for (const TwipRect& r : { a.PlayerBtns[1], a.PlayerBtns[12], a.WinBtns[2], a.ListBtn[3] })
            got.append(QString::number(r.top));
        QCOMPARE(got.join(u','),
            u"0 0 13395 555,11955 0 1440 555,0 8100 13395 795,0 0 13395 45,3900 0 5595 795,11865 218 1230 360,"
            "0 7905 13395 240,9585 555 3795 7545,0 0 3795 435,0 435 30 7110,30 435 3765 7110,15 555 9570 7545,"
            "3560 2130 2450 3285,200 38 810 480,1130 128 1410 300,400 0,100 2720,98,218,98,38"_s);
        QCOMPARE(a.PlayerBtns[0], a.PlayerBtns[1]); // play and pause share one place
        QCOMPARE(a.lblProgressMini.width, 7755); // 495 of 855: the design share
        layout.SetControlsSize(26790, 8895);
        QCOMPARE(layout.areas().lblProgressMini.width, 15510);
    }

    // From the design size the panel is 3795 wide; it stays above 3750 and below half the window.
    void splitter_data()
    {
        QTest::addColumn<int>("dx");
        QTest::addColumn<int>("width");
        QTest::newRow("14 twips is ignored") << -14 << 3795;
        QTest::newRow("15 twips left widens") << -15 << 3810;
        QTest::newRow("30 right narrows to 3765") << 30 << 3765;
        QTest::newRow("45 right would reach 3750: refused") << 45 << 3795;
        QTest::newRow("widen to just under half") << -2902 << 6697;
        QTest::newRow("half the width: refused") << -2903 << 3795;
    }
    void splitter()
    {
        QFETCH(int, dx);
        QFETCH(int, width);
        MainLayout layout;
        layout.ArrangeControls();
        layout.SetControlsSize(13395, 8895);
        layout.SplitterDown(false, 15); // the right button does not drag
        QVERIFY(!layout.SplitterMove(15 + dx, 13395));
        layout.SplitterDown(true, 15);
        QCOMPARE(layout.SplitterMove(15 + dx, 13395), width != 3795);
        const MainLayout::Areas& a = layout.areas();
        QCOMPARE(QList<int>({ a.picPlayList.right(), a.picPlayList.width, a.picListEditor.width, a.lvwFiles.width,
                     a.Flash.width }),
            QList<int>({ 13380, width, width, width - 30, 13395 - width - 30 }));
        QVERIFY(qAbs(2 * a.picBigLogo.left - (a.Flash.width - 2450)) <= 1); // the logo stays centred
        layout.SplitterUp();
        QVERIFY(!layout.SplitterMove(-600, 13395));
    }

    void draggedWidthStays()
    {
        MainLayout layout;
        layout.SetControlsSize(13395, 8895);
        layout.SplitterDown(true, 100);
        QVERIFY(!layout.SplitterMove(87, 13395));
        QVERIFY(layout.SplitterMove(-500, 13395)); // 600 from the press point
        layout.SetControlsSize(16000, 9000);
        QCOMPARE(text(layout.areas().picPlayList), u"11590 555 4395 7650"_s);
        QCOMPARE(layout.FileNameColumnWidth(600, 900), 4395 - 30 - 600 - 900 - 300);
    }

    void playlistHiddenAndFullScreen()
    {
        MainLayout layout;
        layout.ArrangeControls();
        layout.SetControlsSize(13395, 8895);
        layout.SetPlaylistVisible(false, 13395);
        QCOMPARE(layout.areas().Flash.width, 13365);
        QCOMPARE(layout.areas().picBigLogo.left, 5458); // 5457.5, half to even
        layout.SetPlaylistVisible(true, 13395);
        QCOMPARE(layout.areas().Flash.width, 9570);
        // Full screen: the player covers the window and layout passes leave everything alone.
        layout.FillWindowWithPlayer(28800, 16200);
        QVERIFY(layout.LayoutSuspended() && !layout.SetControlsSize(28800, 16200));
        QCOMPARE(
            text(layout.areas().Flash) + u',' + text(layout.areas().picBottom), u"0 0 28800 16200,0 8100 13395 795"_s);
        layout.SetLayoutSuspended(false);
        QVERIFY(layout.SetControlsSize(28800, 16200));
        QCOMPARE(layout.areas().picBottom.top, 16200 - 795);
    }

    void toPixels()
    {
        QCOMPARE((TwipRect { 15, 555, 9570, 7545 }).toPixels(), QRect(1, 37, 638, 503));
        QCOMPARE((TwipRect { 0, 218, 360, 360 }).toPixels(), QRect(0, 15, 24, 24)); // half pixels to even
        QCOMPARE((TwipRect { 3560, 2130, 2450, 3285 }).toPixels(), QRect(237, 142, 164, 219)); // right edge kept
    }
};

QTEST_GUILESS_MAIN(TestMainLayout)
#include "tst_mainlayout.moc"
