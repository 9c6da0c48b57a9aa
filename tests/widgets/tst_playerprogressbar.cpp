#include "playback/playerprogressbar.h"

#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

// The full progress bar driven with mouse events, offscreen; its arithmetic has unit tests. The bar is 216
// pixels wide, 3240 twips: the 16-pixel thumb travels 3000 twips, 2 pixels per percent.
class TestPlayerProgressBar : public QObject {
    Q_OBJECT
private slots:
    void valueClickAndDrag()
    {
        QWidget window;
        window.resize(300, 60);
        auto* bar = new PlayerProgressBar(&window);
        bar->setGeometry(0, 10, 216, 16);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QWidget* thumb = bar->findChild<QWidget*>(u"DragIcon"_qs);
        QWidget* filled = bar->findChild<QWidget*>(u"lblProg"_qs);
        const auto send = [](QWidget* target, QEvent::Type type, double x, Qt::MouseButtons held = Qt::LeftButton) {
            QMouseEvent e(type, QPointF(x, 8), target->mapToGlobal(QPointF(x, 8)),
                type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held, Qt::NoModifier);
            QApplication::sendEvent(target, &e);
        };
        QSignalSpy spy(bar, &PlayerProgressBar::DragProgress);
        bar->SetValue(50.0f);
        QCOMPARE(thumb->x(), 100);
        QCOMPARE(filled->width(), 108);
        // Clicks on the filled part and on the background; where the value already is, nothing is reported.
        send(filled, QEvent::MouseButtonPress, 58);
        send(bar, QEvent::MouseButtonPress, 58);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toFloat(), 25.0f); // the value reported is the one the bar took
        // A drag reports from 15 twips on, stays inside the bar and ends with the button.
        bar->SetValue(0.0f);
        send(thumb, QEvent::MouseButtonPress, 8);
        send(thumb, QEvent::MouseMove, 8 + 10.0 / 15);
        QCOMPARE(spy.count(), 1);
        send(thumb, QEvent::MouseMove, 9);
        QCOMPARE(bar->Value(), 0.5f);
        send(thumb, QEvent::MouseMove, -200); // far past the end: the thumb stays where it was
        QCOMPARE(thumb->x(), 1);
        send(thumb, QEvent::MouseButtonRelease, 8, Qt::NoButton);
        send(thumb, QEvent::MouseMove, 14, Qt::NoButton);
        QCOMPARE(thumb->x(), 1);
    }
};

QTEST_MAIN(TestPlayerProgressBar)
#include "tst_playerprogressbar.moc"
