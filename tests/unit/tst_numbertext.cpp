#include "core/numbertext.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestNumberText : public QObject {
    Q_OBJECT
private slots:
    // "text|whole|tenths": the leading number, rounded half to even to a whole number (clamped to
    // 32 bits) and to one place.
    void leadingNumber_data()
    {
        QTest::addColumn<QString>("row");
        QTest::newRow("ties to even") << "12.5|12|12.5";
        QTest::newRow("just over a tie") << "12.5000001|13|12.5";
        QTest::newRow("negative tie") << "-2.5|-2|-2.5";
        QTest::newRow("tenths: 0.25 down to even") << "0.25|0|0.2";
        QTest::newRow("9.96 carries") << "9.96|10|10";
        QTest::newRow("leading zeros, a word after a space") << "0030 frames|30|30";
        QTest::newRow("spaces before and inside") << "  1 2|12|12";
        QTest::newRow("not a number") << "&H10|0|0";
        QTest::newRow("exponent with D and a space") << "2D 2|200|200";
        QTest::newRow("negative exponent") << "+25e-1|2|2.5";
        QTest::newRow("E without digits is no exponent") << "5e|5|5";
        QTest::newRow("fraction without whole part") << ".66|1|0.7";
        QTest::newRow("second point ends the number") << "1.5.9|2|1.5";
        QTest::newRow("clamped high") << "99999999999|2147483647|99999999999";
    }
    void leadingNumber()
    {
        QFETCH(QString, row);
        const QStringList fields = row.split(u'|');
        const LeadingNumber number(fields.at(0));
        QCOMPARE(QString::number(number.toInt32()), fields.at(1));
        QCOMPARE(QString::number(number.rounded(1), 'g', 12), fields.at(2));
    }

    // 550.5, 551.5, 550.55, -1.5, -1.45
    void roundRatio()
    {
        QStringList got;
        for (const auto& [n, d] : { std::pair(11010, 20), { 11030, 20 }, { 11011, 20 }, { -30, 20 }, { -29, 20 } })
            got.append(QString::number(RoundRatioHalfEven(n, d)));
        QCOMPARE(got.join(u' '), u"550 552 551 -2 -1"_s);
    }
};

QTEST_GUILESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
