#include "fakeserver.h"

#include "serverconnection.h"
#include "servermethods.h"

#include "wire/datapacket.h"
#include "wire/envelope.h"
#include "wire/methodcatalogue.h"
#include "wire/streamcopy.h"
#include "wire/wireerror.h"

#include <QTest>

#include <functional>

using namespace Qt::StringLiterals;

using C = TServerMethods1Client;
using Call = std::function<QString(C &)>;
using Params = QList<wire::Param>;

Q_DECLARE_METATYPE(Call)
Q_DECLARE_METATYPE(wire::Response)

namespace {

// distinct values per ordinal, so a swapped or shifted argument shows
int iv(int n) { return 1000 + n; }
QString sv(int n) { return u"metin %1 ğüşİ"_s.arg(n); }
double dv(int n) { return n + 0.25; }

wire::TSonucBilgisi session()
{
    wire::TSonucBilgisi b;
    b.setBILGISAYARID(u"DISK-1234"_s);
    b.setCARINO(4711);
    b.setADI(u"bayi"_s);
    b.setVarmi(true);
    b.setMusteriTipi(0);
    return b;
}

wire::Param I(quint16 n) { return {n, wire::Value::integer(iv(n))}; }
wire::Param S(quint16 n) { return {n, wire::Value::string(sv(n))}; }
wire::Param D(quint16 n) { return {n, wire::Value::real(dv(n))}; }
wire::Param O(quint16 n) { return {n, wire::Value::object(wire::marshal(session()))}; }

QString ans(int v) { return u"int:%1"_s.arg(v); }
QString ans(bool v) { return v ? u"bool:true"_s : u"bool:false"_s; }
QString ans(const QString &v) { return u"text:"_s + v; }
QString ans(const wire::Table &t)
{
    const int col = t.indexOf(u"STOKADI");
    return u"table:%1:%2"_s.arg(t.rowCount()).arg(col >= 0 && t.rowCount() > 0 ? t.stringValue(0, col) : QString());
}
QString ans(const QByteArray &bytes, qint64 count)
{
    return u"stream:%1:%2"_s.arg(count).arg(QString::fromLatin1(bytes.toHex()));
}
template<class R, class F>
QString ans(const std::optional<R> &r, F field)
{
    return r ? u"object:"_s + field(*r) : u"object:none"_s;
}

// "ordinal kind value", readable in a failed comparison
QString describe(const wire::Param &p)
{
    const wire::Value &v = p.value;
    QString text;
    switch (v.kind()) {
    case wire::ValueKind::Integer: text = QString::number(v.toInteger()); break;
    case wire::ValueKind::String: text = v.toString(); break;
    case wire::ValueKind::Double: text = QString::number(v.toDouble(), 'g', 17); break;
    case wire::ValueKind::Boolean: text = v.toBoolean() ? u"true"_s : u"false"_s; break;
    case wire::ValueKind::Int64: text = QString::number(v.toInt64()); break;
    case wire::ValueKind::Null: break;
    default: text = QString::fromUtf8(v.bytes()); break;
    }
    return u"%1 %2 %3"_s.arg(p.ordinal).arg(wire::kindName(v.kind()), text);
}

QStringList describe(const Params &params)
{
    QStringList out;
    for (const wire::Param &p : params)
        out.append(describe(p));
    return out;
}

struct Row
{
    const char *name;
    QString command;
    Call call;
    Params expected;
    QString answer;
};

const QString kInt = u"int:77"_s;
const QString kText = u"text:yanıt ğüşİ"_s;
const QString kTable = u"table:2:Ayna"_s;
const QString kStream = u"stream:7:89504e470001ff"_s;

// One row per server method, in the server's order. Command texts,
// ordinals and kinds are written out here, not taken from the catalogue.
QList<Row> rows()
{
    const auto s = [] { return std::optional<wire::TSonucBilgisi>(session()); };
    return {
        {"EnVer", u"TServerMethods1.EnVer"_s, [](C &c) { return ans(c.EnVer(iv(0))); }, {I(0)}, kInt},
        {"SepetVer2", u"TServerMethods1.SepetVer2"_s, [](C &c) { return ans(c.SepetVer2(iv(0))); }, {I(0)}, kTable},
        {"OncekiSiparisler", u"TServerMethods1.OncekiSiparisler"_s,
         [](C &c) { return ans(c.OncekiSiparisler(iv(0))); }, {I(0)}, kTable},
        {"CariEkstreVer", u"TServerMethods1.CariEkstreVer"_s, [](C &c) { return ans(c.CariEkstreVer(iv(0))); },
         {I(0)}, kTable},
        {"KampanyaliVer2", u"TServerMethods1.KampanyaliVer2"_s,
         [](C &c) { return ans(c.KampanyaliVer2(iv(0), iv(1))); }, {I(0), I(1)}, kTable},
        {"BakiyelerVer2", u"TServerMethods1.BakiyelerVer2"_s, [](C &c) { return ans(c.BakiyelerVer2(iv(0))); },
         {I(0)}, kTable},
        {"BuyukGetir", u"TServerMethods1.BuyukGetir"_s,
         [](C &c) { return ans(c.BuyukGetir(sv(0)), [](const auto &r) { return r.ADI(); }); }, {S(0)},
         u"object:Ali Çelik"_s},
        {"SAnalPosPdfVer", u"TServerMethods1.SAnalPosPdfVer"_s,
         [](C &c) {
             qint64 boy = -1;
             const QByteArray b = c.SAnalPosPdfVer(iv(0), boy);
             return ans(b, boy);
         },
         {I(0)}, kStream},
        {"StokAraGetirBelvo", u"TServerMethods1.StokAraGetirBelvo"_s,
         [s](C &c) { return ans(c.StokAraGetirBelvo(sv(0), s())); }, {S(0), O(1)}, kTable},
        {"YenilerVer2", u"TServerMethods1.YenilerVer2"_s, [](C &c) { return ans(c.YenilerVer2(iv(0))); }, {I(0)},
         kTable},
        {"TeslimVer", u"TServerMethods1.TeslimVer"_s, [](C &c) { return ans(c.TeslimVer()); }, {}, kTable},
        {"KargoVer", u"TServerMethods1.KargoVer"_s, [](C &c) { return ans(c.KargoVer()); }, {}, kTable},
        {"KargolarVer", u"TServerMethods1.KargolarVer"_s, [](C &c) { return ans(c.KargolarVer(iv(0))); }, {I(0)},
         kTable},
        {"SepetEkle2", u"TServerMethods1.SepetEkle2"_s,
         [s](C &c) {
             return ans(c.SepetEkle2(s(), iv(1), iv(2), sv(3), sv(4), dv(5), dv(6), dv(7), dv(8), iv(9), iv(10),
                                     dv(11), dv(12), dv(13)));
         },
         {O(0), I(1), I(2), S(3), S(4), D(5), D(6), D(7), D(8), I(9), I(10), D(11), D(12), D(13)}, kInt},
        {"SepetGuncelle2", u"TServerMethods1.SepetGuncelle2"_s,
         [s](C &c) {
             return ans(c.SepetGuncelle2(s(), iv(1), iv(2), sv(3), sv(4), dv(5), dv(6), dv(7), dv(8), iv(9),
                                         iv(10), dv(11), dv(12), dv(13)));
         },
         {O(0), I(1), I(2), S(3), S(4), D(5), D(6), D(7), D(8), I(9), I(10), D(11), D(12), D(13)}, kInt},
        {"SepetHepsiniSil", u"TServerMethods1.SepetHepsiniSil"_s, [s](C &c) { return ans(c.SepetHepsiniSil(s())); },
         {O(0)}, kInt},
        {"SepetSatirSil", u"TServerMethods1.SepetSatirSil"_s,
         [s](C &c) { return ans(c.SepetSatirSil(s(), iv(1), sv(2))); }, {O(0), I(1), S(2)}, kInt},
        {"SiparisKaydet", u"TServerMethods1.SiparisKaydet"_s,
         [s](C &c) { return ans(c.SiparisKaydet(s(), iv(1), iv(2), iv(3), sv(4), iv(5), iv(6))); },
         {O(0), I(1), I(2), I(3), S(4), I(5), I(6)}, u"bool:true"_s},
        {"SiparisAyrintisi2", u"TServerMethods1.SiparisAyrintisi2"_s,
         [](C &c) { return ans(c.SiparisAyrintisi2(iv(0), iv(1))); }, {I(0), I(1)}, kTable},
        {"FaturaGetir", u"TServerMethods1.FaturaGetir"_s, [](C &c) { return ans(c.FaturaGetir(iv(0), iv(1))); },
         {I(0), I(1)}, kTable},
        {"FaturaAltGetir", u"TServerMethods1.FaturaAltGetir"_s, [](C &c) { return ans(c.FaturaAltGetir(iv(0))); },
         {I(0)}, kTable},
        {"Tahsilat", u"TServerMethods1.Tahsilat"_s, [](C &c) { return ans(c.Tahsilat(iv(0))); }, {I(0)}, kTable},
        {"SanalposSiranoVer", u"TServerMethods1.SanalposSiranoVer"_s,
         [](C &c) { return ans(c.SanalposSiranoVer(iv(0))); }, {I(0)}, kInt},
        {"BakiyeDuzenle", u"TServerMethods1.BakiyeDuzenle"_s,
         [s](C &c) { return ans(c.BakiyeDuzenle(s(), iv(1), iv(2), iv(3), dv(4), dv(5), sv(6))); },
         {O(0), I(1), I(2), I(3), D(4), D(5), S(6)}, kInt},
        {"BakiyeDegistir", u"TServerMethods1.BakiyeDegistir"_s,
         [s](C &c) { return ans(c.BakiyeDegistir(s(), iv(1), iv(2), iv(3), dv(4), dv(5), sv(6))); },
         {O(0), I(1), I(2), I(3), D(4), D(5), S(6)}, kInt},
        {"BakiyeFiyatDegistir", u"TServerMethods1.BakiyeFiyatDegistir"_s,
         [s](C &c) { return ans(c.BakiyeFiyatDegistir(s(), iv(1), iv(2), iv(3), dv(4), dv(5), sv(6), dv(7), dv(8))); },
         {O(0), I(1), I(2), I(3), D(4), D(5), S(6), D(7), D(8)}, kInt},
        {"SiparisAytintisiDip", u"TServerMethods1.SiparisAytintisiDip"_s,
         [](C &c) { return ans(c.SiparisAytintisiDip(iv(0), iv(1)), [](const auto &r) { return r.Durumu(); }); },
         {I(0), I(1)}, u"object:Onaylandı"_s},
        {"CariAra", u"TServerMethods1.CariAra"_s, [s](C &c) { return ans(c.CariAra(s(), sv(1))); }, {O(0), S(1)},
         kTable},
        {"SepetSayisi", u"TServerMethods1.SepetSayisi"_s, [s](C &c) { return ans(c.SepetSayisi(s())); }, {O(0)},
         kInt},
        {"TusSonuclariVer", u"TServerMethods1.TusSonuclariVer"_s,
         [s](C &c) {
             return ans(c.TusSonuclariVer(s()), [](const auto &r) { return QString::number(r.Alindi()); });
         },
         {O(0)}, u"object:7"_s},
        {"CariSepetVer", u"TServerMethods1.CariSepetVer"_s, [s](C &c) { return ans(c.CariSepetVer(s(), iv(1))); },
         {O(0), I(1)}, kTable},
        {"KayanYaziGetir", u"TServerMethods1.KayanYaziGetir"_s, [](C &c) { return ans(c.KayanYaziGetir()); }, {},
         kText},
        {"BannerResimVer", u"TServerMethods1.BannerResimVer"_s,
         [](C &c) {
             qint64 size = -1;
             const QByteArray b = c.BannerResimVer(size);
             return ans(b, size);
         },
         {}, kStream},
        {"BannerResimVer2", u"TServerMethods1.BannerResimVer2"_s,
         [](C &c) {
             qint64 size = -1;
             const QByteArray b = c.BannerResimVer2(size);
             return ans(b, size);
         },
         {}, kStream},
        {"BannerResimVer3", u"TServerMethods1.BannerResimVer3"_s,
         [](C &c) {
             qint64 size = -1;
             const QByteArray b = c.BannerResimVer3(size);
             return ans(b, size);
         },
         {}, kStream},
        {"RaporGetir", u"TServerMethods1.RaporGetir"_s,
         [](C &c) {
             qint64 size = -1;
             const QByteArray b = c.RaporGetir(iv(0), iv(1), iv(2), iv(3), sv(4), dv(5), dv(6), size);
             return ans(b, size);
         },
         {I(0), I(1), I(2), I(3), S(4), D(5), D(6)}, kStream},
        {"BalonGetir", u"TServerMethods1.BalonGetir"_s, [s](C &c) { return ans(c.BalonGetir(s())); }, {O(0)},
         kTable},
        {"TumSiparislerVer", u"TServerMethods1.TumSiparislerVer"_s,
         [](C &c) { return ans(c.TumSiparislerVer(iv(0), iv(1))); }, {I(0), I(1)}, kTable},
        {"SepetSecimGuncelle", u"TServerMethods1.SepetSecimGuncelle"_s,
         [](C &c) {
             c.SepetSecimGuncelle(iv(0), iv(1));
             return u"void"_s;
         },
         {I(0), I(1)}, u"void"_s},
        {"MailGonserCari", u"TServerMethods1.MailGonserCari"_s,
         [](C &c) {
             return ans(c.MailGonserCari(sv(0), sv(1), sv(2), sv(3), sv(4), sv(5), sv(6), sv(7), sv(8), sv(9),
                                         sv(10), sv(11), sv(12), sv(13), sv(14), sv(15)));
         },
         {S(0), S(1), S(2), S(3), S(4), S(5), S(6), S(7), S(8), S(9), S(10), S(11), S(12), S(13), S(14), S(15)},
         kInt},
        {"MailGonserCariNormal", u"TServerMethods1.MailGonserCariNormal"_s,
         [](C &c) {
             return ans(c.MailGonserCariNormal(sv(0), sv(1), sv(2), sv(3), sv(4), sv(5), sv(6), sv(7), sv(8),
                                               sv(9), sv(10), sv(11), sv(12), sv(13), sv(14), sv(15), sv(16)));
         },
         {S(0), S(1), S(2), S(3), S(4), S(5), S(6), S(7), S(8), S(9), S(10), S(11), S(12), S(13), S(14), S(15),
          S(16)},
         kInt},
        {"MobilCariBilgisiGetir", u"TServerMethods1.MobilCariBilgisiGetir"_s,
         [](C &c) { return ans(c.MobilCariBilgisiGetir(iv(0), sv(1)), [](const auto &r) { return r.CARIADI(); }); },
         {I(0), S(1)}, u"object:Varko Oto"_s},
        {"AcilisReklamAdet", u"TServerMethods1.AcilisReklamAdet"_s, [](C &c) { return ans(c.AcilisReklamAdet()); },
         {}, kInt},
        {"AcilisREklamVer", u"TServerMethods1.AcilisREklamVer"_s,
         [](C &c) { return ans(c.AcilisREklamVer(iv(0)), [](const auto &r) { return r.Baslik(); }); }, {I(0)},
         u"object:Kampanya"_s},
        {"AcilisEkranlarVer2", u"TServerMethods1.AcilisEkranlarVer2"_s,
         [](C &c) {
             return ans(c.AcilisEkranlarVer2(), [](const auto &r) {
                 QStringList titles;
                 for (const wire::TAcilisEkran &e : r.Ekranlar())
                     titles.append(e.Baslik());
                 return titles.join(u'|');
             });
         },
         {}, u"object:Birinci|İkinci"_s},
        {"RaporAlinanSiparisler", u"TServerMethods1.RaporAlinanSiparisler"_s,
         [s](C &c) { return ans(c.RaporAlinanSiparisler(s(), dv(1), dv(2))); }, {O(0), D(1), D(2)}, kTable},
        {"RaporEnCokSatilanStoklar", u"TServerMethods1.RaporEnCokSatilanStoklar"_s,
         [s](C &c) { return ans(c.RaporEnCokSatilanStoklar(s(), dv(1), dv(2))); }, {O(0), D(1), D(2)}, kTable},
        {"CariDurumVer", u"TServerMethods1.CariDurumVer"_s, [](C &c) { return ans(c.CariDurumVer(iv(0))); }, {I(0)},
         kText},
        {"CariVadeGunGecmismiBul", u"TServerMethods1.CariVadeGunGecmismiBul"_s,
         [](C &c) { return ans(c.CariVadeGunGecmismiBul(iv(0))); }, {I(0)}, kText},
        {"StokHareketVer", u"TServerMethods1.StokHareketVer"_s,
         [](C &c) { return ans(c.StokHareketVer(iv(0), iv(1))); }, {I(0), I(1)}, kTable},
    };
}

wire::Response answerOf(std::initializer_list<wire::Param> values)
{
    wire::Response r;
    r.values = values;
    return r;
}

} // namespace

