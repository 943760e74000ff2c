// What a user waits for, on the real main window (offscreen, real web views) against a loopback auction
// server: a server's bid until the panel shows it, Enter in Your Bid until the server has the bid (also while
// the server floods the window with bids), a rival's bid until auto-bid has answered it, and the start of the
// program until its window is painted. The window is reached only through its constructor, its load step and
// the object names of its widgets and menu items.
#include "amount.h"
#include "auction_panel.h"
#include "auction_socket.h"
#include "desktop_notifier.h"
#include "frm2bid.h"
#include "loopback_peers.h"
#include "message_box_prompter.h"
#include "start_up.h"
#include "test_support.h"
#include "user_settings.h"
#include "web_engine_web_view.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <pthread.h>
#include <sched.h>
#include <vector>

using namespace std::chrono_literals;

namespace {
// CLOCK_MONOTONIC, which a child process reads on the same scale.
qint64 nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Nearest-rank percentile, in microseconds.
double percentileUs(std::vector<qint64> samples, double p)
{
    std::sort(samples.begin(), samples.end());
    const auto rank = std::size_t(std::ceil(p * double(samples.size())));
    return double(samples[std::max<std::size_t>(rank, 1) - 1]) / 1000.0;
}

void report(benchmark::State &state, const std::vector<qint64> &samples)
{
    state.SetIterationTime(percentileUs(samples, 0.5) / 1e6);
    state.counters["p50_us"] = percentileUs(samples, 0.5);
    state.counters["p99_us"] = percentileUs(samples, 0.99);
    state.counters["max_us"] = percentileUs(samples, 1.0);
}

// Runs the event loop until done() holds, checking at every event the loop handles.
bool runUntil(const std::function<bool()> &done, std::chrono::milliseconds limit = 30s)
{
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    check.start(1);
    QTimer::singleShot(limit, &loop, &QEventLoop::quit);
    if (!done())
        loop.exec();
    return done();
}

void writeHostIni(const QString &folder, quint16 webPort, quint16 auctionPort)
{
    const QByteArray host = "127.0.0.1:" + QByteArray::number(webPort);
    writeWholeFile(QDir(folder).filePath(QStringLiteral("HOSTIP.INI")),
                   "[SERVER]\r\nIP=" + host + "\r\nPORT=" + QByteArray::number(auctionPort) +
                       "\r\nWEBONE=http://" + host + "/product.htm\r\nWEBGALL=http://" + host +
                       "/gallery.htm\r\n");
}

QByteArray productMessage(quint16 webPort)
{
    return "#BidManPInfo\tP1\tWatch\t1\t1000\t100\tnobody\t1000\t100\tShop\tTHB\thttp://127.0.0.1:" +
           QByteArray::number(webPort) + "/p1.htm\t\xFE#GOBID\t\xFE";
}

// An auction server on a thread of its own, at real-time priority where the system allows it, so that its
// clock readings wait neither for the window's thread nor for other work on the machine. It puts up the
// product it is given when the client announces itself, sends rival bids at `rate` messages a second while
// flooding is on (a write every millisecond) or one at a time when asked, and reports each whole bid of the
// client with the moment its last byte arrived.
class ServerThread {
public:
    explicit ServerThread(int rate = 0) : m_rate(rate)
    {
        m_context.moveToThread(&m_thread);
        m_thread.start();
        QMetaObject::invokeMethod(
            &m_context, [this] { listen(); }, Qt::BlockingQueuedConnection);
    }
    ~ServerThread()
    {
        QMetaObject::invokeMethod(
            &m_context, [this] { qDeleteAll(m_context.children()); }, Qt::BlockingQueuedConnection);
        m_thread.quit();
        m_thread.wait();
    }
    quint16 port() const { return m_port; }
    bool realTime() const { return m_realTime; }
    // Bytes written but not yet taken by the system: a client that keeps up leaves next to none.
    qint64 backlog()
    {
        qint64 bytes = 0;
        QMetaObject::invokeMethod(
            &m_context, [this, &bytes] { bytes = m_client ? m_client->bytesToWrite() : 0; },
            Qt::BlockingQueuedConnection);
        return bytes;
    }
    // Rival bids sent per second since flooding began.
    double floodRate() const { return m_floodNs ? double(m_sent) * 1e9 / double(m_floodNs) : 0; }

