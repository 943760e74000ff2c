// Reading one key of a large HOSTIP.INI: the whole file parsed into lines (as ReadIniKey did before), and
// ReadIniKey, which searches the bytes for the key.
#include "profile_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
// The configuration's keys, then about 50 MB of other lines.
struct LargeConfig {
    LargeConfig()
    {
        QByteArray bytes = "[SERVER]\r\nIP=127.0.0.1:8080\r\nPORT=4000\r\n";
        const QByteArray line = "junk=" + QByteArray(43, 'j') + "\r\n";
        bytes.reserve(50'000'000 + bytes.size());
        while (bytes.size() < 50'000'000)
            bytes += line;
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("HOSTIP.INI"));
};

const LargeConfig &config()
{
    static const LargeConfig large;
    return large;
}

void BM_WholeFileParsed(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(ProfileFile::load(config().path).value(u"SERVER", u"PORT"));
}
BENCHMARK(BM_WholeFileParsed)->Unit(benchmark::kMillisecond);

void BM_ReadIniKey(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadIniKey(QStringLiteral("SERVER"), QStringLiteral("PORT"), config().path));
}
BENCHMARK(BM_ReadIniKey)->Unit(benchmark::kMillisecond);
} // namespace

BENCHMARK_MAIN();
