#include "playback/rufflecontrol.h"
#include "tests/support/as3movie.h"
#include "tests/support/enginetestmain.h"
#include "tests/support/eventwait.h"
#include "tests/support/flashcontract.h"
#include "tools/swfgen/swfwriter.h"

#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWidget>

// The real engine (Ruffle in a web view) driven through FlashControl, on movies from our writer.
// One engine serves every case: starting it costs seconds.
class TestRufflePlayback : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();

    void framesAdvanceInEveryContainer_data();
    void framesAdvanceInEveryContainer();
    void fileNamesAsPeopleWriteThem_data();
    void fileNamesAsPeopleWriteThem();
    void stopBeforeReadyThenPlay();
    void headerFrameCountDoesNotDecideTheTotal();
    void movieLoopingItsFirstFramesStaysThere();
    void lastFrameJumpBackStillLoops();
    void movieWithItsOwnStopAndPlayIsStillDriven();
    void scaleModesChangeWhereTheMovieIsDrawn();
    void unloadRemovesThePlayer();
    void fileThatIsNoMovieNeverBecomesReady();
    void inputNeverReachesTheMovie();
    void as3FrameScriptsAreObeyed_data();
    void as3FrameScriptsAreObeyed();
    void as3ScenesCountAsOneTimeline();
    void as3SpriteDocumentHasNoTimeline();

    // The checks the simulated engine passes too.
    void contractReadyComesOnceAfterLoad() { FlashContract::readyComesOnceAfterLoad(m_env); }
    void contractGotoReadsBack() { FlashContract::gotoReadsBackClampsAndIgnoresNegative(m_env); }
    void contractStopHoldsAndPlayResumes() { FlashContract::stopHoldsAndPlayResumes(m_env); }
    void contractLastFrameHeld() { FlashContract::lastFrameHeldWithLoopOff(m_env); }
    void contractMovieOwnStopHolds() { FlashContract::movieOwnStopHolds(m_env); }
    void contractSkipMovesOn() { FlashContract::skipMovesOffAStoppedFrame(m_env); }
    void contractUnload() { FlashContract::unloadLeavesAnEmptyPlayer(m_env); }

private:
    QString writeMovie(const swfgen::MovieSpec& movieSpec);
    bool loadAndWait(const QString& path);
    bool runUntil(const std::function<bool()>& done, int timeoutMs);
    void run(int ms);
    // Frames seen in the snapshots taken over ms milliseconds.
    QList<int> watchFrames(int ms);

    QTemporaryDir m_dir;
    RuffleFlashControl* m_flash = nullptr;
    FlashContract::Env m_env;
    int m_movies = 0;
};

namespace {

// A frame-1 action that gives _root its own stop, play and gotoAndStop, which do nothing.
QByteArray overrideRootMethods()
{
    QByteArray code;
    for (const char* name : { "stop", "play", "gotoAndStop", "gotoAndPlay" }) {
        QByteArray push;
        push.append('\0').append("_root").append('\0');
        code.append('\x96').append(char(push.size())).append('\0').append(push);
        code.append('\x1c'); // GetVariable
        QByteArray member;
        member.append('\0').append(name).append('\0');
        code.append('\x96').append(char(member.size())).append('\0').append(member);
        code.append("\x9b\x05\x00\x00\x00\x00\x00\x00", 8); // DefineFunction: no name, no params, empty body
        code.append('\x4f'); // SetMember
    }
    code.append('\0');
    return swfgen::Tag(12, code);
}

QRect boundsOfColor(const QImage& image, QRgb color)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = line[x];
            if (qAbs(qRed(p) - qRed(color)) < 24 && qAbs(qGreen(p) - qGreen(color)) < 24
                && qAbs(qBlue(p) - qBlue(color)) < 24)
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

} // namespace

void TestRufflePlayback::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_flash = new RuffleFlashControl(this);
    m_flash->widget()->resize(400, 300);
    m_flash->widget()->show();
    m_env.flash = m_flash;
    m_env.makeMovie = [this](const FlashContract::Movie& movie) {
        swfgen::MovieSpec movieSpec;
        movieSpec.frameCount = movie.frames;
        movieSpec.frameRate = movie.frameRate;
        if (movie.stopFrame >= 0)
            movieSpec.actions[movie.stopFrame + 1] = { { swfgen::Action::Kind::Stop, 1 } };
        return writeMovie(movieSpec);
    };
    m_env.runUntil = [this](const std::function<bool()>& done, int ms) { return runUntil(done, ms); };
    m_env.run = [this](int ms) { run(ms); };
}

