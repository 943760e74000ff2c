#pragma once

#include <QByteArray>

// One answer of the demo's web face.
struct HttpResponse {
    int status = 200;
    QByteArray contentType; // the whole header value, charset included
    QByteArray body;

    // Status line, headers and (unless for HEAD) the body, ready for a socket that closes afterwards.
    QByteArray serialize(bool withBody = true) const;

    static QByteArray reasonPhrase(int status);
};
