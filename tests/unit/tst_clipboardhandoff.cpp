#include "app/clipboardhandoff.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

struct FakeClipboard : ClipboardSource {
    std::optional<QString> content;
    std::optional<QString> text() override { return content; }
    void clear() override { content = QString(); }
};

class TestClipboardHandOff : public QObject {
    Q_OBJECT
private slots:
    // Polled on a timer (shortened here); a hand-off text is taken off the clipboard
    // and its path handed on, with the polling off meanwhile. Other text, or a clipboard that cannot be read, is
    // left alone. Stopped while a file is handed on, it stays stopped.
    void polls()
    {
        FakeClipboard clipboard;
        ClipboardHandOff poll(&clipboard);
        QSignalSpy handed(&poll, &ClipboardHandOff::fileHandedOver);
        connect(&poll, &ClipboardHandOff::fileHandedOver, this, [&] { QVERIFY(!poll.active()); });
        poll.start();
        poll.findChild<QTimer*>()->setInterval(1);
        clipboard.content = u"quenbarrowick:/m/a.swf"_qs;
        QVERIFY(handed.wait(5000));
        for (const std::optional<QString>& text : { std::optional(u"QUENBARROWICK:"_qs), std::optional<QString>(),
                 std::optional(u"x QUENBARROWICK:/b.swf"_qs) }) {
            clipboard.content = text;
            poll.TimerClipbrd_Timer();
        }
        QVERIFY(clipboard.content == u"x QUENBARROWICK:/b.swf"_qs && poll.active() && handed.count() == 2);
        QCOMPARE(handed.at(0).at(0).toString() + u'|' + handed.at(1).at(0).toString(), u"/m/a.swf|"_qs);
        clipboard.content = u"QUENBARROWICK:/m/d.swf"_qs;
        connect(&poll, &ClipboardHandOff::fileHandedOver, &poll, &ClipboardHandOff::stop);
        poll.TimerClipbrd_Timer();
        QVERIFY(!poll.active());
    }
};

QTEST_GUILESS_MAIN(TestClipboardHandOff)
#include "tst_clipboardhandoff.moc"
