#include "app/handoff.h"

#include <QTest>
#include <QtEndian>

class TestHandOff : public QObject {
    Q_OBJECT
private slots:
    void handOffPath_data();
    void handOffPath();
    void commandLinePath_data();
    void commandLinePath();
    void messageRoundTrip_data();
    void messageRoundTrip();
    void partialMessageNeedsMore();
    void badMessages_data();
    void badMessages();
};

void TestHandOff::handOffPath_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isHandOff");
    QTest::addColumn<QString>("path");
    QTest::newRow("as sent") << "QUENBARROWICK:/home/a/b.swf" << true << "/home/a/b.swf";
    QTest::newRow("lower-case prefix") << "quenbarrowick:/x.swf" << true << "/x.swf";
    QTest::newRow("mixed-case prefix") << "QuenBarrowick:/x.swf" << true << "/x.swf";
    QTest::newRow("prefix alone") << "QUENBARROWICK:" << true << "";
    QTest::newRow("path keeps its spaces") << "QUENBARROWICK: /a b.swf " << true << " /a b.swf ";
    QTest::newRow("prefix inside the path") << "QUENBARROWICK:/QUENBARROWICK:/y.swf" << true << "/QUENBARROWICK:/y.swf";
    QTest::newRow("anything before the prefix") << " QUENBARROWICK:/x.swf" << false << "";
    QTest::newRow("no colon") << "QUENBARROWICK/x.swf" << false << "";
    QTest::newRow("shorter than the prefix") << "QUEN" << false << "";
    QTest::newRow("empty") << "" << false << "";
    QTest::newRow("other text") << "hello" << false << "";
}

void TestHandOff::handOffPath()
{
    QFETCH(QString, text);
    QFETCH(bool, isHandOff);
    QFETCH(QString, path);
    const std::optional<QString> found = HandOffPath(text);
    QCOMPARE(found.has_value(), isHandOff);
    if (found)
        QCOMPARE(*found, path);
    if (isHandOff && text.startsWith(u"QUENBARROWICK"))
        QCOMPARE(HandOffText(path), text);
}

void TestHandOff::commandLinePath_data()
{
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("expected");
    QTest::newRow("absolute") << "/m/a.swf"
                              << "/m/a.swf";
    QTest::newRow("quoted") << "\"/m/a b.swf\""
                            << "/m/a b.swf";
    QTest::newRow("relative") << "a.swf"
                              << "/work dir/a.swf";
    QTest::newRow("relative with dots") << "../x/./a.swf"
                                        << "/x/a.swf";
    QTest::newRow("quoted relative") << "\"sub/a.swf\""
                                     << "/work dir/sub/a.swf";
    QTest::newRow("lone opening quote is part of the name") << "\"a.swf"
                                                            << "/work dir/\"a.swf";
    QTest::newRow("file URL") << "file:///m/%E7%94%B5%E5%BD%B1.swf"
                              << "/m/电影.swf";
    QTest::newRow("Chinese name") << "动画/猫.swf"
                                  << "/work dir/动画/猫.swf";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("empty quotes") << "\"\""
                                  << "";
}

void TestHandOff::commandLinePath()
{
    QFETCH(QString, argument);
    QFETCH(QString, expected);
    QCOMPARE(CommandLinePath(argument, QStringLiteral("/work dir")), expected);
}

void TestHandOff::messageRoundTrip_data()
{
    QTest::addColumn<QString>("token");
    QTest::addColumn<QString>("text");
    QTest::newRow("activate only") << ""
                                   << "";
    QTest::newRow("file and token") << "kwin-123_abc"
                                    << "QUENBARROWICK:/m/a.swf";
    QTest::newRow("Chinese, spaces, a line break and a bar")
        << "" << QStringLiteral("QUENBARROWICK:/m/动画 片|1\n2.swf");
    QTest::newRow("longest path") << "t" << QString(HandOffPrefix.toString() + QString(4096, u'x'));
}

void TestHandOff::messageRoundTrip()
{
    QFETCH(QString, token);
    QFETCH(QString, text);
    const QByteArray bytes = EncodeHandOff({ token, text });
    const DecodeResult result = DecodeHandOff(bytes);
    QCOMPARE(int(result.status), int(DecodeStatus::Complete));
    QCOMPARE(result.message.activationToken, token);
    QCOMPARE(result.message.text, text);
}

void TestHandOff::partialMessageNeedsMore()
{
    const QByteArray bytes = EncodeHandOff({ QStringLiteral("tok"), QStringLiteral("QUENBARROWICK:/a.swf") });
    for (qsizetype n = 0; n < bytes.size(); ++n)
        QCOMPARE(int(DecodeHandOff(bytes.first(n)).status), int(DecodeStatus::NeedMore));
}

void TestHandOff::badMessages_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray good = EncodeHandOff({ QString(), QStringLiteral("QUENBARROWICK:/a.swf") });
    char huge[4];
    qToBigEndian<quint32>(MaxHandOffPayload + 1, huge);
    QTest::newRow("wrong magic") << QByteArray("HTTP/1.1");
    QTest::newRow("wrong magic, first byte only") << QByteArray("X");
    QTest::newRow("length above the cap, refused before the payload") << QByteArray("QBRW") + QByteArray(huge, 4);
    QTest::newRow("bytes after the message") << good + "extra";
    QByteArray noSeparator("QBRW");
    char three[4];
    qToBigEndian<quint32>(3, three);
    noSeparator += QByteArray(three, 4) + "abc";
    QTest::newRow("no separator") << noSeparator;
}

void TestHandOff::badMessages()
{
    QFETCH(QByteArray, bytes);
    QCOMPARE(int(DecodeHandOff(bytes).status), int(DecodeStatus::Invalid));
}

QTEST_GUILESS_MAIN(TestHandOff)
#include "tst_handoff.moc"
