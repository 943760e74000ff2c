#include "auction_protocol.h"

#include "amount.h"
#include "cp874.h"
#include "get_field.h"
#include "wire_format.h"

#include <QStringList>

namespace Protocol {
namespace {
// count empty fields, to be set by position.
QLatin1StringView latin1(QByteArrayView bytes)
{
    return QLatin1StringView(bytes.data(), bytes.size());
}

QStringList fields(int count, QByteArrayView field0)
{
    QStringList list(count);
    list[0] = latin1(field0);
    return list;
}

QString decoded(const ClosedFields &fields, int n)
{
    const auto field = fields.at(n);
    return field ? Cp874::decode(*field) : QString();
}
} // namespace

QByteArrayView keyword(Server message)
{
    for (const auto &[candidate, text] : keywords) {
        if (candidate == message)
            return text;
    }
    return {};
}

QByteArray productInfo(const ProductFields &p)
{
    using namespace ProductInfo;
    QStringList f = fields(fieldCount, keyword(Server::ProductInfo));
    f[productId] = p.productId;
    f[description] = p.description;
    f[quantity] = p.quantity;
    f[firstBid] = p.firstBid;
    f[minBid] = p.minBid;
    f[highBidder] = p.highBidder;
    f[lastBid] = p.lastBid;
    f[increment] = p.increment;
    f[seller] = p.seller;
    f[currency] = p.currency;
    f[page] = p.page;
    return Wire::message(f);
}

QByteArray bid(const QString &bidder, const QString &amount, const QString &increment, const QString &time)
{
    QStringList f = fields(Bid::fieldCount, keyword(Server::Bid));
    f[Bid::bidder] = bidder;
    f[Bid::amount] = amount;
    f[Bid::increment] = increment;
    f[Bid::time] = time;
    return Wire::message(f);
}

QByteArray leftCount(int timeLeft)
{
    QStringList f = fields(LeftCount::fieldCount, keyword(Server::LeftCount));
    f[LeftCount::timeLeft] = QString::number(timeLeft);
    return Wire::message(f);
}

QByteArray cancel(const QString &page)
{
    QStringList f = fields(Cancel::fieldCount, keyword(Server::Cancel));
    f[Cancel::page] = page;
    return Wire::message(f);
}

QByteArray signal(Server message)
{
    return Wire::message(fields(1, keyword(message)));
}

QByteArray chatLine(const QString &text)
{
    QStringList f = fields(Chat::fieldCount, "MSG");
    f[Chat::text] = text;
    return Wire::message(f);
}

QByteArray announcement(QStringView user)
{
    using namespace Announcement;
    QStringList f = fields(fieldCount, Command::announce);
    f[Announcement::user] = user.toString();
    f[zero] = QStringLiteral("0");
    return Wire::announcement(f);
}

QByteArray clientBid(QStringView user, std::int64_t amount)
{
    // Listed in place, as the bid is on the way to the wire; the order is the positions'.
    static_assert(ClientBid::user == 0 && ClientBid::command == 1 && ClientBid::amount == 2 &&
                  ClientBid::fieldCount == 3);
    static const QString command = latin1(Command::bid);
    return Wire::message({user.toString(), command, PlainAmount(amount)});
}

QByteArray clientChat(QStringView user, QStringView text)
{
    QStringList f = fields(ClientChat::fieldCount, Command::chat);
    f[ClientChat::user] = user.toString();
    f[ClientChat::text] = text.toString();
    return Wire::message(f);
}

QByteArray describeRequest()
{
    return Wire::message(fields(1, Command::describe));
}

ClientMessage readClientMessage(QByteArrayView message)
{
    const ClosedFields f = SplitClosedFields(Wire::trimmed(message), Wire::separator);
    const QByteArrayView field0 = f.at(0).value_or(QByteArrayView());
    ClientMessage read;
    if (field0 == Command::announce) {
        read.kind = ClientMessage::Kind::Announcement;
        read.user = decoded(f, Announcement::user);
    } else if (field0 == Command::chat) {
        read.kind = ClientMessage::Kind::Chat;
        read.user = decoded(f, ClientChat::user);
        read.text = decoded(f, ClientChat::text);
    } else if (field0 == Command::describe) {
        read.kind = ClientMessage::Kind::Describe;
    } else if (f.at(ClientBid::command) == Command::bid) {
        read.kind = ClientMessage::Kind::Bid;
        read.user = decoded(f, ClientBid::user);
        read.amount = f.at(ClientBid::amount).value_or(QByteArrayView());
    }
    return read;
}

namespace Web {
QString root(const QString &ip)
{
    return QStringLiteral("http://") + ip;
}

namespace {
struct PageEntry {
    QLatin1StringView path;
    bool onAppServer;
};
// In the order of Page.
constexpr std::array pages{
    PageEntry{QLatin1StringView("/asp/register.asp"), true},
    PageEntry{QLatin1StringView("/asp/pinterest.asp"), true},
    PageEntry{QLatin1StringView("/asp/posting.asp"), true},
    PageEntry{QLatin1StringView("/news.htm"), false},
    PageEntry{QLatin1StringView("/faq.htm"), false},
    PageEntry{QLatin1StringView("/search.htm"), false},
    PageEntry{QLatin1StringView("/howtopgm.htm"), false},
    PageEntry{QLatin1StringView("/contact.htm"), false},
};
static_assert(pages.size() == std::size_t(Page::Contact) + 1, "one path for each page");
} // namespace

QLatin1StringView path(Page page)
{
    return pages[std::size_t(page)].path;
}

bool onAppServer(Page page)
{
    return pages[std::size_t(page)].onAppServer;
}
} // namespace Web
} // namespace Protocol
