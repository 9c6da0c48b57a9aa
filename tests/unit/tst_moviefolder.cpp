#include "playback/moviefolder.h"
#include "playback/moviesaves.h"
#include "tests/support/filesizelimit.h"
#include "tests/support/filetree.h"
#include "tests/support/testdir.h"
#include "tests/support/texttablerow.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTest>

// The engine reaches the disk only through this: a movie's own folder and below, nothing else.
class TestMovieFolder : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    const QString m_movie = u"/m/a.swf"_qs;
    const QVariantMap m_one { { u"a"_qs, u"1"_qs } };
    QTemporaryDir m_root;
private slots:
    void initTestCase()
    {
        QVERIFY(MakeTree(m_root.path(),
            u"movies/a.swf movies/sub/b.jpg other/secret.txt movies/Parts/Deep/Intro.SWF movies/Parts/x.txt "
            "movies/Parts/X.txt movies/link.txt->../other/secret.txt movies/in.jpg->sub/b.jpg"_qs));
    }
    // "request => served", relative to the movie folder; "-" when refused.
    void servesOnlyInsideTheFolder_data()
    {
        TextTable(uR"(
Windows separators and dot steps: .\sub/./b.jpg => sub/b.jpg
link inside the folder: in.jpg => sub/b.jpg
parent that stays inside: sub/../a.swf => -
absolute, even when the folder has the file: /a.swf => -
link to a file outside: link.txt => -
empty: - => -
other letter case, every step: parts/DEEP/intro.swf => Parts/Deep/Intro.SWF
exact case wins over another: Parts/x.txt => Parts/x.txt
other case of a link out: LINK.TXT => -
)"_qs);
    }
    void servesOnlyInsideTheFolder()
    {
        const auto [request, served] = TextRow();
        const QString movies = m_root.filePath(u"movies"_qs);
        const QString expected = served == u"-" ? QString() : QFileInfo(movies + u'/' + served).canonicalFilePath();
        QCOMPARE(MovieFolderFile(movies, request == u"-" ? QString() : request), expected);
    }

    // Save data kept per movie path: what is read back after an earlier save, a new one, and what a fault did.
    void keptOrDropped_data()
    {
        const QString big(MovieSaves::MaxChars / 2, u'x');
        const QByteArray other(R"({"movie":"/m/b.swf","entries":{"a":"1"}})");
        QTest::addColumn<QVariantMap>("stored");
        QTest::addColumn<int>("diskLimit"); // bytes a file may have while stored; 0: no limit
        QTest::addColumn<QByteArray>("fileAfter"); // replaces the file once stored; empty: left as written
        QTest::addColumn<QVariantMap>("loaded");
        QTest::newRow("read back, over the cap and not text")
            << QVariantMap { { u"a"_qs, big }, { u"b"_qs, big }, { u"c"_qs, u"1"_qs }, { u"d"_qs, 5 } } << 0
            << QByteArray() << QVariantMap { { u"a"_qs, big }, { u"c"_qs, u"1"_qs } };
        QTest::newRow("full disk") << QVariantMap { { u"a"_qs, QString(5000, u'y') } } << 1000 << QByteArray() << m_one;
        QTest::newRow("corrupt") << m_one << 0 << other.left(25) << QVariantMap();
        QTest::newRow("another movie's file") << m_one << 0 << other << QVariantMap();
        QTest::newRow("huge") << m_one << 0 << QByteArray(other).replace('b', 'a').leftJustified(7 << 20)
                              << QVariantMap();
    }
    void keptOrDropped()
    {
        QFETCH(QVariantMap, stored);
        QFETCH(int, diskLimit);
        QFETCH(QByteArray, fileAfter);
        QFETCH(QVariantMap, loaded);
        const MovieSaves saves(m_dir.filePath(QString::fromLatin1(QTest::currentDataTag())));
        QVERIFY(saves.store(m_movie, m_one));
        {
            const FileSizeLimit limit(diskLimit > 0 ? rlim_t(diskLimit) : RLIM_INFINITY);
            QCOMPARE(saves.store(m_movie, stored), diskLimit == 0);
        }
        QVERIFY(fileAfter.isEmpty() || WriteAll(saves.fileFor(m_movie), fileAfter));
        QCOMPARE(saves.load(m_movie), loaded);
        QVERIFY(!MovieSaves(QCoreApplication::applicationFilePath()).store(m_movie, m_one)); // no folder there
    }
};

QTEST_GUILESS_MAIN(TestMovieFolder)
#include "tst_moviefolder.moc"