class TestServerMethods : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void everyServerMethodIsCovered();
    void methodSendsItsCommandAndDecodesItsAnswer_data();
    void methodSendsItsCommandAndDecodesItsAnswer();
    void irregularServerSpellingsAreKept();
    void missingSessionRecordSendsJsonNull();
    void callerKeepsItsSessionRecord();
    void nullObjectAnswerGivesNoRecord();
    void streamAnswerGivesBytesAndAnnouncedCount_data();
    void streamAnswerGivesBytesAndAnnouncedCount();
    void serverErrorBecomesWireErrorAndConnectionStaysUsable();
    void malformedAnswerRaises_data();
    void malformedAnswerRaises();
    void connectionThatIsNotOpenIsRefused_data();
    void connectionThatIsNotOpenIsRefused();
    void proxyCallsRepeatOnOneConnection();

private:
    std::unique_ptr<FakeServer> m_server;
    std::unique_ptr<ServerConnection> m_connection;
};

void TestServerMethods::init()
{
    m_server = std::make_unique<FakeServer>();
    QVERIFY(m_server->port() != 0);
    m_connection = std::make_unique<ServerConnection>();
    m_connection->setHostName(u"127.0.0.1"_s);
    m_connection->setPort(m_server->port());
    m_connection->open();
    QVERIFY(m_connection->isOpen());
}

