#pragma once

#include "fake_web_view.h"
#include "frm2bid.h"
#include "frm_login.h"
#include "test_support.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <functional>

// The auction server's end: accepts connections and keeps what each one sent.
class TcpPeer : public QObject {
public:
    TcpPeer()
    {
        server.listen(QHostAddress::LocalHost);
        connect(&server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = server.nextPendingConnection()) {
                const qsizetype index = received.size();
                received.append(QByteArray());
                sockets.append(socket);
                connect(socket, &QTcpSocket::readyRead, this,
                        [this, socket, index] { received[index] += socket->readAll(); });
            }
        });
    }
    quint16 port() const { return server.serverPort(); }

    QTcpServer server;
    QList<QTcpSocket *> sockets;
    QList<QByteArray> received;
};

// Answers as FakePrompter does. A real message box runs the event loop while it is open; whileOpen stands for
// what happens meanwhile.
class OpenBoxPrompter : public FakePrompter {
public:
    Answer ask(const Request &request) override
    {
        if (whileOpen)
            whileOpen();
        return FakePrompter::ask(request);
    }
    std::function<void()> whileOpen;
};

// The main window in a fresh work folder, with fake web views and scripted message boxes.
struct Harness {
    Harness()
        : window({&prompter, FakeWebView::factory(), [this] { ++beeps; }, std::chrono::milliseconds(2000)})
    {}

    void writeHostIni(const QString &ip, int port)
    {
        writeWholeFile(dir.filePath(QStringLiteral("HOSTIP.INI")),
                       "[SERVER]\r\nIP=" + ip.toLatin1() + "\r\nPORT=" + QByteArray::number(port) +
                           "\r\nWEBONE=http://pages.test/desc.htm\r\nWEBGALL=http://pages.test/gall.htm\r\n");
    }

    void signIn(const QString &name)
    {
        window.MLN_Click();
        frmLogin *login = window.signInWindow();
        QVERIFY(login);
        login->txtUserName->setText(name);
        login->txtPassword->setText(QStringLiteral("pw"));
        login->cmdOK->click();
    }

    FakeWebView *fakeView(WebView *view) { return static_cast<FakeWebView *>(view); }

    TempWorkDir dir;
    OpenBoxPrompter prompter;
    int beeps = 0;
    frm2Bid window;
};
