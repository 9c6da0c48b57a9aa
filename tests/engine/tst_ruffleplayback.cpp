#include "playback/rufflecontrol.h"
#include "tests/support/as3movie.h"
#include "tests/support/enginetestmain.h"
#include "tests/support/eventwait.h"
#include "tools/swfgen/swfwriter.h"

#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWidget>

using Kind = swfgen::Action::Kind;

namespace {

// A frame-1 action that gives _root its own stop, play and gotoAndStop/Play, which do nothing.
QByteArray overrideRootMethods()
{
    QByteArray code;
    for (const char* name : { "stop", "play", "gotoAndStop", "gotoAndPlay" }) {
        for (const QByteArray& s : { QByteArray("_root"), QByteArray(name) }) {
            code.append('\x96').append(char(s.size() + 2)).append('\0').append('\0').append(s).append('\0'); // Push
            if (s == "_root")
                code.append('\x1c'); // GetVariable
        }
        code.append("\x9b\x05\x00\x00\x00\x00\x00\x00", 8); // DefineFunction: no name, no params, empty body
        code.append('\x4f'); // SetMember
    }
    return swfgen::Tag(12, code.append('\0'));
}

QRect boundsOfColor(const QImage& image, QRgb c)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qAbs(qRed(p) - qRed(c)) < 24 && qAbs(qGreen(p) - qGreen(c)) < 24 && qAbs(qBlue(p) - qBlue(c)) < 24)
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

swfgen::MovieSpec movieSpec(int frames, double rate = 24, int version = 8)
{
    swfgen::MovieSpec s;
    s.frameCount = frames;
    s.frameRate = rate;
    s.version = uint8_t(version);
    s.actionScript3 = version >= 10;
    return s;
}

swfgen::MovieSpec as3Spec(int frames, const as3gen::As3Movie& movie)
{
    swfgen::MovieSpec s = movieSpec(frames, 30, 10);
    s.extraTags[1] = as3gen::FrameOneTags(movie);
    return s;
}

} // namespace

namespace {

// Stands for the main window's filter: it sees the view's input before the movie could.
struct InputRecorder : QObject {
    QList<QEvent::Type> seen;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::KeyPress)
            seen.append(event->type());
        return false;
    }
};

} // namespace

