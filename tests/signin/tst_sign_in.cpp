#include "frm_login.h"
#include "global.h"
#include "http_responder.h"
#include "sign_in_request.h"
#include "sign_in_target.h"
#include "test_support.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace std::chrono_literals;

namespace {
struct RecordingTarget : SignInTarget {
    QStringList statusTexts;
    QList<QPair<QString, int>> connections;
    void showMemberStatus(const QString &text) override { statusTexts.append(text); }
    void ConnectAuctionSocket(const QString &host, int port) override { connections.append({host, port}); }
};

void writeHostIni(const TempWorkDir &dir, const QString &ip, const QString &port)
{
    writeWholeFile(dir.filePath(QStringLiteral("HOSTIP.INI")),
                   "[SERVER]\r\nIP=" + ip.toLatin1() + "\r\nPORT=" + port.toLatin1() + "\r\n");
}

const QString rejectedText = QStringLiteral("พบข้อผิดพลาด.... กรุณาลองใหม่อีกครั้ง");
} // namespace

class TestSignIn : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        Global::UserID.clear();
        Global::LoginName.clear();
        Global::LoginPassword.clear();
    }

    void requestUrl_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QByteArray>("query");
        QTest::newRow("plain") << "alice"
                               << "secret" << QByteArray("UID=alice&PWD=secret");
        QTest::newRow("empty password") << "bob"
                                        << "" << QByteArray("UID=bob&PWD=");
        QTest::newRow("thai as windows-874")
            << QStringLiteral("สมชาย") << "x" << QByteArray("UID=%CA%C1%AA%D2%C2&PWD=x");
        QTest::newRow("query characters") << "a&b=c"
                                          << "p+q#r%s" << QByteArray("UID=a%26b%3Dc&PWD=p%2Bq%23r%25s");
        QTest::newRow("blanks kept") << " bob "
                                     << "a b" << QByteArray("UID=%20bob%20&PWD=a%20b");
    }
    void requestUrl()
    {
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(QByteArray, query);
        QCOMPARE(SignIn::requestUrl(QStringLiteral("web.example:8080"), user, password),
                 "http://web.example:8080/chkmbid.asp?" + query);
    }

    void parseReply_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("memberId");
        QTest::newRow("member") << QByteArray("ID=4711") << true << "4711";
        QTest::newRow("bare ID") << QByteArray("ID") << true << "";
        QTest::newRow("second equals ignored") << QByteArray("ID=42=x") << true << "42";
        QTest::newRow("line break kept") << QByteArray("ID=7\r\n") << true << "7\r\n";
        QTest::newRow("small letters") << QByteArray("id=7") << false << "";
        QTest::newRow("leading blank") << QByteArray(" ID=7") << false << "";
        QTest::newRow("empty") << QByteArray() << false << "";
        QTest::newRow("error page") << QByteArray("<html>No</html>") << false << "";
    }
    void parseReply()
    {
        QFETCH(QByteArray, body);
        QFETCH(bool, accepted);
        QFETCH(QString, memberId);
        const SignIn::Reply reply = SignIn::parseReply(body);
        QCOMPARE(reply.accepted, accepted);
        QCOMPARE(reply.memberId, memberId);
    }

    void parsePort_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("port");
        QTest::newRow("low") << "1" << 1;
        QTest::newRow("above 16-bit signed") << "40000" << 40000;
        QTest::newRow("highest") << "65535" << 65535;
        QTest::newRow("leading zeros") << "00080" << 80;
        QTest::newRow("zero") << "0" << -1;
        QTest::newRow("too high") << "65536" << -1;
        QTest::newRow("huge") << "99999999999" << -1;
        QTest::newRow("empty") << "" << -1;
        QTest::newRow("letters") << "80a" << -1;
        QTest::newRow("negative") << "-80" << -1;
    }
    void parsePort()
    {
        QFETCH(QString, text);
        QFETCH(int, port);
        QCOMPARE(SignIn::parsePort(text).value_or(-1), port);
    }

    void design()
    {
        FakePrompter prompter;
        RecordingTarget target;
        frmLogin window(target, prompter);
        QCOMPARE(window.windowTitle(), QStringLiteral("Login"));
        QCOMPARE(window.size(), QSize(250, 107));
        QCOMPARE(window.txtUserName->geometry(), QRect(89, 8, 155, 23));
        QCOMPARE(window.cmdCancel->geometry(), QRect(143, 73, 76, 26));
        QCOMPARE(window.txtPassword->echoMode(), QLineEdit::Password);
        QVERIFY(window.cmdOK->isDefault());
        QCOMPARE(window.lblLabels[0]->text(), QStringLiteral("&Login  Name:"));
        QCOMPARE(window.txtUserName->nextInFocusChain(), window.txtPassword);
        QCOMPARE(window.txtPassword->nextInFocusChain(), window.cmdOK);
        QVERIFY(window.lbmessage->isHidden());
    }

    void escapeCloses()
    {
        FakePrompter prompter;
        RecordingTarget target;
        QPointer<frmLogin> window = new frmLogin(target, prompter);
        window->show();
        QTest::keyClick(window->txtUserName, Qt::Key_Escape);
        QTRY_VERIFY(window.isNull());
    }

    // The request as it reaches the web server.
    void requestLine_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("plain") << "alice" << QByteArray("GET /chkmbid.asp?UID=alice&PWD=pw HTTP/1.1");
        QTest::newRow("thai") << QStringLiteral("สมชาย")
                              << QByteArray("GET /chkmbid.asp?UID=%CA%C1%AA%D2%C2&PWD=pw HTTP/1.1");
        QTest::newRow("ampersand and equals")
            << "a&b=c" << QByteArray("GET /chkmbid.asp?UID=a%26b%3Dc&PWD=pw HTTP/1.1");
    }
    void requestLine()
    {
        QFETCH(QString, user);
        QFETCH(QByteArray, line);
        TempWorkDir dir;
        HttpResponder web;
        writeHostIni(dir, web.address(), QStringLiteral("4000"));
        FakePrompter prompter;
        RecordingTarget target;
        QPointer<frmLogin> window = new frmLogin(target, prompter);
        window->txtUserName->setText(user);
        window->txtPassword->setText(QStringLiteral("pw"));
        window->cmdOK->click();
        QCOMPARE(window->state(), frmLogin::State::Checking);
        QVERIFY(window->lbmessage->isVisibleTo(window));
        QVERIFY(!window->txtUserName->isVisibleTo(window));
        QTRY_VERIFY(window.isNull());
        QCOMPARE(web.requestLines, QList<QByteArray>{line});
        QCOMPARE(Global::UserID, user);
    }

    void reply_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("status");
        QTest::newRow("member") << QByteArray("ID=7") << "UID :  7";
        QTest::newRow("bare ID") << QByteArray("ID") << "UID :  ";
    }
    void reply()
    {
        QFETCH(QByteArray, body);
        QFETCH(QString, status);
        TempWorkDir dir;
        HttpResponder web;
        web.setBody(body);
        writeHostIni(dir, web.address(), QStringLiteral("40000"));
        FakePrompter prompter;
        RecordingTarget target;
        QPointer<frmLogin> window = new frmLogin(target, prompter);
        window->txtUserName->setText(QStringLiteral("alice"));
        window->cmdOK->click();
        QTRY_VERIFY(window.isNull());
        QCOMPARE(target.statusTexts, QStringList{status});
        // The auction socket gets the host part of IP and the port as configured.
        const QList<QPair<QString, int>> expected{{QStringLiteral("127.0.0.1"), 40000}};
        QCOMPARE(target.connections, expected);
        QVERIFY(prompter.requests.isEmpty());
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    }

    void rejectionResets()
    {
        TempWorkDir dir;
        HttpResponder web;
        web.setBody(QByteArray("id=7"));
        writeHostIni(dir, web.address(), QStringLiteral("4000"));
        FakePrompter prompter;
        RecordingTarget target;
        frmLogin window(target, prompter);
        window.txtUserName->setText(QStringLiteral("alice"));
        window.txtPassword->setText(QStringLiteral("pw"));
        window.cmdOK->click();
        QTRY_COMPARE(prompter.requests.size(), 1);
        QCOMPARE(prompter.requests[0].text, rejectedText);
        QCOMPARE(prompter.requests[0].title, QStringLiteral("Gavora"));
        QCOMPARE(window.state(), frmLogin::State::Entry);
        QVERIFY(window.txtUserName->isVisibleTo(&window));
        QVERIFY(!window.lbmessage->isVisibleTo(&window));
        QCOMPARE(window.txtUserName->text(), QString());
        QCOMPARE(window.txtPassword->text(), QString());
        QCOMPARE(Global::UserID, QString());
        QCOMPARE(Global::LoginPassword, QString());
        QVERIFY(target.connections.isEmpty());
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    }

    // A blank name sends nothing, but the configuration is still read.
    void blankName_data()
    {
        QTest::addColumn<QString>("port");
        QTest::addColumn<int>("messages");
        QTest::newRow("good port") << "4000" << 0;
        QTest::newRow("bad port") << "http" << 1;
    }
    void blankName()
    {
        QFETCH(QString, port);
        QFETCH(int, messages);
        TempWorkDir dir;
        HttpResponder web;
        writeHostIni(dir, web.address(), port);
        FakePrompter prompter;
        RecordingTarget target;
        frmLogin window(target, prompter);
        window.txtUserName->setText(QStringLiteral("   "));
        window.cmdOK->click();
        QCOMPARE(prompter.requests.size(), messages);
        if (messages)
            QVERIFY(prompter.requests[0].text.contains(port));
        QCOMPARE(window.state(), frmLogin::State::Entry);
        QCOMPARE(Global::UserID, QString());
        QVERIFY(web.requestLines.isEmpty());
    }

    void badPortChangesNothing_data()
    {
        QTest::addColumn<QString>("port");
        QTest::newRow("empty") << "";
        QTest::newRow("not a number") << "eighty";
        QTest::newRow("out of range") << "70000";
    }
    void badPortChangesNothing()
    {
        QFETCH(QString, port);
        TempWorkDir dir;
        HttpResponder web;
        writeHostIni(dir, web.address(), port);
        FakePrompter prompter;
        RecordingTarget target;
        frmLogin window(target, prompter);
        window.txtUserName->setText(QStringLiteral("alice"));
        window.txtPassword->setText(QStringLiteral("pw"));
        window.cmdOK->click();
        QCOMPARE(prompter.requests.size(), 1);
        QVERIFY(prompter.requests[0].text.contains(QLatin1Char('"') + port + QLatin1Char('"')));
        QCOMPARE(window.state(), frmLogin::State::Entry);
        QCOMPARE(window.txtUserName->text(), QStringLiteral("alice"));
        QCOMPARE(Global::UserID, QString());
        QVERIFY(web.requestLines.isEmpty());
    }

    // Failures of the check itself leave the window ready for another try with the texts typed.
    void checkFailure_data()
    {
        QTest::addColumn<bool>("serverAnswers");
        QTest::newRow("time-out") << true;
        QTest::newRow("refused") << false;
    }
    void checkFailure()
    {
        QFETCH(bool, serverAnswers);
        TempWorkDir dir;
        HttpResponder web;
        web.setBody(std::nullopt);
        QString address = web.address();
        if (!serverAnswers) {
            QTcpServer closed;
            closed.listen(QHostAddress::LocalHost);
            address = QStringLiteral("127.0.0.1:%1").arg(closed.serverPort());
        }
        writeHostIni(dir, address, QStringLiteral("4000"));
        FakePrompter prompter;
        RecordingTarget target;
        frmLogin window(target, prompter);
        window.setRequestTimeout(100ms);
        window.txtUserName->setText(QStringLiteral("alice"));
        window.txtPassword->setText(QStringLiteral("pw"));
        window.cmdOK->click();
        QVERIFY(QGuiApplication::overrideCursor());
        QTRY_COMPARE(prompter.requests.size(), 1);
        QVERIFY(!prompter.requests[0].text.isEmpty());
        QCOMPARE(prompter.requests[0].icon, Prompter::Icon::Critical);
        QCOMPARE(window.state(), frmLogin::State::Entry);
        QCOMPARE(window.txtUserName->text(), QStringLiteral("alice"));
        QCOMPARE(window.txtPassword->text(), QStringLiteral("pw"));
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
        QVERIFY(target.connections.isEmpty());
        QVERIFY(!prompter.requests[0].text.contains(QStringLiteral("pw")));
    }

    // A second press while the first check is still out is a rejection, and the first check is dropped so it
    // cannot sign in later with the names the rejection cleared.
    void secondPressWhilePending()
    {
        TempWorkDir dir;
        HttpResponder web;
        web.setBody(std::nullopt);
        writeHostIni(dir, web.address(), QStringLiteral("4000"));
        FakePrompter prompter;
        RecordingTarget target;
        frmLogin window(target, prompter);
        window.txtUserName->setText(QStringLiteral("alice"));
        window.cmdOK->click();
        window.cmdOK->click();
        QCOMPARE(prompter.requests.size(), 1);
        QCOMPARE(prompter.requests[0].text, rejectedText);
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
        QCOMPARE(window.state(), frmLogin::State::Entry);
        QCOMPARE(Global::UserID, QString());
    }
};

QTEST_MAIN(TestSignIn)
#include "tst_sign_in.moc"
