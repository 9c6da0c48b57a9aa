#include "playback/rufflecontrol.h"
#include "tests/support/enginetestmain.h"
#include "tests/support/eventwait.h"
#include "tools/swfgen/swfwriter.h"

#include <QDir>
#include <QSignalSpy>
#include <QSocketNotifier>
#include <QTemporaryDir>
#include <QWidget>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

// The restrictions the program enforces around the engine: networking off, script access off,
// and a movie's reach on disk. Each is also checked the other way, so that a check that cannot
// fail would show.
class TestRuffleGuards : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void networkingNoneStopsLoadMovie_data();
    void networkingNoneStopsLoadMovie();
    void scriptNeverStopsPageScript_data();
    void scriptNeverStopsPageScript();
    void scriptAccessChangeKeepsTheMovieWhereItWas();
    void onlyTheMovieFolderIsServed_data();
    void onlyTheMovieFolderIsServed();

private:
    QString writeMovie(const QByteArray& frameOneActions);
    bool loadAndWait(const QString& path);
    QVariant evaluate(const QString& code);

    QTemporaryDir m_dir;
    RuffleFlashControl* m_flash = nullptr;
    int m_listener = -1;
    quint16 m_port = 0;
    int m_connections = 0;
    int m_movies = 0;
};

namespace {

QByteArray pushStrings(std::initializer_list<const char*> strings)
{
    QByteArray payload;
    for (const char* s : strings)
        payload.append('\0').append(s).append('\0');
    QByteArray action;
    action.append('\x96').append(char(payload.size() & 0xff)).append(char(payload.size() >> 8)).append(payload);
    return action;
}

QByteArray pushInt(int v)
{
    QByteArray action("\x96\x05\x00\x07", 4);
    for (int i = 0; i < 4; ++i)
        action.append(char((uint32_t(v) >> (8 * i)) & 0xff));
    return action;
}

// getURL(url, target): with a _level target it is loadMovieNum.
QByteArray getUrl(const QByteArray& url, const QByteArray& target)
{
    QByteArray payload = url;
    payload.append('\0').append(target).append('\0');
    QByteArray action;
    action.append('\x83').append(char(payload.size() & 0xff)).append(char(payload.size() >> 8)).append(payload);
    return action;
}

// flash.external.ExternalInterface.call(expression)
QByteArray externalCall(const char* expression)
{
    return pushStrings({ expression }) + pushInt(1) + pushStrings({ "flash" }) + QByteArray("\x1c", 1)
        + pushStrings({ "external" }) + QByteArray("\x4e", 1) + pushStrings({ "ExternalInterface" })
        + QByteArray("\x4e", 1) + pushStrings({ "call" }) + QByteArray("\x52\x17", 2);
}

} // namespace

