#include "playback/enginecode.h"

#include <QFile>
#include <QTest>

// The engine's code file named from the engine's script, as the page fetches it early.
class TestEngineCode : public QObject {
    Q_OBJECT
private slots:
    void codeFile_data()
    {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<QString>("file");
        const QByteArray choice = R"(const s=n?new URL(a(797),a.b):new URL(a(124),a.b),l=await fetch(s))";
        const QByteArray modules = R"(124(e,n,a){e.exports=a.p+"72a2.wasm"},797(e,n,a){e.exports=a.p+"826b.wasm"})";
        QTest::newRow("extensions module, defined after the other") << choice + modules << u"826b.wasm"_qs;
        QTest::newRow("no choice between modules") << modules << QString();
        QTest::newRow("the chosen module not defined") << choice + modules.left(modules.indexOf("},")) << QString();
    }
    void codeFile()
    {
        QFETCH(QByteArray, script);
        QTEST(EngineCodeFile(script), "file");
    }

    // The engine we ship: its script names a file that is there. A new engine release that loads its
    // code another way fails here rather than silently fetching nothing early.
    void shippedEngine()
    {
        const QString folder = QStringLiteral(QUEN_RUFFLE_DIR);
        QFile script(folder + QStringLiteral("/ruffle.js"));
        QVERIFY(script.open(QIODevice::ReadOnly));
        const QString file = EngineCodeFile(script.readAll());
        QVERIFY(!file.isEmpty());
        QVERIFY(QFile::exists(folder + u'/' + file));
    }
};

QTEST_GUILESS_MAIN(TestEngineCode)
#include "tst_enginecode.moc"
