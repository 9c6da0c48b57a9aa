#include "app/optionseditor.h"
#include "core/settings.h"
#include "tests/support/fakeflashcontrol.h"

#include <QTemporaryDir>
#include <QTest>

class TestOptionsEditor : public QObject {
    Q_OBJECT
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
        QTest::newRow("spaces around, point at the end") << " 12. | 12. | 12. ";
        QTest::newRow("point at the start, signed exponent") << ".5E+1|.5E+1|.5E+1";
        QTest::newRow("exponent with d") << "1d2|1d2|1d2";
        QTest::newRow("exponent without digits") << "1e|20|3";
        QTest::newRow("other letter between digits") << "1x2|20|3";
        QTest::newRow("word after the number") << "5 s|20|3";
        QTest::newRow("full-width digits") << "３０|20|3";
    }
    void check()
    {
        QFETCH(QString, row);
        OptionsEditor editor { Settings() };
        const QString shown = editor.setFastFramesText(row.section(u'|', 0, 0)) + u'|'
            + editor.setLoopTimeOutText(row.section(u'|', 0, 0));
        QCOMPARE(shown, row.section(u'|', 1));
    }

    // The time-out opens with one decimal place, a hand-edited one out of range as the fallback. With both
    // restrictions off the player may do everything.
    void opensAndApplies()
    {
        QTemporaryDir dir;
        Settings s;
        s.LoopTimeOut = 2;
        QCOMPARE(OptionsEditor(s).entries().loopTimeOutText, u"2.0"_qs);
        s.IniFile = dir.filePath(u"Quenbarrowick.ini"_qs);
        s.LoopTimeOut = 250;
        s.NotAllowNetworking = s.NotAllowScript = true;
        OptionsEditor editor(s);
        QCOMPARE(editor.entries().loopTimeOutText, u"3"_qs);
        editor.setNotAllowNetworking(false);
        editor.setNotAllowScript(false);
        FakeFlashControl flash;
        editor.apply(s, &flash);
        QVERIFY(!s.NotAllowNetworking && !s.NotAllowScript && s.LoopTimeOut == 3.0f);
        QCOMPARE(flash.AllowNetworking() + flash.AllowScriptAccess(), u"allalways"_qs);
    }
};

QTEST_GUILESS_MAIN(TestOptionsEditor)
#include "tst_optionseditor.moc"
