#pragma once

#include "twips.h"

#include <QColor>
#include <QFont>
#include <cstdint>

// Colours of the designs are kept in the 0x00BBGGRR form and fonts under their design names; these are the
// one place where they become QColor and installed fonts.
namespace Design {
inline QColor fromBgr(std::uint32_t bgr)
{
    return QColor::fromRgb(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

// "MS Sans Serif" and "Times New Roman" of the designs, replaced by faces that carry Thai.
QFont sansFont(qreal pointSize, bool bold = false);
QFont serifFont(qreal pointSize, bool bold = false);
} // namespace Design
