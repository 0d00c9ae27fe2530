#include "methodcatalogue.h"

using namespace Qt::StringLiterals;

namespace wire {

const QList<MethodSpec> &methodCatalogue()
{
    using K = ValueKind;
    // name, parameters in declared (= ordinal) order, answer kind, record type of an object answer
    static const QList<MethodSpec> methods = {
        {u"EnVer"_s, {{u"stokno"_s, K::Integer, false}}, K::Integer},
        {u"SepetVer2"_s, {{u"carino"_s, K::Integer, false}}, K::DataPacket},
        {u"OncekiSiparisler"_s, {{u"carino"_s, K::Integer, false}}, K::Reader},
        {u"CariEkstreVer"_s, {{u"carino"_s, K::Integer, false}}, K::Reader},
        {u"KampanyaliVer2"_s, {{u"cario"_s, K::Integer, false}, {u"satici"_s, K::Integer, false}}, K::DataPacket},
        {u"BakiyelerVer2"_s, {{u"carino"_s, K::Integer, false}}, K::Reader},
        {u"BuyukGetir"_s, {{u"idsi"_s, K::String, false}}, K::Object, u"baglantiu.TSonucBilgisi"_s},
        {u"SAnalPosPdfVer"_s, {{u"sirano"_s, K::Integer, false}, {u"boy"_s, K::Int64, true}}, K::Stream},
        {u"StokAraGetirBelvo"_s, {{u"kod"_s, K::String, false}, {u"bilgi"_s, K::Object, false}}, K::DataPacket},
        {u"YenilerVer2"_s, {{u"carino"_s, K::Integer, false}}, K::DataPacket},
        {u"TeslimVer"_s, {}, K::Reader},
        {u"KargoVer"_s, {}, K::Reader},
        {u"KargolarVer"_s, {{u"gn"_s, K::Integer, false}}, K::Reader},
        {u"SepetEkle2"_s, {{u"bilgim"_s, K::Object, false}, {u"carino"_s, K::Integer, false}, {u"stokno"_s, K::Integer, false}, {u"barkod"_s, K::String, false}, {u"stokadi"_s, K::String, false}, {u"miktar"_s, K::Double, false}, {u"kdv"_s, K::Double, false}, {u"fiyat"_s, K::Double, false}, {u"ind1"_s, K::Double, false}, {u"verenid"_s, K::Integer, false}, {u"k"_s, K::Integer, false}, {u"ind2"_s, K::Double, false}, {u"ind3"_s, K::Double, false}, {u"ind4"_s, K::Double, false}}, K::Integer},
        {u"SepetGuncelle2"_s, {{u"bilgim"_s, K::Object, false}, {u"carino"_s, K::Integer, false}, {u"stokno"_s, K::Integer, false}, {u"barkod"_s, K::String, false}, {u"stokadi"_s, K::String, false}, {u"miktar"_s, K::Double, false}, {u"kdv"_s, K::Double, false}, {u"fiyat"_s, K::Double, false}, {u"ind1"_s, K::Double, false}, {u"verenid"_s, K::Integer, false}, {u"_sepetsirano"_s, K::Integer, false}, {u"ind2"_s, K::Double, false}, {u"ind3"_s, K::Double, false}, {u"ind4"_s, K::Double, false}}, K::Integer},
        {u"SepetHepsiniSil"_s, {{u"bilgi"_s, K::Object, false}}, K::Integer},
        {u"SepetSatirSil"_s, {{u"bilgi"_s, K::Object, false}, {u"satirno"_s, K::Integer, false}, {u"aciklamam"_s, K::String, false}}, K::Integer},
        {u"SiparisKaydet"_s, {{u"BB"_s, K::Object, false}, {u"_carino"_s, K::Integer, false}, {u"_teslim"_s, K::Integer, false}, {u"_kargo"_s, K::Integer, false}, {u"_aciklama"_s, K::String, false}, {u"_verenid"_s, K::Integer, false}, {u"_kargoyeni"_s, K::Integer, false}}, K::Boolean},
        {u"SiparisAyrintisi2"_s, {{u"carino"_s, K::Integer, false}, {u"idnosu"_s, K::Integer, false}}, K::Reader},
        {u"FaturaGetir"_s, {{u"carino"_s, K::Integer, false}, {u"idnosu"_s, K::Integer, false}}, K::Reader},
        {u"FaturaAltGetir"_s, {{u"idnosu"_s, K::Integer, false}}, K::Reader},
        {u"Tahsilat"_s, {{u"idnosu"_s, K::Integer, false}}, K::Reader},
        {u"SanalposSiranoVer"_s, {{u"idnosu"_s, K::Integer, false}}, K::Integer},
        {u"BakiyeDuzenle"_s, {{u"k"_s, K::Object, false}, {u"stokno"_s, K::Integer, false}, {u"sepetsirano"_s, K::Integer, false}, {u"siparissirano"_s, K::Integer, false}, {u"Adet"_s, K::Double, false}, {u"Bakiye"_s, K::Double, false}, {u"barkod"_s, K::String, false}}, K::Integer},
        {u"BakiyeDegistir"_s, {{u"k"_s, K::Object, false}, {u"stokno"_s, K::Integer, false}, {u"sepetsirano"_s, K::Integer, false}, {u"siparissirano"_s, K::Integer, false}, {u"Adet"_s, K::Double, false}, {u"Bakiye"_s, K::Double, false}, {u"barkod"_s, K::String, false}}, K::Integer},
        {u"BakiyeFiyatDegistir"_s, {{u"k"_s, K::Object, false}, {u"stokno"_s, K::Integer, false}, {u"sepetsirano"_s, K::Integer, false}, {u"siparissirano"_s, K::Integer, false}, {u"Adet"_s, K::Double, false}, {u"Bakiye"_s, K::Double, false}, {u"barkod"_s, K::String, false}, {u"fiyat"_s, K::Double, false}, {u"ind"_s, K::Double, false}}, K::Integer},
        {u"SiparisAytintisiDip"_s, {{u"carino"_s, K::Integer, false}, {u"siranosu"_s, K::Integer, false}}, K::Object, u"baglantiu.TSiparisDipAyrinti"_s},
        {u"CariAra"_s, {{u"bil"_s, K::Object, false}, {u"aranan"_s, K::String, false}}, K::Reader},
        {u"SepetSayisi"_s, {{u"bil"_s, K::Object, false}}, K::Integer},
        {u"TusSonuclariVer"_s, {{u"bil"_s, K::Object, false}}, K::Object, u"baglantiu.TTusSonuclari"_s},
        {u"CariSepetVer"_s, {{u"bil"_s, K::Object, false}, {u"n"_s, K::Integer, false}}, K::Reader},
        {u"KayanYaziGetir"_s, {}, K::String},
        {u"BannerResimVer"_s, {{u"size"_s, K::Int64, true}}, K::Stream},
        {u"BannerResimVer2"_s, {{u"size"_s, K::Int64, true}}, K::Stream},
        {u"BannerResimVer3"_s, {{u"size"_s, K::Int64, true}}, K::Stream},
        {u"RaporGetir"_s, {{u"raporno"_s, K::Integer, false}, {u"bolum"_s, K::Integer, false}, {u"idno"_s, K::Integer, false}, {u"carino"_s, K::Integer, false}, {u"saticiadi"_s, K::String, false}, {u"tarih1"_s, K::Double, false}, {u"tarih2"_s, K::Double, false}, {u"size"_s, K::Int64, true}}, K::Stream},
        {u"BalonGetir"_s, {{u"bil"_s, K::Object, false}}, K::Reader},
        {u"TumSiparislerVer"_s, {{u"carino"_s, K::Integer, false}, {u"stokno"_s, K::Integer, false}}, K::Reader},
        {u"SepetSecimGuncelle"_s, {{u"sirano"_s, K::Integer, false}, {u"secim"_s, K::Integer, false}}, K::Null},
        {u"MailGonserCari"_s, {{u"idsi"_s, K::String, false}, {u"baslik"_s, K::String, false}, {u"firmaadi"_s, K::String, false}, {u"adres1"_s, K::String, false}, {u"adres2"_s, K::String, false}, {u"ilce"_s, K::String, false}, {u"sehir"_s, K::String, false}, {u"telefon"_s, K::String, false}, {u"fax"_s, K::String, false}, {u"vd"_s, K::String, false}, {u"vn"_s, K::String, false}, {u"yetkili"_s, K::String, false}, {u"kullaniciadi"_s, K::String, false}, {u"sifre"_s, K::String, false}, {u"mail"_s, K::String, false}, {u"kargoambar"_s, K::String, false}}, K::Integer},
        {u"MailGonserCariNormal"_s, {{u"idsi"_s, K::String, false}, {u"baslik"_s, K::String, false}, {u"firmaadi"_s, K::String, false}, {u"adres1"_s, K::String, false}, {u"adres2"_s, K::String, false}, {u"ilce"_s, K::String, false}, {u"sehir"_s, K::String, false}, {u"telefon"_s, K::String, false}, {u"fax"_s, K::String, false}, {u"vd"_s, K::String, false}, {u"vn"_s, K::String, false}, {u"yetkili"_s, K::String, false}, {u"kullaniciadi"_s, K::String, false}, {u"sifre"_s, K::String, false}, {u"mail"_s, K::String, false}, {u"kargoambar"_s, K::String, false}, {u"konu"_s, K::String, false}}, K::Integer},
        {u"MobilCariBilgisiGetir"_s, {{u"sirano"_s, K::Integer, false}, {u"_idsi"_s, K::String, false}}, K::Object, u"mobilstokunit.TMobilCariBilgisi"_s},
        {u"AcilisReklamAdet"_s, {}, K::Integer},
        {u"AcilisREklamVer"_s, {{u"sira"_s, K::Integer, false}}, K::Object, u"mobilstokunit.TAcilisEkran"_s},
        {u"AcilisEkranlarVer2"_s, {}, K::Object, u"mobilstokunit.TAcilisEkranlariki"_s},
        {u"RaporAlinanSiparisler"_s, {{u"bilgi"_s, K::Object, false}, {u"tarih1"_s, K::Double, false}, {u"tarih2"_s, K::Double, false}}, K::Reader},
        {u"RaporEnCokSatilanStoklar"_s, {{u"bilgi"_s, K::Object, false}, {u"tarih1"_s, K::Double, false}, {u"tarih2"_s, K::Double, false}}, K::Reader},
        {u"CariDurumVer"_s, {{u"carino"_s, K::Integer, false}}, K::String},
        {u"CariVadeGunGecmismiBul"_s, {{u"carino"_s, K::Integer, false}}, K::String},
        {u"StokHareketVer"_s, {{u"carino"_s, K::Integer, false}, {u"stokno"_s, K::Integer, false}}, K::DataPacket},
    };
    return methods;
}

const MethodSpec *findMethod(QStringView commandText)
{
    if (!commandText.startsWith(kCommandPrefix))
        return nullptr;
    const QStringView name = commandText.mid(kCommandPrefix.size());
    for (const MethodSpec &m : methodCatalogue()) {
        if (m.name == name)
            return &m;
    }
    return nullptr;
}

QString MethodSpec::commandText() const
{
    return kCommandPrefix + name;
}

int MethodSpec::resultOrdinal() const
{
    return int(params.size());
}

int MethodSpec::inputCount() const
{
    int n = 0;
    for (const ParamSpec &p : params)
        n += p.out ? 0 : 1;
    return n;
}

QString checkRequest(const MethodSpec &method, const Request &request)
{
    QList<int> inputOrdinals;
    for (int i = 0; i < method.params.size(); ++i) {
        if (!method.params[i].out)
            inputOrdinals.append(i);
    }
    if (request.params.size() != inputOrdinals.size())
        return u"%1: %2 parametre bekleniyordu, %3 geldi."_s.arg(method.name)
            .arg(inputOrdinals.size())
            .arg(request.params.size());
    for (int i = 0; i < inputOrdinals.size(); ++i) {
        const Param &p = request.params[i];
        const ParamSpec &spec = method.params[inputOrdinals[i]];
        if (p.ordinal != inputOrdinals[i])
            return u"%1: %2. parametrenin sıra numarası %3 olmalı, %4 geldi."_s.arg(method.name)
                .arg(i + 1)
                .arg(inputOrdinals[i])
                .arg(p.ordinal);
        if (p.value.kind() != spec.kind)
            return u"%1: %2 parametresi %3 olmalı, %4 geldi."_s.arg(method.name, spec.name, kindName(spec.kind),
                                                                     kindName(p.value.kind()));
    }
    return QString();
}

} // namespace wire
