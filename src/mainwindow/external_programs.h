#pragma once

#include "work_folder.h"

#include <QString>
#include <QStringList>

class Prompter;

// Finds and starts other programs; tests put a fake in its place so that nothing is started.
class ProgramLauncher {
public:
    virtual ~ProgramLauncher() = default;
    // The full path of an executable found on the search path, or the empty text.
    virtual QString findOnSearchPath(const QString &name) const = 0;
    // Starts the program without waiting for it. Returns whether it started.
    virtual bool startDetached(const QString &program, const QString &workingDirectory) = 0;
};

class SystemProgramLauncher : public ProgramLauncher {
public:
    QString findOnSearchPath(const QString &name) const override;
    bool startDetached(const QString &program, const QString &workingDirectory) override;
};

// The sibling chat program in the work folder and the desktop calculator.
class ExternalPrograms {
public:
    static const QStringList calculators;

    ExternalPrograms(ProgramLauncher &launcher, Prompter &prompter, const WorkFolder &folder);

    // The chat program in the work folder, whatever its letter case, or the empty text when there is none.
    QString chatProgram() const;
    bool chatProgramPresent() const { return !chatProgram().isEmpty(); }

    // Hands the user's name to the chat program through H.ini and starts it; nothing when the program is
    // gone or there is no name.
    void MCC_Click(const QString &userName);
    // Starts the first desktop calculator found on the search path.
    void but_Cal_Click();

private:
    void reportFailure(const QString &text);

    ProgramLauncher &m_launcher;
    Prompter &m_prompter;
    WorkFolder m_folder;
};
