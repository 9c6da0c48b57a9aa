#include <QLocalServer>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// The real program started while a first copy holds the lock but does not answer: it ends on its own
// within its wait, says so on standard error, and never goes on as a second program.
class TestUnansweredCopy : public QObject {
    Q_OBJECT
private slots:
    void secondCopyEnds_data()
    {
        QTest::addColumn<bool>("listening");
        QTest::newRow("the first copy's socket is gone") << false;
        QTest::newRow("the first copy is hung: it listens but never reads") << true;
    }
    void secondCopyEnds()
    {
        QFETCH(bool, listening);
        QTemporaryDir dir;
        const QString socket = dir.filePath(QStringLiteral("quenbarrowick.socket"));
        QLockFile lock(socket + QStringLiteral(".lock"));
        QVERIFY(lock.tryLock(0));
        QLocalServer server; // this test runs no event loop while the copy waits: nothing is read
        QVERIFY(!listening || server.listen(socket));
        qputenv("XDG_RUNTIME_DIR", dir.path().toUtf8()); // where the program looks for the first copy
        QProcess copy;
        copy.start(QCoreApplication::applicationDirPath() + u"/../quenbarrowick"_qs, { dir.filePath(u"a.swf"_qs) });
        QVERIFY2(copy.waitForFinished(15000), "the second copy went on as a program of its own");
        QCOMPARE(copy.exitCode(), 1);
        QVERIFY(copy.readAllStandardError().contains("does not answer"));
    }
};

QTEST_MAIN(TestUnansweredCopy)
#include "tst_unansweredcopy.moc"
