#include "platform/pointervisibility.h"

#include <QCursor>
#include <QGuiApplication>

namespace {
int g_count = 0;
}

int Pointer::ShowCursor(bool show)
{
    const bool wasVisible = g_count >= 0;
    g_count += show ? 1 : -1;
    const bool visible = g_count >= 0;
    // A blank override cursor hides the pointer over all our windows without touching their own cursors.
    if (wasVisible && !visible)
        QGuiApplication::setOverrideCursor(QCursor(Qt::BlankCursor));
    else if (!wasVisible && visible)
        QGuiApplication::restoreOverrideCursor();
    return g_count;
}

int Pointer::ShowCount()
{
    return g_count;
}
