#include "playback/playerprogressbar.h"

#include <QLabel>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

// The full progress bar driven with real mouse events, offscreen. The bar is 216 pixels wide,
// 3240 twips: the thumb travels 3000 twips, 2 pixels per percent.
class TestPlayerProgressBar : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void value_takesOnlyZeroToHundred_data();
    void value_takesOnlyZeroToHundred();
    void value_placesThumbAndFilledPart_data();
    void value_placesThumbAndFilledPart();
    void clickOnTheBar_centresTheThumbUnderThePointer_data();
    void clickOnTheBar_centresTheThumbUnderThePointer();
    void clickOnTheBar_throughTheWindow_reachesTheBackground();
    void clickOnTheFilledPart_movesTheThumbEvenWithoutAChange();
    void dragOfTheThumb_movesFromFifteenTwipsOn();
    void dragOfTheThumb_pastTheEnd_leavesTheThumbInside();
    void dragOfTheThumb_endsWithTheButton();
    void marker_followsThePointerAndHidesOverTheThumb();
    void marker_hidesWhenTheBarLosesFocus();
    void resize_keepsTheValueAndBringsTheMarkerToTheFront();
    void barNoWiderThanItsThumb_ignoresClicksAndDrags();

private:
    QWidget* thumb() const { return m_bar->findChild<QWidget*>(QStringLiteral("DragIcon")); }
    QWidget* filled() const { return m_bar->findChild<QWidget*>(QStringLiteral("lblProg")); }
    QWidget* marker() const { return m_bar->findChild<QWidget*>(QStringLiteral("lblTiny")); }

    QWidget* m_window = nullptr;
    PlayerProgressBar* m_bar = nullptr;
};

namespace {

// A mouse event at a fractional position, for movements smaller than a pixel.
void sendMouse(QWidget* target, QEvent::Type type, QPointF pos, Qt::MouseButtons buttons)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, pos, target->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

} // namespace

void TestPlayerProgressBar::init()
{
    m_window = new QWidget;
    m_window->resize(300, 60);
    m_bar = new PlayerProgressBar(m_window);
    m_bar->setGeometry(0, 10, 216, 16);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void TestPlayerProgressBar::cleanup()
{
    delete m_window;
    m_window = nullptr;
}

void TestPlayerProgressBar::value_takesOnlyZeroToHundred_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<float>("expected");
    QTest::newRow("100.5 is ignored") << 100.5f << 30.0f;
    QTest::newRow("-1 is ignored") << -1.0f << 30.0f;
    QTest::newRow("0 is taken") << 0.0f << 0.0f;
    QTest::newRow("100 is taken") << 100.0f << 100.0f;
    QTest::newRow("not a number is ignored") << std::numeric_limits<float>::quiet_NaN() << 30.0f;
}

void TestPlayerProgressBar::value_takesOnlyZeroToHundred()
{
    QFETCH(float, value);
    QFETCH(float, expected);
    QSignalSpy spy(m_bar, &PlayerProgressBar::DragProgress);
    m_bar->SetValue(30.0f);
    m_bar->SetValue(value);
    QCOMPARE(m_bar->Value(), expected);
    QCOMPARE(spy.count(), 0);
}

void TestPlayerProgressBar::value_placesThumbAndFilledPart_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<int>("thumbX");
    QTest::addColumn<int>("filledWidth");
    QTest::newRow("0") << 0.0f << 0 << 8;
    QTest::newRow("50: thumb at 1500 twips, filled 1620") << 50.0f << 100 << 108;
    QTest::newRow("100") << 100.0f << 200 << 208;
}

void TestPlayerProgressBar::value_placesThumbAndFilledPart()
{
    QFETCH(float, value);
    QFETCH(int, thumbX);
    QFETCH(int, filledWidth);
    m_bar->SetValue(value);
    QCOMPARE(thumb()->x(), thumbX);
    QCOMPARE(thumb()->size(), QSize(16, 16));
    QCOMPARE(filled()->width(), filledWidth);
    QCOMPARE(m_bar->height(), 16);
}

void TestPlayerProgressBar::clickOnTheBar_centresTheThumbUnderThePointer_data()
{
    QTest::addColumn<float>("start");
    QTest::addColumn<int>("x");
    QTest::addColumn<float>("value"); // the value afterwards
    QTest::addColumn<int>("events");
    QTest::newRow("a quarter") << 0.0f << 58 << 25.0f << 1;
    QTest::newRow("the far right end") << 0.0f << 208 << 100.0f << 1;
    QTest::newRow("inside the last half thumb is beyond 100") << 0.0f << 212 << 0.0f << 0;
    QTest::newRow("the left end of the bar is below 0") << 30.0f << 0 << 30.0f << 0;
    QTest::newRow("where the value already is") << 25.0f << 58 << 25.0f << 0;
}

