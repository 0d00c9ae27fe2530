// Sign-in record, the representative's desk (customers, pipeline, PDF
// reports), the tabular reports, the contact card and the mail outbox.

#include "media.h"
#include "service.h"
#include "textfold.h"

#include <wire/envelope.h>

#include <QDateTime>

#include <cmath>

using namespace Qt::StringLiterals;

namespace distributor {

namespace {

QString dateText(double oleDate)
{
    return wire::fromOleDate(oleDate).date().toString(u"dd.MM.yyyy"_s);
}

const QList<wire::FieldDef> &customerFields()
{
    static const QList<wire::FieldDef> fields = [] {
        QList<wire::FieldDef> f = {
            intField(u"CARINO"_s), textField(u"CARIKOD"_s, 25), textField(u"CARIADI"_s, 100),
            textField(u"SATICISI"_s, 50), floatField(u"TLBAKIYE"_s), textField(u"DURUM"_s, 10),
            intField(u"SEPET"_s), intField(u"ALINDI"_s), intField(u"ONAYLANDI"_s), intField(u"GORULDU"_s),
            intField(u"HAZIRLANDI"_s), intField(u"PARCALIHAZIRLANDI"_s), intField(u"SEVKEDILDI"_s)};
        for (const char16_t *name : {u"YETKILI", u"OZELKOD", u"ANAGRUP", u"ALTGRUP", u"ADRES1", u"ADRES2", u"ILCE",
                                     u"IL", u"VERGIDAIRESI", u"VERGINO", u"TEL1", u"TEL2", u"FAX1", u"FAX2", u"GSM",
                                     u"EMAIL"})
            f.append(textField(QString::fromUtf16(name), 100));
        f << intField(u"VADE"_s) << floatField(u"INDIRIM"_s);
        for (int i = 1; i <= 5; ++i)
            f.append(textField(u"KOD%1"_s.arg(i), 20));
        f << intField(u"VADEKONTROLGUN"_s) << intField(u"VADEKONTROLAY"_s);
        return f;
    }();
    return fields;
}

} // namespace

wire::Value Service::BuyukGetir(const Args &a)
{
    const QString device = a.text(0);
    wire::TSonucBilgisi r;
    r.setBILGISAYARID(device);
    Query q(db(), u"SELECT K.SIRANO, K.ADI, K.SIFRE, K.AKTIF, K.TIP, K.CARINO, K.SATICINO, K.MAIL, K.VERSIYON,"
                  " T.ADI, T.TELEFON, T.MAIL, C.CARIKOD, C.CARIADI FROM CIHAZ D"
                  " JOIN KULLANICI K ON K.SIRANO = D.KULLANICI JOIN TEMSILCI T ON T.SATICINO = K.SATICINO"
                  " LEFT JOIN CARI C ON C.CARINO = K.CARINO WHERE D.BILGISAYARID = ?"_s);
    q.bind(device).exec();
    // an unknown device gets a record that says so; the client then
    // offers the request form (a null object would read as a failure)
    if (device.isEmpty() || !q.next())
        return wire::Value::object(wire::marshal(r));
    r.setSirano(q.intValue(0));
    r.setADI(q.text(1));
    r.setSIFRE(q.text(2));
    r.setAKTIF(q.intValue(3));
    r.setMusteriTipi(q.intValue(4));
    r.setCARINO(q.intValue(5));
    r.setSaticiNo(q.intValue(6));
    r.setKullanicimail(q.text(7));
    r.setVersion(q.intValue(8));
    r.setSaticiAdi(q.text(9));
    r.setSaticiTelefon(q.text(10));
    r.setSaticiMail(q.text(11));
    r.setcarikod(q.text(12));
    r.setCariAdi(q.text(13));
    r.setVarmi(true);
    return wire::Value::object(wire::marshal(r));
}

wire::Value Service::customerRows(const User &user, const QString &condition, const QVariantList &values)
{
    const QString scope = user.isRepresentative() ? u"C.SATICINO = ?"_s : u"C.CARINO = ?"_s;
    Query q(db(), u"SELECT C.CARINO, C.CARIKOD, C.CARIADI, T.ADI,"
                  " (SELECT COALESCE(SUM(H.BORC - H.ALACAK), 0) FROM HAREKET H WHERE H.CARINO = C.CARINO),"
                  " (SELECT COUNT(*) FROM SEPET B WHERE B.CARINO = C.CARINO),"
                  " (SELECT COUNT(*) FROM SIPARIS O WHERE O.CARINO = C.CARINO AND O.DURUM = 2),"
                  " (SELECT COUNT(*) FROM SIPARIS O WHERE O.CARINO = C.CARINO AND O.DURUM = 3),"
                  " (SELECT COUNT(*) FROM SIPARIS O WHERE O.CARINO = C.CARINO AND O.DURUM = 4),"
                  " (SELECT COUNT(*) FROM SIPARIS O WHERE O.CARINO = C.CARINO AND O.DURUM = 6),"
                  " (SELECT COUNT(*) FROM SIPARIS O WHERE O.CARINO = C.CARINO AND O.DURUM = 5),"
                  " (SELECT COUNT(*) FROM SIPARIS O WHERE O.CARINO = C.CARINO AND O.DURUM = 7),"
                  " C.YETKILI, C.OZELKOD, C.ANAGRUP, C.ALTGRUP, C.ADRES1, C.ADRES2, C.ILCE, C.IL, C.VERGIDAIRESI,"
                  " C.VERGINO, C.TEL1, C.TEL2, C.FAX1, C.FAX2, C.GSM, C.EMAIL, C.VADE, C.IND1"
                  " FROM CARI C JOIN TEMSILCI T ON T.SATICINO = C.SATICINO WHERE %1 AND %2"
                  " ORDER BY C.CARIADI, C.CARINO"_s.arg(scope, condition));
    q.bind(user.isRepresentative() ? user.saticino : user.carino);
    for (const QVariant &v : values)
        q.bind(v);
    q.exec();
    wire::PacketWriter w(customerFields());
    while (q.next()) {
        const double balance = wire::round2(q.realValue(4));
        w.integer(q.intValue(0)).text(q.text(1)).text(q.text(2)).text(q.text(3)).real(balance)
            .text(balance > 0 ? u"B"_s : (balance < 0 ? u"A"_s : QString()));
        for (int i = 5; i <= 11; ++i)
            w.integer(q.intValue(i));
        for (int i = 12; i <= 27; ++i)
            w.text(q.text(i));
        w.integer(q.intValue(28)).real(q.realValue(29));
        for (int i = 0; i < 5; ++i)
            w.text(QString());
        w.integer(q.intValue(28)).integer(0);
    }
    return wire::Value::reader(w.finish());
}

wire::Value Service::CariAra(const Args &a)
{
    const User user = userOf(a, 0);
    const QString text = foldForSearch(a.text(1).trimmed());
    if (text.isEmpty())
        return customerRows(user, u"1 = 1"_s, {});
    return customerRows(user, u"C.ARAMA LIKE ? ESCAPE '\\'"_s, {u'%' + likeEscaped(text) + u'%'});
}

wire::Value Service::CariSepetVer(const Args &a)
{
    const User user = userOf(a, 0);
    const int n = a.integer(1);
    if (n == 1)
        return customerRows(user, u"EXISTS (SELECT 1 FROM SEPET B WHERE B.CARINO = C.CARINO)"_s, {});
    if (n >= 2 && n <= 7)
        return customerRows(user, u"EXISTS (SELECT 1 FROM SIPARIS O WHERE O.CARINO = C.CARINO AND O.DURUM = ?)"_s,
                            {n});
    throw Refusal(u"Sipariş durumu 1 ile 7 arasında olmalı."_s);
}

wire::Value Service::SepetSayisi(const Args &a)
{
    const User user = userOf(a, 0);
    Query q(db(), user.isRepresentative()
                      ? u"SELECT COUNT(DISTINCT B.CARINO) FROM SEPET B JOIN CARI C ON C.CARINO = B.CARINO"
                        " WHERE C.SATICINO = ?"_s
                      : u"SELECT COUNT(DISTINCT B.CARINO) FROM SEPET B WHERE B.CARINO = ?"_s);
    q.bind(user.isRepresentative() ? user.saticino : user.carino).exec();
    q.next();
    return wire::Value::integer(q.intValue(0));
}

wire::Value Service::TusSonuclariVer(const Args &a)
{
    const User user = userOf(a, 0);
    Query q(db(), user.isRepresentative()
                      ? u"SELECT O.DURUM, COUNT(*) FROM SIPARIS O JOIN CARI C ON C.CARINO = O.CARINO"
                        " WHERE C.SATICINO = ? GROUP BY O.DURUM"_s
                      : u"SELECT O.DURUM, COUNT(*) FROM SIPARIS O WHERE O.CARINO = ? GROUP BY O.DURUM"_s);
    q.bind(user.isRepresentative() ? user.saticino : user.carino).exec();
    wire::TTusSonuclari t;
    while (q.next()) {
        const int n = q.intValue(1);
        switch (q.intValue(0)) {
        case 2: t.setAlindi(n); break;
        case 3: t.setOnaylandi(n); break;
        case 4: t.setGoruldu(n); break;
        case 5: t.setParcaliHazirlandi(n); break;
        case 6: t.setHazirlandi(n); break;
        case 7: t.setSevkEdildi(n); break;
        }
    }
    return wire::Value::object(wire::marshal(t));
}

namespace {

struct Range
{
    double from;
    double to; // exclusive
};

Range dayRange(double t1, double t2)
{
    return {std::floor(t1), std::floor(t2) + 1};
}

} // namespace

wire::Value Service::RaporAlinanSiparisler(const Args &a)
{
    const User user = userOf(a, 0);
    if (!user.isRepresentative())
        throw Refusal(u"Raporlar yalnız satış temsilcilerine açıktır."_s);
    const Range r = dayRange(a.real(1), a.real(2));
    static const QList<wire::FieldDef> fields = {
        textField(u"SATICIADI"_s, 50), floatField(u"IDNO"_s), intField(u"CARINO"_s), dateField(u"TARIH"_s),
        textField(u"KUR"_s, 5), floatField(u"KURTL"_s), intField(u"VERENIDNO"_s), textField(u"KARGO"_s, 50),
        textField(u"TESLIM"_s, 50), textField(u"VEREN"_s, 50), textField(u"CARIKOD"_s, 25),
        textField(u"CARIADI"_s, 100), textField(u"DURUM"_s, 100), textField(u"KARGOADI"_s, 50),
        floatField(u"VERGI"_s), floatField(u"NETTUTAR"_s), floatField(u"TUTAR"_s)};
    // a representative of type 2 sees every representative's orders
    Query q(db(), u"SELECT T.ADI, O.IDNO, O.CARINO, O.TARIH, O.VERENIDNO, KT.ADI, TS.ADI, O.VEREN, C.CARIKOD,"
                  " C.CARIADI, O.DURUM, KF.ADI,"
                  " (SELECT COALESCE(SUM(L.VERGITUTARI), 0) FROM SIPARISSATIR L WHERE L.IDNO = O.IDNO),"
                  " (SELECT COALESCE(SUM(L.NETTUTAR), 0) FROM SIPARISSATIR L WHERE L.IDNO = O.IDNO),"
                  " (SELECT COALESCE(SUM(L.TUTAR), 0) FROM SIPARISSATIR L WHERE L.IDNO = O.IDNO)"
                  " FROM SIPARIS O JOIN CARI C ON C.CARINO = O.CARINO JOIN TEMSILCI T ON T.SATICINO = C.SATICINO"
                  " JOIN TESLIM TS ON TS.ID = O.TESLIMID JOIN KARGOTUR KT ON KT.ID = O.KARGOTURID"
                  " JOIN KARGOFIRMA KF ON KF.SIRANO = O.KARGOFIRMAID"
                  " WHERE O.TARIH >= ? AND O.TARIH < ? AND (? = 2 OR C.SATICINO = ?)"
                  " ORDER BY T.ADI, O.TARIH, O.IDNO"_s);
    q.bind(r.from).bind(r.to).bind(user.type).bind(user.saticino).exec();
    wire::PacketWriter w(fields);
    while (q.next()) {
        w.text(q.text(0)).real(q.realValue(1)).integer(q.intValue(2)).dateTime(q.realValue(3)).text(u"TL"_s)
            .real(1.0).integer(q.intValue(4)).text(q.text(5)).text(q.text(6)).text(q.text(7)).text(q.text(8))
            .text(q.text(9)).text(orderStateText(q.intValue(10))).text(q.text(11))
            .real(wire::round2(q.realValue(12))).real(wire::round2(q.realValue(13)))
            .real(wire::round2(q.realValue(14)));
    }
    return wire::Value::reader(w.finish());
}

wire::Value Service::RaporEnCokSatilanStoklar(const Args &a)
{
    const User user = userOf(a, 0);
    if (!user.isRepresentative())
        throw Refusal(u"Raporlar yalnız satış temsilcilerine açıktır."_s);
    const Range r = dayRange(a.real(1), a.real(2));
    static const QList<wire::FieldDef> fields = {
        textField(u"BARKOD"_s, 50), textField(u"KOD"_s, 50), textField(u"ADI"_s, 100),
        textField(u"DEPARTMAN"_s, 50), floatField(u"MIKTAR"_s), floatField(u"NETTUTAR"_s),
        floatField(u"TLVERGI"_s), floatField(u"TUTAR"_s)};
    Query q(db(), u"SELECT S.BARKOD, S.URETICIKODU, S.ADI, S.ANAGRUP, SUM(L.MIKTAR), SUM(L.NETTUTAR),"
                  " SUM(L.VERGITUTARI), SUM(L.TUTAR) FROM SIPARISSATIR L JOIN SIPARIS O ON O.IDNO = L.IDNO"
                  " JOIN STOK S ON S.STOKNO = L.STOKNO JOIN CARI C ON C.CARINO = O.CARINO"
                  " WHERE O.TARIH >= ? AND O.TARIH < ? AND (? = 2 OR C.SATICINO = ?)"
                  " GROUP BY S.STOKNO, S.BARKOD, S.URETICIKODU, S.ADI, S.ANAGRUP"
                  " ORDER BY SUM(L.MIKTAR) DESC, S.STOKNO LIMIT 500"_s);
    q.bind(r.from).bind(r.to).bind(user.type).bind(user.saticino).exec();
    wire::PacketWriter w(fields);
    while (q.next()) {
        w.text(q.text(0)).text(q.text(1)).text(q.text(2).left(100)).text(q.text(3)).real(q.realValue(4))
            .real(wire::round2(q.realValue(5))).real(wire::round2(q.realValue(6)))
            .real(wire::round2(q.realValue(7)));
    }
    return wire::Value::reader(w.finish());
}

// The three PDF reports of the representative's desk: 6 with a customer
// is that customer's summary, 6 without one the receivables due dates of
// the representative's customers, 7 the customer's purchase and sales
// table by month.
wire::Value Service::RaporGetir(const Args &a)
{
    const int report = a.integer(0);
    const int userNo = a.integer(2);
    const int carino = a.integer(3);
    const QString repText = a.text(4);
    const Range r = dayRange(a.real(5), a.real(6));
    Query u(db(), u"SELECT TIP, SATICINO, AKTIF, ADI FROM KULLANICI WHERE SIRANO = ?"_s);
    u.bind(userNo).exec();
    if (!u.next() || u.intValue(2) != 1 || (u.intValue(0) != 1 && u.intValue(0) != 2))
        throw Refusal(u"Raporlar yalnız satış temsilcilerine açıktır."_s);
    User user;
    user.sirano = userNo;
    user.type = u.intValue(0);
    user.saticino = u.intValue(1);
    user.name = u.text(3);
    if (report != 6 && report != 7)
        throw Refusal(u"Bilinmeyen rapor numarası: %1"_s.arg(report));
    if (carino != 0)
        requireCustomer(user, carino);
    else if (report == 7)
        throw Refusal(u"Rapor için cari seçilmedi."_s);

    auto customerName = [&](int no) {
        Query c(db(), u"SELECT CARIKOD, CARIADI FROM CARI WHERE CARINO = ?"_s);
        c.bind(no).exec();
        c.next();
        return c.text(0) + u' ' + c.text(1);
    };
    auto balanceUntil = [&](int no, double until) {
        Query b(db(), u"SELECT COALESCE(SUM(BORC - ALACAK), 0) FROM HAREKET WHERE CARINO = ? AND TARIH < ?"_s);
        b.bind(no).bind(until).exec();
        b.next();
        return wire::round2(b.realValue(0));
    };

    media::PdfTable table;
    QStringList header{u"Temsilci: %1"_s.arg(repText)};
    QStringList footer;
    QString title;
    if (report == 6 && carino != 0) {
        title = u"Cari Özeti"_s;
        header << u"Cari: %1"_s.arg(customerName(carino)) << u"Tarih: %1"_s.arg(dateText(r.from));
        Query q(db(), u"SELECT TARIH, TUR, EVRAKNO, BORC, ALACAK FROM HAREKET WHERE CARINO = ? AND TARIH < ?"
                      " ORDER BY TARIH DESC, IDNO DESC LIMIT 20"_s);
        q.bind(carino).bind(r.to).exec();
        table.columns = {u"Tarih"_s, u"Tür"_s, u"Evrak No"_s, u"Borç"_s, u"Alacak"_s};
        table.widths = {2, 3, 3, 2, 2};
        static const QStringList kinds = {QString(), u"Satış Faturası"_s, u"Tahsilat"_s, u"Tediye"_s,
                                          u"İade Faturası"_s};
        while (q.next())
            table.rows.append({dateText(q.realValue(0)), kinds.value(q.intValue(1)), q.text(2),
                               moneyText(q.realValue(3)), moneyText(q.realValue(4))});
        footer << u"Bakiye: %1 TL"_s.arg(moneyText(balanceUntil(carino, r.to)));
    } else if (report == 6) {
        title = u"Cari Toplu Alacak Vadeleri"_s;
        header << u"Tarih: %1"_s.arg(dateText(r.from));
        // "." asks for every customer the user may see; a representative
        // of type 1 sees only his own
        Query q(db(), u"SELECT C.CARINO, C.CARIKOD, C.CARIADI, C.VADE, T.ADI FROM CARI C"
                      " JOIN TEMSILCI T ON T.SATICINO = C.SATICINO WHERE (? = 2 OR C.SATICINO = ?)"
                      " ORDER BY T.ADI, C.CARIADI"_s);
        q.bind(user.type).bind(user.saticino).exec();
        table.columns = {u"Cari Kod"_s, u"Cari Adı"_s, u"Temsilci"_s, u"Vade (Gün)"_s, u"Bakiye"_s};
        table.widths = {2, 5, 3, 1, 2};
        double total = 0;
        while (q.next()) {
            const double b = balanceUntil(q.intValue(0), r.to);
            total = wire::round2(total + b);
            table.rows.append({q.text(1), q.text(2), q.text(4), q.text(3), moneyText(b)});
        }
        footer << u"Toplam Alacak: %1 TL"_s.arg(moneyText(total));
    } else {
        title = u"Cari Alış Satış Tablosu (Satıcılı)"_s;
        header << u"Cari: %1"_s.arg(customerName(carino))
               << u"Tarihler: %1 - %2"_s.arg(dateText(r.from), dateText(r.to - 1));
        Query q(db(), u"SELECT TARIH, TUR, BORC, ALACAK FROM HAREKET WHERE CARINO = ? AND TARIH >= ? AND TARIH < ?"
                      " ORDER BY TARIH"_s);
        q.bind(carino).bind(r.from).bind(r.to).exec();
        QMap<QString, std::array<double, 4>> months; // yyyy-MM: sales, returns, collections, payments
        while (q.next()) {
            const QString key = wire::fromOleDate(q.realValue(0)).date().toString(u"yyyy-MM"_s);
            auto &m = months[key];
            const int kind = q.intValue(1);
            const double amount = kind == 1 || kind == 3 ? q.realValue(2) : q.realValue(3);
            m[kind - 1] = wire::round2(m[kind - 1] + amount);
        }
        table.columns = {u"Ay"_s, u"Satış"_s, u"İade"_s, u"Tahsilat"_s, u"Tediye"_s};
        table.widths = {2, 2, 2, 2, 2};
        for (auto it = months.cbegin(); it != months.cend(); ++it)
            table.rows.append({it.key(), moneyText(it.value()[0]), moneyText(it.value()[3]),
                               moneyText(it.value()[1]), moneyText(it.value()[2])});
        footer << u"Dönem Sonu Bakiye: %1 TL"_s.arg(moneyText(balanceUntil(carino, r.to)));
    }
    return wire::Value::stream(media::pdfDocument(title, header, table, footer));
}

wire::Value Service::MobilCariBilgisiGetir(const Args &a)
{
    const QString device = a.text(1);
    if (a.integer(0) < 0)
        throw Refusal(u"Sıra numarası sıfırdan küçük olamaz."_s);
    Query q(db(), u"SELECT K.ADI, K.SIFRE, K.MAIL, K.CARINO, T.ADI, T.MAIL, T.TELEFON FROM CIHAZ D"
                  " JOIN KULLANICI K ON K.SIRANO = D.KULLANICI JOIN TEMSILCI T ON T.SATICINO = K.SATICINO"
                  " WHERE D.BILGISAYARID = ?"_s);
    q.bind(device).exec();
    if (device.isEmpty() || !q.next())
        return wire::Value::nullObject();
    wire::TMobilCariBilgisi card;
    card.setBILGISAYARID(device);
    card.setKULLANICIADI(q.text(0));
    card.setSIFRE(q.text(1));
    card.setMAIL(q.text(2));
    card.setSATICIADI(q.text(4));
    card.setSATICIMAIL(q.text(5));
    card.setSATICITELEFON(q.text(6));
    const int carino = q.intValue(3);
    if (carino == 0) {
        // a representative's workstation: the distributor's own card
        card.setCARIADI(u"Varko Otomotiv Yedek Parça San. ve Tic. A.Ş."_s);
        card.setCARIKOD(u"VARKO"_s);
        card.setADRES1(u"İkitelli OSB Oto Sanayi Sitesi 12. Blok No: 4"_s);
        card.setILCE(u"Başakşehir"_s);
        card.setSEHIR(u"İstanbul"_s);
        card.setULKE(u"Türkiye"_s);
        card.setTEL1(u"0212 671 00 00"_s);
        card.setEMAIL(u"bilgi@varko.com.tr"_s);
        card.setYETKILI(q.text(4));
        return wire::Value::object(wire::marshal(card));
    }
    Query c(db(), u"SELECT C.CARIKOD, C.CARIADI, C.IL, C.FAX1, C.FAX2, C.EMAIL, C.VERGIDAIRESI, C.VERGINO,"
                  " C.YETKILI, C.ANAGRUP, C.ALTGRUP, C.TEL1, C.TEL2, C.GSM, C.ADRES1, C.ADRES2, C.ULKE, C.OZELKOD,"
                  " C.ILCE, (SELECT COALESCE(SUM(H.BORC), 0) FROM HAREKET H WHERE H.CARINO = C.CARINO),"
                  " (SELECT COALESCE(SUM(H.ALACAK), 0) FROM HAREKET H WHERE H.CARINO = C.CARINO)"
                  " FROM CARI C WHERE C.CARINO = ?"_s);
    c.bind(carino).exec();
    if (!c.next())
        return wire::Value::nullObject();
    card.setCARINO(carino);
    card.setCARIKOD(c.text(0));
    card.setCARIADI(c.text(1));
    card.setSEHIR(c.text(2));
    card.setFAX1(c.text(3));
    card.setFAX2(c.text(4));
    card.setEMAIL(c.text(5));
    card.setVERGIDAIRESI(c.text(6));
    card.setVERGINO(c.text(7));
    card.setYETKILI(c.text(8));
    card.setAnaGrup(c.text(9));
    card.setAltGrup(c.text(10));
    card.setTEL1(c.text(11));
    card.setTEL2(c.text(12));
    card.setGSM(c.text(13));
    card.setADRES1(c.text(14));
    card.setADRES2(c.text(15));
    card.setULKE(c.text(16));
    card.setOzelKod(c.text(17));
    card.setILCE(c.text(18));
    const double debit = wire::round2(c.realValue(19));
    const double credit = wire::round2(c.realValue(20));
    card.setTLBORC(debit);
    card.setTLALACAK(credit);
    card.setTLBAKIYE(wire::round2(debit - credit));
    return wire::Value::object(wire::marshal(card));
}

// No mail leaves the machine: requests are kept in the outbox table.
wire::Value Service::storeMail(const Args &a, const QString &method, const QString &body)
{
    const QString device = a.text(0);
    const QString subject = a.text(1);
    if (device.trimmed().isEmpty())
        throw Refusal(u"Bilgisayar kimliği boş olamaz."_s);
    if (subject.trimmed().isEmpty())
        throw Refusal(u"Konu boş olamaz."_s);
    if (body.size() > 100000)
        throw Refusal(u"İleti çok uzun."_s);
    Query r(db(), u"SELECT T.MAIL FROM CIHAZ D JOIN KULLANICI K ON K.SIRANO = D.KULLANICI"
                  " JOIN TEMSILCI T ON T.SATICINO = K.SATICINO WHERE D.BILGISAYARID = ?"_s);
    r.bind(device).exec();
    const QString to = r.next() ? r.text(0) : u"bilgi@varko.com.tr"_s;
    m_store.write([&](QSqlDatabase &db) {
        Query(db, u"INSERT INTO GIDENMAIL (TARIH, YONTEM, BILGISAYARID, ALICI, KONU, GOVDE)"
                  " VALUES (?, ?, ?, ?, ?, ?)"_s)
            .bind(wire::toOleDate(QDateTime::currentDateTime())).bind(method).bind(device).bind(to).bind(subject)
            .bind(body).exec();
    });
    return wire::Value::integer(1);
}

namespace {

QString formBody(const Service::Args &a, bool withText)
{
    static const char16_t *const labels[] = {u"Firma Adı", u"Adres", u"Adres2", u"İlçe", u"Şehir", u"Telefon",
                                             u"Fax", u"Vergi Dairesi", u"Vergi No", u"Yetkili", u"Kullanıcı Adı",
                                             u"Şifre", u"Mail", u"Kargo Ambar"};
    QString body;
    for (int i = 0; i < 14; ++i)
        body += QString::fromUtf16(labels[i]) + u": "_s + a.text(i + 2) + u'\n';
    if (withText)
        body += u"\n"_s + a.text(16) + u'\n';
    return body;
}

} // namespace

wire::Value Service::MailGonserCari(const Args &a)
{
    return storeMail(a, u"MailGonserCari"_s, formBody(a, false));
}

wire::Value Service::MailGonserCariNormal(const Args &a)
{
    return storeMail(a, u"MailGonserCariNormal"_s, formBody(a, true));
}

} // namespace distributor

namespace distributor {

void Service::storeWebRequest(const QString &device, const QString &body)
{
    m_store.write([&](QSqlDatabase &db) {
        Query(db, u"INSERT INTO GIDENMAIL (TARIH, YONTEM, BILGISAYARID, ALICI, KONU, GOVDE)"
                  " VALUES (?, ?, ?, ?, ?, ?)"_s)
            .bind(wire::toOleDate(QDateTime::currentDateTime())).bind(u"formmailgonder.aspx"_s).bind(device)
            .bind(u"bilgi@varko.com.tr"_s).bind(u"Yeni kullanıcı isteği"_s).bind(body.left(100000)).exec();
    });
}

} // namespace distributor
