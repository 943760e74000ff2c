#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The pieces of the sign-in exchange with the service's web server, free of any window.
namespace SignIn {
// The auction port as configured: a whole number from 1 to 65535, nothing else.
std::optional<int> parsePort(const QString &text);

// The sign-in check's address on the web server that ip names, the values percent-encoded from their
// Windows-874 bytes so that the server reads them exactly as typed.
QByteArray requestUrl(const QString &ip, const QString &userName, const QString &password);

struct Reply {
    bool accepted = false;
    QString memberId;
};
// The server accepts when the body starts with the accepting prefix; the member ID is the text between the
// first and the second "=".
Reply parseReply(const QByteArray &body);

// What the main window's status bar shows before anyone has signed in, and ahead of a member's ID.
inline constexpr char16_t statusLabel[] = u"UID :";
// What the main window's status bar shows for a signed-in member.
QString memberStatusText(const QString &memberId);
} // namespace SignIn
