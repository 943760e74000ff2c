// The receive path under a flood of bids: framing, field splitting, Windows-874 decoding, dispatch and the
// auction board, without widgets.
#include "auction_board.h"
#include "auction_receiver.h"
#include "cp874.h"

#include <QByteArray>
#include <QString>
#include <algorithm>
#include <benchmark/benchmark.h>

namespace {
constexpr int messageCount = 1'000'000;

const QByteArray &recordedStream()
{
    static const QByteArray stream = [] {
        const QString bidders[] = {
            QStringLiteral("สมชาย"),    QStringLiteral("วิไลวรรณ_2024"), QStringLiteral("ประเสริฐ.ก"),
            QStringLiteral("alice"),    QStringLiteral("นภัสสร"),        QStringLiteral("bob_bkk"),
            QStringLiteral("กิตติพงษ์99"), QStringLiteral("me"),
        };
        QByteArray names[std::size(bidders)];
        for (size_t i = 0; i < std::size(bidders); ++i)
            names[i] = Cp874::encode(bidders[i]);
        QByteArray out;
        out.reserve(qsizetype(messageCount) * 48);
        long long amount = 1000;
        int seconds = 10 * 3600;
        for (int i = 0; i < messageCount; ++i) {
            amount += 50 + (i % 7) * 25;
            if (i % 3 == 0)
                ++seconds;
            const int h = (seconds / 3600) % 24, m = (seconds / 60) % 60, s = seconds % 60;
            char time[16];
            std::snprintf(time, sizeof time, "%02d:%02d:%02d", h, m, s);
            out += "#BID\t";
            out += names[(i * 5 + i / 3) % std::size(bidders)];
            out += '\t';
            out += QByteArray::number(amount);
            out += "\t100\t";
            out += time;
            out += "\t\xFE";
        }
        return out;
    }();
    return stream;
}

void BM_ReceiveBids(benchmark::State &state)
{
    const QByteArray &stream = recordedStream();
    const qsizetype readSize = state.range(0);
    for (auto _ : state) {
        AuctionBoard board;
        board.setUserId(QStringLiteral("me"));
        AuctionReceiver receiver(board);
        for (qsizetype pos = 0; pos < stream.size(); pos += readSize)
            receiver.receive(QByteArrayView(stream).sliced(pos, std::min(readSize, stream.size() - pos)));
        benchmark::DoNotOptimize(board.aucList().size());
    }
    state.SetItemsProcessed(state.iterations() * messageCount);
    state.SetBytesProcessed(state.iterations() * stream.size());
}
BENCHMARK(BM_ReceiveBids)->Arg(65536)->Arg(1460)->Unit(benchmark::kMillisecond);
} // namespace

BENCHMARK_MAIN();