void TestServerMethods::cleanup()
{
    m_connection.reset();
    m_server.reset();
}

void TestServerMethods::everyServerMethodIsCovered()
{
    QStringList fromRows;
    for (const Row &r : rows())
        fromRows.append(r.command);
    QStringList fromCatalogue;
    for (const wire::MethodSpec &m : wire::methodCatalogue())
        fromCatalogue.append(m.commandText());
    QCOMPARE(fromRows.size(), 50);
    QCOMPARE(fromRows, fromCatalogue);
}

void TestServerMethods::methodSendsItsCommandAndDecodesItsAnswer_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<Call>("call");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("answer");
    for (const Row &r : rows())
        QTest::newRow(r.name) << r.command << r.call << describe(r.expected) << r.answer;
}

void TestServerMethods::methodSendsItsCommandAndDecodesItsAnswer()
{
    QFETCH(QString, command);
    QFETCH(Call, call);
    QFETCH(QStringList, expected);
    QFETCH(QString, answer);

    C proxy(m_connection.get());
    QCOMPARE(call(proxy), answer);

    const QList<wire::Request> sent = m_server->requests();
    QCOMPARE(sent.size(), 1);
    QCOMPARE(sent.first().command, command);
    QCOMPARE(describe(sent.first().params), expected);
}

