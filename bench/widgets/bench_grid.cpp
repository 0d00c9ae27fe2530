// The grid's table model over a dataset of 200,000 rows, against a
// QStandardItemModel filled from the same dataset (what a window would do
// without a model of its own): creating the model, reading the display text
// of every cell of every row (a full scroll), and showing a view scrolled to
// the bottom. After the runs the program prints the ratios; each time used
// is the fastest of the repetitions, the least disturbed by other load.

#include "client/widgets/datasetmodel.h"
#include "client/widgets/gridcolumn.h"
#include "wire/datapacket.h"
#include "wire/dataset.h"

#include <QApplication>
#include <QDateTime>
#include <QStandardItemModel>
#include <QTreeView>

#include "bench/common/bestreporter.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

using namespace Qt::StringLiterals;

namespace {

constexpr int kRows = 200000;
constexpr int kRepetitions = 3;

struct Fixture
{
    std::unique_ptr<wire::DataSet> dataSet;
    QList<widgets::GridColumn> columns;
};

const Fixture &fixture()
{
    static const Fixture f = [] {
        using T = wire::FieldType;
        const QList<wire::FieldDef> fields = {
            {u"SIRANO"_s, T::Integer, 0},    {u"BARKOD"_s, T::String, 20},  {u"STOKADI"_s, T::String, 60},
            {u"MARKA"_s, T::String, 30},     {u"VEREN"_s, T::String, 30},   {u"MIKTAR"_s, T::Float, 0},
            {u"BIRIMFIYAT"_s, T::Float, 0},  {u"TUTAR"_s, T::Float, 0},     {u"NETTUTAR"_s, T::Float, 0},
            {u"VERILISTARIHI"_s, T::DateTime, 0},
        };
        wire::PacketWriter w(fields);
        const QDateTime day(QDate(2026, 12, 1), QTime(0, 0));
        for (int r = 0; r < kRows; ++r) {
            const double qty = 1 + r % 17;
            const double price = 3.75 + (r % 1000) * 1.13;
            w.integer(r)
                .text(u"BRK%1"_s.arg(r, 7, 10, QChar(u'0')))
                .text(u"FREN BALATASI ÖN TAKIM %1"_s.arg(r % 5000))
                .text(u"MARKA %1"_s.arg(r % 40))
                .text(r % 2 ? u"Ayşe Çelik"_s : u"Ömer Güneş"_s)
                .real(qty)
                .real(price)
                .real(qty * price)
                .real(qty * price * 1.2)
                .dateTime(day.addDays(r % 365));
        }
        Fixture out;
        out.dataSet = std::make_unique<wire::DataSet>();
        out.dataSet->loadPacket(w.finish());
        out.dataSet->setFloatDisplayFormat(u"#,###,##0.00"_s);
        out.dataSet->setLocale(QLocale(QLocale::Turkish, QLocale::Turkey));
        for (const wire::FieldDef &fd : fields) {
            widgets::GridColumn c(fd.name);
            if (fd.type == T::Float)
                c.number();
            out.columns << c;
        }
        return out;
    }();
    return f;
}

// what a window would do without a model over the dataset: copy every cell
std::unique_ptr<QStandardItemModel> standardModel(const wire::DataSet &ds)
{
    auto m = std::make_unique<QStandardItemModel>(ds.recordCount(), ds.fieldCount());
    for (int r = 0; r < ds.recordCount(); ++r) {
        for (int c = 0; c < ds.fieldCount(); ++c) {
            auto *item = new QStandardItem(ds.displayText(r, c));
            item->setData(ds.value(r, c), widgets::RawValueRole);
            item->setEditable(false);
            m->setItem(r, c, item);
        }
    }
    return m;
}

void readEveryCell(benchmark::State &state, const QAbstractItemModel &m)
{
    const int rows = m.rowCount();
    const int cols = m.columnCount();
    qsizetype chars = 0;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c)
            chars += m.data(m.index(r, c), Qt::DisplayRole).toString().size();
    }
    benchmark::DoNotOptimize(chars);
    if (chars == 0)
        state.SkipWithError("no text read");
}

