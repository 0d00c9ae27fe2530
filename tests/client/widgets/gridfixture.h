#pragma once

// Small datasets and column sets shared by the grid tests.

#include "client/widgets/gridcolumn.h"
#include "wire/datapacket.h"
#include "wire/dataset.h"

#include <QList>
#include <QString>
#include <QVariant>

#include <memory>

namespace gridtest {

using namespace Qt::StringLiterals;

// A table from field definitions and rows of values (a null QVariant
// gives a null cell).
inline std::unique_ptr<wire::DataSet> makeDataSet(const QList<wire::FieldDef> &fields,
                                                  const QList<QList<QVariant>> &rows)
{
    wire::PacketWriter w(fields);
    for (const auto &row : rows)
        for (const QVariant &v : row)
            w.value(v);
    auto ds = std::make_unique<wire::DataSet>();
    ds->loadPacket(w.finish());
    return ds;
}

// The basket's visible columns and weights, which sum to 22.
inline QList<widgets::GridColumn> basketColumns()
{
    using widgets::GridColumn;
    return {
        GridColumn(u"SEC"_s).caption(u"Seç"_s).weight(1).checkBox(1, 0).fixed().noSearch(),
        GridColumn(u"VERILISTARIHI"_s).caption(u"Sipariş Tarihi"_s).weight(1),
        GridColumn(u"BARKOD"_s).caption(u"Barkod"_s).weight(2),
        GridColumn(u"FINISHKOD"_s).caption(u"FinishKod"_s).weight(2),
        GridColumn(u"OEMNO"_s).caption(u"OEMNo"_s).weight(2),
        GridColumn(u"STOKADI"_s).caption(u"Stok Açıklama"_s).weight(3),
        GridColumn(u"MIKTAR"_s).caption(u"Miktar"_s).weight(1).number(),
        GridColumn(u"BIRIMFIYAT"_s).caption(u"Birim Fiyat"_s).weight(1).number(),
        GridColumn(u"TUTAR"_s).caption(u"Tutar"_s).weight(1).number(),
        GridColumn(u"INDIRIMYAZI"_s).caption(u"İndirim Oran"_s).weight(2).align(Qt::AlignCenter),
        GridColumn(u"NETBIRIMFIYAT"_s).caption(u"Net Fiyat"_s).weight(1).number(),
        GridColumn(u"KDV"_s).weight(1),
        GridColumn(u"VERGITUTARI"_s).caption(u"Vergi Tutarı"_s).weight(1).number(),
        GridColumn(u"NETTUTAR"_s).caption(u"Net Tutar"_s).weight(1).number(),
        GridColumn(u"VEREN"_s).caption(u"Veren"_s).weight(1),
        GridColumn(u"DURUM"_s).caption(u"Durum"_s).weight(1).statusImages({}),
        GridColumn(u"SIPARISNO"_s).caption(u"Sipariş No"_s).hidden(),
        GridColumn(u"MARKA"_s).caption(u"Marka"_s).hidden(),
        GridColumn(u"SIRANO"_s).hidden().fixed(),
        GridColumn(u"CARINO"_s).hidden().fixed(),
    };
}

inline std::unique_ptr<wire::DataSet> basketDataSet(int rows = 3)
{
    using T = wire::FieldType;
    const QList<wire::FieldDef> fields = {
        {u"SIRANO"_s, T::Integer, 0},       {u"SEC"_s, T::Integer, 0},
        {u"VERILISTARIHI"_s, T::DateTime, 0}, {u"BARKOD"_s, T::String, 20},
        {u"FINISHKOD"_s, T::String, 20},    {u"OEMNO"_s, T::String, 20},
        {u"STOKADI"_s, T::String, 60},      {u"MIKTAR"_s, T::Float, 0},
        {u"BIRIMFIYAT"_s, T::Float, 0},     {u"TUTAR"_s, T::Float, 0},
        {u"INDIRIMYAZI"_s, T::String, 20},  {u"NETBIRIMFIYAT"_s, T::Float, 0},
        {u"KDV"_s, T::Integer, 0},          {u"VERGITUTARI"_s, T::Float, 0},
        {u"NETTUTAR"_s, T::Float, 0},       {u"VEREN"_s, T::String, 30},
        {u"DURUM"_s, T::Integer, 0},        {u"SIPARISNO"_s, T::Integer, 0},
        {u"MARKA"_s, T::String, 30},        {u"CARINO"_s, T::Integer, 0},
    };
    static const QStringList names = {u"FREN BALATASI ÖN"_s, u"YAĞ FİLTRESİ"_s, u"ŞANZIMAN YATAĞI"_s,
                                      u"İTİCİ ÇUBUK"_s, u"ÇAMURLUK"_s};
    QList<QList<QVariant>> data;
    for (int i = 0; i < rows; ++i) {
        const double qty = i + 1;
        const double price = 10.0 * (i + 1) + 0.25;
        data.append({i + 100, i % 2, QDateTime(QDate(2026, 12, 1 + i % 28), QTime(0, 0)),
                     u"BRK%1"_s.arg(i, 4, 10, QChar(u'0')), u"F%1"_s.arg(i), u"OEM%1"_s.arg(i),
                     names[i % names.size()], qty, price, qty * price, u"%10 + %5"_s, price * 0.85, 20,
                     qty * price * 0.2, qty * price * 1.2, i % 2 ? u"Ayşe Çelik"_s : u"Ömer Güneş"_s,
                     i % 6, 5000 + i, u"VARKO"_s, 77});
    }
    auto ds = makeDataSet(fields, data);
    ds->setFloatDisplayFormat(u"#,###,##0.00"_s);
    ds->setLocale(QLocale(QLocale::Turkish, QLocale::Turkey));
    return ds;
}

} // namespace gridtest
