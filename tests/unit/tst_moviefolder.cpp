#include "playback/moviefolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The engine reaches the disk only through this: a movie's own folder and below, nothing else.
class TestMovieFolder : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void servesOnlyInsideTheFolder_data();
    void servesOnlyInsideTheFolder();

private:
    QTemporaryDir m_root;
    QString m_movies;
};

void TestMovieFolder::initTestCase()
{
    QVERIFY(m_root.isValid());
    QDir root(m_root.path());
    QVERIFY(root.mkpath(QStringLiteral("movies/sub/deeper")));
    QVERIFY(root.mkpath(QStringLiteral("other")));
    m_movies = root.filePath(QStringLiteral("movies"));
    for (const char* name : { "movies/a.swf", "movies/sound.mp3", "movies/sub/b.jpg", "movies/sub/deeper/c.txt",
             "other/secret.txt", "movies/with space.txt" }) {
        QFile f(root.filePath(QLatin1String(name)));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("x");
    }
    QVERIFY(QFile::link(
        root.filePath(QStringLiteral("other/secret.txt")), root.filePath(QStringLiteral("movies/link.txt"))));
    QVERIFY(QFile::link(root.filePath(QStringLiteral("other")), root.filePath(QStringLiteral("movies/outdir"))));
    QVERIFY(QFile::link(
        root.filePath(QStringLiteral("movies/sub/b.jpg")), root.filePath(QStringLiteral("movies/inlink.jpg"))));
}

void TestMovieFolder::servesOnlyInsideTheFolder_data()
{
    QTest::addColumn<QString>("request");
    QTest::addColumn<QString>("served"); // relative to the movie folder; empty when refused
    QTest::newRow("sibling") << u"sound.mp3"_qs << u"sound.mp3"_qs;
    QTest::newRow("subfolder") << u"sub/b.jpg"_qs << u"sub/b.jpg"_qs;
    QTest::newRow("deeper") << u"sub/deeper/c.txt"_qs << u"sub/deeper/c.txt"_qs;
    QTest::newRow("Windows separators") << u"sub\\b.jpg"_qs << u"sub/b.jpg"_qs;
    QTest::newRow("dot step") << u"./sub/./b.jpg"_qs << u"sub/b.jpg"_qs;
    QTest::newRow("space in name") << u"with space.txt"_qs << u"with space.txt"_qs;
    QTest::newRow("link inside the folder") << u"inlink.jpg"_qs << u"sub/b.jpg"_qs;
    QTest::newRow("parent") << u"../other/secret.txt"_qs << QString();
    QTest::newRow("parent hidden in the middle") << u"sub/../../other/secret.txt"_qs << QString();
    QTest::newRow("parent that stays inside") << u"sub/../a.swf"_qs << QString();
    QTest::newRow("Windows parent") << u"..\\other\\secret.txt"_qs << QString();
    QTest::newRow("absolute") << u"/etc/passwd"_qs << QString();
    QTest::newRow("drive letter") << u"C:/windows/win.ini"_qs << QString();
    QTest::newRow("link to a file outside") << u"link.txt"_qs << QString();
    QTest::newRow("link to a folder outside") << u"outdir/secret.txt"_qs << QString();
    QTest::newRow("folder itself") << u"sub"_qs << QString();
    QTest::newRow("missing") << u"nothing.swf"_qs << QString();
    QTest::newRow("empty") << QString() << QString();
}

void TestMovieFolder::servesOnlyInsideTheFolder()
{
    QFETCH(QString, request);
    QFETCH(QString, served);
    const QString got = MovieFolderFile(m_movies, request);
    if (served.isEmpty())
        QCOMPARE(got, QString());
    else
        QCOMPARE(got, QFileInfo(QDir(m_movies).filePath(served)).canonicalFilePath());
}

QTEST_GUILESS_MAIN(TestMovieFolder)
#include "tst_moviefolder.moc"
