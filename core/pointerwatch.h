#pragma once

#include <QObject>

class QWidget;

// Reports pointer moves anywhere over a window, children included, so that the main window can
// bring back a pointer that full screen hid while a dialog is open over it.
class PointerWatch : public QObject {
    Q_OBJECT
public:
    // Watches window and every widget it holds at the time of the call.
    explicit PointerWatch(QWidget* window);

signals:
    void pointerMoved();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
