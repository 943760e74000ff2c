#include "frm_login.h"
#include "global.h"
#include "loopback_peers.h"
#include "sign_in_target.h"
#include "test_support.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTcpServer>
#include <QTest>

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

namespace {
const QString rejectedText = u"พบข้อผิดพลาด.... กรุณาลองใหม่อีกครั้ง"_s;

// The sign-in window in a fresh work folder whose HOSTIP.INI points at a loopback web server.
struct Login : SignInTarget {
    explicit Login(const QString &port = u"4000"_s) { writeHostIni(web.port(), port); }
    ~Login() override { delete window; }
    void writeHostIni(quint16 webPort, const QString &port)
    {
        ::writeHostIni(dir.path(), "127.0.0.1:" + QString::number(webPort), port);
    }
    void press(const QString &user, const QString &password = u"pw"_s)
    {
        window->txtUserName->setText(user);
        window->txtPassword->setText(password);
        window->cmdOK->click();
    }
    void showMemberStatus(const QString &text) override { statusTexts.append(text); }
    void ConnectAuctionSocket(const QString &host, int port, const QString &userId) override
    {
        connections.append({host, port});
        connectedUsers.append(userId);
    }

    TempWorkDir dir;
    LoopbackHttp web;
    FakePrompter prompter;
    QPointer<frmLogin> window = new frmLogin(*this, prompter);
    QStringList statusTexts;
    QList<QPair<QString, int>> connections;
    QStringList connectedUsers;
};
} // namespace

