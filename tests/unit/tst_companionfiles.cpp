#include "app/companionfiles.h"
#include "core/interfacefont.h"
#include "core/settings.h"
#include "tests/support/testdir.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>

// Runs with a font configuration that lists no fonts at all, so that the clock font is missing
// until the program registers its own copy (see main below).
class TestCompanionFiles : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void releaseWritesExactlyTheCarriedBytes_data();
    void releaseWritesExactlyTheCarriedBytes();
    void releaseReplacesALongerFile();
    void releaseOfMissingResourceReports();
    void releaseToUnwritablePlaceReports();
    void tempFolderHasNoTrailingSeparator_data();
    void tempFolderHasNoTrailingSeparator();
    void readmeIsWrittenAndOpened();
    void readmeOpensEvenAfterFailedWrite();
    void missingTempFolderFallsBackToTmp();
    void readmeDescribesTheProgram();
    void startupStepsRegisterTheFontAndLoadSettings();
    void fontNamesIgnoreCase_data();
    void fontNamesIgnoreCase();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QByteArray m_oldTmp;
};

void TestCompanionFiles::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_oldTmp = qgetenv("TMPDIR");
}

void TestCompanionFiles::cleanup()
{
    qputenv("TMPDIR", m_oldTmp);
}

void TestCompanionFiles::releaseWritesExactlyTheCarriedBytes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("type");
    QTest::newRow("readme as named") << "README"
                                     << "TXT";
    QTest::newRow("readme in lower case") << "readme"
                                          << "txt";
    QTest::newRow("font in mixed case") << "Dseg7Classic.ttf"
                                        << "Font";
}

void TestCompanionFiles::releaseWritesExactlyTheCarriedBytes()
{
    QFETCH(QString, name);
    QFETCH(QString, type);
    const QByteArray carried = CompanionResource(name, type);
    QVERIFY(carried.size() > 1000);
    const QString target = m_dir->filePath(QStringLiteral("out"));
    int reports = 0;
    ReleaseResFile(name, type, target, [&](const ReleaseError&) { ++reports; });
    QCOMPARE(reports, 0);
    QCOMPARE(ReadAll(target), carried);
}

void TestCompanionFiles::releaseReplacesALongerFile()
{
    const QString target = m_dir->filePath(QStringLiteral("Readme.txt"));
    const QByteArray carried = CompanionResource(u"README", u"TXT");
    QVERIFY(WriteAll(target, QByteArray(carried.size() * 2, 'x')));
    ReleaseResFile(u"README", u"TXT", target, {});
    QCOMPARE(ReadAll(target), carried);
}

void TestCompanionFiles::releaseOfMissingResourceReports()
{
    const QString target = m_dir->filePath(QStringLiteral("nothing"));
    QList<ReleaseError> reports;
    ReleaseResFile(u"FLASH9", u"OCX", target, [&](const ReleaseError& e) { reports.append(e); });
    QCOMPARE(reports.size(), 1);
    QCOMPARE(reports[0].number, ENOENT);
    QVERIFY(reports[0].description.contains(QStringLiteral("FLASH9")));
    QVERIFY(!QFile::exists(target));
}

void TestCompanionFiles::releaseToUnwritablePlaceReports()
{
    const QString target = m_dir->filePath(QStringLiteral("no such folder/Readme.txt"));
    QList<ReleaseError> reports;
    ReleaseResFile(u"README", u"TXT", target, [&](const ReleaseError& e) { reports.append(e); });
    QCOMPARE(reports.size(), 1);
    QVERIFY(reports[0].number != 0);
    QVERIFY(!reports[0].description.isEmpty());
    QCOMPARE(reports[0].text(), QString::number(reports[0].number) + u'\n' + reports[0].description);
    QVERIFY(!QFile::exists(target));
}

void TestCompanionFiles::tempFolderHasNoTrailingSeparator_data()
{
    QTest::addColumn<QString>("tmpdir");
    QTest::newRow("plain") << "plain";
    QTest::newRow("trailing separator") << "trailing/";
    QTest::newRow("spaces in the name") << "with spaces/";
}

void TestCompanionFiles::tempFolderHasNoTrailingSeparator()
{
    QFETCH(QString, tmpdir);
    const QString folder = m_dir->filePath(tmpdir);
    QVERIFY(QDir().mkpath(folder));
    qputenv("TMPDIR", folder.toUtf8());
    QCOMPARE(GetTempFolder(), QDir::cleanPath(folder));
    QVERIFY(!GetTempFolder().endsWith(u'/'));
}