void TestRufflePlayback::init()
{
    m_flash->SetLoop(false);
    m_flash->SetScale(QStringLiteral("ShowAll"));
}

QString TestRufflePlayback::writeMovie(const swfgen::MovieSpec& movieSpec)
{
    const QString path = m_dir.filePath(QStringLiteral("movie%1.swf").arg(++m_movies));
    if (!swfgen::WriteMovieFile(path, movieSpec))
        return {};
    return path;
}

bool TestRufflePlayback::runUntil(const std::function<bool()>& done, int timeoutMs)
{
    return WaitInEventLoop(done, timeoutMs);
}

void TestRufflePlayback::run(int ms)
{
    // Long enough for the engine to play on, and for fresh snapshots to arrive.
    QSignalSpy snapshots(m_flash, &RuffleFlashControl::SnapshotTaken);
    QElapsedTimer clock;
    clock.start();
    // Without snapshots (an empty player) the time alone passes; the checks that follow decide.
    if (!WaitInEventLoop([&] { return clock.elapsed() >= ms && snapshots.count() >= 3; }, ms + 5000))
        qInfo("no fresh snapshot from the engine");
}

QList<int> TestRufflePlayback::watchFrames(int ms)
{
    QList<int> frames;
    auto connection
        = connect(m_flash, &RuffleFlashControl::SnapshotTaken, this, [&] { frames.append(m_flash->FrameNum()); });
    run(ms);
    disconnect(connection);
    return frames;
}

bool TestRufflePlayback::loadAndWait(const QString& path)
{
    QSignalSpy ready(m_flash, &FlashControl::OnReadyStateChange);
    m_flash->LoadMovie(0, path);
    return ready.wait(20000) || ready.count() > 0;
}

void TestRufflePlayback::framesAdvanceInEveryContainer_data()
{
    QTest::addColumn<int>("version");
    QTest::addColumn<swfgen::Compression>("compression");
    QTest::addColumn<bool>("as3");
    for (int version : { 4, 6, 8, 10 }) {
        for (auto [name, c] : { std::pair { "FWS", swfgen::Compression::None },
                 std::pair { "CWS", swfgen::Compression::Zlib }, std::pair { "ZWS", swfgen::Compression::Lzma } })
            QTest::addRow("SWF %d %s%s", version, name, version >= 10 ? " AS3" : "") << version << c << (version >= 10);
    }
}

void TestRufflePlayback::framesAdvanceInEveryContainer()
{
    QFETCH(int, version);
    QFETCH(swfgen::Compression, compression);
    QFETCH(bool, as3);
    swfgen::MovieSpec movieSpec;
    movieSpec.actionScript3 = as3;
    movieSpec.version = static_cast<uint8_t>(version);
    movieSpec.compression = compression;
    movieSpec.frameCount = 80;
    movieSpec.frameRate = 30;
    QVERIFY(loadAndWait(writeMovie(movieSpec)));
    QVERIFY(m_flash->probeAnswering());
    QCOMPARE(m_flash->TotalFrames(), 80);
    QVERIFY(runUntil([&] { return m_flash->FrameNum() >= 10; }, 5000));
    m_flash->SetFrameNum(70);
    QVERIFY(runUntil([&] { return m_flash->FrameNum() == 79; }, 5000));
}

void TestRufflePlayback::fileNamesAsPeopleWriteThem_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("Chinese") << u"动画 第1集.swf"_qs;
    QTest::newRow("spaces and brackets") << u"my movie (final) [2].swf"_qs;
    QTest::newRow("percent and hash") << u"100% fun #3 %1 %3C.swf"_qs;
    QTest::newRow("quotes and ampersand") << u"it's \"a\" & b.swf"_qs;
}

void TestRufflePlayback::fileNamesAsPeopleWriteThem()
{
    QFETCH(QString, name);
    QDir dir(m_dir.path());
    QVERIFY(dir.mkpath(u"名字"_qs));
    const QString path = dir.filePath(u"名字/"_qs + name);
    swfgen::MovieSpec movieSpec;
    movieSpec.frameCount = 33;
    QVERIFY(swfgen::WriteMovieFile(path, movieSpec));
    QVERIFY(loadAndWait(path));
    QCOMPARE(m_flash->Movie(), path);
    QCOMPARE(m_flash->TotalFrames(), 33);
    QVERIFY(m_flash->probeAnswering());
}

