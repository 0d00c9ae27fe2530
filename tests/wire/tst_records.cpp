#include <wire/envelope.h>
#include <wire/records.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace wire;

namespace {

// member names of a JSON object in the order they appear in the text;
// QJsonObject sorts its keys, so the order is read from the text itself
QStringList keysInTextOrder(const QByteArray &objectText)
{
    QStringList keys;
    int depth = 0;
    bool inString = false;
    bool expectKey = false;
    QByteArray current;
    for (qsizetype i = 0; i < objectText.size(); ++i) {
        const char c = objectText[i];
        if (inString) {
            if (c == '\\') {
                current += c;
                current += objectText[++i];
            } else if (c == '"') {
                inString = false;
                if (expectKey && depth == 1)
                    keys << QString::fromUtf8(current);
                expectKey = false;
            } else {
                current += c;
            }
            continue;
        }
        switch (c) {
        case '"': inString = true; current.clear(); break;
        case '{': ++depth; expectKey = depth == 1; break;
        case '}': --depth; break;
        case '[': ++depth; break;
        case ']': --depth; break;
        case ',': expectKey = depth == 1; break;
        default: break;
        }
    }
    return keys;
}

// the text of the "fields" object of the outermost envelope
QByteArray fieldsText(const QByteArray &envelope)
{
    const qsizetype start = envelope.indexOf("\"fields\":") + 9;
    return envelope.mid(start, envelope.size() - start - 1);
}

TSonucBilgisi filledSession()
{
    TSonucBilgisi s;
    s.setBILGISAYARID(u"WD-ÇŞ12"_s);
    s.setSaticiMail(u"satici@varko.com.tr"_s);
    s.setSirano(17);
    s.setCariAdi(u"Öztürk Oto Yedek Parça \"Şube\"\\2"_s);
    s.setSIFRE(u"gizli\tşifre"_s);
    s.setSaticiNo(4);
    s.setCARINO(12345);
    s.setAKTIF(1);
    s.setKullanicimail(u"bayi@example.com"_s);
    s.setADI(u"İSMAİL"_s);
    s.setSaticiTelefon(u"0212 555 00 00"_s);
    s.setcarikod(u"120.01.ı"_s);
    s.setVarmi(true);
    s.setSaticiAdi(u"Gülşen Yılmaz"_s);
    s.setBilgiSayarAdi(u"MAĞAZA-PC"_s);
    s.setDisip(u"85.1.2.3"_s);
    s.setIcip(u"192.168.1.5"_s);
    s.setBilgisayarKullanici(u"kasa\nikinci satır"_s);
    s.setMusteriTipi(2);
    s.setVersion(3);
    return s;
}

TMobilCariBilgisi filledCard()
{
    TMobilCariBilgisi c;
    c.setBILGISAYARID(u"D1"_s);
    c.setSEHIR(u"İzmir"_s);
    c.setFAX1(u"f1"_s);
    c.setSATICIMAIL(u"sm"_s);
    c.setSATICIADI(u"Şenol"_s);
    c.setCARIADI(u"Çağ Otomotiv"_s);
    c.setEMAIL(u"e"_s);
    c.setVERGIDAIRESI(u"Karşıyaka"_s);
    c.setYETKILI(u"Ümit"_s);
    c.setAltGrup(u"ag"_s);
    c.setTEL2(u"t2"_s);
    c.setSIFRE(u"s"_s);
    c.setGSM(u"g"_s);
    c.setTEL1(u"t1"_s);
    c.setADRES2(u"a2"_s);
    c.setTLBORC(1234.56);
    c.setTLALACAK(-0.1);
    c.setADRES1(u"a1"_s);
    c.setULKE(u"Türkiye"_s);
    c.setAnaGrup(u"AG"_s);
    c.setCARINO(99);
    c.setTLBAKIYE(1e15 + 0.25);
    c.setVERGINO(u"v"_s);
    c.setMAIL(u"m"_s);
    c.setOzelKod(u"ö"_s);
    c.setKULLANICIADI(u"k"_s);
    c.setSATICITELEFON(u"st"_s);
    c.setCARIKOD(u"ck"_s);
    c.setFAX2(u"f2"_s);
    c.setILCE(u"Bornova"_s);
    return c;
}

TAcilisEkran entry(int no, const QString &picture, const QString &title, const QString &search)
{
    TAcilisEkran e;
    e.setSiraNo(no);
    e.setResim(picture);
    e.setBaslik(title);
    e.setArama(search);
    return e;
}

QByteArray envelopeOf(const QByteArray &type, const QByteArray &fields)
{
    return "{\"type\":\"" + type + "\",\"id\":1,\"fields\":" + fields + "}";
}

} // namespace

