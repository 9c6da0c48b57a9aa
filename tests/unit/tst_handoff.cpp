#include "app/clipboardhandoff.h"
#include "app/handoff.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QtEndian>

struct FakeClipboard : ClipboardSource {
    std::optional<QString> content;
    std::optional<QString> text() override { return content; }
    void clear() override { content = QString(); }
};

class TestHandOff : public QObject {
    Q_OBJECT
private slots:
    void handOffPath()
    {
        QCOMPARE(HandOffPath(HandOffText(u" /a b.swf "_qs)).value_or(u"-"_qs), u" /a b.swf "_qs);
        QCOMPARE(HandOffPath(u"quenBarrowick:/QUENBARROWICK:/y"_qs).value_or(u"-"_qs), u"/QUENBARROWICK:/y"_qs);
        QCOMPARE(HandOffPath(u"QUENBARROWICK:"_qs).value_or(u"-"_qs), QString());
        for (const QString& text : { u" QUENBARROWICK:/x.swf"_qs, u"QUENBARROWICK/x.swf"_qs, u"QUEN"_qs })
            QCOMPARE(HandOffPath(text).value_or(u"-"_qs), u"-"_qs);
        // Command-line arguments: relative to the working folder, quotes and file URLs undone.
        const QString folder = u"/work dir"_qs;
        QCOMPARE(CommandLinePath(u"\"/m/a b.swf\""_qs, folder), u"/m/a b.swf"_qs);
        QCOMPARE(CommandLinePath(u"\"动画/./a.swf\""_qs, folder), u"/work dir/动画/a.swf"_qs);
        QCOMPARE(CommandLinePath(u"file:///m/%E7%94%B5.swf"_qs, folder), u"/m/电.swf"_qs);
        QCOMPARE(CommandLinePath(u"\"\""_qs, folder) + CommandLinePath(QString(), folder), QString());
    }

    // The message between two copies of the program: whole, or refused; never half read.
    void message_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text"); // null: refused
        char length[4];
        qToBigEndian<quint32>(MaxHandOffPayload + 1, length);
        const QString odd = u"QUENBARROWICK:/m/动画 片|1\n2.swf"_qs;
        QTest::newRow("activate only") << EncodeHandOff({}) << u""_qs;
        QTest::newRow("token and odd characters") << EncodeHandOff({ u"kwin-1"_qs, odd }) << odd;
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
            QCOMPARE(result.message.activationToken, u"kwin-1"_qs);
        for (qsizetype n = 0; !text.isNull() && n < bytes.size(); n += 1 + n / 8)
            QCOMPARE(int(DecodeHandOff(bytes.first(n)).status), int(DecodeStatus::NeedMore));
    }
};

QTEST_GUILESS_MAIN(TestHandOff)
#include "tst_handoff.moc"