void TestRuffleGuards::initTestCase()
{
    QVERIFY(m_dir.isValid());
    // A bare HTTP listener on the loopback: it only counts who knocks.
    m_listener = ::socket(AF_INET, SOCK_STREAM, 0);
    QVERIFY(m_listener >= 0);
    sockaddr_in addr {};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    QCOMPARE(::bind(m_listener, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    QCOMPARE(::listen(m_listener, 8), 0);
    socklen_t len = sizeof addr;
    QCOMPARE(::getsockname(m_listener, reinterpret_cast<sockaddr*>(&addr), &len), 0);
    m_port = ntohs(addr.sin_port);
    auto* notifier = new QSocketNotifier(m_listener, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] {
        const int client = ::accept(m_listener, nullptr, nullptr);
        if (client < 0)
            return;
        ++m_connections;
        static const char reply[] = "HTTP/1.0 404 Not Found\r\nContent-Length: 0\r\n\r\n";
        [[maybe_unused]] auto written = ::write(client, reply, sizeof reply - 1);
        ::close(client);
    });

    m_flash = new RuffleFlashControl(this);
    m_flash->widget()->resize(320, 240);
    m_flash->widget()->show();
}

void TestRuffleGuards::cleanupTestCase()
{
    delete m_flash;
    if (m_listener >= 0)
        ::close(m_listener);
}

QString TestRuffleGuards::writeMovie(const QByteArray& frameOneActions)
{
    swfgen::MovieSpec movieSpec;
    movieSpec.frameCount = 200;
    movieSpec.extraTags[1] = { swfgen::Tag(12, frameOneActions + QByteArray(1, '\0')) };
    const QString path = m_dir.filePath(QStringLiteral("movies/m%1.swf").arg(++m_movies));
    QDir().mkpath(m_dir.filePath(QStringLiteral("movies")));
    return swfgen::WriteMovieFile(path, movieSpec) ? path : QString();
}

bool TestRuffleGuards::loadAndWait(const QString& path)
{
    QSignalSpy ready(m_flash, &FlashControl::OnReadyStateChange);
    m_flash->LoadMovie(0, path);
    return ready.wait(20000) || ready.count() > 0;
}

QVariant TestRuffleGuards::evaluate(const QString& code)
{
    auto answer = std::make_shared<std::optional<QVariant>>();
    m_flash->runInPage(code, [answer](const QVariant& v) { *answer = v; });
    if (!WaitInEventLoop([&] { return answer->has_value(); }, 10000))
        return {};
    return answer->value();
}

void TestRuffleGuards::networkingNoneStopsLoadMovie_data()
{
    QTest::addColumn<QString>("networking");
    QTest::addColumn<bool>("reachesServer");
    QTest::newRow("none") << u"none"_qs << false;
    QTest::newRow("all") << u"all"_qs << true;
    QTest::newRow("none again after all") << u"none"_qs << false;
}

void TestRuffleGuards::networkingNoneStopsLoadMovie()
{
    QFETCH(QString, networking);
    QFETCH(bool, reachesServer);
    m_flash->SetAllowNetworking(networking);
    const QByteArray url = QStringLiteral("http://127.0.0.1:%1/other.swf").arg(m_port).toLatin1();
    m_connections = 0;
    QVERIFY(loadAndWait(writeMovie(getUrl(url, "_level5"))));
    // The movie asks on its first frame; a request that gets through arrives well within this.
    const bool reached = WaitInEventLoop([&] { return m_connections > 0; }, 3000);
    QCOMPARE(reached, reachesServer);
}

void TestRuffleGuards::scriptNeverStopsPageScript_data()
{
    QTest::addColumn<QString>("access");
    QTest::addColumn<bool>("viaExternalCall"); // false: a javascript: URL
    QTest::addColumn<bool>("runs");
    QTest::newRow("ExternalInterface.call, never") << u"never"_qs << true << false;
    QTest::newRow("ExternalInterface.call, always") << u"always"_qs << true << true;
    QTest::newRow("javascript: URL, never") << u"never"_qs << false << false;
    QTest::newRow("javascript: URL, always") << u"always"_qs << false << true;
}

void TestRuffleGuards::scriptNeverStopsPageScript()
{
    QFETCH(QString, access);
    QFETCH(bool, viaExternalCall);
    QFETCH(bool, runs);
    m_flash->SetAllowNetworking(u"all"_qs);
    m_flash->SetAllowScriptAccess(access);
    const QByteArray actions = viaExternalCall ? externalCall("(function(){document.title='movie-script'})")
                                               : getUrl("javascript:void(document.title='movie-script')", "_self");
    QVERIFY(loadAndWait(writeMovie(actions)));
    QVERIFY(m_flash->probeAnswering()); // the probe answers whatever the policy
    const bool ran
        = WaitInEventLoop([&] { return evaluate(u"document.title"_qs).toString() == u"movie-script"; }, 3000);
    QCOMPARE(ran, runs);
    evaluate(u"document.title = ''"_qs);
}

void TestRuffleGuards::scriptAccessChangeKeepsTheMovieWhereItWas()
{
    m_flash->SetAllowScriptAccess(u"always"_qs);
    QVERIFY(loadAndWait(writeMovie({})));
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

void TestRuffleGuards::onlyTheMovieFolderIsServed_data()
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

void TestRuffleGuards::onlyTheMovieFolderIsServed()
{
    QFETCH(QString, relative);
    QFETCH(bool, served);
    QDir dir(m_dir.path());
    QVERIFY(dir.mkpath(QStringLiteral("movies/sub")));
    for (const char* name : { "secret.txt", "movies/notes.txt", "movies/sub/deep.txt" }) {
        QFile f(dir.filePath(QLatin1String(name)));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("content");
    }
    QFile::link(dir.filePath(QStringLiteral("secret.txt")), dir.filePath(QStringLiteral("movies/link.txt")));
    QVERIFY(loadAndWait(writeMovie({})));
    // The movie's own URL is the base its relative loads resolve against.
    const QString base = evaluate(u"document.querySelector('ruffle-player').ruffle().loadedConfig.url"_qs).toString();
    QVERIFY(base.startsWith(u"quen://player/movie/"));
    const QString url = base.left(base.lastIndexOf(QLatin1Char('/')) + 1) + relative;
    const QString answer = evaluate(
        QStringLiteral("(function(){ const x = new XMLHttpRequest(); try { x.open('GET', '%1', false); x.send(); "
                       "return x.status + ':' + x.responseText; } catch (e) { return 'refused'; } })()")
            .arg(url))
                               .toString();
    QCOMPARE(answer == u"200:content", served);
}

QUEN_ENGINE_TEST_MAIN(TestRuffleGuards)
#include "tst_ruffleguards.moc"
