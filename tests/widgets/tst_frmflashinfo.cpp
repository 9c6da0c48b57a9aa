#include "swf/fileinfo.h"
#include "swf/formatting.h"
#include "core/twips.h"
#include "swf/frmflashinfo.h"
#include "tools/swfgen/swfwriter.h"
#include "tests/support/testdir.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRawFont>
#include <QSignalSpy>
#include <QTemporaryDir>
#include "core/twips.h"

#include <QTest>

class TestFrmFlashInfo : public QObject {
    Q_OBJECT
private slots:
    void init();
    void labelsAndLayout();
    void captionsRenderInTheirFonts();
    void elevenTexts_data();
    void elevenTexts();
    void refreshRereadsTheFile();
    void refreshWarnsAgainForANonFlashFile();
    void pathBoxCannotBeEdited();
    void otherBoxesKeepEditsUntilRefresh();
    void clickOnPathRevealsTheFile();
    void returnClosesAndWindowIsTranslucent();
    void pointerMovesAreReported();

private:
    frmFlashInfo::Services recordingServices()
    {
        return { [this](const QString& path) {
                    m_revealed.append(path);
                    return true;
                },
            [this](QWidget*) { ++m_warnings; } };
    }
    static QStringList boxTexts(frmFlashInfo& window)
    {
        QStringList texts;
        for (int i = 0; i < FileInfoBoxCount; ++i)
            texts.append(box(window, i)->text());
        return texts;
    }
    static QLineEdit* box(frmFlashInfo& window, int i)
    {
        return window.findChild<QLineEdit*>(QStringLiteral("txtInfo%1").arg(i));
    }
    QString path(const QString& name) const { return m_dir->filePath(name); }

    std::unique_ptr<QTemporaryDir> m_dir;
    QStringList m_revealed;
    int m_warnings = 0;
};

void TestFrmFlashInfo::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_revealed.clear();
    m_warnings = 0;
}

void TestFrmFlashInfo::labelsAndLayout()
{
    frmFlashInfo window(QString(), nullptr, recordingServices());
    QCOMPARE(window.windowTitle(), QStringLiteral("文件属性"));
    const QStringList expected = { QStringLiteral("路径"), QStringLiteral("文件名"), QStringLiteral("格式"),
        QStringLiteral("Flash版本"), QStringLiteral("文件大小"), QStringLiteral("原始大小"), QStringLiteral("分辨率"),
        QStringLiteral("速度"), QStringLiteral("帧数"), QStringLiteral("时长"), QStringLiteral("备注") };
    for (int i = 0; i < FileInfoBoxCount; ++i) {
        auto* label = window.findChild<QLabel*>(QStringLiteral("lblInfo%1").arg(i));
        QVERIFY(label);
        QCOMPARE(label->text(), expected[i]);
        QVERIFY(label->alignment() & Qt::AlignRight);
        QCOMPARE(label->geometry().x() + label->geometry().width(), 56); // ends at 840 twips
        // Box i at left 900, top 120 + 378 i, 5100 by 300 twips (edges to the nearest pixel).
        QCOMPARE(box(window, i)->geometry(), TwipsRect(900, 120 + 378 * i, 5100, 300));
        QCOMPARE(label->geometry().y(), box(window, i)->geometry().y());
    }
    auto* refresh = window.findChild<QPushButton*>(QStringLiteral("cmdRefresh"));
    auto* back = window.findChild<QPushButton*>(QStringLiteral("cmdReturn"));
    QVERIFY(refresh && back);
    QCOMPARE(refresh->text(), QStringLiteral("刷新"));
    QCOMPARE(back->text(), QStringLiteral("返回"));
    QCOMPARE(refresh->geometry(), QRect(80, 292, 101, 32));
    QCOMPARE(back->geometry(), QRect(236, 292, 101, 32));
}

void TestFrmFlashInfo::captionsRenderInTheirFonts()
{
    const QString movie = path(QStringLiteral("电影.swf"));
    QVERIFY(swfgen::WriteMovieFile(movie, {}));
    frmFlashInfo window(movie, nullptr, recordingServices());
    QStringList texts = { window.windowTitle() };
    for (QLabel* label : window.findChildren<QLabel*>())
        texts.append(label->text());
    for (QPushButton* button : window.findChildren<QPushButton*>())
        texts.append(button->text());
    texts += boxTexts(window);
    const QRawFont raw = QRawFont::fromFont(window.font());
    for (const QString& text : std::as_const(texts)) {
        for (QChar c : text)
            QVERIFY2(raw.supportsCharacter(c), qPrintable(text));
    }
}

