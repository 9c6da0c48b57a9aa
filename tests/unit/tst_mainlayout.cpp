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
    // At the design size: the bottom bar, the centred buttons ((795 - 600) / 2 and (795 - 360) / 2, halves to
    // even), the list panel beside the player, the progress text's design share (495 of 855) growing with the width.
    void designSize()
    {
        MainLayout layout;
        layout.ArrangeControls();
        QVERIFY(layout.SetControlsSize(MainLayout::DesignWidth, MainLayout::DesignHeight));
        const MainLayout::Areas& a = layout.areas();
        QStringList got;
        for (const TwipRect& r : { a.picBottom, a.fraPlayBtn, a.picPlayList, a.lvwFiles, a.Flash, a.picBigLogo })
            got.append(text(r));
        for (const TwipRect& r : { a.PlayerBtns[1], a.PlayerBtns[12], a.WinBtns[2], a.ListBtn[3] })
            got.append(QString::number(r.top));
        QCOMPARE(got.join(u','),
            u"0 8100 13395 795,3900 0 5595 795,9585 555 3795 7545,30 435 3765 7110,15 555 9570 7545,"
            "3560 2130 2450 3285,98,218,98,38"_s);
        QCOMPARE(a.PlayerBtns[0], a.PlayerBtns[1]); // play and pause share one place
        QCOMPARE(a.lblProgressMini.width, 7755);
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
        QCOMPARE(QList<int>({ a.picPlayList.right(), a.picListEditor.width, a.lvwFiles.width, a.Flash.width }),
            QList<int>({ 13380, width, width - 30, 13395 - width - 30 }));
        QVERIFY(qAbs(2 * a.picBigLogo.left - (a.Flash.width - 2450)) <= 1); // the logo stays centred
        layout.SplitterUp();
        QVERIFY(!layout.SplitterMove(-600, 13395));
    }

    // A dragged width stays when the window is resized; hiding the list widens the player; full screen covers
    // the window and layout passes leave everything alone until it ends.
    void widthsAndFullScreen()
    {
        MainLayout layout;
        layout.ArrangeControls();
        layout.SetControlsSize(13395, 8895);
        layout.SplitterDown(true, 100);
        QVERIFY(!layout.SplitterMove(87, 13395) && layout.SplitterMove(-500, 13395)); // 600 from the press point
        layout.SetControlsSize(16000, 9000);
        QCOMPARE(text(layout.areas().picPlayList), u"11590 555 4395 7650"_s);
        QCOMPARE(layout.FileNameColumnWidth(600, 900), 4395 - 30 - 600 - 900 - 300);
        layout.SetControlsSize(13395, 8895);
        layout.SetPlaylistVisible(false, 13395);
        QCOMPARE(layout.areas().Flash.width, 13365);
        QCOMPARE(layout.areas().picBigLogo.left, 5458); // 5457.5, half to even
        layout.SetPlaylistVisible(true, 13395);
        QCOMPARE(layout.areas().Flash.width, 8970);
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
        QCOMPARE((TwipRect { 0, 218, 360, 360 }).toPixels(), QRect(0, 15, 24, 24)); // half pixels to even
        QCOMPARE((TwipRect { 3560, 2130, 2450, 3285 }).toPixels(), QRect(237, 142, 164, 219)); // right edge kept
    }
};

QTEST_GUILESS_MAIN(TestMainLayout)
#include "tst_mainlayout.moc"
