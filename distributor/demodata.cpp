#include "demodata.h"

#include "media.h"
#include "pricing.h"
#include "store.h"
#include "textfold.h"

#include <wire/datapacket.h>
#include <wire/decimal.h>

#include <QDateTime>
#include <QRandomGenerator>

#include <cmath>

using namespace Qt::StringLiterals;

namespace distributor {

namespace {

constexpr quint32 kSeed = 20240917u;

struct PartKind
{
    const char16_t *name;
    const char16_t *english;
    const char16_t *group;
    const char16_t *code;
    double basePrice;
    int box;
    bool set;
    QList<const char16_t *> brands;
};

const QList<PartKind> &partKinds()
{
    static const QList<PartKind> kinds = {
        {u"Fren Balatası Ön", u"Brake Pad Set Front", u"FREN", u"FRN", 1150, 1, true, {u"Bosch", u"TRW", u"Brembo", u"Textar", u"Ferodo"}},
        {u"Fren Balatası Arka", u"Brake Pad Set Rear", u"FREN", u"FRN", 980, 1, true, {u"Bosch", u"TRW", u"Brembo", u"Textar"}},
        {u"Fren Diski Ön", u"Brake Disc Front", u"FREN", u"FRN", 1650, 2, false, {u"Brembo", u"Bosch", u"TRW", u"Textar"}},
        {u"Yağ Filtresi", u"Oil Filter", u"FİLTRE", u"FLT", 185, 10, false, {u"Mann-Filter", u"Mahle", u"Bosch", u"Filtron"}},
        {u"Hava Filtresi", u"Air Filter", u"FİLTRE", u"FLT", 240, 5, false, {u"Mann-Filter", u"Mahle", u"Bosch", u"Filtron"}},
        {u"Polen Filtresi", u"Cabin Filter", u"FİLTRE", u"FLT", 210, 5, false, {u"Mann-Filter", u"Mahle", u"Bosch"}},
        {u"Yakıt Filtresi", u"Fuel Filter", u"FİLTRE", u"FLT", 420, 5, false, {u"Mann-Filter", u"Mahle", u"Bosch", u"Delphi"}},
        {u"Debriyaj Seti", u"Clutch Kit", u"DEBRİYAJ", u"DBR", 5400, 1, true, {u"Sachs", u"Luk", u"Valeo"}},
        {u"Debriyaj Rulmanı", u"Release Bearing", u"DEBRİYAJ", u"DBR", 950, 1, false, {u"Sachs", u"Luk", u"Valeo", u"SKF"}},
        {u"Amortisör Ön", u"Shock Absorber Front", u"SÜSPANSİYON", u"SSP", 2350, 2, false, {u"Sachs", u"Monroe", u"Bilstein", u"KYB"}},
        {u"Amortisör Arka", u"Shock Absorber Rear", u"SÜSPANSİYON", u"SSP", 1850, 2, false, {u"Sachs", u"Monroe", u"Bilstein", u"KYB"}},
        {u"Rotil", u"Ball Joint", u"SÜSPANSİYON", u"SSP", 640, 2, false, {u"Lemförder", u"TRW", u"Febi Bilstein", u"Moog"}},
        {u"Salıncak Ön Sol", u"Control Arm Front Left", u"SÜSPANSİYON", u"SSP", 1900, 1, false, {u"Lemförder", u"TRW", u"Febi Bilstein"}},
        {u"Rot Başı", u"Tie Rod End", u"SÜSPANSİYON", u"SSP", 520, 2, false, {u"Lemförder", u"TRW", u"Moog"}},
        {u"Triger Seti", u"Timing Belt Kit", u"MOTOR", u"MTR", 3200, 1, true, {u"Gates", u"Contitech", u"SKF", u"INA", u"Dayco"}},
        {u"Devirdaim Pompası", u"Water Pump", u"MOTOR", u"MTR", 1750, 1, false, {u"SKF", u"Gates", u"Graf", u"Febi Bilstein"}},
        {u"V Kayışı", u"V-Ribbed Belt", u"MOTOR", u"MTR", 380, 5, false, {u"Gates", u"Contitech", u"Dayco"}},
        {u"Üst Takım Conta", u"Head Gasket Set", u"MOTOR", u"MTR", 2100, 1, true, {u"Elring", u"Corteco", u"Victor Reinz"}},
        {u"Buji", u"Spark Plug", u"ATEŞLEME", u"ATS", 165, 4, false, {u"NGK", u"Bosch", u"Denso", u"Beru"}},
        {u"Ateşleme Bobini", u"Ignition Coil", u"ATEŞLEME", u"ATS", 1450, 1, false, {u"Bosch", u"Beru", u"Delphi", u"Valeo"}},
        {u"Silecek Süpürgesi", u"Wiper Blade", u"ELEKTRİK", u"ELK", 310, 2, true, {u"Bosch", u"Valeo", u"Hella"}},
        {u"Far Ampulü H7", u"Headlamp Bulb H7", u"ELEKTRİK", u"ELK", 120, 10, false, {u"Osram", u"Philips", u"Bosch", u"Hella"}},
        {u"Alternatör", u"Alternator", u"ELEKTRİK", u"ELK", 6900, 1, false, {u"Bosch", u"Valeo", u"Denso"}},
        {u"Termostat", u"Thermostat", u"SOĞUTMA", u"SGT", 560, 2, false, {u"Mahle", u"Wahler", u"Behr"}},
        {u"Radyatör", u"Radiator", u"SOĞUTMA", u"SGT", 3900, 1, false, {u"Behr", u"Valeo", u"Nissens", u"Mahle"}},
        {u"Teker Rulmanı Ön", u"Wheel Bearing Front", u"ŞASİ", u"SAS", 890, 1, true, {u"SKF", u"FAG", u"SNR"}},
    };
    return kinds;
}

struct CarModel
{
    const char16_t *make;
    const char16_t *model;
    const char16_t *engine;
    int oemStyle;
};

const QList<CarModel> &carModels()
{
    static const QList<CarModel> models = {
        {u"Fiat", u"Doblo", u"1.3 Multijet", 2}, {u"Fiat", u"Egea", u"1.3 Multijet", 2},
        {u"Renault", u"Clio IV", u"1.5 dCi", 1}, {u"Renault", u"Megane III", u"1.5 dCi", 1},
        {u"Dacia", u"Duster", u"1.5 dCi", 1}, {u"Ford", u"Focus III", u"1.6 TDCi", 3},
        {u"Ford", u"Transit Custom", u"2.2 TDCi", 3}, {u"Volkswagen", u"Passat B7", u"2.0 TDI", 0},
        {u"Volkswagen", u"Golf VII", u"1.6 TDI", 0}, {u"Skoda", u"Octavia III", u"1.6 TDI", 0},
        {u"Toyota", u"Corolla", u"1.4 D-4D", 4}, {u"Hyundai", u"Accent Era", u"1.5 CRDi", 4},
        {u"Hyundai", u"i20", u"1.4", 4}, {u"Kia", u"Rio", u"1.4 CRDi", 4},
        {u"Opel", u"Astra J", u"1.6", 3}, {u"Peugeot", u"301", u"1.6 HDi", 1},
        {u"Citroen", u"C-Elysee", u"1.6 HDi", 1}, {u"Mercedes", u"Sprinter", u"313 CDI", 0},
        {u"Honda", u"Civic", u"1.6 i-VTEC", 4}, {u"Tofaş", u"Şahin", u"1.6", 2},
    };
    return models;
}

const QStringList &yearRanges()
{
    static const QStringList years = {QString(), u"2008-2012"_s, u"2012-2016"_s, u"2016-2020"_s, u"2020-"_s};
    return years;
}

double brandDiscount(const QString &brand)
{
    const size_t h = qHash(brand, 3u) % 4;
    static const double rates[] = {0.0, 2.0, 3.0, 5.0};
    return rates[h];
}

QString brandPrefix(const QString &brand)
{
    return compactCode(foldForSearch(brand)).left(3);
}

// Whole-lira prices with kuruş, as a price list would have them.
double plausiblePrice(double base, QRandomGenerator &rng)
{
    const double factor = 0.7 + rng.bounded(60) / 100.0;
    return wire::round2(std::floor(base * factor) + 0.9);
}

QString oemNumber(int style, QRandomGenerator &rng)
{
    auto digits = [&](int n) {
        QString s;
        for (int i = 0; i < n; ++i)
            s += QChar(u'0' + char16_t(rng.bounded(10)));
        return s;
    };
    auto letter = [&] { return QChar(u'A' + char16_t(rng.bounded(26))); };
    switch (style) {
    case 0: return u"%1%2%3 %4 %5 %6"_s.arg(digits(1), letter(), digits(1), digits(3), digits(3)).arg(letter());
    case 1: return u"77 01 %1 %2"_s.arg(digits(3), digits(3));
    case 2: return u"5%1"_s.arg(digits(7));
    case 3: return u"1 %1 %2"_s.arg(digits(3), digits(3));
    default: return u"%1-%2%3"_s.arg(digits(5), digits(5), letter());
    }
}

struct Seeder
{
    Store &store;
    QSqlDatabase &db;
    DataSize size;
    QRandomGenerator rng{kSeed};
    double today = 0;
    int stocks = 0;
    QList<double> listPrices; // by stock number - 1
    QList<double> kdvs;
    QList<QString> names;
    QList<QString> codes;
    int invoiceSerial = 0;
    int collectionSerial = 0;
    int paymentSerial = 0;

