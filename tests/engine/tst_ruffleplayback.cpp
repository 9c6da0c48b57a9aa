#include "playback/abcwriter.h"
#include "playback/moviesaves.h"
#include "tests/support/enginetestmain.h"
#include "tests/support/testdir.h"
#include "tools/swfgen/corpusscripts.h"

#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

using Kind = swfgen::Action::Kind;
using As3Op = corpus::As3Op;

namespace {

// flash.external.ExternalInterface.call(expression): the argument and its count, the function looked up
// member by member, then CallMethod.
corpus::Avm1 externalCall(const char* expression)
{
    corpus::Avm1 call;
    call.str(expression).num(1).str("flash").op(0x1C).str("external").op(0x4E); // GetVariable, GetMember
    return call.str("ExternalInterface").op(0x4E).str("call").op(0x52).op(0x17); // GetMember, CallMethod, Pop
}

// The size of what the view shows in the writer's shape colour, give or take the smoothing.
QSize squareSize(QWidget* view)
{
    const QImage image = view->grab().toImage();
    const QRgb c = qRgb(0xF0, 0xA0, 0x30);
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qAbs(qRed(p) - qRed(c)) < 24 && qAbs(qGreen(p) - qGreen(c)) < 24 && qAbs(qBlue(p) - qBlue(c)) < 24)
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds.size();
}

swfgen::MovieSpec movieSpec(int frames, double rate = 24, int version = 8)
{
    return { .version = uint8_t(version), .frameRate = rate, .frameCount = frames, .actionScript3 = version >= 10 };
}

