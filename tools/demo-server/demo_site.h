#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

struct HttpResponse {
    int status = 200;
    QByteArray contentType; // the whole header value, charset included
    QByteArray body;

    // Status line, headers and (unless for HEAD) the body, ready for a socket that closes afterwards.
    QByteArray serialize(bool withBody = true) const;
};

// The demo service's web face: sign-in check, banner, product pages, gallery and the service pages.
namespace DemoSite {
struct Account {
    QString user;
    QString password;
    QString memberId;
};
const QList<Account> &accounts();

// target is the request target as sent ("/chkmbid.asp?UID=...").
HttpResponse get(const QByteArray &target);
HttpResponse errorPage(int status);
} // namespace DemoSite
