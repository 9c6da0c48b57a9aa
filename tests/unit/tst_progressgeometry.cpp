#include "playback/progressgeometry.h"

#include <QTest>

using namespace ProgressGeometry;

// The progress bar's arithmetic in twips, apart from any widget.
class TestProgressGeometry : public QObject {
    Q_OBJECT
private slots:
    void thumbAndFilledPart_followTheValue_data();
    void thumbAndFilledPart_followTheValue();
    void percentAt_putsTheThumbCentreUnderThePointer_data();
    void percentAt_putsTheThumbCentreUnderThePointer();
    void percentAt_onABarNoWiderThanItsThumb_givesNothing();
    void isValueChange_data();
    void isValueChange();
    void percentText_data();
    void percentText();
};

void TestProgressGeometry::thumbAndFilledPart_followTheValue_data()
{
    QTest::addColumn<double>("width");
    QTest::addColumn<float>("value");
    QTest::addColumn<double>("thumbLeft");
    QTest::addColumn<double>("filled");
    QTest::newRow("empty") << 3240.0 << 0.0f << 0.0 << 120.0;
    QTest::newRow("half of 3240") << 3240.0 << 50.0f << 1500.0 << 1620.0;
    QTest::newRow("full") << 3240.0 << 100.0f << 3000.0 << 3120.0;
    QTest::newRow("a bar as wide as its thumb keeps the thumb at 0") << 240.0 << 50.0f << 0.0 << 120.0;
    QTest::newRow("a bar narrower than its thumb too") << 100.0 << 50.0f << 0.0 << 120.0;
}

void TestProgressGeometry::thumbAndFilledPart_followTheValue()
{
    QFETCH(double, width);
    QFETCH(float, value);
    QFETCH(double, thumbLeft);
    QFETCH(double, filled);
    QCOMPARE(ThumbLeft(width, value), thumbLeft);
    QCOMPARE(FilledWidth(width, value), filled);
}

void TestProgressGeometry::percentAt_putsTheThumbCentreUnderThePointer_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<float>("percent");
    QTest::newRow("the thumb's half width from the left is 0") << 120.0 << 0.0f;
    QTest::newRow("a quarter") << 870.0 << 25.0f;
    QTest::newRow("the middle") << 1620.0 << 50.0f;
    QTest::newRow("half a thumb from the right is 100") << 3120.0 << 100.0f;
    QTest::newRow("5 twips from the left is below 0") << 5.0 << -3.8333333f;
    QTest::newRow("the right edge is beyond 100") << 3240.0 << 104.0f;
}

void TestProgressGeometry::percentAt_putsTheThumbCentreUnderThePointer()
{
    QFETCH(double, x);
    QFETCH(float, percent);
    const std::optional<float> p = PercentAt(3240, x);
    QVERIFY(p.has_value());
    QCOMPARE(*p, percent);
}

void TestProgressGeometry::percentAt_onABarNoWiderThanItsThumb_givesNothing()
{
    QVERIFY(!PercentAt(240, 100).has_value());
    QVERIFY(!PercentAt(0, 0).has_value());
    QVERIFY(!PercentOfThumbLeft(-15, 0).has_value());
    QVERIFY(PercentOfThumbLeft(255, 15).has_value());
}

void TestProgressGeometry::isValueChange_data()
{
    QTest::addColumn<float>("current");
    QTest::addColumn<float>("proposed");
    QTest::addColumn<bool>("changes");
    QTest::newRow("a clear change") << 10.0f << 20.0f << true;
    QTest::newRow("0 is taken") << 10.0f << 0.0f << true;
    QTest::newRow("100 is taken") << 10.0f << 100.0f << true;
    QTest::newRow("below 0 is refused") << 10.0f << -1.0f << false;
    QTest::newRow("above 100 is refused") << 10.0f << 100.5f << false;
    QTest::newRow("within 0.01 is no change") << 50.0f << 50.005f << false;
    QTest::newRow("the same value is no change") << 50.0f << 50.0f << false;
    QTest::newRow("0.02 away is a change") << 50.0f << 50.02f << true;
    QTest::newRow("not a number is refused") << 50.0f << std::numeric_limits<float>::quiet_NaN() << false;
}

void TestProgressGeometry::isValueChange()
{
    QFETCH(float, current);
    QFETCH(float, proposed);
    QFETCH(bool, changes);
    QCOMPARE(IsValueChange(current, proposed), changes);
}

void TestProgressGeometry::percentText_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("a whole number keeps its point") << 50.0f << "50.%";
    QTest::newRow("zero") << 0.0f << "0.%";
    QTest::newRow("one decimal") << 0.5f << "0.5%";
    QTest::newRow("two decimals") << 12.25f << "12.25%";
    QTest::newRow("rounded to two decimals") << 33.333336f << "33.33%";
    QTest::newRow("rounding up to a whole number") << 99.999f << "100.%";
    QTest::newRow("a trailing zero dropped") << 12.5f << "12.5%";
}

void TestProgressGeometry::percentText()
{
    QFETCH(float, value);
    QFETCH(QString, text);
    QCOMPARE(PercentText(value), text);
}

QTEST_GUILESS_MAIN(TestProgressGeometry)
#include "tst_progressgeometry.moc"
