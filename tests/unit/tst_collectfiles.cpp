#include "playlist/collectfiles.h"
#include "tests/support/testdir.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// A tree is written from entries relative to the temporary folder: "a/b.swf" is a file,
// "a/sub/" a folder, "a/up -> .." a symbolic link. Collected paths are compared relative to it.
class TestCollectFiles : public QObject {
    Q_OBJECT
private slots:
    void collect_data();
    void collect();
    void collect_appendsToList();
    void collector_isIncremental();

private:
    static bool makeTree(const QString& root, const QStringList& entries);
};

bool TestCollectFiles::makeTree(const QString& root, const QStringList& entries)
{
    QDir dir(root);
    for (const QString& entry : entries) {
        const qsizetype arrow = entry.indexOf(QStringLiteral(" -> "));
        if (arrow > 0) {
            const QString link = root + u'/' + entry.left(arrow);
            if (!dir.mkpath(QFileInfo(link).path()) || !QFile::link(entry.mid(arrow + 4), link))
                return false;
        } else if (entry.endsWith(u'/')) {
            if (!dir.mkpath(entry))
                return false;
        } else {
            if (!dir.mkpath(QFileInfo(root + u'/' + entry).path()) || !WriteAll(root + u'/' + entry, "x"))
                return false;
        }
    }
    return true;
}

void TestCollectFiles::collect_data()
{
    QTest::addColumn<QStringList>("tree");
    QTest::addColumn<QStringList>("dropped"); // relative; "/" alone is the temporary folder itself
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("folder with a movie, a text file and a subfolder")
        << QStringList { QStringLiteral("d/a.swf"), QStringLiteral("d/b.txt"), QStringLiteral("d/sub/c.swf") }
        << QStringList { QStringLiteral("d") }
        << QStringList { QStringLiteral("d/a.swf"), QStringLiteral("d/b.txt"), QStringLiteral("d/sub/c.swf") };
    // Subfolders named to come first, made first: the folder's own files still come before them.
    QTest::newRow("files after subfolders in enumeration order")
        << QStringList { QStringLiteral("d/0first/x.swf"), QStringLiteral("d/1second/"), QStringLiteral("d/z.swf") }
        << QStringList { QStringLiteral("d") }
        << QStringList { QStringLiteral("d/z.swf"), QStringLiteral("d/0first/x.swf") };
    QTest::newRow("depth first: a subfolder's whole tree before the next subfolder")
        << QStringList { QStringLiteral("d/A/deep/z.swf"), QStringLiteral("d/A/x.swf"), QStringLiteral("d/B/y.swf") }
        << QStringList { QStringLiteral("d") }
        << QStringList { QStringLiteral("d/A/x.swf"), QStringLiteral("d/A/deep/z.swf"), QStringLiteral("d/B/y.swf") };
    QTest::newRow("natural order of names")
        << QStringList { QStringLiteral("d/10.swf"), QStringLiteral("d/2.swf"), QStringLiteral("d/1.swf"),
               QStringLiteral("d/B.swf"), QStringLiteral("d/a.swf") }
        << QStringList { QStringLiteral("d") }
        << QStringList { QStringLiteral("d/1.swf"), QStringLiteral("d/2.swf"), QStringLiteral("d/10.swf"),
               QStringLiteral("d/a.swf"), QStringLiteral("d/B.swf") };
    QTest::newRow("hidden files count") << QStringList { QStringLiteral("d/.hidden.swf"),
        QStringLiteral("d/.sub/in.swf") }
                                        << QStringList { QStringLiteral("d") }
                                        << QStringList { QStringLiteral("d/.hidden.swf"),
                                               QStringLiteral("d/.sub/in.swf") };
    QTest::newRow("link back up the tree ends")
        << QStringList { QStringLiteral("d/a.swf"), QStringLiteral("d/sub/b.swf"), QStringLiteral("d/sub/up -> .."),
               QStringLiteral("d/sub/self -> .") }
        << QStringList { QStringLiteral("d") }
        << QStringList { QStringLiteral("d/a.swf"), QStringLiteral("d/sub/b.swf") };
    QTest::newRow("link to a folder outside is followed")
        << QStringList { QStringLiteral("other/o.swf"), QStringLiteral("d/link -> ../other") }
        << QStringList { QStringLiteral("d") } << QStringList { QStringLiteral("d/link/o.swf") };
    QTest::newRow("dangling link is a file")
        << QStringList { QStringLiteral("d/gone.swf -> nowhere.swf") } << QStringList { QStringLiteral("d") }
        << QStringList { QStringLiteral("d/gone.swf") };
    QTest::newRow("trailing separator") << QStringList { QStringLiteral("d/a.swf") }
                                        << QStringList { QStringLiteral("d/") }
                                        << QStringList { QStringLiteral("d/a.swf") };
    QTest::newRow("files stand as named, in drop order")
        << QStringList { QStringLiteral("z.swf"), QStringLiteral("a.m3u") }
        << QStringList { QStringLiteral("z.swf"), QStringLiteral("a.m3u") }
        << QStringList { QStringLiteral("z.swf"), QStringLiteral("a.m3u") };
    QTest::newRow("missing paths add nothing")
        << QStringList { QStringLiteral("a.swf") }
        << QStringList { QStringLiteral("gone"), QStringLiteral("a.swf"), QString() }
        << QStringList { QStringLiteral("a.swf") };
    QTest::newRow("same folder dropped twice")
        << QStringList { QStringLiteral("d/a.swf") } << QStringList { QStringLiteral("d"), QStringLiteral("d") }
        << QStringList { QStringLiteral("d/a.swf"), QStringLiteral("d/a.swf") };
    QTest::newRow("empty folder") << QStringList { QStringLiteral("d/") } << QStringList { QStringLiteral("d") }
                                  << QStringList {};
}

