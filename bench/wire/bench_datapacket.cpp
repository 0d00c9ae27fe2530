// Loading a large tabular answer: the binary data packet into a DataSet,
// against parsing the same table as JSON and against copying its bytes.
//
// One table of 100,000 rows x 30 mixed columns is built once. After the
// runs the program prints the speed ratios and the dataset's memory
// against the packet's size. Each time used is the fastest of the
// repetitions, which is the least disturbed by other load on the machine.

#include "bench/common/bestreporter.h"
#include "wire/datapacket.h"
#include "wire/dataset.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QString>
#include <QStringList>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <limits>
#include <map>
#include <random>
#include <string>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr int kRows = 100000;

struct Column
{
    wire::FieldDef def;
    int minLength = 0; // String columns: length range in characters
    int maxLength = 0;
    int nullPercent = 0;
};

const std::vector<Column> &columns()
{
    using T = wire::FieldType;
    static const std::vector<Column> cols = {
        {{u"STOKNO"_s, T::Integer, 0}},
        {{u"STOKKODU"_s, T::String, 20}, 8, 16},
        {{u"STOKADI"_s, T::String, 40}, 15, 40},
        {{u"BARKOD"_s, T::String, 20}, 8, 13},
        {{u"MARKA"_s, T::String, 30}, 5, 15},
        {{u"ANAGRUP"_s, T::String, 30}, 6, 20},
        {{u"ALTGRUP"_s, T::String, 30}, 6, 25},
        {{u"OEMNO"_s, T::String, 25}, 8, 20, 10},
        {{u"BIRIM"_s, T::String, 10}, 5, 8},
        {{u"ACIKLAMA"_s, T::String, 40}, 10, 40, 25},
        {{u"URETICI"_s, T::String, 30}, 5, 30},
        {{u"MIKTAR"_s, T::Float, 0}},
        {{u"FIYAT"_s, T::Float, 0}},
        {{u"KDV"_s, T::Float, 0}},
        {{u"IND1"_s, T::Float, 0}},
        {{u"IND2"_s, T::Float, 0}, 0, 0, 30},
        {{u"IND3"_s, T::Float, 0}, 0, 0, 50},
        {{u"IND4"_s, T::Float, 0}, 0, 0, 70},
        {{u"NETFIYAT"_s, T::Float, 0}},
        {{u"TUTAR"_s, T::Float, 0}},
        {{u"KOLIADET"_s, T::Integer, 0}},
        {{u"STOKDURUM"_s, T::Integer, 0}},
        {{u"DEPONO"_s, T::Integer, 0}},
        {{u"SEPETSIRANO"_s, T::Integer, 0}, 0, 0, 5},
        {{u"CARINO"_s, T::Integer, 0}},
        {{u"VERENID"_s, T::Integer, 0}},
        {{u"KAMPANYA"_s, T::Integer, 0}},
        {{u"SIRANO"_s, T::LargeInt, 0}},
        {{u"TARIH"_s, T::DateTime, 0}, 0, 0, 2},
        {{u"SECIM"_s, T::Boolean, 0}},
    };
    return cols;
}

const QStringList &words()
{
    static const QStringList list = {
        u"Fren"_s,     u"Balatası"_s, u"Şanzıman"_s,  u"Yağ"_s,       u"Filtresi"_s, u"Çelik"_s,   u"Ön"_s,
        u"Arka"_s,     u"Sağ"_s,      u"Sol"_s,       u"Amortisör"_s, u"Conta"_s,    u"Kayışı"_s,  u"Debriyaj"_s,
        u"Rulmanı"_s,  u"Işık"_s,     u"Far"_s,       u"Silecek"_s,   u"Radyatör"_s, u"Hortumu"_s, u"Buji"_s,
        u"Gövde"_s,    u"Kapağı"_s,   u"Dişli"_s,     u"Göğüs"_s,     u"Üst"_s,      u"Alt"_s,     u"Pompası"_s,
        u"Egzoz"_s,    u"Susturucu"_s, u"Direksiyon"_s, u"Kütüğü"_s,  u"İtici"_s,    u"Şaft"_s,    u"Takım"_s,
    };
    return list;
}

QString makeText(std::mt19937 &rng, int minLength, int maxLength)
{
    const int length = std::uniform_int_distribution<int>(minLength, maxLength)(rng);
    std::uniform_int_distribution<int> pick(0, int(words().size()) - 1);
    QString s;
    while (s.size() < length) {
        if (!s.isEmpty())
            s += u' ';
        s += words()[pick(rng)];
    }
    s.truncate(length);
    return s;
}

// The table as values, so that the packet and the JSON carry the same data.
std::vector<QVariant> makeCells()
{
    std::mt19937 rng(20240611);
    std::uniform_int_distribution<int> percent(0, 99);
    std::uniform_real_distribution<double> price(0.5, 25000.0);
    const QDateTime base(QDate(2023, 1, 2), QTime(8, 0));
    const auto &cols = columns();

    std::vector<QVariant> cells;
    cells.reserve(size_t(kRows) * cols.size());
    for (int row = 0; row < kRows; ++row) {
        for (size_t c = 0; c < cols.size(); ++c) {
            const Column &col = cols[c];
            if (col.nullPercent > 0 && percent(rng) < col.nullPercent) {
                cells.emplace_back();
                continue;
            }
            switch (col.def.type) {
            case wire::FieldType::Integer:
                cells.emplace_back(c == 0 ? row + 1 : int(rng() % 100000));
                break;
            case wire::FieldType::LargeInt: cells.emplace_back(qlonglong(5000000000LL + row)); break;
            case wire::FieldType::Float: cells.emplace_back(double(qRound64(price(rng) * 100.0)) / 100.0); break;
            case wire::FieldType::Boolean: cells.emplace_back(percent(rng) < 30); break;
            case wire::FieldType::String: cells.emplace_back(makeText(rng, col.minLength, col.maxLength)); break;
            case wire::FieldType::DateTime: cells.emplace_back(base.addSecs(qint64(rng() % (86400u * 500u)))); break;
            case wire::FieldType::Blob: cells.emplace_back(QByteArray()); break;
            }
        }
    }
    return cells;
}

