#include "cp874.h"
#include "frm_hbid.h"
#include "history_store.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {
// A history file of count records with Thai product names, as the writer lays them out.
QByteArray historyFile(int count)
{
    const QString names[] = {
        QStringLiteral(u"\u0E01\u0E25\u0E49\u0E2D\u0E07\u0E16\u0E48\u0E32\u0E22\u0E23\u0E39\u0E1B "
                       u"\u0E14\u0E34\u0E08\u0E34\u0E15\u0E2D\u0E25 24MP"),
        QStringLiteral(u"\u0E19\u0E32\u0E2C\u0E34\u0E01\u0E32\u0E02\u0E49\u0E2D\u0E21\u0E37\u0E2D "
                       u"\u0E2A\u0E41\u0E15\u0E19\u0E40\u0E25\u0E2A [new], 2"),
        QStringLiteral(u"\u0E42\u0E04\u0E21\u0E44\u0E1F\u0E15\u0E31\u0E49\u0E07\u0E42\u0E15\u0E4A\u0E30"),
    };
    QString text;
    for (int i = 0; i < count; ++i) {
        text += QStringLiteral("[bidder%1&P%2&]\r\nUser=niran\r\nProductID=P%2\r\nProductName=%3\r\n"
                               "Highbid=bidder%1\r\nLastBid=%4\r\nCurrency=Currency = Baht\r\n"
                               "Saller=%5\r\nDate=3/9/24\r\nTime=10:%6:%7\r\n")
                    .arg(i % 997)
                    .arg(i)
                    .arg(names[i % 3])
                    .arg(QLocale::c().toString(1000 + i * 37))
                    .arg(QStringLiteral(u"\u0E23\u0E49\u0E32\u0E19\u0E17\u0E2D\u0E07\u0E04\u0E33"))
                    .arg(i % 60, 2, 10, QLatin1Char('0'))
                    .arg(i % 59, 2, 10, QLatin1Char('0'));
    }
    return Cp874::encode(text);
}

struct HistoryFolder {
    explicit HistoryFolder(int count) : bytes(historyFile(count)) { restore(); }
    void restore() const
    {
        QFile file(path());
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(bytes);
    }
    QString path() const { return dir.filePath(QStringLiteral("AuctHist.bid")); }

    QTemporaryDir dir;
    QByteArray bytes;
};

SaleRecord newSale()
{
    SaleRecord sale;
    sale.user = QStringLiteral("niran");
    sale.productId = QStringLiteral("NEW1");
    sale.productName = QStringLiteral(u"\u0E42\u0E04\u0E21\u0E44\u0E1F");
    sale.highBidder = QStringLiteral("somchai");
    sale.lastBid = QStringLiteral("1,500");
    sale.currency = QStringLiteral("Currency = Baht");
    sale.seller = QStringLiteral("shop");
    sale.lastListLine = QStringLiteral("AT  1,500  By  somchai Time : 10:15:30");
    return sale;
}

void BM_ReadRows(benchmark::State &state)
{
    const HistoryFolder folder(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(History::readListing(WorkFolder(folder.dir.path())).rows());
}

// What the user waits for when the window opens: the file read, listed and laid out in the window's rows.
void BM_OpenWindow(benchmark::State &state)
{
    const HistoryFolder folder(int(state.range(0)));
    for (auto _ : state) {
        auto window = std::make_unique<frmHbid>(WorkFolder(folder.dir.path()));
        benchmark::DoNotOptimize(window.get());
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
}

void BM_WriteNewRecord(benchmark::State &state)
{
    const HistoryFolder folder(int(state.range(0)));
    const SaleRecord sale = newSale();
    for (auto _ : state) {
        benchmark::DoNotOptimize(WriteHistoryRecord(sale, WorkFolder(folder.dir.path())));
        state.PauseTiming();
        folder.restore();
        state.ResumeTiming();
    }
}

void BM_WriteRepeatSale(benchmark::State &state)
{
    const HistoryFolder folder(int(state.range(0)));
    SaleRecord sale = newSale();
    sale.highBidder = QStringLiteral("bidder%1").arg(state.range(0) / 2 % 997);
    sale.productId = QStringLiteral("P%1").arg(state.range(0) / 2);
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteHistoryRecord(sale, WorkFolder(folder.dir.path())));
}
} // namespace

BENCHMARK(BM_ReadRows)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenWindow)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteNewRecord)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteRepeatSale)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
