#include "app/handoff.h"

#include <QTest>
#include <QtEndian>

using namespace Qt::StringLiterals;

class TestHandOff : public QObject {
    Q_OBJECT
private slots:
    void handOffPath()
    {
        QCOMPARE(HandOffPath(HandOffText(u" /a b.swf "_s)).value_or(u"-"_s), u" /a b.swf "_s);
        QCOMPARE(HandOffPath(u"quenBarrowick:/QUENBARROWICK:/y"_s).value_or(u"-"_s), u"/QUENBARROWICK:/y"_s);
        QCOMPARE(HandOffPath(u"QUENBARROWICK:"_s).value_or(u"-"_s), QString());
        for (const QString& text : { u" QUENBARROWICK:/x.swf"_s, u"QUENBARROWICK/x.swf"_s, u"QUEN"_s })
            QCOMPARE(HandOffPath(text).value_or(u"-"_s), u"-"_s);
        // Command-line arguments: relative to the working folder, quotes and file URLs undone.
        const QString folder = u"/work dir"_s;
        QCOMPARE(CommandLinePath(u"\"/m/a b.swf\""_s, folder), u"/m/a b.swf"_s);
        QCOMPARE(CommandLinePath(u"\"动画/./a.swf\""_s, folder), u"/work dir/动画/a.swf"_s);
        QCOMPARE(CommandLinePath(u"file:///m/%E7%94%B5.swf"_s, folder), u"/m/电.swf"_s);
        QCOMPARE(CommandLinePath(u"\"\""_s, folder) + CommandLinePath(QString(), folder), QString());
    }

    // The message between two copies of the program: whole, or refused; never half read.
    void message_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text"); // null: refused
        char length[4];
        qToBigEndian<quint32>(MaxHandOffPayload + 1, length);
        const QString odd = u"QUENBARROWICK:/m/动画 片|1\n2.swf"_s;
        QTest::newRow("activate only") << EncodeHandOff({}) << u""_s;
        QTest::newRow("token and odd characters") << EncodeHandOff({ u"kwin-1"_s, odd }) << odd;
        QTest::newRow("longest") << EncodeHandOff({ {}, QString(MaxHandOffPayload - 1, u'x') })
                                 << QString(MaxHandOffPayload - 1, u'x');
        QTest::newRow("length above the cap") << QByteArray("QBRW") + QByteArray(length, 4) << QString();
        QTest::newRow("wrong magic, first byte only") << QByteArray("X") << QString();
        QTest::newRow("bytes after the message") << EncodeHandOff({}) + "x" << QString();
        qToBigEndian<quint32>(3, length);
        QTest::newRow("no separator") << QByteArray("QBRW") + QByteArray(length, 4) + "abc" << QString();
    }
    void message()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        const DecodeResult result = DecodeHandOff(bytes);
        QCOMPARE(int(result.status), int(text.isNull() ? DecodeStatus::Invalid : DecodeStatus::Complete));
        QCOMPARE(result.message.text, text.isNull() ? QString() : text);
        if (bytes.contains("kwin-1"))
            QCOMPARE(result.message.activationToken, u"kwin-1"_s);
        for (qsizetype n = 0; !text.isNull() && n < bytes.size(); n += 1 + n / 8)
            QCOMPARE(int(DecodeHandOff(bytes.first(n)).status), int(DecodeStatus::NeedMore));
    }
};

QTEST_GUILESS_MAIN(TestHandOff)
#include "tst_handoff.moc"
