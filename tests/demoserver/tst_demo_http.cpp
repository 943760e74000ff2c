#include "cp874.h"
#include "demo_site.h"
#include "http_request.h"
#include "http_server.h"

#include <QSignalSpy>
#include <QStringDecoder>
#include <QTcpSocket>
#include <QTest>

namespace {
QByteArray header(const QByteArray &response, const QByteArray &name)
{
    for (const QByteArray &line : response.left(response.indexOf("\r\n\r\n")).split('\n')) {
        if (line.toLower().startsWith(name.toLower() + ':'))
            return line.mid(name.size() + 1).trimmed();
    }
    return {};
}

// Sends raw bytes (in pieces) to a live server and returns everything it answers before closing.
QByteArray exchange(quint16 port, const QByteArrayList &pieces)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    if (!socket.waitForConnected(5000))
        return "no connection";
    QSignalSpy closed(&socket, &QTcpSocket::disconnected);
    for (const QByteArray &piece : pieces) {
        socket.write(piece);
        socket.flush();
    }
    QByteArray answer;
    QObject::connect(&socket, &QTcpSocket::readyRead, &socket, [&] { answer += socket.readAll(); });
    if (closed.isEmpty() && !closed.wait(5000))
        return "no close";
    return answer + socket.readAll();
}
} // namespace

class TestDemoHttp : public QObject {
    Q_OBJECT
private slots:
    void requestReader_data();
    void requestReader();
    void signInCheck_data();
    void signInCheck();
    void pages_data();
    void pages();
    void liveServer_data();
    void liveServer();
};

void TestDemoHttp::requestReader_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<HttpRequestReader::State>("state");
    QTest::addColumn<QByteArray>("target");
    using S = HttpRequestReader::State;
    QTest::newRow("get") << QByteArray("GET /news.htm HTTP/1.1\r\nHost: x\r\n\r\n") << S::Complete
                         << QByteArray("/news.htm");
    QTest::newRow("http/1.0, no headers")
        << QByteArray("GET / HTTP/1.0\r\n\r\n") << S::Complete << QByteArray("/");
    QTest::newRow("bare line feeds") << QByteArray("GET /a HTTP/1.1\nHost: x\n\n") << S::Complete
                                     << QByteArray("/a");
    QTest::newRow("head unfinished") << QByteArray("GET / HTTP/1.1\r\nHost: x\r\n") << S::Incomplete
                                     << QByteArray();
    QTest::newRow("no version") << QByteArray("GET /\r\n\r\n") << S::Bad << QByteArray();
    QTest::newRow("other protocol") << QByteArray("GET / SPDY/3\r\n\r\n") << S::Bad << QByteArray();
    QTest::newRow("lower-case method") << QByteArray("get / HTTP/1.1\r\n\r\n") << S::Bad << QByteArray();
    QTest::newRow("two spaces") << QByteArray("GET  / HTTP/1.1\r\n\r\n") << S::Bad << QByteArray();
    QTest::newRow("binary") << QByteArray("\x16\x03\x01\x02\x00\x01\r\n\r\n", 10) << S::Bad << QByteArray();
    QTest::newRow("head too large") << "GET / HTTP/1.1\r\nX: " +
                                           QByteArray(HttpRequestReader::maxHeadSize, 'a') + "\r\n\r\n"
                                    << S::TooLarge << QByteArray();
    QTest::newRow("endless line") << QByteArray(HttpRequestReader::maxHeadSize + 1, 'G') << S::TooLarge
                                  << QByteArray();
}

void TestDemoHttp::requestReader()
{
    QFETCH(QByteArray, request);
    QFETCH(HttpRequestReader::State, state);
    QFETCH(QByteArray, target);
    // Whole, and cut in two at every place the blank line could straddle.
    for (qsizetype cut = 0; cut <= request.size(); cut += cut < request.size() - 8 ? 7 : 1) {
        HttpRequestReader reader;
        reader.feed(QByteArrayView(request).first(cut));
        QCOMPARE(reader.feed(QByteArrayView(request).sliced(cut)), state);
        if (state == HttpRequestReader::State::Complete)
            QCOMPARE(reader.target(), target);
    }
}

