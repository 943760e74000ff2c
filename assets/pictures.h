#pragma once

#include <QPixmap>

// The pictures of the windows, from the resource file.
namespace Pictures {
QPixmap appIcon();
QPixmap login();
QPixmap help();
QPixmap calculator();
QPixmap basket();
QPixmap logo();
QPixmap contain();
QPixmap goBid();
} // namespace Pictures
