// The demo auction service: sign-in and pages over HTTP, the live auction over TCP, loopback only.

#include "auction_server.h"
#include "http_server.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTextStream>
#include <QTime>
#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {
int signalPipe[2] = {-1, -1};
constexpr char quitByte = 1;
constexpr char dropByte = 2;

void onSignal(int signal)
{
    const char byte = signal == SIGUSR1 ? dropByte : quitByte;
    // Nothing else is safe inside a signal handler; the event loop picks the byte up.
    [[maybe_unused]] const auto written = ::write(signalPipe[1], &byte, 1);
}

bool readPort(const QCommandLineParser &parser, const QString &name, quint16 &port)
{
    bool ok = false;
    const uint value = parser.value(name).toUInt(&ok);
    if (!ok || value > 65535)
        return false;
    port = quint16(value);
    return true;
}

int fail(const QString &text)
{
    QTextStream(stderr) << "gavora-demo-server: " << text << '\n';
    return 2;
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("gavora-demo-server"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Demo auction service for the Gavora client."));
    parser.addHelpOption();
    parser.addOption({QStringLiteral("http-port"), QStringLiteral("Port of the web face (0: any free port)."),
                      QStringLiteral("port")});
    parser.addOption({QStringLiteral("auction-port"),
                      QStringLiteral("Port of the auction face (0: any free port)."),
                      QStringLiteral("port")});
    parser.addOption({QStringLiteral("fast"), QStringLiteral("Run auctions about twenty times faster.")});
    parser.addOption(
        {QStringLiteral("seed"), QStringLiteral("Seed of the simulated bidders."), QStringLiteral("n")});
    parser.addOption({QStringLiteral("bind"),
                      QStringLiteral("Loopback address to listen on (default 127.0.0.1)."),
                      QStringLiteral("address"), QStringLiteral("127.0.0.1")});
    parser.process(app);

    quint16 httpPort = 0;
    quint16 auctionPort = 0;
    if (!parser.isSet(QStringLiteral("http-port")) ||
        !readPort(parser, QStringLiteral("http-port"), httpPort))
        return fail(QStringLiteral("--http-port N is required (0 to 65535)"));
    if (!parser.isSet(QStringLiteral("auction-port")) ||
        !readPort(parser, QStringLiteral("auction-port"), auctionPort))
        return fail(QStringLiteral("--auction-port M is required (0 to 65535)"));
    const QHostAddress address(parser.value(QStringLiteral("bind")));
    if (address.isNull())
        return fail(QStringLiteral("--bind: not an address: ") + parser.value(QStringLiteral("bind")));
    if (!address.isLoopback())
        return fail(QStringLiteral("--bind: the demo service listens on loopback only"));

    AuctionEngine::Options options;
    options.timing = parser.isSet(QStringLiteral("fast")) ? AuctionEngine::Timing::fast()
                                                          : AuctionEngine::Timing::normal();
    if (parser.isSet(QStringLiteral("seed"))) {
        bool ok = false;
        options.seed = parser.value(QStringLiteral("seed")).toUInt(&ok);
        if (!ok)
            return fail(QStringLiteral("--seed needs a whole number from 0 to 4294967295"));
    } else {
        options.seed = quint32(QTime::currentTime().msecsSinceStartOfDay());
    }
    options.wallStart = QTime::currentTime();

    if (::pipe(signalPipe) != 0)
        return fail(QStringLiteral("cannot create the signal pipe"));
    QSocketNotifier notifier(signalPipe[0], QSocketNotifier::Read);
    DemoAuctionServer *auctionServer = nullptr;
    QObject::connect(&notifier, &QSocketNotifier::activated, &app, [&auctionServer] {
        char byte = quitByte;
        [[maybe_unused]] const auto got = ::read(signalPipe[0], &byte, 1);
        if (byte == dropByte && auctionServer)
            auctionServer->dropEveryone();
        else if (byte != dropByte)
            QCoreApplication::quit();
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    // SIGUSR1 cuts every client off, to try reconnecting.
    sigaction(SIGUSR1, &action, nullptr);
    // A client vanishing mid-write must not end the service.
    std::signal(SIGPIPE, SIG_IGN);

    DemoHttpServer http;
    if (!http.listen(address, httpPort))
        return fail(QStringLiteral("http port %1: %2").arg(httpPort).arg(http.errorString()));
    const QString host = address.protocol() == QAbstractSocket::IPv6Protocol
                             ? QLatin1Char('[') + address.toString() + QLatin1Char(']')
                             : address.toString();
    options.pageBase = QStringLiteral("http://%1:%2").arg(host).arg(http.port());

    DemoAuctionServer auction(options);
    auctionServer = &auction;
    if (!auction.listen(address, auctionPort))
        return fail(QStringLiteral("auction port %1: %2").arg(auctionPort).arg(auction.errorString()));
    QObject::connect(&auction, &DemoAuctionServer::clientDropped, &app, [](const QString &reason) {
        QTextStream(stderr) << "gavora-demo-server: dropped a client: " << reason << '\n';
    });
    auction.start();

    std::printf("http %s:%u\n", qPrintable(host), unsigned(http.port()));
    std::printf("auction %s:%u\n", qPrintable(host), unsigned(auction.port()));
    std::fflush(stdout);

    return app.exec();
}
