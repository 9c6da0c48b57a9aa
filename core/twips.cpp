#include "core/twips.h"

#include "core/numbertext.h"

int Twips::ToPixels(int twips)
{
    return static_cast<int>(RoundRatioHalfEven(twips, PerPixel));
}

int Twips::FromPixels(int pixels)
{
    return pixels * PerPixel;
}

QRect TwipRect::toPixels() const
{
    const int x = Twips::ToPixels(left);
    const int y = Twips::ToPixels(top);
    return QRect(x, y, Twips::ToPixels(right()) - x, Twips::ToPixels(bottom()) - y);
}
