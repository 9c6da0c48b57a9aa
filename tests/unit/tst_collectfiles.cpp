#include "core/fileexists.h"
#include "playlist/collectfiles.h"
#include "playlist/moviepaths.h"
#include "tests/support/filetree.h"
#include "tests/support/texttablerow.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestCollectFiles : public QObject {
    Q_OBJECT
private slots:
    // "tree|dropped => collected", paths relative to a temporary folder and separated by spaces; the tree as
    // MakeTree takes it, "~" drops an empty path.
    void collect_data()
    {
        TextTable(uR"(
files before subfolders made earlier: d/0/x.swf d/1/ d/z.swf d/b.txt|d => d/b.txt d/z.swf d/0/x.swf
depth first: d/A/deep/z.swf d/A/x.swf d/B/y.swf|d/ => d/A/x.swf d/A/deep/z.swf d/B/y.swf
natural order: d/10.swf d/2.swf d/B.swf d/a.swf|d => d/2.swf d/10.swf d/a.swf d/B.swf
hidden files count: d/.h.swf d/.s/in.swf|d => d/.h.swf d/.s/in.swf
links back up the tree end: d/a.swf d/s/b.swf d/s/up->.. d/s/me->.|d => d/a.swf d/s/b.swf
links out followed, dangling ones are files: o/o.swf d/l->../o d/g.swf->no|d => d/g.swf d/l/o.swf
files as named, in drop order: z.swf a.m3u|z.swf gone ~ a.m3u => z.swf a.m3u
empty folder: d/|d => 
)"_qs);
    }
    void collect()
    {
        const auto [given, expected] = TextRow();
        QTemporaryDir dir;
        const QDir root(dir.path());
        QVERIFY(MakeTree(dir.path(), given.section(u'|', 0, 0)));
        QStringList roots;
        for (const QString& path : given.section(u'|', 1).split(u' '))
            roots.append(path == u"~" ? QString() : dir.filePath(path));
        FileCollector collector(roots);
        QStringList found;
        QString path;
        while (found.size() < 100 && collector.Next(path))
            found.append(root.relativeFilePath(path));
        QCOMPARE(found.join(u' '), expected);
    }
    // The movies of files, folders and list files, in the given order; everything else is left out.
    void moviePathsFrom()
    {
        QTemporaryDir dir;
        QVERIFY(MakeTree(dir.path(), u"a.swf tree/10.swf tree/2.SWF tree/b.txt tree/sub/c.swf"_qs));
        QVERIFY(WriteAll(dir.filePath(u"list.m3u"_qs), "#EXTM3U\r\ntree/sub/c.swf\r\nreadme.txt|x|y\r\n/z.swf||\r\n"));
        const QStringList got = MoviePathsFrom({ dir.filePath(u"a.swf"_qs), dir.filePath(u"tree"_qs),
            dir.filePath(u"list.m3u"_qs), dir.filePath(u"tree/b.txt"_qs), dir.filePath(u"gone.m3u"_qs) });
        QCOMPARE(got.join(u' ').remove(dir.path()),
            u"/a.swf /tree/2.SWF /tree/10.swf /tree/sub/c.swf /tree/sub/c.swf /z.swf"_qs);
    }

    // A link counts even when its target is gone: the list keeps its row.
    void fileExists()
    {
        QTemporaryDir dir;
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("gone.swf")), dir.filePath(QStringLiteral("link.swf"))));
        QVERIFY(FileExists(dir.filePath(QStringLiteral("link.swf"))) && FileExists(dir.path() + u'/'));
        QVERIFY(!FileExists(dir.filePath(QStringLiteral("gone.swf"))) && !FileExists(QString()));
    }
};

QTEST_GUILESS_MAIN(TestCollectFiles)
#include "tst_collectfiles.moc"
