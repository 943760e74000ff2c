#include "frm_login.h"

#include "design_window.h"
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
using Design::place;
using Design::TwipsRect;

constexpr Design::Form form{.name = "frmLogin", .caption = u"Login", .width = 3750, .height = 1605};

const QString checkingText = QStringLiteral("กำลังตรวจสอบ ชื่อผู้ใช้และรหัสผ่าน .......");
const QString rejectedText = QStringLiteral("พบข้อผิดพลาด.... กรุณาลองใหม่อีกครั้ง");

QLabel *caption(QWidget *parent, std::string_view name, const TwipsRect &rect, const QString &text)
{
    auto *label = place(new QLabel(text, parent), name, rect);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}
} // namespace

frmLogin::frmLogin(SignInTarget &target, Prompter &prompter, const WorkFolder &folder, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      m_target(target), m_prompter(prompter), m_folder(folder), m_check(new SignInCheck(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    Design::setUpForm(this, form);

    m_ui.txtUserName = place(new QLineEdit(this), "txtUserName", {1335, 120, 2325, 345});
    m_ui.txtPassword = place(new QLineEdit(this), "txtPassword", {1335, 540, 2325, 345});
    m_ui.txtPassword->setEchoMode(QLineEdit::Password);
    // Masked with "*" as designed, not with the style's bullet.
    m_ui.txtPassword->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
    m_ui.cmdOK = place(new QPushButton(QStringLiteral("OK"), this), "cmdOK", {525, 1095, 1140, 390});
    m_ui.cmdOK->setDefault(true);
    m_ui.cmdOK->setAutoDefault(true);
    m_ui.cmdCancel =
        place(new QPushButton(QStringLiteral("Cancel"), this), "cmdCancel", {2145, 1095, 1140, 390});
    m_ui.cmdCancel->setAutoDefault(false);

    m_ui.lblLabels[0] = caption(this, "lblLabels_0", {150, 135, 1080, 270}, QStringLiteral("&Login  Name:"));
    m_ui.lblLabels[1] = caption(this, "lblLabels_1", {150, 555, 1080, 270}, QStringLiteral("&Password:"));
    // The design's hidden third caption and name box: nothing shows them.
    caption(this, "lblLabels_2", {150, 135, 1080, 270}, QStringLiteral("&Login Name :"))->hide();
    place(new QLineEdit(this), "LoginNm", {1335, 120, 2325, 345})->hide();
    m_ui.lblLabels[0]->setBuddy(m_ui.txtUserName);
    m_ui.lblLabels[1]->setBuddy(m_ui.txtPassword);

    m_ui.lbmessage = place(new QLabel(checkingText, this), "lbmessage", {330, 450, 3075, 495});
    m_ui.lbmessage->setAlignment(Qt::AlignCenter);
    m_ui.lbmessage->setWordWrap(true);
    m_ui.lbmessage->hide();

    setTabOrder(m_ui.txtUserName, m_ui.txtPassword);
    setTabOrder(m_ui.txtPassword, m_ui.cmdOK);
    setTabOrder(m_ui.cmdOK, m_ui.cmdCancel);

    connect(m_ui.cmdOK, &QPushButton::clicked, this, &frmLogin::cmdOK_Click);
    connect(m_ui.cmdCancel, &QPushButton::clicked, this, &frmLogin::cmdCancel_Click);
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
        m_prompter.ask(
            Box::plain(tr("HOSTIP.INI was not found in %1").arg(QDir::toNativeSeparators(m_folder.path()))));
        return;
    }
    m_host = HostConfig::ip(m_folder);
    const QString portText = HostConfig::port(m_folder);
    const std::optional<int> port = SignIn::parsePort(portText);
    if (!port) {
        m_prompter.ask(
            Box::plain(tr("PORT in HOSTIP.INI is not a port number from 1 to 65535: \"%1\"").arg(portText)));
        return;
    }
    m_port = *port;

    const QString userName = m_ui.txtUserName->text();
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
    m_check->start(SignIn::requestUrl(m_host, m_checkedUser, m_ui.txtPassword->text()));
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
    m_prompter.ask(Box::plain(errorText));
}

void frmLogin::rejectAttempt()
{
    m_prompter.ask(Box::plain(rejectedText));
    enterState(State::Entry);
    m_ui.txtUserName->clear();
    m_ui.txtPassword->clear();
}

void frmLogin::enterState(State state)
{
    m_state = state;
    const bool entry = state == State::Entry;
    m_ui.lblLabels[0]->setVisible(entry);
    m_ui.lblLabels[1]->setVisible(entry);
    m_ui.txtPassword->setVisible(entry);
    m_ui.txtUserName->setVisible(entry);
    m_ui.lbmessage->setVisible(!entry);
    if (entry)
        m_ui.txtUserName->setFocus();
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
