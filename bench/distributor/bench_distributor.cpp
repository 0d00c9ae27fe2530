// Throughput of the application server over loopback: a light method
// (EnVer) and a stock search over 200 000 stocks, each with 1 and with 8
// clients at once. The ratio of 8-client to 1-client throughput shows how
// the server uses the machine's cores; the goal is at least 1.6 on 2 cores.

#include <distributor/distributor.h>
#include <distributor/service.h>
#include <distributor/store.h>

#include <wire/envelope.h>
#include <wire/methodcatalogue.h>
#include <wire/rpcclient.h>

#include <benchmark/benchmark.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>
#include <map>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

distributor::Distributor *g_server = nullptr;
QByteArray g_session;

wire::Request makeRequest(const QString &method, const QList<wire::Value> &inputs)
{
    const wire::MethodSpec *spec = wire::findMethod(wire::kCommandPrefix + method);
    wire::Request r;
    r.command = spec->commandText();
    int next = 0;
    for (int i = 0; i < spec->params.size(); ++i) {
        if (!spec->params[i].out && next < inputs.size())
            r.params.append({quint16(i), inputs[next++]});
    }
    return r;
}

wire::Request searchRequest()
{
    // a typical search: part kind and car make, a few hundred rows
    return makeRequest(u"StokAraGetirBelvo"_s, {wire::Value::string(u"AMORTISOR ON FORD"_s), wire::Value::object(g_session)});
}

void runCalls(benchmark::State &state, const wire::Request &request)
{
    wire::RpcClient client;
    client.connectTo(u"127.0.0.1"_s, g_server->port(), 5000);
    for (auto _ : state) {
        const wire::Response r = client.call(request, 60000);
        if (!r.ok) {
            state.SkipWithError(qPrintable(r.error));
            break;
        }
        benchmark::DoNotOptimize(r.values.size());
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_EnVer(benchmark::State &state)
{
    runCalls(state, makeRequest(u"EnVer"_s, {wire::Value::integer(12345)}));
}

void BM_StockSearch(benchmark::State &state)
{
    runCalls(state, searchRequest());
}

BENCHMARK(BM_EnVer)->Threads(1)->Threads(8)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_StockSearch)->Threads(1)->Threads(8)->UseRealTime()->MinTime(3.0);

// Keeps each run's requests per second to print the ratios afterwards.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            const auto it = run.counters.find("items_per_second");
            if (it != run.counters.end())
                perSecond[run.benchmark_name()] = it->second.value;
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> perSecond;
};

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);

    distributor::DistributorOptions o;
    o.port = 0;
    o.webPort = 0;
    o.size = distributor::DataSize::Large;
    o.dataFolder = QString::fromUtf8(VARKO_BENCH_DATA);
    {
        // a store cached by an older build is made anew
        const QString file = QDir(o.dataFolder).filePath(distributor::Distributor::storeFileName(o.size));
        bool stale = false;
        if (QFile::exists(file)) {
            distributor::Store old(file);
            stale = old.schemaVersion() != distributor::Store::kSchemaVersion;
        }
        if (stale) {
            for (const QString &suffix : {QString(), u"-wal"_s, u"-shm"_s})
                QFile::remove(file + suffix);
        }
    }
    QElapsedTimer seeding;
    seeding.start();
    distributor::Distributor server(o);
    QString error;
    if (!server.start(&error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    std::printf("store ready in %.1f s (%s)\n", seeding.elapsed() / 1000.0, qPrintable(server.storeFile()));
    g_server = &server;
    {
        wire::RpcClient c;
        c.connectTo(u"127.0.0.1"_s, server.port(), 5000);
        g_session = c.call(makeRequest(u"BuyukGetir"_s, {wire::Value::string(u"VARKO-DEMO-BAYI"_s)}), 5000)
                        .at(1)->bytes();
        const wire::Response r = c.call(searchRequest(), 60000);
        std::printf("search answers %d bytes\n", r.ok ? int(r.at(2)->bytes().size()) : -1);
    }

    // the search's own cost, without sockets: the service called directly
    {
        const wire::Request request = searchRequest();
        constexpr int kCalls = 30;
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < kCalls; ++i)
            benchmark::DoNotOptimize(server.service().handle(request).values.size());
        std::printf("stock search server time per call: %.2f ms\n", double(t.nsecsElapsed()) / kCalls / 1e6);
    }

    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    auto ratio = [&](const char *name) {
        const double one = reporter.perSecond[std::string(name) + "/min_time:" + (std::string(name) == "BM_EnVer" ? "2.000" : "3.000") + "/real_time/threads:1"];
        const double eight = reporter.perSecond[std::string(name) + "/min_time:" + (std::string(name) == "BM_EnVer" ? "2.000" : "3.000") + "/real_time/threads:8"];
        std::printf("%-16s 1 client %9.0f req/s, 8 clients %9.0f req/s, scaling %.2f (goal >= 1.6 on 2 cores)\n",
                    name, one, eight, one > 0 ? eight / one : 0.0);
    };
    for (const auto &[name, value] : reporter.perSecond)
        std::printf("  %s: %.0f req/s\n", name.c_str(), value);
    ratio("BM_EnVer");
    ratio("BM_StockSearch");
    benchmark::Shutdown();
    return 0;
}
