#include "design_units.h"

#include <QStringList>

namespace Design {
namespace {
QFont makeFont(const QStringList &families, qreal pointSize, bool bold)
{
    QFont font;
    font.setFamilies(families);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}
} // namespace

QFont sansFont(qreal pointSize, bool bold)
{
    return makeFont({QStringLiteral("Loma"), QStringLiteral("Garuda"), QStringLiteral("Tlwg Typo"),
                     QStringLiteral("Sans Serif")},
                    pointSize, bold);
}

QFont serifFont(qreal pointSize, bool bold)
{
    return makeFont({QStringLiteral("Norasi"), QStringLiteral("Kinnari"), QStringLiteral("Serif")}, pointSize,
                    bold);
}
} // namespace Design
