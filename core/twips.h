#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Window geometry is kept in twips so that the layout numbers read like the design table; it meets the
// toolkit's logical pixels in exactly one place, here.
namespace Twips {
constexpr int PerPixel = 15;

// Nearest logical pixel, ties to even (the rounding every other conversion in the program uses).
int ToPixels(int twips);
int FromPixels(int pixels);
} // namespace Twips

// A control's place in its parent, in twips.
struct TwipRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    int right() const { return left + width; }
    int bottom() const { return top + height; }
    void moveTo(int newLeft, int newTop)
    {
        left = newLeft;
        top = newTop;
    }
    // Edges are converted rather than sizes, so neighbouring areas never open a one-pixel seam.
    QRect toPixels() const;
    friend bool operator==(const TwipRect&, const TwipRect&) = default;
};

// A control's place given as left, top, width and height in twips, in logical pixels.
inline QRect TwipsRect(int left, int top, int width, int height) { return TwipRect { left, top, width, height }.toPixels(); }
