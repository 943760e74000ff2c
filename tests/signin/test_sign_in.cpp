// The sign-in window: the request, the answers that sign in or reject, HOSTIP.INI read at every press, and a
// web server that misbehaves.
#include "frm_login.h"
#include "loopback_peers.h"
#include "sign_in_target.h"
#include "test_support.h"

#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRandomGenerator>
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

QByteArray binaryBytes()
{
    QByteArray bytes(4096, Qt::Uninitialized);
    QRandomGenerator random(12);
    for (char &c : bytes)
        c = char(random.bounded(256));
    return bytes;
}
} // namespace

class TestSignIn : public QObject {
    Q_OBJECT
private slots:
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
            QCOMPARE(l.window->controls().txtUserName->text() + l.window->controls().txtPassword->text(),
                     QString());
            QVERIFY(l.connections.isEmpty());
        } else {
            QTRY_VERIFY(l.window.isNull());
            QCOMPARE(l.statusTexts, QStringList{status});
            // The auction socket gets the host part of IP, the port as configured and the name checked.
            QCOMPARE(l.connections, (QList<QPair<QString, int>>{{u"127.0.0.1"_s, 40000}}));
            QCOMPARE(l.connectedUsers, QStringList{user});
            QVERIFY(l.prompter.requests.isEmpty());
        }
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    }

    // What HOSTIP.INI holds when OK is pressed, even when a blank name sends nothing: "@WEB@" stands for the
    // loopback web server's address. A port other than 0 is the one connected to; "message", when given, is
    // part of the message that names the file (and the PORT read from it).
    void configurationFile_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("user");
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("message");
        const QByteArray good = "[SERVER]\r\nIP=@WEB@\r\nPORT=4000\r\n";
        const QString alice = u"alice"_s;
        QTest::newRow("missing") << QByteArray() << alice << 0 << u"HOSTIP.INI was not found"_s;
        QTest::newRow("empty") << ""_ba << alice << 0 << u"\"\""_s;
        QTest::newRow("binary") << binaryBytes() << alice << 0 << u"\"\""_s;
        QTest::newRow("binary after the keys") << good + binaryBytes() << alice << 4000 << QString();
        QTest::newRow("UTF-8 with a byte-order mark") << "\xEF\xBB\xBF" + good << alice << 4000 << QString();
        QTest::newRow("50 MB") << good + QByteArray(50 * 1000 * 1000 / 50, '\n')
                                             .replace("\n", "junk=" + QByteArray(43, 'j') + "\r\n")
                               << alice << 4000 << QString();
        for (const char *port : {"1", "65535", " 8080 "})
            QTest::addRow("PORT=%s", port) << "[SERVER]\r\nIP=@WEB@\r\nPORT=" + QByteArray(port) + "\r\n"
                                           << alice << QByteArray(port).trimmed().toInt() << QString();
        for (const char *port :
             {"0", "65536", "", "eighty", "80x", "\" 8080 \"", "-1", "99999999999999999999"})
            QTest::addRow("PORT=%s", port)
                << "[SERVER]\r\nIP=@WEB@\r\nPORT=" + QByteArray(port) + "\r\n"
                << alice << 0 << u"\"%1\""_s.arg(QString::fromLatin1(port).remove(u'"'));
        QTest::newRow("blank name") << good << u"   "_s << 0 << QString();
        QTest::newRow("blank name, bad port")
            << "[SERVER]\r\nIP=@WEB@\r\nPORT=http\r\n"_ba << u"   "_s << 0 << u"\"http\""_s;
    }
    void configurationFile()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, user);
        QFETCH(int, port);
        QFETCH(QString, message);
        Login l;
        if (file.isNull())
            QVERIFY(QFile::remove(l.dir.filePath(u"HOSTIP.INI"_s)));
        else
            writeWholeFile(l.dir.filePath(u"HOSTIP.INI"_s),
                           file.replace("@WEB@", "127.0.0.1:" + QByteArray::number(l.web.port())));
        l.press(user);
        if (port) {
            QTRY_VERIFY(l.window.isNull());
            QCOMPARE(l.connections, (QList<QPair<QString, int>>{{u"127.0.0.1"_s, port}}));
            QVERIFY(l.prompter.requests.isEmpty());
            return;
        }
        QCOMPARE(l.prompter.requests.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty()) {
            QCOMPARE(l.prompter.requests[0].icon, Prompter::Icon::None);
            QVERIFY2(l.prompter.requests[0].text.contains(u"HOSTIP.INI"_s) &&
                         l.prompter.requests[0].text.contains(message),
                     qPrintable(l.prompter.requests[0].text));
        }
        QCOMPARE(l.window->state(), frmLogin::State::Entry);
        QCOMPARE(l.window->controls().txtUserName->text(), user);
        QVERIFY(l.web.requestLines.isEmpty());
        QVERIFY(l.connections.isEmpty());
    }

    // A web server that is not there, never answers, answers without end or closes part way: each attempt
    // ends once, in time, with a message, and leaves the window ready for another try with the texts typed.
    // "answer" is every byte the server sends (none: it never answers); "message" is part of what is shown.
    void brokenAnswers_data()
    {
        QTest::addColumn<bool>("refused");
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<QString>("message");
        const QString tooLong = u"The web server's answer is too long."_s;
        QTest::newRow("refused") << true << QByteArray() << QString();
        QTest::newRow("never answers")
            << false << QByteArray() << u"The web server did not answer in time."_s;
        QTest::newRow("closed before answering") << false << ""_ba << QString();
        QTest::newRow("closed after the headers, length announced")
            << false << "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nID=4"_ba << QString();
        // Without a length the close ends the body: an empty one, which is a rejection.
        QTest::newRow("closed after the headers, no length")
            << false << "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n"_ba << rejectedText;
        QTest::newRow("10 MiB, length announced")
            << false
            << "HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(tenMiB.size() + 3) +
                   "\r\n\r\nID=" + tenMiB
            << tooLong;
        QTest::newRow("10 MiB, no length")
            << false << "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\nID=" + tenMiB << tooLong;
    }
    void brokenAnswers()
    {
        QFETCH(bool, refused);
        QFETCH(QByteArray, answer);
        QFETCH(QString, message);
        Login l;
        l.web.rawAnswer = answer;
        l.web.answers = !answer.isNull();
        if (refused)
            l.writeHostIni(unusedPort(), u"4000"_s);
        l.window->setRequestTimeout(answer.isNull() ? 200ms : 5s);
        l.press(u"alice"_s);
        QVERIFY(QGuiApplication::overrideCursor());
        QTRY_COMPARE_WITH_TIMEOUT(l.prompter.requests.size(), 1, 10000);
        const QString shown = l.prompter.requests[0].text;
        QVERIFY2(shown.contains(message) && !shown.contains(u"pw"_s), qPrintable(shown));
        QCOMPARE(l.window->state(), frmLogin::State::Entry);
        QCOMPARE(l.window->controls().txtUserName->text() + l.window->controls().txtPassword->text(),
                 message == rejectedText ? QString() : u"alicepw"_s);
        // The error's own text, OK only, the program's title, no icon.
        QCOMPARE(l.prompter.requests[0].icon, Prompter::Icon::None);
        QCOMPARE(l.prompter.requests[0].buttons, Prompter::Buttons::Ok);
        QCOMPARE(l.prompter.requests[0].title, u"Gavora"_s);
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
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