void TestRufflePlayback::stopBeforeReadyThenPlay()
{
    swfgen::MovieSpec movieSpec;
    movieSpec.frameCount = 120;
    movieSpec.frameRate = 30;
    QSignalSpy ready(m_flash, &FlashControl::OnReadyStateChange);
    m_flash->LoadMovie(0, writeMovie(movieSpec));
    m_flash->StopPlay(); // before the probe can answer
    QVERIFY(ready.wait(20000) || ready.count() > 0);
    run(300);
    const int held = m_flash->FrameNum();
    run(400);
    QCOMPARE(m_flash->FrameNum(), held);
    m_flash->Play();
    QVERIFY(runUntil([&] { return m_flash->FrameNum() >= held + 5; }, 5000));
}

void TestRufflePlayback::headerFrameCountDoesNotDecideTheTotal()
{
    swfgen::MovieSpec movieSpec;
    movieSpec.frameCount = 50;
    movieSpec.headerFrameCount = 70;
    movieSpec.frameRate = 60;
    QVERIFY(loadAndWait(writeMovie(movieSpec)));
    QCOMPARE(m_flash->TotalFrames(), 50);
    // A hold keyed to the header's count would never fire and the movie would loop.
    QVERIFY(runUntil([&] { return m_flash->FrameNum() == 49; }, 5000));
    const QList<int> frames = watchFrames(500);
    QVERIFY(!frames.isEmpty());
    for (int f : frames)
        QCOMPARE(f, 49);
}

void TestRufflePlayback::movieLoopingItsFirstFramesStaysThere()
{
    swfgen::MovieSpec movieSpec;
    movieSpec.frameCount = 60;
    movieSpec.actions[5] = { { swfgen::Action::Kind::GotoAndPlay, 1 } };
    QVERIFY(loadAndWait(writeMovie(movieSpec)));
    const QList<int> frames = watchFrames(1500);
    QVERIFY(frames.size() >= 10);
    QVERIFY(*std::max_element(frames.begin(), frames.end()) <= 4);
    QVERIFY2(std::adjacent_find(frames.begin(), frames.end(), std::greater<int>()) != frames.end(),
        "the movie never went back to its first frames");
}

void TestRufflePlayback::lastFrameJumpBackStillLoops()
{
    swfgen::MovieSpec movieSpec;
    movieSpec.frameCount = 30;
    movieSpec.frameRate = 30;
    movieSpec.actions[30] = { { swfgen::Action::Kind::GotoAndPlay, 3 } };
    QVERIFY(loadAndWait(writeMovie(movieSpec)));
    QVERIFY(runUntil([&] { return m_flash->FrameNum() >= 20; }, 5000));
    QVERIFY(runUntil([&] { return m_flash->FrameNum() < 10; }, 5000));
    QVERIFY(runUntil([&] { return m_flash->FrameNum() >= 20; }, 5000));
}

void TestRufflePlayback::movieWithItsOwnStopAndPlayIsStillDriven()
{
    swfgen::MovieSpec movieSpec;
    movieSpec.frameCount = 120;
    movieSpec.frameRate = 30;
    movieSpec.extraTags[1] = { overrideRootMethods() };
    QVERIFY(loadAndWait(writeMovie(movieSpec)));
    QVERIFY(runUntil([&] { return m_flash->FrameNum() >= 5; }, 5000));
    m_flash->StopPlay();
    run(200);
    const int held = m_flash->FrameNum();
    run(400);
    QCOMPARE(m_flash->FrameNum(), held);
    m_flash->SetFrameNum(100);
    run(200);
    QCOMPARE(m_flash->FrameNum(), 100);
    m_flash->Play();
    QVERIFY(runUntil([&] { return m_flash->FrameNum() == 119; }, 5000));
}

