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
};

QTEST_GUILESS_MAIN(TestFormatting)
#include "tst_formatting.moc"
