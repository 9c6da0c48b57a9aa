#include "app/clipboardhandoff.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

class FakeClipboard : public ClipboardSource {
public:
    std::optional<QString> content;
    int clears = 0;
    std::optional<QString> text() override { return content; }
    void clear() override
    {
        ++clears;
        content = QString();
    }
};

} // namespace

class TestClipboardHandOff : public QObject {
    Q_OBJECT
private slots:
    void tick_data();
    void tick();
    void pollsEveryTwoSecondsAndKeepsPolling();
    void stoppingWhileAFileIsHandedOnStaysStopped();
};

void TestClipboardHandOff::tick_data()
{
    QTest::addColumn<std::optional<QString>>("content");
    QTest::addColumn<QStringList>("handed");
    QTest::addColumn<int>("clears");
    QTest::newRow("hand-off") << std::optional<QString>(QStringLiteral("QUENBARROWICK:/m/a.swf"))
                              << QStringList { QStringLiteral("/m/a.swf") } << 1;
    QTest::newRow("lower-case prefix") << std::optional<QString>(QStringLiteral("quenbarrowick:/m/b.swf"))
                                       << QStringList { QStringLiteral("/m/b.swf") } << 1;
    QTest::newRow("prefix alone: handed on unchecked")
        << std::optional<QString>(QStringLiteral("QUENBARROWICK:")) << QStringList { QString() } << 1;
    QTest::newRow("text before the prefix is left alone")
        << std::optional<QString>(QStringLiteral("x QUENBARROWICK:/m/a.swf")) << QStringList() << 0;
    QTest::newRow("other text is left alone") << std::optional<QString>(QStringLiteral("hello")) << QStringList() << 0;
    QTest::newRow("empty clipboard") << std::optional<QString>(QString()) << QStringList() << 0;
    QTest::newRow("clipboard cannot be read") << std::optional<QString>() << QStringList() << 0;
}

void TestClipboardHandOff::tick()
{
    QFETCH(std::optional<QString>, content);
    QFETCH(QStringList, handed);
    QFETCH(int, clears);
    FakeClipboard clipboard;
    clipboard.content = content;
    ClipboardHandOff poll(&clipboard);
    poll.start();
    QStringList got;
    connect(&poll, &ClipboardHandOff::fileHandedOver, this, [&](const QString& path) {
        QVERIFY(!poll.active()); // off while the file is handed on
        got.append(path);
    });
    poll.TimerClipbrd_Timer();
    QCOMPARE(got, handed);
    QCOMPARE(clipboard.clears, clears);
    if (clears == 0)
        QCOMPARE(clipboard.content, content);
    QVERIFY(poll.active());
    // Taken off the clipboard: the next tick finds nothing.
    poll.TimerClipbrd_Timer();
    QCOMPARE(got, handed);
}

void TestClipboardHandOff::pollsEveryTwoSecondsAndKeepsPolling()
{
    FakeClipboard clipboard;
    ClipboardHandOff poll(&clipboard);
    QVERIFY(!poll.active());
    poll.start();
    QVERIFY(poll.active());
    QTimer* timer = poll.findChild<QTimer*>();
    QVERIFY(timer);
    QCOMPARE(timer->interval(), 2000);
    QSignalSpy handed(&poll, &ClipboardHandOff::fileHandedOver);
    clipboard.content = QStringLiteral("QUENBARROWICK:/m/c.swf");
    // Driven by the timer itself: one tick within its interval plus slack.
    QVERIFY(handed.wait(5000));
    QCOMPARE(handed.count(), 1);
    QCOMPARE(handed.at(0).at(0).toString(), QStringLiteral("/m/c.swf"));
    QVERIFY(poll.active());
}

void TestClipboardHandOff::stoppingWhileAFileIsHandedOnStaysStopped()
{
    FakeClipboard clipboard;
    clipboard.content = QStringLiteral("QUENBARROWICK:/m/a.swf");
    ClipboardHandOff poll(&clipboard);
    poll.start();
    connect(&poll, &ClipboardHandOff::fileHandedOver, &poll, &ClipboardHandOff::stop);
    poll.TimerClipbrd_Timer();
    QVERIFY(!poll.active());
}

QTEST_GUILESS_MAIN(TestClipboardHandOff)
#include "tst_clipboardhandoff.moc"
