#pragma once

#include "caption.h"

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

    // The interface language, as a Caption column: the program's own boxes and dialogs label their buttons
    // in it. The main window's language switch sets it; the program starts in Thai.
    void setLanguage(int column) { m_language = column; }
    int language() const { return m_language; }

private:
    int m_language = 0;
};

// The kinds of box the program shows, each with its icon, buttons and title; the titles are defined here
// alone. Hand the result to Prompter::ask.
namespace Box {
// "Gavora" for the program's own boxes, "Gavora.Com" for those that speak for the service.
enum class Title { Program, Service };

// The buttons of the program's boxes and dialogs: the toolkit has no Thai for its own.
inline constexpr Caption okButton{u"ตกลง", u"OK"};
inline constexpr Caption cancelButton{u"ยกเลิก", u"Cancel"};

inline Prompter::Request request(const QString &text, Title title, Prompter::Icon icon,
                                 Prompter::Buttons buttons = Prompter::Buttons::Ok)
{
    return {text, title == Title::Program ? QStringLiteral("Gavora") : QStringLiteral("Gavora.Com"), icon,
            buttons};
}

inline Prompter::Request critical(const QString &text)
{
    return request(text, Title::Program, Prompter::Icon::Critical);
}

inline Prompter::Request warning(const QString &text)
{
    return request(text, Title::Program, Prompter::Icon::Warning);
}

inline Prompter::Request information(const QString &text, Title title = Title::Program)
{
    return request(text, title, Prompter::Icon::Information);
}

// No icon.
inline Prompter::Request plain(const QString &text)
{
    return request(text, Title::Program, Prompter::Icon::None);
}

// OK and Cancel.
inline Prompter::Request question(const QString &text, Title title = Title::Program)
{
    return request(text, title, Prompter::Icon::Question, Prompter::Buttons::OkCancel);
}
} // namespace Box