class TestSignIn : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        Global::UserID.clear();
        Global::LoginPassword.clear();
    }

    // The query is percent-encoded from the Windows-874 bytes. Whatever the HTTP status, the body decides. An
    // empty status text means a rejection.
    void signIn_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QByteArray>("query");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QByteArray>("httpStatus");
        QTest::newRow("plain") << u"alice"_s << u"pw"_s << "UID=alice&PWD=pw"_ba
                               << "ID=7"_ba << u"UID :  7"_s << "200 OK"_ba;
        QTest::newRow("thai, bare ID") << u"สมชาย"_s << QString() << "UID=%CA%C1%AA%D2%C2&PWD="_ba
                                       << "ID"_ba << u"UID :  "_s << "200 OK"_ba;
        QTest::newRow("query characters")
            << u"a&b=c"_s << u"p+q#r%s"_s << "UID=a%26b%3Dc&PWD=p%2Bq%23r%25s"_ba
            << "ID=42=x"_ba << u"UID :  42"_s << "200 OK"_ba;
        QTest::newRow("blanks kept") << u" bob "_s << u"a b"_s << "UID=%20bob%20&PWD=a%20b"_ba
                                     << "ID=7"_ba << u"UID :  7"_s << "200 OK"_ba;
        QTest::newRow("small letters") << u"alice"_s << u"pw"_s << "UID=alice&PWD=pw"_ba
                                       << "id=7"_ba << QString() << "200 OK"_ba;
        QTest::newRow("empty") << u"alice"_s << u"pw"_s << "UID=alice&PWD=pw"_ba << QByteArray() << QString()
                               << "200 OK"_ba;
        QTest::newRow("server error") << u"alice"_s << u"pw"_s << "UID=alice&PWD=pw"_ba
                                      << "ERROR"_ba << QString() << "500 Internal Server Error"_ba;
        QTest::newRow("not found, empty") << u"alice"_s << u"pw"_s << "UID=alice&PWD=pw"_ba << QByteArray()
                                          << QString() << "404 Not Found"_ba;
        QTest::newRow("error status, accepting body") << u"alice"_s << u"pw"_s << "UID=alice&PWD=pw"_ba
                                                      << "ID=9"_ba << u"UID :  9"_s << "503 Busy"_ba;
    }
    void signIn()
    {
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(QByteArray, query);
        QFETCH(QByteArray, body);
        QFETCH(QString, status);
        QFETCH(QByteArray, httpStatus);
        Login l(u"40000"_s);
        l.web.signInBody = body;
        l.web.signInStatus = httpStatus;
        l.press(user, password);
        QCOMPARE(l.window->state(), frmLogin::State::Checking);
        QTRY_COMPARE(l.web.requestLines, QList<QByteArray>{"GET /chkmbid.asp?" + query + " HTTP/1.1"});
        if (status.isEmpty()) {
            QTRY_COMPARE(l.prompter.requests.size(), 1);
            QCOMPARE(l.prompter.requests[0].text, rejectedText);
            QCOMPARE(l.window->state(), frmLogin::State::Entry);
            QCOMPARE(l.window->txtUserName->text() + l.window->txtPassword->text(), QString());
            QCOMPARE(Global::UserID + Global::LoginPassword, QString());
            QVERIFY(l.connections.isEmpty());
        } else {
            QTRY_VERIFY(l.window.isNull());
            QCOMPARE(l.statusTexts, QStringList{status});
            QCOMPARE(Global::UserID, user);
            // The auction socket gets the host part of IP, the port as configured and the name checked.
            QCOMPARE(l.connections, (QList<QPair<QString, int>>{{u"127.0.0.1"_s, 40000}}));
            QCOMPARE(l.connectedUsers, QStringList{user});
            QVERIFY(l.prompter.requests.isEmpty());
        }
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    }

    // The port is checked at every press, even when a blank name sends nothing.
    void configuredPort_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("port");
        QTest::addColumn<int>("connected");
        QTest::addColumn<bool>("message");
        QTest::newRow("lowest") << u"alice"_s << u"1"_s << 1 << false;
        QTest::newRow("highest") << u"alice"_s << u"65535"_s << 65535 << false;
        QTest::newRow("zero") << u"alice"_s << u"0"_s << 0 << true;
        QTest::newRow("too high") << u"alice"_s << u"65536"_s << 0 << true;
        QTest::newRow("empty") << u"alice"_s << QString() << 0 << true;
        QTest::newRow("not a number") << u"alice"_s << u"eighty"_s << 0 << true;
        QTest::newRow("negative") << u"alice"_s << u"-80"_s << 0 << true;
        QTest::newRow("blank name") << u"   "_s << u"4000"_s << 0 << false;
        QTest::newRow("blank name, bad port") << u"   "_s << u"http"_s << 0 << true;
    }
    void configuredPort()
    {
        QFETCH(QString, user);
        QFETCH(QString, port);
        QFETCH(int, connected);
        QFETCH(bool, message);
        Login l(port);
        l.press(user);
        if (connected) {
            QTRY_VERIFY(l.window.isNull());
            QCOMPARE(l.connections.value(0).second, connected);
            return;
        }
        QCOMPARE(l.prompter.requests.size(), message ? 1 : 0);
        if (message)
            QVERIFY(l.prompter.requests[0].text.contains('"' + port + '"'));
        QCOMPARE(l.window->state(), frmLogin::State::Entry);
        QCOMPARE(l.window->txtUserName->text(), user);
        QCOMPARE(Global::UserID, QString());
        QVERIFY(l.web.requestLines.isEmpty());
    }

    // Failures of the check itself leave the window ready for another try with the texts typed.
    void checkFailure_data()
    {
        QTest::addColumn<bool>("serverListens");
        QTest::addColumn<bool>("answers");
        QTest::newRow("time-out") << true << false;
        QTest::newRow("refused") << false << false;
        QTest::newRow("reply cut short") << true << true;
    }
    void checkFailure()
    {
        QFETCH(bool, serverListens);
        QFETCH(bool, answers);
        Login l;
        l.web.answers = answers;
        l.web.signInBody = "ID=47";
        l.web.signInCutShort = true;
        if (!serverListens) {
            QTcpServer closed;
            closed.listen(QHostAddress::LocalHost);
            l.writeHostIni(closed.serverPort(), u"4000"_s);
        }
        l.window->setRequestTimeout(100ms);
        l.press(u"alice"_s);
        QVERIFY(QGuiApplication::overrideCursor());
        QTRY_COMPARE(l.prompter.requests.size(), 1);
        QCOMPARE(l.prompter.requests[0].icon, Prompter::Icon::Critical);
        QVERIFY(!l.prompter.requests[0].text.contains(u"pw"_s));
        QCOMPARE(l.window->state(), frmLogin::State::Entry);
        QCOMPARE(l.window->txtUserName->text() + l.window->txtPassword->text(), u"alicepw"_s);
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
        QVERIFY(l.connections.isEmpty());
    }

    // The connection is asked for under the name the server checked, not whatever the program-wide name holds
    // when the answer comes.
    void connectsUnderTheCheckedName()
    {
        Login l;
        l.web.answers = false;
        l.press(u"alice"_s);
        QTRY_COMPARE(l.web.requestLines.size(), 1);
        Global::UserID = u"mallory"_s;
        l.web.answerHeld();
        QTRY_COMPARE(l.connectedUsers, QStringList{u"alice"_s});
    }

    // The first check is dropped so that it cannot sign in later with the names the rejection cleared.
    void secondPressWhilePending()
    {
        Login l;
        l.web.answers = false;
        l.press(u"alice"_s);
        l.window->cmdOK->click();
        QCOMPARE(l.prompter.requests.size(), 1);
        QCOMPARE(l.prompter.requests[0].text, rejectedText);
        QCOMPARE(l.window->state(), frmLogin::State::Entry);
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
        QCOMPARE(Global::UserID, QString());
    }
};

QTEST_MAIN(TestSignIn)
#include "test_sign_in.moc"
