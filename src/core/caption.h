#pragma once

#include <QString>

// A text the user sees in the interface language: Thai in column 0, English in column 1. The main window's
// language switch chooses the column.
struct Caption {
    const char16_t *thai;
    const char16_t *english;

    QString in(int column) const { return QString::fromUtf16(column == 0 ? thai : english); }
};
