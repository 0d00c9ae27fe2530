// The application server over a real socket: every method's answer kind
// and the columns the client binds, the sign-in outcomes, the catalogue's
// prices, and the requests it refuses.

#include "fixture.h"

#include <distributor/pricing.h>

#include <wire/frame.h>
#include <wire/message.h>

#include <QImage>
#include <QRegularExpression>
#include <QTcpSocket>

#include <cmath>
#include <functional>

using namespace Qt::StringLiterals;
using wire::Value;

using Inputs = std::function<QList<Value>()>;
Q_DECLARE_METATYPE(Inputs)
Q_DECLARE_METATYPE(wire::Request)

class TestAppServer : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<DistributorFixture> f;
    wire::TSonucBilgisi dealer;
    wire::TSonucBilgisi rep;
    int stock = 0;
    int order = 0;
    int invoice = 0;
    int collection = 0;
    int cardCollection = 0;
    int cardNo = 0;

    Value dealerObj() const { return DistributorFixture::object(dealer); }

private slots:
    void initTestCase()
    {
        f = std::make_unique<DistributorFixture>();
        dealer = f->session(kDealer);
        rep = f->repSession(kRep, 1001);
        const wire::Table stocks = f->table(u"StokAraGetirBelvo"_s, {Value::string(u"FREN"_s), dealerObj()});
        QVERIFY(stocks.rowCount() > 0);
        stock = stocks.intValue(0, stocks.indexOf(u"STOK_STOKNO"));
        const wire::Table orders = f->table(u"OncekiSiparisler"_s, {Value::integer(1001)});
        QVERIFY(orders.rowCount() > 0);
        order = orders.intValue(0, orders.indexOf(u"IDNO"));
        const wire::Table st = f->table(u"CariEkstreVer"_s, {Value::integer(1001)});
        for (int r = 0; r < st.rowCount(); ++r) {
            const QString kind = st.stringValue(r, st.indexOf(u"TURADI"));
            const int id = st.intValue(r, st.indexOf(u"IDNO"));
            if (kind == u"Satış Faturası"_s && !invoice)
                invoice = id;
            if (kind == u"Tahsilat"_s && !collection)
                collection = id;
        }
        QVERIFY(invoice > 0);
        QVERIFY(collection > 0);
        Query q(f->server().store().database(), u"SELECT IDNO, SANALPOSNO FROM HAREKET WHERE SANALPOSNO > 0"_s);
        q.exec();
        QVERIFY(q.next());
        cardCollection = q.intValue(0);
        cardNo = q.intValue(1);
    }

    void cleanupTestCase() { f.reset(); }

    // Each tabular answer: its kind, and every column the client binds
    // with its type (I integer, F float, S text, D date).
    void columns_data()
    {
        QTest::addColumn<QString>("method");
        QTest::addColumn<Inputs>("inputs");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("needsRows");
        const int dp = int(wire::ValueKind::DataPacket);
        const int rd = int(wire::ValueKind::Reader);
        const QString stockCols =
            u"STOK_STOKNO:I DURUM:I BARKOD:S ADI:S MARKA:S MODEL:S FINISHKOD:S OEM1:S OEM2:S OEM3:S OEM4:S OEMNO:S "
            "URETICIKODU:S DIGERADI:S OZELKOD:S ANAGRUP:S BIRIM:S DPKOD:S PKOD:S BARKOD_BARKODNO:S KALAN:F "
            "ALINANSIPARIS:F VERILENSIPARIS:F RESIM:I Y:I K:I KDV:F FIYAT:F LISTEFIYAT1:F KAMPFIYAT:F NETFIYAT:F "
            "KDVDAHIL:F IND1:F IND2:F IND3:F IND4:F INDIRIMYAZI:S INDIRIM:F ESKIFIYAT:F"_s;
        const QString lineCols =
            u"SIRANO:I STOKHAR_NO:I STOK_STOKNO:I STOKNO:I IDNO:I BARKOD:S ACIKLAMA:S STOKADI:S FINISHKOD:S MARKA:S "
            "MODEL:S OEMNO:S MIKTAR:F TESLIMEDILEN:F KALAN:F ELDEKI:F BIRIMFIYAT:F ILKFIYAT:F INDIRIMORANI1:F "
            "INDIRIMYAZI:S TUTAR:F INDIRIMTUTAR:F NETBIRIMFIYAT:F KDV:F VERGITUTARI:F NETTUTAR:F VERILISTARIHI:D "
            "VEREN:S DURUM:I ALINANSIPARIS:F VERILENSIPARIS:F TESLIM:S KARGO:S"_s;
        const QString customerCols =
            u"CARINO:I CARIKOD:S CARIADI:S SATICISI:S TLBAKIYE:F DURUM:S SEPET:I ALINDI:I ONAYLANDI:I GORULDU:I "
            "HAZIRLANDI:I PARCALIHAZIRLANDI:I YETKILI:S OZELKOD:S ANAGRUP:S ALTGRUP:S ADRES1:S ADRES2:S ILCE:S IL:S "
            "VERGIDAIRESI:S VERGINO:S TEL1:S TEL2:S FAX1:S FAX2:S GSM:S EMAIL:S VADE:I INDIRIM:F KOD1:S KOD5:S "
            "VADEKONTROLGUN:I VADEKONTROLAY:I"_s;
        QTest::newRow("stock search") << u"StokAraGetirBelvo"_s
            << Inputs([this] { return QList<Value>{Value::string(u"FILTRE"_s), dealerObj()}; }) << dp << stockCols << true;
        QTest::newRow("new stocks") << u"YenilerVer2"_s << Inputs([] { return QList<Value>{Value::integer(1001)}; })
                                    << dp << stockCols << true;
        QTest::newRow("campaign stocks") << u"KampanyaliVer2"_s
            << Inputs([] { return QList<Value>{Value::integer(1001), Value::integer(0)}; }) << dp << stockCols << true;
        QTest::newRow("basket") << u"SepetVer2"_s << Inputs([] { return QList<Value>{Value::integer(1001)}; }) << dp
            << u"SIRANO:I SEC:I STOKNO:I STOK_STOKNO:I BARKOD:S STOKADI:S MARKA:S FINISHKOD:S MODEL:S MIKTAR:F "
               "BIRIMFIYAT:F TUTAR:F INDIRIMORANI1:F INDIRIMORANI2:F INDIRIMORANI3:F INDIRIMORANI4:F INDIRIMYAZI:S "
               "INDIRIMTUTAR:F NETBIRIMFIYAT:F KDV:F VERGITUTARI:F NETTUTAR:F VERILISTARIHI:D VEREN:S DURUM:I "
               "SIPARISNO:I CARINO:I TARIH:D AKTAR:I KUR:S KURTL:F VERENIDNO:I SAAT:S TESLIMID:I KARGOID:I "
               "ACIKLAMA:S IDNO:I VERENSIRANO:I CARIKOD:S CARIADI:S OEM1:S OEM4:S URETICIKODU:S DIGERADI:S DPKOD:S "
               "ANAGRUP:S OZELKOD:S PKOD:S KALAN:F OEMNO:S"_s << true;
        QTest::newRow("previous orders") << u"OncekiSiparisler"_s
            << Inputs([] { return QList<Value>{Value::integer(1001)}; }) << rd
            << u"CARINO:I IDNO:I TARIH:D KUR:S KURTL:F VERENIDNO:I KARGO:S TESLIM:S VEREN:S CARIKOD:S CARIADI:S "
               "VERGI:F NETTUTAR:F TUTAR:F DURUM:S KARGOADI:S VERENINNOTU:S ALANNOTU:S"_s << true;
        QTest::newRow("order lines") << u"SiparisAyrintisi2"_s
            << Inputs([this] { return QList<Value>{Value::integer(1001), Value::integer(order)}; }) << rd << lineCols << true;
        QTest::newRow("open balances") << u"BakiyelerVer2"_s
            << Inputs([] { return QList<Value>{Value::integer(1001)}; }) << rd << lineCols << false;
        QTest::newRow("all orders of every stock") << u"TumSiparislerVer"_s
            << Inputs([] { return QList<Value>{Value::integer(1001), Value::integer(0)}; }) << rd << lineCols << true;
        QTest::newRow("statement") << u"CariEkstreVer"_s << Inputs([] { return QList<Value>{Value::integer(1001)}; })
            << rd << u"CARINO:I TARIH:D TURADI:S EVRAK:S BORC:F ALACAK:F KUR:S BAKIYE:F D:S IDNO:I ACIKLAMA:S"_s << true;
        QTest::newRow("invoice lines") << u"FaturaGetir"_s
            << Inputs([this] { return QList<Value>{Value::integer(1001), Value::integer(invoice)}; }) << rd
            << u"OEMNO:S STOKADI:S FINISHKOD:S MARKA:S MODEL:S ANAGRUP:S BIRIM:S STOKHAR_MIKTAR:F "
               "STOKHAR_TLBIRIMFIYATI:F STOKHAR_TLTUTAR:F STOKHAR_INDIRIM1:F STOKHAR_INDIRIM2:F KDV:F "
               "STOKHAR_TOPLAMINDIRIM:F STOKHAR_TOPLAMMASRAF:F STOKHAR_NETTLBIRIMFIYATI:F STOKHAR_NETTLTUTAR:F "
               "OZELKOD:S BARKOD:S STOKHAR_HAREKETTARIHI:D STOKHAR_HAREKETTIPI2:S EVRAKNO:S STOKHAR_TLVERGI:F "
               "IRSALIYEEVRAKNO:S STOKHAR_IRSTARIHI:D SATIRACIKLMASI:S STOKHAR_SAAT:S STOKHAR_VADE:I "
               "SIPARISEVRAKNO:S SIPARISTARIHI:D IRSALIYETIP2:S STOKHAR_INDIRIM3:F STOKHAR_INDIRIM8:F "
               "STOKHAR_DOVIZBIRIMFIYATI:F STOKHAR_KURTL:F SATICIADI:S SIPARISTIPI:S IRSALIYETIPINO:I "
               "STOKCARIKOD:S SUBE_NO:I STOKHAR_CARINO:I KUR_KURSIMGE:S URETICIKODU:S DPKOD:S ENADI:S PKOD:S "
               "BELGENO:S IDNO:I"_s << true;
        QTest::newRow("invoice footer") << u"FaturaAltGetir"_s
            << Inputs([this] { return QList<Value>{Value::integer(invoice)}; }) << rd
            << u"TOPLAM:F TOPLAMINDIRIM:F MATRAH:F KDVTUTAR:F KDVDAHIL:F"_s << true;
        QTest::newRow("collection") << u"Tahsilat"_s << Inputs([this] { return QList<Value>{Value::integer(collection)}; })
            << rd << u"Tarih:D Türü:S Cins:S EvrakNo:S Vade:D Tutar:F Kur:S KurTL:F Açıklama:S Döviz Tutar:F Ref:S Saat:S"_s
            << true;
        QTest::newRow("delivery kinds") << u"TeslimVer"_s << Inputs([] { return QList<Value>{}; }) << rd << u"ID:I ADI:S"_s << true;
        QTest::newRow("cargo kinds") << u"KargoVer"_s << Inputs([] { return QList<Value>{}; }) << rd << u"ID:I ADI:S"_s << true;
        QTest::newRow("cargo firms") << u"KargolarVer"_s << Inputs([] { return QList<Value>{Value::integer(1)}; }) << rd
                                     << u"SIRANO:I ADI:S UYARI:S"_s << true;
        QTest::newRow("customer search") << u"CariAra"_s
            << Inputs([this] { return QList<Value>{DistributorFixture::object(rep), Value::string(QString())}; }) << rd
            << customerCols << true;
        QTest::newRow("customers in the basket state") << u"CariSepetVer"_s
            << Inputs([this] { return QList<Value>{DistributorFixture::object(rep), Value::integer(1)}; }) << rd
            << customerCols << true;
        QTest::newRow("tab counters") << u"BalonGetir"_s << Inputs([this] { return QList<Value>{dealerObj()}; }) << rd
                                      << u"SEPET:I YENI:I KAMPANYA:I DUYURU:I BAKIYE:F"_s << true;
        QTest::newRow("stock movements") << u"StokHareketVer"_s
            << Inputs([this] { return QList<Value>{Value::integer(1001), Value::integer(stock)}; }) << dp
            << u"BARKOD:S TARIH:D TURU:S EVRAKSERI:S EVRAKSIRA:S MIKTAR:F TLBIRIMFIYAT:F TLVERGI:F TLTUTAR:F "
               "INDIRIM1:F INDIRIM8:F TOPLAMINDIRIM:F MASRAF1:F MASRAF2:F TOPLAMMASRAF:F NETBIRIMFIYAT:F "
               "NETTLTUTAR:F VADE:I STOKCARIKOD:S KDVDAHILBIRIMFIYAT:F KDVDAHILTUTAR:F SATICI:S"_s << false;
        QTest::newRow("orders taken report") << u"RaporAlinanSiparisler"_s
            << Inputs([this] { return QList<Value>{DistributorFixture::object(rep), Value::real(1.0), Value::real(1e5)}; })
            << rd << u"SATICIADI:S50 IDNO:F CARINO:I TARIH:D KUR:S5 KURTL:F VERENIDNO:I KARGO:S50 TESLIM:S50 VEREN:S50 "
                     "CARIKOD:S25 CARIADI:S100 DURUM:S100 KARGOADI:S50 VERGI:F NETTUTAR:F TUTAR:F"_s << true;
        QTest::newRow("best sellers report") << u"RaporEnCokSatilanStoklar"_s
            << Inputs([this] { return QList<Value>{DistributorFixture::object(rep), Value::real(1.0), Value::real(1e5)}; })
            << rd << u"BARKOD:S50 KOD:S50 ADI:S100 DEPARTMAN:S50 MIKTAR:F NETTUTAR:F TLVERGI:F TUTAR:F"_s << true;
    }

    void columns()
    {
        QFETCH(QString, method);
        QFETCH(Inputs, inputs);
        QFETCH(int, kind);
        QFETCH(QString, expected);
        QFETCH(bool, needsRows);
        const wire::Response r = f->call(method, inputs());
        QVERIFY2(r.ok, qPrintable(r.error));
        const Value *v = r.at(wire::findMethod(wire::kCommandPrefix + method)->resultOrdinal());
        QVERIFY(v);
        QCOMPARE(int(v->kind()), kind);
        const wire::Table t = wire::Table::fromPacket(v->bytes());
        if (needsRows)
            QVERIFY(t.rowCount() > 0);
        static const QHash<QChar, wire::FieldType> types = {{u'I', wire::FieldType::Integer},
                                                            {u'F', wire::FieldType::Float},
                                                            {u'S', wire::FieldType::String},
                                                            {u'D', wire::FieldType::DateTime}};
        // "NAME:T" or "NAME:Tsize"; a name may hold a blank ("Döviz Tutar")
        QStringList missing;
        int seen = 0;
        QRegularExpressionMatchIterator it =
            QRegularExpression(u"\\s*([^:]+):([IFSD])(\\d*)"_s).globalMatch(expected);
        while (it.hasNext()) {
            const QRegularExpressionMatch m = it.next();
            ++seen;
            const QString name = m.captured(1);
            const int col = t.indexOf(name);
            if (col < 0 || t.field(col).name != name) {
                missing << name + u" (yok)"_s;
                continue;
            }
            if (t.field(col).type != types.value(m.captured(2).at(0)))
                missing << name + u" (tür "_s + wire::fieldTypeName(t.field(col).type) + u')';
            if (!m.captured(3).isEmpty() && t.field(col).size != m.captured(3).toUInt())
                missing << name + u" (boy %1)"_s.arg(t.field(col).size);
        }
        QVERIFY(seen > 1);
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(u", "_s)));
    }

    void signInRecords_data()
    {
        QTest::addColumn<QString>("device");
        QTest::addColumn<bool>("known");
        QTest::addColumn<int>("version");
        QTest::addColumn<int>("active");
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("carino");
        QTest::newRow("dealer") << kDealer << true << 1 << 1 << 0 << u"BAYI"_s << 1001;
        QTest::newRow("representative") << kRep << true << 1 << 1 << 1 << u"TEMSILCI"_s << 0;
        QTest::newRow("representative who changes prices") << kRep2 << true << 1 << 1 << 2 << u"YONETICI"_s << 0;
        QTest::newRow("dealer without status") << kDealer3 << true << 1 << 1 << 3 << u"BAYI3"_s << 1002;
        QTest::newRow("dealer without campaigns") << kDealer4 << true << 1 << 1 << 4 << u"BAYI4"_s << 1003;
        QTest::newRow("inactive user") << kInactive << true << 1 << 0 << 0 << u"PASIF"_s << 1004;
        QTest::newRow("outdated program") << kOutdated << true << 2 << 1 << 0 << u"ESKI"_s << 1005;
        QTest::newRow("unknown device") << u"WD-WCC4N0123456"_s << false << 1 << 0 << 1 << QString() << 0;
        QTest::newRow("empty identifier") << QString() << false << 1 << 0 << 1 << QString() << 0;
    }

    void signInRecords()
    {
        QFETCH(QString, device);
        QFETCH(bool, known);
        QFETCH(int, version);
        QFETCH(int, active);
        QFETCH(int, type);
        QFETCH(QString, name);
        QFETCH(int, carino);
        const Value v = f->result(u"BuyukGetir"_s, {Value::string(device)});
        QCOMPARE(v.kind(), wire::ValueKind::Object);
        QVERIFY(!v.isNullObject());
        const wire::TSonucBilgisi s = *wire::unmarshal<wire::TSonucBilgisi>(v.bytes());
        QCOMPARE(s.Varmi(), known);
        QCOMPARE(s.Version(), version);
        QCOMPARE(s.AKTIF(), active);
        QCOMPARE(s.MusteriTipi(), type);
        QCOMPARE(s.ADI(), name);
        QCOMPARE(s.CARINO(), carino);
        QCOMPARE(s.BILGISAYARID(), device);
        if (known) {
            // the client types both in upper case
            QCOMPARE(s.ADI(), s.ADI().toUpper());
            QVERIFY(!s.SIFRE().isEmpty());
            QVERIFY(!s.SaticiAdi().isEmpty());
        }
    }

    void refusedRequests_data()
    {
        QTest::addColumn<wire::Request>("request");
        QTest::addColumn<QString>("reason");
        auto req = [](const QString &m, const QList<Value> &in) { return DistributorFixture::request(m, in); };
        QTest::newRow("unknown method") << wire::Request{u"TServerMethods1.StokSil"_s, {}} << u"yöntem"_s;
        QTest::newRow("without the class prefix") << wire::Request{u"EnVer"_s, {{0, Value::integer(1)}}} << u"yöntem"_s;
        QTest::newRow("too few parameters") << req(u"EnVer"_s, {}) << u"parametre"_s;
        QTest::newRow("integer sent as text") << req(u"EnVer"_s, {Value::string(u"5"_s)}) << u"stokno"_s;
        QTest::newRow("double where an integer belongs")
            << req(u"SepetVer2"_s, {Value::real(1001)}) << u"carino"_s;
        QTest::newRow("no session record")
            << req(u"BalonGetir"_s, {Value::nullObject()}) << u"Oturum"_s;
        QTest::newRow("session record that is not JSON")
            << req(u"BalonGetir"_s, {Value::object("{\"type\":")}) << QString();
        QTest::newRow("envelope of another record")
            << req(u"BalonGetir"_s, {Value::object(wire::marshal(wire::TTusSonuclari()))}) << QString();
        QTest::newRow("forged session record")
            << req(u"BalonGetir"_s, {DistributorFixture::object([] {
                   wire::TSonucBilgisi s;
                   s.setSirano(1);
                   s.setBILGISAYARID(u"VARKO-DEMO-BAYI"_s);
                   s.setADI(u"BAYI"_s);
                   s.setSIFRE(u"0000"_s);
                   return s;
               }())}) << u"geçersiz"_s;
        QTest::newRow("unknown stock") << req(u"EnVer"_s, {Value::integer(99999999)}) << u"Stok"_s;
        QTest::newRow("unknown customer") << req(u"SepetVer2"_s, {Value::integer(42)}) << u"Cari"_s;
        QTest::newRow("invoice of another customer") << req(u"FaturaGetir"_s, {Value::integer(1002), Value::integer(0)})
                                                     << u"Fatura"_s;
        QTest::newRow("advertisement past the end") << req(u"AcilisREklamVer"_s, {Value::integer(3)}) << u"reklam"_s;
        QTest::newRow("pipeline state out of range")
            << wire::Request() << u"1 ile 7"_s;
    }

    void refusedRequests()
    {
        QFETCH(wire::Request, request);
        QFETCH(QString, reason);
        if (request.command.isEmpty())
            request = DistributorFixture::request(u"CariSepetVer"_s, {DistributorFixture::object(rep), Value::integer(8)});
        const wire::Response r = f->client().call(request, 10000);
        QVERIFY(!r.ok);
        QVERIFY(!r.error.isEmpty());
        if (!reason.isEmpty())
            QVERIFY2(r.error.contains(reason, Qt::CaseInsensitive), qPrintable(r.error));
        // the connection stays usable after a refusal
        QVERIFY(f->call(u"KayanYaziGetir"_s, {}).ok);
    }

    void foreignCustomerRefused_data()
    {
        QTest::addColumn<QString>("device");
        QTest::addColumn<int>("carino");
        QTest::newRow("dealer asks for another account") << kDealer << 1002;
        QTest::newRow("representative asks for another's customer") << kRep << 1002;
    }

    void foreignCustomerRefused()
    {
        QFETCH(QString, device);
        QFETCH(int, carino);
        wire::TSonucBilgisi s = f->session(device);
        s.setCARINO(carino);
        const wire::Response search = f->call(u"StokAraGetirBelvo"_s, {Value::string(u"FREN"_s), DistributorFixture::object(s)});
        QVERIFY(!search.ok);
        QVERIFY2(search.error.contains(QString::number(carino)), qPrintable(search.error));
        QVERIFY(!f->call(u"BalonGetir"_s, {DistributorFixture::object(s)}).ok);
    }

    void inactiveUserRefused()
    {
        const wire::Response r = f->call(u"BalonGetir"_s, {DistributorFixture::object(f->session(kInactive))});
        QVERIFY(!r.ok);
        QVERIFY2(r.error.contains(u"etkin"_s), qPrintable(r.error));
    }

    void malformedFrameClosesOnlyThatConnection()
    {
        QTcpSocket raw;
        raw.connectToHost(QHostAddress::LocalHost, f->server().port());
        QVERIFY(raw.waitForConnected(5000));
        raw.write(QByteArray("XX\x01\x01\x00\x00\x00\x00", 8));
        QVERIFY(raw.waitForBytesWritten(5000));
        QByteArray answer;
        QDeadlineTimer deadline(5000);
        while (!deadline.hasExpired() && raw.state() == QAbstractSocket::ConnectedState) {
            if (raw.waitForReadyRead(200))
                answer += raw.readAll();
        }
        answer += raw.readAll();
        wire::FrameReader reader;
        reader.append(answer);
        const std::optional<wire::Frame> frame = reader.next();
        QVERIFY(frame);
        QCOMPARE(frame->type, wire::frame::kError);
        // a request frame whose payload is not a request
        wire::RpcClient other;
        other.connectTo(u"127.0.0.1"_s, f->server().port(), 5000);
        QVERIFY(other.call(DistributorFixture::request(u"EnVer"_s, {Value::integer(stock)}), 5000).ok);
        QVERIFY(f->call(u"EnVer"_s, {Value::integer(stock)}).ok);
    }

    void streamCountsEqualBytes_data()
    {
        QTest::addColumn<QString>("method");
        QTest::addColumn<Inputs>("inputs");
        QTest::addColumn<QByteArray>("magic");
        QTest::newRow("header banner") << u"BannerResimVer"_s << Inputs([] { return QList<Value>{}; }) << QByteArray("GIF89a");
        QTest::newRow("upper banner") << u"BannerResimVer2"_s << Inputs([] { return QList<Value>{}; }) << QByteArray("GIF89a");
        QTest::newRow("lower banner") << u"BannerResimVer3"_s << Inputs([] { return QList<Value>{}; }) << QByteArray("BM");
        QTest::newRow("card receipt") << u"SAnalPosPdfVer"_s << Inputs([this] { return QList<Value>{Value::integer(cardNo)}; })
                                      << QByteArray("%PDF");
        QTest::newRow("customer summary report") << u"RaporGetir"_s << Inputs([this] {
            return QList<Value>{Value::integer(6), Value::integer(6), Value::integer(rep.Sirano()), Value::integer(1001),
                                Value::string(u"Ahmet Yılmaz"_s), Value::real(45000), Value::real(45000)};
        }) << QByteArray("%PDF");
        QTest::newRow("receivables report") << u"RaporGetir"_s << Inputs([this] {
            return QList<Value>{Value::integer(6), Value::integer(6), Value::integer(rep.Sirano()), Value::integer(0),
                                Value::string(u"TEMSILCI"_s), Value::real(45000), Value::real(45000)};
        }) << QByteArray("%PDF");
        QTest::newRow("sales table report") << u"RaporGetir"_s << Inputs([this] {
            return QList<Value>{Value::integer(7), Value::integer(7), Value::integer(rep.Sirano()), Value::integer(1001),
                                Value::string(u"Ahmet Yılmaz"_s), Value::real(1), Value::real(1e5)};
        }) << QByteArray("%PDF");
        QTest::newRow("no receipt for an unknown number") << u"SAnalPosPdfVer"_s
            << Inputs([] { return QList<Value>{Value::integer(999999)}; }) << QByteArray();
    }

    void streamCountsEqualBytes()
    {
        QFETCH(QString, method);
        QFETCH(Inputs, inputs);
        QFETCH(QByteArray, magic);
        const wire::MethodSpec *spec = wire::findMethod(wire::kCommandPrefix + method);
        const wire::Response r = f->call(method, inputs());
        QVERIFY2(r.ok, qPrintable(r.error));
        int outOrdinal = -1;
        for (int i = 0; i < spec->params.size(); ++i)
            if (spec->params[i].out)
                outOrdinal = i;
        const Value *count = r.at(outOrdinal);
        const Value *stream = r.at(spec->resultOrdinal());
        QVERIFY(count && stream);
        QCOMPARE(count->kind(), wire::ValueKind::Int64);
        QCOMPARE(stream->kind(), wire::ValueKind::Stream);
        QCOMPARE(count->toInt64(), qint64(stream->bytes().size()));
        QVERIFY(stream->bytes().startsWith(magic));
        if (magic.isEmpty())
            QCOMPARE(count->toInt64(), 0);
    }

    void bannersDecode()
    {
        const QImage upper = QImage::fromData(f->result(u"BannerResimVer2"_s, {}).bytes(), "GIF");
        QVERIFY(!upper.isNull());
        const QImage lower = QImage::fromData(f->result(u"BannerResimVer3"_s, {}).bytes(), "BMP");
        QVERIFY(!lower.isNull());
        QVERIFY(lower.height() > 0);
    }

    void searchIgnoresTurkishLettersAndCase()
    {
        auto count = [&](const QString &text) {
            return f->table(u"StokAraGetirBelvo"_s, {Value::string(text), dealerObj()}).rowCount();
        };
        const int upper = count(u"BALATASI ON"_s);
        QVERIFY(upper > 0);
        QCOMPARE(count(u"Balatası Ön"_s), upper);
        QCOMPARE(count(u"BALATASİ ÖN"_s), upper);
        QCOMPARE(count(QString()), 0);
        QCOMPARE(count(u"   "_s), 0);
        QCOMPARE(count(u"%"_s), 0);
    }

    void searchFindsOemNumbersWithoutSeparators()
    {
        Query q(f->server().store().database(), u"SELECT STOKNO, OEM1 FROM STOK WHERE OEM1 LIKE '% %' LIMIT 1"_s);
        q.exec();
        QVERIFY(q.next());
        const int stokno = q.intValue(0);
        const QString oem = q.text(1);
        for (const QString &text : {oem, QString(oem).remove(u' ')}) {
            const wire::Table t = f->table(u"StokAraGetirBelvo"_s, {Value::string(text), dealerObj()});
            bool found = false;
            for (int r = 0; r < t.rowCount(); ++r)
                found = found || t.intValue(r, t.indexOf(u"STOK_STOKNO")) == stokno;
            QVERIFY2(found, qPrintable(text));
        }
    }

    // The customer's own rates compound; the net and VAT-inclusive prices
    // follow from them, rounded to two decimals.
    void searchPricesCarryTheCustomersDiscounts()
    {
        const wire::Table t = f->table(u"StokAraGetirBelvo"_s, {Value::string(u"FILTRE"_s), dealerObj()});
        QVERIFY(t.rowCount() > 0);
        for (int r = 0; r < t.rowCount(); ++r) {
            const distributor::Rates rates{t.floatValue(r, t.indexOf(u"IND1")), t.floatValue(r, t.indexOf(u"IND2")),
                                           t.floatValue(r, t.indexOf(u"IND3")), t.floatValue(r, t.indexOf(u"IND4"))};
            const double price = t.floatValue(r, t.indexOf(u"FIYAT"));
            const double net = t.floatValue(r, t.indexOf(u"NETFIYAT"));
            const double kdv = t.floatValue(r, t.indexOf(u"KDV"));
            QCOMPARE(net, wire::round2(distributor::discounted(price, rates)));
            QCOMPARE(t.floatValue(r, t.indexOf(u"KDVDAHIL")), wire::round2(net * (1 + kdv / 100)));
            QCOMPARE(t.stringValue(r, t.indexOf(u"INDIRIMYAZI")), distributor::discountText(rates));
            QVERIFY(t.intValue(r, t.indexOf(u"DURUM")) >= 0 && t.intValue(r, t.indexOf(u"DURUM")) <= 5);
        }
        // customer 1001 has a general discount, so some rate is above 0
        QVERIFY(t.floatValue(0, t.indexOf(u"IND1")) > 0 || t.floatValue(0, t.indexOf(u"IND2")) > 0);
    }

    void dealerWithoutCampaignsGetsNone()
    {
        const wire::TSonucBilgisi noCampaigns = f->session(kDealer4);
        const wire::Table list = f->table(u"KampanyaliVer2"_s, {Value::integer(1003), Value::integer(4)});
        QCOMPARE(list.rowCount(), 0);
        const wire::Table all = f->table(u"KampanyaliVer2"_s, {Value::integer(1003), Value::integer(0)});
        QVERIFY(all.rowCount() > 0);
        for (int r = 0; r < all.rowCount(); ++r) {
            QCOMPARE(all.intValue(r, all.indexOf(u"K")), 1);
            QCOMPARE(all.floatValue(r, all.indexOf(u"FIYAT")), all.floatValue(r, all.indexOf(u"KAMPFIYAT")));
        }
        const QString code = all.stringValue(0, all.indexOf(u"BARKOD"));
        const wire::Table found = f->table(u"StokAraGetirBelvo"_s, {Value::string(code), DistributorFixture::object(noCampaigns)});
        QCOMPARE(found.rowCount(), 1);
        QCOMPARE(found.intValue(0, found.indexOf(u"K")), 0);
        QCOMPARE(found.floatValue(0, found.indexOf(u"FIYAT")), found.floatValue(0, found.indexOf(u"LISTEFIYAT1")));
    }

    void packageQuantityIsAtLeastOne()
    {
        const Value v = f->result(u"EnVer"_s, {Value::integer(stock)});
        QCOMPARE(v.kind(), wire::ValueKind::Integer);
        QVERIFY(v.toInteger() >= 1);
    }

    void statementBalanceRunsOverTheLines()
    {
        const wire::Table t = f->table(u"CariEkstreVer"_s, {Value::integer(1001)});
        double running = 0;
        for (int r = 0; r < t.rowCount(); ++r) {
            running = wire::round2(running + t.floatValue(r, t.indexOf(u"BORC")) - t.floatValue(r, t.indexOf(u"ALACAK")));
            QCOMPARE(t.floatValue(r, t.indexOf(u"BAKIYE")), running);
            const QString d = t.stringValue(r, t.indexOf(u"D"));
            QCOMPARE(d, running > 0 ? u"B"_s : (running < 0 ? u"A"_s : u" "_s));
        }
        const QString text = f->result(u"CariDurumVer"_s, {Value::integer(1001)}).toString();
        QCOMPARE(text, distributor::moneyText(running));
    }

    void collectionWithCardPaymentHasAReceiptNumber()
    {
        QCOMPARE(f->result(u"SanalposSiranoVer"_s, {Value::integer(cardCollection)}).toInteger(), cardNo);
        const wire::Table lines = f->table(u"Tahsilat"_s, {Value::integer(cardCollection)});
        QVERIFY(lines.rowCount() > 0);
        QCOMPARE(lines.stringValue(0, lines.indexOf(u"Cins")), u"Sanal Pos"_s);
    }

    void invoiceFooterSumsItsLines()
    {
        const wire::Table lines = f->table(u"FaturaGetir"_s, {Value::integer(1001), Value::integer(invoice)});
        const wire::Table foot = f->table(u"FaturaAltGetir"_s, {Value::integer(invoice)});
        QCOMPARE(foot.rowCount(), 1);
        double net = 0, vat = 0;
        for (int r = 0; r < lines.rowCount(); ++r) {
            net = wire::round2(net + lines.floatValue(r, lines.indexOf(u"STOKHAR_NETTLTUTAR")));
            vat = wire::round2(vat + lines.floatValue(r, lines.indexOf(u"STOKHAR_TLVERGI")));
        }
        QCOMPARE(foot.floatValue(0, foot.indexOf(u"MATRAH")), net);
        QCOMPARE(foot.floatValue(0, foot.indexOf(u"KDVTUTAR")), vat);
        QCOMPARE(foot.floatValue(0, foot.indexOf(u"KDVDAHIL")), wire::round2(net + vat));
        QCOMPARE(f->table(u"FaturaAltGetir"_s, {Value::integer(-5)}).rowCount(), 0);
    }

    void announcementsAndAdvertisements()
    {
        const int count = f->result(u"AcilisReklamAdet"_s, {}).toInteger();
        QCOMPARE(count, 3);
        for (int i = 0; i < count; ++i) {
            const Value v = f->result(u"AcilisREklamVer"_s, {Value::integer(i)});
            const wire::TAcilisEkran e = *wire::unmarshal<wire::TAcilisEkran>(v.bytes());
            QVERIFY(!e.Baslik().isEmpty());
            const QImage picture = QImage::fromData(QByteArray::fromHex(e.Resim().toLatin1()), "JPEG");
            QCOMPARE(picture.size(), QSize(600, 400));
        }
        const Value all = f->result(u"AcilisEkranlarVer2"_s, {});
        const wire::TAcilisEkranlariki entries = *wire::unmarshal<wire::TAcilisEkranlariki>(all.bytes());
        QVERIFY(entries.Ekranlar().size() >= 3);
        QStringList searches;
        bool withoutPicture = false;
        for (const wire::TAcilisEkran &e : entries.Ekranlar()) {
            searches << e.Arama();
            withoutPicture = withoutPicture || e.Resim().isEmpty();
        }
        QVERIFY(searches.contains(u"#KAMPANYA#"_s));
        QVERIFY(searches.contains(u"#YENİ#"_s));
        QVERIFY(withoutPicture);
        QVERIFY(!f->result(u"KayanYaziGetir"_s, {}).toString().trimmed().isEmpty());
    }

    void representativeSeesOnlyHisCustomers()
    {
        const wire::Table all = f->table(u"CariAra"_s, {DistributorFixture::object(rep), Value::string(QString())});
        QVERIFY(all.rowCount() >= 2);
        for (int r = 0; r < all.rowCount(); ++r)
            QCOMPARE(all.stringValue(r, all.indexOf(u"SATICISI")), u"Ahmet Yılmaz"_s);
        // "ı" arrives as "i" from the selection window
        const wire::Table some = f->table(u"CariAra"_s, {DistributorFixture::object(rep), Value::string(u"  özgür "_s)});
        QCOMPARE(some.rowCount(), 1);
        QCOMPARE(some.intValue(0, some.indexOf(u"CARINO")), 1001);
        const wire::Table own = f->table(u"CariAra"_s, {dealerObj(), Value::string(QString())});
        QCOMPARE(own.rowCount(), 1);
        QCOMPARE(own.intValue(0, own.indexOf(u"CARINO")), 1001);
    }

    void pipelineCountersMatchTheCustomerLists()
    {
        const wire::TTusSonuclari t = *wire::unmarshal<wire::TTusSonuclari>(
            f->result(u"TusSonuclariVer"_s, {DistributorFixture::object(rep)}).bytes());
        const wire::Table customers = f->table(u"CariAra"_s, {DistributorFixture::object(rep), Value::string(QString())});
        int received = 0, shipped = 0, baskets = 0;
        for (int r = 0; r < customers.rowCount(); ++r) {
            received += customers.intValue(r, customers.indexOf(u"ALINDI"));
            shipped += customers.intValue(r, customers.indexOf(u"SEVKEDILDI"));
            baskets += customers.intValue(r, customers.indexOf(u"SEPET")) > 0 ? 1 : 0;
        }
        QCOMPARE(t.Alindi(), received);
        QCOMPARE(t.SevkEdildi(), shipped);
        QVERIFY(t.SevkEdildi() > 0);
        QCOMPARE(f->result(u"SepetSayisi"_s, {DistributorFixture::object(rep)}).toInteger(), baskets);
        const wire::Table inBasket = f->table(u"CariSepetVer"_s, {DistributorFixture::object(rep), Value::integer(1)});
        QCOMPARE(inBasket.rowCount(), baskets);
    }

    void reportsAreForRepresentativesOnly()
    {
        const wire::Response r = f->call(u"RaporAlinanSiparisler"_s, {dealerObj(), Value::real(1), Value::real(1e5)});
        QVERIFY(!r.ok);
        const wire::Response pdf = f->call(u"RaporGetir"_s, {Value::integer(6), Value::integer(6), Value::integer(dealer.Sirano()),
                                                              Value::integer(1001), Value::string(u"."_s), Value::real(1),
                                                              Value::real(1)});
        QVERIFY(!pdf.ok);
        // a type 2 representative sees every representative's orders
        const wire::Table mine = f->table(u"RaporAlinanSiparisler"_s, {DistributorFixture::object(rep), Value::real(1), Value::real(1e5)});
        const wire::Table everyone = f->table(u"RaporAlinanSiparisler"_s,
                                              {DistributorFixture::object(f->session(kRep2)), Value::real(1), Value::real(1e5)});
        QVERIFY(everyone.rowCount() > mine.rowCount());
        // dates in the wrong order select nothing
        QCOMPARE(f->table(u"RaporAlinanSiparisler"_s, {DistributorFixture::object(rep), Value::real(1e5), Value::real(1)}).rowCount(), 0);
    }

    // a newcomer registers his own workstation as one of the demo users
    void registeredDeviceSignsInAsTheDemoUser()
    {
        QTemporaryDir dir;
        distributor::DistributorOptions o;
        o.port = 0;
        o.webPort = 0;
        o.dataFolder = dir.path();
        o.registrations = {{u"WD-MY-DISK-1"_s, u"TEMSILCI"_s}};
        {
            distributor::Distributor d(o);
            QString error;
            QVERIFY2(d.start(&error), qPrintable(error));
            wire::RpcClient c;
            c.connectTo(u"127.0.0.1"_s, d.port(), 5000);
            const wire::Response r = c.call(DistributorFixture::request(u"BuyukGetir"_s, {Value::string(u"WD-MY-DISK-1"_s)}), 5000);
            const wire::TSonucBilgisi s = *wire::unmarshal<wire::TSonucBilgisi>(r.at(1)->bytes());
            QVERIFY(s.Varmi());
            QCOMPARE(s.ADI(), u"TEMSILCI"_s);
            QCOMPARE(s.MusteriTipi(), 1);
            // the record works as a session on that device
            QVERIFY(c.call(DistributorFixture::request(u"SepetSayisi"_s, {DistributorFixture::object(s)}), 5000).ok);
        }
        o.registrations = {{u"WD-MY-DISK-1"_s, u"NOBODY"_s}};
        distributor::Distributor again(o);
        QString error;
        QVERIFY(!again.start(&error));
        QVERIFY2(error.contains(u"NOBODY"_s), qPrintable(error));
    }

    void contactCardAndMailOutbox()
    {
        const Value v = f->result(u"MobilCariBilgisiGetir"_s, {Value::integer(0), Value::string(kDealer)});
        const wire::TMobilCariBilgisi card = *wire::unmarshal<wire::TMobilCariBilgisi>(v.bytes());
        QCOMPARE(card.CARINO(), 1001);
        QVERIFY(!card.CARIADI().isEmpty());
        QCOMPARE(card.TLBAKIYE(), wire::round2(card.TLBORC() - card.TLALACAK()));
        QVERIFY(f->result(u"MobilCariBilgisiGetir"_s, {Value::integer(0), Value::string(u"NOBODY"_s)}).isNullObject());

        QList<Value> fields{Value::string(kDealer), Value::string(u"Fiyat sorusu"_s)};
        for (int i = 0; i < 14; ++i)
            fields << Value::string(u"alan %1"_s.arg(i));
        QCOMPARE(f->result(u"MailGonserCari"_s, fields).toInteger(), 1);
        fields << Value::string(u"\"İlk satır\",ikinci"_s);
        QCOMPARE(f->result(u"MailGonserCariNormal"_s, fields).toInteger(), 1);
        Query q(f->server().store().database(), u"SELECT YONTEM, ALICI, GOVDE FROM GIDENMAIL ORDER BY SIRANO"_s);
        q.exec();
        QVERIFY(q.next());
        QCOMPARE(q.text(0), u"MailGonserCari"_s);
        QCOMPARE(q.text(1), u"ahmet.yilmaz@varko.com.tr"_s);
        QVERIFY(q.next());
        QVERIFY(q.text(2).contains(u"İlk satır"_s));
        fields[0] = Value::string(u"  "_s);
        QVERIFY(!f->call(u"MailGonserCariNormal"_s, fields).ok);
    }
};

QTEST_MAIN(TestAppServer)
#include "tst_appserver.moc"