struct Fixture
{
    QByteArray packet;
    QByteArray json;
    qsizetype tableMemory = 0;
};

const Fixture &fixture()
{
    static const Fixture f = [] {
        Fixture out;
        const auto &cols = columns();
        const std::vector<QVariant> cells = makeCells();

        QList<wire::FieldDef> defs;
        for (const Column &c : cols)
            defs.append(c.def);
        wire::PacketWriter writer(defs);
        for (const QVariant &v : cells)
            writer.value(v);
        out.packet = writer.finish();

        QJsonArray rows;
        for (int row = 0; row < kRows; ++row) {
            QJsonObject o;
            for (size_t c = 0; c < cols.size(); ++c) {
                const QVariant &v = cells[size_t(row) * cols.size() + c];
                const QString &name = cols[c].def.name;
                if (!v.isValid())
                    o.insert(name, QJsonValue(QJsonValue::Null));
                else if (cols[c].def.type == wire::FieldType::DateTime)
                    o.insert(name, v.toDateTime().toString(Qt::ISODate));
                else
                    o.insert(name, QJsonValue::fromVariant(v));
            }
            rows.append(o);
        }
        out.json = QJsonDocument(rows).toJson(QJsonDocument::Compact);

        out.tableMemory = wire::Table::fromPacket(out.packet).memoryBytes();
        return out;
    }();
    return f;
}

void BM_PacketToDataSet(benchmark::State &state)
{
    const QByteArray &packet = fixture().packet;
    wire::DataSet dataSet;
    for (auto _ : state) {
        dataSet.setTable(wire::Table::fromPacket(packet));
        benchmark::DoNotOptimize(dataSet.recordCount());
    }
    if (dataSet.recordCount() != kRows)
        state.SkipWithError("wrong row count");
    state.SetBytesProcessed(state.iterations() * packet.size());
}

void BM_JsonParse(benchmark::State &state)
{
    const QByteArray &json = fixture().json;
    qsizetype rows = 0;
    for (auto _ : state) {
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
        rows = doc.array().size();
        benchmark::DoNotOptimize(rows);
    }
    if (rows != kRows)
        state.SkipWithError("JSON did not parse");
    state.SetBytesProcessed(state.iterations() * json.size());
}

void BM_Memcpy(benchmark::State &state)
{
    const QByteArray &packet = fixture().packet;
    std::vector<char> target(size_t(packet.size()));
    for (auto _ : state) {
        std::memcpy(target.data(), packet.constData(), size_t(packet.size()));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * packet.size());
}

// Not part of the ratios: the cost that loading defers, paid when every
// cell is read once through the dataset.
void BM_DataSetReadAllCells(benchmark::State &state)
{
    wire::DataSet dataSet;
    dataSet.loadPacket(fixture().packet);
    for (auto _ : state) {
        qint64 sum = 0;
        for (int row = 0; row < dataSet.recordCount(); ++row) {
            for (int col = 0; col < dataSet.fieldCount(); ++col)
                sum += dataSet.value(row, col).isValid() ? 1 : 0;
        }
        benchmark::DoNotOptimize(sum);
    }
}

constexpr int kRepetitions = 3;

BENCHMARK(BM_PacketToDataSet)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(kRepetitions);
BENCHMARK(BM_JsonParse)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(kRepetitions);
BENCHMARK(BM_Memcpy)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(kRepetitions);
BENCHMARK(BM_DataSetReadAllCells)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(kRepetitions);


} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;

    const Fixture &f = fixture();
    std::printf("table: %d rows x %zu columns; packet %.1f MiB, JSON %.1f MiB\n", kRows, columns().size(),
                double(f.packet.size()) / 1048576.0, double(f.json.size()) / 1048576.0);

    BestTimeReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    const double packet = reporter.best("BM_PacketToDataSet");
    const double json = reporter.best("BM_JsonParse");
    const double copy = reporter.best("BM_Memcpy");
    std::printf("\nfastest of %d repetitions, per load of the whole table:\n", kRepetitions);
    std::printf("  packet -> dataset  %9.3f ms\n", packet * 1e3);
    std::printf("  JSON parse         %9.3f ms\n", json * 1e3);
    std::printf("  memcpy of packet   %9.3f ms\n", copy * 1e3);
    if (packet > 0 && json > 0)
        std::printf("ratio json/packet = %.2f (goal >= 10)\n", json / packet);
    if (packet > 0 && copy > 0)
        std::printf("ratio packet/memcpy = %.2f\n", packet / copy);
    std::printf("ratio dataset memory/packet size = %.3f (%.1f MiB / %.1f MiB, goal <= 2)\n",
                double(f.tableMemory) / double(f.packet.size()), double(f.tableMemory) / 1048576.0,
                double(f.packet.size()) / 1048576.0);

    benchmark::Shutdown();
    return 0;
}
