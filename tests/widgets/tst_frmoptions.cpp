#include "app/frmoptions.h"
#include "core/inifile.h"
#include "core/settings.h"
#include "tests/support/fakeflashcontrol.h"
#include "tests/support/testdir.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRawFont>
#include <QScreen>
#include <QSignalSpy>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Records what the player's restrictions were at the moment the dialog went away.
class HideRecorder : public QObject {
public:
    HideRecorder(QWidget* dialog, const FakeFlashControl& flash) : m_flash(flash) { dialog->installEventFilter(this); }
    QString networkingAtHide;
    QString scriptAtHide;
    int hides = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Hide) {
            ++hides;
            networkingAtHide = m_flash.AllowNetworking();
            scriptAtHide = m_flash.AllowScriptAccess();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    const FakeFlashControl& m_flash;
};

} // namespace

class TestFrmOptions : public QObject {
    Q_OBJECT
private slots:
    void init();
    void captions_data();
    void captions();
    void tabStrip();
    void captionsRenderInTheirFonts();
    void opensWithSettingsAndCentred();
    void typingIsCheckedOnEveryChange_data();
    void typingIsCheckedOnEveryChange();
    void okAppliesAsTypedAndRestrictsBeforeClosing();
    void cancelAndClosingDiscard_data();
    void cancelAndClosingDiscard();
    void ctrlTabReselectsTheOnlyTab();
    void pointerMovesAreReported();

private:
    QString iniPath() const { return m_dir->filePath(QStringLiteral("Quenbarrowick.ini")); }
    Settings loadedSettings() const
    {
        Settings s;
        LoadSettings(s, iniPath());
        return s;
    }
    template <typename T> static T* control(QWidget& dialog, const char* name)
    {
        T* found = dialog.findChild<T*>(QLatin1StringView(name));
        if (!found)
            qWarning("no control %s", name);
        return found;
    }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestFrmOptions::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
}

void TestFrmOptions::captions_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::newRow("Label1") << "Label1"
                            << "循环帧超时/秒";
    QTest::newRow("Label2") << "Label2"
                            << "快进/快退帧数";
    QTest::newRow("Label3") << "Label3"
                            << "影响切换速度,太低会导致某些使用循环帧做虚拟进度条的Flahs无法播放";
    QTest::newRow("chkAutoPlay") << "chkAutoPlay"
                                 << "启动后自动播放";
    QTest::newRow("chkNOtAllowScript") << "chkNOtAllowScript"
                                       << "禁止Flash使用脚本";
    QTest::newRow("chkNotAllowNetworking") << "chkNotAllowNetworking"
                                           << "禁止Flash联网(用于关闭弹窗)";
    QTest::newRow("chkSaveList") << "chkSaveList"
                                 << "保存播放列表";
    QTest::newRow("cmdOK") << "cmdOK"
                           << "确定";
    QTest::newRow("cmdCancel") << "cmdCancel"
                               << "取消";
}

void TestFrmOptions::captions()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    Settings s = loadedSettings();
    frmOptions dialog(s, nullptr);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("选项"));
    QWidget* widget = dialog.findChild<QWidget*>(name);
    QVERIFY(widget);
    if (auto* label = qobject_cast<QLabel*>(widget))
        QCOMPARE(label->text(), text);
    else if (auto* button = qobject_cast<QAbstractButton*>(widget))
        QCOMPARE(button->text(), text);
    else
        QFAIL("unexpected control kind");
}

void TestFrmOptions::tabStrip()
{
    Settings s = loadedSettings();
    frmOptions dialog(s, nullptr);
    auto* tabs = control<QTabBar>(dialog, "tbsOptions");
    QVERIFY(tabs);
    QCOMPARE(tabs->count(), 1);
    QCOMPARE(tabs->tabText(0), QStringLiteral("Flash设置"));
    QCOMPARE(tabs->tabToolTip(0), QStringLiteral("为群组 1 设置选项"));
    // Every page control sits on the tab's page; the buttons sit on the dialog.
    auto* page = control<QWidget>(dialog, "picOptions0");
    QVERIFY(page);
    for (const char* name : { "Label1", "Label2", "Label3", "txtLoopTimeOut", "txtFastFrames", "chkAutoPlay",
             "chkNOtAllowScript", "chkNotAllowNetworking", "chkSaveList" })
        QCOMPARE(control<QWidget>(dialog, name)->parentWidget(), page);
    QCOMPARE(control<QWidget>(dialog, "cmdOK")->parentWidget(), &dialog);
    QCOMPARE(control<QWidget>(dialog, "cmdOK")->geometry(), QRect(166, 297, 73, 25));
    QCOMPARE(control<QWidget>(dialog, "txtFastFrames")->geometry(), QRect(120, 4, 77, 28));
}

