#pragma once

#include "caption_table.h"

#include <QString>
#include <functional>
#include <vector>

class QAction;
class QLabel;
class QWidget;

// The main window's texts that follow the interface language: captions, and the names assistive technology
// speaks. The window's builders register each widget as they make it; a widget shows its text at once, in the
// language shown (Thai, the one the window starts in, until the first switch).
class CaptionSwitcher {
public:
    void follow(QLabel *label, const Caption &caption);
    // A menu follows through its menu action.
    void follow(QAction *action, const Caption &caption);

    // A control without a caption of its own, named for what it is.
    void speak(QWidget *widget, const Caption &name);
    // A figure's own text is its value: the caption beside it describes it.
    void describe(QWidget *figure, const Caption &caption);
    // An entry box is named by the caption beside it.
    void nameAfter(QWidget *entry, const Caption &caption);

    // A text made of captions and what the window holds at the moment (a state, an amount): show puts it up
    // in the language of column, now and at every switch.
    void follow(std::function<void(int column)> show);

    // The language menu's two check items: the one of the language shown is checked.
    void markLanguage(QAction *thai, QAction *english);

    // "T" applies Thai, anything else English.
    void SetLanguage(const QString &code);
    // The language shown, as a column of the caption table.
    int column() const { return m_column; }

private:
    void add(std::function<void(int column)> apply);

    std::vector<std::function<void(int column)>> m_apply;
    int m_column = 0;
};
