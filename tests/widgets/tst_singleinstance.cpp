#include "app/handoff.h"
#include "app/singleinstance.h"
#include "tests/support/testdir.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QProcess>
#include <QSignalSpy>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

// The first copy's side: who becomes first over what an earlier copy left behind, and what its
// socket takes; and the real program started while a first copy holds the lock but does not answer:
// it ends on its own within its wait, says so on standard error, and never goes on as a second
// program. A second copy handing over its files is run end to end by tst_program.
class TestSingleInstance : public QObject {
    Q_OBJECT
private slots:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }
    void leftovers_data()
    {
        // A socket file is always left over too: each row ends in removing it before listening.
        QTest::addColumn<QByteArray>("lock");
        QTest::addColumn<bool>("old");
        QTest::addColumn<int>("role");
        const QByteArray gone = "4194303\nquenbarrowick\n" + QSysInfo::machineHostName().toUtf8() + "\n";
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
        QVERIFY(WriteAll(name(), "left over"));
        QFile file(name() + QStringLiteral(".lock"));
        QVERIFY(WriteAll(file.fileName(), lock)); // written first, or the write would stamp the file anew
        QVERIFY(!old
            || (file.open(QIODevice::Append)
                && file.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime)));
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
        // A message the decoder refuses (which ones: tst_handoff) ends the connection unanswered.
        QLocalSocket bad;
        bad.connectToServer(name());
        QVERIFY(bad.waitForConnected(2000));
        bad.write("GET / HTTP/1.0\r\n\r\n");
        bad.flush();
        QTRY_COMPARE_WITH_TIMEOUT(bad.state(), QLocalSocket::UnconnectedState, 5000);
        QCOMPARE(bad.readAll(), QByteArray()); // no acknowledgement
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

    // The first copy is hung: it holds the lock and listens but never reads.
    void unansweredSecondCopyEnds()
    {
        QLockFile lock(m_dir->filePath(QStringLiteral("quenbarrowick.socket.lock")));
        QVERIFY(lock.tryLock(0));
        QLocalServer server; // this test runs no event loop while the copy waits: nothing is read
        QVERIFY(server.listen(m_dir->filePath(QStringLiteral("quenbarrowick.socket"))));
        qputenv("XDG_RUNTIME_DIR", m_dir->path().toUtf8()); // where the program looks for the first copy
        QProcess copy;
        copy.start(QCoreApplication::applicationDirPath() + u"/../quenbarrowick"_qs, { m_dir->filePath(u"a.swf"_qs) });
        QVERIFY2(copy.waitForFinished(15000), "the second copy went on as a program of its own");
        QCOMPARE(copy.exitCode(), 1);
        QVERIFY(copy.readAllStandardError().contains("does not answer"));
    }

private:
    QString name() const { return m_dir->filePath(QStringLiteral("q.socket")); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
