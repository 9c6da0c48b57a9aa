#include "app/handoff.h"
#include "app/singleinstance.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QSocketNotifier>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QtEndian>
#include <cstdio>
#include <unistd.h>

// Each test runs this executable again as the program's stand-in ("--copy"): a copy that runs
// SingleInstance and reports on stdout what happened to it.

namespace {

constexpr int ProcessWaitMs = 15000;

void say(const QString& line)
{
    const QByteArray bytes = (line + u'\n').toUtf8();
    fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    fflush(stdout);
}

// The stand-in: --copy <server name> [path]. The first copy runs until its standard input closes.
int runCopy(const QString& serverName, const QString& path)
{
    SingleInstance instance(serverName);
    switch (instance.start(path)) {
    case SingleInstance::Role::HandedOver:
        return 0;
    case SingleInstance::Role::Unconfirmed:
        return 3;
    case SingleInstance::Role::Failed:
        return 2;
    case SingleInstance::Role::First:
        break;
    }
    QObject::connect(&instance, &SingleInstance::activationRequested, &instance, [](const QString& token) {
        say(QStringLiteral("ACTIVATE ") + token);
        // Runs after the whole message has been handled, so a file line would come before it.
        QTimer::singleShot(0, [] { say(QStringLiteral("DONE")); });
    });
    QObject::connect(&instance, &SingleInstance::fileHandedOver, &instance,
        [](const QString& file) { say(QStringLiteral("FILE ") + file); });
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &input, [] {
        char buffer[64];
        if (read(STDIN_FILENO, buffer, sizeof buffer) <= 0)
            QCoreApplication::quit();
    });
    // Never outlive a test run that lost track of this process.
    QTimer::singleShot(60000, qApp, &QCoreApplication::quit);
    say(QStringLiteral("FIRST ") + path);
    return QCoreApplication::exec();
}

// A started copy and everything it has printed so far.
class Copy {
public:
    Copy(const QString& serverName, const QString& path,
        const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment())
    {
        m_process.setProcessEnvironment(env);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QCoreApplication::applicationFilePath(), { QStringLiteral("--copy"), serverName, path });
    }
    ~Copy()
    {
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(ProcessWaitMs))
            m_process.kill();
        m_process.waitForFinished(ProcessWaitMs);
    }
    QStringList lines()
    {
        m_output += m_process.readAllStandardOutput();
        return QString::fromUtf8(m_output).split(u'\n', Qt::SkipEmptyParts);
    }
    // Waits, at most ms, for a line that starts with prefix.
    bool waitForLine(const QString& prefix, int ms)
    {
        const QDeadlineTimer deadline(ms);
        for (;;) {
            for (const QString& line : lines()) {
                if (line.startsWith(prefix))
                    return true;
            }
            if (deadline.hasExpired() || m_process.state() == QProcess::NotRunning)
                return false;
            m_process.waitForReadyRead(int(std::max<qint64>(1, deadline.remainingTime())));
        }
    }
    bool isFirst() { return waitForLine(QStringLiteral("FIRST"), 0); }
    // waitForFinished answers false for a process that has already ended.
    bool finish() { return m_process.state() == QProcess::NotRunning || m_process.waitForFinished(ProcessWaitMs); }
    int exitCode() const { return m_process.exitCode(); }
    bool running() const { return m_process.state() != QProcess::NotRunning; }
    QProcess& process() { return m_process; }

private:
    QProcess m_process;
    QByteArray m_output;
};

QProcessEnvironment environmentWithToken(const QString& token)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("XDG_ACTIVATION_TOKEN"));
    if (!token.isEmpty())
        env.insert(QStringLiteral("XDG_ACTIVATION_TOKEN"), token);
    return env;
}

} // namespace