void TestServerMethods::irregularServerSpellingsAreKept()
{
    C proxy(m_connection.get());
    proxy.SiparisAytintisiDip(1, 2);
    proxy.AcilisREklamVer(0);
    proxy.MailGonserCari({}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {});
    proxy.MailGonserCariNormal({}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {});
    QStringList commands;
    for (const wire::Request &r : m_server->requests())
        commands.append(r.command);
    QCOMPARE(commands, QStringList({u"TServerMethods1.SiparisAytintisiDip"_s, u"TServerMethods1.AcilisREklamVer"_s,
                                    u"TServerMethods1.MailGonserCari"_s,
                                    u"TServerMethods1.MailGonserCariNormal"_s}));
}

void TestServerMethods::missingSessionRecordSendsJsonNull()
{
    C proxy(m_connection.get());
    proxy.StokAraGetirBelvo(u"ayna"_s, std::nullopt);
    proxy.SepetHepsiniSil(std::nullopt);

    const QList<wire::Request> sent = m_server->requests();
    QCOMPARE(sent.size(), 2);
    QCOMPARE(sent[0].params.size(), 2);
    QCOMPARE(sent[0].params[1].ordinal, 1);
    QCOMPARE(sent[0].params[1].value.kind(), wire::ValueKind::Object);
    QCOMPARE(sent[0].params[1].value.bytes(), QByteArray("null"));
    QCOMPARE(sent[1].params.size(), 1);
    QCOMPARE(sent[1].params[0].ordinal, 0);
    QVERIFY(sent[1].params[0].value.isNullObject());
}

