#include "servermethods.h"

#include "serverconnection.h"

#include "wire/envelope.h"
#include "wire/methodcatalogue.h"
#include "wire/wireerror.h"

using namespace Qt::StringLiterals;

using wire::Table;
using wire::TSonucBilgisi;
using wire::Value;

TServerMethods1Client::TServerMethods1Client(ServerConnection *connection)
    : m_connection(connection)
{
    if (!m_connection || !m_connection->isOpen())
        throw wire::WireError(u"Connection cannot be nil.  Make sure the connection has been opened."_s);
}

Value TServerMethods1Client::invoke(const QString &method, const QList<Value> &inputs, qint64 *count)
{
    const QString command = wire::kCommandPrefix + method;
    const wire::MethodSpec *spec = wire::findMethod(command);
    if (!spec)
        throw wire::WireError(u"Bilinmeyen sunucu yöntemi: %1"_s.arg(command));

    wire::Request request;
    request.command = command;
    qsizetype next = 0;
    for (int ordinal = 0; ordinal < spec->params.size(); ++ordinal) {
        if (spec->params[ordinal].out)
            continue;
        if (next < inputs.size())
            request.params.append({quint16(ordinal), inputs[next]});
        ++next;
    }
    if (next != inputs.size())
        throw wire::WireError(u"%1: %2 parametre bekleniyordu, %3 verildi."_s.arg(method).arg(next).arg(inputs.size()));
    // a proxy method out of step with the catalogue must fail here, not on the server
    const QString mismatch = wire::checkRequest(*spec, request);
    if (!mismatch.isEmpty())
        throw wire::WireError(mismatch);

    const wire::Response response = m_connection->call(request);
    if (!response.ok)
        throw wire::WireError(response.error.isEmpty() ? u"%1: sunucu hata bildirdi."_s.arg(command)
                                                       : response.error);

    for (int ordinal = 0; ordinal < spec->params.size(); ++ordinal) {
        const wire::ParamSpec &p = spec->params[ordinal];
        if (!p.out)
            continue;
        const Value *v = response.at(ordinal);
        if (!v)
            throw wire::WireError(u"%1: %2 çıkış parametresi yanıtta yok."_s.arg(command, p.name));
        if (v->kind() != p.kind)
            throw wire::WireError(u"%1: %2 çıkış parametresi %3 olmalı, %4 geldi."_s.arg(
                command, p.name, wire::kindName(p.kind), wire::kindName(v->kind())));
        if (count && p.kind == wire::ValueKind::Int64)
            *count = v->toInt64();
    }

    const Value *result = response.at(spec->resultOrdinal());
    if (spec->result == wire::ValueKind::Null) {
        if (result && result->kind() != wire::ValueKind::Null)
            throw wire::WireError(u"%1: yanıt beklenmiyordu, %2 geldi."_s.arg(command, wire::kindName(result->kind())));
        return Value();
    }
    if (!result)
        throw wire::WireError(u"%1: yanıt değeri yok."_s.arg(command));
    if (result->kind() != spec->result)
        throw wire::WireError(u"%1: yanıt %2 olmalı, %3 geldi."_s.arg(command, wire::kindName(spec->result),
                                                                       wire::kindName(result->kind())));
    return *result;
}

Value TServerMethods1Client::session(const std::optional<TSonucBilgisi> &record)
{
    return record ? Value::object(wire::marshal(*record)) : Value::nullObject();
}

Table TServerMethods1Client::table(const Value &result)
{
    return Table::fromPacket(result.bytes());
}

template<class R>
std::optional<R> TServerMethods1Client::record(const Value &result)
{
    return wire::unmarshal<R>(result.bytes());
}

int TServerMethods1Client::EnVer(int stokno)
{
    return invoke(u"EnVer"_s, {Value::integer(stokno)}).toInteger();
}

Table TServerMethods1Client::SepetVer2(int carino)
{
    return table(invoke(u"SepetVer2"_s, {Value::integer(carino)}));
}

Table TServerMethods1Client::OncekiSiparisler(int carino)
{
    return table(invoke(u"OncekiSiparisler"_s, {Value::integer(carino)}));
}

Table TServerMethods1Client::CariEkstreVer(int carino)
{
    return table(invoke(u"CariEkstreVer"_s, {Value::integer(carino)}));
}

Table TServerMethods1Client::KampanyaliVer2(int cario, int satici)
{
    return table(invoke(u"KampanyaliVer2"_s, {Value::integer(cario), Value::integer(satici)}));
}