class TestSingleInstance : public QObject {
    Q_OBJECT
private slots:
    void init();
    void secondCopyHandsOverItsFile_data();
    void secondCopyHandsOverItsFile();
    void secondCopyWithoutFileOnlyActivates();
    void copiesStartedTogetherLeaveOneFirstAndLoseNoFile();
    void socketOfACrashedCopyIsRecovered();
    void strayFileAtTheSocketPathIsReplaced();
    void lockFileWithoutOwnerIsTakenOver_data();
    void lockFileWithoutOwnerIsTakenOver();
    void socketIsForThisUserOnly();
    void oversizedAndForeignMessagesAreRefused();
    void messageArrivingInPiecesIsTaken();
    void firstCopyGoingAwayLetsTheNextOneBeFirst();
    void serverNameIsPerUser();

private:
    QString serverName() const { return m_dir->filePath(QStringLiteral("q.socket")); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestSingleInstance::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
}

void TestSingleInstance::secondCopyHandsOverItsFile_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("token");
    QTest::newRow("plain path with a token") << "/m/a.swf"
                                             << "desktop-token-1";
    QTest::newRow("spaces and Chinese") << "/m/我的 动画/猫.swf"
                                        << "";
    QTest::newRow("bar and the prefix inside the name") << "/m/a|b/QUENBARROWICK:c.swf"
                                                        << "";
}

void TestSingleInstance::secondCopyHandsOverItsFile()
{
    QFETCH(QString, path);
    QFETCH(QString, token);
    Copy first(serverName(), QString(), environmentWithToken(QString()));
    QVERIFY(first.waitForLine(QStringLiteral("FIRST"), ProcessWaitMs));

    Copy second(serverName(), path, environmentWithToken(token));
    QVERIFY(second.finish());
    QCOMPARE(second.exitCode(), 0);
    QVERIFY(!second.isFirst());
    // The acknowledgement comes once the first copy has the message: it is there within 2 s.
    QVERIFY(first.waitForLine(QStringLiteral("DONE"), 2000));
    QCOMPARE(first.lines(),
        QStringList({ QStringLiteral("FIRST "), QStringLiteral("ACTIVATE ") + token, QStringLiteral("FILE ") + path,
            QStringLiteral("DONE") }));
}

void TestSingleInstance::secondCopyWithoutFileOnlyActivates()
{
    Copy first(serverName(), QString(), environmentWithToken(QString()));
    QVERIFY(first.waitForLine(QStringLiteral("FIRST"), ProcessWaitMs));
    Copy second(serverName(), QString(), environmentWithToken(QStringLiteral("tok")));
    QVERIFY(second.finish());
    QCOMPARE(second.exitCode(), 0);
    QVERIFY(first.waitForLine(QStringLiteral("DONE"), 2000));
    QCOMPARE(first.lines(),
        QStringList({ QStringLiteral("FIRST "), QStringLiteral("ACTIVATE tok"), QStringLiteral("DONE") }));
}

void TestSingleInstance::copiesStartedTogetherLeaveOneFirstAndLoseNoFile()
{
    constexpr int Rounds = 3;
    constexpr int Copies = 3;
    for (int round = 0; round < Rounds; ++round) {
        const QString name = m_dir->filePath(QStringLiteral("race%1.socket").arg(round));
        std::vector<std::unique_ptr<Copy>> copies;
        QStringList paths;
        for (int i = 0; i < Copies; ++i) {
            paths.append(QStringLiteral("/m/round%1/copy%2.swf").arg(round).arg(i));
            copies.push_back(std::make_unique<Copy>(name, paths.last()));
        }
        // Every copy either says it is first or ends having handed its file over.
        Copy* first = nullptr;
        QStringList handedOver;
        for (int i = 0; i < Copies; ++i) {
            Copy& copy = *copies[i];
            const QDeadlineTimer deadline(ProcessWaitMs);
            while (!copy.isFirst() && copy.running() && !deadline.hasExpired())
                copy.process().waitForReadyRead(100);
            if (copy.isFirst()) {
                QVERIFY2(!first, "two first copies");
                first = &copy;
            } else {
                QVERIFY(copy.finish());
                QCOMPARE(copy.exitCode(), 0);
                handedOver.append(paths[i]);
            }
        }
        QVERIFY2(first, "no first copy");
        QCOMPARE(handedOver.size(), Copies - 1);
        for (const QString& path : std::as_const(handedOver))
            QVERIFY2(first->waitForLine(QStringLiteral("FILE ") + path, 2000), qPrintable(path));
    }
}