void TestFrmFlashInfo::elevenTexts_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("expected"); // boxes 1 to 10; "%size" stands for the file's size
    QTest::addColumn<int>("warnings");
    const QString size = QStringLiteral("%size");
    swfgen::MovieSpec movieSpec;
    movieSpec.frameCount = 240;
    const QString fwsLength = FormatFileSize(swfgen::WriteMovie(movieSpec).size());
    QTest::newRow("FWS") << "fws"
                         << QStringList { QStringLiteral("movie.swf"), QStringLiteral("FWS"), QStringLiteral("8"), size,
                                fwsLength, QStringLiteral("550x400"), QStringLiteral("24帧/秒"),
                                QStringLiteral("240帧"), QStringLiteral("10秒"), QStringLiteral("未压缩的Flash格式") }
                         << 0;
    QTest::newRow("CWS") << "cws"
                         << QStringList { QStringLiteral("movie.swf"), QStringLiteral("CWS"), QStringLiteral("8"), size,
                                fwsLength, QStringLiteral("550x400"), QStringLiteral("24帧/秒"),
                                QStringLiteral("240帧"), QStringLiteral("10秒"), QStringLiteral("Zlib压缩格式的Flash") }
                         << 0;
    QTest::newRow("ZWS") << "zws"
                         << QStringList { QStringLiteral("movie.swf"), QStringLiteral("ZWS"), QStringLiteral("8"), size,
                                fwsLength, QStringLiteral("550x400"), QStringLiteral("24帧/秒"),
                                QStringLiteral("240帧"), QStringLiteral("10秒"), QStringLiteral("LZMA压缩格式的Flash") }
                         << 0;
    // "hello world": signature "hel", version byte 'l' (108), no uncompressed size.
    QTest::newRow("not a SWF") << "text"
                               << QStringList { QStringLiteral("movie.swf"), QStringLiteral("hel"),
                                      QStringLiteral("108"), QStringLiteral("11Byte"), QStringLiteral("0Byte"),
                                      QStringLiteral("0x0"), QStringLiteral("0帧/秒"), QStringLiteral("0帧"), QString(),
                                      QStringLiteral("不是Flash文件格式") }
                               << 1;
    QTest::newRow("missing file") << "missing"
                                  << QStringList { QString(), QString(), QStringLiteral("0"), QStringLiteral("0Byte"),
                                         QStringLiteral("0Byte"), QStringLiteral("0x0"), QStringLiteral("0帧/秒"),
                                         QStringLiteral("0帧"), QString(), QString() }
                                  << 0;
}

void TestFrmFlashInfo::elevenTexts()
{
    QFETCH(QString, kind);
    QFETCH(QStringList, expected);
    QFETCH(int, warnings);
    const QString movie = path(QStringLiteral("movie.swf"));
    swfgen::MovieSpec movieSpec;
    movieSpec.frameCount = 240;
    if (kind == u"cws")
        movieSpec.compression = swfgen::Compression::Zlib;
    if (kind == u"zws")
        movieSpec.compression = swfgen::Compression::Lzma;
    if (kind == u"text")
        QVERIFY(WriteAll(movie, "hello world"));
    else if (kind != u"missing")
        QVERIFY(swfgen::WriteMovieFile(movie, movieSpec));

    frmFlashInfo window(movie, nullptr, recordingServices());
    QCOMPARE(m_warnings, warnings);
    expected.replaceInStrings(QStringLiteral("%size"), FormatFileSize(QFileInfo(movie).size()));
    expected.prepend(movie);
    QCOMPARE(boxTexts(window), expected);
    if (kind == u"cws") {
        swfgen::MovieSpec uncompressed = movieSpec;
        uncompressed.compression = swfgen::Compression::None;
        QVERIFY(QFileInfo(movie).size() < swfgen::WriteMovie(uncompressed).size()); // box 5 is the larger one
    }
}

