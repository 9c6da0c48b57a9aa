#include "playback/moviefolder.h"
#include "tests/support/filetree.h"
#include "tests/support/texttablerow.h"

#include <QTemporaryDir>
#include <QTest>

// The engine reaches the disk only through this: a movie's own folder and below, nothing else.
class TestMovieFolder : public QObject {
    Q_OBJECT
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
};

QTEST_GUILESS_MAIN(TestMovieFolder)
#include "tst_moviefolder.moc"
