#include "core/numbertext.h"

#include <QTest>
#include <limits>

class TestNumberText : public QObject {
    Q_OBJECT
private slots:
    void wholeNumbers_data();
    void wholeNumbers();
    void oneDecimalPlace_data();
    void oneDecimalPlace();
    void roundRatio_data();
    void roundRatio();
};

void TestNumberText::wholeNumbers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");
    QTest::addColumn<bool>("found");
    QTest::newRow("plain") << "30" << 30 << true;
    QTest::newRow("leading zeros") << "0030" << 30 << true;
    QTest::newRow("tie goes down to even") << "12.5" << 12 << true;
    QTest::newRow("tie goes up to even") << "13.5" << 14 << true;
    QTest::newRow("just over a tie") << "12.5000001" << 13 << true;
    QTest::newRow("word after a space") << "30 frames" << 30 << true;
    QTest::newRow("spaces before and inside") << "  1 2" << 12 << true;
    QTest::newRow("not a number") << "abc" << 0 << false;
    QTest::newRow("empty") << "" << 0 << false;
    QTest::newRow("negative tie") << "-2.5" << -2 << true;
    QTest::newRow("plus sign") << "+7" << 7 << true;
    QTest::newRow("exponent") << "1e3" << 1000 << true;
    QTest::newRow("exponent with D") << "2D2" << 200 << true;
    QTest::newRow("negative exponent") << "25e-1" << 2 << true;
    QTest::newRow("E without digits is not an exponent") << "5e" << 5 << true;
    QTest::newRow("point only") << "." << 0 << false;
    QTest::newRow("fraction without whole part") << ".6" << 1 << true;
    QTest::newRow("second point ends the number") << "1.5.9" << 2 << true;
    QTest::newRow("hex prefix is not read") << "&H10" << 0 << false;
    QTest::newRow("clamped high") << "99999999999" << std::numeric_limits<int32_t>::max() << true;
    QTest::newRow("clamped low") << "-99999999999" << std::numeric_limits<int32_t>::min() << true;
    QTest::newRow("huge exponent clamps") << "1e400" << std::numeric_limits<int32_t>::max() << true;
}

void TestNumberText::wholeNumbers()
{
    QFETCH(QString, text);
    QFETCH(int, expected);
    QFETCH(bool, found);
    const LeadingNumber number(text);
    QCOMPARE(number.toInt32(), expected);
    QCOMPARE(number.found(), found);
}

void TestNumberText::oneDecimalPlace_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("2.46 rounds up") << "2.46" << 2.5;
    QTest::newRow("0.25 is a tie, to even") << "0.25" << 0.2;
    QTest::newRow("0.35 is a tie, to even") << "0.35" << 0.4;
    QTest::newRow("0.05 is a tie, to zero") << "0.05" << 0.0;
    QTest::newRow("9.96 carries") << "9.96" << 10.0;
    QTest::newRow("whole") << "3" << 3.0;
    QTest::newRow("tiny") << "0.0001" << 0.0;
    QTest::newRow("not a number") << "x" << 0.0;
    QTest::newRow("exponent form") << "2.5e-1" << 0.2;
}

void TestNumberText::oneDecimalPlace()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(LeadingNumber(text).rounded(1), expected);
}

void TestNumberText::roundRatio_data()
{
    QTest::addColumn<qint64>("numerator");
    QTest::addColumn<qint64>("denominator");
    QTest::addColumn<qint64>("expected");
    QTest::newRow("exact") << qint64(11000) << qint64(20) << qint64(550);
    QTest::newRow("550.5 to even 550") << qint64(11010) << qint64(20) << qint64(550);
    QTest::newRow("551.5 to even 552") << qint64(11030) << qint64(20) << qint64(552);
    QTest::newRow("negative tie") << qint64(-30) << qint64(20) << qint64(-2);
    QTest::newRow("negative below tie") << qint64(-29) << qint64(20) << qint64(-1);
}

void TestNumberText::roundRatio()
{
    QFETCH(qint64, numerator);
    QFETCH(qint64, denominator);
    QFETCH(qint64, expected);
    QCOMPARE(RoundRatioHalfEven(numerator, denominator), expected);
}

QTEST_GUILESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
