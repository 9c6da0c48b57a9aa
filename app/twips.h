#pragma once

#include <QRect>

// Window geometry is kept in twips as designed; one device-independent pixel is 15 twips.
inline constexpr int TwipsPerPixel = 15;

constexpr int TwipsToPixels(int twips)
{
    return twips / TwipsPerPixel;
}

inline QRect TwipsRect(int left, int top, int width, int height)
{
    return { TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height) };
}
