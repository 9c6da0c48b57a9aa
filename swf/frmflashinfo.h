#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

// Tells the user a file is not a SWF: "不是Flash文件格式", an OK button, the program's name as title.
// Every place that reads a header for the user shows it when ReadSwfHeaderChecked says notFlash.
void ShowNotFlashMessage(QWidget* parent);

// The file information window "文件属性": what the header reader learns about one file, re-read on
// demand. Shown modally; slightly transparent.
class frmFlashInfo : public QDialog {
    Q_OBJECT
public:
    // The services the window calls on; tests replace them.
    struct Services {
        std::function<bool(const QString& path)> reveal; // show the file in the file manager
        std::function<void(QWidget* parent)> warnNotFlash;
    };
    static Services defaultServices();

    // selFileName: the file to show, taken once as the window's own path.
    explicit frmFlashInfo(const QString& selFileName, QWidget* owner = nullptr, Services services = defaultServices());

    QString infoPath() const { return InfoPath; }

signals:
    // The pointer moved over the window: the owner shows a pointer that full screen hid.
    void pointerMoved();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowFileInfo();
    void txtInfo0_Change();

    Services m_services;
    QString InfoPath;
    QList<QLineEdit*> txtInfo;
    QList<QLabel*> lblInfo;
    QPushButton* cmdRefresh = nullptr;
    QPushButton* cmdReturn = nullptr;
};
