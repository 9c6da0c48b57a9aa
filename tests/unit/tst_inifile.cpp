#include "core/inifile.h"
#include "core/textfile.h"
#include "tests/support/testdir.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/resource.h>

class TestIniFile : public QObject {
    Q_OBJECT
private slots:
    void init();
    void readsValues_data();
    void readsValues();
    void writeKeepsOtherLines();
    void writeCreatesFileAndSection();
    void writeAddsKeyAtEndOfSection();
    void writeReplacesKeyMatchedWithoutCase();
    void writeKeepsLineEnds();
    void valuesAreCutTo254Characters();
    void readsLegacyGb18030AndUtf8Bom();
    void valueWithLineBreakStaysOneLine();
    void failedWriteLeavesFileIntact();
    void unreadableFileIsNotReplaced();

private:
    QString path() const { return m_dir->filePath(QStringLiteral("Quenbarrowick.ini")); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestIniFile::init() { m_dir = std::make_unique<QTemporaryDir>(); }

void TestIniFile::readsValues_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");
    const QByteArray basic = "[Options]\r\nFastFrames=30\r\nAutoPlay=True\r\n";
    QTest::newRow("plain") << basic << "Options" << "FastFrames" << "30";
    QTest::newRow("section without case") << basic << "OPTIONS" << "FastFrames" << "30";
    QTest::newRow("key without case") << basic << "Options" << "fastframes" << "30";
    QTest::newRow("missing key") << basic << "Options" << "LoopTimeOut" << "";
    QTest::newRow("missing section") << basic << "Other" << "FastFrames" << "";
    QTest::newRow("empty value") << QByteArray("[Options]\nFastFrames=\n") << "Options" << "FastFrames" << "";
    QTest::newRow("spaces around key and value")
        << QByteArray("[Options]\n  FastFrames =  12  \n") << "Options" << "FastFrames" << "12";
    QTest::newRow("quoted value") << QByteArray("[Options]\nListFontName=\"Noto Sans\"\n") << "Options"
                                  << "ListFontName" << "Noto Sans";
    QTest::newRow("key of another section is not seen")
        << QByteArray("[A]\nx=1\n[Options]\ny=2\n") << "Options" << "x" << "";
    QTest::newRow("first of duplicate keys") << QByteArray("[Options]\nx=1\nx=2\n") << "Options" << "x" << "1";
    QTest::newRow("comment line is not a key") << QByteArray("[Options]\n;x=1\n") << "Options" << "x" << "";
    QTest::newRow("LF only") << QByteArray("[Options]\nx=1") << "Options" << "x" << "1";
    QTest::newRow("value with equals sign") << QByteArray("[Options]\nx=a=b\n") << "Options" << "x" << "a=b";
}

void TestIniFile::readsValues()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    QVERIFY(WriteAll(path(), file));
    QCOMPARE(ReadIni(path(), section, key, 255), expected);
}

void TestIniFile::writeKeepsOtherLines()
{
    const QByteArray before = "; hand-written note\n[Other]\nkeep=me\n\n[Options]\nFastFrames=20\nAutoPlay=True\n\n"
                              "[Last]\nz=9\n";
    QVERIFY(WriteAll(path(), before));
    QVERIFY(WriteIni(path(), QStringLiteral("options"), QStringLiteral("FASTFRAMES"), QStringLiteral("0030")));
    QCOMPARE(ReadAll(path()),
        QByteArray("; hand-written note\n[Other]\nkeep=me\n\n[Options]\nFASTFRAMES=0030\nAutoPlay=True\n\n"
                   "[Last]\nz=9\n"));
}

void TestIniFile::writeCreatesFileAndSection()
{
    const QString nested = m_dir->filePath(QStringLiteral("sub/dir/Quenbarrowick.ini"));
    QVERIFY(WriteIni(nested, QStringLiteral("Options"), QStringLiteral("AutoPlay"), QStringLiteral("True")));
    QCOMPARE(ReadAll(nested), QByteArray("[Options]\nAutoPlay=True\n"));

    QVERIFY(WriteAll(path(), "[Other]\nx=1\n"));
    QVERIFY(WriteIni(path(), QStringLiteral("Options"), QStringLiteral("SaveList"), QStringLiteral("False")));
    QCOMPARE(ReadAll(path()), QByteArray("[Other]\nx=1\n\n[Options]\nSaveList=False\n"));
}

void TestIniFile::writeAddsKeyAtEndOfSection()
{
    QVERIFY(WriteAll(path(), "[Options]\na=1\n\n[Next]\nb=2\n"));
    QVERIFY(WriteIni(path(), QStringLiteral("Options"), QStringLiteral("c"), QStringLiteral("3")));
    QCOMPARE(ReadAll(path()), QByteArray("[Options]\na=1\nc=3\n\n[Next]\nb=2\n"));
    // A file without a final line end gains one rather than gluing two keys together.
    QVERIFY(WriteAll(path(), "[Options]\na=1"));
    QVERIFY(WriteIni(path(), QStringLiteral("Options"), QStringLiteral("b"), QStringLiteral("2")));
    QCOMPARE(ReadAll(path()), QByteArray("[Options]\na=1\nb=2\n"));
}

