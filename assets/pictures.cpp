#include "pictures.h"

#include <QBitmap>
#include <QString>

namespace Pictures {
namespace {
QPixmap load(const char *name)
{
    return QPixmap(QStringLiteral(":/pictures/") + QLatin1String(name));
}

template <std::size_t N> QPixmap numbered(const char *const (&names)[N], const char *folder, int picture)
{
    if (picture < 1 || picture > int(N))
        return {};
    return QPixmap(QLatin1String(folder) + QLatin1String(names[picture - 1]));
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
    return numbered(names, ":/countdown/", picture);
}

QPixmap background(int picture)
{
    static const char *const names[] = {"background1.png", "background2.jpg"};
    return numbered(names, ":/pictures/", picture);
}

QPixmap toolbarIcon(int button)
{
    static const char *const names[] = {"tool_back.png",    "tool_forward.png", "tool_stop.png",
                                        "tool_refresh.png", "tool_home.png",    "tool_search.png"};
    QPixmap icon = numbered(names, ":/pictures/", button);
    // Kept on the image list's grey, which stands for "transparent".
    if (!icon.isNull())
        icon.setMask(icon.createMaskFromColor(QColor(192, 192, 192), Qt::MaskInColor));
    return icon;
}

QPixmap aboutLogo()
{
    return load("about_logo.png");
}

QPixmap aboutCredit()
{
    return load("about_credit.png");
}

QCursor pictureButtonCursor()
{
    // The tip of the index finger.
    return QCursor(load("cursor_hand.png"), 11, 1);
}

QCursor bidCursor()
{
    // The striking face of the gavel's head.
    return QCursor(load("cursor_gavel.png"), 5, 16);
}
} // namespace Pictures