class TestRecords : public QObject
{
    Q_OBJECT

private slots:
    void fieldOrder_data();
    void fieldOrder();
    void roundTrip();
    void defaults();
    void kopyalaOverwritesEverything();
    void jsonNullGivesNoRecord();
    void nestedAnnouncements();
    void wrongEnvelopes_data();
    void wrongEnvelopes();
    void missingFieldsKeepDefaults();
    void textsSurvive_data();
    void textsSurvive();
};

void TestRecords::fieldOrder_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QStringList>("fields");

    QTest::newRow("TSonucBilgisi")
        << marshal(TSonucBilgisi()) << u"baglantiu.TSonucBilgisi"_s
        << QStringList{u"FBILGISAYARID"_s, u"FSaticiMail"_s,    u"FSirano"_s,        u"FCariAdi"_s,
                       u"FSIFRE"_s,        u"FSaticiNo"_s,      u"FCARINO"_s,        u"FAKTIF"_s,
                       u"FKullanicimail"_s, u"FADI"_s,          u"FSaticiTelefon"_s, u"Fcarikod"_s,
                       u"FVarmi"_s,        u"FSaticiAdi"_s,     u"FBilgiSayarAdi"_s, u"FDisip"_s,
                       u"FIcip"_s,         u"FBilgisayarKullanici"_s, u"FMusteriTipi"_s, u"FVersion"_s};
    QTest::newRow("TSiparisDipAyrinti")
        << marshal(TSiparisDipAyrinti()) << u"baglantiu.TSiparisDipAyrinti"_s
        << QStringList{u"FSizinMesaj"_s, u"FDurumu"_s,      u"FVeren"_s,      u"FKargo"_s,
                       u"FBizimMesaj"_s, u"FTeslimCinsi"_s, u"FKargoCinsi"_s, u"FSaticiNotu"_s};
    QTest::newRow("TTusSonuclari")
        << marshal(TTusSonuclari()) << u"baglantiu.TTusSonuclari"_s
        << QStringList{u"FAlindi"_s,     u"FOnaylandi"_s,  u"FParcaliHazirlandi"_s,
                       u"FSevkEdildi"_s, u"FHazirlandi"_s, u"FGoruldu"_s};
    QTest::newRow("TMobilCariBilgisi")
        << marshal(TMobilCariBilgisi()) << u"mobilstokunit.TMobilCariBilgisi"_s
        << QStringList{u"FBILGISAYARID"_s, u"FSEHIR"_s,    u"FFAX1"_s,     u"FSATICIMAIL"_s,
                       u"FSATICIADI"_s,    u"FCARIADI"_s,  u"FEMAIL"_s,    u"FVERGIDAIRESI"_s,
                       u"FYETKILI"_s,      u"FAltGrup"_s,  u"FTEL2"_s,     u"FSIFRE"_s,
                       u"FGSM"_s,          u"FTEL1"_s,     u"FADRES2"_s,   u"FTLBORC"_s,
                       u"FTLALACAK"_s,     u"FADRES1"_s,   u"FULKE"_s,     u"FAnaGrup"_s,
                       u"FCARINO"_s,       u"FTLBAKIYE"_s, u"FVERGINO"_s,  u"FMAIL"_s,
                       u"FOzelKod"_s,      u"FKULLANICIADI"_s, u"FSATICITELEFON"_s, u"FCARIKOD"_s,
                       u"FFAX2"_s,         u"FILCE"_s};
    QTest::newRow("TAcilisEkran")
        << marshal(TAcilisEkran()) << u"mobilstokunit.TAcilisEkran"_s
        << QStringList{u"FSiraNo"_s, u"FResim"_s, u"FBaslik"_s, u"FArama"_s};
    QTest::newRow("TAcilisEkranlariki")
        << marshal(TAcilisEkranlariki()) << u"mobilstokunit.TAcilisEkranlariki"_s
        << QStringList{u"FEkranlar"_s};
}

