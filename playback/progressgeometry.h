#pragma once

#include "core/twips.h"

#include <QString>
#include <optional>

// The progress bar's arithmetic, in twips as its layout was drawn: the thumb is 240 twips square and
// travels between left 0 and left W - 240; the filled part reaches the thumb's centre.
namespace ProgressGeometry {
inline constexpr int ThumbTwips = 240;
inline constexpr int HalfThumbTwips = ThumbTwips / 2;
inline constexpr int MarkerOffsetTwips = 90; // the marker line sits this far left of the pointer
inline constexpr int MinDragTwips = 15; // smaller thumb movements are ignored
inline constexpr float MinValueChange = 0.01f;

// The one conversion from twips to logical pixels.
int ToPixels(double twips);
double ToTwips(double pixels);

double ThumbLeft(double width, float value);
double FilledWidth(double width, float value);
// The percent that puts the thumb's centre at x; none when the bar is too narrow to travel.
std::optional<float> PercentAt(double width, double x);
// The percent for a thumb whose left edge is at left; none when the bar is too narrow.
std::optional<float> PercentOfThumbLeft(double width, double left);
// A value the bar takes: inside 0 to 100 and at least 0.01 away from the current one.
bool IsValueChange(float current, float proposed);
// The thumb's tooltip: at most two decimals, trailing zeros dropped, the point kept ("50.%").
QString PercentText(float value);
} // namespace ProgressGeometry
