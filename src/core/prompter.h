#pragma once

#include <QString>

// Every message box of the program goes through a Prompter, so tests can answer them.
class Prompter {
public:
    enum class Icon { None, Information, Warning, Critical, Question };
    enum class Buttons { Ok, OkCancel };
    enum class Answer { Ok, Cancel };
    struct Request {
        QString text;
        QString title;
        Icon icon = Icon::None;
        Buttons buttons = Buttons::Ok;
    };

    virtual ~Prompter() = default;
    // Modal: returns when the user has answered.
    virtual Answer ask(const Request &request) = 0;
};