swfgen::MovieSpec as3Spec(int frames, const corpus::As3Document& document)
{
    swfgen::MovieSpec s = movieSpec(frames, 30, 10);
    s.extraTags[1] = corpus::As3FrameOneTags(document);
    return s;
}

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
// One engine serves every case: starting it costs seconds. The restrictions the program enforces
// around it (networking off, script access off, a movie's reach on disk) come last, as they change
// its page; each is also checked the other way, so that a check that cannot fail would show.
class TestRufflePlayback : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("movies/sub")));
        QVERIFY(m_server.listen(QHostAddress::LocalHost));
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* client = m_server.nextPendingConnection()) {
                ++m_connections;
                client->write("HTTP/1.0 404 Not Found\r\nContent-Length: 0\r\n\r\n");
                client->disconnectFromHost();
                connect(client, &QTcpSocket::disconnected, client, &QObject::deleteLater);
            }
        });
        m_flash = ShownEngine(this, QSize(400, 300));
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
        QTest::addColumn<QString>("name"); // as people write file names, in a folder with a Chinese name
        using C = swfgen::Compression;
        QTest::newRow("SWF 4 FWS, Chinese") << 4 << C::None << u"动画 第1集.swf"_qs;
        QTest::newRow("SWF 6 CWS, spaces and brackets") << 6 << C::Zlib << u"my movie (final) [2].swf"_qs;
        QTest::newRow("SWF 8 ZWS, percent and hash") << 8 << C::Lzma << u"100% fun #3 %1 %3C.swf"_qs;
        QTest::newRow("SWF 10 AS3 CWS, quotes and ampersand") << 10 << C::Zlib << u"it's \"a\" & b.swf"_qs;
    }
    void framesAdvanceInEveryContainer()
    {
        QFETCH(int, version);
        QFETCH(swfgen::Compression, compression);
        QFETCH(QString, name);
        swfgen::MovieSpec s = movieSpec(80, 30, version);
        s.compression = compression;
        QVERIFY(QDir(m_dir.path()).mkpath(u"名字"_qs));
        QVERIFY(LoadAndWait(*m_flash, WrittenMovie(m_dir.filePath(u"名字/"_qs + name), s)));
        QVERIFY(m_flash->probeAnswering());
        QCOMPARE(m_flash->TotalFrames(), 80);
        QVERIFY(reaches([](int f) { return f >= 10; }));
        m_flash->SetFrameNum(70);
        QVERIFY(reaches([](int f) { return f == 79; }));
    }
    void timelineSettles_data()
    {
        QTest::addColumn<QString>("movie"); // generation, frames, and the script's frame, action and target (1-based)
        QTest::addColumn<int>("lowest"); // 0-based frames the movie must stay within once settled
        QTest::addColumn<int>("highest");
        // A hold keyed to the header's frame count (70) would never fire and the movie would loop.
        QTest::newRow("header says 70 frames, 50 written: holds at 50") << "AS2 50" << 49 << 49;
        QTest::newRow("AS2 loop of frames 1 to 5") << "AS2 60 5 goto 1" << 0 << 4;
        QTest::newRow("AS2 last frame jumps back to 3") << "AS2 30 30 goto 3" << 2 << 29;
        QTest::newRow("AS3 stop() on frame 40 holds there") << "AS3 100 40 stop" << 39 << 39;
        QTest::newRow("AS3 loop of frames 1 to 5") << "AS3 60 5 goto 1" << 0 << 4;
        QTest::newRow("AS3 last frame jumps back to 3") << "AS3 30 30 goto 3" << 2 << 29;
    }
    void timelineSettles()
    {
        QFETCH(QString, movie);
        QFETCH(int, lowest);
        QFETCH(int, highest);
        const QStringList m = movie.split(u' ');
        const int frames = m[1].toInt(), scriptFrame = m.value(2).toInt();
        const bool stop = m.value(3) == u"stop";
        swfgen::MovieSpec s = movieSpec(frames, scriptFrame ? 30 : 60);
        if (m[0] == u"AS3")
            s = as3Spec(
                frames, { { { scriptFrame, { { stop ? As3Op::Stop : As3Op::GotoAndPlay, m.value(4).toInt() } } } } });
        else if (scriptFrame)
            s.actions[scriptFrame] = { { stop ? Kind::Stop : Kind::GotoAndPlay, m.value(4).toInt() } };
        else
            s.headerFrameCount = 70;
        QVERIFY(LoadAndWait(*m_flash, write(s)));
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
        QTest::addColumn<bool>("scenes"); // AS3, its second scene from frame 60: still one timeline of 120 frames
        QTest::newRow("stop before the movie is ready") << true << false << false;
        QTest::newRow("movie with its own stop and play is still driven") << false << true << false;
        QTest::newRow("AS3 scenes count as one timeline") << false << false << true;
    }
    void stopHoldsAndPlayResumes()
    {
        QFETCH(bool, beforeReady);
        QFETCH(bool, ownStopAndPlay);
        QFETCH(bool, scenes);
        swfgen::MovieSpec s
            = scenes ? as3Spec(120, { {}, { { "Scene 1", 0 }, { "Scene 2", 60 } } }) : movieSpec(120, 30);
        if (ownStopAndPlay) {
            // A frame-1 action that gives _root its own stop, play and gotoAndStop/Play, which do nothing:
            // GetVariable _root, then SetMember of a DefineFunction with no name and no body.
            corpus::Avm1 code;
            for (const char* name : { "stop", "play", "gotoAndStop", "gotoAndPlay" })
                code.str("_root").op(0x1C).str(name).record(0x9B, QByteArray(5, '\0')).op(0x4F);
            s.extraTags[1] = { code.tag() };
        }
        QSignalSpy ready(m_flash, &FlashControl::OnReadyStateChange);
        m_flash->LoadMovie(0, write(s));
        if (beforeReady)
            m_flash->StopPlay(); // before the probe can answer
        QVERIFY(ready.wait(20000) || ready.count() > 0);
        if (!beforeReady) {
            QVERIFY(reaches([](int f) { return f >= 5; }));
            m_flash->StopPlay();
        }
        const int held = frameAfter(300);
        QCOMPARE(frameAfter(400), held);
        m_flash->SetFrameNum(100);
        QCOMPARE(frameAfter(200), 100);
        m_flash->Play();
        QVERIFY(reaches([](int f) { return f == 119; }));
    }
    void scaleModesChangeWhereTheMovieIsDrawn()
    {
        swfgen::MovieSpec s { .width = 200, .height = 100, .frameCount = 10 };
        s.actions[1] = { { Kind::Stop, 1 } };
        QVERIFY(LoadAndWait(*m_flash, write(s)));
        // The view is 400x300: the stage's 20-pixel square is drawn twice as large when fitted,
        // as it is when unscaled, and stretched to 40x60 when filled.
        for (const auto& [mode, size] :
            { std::pair { "ShowAll", QSize(40, 40) }, std::pair { "NoScale", QSize(20, 20) },
                std::pair { "ExactFit", QSize(40, 60) }, std::pair { "ShowAll", QSize(40, 40) } })
            QVERIFY2(drawnAs(mode, size), mode);
    }
    // The level set before a movie loads is the engine's when it plays, and a change reaches it at once.
    void moviesPlayAtTheSetVolume()
    {
        m_flash->SetGain(0.3);
        QVERIFY(LoadAndWait(*m_flash, write(movieSpec(40))));
        const QString volume = QStringLiteral("document.querySelector('ruffle-player').ruffle().volume");
        QVERIFY(WaitInEventLoop([&] { return qAbs(evaluate(volume).toDouble() - 0.3) < 0.001; }, 5000));
        m_flash->SetGain(1);
    }
    void inputNeverReachesTheMovie()
    {
        QVERIFY(LoadAndWait(*m_flash, write({})));
        evaluate(u"window.quenTestInput = 0; window.quenTestMoves = 0;"
                 " ['pointerdown', 'mousedown', 'keydown', 'keyup'].forEach(function (t) {"
                 " document.addEventListener(t, function () { window.quenTestInput++; }, true); });"
                 " document.addEventListener('mousemove', function () { window.quenTestMoves++; }, true); 1"_qs);
        QWidget* input = m_flash->inputWidget();
        QVERIFY(input && input != m_flash->widget()); // the engine's own input widget, not the frame around it
        QCOMPARE(m_flash->widget()->focusPolicy(), Qt::NoFocus);
        QCOMPARE(input->focusPolicy(), Qt::ClickFocus); // Tab never lands in the movie
        InputRecorder recorder;
        input->installEventFilter(&recorder);
        QTest::mouseClick(input, Qt::LeftButton, {}, QPoint(50, 50));
        QTest::keyClick(input, Qt::Key_Space);
        input->removeEventFilter(&recorder);
        QCOMPARE(recorder.seen, (QList<QEvent::Type> { QEvent::MouseButtonPress, QEvent::KeyPress }));
        input->setFocus(); // as a click or the engine gives it: keys still stop at the window
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
    void as3SpriteDocumentHasNoTimeline()
    {
        // An ActionScript 3 movie whose document class is a Sprite: a movie without a timeline.
        AbcWriter w;
        const int name = w.qname({}, "QuenTestDocument"), base = w.qname("flash.display", "Sprite");
        AbcCode ctor;
        // getlocal0, pushscope, getlocal0, constructsuper 0, return
        ctor.op(0xD0).op(0x30).op(0xD0).op(0x49, 0).op(0x47);
        const int constructor = w.method(0);
        w.body(constructor, ctor, 1);
        w.addScriptForClass(w.addClass(name, base, constructor, {}), name, base);
        const QByteArray abc = QByteArray("\x01\0\0\0\0", 5) + w.finish();
        swfgen::MovieSpec s = movieSpec(12, 30, 10);
        s.extraTags[1] = { swfgen::Tag(82, abc), swfgen::Tag(76, QByteArray("\x01\0\0\0QuenTestDocument\0", 21)) };
        s.width = s.height = 100;
        QVERIFY(LoadAndWait(*m_flash, write(s)));
        QVERIFY(!m_flash->hasTimeline());
        QVERIFY(!m_flash->probeAnswering());
        QCOMPARE(m_flash->TotalFrames(), 12); // from the engine's own metadata
        // The scale mode reaches a movie without a probe too: its 20-pixel square fitted three times, then as is.
        for (const auto& [mode, side] : { std::pair { "ShowAll", 60 }, std::pair { "NoScale", 20 } })
            QVERIFY2(drawnAs(mode, QSize(side, side)), mode);
    }

    // A movie finds what it stored when its path plays again on a new page (its storage empty); the same
    // file name in another folder finds nothing. The movie shows what it found by stopping on frame 5.
    void saveDataFollowsTheMoviePath()
    {
        const QString saves = m_dir.filePath(u"saves"_qs);
        QTemporaryDir away; // another folder
        std::unique_ptr<RuffleFlashControl> next;
        m_flash->keepSavesIn(saves);
        for (const bool as3 : { false, true }) {
            const QString movie = write(corpus::RememberingMovie(as3));
            const QString other
                = WrittenMovie(away.filePath(QFileInfo(movie).fileName()), corpus::RememberingMovie(as3));
            QVERIFY(LoadAndWait(*m_flash, movie) && !reaches([](int f) { return f > 0; }, 1000));
            QVERIFY(WaitInEventLoop([&] { return !MovieSaves(saves).load(movie).isEmpty(); }, 5000));
            if (!next) // started once the first is up: two engines starting side by side are slow to start
                next.reset(ShownEngine(nullptr, QSize(400, 300)));
            next->keepSavesIn(saves);
            QVERIFY(LoadAndWait(*next, other));
            QVERIFY2(!WaitInEventLoop([&] { return next->FrameNum() > 0; }, 1000), "another folder's data seen");
            QVERIFY(LoadAndWait(*next, movie));
            QVERIFY2(WaitInEventLoop([&] { return next->FrameNum() == 4; }, 5000), "its own data not found");
        }
    }

    // What every FlashControl promises: ready once and never from inside LoadMovie, gotos read back at once and
    // clamp, the movie's own stop and the last frame hold, a skip moves off a stopped frame, unloading empties
    // the control at once and takes the player off the page.
    void controlContract()
    {
        swfgen::MovieSpec s = movieSpec(100, 30);
        s.actions[40] = { { Kind::Stop, 1 } };
        QSignalSpy ready(m_flash, &FlashControl::OnReadyStateChange);
        m_flash->LoadMovie(0, write(s));
        QCOMPARE(ready.count(), 0);
        QVERIFY(WaitInEventLoop([&] { return ready.count() > 0; }, 20000));
        QCOMPARE(ready.at(0).at(0).toInt(), FlashControl::ReadyComplete);
        QCOMPARE(m_flash->TotalFrames(), 100);
        QVERIFY(m_flash->Playing());
        QVERIFY(reaches([](int f) { return f == 39; }, 6000));
        QCOMPARE(frameAfter(500), 39);
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
        QCOMPARE(frameAfter(300), 30);
        m_flash->SetFrameNum(1000);
        QCOMPARE(m_flash->FrameNum(), 99);
        m_flash->SetFrameNum(90);
        m_flash->Play();
        QVERIFY(reaches([](int f) { return f == 99; }));
        QCOMPARE(frameAfter(600), 99);
        QVERIFY(!m_flash->Playing()); // the last frame held with Loop off
        m_flash->LoadMovie(0, FlashControl::UnloadUrl);
        QCOMPARE(m_flash->ReadyState(), 0);
        QCOMPARE(m_flash->TotalFrames(), 0);
        QVERIFY(!m_flash->Playing());
        QVERIFY(WaitInEventLoop(
            [&] {
            const QVariant players = evaluate(u"document.querySelectorAll('ruffle-player').length"_qs);
            return players.isValid() && players.toInt() == 0;
            },
            5000));
        // Nor does a file that is no movie: neither it nor the unloading ever make the control ready.
        const QString text = m_dir.filePath(QStringLiteral("text.swf"));
        QVERIFY(WriteAll(text, "this is not a movie at all"));
        m_flash->LoadMovie(0, text);
        QVERIFY(!m_flash->movieReport().error.isEmpty());
        run(500);
        QCOMPARE(ready.count(), 1);
        QCOMPARE(m_flash->TotalFrames(), 0);
    }
    void restrictionsStopTheMovie_data()
    {
        // Networking, script access, and what the movie does on its first frame: load a movie from the loopback
        // server ("load"), or set the page's title by ExternalInterface.call or a javascript: URL.
        QTest::addColumn<QString>("setup");
        QTest::addColumn<bool>("works"); // the server was reached, or the title set
        QTest::newRow("networking none") << "none always load" << false;
        QTest::newRow("networking all") << "all always load" << true;
        QTest::newRow("networking none again after all") << "none always load" << false;
        QTest::newRow("ExternalInterface.call, never") << "all never external" << false;
        QTest::newRow("ExternalInterface.call, always") << "all always external" << true;
        QTest::newRow("javascript: URL, never") << "all never javascript" << false;
        QTest::newRow("javascript: URL, always") << "all always javascript" << true;
    }
    void restrictionsStopTheMovie()
    {
        QFETCH(QString, setup);
        QFETCH(bool, works);
        const QStringList words = setup.split(u' ');
        const QString call = words[2];
        m_flash->SetAllowNetworking(words[0]);
        m_flash->SetAllowScriptAccess(words[1]);
        m_connections = 0;
        const QByteArray url = call == u"load"
            ? u"http://127.0.0.1:%1/other.swf"_qs.arg(m_server.serverPort()).toLatin1()
            : "javascript:void(document.title='movie-script')";
        swfgen::MovieSpec s = movieSpec(200);
        s.extraTags[1] = { (call == u"external" ? externalCall("(function(){document.title='movie-script'})")
                                                : corpus::Avm1().getUrl(url, call == u"load" ? "_level5" : "_self"))
                               .tag() };
        QVERIFY(LoadAndWait(*m_flash, write(s)));
        QVERIFY(m_flash->probeAnswering()); // the probe answers whatever the policy
        // What gets through arrives well within this.
        const auto through
            = [&] { return m_connections > 0 || evaluate(u"document.title"_qs).toString() == u"movie-script"; };
        QCOMPARE(WaitInEventLoop(through, 3000), works);
        evaluate(u"document.title = ''"_qs);
    }
    // Lifting or setting the script policy takes a new page: the movie comes back where it was, stopped, and the
    // page serves the movie's folder and below, nothing outside it.
    void newPageKeepsTheMovieAndServesOnlyItsFolder()
    {
        QDir dir(m_dir.path());
        for (const char* name : { "secret.txt", "movies/notes.txt", "movies/sub/deep.txt" })
            QVERIFY(WriteAll(dir.filePath(QLatin1String(name)), "content"));
        QFile::link(dir.filePath(QStringLiteral("secret.txt")), dir.filePath(QStringLiteral("movies/link.txt")));
        m_flash->SetAllowScriptAccess(u"always"_qs);
        QVERIFY(LoadAndWait(*m_flash, write(movieSpec(200))));
        m_flash->StopPlay();
        m_flash->SetFrameNum(120);
        QVERIFY(WaitInEventLoop([&] { return m_flash->FrameNum() == 120; }, 3000));
        const QString movie = m_flash->Movie();
        QSignalSpy ready(m_flash, &FlashControl::OnReadyStateChange);
        m_flash->SetAllowScriptAccess(u"never"_qs);
        QVERIFY(ready.wait(20000) || ready.count() > 0);
        QCOMPARE(m_flash->Movie(), movie);
        QCOMPARE(m_flash->FrameNum(), 120);
        QVERIFY(!m_flash->Playing());
        QSignalSpy snapshots(m_flash, &RuffleFlashControl::SnapshotTaken);
        QVERIFY(WaitInEventLoop([&] { return snapshots.count() >= 10; }, 5000));
        QCOMPARE(m_flash->FrameNum(), 120);
        // The movie's own URL is the base its relative loads resolve against.
        const QString base
            = evaluate(u"document.querySelector('ruffle-player').ruffle().loadedConfig.url"_qs).toString();
        QVERIFY(base.startsWith(u"quen://player/movie/"));
        const QString request
            = QStringLiteral("(function(){ const x = new XMLHttpRequest(); try { x.open('GET', '%1', false); x.send(); "
                             "return x.status + ':' + x.responseText; } catch (e) { return 'refused'; } })()");
        const auto served = [&](const char* relative) {
            const QString url = base.left(base.lastIndexOf(u'/') + 1) + QLatin1String(relative);
            return evaluate(request.arg(url)).toString() == u"200:content";
        };
        for (const char* relative : { "notes.txt", "sub/deep.txt" })
            QVERIFY2(served(relative), relative);
        for (const char* relative : { "%2e%2e/secret.txt", "../secret.txt", "%2fetc%2fpasswd", "link.txt" })
            QVERIFY2(!served(relative), relative);
    }

private:
    QString write(const swfgen::MovieSpec& s)
    {
        return WrittenMovie(m_dir.filePath(u"movies/m%1.swf"_qs.arg(++m_movies)), s);
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
    int frameAfter(int ms)
    {
        run(ms);
        return m_flash->FrameNum();
    }
    // The value of a script run in the engine's page; invalid when the page gave no answer.
    QVariant evaluate(const QString& code)
    {
        auto answer = std::make_shared<std::optional<QVariant>>();
        m_flash->runInPage(code, [answer](const QVariant& v) { *answer = v; });
        WaitInEventLoop([&] { return answer->has_value(); }, 10000);
        return answer->value_or(QVariant());
    }
    // Whether the square settles at about size in the given scale mode; what it was drawn at when not.
    bool drawnAs(const char* mode, QSize size)
    {
        m_flash->SetScale(QLatin1String(mode));
        QSize drawn;
        const auto near
            = [&] { return qAbs(drawn.width() - size.width()) <= 2 && qAbs(drawn.height() - size.height()) <= 2; };
        if (WaitInEventLoop([&] { return drawn = squareSize(m_flash->widget()), near(); }, 5000))
            return true;
        qWarning("%s: square drawn %dx%d", mode, drawn.width(), drawn.height());
        return false;
    }

    QTemporaryDir m_dir;
    RuffleFlashControl* m_flash = nullptr;
    int m_movies = 0;
    QTcpServer m_server; // on the loopback: it only counts who knocks
    int m_connections = 0;
};

QUEN_ENGINE_TEST_MAIN(TestRufflePlayback)
#include "tst_ruffleplayback.moc"
