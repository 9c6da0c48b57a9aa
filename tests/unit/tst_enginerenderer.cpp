#include "playback/enginecode.h"
#include "playback/enginerenderer.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(EngineDrawing)

// What the engine's start is chosen from: the drawing by the answer the previous start kept, the
// code fetched early by the engine's own script.
class TestEngineRenderer : public QObject {
    Q_OBJECT
private slots:
    void chooseDrawing_data()
    {
        QTest::addColumn<int>("kept"); // -1 nothing kept, 0 or 1 whether a GPU was found, 2 damaged
        QTest::addColumn<int>("ageDays");
        QTest::addColumn<QString>("display");
        QTest::addColumn<EngineDrawing>("drawing");
        QTest::addColumn<bool>("ask");
        QTest::newRow("first start") << -1 << 0 << u"x11::0"_qs << EngineDrawing::Software << true;
        QTest::newRow("no GPU, asked this second") << 0 << 0 << u"x11::0"_qs << EngineDrawing::Software << false;
        QTest::newRow("a GPU a month ago") << 1 << 30 << u"x11::0"_qs << EngineDrawing::Gl << false;
        QTest::newRow("a GPU, another display") << 1 << 1 << u"x11::1"_qs << EngineDrawing::Software << true;
        QTest::newRow("no GPU eight days ago") << 0 << 8 << u"x11::0"_qs << EngineDrawing::Software << true;
        QTest::newRow("damaged") << 2 << 0 << u"x11::0"_qs << EngineDrawing::Software << true;
    }
    void chooseDrawing()
    {
        QFETCH(int, kept);
        QFETCH(int, ageDays);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("engine-drawing"));
        const QDateTime now = QDateTime::fromSecsSinceEpoch(1796684307);
        if (kept == 2) {
            QFile out(file);
            QVERIFY(out.open(QIODevice::WriteOnly) && out.write("yes 17x66 x11::0") > 0);
        } else if (kept >= 0) {
            QVERIFY(KeepAccelerationAnswer(file, kept, QStringLiteral("x11::0"), now.addDays(-ageDays)));
        }
        QFETCH(QString, display);
        const DrawingChoice choice = ChooseEngineDrawing(file, {}, display, now);
        QTEST(choice.drawing, "drawing");
        QTEST(choice.ask, "ask");
        QCOMPARE(ChooseEngineDrawing(file, "webgl", display, now).drawing, EngineDrawing::Gl);
    }

    // The engine we ship names a code file that is there: a release that loads its code another way
    // fails here rather than silently fetching nothing early.
    void engineCodeFile()
    {
        QFile script(QStringLiteral(QUEN_RUFFLE_DIR "/ruffle.js"));
        QVERIFY(script.open(QIODevice::ReadOnly));
        const QString file = EngineCodeFile(script.readAll());
        QVERIFY(!file.isEmpty() && QFile::exists(QStringLiteral(QUEN_RUFFLE_DIR "/") + file));
        QCOMPARE(
            EngineCodeFile(R"(?new URL(a(7),a.b):new URL(a(9),a.b) 7(e,n,a){e.exports=a.p+"x.wasm"})"), u"x.wasm"_qs);
    }
};

QTEST_GUILESS_MAIN(TestEngineRenderer)
#include "tst_enginerenderer.moc"
