// Catalogue: stock search, new and campaign lists, movements, marquee,
// banners, announcements and the tab counters.

#include "media.h"
#include "pricing.h"
#include "service.h"
#include "textfold.h"

#include <wire/envelope.h>

using namespace Qt::StringLiterals;

namespace distributor {

namespace {

// enough for a broad search ("FİLTRE") on the whole catalogue, bounded so
// that a one-letter search cannot ask for every stock
constexpr int kMaxSearchRows = 5000;
constexpr int kMaxSearchTerms = 12;

// Columns of the stock list, the new-stock list and the campaign list.
const QList<wire::FieldDef> &stockFields()
{
    static const QList<wire::FieldDef> fields = {
        intField(u"STOK_STOKNO"_s), intField(u"DURUM"_s), textField(u"BARKOD"_s, 50), textField(u"ADI"_s, 150),
        textField(u"MARKA"_s, 50), textField(u"MODEL"_s, 80), textField(u"FINISHKOD"_s, 30),
        textField(u"OEM1"_s, 40), textField(u"OEM2"_s, 40), textField(u"OEM3"_s, 40), textField(u"OEM4"_s, 40),
        textField(u"OEMNO"_s, 40), textField(u"URETICIKODU"_s, 40), textField(u"DIGERADI"_s, 150),
        textField(u"OZELKOD"_s, 20), textField(u"ANAGRUP"_s, 40), textField(u"BIRIM"_s, 10),
        textField(u"DPKOD"_s, 10), textField(u"PKOD"_s, 20), textField(u"BARKOD_BARKODNO"_s, 50),
        floatField(u"KALAN"_s), floatField(u"ALINANSIPARIS"_s), floatField(u"VERILENSIPARIS"_s),
        intField(u"RESIM"_s), intField(u"Y"_s), intField(u"K"_s), floatField(u"KDV"_s), floatField(u"FIYAT"_s),
        floatField(u"LISTEFIYAT1"_s), floatField(u"KAMPFIYAT"_s), floatField(u"ESKIFIYAT"_s),
        floatField(u"NETFIYAT"_s), floatField(u"KDVDAHIL"_s), floatField(u"IND1"_s), floatField(u"IND2"_s),
        floatField(u"IND3"_s), floatField(u"IND4"_s), floatField(u"INDIRIM"_s), textField(u"INDIRIMYAZI"_s, 30),
    };
    return fields;
}

// the SELECT whose columns stockPacket() reads, in this order
const QString kStockSelect = u"SELECT S.STOKNO, S.DURUM, S.BARKOD, S.ADI, S.MARKA, S.MODEL, S.FINISHKOD, S.OEM1,"
                             " S.OEM2, S.OEM3, S.OEM4, S.OEMNO, S.URETICIKODU, S.DIGERADI, S.OZELKOD, S.ANAGRUP,"
                             " S.BIRIM, S.DPKOD, S.PKOD, S.KALAN,"
                             " (SELECT COALESCE(SUM(L.MIKTAR - L.TESLIMEDILEN), 0) FROM SIPARISSATIR L"
                             "  WHERE L.STOKNO = S.STOKNO),"
                             " S.VERILENSIPARIS, S.RESIM, S.YENI, S.KAMPANYA, S.KDV, S.LISTEFIYAT, S.KAMPFIYAT,"
                             " S.MARKAIND FROM STOK S"_s;

} // namespace

// Prices with the customer's own discounts: IND1 and IND2 are the
// customer's general and additional rates, IND3 the brand's rate. A
// campaign price is already net and gets no further discount; a dealer
// without campaigns (type 4) gets list prices.
QByteArray Service::stockPacket(Query &q, int carino, bool withCampaigns)
{
    double custInd1 = 0, custInd2 = 0;
    if (carino > 0) {
        Query c(db(), u"SELECT IND1, IND2 FROM CARI WHERE CARINO = ?"_s);
        c.bind(carino).exec();
        if (c.next()) {
            custInd1 = c.realValue(0);
            custInd2 = c.realValue(1);
        }
    }
    wire::PacketWriter w(stockFields());
    while (q.next()) {
        const bool campaign = withCampaigns && q.intValue(24) == 1;
        const double list = q.realValue(26);
        const double kdv = q.realValue(25);
        const Rates rates = campaign ? Rates{0, 0, 0, 0} : Rates{custInd1, custInd2, q.realValue(28), 0};
        const double price = campaign ? q.realValue(27) : list;
        const double net = wire::round2(discounted(price, rates));
        for (int i = 0; i < 19; ++i)
            w.value(q.value(i));
        w.text(q.text(2));              // BARKOD_BARKODNO
        w.real(q.realValue(19));        // KALAN: stock on hand
        w.real(q.realValue(20));        // ALINANSIPARIS: open customer orders
        w.real(q.realValue(21));        // VERILENSIPARIS: open purchase orders
        w.integer(q.intValue(22) > 0 ? 1 : 0);
        w.integer(q.intValue(23));
        w.integer(campaign ? 1 : 0);
        w.real(kdv);
        w.real(price);
        w.real(list);
        w.real(campaign ? q.realValue(27) : 0.0);
        w.real(list);
        w.real(net);
        w.real(wire::round2(net * (1.0 + kdv / 100.0)));
        for (double r : rates)
            w.real(r);
        w.real(effectiveRate(rates));
        w.text(discountText(rates));
    }
    return w.finish();
}

wire::Value Service::EnVer(const Args &a)
{
    Query q(db(), u"SELECT KOLIADET FROM STOK WHERE STOKNO = ?"_s);
    q.bind(a.integer(0)).exec();
    if (!q.next())
        throw Refusal(u"Stok bulunamadı: %1"_s.arg(a.integer(0)));
    return wire::Value::integer(qMax(1, q.intValue(0)));
}

// Every letter-and-digit run of the text must begin a word of the stock's
// search text (name, brand, model, codes, OEM numbers with and without
// separators), in any order. The empty text finds nothing: the catalogue
// is never sent whole.
wire::Value Service::StokAraGetirBelvo(const Args &a)
{
    const User user = userOf(a, 1);
    const int carino = a.session(1)->CARINO();
    if (carino != 0)
        requireCustomer(user, carino);
    QStringList terms;
    QString run;
    for (QChar c : foldForSearch(a.text(0)) + u' ') {
        if (c.isLetterOrNumber()) {
            run += c;
        } else if (!run.isEmpty()) {
            terms << run;
            run.clear();
        }
    }
    terms = terms.mid(0, kMaxSearchTerms);
    const SqlDialect &dialect = m_store.dialect();
    Query q(db(), kStockSelect + (terms.isEmpty() ? u" WHERE 1 = 0"_s : u" WHERE "_s + dialect.stockSearchCondition)
                      + u" LIMIT %1"_s.arg(kMaxSearchRows));
    if (!terms.isEmpty())
        q.bind(dialect.searchPattern(terms));
    q.exec();
    return wire::Value::dataPacket(stockPacket(q, carino, user.type != 4));
}

wire::Value Service::YenilerVer2(const Args &a)
{
    const int carino = a.integer(0);
    requireCustomerExists(carino);
    Query q(db(), kStockSelect + u" WHERE S.YENI = 1 ORDER BY S.STOKNO DESC"_s);
    q.exec();
    return wire::Value::dataPacket(stockPacket(q, carino, true));
}

wire::Value Service::KampanyaliVer2(const Args &a)
{
    const int carino = a.integer(0);
    const int type = a.integer(1);
    requireCustomerExists(carino);
    // a dealer without campaigns gets an empty list
    Query q(db(), kStockSelect + (type == 4 ? u" WHERE 1 = 0"_s : u" WHERE S.KAMPANYA = 1 ORDER BY S.STOKNO"_s));
    q.exec();
    return wire::Value::dataPacket(stockPacket(q, carino, true));
}

wire::Value Service::StokHareketVer(const Args &a)
{
    const int carino = a.integer(0);
    const int stokno = a.integer(1);
    requireCustomerExists(carino);
    static const QList<wire::FieldDef> fields = [] {
        QList<wire::FieldDef> f = {
            textField(u"BARKOD"_s, 50), dateField(u"TARIH"_s), textField(u"TURU"_s, 30),
            textField(u"EVRAKSERI"_s, 10), textField(u"EVRAKSIRA"_s, 20), floatField(u"MIKTAR"_s),
            floatField(u"TLBIRIMFIYAT"_s), floatField(u"TLVERGI"_s), floatField(u"TLTUTAR"_s)};
        for (int i = 1; i <= 8; ++i)
            f.append(floatField(u"INDIRIM%1"_s.arg(i)));
        f << floatField(u"TOPLAMINDIRIM"_s) << floatField(u"MASRAF1"_s) << floatField(u"MASRAF2"_s)
          << floatField(u"TOPLAMMASRAF"_s) << floatField(u"NETBIRIMFIYAT"_s) << floatField(u"NETTLTUTAR"_s)
          << intField(u"VADE"_s) << textField(u"STOKCARIKOD"_s, 25) << floatField(u"KDVDAHILBIRIMFIYAT"_s)
          << floatField(u"KDVDAHILTUTAR"_s) << textField(u"SATICI"_s, 50);
        return f;
    }();
    Query q(db(), u"SELECT S.BARKOD, H.TARIH, H.TUR, H.EVRAKNO, F.MIKTAR, F.BIRIMFIYAT, F.VERGI, F.TUTAR, F.IND1,"
                  " F.IND2, F.INDIRIMTUTAR, F.NETBIRIMFIYAT, F.NETTUTAR, H.VADE, C.CARIKOD, F.KDV, T.ADI"
                  " FROM FATURASATIR F JOIN HAREKET H ON H.IDNO = F.IDNO JOIN STOK S ON S.STOKNO = F.STOKNO"
                  " JOIN CARI C ON C.CARINO = H.CARINO JOIN TEMSILCI T ON T.SATICINO = H.SATICINO"
                  " WHERE H.CARINO = ? AND F.STOKNO = ? ORDER BY H.TARIH, F.SIRANO"_s);
    q.bind(carino).bind(stokno).exec();
    wire::PacketWriter w(fields);
    while (q.next()) {
        const QString evrak = q.text(3);
        const double kdv = q.realValue(15);
        const double netUnit = q.realValue(11);
        const double net = q.realValue(12);
        w.text(q.text(0)).dateTime(q.realValue(1)).text(q.intValue(2) == 4 ? u"Satış İade Faturası"_s : u"Satış Faturası"_s)
            .text(evrak.left(3)).text(evrak.mid(3)).real(q.realValue(4)).real(q.realValue(5)).real(q.realValue(6))
            .real(q.realValue(7)).real(q.realValue(8)).real(q.realValue(9));
        for (int i = 3; i <= 8; ++i)
            w.real(0.0);
        w.real(q.realValue(10)).real(0.0).real(0.0).real(0.0).real(netUnit).real(net).integer(q.intValue(13))
            .text(q.text(14)).real(wire::round2(netUnit * (1 + kdv / 100.0))).real(wire::round2(net + q.realValue(6)))
            .text(q.text(16));
    }
    return wire::Value::dataPacket(w.finish());
}

wire::Value Service::KayanYaziGetir(const Args &)
{
    Query q(db(), u"SELECT DEGER FROM AYAR WHERE ANAHTAR = ?"_s);
    q.bind(u"kayanyazi"_s).exec();
    return wire::Value::string(q.next() ? q.text(0) : QString());
}

wire::Value Service::BannerResimVer(const Args &)
{
    return wire::Value::stream(media::headerBanner());
}

wire::Value Service::BannerResimVer2(const Args &)
{
    return wire::Value::stream(media::upperBanner());
}

wire::Value Service::BannerResimVer3(const Args &)
{
    return wire::Value::stream(media::lowerBanner());
}

namespace {

wire::TAcilisEkran entryOf(Query &q)
{
    wire::TAcilisEkran e;
    e.setSiraNo(q.intValue(0));
    e.setBaslik(q.text(1));
    e.setArama(q.text(2));
    e.setResim(media::toHexText(q.value(3).toByteArray()));
    return e;
}

} // namespace

// Opening advertisements are entries of kind 1, announcements of kind 2.
wire::Value Service::AcilisReklamAdet(const Args &)
{
    Query q(db(), u"SELECT COUNT(*) FROM DUYURU WHERE TUR = 1"_s);
    q.exec();
    q.next();
    return wire::Value::integer(q.intValue(0));
}

wire::Value Service::AcilisREklamVer(const Args &a)
{
    const int position = a.integer(0);
    Query q(db(), u"SELECT SIRA, BASLIK, ARAMA, RESIM FROM DUYURU WHERE TUR = 1 ORDER BY SIRA LIMIT 1 OFFSET ?"_s);
    if (position < 0)
        throw Refusal(u"Reklam sırası sıfırdan küçük olamaz."_s);
    q.bind(position).exec();
    if (!q.next())
        throw Refusal(u"Bu sırada açılış reklamı yok: %1"_s.arg(position));
    return wire::Value::object(wire::marshal(entryOf(q)));
}

wire::Value Service::AcilisEkranlarVer2(const Args &)
{
    Query q(db(), u"SELECT SIRA, BASLIK, ARAMA, RESIM FROM DUYURU WHERE TUR = 2 ORDER BY SIRA"_s);
    q.exec();
    wire::TAcilisEkranlariki all;
    QList<wire::TAcilisEkran> entries;
    while (q.next())
        entries.append(entryOf(q));
    all.setEkranlar(entries);
    return wire::Value::object(wire::marshal(all));
}

wire::Value Service::BalonGetir(const Args &a)
{
    const User user = userOf(a, 0);
    const int carino = a.session(0)->CARINO();
    requireCustomer(user, carino);
    auto count = [&](const QString &sql, bool bindCustomer) {
        Query q(db(), sql);
        if (bindCustomer)
            q.bind(carino);
        q.exec();
        q.next();
        return q.value(0);
    };
    static const QList<wire::FieldDef> fields = {intField(u"SEPET"_s), intField(u"YENI"_s), intField(u"KAMPANYA"_s),
                                                 intField(u"DUYURU"_s), floatField(u"BAKIYE"_s)};
    wire::PacketWriter w(fields);
    w.integer(count(u"SELECT COUNT(*) FROM SEPET WHERE CARINO = ?"_s, true).toInt());
    w.integer(count(u"SELECT COUNT(*) FROM STOK WHERE YENI = 1"_s, false).toInt());
    w.integer(user.type == 4 ? 0 : count(u"SELECT COUNT(*) FROM STOK WHERE KAMPANYA = 1"_s, false).toInt());
    w.integer(count(u"SELECT COUNT(*) FROM DUYURU WHERE TUR = 2"_s, false).toInt());
    w.real(count(u"SELECT COUNT(*) FROM SIPARISSATIR L JOIN SIPARIS O ON O.IDNO = L.IDNO"
                 " WHERE O.CARINO = ? AND L.MIKTAR - L.TESLIMEDILEN > 0"_s, true).toDouble());
    return wire::Value::reader(w.finish());
}

} // namespace distributor