void TestDemoHttp::signInCheck_data()
{
    QTest::addColumn<QByteArray>("query");
    QTest::addColumn<QByteArray>("body");
    QTest::newRow("somchai") << QByteArray("UID=somchai&PWD=1234") << QByteArray("ID=1001");
    QTest::newRow("alice") << QByteArray("UID=alice&PWD=alice") << QByteArray("ID=1002");
    QTest::newRow("bob") << QByteArray("UID=bob&PWD=bob") << QByteArray("ID=1003");
    QTest::newRow("thai name, windows-874")
        << QByteArray("UID=%CA%C1%CB%AD%D4%A7&PWD=1234") << QByteArray("ID=1004");
    QTest::newRow("thai name, raw bytes")
        << QByteArray("UID=\xCA\xC1\xCB\xAD\xD4\xA7&PWD=1234") << QByteArray("ID=1004");
    QTest::newRow("thai name, utf-8")
        << QByteArray("UID=%E0%B8%AA%E0%B8%A1%E0%B8%AB%E0%B8%8D%E0%B8%B4%E0%B8%87&PWD=1234")
        << QByteArray("ERROR=1");
    QTest::newRow("parameters swapped") << QByteArray("PWD=bob&UID=bob") << QByteArray("ID=1003");
    QTest::newRow("wrong password") << QByteArray("UID=somchai&PWD=12345") << QByteArray("ERROR=1");
    QTest::newRow("empty password") << QByteArray("UID=bob&PWD=") << QByteArray("ERROR=1");
    QTest::newRow("no password") << QByteArray("UID=bob") << QByteArray("ERROR=1");
    QTest::newRow("name in capitals") << QByteArray("UID=Bob&PWD=bob") << QByteArray("ERROR=1");
    QTest::newRow("name with blank") << QByteArray("UID=bob%20&PWD=bob") << QByteArray("ERROR=1");
    QTest::newRow("unknown") << QByteArray("UID=mallory&PWD=x") << QByteArray("ERROR=1");
    QTest::newRow("nothing") << QByteArray() << QByteArray("ERROR=1");
    QTest::newRow("broken escape") << QByteArray("UID=bob%&PWD=bob%zz") << QByteArray("ERROR=1");
}

void TestDemoHttp::signInCheck()
{
    QFETCH(QByteArray, query);
    QFETCH(QByteArray, body);
    const HttpResponse r = DemoSite::get("/chkmbid.asp?" + query);
    QCOMPARE(r.status, 200);
    QCOMPARE(r.body, body);
    QCOMPARE(r.contentType, QByteArray("text/plain; charset=windows-874"));
}

void TestDemoHttp::pages_data()
{
    QTest::addColumn<QByteArray>("target");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("charset");
    const QByteArray utf8 = "utf-8", thai = "windows-874";
    QTest::newRow("home") << QByteArray("/") << 200 << utf8;
    QTest::newRow("banner") << QByteArray("/adv.asp") << 200 << thai;
    QTest::newRow("gallery") << QByteArray("/gallery.htm") << 200 << thai;
    QTest::newRow("category") << QByteArray("/category/crafts.htm") << 200 << utf8;
    QTest::newRow("product in windows-874") << QByteArray("/product/P1001.htm") << 200 << thai;
    QTest::newRow("product in utf-8") << QByteArray("/product/P1002.htm") << 200 << utf8;
    QTest::newRow("product, other case") << QByteArray("/Product/p1003.HTM") << 200 << thai;
    QTest::newRow("news") << QByteArray("/news.htm") << 200 << thai;
    QTest::newRow("faq") << QByteArray("/faq.htm") << 200 << utf8;
    QTest::newRow("search") << QByteArray("/search.htm?q=%E0%B8%9C%E0%B9%89%E0%B8%B2") << 200 << utf8;
    QTest::newRow("help") << QByteArray("/howtopgm.htm") << 200 << thai;
    QTest::newRow("contact") << QByteArray("/contact.htm") << 200 << utf8;
    QTest::newRow("register") << QByteArray("/asp/register.asp") << 200 << thai;
    QTest::newRow("interest") << QByteArray("/asp/pinterest.asp") << 200 << utf8;
    QTest::newRow("posting") << QByteArray("/asp/posting.asp") << 200 << thai;
    QTest::newRow("cancelled") << QByteArray("/cancel.htm") << 200 << utf8;
    QTest::newRow("absolute target") << QByteArray("http://127.0.0.1:8080/news.htm") << 200 << thai;
    QTest::newRow("unknown") << QByteArray("/nothing.htm") << 404 << utf8;
    QTest::newRow("unknown product") << QByteArray("/product/P9999.htm") << 404 << utf8;
    QTest::newRow("unknown category") << QByteArray("/category/.htm") << 404 << utf8;
    QTest::newRow("climbing out") << QByteArray("/product/../../etc/passwd") << 404 << utf8;
    QTest::newRow("not a path") << QByteArray("*") << 400 << utf8;
}