void TestCollectFiles::collect()
{
    QFETCH(QStringList, tree);
    QFETCH(QStringList, dropped);
    QFETCH(QStringList, expected);
    QTemporaryDir dir;
    QVERIFY(makeTree(dir.path(), tree));
    QStringList roots;
    for (const QString& path : dropped)
        roots.append(path.isEmpty() ? QString() : dir.path() + u'/' + path);

    FileCollector collector(roots);
    QStringList found;
    QString path;
    while (collector.Next(path)) {
        QVERIFY2(path.startsWith(dir.path() + u'/'), qPrintable(path));
        found.append(path.mid(dir.path().size() + 1));
        QVERIFY2(found.size() < 1000, "the walk does not end");
    }
    QCOMPARE(found, expected);
}

void TestCollectFiles::collect_appendsToList()
{
    QTemporaryDir dir;
    QVERIFY(makeTree(dir.path(), { QStringLiteral("d/a.swf"), QStringLiteral("d/b.swf") }));
    QStringList list { QStringLiteral("earlier") };
    QCOMPARE(CollectFiles(dir.filePath(QStringLiteral("d")), list), 3);
    QCOMPARE(list,
        (QStringList { QStringLiteral("earlier"), dir.filePath(QStringLiteral("d/a.swf")),
            dir.filePath(QStringLiteral("d/b.swf")) }));
}

void TestCollectFiles::collector_isIncremental()
{
    QTemporaryDir dir;
    QVERIFY(makeTree(dir.path(), { QStringLiteral("d/a.swf"), QStringLiteral("d/sub/b.swf") }));
    FileCollector collector({ dir.filePath(QStringLiteral("d")) });
    QString path;
    QVERIFY(collector.Next(path));
    QCOMPARE(path, dir.filePath(QStringLiteral("d/a.swf")));
    // A folder created while the walk is under way is still found when its turn comes.
    QVERIFY(WriteAll(dir.filePath(QStringLiteral("d/sub/c.swf")), "x"));
    QVERIFY(collector.Next(path));
    QCOMPARE(path, dir.filePath(QStringLiteral("d/sub/b.swf")));
    QVERIFY(collector.Next(path));
    QCOMPARE(path, dir.filePath(QStringLiteral("d/sub/c.swf")));
    QVERIFY(!collector.Next(path));
    QVERIFY(!collector.Next(path));
}

QTEST_GUILESS_MAIN(TestCollectFiles)
#include "tst_collectfiles.moc"