void TestRecords::fieldOrder()
{
    QFETCH(QByteArray, json);
    QFETCH(QString, type);
    QFETCH(QStringList, fields);

    QCOMPARE(keysInTextOrder(json), (QStringList{u"type"_s, u"id"_s, u"fields"_s}));
    const QJsonObject o = QJsonDocument::fromJson(json).object();
    QCOMPARE(o.value(u"type"_s).toString(), type);
    QCOMPARE(o.value(u"id"_s).toInt(), 1);
    QCOMPARE(keysInTextOrder(fieldsText(json)), fields);
}

void TestRecords::roundTrip()
{
    const TSonucBilgisi s = filledSession();
    QCOMPARE(unmarshal<TSonucBilgisi>(marshal(s)), std::optional(s));

    TSiparisDipAyrinti d;
    d.setSizinMesaj(u"Acele, lütfen"_s);
    d.setDurumu(u"Onaylandı"_s);
    d.setVeren(u"İ."_s);
    d.setKargo(u"Yurtiçi"_s);
    d.setBizimMesaj(u"Teşekkürler"_s);
    d.setTeslimCinsi(u"Kargo"_s);
    d.setKargoCinsi(u"Alıcı ödemeli"_s);
    d.setSaticiNotu(u"not"_s);
    QCOMPARE(unmarshal<TSiparisDipAyrinti>(marshal(d)), std::optional(d));

    TTusSonuclari t;
    t.setAlindi(1);
    t.setOnaylandi(-2);
    t.setParcaliHazirlandi(2147483647);
    t.setSevkEdildi(-2147483647 - 1);
    t.setHazirlandi(5);
    t.setGoruldu(6);
    QCOMPARE(unmarshal<TTusSonuclari>(marshal(t)), std::optional(t));

    const TMobilCariBilgisi c = filledCard();
    QCOMPARE(unmarshal<TMobilCariBilgisi>(marshal(c)), std::optional(c));

    const TAcilisEkran e = entry(7, u"FFD8FFE0"_s, u"Kampanya"_s, u"#KAMPANYA#"_s);
    QCOMPARE(unmarshal<TAcilisEkran>(marshal(e)), std::optional(e));
}

void TestRecords::defaults()
{
    const TSonucBilgisi s;
    QCOMPARE(s.MusteriTipi(), 1);
    QCOMPARE(s.Version(), 1);
    QCOMPARE(s.Sirano(), 0);
    QCOMPARE(s.SaticiNo(), 0);
    QCOMPARE(s.CARINO(), 0);
    QCOMPARE(s.AKTIF(), 0);
    QCOMPARE(s.Varmi(), false);
    QVERIFY(s.BILGISAYARID().isEmpty() && s.ADI().isEmpty() && s.carikod().isEmpty());

    const TSiparisDipAyrinti d;
    QVERIFY(d.SizinMesaj().isEmpty() && d.SaticiNotu().isEmpty());
    const TTusSonuclari t;
    QCOMPARE(t.Alindi() + t.Onaylandi() + t.ParcaliHazirlandi() + t.SevkEdildi() + t.Hazirlandi() + t.Goruldu(), 0);
    const TMobilCariBilgisi c;
    QCOMPARE(c.TLBAKIYE(), 0.0);
    QCOMPARE(c.CARINO(), 0);
    QVERIFY(c.ILCE().isEmpty());
    const TAcilisEkran e;
    QCOMPARE(e.SiraNo(), 0);
    QVERIFY(e.Resim().isEmpty());
    QVERIFY(TAcilisEkranlariki().Ekranlar().isEmpty());

    // the defaults are on the wire too
    const QJsonObject fields =
        QJsonDocument::fromJson(marshal(s)).object().value(u"fields"_s).toObject();
    QCOMPARE(fields.value(u"FMusteriTipi"_s).toInt(), 1);
    QCOMPARE(fields.value(u"FVersion"_s).toInt(), 1);
    QCOMPARE(fields.value(u"FVarmi"_s).toBool(true), false);
    QCOMPARE(fields.value(u"FADI"_s).toString(u"x"_s), QString());
}

void TestRecords::kopyalaOverwritesEverything()
{
    const TSonucBilgisi empty;
    TSonucBilgisi target = filledSession();
    target.Kopyala(empty);
    QCOMPARE(target, empty);
    QVERIFY(target.CariAdi().isEmpty());
    QCOMPARE(target.Varmi(), false);

    const TSonucBilgisi source = filledSession();
    TSonucBilgisi copy;
    copy.Kopyala(source);
    QCOMPARE(copy, source);
    copy.setCARINO(1);
    QCOMPARE(source.CARINO(), 12345); // source unchanged

    TMobilCariBilgisi card = filledCard();
    card.Kopyala(TMobilCariBilgisi());
    QCOMPARE(card, TMobilCariBilgisi());

    TSiparisDipAyrinti footer;
    footer.setDurumu(u"x"_s);
    footer.Kopyala(TSiparisDipAyrinti());
    QVERIFY(footer.Durumu().isEmpty());

    TTusSonuclari counters;
    counters.setGoruldu(4);
    counters.Kopyala(TTusSonuclari());
    QCOMPARE(counters.Goruldu(), 0);
}

