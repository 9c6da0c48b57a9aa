#include "playback/playerprogressbar.h"

#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

// The full progress bar driven with mouse events, offscreen. The bar is 216 pixels wide, 3240
// twips: the 16-pixel thumb travels 3000 twips, 2 pixels per percent.
class TestPlayerProgressBar : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup() { delete m_window; }
    void value_data();
    void value();
    void click_data();
    void click();
    void drag();

private:
    QWidget* part(const char* name) const { return m_bar->findChild<QWidget*>(QLatin1StringView(name)); }
    QWidget* thumb() const { return part("DragIcon"); }
    // At a fractional position, for movements smaller than a pixel.
    static void send(QWidget* target, QEvent::Type type, QPointF pos, Qt::MouseButtons buttons = Qt::LeftButton)
    {
        QMouseEvent e(type, pos, target->mapToGlobal(pos), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
            buttons, Qt::NoModifier);
        QApplication::sendEvent(target, &e);
    }
    QWidget* m_window = nullptr;
    PlayerProgressBar* m_bar = nullptr;
};

void TestPlayerProgressBar::init()
{
    m_window = new QWidget;
    m_window->resize(300, 60);
    m_bar = new PlayerProgressBar(m_window);
    m_bar->setGeometry(0, 10, 216, 16);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void TestPlayerProgressBar::value_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<float>("taken");
    QTest::addColumn<int>("thumbX");
    QTest::addColumn<int>("filled");
    QTest::newRow("0") << 0.0f << 0.0f << 0 << 8;
    QTest::newRow("50: thumb at 1500 twips, filled 1620") << 50.0f << 50.0f << 100 << 108;
    QTest::newRow("100") << 100.0f << 100.0f << 200 << 208;
    QTest::newRow("100.5 is ignored") << 100.5f << 30.0f << 60 << 68;
    QTest::newRow("-1 is ignored") << -1.0f << 30.0f << 60 << 68;
    QTest::newRow("not a number is ignored") << std::numeric_limits<float>::quiet_NaN() << 30.0f << 60 << 68;
}

void TestPlayerProgressBar::value()
{
    QFETCH(float, value);
    QFETCH(float, taken);
    QFETCH(int, thumbX);
    QFETCH(int, filled);
    QSignalSpy spy(m_bar, &PlayerProgressBar::DragProgress);
    m_bar->SetValue(30.0f);
    m_bar->SetValue(value);
    QCOMPARE(m_bar->Value(), taken);
    QCOMPARE(thumb()->x(), thumbX);
    QCOMPARE(part("lblProg")->width(), filled);
    QCOMPARE(spy.count(), 0);
    // A narrower bar keeps the value; the thumb travels 1500 twips.
    m_bar->resize(116, 30);
    QCOMPARE(m_bar->height(), 16);
    QCOMPARE(thumb()->x(), thumbX / 2);
}

void TestPlayerProgressBar::click_data()
{
    QTest::addColumn<float>("start");
    QTest::addColumn<QString>("where");
    QTest::addColumn<int>("x");
    QTest::addColumn<float>("value"); // the value afterwards
    QTest::addColumn<int>("thumbX");
    QTest::addColumn<int>("events");
    QTest::newRow("a quarter") << 0.0f << "bar" << 58 << 25.0f << 50 << 1;
    QTest::newRow("the far right end") << 0.0f << "bar" << 208 << 100.0f << 200 << 1;
    QTest::newRow("inside the last half thumb is beyond 100") << 0.0f << "bar" << 212 << 0.0f << 0 << 0;
    QTest::newRow("where the value already is") << 25.0f << "bar" << 58 << 25.0f << 50 << 0;
    QTest::newRow("filled part, a quarter") << 50.0f << "lblProg" << 58 << 25.0f << 50 << 1;
    // Below 0 percent: no change, but the thumb's left edge goes to the click.
    QTest::newRow("filled part, left end") << 50.0f << "lblProg" << 0 << 50.0f << 0 << 0;
}

void TestPlayerProgressBar::click()
{
    QFETCH(float, start);
    QFETCH(QString, where);
    QFETCH(int, x);
    QFETCH(float, value);
    QFETCH(int, thumbX);
    QFETCH(int, events);
    m_bar->SetValue(start);
    QSignalSpy spy(m_bar, &PlayerProgressBar::DragProgress);
    // Straight to the background: the thumb would take some of these points.
    send(where == u"bar" ? m_bar : part("lblProg"), QEvent::MouseButtonPress, QPointF(x, 8));
    QCOMPARE(m_bar->Value(), value);
    QCOMPARE(thumb()->x(), thumbX);
    QCOMPARE(spy.count(), events);
    if (events)
        QCOMPARE(spy.at(0).at(0).toFloat(), value);
}

void TestPlayerProgressBar::drag()
{
    QSignalSpy spy(m_bar, &PlayerProgressBar::DragProgress);
    m_bar->SetValue(0.0f);
    send(thumb(), QEvent::MouseButtonPress, QPointF(8, 8));
    send(thumb(), QEvent::MouseMove, QPointF(8 + 10.0 / 15, 8)); // 10 twips: not yet
    QCOMPARE(spy.count(), 0);
    send(thumb(), QEvent::MouseMove, QPointF(9, 8)); // 15 twips
    QCOMPARE(spy.count(), 1);
    QCOMPARE(m_bar->Value(), 0.5f);
    QCOMPARE(thumb()->toolTip(), QStringLiteral("0.5%"));
    send(thumb(), QEvent::MouseButtonRelease, QPointF(8, 8), Qt::NoButton);
    m_bar->SetValue(90.0f); // thumb at 180 px
    send(thumb(), QEvent::MouseButtonPress, QPointF(8, 8));
    send(thumb(), QEvent::MouseMove, QPointF(18, 8)); // to 190 px
    QCOMPARE(m_bar->Value(), 95.0f);
    for (double x : { 80.0, -200.0 }) // far past either end: the thumb stays inside
        send(thumb(), QEvent::MouseMove, QPointF(x, 8));
    QCOMPARE(spy.count(), 2);
    QCOMPARE(thumb()->x(), 190);
    // The drag ends with the button.
    send(thumb(), QEvent::MouseButtonRelease, QPointF(8, 8), Qt::NoButton);
    send(thumb(), QEvent::MouseMove, QPointF(14, 8), Qt::NoButton);
    QCOMPARE(thumb()->x(), 190);
    // A bar no wider than its thumb ignores clicks and drags.
    m_bar->resize(16, 16);
    QTest::mouseClick(part("lblProg"), Qt::LeftButton, {}, QPoint(3, 8));
    send(thumb(), QEvent::MouseButtonPress, QPointF(8, 8));
    send(thumb(), QEvent::MouseMove, QPointF(12, 8));
    QCOMPARE(spy.count(), 2);
}

QTEST_MAIN(TestPlayerProgressBar)
#include "tst_playerprogressbar.moc"