void showAtBottom(QAbstractItemModel *m)
{
    QTreeView view;
    view.setUniformRowHeights(true);
    view.setRootIsDecorated(false);
    view.resize(1200, 800);
    view.setModel(m);
    view.scrollToBottom();
    const QPixmap shot = view.grab();
    benchmark::DoNotOptimize(shot.cacheKey());
}

void BM_DataSetModelCreate(benchmark::State &state)
{
    const Fixture &f = fixture();
    for (auto _ : state) {
        widgets::DataSetModel m(f.dataSet.get(), f.columns);
        benchmark::DoNotOptimize(m.rowCount());
    }
}

void BM_StandardModelCreate(benchmark::State &state)
{
    const Fixture &f = fixture();
    for (auto _ : state) {
        auto m = standardModel(*f.dataSet);
        benchmark::DoNotOptimize(m->rowCount());
    }
}

void BM_DataSetModelScroll(benchmark::State &state)
{
    const Fixture &f = fixture();
    widgets::DataSetModel m(f.dataSet.get(), f.columns);
    for (auto _ : state)
        readEveryCell(state, m);
    state.SetItemsProcessed(state.iterations() * qint64(kRows) * f.columns.size());
}

void BM_StandardModelScroll(benchmark::State &state)
{
    const Fixture &f = fixture();
    auto m = standardModel(*f.dataSet);
    for (auto _ : state)
        readEveryCell(state, *m);
    state.SetItemsProcessed(state.iterations() * qint64(kRows) * f.columns.size());
}

void BM_DataSetModelView(benchmark::State &state)
{
    const Fixture &f = fixture();
    widgets::DataSetModel m(f.dataSet.get(), f.columns);
    for (auto _ : state)
        showAtBottom(&m);
}

void BM_StandardModelView(benchmark::State &state)
{
    const Fixture &f = fixture();
    auto m = standardModel(*f.dataSet);
    for (auto _ : state)
        showAtBottom(m.get());
}

BENCHMARK(BM_DataSetModelCreate)->Unit(benchmark::kMicrosecond)->UseRealTime()->Repetitions(kRepetitions);
BENCHMARK(BM_StandardModelCreate)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(kRepetitions)->Iterations(1);
BENCHMARK(BM_DataSetModelScroll)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(kRepetitions);
BENCHMARK(BM_StandardModelScroll)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(kRepetitions);
BENCHMARK(BM_DataSetModelView)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(kRepetitions);
BENCHMARK(BM_StandardModelView)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(kRepetitions);


void printPair(const BestTimeReporter &r, const char *what, const char *ours, const char *theirs)
{
    const double a = r.best(ours), b = r.best(theirs);
    if (a <= 0 || b <= 0)
        return;
    std::printf("  %-28s DataSetModel %10.3f ms   QStandardItemModel %10.3f ms   ratio standard/ours = %.2f\n",
                what, a * 1e3, b * 1e3, b / a);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;

    const Fixture &f = fixture();
    std::printf("table: %d rows x %d columns\n", f.dataSet->recordCount(), f.dataSet->fieldCount());

    BestTimeReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    std::printf("\nfastest of %d repetitions:\n", kRepetitions);
    printPair(reporter, "model creation", "BM_DataSetModelCreate", "BM_StandardModelCreate");
    printPair(reporter, "full scroll (every cell)", "BM_DataSetModelScroll", "BM_StandardModelScroll");
    printPair(reporter, "view shown at the bottom", "BM_DataSetModelView", "BM_StandardModelView");
    const double create = reporter.best("BM_DataSetModelCreate"), scroll = reporter.best("BM_DataSetModelScroll");
    const double screate = reporter.best("BM_StandardModelCreate"), sscroll = reporter.best("BM_StandardModelScroll");
    if (create > 0 && scroll > 0 && screate > 0 && sscroll > 0)
        std::printf("ratio (creation + full scroll) standard/ours = %.2f\n", (screate + sscroll) / (create + scroll));

    benchmark::Shutdown();
    return 0;
}