void TestPlayerProgressBar::clickOnTheBar_centresTheThumbUnderThePointer()
{
    QFETCH(float, start);
    QFETCH(int, x);
    QFETCH(float, value);
    QFETCH(int, events);
    m_bar->SetValue(start);
    QSignalSpy spy(m_bar, &PlayerProgressBar::DragProgress);
    // Straight to the background: the thumb and the filled part would take some of these points.
    sendMouse(m_bar, QEvent::MouseButtonPress, QPointF(x, 8), Qt::RightButton);
    QCOMPARE(m_bar->Value(), value);
    QCOMPARE(spy.count(), events);
    if (events > 0) {
        QCOMPARE(spy.at(0).at(0).toFloat(), value);
        QCOMPARE(thumb()->x(), x - 8);
    }
}

void TestPlayerProgressBar::clickOnTheBar_throughTheWindow_reachesTheBackground()
{
    QSignalSpy spy(m_bar, &PlayerProgressBar::DragProgress);
    QTest::mouseClick(m_bar, Qt::LeftButton, {}, QPoint(58, 8));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(m_bar->Value(), 25.0f);
    QCOMPARE(thumb()->x(), 50);
    QCOMPARE(filled()->width(), 58);
}

void TestPlayerProgressBar::clickOnTheFilledPart_movesTheThumbEvenWithoutAChange()
{
    QSignalSpy spy(m_bar, &PlayerProgressBar::DragProgress);
    m_bar->SetValue(50.0f); // filled part 0..108 px, thumb at 100
    QTest::mouseClick(filled(), Qt::LeftButton, {}, QPoint(0, 8));
    QCOMPARE(spy.count(), 0); // below 0 percent: no change
    QCOMPARE(m_bar->Value(), 50.0f);
    QCOMPARE(thumb()->x(), 0); // but the thumb's left edge went to the click

    QTest::mouseClick(filled(), Qt::LeftButton, {}, QPoint(58, 8));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(m_bar->Value(), 25.0f);
    QCOMPARE(thumb()->x(), 50);
    QCOMPARE(filled()->width(), 58);
}

void TestPlayerProgressBar::dragOfTheThumb_movesFromFifteenTwipsOn()
{
    QSignalSpy spy(m_bar, &PlayerProgressBar::DragProgress);
    m_bar->SetValue(0.0f);
    sendMouse(thumb(), QEvent::MouseButtonPress, QPointF(8, 8), Qt::LeftButton);
    sendMouse(thumb(), QEvent::MouseMove, QPointF(8 + 10.0 / 15, 8), Qt::LeftButton); // 10 twips
    QCOMPARE(spy.count(), 0);
    QCOMPARE(thumb()->x(), 0);
    sendMouse(thumb(), QEvent::MouseMove, QPointF(9, 8), Qt::LeftButton); // 15 twips
    QCOMPARE(spy.count(), 1);
    QCOMPARE(m_bar->Value(), 0.5f);
    QCOMPARE(thumb()->x(), 1);
    QCOMPARE(thumb()->toolTip(), QStringLiteral("0.5%"));
    sendMouse(thumb(), QEvent::MouseButtonRelease, QPointF(8, 8), Qt::NoButton);

    // With real pointer events the thumb follows the pointer across the bar.
    QTest::mousePress(thumb(), Qt::LeftButton, {}, QPoint(8, 8));
    QTest::mouseMove(thumb(), QPoint(38, 8));
    QCOMPARE(spy.count(), 2);
    QCOMPARE(m_bar->Value(), 15.5f);
    QCOMPARE(thumb()->x(), 31);
    QCOMPARE(filled()->width(), 39);
    QCOMPARE(thumb()->toolTip(), QStringLiteral("15.5%"));
    QTest::mouseRelease(thumb(), Qt::LeftButton, {}, QPoint(8, 8));
}

void TestPlayerProgressBar::dragOfTheThumb_pastTheEnd_leavesTheThumbInside()
{
    QSignalSpy spy(m_bar, &PlayerProgressBar::DragProgress);
    m_bar->SetValue(90.0f); // thumb at 180 px
    sendMouse(thumb(), QEvent::MouseButtonPress, QPointF(8, 8), Qt::LeftButton);
    sendMouse(thumb(), QEvent::MouseMove, QPointF(18, 8), Qt::LeftButton); // to 190 px
    QCOMPARE(spy.count(), 1);
    sendMouse(thumb(), QEvent::MouseMove, QPointF(80, 8), Qt::LeftButton); // far past the end
    QCOMPARE(spy.count(), 1);
    QCOMPARE(thumb()->x(), 190);
    QCOMPARE(m_bar->Value(), 95.0f);
    sendMouse(thumb(), QEvent::MouseMove, QPointF(-200, 8), Qt::LeftButton); // far past the start
    QCOMPARE(spy.count(), 1);
    QCOMPARE(thumb()->x(), 190);
}

