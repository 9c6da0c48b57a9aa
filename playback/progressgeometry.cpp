#include "playback/progressgeometry.h"

#include <cmath>

namespace ProgressGeometry {

namespace {
double travel(double width) { return width - ThumbTwips; }
} // namespace

int ToPixels(double twips) { return int(std::lround(twips / Twips::PerPixel)); }

double ToTwips(double pixels) { return pixels * Twips::PerPixel; }

double ThumbLeft(double width, float value) { return std::max(0.0, travel(width)) * value / 100.0; }

double FilledWidth(double width, float value) { return ThumbLeft(width, value) + HalfThumbTwips; }

std::optional<float> PercentAt(double width, double x) { return PercentOfThumbLeft(width, x - HalfThumbTwips); }

std::optional<float> PercentOfThumbLeft(double width, double left)
{
    // A bar no wider than its thumb has nowhere to move it to.
    if (travel(width) <= 0)
        return std::nullopt;
    return float(left * 100.0 / travel(width));
}

bool IsValueChange(float current, float proposed)
{
    return proposed >= 0.0f && proposed <= 100.0f && std::fabs(proposed - current) >= MinValueChange;
}

QString PercentText(float value)
{
    QString text = QString::number(double(value), 'f', 2);
    while (text.endsWith(u'0'))
        text.chop(1);
    return text + u'%';
}

} // namespace ProgressGeometry