    // A rival's "#BID" of amount; sentAt is its last byte handed to the system, on the server's clock.
    void sendRival(qint64 amount, const std::function<void(qint64 sentAt)> &sent)
    {
        QMetaObject::invokeMethod(&m_context, [this, amount, sent] {
            if (!m_client)
                return;
            m_client->write(bidMessage("alice", amount));
            m_client->flush();
            const qint64 at = nowNs();
            QMetaObject::invokeMethod(
                &m_home, [sent, at] { sent(at); }, Qt::QueuedConnection);
        });
    }

    QByteArray product;
    std::atomic<bool> flooding{false};
    // Called on the thread that made the server.
    std::function<void(qint64 arrived)> onClientBid;

private:
    void listen()
    {
        const sched_param priority{.sched_priority = 10};
        m_realTime = pthread_setschedparam(pthread_self(), SCHED_FIFO, &priority) == 0;
        auto *server = new QTcpServer(&m_context);
        server->listen(QHostAddress::LocalHost);
        m_port = server->serverPort();
        QObject::connect(server, &QTcpServer::newConnection, &m_context, [this, server] {
            m_client = server->nextPendingConnection();
            QObject::connect(m_client, &QTcpSocket::readyRead, &m_context, [this] { read(); });
            if (m_rate == 0)
                return;
            auto *pace = new QTimer(m_client);
            pace->setTimerType(Qt::PreciseTimer);
            QObject::connect(pace, &QTimer::timeout, m_client, [this] { flood(); });
            pace->start(1);
        });
    }

    void read()
    {
        m_received += m_client->readAll();
        const qint64 arrived = nowNs();
        if (m_received.startsWith("AuctionGO")) {
            m_received.clear();
            m_client->write(product);
        }
        for (qsizetype end; (end = m_received.indexOf('\xFE')) >= 0; m_received.remove(0, end + 1)) {
            if (m_received.startsWith("me\tROBOT CLICK BID\t"))
                QMetaObject::invokeMethod(
                    &m_home, [this, arrived] { onClientBid(arrived); }, Qt::QueuedConnection);
        }
    }

    void flood()
    {
        if (!flooding) {
            m_floodStart = 0;
            return;
        }
        const qint64 now = nowNs();
        if (m_floodStart == 0) {
            m_floodStart = now;
            m_sent = 0;
        }
        m_floodNs = now - m_floodStart;
        const qint64 due = m_floodNs * m_rate / 1'000'000'000 - m_sent;
        QByteArray bytes;
        for (qint64 i = 0; i < due; ++i)
            bytes += bidMessage("alice", 2000 + m_amount++);
        m_sent += due;
        m_client->write(bytes);
    }

    const qint64 m_rate;
    QThread m_thread;
    QObject m_context;
    QObject m_home; // on the thread that made the server
    QTcpSocket *m_client = nullptr;
    quint16 m_port = 0;
    bool m_realTime = false;
    QByteArray m_received;
    qint64 m_floodStart = 0;
    std::atomic<qint64> m_floodNs = 0;
    std::atomic<qint64> m_sent = 0;
    qint64 m_amount = 0;
};

// The window as the program opens it, connected as "me" to a loopback auction server that has put up a
// product and opened the bidding: the scripted peer, or the server thread when one is given.
struct ConnectedWindow {
    explicit ConnectedWindow(ServerThread *server = nullptr)
        : window({.prompter = &prompter,
                  .webViewFactory = WebEngineWebView::factory(folder),
                  .beep = [] {},
                  .workFolder = folder})
    {
        writeHostIni(dir.path(), web.port(), peer.port());
        window.Form_Load();
        window.show();
        if (server) {
            server->product = productMessage(web.port());
            window.auctionPanel().ConnectAuctionSocket(QStringLiteral("127.0.0.1"), server->port(),
                                                       QStringLiteral("me"));
        } else {
            window.auctionPanel().ConnectAuctionSocket(QStringLiteral("127.0.0.1"), peer.port(),
                                                       QStringLiteral("me"));
            ready = runUntil([this] { return peer.received.startsWith("AuctionGO"); });
            peer.received.clear();
            peer.send(productMessage(web.port()));
        }
        const auto *lastBid = window.findChild<QLabel *>(QStringLiteral("Lb_bid"));
        ready = (server || ready) && runUntil([lastBid] { return lastBid->text() == FormatAmount(1000); });
    }

