#include "demo_site.h"

#include "auction_protocol.h"
#include "cp874.h"
#include "demo_pages.h"
#include "http_request.h"

#include <QStringDecoder>

namespace {
QString decodeQueryText(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    const QString text = utf8(bytes);
    return utf8.hasError() ? Cp874::decode(bytes) : text;
}

HttpResponse signInCheck(const QByteArray &query)
{
    QByteArray user;
    QByteArray password;
    bool hasUser = false;
    for (const QByteArray &pair : query.split('&')) {
        const qsizetype eq = pair.indexOf('=');
        const QByteArray key = (eq < 0 ? pair : pair.left(eq)).toUpper();
        const QByteArray value = eq < 0 ? QByteArray() : percentDecoded(pair.mid(eq + 1));
        if (key == Protocol::Web::userParameter && !hasUser) {
            user = value;
            hasUser = true;
        } else if (key == Protocol::Web::passwordParameter && password.isNull()) {
            password = value.isNull() ? QByteArray("") : value;
        }
    }
    HttpResponse r;
    r.contentType = "text/plain; charset=windows-874";
    r.body = "ERROR=1";
    const QString name = Cp874::decode(user);
    const QString secret = Cp874::decode(password);
    for (const DemoSite::Account &account : DemoSite::accounts()) {
        if (account.user == name && account.password == secret) {
            r.body = Protocol::Web::accepted.toByteArray() + '=' + account.memberId.toLatin1();
            break;
        }
    }
    return r;
}

// "/product/P1001.htm" -> "P1001"; empty when path is not of that form.
QString nameBetween(const QString &path, QLatin1StringView prefix, QLatin1StringView suffix)
{
    if (!path.startsWith(prefix) || !path.endsWith(suffix) || path.size() <= prefix.size() + suffix.size())
        return {};
    return path.mid(prefix.size(), path.size() - prefix.size() - suffix.size());
}

using MakePage = HttpResponse (*)();

// The pages that stand at a fixed path.
const QList<std::pair<QString, MakePage>> &fixedPages()
{
    using Protocol::Web::Page, Protocol::Web::path;
    static const QList<std::pair<QString, MakePage>> pages = {
        {QStringLiteral("/"), DemoPages::home},
        {QStringLiteral("/index.htm"), DemoPages::home},
        {QStringLiteral("/default.asp"), DemoPages::home},
        {DemoSite::galleryPath, DemoPages::gallery},
        {Protocol::Web::bannerPath, DemoPages::banner},
        {path(Page::News), DemoPages::news},
        {path(Page::Faq), DemoPages::faq},
        {path(Page::Help), DemoPages::help},
        {path(Page::Contact), DemoPages::contact},
        {path(Page::Register), DemoPages::registration},
        {path(Page::ProductsOfInterest), DemoPages::productsOfInterest},
        {path(Page::Posting), DemoPages::posting},
        {DemoSite::cancelledPath, DemoPages::cancelled},
    };
    return pages;
}
} // namespace

namespace DemoSite {
const QList<Account> &accounts()
{
    static const QList<Account> list = {
        {QStringLiteral("somchai"), QStringLiteral("1234"), QStringLiteral("1001")},
        {QStringLiteral("alice"), QStringLiteral("alice"), QStringLiteral("1002")},
        {QStringLiteral("bob"), QStringLiteral("bob"), QStringLiteral("1003")},
        {QStringLiteral("สมหญิง"), QStringLiteral("1234"), QStringLiteral("1004")},
    };
    return list;
}

HttpResponse errorPage(int status)
{
    return DemoPages::error(status);
}

HttpResponse get(const QByteArray &target)
{
    QByteArray rest = target;
    // An absolute target names the host too; only its path matters here.
    if (rest.startsWith("http://")) {
        const qsizetype slash = rest.indexOf('/', 7);
        rest = slash < 0 ? QByteArray("/") : rest.mid(slash);
    }
    if (!rest.startsWith('/'))
        return errorPage(400);
    if (const qsizetype hash = rest.indexOf('#'); hash >= 0)
        rest.truncate(hash);
    const qsizetype question = rest.indexOf('?');
    const QByteArray query = question < 0 ? QByteArray() : rest.mid(question + 1);
    const QString path = Cp874::decode(percentDecoded(question < 0 ? rest : rest.left(question))).toLower();

    if (path == Protocol::Web::signInPath)
        return signInCheck(query);
    if (path == Protocol::Web::path(Protocol::Web::Page::Search)) {
        QByteArray q;
        for (const QByteArray &pair : query.split('&')) {
            if (pair.startsWith("q="))
                q = percentDecoded(QByteArray(pair.mid(2)).replace('+', ' '));
        }
        return DemoPages::search(decodeQueryText(q));
    }
    if (const QString id = nameBetween(path, productFolder, pageSuffix); !id.isEmpty()) {
        const Product *p = Catalogue::findProduct(id);
        return p ? DemoPages::product(*p) : errorPage(404);
    }
    if (const QString slug = nameBetween(path, categoryFolder, pageSuffix); !slug.isEmpty()) {
        const Category *c = Catalogue::findCategory(slug);
        return c ? DemoPages::category(*c) : errorPage(404);
    }
    for (const auto &[fixed, page] : fixedPages()) {
        if (path == fixed)
            return page();
    }
    return errorPage(404);
}
} // namespace DemoSite