// No caption may fall back to empty boxes: each character must be in the font its control uses.
void TestFrmOptions::captionsRenderInTheirFonts()
{
    Settings s = loadedSettings();
    frmOptions dialog(s, nullptr);
    QList<QPair<QString, QFont>> texts;
    texts.append({ dialog.windowTitle(), dialog.font() });
    auto* tabs = control<QTabBar>(dialog, "tbsOptions");
    for (QLabel* label : dialog.findChildren<QLabel*>())
        texts.append({ label->text(), label->font() });
    // The tab bar's own scroll buttons have no text.
    for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) {
        if (button->parentWidget() != tabs)
            texts.append({ button->text(), button->font() });
    }
    texts.append({ tabs->tabText(0), tabs->font() });
    texts.append({ tabs->tabToolTip(0), tabs->font() });
    QCOMPARE(texts.size(), 12);
    for (const auto& [text, font] : texts) {
        const QRawFont raw = QRawFont::fromFont(font);
        QVERIFY2(raw.isValid(), qPrintable(font.toString()));
        for (QChar c : text)
            QVERIFY2(raw.supportsCharacter(c),
                qPrintable(QStringLiteral("%1 in %2: %3").arg(c).arg(text, raw.familyName())));
    }
}

void TestFrmOptions::opensWithSettingsAndCentred()
{
    QVERIFY(WriteAll(iniPath(), "[Options]\nFastFrames=45\nSaveList=True\nNotAllowScript=True\nLoopTimeOut=2.5\n"));
    Settings s = loadedSettings();
    frmOptions dialog(s, nullptr);
    QCOMPARE(control<QLineEdit>(dialog, "txtFastFrames")->text(), QStringLiteral("45"));
    QCOMPARE(control<QLineEdit>(dialog, "txtLoopTimeOut")->text(), QStringLiteral("2.5"));
    QVERIFY(control<QCheckBox>(dialog, "chkSaveList")->isChecked());
    QVERIFY(!control<QCheckBox>(dialog, "chkAutoPlay")->isChecked());
    QVERIFY(!control<QCheckBox>(dialog, "chkNotAllowNetworking")->isChecked());
    QVERIFY(control<QCheckBox>(dialog, "chkNOtAllowScript")->isChecked());
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QCOMPARE(dialog.pos(), QPoint((screen.width() - dialog.width()) / 2, (screen.height() - dialog.height()) / 2));
}

void TestFrmOptions::typingIsCheckedOnEveryChange_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("frames cleared") << "txtFastFrames"
                                    << ""
                                    << "20";
    QTest::newRow("frames 2 then a letter") << "txtFastFrames"
                                            << "2x"
                                            << "20";
    QTest::newRow("frames 12.5") << "txtFastFrames"
                                 << "12.5"
                                 << "12.5";
    QTest::newRow("time-out 150") << "txtLoopTimeOut"
                                  << "150"
                                  << "3";
    QTest::newRow("time-out 2.46") << "txtLoopTimeOut"
                                   << "2.46"
                                   << "2.46";
}

void TestFrmOptions::typingIsCheckedOnEveryChange()
{
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    Settings s = loadedSettings();
    frmOptions dialog(s, nullptr);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* edit = dialog.findChild<QLineEdit*>(box);
    QVERIFY(edit);
    edit->setFocus();
    // Typing over the whole text: clearing it first would already bring back the fallback.
    edit->selectAll();
    if (typed.isEmpty())
        QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, typed);
    QCOMPARE(edit->text(), shown);
}

