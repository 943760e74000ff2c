#pragma once

#include "prompter.h"

class QWidget;

// Message boxes on screen, over the active window.
class MessageBoxPrompter : public Prompter {
public:
    Answer ask(const Request &request) override;
};
