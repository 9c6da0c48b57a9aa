#include "tests/support/playbackrig.h"

#include <QSignalSpy>
#include <QTest>

// The simulated engine, told whether it can read the root timeline of its movies.
struct TimelineEngine : FakeFlashControl {
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
    PlaybackRig rig(std::make_unique<TimelineEngine>());
    static_cast<TimelineEngine&>(rig.flash).readable = readable;
    rig.addMovie(QStringLiteral("a.swf"), frames); // alone in the list: an end would reload it
    QSignalSpy seekable(&rig.monitor(), &PlaybackMonitor::SeekableChanged);
    if (singleLoop)
        rig.transport.PlayerBtns_Click(Transport::CmdSingleLoop);
    rig.startRows(0);
    for (int i = 0; i < 100; ++i) // 40 seconds
        rig.tick();
    const bool supervised = frames > 1 && readable;
    QCOMPARE(rig.playingRow(1) && rig.loads() == 1, !supervised);
    QCOMPARE(seekable.first().first().toBool(), supervised);
    // An unsupervised movie has no position to seek from.
    rig.monitor().DragProgress(50.0f);
    rig.transport.PlayerBtns_Click(Transport::CmdFastForward);
    QCOMPARE(rig.flash.calls.filter(u"SetFrameNum"_qs).isEmpty(), !supervised);
    QCOMPARE(rig.host.frameInfo.startsWith(u"--/--  "), !supervised);
}

QTEST_GUILESS_MAIN(TestUnsupervisedMovies)
#include "tst_unsupervisedmovies.moc"
