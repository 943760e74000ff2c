#pragma once

#include "work_folder.h"

#include <QDialog>
#include <chrono>

class Prompter;
class QLabel;
class QLineEdit;
class QPushButton;
class SignInCheck;
class SignInTarget;

// The sign-in window. Built afresh at each opening and deleted when it closes.
class frmLogin : public QDialog {
    Q_OBJECT
public:
    enum class State { Entry, Checking };

    frmLogin(SignInTarget &target, Prompter &prompter, const WorkFolder &folder, QWidget *parent = nullptr);
    ~frmLogin() override;

    struct Controls {
        QLineEdit *txtUserName;
        QLineEdit *txtPassword;
        QPushButton *cmdOK;
        QPushButton *cmdCancel;
        QLabel *lblLabels[2];
        QLabel *lbmessage;
    };

    void setRequestTimeout(std::chrono::milliseconds timeout);
    State state() const { return m_state; }
    const Controls &controls() const { return m_ui; }

public slots:
    void cmdOK_Click();
    void cmdCancel_Click();

private:
    void enterState(State state);
    void setBusy(bool busy);
    void checkReplied(const QByteArray &body);
    void checkFailed(const QString &errorText);
    void rejectAttempt();
    void reject() override;

    SignInTarget &m_target;
    Prompter &m_prompter;
    WorkFolder m_folder;
    SignInCheck *m_check;
    Controls m_ui{};
    State m_state = State::Entry;
    bool m_busy = false;
    QString m_host;
    int m_port = 0;
    QString m_checkedUser; // the name the pending check asks about
};
