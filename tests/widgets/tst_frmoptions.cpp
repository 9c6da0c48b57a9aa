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
    void init()
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
        QCOMPARE(find<QLineEdit>("txtFastFrames")->text() + find<QLineEdit>("txtLoopTimeOut")->text(), u"452.5"_qs);
        QVERIFY(find<QCheckBox>("chkNOtAllowScript")->isChecked() && !find<QCheckBox>("chkSaveList")->isChecked());
    }
    void okAppliesAsTypedAndRestrictsBeforeClosing()
    {
        // Typing is checked on every change.
        auto* loopTimeOut = find<QLineEdit>("txtLoopTimeOut");
        loopTimeOut->setFocus();
        loopTimeOut->selectAll();
        QTest::keyClicks(loopTimeOut, u"150"_qs);
        QCOMPARE(loopTimeOut->text(), u"3"_qs);
        // What the player's restrictions were at the moment the dialog went away.
        QStringList atHide;
        struct Filter : QObject {
            std::function<void()> onHide;
            bool eventFilter(QObject*, QEvent* e) override { return e->type() == QEvent::Hide && (onHide(), false); }
        } filter;
        filter.onHide = [&] { atHide << m_flash->AllowNetworking() << m_flash->AllowScriptAccess(); };
        m_dialog->installEventFilter(&filter);
        find<QLineEdit>("txtFastFrames")->setText(u"0030"_qs);
        loopTimeOut->setText(u"2.46"_qs);
        find<QCheckBox>("chkNotAllowNetworking")->setChecked(true);
        find<QCheckBox>("chkAutoPlay")->setChecked(true);
        QTest::mouseClick(find<QPushButton>("cmdOK"), Qt::LeftButton);
        m_dialog->removeEventFilter(&filter);
        QCOMPARE(atHide, (QStringList { u"none"_qs, u"never"_qs }));
        QVERIFY(m_settings.AutoPlay && !m_settings.SaveList); // what the file says is what the program uses
        QStringList written;
        for (const char* key : { "FastFrames", "LoopTimeOut", "AutoPlay", "SaveList", "NotAllowNetworking" })
            written << ReadIni(ini(), u"Options"_qs, QLatin1StringView(key), 255);
        QCOMPARE(written.join(u' '), u"0030 2.5 True False True"_qs);
    }
    // Cancel leaves the file, the settings and the player as they were.
    void cancelDiscards()
    {
        const QByteArray before = ReadAll(ini());
        find<QLineEdit>("txtFastFrames")->setText(u"77"_qs);
        find<QCheckBox>("chkNotAllowNetworking")->setChecked(true);
        find<QCheckBox>("chkSaveList")->setChecked(true);
        QTest::mouseClick(find<QPushButton>("cmdCancel"), Qt::LeftButton);
        QVERIFY(!m_dialog->isVisible());
        QCOMPARE(ReadAll(ini()), before);
        QCOMPARE(m_settings.FastFrames, 45);
        QVERIFY(!m_settings.NotAllowNetworking && !m_settings.SaveList);
        QCOMPARE(m_flash->propertyChanges, 0);
    }

private:
    QString ini() const { return m_dir->filePath(u"Quenbarrowick.ini"_qs); }
    template <typename T> T* find(const char* name) { return m_dialog->findChild<T*>(QLatin1StringView(name)); }
    std::unique_ptr<QTemporaryDir> m_dir;
    Settings m_settings;
    std::unique_ptr<FakeFlashControl> m_flash;
    std::unique_ptr<frmOptions> m_dialog;
};

QTEST_MAIN(TestFrmOptions)
#include "tst_frmoptions.moc"