void TestSingleInstance::socketOfACrashedCopyIsRecovered()
{
    {
        Copy crashed(serverName(), QString());
        QVERIFY(crashed.waitForLine(QStringLiteral("FIRST"), ProcessWaitMs));
        crashed.process().kill(); // SIGKILL: no clean-up at all
        QVERIFY(crashed.finish());
    }
    QVERIFY(QFileInfo::exists(serverName()));
    QVERIFY(QFileInfo::exists(serverName() + QStringLiteral(".lock")));

    Copy next(serverName(), QStringLiteral("/m/after-crash.swf"));
    QVERIFY(next.waitForLine(QStringLiteral("FIRST /m/after-crash.swf"), ProcessWaitMs));
    Copy second(serverName(), QStringLiteral("/m/second.swf"));
    QVERIFY(second.finish());
    QCOMPARE(second.exitCode(), 0);
    QVERIFY(next.waitForLine(QStringLiteral("FILE /m/second.swf"), 2000));
}

void TestSingleInstance::strayFileAtTheSocketPathIsReplaced()
{
    QFile stray(serverName());
    QVERIFY(stray.open(QIODevice::WriteOnly));
    stray.write("left over");
    stray.close();
    SingleInstance instance(serverName());
    QCOMPARE(instance.start(QString(), 2000), SingleInstance::Role::First);
    QVERIFY(instance.listening());
}

void TestSingleInstance::lockFileWithoutOwnerIsTakenOver_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("old");
    QTest::addColumn<int>("role");
    QTest::newRow("empty, left by a crash") << QByteArray() << true << int(SingleInstance::Role::First);
    QTest::newRow("garbage") << QByteArray("\x01\x02 not a lock") << true << int(SingleInstance::Role::First);
    // Just created: its owner is still writing it, so it is respected.
    QTest::newRow("empty, just created") << QByteArray() << false << int(SingleInstance::Role::Failed);
}

void TestSingleInstance::lockFileWithoutOwnerIsTakenOver()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, old);
    QFETCH(int, role);
    QFile lock(serverName() + QStringLiteral(".lock"));
    QVERIFY(lock.open(QIODevice::WriteOnly));
    lock.write(content);
    lock.flush(); // before the time is set, or the write would stamp the file anew
    if (old)
        QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime));
    lock.close();
    SingleInstance instance(serverName());
    QCOMPARE(int(instance.start(QStringLiteral("/m/a.swf"), 500)), role);
    QCOMPARE(instance.listening(), role == int(SingleInstance::Role::First));
}

void TestSingleInstance::socketIsForThisUserOnly()
{
    SingleInstance instance(serverName());
    QCOMPARE(instance.start(QString(), 2000), SingleInstance::Role::First);
    const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther
        | QFile::WriteOther | QFile::ExeOther;
    QCOMPARE(QFileInfo(serverName()).permissions() & others, QFile::Permissions());
}

