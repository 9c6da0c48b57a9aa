#include "playback/moviefolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The engine reaches the disk only through this: a movie's own folder and below, nothing else.
class TestMovieFolder : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QDir root(m_root.path());
        QVERIFY(root.mkpath(QStringLiteral("movies/sub")) && root.mkpath(QStringLiteral("other")));
        QVERIFY(root.mkpath(QStringLiteral("movies/Parts/Deep")));
        for (const char* name : { "movies/a.swf", "movies/sub/b.jpg", "other/secret.txt",
                 "movies/Parts/Deep/Intro.SWF", "movies/Parts/x.txt", "movies/Parts/X.txt" }) {
            QFile f(root.filePath(QLatin1String(name)));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        QVERIFY(QFile::link(
            root.filePath(QStringLiteral("other/secret.txt")), root.filePath(QStringLiteral("movies/link.txt"))));
        QVERIFY(QFile::link(
            root.filePath(QStringLiteral("movies/sub/b.jpg")), root.filePath(QStringLiteral("movies/in.jpg"))));
    }
    void servesOnlyInsideTheFolder_data()
    {
        QTest::addColumn<QString>("request");
        QTest::addColumn<QString>("served"); // relative to the movie folder; empty when refused
        QTest::newRow("Windows separators and dot steps") << u".\\sub/./b.jpg"_qs << u"sub/b.jpg"_qs;
        QTest::newRow("link inside the folder") << u"in.jpg"_qs << u"sub/b.jpg"_qs;
        QTest::newRow("parent that stays inside") << u"sub/../a.swf"_qs << QString();
        QTest::newRow("absolute, even when the folder has the file") << u"/a.swf"_qs << QString();
        QTest::newRow("link to a file outside") << u"link.txt"_qs << QString();
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("other letter case, every step") << u"parts/DEEP/intro.swf"_qs << u"Parts/Deep/Intro.SWF"_qs;
        QTest::newRow("exact case wins over another") << u"Parts/x.txt"_qs << u"Parts/x.txt"_qs;
        QTest::newRow("other case of a link out") << u"LINK.TXT"_qs << QString();
    }
    void servesOnlyInsideTheFolder()
    {
        QFETCH(QString, request);
        QFETCH(QString, served);
        const QString movies = m_root.filePath(QStringLiteral("movies"));
        const QString expected = served.isEmpty() ? QString() : QFileInfo(movies + u'/' + served).canonicalFilePath();
        QCOMPARE(MovieFolderFile(movies, request), expected);
    }

private:
    QTemporaryDir m_root;
};

QTEST_GUILESS_MAIN(TestMovieFolder)
#include "tst_moviefolder.moc"
