#include "external_programs.h"

#include "profile_file.h"
#include "prompter.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

QString SystemProgramLauncher::findOnSearchPath(const QString &name) const
{
    return QStandardPaths::findExecutable(name);
}

bool SystemProgramLauncher::startDetached(const QString &program, const QString &workingDirectory)
{
    return QProcess::startDetached(program, {}, workingDirectory);
}

const QStringList ExternalPrograms::calculators = {QStringLiteral("gnome-calculator"),
                                                   QStringLiteral("kcalc"), QStringLiteral("galculator"),
                                                   QStringLiteral("mate-calc"), QStringLiteral("xcalc")};

ExternalPrograms::ExternalPrograms(ProgramLauncher &launcher, Prompter &prompter, const WorkFolder &folder)
    : m_launcher(launcher), m_prompter(prompter), m_folder(folder)
{}

QString ExternalPrograms::chatProgram() const
{
    const QString path = m_folder.chatProgram();
    return QFileInfo(path).isFile() ? path : QString();
}

void ExternalPrograms::MCC_Click(const QString &userName)
{
    const QString program = chatProgram();
    if (program.isEmpty() || userName.isEmpty())
        return;
    WriteIniKey(QStringLiteral("INFO"), QStringLiteral("Name"), userName, m_folder.handOverIni());
    if (!m_launcher.startDetached(program, m_folder.path()))
        reportFailure(QStringLiteral("ไม่สามารถเปิดโปรแกรมสนทนา ") + QFileInfo(program).fileName() +
                      QStringLiteral(" ได้"));
}

void ExternalPrograms::but_Cal_Click()
{
    for (const QString &name : calculators) {
        const QString program = m_launcher.findOnSearchPath(name);
        if (program.isEmpty())
            continue;
        if (!m_launcher.startDetached(program, QString()))
            reportFailure(QStringLiteral("ไม่สามารถเปิดโปรแกรมเครื่องคิดเลข ") + name + QStringLiteral(" ได้"));
        return;
    }
    reportFailure(QStringLiteral("ไม่พบโปรแกรมเครื่องคิดเลขในเครื่องนี้ (") + calculators.join(QStringLiteral(", ")) +
                  QLatin1Char(')'));
}

void ExternalPrograms::reportFailure(const QString &text)
{
    m_prompter.ask(Box::warning(text));
}
