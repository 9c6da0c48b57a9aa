#include "core/fileexists.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestFileExists : public QObject {
    Q_OBJECT
private slots:
    // A link counts even when its target is gone: the list keeps its row.
    void cases()
    {
        QTemporaryDir dir;
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("gone.swf")), dir.filePath(QStringLiteral("link.swf"))));
        QVERIFY(FileExists(dir.filePath(QStringLiteral("link.swf"))) && FileExists(dir.path() + u'/'));
        QVERIFY(!FileExists(dir.filePath(QStringLiteral("gone.swf"))) && !FileExists(QString()));
    }
};

QTEST_GUILESS_MAIN(TestFileExists)
#include "tst_fileexists.moc"
