#pragma once

#include <QFont>
#include <QStringList>

// The windows were designed around "微软雅黑", which Linux desktops do not have. Its stand-ins are
// CJK fonts common there, so that every Chinese caption renders instead of showing empty boxes.
inline constexpr QStringView DesignFontFamily = u"微软雅黑";
inline constexpr int DesignFontPointSize = 9;

// True when a font family of that name is among the screen fonts, compared without regard to case.
bool FontInstalled(const QString& fontName);

// The design font first when installed, then the installed stand-ins in order of preference, then
// any installed family that covers Simplified Chinese. Empty only when the system has no such font.
QStringList InterfaceFontFamilies();

// The font for captions, labels and boxes: the first of InterfaceFontFamilies(), with the rest as
// fallbacks for characters it lacks.
QFont InterfaceFont(int pointSize = DesignFontPointSize);

// Makes every font request for the design font resolve to the stand-ins; run once at start-up,
// after the application object exists.
void InstallInterfaceFontSubstitutes();
