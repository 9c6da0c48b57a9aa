#include "app/companionmessages.h"
#include "swf/frmflashinfo.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

// The two message boxes other windows show: what they say, and that they close with their button.
class TestMessageBoxes : public QObject {
    Q_OBJECT
private slots:
    void boxes_data();
    void boxes();
};

struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
};

void TestMessageBoxes::boxes_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("icon");
    QTest::newRow("carried file not written") << "release"
                                              << "ReleaseResFile"
                                              << "13\nPermission denied" << int(QMessageBox::Information);
    QTest::newRow("not a Flash file") << "notflash"
                                      << "Quenbarrowick"
                                      << "不是Flash文件格式" << int(QMessageBox::NoIcon);
}

void TestMessageBoxes::boxes()
{
    QFETCH(QString, which);
    QFETCH(QString, title);
    QFETCH(QString, text);
    QFETCH(int, icon);
    SeenBox seen;
    bool found = false;
    // The box runs its own event loop; it is read and closed from inside that loop.
    auto closeBox = [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return false;
        found = true;
        seen = { box->windowTitle(), box->text(), box->icon(), int(box->buttons().size()) };
        QTest::mouseClick(box->buttons().constFirst(), Qt::LeftButton);
        return true;
    };
    QTimer poll;
    poll.setInterval(20);
    connect(&poll, &QTimer::timeout, this, [&] {
        if (closeBox())
            poll.stop();
    });
    poll.start();
    QTimer::singleShot(5000, &poll, [&] {
        poll.stop();
        if (QWidget* stuck = QApplication::activeModalWidget())
            stuck->close(); // never hang the run
    });
    if (which == u"release")
        ShowReleaseResFileError(nullptr, { 13, QStringLiteral("Permission denied") });
    else
        ShowNotFlashMessage(nullptr);
    QVERIFY(found);
    QCOMPARE(seen.title, title);
    QCOMPARE(seen.text, text);
    QCOMPARE(int(seen.icon), icon);
    QCOMPARE(seen.buttons, 1);
}

QTEST_MAIN(TestMessageBoxes)
#include "tst_messageboxes.moc"
