#include "core/numbertext.h"
#include "tests/support/texttablerow.h"

#include <QTest>

class TestNumberText : public QObject {
    Q_OBJECT
private slots:
    // "text => whole|tenths": the leading number, rounded half to even to a whole number (clamped to 32 bits) and
    // to one place.
    void leadingNumber_data()
    {
        TextTable(uR"(
ties to even: 12.5 => 12|12.5
just over a tie: 12.5000001 => 13|12.5
negative tie: -2.5 => -2|-2.5
tenths, 0.25 down to even: 0.25 => 0|0.2
9.96 carries: 9.96 => 10|10
leading zeros, a word after a space: 0030 frames => 30|30
spaces before and inside:   1 2 => 12|12
not a number: &H10 => 0|0
exponent with D and a space: 2D 2 => 200|200
negative exponent: +25e-1 => 2|2.5
E without digits is no exponent: 5e => 5|5
fraction without whole part: .66 => 1|0.7
second point ends the number: 1.5.9 => 2|1.5
clamped high: 99999999999 => 2147483647|99999999999
)"_qs);
    }
    void leadingNumber()
    {
        const auto [text, expected] = TextRow();
        const LeadingNumber number(text);
        QCOMPARE(QString::number(number.toInt32()) + u'|' + QString::number(number.rounded(1), 'g', 12), expected);
    }
};

QTEST_GUILESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
