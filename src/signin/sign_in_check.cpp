#include "sign_in_check.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

SignInCheck::SignInCheck(QObject *parent)
    : QObject(parent), m_network(new QNetworkAccessManager(this)), m_timer(new QTimer(this))
{
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, [this] {
        if (!m_reply)
            return;
        m_timedOut = true;
        m_reply->abort();
    });
}

SignInCheck::~SignInCheck()
{
    cancel();
}

void SignInCheck::cancel()
{
    m_timer->stop();
    if (QNetworkReply *reply = m_reply) {
        m_reply = nullptr;
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
}

void SignInCheck::start(const QByteArray &encodedUrl)
{
    if (m_reply)
        return;
    m_timedOut = false;
    m_tooLong = false;
    QNetworkRequest request(QUrl::fromEncoded(encodedUrl));
    // The server expects one plain GET, as a browser of its day would send it.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    m_reply = m_network->get(request);
    // Queued so the outcome is handled from the event loop, never from inside the network stack.
    connect(m_reply, &QNetworkReply::finished, this, &SignInCheck::finish, Qt::QueuedConnection);
    connect(m_reply, &QNetworkReply::downloadProgress, this, [this](qint64 received, qint64 announced) {
        if (m_reply && (received > maxReplySize || announced > maxReplySize)) {
            m_tooLong = true;
            m_reply->abort();
        }
    });
    m_timer->start(m_timeout);
}

void SignInCheck::finish()
{
    m_timer->stop();
    QNetworkReply *reply = m_reply;
    m_reply = nullptr;
    if (!reply)
        return;
    reply->deleteLater();
    if (m_timedOut) {
        emit failed(tr("The web server did not answer in time."));
        return;
    }
    if (m_tooLong) {
        emit failed(tr("The web server's answer is too long."));
        return;
    }
    // An HTTP error status is still the server's answer, and its body decides. The errors below the content
    // range, and a protocol breakdown, are failures of the connection itself: no whole reply came.
    const QNetworkReply::NetworkError error = reply->error();
    const bool broken = (error != QNetworkReply::NoError && error < QNetworkReply::ContentAccessDenied) ||
                        error == QNetworkReply::ProtocolFailure;
    const bool answered = !broken && reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid();
    if (!answered) {
        emit failed(reply->errorString());
        return;
    }
    emit replied(reply->readAll());
}
