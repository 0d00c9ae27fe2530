// The stock search as the user meets it: from Enter in the search box to
// the filled grid, against the large catalogue, next to the server's own
// time for the same query (the service called directly, no sockets). The
// ratio shows what the client and the wire add (goal: at most 2). A
// heartbeat timer on the UI thread measures its longest stall during the
// load (goal: under 50 ms).

#include "client/app/girisform.h"
#include "client/app/mainwindow.h"
#include "client/app/messages.h"
#include "client/app/process.h"
#include "client/catalogue/stoklistesi.h"
#include "tests/client/app/uidriver.h"
#include "client/orders/sepetsayfasi.h"
#include "client/widgets/datagrid.h"
#include "client/widgets/datasetmodel.h"
#include "distributor/distributor.h"
#include "distributor/service.h"
#include "wire/envelope.h"
#include "wire/methodcatalogue.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

const QString kQuery = u"FILTRESI"_s;

distributor::Distributor *g_server = nullptr;
TForm1 *g_window = nullptr;
double g_clientSeconds = 0;
int g_clientRuns = 0;
double g_serverSeconds = 0;
int g_serverRuns = 0;
qint64 g_longestStallMs = 0;
int g_rows = 0;

wire::Request searchRequest(const QByteArray &session)
{
    const wire::MethodSpec *spec = wire::findMethod(wire::kCommandPrefix + u"StokAraGetirBelvo"_s);
    wire::Request r;
    r.command = spec->commandText();
    r.params.append({quint16(0), wire::Value::string(kQuery)});
    r.params.append({quint16(1), wire::Value::object(session)});
    return r;
}

void BM_EnterToFilledGrid(benchmark::State &state)
{
    QLineEdit *box = g_window->araedit();
    for (auto _ : state) {
        box->setText(kQuery);
        QElapsedTimer beat;
        qint64 longest = 0;
        QTimer heartbeat;
        heartbeat.setInterval(2);
        QObject::connect(&heartbeat, &QTimer::timeout, [&] {
            longest = qMax(longest, beat.restart());
        });
        QElapsedTimer clock;
        clock.start();
        beat.start();
        heartbeat.start();
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(box, &enter);
        while (!box->isEnabled())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QCoreApplication::processEvents();
        const double seconds = clock.nsecsElapsed() / 1e9;
        longest = qMax(longest, beat.elapsed());
        heartbeat.stop();
        state.SetIterationTime(seconds);
        g_clientSeconds += seconds;
        ++g_clientRuns;
        g_longestStallMs = qMax(g_longestStallMs, longest);
        g_rows = g_window->stokVerisi().recordCount();
    }
    state.counters[u"rows"_s.toStdString()] = g_rows;
    state.counters["longest_stall_ms"] = double(g_longestStallMs);
}
BENCHMARK(BM_EnterToFilledGrid)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(3.0);

void BM_ServerOwnTime(benchmark::State &state)
{
    const wire::Request request = searchRequest(wire::marshal(g_window->sbilgi()));
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        const wire::Response r = g_server->service().handle(request);
        benchmark::DoNotOptimize(r);
        const double seconds = clock.nsecsElapsed() / 1e9;
        state.SetIterationTime(seconds);
        g_serverSeconds += seconds;
        ++g_serverRuns;
        if (!r.ok) {
            state.SkipWithError(qPrintable(r.error));
            break;
        }
    }
}
BENCHMARK(BM_ServerOwnTime)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(3.0);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);

    distributor::DistributorOptions o;
    o.port = 0;
    o.webPort = 0;
    // VARKO_BENCH_SMALL=1 runs against the small catalogue, for a quick check
    o.size = qEnvironmentVariableIsSet("VARKO_BENCH_SMALL") ? distributor::DataSize::Small
                                                             : distributor::DataSize::Large;
    // the seeded store is kept here between runs (see storeFileName)
    o.dataFolder = QString::fromUtf8(VARKO_BENCH_DATA);
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

    qputenv("VARKO_SUNUCU", "127.0.0.1:" + QByteArray::number(server.port()));
    qputenv("VARKO_WEB", "http://127.0.0.1:" + QByteArray::number(server.webPort()) + '/');
    qputenv("VARKO_IP_SERVISI", "http://127.0.0.1:" + QByteArray::number(server.webPort()) + "/ip");
    qputenv("VARKO_CIHAZ_KIMLIGI", "VARKO-DEMO-BAYI");
    messages::setRunner([](QMessageBox &, const messages::Shown &s) {
        std::fprintf(stderr, "dialog: %s\n", qPrintable(s.text));
        return int(mrOk);
    });
    process::setEnder([](int code) { std::fprintf(stderr, "process end %d\n", code); });

    TForm1 window;
    SepetSayfasi *sepet = installBasketPage(window);
    installStockListPage(window, *sepet);
    answerSignIn(u"BAYI"_s, u"1234"_s);
    if (!window.GirisYap()) {
        std::fprintf(stderr, "sign-in failed\n");
        return 1;
    }
    window.resize(1280, 800);
    window.show();
    g_window = &window;

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (g_clientRuns > 0 && g_serverRuns > 0) {
        const double client = g_clientSeconds / g_clientRuns;
        const double own = g_serverSeconds / g_serverRuns;
        std::printf("rows %d: Enter to filled grid %.1f ms, server's own time %.1f ms, ratio %.2f (goal <= 2)\n",
                    g_rows, client * 1000, own * 1000, client / own);
        std::printf("longest UI-thread stall during the loads: %lld ms (goal < 50)\n",
                    static_cast<long long>(g_longestStallMs));
    }
    return 0;
}
