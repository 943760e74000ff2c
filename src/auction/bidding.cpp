#include "bidding.h"

#include "amount.h"
#include "auction_protocol.h"
#include "work_folder.h"

namespace Bidding {
Prompter::Request disconnectBox()
{
    return Box::critical(QStringLiteral("Disconnect...."));
}

Result sendBid(const QString &userId, const QString &yourBid,
               const std::function<bool(const QByteArray &)> &send)
{
    const Amount::Value amount = AmountValue(yourBid);
    if (!send(Protocol::clientBid(userId, amount)))
        return {Outcome::Disconnected, {}};
    return {Outcome::Sent, WorkFolder::soundPath(WorkFolder::Sound::MsgType), amount};
}

QString MMax_LostFocus(const QString &text)
{
    if (!Amount::isNumber(text))
        return text;
    return FormatAmount(AmountValue(text));
}

Result GOBID_Click(const QString &lastBidShown, const std::function<QString()> &yourBid, QString &maximum,
                   bool connected, const QString &userId, Prompter &prompter,
                   const std::function<bool(const QByteArray &)> &send)
{
    const Amount::Value amount = AmountValue(yourBid());
    if (!(AmountValue(lastBidShown) < amount)) {
        prompter.ask(Box::information(QStringLiteral("ราคาเสนอซื้อต่ำกว่าราคาประมูลน้อยที่สุด"), Box::Title::Service));
        return {Outcome::TooLow, {}};
    }
    if (!connected) {
        prompter.ask(disconnectBox());
        return {Outcome::Disconnected, {}};
    }
    const Amount::Value ceiling = AmountValue(maximum);
    QString raisedMaximum = maximum;
    if (ceiling > 0 && ceiling < amount) {
        const Prompter::Answer answer = prompter.ask(
            Box::question(QStringLiteral("ขณะนี้ราคาประมูลน้อยที่สุดได้มากกว่าราคาที่คุณพอใจซื้อสูงสุดแล้วถ้าคุณกดปุ่ม OK "
                                         "โปรแกรมจะใช้อ้างอิงราคาประมูลน้อยที่สุดให้คุณ ถ้าไม่ต้องการให้กดปุ่ม Cancel")));
        if (answer != Prompter::Answer::Ok)
            return {Outcome::MaximumDeclined, {}};
        raisedMaximum = MMax_LostFocus(PlainAmount(AmountValue(yourBid())));
    }
    // The connection may have gone while the question was open: a bid that cannot go out is not a bid.
    const Result result = sendBid(userId, yourBid(), send);
    if (result.outcome == Outcome::Disconnected) {
        prompter.ask(disconnectBox());
        return result;
    }
    maximum = raisedMaximum;
    return result;
}
} // namespace Bidding
