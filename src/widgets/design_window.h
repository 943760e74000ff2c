#pragma once

#include "twips.h"

#include <QPoint>
#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class QMainWindow;
class QWidget;

namespace Design {
// A window as its design describes it.
struct Form {
    std::string_view name;
    std::u16string_view caption;
    // The client area, in twips.
    double width = 0;
    double height = 0;
    // The window keeps its design size; otherwise that is only its first size.
    bool fixedSize = true;
    // 0x00BBGGRR; the style's colour when there is none.
    std::optional<std::uint32_t> backColor{};
    // "MS Sans Serif" 8.25 pt, the designs' default; the system's font when off.
    bool designFont = true;
};

// Sets up a window as designed: object name, title, font, colour and the size of its client area.
void setUpForm(QWidget *window, const Form &form);
// A main window's client area is its central widget and its status bar, under the menu bar: the central
// widget takes the colour, and the window grows by the menu bar.
void setUpForm(QMainWindow *window, const Form &form);

// Names a control with its design name and puts it at its design place. containerOrigin is where the design's
// container begins inside the widget's parent: a tab page's controls are placed from the tab control's edge.
template <typename W>
W *place(W *widget, std::string_view name, const TwipsRect &rect, QPoint containerOrigin = {})
{
    widget->setObjectName(QString::fromLatin1(name.data(), qsizetype(name.size())));
    widget->setGeometry(toPixels(rect).translated(-containerOrigin));
    return widget;
}
} // namespace Design