Table TServerMethods1Client::BakiyelerVer2(int carino)
{
    return table(invoke(u"BakiyelerVer2"_s, {Value::integer(carino)}));
}

std::optional<TSonucBilgisi> TServerMethods1Client::BuyukGetir(const QString &idsi)
{
    return record<TSonucBilgisi>(invoke(u"BuyukGetir"_s, {Value::string(idsi)}));
}

QByteArray TServerMethods1Client::SAnalPosPdfVer(int sirano, qint64 &boy)
{
    return invoke(u"SAnalPosPdfVer"_s, {Value::integer(sirano)}, &boy).bytes();
}

Table TServerMethods1Client::StokAraGetirBelvo(const QString &kod, std::optional<TSonucBilgisi> bilgi)
{
    return table(invoke(u"StokAraGetirBelvo"_s, {Value::string(kod), session(bilgi)}));
}

Table TServerMethods1Client::YenilerVer2(int carino)
{
    return table(invoke(u"YenilerVer2"_s, {Value::integer(carino)}));
}

Table TServerMethods1Client::TeslimVer()
{
    return table(invoke(u"TeslimVer"_s, {}));
}

Table TServerMethods1Client::KargoVer()
{
    return table(invoke(u"KargoVer"_s, {}));
}

Table TServerMethods1Client::KargolarVer(int gn)
{
    return table(invoke(u"KargolarVer"_s, {Value::integer(gn)}));
}

int TServerMethods1Client::SepetEkle2(std::optional<TSonucBilgisi> bilgim, int carino, int stokno,
                                      const QString &barkod, const QString &stokadi, double miktar, double kdv,
                                      double fiyat, double ind1, int verenid, int k, double ind2, double ind3,
                                      double ind4)
{
    return invoke(u"SepetEkle2"_s,
                  {session(bilgim), Value::integer(carino), Value::integer(stokno), Value::string(barkod),
                   Value::string(stokadi), Value::real(miktar), Value::real(kdv), Value::real(fiyat),
                   Value::real(ind1), Value::integer(verenid), Value::integer(k), Value::real(ind2),
                   Value::real(ind3), Value::real(ind4)})
        .toInteger();
}

int TServerMethods1Client::SepetGuncelle2(std::optional<TSonucBilgisi> bilgim, int carino, int stokno,
                                          const QString &barkod, const QString &stokadi, double miktar,
                                          double kdv, double fiyat, double ind1, int verenid, int _sepetsirano,
                                          double ind2, double ind3, double ind4)
{
    return invoke(u"SepetGuncelle2"_s,
                  {session(bilgim), Value::integer(carino), Value::integer(stokno), Value::string(barkod),
                   Value::string(stokadi), Value::real(miktar), Value::real(kdv), Value::real(fiyat),
                   Value::real(ind1), Value::integer(verenid), Value::integer(_sepetsirano), Value::real(ind2),
                   Value::real(ind3), Value::real(ind4)})
        .toInteger();
}

int TServerMethods1Client::SepetHepsiniSil(std::optional<TSonucBilgisi> bilgi)
{
    return invoke(u"SepetHepsiniSil"_s, {session(bilgi)}).toInteger();
}

int TServerMethods1Client::SepetSatirSil(std::optional<TSonucBilgisi> bilgi, int satirno, const QString &aciklamam)
{
    return invoke(u"SepetSatirSil"_s, {session(bilgi), Value::integer(satirno), Value::string(aciklamam)})
        .toInteger();
}

bool TServerMethods1Client::SiparisKaydet(std::optional<TSonucBilgisi> BB, int _carino, int _teslim, int _kargo,
                                          const QString &_aciklama, int _verenid, int _kargoyeni)
{
    return invoke(u"SiparisKaydet"_s,
                  {session(BB), Value::integer(_carino), Value::integer(_teslim), Value::integer(_kargo),
                   Value::string(_aciklama), Value::integer(_verenid), Value::integer(_kargoyeni)})
        .toBoolean();
}

Table TServerMethods1Client::SiparisAyrintisi2(int carino, int idnosu)
{
    return table(invoke(u"SiparisAyrintisi2"_s, {Value::integer(carino), Value::integer(idnosu)}));
}

Table TServerMethods1Client::FaturaGetir(int carino, int idnosu)
{
    return table(invoke(u"FaturaGetir"_s, {Value::integer(carino), Value::integer(idnosu)}));
}

Table TServerMethods1Client::FaturaAltGetir(int idnosu)
{
    return table(invoke(u"FaturaAltGetir"_s, {Value::integer(idnosu)}));
}

