#include "tests/support/playbackrig.h"

#include <QSignalSpy>
#include <QTest>

// The simulated engine, told whether it can read the root timeline of its movies.
class TimelineEngine : public FakeFlashControl {
public:
    bool readable = true;
    bool TimelineReadable() const override { return readable; }
};

class TestUnsupervisedMovies : public QObject {
    Q_OBJECT
private slots:
    void playsUntilTheUserMovesOn_data();
    void playsUntilTheUserMovesOn();
};

void TestUnsupervisedMovies::playsUntilTheUserMovesOn_data()
{
    QTest::addColumn<bool>("readable");
    QTest::addColumn<int>("frames");
    QTest::addColumn<bool>("singleLoop");
    QTest::newRow("no readable timeline") << false << 100 << false;
    QTest::newRow("no readable timeline, single loop") << false << 100 << true;
    QTest::newRow("single-frame root") << true << 1 << false;
    QTest::newRow("single-frame root, single loop") << true << 1 << true;
    QTest::newRow("two frames keep the usual rules") << true << 2 << false;
}

void TestUnsupervisedMovies::playsUntilTheUserMovesOn()
{
    QFETCH(bool, readable);
    QFETCH(int, frames);
    QFETCH(bool, singleLoop);
    auto engine = std::make_unique<TimelineEngine>();
    engine->readable = readable;
    PlaybackRig rig(std::move(engine));
    FakeFlashControl::Timeline timeline = MakeTimeline(frames);
    // As the real engine shows such a movie: frame 0 for ever, every goto refused.
    for (int f = 1; !readable && f < frames; ++f)
        timeline.unreachable.insert(f);
    rig.addMovie(QStringLiteral("a.swf"), timeline);
    rig.addMovie(QStringLiteral("b.swf"), timeline);
    QSignalSpy seekable(&rig.monitor(), &PlaybackMonitor::SeekableChanged);
    if (singleLoop)
        rig.transport.PlayerBtns_Click(Transport::CmdSingleLoop);
    rig.startRows(0);
    for (int i = 0; i < 100; ++i) // 40 seconds
        rig.tick();
    const bool supervised = frames > 1 && readable;
    QCOMPARE(rig.playingRow(1) && rig.loads() == 1, !supervised);
    QCOMPARE(seekable.first().first().toBool(), supervised);
    if (supervised)
        return;
    // Seeking has no position to start from; the user's next still moves on.
    rig.monitor().DragProgress(50.0f);
    rig.transport.PlayerBtns_Click(Transport::CmdFastForward);
    QCOMPARE(rig.flash.calls.filter(u"SetFrameNum"_qs), QStringList());
    QVERIFY2(rig.host.frameInfo.startsWith(u"--/--  "), qPrintable(rig.host.frameInfo));
    rig.transport.PlayerBtns_Click(Transport::CmdNext);
    QVERIFY(rig.playingRow(2));
}

QTEST_GUILESS_MAIN(TestUnsupervisedMovies)
#include "tst_unsupervisedmovies.moc"