void TestRufflePlayback::scaleModesChangeWhereTheMovieIsDrawn()
{
    swfgen::MovieSpec movieSpec;
    movieSpec.width = 200;
    movieSpec.height = 100;
    movieSpec.frameCount = 10;
    movieSpec.shapeColor = 0xF0A030;
    movieSpec.actions[1] = { { swfgen::Action::Kind::Stop, 1 } };
    QVERIFY(loadAndWait(writeMovie(movieSpec)));
    const QRgb shape = qRgb(0xF0, 0xA0, 0x30);
    // The view is 400x300: the stage's 20-pixel square is drawn twice as large when fitted,
    // as it is when unscaled, and stretched to 40x60 when filled.
    struct Expect {
        const char* mode;
        QSize size;
    };
    for (const Expect& e : { Expect { "ShowAll", { 40, 40 } }, Expect { "NoScale", { 20, 20 } },
             Expect { "ExactFit", { 40, 60 } }, Expect { "ShowAll", { 40, 40 } } }) {
        m_flash->SetScale(QLatin1String(e.mode));
        QRect bounds;
        const bool drawn = runUntil(
            [&] {
            bounds = boundsOfColor(m_flash->widget()->grab().toImage().convertToFormat(QImage::Format_RGB32), shape);
            return qAbs(bounds.width() - e.size.width()) <= 2 && qAbs(bounds.height() - e.size.height()) <= 2;
            },
            5000);
        QVERIFY2(drawn,
            qPrintable(QStringLiteral("%1: square drawn at %2,%3 %4x%5")
                           .arg(QLatin1String(e.mode))
                           .arg(bounds.x())
                           .arg(bounds.y())
                           .arg(bounds.width())
                           .arg(bounds.height())));
    }
}

void TestRufflePlayback::unloadRemovesThePlayer()
{
    QVERIFY(loadAndWait(writeMovie({})));
    m_flash->LoadMovie(0, FlashControl::UnloadUrl);
    QCOMPARE(m_flash->ReadyState(), 0);
    // Answers may arrive after this function returned: they write into shared state, not the stack.
    struct Query {
        bool inFlight = false;
        int players = -1;
    };
    auto query = std::make_shared<Query>();
    QVERIFY(runUntil(
        [&] {
        if (!query->inFlight) {
            query->inFlight = true;
            m_flash->runInPage(QStringLiteral("document.querySelectorAll('ruffle-player').length"),
                [query](const QVariant& v) {
                query->players = v.toInt();
                query->inFlight = false;
            });
        }
        return query->players == 0;
        },
        5000));
}

void TestRufflePlayback::fileThatIsNoMovieNeverBecomesReady()
{
    const QString path = m_dir.filePath(QStringLiteral("text.swf"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("this is not a movie at all");
    file.close();
    QSignalSpy ready(m_flash, &FlashControl::OnReadyStateChange);
    m_flash->LoadMovie(0, path);
    QVERIFY(!m_flash->movieReport().error.isEmpty());
    run(500);
    QCOMPARE(ready.count(), 0);
    QCOMPARE(m_flash->TotalFrames(), 0);
    QCOMPARE(m_flash->Movie(), path);
}

namespace {

// Stands for the main window's filter: it sees the view's input before the movie could.
class InputRecorder : public QObject {
public:
    QList<QEvent::Type> seen;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::KeyPress)
            seen.append(event->type());
        return false;
    }
};

} // namespace

void TestRufflePlayback::inputNeverReachesTheMovie()
{
    QVERIFY(loadAndWait(writeMovie({})));
    auto installed = std::make_shared<std::optional<QVariant>>();
    m_flash->runInPage(u"window.quenTestInput = 0; window.quenTestMoves = 0;"
                       " ['pointerdown', 'mousedown', 'keydown'].forEach(function (t) {"
                       " document.addEventListener(t, function () { window.quenTestInput++; }, true); });"
                       " document.addEventListener('mousemove', function () { window.quenTestMoves++; }, true); 1"_qs,
        [installed](const QVariant& v) { *installed = v; });
    QVERIFY(WaitInEventLoop([&] { return installed->has_value(); }, 5000));
    QWidget* input = m_flash->inputWidget();
    QVERIFY(input);
    QVERIFY(input != m_flash->widget()); // the engine's own input widget, not the frame around it
    QCOMPARE(m_flash->widget()->focusPolicy(), Qt::NoFocus);
    QCOMPARE(input->focusPolicy(), Qt::NoFocus);

    InputRecorder recorder;
    input->installEventFilter(&recorder);
    QTest::mouseClick(input, Qt::LeftButton, {}, QPoint(50, 50));
    QTest::keyClick(input, Qt::Key_Space);
    input->removeEventFilter(&recorder);
    QCOMPARE(recorder.seen, (QList<QEvent::Type> { QEvent::MouseButtonPress, QEvent::KeyPress }));
    QVERIFY(QApplication::focusWidget() != input);
    // Moves still reach the page, after the click and key if those had gone through: once a move
    // arrived, the page has seen everything that was let through.
    QTest::mouseMove(input, QPoint(60, 60));
    QTest::mouseMove(input, QPoint(70, 70));
    QVariantList counts;
    QVERIFY(WaitInEventLoop(
        [&] {
        auto answered = std::make_shared<std::optional<QVariant>>();
        m_flash->runInPage(
            u"[window.quenTestInput, window.quenTestMoves]"_qs, [answered](const QVariant& v) { *answered = v; });
        if (!WaitInEventLoop([&] { return answered->has_value(); }, 2000))
            return false;
        counts = answered->value().toList();
        return counts.value(1).toInt() > 0;
        },
        5000));
    QCOMPARE(counts.value(0).toInt(), 0);
}

