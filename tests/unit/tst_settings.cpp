#include "core/settings.h"
#include "tests/support/testdir.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

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
        const QString ini = m_dir.filePath(u"Quenbarrowick.ini"_s);
        QFile::remove(ini);
        QVERIFY(options == "-" || WriteAll(ini, "[Options]\n" + options + "\n"));
        Settings s;
        s.ListFontName = u"Noto"_s;
        s.ListFontSize = 11;
        s.ListFontBold = !options.contains("Bold=True"); // clear where the file sets it, so that it is seen
        LoadSettings(s, ini);
        const QList<int> got { s.FastFrames, s.AutoPlay, s.SaveList, s.NotAllowNetworking, s.NotAllowScript,
            s.ListFileIndex, s.ListFontSize, s.ListFontColor, s.ListFontBold, s.ListFontItalic };
        QStringList text { QString::number(s.LoopTimeOut) };
        for (int value : got)
            text.append(QString::number(value));
        QCOMPARE(text.join(u' ') + u' ' + s.ListFontName, fields);
        QCOMPARE(QFile::exists(ini), options != "-"); // loading writes nothing
    }

    void textAndFolders()
    {
        QCOMPARE(ShortestFloatText(RoundLoopTimeOut(u"2.46"_s)) + u' ' + ShortestFloatText(100.0f), u"2.5 100"_s);
        // A writable folder of its own: portable use. A system or missing one: the configuration folder.
        QCOMPARE(DataFolderFor(m_dir.path() + u'/'), m_dir.path());
        qputenv("XDG_CONFIG_HOME", m_dir.filePath(u"config"_s).toUtf8());
        QCOMPARE(DataFolderFor(u"/usr/bin"_s), m_dir.filePath(u"config/Quenbarrowick"_s));
        QCOMPARE(DataFolderFor(m_dir.filePath(u"missing"_s)), m_dir.filePath(u"config/Quenbarrowick"_s));
        qputenv("XDG_CONFIG_HOME", "relative/path"); // invalid, ignored
        QCOMPARE(DataFolderFor(u"/opt"_s), QDir::homePath() + u"/.config/Quenbarrowick"_s);
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