void TestIniFile::writeReplacesKeyMatchedWithoutCase()
{
    QVERIFY(WriteAll(path(), "[OPTIONS]\nautoplay=False\n"));
    QVERIFY(WriteIni(path(), QStringLiteral("Options"), QStringLiteral("AutoPlay"), QStringLiteral("True")));
    QCOMPARE(ReadAll(path()), QByteArray("[OPTIONS]\nAutoPlay=True\n"));
}

void TestIniFile::writeKeepsLineEnds()
{
    QVERIFY(WriteAll(path(), "[Options]\r\na=1\r\n"));
    QVERIFY(WriteIni(path(), QStringLiteral("Options"), QStringLiteral("b"), QStringLiteral("2")));
    QCOMPARE(ReadAll(path()), QByteArray("[Options]\r\na=1\r\nb=2\r\n"));
}

void TestIniFile::valuesAreCutTo254Characters()
{
    const QString longName(300, u'字');
    QVERIFY(WriteIni(path(), QStringLiteral("Options"), QStringLiteral("ListFontName"), longName));
    QCOMPARE(ReadIni(path(), QStringLiteral("Options"), QStringLiteral("ListFontName"), 255), longName.left(254));
    // A character outside the BMP is never cut in half.
    const QString emoji = QString(253, u'a') + QString::fromUtf8("\xF0\x9F\x8E\xAC");
    QVERIFY(WriteIni(path(), QStringLiteral("Options"), QStringLiteral("x"), emoji));
    QCOMPARE(ReadIni(path(), QStringLiteral("Options"), QStringLiteral("x"), 255), QString(253, u'a'));
}

void TestIniFile::readsLegacyGb18030AndUtf8Bom()
{
    const QString name = QStringLiteral("微软雅黑");
    QStringEncoder gbk("GB18030");
    QVERIFY(gbk.isValid());
    QVERIFY(WriteAll(path(), "[Options]\r\nListFontName=" + QByteArray(gbk.encode(name)) + "\r\n"));
    QCOMPARE(ReadIni(path(), QStringLiteral("Options"), QStringLiteral("ListFontName"), 255), name);

    QVERIFY(WriteAll(path(), "\xEF\xBB\xBF[Options]\nListFontName=" + name.toUtf8() + "\n"));
    QCOMPARE(ReadIni(path(), QStringLiteral("Options"), QStringLiteral("ListFontName"), 255), name);

    // Writing converts the whole legacy file to UTF-8, keeping its other values.
    QVERIFY(WriteAll(path(), "[Options]\r\nListFontName=" + QByteArray(gbk.encode(name)) + "\r\n"));
    QVERIFY(WriteIni(path(), QStringLiteral("Options"), QStringLiteral("AutoPlay"), QStringLiteral("True")));
    QCOMPARE(ReadAll(path()), "[Options]\r\nListFontName=" + name.toUtf8() + "\r\nAutoPlay=True\r\n");
}

void TestIniFile::valueWithLineBreakStaysOneLine()
{
    QVERIFY(WriteIni(path(), QStringLiteral("Options"), QStringLiteral("x"), QStringLiteral("a\n[Evil]\r\ny=1")));
    QCOMPARE(ReadIni(path(), QStringLiteral("Evil"), QStringLiteral("y"), 255), QString());
    QCOMPARE(ReadIni(path(), QStringLiteral("Options"), QStringLiteral("x"), 255), QStringLiteral("a [Evil]  y=1"));
}

void TestIniFile::failedWriteLeavesFileIntact()
{
    // A full disk, simulated with a file-size limit (which binds root too): the write fails and
    // the old file stays whole.
    QVERIFY(WriteAll(path(), "[Options]\nFastFrames=20\n"));
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    struct sigaction previousAction {};
    sigaction(SIGXFSZ, &ignore, &previousAction);
    rlimit previous {};
    getrlimit(RLIMIT_FSIZE, &previous);
    rlimit small = previous;
    small.rlim_cur = 1024;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written
        = WriteIni(path(), QStringLiteral("Options"), QStringLiteral("ListFontName"), QString(4000, u'x'));
    setrlimit(RLIMIT_FSIZE, &previous);
    sigaction(SIGXFSZ, &previousAction, nullptr);
    QVERIFY(!written);
    QCOMPARE(ReadAll(path()), QByteArray("[Options]\nFastFrames=20\n"));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList { QStringLiteral("Quenbarrowick.ini") });
}

void TestIniFile::unreadableFileIsNotReplaced()
{
    // A folder standing where the file should be cannot be read nor replaced: the write fails and
    // nothing is lost.
    QVERIFY(QDir().mkpath(path()));
    QVERIFY(QFile::exists(path()));
    QVERIFY(!WriteIni(path(), QStringLiteral("Options"), QStringLiteral("FastFrames"), QStringLiteral("30")));
    QVERIFY(QFileInfo(path()).isDir());
}

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
