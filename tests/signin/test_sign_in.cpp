// The sign-in window: the request, the answers that sign in or reject, HOSTIP.INI read at every press, and a
// web server that misbehaves.
#include "frm_login.h"
#include "loopback_peers.h"
#include "sign_in_request.h"
#include "sign_in_target.h"
#include "test_support.h"

#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

namespace {
const QString rejectedText = u"พบข้อผิดพลาด.... กรุณาลองใหม่อีกครั้ง"_s;
const QByteArray tenMiB(10 * 1024 * 1024, 'x');

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
        window->controls().txtUserName->setText(user);
        window->controls().txtPassword->setText(password);
        window->controls().cmdOK->click();
    }
    void showMemberStatus(const QString &text) override { statusTexts.append(text); }
    void ConnectAuctionSocket(const QString &host, int port, const QString &userId) override
    {
        connections.append({host, port});
        connectedUsers.append(userId);
    }

    QTemporaryDir dir;
    LoopbackHttp web;
    FakePrompter prompter;
    QPointer<frmLogin> window = new frmLogin(*this, prompter, WorkFolder(dir.path()));
    QStringList statusTexts;
    QList<QPair<QString, int>> connections;
    QStringList connectedUsers;
};

} // namespace

class TestSignIn : public QObject {
    Q_OBJECT
private slots:
    // Only "ID" at the very start accepts; the member ID lies between the first and the second "=".
    void reply_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("memberId");
        QTest::newRow("member ID") << "ID=7"_ba << true << u"7"_s;
        QTest::newRow("bare ID") << "ID"_ba << true << QString();
        QTest::newRow("more fields") << "ID=42=x"_ba << true << u"42"_s;
        QTest::newRow("small letters") << "id=7"_ba << false << QString();
        QTest::newRow("blank first") << " ID=7"_ba << false << QString();
        QTest::newRow("empty") << QByteArray() << false << QString();
    }
    void reply()
    {
        QFETCH(QByteArray, body);
        QFETCH(bool, accepted);
        QFETCH(QString, memberId);
        const SignIn::Reply reply = SignIn::parseReply(body);
        QCOMPARE(reply.accepted, accepted);
        QCOMPARE(reply.memberId, memberId);
    }

    void port_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("port");
        for (const auto &[text, port] :
             {std::pair{"1", 1}, std::pair{"65535", 65535}, std::pair{"08080", 8080}})
            QTest::newRow(text) << QString::fromLatin1(text) << port;
        for (const char *text :
             {"0", "65536", "", "eighty", "80x", " 80", "+80", "-1", "99999999999999999999"})
            QTest::addRow("\"%s\"", text) << QString::fromLatin1(text) << 0;
    }
    void port()
    {
        QFETCH(QString, text);
        QFETCH(int, port);
        QCOMPARE(SignIn::parsePort(text).value_or(0), port);
    }

    // The web server's answer, byte for byte (none: it never answers). Whatever the HTTP status, the body
    // decides. Accepted: the auction socket gets the host part of IP, the port as configured and the name
    // checked. Otherwise the attempt ends once, in time, with a message ("message" is part of it), and leaves
    // the window ready for another try: the names cleared after a rejection, the texts typed after a failure.
    // The values go percent-encoded from their Windows-874 bytes, blanks included.
    void answers_data()
    {
        QTest::addColumn<bool>("refused");
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("message");
        const auto reply = [](const QByteArray &status, const QByteArray &body) {
            return "HTTP/1.1 " + status + "\r\nContent-Length: " + QByteArray::number(body.size()) +
                   "\r\n\r\n" + body;
        };
        const QString tooLong = u"The web server's answer is too long."_s;
        QTest::newRow("200") << false << reply("200 OK", "ID=7") << true << QString();
        QTest::newRow("404, accepting body") << false << reply("404 Not Found", "ID=7") << true << QString();
        QTest::newRow("500, rejecting body")
            << false << reply("500 Internal Server Error", "ERROR") << false << rejectedText;
        QTest::newRow("refused") << true << QByteArray() << false << QString();
        QTest::newRow("never answers")
            << false << QByteArray() << false << u"The web server did not answer in time."_s;
        QTest::newRow("closed before answering") << false << ""_ba << false << QString();
        QTest::newRow("closed after the headers, length announced")
            << false << "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nID=4"_ba << false << QString();
        // Without a length the close ends the body: an empty one, which is a rejection.
        QTest::newRow("closed after the headers, no length")
            << false << "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n"_ba << false << rejectedText;
        QTest::newRow("10 MiB, length announced")
            << false << reply("200 OK", "ID=" + tenMiB) << false << tooLong;
        QTest::newRow("10 MiB, no length")
            << false << "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\nID=" + tenMiB << false << tooLong;
    }
    void answers()
    {
        QFETCH(bool, refused);
        QFETCH(QByteArray, answer);
        QFETCH(bool, accepted);
        QFETCH(QString, message);
        Login l(u"40000"_s);
        l.web.rawAnswer = answer;
        l.web.answers = !answer.isNull();
        if (refused)
            l.writeHostIni(unusedPort(), u"40000"_s);
        l.window->setRequestTimeout(answer.isNull() ? 200ms : 5s);
        // Both from their Windows-874 bytes, Thai and all.
        const QString user = u" สม&b=c "_s, password = u"ส+q#r%s"_s;
        l.press(user, password);
        QCOMPARE(l.window->state(), frmLogin::State::Checking);
        QVERIFY(QGuiApplication::overrideCursor());
        // Qt asks once more when a connection closes before any answer.
        if (!refused)
            QTRY_COMPARE(l.web.requestLines.value(0),
                         "GET /chkmbid.asp?UID=%20%CA%C1%26b%3Dc%20&PWD=%CA%2Bq%23r%25s HTTP/1.1"_ba);
        if (accepted) {
            QTRY_VERIFY(l.window.isNull());
            QCOMPARE(l.statusTexts, QStringList{u"UID :  7"_s});
            QCOMPARE(l.connections, (QList<QPair<QString, int>>{{u"127.0.0.1"_s, 40000}}));
            QCOMPARE(l.connectedUsers, QStringList{user});
            QVERIFY(l.prompter.requests.isEmpty());
        } else {
            QTRY_COMPARE_WITH_TIMEOUT(l.prompter.requests.size(), 1, 10000);
            const Prompter::Request &shown = l.prompter.requests[0];
            QVERIFY2(shown.text.contains(message) && !shown.text.contains(password), qPrintable(shown.text));
            // The error's own text, OK only, the program's title, no icon.
            QCOMPARE(shown.icon, Prompter::Icon::None);
            QCOMPARE(shown.buttons, Prompter::Buttons::Ok);
            QCOMPARE(shown.title, u"Gavora"_s);
            QCOMPARE(l.window->state(), frmLogin::State::Entry);
            QCOMPARE(l.window->controls().txtUserName->text() + l.window->controls().txtPassword->text(),
                     message == rejectedText ? QString() : user + password);
            QVERIFY(l.connections.isEmpty());
        }
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    }

    // What HOSTIP.INI holds when OK is pressed stops the attempt before anything is sent, even when a blank
    // name would send nothing; "message", when given, is part of the message that names the file (and the
    // PORT read from it).
    void configurationFile_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << QByteArray() << u"alice"_s << u"HOSTIP.INI was not found"_s;
        QTest::newRow("a picture") << "\xFF\xD8\xFF\xE0\0\x10JFIF\0"_ba << u"alice"_s << u"\"\""_s;
        QTest::newRow("not a port") << "PORT=\"80 80\""_ba << u"alice"_s << u"\"80 80\""_s;
        QTest::newRow("blank name") << "PORT=4000"_ba << u"   "_s << QString();
        QTest::newRow("blank name, bad port") << "PORT=http"_ba << u"   "_s << u"\"http\""_s;
    }
    void configurationFile()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, user);
        QFETCH(QString, message);
        Login l;
        const QString hostIni = l.dir.filePath(u"HOSTIP.INI"_s);
        if (file.isNull())
            QVERIFY(QFile::remove(hostIni));
        else if (file.startsWith("PORT="))
            writeWholeFile(hostIni,
                           "[SERVER]\r\nIP=127.0.0.1:" + QByteArray::number(l.web.port()) + "\r\n" + file);
        else
            writeWholeFile(hostIni, file);
        l.press(user);
        QCOMPARE(l.prompter.requests.size(), message.isEmpty() ? 0 : 1);
        QVERIFY2(message.isEmpty() || (l.prompter.requests[0].text.contains(u"HOSTIP.INI"_s) &&
                                       l.prompter.requests[0].text.contains(message)),
                 qPrintable(l.prompter.requests.value(0).text));
        QCOMPARE(l.window->state(), frmLogin::State::Entry);
        QCOMPARE(l.window->controls().txtUserName->text(), user);
        QVERIFY(l.web.requestLines.isEmpty());
        QVERIFY(l.connections.isEmpty());
    }

    // The connection is asked for under the name the server checked, not whatever the window holds when the
    // answer comes.
    void connectsUnderTheCheckedName()
    {
        Login l;
        l.web.answers = false;
        l.press(u"alice"_s);
        QTRY_COMPARE(l.web.requestLines.size(), 1);
        l.window->controls().txtUserName->setText(u"mallory"_s);
        l.web.answerHeld();
        QTRY_COMPARE(l.connectedUsers, QStringList{u"alice"_s});
    }

    // The first check is dropped so that it cannot sign in later with the names the rejection cleared.
    void secondPressWhilePending()
    {
        Login l;
        l.web.answers = false;
        l.press(u"alice"_s);
        l.window->controls().cmdOK->click();
        QCOMPARE(l.prompter.requests.size(), 1);
        QCOMPARE(l.prompter.requests[0].text, rejectedText);
        QCOMPARE(l.window->state(), frmLogin::State::Entry);
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
        QCOMPARE(l.window->controls().txtUserName->text() + l.window->controls().txtPassword->text(),
                 QString());
    }
};

QTEST_MAIN(TestSignIn)
#include "test_sign_in.moc"