void TestRecords::jsonNullGivesNoRecord()
{
    QVERIFY(!unmarshal<TSonucBilgisi>("null").has_value());
    QVERIFY(!unmarshal<TAcilisEkranlariki>("  null\n").has_value());
}

void TestRecords::nestedAnnouncements()
{
    TAcilisEkranlariki holder;
    holder.setEkranlar({entry(1, QString(), u"Duyuru ı"_s, u"#YENİ#"_s),
                        entry(2, u"ffd8"_s, u"İkinci"_s, u"fren balatası"_s),
                        entry(3, u"00"_s, u"Üçüncü \"tırnak\""_s, u"#KAMPANYA#"_s)});
    const QByteArray json = marshal(holder);

    // ids count up through the nested envelopes, in order
    QRegularExpression idRe(u"\"id\":(\\d+)"_s);
    QList<int> ids;
    for (auto it = idRe.globalMatch(QString::fromUtf8(json)); it.hasNext();)
        ids << it.next().captured(1).toInt();
    QCOMPARE(ids, (QList<int>{1, 2, 3, 4}));

    const QJsonArray list = QJsonDocument::fromJson(json)
                                .object().value(u"fields"_s).toObject().value(u"FEkranlar"_s).toArray();
    QCOMPARE(list.size(), 3);
    for (const QJsonValue &item : list) {
        QCOMPARE(item.toObject().value(u"type"_s).toString(), u"mobilstokunit.TAcilisEkran"_s);
    }
    // every nested envelope keeps the member order too
    const qsizetype firstEntry = json.indexOf("[{") + 1;
    const qsizetype firstEnd = json.indexOf("}}", firstEntry) + 2;
    QCOMPARE(keysInTextOrder(json.mid(firstEntry, firstEnd - firstEntry)),
             (QStringList{u"type"_s, u"id"_s, u"fields"_s}));

    const std::optional<TAcilisEkranlariki> back = unmarshal<TAcilisEkranlariki>(json);
    QVERIFY(back);
    QCOMPARE(*back, holder);
    QCOMPARE(back->Ekranlar().at(0).Resim(), QString());
    QCOMPARE(back->Ekranlar().at(2).SiraNo(), 3);

    QCOMPARE(unmarshal<TAcilisEkranlariki>(marshal(TAcilisEkranlariki()))->Ekranlar().size(), 0);
}

void TestRecords::wrongEnvelopes_data()
{
    QTest::addColumn<QByteArray>("json");

    QTest::newRow("unknown type") << envelopeOf("baglantiu.TBilinmeyen", "{}");
    QTest::newRow("type without unit") << envelopeOf("TSonucBilgisi", "{}");
    QTest::newRow("another known type") << envelopeOf("baglantiu.TTusSonuclari", "{}");
    QTest::newRow("type in other letter case") << envelopeOf("baglantiu.tsonucbilgisi", "{}");
    QTest::newRow("no type") << QByteArray(R"({"id":1,"fields":{}})");
    QTest::newRow("no id") << QByteArray(R"({"type":"baglantiu.TSonucBilgisi","fields":{}})");
    QTest::newRow("no fields") << QByteArray(R"({"type":"baglantiu.TSonucBilgisi","id":1})");
    QTest::newRow("fields is an array") << envelopeOf("baglantiu.TSonucBilgisi", "[]");
    QTest::newRow("text as number") << envelopeOf("baglantiu.TSonucBilgisi", R"({"FADI":5})");
    QTest::newRow("integer as text") << envelopeOf("baglantiu.TSonucBilgisi", R"({"FCARINO":"5"})");
    QTest::newRow("integer with fraction") << envelopeOf("baglantiu.TSonucBilgisi", R"({"FCARINO":1.5})");
    QTest::newRow("integer above 32 bits") << envelopeOf("baglantiu.TSonucBilgisi", R"({"FCARINO":2147483648})");
    QTest::newRow("integer below 32 bits") << envelopeOf("baglantiu.TSonucBilgisi", R"({"FCARINO":-2147483649})");
    QTest::newRow("integer far out of range") << envelopeOf("baglantiu.TSonucBilgisi", R"({"FCARINO":1e300})");
    QTest::newRow("integer as boolean") << envelopeOf("baglantiu.TSonucBilgisi", R"({"FCARINO":true})");
    QTest::newRow("boolean as number") << envelopeOf("baglantiu.TSonucBilgisi", R"({"FVarmi":1})");
    QTest::newRow("boolean as text") << envelopeOf("baglantiu.TSonucBilgisi", R"({"FVarmi":"true"})");
    QTest::newRow("not JSON") << QByteArray("{\"type\":");
    QTest::newRow("JSON array") << QByteArray("[]");
    QTest::newRow("JSON number") << QByteArray("1");
    QTest::newRow("empty text") << QByteArray();
    QTest::newRow("invalid UTF-8") << envelopeOf("baglantiu.TSonucBilgisi", "{\"FADI\":\"\xff\"}");
}

