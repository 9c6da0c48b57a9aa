#include "tests/support/fakeflashcontrol.h"
#include "tests/support/flashcontract.h"

#include <QTest>

// The simulated engine against the contract the real engine is held to (tst_ruffleengine).
class TestFlashContract : public QObject {
    Q_OBJECT
private slots:
    void init();
    void readyComesOnceAfterLoad() { FlashContract::readyComesOnceAfterLoad(m_env); }
    void gotoReadsBackClampsAndIgnoresNegative() { FlashContract::gotoReadsBackClampsAndIgnoresNegative(m_env); }
    void stopHoldsAndPlayResumes() { FlashContract::stopHoldsAndPlayResumes(m_env); }
    void lastFrameHeldWithLoopOff() { FlashContract::lastFrameHeldWithLoopOff(m_env); }
    void movieOwnStopHolds() { FlashContract::movieOwnStopHolds(m_env); }
    void skipMovesOffAStoppedFrame() { FlashContract::skipMovesOffAStoppedFrame(m_env); }
    void unloadLeavesAnEmptyPlayer() { FlashContract::unloadLeavesAnEmptyPlayer(m_env); }

private:
    std::unique_ptr<FakeFlashControl> m_fake;
    FlashContract::Env m_env;
    int m_movies = 0;
};

void TestFlashContract::init()
{
    m_fake = std::make_unique<FakeFlashControl>();
    m_env.flash = m_fake.get();
    m_env.makeMovie = [this](const FlashContract::Movie& movie) {
        FakeFlashControl::Timeline t;
        t.frameCount = movie.frames;
        t.frameRate = movie.frameRate;
        t.readyDelayMs = 150;
        if (movie.stopFrame >= 0)
            t.stopFrames = { movie.stopFrame };
        const QString path = QStringLiteral("/movies/m%1.swf").arg(++m_movies);
        m_fake->setTimeline(path, t);
        return path;
    };
    m_env.runUntil = [this](const std::function<bool()>& done, int timeoutMs) {
        for (int elapsed = 0; elapsed <= timeoutMs; elapsed += 10) {
            if (done())
                return true;
            m_fake->advance(10);
        }
        return done();
    };
    m_env.run = [this](int ms) { m_fake->advance(ms); };
}

QTEST_GUILESS_MAIN(TestFlashContract)
#include "tst_flashcontract.moc"
