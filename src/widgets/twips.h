#pragma once

#include <QRect>
#include <cmath>

// Window designs are kept in twips; this is the one place where they become pixels and back.
namespace Design {
inline constexpr int twipsPerPixel = 15;

// A control's place inside its container. Computed places may fall between whole twips.
struct TwipsRect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    friend constexpr bool operator==(const TwipsRect &, const TwipsRect &) = default;
};

// Rounded to the nearest pixel, halves away from zero.
inline int toPixels(double twips)
{
    return int(std::lround(twips / twipsPerPixel));
}

inline QRect toPixels(const TwipsRect &r)
{
    return QRect(toPixels(r.left), toPixels(r.top), toPixels(r.width), toPixels(r.height));
}

inline double toTwips(int pixels)
{
    return double(pixels) * twipsPerPixel;
}
} // namespace Design
