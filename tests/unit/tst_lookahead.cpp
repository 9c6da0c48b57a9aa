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
    // Between preparing and advancing: nothing happens, the file is edited, renamed away, a same-size file is
    // renamed over it, the list changes, or another row is asked for. Only the unchanged file is handed out.
    void handsOutOnlyTheFileAsItIs()
    {
        for (const QString change : { u"none"_qs, u"edit"_qs, u"rename"_qs, u"replace"_qs, u"drop"_qs, u"other"_qs }) {
            QTemporaryDir dir;
            const QString path = dir.filePath(u"next.swf"_qs), other = dir.filePath(u"other.swf"_qs);
            QVERIFY(swfgen::WriteMovieFile(path, { .compression = swfgen::Compression::Zlib, .frameCount = 10 }));
            Lookahead lookahead;
            lookahead.prepare(path);
            QThreadPool::globalInstance()->waitForDone();
            if (change == u"edit")
                QVERIFY(swfgen::WriteMovieFile(path, { .frameCount = 30 }));
            if (change == u"rename")
                QVERIFY(QFile::rename(path, other));
            if (change == u"replace") {
                QTest::qWait(20);
                QVERIFY(swfgen::WriteMovieFile(other, { .compression = swfgen::Compression::Zlib, .frameCount = 10 })
                    && std::rename(qPrintable(other), qPrintable(path)) == 0);
            }
            if (change == u"drop")
                lookahead.drop();
            const QString asked = change == u"other" ? other : path;
            const std::optional<PreparedMovie> movie = lookahead.take(asked);
            QCOMPARE(change + QString::number(movie ? movie->showFrames : 0),
                change + QString::number(change == u"none" ? 10 : 0));
            QVERIFY2(
                !movie || (movie->fws.startsWith("FWS") && !lookahead.take(asked)), "not FWS, or handed out twice");
        }
    }
};

QTEST_GUILESS_MAIN(TestLookahead)
#include "tst_lookahead.moc"
