#include "app/handoff.h"
#include "app/singleinstance.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <unistd.h>

// The first copy's side: who becomes first over what an earlier copy left behind, and what its
// socket takes. A second copy handing over its file is run end to end by handoff_smoke.sh.
class TestSingleInstance : public QObject {
    Q_OBJECT
private slots:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }
    void leftovers_data()
    {
        QTest::addColumn<QByteArray>("lock"); // "-": no lock file
        QTest::addColumn<bool>("old");
        QTest::addColumn<int>("role");
        const QByteArray gone = "4194303\nquenbarrowick\n" + QSysInfo::machineHostName().toUtf8() + "\n";
        QTest::newRow("stray file at the socket path") << QByteArray("-") << false << int(SingleInstance::Role::First);
        QTest::newRow("lock of a copy that is gone") << gone << true << int(SingleInstance::Role::First);
        QTest::newRow("empty lock, left by a crash") << QByteArray() << true << int(SingleInstance::Role::First);
        // Just created: its owner is still writing it, so it is respected.
        QTest::newRow("empty lock, just created") << QByteArray() << false << int(SingleInstance::Role::Failed);
    }
    void leftovers()
    {
        QFETCH(QByteArray, lock);
        QFETCH(bool, old);
        QFETCH(int, role);
        QFile stray(name());
        QVERIFY(stray.open(QIODevice::WriteOnly) && stray.write("left over") > 0);
        stray.close();
        if (lock != "-") {
            QFile file(name() + QStringLiteral(".lock"));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(lock);
            file.flush(); // before the time is set, or the write would stamp the file anew
            if (old)
                QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime));
        }
        SingleInstance instance(name());
        QCOMPARE(int(instance.start(QStringLiteral("/m/a.swf"), 500)), role);
        QCOMPARE(instance.listening(), role == int(SingleInstance::Role::First));
        if (instance.listening()) {
            // The socket is for this user only.
            const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther
                | QFile::WriteOther | QFile::ExeOther;
            QCOMPARE(QFileInfo(name()).permissions() & others, QFile::Permissions());
        }
    }
    void badMessagesAreRefused_goodOnesInPiecesTaken()
    {
        SingleInstance instance(name());
        QCOMPARE(instance.start(QString(), 2000), SingleInstance::Role::First);
        QSignalSpy activations(&instance, &SingleInstance::activationRequested);
        QSignalSpy files(&instance, &SingleInstance::fileHandedOver);
        char huge[4];
        qToBigEndian<quint32>(MaxHandOffPayload + 1, huge);
        for (const QByteArray& bytes :
            QList<QByteArray> { QByteArray("QBRW") + QByteArray(huge, 4) + QByteArray(1024, 'x'),
                QByteArray("GET / HTTP/1.0\r\n\r\n") }) {
            QLocalSocket client;
            client.connectToServer(name());
            QVERIFY(client.waitForConnected(2000));
            client.write(bytes);
            client.flush();
            QTRY_COMPARE_WITH_TIMEOUT(client.state(), QLocalSocket::UnconnectedState, 5000);
            QCOMPARE(client.readAll(), QByteArray()); // no acknowledgement
        }
        QCOMPARE(activations.count() + files.count(), 0);

        // The server still takes a proper message, even one byte at a time, and acknowledges it.
        QLocalSocket client;
        client.connectToServer(name());
        QVERIFY(client.waitForConnected(2000));
        for (char byte : EncodeHandOff({ QStringLiteral("token"), HandOffText(QStringLiteral("/m/我的 动画.swf")) })) {
            client.write(&byte, 1);
            client.flush();
            QCoreApplication::processEvents();
        }
        QTRY_COMPARE_WITH_TIMEOUT(files.count(), 1, 5000);
        QCOMPARE(activations.count(), 1);
        QCOMPARE(activations.at(0).at(0).toString(), QStringLiteral("token"));
        QCOMPARE(files.at(0).at(0).toString(), QStringLiteral("/m/我的 动画.swf"));
        QTRY_COMPARE_WITH_TIMEOUT(client.bytesAvailable(), qint64(1), 5000);
        QCOMPARE(client.read(1), QByteArray(1, HandOffAck));
    }
    void serverNameIsPerUser()
    {
        // Without a runtime folder of the user's own, the user id keeps users apart in the shared one (the
        // runtime folder itself is where tst_unansweredcopy and handoff_smoke.sh find the first copy).
        const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", m_dir->filePath(QStringLiteral("missing")).toUtf8());
        QCOMPARE(SingleInstance::defaultServerName(),
            QDir::temp().filePath(QStringLiteral("quenbarrowick-%1.socket").arg(getuid())));
        saved.isNull() ? qunsetenv("XDG_RUNTIME_DIR") : qputenv("XDG_RUNTIME_DIR", saved);
    }

private:
    QString name() const { return m_dir->filePath(QStringLiteral("q.socket")); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
