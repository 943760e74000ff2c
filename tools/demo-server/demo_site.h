#pragma once

#include "http_response.h"

#include <QByteArray>
#include <QLatin1StringView>
#include <QList>
#include <QString>

// The demo service's web face: the routes to the sign-in check, the banner, the product pages, the gallery
// and the service's pages.
namespace DemoSite {
struct Account {
    QString user;
    QString password;
    QString memberId;
};
const QList<Account> &accounts();

// The demo's own pages beside the service's.
inline constexpr QLatin1StringView galleryPath("/gallery.htm");
inline constexpr QLatin1StringView cancelledPath("/cancel.htm");

// target is the request target as sent, query included.
HttpResponse get(const QByteArray &target);
HttpResponse errorPage(int status);
} // namespace DemoSite
