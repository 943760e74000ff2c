#pragma once

#include <QColor>

class QWidget;

// The designs' BackColor and ForeColor, set the same way in every window.
namespace Design {
// A window's own colour: its child controls keep their own field colour.
void setFormColor(QWidget *widget, const QColor &colour);
// A control's colour, its face and its text field alike.
void setBackColor(QWidget *widget, const QColor &colour);
void setForeColor(QWidget *widget, const QColor &colour);
} // namespace Design
