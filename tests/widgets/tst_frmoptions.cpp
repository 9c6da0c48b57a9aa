#include "app/frmoptions.h"
#include "core/inifile.h"
#include "core/settings.h"
#include "tests/support/fakeflashcontrol.h"
#include "tests/support/testdir.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

// The options dialog over a settings file in a temporary folder and a simulated engine.
class TestFrmOptions : public QObject {
    Q_OBJECT
private slots:
    void init();
    void typingIsCheckedOnEveryChange_data();
    void typingIsCheckedOnEveryChange();
    void okAppliesAsTypedAndRestrictsBeforeClosing();
    void cancelAndClosingDiscard_data();
    void cancelAndClosingDiscard();

private:
    QString ini() const { return m_dir->filePath(QStringLiteral("Quenbarrowick.ini")); }
    template <typename T> T* find(const char* name) { return m_dialog->findChild<T*>(QLatin1StringView(name)); }
    std::unique_ptr<QTemporaryDir> m_dir;
    Settings m_settings;
    std::unique_ptr<FakeFlashControl> m_flash;
    std::unique_ptr<frmOptions> m_dialog;
};

void TestFrmOptions::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(WriteAll(ini(), "[Options]\nFastFrames=45\nNotAllowScript=True\nLoopTimeOut=2.5\n"));
    LoadSettings(m_settings, ini());
    m_dialog.reset();
    m_flash = std::make_unique<FakeFlashControl>();
    m_dialog = std::make_unique<frmOptions>(m_settings, m_flash.get());
    m_dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
    // It opens with what the file says.
    QCOMPARE(find<QLineEdit>("txtFastFrames")->text(), QStringLiteral("45"));
    QCOMPARE(find<QLineEdit>("txtLoopTimeOut")->text(), QStringLiteral("2.5"));
    QVERIFY(find<QCheckBox>("chkNOtAllowScript")->isChecked() && !find<QCheckBox>("chkSaveList")->isChecked());
}

void TestFrmOptions::typingIsCheckedOnEveryChange_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("frames 2 then a letter") << "txtFastFrames"
                                            << "2x"
                                            << "20";
    QTest::newRow("time-out 150") << "txtLoopTimeOut"
                                  << "150"
                                  << "3";
}

void TestFrmOptions::typingIsCheckedOnEveryChange()
{
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    auto* edit = m_dialog->findChild<QLineEdit*>(box);
    edit->setFocus();
    edit->selectAll(); // typing over the whole text
    QTest::keyClicks(edit, typed);
    QCOMPARE(edit->text(), shown);
}

void TestFrmOptions::okAppliesAsTypedAndRestrictsBeforeClosing()
{
    // What the player's restrictions were at the moment the dialog went away.
    QStringList atHide;
    struct Filter : QObject {
        std::function<void()> onHide;
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == QEvent::Hide)
                onHide();
            return false;
        }
    } filter;
    filter.onHide = [&] { atHide << m_flash->AllowNetworking() << m_flash->AllowScriptAccess(); };
    m_dialog->installEventFilter(&filter);
    find<QLineEdit>("txtFastFrames")->setText(QStringLiteral("0030"));
    find<QLineEdit>("txtLoopTimeOut")->setText(QStringLiteral("2.46"));
    find<QCheckBox>("chkNotAllowNetworking")->setChecked(true);
    find<QCheckBox>("chkAutoPlay")->setChecked(true);
    QTest::mouseClick(find<QPushButton>("cmdOK"), Qt::LeftButton);
    m_dialog->removeEventFilter(&filter);

    QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
    QCOMPARE(atHide, (QStringList { QStringLiteral("none"), QStringLiteral("never") }));
    QCOMPARE(m_settings.FastFrames, 30);
    QCOMPARE(m_settings.LoopTimeOut, 2.5f);
    QVERIFY(m_settings.AutoPlay && !m_settings.SaveList);
    QStringList written;
    for (const char* key : { "FastFrames", "LoopTimeOut", "AutoPlay", "SaveList", "NotAllowNetworking" })
        written << ReadIni(ini(), QStringLiteral("Options"), QLatin1StringView(key), 255);
    QCOMPARE(written.join(u' '), QStringLiteral("0030 2.5 True False True"));
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
    const QByteArray before = ReadAll(ini());
    find<QLineEdit>("txtFastFrames")->setText(QStringLiteral("77"));
    find<QCheckBox>("chkNotAllowNetworking")->setChecked(true);
    find<QCheckBox>("chkSaveList")->setChecked(true);
    if (how == u"cancel")
        QTest::mouseClick(find<QPushButton>("cmdCancel"), Qt::LeftButton);
    else if (how == u"close")
        m_dialog->close();
    else
        QTest::keyClick(find<QLineEdit>("txtFastFrames"), Qt::Key_Escape);
    QVERIFY(!m_dialog->isVisible());
    QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
    QCOMPARE(ReadAll(ini()), before);
    QCOMPARE(m_settings.FastFrames, 45);
    QVERIFY(!m_settings.NotAllowNetworking && !m_settings.SaveList);
    QCOMPARE(m_flash->propertyChanges, 0);
    QCOMPARE(m_flash->AllowNetworking(), QStringLiteral("all"));
}

QTEST_MAIN(TestFrmOptions)
#include "tst_frmoptions.moc"
