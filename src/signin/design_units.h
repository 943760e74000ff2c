#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <cstdint>

// Window designs are kept in twips, colours in the 0x00BBGGRR form and fonts under their design names; these
// are the one place where they become pixels, QColor and installed fonts.
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

inline QColor fromBgr(std::uint32_t bgr)
{
    return QColor::fromRgb(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

// "MS Sans Serif" and "Times New Roman" of the designs, replaced by faces that carry Thai.
QFont sansFont(qreal pointSize, bool bold = false);
QFont serifFont(qreal pointSize, bool bold = false);
} // namespace Design
