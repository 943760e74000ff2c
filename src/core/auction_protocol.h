#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QLatin1StringView>
#include <QString>
#include <QStringView>
#include <array>
#include <cstdint>
#include <cstring>
#include <utility>

// What the auction server and the client say to each other, in the wire format of wire_format.h: every
// keyword and command, where each field of each message stands, and the messages built from them. The
// client, the demo service and the tests take them from here.
namespace Protocol {

// ---- Server to client ----

// The server's messages, by their keyword in field 0. A message whose field 0 is none of them is a chat line.
enum class Server {
    Bid,
    LeftCount,
    Count1,
    Count2,
    Count3,
    Sold,
    CountCancel,
    PauseBid,
    GoBid,
    Cancel,
    ProductInfo,
    Chat
};

// Compared exactly, in this order.
inline constexpr std::array<std::pair<Server, QByteArrayView>, 11> keywords{{
    {Server::Bid, "#BID"},
    {Server::LeftCount, "#LEFTCOUNT"},
    {Server::Count1, "#COUNT1"},
    {Server::Count2, "#COUNT2"},
    {Server::Count3, "#COUNT3"},
    {Server::Sold, "#COUNTS"},
    {Server::CountCancel, "#COUNTCANCEL"},
    {Server::PauseBid, "#PAUSEBID"},
    {Server::GoBid, "#GOBID"},
    {Server::Cancel, "#CANCEL"},
    {Server::ProductInfo, "#BidManPInfo"},
}};

// Every keyword begins with this byte, so a chat line is told apart without comparing it with each one.
inline constexpr char keywordMark = '#';

constexpr bool keywordsMarked()
{
    for (const auto &entry : keywords) {
        if (entry.second.isEmpty() || entry.second.front() != keywordMark)
            return false;
    }
    return true;
}
static_assert(keywordsMarked(), "a keyword without the mark would be taken for chat");

// Where a server message's keyword stands.
inline constexpr int keywordField = 0;

// The message that the keyword field names. Inline: every message the server sends passes here.
inline Server classify(QByteArrayView keyword)
{
    if (keyword.isEmpty() || keyword.front() != keywordMark)
        return Server::Chat;
    for (const auto &[message, text] : keywords) {
        // Sizes first: the toolkit's own comparison is a call for every keyword tried.
        if (keyword.size() == text.size() &&
            std::memcmp(keyword.data(), text.data(), std::size_t(text.size())) == 0)
            return message;
    }
    return Server::Chat;
}
QByteArrayView keyword(Server message);

// Field positions, counted from the keyword's.
namespace ProductInfo {
enum Field : int {
    productId = 1,
    description,
    quantity,
    firstBid,
    minBid,
    highBidder,
    lastBid,
    increment,
    seller,
    currency,
    page,
    fieldCount
};
}
namespace Bid {
enum Field : int { bidder = 1, amount, increment, time, fieldCount };
}
namespace LeftCount {
enum Field : int { timeLeft = 1, fieldCount };
}
namespace Cancel {
enum Field : int { page = 1, fieldCount };
}
// Any field 0 that is no keyword.
namespace Chat {
enum Field : int { text = 1, fieldCount };
}

// The countdown counts the time left down from here to 0.
inline constexpr int countdownLength = 15;

// What the product's message carries, as texts.
struct ProductFields {
    QString productId;
    QString description;
    QString quantity;
    QString firstBid;
    QString minBid;
    QString highBidder;
    QString lastBid;
    QString increment;
    QString seller;
    QString currency;
    QString page;
};
QByteArray productInfo(const ProductFields &product);
QByteArray bid(const QString &bidder, const QString &amount, const QString &increment, const QString &time);
QByteArray leftCount(int timeLeft);
QByteArray cancel(const QString &page);
// A message without fields: the countdown's stages, the sale, pause and reopening.
QByteArray signal(Server message);
// A chat line for every bidder; the service puts "MSG" in field 0.
QByteArray chatLine(const QString &text);

// ---- Client to server ----

namespace Command {
inline constexpr QByteArrayView announce("AuctionGO");
inline constexpr QByteArrayView chat("UMSG");
inline constexpr QByteArrayView describe("GETPD");
// Not in field 0: the bid's field 0 is the bidder.
inline constexpr QByteArrayView bid("ROBOT CLICK BID");
} // namespace Command

// The first message on a new connection: four fields, each closed by a TAB, and no terminator.
namespace Announcement {
enum Field : int { command = 0, user, reserved, zero, fieldCount };
}
namespace ClientBid {
enum Field : int { user = 0, command, amount, fieldCount };
}
namespace ClientChat {
enum Field : int { command = 0, user, text, fieldCount };
}

QByteArray announcement(QStringView user);
// The amount goes as a whole number without separators.
QByteArray clientBid(QStringView user, std::int64_t amount);
QByteArray clientChat(QStringView user, QStringView text);
QByteArray describeRequest();

// A client's message as the server reads it.
struct ClientMessage {
    enum class Kind { Announcement, Bid, Chat, Describe, Unknown };
    Kind kind = Kind::Unknown;
    QString user;          // the name it names: the announced one, the bidder, the chat line's sender
    QString text;          // a chat line's text
    QByteArrayView amount; // a bid's amount field, as sent
};
// message: one message as framed, without its terminator (the announcement has none).
ClientMessage readClientMessage(QByteArrayView message);

// ---- The service's web server ----

namespace Web {
// The root of the web server named by HOSTIP.INI's IP: plain HTTP.
QString root(const QString &ip);

// The sign-in check: GET path?UID=...&PWD=...; a body that starts with "ID" accepts, and what follows its
// "=" is the member's ID.
inline constexpr QLatin1StringView signInPath("/chkmbid.asp");
inline constexpr QLatin1StringView userParameter("UID");
inline constexpr QLatin1StringView passwordParameter("PWD");
inline constexpr QByteArrayView accepted("ID");

// The advertisement banner, on the host of IP.
inline constexpr QLatin1StringView bannerPath("/adv.asp");

// The service's pages that the menus open.
enum class Page { Register, ProductsOfInterest, Posting, News, Faq, Search, Help, Contact };
QLatin1StringView path(Page page);
// Whether the page lives on the application server rather than the web site.
bool onAppServer(Page page);

// Where the service's people can be written to.
inline constexpr QLatin1StringView contactAddress("info@gavora.example");
} // namespace Web

} // namespace Protocol
