#include "playback/lookahead.h"
#include "tools/swfgen/swfwriter.h"

#include <QDir>
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

namespace {

QByteArray movieOfColour(unsigned rgb, int frames)
{
    swfgen::MovieSpec movie;
    movie.shapeColor = rgb;
    movie.frameCount = frames;
    movie.compression = swfgen::Compression::Zlib;
    return swfgen::WriteMovie(movie);
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

void TestLookahead::handsOutOnlyTheFileAsItIs_data()
{
    QTest::addColumn<QString>("change"); // what happens between preparing and advancing
    QTest::addColumn<int>("expectedFrames"); // frames of what is handed out; 0 when nothing is
    QTest::newRow("unchanged") << u"none"_qs << 10;
    QTest::newRow("edited, other size") << u"edit"_qs << 0;
    QTest::newRow("deleted") << u"delete"_qs << 0;
    QTest::newRow("renamed away") << u"rename"_qs << 0;
    QTest::newRow("another file renamed over it") << u"replace"_qs << 0;
    QTest::newRow("list changed") << u"drop"_qs << 0;
    QTest::newRow("another row asked for") << u"other"_qs << 0;
    QTest::newRow("no movie at all") << u"garbage"_qs << 0;
    QTest::newRow("larger than the memory to spare") << u"huge"_qs << 0;
}

void TestLookahead::handsOutOnlyTheFileAsItIs()
{
    QFETCH(QString, change);
    QFETCH(int, expectedFrames);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("next.swf"));
    QByteArray bytes = movieOfColour(0x112233, 10);
    if (change == u"garbage")
        bytes = "not a movie at all";
    if (change == u"huge") // a header that promises far more than the memory a preparation may take
        bytes.replace(4, 4, QByteArray("\xff\xff\xff\x7f", 4));
    QVERIFY(writeFile(path, bytes));

    Lookahead lookahead;
    lookahead.prepare(path);
    QThreadPool::globalInstance()->waitForDone();
    QString asked = path;
    if (change == u"edit") {
        QVERIFY(writeFile(path, movieOfColour(0x445566, 30)));
    } else if (change == u"delete") {
        QVERIFY(QFile::remove(path));
    } else if (change == u"rename") {
        QVERIFY(QFile::rename(path, dir.filePath(QStringLiteral("moved.swf"))));
    } else if (change == u"replace") {
        const QString other = dir.filePath(QStringLiteral("other.swf"));
        QVERIFY(writeFile(other, movieOfColour(0x112233, 10))); // same size, other file
        QTest::qWait(20);
        QVERIFY(std::rename(qPrintable(other), qPrintable(path)) == 0);
    } else if (change == u"drop") {
        lookahead.drop();
    } else if (change == u"other") {
        asked = dir.filePath(QStringLiteral("other.swf"));
    }
    const std::optional<PreparedMovie> movie = lookahead.take(asked);
    QCOMPARE(movie ? movie->showFrames : 0, expectedFrames);
    if (movie) {
        QVERIFY(movie->fws.startsWith("FWS"));
        QVERIFY2(!lookahead.take(asked), "handed out twice");
    }
}

QTEST_GUILESS_MAIN(TestLookahead)
#include "tst_lookahead.moc"
