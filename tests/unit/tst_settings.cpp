#include "core/inifile.h"
#include "core/settings.h"
#include "tests/support/testdir.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

class TestSettings : public QObject {
    Q_OBJECT
private slots:
    void init();
    void missingFileGivesDefaults();
    void readRules_data();
    void readRules();
    void loadingWritesNothing();
    void fontFieldsKeepStartValuesWhenEmpty();
    void writeSettingGoesToOptions();
    void shortestFloatText_data();
    void shortestFloatText();
    void dataFolder();

private:
    QString iniPath() const { return m_dir->filePath(QStringLiteral("Quenbarrowick.ini")); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestSettings::init() { m_dir = std::make_unique<QTemporaryDir>(); }

void TestSettings::missingFileGivesDefaults()
{
    Settings s;
    LoadSettings(s, iniPath());
    QCOMPARE(s.IniFile, iniPath());
    QCOMPARE(s.FastFrames, 20);
    QCOMPARE(s.LoopTimeOut, 1.0f);
    QCOMPARE(s.ListFontColor, 10849876);
    QCOMPARE(s.ListFileIndex, 0);
    QCOMPARE(s.ListFontSize, 0);
    QCOMPARE(s.ListFontName, QString());
    QVERIFY(!s.AutoPlay && !s.SaveList && !s.NotAllowNetworking && !s.NotAllowScript);
    QVERIFY(!s.ListFontBold && !s.ListFontItalic);
}

// Each row: one key's text in the file and what the field reads as.
void TestSettings::readRules_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QVariant>("expected");
    QTest::newRow("FastFrames 12.5 ties down") << "FastFrames" << "12.5" << QVariant(12);
    QTest::newRow("FastFrames 13.5 ties up") << "FastFrames" << "13.5" << QVariant(14);
    QTest::newRow("FastFrames abc reads 0") << "FastFrames" << "abc" << QVariant(0);
    QTest::newRow("FastFrames with a word") << "FastFrames" << "30 frames" << QVariant(30);
    QTest::newRow("FastFrames as typed") << "FastFrames" << "0030" << QVariant(30);
    QTest::newRow("FastFrames beyond 32 bits") << "FastFrames" << "5000000000" << QVariant(2147483647);
    QTest::newRow("LoopTimeOut 2.46") << "LoopTimeOut" << "2.46" << QVariant(2.5f);
    QTest::newRow("LoopTimeOut 0.25 ties to even") << "LoopTimeOut" << "0.25" << QVariant(0.2f);
    QTest::newRow("LoopTimeOut not a number") << "LoopTimeOut" << "soon" << QVariant(0.0f);
    QTest::newRow("AutoPlay True") << "AutoPlay" << "True" << QVariant(true);
    QTest::newRow("AutoPlay TRUE is false") << "AutoPlay" << "TRUE" << QVariant(false);
    QTest::newRow("AutoPlay true is false") << "AutoPlay" << "true" << QVariant(false);
    QTest::newRow("SaveList True") << "SaveList" << "True" << QVariant(true);
    QTest::newRow("NotAllowNetworking True") << "NotAllowNetworking" << "True" << QVariant(true);
    QTest::newRow("NotAllowScript 1 is false") << "NotAllowScript" << "1" << QVariant(false);
    QTest::newRow("ListFileIndex") << "ListFileIndex" << "17" << QVariant(17);
    QTest::newRow("ListFontSize 10.5 ties to even") << "ListFontSize" << "10.5" << QVariant(10);
    QTest::newRow("ListFontColor abc reads 0") << "ListFontColor" << "abc" << QVariant(0);
    QTest::newRow("ListFontColor") << "ListFontColor" << "65280" << QVariant(65280);
    QTest::newRow("ListFontBold True") << "ListFontBold" << "True" << QVariant(true);
    QTest::newRow("ListFontItalic False") << "ListFontItalic" << "False" << QVariant(false);
    QTest::newRow("ListFontName 300 characters")
        << "ListFontName" << QString(300, u'n') << QVariant(QString(254, u'n'));
}

void TestSettings::readRules()
{
    QFETCH(QString, key);
    QFETCH(QString, text);
    QFETCH(QVariant, expected);
    QVERIFY(WriteAll(iniPath(), "[Options]\n" + key.toUtf8() + '=' + text.toUtf8() + '\n'));
    Settings s;
    LoadSettings(s, iniPath());
    const QMap<QString, QVariant> fields {
        { QStringLiteral("FastFrames"), s.FastFrames },
        { QStringLiteral("LoopTimeOut"), s.LoopTimeOut },
        { QStringLiteral("AutoPlay"), s.AutoPlay },
        { QStringLiteral("SaveList"), s.SaveList },
        { QStringLiteral("NotAllowNetworking"), s.NotAllowNetworking },
        { QStringLiteral("NotAllowScript"), s.NotAllowScript },
        { QStringLiteral("ListFileIndex"), s.ListFileIndex },
        { QStringLiteral("ListFontSize"), s.ListFontSize },
        { QStringLiteral("ListFontColor"), s.ListFontColor },
        { QStringLiteral("ListFontBold"), s.ListFontBold },
        { QStringLiteral("ListFontItalic"), s.ListFontItalic },
        { QStringLiteral("ListFontName"), s.ListFontName },
    };
    QVERIFY(fields.contains(key));
    QCOMPARE(fields.value(key), expected);
}

void TestSettings::loadingWritesNothing()
{
    Settings s;
    LoadSettings(s, iniPath());
    QVERIFY(!QFile::exists(iniPath()));
    QVERIFY(QDir(m_dir->path()).isEmpty());
}

void TestSettings::fontFieldsKeepStartValuesWhenEmpty()
{
    QVERIFY(WriteAll(iniPath(), "[Options]\nListFontName=\nListFontSize=\nListFontBold=False\n"));
    Settings s;
    s.ListFontName = QStringLiteral("Noto Sans");
    s.ListFontSize = 11;
    s.ListFontBold = true;
    LoadSettings(s, iniPath());
    QCOMPARE(s.ListFontName, QStringLiteral("Noto Sans"));
    QCOMPARE(s.ListFontSize, 11);
    QVERIFY(s.ListFontBold); // only "True" changes the field
}

void TestSettings::writeSettingGoesToOptions()
{
    Settings s;
    LoadSettings(s, iniPath());
    WriteSetting(s, SettingsKeys::FastFrames, QStringLiteral("0030"));
    WriteSetting(s, SettingsKeys::LoopTimeOut, ShortestFloatText(RoundLoopTimeOut(QStringLiteral("2.46"))));
    QCOMPARE(ReadAll(iniPath()), QByteArray("[Options]\nFastFrames=0030\nLoopTimeOut=2.5\n"));
    Settings reread;
    LoadSettings(reread, iniPath());
    QCOMPARE(reread.FastFrames, 30);
    QCOMPARE(reread.LoopTimeOut, 2.5f);
}

void TestSettings::shortestFloatText_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole") << 1.0f << "1";
    QTest::newRow("half") << 2.5f << "2.5";
    QTest::newRow("not exact in binary") << 0.2f << "0.2";
    QTest::newRow("zero") << 0.0f << "0";
    QTest::newRow("hundred") << 100.0f << "100";
}

void TestSettings::shortestFloatText()
{
    QFETCH(float, value);
    QFETCH(QString, text);
    QCOMPARE(ShortestFloatText(value), text);
}

void TestSettings::dataFolder()
{
    // A writable folder of its own: portable use, files beside the executable.
    QCOMPARE(DataFolderFor(m_dir->path()), QDir::cleanPath(m_dir->path()));

    // A system folder or a missing one: the user's configuration folder.
    qputenv("XDG_CONFIG_HOME", m_dir->filePath(QStringLiteral("config")).toUtf8());
    const QString expected = m_dir->filePath(QStringLiteral("config/Quenbarrowick"));
    QCOMPARE(DataFolderFor(QStringLiteral("/usr/bin")), expected);
    QCOMPARE(DataFolderFor(m_dir->filePath(QStringLiteral("missing"))), expected);

    // A relative XDG_CONFIG_HOME is invalid and ignored.
    qputenv("XDG_CONFIG_HOME", "relative/path");
    QCOMPARE(DataFolderFor(QStringLiteral("/usr/bin")), QDir::homePath() + QStringLiteral("/.config/Quenbarrowick"));
    qunsetenv("XDG_CONFIG_HOME");
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
