#pragma once

#include <QByteArray>
#include <QNetworkReply>
#include <QObject>
#include <QPointer>
#include <chrono>

class QNetworkAccessManager;

class QTimer;

// One HTTP GET at a time with an overall time limit. The caller is never blocked: the outcome arrives as a
// signal from the event loop.
class SignInCheck : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds defaultTimeout{60000};
    // A sign-in answer is a few bytes; a server that sends more is broken, and is not buffered without end.
    static constexpr qint64 maxReplySize = 64 * 1024;

    explicit SignInCheck(QObject *parent = nullptr);
    ~SignInCheck() override;

    void setTimeout(std::chrono::milliseconds timeout) { m_timeout = timeout; }
    bool isPending() const { return m_reply != nullptr; }
    // Starts the request; does nothing while one is pending.
    void start(const QByteArray &encodedUrl);
    // Drops a pending request without a word: neither signal follows.
    void cancel();

signals:
    // The server answered: the body, whatever the HTTP status.
    void replied(const QByteArray &body);
    // No answer came: time-out, refused, unreachable, or the connection broke before the reply was whole.
    void failed(const QString &errorText);

private:
    void finish();

    QNetworkAccessManager *m_network;
    QTimer *m_timer;
    QPointer<QNetworkReply> m_reply;
    std::chrono::milliseconds m_timeout = defaultTimeout;
    bool m_timedOut = false;
    bool m_tooLong = false;
};