void TestFrmFlashInfo::refreshRereadsTheFile()
{
    const QString movie = path(QStringLiteral("changing.swf"));
    QVERIFY(swfgen::WriteMovieFile(movie, {}));
    frmFlashInfo window(movie, nullptr, recordingServices());
    QCOMPARE(box(window, 6)->text(), QStringLiteral("550x400"));

    swfgen::MovieSpec bigger;
    bigger.width = 800;
    bigger.height = 600;
    bigger.frameRate = 12.5;
    bigger.frameCount = 25;
    bigger.compression = swfgen::Compression::Zlib;
    QVERIFY(swfgen::WriteMovieFile(movie, bigger));
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("cmdRefresh")), Qt::LeftButton);
    QCOMPARE(box(window, 2)->text(), QStringLiteral("CWS"));
    QCOMPARE(box(window, 6)->text(), QStringLiteral("800x600"));
    QCOMPARE(box(window, 7)->text(), QStringLiteral("12.5帧/秒"));
    QCOMPARE(box(window, 8)->text(), QStringLiteral("25帧"));
    QCOMPARE(box(window, 9)->text(), QStringLiteral("2秒"));
    QCOMPARE(box(window, 10)->text(), QStringLiteral("Zlib压缩格式的Flash"));

    // Gone from disk: a fresh record, so nothing of the last reading stays.
    QVERIFY(QFile::remove(movie));
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("cmdRefresh")), Qt::LeftButton);
    QCOMPARE(box(window, 0)->text(), movie);
    QCOMPARE(box(window, 2)->text(), QString());
    QCOMPARE(box(window, 6)->text(), QStringLiteral("0x0"));
    QCOMPARE(box(window, 10)->text(), QString());
    QCOMPARE(m_warnings, 0);
}

void TestFrmFlashInfo::refreshWarnsAgainForANonFlashFile()
{
    const QString file = path(QStringLiteral("notes.swf"));
    QVERIFY(WriteAll(file, "just some text"));
    frmFlashInfo window(file, nullptr, recordingServices());
    QCOMPARE(m_warnings, 1);
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("cmdRefresh")), Qt::LeftButton);
    QCOMPARE(m_warnings, 2);
}

void TestFrmFlashInfo::pathBoxCannotBeEdited()
{
    const QString movie = path(QStringLiteral("movie.swf"));
    QVERIFY(swfgen::WriteMovieFile(movie, {}));
    frmFlashInfo window(movie, nullptr, recordingServices());
    QLineEdit* pathBox = box(window, 0);
    QVERIFY(pathBox->isReadOnly());
    QTest::keyClicks(pathBox, QStringLiteral("abc"));
    QCOMPARE(pathBox->text(), movie);
    pathBox->setText(QStringLiteral("/elsewhere.swf"));
    QCOMPARE(pathBox->text(), movie);
    QCOMPARE(window.infoPath(), movie);
}

void TestFrmFlashInfo::otherBoxesKeepEditsUntilRefresh()
{
    const QString movie = path(QStringLiteral("movie.swf"));
    QVERIFY(swfgen::WriteMovieFile(movie, {}));
    frmFlashInfo window(movie, nullptr, recordingServices());
    box(window, 6)->setText(QStringLiteral("edited"));
    QCOMPARE(box(window, 6)->text(), QStringLiteral("edited"));
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("cmdRefresh")), Qt::LeftButton);
    QCOMPARE(box(window, 6)->text(), QStringLiteral("550x400"));
}

void TestFrmFlashInfo::clickOnPathRevealsTheFile()
{
    const QString movie = path(QStringLiteral("movie.swf"));
    QVERIFY(swfgen::WriteMovieFile(movie, {}));
    frmFlashInfo window(movie, nullptr, recordingServices());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::mouseClick(box(window, 1), Qt::LeftButton);
    QVERIFY(m_revealed.isEmpty());
    QTest::mouseClick(box(window, 0), Qt::LeftButton);
    QCOMPARE(m_revealed, QStringList { movie });

    // No path, nothing to show.
    frmFlashInfo empty(QString(), nullptr, recordingServices());
    empty.show();
    QVERIFY(QTest::qWaitForWindowExposed(&empty));
    QTest::mouseClick(box(empty, 0), Qt::LeftButton);
    QCOMPARE(m_revealed.size(), 1);
}

void TestFrmFlashInfo::returnClosesAndWindowIsTranslucent()
{
    frmFlashInfo window(path(QStringLiteral("none.swf")), nullptr, recordingServices());
    QCOMPARE(qRound(window.windowOpacity() * 255), 220);
    QVERIFY(window.isModal());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("cmdReturn")), Qt::LeftButton);
    QVERIFY(!window.isVisible());
}

void TestFrmFlashInfo::pointerMovesAreReported()
{
    frmFlashInfo window(QString(), nullptr, recordingServices());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QSignalSpy moved(&window, &frmFlashInfo::pointerMoved);
    QTest::mouseMove(box(window, 4), QPoint(10, 5));
    QTRY_VERIFY_WITH_TIMEOUT(moved.count() >= 1, 2000);
}

QTEST_MAIN(TestFrmFlashInfo)
#include "tst_frmflashinfo.moc"