void TestPlayerProgressBar::dragOfTheThumb_endsWithTheButton()
{
    QSignalSpy spy(m_bar, &PlayerProgressBar::DragProgress);
    m_bar->SetValue(50.0f);
    sendMouse(thumb(), QEvent::MouseButtonPress, QPointF(8, 8), Qt::LeftButton);
    sendMouse(thumb(), QEvent::MouseButtonRelease, QPointF(8, 8), Qt::NoButton);
    sendMouse(thumb(), QEvent::MouseMove, QPointF(14, 8), Qt::NoButton);
    QCOMPARE(spy.count(), 0);
    QCOMPARE(thumb()->x(), 100);
    QCOMPARE(thumb()->toolTip(), QStringLiteral("50.%"));
}

void TestPlayerProgressBar::marker_followsThePointerAndHidesOverTheThumb()
{
    m_bar->SetValue(0.0f);
    QVERIFY(m_bar->HideTinyLable());
    QTest::mouseMove(m_bar, QPoint(150, 8));
    QTRY_VERIFY_WITH_TIMEOUT(!m_bar->HideTinyLable(), 1000);
    QCOMPARE(marker()->x(), 144); // 90 twips left of the pointer
    QCOMPARE(marker()->width(), 1);

    m_bar->SetHideTinyLable(true);
    QVERIFY(m_bar->HideTinyLable());
    QVERIFY(marker()->isHidden());
    m_bar->SetHideTinyLable(false);
    QVERIFY(!m_bar->HideTinyLable());

    sendMouse(thumb(), QEvent::MouseMove, QPointF(4, 8), Qt::NoButton);
    QVERIFY(m_bar->HideTinyLable());
    QCOMPARE(thumb()->toolTip(), QStringLiteral("0.%"));

    sendMouse(filled(), QEvent::MouseMove, QPointF(6, 8), Qt::NoButton);
    QVERIFY(!m_bar->HideTinyLable());
    QCOMPARE(marker()->x(), 0);
}

void TestPlayerProgressBar::marker_hidesWhenTheBarLosesFocus()
{
    auto* other = new QLabel(m_window);
    other->setFocusPolicy(Qt::StrongFocus);
    other->setGeometry(0, 40, 50, 10);
    other->show();
    m_window->activateWindow();
    QTest::mouseClick(m_bar, Qt::LeftButton, {}, QPoint(150, 8));
    QTRY_VERIFY_WITH_TIMEOUT(m_bar->hasFocus(), 1000);
    QTest::mouseMove(m_bar, QPoint(120, 8));
    QTRY_VERIFY_WITH_TIMEOUT(!m_bar->HideTinyLable(), 1000);
    other->setFocus();
    QTRY_VERIFY_WITH_TIMEOUT(m_bar->HideTinyLable(), 1000);
}

void TestPlayerProgressBar::resize_keepsTheValueAndBringsTheMarkerToTheFront()
{
    m_bar->SetValue(50.0f);
    marker()->lower();
    m_bar->resize(116, 30); // 1740 twips: the thumb travels 1500
    QCOMPARE(m_bar->height(), 16);
    QCOMPARE(thumb()->x(), 50);
    QCOMPARE(filled()->width(), 58);
    QCOMPARE(m_bar->Value(), 50.0f);
    QCOMPARE(m_bar->children().last(), marker());
}

void TestPlayerProgressBar::barNoWiderThanItsThumb_ignoresClicksAndDrags()
{
    QSignalSpy spy(m_bar, &PlayerProgressBar::DragProgress);
    m_bar->resize(16, 16);
    m_bar->SetValue(40.0f);
    QCOMPARE(thumb()->x(), 0);
    QTest::mouseClick(filled(), Qt::LeftButton, {}, QPoint(3, 8));
    sendMouse(thumb(), QEvent::MouseButtonPress, QPointF(8, 8), Qt::LeftButton);
    sendMouse(thumb(), QEvent::MouseMove, QPointF(12, 8), Qt::LeftButton);
    QCOMPARE(spy.count(), 0);
    QCOMPARE(m_bar->Value(), 40.0f);
}

QTEST_MAIN(TestPlayerProgressBar)
#include "tst_playerprogressbar.moc"
