#include "app/optionseditor.h"
#include "core/settings.h"
#include "tests/support/fakeflashcontrol.h"
#include "tests/support/testdir.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestOptionsEditor : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    Settings loaded() const
    {
        Settings s;
        LoadSettings(s, m_dir.filePath(u"Quenbarrowick.ini"_s));
        return s;
    }
private slots:
    // "typed|frames shown|time-out shown": frames take any number, the time-out 0 to 100; bad text
    // shows the fallback (20, 3).
    void check_data()
    {
        QTest::addColumn<QString>("row");
        QTest::newRow("empty") << "|20|3";
        QTest::newRow("150: frames only") << "150|150|3";
        QTest::newRow("upper bound") << "100|100|100";
        QTest::newRow("lower bound") << "0|0|0";
        QTest::newRow("tiny negative") << "-1e-9|-1e-9|3";
        QTest::newRow("overflowing exponent") << "1e400|1e400|3";
        QTest::newRow("spaces around, point at the end") << " 12. | 12. | 12. ";
        QTest::newRow("point at the start, signed exponent") << ".5E+1|.5E+1|.5E+1";
        QTest::newRow("exponent with d") << "1d2|1d2|1d2";
        QTest::newRow("exponent without digits") << "1e|20|3";
        QTest::newRow("other letter between digits") << "1x2|20|3";
        QTest::newRow("point only") << ".|20|3";
        QTest::newRow("word after the number") << "5 s|20|3";
        QTest::newRow("full-width digits") << "３０|20|3";
    }
    void check()
    {
        QFETCH(QString, row);
        const QStringList shown = row.split(u'|');
        OptionsEditor editor { Settings() };
        QCOMPARE(editor.setFastFramesText(shown.at(0)) + u'|' + editor.setLoopTimeOutText(shown.at(0)),
            shown.at(1) + u'|' + shown.at(2));
        QCOMPARE(editor.entries().fastFramesText + u'|' + editor.entries().loopTimeOutText,
            shown.at(1) + u'|' + shown.at(2));
    }

    void opensWithWhatIsSavedAndWritesOnOk()
    {
        QCOMPARE(OptionsEditor(loaded()).entries().loopTimeOutText, u"1.0"_s);
        QVERIFY(WriteAll(
            m_dir.filePath(u"Quenbarrowick.ini"_s), "[Options]\nFastFrames=45\nAutoPlay=True\nLoopTimeOut=250\n"));
        Settings s = loaded();
        OptionsEditor editor(s);
        QCOMPARE(editor.entries().fastFramesText, u"45"_s);
        QCOMPARE(editor.entries().loopTimeOutText, u"3"_s); // a hand-edited value out of range opens as the fallback
        QVERIFY(editor.entries().autoPlay && !editor.entries().saveList && !editor.entries().notAllowScript);
        QVERIFY(WriteAll(m_dir.filePath(u"Quenbarrowick.ini"_s), ""));
        FakeFlashControl flash;
        editor.setFastFramesText(u"0030"_s);
        editor.setSaveList(true);
        editor.setAutoPlay(false);
        editor.setNotAllowNetworking(true);
        editor.setLoopTimeOutText(u"0.25"_s);
        editor.apply(s, &flash);
        QCOMPARE(s.FastFrames, 30);
        QCOMPARE(s.LoopTimeOut, 0.2f);
        QVERIFY(s.SaveList && !s.AutoPlay && s.NotAllowNetworking && !s.NotAllowScript);
        QCOMPARE(flash.AllowNetworking() + flash.AllowScriptAccess(), u"nonealways"_s);
        // Frames as typed; the keys of a new file in the order first written.
        QCOMPARE(ReadAll(m_dir.filePath(u"Quenbarrowick.ini"_s)),
            QByteArray(
                "[Options]\nFastFrames=0030\nSaveList=True\nAutoPlay=False\nNotAllowNetworking=True\nNotAllowScript="
                "False\nLoopTimeOut=0.2\n"));
    }
};

QTEST_GUILESS_MAIN(TestOptionsEditor)
#include "tst_optionseditor.moc"
