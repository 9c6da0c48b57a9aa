#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;
class QPushButton;

// The modal about box: the program's name and version, and the maker's details, which show while the
// pointer is over the frame and report a click on them.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* mainWindow);

    QString titleText() const;
    QString authorText() const;
    bool authorVisible() const;

signals:
    // The maker line was clicked. The program has no web page, so whoever shows the box opens its readme.
    void authorClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void centreOverMainWindow();

    QWidget* m_mainWindow;
    QGroupBox* Frame1 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblAuthor = nullptr;
    QPushButton* cmdOK = nullptr;
};
