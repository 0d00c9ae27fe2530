#include "service.h"

#include "media.h"

#include <wire/decimal.h>
#include <wire/envelope.h>
#include <wire/wireerror.h>

#include <QDateTime>
#include <QLocale>

#include <cmath>

using namespace Qt::StringLiterals;

namespace distributor {

QString orderStateText(int state)
{
    switch (state) {
    case 2: return u"Alındı"_s;
    case 3: return u"Onaylandı"_s;
    case 4: return u"Görüldü"_s;
    case 5: return u"Parçalı Hazırlandı"_s;
    case 6: return u"Hazırlandı"_s;
    case 7: return u"Sevk Edildi"_s;
    }
    return QString();
}

QString moneyText(double amount)
{
    return wire::formatFloat(amount, u"#,###,##0.00"_s, QLocale(QLocale::Turkish, QLocale::Turkey));
}

double todayOle()
{
    return std::floor(wire::toOleDate(QDateTime::currentDateTime()));
}

// ----------------------------------------------------------------- Args

const wire::Value &Service::Args::at(int ordinal) const
{
    for (const wire::Param &p : m_request.params) {
        if (p.ordinal == ordinal)
            return p.value;
    }
    throw Refusal(u"%1. parametre eksik."_s.arg(ordinal + 1));
}

qint32 Service::Args::integer(int ordinal) const
{
    return at(ordinal).toInteger();
}

QString Service::Args::text(int ordinal) const
{
    return at(ordinal).toString();
}

double Service::Args::real(int ordinal) const
{
    const double v = at(ordinal).toDouble();
    if (!std::isfinite(v))
        throw Refusal(u"%1. parametre geçerli bir sayı değil."_s.arg(ordinal + 1));
    return v;
}

std::optional<wire::TSonucBilgisi> Service::Args::session(int ordinal) const
{
    return wire::unmarshal<wire::TSonucBilgisi>(at(ordinal).bytes());
}

// -------------------------------------------------------------- Service

Service::Service(Store &store)
    : m_store(store)
{
    m_handlers = {
        {u"EnVer"_s, &Service::EnVer},
        {u"SepetVer2"_s, &Service::SepetVer2},
        {u"OncekiSiparisler"_s, &Service::OncekiSiparisler},
        {u"CariEkstreVer"_s, &Service::CariEkstreVer},
        {u"KampanyaliVer2"_s, &Service::KampanyaliVer2},
        {u"BakiyelerVer2"_s, &Service::BakiyelerVer2},
        {u"BuyukGetir"_s, &Service::BuyukGetir},
        {u"SAnalPosPdfVer"_s, &Service::SAnalPosPdfVer},
        {u"StokAraGetirBelvo"_s, &Service::StokAraGetirBelvo},
        {u"YenilerVer2"_s, &Service::YenilerVer2},
        {u"TeslimVer"_s, &Service::TeslimVer},
        {u"KargoVer"_s, &Service::KargoVer},
        {u"KargolarVer"_s, &Service::KargolarVer},
        {u"SepetEkle2"_s, &Service::SepetEkle2},
        {u"SepetGuncelle2"_s, &Service::SepetGuncelle2},
        {u"SepetHepsiniSil"_s, &Service::SepetHepsiniSil},
        {u"SepetSatirSil"_s, &Service::SepetSatirSil},
        {u"SiparisKaydet"_s, &Service::SiparisKaydet},
        {u"SiparisAyrintisi2"_s, &Service::SiparisAyrintisi2},
        {u"FaturaGetir"_s, &Service::FaturaGetir},
        {u"FaturaAltGetir"_s, &Service::FaturaAltGetir},
        {u"Tahsilat"_s, &Service::Tahsilat},
        {u"SanalposSiranoVer"_s, &Service::SanalposSiranoVer},
        {u"BakiyeDuzenle"_s, &Service::BakiyeDuzenle},
        {u"BakiyeDegistir"_s, &Service::BakiyeDegistir},
        {u"BakiyeFiyatDegistir"_s, &Service::BakiyeFiyatDegistir},
        {u"SiparisAytintisiDip"_s, &Service::SiparisAytintisiDip},
        {u"CariAra"_s, &Service::CariAra},
        {u"SepetSayisi"_s, &Service::SepetSayisi},
        {u"TusSonuclariVer"_s, &Service::TusSonuclariVer},
        {u"CariSepetVer"_s, &Service::CariSepetVer},
        {u"KayanYaziGetir"_s, &Service::KayanYaziGetir},
        {u"BannerResimVer"_s, &Service::BannerResimVer},
        {u"BannerResimVer2"_s, &Service::BannerResimVer2},
        {u"BannerResimVer3"_s, &Service::BannerResimVer3},
        {u"RaporGetir"_s, &Service::RaporGetir},
        {u"BalonGetir"_s, &Service::BalonGetir},
        {u"TumSiparislerVer"_s, &Service::TumSiparislerVer},
        {u"SepetSecimGuncelle"_s, &Service::SepetSecimGuncelle},
        {u"MailGonserCari"_s, &Service::MailGonserCari},
        {u"MailGonserCariNormal"_s, &Service::MailGonserCariNormal},
        {u"MobilCariBilgisiGetir"_s, &Service::MobilCariBilgisiGetir},
        {u"AcilisReklamAdet"_s, &Service::AcilisReklamAdet},
        {u"AcilisREklamVer"_s, &Service::AcilisREklamVer},
        {u"AcilisEkranlarVer2"_s, &Service::AcilisEkranlarVer2},
        {u"RaporAlinanSiparisler"_s, &Service::RaporAlinanSiparisler},
        {u"RaporEnCokSatilanStoklar"_s, &Service::RaporEnCokSatilanStoklar},
        {u"CariDurumVer"_s, &Service::CariDurumVer},
        {u"CariVadeGunGecmismiBul"_s, &Service::CariVadeGunGecmismiBul},
        {u"StokHareketVer"_s, &Service::StokHareketVer},
    };
    Q_ASSERT(m_handlers.size() == wire::methodCatalogue().size());
}

wire::Response Service::handle(const wire::Request &request)
{
    const wire::MethodSpec *method = wire::findMethod(request.command);
    if (!method)
        return wire::Response::failure(u"Sunucuda böyle bir yöntem yok: %1"_s.arg(request.command));
    const QString mismatch = wire::checkRequest(*method, request);
    if (!mismatch.isEmpty())
        return wire::Response::failure(mismatch);
    const Handler handler = m_handlers.value(method->name);
    if (!handler)
        return wire::Response::failure(u"Yöntem bu sunucuda çalışmıyor: %1"_s.arg(method->name));
    try {
        const wire::Value result = (this->*handler)(Args(request));
        wire::Response response;
        for (int i = 0; i < method->params.size(); ++i) {
            // every output parameter is the byte count of the stream answer
            if (method->params[i].out)
                response.values.append({quint16(i), wire::Value::int64(result.bytes().size())});
        }
        if (method->result != wire::ValueKind::Null) {
            if (result.kind() != method->result)
                return wire::Response::failure(u"%1: sunucu yanlış türde yanıt üretti."_s.arg(method->name));
            response.values.append({quint16(method->resultOrdinal()), result});
        }
        return response;
    } catch (const Refusal &e) {
        return wire::Response::failure(e.message());
    } catch (const wire::WireError &e) {
        return wire::Response::failure(e.message());
    }
}

Service::User Service::userOf(const Args &args, int ordinal)
{
    const std::optional<wire::TSonucBilgisi> record = args.session(ordinal);
    if (!record)
        throw Refusal(u"Oturum bilgisi gönderilmedi."_s);
    Query q(db(), u"SELECT K.SIRANO, K.TIP, K.CARINO, K.SATICINO, K.ADI, K.SIFRE, K.AKTIF FROM KULLANICI K"
                  " JOIN CIHAZ C ON C.KULLANICI = K.SIRANO WHERE K.SIRANO = ? AND C.BILGISAYARID = ?"_s);
    q.bind(record->Sirano()).bind(record->BILGISAYARID()).exec();
    if (!q.next() || q.text(4) != record->ADI() || q.text(5) != record->SIFRE())
        throw Refusal(u"Oturum bilgisi geçersiz: bu bilgisayar ve kullanıcı tanınmıyor."_s);
    if (q.intValue(6) != 1)
        throw Refusal(u"Kullanıcı etkin değil."_s);
    User u;
    u.sirano = q.intValue(0);
    u.type = q.intValue(1);
    u.carino = q.intValue(2);
    u.saticino = q.intValue(3);
    u.name = q.text(4);
    return u;
}

void Service::requireCustomerExists(int carino)
{
    Query q(db(), u"SELECT 1 FROM CARI WHERE CARINO = ?"_s);
    q.bind(carino).exec();
    if (!q.next())
        throw Refusal(u"Cari bulunamadı: %1"_s.arg(carino));
}

void Service::requireCustomer(const User &user, int carino)
{
    if (!user.isRepresentative()) {
        if (carino != user.carino)
            throw Refusal(u"Bu cari hesap (%1) sizin hesabınız değil."_s.arg(carino));
        return;
    }
    Query q(db(), u"SELECT SATICINO FROM CARI WHERE CARINO = ?"_s);
    q.bind(carino).exec();
    if (!q.next())
        throw Refusal(u"Cari bulunamadı: %1"_s.arg(carino));
    if (q.intValue(0) != user.saticino)
        throw Refusal(u"Bu cari hesap (%1) sizin müşteriniz değil."_s.arg(carino));
}

QList<int> Service::customersOf(const User &user)
{
    if (!user.isRepresentative())
        return {user.carino};
    QList<int> out;
    Query q(db(), u"SELECT CARINO FROM CARI WHERE SATICINO = ? ORDER BY CARINO"_s);
    q.bind(user.saticino).exec();
    while (q.next())
        out.append(q.intValue(0));
    return out;
}

QByteArray Service::packet(const QList<wire::FieldDef> &fields, Query &query)
{
    wire::PacketWriter w(fields);
    const int n = int(fields.size());
    while (query.next()) {
        for (int i = 0; i < n; ++i)
            w.value(query.value(i));
    }
    return w.finish();
}

void Service::orderStep(const QString &step)
{
    if (m_orderStepHook)
        m_orderStepHook(step);
}

std::optional<Service::Picture> Service::stockPicture(int stokno)
{
    Query q(db(), u"SELECT ADI, MARKA, RESIM FROM STOK WHERE STOKNO = ?"_s);
    q.bind(stokno).exec();
    if (!q.next())
        return std::nullopt;
    const auto kind = media::PictureKind(q.intValue(2));
    if (kind == media::PictureKind::None)
        return std::nullopt;
    Picture p;
    p.bytes = media::stockPicture(stokno, q.text(0), q.text(1), kind);
    p.contentType = kind == media::PictureKind::Png ? "image/png" : "image/jpeg";
    return p;
}

} // namespace distributor
