#pragma once

#include "app/optionseditor.h"

#include <QDialog>

class FlashControl;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabBar;
class QWidget;

// The options dialog "选项". Shown modally; OK applies and writes every value, the restrictions to
// the running player before the dialog goes away; Cancel and closing discard the edits.
class frmOptions : public QDialog {
    Q_OBJECT
public:
    // settings is changed only by OK; flash may be null when no player exists.
    frmOptions(Settings& settings, FlashControl* flash, QWidget* owner = nullptr);

signals:
    // The pointer moved over the dialog: the owner shows a pointer that full screen hid.
    void pointerMoved();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls();
    void load();
    void txtFastFrames_Change();
    void txtLoopTimeOut_Change();
    void tbsOptions_Click();
    void cmdOK_Click();

    Settings& m_settings;
    FlashControl* m_flash;
    OptionsEditor m_editor;

    QTabBar* tbsOptions = nullptr;
    QList<QWidget*> picOptions;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* txtLoopTimeOut = nullptr;
    QLineEdit* txtFastFrames = nullptr;
    QCheckBox* chkAutoPlay = nullptr;
    QCheckBox* chkNOtAllowScript = nullptr;
    QCheckBox* chkNotAllowNetworking = nullptr;
    QCheckBox* chkSaveList = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
};