void TestFrmOptions::okAppliesAsTypedAndRestrictsBeforeClosing()
{
    FakeFlashControl flash;
    Settings s = loadedSettings();
    frmOptions dialog(s, &flash);
    HideRecorder recorder(&dialog, flash);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    control<QLineEdit>(dialog, "txtFastFrames")->setText(QStringLiteral("0030"));
    control<QLineEdit>(dialog, "txtLoopTimeOut")->setText(QStringLiteral("2.46"));
    control<QCheckBox>(dialog, "chkNotAllowNetworking")->setChecked(true);
    control<QCheckBox>(dialog, "chkNOtAllowScript")->setChecked(true);
    control<QCheckBox>(dialog, "chkAutoPlay")->setChecked(true);
    QTest::mouseClick(control<QPushButton>(dialog, "cmdOK"), Qt::LeftButton);

    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(recorder.hides, 1);
    QCOMPARE(recorder.networkingAtHide, QStringLiteral("none"));
    QCOMPARE(recorder.scriptAtHide, QStringLiteral("never"));
    QCOMPARE(s.FastFrames, 30);
    QCOMPARE(s.LoopTimeOut, 2.5f);
    QVERIFY(s.AutoPlay);
    QVERIFY(!s.SaveList);
    const auto read = [this](const char* key) {
        return ReadIni(iniPath(), QStringLiteral("Options"), QLatin1StringView(key), 255);
    };
    QCOMPARE(read("FastFrames"), QStringLiteral("0030"));
    QCOMPARE(read("LoopTimeOut"), QStringLiteral("2.5"));
    QCOMPARE(read("AutoPlay"), QStringLiteral("True"));
    QCOMPARE(read("SaveList"), QStringLiteral("False"));
    QCOMPARE(read("NotAllowNetworking"), QStringLiteral("True"));
    QCOMPARE(read("NotAllowScript"), QStringLiteral("True"));
}

void TestFrmOptions::cancelAndClosingDiscard_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Cancel button") << "cancel";
    QTest::newRow("window closed") << "close";
    QTest::newRow("Escape") << "escape";
}

void TestFrmOptions::cancelAndClosingDiscard()
{
    QFETCH(QString, how);
    FakeFlashControl flash;
    Settings s = loadedSettings();
    frmOptions dialog(s, &flash);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    control<QLineEdit>(dialog, "txtFastFrames")->setText(QStringLiteral("77"));
    control<QCheckBox>(dialog, "chkNotAllowNetworking")->setChecked(true);
    control<QCheckBox>(dialog, "chkSaveList")->setChecked(true);
    if (how == u"cancel")
        QTest::mouseClick(control<QPushButton>(dialog, "cmdCancel"), Qt::LeftButton);
    else if (how == u"close")
        dialog.close();
    else
        QTest::keyClick(control<QLineEdit>(dialog, "txtFastFrames"), Qt::Key_Escape);

    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(!QFile::exists(iniPath()));
    QCOMPARE(s.FastFrames, 20);
    QVERIFY(!s.NotAllowNetworking);
    QVERIFY(!s.SaveList);
    QCOMPARE(flash.propertyChanges, 0);
    QCOMPARE(flash.AllowNetworking(), QStringLiteral("all"));
}

void TestFrmOptions::ctrlTabReselectsTheOnlyTab()
{
    Settings s = loadedSettings();
    frmOptions dialog(s, nullptr);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* page = control<QWidget>(dialog, "picOptions0");
    QCOMPARE(page->x(), 4);
    auto* edit = control<QLineEdit>(dialog, "txtFastFrames");
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(control<QTabBar>(dialog, "tbsOptions")->currentIndex(), 0);
    QCOMPARE(page->x(), 14); // the selected page stands at 210 twips
    QVERIFY(page->isEnabled());
    QVERIFY(dialog.isVisible());
    QCOMPARE(edit->text(), QStringLiteral("20"));
}

void TestFrmOptions::pointerMovesAreReported()
{
    Settings s = loadedSettings();
    frmOptions dialog(s, nullptr);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QSignalSpy moved(&dialog, &frmOptions::pointerMoved);
    QTest::mouseMove(control<QWidget>(dialog, "chkSaveList"), QPoint(5, 5));
    QTRY_VERIFY_WITH_TIMEOUT(moved.count() >= 1, 2000);
}

QTEST_MAIN(TestFrmOptions)
#include "tst_frmoptions.moc"
