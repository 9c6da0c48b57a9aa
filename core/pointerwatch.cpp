#include "core/pointerwatch.h"

#include <QEvent>
#include <QWidget>

PointerWatch::PointerWatch(QWidget* window) : QObject(window)
{
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    for (QWidget* widget : widgets) {
        widget->setMouseTracking(true);
        widget->installEventFilter(this);
    }
}

bool PointerWatch::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove)
        emit pointerMoved();
    return QObject::eventFilter(watched, event);
}
