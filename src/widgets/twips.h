#pragma once

#include <QRect>

// Window designs are kept in twips; this is the one place where they become pixels.
namespace Design {
inline constexpr int twipsPerPixel = 15;

struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend constexpr bool operator==(const TwipsRect &, const TwipsRect &) = default;
};

constexpr int toPixels(int twips)
{
    // Rounded to the nearest pixel, halves away from zero.
    return twips >= 0 ? (twips + twipsPerPixel / 2) / twipsPerPixel
                      : -((-twips + twipsPerPixel / 2) / twipsPerPixel);
}

constexpr QRect toPixels(const TwipsRect &r)
{
    return QRect(toPixels(r.left), toPixels(r.top), toPixels(r.width), toPixels(r.height));
}
} // namespace Design
