#include "playlist/listfile.h"
#include "playlist/playlistmodel.h"

#include <QTest>

// Lists made on Windows: a row shows the name after the last "/" or "\", and a relative line written
// with "\" is found beside the list as if written with "/".
class TestWindowsPaths : public QObject {
    Q_OBJECT
private slots:
    void listLines_data();
    void listLines();
};

void TestWindowsPaths::listLines_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("name");
    QTest::newRow("drive path stays as written") << u"D:\\动画\\a.swf"_qs << u"D:\\动画\\a.swf"_qs << u"a.swf"_qs;
    QTest::newRow("relative, backslashes") << u"动画\\c.swf"_qs << u"/lists/动画/c.swf"_qs << u"c.swf"_qs;
    QTest::newRow("relative, mixed, with fields") << u"动画/子\\d.swf|00:01|00:00:01"_qs << u"/lists/动画/子/d.swf"_qs << u"d.swf"_qs;
}

void TestWindowsPaths::listLines()
{
    QFETCH(QString, line);
    QFETCH(QString, path);
    QFETCH(QString, name);
    const QList<ListFileLine> lines = ParseListFile(line.toUtf8(), QStringLiteral("/lists"));
    QCOMPARE(lines.value(0).path, path);
    PlaylistModel model;
    QCOMPARE(model.AddFileToList(lines[0].path, false, false), 1);
    QCOMPARE(model.FileName(1), name);
}

QTEST_GUILESS_MAIN(TestWindowsPaths)
#include "tst_windowspaths.moc"