void TestCompanionFiles::readmeIsWrittenAndOpened()
{
    const QString folder = m_dir->filePath(QStringLiteral("temp folder with spaces"));
    QVERIFY(QDir().mkpath(folder));
    qputenv("TMPDIR", folder.toUtf8());
    QStringList opened;
    int reports = 0;
    const bool shown = ShowReadme(
        [&](const QString& path) {
        opened.append(path);
        return true;
        },
        [&](const ReleaseError&) { ++reports; });
    QVERIFY(shown);
    QCOMPARE(reports, 0);
    const QString path = folder + QStringLiteral("/Readme.txt");
    QCOMPARE(opened, QStringList { path });
    QCOMPARE(ReadAll(path), CompanionResource(u"README", u"TXT"));
}

void TestCompanionFiles::readmeOpensEvenAfterFailedWrite()
{
    // A folder where the file should be: the write fails whoever runs the test.
    QVERIFY(QDir().mkpath(m_dir->filePath(QStringLiteral("Readme.txt/inside"))));
    qputenv("TMPDIR", m_dir->path().toUtf8());
    QStringList opened;
    QList<ReleaseError> reports;
    const bool shown = ShowReadme(
        [&](const QString& path) {
        opened.append(path);
        return false;
        },
        [&](const ReleaseError& e) { reports.append(e); });
    QVERIFY(!shown);
    QCOMPARE(reports.size(), 1);
    QCOMPARE(opened.size(), 1);
    QCOMPARE(opened[0], m_dir->filePath(QStringLiteral("Readme.txt")));
}

void TestCompanionFiles::missingTempFolderFallsBackToTmp()
{
    qputenv("TMPDIR", m_dir->filePath(QStringLiteral("missing")).toUtf8());
    QCOMPARE(GetTempFolder(), QStringLiteral("/tmp"));
}

// The readme is our own text; it must at least name what a newcomer looks for.
void TestCompanionFiles::readmeDescribesTheProgram()
{
    const QString text = QString::fromUtf8(CompanionResource(u"README", u"TXT"));
    QVERIFY(!text.contains(QChar::ReplacementCharacter));
    for (const char* needle : { "Quenbarrowick", "播放列表", "F2", "PageDown", "Ctrl+Enter", "Quenbarrowick.ini",
             "PlayList.m3u", ".config/Quenbarrowick", "循环帧超时" })
        QVERIFY2(text.contains(QString::fromUtf8(needle)), needle);
}

void TestCompanionFiles::startupStepsRegisterTheFontAndLoadSettings()
{
    const QString ini = m_dir->filePath(QStringLiteral("Quenbarrowick.ini"));
    QVERIFY(WriteAll(ini, "[Options]\nFastFrames=7\n"));
    QVERIFY(!FontInstalled(ClockFontFamily.toString()));
    Settings settings;
    RunStartupSteps(settings, ini);
    QCOMPARE(settings.IniFile, ini);
    QCOMPARE(settings.FastFrames, 7);
    QVERIFY(FontInstalled(ClockFontFamily.toString()));
    QVERIFY(QFontDatabase::families().contains(ClockFontFamily.toString()));
    // Registered per process: nothing but the settings file is in the program's folder.
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList { QStringLiteral("Quenbarrowick.ini") });
}

void TestCompanionFiles::fontNamesIgnoreCase_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("installed");
    QTest::newRow("as registered") << "DSEG7 Classic" << true;
    QTest::newRow("lower case") << "dseg7 classic" << true;
    QTest::newRow("upper case") << "DSEG7 CLASSIC" << true;
    QTest::newRow("prefix only") << "DSEG7" << false;
    QTest::newRow("longer name") << "DSEG7 Classic Mini" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("design font of the clock") << "DS-Digital" << false;
}

void TestCompanionFiles::fontNamesIgnoreCase()
{
    QFETCH(QString, name);
    QFETCH(bool, installed);
    InstallDigitalFont();
    QCOMPARE(FontInstalled(name), installed);
}

int main(int argc, char* argv[])
{
    // A font configuration with one empty font folder: the system's fonts stay out of sight.
    QTemporaryDir fonts;
    const QString config = fonts.filePath(QStringLiteral("fonts.conf"));
    QDir().mkpath(fonts.filePath(QStringLiteral("none")));
    WriteAll(config,
        QStringLiteral("<?xml version=\"1.0\"?>\n<fontconfig><dir>%1</dir><cachedir>%2</cachedir></fontconfig>\n")
            .arg(fonts.filePath(QStringLiteral("none")), fonts.filePath(QStringLiteral("cache")))
            .toUtf8());
    qputenv("FONTCONFIG_FILE", config.toUtf8());
    QGuiApplication app(argc, argv);
    TestCompanionFiles test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_companionfiles.moc"
