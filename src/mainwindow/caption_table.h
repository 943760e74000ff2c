#pragma once

#include <QString>
#include <array>

// The language-dependent captions of the main window: Thai in column 0, English in column 1.
namespace CaptionTable {
inline constexpr int rowCount = 28;

struct Row {
    const char *control; // object name of the label, menu or menu item the row sets
    const char16_t *thai;
    const char16_t *english;
};

const std::array<Row, rowCount> &rows();

// "T" chooses Thai (exact comparison); anything else English.
int column(const QString &code);
QString caption(int row, int column);
} // namespace CaptionTable
