#include "playback/progressgeometry.h"

#include <QTest>

using namespace ProgressGeometry;

// The progress bar's arithmetic in twips (the thumb is 240 wide), apart from any widget.
class TestProgressGeometry : public QObject {
    Q_OBJECT
private slots:
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
    void isValueChange_data()
    {
        QTest::addColumn<float>("current");
        QTest::addColumn<float>("proposed");
        QTest::addColumn<bool>("changes");
        QTest::newRow("0 is taken") << 10.0f << 0.0f << true;
        QTest::newRow("100 is taken") << 10.0f << 100.0f << true;
        QTest::newRow("below 0 is refused") << 10.0f << -0.5f << false;
        QTest::newRow("above 100 is refused") << 10.0f << 100.5f << false;
        QTest::newRow("within 0.01 is no change") << 50.0f << 50.005f << false;
        QTest::newRow("0.01 below is a change") << 50.0f << 49.98f << true;
        QTest::newRow("not a number is refused") << 50.0f << std::numeric_limits<float>::quiet_NaN() << false;
    }
    void isValueChange()
    {
        QFETCH(float, current);
        QFETCH(float, proposed);
        QFETCH(bool, changes);
        QCOMPARE(IsValueChange(current, proposed), changes);
    }
};

QTEST_GUILESS_MAIN(TestProgressGeometry)
#include "tst_progressgeometry.moc"
