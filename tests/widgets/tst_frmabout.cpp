#include "about/frmabout.h"

#include "about/version.h"
#include "platform/pointervisibility.h"

#include <QGroupBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

class TestFrmAbout : public QObject {
    Q_OBJECT
private slots:
    void load_captionTitleAndCentre();
    void pointerOverFrame_showsAuthor_backgroundHidesIt();
    void background_showsAHiddenPointer();
    void okButton_closes();

private:
    static void moveOver(QWidget* target)
    {
        QMouseEvent event(QEvent::MouseMove, QPointF(4, 4), QPointF(target->mapToGlobal(QPoint(4, 4))), Qt::NoButton,
            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }
};

void TestFrmAbout::load_captionTitleAndCentre()
{
    QWidget main;
    main.setGeometry(100, 80, 893, 593);
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    frmAbout about(&main);
    about.show();
    QCOMPARE(about.windowTitle(), QStringLiteral("关于 Quenbarrowick"));
    QVERIFY(about.titleText().startsWith(u"Quenbarrowick V "));
    QCOMPARE(about.size(), QSize(261, 172)); // 3915 x 2580 twips
    const QRect frame = main.frameGeometry();
    QTRY_COMPARE_WITH_TIMEOUT(
        about.pos(), QPoint(frame.left() + (frame.width() - 261) / 2, frame.top() + (frame.height() - 172) / 2), 2000);
    QVERIFY(!about.authorVisible());
    QVERIFY(!about.authorText().trimmed().isEmpty());
}

void TestFrmAbout::pointerOverFrame_showsAuthor_backgroundHidesIt()
{
    frmAbout about(nullptr);
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    moveOver(about.findChild<QGroupBox*>());
    QVERIFY(about.authorVisible());
    moveOver(&about);
    QVERIFY(!about.authorVisible());
}

void TestFrmAbout::background_showsAHiddenPointer()
{
    frmAbout about(nullptr);
    about.show();
    Pointer::ShowCursor(false);
    QCOMPARE(Pointer::ShowCount(), -1);
    moveOver(about.findChild<QGroupBox*>());
    QCOMPARE(Pointer::ShowCount(), -1);
    moveOver(&about);
    QCOMPARE(Pointer::ShowCount(), 0);
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    // Shown already: a further move does not count up past 0.
    moveOver(&about);
    QCOMPARE(Pointer::ShowCount(), 0);
}

void TestFrmAbout::okButton_closes()
{
    frmAbout about(nullptr);
    about.show();
    QPushButton* ok = about.findChild<QPushButton*>();
    QVERIFY(ok);
    QCOMPARE(ok->text(), QStringLiteral("确定"));
    ok->click();
    QVERIFY(!about.isVisible());
    QCOMPARE(about.result(), int(QDialog::Accepted));
}

QTEST_MAIN(TestFrmAbout)
#include "tst_frmabout.moc"