namespace {

swfgen::MovieSpec as3Spec(int frames, const as3gen::As3Movie& movie)
{
    swfgen::MovieSpec movieSpec;
    movieSpec.version = 10;
    movieSpec.actionScript3 = true;
    movieSpec.frameCount = frames;
    movieSpec.frameRate = 30;
    movieSpec.extraTags[1] = as3gen::FrameOneTags(movie);
    return movieSpec;
}

} // namespace

void TestRufflePlayback::as3FrameScriptsAreObeyed_data()
{
    using Kind = swfgen::Action::Kind;
    QTest::addColumn<int>("frames");
    QTest::addColumn<int>("scriptFrame"); // 1-based
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("target"); // 1-based goto target
    QTest::addColumn<int>("lowest"); // 0-based frames the movie must stay within once settled
    QTest::addColumn<int>("highest");
    QTest::newRow("stop() on frame 40 holds there") << 100 << 40 << int(Kind::Stop) << 0 << 39 << 39;
    QTest::newRow("loop of frames 1 to 5") << 60 << 5 << int(Kind::GotoAndPlay) << 1 << 0 << 4;
    QTest::newRow("last frame jumps back to 3") << 30 << 30 << int(Kind::GotoAndPlay) << 3 << 2 << 29;
}

void TestRufflePlayback::as3FrameScriptsAreObeyed()
{
    QFETCH(int, frames);
    QFETCH(int, scriptFrame);
    QFETCH(int, kind);
    QFETCH(int, target);
    QFETCH(int, lowest);
    QFETCH(int, highest);
    as3gen::As3Movie movie;
    movie.frameScripts[scriptFrame] = { { swfgen::Action::Kind(kind), target } };
    QVERIFY(loadAndWait(writeMovie(as3Spec(frames, movie))));
    QVERIFY(m_flash->probeAnswering());
    QCOMPARE(m_flash->TotalFrames(), frames);
    run(1500);
    const QList<int> seen = watchFrames(1500);
    QVERIFY(!seen.isEmpty());
    const auto [low, high] = std::minmax_element(seen.begin(), seen.end());
    QVERIFY2(*low >= lowest && *high <= highest, qPrintable(QStringLiteral("frames seen %1..%2").arg(*low).arg(*high)));
    if (lowest != highest) // a loop: it must really move
        QVERIFY(*low < *high);
}

void TestRufflePlayback::as3ScenesCountAsOneTimeline()
{
    as3gen::As3Movie movie;
    movie.scenes = { { "Scene 1", 0 }, { "Scene 2", 30 } };
    QVERIFY(loadAndWait(writeMovie(as3Spec(60, movie))));
    QVERIFY(m_flash->probeAnswering());
    QCOMPARE(m_flash->TotalFrames(), 60);
    QVERIFY(runUntil([&] { return m_flash->FrameNum() >= 35; }, 5000));
    QVERIFY(runUntil([&] { return m_flash->FrameNum() == 59; }, 5000));
    run(400);
    QCOMPARE(m_flash->FrameNum(), 59);
    m_flash->StopPlay();
    m_flash->SetFrameNum(45);
    run(300);
    QCOMPARE(m_flash->FrameNum(), 45);
    m_flash->SetFrameNum(10);
    run(300);
    QCOMPARE(m_flash->FrameNum(), 10);
}

void TestRufflePlayback::as3SpriteDocumentHasNoTimeline()
{
    as3gen::As3Movie movie;
    movie.spriteDocument = true;
    QVERIFY(loadAndWait(writeMovie(as3Spec(12, movie))));
    QVERIFY(!m_flash->hasTimeline());
    QVERIFY(!m_flash->probeAnswering());
    QCOMPARE(m_flash->TotalFrames(), 12); // from the engine's own metadata
}

QUEN_ENGINE_TEST_MAIN(TestRufflePlayback)
#include "tst_ruffleplayback.moc"
