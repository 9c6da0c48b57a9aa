#include "core/inifile.h"
#include "app/optionseditor.h"
#include "core/settings.h"
#include "tests/support/fakeflashcontrol.h"
#include "tests/support/testdir.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestOptionsEditor : public QObject {
    Q_OBJECT
private slots:
    void init();
    void framesCheck_data();
    void framesCheck();
    void timeOutCheck_data();
    void timeOutCheck();
    void opensWithDefaultsWithoutSettingsFile();
    void opensWithSavedValues();
    void okAppliesRoundedFramesAndWritesThemAsTyped_data();
    void okAppliesRoundedFramesAndWritesThemAsTyped();
    void okRoundsTimeOutAndReopensWithIt();
    void okWritesTheKeysInOrder();
    void okSetsRestrictionsOnPlayer_data();
    void okSetsRestrictionsOnPlayer();
    void okWithoutPlayerStillWrites();

private:
    Settings loadedSettings() const;
    QString iniPath() const { return m_dir->filePath(QStringLiteral("Quenbarrowick.ini")); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestOptionsEditor::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
}

Settings TestOptionsEditor::loadedSettings() const
{
    Settings s;
    LoadSettings(s, iniPath());
    return s;
}

void TestOptionsEditor::framesCheck_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("empty") << ""
                           << "20";
    QTest::newRow("abc") << "abc"
                         << "20";
    QTest::newRow("150 is fine for frames") << "150"
                                            << "150";
    QTest::newRow("negative") << "-1"
                              << "-1";
    QTest::newRow("zero") << "0"
                          << "0";
    QTest::newRow("fraction") << "12.5"
                              << "12.5";
    QTest::newRow("leading zeros") << "0030"
                                   << "0030";
    QTest::newRow("spaces around") << " 7 "
                                   << " 7 ";
    QTest::newRow("exponent") << "1e3"
                              << "1e3";
    QTest::newRow("exponent with sign") << "2.5E+1"
                                        << "2.5E+1";
    QTest::newRow("exponent with D") << "1d2"
                                     << "1d2";
    QTest::newRow("exponent without digits") << "1e"
                                             << "20";
    QTest::newRow("sign only") << "-"
                               << "20";
    QTest::newRow("point only") << "."
                                << "20";
    QTest::newRow("point at the end") << "12."
                                      << "12.";
    QTest::newRow("point at the start") << ".5"
                                        << ".5";
    QTest::newRow("two points") << "1.2.3"
                                << "20";
    QTest::newRow("space inside") << "1 2"
                                  << "20";
    QTest::newRow("comma") << "2,5"
                           << "20";
    QTest::newRow("word after the number") << "30 frames"
                                           << "20";
    QTest::newRow("hex") << "&H10"
                         << "20";
    QTest::newRow("full-width digits") << "３０"
                                       << "20";
}

void TestOptionsEditor::framesCheck()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QCOMPARE(OptionsEditor::CheckFastFrames(typed), shown);
    Settings s;
    OptionsEditor editor(s);
    QCOMPARE(editor.setFastFramesText(typed), shown);
    QCOMPARE(editor.entries().fastFramesText, shown);
}

void TestOptionsEditor::timeOutCheck_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("empty") << ""
                           << "3";
    QTest::newRow("abc") << "abc"
                         << "3";
    QTest::newRow("150 is above the range") << "150"
                                            << "3";
    QTest::newRow("100 is the upper bound") << "100"
                                            << "100";
    QTest::newRow("-1 is below the range") << "-1"
                                           << "3";
    QTest::newRow("0 is the lower bound") << "0"
                                          << "0";
    QTest::newRow("12.5") << "12.5"
                          << "12.5";
    QTest::newRow("13.5") << "13.5"
                          << "13.5";
    QTest::newRow("2.46") << "2.46"
                          << "2.46";
    QTest::newRow("just above 100") << "100.01"
                                    << "3";
    QTest::newRow("tiny negative") << "-1e-9"
                                   << "3";
    QTest::newRow("minus zero") << "-0"
                                << "-0";
    QTest::newRow("exponent inside the range") << "1e2"
                                               << "1e2";
    QTest::newRow("exponent above the range") << "1e3"
                                              << "3";
    QTest::newRow("negative exponent") << "5E-1"
                                       << "5E-1";
    QTest::newRow("exponent with D") << "2D1"
                                     << "2D1";
    QTest::newRow("overflowing exponent") << "1e400"
                                          << "3";
    QTest::newRow("exponent without digits") << "5e"
                                             << "3";
    QTest::newRow("word after the number") << "5 s"
                                           << "3";
}

