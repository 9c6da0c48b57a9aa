#include "playlist/moviepaths.h"
#include "tests/support/testdir.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

class TestMoviePaths : public QObject {
    Q_OBJECT
private slots:
    void filesFoldersAndLists();
};

void TestMoviePaths::filesFoldersAndLists()
{
    QTemporaryDir dir;
    const QString root = dir.path();
    QVERIFY(QDir(root).mkpath(QStringLiteral("tree/sub")));
    for (const char* name : { "a.swf", "tree/10.swf", "tree/2.SWF", "tree/notes.txt", "tree/sub/c.swf" })
        QVERIFY(WriteAll(root + u'/' + QString::fromUtf8(name), "x"));
    QVERIFY(WriteAll(root + QStringLiteral("/list.m3u"), "#EXTM3U\r\ntree/sub/c.swf\r\nreadme.txt|x|y\r\n/abs/z.swf|0:01|00:00:01\r\n"));

    const QStringList movies = MoviePathsFrom({ root + QStringLiteral("/a.swf"), root + QStringLiteral("/tree"),
        root + QStringLiteral("/list.m3u"), root + QStringLiteral("/tree/notes.txt"),
        root + QStringLiteral("/missing.m3u") });
    const QStringList expected { root + QStringLiteral("/a.swf"), root + QStringLiteral("/tree/2.SWF"),
        root + QStringLiteral("/tree/10.swf"), root + QStringLiteral("/tree/sub/c.swf"),
        root + QStringLiteral("/tree/sub/c.swf"), QStringLiteral("/abs/z.swf") };
    QCOMPARE(movies, expected);
}

QTEST_GUILESS_MAIN(TestMoviePaths)
#include "tst_moviepaths.moc"
