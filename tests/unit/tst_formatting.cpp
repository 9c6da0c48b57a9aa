#include "swf/formatting.h"

#include <QTest>

class TestFormatting : public QObject {
    Q_OBJECT
private slots:
    void duration_data();
    void duration();
    void unknownStyleIsEmpty();
    void fileSize_data();
    void fileSize();
};

void TestFormatting::duration_data()
{
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QString>("words");
    QTest::addColumn<QString>("shortClock");
    QTest::addColumn<QString>("fullClock");
    QTest::newRow("0") << 0 << "" << "00:00" << "00:00:00";
    QTest::newRow("5") << 5 << "5秒" << "00:05" << "00:00:05";
    QTest::newRow("60") << 60 << "1分0秒" << "01:00" << "00:01:00";
    QTest::newRow("3600") << 3600 << "1小时0秒" << "1:00:00" << "01:00:00";
    QTest::newRow("3725") << 3725 << "1小时2分5秒" << "1:02:05" << "01:02:05";
    QTest::newRow("36000") << 36000 << "10小时0秒" << "10:00:00" << "10:00:00";
    QTest::newRow("100 hours keeps two digits in the full clock") << 360000 << "100小时0秒" << "100:00:00"
                                                                  << "00:00:00";
    QTest::newRow("3599") << 3599 << "59分59秒" << "59:59" << "00:59:59";
    QTest::newRow("3601") << 3601 << "1小时1秒" << "1:00:01" << "01:00:01";
}

void TestFormatting::duration()
{
    QFETCH(int, seconds);
    QFETCH(QString, words);
    QFETCH(QString, shortClock);
    QFETCH(QString, fullClock);
    QCOMPARE(FormatDuration(seconds, 0), words);
    QCOMPARE(FormatDuration(seconds, 1), shortClock);
    QCOMPARE(FormatDuration(seconds, 2), fullClock);
}

void TestFormatting::unknownStyleIsEmpty()
{
    for (int seconds : { 0, 5, 3725 }) {
        QCOMPARE(FormatDuration(seconds, 3), QString());
        QCOMPARE(FormatDuration(seconds, -1), QString());
    }
}

void TestFormatting::fileSize_data()
{
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << qint64(0) << "0Byte";
    QTest::newRow("1024 is still bytes") << qint64(1024) << "1024Byte";
    QTest::newRow("1025") << qint64(1025) << "1KB";
    QTest::newRow("1536") << qint64(1536) << "1.5KB";
    QTest::newRow("1048575") << qint64(1048575) << "1024KB";
    QTest::newRow("1048576 is still KB") << qint64(1048576) << "1024KB";
    QTest::newRow("1048577") << qint64(1048577) << "1MB";
    QTest::newRow("5242880") << qint64(5242880) << "5MB";
    QTest::newRow("two places") << qint64(1024 + 10) << "1.01KB";
    QTest::newRow("100.125 ties down to even") << qint64(102528) << "100.12KB";
    QTest::newRow("100.375 ties up to even") << qint64(102784) << "100.38KB";
    QTest::newRow("exact quarter") << qint64(1024 * 5 / 4) << "1.25KB";
    QTest::newRow("1.5 GB") << qint64(1610612736) << "1.5GB";
    QTest::newRow("1 GB is still MB") << qint64(1073741824) << "1024MB";
    QTest::newRow("beyond 32 bits") << qint64(5) * 1073741824 << "5GB";
}

void TestFormatting::fileSize()
{
    QFETCH(qint64, bytes);
    QFETCH(QString, text);
    QCOMPARE(FormatFileSize(bytes), text);
}

QTEST_GUILESS_MAIN(TestFormatting)
#include "tst_formatting.moc"
