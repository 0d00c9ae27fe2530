#pragma once

#include "wire/datapacket.h"
#include "wire/message.h"
#include "wire/records.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

class ServerConnection;

namespace wire {
struct MethodSpec;
}

// Client-side proxy of the application server's `TServerMethods1`: one
// method per server method this client calls, in the server's order.
//
// A proxy lives for one operation over an open connection and is used by
// the thread that opened that connection. Every answer is handed over as a
// value the caller owns (a decoded table, the received bytes, a record
// copy), so nothing outlives the proxy and nothing needs freeing. Session
// records are taken by value: each call sends its own copy, and
// std::nullopt sends a JSON null in the record's place.
//
// Every failure (no connection, transport, a server's error answer, an
// answer of the wrong kind, a corrupt table or record) raises a
// wire::WireError carrying the failure's text.
//
// Stream answers come back as the raw bytes received; the out parameter
// gets the byte count the server announced. Callers take them with
// wire::takeStream(bytes, count), which drops data whose length differs.
class TServerMethods1Client
{
public:
    // not owned; refused at once unless it is open
    explicit TServerMethods1Client(ServerConnection *connection);

    int EnVer(int stokno);
    wire::Table SepetVer2(int carino);
    wire::Table OncekiSiparisler(int carino);
    wire::Table CariEkstreVer(int carino);
    wire::Table KampanyaliVer2(int cario, int satici);
    wire::Table BakiyelerVer2(int carino);
    std::optional<wire::TSonucBilgisi> BuyukGetir(const QString &idsi);
    QByteArray SAnalPosPdfVer(int sirano, qint64 &boy);
    wire::Table StokAraGetirBelvo(const QString &kod, std::optional<wire::TSonucBilgisi> bilgi);
    wire::Table YenilerVer2(int carino);
    wire::Table TeslimVer();
    wire::Table KargoVer();
    wire::Table KargolarVer(int gn);
    int SepetEkle2(std::optional<wire::TSonucBilgisi> bilgim, int carino, int stokno, const QString &barkod,
                   const QString &stokadi, double miktar, double kdv, double fiyat, double ind1, int verenid,
                   int k, double ind2, double ind3, double ind4);
    int SepetGuncelle2(std::optional<wire::TSonucBilgisi> bilgim, int carino, int stokno, const QString &barkod,
                       const QString &stokadi, double miktar, double kdv, double fiyat, double ind1, int verenid,
                       int _sepetsirano, double ind2, double ind3, double ind4);
    int SepetHepsiniSil(std::optional<wire::TSonucBilgisi> bilgi);
    int SepetSatirSil(std::optional<wire::TSonucBilgisi> bilgi, int satirno, const QString &aciklamam);
    bool SiparisKaydet(std::optional<wire::TSonucBilgisi> BB, int _carino, int _teslim, int _kargo,
                       const QString &_aciklama, int _verenid, int _kargoyeni);
    wire::Table SiparisAyrintisi2(int carino, int idnosu);
    wire::Table FaturaGetir(int carino, int idnosu);
    wire::Table FaturaAltGetir(int idnosu);
    wire::Table Tahsilat(int idnosu);
    int SanalposSiranoVer(int idnosu);
    int BakiyeDuzenle(std::optional<wire::TSonucBilgisi> k, int stokno, int sepetsirano, int siparissirano,
                      double Adet, double Bakiye, const QString &barkod);
    int BakiyeDegistir(std::optional<wire::TSonucBilgisi> k, int stokno, int sepetsirano, int siparissirano,
                       double Adet, double Bakiye, const QString &barkod);
    int BakiyeFiyatDegistir(std::optional<wire::TSonucBilgisi> k, int stokno, int sepetsirano, int siparissirano,
                            double Adet, double Bakiye, const QString &barkod, double fiyat, double ind);
    std::optional<wire::TSiparisDipAyrinti> SiparisAytintisiDip(int carino, int siranosu);
    wire::Table CariAra(std::optional<wire::TSonucBilgisi> bil, const QString &aranan);
    int SepetSayisi(std::optional<wire::TSonucBilgisi> bil);
    std::optional<wire::TTusSonuclari> TusSonuclariVer(std::optional<wire::TSonucBilgisi> bil);
    wire::Table CariSepetVer(std::optional<wire::TSonucBilgisi> bil, int n);
    QString KayanYaziGetir();
    QByteArray BannerResimVer(qint64 &size);
    QByteArray BannerResimVer2(qint64 &size);
    QByteArray BannerResimVer3(qint64 &size);
    QByteArray RaporGetir(int raporno, int bolum, int idno, int carino, const QString &saticiadi, double tarih1,
                          double tarih2, qint64 &size);
    wire::Table BalonGetir(std::optional<wire::TSonucBilgisi> bil);
    wire::Table TumSiparislerVer(int carino, int stokno);
    void SepetSecimGuncelle(int sirano, int secim);
    int MailGonserCari(const QString &idsi, const QString &baslik, const QString &firmaadi, const QString &adres1,
                       const QString &adres2, const QString &ilce, const QString &sehir, const QString &telefon,
                       const QString &fax, const QString &vd, const QString &vn, const QString &yetkili,
                       const QString &kullaniciadi, const QString &sifre, const QString &mail,
                       const QString &kargoambar);
    int MailGonserCariNormal(const QString &idsi, const QString &baslik, const QString &firmaadi,
                             const QString &adres1, const QString &adres2, const QString &ilce,
                             const QString &sehir, const QString &telefon, const QString &fax, const QString &vd,
                             const QString &vn, const QString &yetkili, const QString &kullaniciadi,
                             const QString &sifre, const QString &mail, const QString &kargoambar,
                             const QString &konu);
    std::optional<wire::TMobilCariBilgisi> MobilCariBilgisiGetir(int sirano, const QString &_idsi);
    int AcilisReklamAdet();
    std::optional<wire::TAcilisEkran> AcilisREklamVer(int sira);
    std::optional<wire::TAcilisEkranlariki> AcilisEkranlarVer2();
    wire::Table RaporAlinanSiparisler(std::optional<wire::TSonucBilgisi> bilgi, double tarih1, double tarih2);
    wire::Table RaporEnCokSatilanStoklar(std::optional<wire::TSonucBilgisi> bilgi, double tarih1, double tarih2);
    QString CariDurumVer(int carino);
    QString CariVadeGunGecmismiBul(int carino);
    wire::Table StokHareketVer(int carino, int stokno);

private:
    // The one call path: builds the request from the method's catalogue
    // entry, sends it, turns an error answer into a WireError and checks
    // the answer's kinds. Returns the result (a Null value for a method
    // without one); count receives the announced byte count of a stream.
    wire::Value invoke(const QString &method, const QList<wire::Value> &inputs, qint64 *count = nullptr);

    static wire::Value session(const std::optional<wire::TSonucBilgisi> &record);
    static wire::Table table(const wire::Value &result);
    template<class R>
    static std::optional<R> record(const wire::Value &result);

    ServerConnection *m_connection; // not owned
};