void TestServerMethods::callerKeepsItsSessionRecord()
{
    // the long-lived record is passed straight in; the proxy works on its own copy
    const wire::TSonucBilgisi sbilgi = session();
    wire::TSonucBilgisi kept = sbilgi;
    C proxy(m_connection.get());
    proxy.SepetHepsiniSil(kept);
    proxy.SepetSayisi(kept);
    QCOMPARE(kept, sbilgi);
    const QList<wire::Request> sent = m_server->requests();
    QCOMPARE(sent.size(), 2);
    QCOMPARE(wire::unmarshal<wire::TSonucBilgisi>(sent[1].params[0].value.bytes()), std::optional(sbilgi));
}

void TestServerMethods::nullObjectAnswerGivesNoRecord()
{
    m_server->setAnswer(u"TServerMethods1.BuyukGetir"_s, answerOf({{1, wire::Value::nullObject()}}));
    m_server->setAnswer(u"TServerMethods1.AcilisEkranlarVer2"_s, answerOf({{0, wire::Value::nullObject()}}));
    C proxy(m_connection.get());
    QCOMPARE(proxy.BuyukGetir(u"DISK-1"_s), std::nullopt);
    QCOMPARE(proxy.AcilisEkranlarVer2(), std::nullopt);
}

void TestServerMethods::streamAnswerGivesBytesAndAnnouncedCount_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<qint64>("announced");
    QTest::addColumn<bool>("taken");

    QByteArray picture(3000, '\0');
    for (int i = 0; i < picture.size(); ++i)
        picture[i] = char(i * 7);
    QTest::newRow("length equals count") << picture << qint64(picture.size()) << true;
    QTest::newRow("exact multiple of the block") << picture.left(2048) << qint64(2048) << true;
    QTest::newRow("fewer bytes than announced") << picture.left(1000) << qint64(3000) << false;
    QTest::newRow("more bytes than announced") << picture << qint64(1024) << false;
    QTest::newRow("count 0 means no document") << QByteArray() << qint64(0) << false;
}

