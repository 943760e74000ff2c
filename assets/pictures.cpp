#include "pictures.h"

#include <QString>

namespace Pictures {
namespace {
QPixmap load(const char *name)
{
    return QPixmap(QStringLiteral(":/pictures/") + QLatin1String(name));
}
} // namespace

QPixmap appIcon()
{
    return load("app_icon.png");
}

QPixmap login()
{
    return load("login.png");
}

QPixmap help()
{
    return load("help.png");
}

QPixmap calculator()
{
    return load("calculator.png");
}

QPixmap basket()
{
    return load("basket.png");
}

QPixmap logo()
{
    return load("logo.png");
}

QPixmap contain()
{
    return load("contain.png");
}

QPixmap goBid()
{
    return load("gobid.png");
}
QPixmap countdown(int picture)
{
    static const char *const names[] = {"stage1.png", "stage2.png", "stage3.png", "sold.png"};
    if (picture < 1 || picture > 4)
        return {};
    return QPixmap(QStringLiteral(":/countdown/") + QLatin1String(names[picture - 1]));
}
} // namespace Pictures
