// What a user waits for, on the real main window (offscreen, real web views) against a loopback auction
// server: a server's bid until the panel shows it, Enter in Your Bid until the server has the bid, and the
// start of the program until its window is painted. The window is reached only through its constructor,
// its load step and the object names of its widgets.
#include "amount.h"
#include "auction_socket.h"
#include "frm2bid.h"
#include "loopback_peers.h"
#include "message_box_prompter.h"
#include "start_up.h"
#include "test_support.h"
#include "web_engine_web_view.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QTimer>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cmath>
#include <cstdio>
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

QByteArray bidMessage(const QByteArray &bidder, qint64 amount)
{
    return "#BID\t" + bidder + '\t' + QByteArray::number(amount) + "\t100\t10:15:30\t\xFE";
}

// The window as the program opens it, connected as "me" to a loopback auction server that has put up a
// product and opened the bidding.
struct ConnectedWindow {
    ConnectedWindow()
        : window({.prompter = &prompter,
                  .webViewFactory = WebEngineWebView::factory(folder),
                  .beep = [] {},
                  .workFolder = folder})
    {
        writeHostIni(dir.path(), web.port(), peer.port());
        window.Form_Load();
        window.show();
        window.ConnectAuctionSocket(QStringLiteral("127.0.0.1"), peer.port(), QStringLiteral("me"));
        ready = runUntil([this] { return peer.received.startsWith("AuctionGO"); });
        peer.received.clear();
        peer.send("#BidManPInfo\tP1\tWatch\t1\t1000\t100\tnobody\t1000\t100\tShop\tTHB\thttp://127.0.0.1:" +
                  QByteArray::number(web.port()) + "/p1.htm\t\xFE#GOBID\t\xFE");
        const auto *lastBid = window.findChild<QLabel *>(QStringLiteral("Lb_bid"));
        ready = ready && runUntil([lastBid] { return lastBid->text() == FormatAmount(1000); });
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
    void ended()
    {
        samples.push_back(nowNs() - started);
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
    frm2Bid window(
        {.prompter = &prompter, .webViewFactory = WebEngineWebView::factory(folder), .workFolder = folder});
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