void TestServerMethods::streamAnswerGivesBytesAndAnnouncedCount()
{
    QFETCH(QByteArray, bytes);
    QFETCH(qint64, announced);
    QFETCH(bool, taken);

    m_server->setAnswer(u"TServerMethods1.RaporGetir"_s,
                        answerOf({{7, wire::Value::int64(announced)}, {8, wire::Value::stream(bytes)}}));
    C proxy(m_connection.get());
    qint64 size = -1;
    const QByteArray received = proxy.RaporGetir(1, 2, 3, 4, u"satıcı"_s, 45000.0, 45030.5, size);
    QCOMPARE(received, bytes);
    QCOMPARE(size, announced);
    const std::optional<QByteArray> document = wire::takeStream(received, size);
    QCOMPARE(document.has_value(), taken);
    if (taken)
        QCOMPARE(*document, bytes);
}

void TestServerMethods::serverErrorBecomesWireErrorAndConnectionStaysUsable()
{
    const QString text = u"Stok bulunamadı: ĞÜŞ 42"_s;
    m_server->setAnswer(u"TServerMethods1.EnVer"_s, wire::Response::failure(text));
    C proxy(m_connection.get());
    try {
        proxy.EnVer(42);
        QFAIL("an error answer must raise");
    } catch (const wire::WireError &e) {
        QCOMPARE(e.message(), text);
    }
    QVERIFY(m_connection->isOpen());
    QCOMPARE(proxy.KayanYaziGetir(), u"yanıt ğüşİ"_s);
    C another(m_connection.get());
    QCOMPARE(another.AcilisReklamAdet(), 77);
}

