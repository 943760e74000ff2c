#include "bidding.h"

#include "amount.h"
#include "auction_messages.h"

namespace Bidding {
namespace {
// Blanks, an optional sign, digits grouped by the locale's separator or not, an optional fraction, blanks.
bool isNumber(QStringView text)
{
    const QChar separator = Amount::groupSeparator();
    qsizetype i = 0;
    const qsizetype n = text.size();
    const auto isBlank = [&](qsizetype k) { return text[k] == u' ' || text[k] == u'\t'; };
    const auto isDigit = [&](qsizetype k) { return k < n && text[k] >= u'0' && text[k] <= u'9'; };
    while (i < n && isBlank(i))
        ++i;
    if (i < n && (text[i] == u'-' || text[i] == u'+'))
        ++i;
    bool digits = false;
    while (i < n) {
        if (isDigit(i)) {
            digits = true;
            ++i;
        } else if (text[i] == separator && digits && isDigit(i + 1)) {
            ++i;
        } else {
            break;
        }
    }
    if (i < n && text[i] == u'.') {
        ++i;
        while (isDigit(i)) {
            digits = true;
            ++i;
        }
    }
    while (i < n && isBlank(i))
        ++i;
    return digits && i == n;
}
} // namespace

QString MMax_LostFocus(const QString &text)
{
    if (!isNumber(text))
        return text;
    return FormatAmount(AmountValue(text));
}

Result GOBID_Click(const QString &lastBidShown, const std::function<QString()> &yourBid, QString &maximum,
                   bool connected, const QString &userId, Prompter &prompter,
                   const std::function<void(const QByteArray &)> &send)
{
    const Amount::Value amount = AmountValue(yourBid());
    if (!(AmountValue(lastBidShown) < amount)) {
        prompter.ask({QStringLiteral("ราคาเสนอซื้อต่ำกว่าราคาประมูลน้อยที่สุด"), QStringLiteral("Gavora.Com"),
                      Prompter::Icon::Information, Prompter::Buttons::Ok});
        return {Outcome::TooLow, {}};
    }
    if (!connected) {
        prompter.ask({QStringLiteral("Disconnect...."), QStringLiteral("Gavora"), Prompter::Icon::Critical,
                      Prompter::Buttons::Ok});
        return {Outcome::Disconnected, {}};
    }
    const Amount::Value ceiling = AmountValue(maximum);
    if (ceiling > 0 && ceiling < amount) {
        const Prompter::Answer answer =
            prompter.ask({QStringLiteral("ขณะนี้ราคาประมูลน้อยที่สุดได้มากกว่าราคาที่คุณพอใจซื้อสูงสุดแล้วถ้าคุณกดปุ่ม OK "
                                         "โปรแกรมจะใช้อ้างอิงราคาประมูลน้อยที่สุดให้คุณ ถ้าไม่ต้องการให้กดปุ่ม Cancel"),
                          QStringLiteral("Gavora"), Prompter::Icon::Question, Prompter::Buttons::OkCancel});
        if (answer != Prompter::Answer::Ok)
            return {Outcome::MaximumDeclined, {}};
        maximum = MMax_LostFocus(PlainAmount(AmountValue(yourBid())));
    }
    send(AuctionMessages::bid(userId, yourBid()));
    return {Outcome::Sent, QString::fromLatin1(sentSound)};
}
} // namespace Bidding
