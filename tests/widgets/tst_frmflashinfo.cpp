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

// The file information window: its eleven boxes filled from the file, refreshed on demand, and
// the path box that reveals the file.
class TestFrmFlashInfo : public QObject {
    Q_OBJECT
private slots:
    void init();
    void boxes_data();
    void boxes();
    void clickOnPathRevealsTheFile();

private:
    frmFlashInfo::Services services()
    {
        return { [this](const QString& path) { return m_revealed.append(path), true; },
            [this](QWidget*) { ++m_warnings; } };
    }
    static QLineEdit* box(frmFlashInfo& window, int i)
    {
        return window.findChild<QLineEdit*>(QStringLiteral("txtInfo%1").arg(i));
    }
    static QString texts(frmFlashInfo& window)
    {
        QStringList all;
        for (int i = 1; i < FileInfoBoxCount; ++i)
            all.append(box(window, i)->text());
        return all.join(u'|');
    }
    static void refresh(frmFlashInfo& window)
    {
        QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("cmdRefresh")), Qt::LeftButton);
    }
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_movie;
    QStringList m_revealed;
    int m_warnings = 0;
};

void TestFrmFlashInfo::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_movie = m_dir->filePath(QStringLiteral("movie.swf"));
    m_revealed.clear();
    m_warnings = 0;
}

void TestFrmFlashInfo::boxes_data()
{
    QTest::addColumn<QByteArray>("content"); // empty: a CWS movie of 240 frames; "-": no file
    QTest::addColumn<QString>("expected"); // boxes 1 to 10; "%size" stands for the file's size
    QTest::addColumn<int>("warnings");
    QTest::newRow("CWS") << QByteArray() << "movie.swf|CWS|8|%size|*|550x400|24帧/秒|240帧|10秒|Zlib压缩格式的Flash"
                         << 0;
    // Signature "hel", version byte 'l' (108), no uncompressed size.
    QTest::newRow("not a SWF") << QByteArray("hello world")
                               << "movie.swf|hel|108|11Byte|0Byte|0x0|0帧/秒|0帧||不是Flash文件格式" << 1;
    QTest::newRow("missing file") << QByteArray("-") << "||0|0Byte|0Byte|0x0|0帧/秒|0帧||" << 0;
}

void TestFrmFlashInfo::boxes()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, expected);
    QFETCH(int, warnings);
    swfgen::MovieSpec spec;
    spec.frameCount = 240;
    spec.compression = swfgen::Compression::Zlib;
    if (content.isEmpty())
        QVERIFY(swfgen::WriteMovieFile(m_movie, spec));
    else if (content != "-")
        QVERIFY(WriteAll(m_movie, content));
    frmFlashInfo window(m_movie, nullptr, services());
    QCOMPARE(m_warnings, warnings);
    QCOMPARE(box(window, 0)->text(), m_movie);
    expected.replace(QStringLiteral("%size"), FormatFileSize(QFileInfo(m_movie).size()));
    spec.compression = swfgen::Compression::None; // the original size is the uncompressed movie's
    expected.replace(u'*', FormatFileSize(swfgen::WriteMovie(spec).size()));
    QCOMPARE(texts(window), expected);
    // Refresh reads the file again (a file that is no movie warns again); gone, nothing stays.
    refresh(window);
    QCOMPARE(m_warnings, 2 * warnings);
    QFile::remove(m_movie);
    QVERIFY(swfgen::WriteMovieFile(m_movie, spec));
    refresh(window);
    QCOMPARE(texts(window).section(u'|', 1, 1), QStringLiteral("FWS"));
    QFile::remove(m_movie);
    refresh(window);
    QCOMPARE(box(window, 0)->text(), m_movie);
    QCOMPARE(texts(window).section(u'|', 1), QStringLiteral("|0|0Byte|0Byte|0x0|0帧/秒|0帧||"));
}

void TestFrmFlashInfo::clickOnPathRevealsTheFile()
{
    QVERIFY(swfgen::WriteMovieFile(m_movie, {}));
    frmFlashInfo window(m_movie, nullptr, services());
    frmFlashInfo empty(QString(), nullptr, services());
    for (frmFlashInfo* w : { &window, &empty }) {
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QTest::mouseClick(box(*w, 1), Qt::LeftButton);
        QTest::mouseClick(box(*w, 0), Qt::LeftButton); // no path, nothing to show
    }
    QCOMPARE(m_revealed, QStringList { m_movie });
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("cmdReturn")), Qt::LeftButton);
    QVERIFY(!window.isVisible());
}

QTEST_MAIN(TestFrmFlashInfo)
#include "tst_frmflashinfo.moc"
