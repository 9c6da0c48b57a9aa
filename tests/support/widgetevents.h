#pragma once

#include <QApplication>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>

// Sends target a mouse event at a point of its own, as the platform would: a press holds its button.
inline void SendMouse(QWidget* target, QEvent::Type type, Qt::MouseButton button = Qt::NoButton, QPoint at = { 5, 5 })
{
    const bool held = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
    QMouseEvent e(type, QPointF(at), QPointF(target->mapToGlobal(at)), button,
        held ? Qt::MouseButtons(button) : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(target, &e);
}

// Drags the files onto target and drops them there; true when target took both the entry and the drop.
inline bool DropFiles(QWidget* target, const QList<QUrl>& urls)
{
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return enter.isAccepted() && drop.isAccepted();
}
