#include "playlist/collectfiles.h"
#include "tests/support/testdir.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestCollectFiles : public QObject {
    Q_OBJECT
private slots:
    // "tree|dropped|collected", paths relative to a temporary folder and separated by spaces. In the
    // tree "a/b.swf" is a file, "a/sub/" a folder, "a/up->.." a symbolic link; "~" drops an empty path.
    void collect_data()
    {
        QTest::addColumn<QString>("row");
        QTest::newRow("files before subfolders made earlier")
            << "d/0/x.swf d/1/ d/z.swf d/b.txt|d|d/b.txt d/z.swf d/0/x.swf";
        QTest::newRow("depth first") << "d/A/deep/z.swf d/A/x.swf d/B/y.swf|d/|d/A/x.swf d/A/deep/z.swf d/B/y.swf";
        QTest::newRow("natural order") << "d/10.swf d/2.swf d/B.swf d/a.swf|d|d/2.swf d/10.swf d/a.swf d/B.swf";
        QTest::newRow("hidden files count") << "d/.h.swf d/.s/in.swf|d|d/.h.swf d/.s/in.swf";
        QTest::newRow("links back up the tree end") << "d/a.swf d/s/b.swf d/s/up->.. d/s/me->.|d|d/a.swf d/s/b.swf";
        QTest::newRow("links out followed, dangling ones are files")
            << "o/o.swf d/l->../o d/g.swf->no|d|d/g.swf d/l/o.swf";
        QTest::newRow("files as named, in drop order") << "z.swf a.m3u|z.swf gone ~ a.m3u|z.swf a.m3u";
        QTest::newRow("empty folder") << "d/|d|";
    }
    void collect()
    {
        QFETCH(QString, row);
        const QStringList fields = row.split(u'|');
        QTemporaryDir dir;
        const QDir root(dir.path());
        for (const QString& entry : fields.at(0).split(u' ')) {
            const QStringList link = entry.split(u"->"_s);
            QVERIFY(root.mkpath(QFileInfo(dir.filePath(link.first())).path()));
            QVERIFY(entry.endsWith(u'/')
                || (link.size() == 2 ? QFile::link(link.last(), dir.filePath(link.first()))
                                     : WriteAll(dir.filePath(entry), "x")));
        }
        QStringList roots;
        for (const QString& path : fields.at(1).split(u' '))
            roots.append(path == u"~" ? QString() : dir.filePath(path));
        FileCollector collector(roots);
        QStringList found;
        QString path;
        while (found.size() < 100 && collector.Next(path))
            found.append(root.relativeFilePath(path));
        QCOMPARE(found.join(u' '), fields.at(2));
        QStringList list { u"earlier"_s }; // the same walk, appended to a list
        if (roots.size() == 1)
            QCOMPARE(CollectFiles(roots.first(), list), int(found.size()) + 1);
    }
};

QTEST_GUILESS_MAIN(TestCollectFiles)
#include "tst_collectfiles.moc"
