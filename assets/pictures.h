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
// The countdown picture: 1 to 3 the stage digits, 4 the closing banner; anything else is no picture.
QPixmap countdown(int picture);
} // namespace Pictures
