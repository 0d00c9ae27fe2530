// Customer account: statement, invoices, collections, card receipts and
// the balance and overdue texts.

#include "media.h"
#include "service.h"

#include <QDateTime>

#include <cmath>

using namespace Qt::StringLiterals;

namespace distributor {

namespace {

QString movementKindText(int kind)
{
    switch (kind) {
    case 1: return u"Satış Faturası"_s;
    case 2: return u"Tahsilat"_s;
    case 3: return u"Tediye"_s;
    case 4: return u"İade Faturası"_s;
    }
    return QString();
}

QString dateText(double oleDate)
{
    return wire::fromOleDate(oleDate).date().toString(u"dd.MM.yyyy"_s);
}

struct Overdue
{
    double amount = 0; // unpaid debit past its due date
    int days = 0;      // age of the oldest overdue debit, in days past due
};

// Collections pay the oldest debits first; what is left of debits whose
// due date (date + term) lies before `asOf` is overdue.
Overdue overdueOf(QSqlDatabase db, int carino, double asOf)
{
    Query q(db, u"SELECT TARIH, BORC, ALACAK, VADE FROM HAREKET WHERE CARINO = ? AND TARIH <= ?"
                " ORDER BY TARIH, IDNO"_s);
    q.bind(carino).bind(asOf).exec();
    struct Debit { double date; double due; double open; };
    QList<Debit> debits;
    double credit = 0;
    while (q.next()) {
        if (q.realValue(1) > 0)
            debits.append({q.realValue(0), q.realValue(0) + q.intValue(3), q.realValue(1)});
        credit += q.realValue(2);
    }
    Overdue o;
    for (Debit &d : debits) {
        const double paid = std::min(credit, d.open);
        d.open -= paid;
        credit -= paid;
        if (d.open > 0.005 && d.due < asOf) {
            o.amount = wire::round2(o.amount + d.open);
            o.days = std::max(o.days, int(asOf - d.due));
        }
    }
    return o;
}

} // namespace

wire::Value Service::CariEkstreVer(const Args &a)
{
    const int carino = a.integer(0);
    requireCustomerExists(carino);
    static const QList<wire::FieldDef> fields = {
        intField(u"CARINO"_s), dateField(u"TARIH"_s), textField(u"TURADI"_s, 30), textField(u"EVRAK"_s, 30),
        floatField(u"BORC"_s), floatField(u"ALACAK"_s), textField(u"KUR"_s, 5), floatField(u"BAKIYE"_s),
        textField(u"D"_s, 1), intField(u"IDNO"_s), textField(u"ACIKLAMA"_s, 100)};
    Query q(db(), u"SELECT CARINO, TARIH, TUR, EVRAKNO, BORC, ALACAK, IDNO, ACIKLAMA FROM HAREKET"
                  " WHERE CARINO = ? ORDER BY TARIH, IDNO"_s);
    q.bind(carino).exec();
    wire::PacketWriter w(fields);
    double running = 0;
    while (q.next()) {
        const double debit = q.realValue(4);
        const double credit = q.realValue(5);
        running = wire::round2(running + debit - credit);
        w.integer(q.intValue(0)).dateTime(q.realValue(1)).text(movementKindText(q.intValue(2))).text(q.text(3))
            .real(debit).real(credit).text(u"TL"_s).real(running)
            .text(running > 0 ? u"B"_s : (running < 0 ? u"A"_s : u" "_s)).integer(q.intValue(6)).text(q.text(7));
    }
    return wire::Value::reader(w.finish());
}

wire::Value Service::FaturaGetir(const Args &a)
{
    const int carino = a.integer(0);
    const int idno = a.integer(1);
    Query h(db(), u"SELECT CARINO, TUR FROM HAREKET WHERE IDNO = ?"_s);
    h.bind(idno).exec();
    if (!h.next() || (h.intValue(1) != 1 && h.intValue(1) != 4))
        throw Refusal(u"Fatura bulunamadı: %1"_s.arg(idno));
    if (h.intValue(0) != carino)
        throw Refusal(u"Fatura %1 bu cariye ait değil."_s.arg(idno));
    static const QList<wire::FieldDef> fields = [] {
        QList<wire::FieldDef> f = {
            textField(u"OEMNO"_s, 40), textField(u"STOKADI"_s, 150), textField(u"FINISHKOD"_s, 30),
            textField(u"MARKA"_s, 50), textField(u"MODEL"_s, 80), textField(u"ANAGRUP"_s, 40),
            textField(u"BIRIM"_s, 10), floatField(u"STOKHAR_MIKTAR"_s), floatField(u"STOKHAR_TLBIRIMFIYATI"_s),
            floatField(u"STOKHAR_TLTUTAR"_s), floatField(u"STOKHAR_INDIRIM1"_s), floatField(u"STOKHAR_INDIRIM2"_s),
            floatField(u"KDV"_s), floatField(u"STOKHAR_TOPLAMINDIRIM"_s), floatField(u"STOKHAR_TOPLAMMASRAF"_s),
            floatField(u"STOKHAR_NETTLBIRIMFIYATI"_s), floatField(u"STOKHAR_NETTLTUTAR"_s),
            textField(u"OZELKOD"_s, 20), textField(u"BARKOD"_s, 50), dateField(u"STOKHAR_HAREKETTARIHI"_s),
            textField(u"STOKHAR_HAREKETTIPI2"_s, 30), textField(u"EVRAKNO"_s, 30), floatField(u"STOKHAR_TLVERGI"_s),
            textField(u"IRSALIYEEVRAKNO"_s, 30), dateField(u"STOKHAR_IRSTARIHI"_s),
            textField(u"SATIRACIKLMASI"_s, 100), textField(u"STOKHAR_SAAT"_s, 8), intField(u"STOKHAR_VADE"_s),
            textField(u"SIPARISEVRAKNO"_s, 30), dateField(u"SIPARISTARIHI"_s), textField(u"IRSALIYETIP2"_s, 30)};
        for (int i = 3; i <= 8; ++i)
            f.append(floatField(u"STOKHAR_INDIRIM%1"_s.arg(i)));
        f << floatField(u"STOKHAR_DOVIZBIRIMFIYATI"_s) << floatField(u"STOKHAR_DOVIZVERGI"_s)
          << floatField(u"STOKHAR_DOVIZTUTAR"_s) << textField(u"STOKHAR_PARTI"_s, 20)
          << textField(u"STOKHAR_BEDEN"_s, 20) << textField(u"STOKHAR_RENK"_s, 20)
          << floatField(u"STOKHAR_MASRAF1"_s) << floatField(u"STOKHAR_MASRAF2"_s)
          << floatField(u"STOKHAR_DOVIZTOPLAMINDIRIM"_s) << floatField(u"STOKHAR_DOVIZTOPLAMMASRAF"_s)
          << floatField(u"STOKHAR_NETDOVIZBIRIMFIYATI"_s) << floatField(u"STOKHAR_NETDOVIZTUTAR"_s)
          << floatField(u"STOKHAR_KURTL"_s) << textField(u"SATICIADI"_s, 50) << textField(u"SIPARISTIPI"_s, 20)
          << intField(u"IRSALIYETIPINO"_s) << textField(u"STOKCARIKOD"_s, 25) << intField(u"SUBE_NO"_s)
          << intField(u"STOKHAR_CARINO"_s) << textField(u"KUR_KURSIMGE"_s, 5) << textField(u"URETICIKODU"_s, 40)
          << textField(u"DPKOD"_s, 10) << textField(u"ENADI"_s, 150) << textField(u"PKOD"_s, 20)
          << textField(u"BELGENO"_s, 30) << intField(u"IDNO"_s);
        return f;
    }();
    Query q(db(), u"SELECT S.OEMNO, S.ADI, S.FINISHKOD, S.MARKA, S.MODEL, S.ANAGRUP, S.BIRIM, F.MIKTAR,"
                  " F.BIRIMFIYAT, F.TUTAR, F.IND1, F.IND2, F.KDV, F.INDIRIMTUTAR, F.NETBIRIMFIYAT, F.NETTUTAR,"
                  " S.OZELKOD, S.BARKOD, H.TARIH, H.TUR, H.EVRAKNO, F.VERGI, H.VADE, T.ADI, C.CARIKOD, H.CARINO,"
                  " S.URETICIKODU, S.DPKOD, S.DIGERADI, S.PKOD, H.IDNO FROM FATURASATIR F"
                  " JOIN HAREKET H ON H.IDNO = F.IDNO JOIN STOK S ON S.STOKNO = F.STOKNO"
                  " JOIN CARI C ON C.CARINO = H.CARINO JOIN TEMSILCI T ON T.SATICINO = H.SATICINO"
                  " WHERE F.IDNO = ? ORDER BY F.SIRANO"_s);
    q.bind(idno).exec();
    wire::PacketWriter w(fields);
    while (q.next()) {
        const double date = q.realValue(18);
        const QString evrak = q.text(20);
        for (int i = 0; i <= 6; ++i)
            w.text(q.text(i));
        for (int i = 7; i <= 13; ++i)
            w.real(q.realValue(i));
        w.real(0.0).real(q.realValue(14)).real(q.realValue(15)).text(q.text(16)).text(q.text(17)).dateTime(date)
            .text(movementKindText(q.intValue(19))).text(evrak).real(q.realValue(21))
            .text(u"IRS"_s + evrak.mid(3)).dateTime(date).text(QString()).text(u"10:00"_s).integer(q.intValue(22))
            .text(QString()).dateTime(date).text(u"Satış İrsaliyesi"_s);
        for (int i = 3; i <= 8; ++i)
            w.real(0.0);
        for (int i = 0; i < 3; ++i)
            w.real(0.0);
        w.text(QString()).text(QString()).text(QString());
        for (int i = 0; i < 6; ++i)
            w.real(0.0);
        w.real(1.0).text(q.text(23)).text(u"Normal"_s).integer(1).text(q.text(24)).integer(1)
            .integer(q.intValue(25)).text(u"TL"_s).text(q.text(26)).text(q.text(27)).text(q.text(28))
            .text(q.text(29)).text(evrak).integer(q.intValue(30));
    }
    return wire::Value::reader(w.finish());
}

wire::Value Service::FaturaAltGetir(const Args &a)
{
    static const QList<wire::FieldDef> fields = {floatField(u"TOPLAM"_s), floatField(u"TOPLAMINDIRIM"_s),
                                                 floatField(u"MATRAH"_s), floatField(u"KDVTUTAR"_s),
                                                 floatField(u"KDVDAHIL"_s)};
    Query q(db(), u"SELECT COUNT(*), COALESCE(SUM(TUTAR), 0), COALESCE(SUM(INDIRIMTUTAR), 0),"
                  " COALESCE(SUM(NETTUTAR), 0), COALESCE(SUM(VERGI), 0) FROM FATURASATIR WHERE IDNO = ?"_s);
    q.bind(a.integer(0)).exec();
    wire::PacketWriter w(fields);
    if (q.next() && q.intValue(0) > 0) {
        const double matrah = wire::round2(q.realValue(3));
        const double kdv = wire::round2(q.realValue(4));
        w.real(wire::round2(q.realValue(1))).real(wire::round2(q.realValue(2))).real(matrah).real(kdv)
            .real(wire::round2(matrah + kdv));
    }
    return wire::Value::reader(w.finish());
}

wire::Value Service::Tahsilat(const Args &a)
{
    static const QList<wire::FieldDef> fields = {
        dateField(u"Tarih"_s), textField(u"Türü"_s, 20), textField(u"Cins"_s, 20), textField(u"EvrakNo"_s, 30),
        dateField(u"Vade"_s), floatField(u"Tutar"_s), textField(u"Kur"_s, 5), floatField(u"KurTL"_s),
        textField(u"Açıklama"_s, 100), floatField(u"Döviz Tutar"_s), textField(u"Ref"_s, 30),
        textField(u"Saat"_s, 8)};
    Query q(db(), u"SELECT TARIH, TURU, CINS, EVRAKNO, VADE, TUTAR, ACIKLAMA, REF, SAAT FROM TAHSILATSATIR"
                  " WHERE IDNO = ? ORDER BY SIRANO"_s);
    q.bind(a.integer(0)).exec();
    wire::PacketWriter w(fields);
    while (q.next()) {
        w.dateTime(q.realValue(0)).text(q.text(1)).text(q.text(2)).text(q.text(3)).dateTime(q.realValue(4))
            .real(q.realValue(5)).text(u"TL"_s).real(1.0).text(q.text(6)).real(0.0).text(q.text(7)).text(q.text(8));
    }
    return wire::Value::reader(w.finish());
}

wire::Value Service::SanalposSiranoVer(const Args &a)
{
    Query q(db(), u"SELECT SANALPOSNO FROM HAREKET WHERE IDNO = ?"_s);
    q.bind(a.integer(0)).exec();
    return wire::Value::integer(q.next() ? q.intValue(0) : 0);
}

wire::Value Service::SAnalPosPdfVer(const Args &a)
{
    Query q(db(), u"SELECT P.SIRANO, P.KARTNO, P.KARTSAHIBI, P.TUTAR, P.TARIH, P.ONAYKODU, H.EVRAKNO, C.CARIKOD,"
                  " C.CARIADI FROM SANALPOS P JOIN HAREKET H ON H.IDNO = P.IDNO"
                  " JOIN CARI C ON C.CARINO = H.CARINO WHERE P.SIRANO = ?"_s);
    q.bind(a.integer(0)).exec();
    if (!q.next())
        return wire::Value::stream(QByteArray()); // count 0: no document
    const QStringList header = {
        u"Varko Otomotiv Yedek Parça San. ve Tic. A.Ş."_s,
        u"Dekont No: %1"_s.arg(q.intValue(0)),
        u"Cari: %1 %2"_s.arg(q.text(7), q.text(8)),
        u"Tahsilat Evrak No: %1"_s.arg(q.text(6)),
        u"İşlem Tarihi: %1"_s.arg(dateText(q.realValue(4))),
    };
    media::PdfTable table;
    table.columns = {u"Kart No"_s, u"Kart Sahibi"_s, u"Onay Kodu"_s, u"Tutar (TL)"_s};
    table.widths = {3, 4, 2, 2};
    table.rows = {{q.text(1), q.text(2), q.text(5), moneyText(q.realValue(3))}};
    return wire::Value::stream(media::pdfDocument(u"Sanal Pos Ödeme Dekontu"_s, header, table,
                                                  {u"Ödemeniz için teşekkür ederiz."_s}));
}

wire::Value Service::CariDurumVer(const Args &a)
{
    const int carino = a.integer(0);
    requireCustomerExists(carino);
    Query q(db(), u"SELECT COALESCE(SUM(BORC - ALACAK), 0) FROM HAREKET WHERE CARINO = ?"_s);
    q.bind(carino).exec();
    q.next();
    // never empty: the client takes an empty text for a failure
    return wire::Value::string(moneyText(wire::round2(q.realValue(0))));
}

wire::Value Service::CariVadeGunGecmismiBul(const Args &a)
{
    const int carino = a.integer(0);
    requireCustomerExists(carino);
    const Overdue o = overdueOf(db(), carino, todayOle());
    if (o.amount <= 0)
        return wire::Value::string(QString());
    return wire::Value::string(u"Vadesi %1 gün geçmiş %2 TL bakiyeniz bulunmaktadır. Lütfen ödemenizi yapınız."_s
                                   .arg(o.days)
                                   .arg(moneyText(o.amount)));
}

} // namespace distributor