Table TServerMethods1Client::Tahsilat(int idnosu)
{
    return table(invoke(u"Tahsilat"_s, {Value::integer(idnosu)}));
}

int TServerMethods1Client::SanalposSiranoVer(int idnosu)
{
    return invoke(u"SanalposSiranoVer"_s, {Value::integer(idnosu)}).toInteger();
}

int TServerMethods1Client::BakiyeDuzenle(std::optional<TSonucBilgisi> k, int stokno, int sepetsirano,
                                         int siparissirano, double Adet, double Bakiye, const QString &barkod)
{
    return invoke(u"BakiyeDuzenle"_s,
                  {session(k), Value::integer(stokno), Value::integer(sepetsirano), Value::integer(siparissirano),
                   Value::real(Adet), Value::real(Bakiye), Value::string(barkod)})
        .toInteger();
}

int TServerMethods1Client::BakiyeDegistir(std::optional<TSonucBilgisi> k, int stokno, int sepetsirano,
                                          int siparissirano, double Adet, double Bakiye, const QString &barkod)
{
    return invoke(u"BakiyeDegistir"_s,
                  {session(k), Value::integer(stokno), Value::integer(sepetsirano), Value::integer(siparissirano),
                   Value::real(Adet), Value::real(Bakiye), Value::string(barkod)})
        .toInteger();
}

int TServerMethods1Client::BakiyeFiyatDegistir(std::optional<TSonucBilgisi> k, int stokno, int sepetsirano,
                                               int siparissirano, double Adet, double Bakiye,
                                               const QString &barkod, double fiyat, double ind)
{
    return invoke(u"BakiyeFiyatDegistir"_s,
                  {session(k), Value::integer(stokno), Value::integer(sepetsirano), Value::integer(siparissirano),
                   Value::real(Adet), Value::real(Bakiye), Value::string(barkod), Value::real(fiyat),
                   Value::real(ind)})
        .toInteger();
}

std::optional<wire::TSiparisDipAyrinti> TServerMethods1Client::SiparisAytintisiDip(int carino, int siranosu)
{
    return record<wire::TSiparisDipAyrinti>(
        invoke(u"SiparisAytintisiDip"_s, {Value::integer(carino), Value::integer(siranosu)}));
}

Table TServerMethods1Client::CariAra(std::optional<TSonucBilgisi> bil, const QString &aranan)
{
    return table(invoke(u"CariAra"_s, {session(bil), Value::string(aranan)}));
}

int TServerMethods1Client::SepetSayisi(std::optional<TSonucBilgisi> bil)
{
    return invoke(u"SepetSayisi"_s, {session(bil)}).toInteger();
}

std::optional<wire::TTusSonuclari> TServerMethods1Client::TusSonuclariVer(std::optional<TSonucBilgisi> bil)
{
    return record<wire::TTusSonuclari>(invoke(u"TusSonuclariVer"_s, {session(bil)}));
}

Table TServerMethods1Client::CariSepetVer(std::optional<TSonucBilgisi> bil, int n)
{
    return table(invoke(u"CariSepetVer"_s, {session(bil), Value::integer(n)}));
}

QString TServerMethods1Client::KayanYaziGetir()
{
    return invoke(u"KayanYaziGetir"_s, {}).toString();
}

QByteArray TServerMethods1Client::BannerResimVer(qint64 &size)
{
    return invoke(u"BannerResimVer"_s, {}, &size).bytes();
}

QByteArray TServerMethods1Client::BannerResimVer2(qint64 &size)
{
    return invoke(u"BannerResimVer2"_s, {}, &size).bytes();
}

QByteArray TServerMethods1Client::BannerResimVer3(qint64 &size)
{
    return invoke(u"BannerResimVer3"_s, {}, &size).bytes();
}

QByteArray TServerMethods1Client::RaporGetir(int raporno, int bolum, int idno, int carino,
                                             const QString &saticiadi, double tarih1, double tarih2,
                                             qint64 &size)
{
    return invoke(u"RaporGetir"_s,
                  {Value::integer(raporno), Value::integer(bolum), Value::integer(idno), Value::integer(carino),
                   Value::string(saticiadi), Value::real(tarih1), Value::real(tarih2)},
                  &size)
        .bytes();
}

Table TServerMethods1Client::BalonGetir(std::optional<TSonucBilgisi> bil)
{
    return table(invoke(u"BalonGetir"_s, {session(bil)}));
}

