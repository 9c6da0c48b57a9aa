#include "core/inifile.h"
#include "core/settings.h"
#include "core/soundlevel.h"
#include "core/translation.h"
#include "tests/support/testdir.h"
#include "tests/support/texttablerow.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

class TestSettings : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
private slots:
    // The [Options] section, then every field: LoopTimeOut FastFrames AutoPlay SaveList NotAllowNetworking
    // NotAllowScript ListFileIndex ListFontSize ListFontColor Bold Italic Name. Font fields start as 11, Bold, Noto.
    void load_data()
    {
        QTest::addColumn<QByteArray>("options");
        QTest::addColumn<QString>("fields");
        QTest::newRow("no file: defaults") << QByteArray("-") << "1 20 0 0 0 0 0 11 10849876 1 0 Noto";
        QTest::newRow("empty values: the same")
            << QByteArray("FastFrames=\nLoopTimeOut=\nListFontName=\nListFontSize=\n"
                          "ListFontColor=\nListFontBold=False")
            << "1 20 0 0 0 0 0 11 10849876 1 0 Noto";
        QTest::newRow("flags only as True, numbers half to even, words as 0") << QByteArray(
            "FastFrames=12.5\nLoopTimeOut=0.25\nAutoPlay=True\nSaveList=TRUE\nNotAllowNetworking=True\n"
            "NotAllowScript=1\nListFileIndex=17\nListFontSize=13.5\nListFontColor=abc\nListFontItalic=True\n"
            "ListFontBold=True\nListFontName=Sans") << "0.2 12 1 0 1 0 17 14 0 1 1 Sans";
    }
    void load()
    {
        QFETCH(QByteArray, options);
        QFETCH(QString, fields);
        const QString ini = m_dir.filePath(u"Quenbarrowick.ini"_qs);
        QFile::remove(ini);
        QVERIFY(options == "-" || WriteAll(ini, "[Options]\n" + options + "\n"));
        Settings s;
        s.ListFontName = u"Noto"_qs;
        s.ListFontSize = 11;
        s.ListFontBold = !options.contains("Bold=True"); // clear where the file sets it, so that it is seen
        LoadSettings(s, ini);
        const QString got = QString::asprintf("%g %d %d %d %d %d %d %d %d %d %d ", double(s.LoopTimeOut), s.FastFrames,
            s.AutoPlay, s.SaveList, s.NotAllowNetworking, s.NotAllowScript, s.ListFileIndex, s.ListFontSize,
            s.ListFontColor, s.ListFontBold, s.ListFontItalic);
        QCOMPARE(got + s.ListFontName, fields);
    }

    // The [Player] section: read, then a step down and a step up from it, then written back and read again.
    void soundLevel_data()
    {
        TextTable(uR"(
no section, 100 and not muted: - => 100 0 95 100
as written: Volume=70|Muted=True => 70 1 65 75
0 is a level, steps stop at 0: Volume=0|Muted=False => 0 0 0 5
out of range: Volume=101|Muted=yes => 100 0 95 100
words: Volume=loud|Muted=True => 100 1 95 100)"_qs);
    }
    void soundLevel()
    {
        auto [player, expected] = TextRow();
        const QString ini = m_dir.filePath(u"sound.ini"_qs);
        QFile::remove(ini);
        const QByteArray section = player == u"-" ? QByteArray() : "[Player]\n" + player.replace(u'|', u'\n').toUtf8();
        QVERIFY(WriteAll(ini, "[Options]\nFastFrames=7\n" + section));
        const SoundLevel level = ReadSoundLevel(ini);
        const int down = level.Stepped(-1).volume, up = level.Stepped(1).volume;
        QCOMPARE(QString::asprintf("%d %d %d %d", level.volume, int(level.muted), down, up), expected);
        WriteSoundLevel(ini, level);
        QCOMPARE(ReadSoundLevel(ini), level);
    }

    // A writable folder of its own: portable use. A missing one: the configuration folder, where a relative
    // XDG_CONFIG_HOME is invalid and ignored.
    void dataFolder()
    {
        QCOMPARE(DataFolderFor(m_dir.path() + u'/'), m_dir.path());
        qputenv("XDG_CONFIG_HOME", "relative/path");
        QCOMPARE(DataFolderFor(m_dir.filePath(u"missing"_qs)), QDir::homePath() + u"/.config/Quenbarrowick"_qs);
    }

    void language_data()
    {
        // "NAME=value ... as the environment holds them => the interface's language"
        TextTable(uR"(
nothing set: TERM=xterm => zh
LANG English: LANG=en_US.UTF-8 => en
LANGUAGE before LANG: LANGUAGE=en:zh LANG=zh_CN.UTF-8 => en
LC_ALL before LANG: LC_ALL=zh_CN.UTF-8 LANG=en_GB.UTF-8 => zh
an empty one is passed over: LANGUAGE= LC_ALL=en_US.UTF-8 => en
)"_qs);
    }
    void language()
    {
        const auto [given, expected] = TextRow();
        QProcessEnvironment environment(QProcessEnvironment::InheritFromParent);
        environment.clear();
        for (const QString& pair : given.split(u' ', Qt::SkipEmptyParts))
            environment.insert(pair.section(u'=', 0, 0), pair.section(u'=', 1));
        QCOMPARE(WantsEnglish(environment) ? u"en"_qs : u"zh"_qs, expected);
        QCOMPARE(InstallInterfaceTranslation(environment), expected == u"en");
        // The carried translation is the one in use: a caption of the main window comes out in English.
        QCOMPARE(QCoreApplication::translate("frmMain", "关闭"), expected == u"en" ? u"Close"_qs : u"关闭"_qs);
        for (QTranslator* translator : QCoreApplication::instance()->findChildren<QTranslator*>())
            QCoreApplication::removeTranslator(translator), delete translator;
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
