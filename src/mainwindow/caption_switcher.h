#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class QObject;

// Applies the caption table to the main window, and names the controls for assistive technology in the same
// language. The controls are looked up once, when the window is built.
class CaptionSwitcher {
public:
    explicit CaptionSwitcher(QObject *window);

    // Names the tables give that the window does not have; empty when every control was found.
    const QStringList &unresolved() const { return m_unresolved; }

    // "T" applies Thai, anything else English: the 28 captions, then the accessible names.
    void SetLanguage(const QString &code);

private:
    using Setter = std::function<void(const QString &)>;
    Setter resolve(QObject *window, const char *name);

    std::vector<Setter> m_captions;
    std::vector<std::function<void(int column)>> m_accessibleNames;
    QStringList m_unresolved;
};
