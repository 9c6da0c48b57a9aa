#include "swf/formatting.h"

#include <QTest>

class TestFormatting : public QObject {
    Q_OBJECT
private slots:
    void duration_data()
    {
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QString>("texts"); // words|short clock|full clock|style 3|style -1
        QTest::newRow("0: no words") << 0 << "|00:00|00:00:00||";
        QTest::newRow("60: zero seconds said after minutes") << 60 << "1分0秒|01:00|00:01:00||";
        QTest::newRow("3600: no minutes said") << 3600 << "1小时0秒|1:00:00|01:00:00||";
        QTest::newRow("3725") << 3725 << "1小时2分5秒|1:02:05|01:02:05||";
        QTest::newRow("100 hours keep two digits in the full clock") << 360000 << "100小时0秒|100:00:00|00:00:00||";
    }
    void duration()
    {
        QFETCH(int, seconds);
        QFETCH(QString, texts);
        const QStringList got { FormatDuration(seconds, 0), FormatDuration(seconds, 1), FormatDuration(seconds, 2),
            FormatDuration(seconds, 3), FormatDuration(seconds, -1) };
        QCOMPARE(got.join(u'|'), texts);
    }
    void fileSize_data()
    {
        QTest::addColumn<qint64>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("1024 is still bytes") << qint64(1024) << "1024Byte";
        QTest::newRow("100.125 ties down to even") << qint64(102528) << "100.12KB";
        QTest::newRow("1048576 is still KB") << qint64(1048576) << "1024KB";
        QTest::newRow("1048577") << qint64(1048577) << "1MB";
        QTest::newRow("1 GB is still MB") << qint64(1073741824) << "1024MB";
        QTest::newRow("beyond 32 bits") << qint64(1610612736) * 4 << "6GB";
    }
    void fileSize()
    {
        QFETCH(qint64, bytes);
        QFETCH(QString, text);
        QCOMPARE(FormatFileSize(bytes), text);
    }
};

QTEST_GUILESS_MAIN(TestFormatting)
#include "tst_formatting.moc"
