#pragma once

#include <QCursor>
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
// The built-in background of the auction panel: 1 a 285 x 310 picture, 2 a larger photograph; anything
// else is no picture.
QPixmap background(int picture);
// The toolbar window's buttons, 1 to 6 from left to right (Back, Forward, Stop, Refresh, Home, Search), 24 x
// 24 with their light grey background made transparent; anything else is no picture.
QPixmap toolbarIcon(int button);
// The about box's logo (356 x 106) and credit line (192 x 26).
QPixmap aboutLogo();
QPixmap aboutCredit();
// Pointers: a pointing hand over the four picture buttons of the top strip, a gavel over the bid button.
QCursor pictureButtonCursor();
QCursor bidCursor();
} // namespace Pictures
