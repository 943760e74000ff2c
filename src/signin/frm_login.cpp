#include "frm_login.h"

#include "design_units.h"
#include "host_config.h"
#include "prompter.h"
#include "sign_in_check.h"
#include "sign_in_request.h"
#include "sign_in_target.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace {
using Design::TwipsRect;

constexpr int clientWidth = 3750;
constexpr int clientHeight = 1605;
constexpr TwipsRect txtUserNameRect{1335, 120, 2325, 345};
constexpr TwipsRect txtPasswordRect{1335, 540, 2325, 345};
constexpr TwipsRect cmdOKRect{525, 1095, 1140, 390};
constexpr TwipsRect cmdCancelRect{2145, 1095, 1140, 390};
constexpr TwipsRect lblLabels0Rect{150, 135, 1080, 270};
constexpr TwipsRect lblLabels1Rect{150, 555, 1080, 270};
constexpr TwipsRect lblLabels2Rect{150, 135, 1080, 270};
constexpr TwipsRect lbmessageRect{330, 450, 3075, 495};
constexpr TwipsRect LoginNmRect{1335, 120, 2325, 345};

const QString applicationTitle = QStringLiteral("Gavora");
const QString checkingText = QStringLiteral("กำลังตรวจสอบ ชื่อผู้ใช้และรหัสผ่าน .......");
const QString rejectedText = QStringLiteral("พบข้อผิดพลาด.... กรุณาลองใหม่อีกครั้ง");

template <typename W> W *place(W *widget, const char *name, const TwipsRect &rect)
{
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(Design::toPixels(rect));
    return widget;
}
} // namespace

frmLogin::frmLogin(SignInTarget &target, Prompter &prompter, const WorkFolder &folder, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      m_target(target), m_prompter(prompter), m_folder(folder), m_check(new SignInCheck(this))
{
    setObjectName(QStringLiteral("frmLogin"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Login"));
    setFont(Design::sansFont(8.25));
    setFixedSize(Design::toPixels(clientWidth), Design::toPixels(clientHeight));

    txtUserName = place(new QLineEdit(this), "txtUserName", txtUserNameRect);
    txtPassword = place(new QLineEdit(this), "txtPassword", txtPasswordRect);
    txtPassword->setEchoMode(QLineEdit::Password);
    // Masked with "*" as designed, not with the style's bullet.
    txtPassword->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
    cmdOK = place(new QPushButton(QStringLiteral("OK"), this), "cmdOK", cmdOKRect);
    cmdOK->setDefault(true);
    cmdOK->setAutoDefault(true);
    cmdCancel = place(new QPushButton(QStringLiteral("Cancel"), this), "cmdCancel", cmdCancelRect);
    cmdCancel->setAutoDefault(false);

    lblLabels[0] = place(new QLabel(QStringLiteral("&Login  Name:"), this), "lblLabels_0", lblLabels0Rect);
    lblLabels[1] = place(new QLabel(QStringLiteral("&Password:"), this), "lblLabels_1", lblLabels1Rect);
    lblLabels[2] = place(new QLabel(QStringLiteral("&Login Name :"), this), "lblLabels_2", lblLabels2Rect);
    for (QLabel *label : lblLabels)
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblLabels[0]->setBuddy(txtUserName);
    lblLabels[1]->setBuddy(txtPassword);
    lblLabels[2]->hide();
    LoginNm = place(new QLineEdit(this), "LoginNm", LoginNmRect);
    LoginNm->hide();

    lbmessage = place(new QLabel(checkingText, this), "lbmessage", lbmessageRect);
    lbmessage->setAlignment(Qt::AlignCenter);
    lbmessage->setWordWrap(true);
    lbmessage->hide();

    setTabOrder(txtUserName, txtPassword);
    setTabOrder(txtPassword, cmdOK);
    setTabOrder(cmdOK, cmdCancel);

    connect(cmdOK, &QPushButton::clicked, this, &frmLogin::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmLogin::cmdCancel_Click);
    connect(m_check, &SignInCheck::replied, this, &frmLogin::checkReplied);
    connect(m_check, &SignInCheck::failed, this, &frmLogin::checkFailed);

    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
}

frmLogin::~frmLogin()
{
    setBusy(false);
}

void frmLogin::setRequestTimeout(std::chrono::milliseconds timeout)
{
    m_check->setTimeout(timeout);
}

void frmLogin::cmdOK_Click()
{
    // The configuration is read at every press, so an edited file takes effect at the next attempt.
    if (!QFileInfo::exists(m_folder.hostIni())) {
        m_prompter.ask({tr("HOSTIP.INI was not found in %1").arg(QDir::toNativeSeparators(m_folder.path())),
                        applicationTitle, Prompter::Icon::Critical, Prompter::Buttons::Ok});
        return;
    }
    m_host = HostConfig::ip(m_folder);
    const QString portText = HostConfig::port(m_folder);
    const std::optional<int> port = SignIn::parsePort(portText);
    if (!port) {
        m_prompter.ask({tr("PORT in HOSTIP.INI is not a port number from 1 to 65535: \"%1\"").arg(portText),
                        applicationTitle, Prompter::Icon::Critical, Prompter::Buttons::Ok});
        return;
    }
    m_port = *port;

    const QString userName = txtUserName->text();
    if (userName.trimmed().isEmpty())
        return;

    if (m_check->isPending()) {
        // The earlier attempt must not sign in later with the names this rejection clears.
        m_check->cancel();
        setBusy(false);
        rejectAttempt();
        return;
    }
    setBusy(true);
    enterState(State::Checking);
    m_checkedUser = userName;
    m_check->start(SignIn::requestUrl(m_host, m_checkedUser, txtPassword->text()));
}

void frmLogin::cmdCancel_Click()
{
    QDialog::reject();
}

void frmLogin::reject()
{
    cmdCancel_Click();
}

void frmLogin::checkReplied(const QByteArray &body)
{
    setBusy(false);
    const SignIn::Reply reply = SignIn::parseReply(body);
    if (!reply.accepted) {
        rejectAttempt();
        return;
    }
    // Our own state is gone after close(); the target gets copies, among them the name that was checked.
    const QString host = HostConfig::hostOf(m_host);
    const int port = m_port;
    const QString user = m_checkedUser;
    SignInTarget &target = m_target;
    close();
    target.showMemberStatus(SignIn::memberStatusText(reply.memberId));
    target.ConnectAuctionSocket(host, port, user);
}

void frmLogin::checkFailed(const QString &errorText)
{
    setBusy(false);
    enterState(State::Entry);
    m_prompter.ask({errorText, applicationTitle, Prompter::Icon::Critical, Prompter::Buttons::Ok});
}

void frmLogin::rejectAttempt()
{
    m_prompter.ask({rejectedText, applicationTitle, Prompter::Icon::None, Prompter::Buttons::Ok});
    enterState(State::Entry);
    txtUserName->clear();
    txtPassword->clear();
}

void frmLogin::enterState(State state)
{
    m_state = state;
    const bool entry = state == State::Entry;
    lblLabels[0]->setVisible(entry);
    lblLabels[1]->setVisible(entry);
    txtPassword->setVisible(entry);
    txtUserName->setVisible(entry);
    lbmessage->setVisible(!entry);
    if (entry)
        txtUserName->setFocus();
}

void frmLogin::setBusy(bool busy)
{
    if (busy == m_busy)
        return;
    m_busy = busy;
    if (busy)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QGuiApplication::restoreOverrideCursor();
}
