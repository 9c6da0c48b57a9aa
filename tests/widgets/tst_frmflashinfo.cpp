#include "swf/frmflashinfo.h"

#include "swf/fileinfo.h"
#include "swf/formatting.h"
#include "tests/support/testdir.h"
#include "tools/swfgen/swfwriter.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

// The file information window: its boxes filled from the file, refreshed on demand, and the path box
// that reveals the file.
class TestFrmFlashInfo : public QObject {
    Q_OBJECT
private slots:
    void boxesRefreshAndReveal()
    {
        QTemporaryDir dir;
        const QString movie = dir.filePath(u"movie.swf"_qs);
        QStringList revealed;
        int warnings = 0;
        const frmFlashInfo::Services services { [&](const QString& path) { return revealed.append(path), true; },
            [&](QWidget*) { ++warnings; } };
        const auto box = [](frmFlashInfo& w, int i) { return w.findChild<QLineEdit*>(u"txtInfo%1"_qs.arg(i)); };
        const auto texts = [&](frmFlashInfo& w) {
            QStringList all;
            for (int i = 0; i < FileInfoBoxCount; ++i)
                all.append(box(w, i)->text());
            return all.join(u'|');
        };
        swfgen::MovieSpec movieSpec { .compression = swfgen::Compression::Zlib, .frameCount = 240 };
        QVERIFY(swfgen::WriteMovieFile(movie, movieSpec));
        frmFlashInfo window(movie, nullptr, services);
        movieSpec.compression = swfgen::Compression::None; // the original size is the uncompressed movie's
        QCOMPARE(texts(window),
            u"%1|movie.swf|CWS|8|%2|%3|550x400|24帧/秒|240帧|10秒|Zlib压缩格式的Flash"_qs.arg(
                movie, FormatFileSize(QFileInfo(movie).size()), FormatFileSize(swfgen::WriteMovie(movieSpec).size())));
        // Refresh reads the file again: a file that is no movie warns.
        QVERIFY(WriteAll(movie, "hello world")); // signature "hel", version byte 'l'
        QTest::mouseClick(window.findChild<QPushButton*>(u"cmdRefresh"_qs), Qt::LeftButton);
        QCOMPARE(warnings, 1);
        QCOMPARE(
            texts(window).section(u'|', 1), u"movie.swf|hel|108|11Byte|0Byte|0x0|0帧/秒|0帧||不是Flash文件格式"_qs);
        frmFlashInfo empty(QString(), nullptr, services);
        for (frmFlashInfo* w : { &window, &empty }) {
            w->show();
            QVERIFY(QTest::qWaitForWindowExposed(w));
            QTest::mouseClick(box(*w, 1), Qt::LeftButton);
            QTest::mouseClick(box(*w, 0), Qt::LeftButton); // no path, nothing to show
        }
        QCOMPARE(revealed, QStringList { movie });
        QTest::mouseClick(window.findChild<QPushButton*>(u"cmdReturn"_qs), Qt::LeftButton);
        QVERIFY(!window.isVisible());
    }
};

QTEST_MAIN(TestFrmFlashInfo)
#include "tst_frmflashinfo.moc"