void TestServerMethods::malformedAnswerRaises_data()
{
    using V = wire::Value;
    QTest::addColumn<QString>("command");
    QTest::addColumn<wire::Response>("response");
    QTest::addColumn<Call>("call");

    const Call enVer = [](C &c) { return ans(c.EnVer(1)); };
    const Call buyukGetir = [](C &c) { return ans(c.BuyukGetir(u"x"_s), [](const auto &r) { return r.ADI(); }); };
    const Call banner = [](C &c) {
        qint64 size = 0;
        return ans(c.BannerResimVer(size), size);
    };

    QByteArray unknownType = wire::marshal(session());
    unknownType.replace("baglantiu.TSonucBilgisi", "baglantiu.TBilinmeyen");

    QTest::newRow("integer answered as text")
        << u"TServerMethods1.EnVer"_s << answerOf({{1, V::string(u"77"_s)}}) << enVer;
    QTest::newRow("result missing") << u"TServerMethods1.EnVer"_s << answerOf({}) << enVer;
    QTest::newRow("result at another ordinal")
        << u"TServerMethods1.EnVer"_s << answerOf({{0, V::integer(77)}}) << enVer;
    QTest::newRow("Boolean answered as integer")
        << u"TServerMethods1.SiparisKaydet"_s << answerOf({{7, V::integer(1)}})
        << Call([](C &c) { return ans(c.SiparisKaydet(session(), 1, 2, 3, u"a"_s, 4, 5)); });
    QTest::newRow("unknown object type")
        << u"TServerMethods1.BuyukGetir"_s << answerOf({{1, V::object(unknownType)}}) << buyukGetir;
    QTest::newRow("object of another record")
        << u"TServerMethods1.BuyukGetir"_s << answerOf({{1, V::object(wire::marshal(wire::TTusSonuclari()))}})
        << buyukGetir;
    QTest::newRow("object that is not JSON")
        << u"TServerMethods1.BuyukGetir"_s << answerOf({{1, V::object("{\"type\":")}}) << buyukGetir;
    QTest::newRow("corrupt data packet")
        << u"TServerMethods1.SepetVer2"_s << answerOf({{1, V::dataPacket("not a packet")}})
        << Call([](C &c) { return ans(c.SepetVer2(1)); });
    QTest::newRow("reader answered as data packet")
        << u"TServerMethods1.OncekiSiparisler"_s << answerOf({{1, V::dataPacket(FakeServer::cannedPacket())}})
        << Call([](C &c) { return ans(c.OncekiSiparisler(1)); });
    QTest::newRow("stream without its count")
        << u"TServerMethods1.BannerResimVer"_s << answerOf({{1, V::stream("abc")}}) << banner;
    QTest::newRow("stream count of the wrong kind")
        << u"TServerMethods1.BannerResimVer"_s << answerOf({{0, V::integer(3)}, {1, V::stream("abc")}}) << banner;
    QTest::newRow("value for a method without an answer")
        << u"TServerMethods1.SepetSecimGuncelle"_s << answerOf({{2, V::integer(1)}})
        << Call([](C &c) {
               c.SepetSecimGuncelle(1, 1);
               return u"void"_s;
           });
}

void TestServerMethods::malformedAnswerRaises()
{
    QFETCH(QString, command);
    QFETCH(wire::Response, response);
    QFETCH(Call, call);

    m_server->setAnswer(command, response);
    C proxy(m_connection.get());
    try {
        const QString got = call(proxy);
        QFAIL(qPrintable(u"no error, answer decoded as "_s + got));
    } catch (const wire::WireError &e) {
        QVERIFY(!e.message().isEmpty());
    }
    QCOMPARE(m_server->requests().size(), 1);
}

void TestServerMethods::connectionThatIsNotOpenIsRefused_data()
{
    QTest::addColumn<int>("state");
    QTest::newRow("no connection") << 0;
    QTest::newRow("never opened") << 1;
    QTest::newRow("closed after use") << 2;
}

void TestServerMethods::connectionThatIsNotOpenIsRefused()
{
    QFETCH(int, state);
    ServerConnection *connection = nullptr;
    std::unique_ptr<ServerConnection> fresh;
    if (state == 1) {
        fresh = m_connection->clone();
        connection = fresh.get();
    } else if (state == 2) {
        C(m_connection.get()).EnVer(1);
        m_connection->close();
        connection = m_connection.get();
    }
    m_server->clearRequests();

    try {
        C proxy(connection);
        QFAIL("a proxy over a connection that is not open must be refused");
    } catch (const wire::WireError &e) {
        QCOMPARE(e.message(), u"Connection cannot be nil.  Make sure the connection has been opened."_s);
    }
    QCOMPARE(m_server->requests().size(), 0);
}

void TestServerMethods::proxyCallsRepeatOnOneConnection()
{
    // a proxy serves a few calls in a row, and one object answer does not spoil the next
    C proxy(m_connection.get());
    const auto first = proxy.BuyukGetir(u"A"_s);
    const auto second = proxy.BuyukGetir(u"B"_s);
    QVERIFY(first && second);
    QCOMPARE(first->ADI(), u"Ali Çelik"_s);
    QCOMPARE(*first, *second);
    QCOMPARE(proxy.SepetVer2(5).rowCount(), 2);
    QCOMPARE(m_server->requests().size(), 3);
}

QTEST_MAIN(TestServerMethods)
#include "tst_servermethods.moc"
