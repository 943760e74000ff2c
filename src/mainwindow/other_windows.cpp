#include "other_windows.h"

#include "dialog.h"
#include "frm_hbid.h"
#include "frm_login.h"
#include "frm_tool.h"

#include <QApplication>

OtherWindows::OtherWindows(QWidget *owner, SignInTarget &signIn, ToolTarget &tool, Prompter &prompter,
                           const WorkFolder &folder, std::chrono::milliseconds signInTimeout)
    : m_owner(owner), m_signIn(signIn), m_toolTarget(tool), m_prompter(prompter), m_folder(folder),
      m_signInTimeout(signInTimeout)
{}

void OtherWindows::openSignIn(bool modal)
{
    if (!m_login) {
        m_login = new frmLogin(m_signIn, m_prompter, m_folder, m_owner);
        m_login->setRequestTimeout(m_signInTimeout);
        m_login->setWindowModality(modal ? Qt::ApplicationModal : Qt::NonModal);
        m_login->show();
    }
    m_login->raise();
    m_login->activateWindow();
}

frmLogin *OtherWindows::signInWindow() const
{
    return m_login;
}

frmTool *OtherWindows::toolWindow() const
{
    return m_tool;
}

frmTool *OtherWindows::makeToolWindow()
{
    if (!m_tool)
        m_tool = new frmTool(m_toolTarget, m_folder, m_owner);
    return m_tool;
}

void OtherWindows::showToolWindow()
{
    makeToolWindow()->show();
    m_tool->raise();
}

void OtherWindows::showGalleryAddress(const QString &url)
{
    makeToolWindow()->setAddress(url);
}

void OtherWindows::showHistory()
{
    frmHbid::showModal(m_folder, m_owner);
}

void OtherWindows::showAbout()
{
    Dialog::showAbout(m_owner);
}

void OtherWindows::closeAll()
{
    if (m_tool)
        m_tool->close();
    if (m_login)
        m_login->close();
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window != m_owner && window->isVisible())
            window->close();
    }
}
