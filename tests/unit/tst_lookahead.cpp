#include "playback/lookahead.h"
#include "tools/swfgen/swfwriter.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>

// The next movie prepared ahead is handed out only while the list and the file still say it is the
// one to play: never stale bytes.
class TestLookahead : public QObject {
    Q_OBJECT
private slots:
    void handsOutOnlyTheFileAsItIs_data();
    void handsOutOnlyTheFileAsItIs();
};

static bool writeMovie(const QString& path, int frames)
{
    swfgen::MovieSpec movie;
    movie.frameCount = frames;
    movie.compression = swfgen::Compression::Zlib;
    return swfgen::WriteMovieFile(path, movie);
}

void TestLookahead::handsOutOnlyTheFileAsItIs_data()
{
    QTest::addColumn<QString>("change"); // what happens between preparing and advancing
    QTest::addColumn<int>("expectedFrames"); // frames of what is handed out; 0 when nothing is
    QTest::newRow("unchanged") << u"none"_qs << 10;
    QTest::newRow("edited") << u"edit"_qs << 0;
    QTest::newRow("renamed away") << u"rename"_qs << 0;
    QTest::newRow("same-size file renamed over it") << u"replace"_qs << 0;
    QTest::newRow("list changed") << u"drop"_qs << 0;
    QTest::newRow("another row asked for") << u"other"_qs << 0;
}

void TestLookahead::handsOutOnlyTheFileAsItIs()
{
    QFETCH(QString, change);
    QFETCH(int, expectedFrames);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"next.swf"_qs), other = dir.filePath(u"other.swf"_qs);
    QVERIFY(writeMovie(path, 10));
    Lookahead lookahead;
    lookahead.prepare(path);
    QThreadPool::globalInstance()->waitForDone();
    if (change == u"edit")
        QVERIFY(writeMovie(path, 30));
    if (change == u"rename")
        QVERIFY(QFile::rename(path, other));
    if (change == u"replace") {
        QTest::qWait(20);
        QVERIFY(writeMovie(other, 10) && std::rename(qPrintable(other), qPrintable(path)) == 0);
    }
    if (change == u"drop")
        lookahead.drop();
    const QString asked = change == u"other" ? other : path;
    const std::optional<PreparedMovie> movie = lookahead.take(asked);
    QCOMPARE(movie ? movie->showFrames : 0, expectedFrames);
    QVERIFY2(!movie || (movie->fws.startsWith("FWS") && !lookahead.take(asked)), "not FWS, or handed out twice");
}

QTEST_GUILESS_MAIN(TestLookahead)
#include "tst_lookahead.moc"
