#pragma once

#include <QList>
#include <QString>

// The records that cross the server interface as JSON envelopes.
//
// Each field is private with the server's name ("F" + column name); the
// property of the same name without "F" reads it and set<Name> writes it.
// visit() lists the fields in declaration order, which is also their
// order on the wire: keep the two in step.

#define WIRE_FIELD(Type, Name, Init)                       \
public:                                                    \
    Type Name() const { return F##Name; }                  \
    void set##Name(const Type &value) { F##Name = value; } \
                                                           \
private:                                                   \
    Type F##Name = Init;

namespace wire {

class TSonucBilgisi
{
public:
    static QString typeName() { return QStringLiteral("baglantiu.TSonucBilgisi"); }
    void Kopyala(const TSonucBilgisi &source) { *this = source; }
    bool operator==(const TSonucBilgisi &) const = default;

    template<class Self, class V>
    static void visit(Self &r, V &v)
    {
        v("FBILGISAYARID", r.FBILGISAYARID);
        v("FSaticiMail", r.FSaticiMail);
        v("FSirano", r.FSirano);
        v("FCariAdi", r.FCariAdi);
        v("FSIFRE", r.FSIFRE);
        v("FSaticiNo", r.FSaticiNo);
        v("FCARINO", r.FCARINO);
        v("FAKTIF", r.FAKTIF);
        v("FKullanicimail", r.FKullanicimail);
        v("FADI", r.FADI);
        v("FSaticiTelefon", r.FSaticiTelefon);
        v("Fcarikod", r.Fcarikod);
        v("FVarmi", r.FVarmi);
        v("FSaticiAdi", r.FSaticiAdi);
        v("FBilgiSayarAdi", r.FBilgiSayarAdi);
        v("FDisip", r.FDisip);
        v("FIcip", r.FIcip);
        v("FBilgisayarKullanici", r.FBilgisayarKullanici);
        v("FMusteriTipi", r.FMusteriTipi);
        v("FVersion", r.FVersion);
    }

    WIRE_FIELD(QString, BILGISAYARID, {})
    WIRE_FIELD(QString, SaticiMail, {})
    WIRE_FIELD(int, Sirano, 0)
    WIRE_FIELD(QString, CariAdi, {})
    WIRE_FIELD(QString, SIFRE, {})
    WIRE_FIELD(int, SaticiNo, 0)
    WIRE_FIELD(int, CARINO, 0)
    WIRE_FIELD(int, AKTIF, 0)
    WIRE_FIELD(QString, Kullanicimail, {})
    WIRE_FIELD(QString, ADI, {})
    WIRE_FIELD(QString, SaticiTelefon, {})
    WIRE_FIELD(QString, carikod, {})
    WIRE_FIELD(bool, Varmi, false)
    WIRE_FIELD(QString, SaticiAdi, {})
    WIRE_FIELD(QString, BilgiSayarAdi, {})
    WIRE_FIELD(QString, Disip, {})
    WIRE_FIELD(QString, Icip, {})
    WIRE_FIELD(QString, BilgisayarKullanici, {})
    WIRE_FIELD(int, MusteriTipi, 1)
    WIRE_FIELD(int, Version, 1)
};

// footer of one order
class TSiparisDipAyrinti
{
public:
    static QString typeName() { return QStringLiteral("baglantiu.TSiparisDipAyrinti"); }
    void Kopyala(const TSiparisDipAyrinti &source) { *this = source; }
    bool operator==(const TSiparisDipAyrinti &) const = default;

    template<class Self, class V>
    static void visit(Self &r, V &v)
    {
        v("FSizinMesaj", r.FSizinMesaj);
        v("FDurumu", r.FDurumu);
        v("FVeren", r.FVeren);
        v("FKargo", r.FKargo);
        v("FBizimMesaj", r.FBizimMesaj);
        v("FTeslimCinsi", r.FTeslimCinsi);
        v("FKargoCinsi", r.FKargoCinsi);
        v("FSaticiNotu", r.FSaticiNotu);
    }

    WIRE_FIELD(QString, SizinMesaj, {})
    WIRE_FIELD(QString, Durumu, {})
    WIRE_FIELD(QString, Veren, {})
    WIRE_FIELD(QString, Kargo, {})
    WIRE_FIELD(QString, BizimMesaj, {})
    WIRE_FIELD(QString, TeslimCinsi, {})
    WIRE_FIELD(QString, KargoCinsi, {})
    WIRE_FIELD(QString, SaticiNotu, {})
};

// order-pipeline counters of a sales representative
class TTusSonuclari
{
public:
    static QString typeName() { return QStringLiteral("baglantiu.TTusSonuclari"); }
    void Kopyala(const TTusSonuclari &source) { *this = source; }
    bool operator==(const TTusSonuclari &) const = default;

    template<class Self, class V>
    static void visit(Self &r, V &v)
    {
        v("FAlindi", r.FAlindi);
        v("FOnaylandi", r.FOnaylandi);
        v("FParcaliHazirlandi", r.FParcaliHazirlandi);
        v("FSevkEdildi", r.FSevkEdildi);
        v("FHazirlandi", r.FHazirlandi);
        v("FGoruldu", r.FGoruldu);
    }

    WIRE_FIELD(int, Alindi, 0)
    WIRE_FIELD(int, Onaylandi, 0)
    WIRE_FIELD(int, ParcaliHazirlandi, 0)
    WIRE_FIELD(int, SevkEdildi, 0)
    WIRE_FIELD(int, Hazirlandi, 0)
    WIRE_FIELD(int, Goruldu, 0)
};

// contact card of the customer account linked to a device
class TMobilCariBilgisi
{
public:
    static QString typeName() { return QStringLiteral("mobilstokunit.TMobilCariBilgisi"); }
    void Kopyala(const TMobilCariBilgisi &source) { *this = source; }
    bool operator==(const TMobilCariBilgisi &) const = default;

    template<class Self, class V>
    static void visit(Self &r, V &v)
    {
        v("FBILGISAYARID", r.FBILGISAYARID);
        v("FSEHIR", r.FSEHIR);
        v("FFAX1", r.FFAX1);
        v("FSATICIMAIL", r.FSATICIMAIL);
        v("FSATICIADI", r.FSATICIADI);
        v("FCARIADI", r.FCARIADI);
        v("FEMAIL", r.FEMAIL);
        v("FVERGIDAIRESI", r.FVERGIDAIRESI);
        v("FYETKILI", r.FYETKILI);
        v("FAltGrup", r.FAltGrup);
        v("FTEL2", r.FTEL2);
        v("FSIFRE", r.FSIFRE);
        v("FGSM", r.FGSM);
        v("FTEL1", r.FTEL1);
        v("FADRES2", r.FADRES2);
        v("FTLBORC", r.FTLBORC);
        v("FTLALACAK", r.FTLALACAK);
        v("FADRES1", r.FADRES1);
        v("FULKE", r.FULKE);
        v("FAnaGrup", r.FAnaGrup);
        v("FCARINO", r.FCARINO);
        v("FTLBAKIYE", r.FTLBAKIYE);
        v("FVERGINO", r.FVERGINO);
        v("FMAIL", r.FMAIL);
        v("FOzelKod", r.FOzelKod);
        v("FKULLANICIADI", r.FKULLANICIADI);
        v("FSATICITELEFON", r.FSATICITELEFON);
        v("FCARIKOD", r.FCARIKOD);
        v("FFAX2", r.FFAX2);
        v("FILCE", r.FILCE);
    }

    WIRE_FIELD(QString, BILGISAYARID, {})
    WIRE_FIELD(QString, SEHIR, {})
    WIRE_FIELD(QString, FAX1, {})
    WIRE_FIELD(QString, SATICIMAIL, {})
    WIRE_FIELD(QString, SATICIADI, {})
    WIRE_FIELD(QString, CARIADI, {})
    WIRE_FIELD(QString, EMAIL, {})
    WIRE_FIELD(QString, VERGIDAIRESI, {})
    WIRE_FIELD(QString, YETKILI, {})
    WIRE_FIELD(QString, AltGrup, {})
    WIRE_FIELD(QString, TEL2, {})
    WIRE_FIELD(QString, SIFRE, {})
    WIRE_FIELD(QString, GSM, {})
    WIRE_FIELD(QString, TEL1, {})
    WIRE_FIELD(QString, ADRES2, {})
    WIRE_FIELD(double, TLBORC, 0.0)
    WIRE_FIELD(double, TLALACAK, 0.0)
    WIRE_FIELD(QString, ADRES1, {})
    WIRE_FIELD(QString, ULKE, {})
    WIRE_FIELD(QString, AnaGrup, {})
    WIRE_FIELD(int, CARINO, 0)
    WIRE_FIELD(double, TLBAKIYE, 0.0)
    WIRE_FIELD(QString, VERGINO, {})
    WIRE_FIELD(QString, MAIL, {})
    WIRE_FIELD(QString, OzelKod, {})
    WIRE_FIELD(QString, KULLANICIADI, {})
    WIRE_FIELD(QString, SATICITELEFON, {})
    WIRE_FIELD(QString, CARIKOD, {})
    WIRE_FIELD(QString, FAX2, {})
    WIRE_FIELD(QString, ILCE, {})
};

// one announcement or opening-screen entry
class TAcilisEkran
{
public:
    static QString typeName() { return QStringLiteral("mobilstokunit.TAcilisEkran"); }
    bool operator==(const TAcilisEkran &) const = default;

    template<class Self, class V>
    static void visit(Self &r, V &v)
    {
        v("FSiraNo", r.FSiraNo);
        v("FResim", r.FResim);
        v("FBaslik", r.FBaslik);
        v("FArama", r.FArama);
    }

    WIRE_FIELD(int, SiraNo, 0)
    WIRE_FIELD(QString, Resim, {}) // JPEG as hexadecimal digits, high nibble first
    WIRE_FIELD(QString, Baslik, {})
    WIRE_FIELD(QString, Arama, {}) // "#KAMPANYA#", "#YENİ#" or a stock search text
};

// holder of all announcement entries
class TAcilisEkranlariki
{
public:
    static QString typeName() { return QStringLiteral("mobilstokunit.TAcilisEkranlariki"); }
    bool operator==(const TAcilisEkranlariki &) const = default;

    template<class Self, class V>
    static void visit(Self &r, V &v)
    {
        v("FEkranlar", r.FEkranlar);
    }

    WIRE_FIELD(QList<TAcilisEkran>, Ekranlar, {})
};

// every qualified name an envelope may carry
QStringList knownRecordTypes();

} // namespace wire

#undef WIRE_FIELD