    QTemporaryDir dir;
    WorkFolder folder{dir.path()};
    FakePrompter prompter;
    LoopbackHttp web;
    ScriptedPeer peer;
    frm2Bid window;
    bool ready = false;
};

// Rounds one after another, each begun by start() once the window is idle (what the previous one changed has
// been painted); start() calls stamp() right before the action, the signal that ends a round calls ended().
struct Rounds {
    explicit Rounds(int count) : count(count) {}
    void stamp() { started = nowNs(); }
    void ended() { took(nowNs() - started); }
    // A round that ended, measured on another clock than this thread's.
    void took(qint64 ns)
    {
        samples.push_back(ns);
        if (int(samples.size()) == count)
            loop.quit();
        else
            QTimer::singleShot(pause, &loop, start);
    }
    // Whether every round ended.
    bool run()
    {
        QTimer::singleShot(pause, &loop, start);
        QTimer::singleShot(60s, &loop, &QEventLoop::quit);
        loop.exec();
        return int(samples.size()) == count;
    }

    static constexpr auto pause = 3ms;
    const int count;
    std::function<void()> start;
    std::vector<qint64> samples;
    qint64 started = 0;
    QEventLoop loop;
};

// From the peer writing a "#BID" until the list, the figures and Your Bid show it: the moment the handler of
// the socket's data has set them, before the repaint they ask for.
void BM_ServerBidToPanel(benchmark::State &state)
{
    ConnectedWindow client;
    if (!client.ready) {
        state.SkipWithError("the window did not connect");
        return;
    }
    const auto *lastBid = client.window.findChild<QLabel *>(QStringLiteral("Lb_bid"));
    const auto *highBidder = client.window.findChild<QLabel *>(QStringLiteral("Hi_Bid"));
    const auto *yourBid = client.window.findChild<QLineEdit *>(QStringLiteral("lbYourBid"));
    const auto *list = client.window.findChild<QListWidget *>(QStringLiteral("aucList"));
    auto *socket = client.window.findChild<AuctionSocket *>();

    for (auto _ : state) {
        Rounds rounds(int(state.range(0)));
        qint64 amount = 1000;
        QString expectedLine;
        rounds.start = [&] {
            amount += 100;
            const QByteArray bidder = rounds.samples.size() % 2 ? "me" : "alice";
            expectedLine = QStringLiteral("AT  ") + FormatAmount(amount) + QStringLiteral("  By  ") +
                           QString::fromLatin1(bidder) + QStringLiteral(" Time : 10:15:30");
            rounds.stamp();
            client.peer.send(bidMessage(bidder, amount));
        };
        // Connected after the window's own handler, so it runs when that one has returned.
        const QMetaObject::Connection shown = QObject::connect(socket, &AuctionSocket::dataArrival, [&] {
            if (list->count() > 0 && list->item(list->count() - 1)->text() == expectedLine &&
                lastBid->text() == FormatAmount(amount) && yourBid->text() == FormatAmount(amount + 100) &&
                !highBidder->text().isEmpty())
                rounds.ended();
        });
        const bool complete = rounds.run();
        QObject::disconnect(shown);
        if (!complete) {
            state.SkipWithError("a bid was not shown");
            return;
        }
        report(state, rounds.samples);
    }
}

// From Enter in Your Bid until the peer has received the whole bid.
void BM_EnterToServer(benchmark::State &state)
{
    ConnectedWindow client;
    if (!client.ready) {
        state.SkipWithError("the window did not connect");
        return;
    }
    auto *yourBid = client.window.findChild<QLineEdit *>(QStringLiteral("lbYourBid"));

    for (auto _ : state) {
        Rounds rounds(int(state.range(0)));
        rounds.start = [&] {
            client.peer.received.clear();
            QKeyEvent down(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QKeyEvent up(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier);
            rounds.stamp();
            QCoreApplication::sendEvent(yourBid, &down);
            QCoreApplication::sendEvent(yourBid, &up);
        };
        const QMetaObject::Connection received =
            QObject::connect(&client.peer, &ScriptedPeer::receivedMore, [&] {
                if (client.peer.received == "me\tROBOT CLICK BID\t1100\t\xFE")
                    rounds.ended();
            });
        const bool complete = rounds.run();
        QObject::disconnect(received);
        if (!complete) {
            state.SkipWithError("a bid did not reach the server");
            return;
        }
        report(state, rounds.samples);
    }
}

// From Enter in Your Bid until the server has received the whole bid, while the server sends 100,000 rival
// bids a second: the bid must not wait behind the flood.
void BM_EnterToServerUnderFlood(benchmark::State &state)
{
    ServerThread flood(100'000);
    ConnectedWindow client(&flood);
    if (!client.ready) {
        state.SkipWithError("the window did not connect");
        return;
    }
    auto *yourBid = client.window.findChild<QLineEdit *>(QStringLiteral("lbYourBid"));
    flood.flooding = true;
    // The flood reaches its pace before the first press.
    runUntil([] { return false; }, 500ms);

    for (auto _ : state) {
        Rounds rounds(int(state.range(0)));
        rounds.start = [&] {
            QKeyEvent down(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QKeyEvent up(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier);
            rounds.stamp();
            QCoreApplication::sendEvent(yourBid, &down);
            QCoreApplication::sendEvent(yourBid, &up);
        };
        flood.onClientBid = [&](qint64 arrived) { rounds.took(arrived - rounds.started); };
        const bool complete = rounds.run();
        flood.onClientBid = nullptr;
        if (!complete) {
            state.SkipWithError("a bid did not reach the server");
            return;
        }
        report(state, rounds.samples);
        state.counters["real_time_server"] = flood.realTime();
        state.counters["flood_per_s"] = flood.floodRate();
        state.counters["backlog_bytes"] = double(flood.backlog());
    }
    flood.flooding = false;
}

// Auto-bid armed with a maximum far above the bids: from the server writing a rival's "#BID" until it has
// received the whole bid that answers it.
void BM_RivalBidToAutoBid(benchmark::State &state)
{
    ServerThread server;
    ConnectedWindow client(&server);
    auto *autoBid = client.window.findChild<QAction *>(QStringLiteral("MAutoBid"));
    if (!client.ready || !autoBid) {
        state.SkipWithError(client.ready ? "no auto-bid in the Setting menu" : "the window did not connect");
        return;
    }
    client.window.findChild<QLineEdit *>(QStringLiteral("MMax"))->setText(QStringLiteral("999,999,999"));
    autoBid->trigger();
    if (!autoBid->isChecked() || !client.prompter.requests.isEmpty()) {
        state.SkipWithError("auto-bid did not arm");
        return;
    }

    for (auto _ : state) {
        Rounds rounds(int(state.range(0)));
        qint64 amount = 1000;
        qint64 sentAt = 0;
        qint64 arrivedAt = 0;
        // A round ends once both clock readings are in, whichever comes first.
        const auto both = [&] {
            if (sentAt == 0 || arrivedAt == 0)
                return;
            rounds.took(arrivedAt - std::exchange(sentAt, 0));
            arrivedAt = 0;
        };
        rounds.start = [&] {
            amount += 200;
            server.sendRival(amount, [&](qint64 at) {
                sentAt = at;
                both();
            });
        };
        server.onClientBid = [&](qint64 at) {
            arrivedAt = at;
            both();
        };
        const bool complete = rounds.run();
        server.onClientBid = nullptr;
        if (!complete) {
            state.SkipWithError("a rival bid was not answered");
            return;
        }
        report(state, rounds.samples);
        state.counters["real_time_server"] = server.realTime();
    }
}

// The start-up of one fresh process, as src/app/main.cpp does it, printing the clock at each step and exiting
// once the main window has been painted.
int startupChild(int argc, char **argv)
{
    const qint64 entered = nowNs();
    StartUp::prepareProcess();
    QApplication app(argc, argv);
    StartUp::nameApplication();
    const qint64 appMade = nowNs();

    MessageBoxPrompter prompter;
    const WorkFolder folder = WorkFolder::current();
    frm2Bid window({.prompter = &prompter,
                    .webViewFactory = WebEngineWebView::factory(folder),
                    .workFolder = folder,
                    .settingsFile = UserSettings::defaultFile(),
                    .notificationBus = DesktopNotifier::sessionBus()});
    const qint64 windowMade = nowNs();
    window.Form_Load();
    const qint64 loaded = nowNs();

    struct FirstPaint : QObject {
        bool eventFilter(QObject *, QEvent *event) override
        {
            if (event->type() == QEvent::Paint && painted == 0) {
                painted = nowNs();
                QTimer::singleShot(0, qApp, &QCoreApplication::quit);
            }
            return false;
        }
        qint64 painted = 0;
    } firstPaint;
    window.installEventFilter(&firstPaint);
    window.show();
    const qint64 shown = nowNs();
    QTimer::singleShot(60s, qApp, &QCoreApplication::quit);
    app.exec();
    std::printf("startup %lld %lld %lld %lld %lld %lld\n", entered, appMade, windowMade, loaded, shown,
                firstPaint.painted);
    std::fflush(stdout);
    return firstPaint.painted ? 0 : 1;
}

// From starting the program's process until its main window, with its three web views, is first painted;
// each launch a fresh process in a fresh work folder whose pages a loopback web server serves.
void BM_StartUp(benchmark::State &state)
{
    const int launches = int(state.range(0));
    LoopbackHttp web;
    const QString program = QCoreApplication::applicationFilePath();
    const char *const steps[] = {"to_main_ms", "qapp_ms", "window_ms", "load_ms", "show_ms", "paint_ms"};
    for (auto _ : state) {
        std::vector<qint64> total;
        std::vector<std::vector<qint64>> phases(std::size(steps));
        for (int i = 0; i < launches; ++i) {
            QTemporaryDir dir;
            writeHostIni(dir.path(), web.port(), 1);
            QProcess child;
            child.setWorkingDirectory(dir.path());
            child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            QEventLoop loop;
            QObject::connect(&child, &QProcess::finished, &loop, &QEventLoop::quit);
            QObject::connect(&child, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
            const qint64 launched = nowNs();
            child.start(program, {QStringLiteral("--startup-child")});
            loop.exec();
            const QList<QByteArray> fields = child.readAllStandardOutput().trimmed().split(' ');
            if (fields.size() != 7 || fields[0] != "startup" || fields[6] == "0") {
                state.SkipWithError("the program did not show its window");
                return;
            }
            qint64 previous = launched;
            for (std::size_t step = 0; step < std::size(steps); ++step) {
                const qint64 at = fields[qsizetype(step) + 1].toLongLong();
                phases[step].push_back(at - previous);
                previous = at;
            }
            total.push_back(previous - launched);
        }
        state.SetIterationTime(percentileUs(total, 0.5) / 1e6);
        state.counters["p50_ms"] = percentileUs(total, 0.5) / 1000;
        state.counters["max_ms"] = percentileUs(total, 1.0) / 1000;
        for (std::size_t step = 0; step < std::size(steps); ++step)
            state.counters[steps[step]] = percentileUs(phases[step], 0.5) / 1000;
    }
}
} // namespace

BENCHMARK(BM_ServerBidToPanel)->Arg(1000)->Iterations(1)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EnterToServer)->Arg(1000)->Iterations(1)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EnterToServerUnderFlood)
    ->Arg(1000)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RivalBidToAutoBid)->Arg(1000)->Iterations(1)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StartUp)->Arg(10)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc > 1 && qstrcmp(argv[1], "--startup-child") == 0)
        return startupChild(argc, argv);
    StartUp::prepareProcess();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
