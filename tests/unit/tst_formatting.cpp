#include "about/abouttext.h"
#include "core/numbertext.h"
#include "swf/formatting.h"
#include "tests/support/texttablerow.h"

#include <QTest>

class TestFormatting : public QObject {
    Q_OBJECT
private slots:
    // Seconds => words|short clock|full clock|style 3|style -1; "bytes B" => the size as shown.
    void format_data()
    {
        TextTable(uR"(
no words for nothing: 0 => |00:00|00:00:00||
zero seconds said after minutes: 60 => 1分0秒|01:00|00:01:00||
no minutes said: 3600 => 1小时0秒|1:00:00|01:00:00||
every unit: 3725 => 1小时2分5秒|1:02:05|01:02:05||
100 hours keep two digits in the full clock: 360000 => 100小时0秒|100:00:00|00:00:00||
1024 is still bytes: 1024 B => 1024Byte
100.125 ties down to even: 102528 B => 100.12KB
1048576 is still KB: 1048576 B => 1024KB
one byte more is MB: 1048577 B => 1MB
1 GB is still MB: 1073741824 B => 1024MB
beyond 32 bits: 6442450944 B => 6GB
)"_qs);
    }
    void format()
    {
        const auto [given, expected] = TextRow();
        QStringList durations;
        for (int style : { 0, 1, 2, 3, -1 })
            durations.append(FormatDuration(given.toInt(), style));
        QCOMPARE(given.endsWith(u'B') ? FormatFileSize(given.chopped(2).toLongLong()) : durations.join(u'|'), expected);
    }
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

    // Major, minor and the last number: the build number of a four-part version is left out.
    void aboutTitle()
    {
        QCOMPARE(AboutText::TitleForVersion(QStringLiteral("1.5.0.1")), QStringLiteral("Quenbarrowick V 1.5.1"));
        QCOMPARE(AboutText::TitleForVersion(QStringLiteral("01.05.009")), QStringLiteral("Quenbarrowick V 1.5.9"));
        QCOMPARE(AboutText::TitleForVersion(QStringLiteral("4.x")), QStringLiteral("Quenbarrowick V 4.0.0"));
    }
};

QTEST_GUILESS_MAIN(TestFormatting)
#include "tst_formatting.moc"
