#include "sign_in_request.h"

#include "auction_protocol.h"
#include "cp874.h"
#include "get_field.h"

namespace SignIn {

std::optional<int> parsePort(const QString &text)
{
    if (text.isEmpty() || text.size() > 5)
        return std::nullopt;
    int value = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    if (value < 1 || value > 65535)
        return std::nullopt;
    return value;
}

QByteArray requestUrl(const QString &ip, const QString &userName, const QString &password)
{
    using namespace Protocol::Web;
    QByteArray url = Cp874::encode(root(ip) + signInPath + u'?' + userParameter + u'=');
    url += Cp874::encode(userName).toPercentEncoding();
    url += '&' + QByteArray(passwordParameter.data(), passwordParameter.size()) + '=';
    url += Cp874::encode(password).toPercentEncoding();
    return url;
}

Reply parseReply(const QByteArray &body)
{
    Reply reply;
    if (!body.startsWith(Protocol::Web::accepted))
        return reply;
    reply.accepted = true;
    reply.memberId = GetField(Cp874::decode(body) + u'=', 1, u"=").text();
    return reply;
}

QString memberStatusText(const QString &memberId)
{
    return QString::fromUtf16(statusLabel) + QStringLiteral("  ") + memberId;
}

} // namespace SignIn
