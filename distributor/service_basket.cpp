// Basket, order submission, previous orders, open balances.

#include "pricing.h"
#include "service.h"

#include <wire/envelope.h>

#include <QDateTime>

#include <cmath>

using namespace Qt::StringLiterals;

namespace distributor {

namespace {

constexpr double kMaxQuantity = 100000;
constexpr double kMaxPrice = 10000000;
constexpr int kMaxBasketLines = 500;
constexpr int kMaxNoteLength = 2000;

void checkQuantity(double q)
{
    if (!(q > 0))
        throw Refusal(u"Miktar sıfırdan büyük olmalı."_s);
    if (q > kMaxQuantity)
        throw Refusal(u"Miktar en fazla %1 olabilir."_s.arg(kMaxQuantity));
}

void checkPrice(double p)
{
    if (!(p > 0))
        throw Refusal(u"Birim fiyat sıfırdan büyük olmalı."_s);
    if (p > kMaxPrice)
        throw Refusal(u"Birim fiyat çok büyük."_s);
}

void checkRate(double r)
{
    if (r < 0 || r >= 100)
        throw Refusal(u"İndirim oranı 0 ile 100 arasında olmalı."_s);
}

void checkKdv(double k)
{
    if (k < 0 || k > 100)
        throw Refusal(u"KDV oranı 0 ile 100 arasında olmalı."_s);
}

// the figures of a basket line, as added or changed
void checkLine(double miktar, double kdv, double fiyat, const Rates &rates)
{
    checkQuantity(miktar);
    checkKdv(kdv);
    checkPrice(fiyat);
    for (double r : rates)
        checkRate(r);
}

QString timeText(double oleDate)
{
    return wire::fromOleDate(oleDate).time().toString(u"HH:mm"_s);
}

const QList<wire::FieldDef> &basketFields()
{
    static const QList<wire::FieldDef> fields = {
        intField(u"SIRANO"_s), intField(u"SEC"_s), intField(u"STOKNO"_s), intField(u"STOK_STOKNO"_s),
        textField(u"BARKOD"_s, 50), textField(u"STOKADI"_s, 150), textField(u"MARKA"_s, 50),
        textField(u"FINISHKOD"_s, 30), textField(u"MODEL"_s, 80), textField(u"OEMNO"_s, 40),
        floatField(u"MIKTAR"_s), floatField(u"BIRIMFIYAT"_s), floatField(u"TUTAR"_s),
        floatField(u"INDIRIMORANI1"_s), floatField(u"INDIRIMORANI2"_s), floatField(u"INDIRIMORANI3"_s),
        floatField(u"INDIRIMORANI4"_s), textField(u"INDIRIMYAZI"_s, 30), floatField(u"INDIRIMTUTAR"_s),
        floatField(u"NETBIRIMFIYAT"_s), floatField(u"KDV"_s), floatField(u"VERGITUTARI"_s),
        floatField(u"NETTUTAR"_s), dateField(u"VERILISTARIHI"_s), textField(u"VEREN"_s, 50), intField(u"DURUM"_s),
        intField(u"SIPARISNO"_s), intField(u"CARINO"_s), dateField(u"TARIH"_s), intField(u"AKTAR"_s),
        textField(u"KUR"_s, 5), floatField(u"KURTL"_s), intField(u"VERENIDNO"_s), textField(u"SAAT"_s, 8),
        intField(u"TESLIMID"_s), intField(u"KARGOID"_s), textField(u"ACIKLAMA"_s, 200), intField(u"IDNO"_s),
        intField(u"VERENSIRANO"_s), textField(u"CARIKOD"_s, 25), textField(u"CARIADI"_s, 100),
        textField(u"OEM1"_s, 40), textField(u"OEM2"_s, 40), textField(u"OEM3"_s, 40), textField(u"OEM4"_s, 40),
        textField(u"URETICIKODU"_s, 40), textField(u"DIGERADI"_s, 150), textField(u"DPKOD"_s, 10),
        textField(u"ANAGRUP"_s, 40), textField(u"OZELKOD"_s, 20), textField(u"PKOD"_s, 20), floatField(u"KALAN"_s),
    };
    return fields;
}

const QList<wire::FieldDef> &orderLineFields()
{
    static const QList<wire::FieldDef> fields = {
        intField(u"SIRANO"_s), intField(u"STOKHAR_NO"_s), intField(u"STOK_STOKNO"_s), intField(u"STOKNO"_s),
        intField(u"IDNO"_s), intField(u"SIPARISNO"_s), textField(u"BARKOD"_s, 50), textField(u"ACIKLAMA"_s, 150),
        textField(u"STOKADI"_s, 150), textField(u"FINISHKOD"_s, 30), textField(u"MARKA"_s, 50),
        textField(u"MODEL"_s, 80), textField(u"OEMNO"_s, 40), floatField(u"MIKTAR"_s),
        floatField(u"TESLIMEDILEN"_s), floatField(u"KALAN"_s), floatField(u"ELDEKI"_s),
        floatField(u"BIRIMFIYAT"_s), floatField(u"ILKFIYAT"_s), floatField(u"INDIRIMORANI1"_s),
        floatField(u"INDIRIMORANI2"_s), floatField(u"INDIRIMORANI3"_s), floatField(u"INDIRIMORANI4"_s),
        textField(u"INDIRIMYAZI"_s, 30), floatField(u"TUTAR"_s), floatField(u"INDIRIMTUTAR"_s),
        floatField(u"NETBIRIMFIYAT"_s), floatField(u"KDV"_s), floatField(u"VERGITUTARI"_s),
        floatField(u"NETTUTAR"_s), dateField(u"VERILISTARIHI"_s), textField(u"VEREN"_s, 50), intField(u"DURUM"_s),
        floatField(u"ALINANSIPARIS"_s), floatField(u"VERILENSIPARIS"_s), textField(u"TESLIM"_s, 50),
        textField(u"KARGO"_s, 50), intField(u"CARINO"_s), dateField(u"TARIH"_s), textField(u"KUR"_s, 5),
        floatField(u"KURTL"_s), intField(u"VERENIDNO"_s), textField(u"SAAT"_s, 8), textField(u"CARIKOD"_s, 25),
        textField(u"CARIADI"_s, 100), textField(u"OEM1"_s, 40), textField(u"OEM2"_s, 40), textField(u"OEM3"_s, 40),
        textField(u"OEM4"_s, 40), textField(u"URETICIKODU"_s, 40), textField(u"DIGERADI"_s, 150),
        textField(u"DPKOD"_s, 10), textField(u"ANAGRUP"_s, 40), textField(u"OZELKOD"_s, 20),
        textField(u"PKOD"_s, 20),
    };
    return fields;
}

void updateLineAmounts(QSqlDatabase &db, const QString &table, const QString &key, int id, double quantity,
                       double price, double kdv, const Rates &rates)
{
    const LineAmounts a = lineAmounts(quantity, price, kdv, rates);
    Query(db, u"UPDATE %1 SET MIKTAR = ?, BIRIMFIYAT = ?, IND1 = ?, IND2 = ?, IND3 = ?, IND4 = ?, TUTAR = ?,"
              " INDIRIMTUTAR = ?, NETTUTAR = ?, NETBIRIMFIYAT = ?, VERGITUTARI = ? WHERE %2 = ?"_s.arg(table, key))
        .bind(quantity).bind(price).bind(rates[0]).bind(rates[1]).bind(rates[2]).bind(rates[3]).bind(a.tutar)
        .bind(a.indirimTutar).bind(a.netTutar).bind(a.netBirimFiyat).bind(a.vergiTutari).bind(id).exec();
}

} // namespace

wire::Value Service::SepetVer2(const Args &a)
{
    const int carino = a.integer(0);
    requireCustomerExists(carino);
    Query q(db(), u"SELECT B.SIRANO, B.SEC, B.STOKNO, B.BARKOD, B.STOKADI, S.MARKA, S.FINISHKOD, S.MODEL, S.OEMNO,"
                  " B.MIKTAR, B.BIRIMFIYAT, B.TUTAR, B.IND1, B.IND2, B.IND3, B.IND4, B.INDIRIMTUTAR,"
                  " B.NETBIRIMFIYAT, B.KDV, B.VERGITUTARI, B.NETTUTAR, B.VERILISTARIHI, K.ADI, S.DURUM,"
                  " B.CARINO, B.VERENIDNO, C.CARIKOD, C.CARIADI, S.OEM1, S.OEM2, S.OEM3, S.OEM4, S.URETICIKODU,"
                  " S.DIGERADI, S.DPKOD, S.ANAGRUP, S.OZELKOD, S.PKOD, S.KALAN"
                  " FROM SEPET B JOIN STOK S ON S.STOKNO = B.STOKNO JOIN CARI C ON C.CARINO = B.CARINO"
                  " LEFT JOIN KULLANICI K ON K.SIRANO = B.VERENIDNO WHERE B.CARINO = ? ORDER BY B.SIRANO"_s);
    q.bind(carino).exec();
    wire::PacketWriter w(basketFields());
    while (q.next()) {
        const int sirano = q.intValue(0);
        const double given = q.realValue(21);
        w.integer(sirano).integer(q.intValue(1)).integer(q.intValue(2)).integer(q.intValue(2));
        for (int i = 3; i <= 8; ++i)
            w.text(q.text(i));
        for (int i = 9; i <= 15; ++i)
            w.real(q.realValue(i));
        w.text(discountText({q.realValue(12), q.realValue(13), q.realValue(14), q.realValue(15)}));
        for (int i = 16; i <= 20; ++i)
            w.real(q.realValue(i));
        w.dateTime(given).text(q.text(22)).integer(q.intValue(23));
        w.integer(0).integer(q.intValue(24)).dateTime(given).integer(0).text(u"TL"_s).real(1.0)
            .integer(q.intValue(25)).text(timeText(given)).integer(0).integer(0).text(QString()).integer(sirano)
            .integer(q.intValue(25)).text(q.text(26)).text(q.text(27));
        for (int i = 28; i <= 37; ++i)
            w.text(q.text(i));
        w.real(q.realValue(38));
    }
    return wire::Value::dataPacket(w.finish());
}

wire::Value Service::SepetEkle2(const Args &a)
{
    const User user = userOf(a, 0);
    const int carino = a.integer(1);
    const int stokno = a.integer(2);
    const QString barkod = a.text(3);
    const double miktar = a.real(5);
    const double kdv = a.real(6);
    const double fiyat = a.real(7);
    const Rates rates{a.real(8), a.real(11), a.real(12), a.real(13)};
    const int k = a.integer(10);
    requireCustomer(user, carino);
    if (a.integer(9) != user.sirano)
        throw Refusal(u"Satırı veren kullanıcı oturumdaki kullanıcı değil."_s);
    checkLine(miktar, kdv, fiyat, rates);
    if (k < 0)
        throw Refusal(u"Kampanya işareti sıfırdan küçük olamaz."_s);
    Query s(db(), u"SELECT BARKOD, ADI FROM STOK WHERE STOKNO = ?"_s);
    s.bind(stokno).exec();
    if (!s.next())
        throw Refusal(u"Stok bulunamadı: %1"_s.arg(stokno));
    if (s.text(0) != barkod)
        throw Refusal(u"Stok kodu (%1) stok numarasıyla (%2) uyuşmuyor."_s.arg(barkod).arg(stokno));
    const QString name = s.text(1);
    const LineAmounts amounts = lineAmounts(miktar, fiyat, kdv, rates);
    m_store.write([&](QSqlDatabase &db) {
        Query c(db, u"SELECT COUNT(*) FROM SEPET WHERE CARINO = ?"_s);
        c.bind(carino).exec();
        c.next();
        if (c.intValue(0) >= kMaxBasketLines)
            throw Refusal(u"Sepette en fazla %1 satır olabilir."_s.arg(kMaxBasketLines));
        Query(db, u"INSERT INTO SEPET (CARINO, STOKNO, BARKOD, STOKADI, MIKTAR, BIRIMFIYAT, KDV, IND1, IND2, IND3,"
                  " IND4, K, SEC, VERENIDNO, VERILISTARIHI, TUTAR, INDIRIMTUTAR, NETTUTAR, NETBIRIMFIYAT,"
                  " VERGITUTARI) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s)
            .bind(carino).bind(stokno).bind(barkod).bind(name).bind(miktar).bind(fiyat).bind(kdv).bind(rates[0])
            .bind(rates[1]).bind(rates[2]).bind(rates[3]).bind(k).bind(0).bind(user.sirano)
            .bind(wire::toOleDate(QDateTime::currentDateTime())).bind(amounts.tutar).bind(amounts.indirimTutar)
            .bind(amounts.netTutar).bind(amounts.netBirimFiyat).bind(amounts.vergiTutari).exec();
    });
    return wire::Value::integer(1);
}

wire::Value Service::SepetGuncelle2(const Args &a)
{
    const User user = userOf(a, 0);
    const int carino = a.integer(1);
    const QString barkod = a.text(3);
    const double miktar = a.real(5);
    const double kdv = a.real(6);
    const double fiyat = a.real(7);
    const int line = a.integer(10);
    const Rates rates{a.real(8), a.real(11), a.real(12), a.real(13)};
    requireCustomer(user, carino);
    if (a.integer(9) != user.sirano)
        throw Refusal(u"Satırı değiştiren kullanıcı oturumdaki kullanıcı değil."_s);
    checkLine(miktar, kdv, fiyat, rates);
    m_store.write([&](QSqlDatabase &db) {
        Query q(db, u"SELECT CARINO, BARKOD, STOKNO FROM SEPET WHERE SIRANO = ?"_s);
        q.bind(line).exec();
        if (!q.next() || q.intValue(0) != carino)
            throw Refusal(u"Sepette böyle bir satır yok: %1"_s.arg(line));
        if (q.text(1) != barkod)
            throw Refusal(u"Stok kodu (%1) sepet satırıyla uyuşmuyor."_s.arg(barkod));
        const int stokno = a.integer(2);
        if (stokno != 0 && stokno != q.intValue(2))
            throw Refusal(u"Stok numarası sepet satırıyla uyuşmuyor."_s);
        Query(db, u"UPDATE SEPET SET KDV = ?, VERENIDNO = ? WHERE SIRANO = ?"_s)
            .bind(kdv).bind(user.sirano).bind(line).exec();
        updateLineAmounts(db, u"SEPET"_s, u"SIRANO"_s, line, miktar, fiyat, kdv, rates);
    });
    return wire::Value::integer(1);
}

wire::Value Service::SepetHepsiniSil(const Args &a)
{
    const User user = userOf(a, 0);
    const int carino = a.session(0)->CARINO();
    requireCustomer(user, carino);
    const int removed = m_store.write([&](QSqlDatabase &db) {
        const double now = wire::toOleDate(QDateTime::currentDateTime());
        Query(db, u"INSERT INTO SEPETSILINEN (SEPETSIRANO, CARINO, STOKNO, MIKTAR, ACIKLAMA, SILENID, TARIH)"
                  " SELECT SIRANO, CARINO, STOKNO, MIKTAR, ?, ?, ? FROM SEPET WHERE CARINO = ?"_s)
            .bind(u"Tüm sepet silindi"_s).bind(user.sirano).bind(now).bind(carino).exec();
        Query del(db, u"DELETE FROM SEPET WHERE CARINO = ?"_s);
        del.bind(carino).exec();
        return del.rowsAffected();
    });
    return wire::Value::integer(removed >= 0 ? 1 : 0);
}

wire::Value Service::SepetSatirSil(const Args &a)
{
    const User user = userOf(a, 0);
    const int carino = a.session(0)->CARINO();
    const int line = a.integer(1);
    const QString reason = a.text(2).left(kMaxNoteLength);
    requireCustomer(user, carino);
    m_store.write([&](QSqlDatabase &db) {
        Query q(db, u"SELECT CARINO FROM SEPET WHERE SIRANO = ?"_s);
        q.bind(line).exec();
        if (!q.next() || q.intValue(0) != carino)
            throw Refusal(u"Sepette böyle bir satır yok: %1"_s.arg(line));
        Query(db, u"INSERT INTO SEPETSILINEN (SEPETSIRANO, CARINO, STOKNO, MIKTAR, ACIKLAMA, SILENID, TARIH)"
                  " SELECT SIRANO, CARINO, STOKNO, MIKTAR, ?, ?, ? FROM SEPET WHERE SIRANO = ?"_s)
            .bind(reason).bind(user.sirano).bind(wire::toOleDate(QDateTime::currentDateTime())).bind(line).exec();
        Query(db, u"DELETE FROM SEPET WHERE SIRANO = ?"_s).bind(line).exec();
    });
    return wire::Value::integer(1);
}

wire::Value Service::SepetSecimGuncelle(const Args &a)
{
    const int line = a.integer(0);
    const int selected = a.integer(1);
    if (selected != 0 && selected != 1)
        throw Refusal(u"Seçim 0 ya da 1 olmalı."_s);
    m_store.write([&](QSqlDatabase &db) {
        Query q(db, u"UPDATE SEPET SET SEC = ? WHERE SIRANO = ?"_s);
        q.bind(selected).bind(line).exec();
        if (q.rowsAffected() != 1)
            throw Refusal(u"Sepette böyle bir satır yok: %1"_s.arg(line));
    });
    return wire::Value();
}

wire::Value Service::TeslimVer(const Args &)
{
    Query q(db(), u"SELECT ID, ADI FROM TESLIM ORDER BY ID"_s);
    q.exec();
    return wire::Value::reader(packet({intField(u"ID"_s), textField(u"ADI"_s, 50)}, q));
}

wire::Value Service::KargoVer(const Args &)
{
    Query q(db(), u"SELECT ID, ADI FROM KARGOTUR ORDER BY ID"_s);
    q.exec();
    return wire::Value::reader(packet({intField(u"ID"_s), textField(u"ADI"_s, 50)}, q));
}

wire::Value Service::KargolarVer(const Args &a)
{
    Query q(db(), u"SELECT SIRANO, ADI, UYARI, TURID FROM KARGOFIRMA WHERE TURID = ? ORDER BY SIRANO"_s);
    q.bind(a.integer(0)).exec();
    return wire::Value::reader(packet({intField(u"SIRANO"_s), textField(u"ADI"_s, 50), textField(u"UYARI"_s, 200),
                                       intField(u"TURID"_s)}, q));
}

// The selected lines of the customer's basket become one order and leave
// the basket, in one transaction: either all of it happens or nothing.
wire::Value Service::SiparisKaydet(const Args &a)
{
    const User user = userOf(a, 0);
    const int carino = a.integer(1);
    const int teslim = a.integer(2);
    const int kargo = a.integer(3);
    const QString note = a.text(4);
    const int firm = a.integer(6);
    requireCustomer(user, carino);
    if (a.integer(5) != user.sirano)
        throw Refusal(u"Siparişi veren kullanıcı oturumdaki kullanıcı değil."_s);
    if (note.size() > kMaxNoteLength)
        throw Refusal(u"Sipariş notu en fazla %1 karakter olabilir."_s.arg(kMaxNoteLength));
    {
        Query t(db(), u"SELECT 1 FROM TESLIM WHERE ID = ?"_s);
        t.bind(teslim).exec();
        if (!t.next())
            throw Refusal(u"Teslim durumu bulunamadı: %1"_s.arg(teslim));
        Query f(db(), u"SELECT TURID FROM KARGOFIRMA WHERE SIRANO = ?"_s);
        f.bind(firm).exec();
        if (!f.next())
            throw Refusal(u"Kargo firması bulunamadı: %1"_s.arg(firm));
        if (f.intValue(0) != kargo)
            throw Refusal(u"Kargo firması seçilen kargo türüne ait değil."_s);
    }
    m_store.write([&](QSqlDatabase &db) {
        Query c(db, u"SELECT COUNT(*) FROM SEPET WHERE CARINO = ? AND SEC = 1"_s);
        c.bind(carino).exec();
        c.next();
        const int lines = c.intValue(0);
        if (lines == 0)
            throw Refusal(u"Sepette seçili satır yok."_s);
        Query o(db, u"INSERT INTO SIPARIS (CARINO, TARIH, VERENIDNO, VEREN, TESLIMID, KARGOTURID, KARGOFIRMAID,"
                    " VERENINNOTU, ALANNOTU, SATICINOTU, DURUM) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"
                    " RETURNING IDNO"_s);
        o.bind(carino).bind(wire::toOleDate(QDateTime::currentDateTime())).bind(user.sirano).bind(user.name)
            .bind(teslim).bind(kargo).bind(firm).bind(note).bind(QString()).bind(QString()).bind(2).exec();
        if (!o.next())
            throw Refusal(u"Sipariş kaydedilemedi."_s);
        const int idno = o.intValue(0);
        orderStep(u"siparis"_s);
        Query l(db, u"INSERT INTO SIPARISSATIR (IDNO, SEPETSIRANO, STOKNO, BARKOD, STOKADI, MIKTAR, ILKMIKTAR,"
                    " TESLIMEDILEN, BIRIMFIYAT, ILKFIYAT, KDV, IND1, IND2, IND3, IND4, K, TUTAR, INDIRIMTUTAR,"
                    " NETTUTAR, NETBIRIMFIYAT, VERGITUTARI, VERILISTARIHI, VERENIDNO, VEREN)"
                    " SELECT ?, B.SIRANO, B.STOKNO, B.BARKOD, B.STOKADI, B.MIKTAR, B.MIKTAR, 0, B.BIRIMFIYAT,"
                    " B.BIRIMFIYAT, B.KDV, B.IND1, B.IND2, B.IND3, B.IND4, B.K, B.TUTAR, B.INDIRIMTUTAR,"
                    " B.NETTUTAR, B.NETBIRIMFIYAT, B.VERGITUTARI, B.VERILISTARIHI, B.VERENIDNO,"
                    " COALESCE(K.ADI, '') FROM SEPET B LEFT JOIN KULLANICI K ON K.SIRANO = B.VERENIDNO"
                    " WHERE B.CARINO = ? AND B.SEC = 1 ORDER BY B.SIRANO"_s);
        l.bind(idno).bind(carino).exec();
        if (l.rowsAffected() != lines)
            throw Refusal(u"Sipariş satırları kaydedilemedi."_s);
        orderStep(u"satirlar"_s);
        Query d(db, u"DELETE FROM SEPET WHERE CARINO = ? AND SEC = 1"_s);
        d.bind(carino).exec();
        if (d.rowsAffected() != lines)
            throw Refusal(u"Sepet güncellenemedi."_s);
        orderStep(u"sepet"_s);
    });
    return wire::Value::boolean(true);
}

wire::Value Service::OncekiSiparisler(const Args &a)
{
    const int carino = a.integer(0);
    requireCustomerExists(carino);
    static const QList<wire::FieldDef> fields = {
        intField(u"CARINO"_s), intField(u"IDNO"_s), dateField(u"TARIH"_s), textField(u"KUR"_s, 5),
        floatField(u"KURTL"_s), intField(u"VERENIDNO"_s), textField(u"KARGO"_s, 50), textField(u"TESLIM"_s, 50),
        textField(u"VEREN"_s, 50), textField(u"CARIKOD"_s, 25), textField(u"CARIADI"_s, 100),
        floatField(u"VERGI"_s), floatField(u"NETTUTAR"_s), floatField(u"TUTAR"_s), textField(u"DURUM"_s, 100),
        textField(u"KARGOADI"_s, 50), textField(u"VERENINNOTU"_s, 250), textField(u"ALANNOTU"_s, 250)};
    Query q(db(), u"SELECT O.CARINO, O.IDNO, O.TARIH, O.VERENIDNO, KT.ADI, T.ADI, O.VEREN, C.CARIKOD, C.CARIADI,"
                  " (SELECT COALESCE(SUM(L.VERGITUTARI), 0) FROM SIPARISSATIR L WHERE L.IDNO = O.IDNO),"
                  " (SELECT COALESCE(SUM(L.NETTUTAR), 0) FROM SIPARISSATIR L WHERE L.IDNO = O.IDNO),"
                  " (SELECT COALESCE(SUM(L.TUTAR), 0) FROM SIPARISSATIR L WHERE L.IDNO = O.IDNO),"
                  " O.DURUM, KF.ADI, O.VERENINNOTU, O.ALANNOTU"
                  " FROM SIPARIS O JOIN CARI C ON C.CARINO = O.CARINO JOIN TESLIM T ON T.ID = O.TESLIMID"
                  " JOIN KARGOTUR KT ON KT.ID = O.KARGOTURID JOIN KARGOFIRMA KF ON KF.SIRANO = O.KARGOFIRMAID"
                  " WHERE O.CARINO = ? ORDER BY O.IDNO DESC"_s);
    q.bind(carino).exec();
    wire::PacketWriter w(fields);
    while (q.next()) {
        w.integer(q.intValue(0)).integer(q.intValue(1)).dateTime(q.realValue(2)).text(u"TL"_s).real(1.0)
            .integer(q.intValue(3)).text(q.text(4)).text(q.text(5)).text(q.text(6)).text(q.text(7))
            .text(q.text(8)).real(wire::round2(q.realValue(9))).real(wire::round2(q.realValue(10)))
            .real(wire::round2(q.realValue(11))).text(orderStateText(q.intValue(12))).text(q.text(13))
            .text(q.text(14)).text(q.text(15));
    }
    return wire::Value::reader(w.finish());
}

wire::Value Service::orderLines(int carino, const QString &where, const QVariantList &values, bool reader)
{
    Query q(db(), u"SELECT L.SEPETSIRANO, L.STOKHAR_NO, L.STOKNO, L.IDNO, L.BARKOD, L.STOKADI, S.FINISHKOD,"
                  " S.MARKA, S.MODEL, S.OEMNO, L.MIKTAR, L.TESLIMEDILEN, S.KALAN, L.BIRIMFIYAT, L.ILKFIYAT,"
                  " L.IND1, L.IND2, L.IND3, L.IND4, L.TUTAR, L.INDIRIMTUTAR, L.NETBIRIMFIYAT, L.KDV,"
                  " L.VERGITUTARI, L.NETTUTAR, L.VERILISTARIHI, L.VEREN, S.DURUM,"
                  " (SELECT COALESCE(SUM(A.MIKTAR - A.TESLIMEDILEN), 0) FROM SIPARISSATIR A"
                  "  WHERE A.STOKNO = L.STOKNO),"
                  " S.VERILENSIPARIS, T.ADI, KT.ADI, O.CARINO, O.TARIH, O.VERENIDNO, C.CARIKOD, C.CARIADI,"
                  " S.OEM1, S.OEM2, S.OEM3, S.OEM4, S.URETICIKODU, S.DIGERADI, S.DPKOD, S.ANAGRUP, S.OZELKOD,"
                  " S.PKOD FROM SIPARISSATIR L JOIN SIPARIS O ON O.IDNO = L.IDNO"
                  " JOIN STOK S ON S.STOKNO = L.STOKNO JOIN CARI C ON C.CARINO = O.CARINO"
                  " JOIN TESLIM T ON T.ID = O.TESLIMID JOIN KARGOTUR KT ON KT.ID = O.KARGOTURID"
                  " WHERE O.CARINO = ? AND %1 ORDER BY L.IDNO DESC, L.STOKHAR_NO"_s.arg(where));
    q.bind(carino);
    for (const QVariant &v : values)
        q.bind(v);
    q.exec();
    wire::PacketWriter w(orderLineFields());
    while (q.next()) {
        const double ordered = q.realValue(10);
        const double delivered = q.realValue(11);
        w.integer(q.intValue(0)).integer(q.intValue(1)).integer(q.intValue(2)).integer(q.intValue(2))
            .integer(q.intValue(3)).integer(q.intValue(3)).text(q.text(4)).text(q.text(5)).text(q.text(5));
        for (int i = 6; i <= 9; ++i)
            w.text(q.text(i));
        w.real(ordered).real(delivered).real(qMax(0.0, ordered - delivered)).real(q.realValue(12));
        for (int i = 13; i <= 18; ++i)
            w.real(q.realValue(i));
        w.text(discountText({q.realValue(15), q.realValue(16), q.realValue(17), q.realValue(18)}));
        for (int i = 19; i <= 24; ++i)
            w.real(q.realValue(i));
        w.dateTime(q.realValue(25)).text(q.text(26)).integer(q.intValue(27)).real(q.realValue(28))
            .real(q.realValue(29)).text(q.text(30)).text(q.text(31)).integer(q.intValue(32))
            .dateTime(q.realValue(33)).text(u"TL"_s).real(1.0).integer(q.intValue(34))
            .text(timeText(q.realValue(25))).text(q.text(35)).text(q.text(36));
        for (int i = 37; i <= 46; ++i)
            w.text(q.text(i));
    }
    return reader ? wire::Value::reader(w.finish()) : wire::Value::dataPacket(w.finish());
}

wire::Value Service::SiparisAyrintisi2(const Args &a)
{
    const int carino = a.integer(0);
    const int idno = a.integer(1);
    Query q(db(), u"SELECT CARINO FROM SIPARIS WHERE IDNO = ?"_s);
    q.bind(idno).exec();
    if (!q.next())
        throw Refusal(u"Sipariş bulunamadı: %1"_s.arg(idno));
    if (q.intValue(0) != carino)
        throw Refusal(u"Sipariş %1 bu cariye ait değil."_s.arg(idno));
    return orderLines(carino, u"L.IDNO = ?"_s, {idno}, true);
}

wire::Value Service::SiparisAytintisiDip(const Args &a)
{
    const int carino = a.integer(0);
    const int idno = a.integer(1);
    Query q(db(), u"SELECT O.VERENINNOTU, O.DURUM, O.VEREN, KF.ADI, O.ALANNOTU, T.ADI, KT.ADI, O.SATICINOTU,"
                  " O.CARINO FROM SIPARIS O JOIN TESLIM T ON T.ID = O.TESLIMID"
                  " JOIN KARGOTUR KT ON KT.ID = O.KARGOTURID JOIN KARGOFIRMA KF ON KF.SIRANO = O.KARGOFIRMAID"
                  " WHERE O.IDNO = ?"_s);
    q.bind(idno).exec();
    // customer number 0 asks for any order; another one must match
    if (!q.next() || (carino != 0 && q.intValue(8) != carino))
        return wire::Value::nullObject();
    wire::TSiparisDipAyrinti d;
    d.setSizinMesaj(q.text(0));
    d.setDurumu(orderStateText(q.intValue(1)));
    d.setVeren(q.text(2));
    d.setKargo(q.text(3));
    d.setBizimMesaj(q.text(4));
    d.setTeslimCinsi(q.text(5));
    d.setKargoCinsi(q.text(6));
    d.setSaticiNotu(q.text(7));
    return wire::Value::object(wire::marshal(d));
}

wire::Value Service::BakiyelerVer2(const Args &a)
{
    const int carino = a.integer(0);
    requireCustomerExists(carino);
    return orderLines(carino, u"L.MIKTAR - L.TESLIMEDILEN > 0"_s, {}, true);
}

wire::Value Service::TumSiparislerVer(const Args &a)
{
    const int carino = a.integer(0);
    const int stokno = a.integer(1);
    requireCustomerExists(carino);
    if (stokno == 0)
        return orderLines(carino, u"1 = 1"_s, {}, true);
    return orderLines(carino, u"L.STOKNO = ?"_s, {stokno}, true);
}

// The three changes of an open balance: the balance is named by its order
// line (siparissirano) and checked against the basket line number, the
// stock and its code as the client listed them, so a stale or forged row
// changes nothing.
wire::Value Service::balanceChange(const Args &a, const QString &method)
{
    const User user = userOf(a, 0);
    const int carino = a.session(0)->CARINO();
    const int stokno = a.integer(1);
    const int basketLine = a.integer(2);
    const int orderLine = a.integer(3);
    const double adet = a.real(4);
    const double bakiye = a.real(5);
    const QString barkod = a.text(6);
    requireCustomer(user, carino);
    const bool priceChange = method == u"BakiyeFiyatDegistir"_s;
    if (priceChange && user.type != 2)
        throw Refusal(u"Fiyat değiştirme yetkiniz yok."_s);
    m_store.write([&](QSqlDatabase &db) {
        Query q(db, u"SELECT O.CARINO, L.SEPETSIRANO, L.STOKNO, L.BARKOD, L.MIKTAR, L.TESLIMEDILEN, L.BIRIMFIYAT,"
                    " L.KDV, L.IND1, L.IND2, L.IND3, L.IND4 FROM SIPARISSATIR L JOIN SIPARIS O ON O.IDNO = L.IDNO"
                    " WHERE L.STOKHAR_NO = ?"_s);
        q.bind(orderLine).exec();
        if (!q.next() || q.intValue(0) != carino || q.intValue(1) != basketLine)
            throw Refusal(u"Böyle bir sipariş bakiyesi yok: %1"_s.arg(orderLine));
        if (q.text(3) != barkod || (stokno != 0 && stokno != q.intValue(2)))
            throw Refusal(u"Stok bilgisi sipariş bakiyesiyle uyuşmuyor."_s);
        if (!priceChange && stokno == 0)
            throw Refusal(u"Stok numarası eksik."_s);
        const double ordered = q.realValue(4);
        const double delivered = q.realValue(5);
        const double open = ordered - delivered;
        if (open <= 0)
            throw Refusal(u"Bu satırın açık bakiyesi yok."_s);
        double price = q.realValue(6);
        const double kdv = q.realValue(7);
        Rates rates{q.realValue(8), q.realValue(9), q.realValue(10), q.realValue(11)};
        double quantity = ordered;
        if (method == u"BakiyeDuzenle"_s) {
            if (std::fabs(adet - ordered) > 1e-9 || std::fabs(bakiye - open) > 1e-9)
                throw Refusal(u"Sipariş bakiyesi değişmiş; listeyi yenileyip tekrar deneyin."_s);
            quantity = delivered; // the open quantity is cancelled
        } else if (method == u"BakiyeDegistir"_s) {
            checkQuantity(bakiye);
            if (std::fabs(adet - bakiye) > 1e-9)
                throw Refusal(u"Yeni miktar iki kez aynı gönderilmeli."_s);
            quantity = delivered + bakiye;
        } else {
            const double fiyat = a.real(7);
            const double ind = a.real(8);
            checkPrice(fiyat);
            checkRate(ind);
            if (std::fabs(adet - ordered) > 1e-9)
                throw Refusal(u"Sipariş bakiyesi değişmiş; listeyi yenileyip tekrar deneyin."_s);
            price = fiyat;
            rates[0] = ind;
        }
        updateLineAmounts(db, u"SIPARISSATIR"_s, u"STOKHAR_NO"_s, orderLine, quantity, price, kdv, rates);
    });
    return wire::Value::integer(1);
}

wire::Value Service::BakiyeDuzenle(const Args &a)
{
    return balanceChange(a, u"BakiyeDuzenle"_s);
}

wire::Value Service::BakiyeDegistir(const Args &a)
{
    return balanceChange(a, u"BakiyeDegistir"_s);
}

wire::Value Service::BakiyeFiyatDegistir(const Args &a)
{
    return balanceChange(a, u"BakiyeFiyatDegistir"_s);
}

} // namespace distributor