void TestRecords::wrongEnvelopes()
{
    QFETCH(QByteArray, json);
    QVERIFY_THROWS_EXCEPTION(WireError, unmarshal<TSonucBilgisi>(json));
}

void TestRecords::missingFieldsKeepDefaults()
{
    const auto s = unmarshal<TSonucBilgisi>(envelopeOf("baglantiu.TSonucBilgisi", R"({"FADI":"ali","FCARINO":null})"));
    QVERIFY(s);
    QCOMPARE(s->ADI(), u"ali"_s);
    QCOMPARE(s->CARINO(), 0);
    QCOMPARE(s->MusteriTipi(), 1);

    // wrong kinds inside nested entries and lists are errors too
    QVERIFY_THROWS_EXCEPTION(WireError, unmarshal<TAcilisEkranlariki>(envelopeOf(
        "mobilstokunit.TAcilisEkranlariki", R"({"FEkranlar":{}})")));
    QVERIFY_THROWS_EXCEPTION(WireError, unmarshal<TAcilisEkranlariki>(envelopeOf(
        "mobilstokunit.TAcilisEkranlariki", R"({"FEkranlar":[1]})")));
    QVERIFY_THROWS_EXCEPTION(WireError, unmarshal<TAcilisEkranlariki>(envelopeOf(
        "mobilstokunit.TAcilisEkranlariki",
        R"({"FEkranlar":[{"type":"baglantiu.TSonucBilgisi","id":2,"fields":{}}]})")));
    QVERIFY_THROWS_EXCEPTION(WireError, unmarshal<TAcilisEkranlariki>(envelopeOf(
        "mobilstokunit.TAcilisEkranlariki",
        R"({"FEkranlar":[{"type":"mobilstokunit.TAcilisEkran","id":2,"fields":{"FSiraNo":"1"}}]})")));
    QVERIFY_THROWS_EXCEPTION(WireError, unmarshal<TMobilCariBilgisi>(envelopeOf(
        "mobilstokunit.TMobilCariBilgisi", R"({"FTLBORC":"1,5"})")));
}

void TestRecords::textsSurvive_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("turkish letters") << u"ığüşöçİĞÜŞÖÇ"_s;
    QTest::newRow("non-BMP") << u"\U0001F697 araç"_s;
    QTest::newRow("quotes and backslashes") << u"a\"b\\c/d"_s;
    QTest::newRow("control characters") << QString(u"\n\r\t\b\f\x01\x1f\0end"_s);
    QTest::newRow("empty") << QString();
}

void TestRecords::textsSurvive()
{
    QFETCH(QString, text);
    TSonucBilgisi s;
    s.setCariAdi(text);
    const QByteArray json = marshal(s);
    QVERIFY(QJsonDocument::fromJson(json).isObject()); // still valid JSON for any parser
    QCOMPARE(unmarshal<TSonucBilgisi>(json)->CariAdi(), text);

    // escapes another writer may use are read as well
    const auto escaped = unmarshal<TSiparisDipAyrinti>(envelopeOf(
        "baglantiu.TSiparisDipAyrinti", R"({"FDurumu":"\u0131\u011f\ud83d\ude97\/\"\\"})"));
    QCOMPARE(escaped->Durumu(), u"ığ\U0001F697/\"\\"_s);
}

QTEST_GUILESS_MAIN(TestRecords)
#include "tst_records.moc"
