#include "playlist/moviepaths.h"
#include "tests/support/filetree.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

class TestMoviePaths : public QObject {
    Q_OBJECT
private slots:
    // The movies of files, folders and list files, in the given order; everything else is left out.
    void filesFoldersAndLists()
    {
        QTemporaryDir dir;
        QVERIFY(MakeTree(dir.path(), u"a.swf tree/10.swf tree/2.SWF tree/b.txt tree/sub/c.swf"_qs));
        QVERIFY(WriteAll(dir.filePath(u"list.m3u"_qs), "#EXTM3U\r\ntree/sub/c.swf\r\nreadme.txt|x|y\r\n/z.swf||\r\n"));
        const QStringList got = MoviePathsFrom({ dir.filePath(u"a.swf"_qs), dir.filePath(u"tree"_qs),
            dir.filePath(u"list.m3u"_qs), dir.filePath(u"tree/b.txt"_qs), dir.filePath(u"gone.m3u"_qs) });
        QCOMPARE(got.join(u' ').remove(dir.path()),
            u"/a.swf /tree/2.SWF /tree/10.swf /tree/sub/c.swf /tree/sub/c.swf /z.swf"_qs);
    }
};

QTEST_GUILESS_MAIN(TestMoviePaths)
#include "tst_moviepaths.moc"
