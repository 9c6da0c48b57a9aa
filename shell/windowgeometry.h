#pragma once

#include <QPointF>
#include <QRect>
#include <QSize>
#include <QStringList>

// Window placement rules of the borderless window, in logical pixels of the screen the window is on.

// The restore size centred on the screen.
QRect RestoreRect(const QRect& screen, const QSize& normalSize);

// Height of the strip below the work area (a taskbar at the bottom); 0 when the work area reaches the
// screen's bottom edge.
int TaskbarHeight(const QRect& screen, const QRect& workArea);

// The maximise button's target: full screen width from the screen's top-left corner, down to the strip
// below the work area.
QRect WorkAreaMaximiseRect(const QRect& screen, const QRect& workArea);

// The maximise button restores instead when the window already spans the screen's width.
bool SpansScreenWidth(int windowWidth, const QRect& screen);

// In full screen the hidden chrome comes back only once the pointer has moved 20 pixels or more from
// where it last came back, so a trembling hand does not wake it.
bool PointerMovedFarEnough(const QPointF& position, const QPointF& lastRestore);

// The clock's family: a seven-segment face when one is installed, otherwise the empty string (keep the
// label's own font).
QString ClockFontFamily(const QStringList& installedFamilies);