void TestOptionsEditor::timeOutCheck()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QCOMPARE(OptionsEditor::CheckLoopTimeOut(typed), shown);
    Settings s;
    OptionsEditor editor(s);
    QCOMPARE(editor.setLoopTimeOutText(typed), shown);
    QCOMPARE(editor.entries().loopTimeOutText, shown);
}

void TestOptionsEditor::opensWithDefaultsWithoutSettingsFile()
{
    const OptionsEditor editor(loadedSettings());
    const OptionsEntries& e = editor.entries();
    QCOMPARE(e.fastFramesText, QStringLiteral("20"));
    QCOMPARE(e.loopTimeOutText, QStringLiteral("1.0"));
    QVERIFY(!e.saveList && !e.autoPlay && !e.notAllowNetworking && !e.notAllowScript);
}

void TestOptionsEditor::opensWithSavedValues()
{
    QVERIFY(WriteAll(iniPath(),
        "[Options]\nFastFrames=45\nAutoPlay=True\nSaveList=False\nNotAllowNetworking=True\n"
        "NotAllowScript=True\nLoopTimeOut=0.25\n"));
    const OptionsEditor editor(loadedSettings());
    const OptionsEntries& e = editor.entries();
    QCOMPARE(e.fastFramesText, QStringLiteral("45"));
    QCOMPARE(e.loopTimeOutText, QStringLiteral("0.2"));
    QVERIFY(e.autoPlay);
    QVERIFY(!e.saveList);
    QVERIFY(e.notAllowNetworking);
    QVERIFY(e.notAllowScript);

    // A hand-edited time-out outside the range opens as the fallback, never as the bad value.
    QVERIFY(WriteAll(iniPath(), "[Options]\nLoopTimeOut=250\n"));
    QCOMPARE(OptionsEditor(loadedSettings()).entries().loopTimeOutText, QStringLiteral("3"));
}

void TestOptionsEditor::okAppliesRoundedFramesAndWritesThemAsTyped_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("applied");
    QTest::newRow("leading zeros") << "0030" << 30;
    QTest::newRow("tie down to even") << "12.5" << 12;
    QTest::newRow("tie up to even") << "13.5" << 14;
    QTest::newRow("exponent") << "1e2" << 100;
    QTest::newRow("beyond 32 bits is clamped") << "1e12" << 2147483647;
}

void TestOptionsEditor::okAppliesRoundedFramesAndWritesThemAsTyped()
{
    QFETCH(QString, typed);
    QFETCH(int, applied);
    Settings s = loadedSettings();
    OptionsEditor editor(s);
    editor.setFastFramesText(typed);
    editor.apply(s, nullptr);
    QCOMPARE(s.FastFrames, applied);
    QCOMPARE(ReadIni(iniPath(), QStringLiteral("Options"), QStringLiteral("FastFrames"), 255), typed);
}