    Query prepare(const QString &sql) { return Query(db, sql); }

    void run();
    void settings();
    void representatives();
    void customers(int count);
    void users();
    void stock();
    void logistics();
    void announcements();
    void baskets(int customerCount);
    void orders(int customerCount);
    void statements(int customerCount);
};

void Seeder::settings()
{
    Query q = prepare(u"INSERT INTO AYAR (ANAHTAR, DEGER) VALUES (?, ?)"_s);
    q.bind(u"kayanyazi"_s)
        .bind(u"<b><font color=\"#C8102E\">Varko B2B</font></b> &nbsp; Saat <b>16:00</b>'a kadar verilen "
              "siparişler aynı gün kargoda. &nbsp; <i>Fren balatalarında %15 kampanya sürüyor!</i> &nbsp; "
              "<u>Yeni gelen ürünler</u> için Yeni Stoklar sayfasına bakınız."_s)
        .exec();
    q.bind(u"tohum_tarihi"_s).bind(QString::number(today, 'f', 6)).exec();
    q.bind(u"boyut"_s).bind(size == DataSize::Large ? u"large"_s : u"small"_s).exec();
}

void Seeder::representatives()
{
    Query q = prepare(u"INSERT INTO TEMSILCI (SATICINO, ADI, TELEFON, MAIL) VALUES (?, ?, ?, ?)"_s);
    q.bind(1).bind(u"Ahmet Yılmaz"_s).bind(u"0532 411 22 33"_s).bind(u"ahmet.yilmaz@varko.com.tr"_s).exec();
    q.bind(2).bind(u"Elif Kaya"_s).bind(u"0533 512 44 55"_s).bind(u"elif.kaya@varko.com.tr"_s).exec();
    q.bind(3).bind(u"Murat Demir"_s).bind(u"0535 613 66 77"_s).bind(u"murat.demir@varko.com.tr"_s).exec();
}

void Seeder::customers(int count)
{
    static const char16_t *const firms[] = {
        u"Özgür Oto Yedek Parça Ltd. Şti.", u"Karadeniz Otomotiv San. Tic.", u"Ege Rulman ve Yedek Parça",
        u"Başkent Fren Sistemleri", u"Anadolu Motor Parçaları A.Ş.", u"Çukurova Oto San. Tic. Ltd. Şti.",
        u"Marmara Filtre Dünyası", u"Güneydoğu Oto Elektrik", u"Trakya Amortisör Merkezi",
        u"İç Anadolu Debriyaj Ltd. Şti.", u"Akdeniz Oto Aksesuar", u"Yıldız Otomotiv A.Ş.",
    };
    struct Place { const char16_t *city, *district, *taxOffice; };
    static const Place places[] = {
        {u"İstanbul", u"Kadıköy", u"Kadıköy"}, {u"Trabzon", u"Ortahisar", u"Karadeniz"},
        {u"İzmir", u"Bornova", u"Bornova"}, {u"Ankara", u"Yenimahalle", u"Ostim"},
        {u"Konya", u"Karatay", u"Selçuk"}, {u"Adana", u"Seyhan", u"Seyhan"},
        {u"Bursa", u"Nilüfer", u"Nilüfer"}, {u"Gaziantep", u"Şehitkamil", u"Şehitkamil"},
        {u"Edirne", u"Merkez", u"Edirne"}, {u"Kayseri", u"Melikgazi", u"Erciyes"},
        {u"Antalya", u"Muratpaşa", u"Muratpaşa"}, {u"Samsun", u"İlkadım", u"19 Mayıs"},
    };
    static const char16_t *const people[] = {u"Mehmet Öztürk", u"Ayşe Şahin", u"Mustafa Çelik", u"Fatma Arslan",
                                             u"Hasan Koç", u"Zeynep Aydın", u"Hüseyin Kılıç", u"Emine Doğan"};
    static const double ind1[] = {10, 5, 0, 12.5, 15};
    static const double ind2[] = {3, 0, 0, 5};
    static const int terms[] = {30, 45, 60, 90};
    Query q = prepare(
        u"INSERT INTO CARI (CARINO, CARIKOD, CARIADI, SATICINO, YETKILI, OZELKOD, ANAGRUP, ALTGRUP, ADRES1,"
        " ADRES2, ILCE, IL, ULKE, VERGIDAIRESI, VERGINO, TEL1, TEL2, FAX1, FAX2, GSM, EMAIL, VADE, IND1, IND2,"
        " ARAMA) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s);
    for (int i = 0; i < count; ++i) {
        const int carino = 1001 + i;
        const Place &pl = places[i % 12];
        QString name = QString::fromUtf16(firms[i % 12]);
        if (i >= 12)
            name += u" %1. Şube"_s.arg(i / 12 + 1);
        const QString code = u"120.01.%1"_s.arg(i + 1, 3, 10, QChar(u'0'));
        const QString phone = u"0%1 %2 %3 %4"_s.arg(212 + (i * 37) % 300).arg(300 + i * 7 % 600).arg(10 + i % 80).arg(20 + i % 70);
        const QString mailName = compactCode(foldForSearch(name.section(u' ', 0, 0))).toLower();
        q.bind(carino)
            .bind(code)
            .bind(name)
            .bind(i % 3 + 1)
            .bind(QString::fromUtf16(people[i % 8]))
            .bind(i % 4 == 0 ? u"A+"_s : u"B"_s)
            .bind(u"BAYİ"_s)
            .bind(QString::fromUtf16(pl.city).toUpper())
            .bind(u"Sanayi Sitesi %1. Blok No: %2"_s.arg(i % 9 + 1).arg(10 + i))
            .bind(i % 2 ? u"Oto Yedek Parça Çarşısı"_s : QString())
            .bind(QString::fromUtf16(pl.district))
            .bind(QString::fromUtf16(pl.city))
            .bind(u"Türkiye"_s)
            .bind(QString::fromUtf16(pl.taxOffice))
            .bind(u"%1"_s.arg(1234567890LL + qint64(i) * 7919))
            .bind(phone)
            .bind(i % 3 ? QString() : phone.left(phone.size() - 2) + u"99"_s)
            .bind(phone.left(phone.size() - 2) + u"98"_s)
            .bind(QString())
            .bind(u"05%1 %2 %3 %4"_s.arg(30 + i % 9).arg(100 + i * 13 % 800).arg(10 + i % 89).arg(10 + i * 3 % 89))
            .bind(u"info@%1oto.com.tr"_s.arg(mailName))
            .bind(terms[i % 4])
            .bind(ind1[i % 5])
            .bind(ind2[i % 4])
            .bind(foldForSearch(code + u' ' + name + u' ' + QString::fromUtf16(pl.city)))
            .exec();
    }
}

void Seeder::users()
{
    // customer 1001 .. 1005 belong to the demo dealers; representatives
    // 1 and 2 are the demo representatives (type 1 and type 2)
    struct U { int sirano; int type; int carino; int saticino; int active; int version; };
    static const U rows[] = {
        {1, 0, 1001, 1, 1, 1}, {2, 1, 0, 1, 1, 1}, {3, 2, 0, 2, 1, 1}, {4, 3, 1002, 2, 1, 1},
        {5, 4, 1003, 3, 1, 1}, {6, 0, 1004, 1, 0, 1}, {7, 0, 1005, 2, 1, 2},
    };
    Query q = prepare(u"INSERT INTO KULLANICI (SIRANO, ADI, SIFRE, AKTIF, TIP, CARINO, SATICINO, MAIL, VERSIYON)"
                      " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"_s);
    Query d = prepare(u"INSERT INTO CIHAZ (BILGISAYARID, KULLANICI) VALUES (?, ?)"_s);
    const QList<DemoUser> &demo = demoUsers();
    for (int i = 0; i < int(std::size(rows)); ++i) {
        const U &u = rows[i];
        q.bind(u.sirano)
            .bind(demo[i].name)
            .bind(demo[i].password)
            .bind(u.active)
            .bind(u.type)
            .bind(u.carino)
            .bind(u.saticino)
            .bind(demo[i].name.toLower() + u"@varko-demo.com.tr"_s)
            .bind(u.version)
            .exec();
        d.bind(demo[i].device).bind(u.sirano).exec();
    }
}

void Seeder::stock()
{
    const QList<PartKind> &kinds = partKinds();
    const QList<CarModel> &models = carModels();
    const int newCount = size == DataSize::Large ? 120 : 24;
    const int campaignCount = size == DataSize::Large ? 100 : 18;
    const int newEvery = qMax(1, stocks / newCount);
    const int campaignEvery = qMax(1, stocks / campaignCount);
    Query q = prepare(
        u"INSERT INTO STOK (STOKNO, BARKOD, ADI, MARKA, MODEL, FINISHKOD, OEM1, OEM2, OEM3, OEM4, OEMNO,"
        " URETICIKODU, DIGERADI, OZELKOD, ANAGRUP, BIRIM, DPKOD, PKOD, KALAN, VERILENSIPARIS, DURUM, RESIM,"
        " YENI, KAMPANYA, KDV, LISTEFIYAT, KAMPFIYAT, MARKAIND, KOLIADET)"
        " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s);
    Query index = prepare(store.dialect().searchIndexInsert);
    listPrices.reserve(stocks);
    for (int i = 0; i < stocks; ++i) {
        const int stokno = i + 1;
        const PartKind &kind = kinds[i % kinds.size()];
        const CarModel &car = models[(i / kinds.size()) % models.size()];
        const int variant = i / int(kinds.size() * models.size());
        const QString brand = QString::fromUtf16(kind.brands[(i / 3 + variant) % kind.brands.size()]);
        const QString years = yearRanges()[variant % yearRanges().size()];
        QString name = u"%1 %2 %3 %4"_s.arg(QString::fromUtf16(kind.name), QString::fromUtf16(car.make),
                                          QString::fromUtf16(car.model), QString::fromUtf16(car.engine));
        if (!years.isEmpty())
            name += u' ' + years;
        if (variant >= yearRanges().size())
            name += u" Tip %1"_s.arg(variant / yearRanges().size() + 1);
        const QString model = QString::fromUtf16(car.make) + u' ' + QString::fromUtf16(car.model);
        const QString barkod = brandPrefix(brand) + u"%1"_s.arg(stokno, 6, 10, QChar(u'0'));
        const QString oem1 = oemNumber(car.oemStyle, rng);
        const QString oem2 = rng.bounded(3) == 0 ? oemNumber(car.oemStyle, rng) : QString();
        const QString oem3 = rng.bounded(8) == 0 ? oemNumber(car.oemStyle, rng) : QString();
        const QString finish = u"F%1"_s.arg(10000 + int(rng.bounded(89999)));
        const QString maker = brand == u"Bosch"_s
            ? u"0 986 %1 %2"_s.arg(400 + rng.bounded(99), 3, 10, QChar(u'0')).arg(rng.bounded(999), 3, 10, QChar(u'0'))
            : u"%1.%2"_s.arg(10 + rng.bounded(89)).arg(rng.bounded(99999), 5, 10, QChar(u'0'));
        const QString english = QString::fromUtf16(kind.english);
        const QString special = QString::fromUtf16(kind.code);
        int kalan = int(rng.bounded(60)) - 12;
        if (kalan > 30)
            kalan += int(rng.bounded(300));
        kalan = qMax(0, kalan);
        int durum = 1;
        if (kalan == 0) {
            static const int out[] = {0, 0, 3, 5, 4};
            durum = out[rng.bounded(5)];
        } else if (kalan <= 5) {
            durum = 2;
        }
        const int pic = int(rng.bounded(20));
        const int resim = pic < 3 ? 0 : (pic < 12 ? 1 : 2);
        const int yeni = (i % newEvery == 3 % newEvery) ? 1 : 0;
        const int kampanya = (i % campaignEvery == 7 % campaignEvery) ? 1 : 0;
        const double price = plausiblePrice(kind.basePrice, rng);
        const double campaignPrice = kampanya ? wire::round2(price * 0.85) : 0.0;
        const double kdv = 20.0;
        const QString search = foldForSearch(name + u' ' + brand + u' ' + model + u' ' + barkod + u' ' + oem1
                                             + u' ' + oem2 + u' ' + oem3 + u' ' + maker + u' ' + finish + u' '
                                             + english + u' ' + special + u' ' + compactCode(oem1) + u' '
                                             + compactCode(oem2) + u' ' + compactCode(maker));
        q.bind(stokno)
            .bind(barkod)
            .bind(name)
            .bind(brand)
            .bind(model)
            .bind(finish)
            .bind(oem1)
            .bind(oem2)
            .bind(oem3)
            .bind(QString())
            .bind(oem1)
            .bind(maker)
            .bind(english)
            .bind(special)
            .bind(QString::fromUtf16(kind.group))
            .bind(kind.set ? u"Takım"_s : u"Adet"_s)
            .bind(u"D%1"_s.arg(1 + i % 3))
            .bind(u"%1-%2-%3"_s.arg(QChar(u'A' + char16_t(i % 8))).arg(1 + i % 40).arg(1 + i % 6))
            .bind(double(kalan))
            .bind(double(rng.bounded(4) == 0 ? 10 * (1 + rng.bounded(5)) : 0))
            .bind(durum)
            .bind(resim)
            .bind(yeni)
            .bind(kampanya)
            .bind(kdv)
            .bind(price)
            .bind(campaignPrice)
            .bind(brandDiscount(brand))
            .bind(kind.box)
            .exec();
        index.bind(stokno).bind(search).exec();
        listPrices.append(price);
        kdvs.append(kdv);
        names.append(name);
        codes.append(barkod);
    }
}

void Seeder::logistics()
{
    Query t = prepare(u"INSERT INTO TESLIM (ID, ADI) VALUES (?, ?)"_s);
    t.bind(1).bind(u"Depodan Teslim"_s).exec();
    t.bind(2).bind(u"Kargo ile Gönderim"_s).exec();
    t.bind(3).bind(u"Servis Aracı ile Teslim"_s).exec();
    Query k = prepare(u"INSERT INTO KARGOTUR (ID, ADI) VALUES (?, ?)"_s);
    k.bind(1).bind(u"Alıcı Ödemeli"_s).exec();
    k.bind(2).bind(u"Gönderici Ödemeli"_s).exec();
    k.bind(3).bind(u"Anlaşmalı Ambar"_s).exec();
    Query f = prepare(u"INSERT INTO KARGOFIRMA (SIRANO, TURID, ADI, UYARI) VALUES (?, ?, ?, ?)"_s);
    f.bind(1).bind(1).bind(u"Yurtiçi Kargo"_s).bind(u"Saat 16:00'dan sonraki siparişler ertesi gün çıkar."_s).exec();
    f.bind(2).bind(1).bind(u"Aras Kargo"_s).bind(QString()).exec();
    f.bind(3).bind(1).bind(u"MNG Kargo"_s).bind(u"Adrese teslim ücretlidir."_s).exec();
    f.bind(4).bind(2).bind(u"Yurtiçi Kargo"_s).bind(u"Gönderici ödemeli gönderiler 2.000 TL üzeri siparişlerde geçerlidir."_s).exec();
    f.bind(5).bind(2).bind(u"Sürat Kargo"_s).bind(u"Hafta sonu dağıtım yapılmaz."_s).exec();
    f.bind(6).bind(3).bind(u"Varko Anlaşmalı Ambar"_s).bind(u"Ambar teslimi ilçe merkezlerine 2 iş günüdür."_s).exec();
}

void Seeder::announcements()
{
    Query q = prepare(u"INSERT INTO DUYURU (TUR, SIRA, BASLIK, ARAMA, RESIM) VALUES (?, ?, ?, ?, ?)"_s);
    struct A { int type; const char16_t *title; const char16_t *line; const char16_t *search; QColor colour; bool picture; };
    const A rows[] = {
        {1, u"Fren Sistemlerinde %15 İndirim", u"Kampanyalı ürünleri görmek için tıklayın", u"#KAMPANYA#", QColor(200, 16, 32), true},
        {1, u"Yeni Gelen Ürünler", u"Bu ay kataloğa eklenen parçalar", u"#YENİ#", QColor(10, 31, 78), true},
        {1, u"Bosch Silecek Süpürgeleri", u"Kış öncesi stoklarınızı tamamlayın", u"SILECEK BOSCH", QColor(0, 110, 60), true},
        {2, u"Kampanya Dönemi Başladı", u"Seçili ürünlerde net fiyatlar", u"#KAMPANYA#", QColor(180, 80, 0), true},
        {2, u"Yeni Stoklar Listede", u"Yeni ürünleri inceleyin", u"#YENİ#", QColor(60, 60, 140), true},
        {2, u"Triger Setleri", u"Gates ve Contitech triger setleri stokta", u"TRIGER", QColor(90, 20, 90), true},
        {2, u"Bayram Tatili Duyurusu", u"Depomuz bayramın ilk günü kapalıdır", u" ", QColor(0, 0, 0), false},
    };
    int position[3] = {0, 0, 0};
    for (const A &a : rows) {
        const QString title = QString::fromUtf16(a.title);
        q.bind(a.type).bind(position[a.type]++).bind(title).bind(QString::fromUtf16(a.search));
        if (a.picture)
            q.bind(media::announcementJpeg(title, QString::fromUtf16(a.line), a.colour));
        else
            q.bind(QVariant(QMetaType(QMetaType::QByteArray)));
        q.exec();
    }
}

LineAmounts amountsOf(double qty, double price, double kdv, const double rates[4])
{
    return lineAmounts(qty, price, kdv, Rates{rates[0], rates[1], rates[2], rates[3]});
}

void Seeder::baskets(int customerCount)
{
    Query q = prepare(
        u"INSERT INTO SEPET (CARINO, STOKNO, BARKOD, STOKADI, MIKTAR, BIRIMFIYAT, KDV, IND1, IND2, IND3, IND4, K,"
        " SEC, VERENIDNO, VERILISTARIHI, TUTAR, INDIRIMTUTAR, NETTUTAR, NETBIRIMFIYAT, VERGITUTARI)"
        " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s);
    for (int c = 0; c < customerCount; ++c) {
        const int carino = 1001 + c;
        // the demo dealer starts with two lines; every third other customer has a basket
        if (carino != 1001 && c % 3 != 1)
            continue;
        const int lines = carino == 1001 ? 2 : 1 + int(rng.bounded(3));
        for (int l = 0; l < lines; ++l) {
            const int stokno = 1 + int(rng.bounded(quint32(stocks)));
            const double qty = 1 + rng.bounded(4);
            const double rates[4] = {double(c % 5) * 2.5, 0, 0, 0};
            const double price = listPrices[stokno - 1];
            const LineAmounts a = amountsOf(qty, price, kdvs[stokno - 1], rates);
            q.bind(carino).bind(stokno).bind(codes[stokno - 1]).bind(names[stokno - 1]).bind(qty).bind(price)
                .bind(kdvs[stokno - 1]).bind(rates[0]).bind(0.0).bind(0.0).bind(0.0).bind(0).bind(l == 0 ? 1 : 0)
                .bind(carino == 1001 ? 1 : 2).bind(today - 1 - l).bind(a.tutar).bind(a.indirimTutar).bind(a.netTutar)
                .bind(a.netBirimFiyat).bind(a.vergiTutari).exec();
        }
    }
}

void Seeder::orders(int customerCount)
{
    static const char16_t *const notes[] = {u"", u"Acil lütfen", u"Faturayı şube adına kesiniz.", u"",
                                            u"Kargo ile gönderiniz", u""};
    static const char16_t *const replies[] = {u"", u"Siparişiniz hazırlanıyor.", u"", u"Eksik ürün tedarikte.", u""};
    Query order = prepare(
        u"INSERT INTO SIPARIS (CARINO, TARIH, VERENIDNO, VEREN, TESLIMID, KARGOTURID, KARGOFIRMAID, VERENINNOTU,"
        " ALANNOTU, SATICINOTU, DURUM) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) RETURNING IDNO"_s);
    Query line = prepare(
        u"INSERT INTO SIPARISSATIR (IDNO, SEPETSIRANO, STOKNO, BARKOD, STOKADI, MIKTAR, ILKMIKTAR, TESLIMEDILEN,"
        " BIRIMFIYAT, ILKFIYAT, KDV, IND1, IND2, IND3, IND4, K, TUTAR, INDIRIMTUTAR, NETTUTAR, NETBIRIMFIYAT,"
        " VERGITUTARI, VERILISTARIHI, VERENIDNO, VEREN)"
        " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s);
    static const int firmsOfType[4][3] = {{0, 0, 0}, {1, 2, 3}, {4, 5, 4}, {6, 6, 6}};
    int basketSerial = 100;
    for (int c = 0; c < customerCount; ++c) {
        const int carino = 1001 + c;
        const int count = 3 + int(rng.bounded(4));
        for (int o = 0; o < count; ++o) {
            const double date = today - 2 - o * (3 + rng.bounded(9)) - rng.bounded(2);
            int state = 2 + int(rng.bounded(6));
            if (date < today - 25)
                state = 7; // old orders have been shipped
            const int cargoType = 1 + int(rng.bounded(3));
            const int by = rng.bounded(3) == 0 ? 2 : 1;
            const QString byName = by == 1 ? u"Ahmet Yılmaz"_s : u"Bayi Kullanıcısı"_s;
            order.bind(carino).bind(date).bind(by).bind(byName).bind(1 + int(rng.bounded(3))).bind(cargoType)
                .bind(firmsOfType[cargoType][rng.bounded(3)]).bind(QString::fromUtf16(notes[rng.bounded(6)]))
                .bind(QString::fromUtf16(replies[rng.bounded(5)]))
                .bind(rng.bounded(4) == 0 ? u"Müşteri ile görüşüldü, fiyat onaylandı."_s : QString())
                .bind(state).exec();
            order.next();
            const int idno = order.intValue(0);
            const int lines = 2 + int(rng.bounded(5));
            for (int l = 0; l < lines; ++l) {
                const int stokno = 1 + int(rng.bounded(quint32(stocks)));
                const double qty = 1 + rng.bounded(6);
                const double rates[4] = {double((c % 5) * 2.5 + (c % 2) * 5), double(c % 3), 0, 0};
                const double price = listPrices[stokno - 1];
                const LineAmounts a = amountsOf(qty, price, kdvs[stokno - 1], rates);
                double delivered = 0;
                if (state == 7)
                    delivered = rng.bounded(4) == 0 ? std::floor(qty / 2) : qty;
                line.bind(idno).bind(++basketSerial).bind(stokno).bind(codes[stokno - 1]).bind(names[stokno - 1])
                    .bind(qty).bind(qty).bind(delivered).bind(price).bind(price).bind(kdvs[stokno - 1])
                    .bind(rates[0]).bind(rates[1]).bind(0.0).bind(0.0).bind(0).bind(a.tutar).bind(a.indirimTutar)
                    .bind(a.netTutar).bind(a.netBirimFiyat).bind(a.vergiTutari).bind(date).bind(by).bind(byName).exec();
            }
        }
    }
}

void Seeder::statements(int customerCount)
{
    Query move = prepare(
        u"INSERT INTO HAREKET (CARINO, TARIH, TUR, EVRAKNO, BORC, ALACAK, VADE, ACIKLAMA, SATICINO, SANALPOSNO)"
        " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?) RETURNING IDNO"_s);
    Query invoiceLine = prepare(
        u"INSERT INTO FATURASATIR (IDNO, STOKNO, MIKTAR, BIRIMFIYAT, IND1, IND2, KDV, TUTAR, INDIRIMTUTAR,"
        " NETTUTAR, NETBIRIMFIYAT, VERGI, SIPARISIDNO) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s);
    Query payment = prepare(
        u"INSERT INTO TAHSILATSATIR (IDNO, TARIH, TURU, CINS, EVRAKNO, VADE, TUTAR, ACIKLAMA, REF, SAAT)"
        " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s);
    Query card = prepare(
        u"INSERT INTO SANALPOS (IDNO, KARTNO, KARTSAHIBI, TUTAR, TARIH, ONAYKODU) VALUES (?, ?, ?, ?, ?, ?)"
        " RETURNING SIRANO"_s);
    Query setCard = prepare(u"UPDATE HAREKET SET SANALPOSNO = ? WHERE IDNO = ?"_s);
    Query terms = prepare(u"SELECT VADE, SATICINO, IND1, CARIADI FROM CARI WHERE CARINO = ?"_s);
    const int year = QDate::currentDate().year();
    static const char16_t *const kinds[] = {u"Nakit", u"Çek", u"Kredi Kartı", u"Sanal Pos", u"Havale"};

    for (int c = 0; c < customerCount; ++c) {
        const int carino = 1001 + c;
        terms.bind(carino).exec();
        terms.next();
        const int term = terms.intValue(0);
        const int rep = terms.intValue(1);
        const double rate = terms.realValue(2);
        const QString firm = terms.text(3);
        double balance = 0;
        for (double date = today - 175 + c % 7; date < today - 1; date += 6 + rng.bounded(10)) {
            const int dice = int(rng.bounded(100));
            if (dice < 68 || balance < 500) {
                const bool isReturn = dice >= 96 && balance > 2000;
                move.bind(carino).bind(date).bind(isReturn ? 4 : 1)
                    .bind(u"VRK%1%2"_s.arg(year).arg(++invoiceSerial, 6, 10, QChar(u'0')))
                    .bind(0.0).bind(0.0).bind(term)
                    .bind(isReturn ? u"Hasarlı ürün iadesi"_s : u"Satış"_s).bind(rep).bind(0).exec();
                move.next();
                const int idno = move.intValue(0);
                double total = 0;
                const int lines = isReturn ? 1 : 2 + int(rng.bounded(5));
                for (int l = 0; l < lines; ++l) {
                    const int stokno = 1 + int(rng.bounded(quint32(stocks)));
                    const double qty = 1 + rng.bounded(isReturn ? 2 : 8);
                    const double rates[4] = {rate, 0, 0, 0};
                    const LineAmounts a = amountsOf(qty, listPrices[stokno - 1], kdvs[stokno - 1], rates);
                    invoiceLine.bind(idno).bind(stokno).bind(qty).bind(listPrices[stokno - 1]).bind(rate).bind(0.0)
                        .bind(kdvs[stokno - 1]).bind(a.tutar).bind(a.indirimTutar).bind(a.netTutar).bind(a.netBirimFiyat)
                        .bind(a.vergiTutari).bind(0).exec();
                    total = wire::round2(total + a.netTutar + a.vergiTutari);
                }
                Query(db, isReturn ? u"UPDATE HAREKET SET ALACAK = ? WHERE IDNO = ?"_s
                                   : u"UPDATE HAREKET SET BORC = ? WHERE IDNO = ?"_s)
                    .bind(total).bind(idno).exec();
                balance += isReturn ? -total : total;
            } else if (dice < 97) {
                const double amount = std::max(100.0, std::floor(balance * (0.3 + rng.bounded(50) / 100.0) / 50) * 50);
                const QString kind = QString::fromUtf16(kinds[rng.bounded(5)]);
                move.bind(carino).bind(date).bind(2)
                    .bind(u"THS%1%2"_s.arg(year).arg(++collectionSerial, 6, 10, QChar(u'0')))
                    .bind(0.0).bind(amount).bind(0).bind(kind + u" tahsilatı"_s).bind(rep).bind(0).exec();
                move.next();
                const int idno = move.intValue(0);
                const bool split = kind == u"Çek"_s && amount >= 1000;
                const double first = split ? std::floor(amount / 2) : amount;
                for (int part = 0; part < (split ? 2 : 1); ++part) {
                    const double value = part == 0 ? first : wire::round2(amount - first);
                    payment.bind(idno).bind(date).bind(u"Tahsilat"_s).bind(kind)
                        .bind(u"%1-%2"_s.arg(collectionSerial).arg(part + 1))
                        .bind(kind == u"Çek"_s ? date + 30 * (part + 1) : date).bind(value)
                        .bind(kind == u"Çek"_s ? u"Müşteri çeki"_s : QString())
                        .bind(kind == u"Sanal Pos"_s ? u"POS%1"_s.arg(700000 + collectionSerial) : QString())
                        .bind(u"%1:%2"_s.arg(9 + part + int(rng.bounded(8)), 2, 10, QChar(u'0'))
                                  .arg(int(rng.bounded(60)), 2, 10, QChar(u'0')))
                        .exec();
                }
                if (kind == u"Sanal Pos"_s) {
                    card.bind(idno).bind(u"5401 **** **** %1"_s.arg(1000 + int(rng.bounded(8999))))
                        .bind(firm).bind(amount).bind(date)
                        .bind(u"%1"_s.arg(100000 + int(rng.bounded(899999)))).exec();
                    card.next();
                    setCard.bind(card.intValue(0)).bind(idno).exec();
                }
                balance -= amount;
            } else {
                const double amount = 250.0 * (1 + rng.bounded(4));
                move.bind(carino).bind(date).bind(3)
                    .bind(u"TDY%1%2"_s.arg(year).arg(++paymentSerial, 6, 10, QChar(u'0')))
                    .bind(amount).bind(0.0).bind(0).bind(u"Fazla ödeme iadesi"_s).bind(rep).bind(0).exec();
                move.next();
                payment.bind(move.intValue(0)).bind(date).bind(u"Tediye"_s).bind(u"Havale"_s)
                    .bind(u"TDY-%1"_s.arg(paymentSerial)).bind(date).bind(amount).bind(u"İade ödemesi"_s)
                    .bind(QString()).bind(u"11:30"_s).exec();
                balance += amount;
            }
        }
    }
}

void Seeder::run()
{
    today = std::floor(wire::toOleDate(QDateTime(QDate::currentDate(), QTime(0, 0))));
    stocks = stockCountFor(size);
    const int customerCount = size == DataSize::Large ? 60 : 12;
    settings();
    representatives();
    customers(customerCount);
    users();
    stock();
    logistics();
    announcements();
    baskets(customerCount);
    orders(customerCount);
    statements(customerCount);
}

} // namespace

const QList<DemoUser> &demoUsers()
{
    static const QList<DemoUser> users = {
        {u"VARKO-DEMO-BAYI"_s, u"BAYI"_s, u"1234"_s, 0, u"bayi (tip 0), cari 1001"_s},
        {u"VARKO-DEMO-TEMSILCI"_s, u"TEMSILCI"_s, u"2345"_s, 1, u"satış temsilcisi (tip 1), Ahmet Yılmaz"_s},
        {u"VARKO-DEMO-YONETICI"_s, u"YONETICI"_s, u"3456"_s, 2, u"fiyat değiştirebilen temsilci (tip 2), Elif Kaya"_s},
        {u"VARKO-DEMO-BAYI3"_s, u"BAYI3"_s, u"4567"_s, 3, u"durum sütunsuz bayi (tip 3), cari 1002"_s},
        {u"VARKO-DEMO-BAYI4"_s, u"BAYI4"_s, u"5678"_s, 4, u"kampanyasız bayi (tip 4), cari 1003"_s},
        {u"VARKO-DEMO-PASIF"_s, u"PASIF"_s, u"6789"_s, 0, u"etkin olmayan kullanıcı, cari 1004"_s},
        {u"VARKO-DEMO-GUNCELLE"_s, u"ESKI"_s, u"7890"_s, 0, u"sürüm 2 bildiren kayıt (güncelleme), cari 1005"_s},
    };
    return users;
}

QString demoUsersText()
{
    QString text;
    for (const DemoUser &u : demoUsers())
        text += u"  %1  %2 / %3  %4\n"_s.arg(u.device, -22).arg(u.name, -9).arg(u.password, -5).arg(u.role);
    text += u"  any other identifier: unknown device (FVarmi false, request form)\n"_s;
    return text;
}

int stockCountFor(DataSize size)
{
    return size == DataSize::Large ? 200000 : 1500;
}

void seedStore(Store &store, DataSize size)
{
    store.write([&](QSqlDatabase &db) {
        store.createTables(db);
        Seeder seeder{store, db, size};
        seeder.run();
    });
}

} // namespace distributor
