#include "playback/enginerenderer.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(EngineDrawing)

// The drawing chosen at start from the answer the previous start kept: software only on a fresh
// "no" for this display, and never under a forced WebGL renderer.
class TestEngineRenderer : public QObject {
    Q_OBJECT
private slots:
    void chooseDrawing_data()
    {
        QTest::addColumn<QByteArray>("kept"); // the file's content; "-" for no file
        QTest::addColumn<QByteArray>("forced");
        QTest::addColumn<EngineDrawing>("drawing");
        const QByteArray no = "no " + QByteArray::number(Now.toSecsSinceEpoch() - 3600) + " x11::0";
        QTest::newRow("no answer yet") << QByteArray("-") << QByteArray() << EngineDrawing::Gl;
        QTest::newRow("no GPU an hour ago") << no << QByteArray() << EngineDrawing::Software;
        QTest::newRow("no GPU, canvas forced") << no << QByteArray("canvas") << EngineDrawing::Software;
        QTest::newRow("no GPU, WebGL forced") << no << QByteArray(" WebGL") << EngineDrawing::Gl;
        QTest::newRow("a GPU") << QByteArray("yes 1796684307 x11::0") << QByteArray() << EngineDrawing::Gl;
        QTest::newRow("another display") << QByteArray(no).replace(":0", ":1") << QByteArray() << EngineDrawing::Gl;
        QTest::newRow("eight days old") << QByteArray("no " + QByteArray::number(Now.toSecsSinceEpoch() - 8 * 86400)
            + " x11::0") << QByteArray() << EngineDrawing::Gl;
        QTest::newRow("from the future") << QByteArray("no 1896684307 x11::0") << QByteArray() << EngineDrawing::Gl;
        QTest::newRow("cut short") << QByteArray("no 17966") << QByteArray() << EngineDrawing::Gl;
        QTest::newRow("garbage time") << QByteArray("no 17x66 x11::0") << QByteArray() << EngineDrawing::Gl;
    }
    void chooseDrawing()
    {
        QFETCH(QByteArray, kept);
        QFETCH(QByteArray, forced);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("engine-drawing"));
        if (kept != "-") {
            QFile out(file);
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(kept);
        }
        QTEST(ChooseEngineDrawing(file, forced, QStringLiteral("x11::0"), Now), "drawing");
    }

    // What one start keeps, the next reads back; a folder that cannot be written keeps nothing.
    void keptAnswerIsRead()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("engine-drawing"));
        QVERIFY(KeepAccelerationAnswer(file, false, QStringLiteral("wayland:wayland-0"), Now));
        QCOMPARE(ChooseEngineDrawing(file, {}, QStringLiteral("wayland:wayland-0"), Now), EngineDrawing::Software);
        QVERIFY(KeepAccelerationAnswer(file, true, QStringLiteral("wayland:wayland-0"), Now));
        QCOMPARE(ChooseEngineDrawing(file, {}, QStringLiteral("wayland:wayland-0"), Now), EngineDrawing::Gl);
        QVERIFY(!KeepAccelerationAnswer(dir.filePath(QStringLiteral("missing/engine-drawing")), false, {}, Now));
    }

private:
    const QDateTime Now = QDateTime::fromSecsSinceEpoch(1796684307);
};

QTEST_GUILESS_MAIN(TestEngineRenderer)
#include "tst_enginerenderer.moc"
