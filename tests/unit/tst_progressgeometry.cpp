#include "playback/progressgeometry.h"
#include "tests/support/texttablerow.h"

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

QTEST_GUILESS_MAIN(TestProgressGeometry)
#include "tst_progressgeometry.moc"
