#include "core/fileexists.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestFileExists : public QObject {
    Q_OBJECT
private slots:
    void cases();
};

void TestFileExists::cases()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("a.swf"));
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    QVERIFY(QFile::link(dir.filePath(QStringLiteral("gone.swf")), dir.filePath(QStringLiteral("dangling.swf"))));

    QVERIFY(!FileExists(QString()));
    QVERIFY(FileExists(file));
    QVERIFY(FileExists(dir.path()));
    QVERIFY(FileExists(dir.path() + u'/'));
    QVERIFY(FileExists(QStringLiteral("/")));
    QVERIFY(!FileExists(dir.filePath(QStringLiteral("missing.swf"))));
    QVERIFY(FileExists(dir.filePath(QStringLiteral("dangling.swf"))));
}

QTEST_GUILESS_MAIN(TestFileExists)
#include "tst_fileexists.moc"