// Each page is real HTML with a title, in the charset its header names, and nothing lost in encoding.
void TestDemoHttp::pages()
{
    QFETCH(QByteArray, target);
    QFETCH(int, status);
    QFETCH(QByteArray, charset);
    const HttpResponse r = DemoSite::get(target);
    QCOMPARE(r.status, status);
    QCOMPARE(r.contentType, "text/html; charset=" + charset);

    QString text;
    if (charset == "utf-8") {
        QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
        text = decoder(r.body);
        QVERIFY(!decoder.hasError());
    } else {
        text = Cp874::decode(r.body);
        // A character outside the code page would have become '?'.
        QCOMPARE(r.body.count('?'), 0);
    }
    QVERIFY(text.startsWith(QLatin1String("<!DOCTYPE html>")));
    QVERIFY(text.contains(QLatin1String("charset=") + QLatin1String(charset)));
    const qsizetype title = text.indexOf(QLatin1String("<title>"));
    QVERIFY(title > 0);
    QVERIFY(text.indexOf(QLatin1String("</title>")) > title + 7);
    QVERIFY(!text.contains(QLatin1String("src=\"http")));

    const QByteArray wire = r.serialize();
    QVERIFY(wire.startsWith("HTTP/1.1 " + QByteArray::number(status) + ' '));
    QCOMPARE(header(wire, "Content-Length"), QByteArray::number(r.body.size()));
    QCOMPARE(header(wire, "Connection"), QByteArray("close"));
    QVERIFY(wire.endsWith(r.body));
    QVERIFY(!r.serialize(false).endsWith(r.body));
}

void TestDemoHttp::liveServer_data()
{
    QTest::addColumn<QByteArrayList>("pieces");
    QTest::addColumn<QByteArray>("statusLine");
    QTest::addColumn<QByteArray>("bodyStart");
    QTest::newRow("sign-in")
        << QByteArrayList{"GET /chkmbid.asp?UID=alice&PWD=alice HTTP/1.1\r\nHost: x\r\n\r\n"}
        << QByteArray("HTTP/1.1 200 OK") << QByteArray("ID=1002");
    QTest::newRow("split request") << QByteArrayList{"GET /chkmbid.asp?UID=bob&P", "WD=bob HTTP/1.0\r",
                                                     "\n\r\n"}
                                   << QByteArray("HTTP/1.1 200 OK") << QByteArray("ID=1003");
    QTest::newRow("head") << QByteArrayList{"HEAD /news.htm HTTP/1.1\r\n\r\n"}
                          << QByteArray("HTTP/1.1 200 OK") << QByteArray();
    QTest::newRow("post") << QByteArrayList{"POST /chkmbid.asp HTTP/1.1\r\nContent-Length: 3\r\n\r\nabc"}
                          << QByteArray("HTTP/1.1 405 Method Not Allowed") << QByteArray("<!DOCTYPE html>");
    QTest::newRow("not http") << QByteArrayList{"hello\r\n\r\n"} << QByteArray("HTTP/1.1 400 Bad Request")
                              << QByteArray("<!DOCTYPE html>");
    QTest::newRow("oversized") << QByteArrayList{"GET /" + QByteArray(20000, 'a') + " HTTP/1.1\r\n\r\n"}
                               << QByteArray("HTTP/1.1 431 Request Header Fields Too Large")
                               << QByteArray("<!DOCTYPE html>");
    QTest::newRow("unknown") << QByteArrayList{"GET /x.htm HTTP/1.1\r\n\r\n"}
                             << QByteArray("HTTP/1.1 404 Not Found") << QByteArray("<!DOCTYPE html>");
}

void TestDemoHttp::liveServer()
{
    QFETCH(QByteArrayList, pieces);
    QFETCH(QByteArray, statusLine);
    QFETCH(QByteArray, bodyStart);
    DemoHttpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost, 0));
    const QByteArray answer = exchange(server.port(), pieces);
    QCOMPARE(answer.left(answer.indexOf("\r\n")), statusLine);
    const QByteArray body = answer.mid(answer.indexOf("\r\n\r\n") + 4);
    QCOMPARE(body.left(bodyStart.size()), bodyStart);
    if (bodyStart.isEmpty())
        QCOMPARE(body, QByteArray());
}

QTEST_GUILESS_MAIN(TestDemoHttp)
#include "tst_demo_http.moc"
