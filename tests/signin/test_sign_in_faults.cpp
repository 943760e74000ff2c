// The sign-in check against a web server that misbehaves: it never answers, answers without end, or closes
// the connection part way. Each attempt ends once, in time, with the body or a failure the window can show.
#include "frm_login.h"
#include "loopback_peers.h"
#include "sign_in_check.h"
#include "sign_in_request.h"
#include "sign_in_target.h"
#include "test_support.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRandomGenerator>
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
        QObject::connect(&check, &SignInCheck::replied,
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

// The sign-in window in a fresh work folder, with a web server that accepts every name.
struct Login : SignInTarget {
    ~Login() override { delete window; }
    void showMemberStatus(const QString &) override {}
    void ConnectAuctionSocket(const QString &host, int port, const QString &) override
    {
        connections.append({host, port});
    }

    TempWorkDir dir;
    LoopbackHttp web;
    FakePrompter prompter;
    QPointer<frmLogin> window = new frmLogin(*this, prompter);
    QList<QPair<QString, int>> connections;
};

QByteArray binaryBytes()
{
    QByteArray bytes(4096, Qt::Uninitialized);
    QRandomGenerator random(12);
    for (char &c : bytes)
        c = char(random.bounded(256));
    return bytes;
}
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

    // What HOSTIP.INI holds when OK is pressed: "@WEB@" stands for the loopback web server's address. A port
    // of 0 means a message naming the file (a missing one says so); any other, a sign-in that connects to it.
    void configurationFile_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("port");
        const QByteArray good = "[SERVER]\r\nIP=@WEB@\r\nPORT=4000\r\n";
        QTest::newRow("missing") << QByteArray() << 0;
        QTest::newRow("empty") << QByteArray("") << 0;
        QTest::newRow("binary") << binaryBytes() << 0;
        QTest::newRow("binary after the keys") << good + binaryBytes() << 4000;
        QTest::newRow("UTF-8 with a byte-order mark") << "\xEF\xBB\xBF" + good << 4000;
        QTest::newRow("50 MB") << good + QByteArray(50 * 1000 * 1000 / 50, '\n')
                                             .replace("\n", "junk=" + QByteArray(43, 'j') + "\r\n")
                               << 4000;
        for (const char *port : {"0", "65536", "abc", "80x", "\" 8080 \"", "-1", "99999999999999999999"})
            QTest::addRow("PORT=%s", port) << "[SERVER]\r\nIP=@WEB@\r\nPORT=" + QByteArray(port) + "\r\n"
                                           << 0;
        QTest::newRow("PORT with blanks around it")
            << QByteArray("[SERVER]\r\nIP=@WEB@\r\nPORT= 8080 \r\n") << 8080;
    }
    void configurationFile()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, port);
        Login l;
        if (!file.isNull())
            writeWholeFile(l.dir.filePath(u"HOSTIP.INI"_s),
                           file.replace("@WEB@", "127.0.0.1:" + QByteArray::number(l.web.port())));
        QElapsedTimer clock;
        clock.start();
        l.window->txtUserName->setText(u"alice"_s);
        l.window->cmdOK->click();
        if (port == 0) {
            QCOMPARE(l.prompter.requests.size(), 1);
            QCOMPARE(l.prompter.requests[0].icon, Prompter::Icon::Critical);
            QVERIFY2(l.prompter.requests[0].text.contains(u"HOSTIP.INI"_s),
                     qPrintable(l.prompter.requests[0].text));
            QCOMPARE(l.window->state(), frmLogin::State::Entry);
            QVERIFY(l.web.requestLines.isEmpty());
        } else {
            QTRY_VERIFY(l.window.isNull());
            QCOMPARE(l.connections, (QList<QPair<QString, int>>{{u"127.0.0.1"_s, port}}));
            QVERIFY(l.prompter.requests.isEmpty());
        }
        qInfo("answered in %lld ms", clock.elapsed());
    }
};

QTEST_MAIN(TestSignInFaults)
#include "test_sign_in_faults.moc"