void TestSingleInstance::oversizedAndForeignMessagesAreRefused()
{
    SingleInstance instance(serverName());
    QCOMPARE(instance.start(QString(), 2000), SingleInstance::Role::First);
    QSignalSpy activations(&instance, &SingleInstance::activationRequested);
    QSignalSpy files(&instance, &SingleInstance::fileHandedOver);

    char huge[4];
    qToBigEndian<quint32>(MaxHandOffPayload + 1, huge);
    const QList<QByteArray> refused
        = { QByteArray("QBRW") + QByteArray(huge, 4) + QByteArray(1024, 'x'), QByteArray("GET / HTTP/1.0\r\n\r\n") };
    for (const QByteArray& bytes : refused) {
        QLocalSocket client;
        client.connectToServer(serverName());
        QVERIFY(client.waitForConnected(2000));
        client.write(bytes);
        client.flush();
        QTRY_COMPARE_WITH_TIMEOUT(client.state(), QLocalSocket::UnconnectedState, 5000);
        QCOMPARE(client.readAll(), QByteArray()); // no acknowledgement
    }
    QCOMPARE(activations.count(), 0);
    QCOMPARE(files.count(), 0);

    // The server still takes a proper message afterwards.
    QLocalSocket client;
    client.connectToServer(serverName());
    QVERIFY(client.waitForConnected(2000));
    client.write(EncodeHandOff({ QString(), HandOffText(QStringLiteral("/m/ok.swf")) }));
    QTRY_COMPARE_WITH_TIMEOUT(files.count(), 1, 5000);
    QCOMPARE(files.at(0).at(0).toString(), QStringLiteral("/m/ok.swf"));
    QTRY_COMPARE_WITH_TIMEOUT(client.bytesAvailable(), qint64(1), 5000);
    QCOMPARE(client.read(1), QByteArray(1, HandOffAck));
}

void TestSingleInstance::messageArrivingInPiecesIsTaken()
{
    SingleInstance instance(serverName());
    QCOMPARE(instance.start(QString(), 2000), SingleInstance::Role::First);
    QSignalSpy files(&instance, &SingleInstance::fileHandedOver);
    QLocalSocket client;
    client.connectToServer(serverName());
    QVERIFY(client.waitForConnected(2000));
    const QByteArray bytes = EncodeHandOff({ QStringLiteral("t"), HandOffText(QStringLiteral("/m/slow.swf")) });
    for (char byte : bytes) {
        client.write(&byte, 1);
        client.flush();
        QCoreApplication::processEvents();
    }
    QTRY_COMPARE_WITH_TIMEOUT(files.count(), 1, 5000);
    QCOMPARE(files.at(0).at(0).toString(), QStringLiteral("/m/slow.swf"));
}

void TestSingleInstance::firstCopyGoingAwayLetsTheNextOneBeFirst()
{
    {
        Copy first(serverName(), QString());
        QVERIFY(first.waitForLine(QStringLiteral("FIRST"), ProcessWaitMs));
        first.process().closeWriteChannel();
        QVERIFY(first.finish());
        QCOMPARE(first.exitCode(), 0);
    }
    SingleInstance next(serverName());
    QCOMPARE(next.start(QStringLiteral("/m/x.swf"), 2000), SingleInstance::Role::First);
}

void TestSingleInstance::serverNameIsPerUser()
{
    const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", m_dir->path().toUtf8());
    QCOMPARE(SingleInstance::defaultServerName(), m_dir->filePath(QStringLiteral("quenbarrowick.socket")));
    // Without a runtime folder of the user's own, the user id keeps users apart in the shared one.
    qputenv("XDG_RUNTIME_DIR", m_dir->filePath(QStringLiteral("missing")).toUtf8());
    QCOMPARE(SingleInstance::defaultServerName(),
        QDir::temp().filePath(QStringLiteral("quenbarrowick-%1.socket").arg(getuid())));
    if (saved.isNull())
        qunsetenv("XDG_RUNTIME_DIR");
    else
        qputenv("XDG_RUNTIME_DIR", saved);
}

int main(int argc, char* argv[])
{
    if (argc >= 3 && qstrcmp(argv[1], "--copy") == 0) {
        QCoreApplication app(argc, argv);
        const QStringList args = QCoreApplication::arguments();
        return runCopy(args.at(2), args.value(3));
    }
    QCoreApplication app(argc, argv);
    TestSingleInstance test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_singleinstance.moc"
