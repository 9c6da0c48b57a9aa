#include "swf/formatting.h"
#include "tests/support/playbackrig.h"
#include "tests/support/testdir.h"
#include "tools/swfgen/swfwriter.h"

#include <QTest>

class TestUnreadableHeaders : public QObject {
    Q_OBJECT
private slots:
    void nothingOfThePreviousMovieRemains_data();
    void nothingOfThePreviousMovieRemains();
};

void TestUnreadableHeaders::nothingOfThePreviousMovieRemains_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("format");
    const QByteArray fws = swfgen::WriteMovie({});
    const QByteArray cws = swfgen::Compress(fws, swfgen::Compression::Zlib);
    QTest::newRow("text file") << QByteArray("plain text, no movie") << "不是Flash文件格式";
    QTest::newRow("CWS shorter than 8 bytes") << cws.left(7) << "不是Flash文件格式";
    QTest::newRow("CWS with a broken stream") << cws.left(8) + QByteArray(40, 'x') << "";
    QTest::newRow("ZWS cut short") << swfgen::Compress(fws, swfgen::Compression::Lzma).left(14) << "LZMA压缩格式的Flash";
    QTest::newRow("FWS cut inside the stage") << fws.left(10) << "未压缩的Flash格式";
}

// A 10-second movie plays, then a row that cannot be decoded.
void TestUnreadableHeaders::nothingOfThePreviousMovieRemains()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, format);
    PlaybackRig rig;
    rig.addMovie(QStringLiteral("good.swf"), 100, 10.0);
    QVERIFY(WriteAll(rig.addMissing(QStringLiteral("broken.swf")), bytes));
    rig.startRows(0);
    rig.transport.PlayerBtns_Click(Transport::CmdNext);
    const SwfHeaderInfo& info = rig.transport.CurrentSwfInfo();
    QCOMPARE(info.Format, format);
    QCOMPARE(info.FrameRate + float(info.Duration + info.FrameCount + info.Width), 0.0f);
    QCOMPARE(rig.rows.At(2).timeShort, FormatDuration(0, DurationShort));
}

QTEST_GUILESS_MAIN(TestUnreadableHeaders)
#include "tst_unreadableheaders.moc"
