// The sign-in check against a web server that misbehaves: it never answers, answers without end, or closes
// the connection part way. Each attempt ends once, in time, with the body or a failure the window can show.
#include "loopback_peers.h"
#include "sign_in_check.h"
#include "sign_in_request.h"

#include <QTest>

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

namespace {
const QByteArray tenMiB(10 * 1024 * 1024, 'x');

// Every outcome of one check: "body:" and the body's first 20 bytes, or "failed".
struct Attempt {
    explicit Attempt(const QByteArray &rawAnswer, std::chrono::milliseconds timeout = 5s)
    {
        web.rawAnswer = rawAnswer;
        web.answers = !rawAnswer.isNull();
        QObject::connect(&check, &SignInCheck::succeeded,
                         [this](const QByteArray &body) { outcomes << "body:" + body.left(20); });
        QObject::connect(&check, &SignInCheck::failed, [this](const QString &text) {
            outcomes << "failed";
            failure = text;
        });
        check.setTimeout(timeout);
        check.start(SignIn::requestUrl(u"127.0.0.1:%1"_s.arg(web.port()), u"alice"_s, u"pw"_s));
    }
    LoopbackHttp web;
    SignInCheck check;
    QList<QByteArray> outcomes;
    QString failure;
};
} // namespace

class TestSignInFaults : public QObject {
    Q_OBJECT
private slots:
    void brokenAnswers_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<QByteArray>("outcome");
        QTest::newRow("closed before answering") << QByteArray("") << QByteArray("failed");
        QTest::newRow("closed after the headers, length announced")
            << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nID=4") << QByteArray("failed");
        // Without a length the close ends the body: an empty one, which the window takes as a rejection.
        QTest::newRow("closed after the headers, no length")
            << QByteArray("HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n") << QByteArray("body:");
        QTest::newRow("10 MiB, length announced")
            << "HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(tenMiB.size() + 3) +
                   "\r\n\r\nID=" + tenMiB
            << QByteArray("failed");
        QTest::newRow("10 MiB, no length")
            << "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\nID=" + tenMiB << QByteArray("failed");
        QTest::newRow("small answer") << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 7\r\n\r\nID=4711")
                                      << QByteArray("body:ID=4711");
    }
    void brokenAnswers()
    {
        QFETCH(QByteArray, answer);
        QFETCH(QByteArray, outcome);
        Attempt attempt(answer);
        QTRY_COMPARE_WITH_TIMEOUT(attempt.outcomes.size(), 1, 10000);
        QCOMPARE(attempt.outcomes.first(), outcome);
        QVERIFY(!attempt.check.isPending());
        if (outcome == "failed")
            QVERIFY(!attempt.failure.isEmpty());
        if (answer.size() > SignInCheck::maxReplySize)
            QCOMPARE(attempt.failure, u"The web server's answer is too long."_s);
    }

    // A server that takes the request and never answers: the time limit ends the attempt.
    void neverAnswers()
    {
        Attempt attempt({}, 200ms);
        QTRY_COMPARE(attempt.outcomes, QList<QByteArray>{"failed"});
        QCOMPARE(attempt.failure, u"The web server did not answer in time."_s);
        QVERIFY(!attempt.check.isPending());
    }
};

QTEST_GUILESS_MAIN(TestSignInFaults)
#include "test_sign_in_faults.moc"
