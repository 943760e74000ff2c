// The sign-in exchange on any bytes: the reply parser accepts exactly the bodies that begin with "ID" and
// takes the member ID between the first and the second "="; the request carries any user name and password
// so that the server's query reader gets their bytes back, with nothing that could end a parameter early.
#include "cp874.h"
#include "fuzz_support.h"
#include "sign_in_request.h"

#include <QList>

namespace {
bool isPlainQueryText(QByteArrayView text)
{
    for (const char c : text) {
        const bool unreserved = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                                c == '-' || c == '.' || c == '_' || c == '~' || c == '%';
        if (!unreserved)
            return false;
    }
    return true;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray body(reinterpret_cast<const char *>(data), qsizetype(size));
    const SignIn::Reply reply = SignIn::parseReply(body);
    FUZZ_CHECK(reply.accepted == body.startsWith("ID"));
    if (reply.accepted) {
        const qsizetype first = body.indexOf('=');
        const qsizetype second = first < 0 ? -1 : body.indexOf('=', first + 1);
        const QByteArray memberId =
            first < 0 ? QByteArray() : body.mid(first + 1, second < 0 ? -1 : second - first - 1);
        FUZZ_CHECK(reply.memberId == Cp874::decode(memberId));
        FUZZ_CHECK(SignIn::memberStatusText(reply.memberId) == QStringLiteral("UID :  ") + reply.memberId);
    } else {
        FUZZ_CHECK(reply.memberId.isEmpty());
    }

    const QString user = Cp874::decode(body.first(body.size() / 2));
    const QString password = Cp874::decode(body.sliced(body.size() / 2));
    const QByteArray url = SignIn::requestUrl(QStringLiteral("127.0.0.1:8080"), user, password);
    const QByteArray head = "http://127.0.0.1:8080/chkmbid.asp?UID=";
    FUZZ_CHECK(url.startsWith(head));
    const QList<QByteArray> parameters = url.sliced(head.size()).split('&');
    FUZZ_CHECK(parameters.size() == 2 && parameters[1].startsWith("PWD="));
    const QByteArray uid = parameters[0];
    const QByteArray pwd = parameters[1].sliced(4);
    FUZZ_CHECK(isPlainQueryText(uid) && isPlainQueryText(pwd));
    FUZZ_CHECK(QByteArray::fromPercentEncoding(uid) == Cp874::encode(user));
    FUZZ_CHECK(QByteArray::fromPercentEncoding(pwd) == Cp874::encode(password));
    return 0;
}