// The real engine (Ruffle in a web view) driven through FlashControl, on movies from our writer.
// One engine serves every case: starting it costs seconds.
class TestRufflePlayback : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_flash = new RuffleFlashControl(this);
        m_flash->widget()->resize(400, 300);
        m_flash->widget()->show();
    }
    void init()
    {
        m_flash->SetLoop(false);
        m_flash->SetScale(QStringLiteral("ShowAll"));
    }
    void framesAdvanceInEveryContainer_data()
    {
        QTest::addColumn<int>("version");
        QTest::addColumn<swfgen::Compression>("compression");
        QTest::newRow("SWF 4 FWS") << 4 << swfgen::Compression::None;
        QTest::newRow("SWF 6 CWS") << 6 << swfgen::Compression::Zlib;
        QTest::newRow("SWF 8 ZWS") << 8 << swfgen::Compression::Lzma;
        QTest::newRow("SWF 10 AS3 CWS") << 10 << swfgen::Compression::Zlib;
    }
    void framesAdvanceInEveryContainer()
    {
        QFETCH(int, version);
        QFETCH(swfgen::Compression, compression);
        swfgen::MovieSpec s = movieSpec(80, 30, version);
        s.compression = compression;
        QVERIFY(load(write(s)));
        QVERIFY(m_flash->probeAnswering());
        QCOMPARE(m_flash->TotalFrames(), 80);
        QVERIFY(reaches([](int f) { return f >= 10; }));
        m_flash->SetFrameNum(70);
        QVERIFY(reaches([](int f) { return f == 79; }));
    }
    void fileNamesAsPeopleWriteThem_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("Chinese") << u"动画 第1集.swf"_qs;
        QTest::newRow("spaces and brackets") << u"my movie (final) [2].swf"_qs;
        QTest::newRow("percent and hash") << u"100% fun #3 %1 %3C.swf"_qs;
        QTest::newRow("quotes and ampersand") << u"it's \"a\" & b.swf"_qs;
    }
    void fileNamesAsPeopleWriteThem()
    {
        QFETCH(QString, name);
        QVERIFY(QDir(m_dir.path()).mkpath(u"名字"_qs));
        const QString path = write(movieSpec(33), m_dir.filePath(u"名字/"_qs + name));
        QVERIFY(load(path));
        QCOMPARE(m_flash->Movie(), path);
        QCOMPARE(m_flash->TotalFrames(), 33);
        QVERIFY(m_flash->probeAnswering());
    }
    void timelineSettles_data()
    {
        QTest::addColumn<bool>("as3");
        QTest::addColumn<int>("frames");
        QTest::addColumn<int>("scriptFrame"); // 1-based; 0: none
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("target"); // 1-based goto target
        QTest::addColumn<int>("lowest"); // 0-based frames the movie must stay within once settled
        QTest::addColumn<int>("highest");
        // A hold keyed to the header's frame count (70) would never fire and the movie would loop.
        QTest::newRow("header says 70 frames, 50 written: holds at 50") << false << 50 << 0 << 0 << 0 << 49 << 49;
        QTest::newRow("AS2 loop of frames 1 to 5") << false << 60 << 5 << int(Kind::GotoAndPlay) << 1 << 0 << 4;
        QTest::newRow("AS2 last frame jumps back to 3") << false << 30 << 30 << int(Kind::GotoAndPlay) << 3 << 2 << 29;
        QTest::newRow("AS3 stop() on frame 40 holds there") << true << 100 << 40 << int(Kind::Stop) << 0 << 39 << 39;
        QTest::newRow("AS3 loop of frames 1 to 5") << true << 60 << 5 << int(Kind::GotoAndPlay) << 1 << 0 << 4;
        QTest::newRow("AS3 last frame jumps back to 3") << true << 30 << 30 << int(Kind::GotoAndPlay) << 3 << 2 << 29;
    }
    void timelineSettles()
    {
        QFETCH(bool, as3);
        QFETCH(int, frames);
        QFETCH(int, scriptFrame);
        QFETCH(int, kind);
        QFETCH(int, target);
        QFETCH(int, lowest);
        QFETCH(int, highest);
        const std::vector<swfgen::Action> script { { Kind(kind), target } };
        swfgen::MovieSpec s = movieSpec(frames, scriptFrame ? 30 : 60);
        if (as3)
            s = as3Spec(frames, { { { scriptFrame, script } }, false, {} });
        else if (scriptFrame)
            s.actions[scriptFrame] = script;
        else
            s.headerFrameCount = 70;
        QVERIFY(load(write(s)));
        QVERIFY(m_flash->probeAnswering());
        QCOMPARE(m_flash->TotalFrames(), frames);
        run(1500);
        const QList<int> seen = run(1500);
        QVERIFY(seen.size() >= 3);
        const auto [low, high] = std::minmax_element(seen.begin(), seen.end());
        QVERIFY2(
            *low >= lowest && *high <= highest, qPrintable(QStringLiteral("frames seen %1..%2").arg(*low).arg(*high)));
        if (lowest != highest) // a loop: it must really go back
            QVERIFY(std::adjacent_find(seen.begin(), seen.end(), std::greater<int>()) != seen.end());
    }
    void stopHoldsAndPlayResumes_data()
    {
        QTest::addColumn<bool>("beforeReady");
        QTest::addColumn<bool>("ownStopAndPlay"); // the movie replaces _root's stop, play and gotos
        QTest::newRow("stop before the movie is ready") << true << false;
        QTest::newRow("movie with its own stop and play is still driven") << false << true;
    }
    void stopHoldsAndPlayResumes()
    {
        QFETCH(bool, beforeReady);
        QFETCH(bool, ownStopAndPlay);
        swfgen::MovieSpec s = movieSpec(120, 30);
        if (ownStopAndPlay)
            s.extraTags[1] = { overrideRootMethods() };
        QSignalSpy ready(m_flash, &FlashControl::OnReadyStateChange);
        m_flash->LoadMovie(0, write(s));
        if (beforeReady)
            m_flash->StopPlay(); // before the probe can answer
        QVERIFY(ready.wait(20000) || ready.count() > 0);
        if (!beforeReady) {
            QVERIFY(reaches([](int f) { return f >= 5; }));
            m_flash->StopPlay();
        }
        run(300);
        const int held = m_flash->FrameNum();
        run(400);
        QCOMPARE(m_flash->FrameNum(), held);
        m_flash->SetFrameNum(100);
        run(200);
        QCOMPARE(m_flash->FrameNum(), 100);
        m_flash->Play();
        QVERIFY(reaches([](int f) { return f == 119; }));
    }
    void scaleModesChangeWhereTheMovieIsDrawn()
    {
        swfgen::MovieSpec s = movieSpec(10);
        s.width = 200;
        s.height = 100;
        s.actions[1] = { { Kind::Stop, 1 } };
        QVERIFY(load(write(s)));
        // The view is 400x300: the stage's 20-pixel square is drawn twice as large when fitted,
        // as it is when unscaled, and stretched to 40x60 when filled.
        for (const auto& [mode, size] :
            { std::pair { "ShowAll", QSize(40, 40) }, std::pair { "NoScale", QSize(20, 20) },
                std::pair { "ExactFit", QSize(40, 60) }, std::pair { "ShowAll", QSize(40, 40) } }) {
            m_flash->SetScale(QLatin1String(mode));
            QRect r;
            const bool drawn = WaitInEventLoop(
                [&] {
                r = boundsOfColor(m_flash->widget()->grab().toImage(), qRgb(0xF0, 0xA0, 0x30));
                return qAbs(r.width() - size.width()) <= 2 && qAbs(r.height() - size.height()) <= 2;
                },
                5000);
            QVERIFY2(drawn,
                qPrintable(
                    QStringLiteral("%1: square drawn %2x%3").arg(QLatin1String(mode)).arg(r.width()).arg(r.height())));
        }
    }
    void unloadRemovesThePlayer()
    {
        QVERIFY(load(write({})));
        QSignalSpy ready(m_flash, &FlashControl::OnReadyStateChange);
        m_flash->LoadMovie(0, FlashControl::UnloadUrl);
        QCOMPARE(m_flash->Movie(), FlashControl::UnloadUrl);
        QCOMPARE(m_flash->ReadyState(), 0);
        QCOMPARE(m_flash->TotalFrames(), 0);
        QVERIFY(!m_flash->Playing());
        run(300);
        QCOMPARE(ready.count(), 0);
        QVERIFY(WaitInEventLoop(
            [&] {
            const QVariant players = evaluate(QStringLiteral("document.querySelectorAll('ruffle-player').length"));
            return players.isValid() && players.toInt() == 0;
            },
            5000));
    }
    // The level set before a movie loads is the engine's when it plays, and a change reaches it at once.
    void moviesPlayAtTheSetVolume()
    {
        m_flash->SetGain(0.3);
        QVERIFY(load(write(movieSpec(40))));
        const QString volume = QStringLiteral("document.querySelector('ruffle-player').ruffle().volume");
        QVERIFY(WaitInEventLoop([&] { return qAbs(evaluate(volume).toDouble() - 0.3) < 0.001; }, 5000));
        m_flash->SetGain(1);
    }
    void fileThatIsNoMovieNeverBecomesReady()
    {
        const QString path = m_dir.filePath(QStringLiteral("text.swf"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("this is not a movie at all") > 0);
        file.close();
        QSignalSpy ready(m_flash, &FlashControl::OnReadyStateChange);
        m_flash->LoadMovie(0, path);
        QVERIFY(!m_flash->movieReport().error.isEmpty());
        run(500);
        QCOMPARE(ready.count(), 0);
        QCOMPARE(m_flash->TotalFrames(), 0);
        QCOMPARE(m_flash->Movie(), path);
    }
    void inputNeverReachesTheMovie()
    {
        QVERIFY(load(write({})));
        evaluate(u"window.quenTestInput = 0; window.quenTestMoves = 0;"
                 " ['pointerdown', 'mousedown', 'keydown', 'keyup'].forEach(function (t) {"
                 " document.addEventListener(t, function () { window.quenTestInput++; }, true); });"
                 " document.addEventListener('mousemove', function () { window.quenTestMoves++; }, true); 1"_qs);
        QWidget* input = m_flash->inputWidget();
        QVERIFY(input && input != m_flash->widget()); // the engine's own input widget, not the frame around it
        QCOMPARE(m_flash->widget()->focusPolicy(), Qt::NoFocus);
        QCOMPARE(input->focusPolicy(), Qt::NoFocus);
        InputRecorder recorder;
        input->installEventFilter(&recorder);
        QTest::mouseClick(input, Qt::LeftButton, {}, QPoint(50, 50));
        QTest::keyClick(input, Qt::Key_Space);
        input->removeEventFilter(&recorder);
        QCOMPARE(recorder.seen, (QList<QEvent::Type> { QEvent::MouseButtonPress, QEvent::KeyPress }));
        QVERIFY(QApplication::focusWidget() != input);
        input->setFocus(); // as the engine sometimes takes it: keys still stop at the window
        QTest::keyClick(input, Qt::Key_A);
        // Moves still reach the page, after the click and key if those had gone through: once a move
        // arrived, the page has seen everything that was let through.
        QTest::mouseMove(input, QPoint(60, 60));
        QTest::mouseMove(input, QPoint(70, 70));
        QVariantList counts;
        QVERIFY(WaitInEventLoop(
            [&] {
            counts = evaluate(u"[window.quenTestInput, window.quenTestMoves]"_qs).toList();
            return counts.value(1).toInt() > 0;
            },
            5000));
        QCOMPARE(counts.value(0).toInt(), 0);
    }
    void as3ScenesCountAsOneTimeline()
    {
        QVERIFY(load(write(as3Spec(60, { {}, false, { { "Scene 1", 0 }, { "Scene 2", 30 } } }))));
        QVERIFY(m_flash->probeAnswering());
        QCOMPARE(m_flash->TotalFrames(), 60);
        QVERIFY(reaches([](int f) { return f >= 35; }));
        QVERIFY(reaches([](int f) { return f == 59; }));
        run(400);
        QCOMPARE(m_flash->FrameNum(), 59);
        m_flash->StopPlay();
        for (int frame : { 45, 10 }) {
            m_flash->SetFrameNum(frame);
            run(300);
            QCOMPARE(m_flash->FrameNum(), frame);
        }
    }
    void as3SpriteDocumentHasNoTimeline()
    {
        swfgen::MovieSpec s = as3Spec(12, { {}, true, {} });
        s.width = s.height = 100;
        QVERIFY(load(write(s)));
        QVERIFY(!m_flash->hasTimeline());
        QVERIFY(!m_flash->probeAnswering());
        QCOMPARE(m_flash->TotalFrames(), 12); // from the engine's own metadata
        // The scale mode reaches a movie without a probe too: its 20-pixel square fitted three times, then as is.
        for (const auto& [mode, side] : { std::pair { "ShowAll", 60 }, std::pair { "NoScale", 20 } }) {
            m_flash->SetScale(QLatin1String(mode));
            QVERIFY2(WaitInEventLoop(
                         [&] {
                const QRect r = boundsOfColor(m_flash->widget()->grab().toImage(), qRgb(0xF0, 0xA0, 0x30));
                return qAbs(r.width() - side) <= 2 && qAbs(r.height() - side) <= 2;
                         },
                         5000),
                mode);
        }
    }

    // What every FlashControl promises: ready once and never from inside LoadMovie, gotos read back at once and
    // clamp, the movie's own stop and the last frame hold, a skip moves off a stopped frame, unloading empties.
    void controlContract()
    {
        swfgen::MovieSpec s = movieSpec(100, 30);
        s.actions[40] = { { Kind::Stop, 1 } };
        const QString path = write(s);
        QSignalSpy ready(m_flash, &FlashControl::OnReadyStateChange);
        m_flash->LoadMovie(0, path);
        QCOMPARE(ready.count(), 0);
        QCOMPARE(m_flash->Movie(), path);
        QVERIFY(WaitInEventLoop([&] { return ready.count() > 0; }, 20000));
        QCOMPARE(ready.at(0).at(0).toInt(), FlashControl::ReadyComplete);
        QCOMPARE(m_flash->TotalFrames(), 100);
        QVERIFY(m_flash->Playing());
        QVERIFY(reaches([](int f) { return f == 39; }, 6000));
        run(500);
        QCOMPARE(m_flash->FrameNum(), 39);
        QVERIFY(!m_flash->Playing());
        QCOMPARE(ready.count(), 1);
        QSignalSpy skipped(m_flash, &FlashControl::StuckFrameSkipped);
        m_flash->SkipStuckFrame(39);
        QVERIFY(WaitInEventLoop([&] { return skipped.count() > 0; }, 5000));
        QCOMPARE(skipped.at(0).at(0).toInt(), 39);
        QCOMPARE(skipped.at(0).at(1).toInt(), 40);
        QVERIFY(m_flash->Playing());
        QVERIFY(reaches([](int f) { return f > 42; }));
        m_flash->StopPlay();
        m_flash->SetFrameNum(30);
        QCOMPARE(m_flash->FrameNum(), 30); // at once, from the snapshot
        m_flash->SetFrameNum(-5);
        run(300);
        QCOMPARE(m_flash->FrameNum(), 30);
        m_flash->SetFrameNum(1000);
        QCOMPARE(m_flash->FrameNum(), 99);
        m_flash->SetFrameNum(90);
        m_flash->Play();
        QVERIFY(reaches([](int f) { return f == 99; }));
        run(600);
        QCOMPARE(m_flash->FrameNum(), 99);
        QVERIFY(!m_flash->Playing()); // the last frame held with Loop off
    }

    // A push off the top of the movie's own opening loop goes to the next frame, which goes back
    // to the first, and so does the next push: going further would carry the movie out of the loop
    // the monitor is timing.
    void skipInsideOpeningLoop()
    {
        swfgen::MovieSpec s = movieSpec(10, 2);
        s.actions[5] = { { Kind::GotoAndPlay, 1 } };
        QVERIFY(load(write(s)));
        QSignalSpy skipped(m_flash, &FlashControl::StuckFrameSkipped);
        for (int push = 1; push <= 2; ++push) {
            QVERIFY(reaches([](int f) { return f == 3; }));
            m_flash->SkipStuckFrame(3);
            QVERIFY(WaitInEventLoop([&] { return skipped.count() == push; }, 5000));
            QCOMPARE(skipped.last().at(1).toInt(), 4);
        }
    }

private:
    QString write(const swfgen::MovieSpec& s, QString path = {})
    {
        if (path.isEmpty())
            path = m_dir.filePath(QStringLiteral("movie%1.swf").arg(++m_movies));
        return swfgen::WriteMovieFile(path, s) ? path : QString();
    }
    bool load(const QString& path)
    {
        QSignalSpy ready(m_flash, &FlashControl::OnReadyStateChange);
        m_flash->LoadMovie(0, path);
        return ready.wait(20000) || ready.count() > 0;
    }
    bool reaches(const std::function<bool(int)>& frameIs, int ms = 5000)
    {
        return WaitInEventLoop([&] { return frameIs(m_flash->FrameNum()); }, ms);
    }
    // Lets the engine play on for ms, and for fresh snapshots to arrive; returns the frames they saw.
    QList<int> run(int ms)
    {
        QList<int> frames;
        auto c
            = connect(m_flash, &RuffleFlashControl::SnapshotTaken, this, [&] { frames.append(m_flash->FrameNum()); });
        QElapsedTimer clock;
        clock.start();
        // Without snapshots (an empty player) the time alone passes; the checks that follow decide.
        WaitInEventLoop([&] { return clock.elapsed() >= ms && frames.size() >= 3; }, ms + 5000);
        disconnect(c);
        return frames;
    }
    QVariant evaluate(const QString& code)
    {
        auto answer = std::make_shared<std::optional<QVariant>>();
        m_flash->runInPage(code, [answer](const QVariant& v) { *answer = v; });
        WaitInEventLoop([&] { return answer->has_value(); }, 5000);
        return answer->value_or(QVariant());
    }

    QTemporaryDir m_dir;
    RuffleFlashControl* m_flash = nullptr;
    int m_movies = 0;
};

QUEN_ENGINE_TEST_MAIN(TestRufflePlayback)
#include "tst_ruffleplayback.moc"
