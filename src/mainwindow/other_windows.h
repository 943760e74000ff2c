#pragma once

#include "work_folder.h"

#include <QPointer>
#include <chrono>

class Prompter;
class QWidget;
class SignInTarget;
class ToolTarget;
class frmLogin;
class frmTool;

// The windows the main window opens over itself: sign-in, toolbar, history and the about box. Each is built
// afresh when it opens and is gone once closed; there is never more than one of each.
class OtherWindows {
public:
    OtherWindows(QWidget *owner, SignInTarget &signIn, ToolTarget &tool, Prompter &prompter,
                 const WorkFolder &folder, std::chrono::milliseconds signInTimeout);

    // Modal when the user asks for it; without blocking after a lost connection. One already open comes
    // forward instead.
    void openSignIn(bool modal);
    // Shown and brought forward.
    void showToolWindow();
    // The gallery's address in the toolbar's box: the window is made when needed, but not shown.
    void showGalleryAddress(const QString &url);
    // Modal; each returns once its window is closed.
    void showHistory();
    void showAbout();
    // Every window still open is closed.
    void closeAll();

    frmLogin *signInWindow() const;
    frmTool *toolWindow() const;

private:
    frmTool *makeToolWindow();

    QWidget *m_owner;
    SignInTarget &m_signIn;
    ToolTarget &m_toolTarget;
    Prompter &m_prompter;
    WorkFolder m_folder;
    std::chrono::milliseconds m_signInTimeout;
    QPointer<frmLogin> m_login;
    QPointer<frmTool> m_tool;
};