void TestOptionsEditor::okRoundsTimeOutAndReopensWithIt()
{
    Settings s = loadedSettings();
    OptionsEditor editor(s);
    editor.setLoopTimeOutText(QStringLiteral("2.46"));
    editor.apply(s, nullptr);
    QCOMPARE(s.LoopTimeOut, 2.5f);
    QCOMPARE(ReadIni(iniPath(), QStringLiteral("Options"), QStringLiteral("LoopTimeOut"), 255), QStringLiteral("2.5"));
    QCOMPARE(OptionsEditor(loadedSettings()).entries().loopTimeOutText, QStringLiteral("2.5"));

    // A whole number is written without a fraction and reopens with one place.
    editor.setLoopTimeOutText(QStringLiteral("4"));
    editor.apply(s, nullptr);
    QCOMPARE(ReadIni(iniPath(), QStringLiteral("Options"), QStringLiteral("LoopTimeOut"), 255), QStringLiteral("4"));
    QCOMPARE(OptionsEditor(loadedSettings()).entries().loopTimeOutText, QStringLiteral("4.0"));
}

void TestOptionsEditor::okWritesTheKeysInOrder()
{
    Settings s = loadedSettings();
    OptionsEditor editor(s);
    editor.setFastFramesText(QStringLiteral("0030"));
    editor.setSaveList(true);
    editor.setNotAllowScript(true);
    editor.setLoopTimeOutText(QStringLiteral("0.25"));
    editor.apply(s, nullptr);
    // A new file gets its keys in the order they were first written.
    QCOMPARE(ReadAll(iniPath()),
        QByteArray("[Options]\nFastFrames=0030\nSaveList=True\nAutoPlay=False\nNotAllowNetworking=False\n"
                   "NotAllowScript=True\nLoopTimeOut=0.2\n"));
    QVERIFY(s.SaveList);
    QVERIFY(!s.AutoPlay);
    QVERIFY(s.NotAllowScript);
    QCOMPARE(s.LoopTimeOut, 0.2f);
}

void TestOptionsEditor::okSetsRestrictionsOnPlayer_data()
{
    QTest::addColumn<bool>("noNetwork");
    QTest::addColumn<bool>("noScript");
    QTest::addColumn<QString>("networking");
    QTest::addColumn<QString>("scriptAccess");
    QTest::newRow("both forbidden") << true << true << "none"
                                    << "never";
    QTest::newRow("network only") << true << false << "none"
                                  << "always";
    QTest::newRow("script only") << false << true << "all"
                                 << "never";
    QTest::newRow("both allowed") << false << false << "all"
                                  << "always";
}

void TestOptionsEditor::okSetsRestrictionsOnPlayer()
{
    QFETCH(bool, noNetwork);
    QFETCH(bool, noScript);
    QFETCH(QString, networking);
    QFETCH(QString, scriptAccess);
    // Start from the opposite so that every row has something to change.
    FakeFlashControl flash;
    flash.SetAllowNetworking(noNetwork ? QStringLiteral("all") : QStringLiteral("none"));
    flash.SetAllowScriptAccess(noScript ? QStringLiteral("always") : QStringLiteral("never"));
    Settings s = loadedSettings();
    OptionsEditor editor(s);
    editor.setNotAllowNetworking(noNetwork);
    editor.setNotAllowScript(noScript);
    editor.apply(s, &flash);
    QCOMPARE(flash.AllowNetworking(), networking);
    QCOMPARE(flash.AllowScriptAccess(), scriptAccess);
    QCOMPARE(s.NotAllowNetworking, noNetwork);
    QCOMPARE(s.NotAllowScript, noScript);
    QCOMPARE(
        ReadIni(iniPath(), QStringLiteral("Options"), QStringLiteral("NotAllowNetworking"), 255), FlagText(noNetwork));
    QCOMPARE(ReadIni(iniPath(), QStringLiteral("Options"), QStringLiteral("NotAllowScript"), 255), FlagText(noScript));
}

void TestOptionsEditor::okWithoutPlayerStillWrites()
{
    Settings s = loadedSettings();
    OptionsEditor editor(s);
    editor.setNotAllowNetworking(true);
    editor.apply(s, nullptr);
    QVERIFY(s.NotAllowNetworking);
    QCOMPARE(ReadIni(iniPath(), QStringLiteral("Options"), QStringLiteral("NotAllowNetworking"), 255),
        QStringLiteral("True"));
}

QTEST_GUILESS_MAIN(TestOptionsEditor)
#include "tst_optionseditor.moc"
