#include "tests/support/enginetestmain.h"
#include "tests/support/testdir.h"
#include "tools/swfgen/corpusscripts.h"

#include <QDir>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

namespace {

// flash.external.ExternalInterface.call(expression): the argument and its count, the function looked up
// member by member, then CallMethod.
corpus::Avm1 externalCall(const char* expression)
{
    corpus::Avm1 call;
    call.str(expression).num(1).str("flash").op(0x1C).str("external").op(0x4E); // GetVariable, GetMember
    return call.str("ExternalInterface").op(0x4E).str("call").op(0x52).op(0x17); // GetMember, CallMethod, Pop
}

} // namespace

// The restrictions the program enforces around the engine: networking off, script access off,
// and a movie's reach on disk. Each is also checked the other way, so that a check that cannot
// fail would show.
class TestRuffleGuards : public QObject {
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
        m_flash = ShownEngine(this, QSize(320, 240));
    }
    void networkingNoneStopsLoadMovie_data()
    {
        QTest::addColumn<QString>("networking");
        QTest::addColumn<bool>("reachesServer");
        QTest::newRow("none") << u"none"_qs << false;
        QTest::newRow("all") << u"all"_qs << true;
        QTest::newRow("none again after all") << u"none"_qs << false;
    }
    void networkingNoneStopsLoadMovie()
    {
        QFETCH(QString, networking);
        QFETCH(bool, reachesServer);
        m_flash->SetAllowNetworking(networking);
        m_connections = 0;
        QVERIFY(LoadAndWait(*m_flash,
            writeMovie(corpus::Avm1().getUrl(
                QStringLiteral("http://127.0.0.1:%1/other.swf").arg(m_server.serverPort()).toLatin1(), "_level5"))));
        // The movie asks on its first frame; a request that gets through arrives well within this.
        QCOMPARE(WaitInEventLoop([&] { return m_connections > 0; }, 3000), reachesServer);
    }
    void scriptNeverStopsPageScript_data()
    {
        QTest::addColumn<QString>("access");
        QTest::addColumn<bool>("viaExternalCall"); // false: a javascript: URL
        QTest::addColumn<bool>("runs");
        QTest::newRow("ExternalInterface.call, never") << u"never"_qs << true << false;
        QTest::newRow("ExternalInterface.call, always") << u"always"_qs << true << true;
        QTest::newRow("javascript: URL, never") << u"never"_qs << false << false;
        QTest::newRow("javascript: URL, always") << u"always"_qs << false << true;
    }
    void scriptNeverStopsPageScript()
    {
        QFETCH(QString, access);
        QFETCH(bool, viaExternalCall);
        QFETCH(bool, runs);
        m_flash->SetAllowNetworking(u"all"_qs);
        m_flash->SetAllowScriptAccess(access);
        QVERIFY(LoadAndWait(*m_flash,
            writeMovie(viaExternalCall
                    ? externalCall("(function(){document.title='movie-script'})")
                    : corpus::Avm1().getUrl("javascript:void(document.title='movie-script')", "_self"))));
        QVERIFY(m_flash->probeAnswering()); // the probe answers whatever the policy
        QCOMPARE(
            WaitInEventLoop([&] { return evaluate(u"document.title"_qs).toString() == u"movie-script"; }, 3000), runs);
        evaluate(u"document.title = ''"_qs);
    }
    void scriptAccessChangeKeepsTheMovieWhereItWas()
    {
        m_flash->SetAllowScriptAccess(u"always"_qs);
        QVERIFY(LoadAndWait(*m_flash, writeMovie({})));
        m_flash->StopPlay();
        m_flash->SetFrameNum(120);
        QVERIFY(WaitInEventLoop([&] { return m_flash->FrameNum() == 120; }, 3000));
        const QString movie = m_flash->Movie();
        // Lifting or setting the policy takes a new page; the movie comes back where it was, stopped.
        QSignalSpy ready(m_flash, &FlashControl::OnReadyStateChange);
        m_flash->SetAllowScriptAccess(u"never"_qs);
        QVERIFY(ready.wait(20000) || ready.count() > 0);
        QCOMPARE(m_flash->Movie(), movie);
        QCOMPARE(m_flash->FrameNum(), 120);
        QVERIFY(!m_flash->Playing());
        QSignalSpy snapshots(m_flash, &RuffleFlashControl::SnapshotTaken);
        QVERIFY(WaitInEventLoop([&] { return snapshots.count() >= 10; }, 5000));
        QCOMPARE(m_flash->FrameNum(), 120);
    }
    void onlyTheMovieFolderIsServed_data()
    {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<bool>("served");
        QTest::newRow("sibling") << u"notes.txt"_qs << true;
        QTest::newRow("subfolder") << u"sub/deep.txt"_qs << true;
        QTest::newRow("parent, encoded") << u"%2e%2e/secret.txt"_qs << false;
        QTest::newRow("parent") << u"../secret.txt"_qs << false;
        QTest::newRow("absolute, encoded") << u"%2fetc%2fpasswd"_qs << false;
        QTest::newRow("link out") << u"link.txt"_qs << false;
    }
    void onlyTheMovieFolderIsServed()
    {
        QFETCH(QString, relative);
        QFETCH(bool, served);
        QDir dir(m_dir.path());
        for (const char* name : { "secret.txt", "movies/notes.txt", "movies/sub/deep.txt" })
            QVERIFY(WriteAll(dir.filePath(QLatin1String(name)), "content"));
        QFile::link(dir.filePath(QStringLiteral("secret.txt")), dir.filePath(QStringLiteral("movies/link.txt")));
        QVERIFY(LoadAndWait(*m_flash, writeMovie({})));
        // The movie's own URL is the base its relative loads resolve against.
        const QString base
            = evaluate(u"document.querySelector('ruffle-player').ruffle().loadedConfig.url"_qs).toString();
        QVERIFY(base.startsWith(u"quen://player/movie/"));
        const QString answer = evaluate(
            QStringLiteral("(function(){ const x = new XMLHttpRequest(); try { x.open('GET', '%1', false); x.send(); "
                           "return x.status + ':' + x.responseText; } catch (e) { return 'refused'; } })()")
                .arg(base.left(base.lastIndexOf(u'/') + 1) + relative))
                                   .toString();
        QCOMPARE(answer == u"200:content", served);
    }

private:
    QString writeMovie(const corpus::Avm1& frameOneActions)
    {
        const swfgen::MovieSpec s { .frameCount = 200, .extraTags = { { 1, { frameOneActions.tag() } } } };
        return WrittenMovie(m_dir.filePath(QStringLiteral("movies/m%1.swf").arg(++m_movies)), s);
    }
    QVariant evaluate(const QString& code) { return EvaluateInPage(*m_flash, code); }

    QTemporaryDir m_dir;
    RuffleFlashControl* m_flash = nullptr;
    QTcpServer m_server; // on the loopback: it only counts who knocks
    int m_connections = 0;
    int m_movies = 0;
};

QUEN_ENGINE_TEST_MAIN(TestRuffleGuards)
#include "tst_ruffleguards.moc"
