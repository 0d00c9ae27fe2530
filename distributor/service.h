#pragma once

#include "store.h"

#include <wire/datapacket.h>
#include <wire/decimal.h>
#include <wire/message.h>
#include <wire/methodcatalogue.h>
#include <wire/records.h>

#include <QHash>
#include <QString>

#include <functional>
#include <optional>

namespace distributor {

// The application server's business side: one handler per server method.
// handle() looks the command up in the catalogue, checks the parameters
// against it and answers; a refused request changes nothing and gets an
// error answer with a Turkish text. Thread-safe: the store gives each
// thread its own connection and every write runs in one transaction.
class Service
{
public:
    explicit Service(Store &store);

    wire::Response handle(const wire::Request &request);

    // a stock's picture for the web server: its bytes and content type;
    // nothing for an unknown stock or one without a picture
    struct Picture
    {
        QByteArray bytes;
        QByteArray contentType;
    };
    std::optional<Picture> stockPicture(int stokno);
    // a request sent from the web request form, kept in the mail outbox
    void storeWebRequest(const QString &device, const QString &body);

    // Called between the steps of an order submission with the step's
    // name; a hook that throws makes the submission fail there. For tests
    // that prove the submission leaves nothing half done.
    void setOrderStepHook(std::function<void(const QString &step)> hook) { m_orderStepHook = std::move(hook); }

    // the signed-in user a session record stands for
    struct User
    {
        int sirano = 0;
        int type = 0;
        int carino = 0;   // the dealer's own account; 0 for a representative
        int saticino = 0; // the representative's number (dealers: their representative)
        QString name;
        bool isRepresentative() const { return type == 1 || type == 2; }
    };

    class Args;

private:
    using Handler = wire::Value (Service::*)(const Args &);

    QSqlDatabase db() { return m_store.database(); }
    User userOf(const Args &args, int ordinal);
    // refuses a customer the user may not act for
    void requireCustomer(const User &user, int carino);
    void requireCustomerExists(int carino);
    QList<int> customersOf(const User &user);
    QByteArray packet(const QList<wire::FieldDef> &fields, Query &query);
    QByteArray stockPacket(Query &query, int carino, bool withCampaigns);
    void orderStep(const QString &step);

    // catalogue
    wire::Value EnVer(const Args &);
    wire::Value StokAraGetirBelvo(const Args &);
    wire::Value YenilerVer2(const Args &);
    wire::Value KampanyaliVer2(const Args &);
    wire::Value StokHareketVer(const Args &);
    wire::Value KayanYaziGetir(const Args &);
    wire::Value BannerResimVer(const Args &);
    wire::Value BannerResimVer2(const Args &);
    wire::Value BannerResimVer3(const Args &);
    wire::Value AcilisReklamAdet(const Args &);
    wire::Value AcilisREklamVer(const Args &);
    wire::Value AcilisEkranlarVer2(const Args &);
    wire::Value BalonGetir(const Args &);
    // basket, orders, balances
    wire::Value SepetVer2(const Args &);
    wire::Value SepetEkle2(const Args &);
    wire::Value SepetGuncelle2(const Args &);
    wire::Value SepetHepsiniSil(const Args &);
    wire::Value SepetSatirSil(const Args &);
    wire::Value SepetSecimGuncelle(const Args &);
    wire::Value TeslimVer(const Args &);
    wire::Value KargoVer(const Args &);
    wire::Value KargolarVer(const Args &);
    wire::Value SiparisKaydet(const Args &);
    wire::Value OncekiSiparisler(const Args &);
    wire::Value SiparisAyrintisi2(const Args &);
    wire::Value SiparisAytintisiDip(const Args &);
    wire::Value BakiyelerVer2(const Args &);
    wire::Value BakiyeDuzenle(const Args &);
    wire::Value BakiyeDegistir(const Args &);
    wire::Value BakiyeFiyatDegistir(const Args &);
    wire::Value TumSiparislerVer(const Args &);
    // customer account
    wire::Value CariEkstreVer(const Args &);
    wire::Value FaturaGetir(const Args &);
    wire::Value FaturaAltGetir(const Args &);
    wire::Value Tahsilat(const Args &);
    wire::Value SanalposSiranoVer(const Args &);
    wire::Value SAnalPosPdfVer(const Args &);
    wire::Value CariDurumVer(const Args &);
    wire::Value CariVadeGunGecmismiBul(const Args &);
    // session, representative's desk, reports, mail
    wire::Value BuyukGetir(const Args &);
    wire::Value CariAra(const Args &);
    wire::Value SepetSayisi(const Args &);
    wire::Value TusSonuclariVer(const Args &);
    wire::Value CariSepetVer(const Args &);
    wire::Value RaporGetir(const Args &);
    wire::Value RaporAlinanSiparisler(const Args &);
    wire::Value RaporEnCokSatilanStoklar(const Args &);
    wire::Value MailGonserCari(const Args &);
    wire::Value MailGonserCariNormal(const Args &);
    wire::Value MobilCariBilgisiGetir(const Args &);

    wire::Value balanceChange(const Args &args, const QString &method);
    wire::Value orderLines(int carino, const QString &where, const QVariantList &values, bool reader);
    wire::Value customerRows(const User &user, const QString &condition, const QVariantList &values);
    wire::Value storeMail(const Args &args, const QString &method, const QString &body);

    Store &m_store;
    QHash<QString, Handler> m_handlers;
    std::function<void(const QString &)> m_orderStepHook;
};

// The typed input values of one request, by ordinal.
class Service::Args
{
public:
    explicit Args(const wire::Request &request) : m_request(request) {}
    qint32 integer(int ordinal) const;
    QString text(int ordinal) const;
    double real(int ordinal) const; // refuses NaN and infinities
    std::optional<wire::TSonucBilgisi> session(int ordinal) const;

private:
    const wire::Value &at(int ordinal) const;
    const wire::Request &m_request;
};

// Column definitions, as the answers carry them.
inline wire::FieldDef intField(const QString &name) { return {name, wire::FieldType::Integer, 0}; }
inline wire::FieldDef floatField(const QString &name) { return {name, wire::FieldType::Float, 0}; }
inline wire::FieldDef dateField(const QString &name) { return {name, wire::FieldType::DateTime, 0}; }
inline wire::FieldDef textField(const QString &name, quint32 size) { return {name, wire::FieldType::String, size}; }

// the pipeline states of an order, 2 to 7, as texts
QString orderStateText(int state);
// turkish money text: 12.345,67
QString moneyText(double amount);
double todayOle();

} // namespace distributor