Table TServerMethods1Client::TumSiparislerVer(int carino, int stokno)
{
    return table(invoke(u"TumSiparislerVer"_s, {Value::integer(carino), Value::integer(stokno)}));
}

void TServerMethods1Client::SepetSecimGuncelle(int sirano, int secim)
{
    invoke(u"SepetSecimGuncelle"_s, {Value::integer(sirano), Value::integer(secim)});
}

int TServerMethods1Client::MailGonserCari(const QString &idsi, const QString &baslik, const QString &firmaadi,
                                          const QString &adres1, const QString &adres2, const QString &ilce,
                                          const QString &sehir, const QString &telefon, const QString &fax,
                                          const QString &vd, const QString &vn, const QString &yetkili,
                                          const QString &kullaniciadi, const QString &sifre, const QString &mail,
                                          const QString &kargoambar)
{
    return invoke(u"MailGonserCari"_s,
                  {Value::string(idsi), Value::string(baslik), Value::string(firmaadi), Value::string(adres1),
                   Value::string(adres2), Value::string(ilce), Value::string(sehir), Value::string(telefon),
                   Value::string(fax), Value::string(vd), Value::string(vn), Value::string(yetkili),
                   Value::string(kullaniciadi), Value::string(sifre), Value::string(mail),
                   Value::string(kargoambar)})
        .toInteger();
}

int TServerMethods1Client::MailGonserCariNormal(const QString &idsi, const QString &baslik,
                                                const QString &firmaadi, const QString &adres1,
                                                const QString &adres2, const QString &ilce, const QString &sehir,
                                                const QString &telefon, const QString &fax, const QString &vd,
                                                const QString &vn, const QString &yetkili,
                                                const QString &kullaniciadi, const QString &sifre,
                                                const QString &mail, const QString &kargoambar,
                                                const QString &konu)
{
    return invoke(u"MailGonserCariNormal"_s,
                  {Value::string(idsi), Value::string(baslik), Value::string(firmaadi), Value::string(adres1),
                   Value::string(adres2), Value::string(ilce), Value::string(sehir), Value::string(telefon),
                   Value::string(fax), Value::string(vd), Value::string(vn), Value::string(yetkili),
                   Value::string(kullaniciadi), Value::string(sifre), Value::string(mail),
                   Value::string(kargoambar), Value::string(konu)})
        .toInteger();
}

std::optional<wire::TMobilCariBilgisi> TServerMethods1Client::MobilCariBilgisiGetir(int sirano,
                                                                                    const QString &_idsi)
{
    return record<wire::TMobilCariBilgisi>(
        invoke(u"MobilCariBilgisiGetir"_s, {Value::integer(sirano), Value::string(_idsi)}));
}

int TServerMethods1Client::AcilisReklamAdet()
{
    return invoke(u"AcilisReklamAdet"_s, {}).toInteger();
}

std::optional<wire::TAcilisEkran> TServerMethods1Client::AcilisREklamVer(int sira)
{
    return record<wire::TAcilisEkran>(invoke(u"AcilisREklamVer"_s, {Value::integer(sira)}));
}

std::optional<wire::TAcilisEkranlariki> TServerMethods1Client::AcilisEkranlarVer2()
{
    return record<wire::TAcilisEkranlariki>(invoke(u"AcilisEkranlarVer2"_s, {}));
}

Table TServerMethods1Client::RaporAlinanSiparisler(std::optional<TSonucBilgisi> bilgi, double tarih1,
                                                   double tarih2)
{
    return table(invoke(u"RaporAlinanSiparisler"_s, {session(bilgi), Value::real(tarih1), Value::real(tarih2)}));
}

Table TServerMethods1Client::RaporEnCokSatilanStoklar(std::optional<TSonucBilgisi> bilgi, double tarih1,
                                                      double tarih2)
{
    return table(
        invoke(u"RaporEnCokSatilanStoklar"_s, {session(bilgi), Value::real(tarih1), Value::real(tarih2)}));
}

QString TServerMethods1Client::CariDurumVer(int carino)
{
    return invoke(u"CariDurumVer"_s, {Value::integer(carino)}).toString();
}

QString TServerMethods1Client::CariVadeGunGecmismiBul(int carino)
{
    return invoke(u"CariVadeGunGecmismiBul"_s, {Value::integer(carino)}).toString();
}

Table TServerMethods1Client::StokHareketVer(int carino, int stokno)
{
    return table(invoke(u"StokHareketVer"_s, {Value::integer(carino), Value::integer(stokno)}));
}
