#include "client/catalogue/asyncresim.h"
#include "client/catalogue/miktarhesabi.h"
#include "client/catalogue/stoklistesi.h"
#include "wire/dataset.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestMiktarHesabi : public QObject
{
    Q_OBJECT

private slots:
    void hesapla_data()
    {
        QTest::addColumn<double>("fiyat");
        QTest::addColumn<double>("miktar");
        QTest::addColumn<QList<double>>("oranlar");
        QTest::addColumn<double>("kdv");
        QTest::addColumn<double>("indirim");
        QTest::addColumn<double>("netBirim");
        QTest::addColumn<double>("kdvDahil");
        QTest::addColumn<double>("genel");
        QTest::newRow("worked example") << 100.0 << 3.0 << QList<double>{10, 5, 0, 0} << 20.0 << 43.5 << 85.5
                                        << 102.6 << 307.8;
        QTest::newRow("rates compound: 10 and 10 make 19 %")
            << 100.0 << 1.0 << QList<double>{10, 10, 0, 0} << 0.0 << 19.0 << 81.0 << 81.0 << 81.0;
        QTest::newRow("negative rate ignored") << 100.0 << 2.0 << QList<double>{-10, 0, 0, 5} << 0.0 << 10.0
                                               << 95.0 << 95.0 << 190.0;
        QTest::newRow("no discount") << 12.5 << 4.0 << QList<double>{0, 0, 0, 0} << 20.0 << 0.0 << 12.5 << 15.0
                                     << 60.0;
        QTest::newRow("quantity 0 gives net unit price 0") << 100.0 << 0.0 << QList<double>{10, 0, 0, 0} << 20.0
                                                            << 0.0 << 0.0 << 0.0 << 0.0;
        // the total is the rounded unit price times Q, not the net amount:
        // N = 1.01, U = 0.34, total 1.02
        QTest::newRow("total from the rounded unit price") << 0.335 << 3.0 << QList<double>{0, 0, 0, 0} << 0.0
                                                            << 0.0 << 0.34 << 0.34 << 1.02;
        QTest::newRow("halves away from zero") << 0.125 << 1.0 << QList<double>{0, 0, 0, 0} << 0.0 << 0.0 << 0.13
                                               << 0.13 << 0.13;
    }
    void hesapla()
    {
        QFETCH(double, fiyat);
        QFETCH(double, miktar);
        QFETCH(QList<double>, oranlar);
        QFETCH(double, kdv);
        MiktarGirdisi g;
        g.fiyat = fiyat;
        g.miktar = miktar;
        for (int i = 0; i < 4; ++i)
            g.oranlar[size_t(i)] = oranlar[i];
        g.kdv = kdv;
        const MiktarSonucu s = MiktarHesapla(g);
        QTEST(s.indirimTutari, "indirim");
        QTEST(s.netBirimFiyat, "netBirim");
        QTEST(s.kdvDahil, "kdvDahil");
        QTEST(s.genelTutar, "genel");
    }

    void f4TwiceDividesBy144()
    {
        QCOMPARE(F4Fiyati(F4Fiyati(144.0)), 100.0);
        QCOMPARE(F4Fiyati(F4Fiyati(100.0)), 100.0 / 1.44);
    }

    void koliyeYuvarla_data()
    {
        QTest::addColumn<int>("miktar");
        QTest::addColumn<int>("koli");
        QTest::addColumn<int>("beklenen");
        QTest::newRow("8 in packages of 6 becomes 12") << 8 << 6 << 12;
        QTest::newRow("a whole multiple stays") << 12 << 6 << 12;
        QTest::newRow("packages of 1 keep any quantity") << 7 << 1 << 7;
        QTest::newRow("package 0 from the server is taken as 1") << 7 << 0 << 7;
        QTest::newRow("negative package is taken as 1") << 7 << -4 << 7;
        QTest::newRow("one below a package") << 4 << 5 << 5;
    }
    void koliyeYuvarla()
    {
        QFETCH(int, miktar);
        QFETCH(int, koli);
        QTEST(KoliyeYuvarla(miktar, koli), "beklenen");
    }

    void gecerliKoliAdet()
    {
        QCOMPARE(GecerliKoliAdet(6), 6);
        QCOMPARE(GecerliKoliAdet(0), 1);
        QCOMPARE(GecerliKoliAdet(-3), 1);
    }

    void aramaHarfi_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("becomes");
        const QList<QPair<QString, QString>> rows = {
            {u"ğ"_s, u"g"_s}, {u"ü"_s, u"u"_s}, {u"ş"_s, u"s"_s}, {u"ö"_s, u"o"_s}, {u"ç"_s, u"c"_s},
            {u"Ğ"_s, u"G"_s}, {u"Ü"_s, u"U"_s}, {u"Ş"_s, u"S"_s}, {u"İ"_s, u"I"_s}, {u"Ö"_s, u"O"_s},
            {u"Ç"_s, u"C"_s}, {u"ı"_s, u"I"_s}, {u"i"_s, u"i"_s}, {u"a"_s, u"a"_s}};
        for (const auto &[typed, becomes] : rows)
            QTest::newRow(qPrintable(u"typed "_s + typed)) << typed << becomes;
    }
    void aramaHarfi()
    {
        QFETCH(QString, typed);
        QTEST(AramaHarfi(typed), "becomes");
    }

    void fiyatBilgisi_data()
    {
        QTest::addColumn<double>("kampanya");
        QTest::addColumn<int>("lines");
        QTest::newRow("no campaign price: three lines") << 0.0 << 3;
        QTest::newRow("negative campaign price: three lines") << -5.0 << 3;
        QTest::newRow("campaign price: four lines") << 85.0 << 4;
    }
    void fiyatBilgisi()
    {
        QFETCH(double, kampanya);
        QFETCH(int, lines);
        using wire::FieldType;
        wire::PacketWriter w({{u"LISTEFIYAT1"_s, FieldType::Float}, {u"KAMPFIYAT"_s, FieldType::Float},
                              {u"NETFIYAT"_s, FieldType::Float}, {u"KDVDAHIL"_s, FieldType::Float}});
        w.real(1234.5).real(kampanya).real(80).real(96);
        wire::DataSet ds;
        ds.setLocale(QLocale::c());
        ds.setTable(wire::Table::fromPacket(w.finish()));
        const QString text = FiyatBilgisi(ds, 0);
        QVERIFY(text.endsWith(u"\r\n"_s));
        const QStringList parts = text.split(u"\r\n"_s, Qt::SkipEmptyParts);
        QCOMPARE(parts.size(), lines);
        QCOMPARE(parts.first(), u"Liste Fiyatı: 1,234.50"_s);
        QCOMPARE(parts.last(), u"KDV li Fiyat: 96.00"_s);
        QCOMPARE(parts.at(parts.size() - 2), u"NetFiyat: 80.00"_s);
        if (lines == 4)
            QCOMPARE(parts.at(1), u"Kampanyalı Fiyat: 85.00"_s);
    }

    void decoderFor_data()
    {
        QTest::addColumn<QString>("contentType");
        QTest::addColumn<QByteArray>("decoder");
        QTest::newRow("png") << u"image/png"_s << QByteArray("png");
        QTest::newRow("bmp") << u"image/bmp"_s << QByteArray("bmp");
        QTest::newRow("jpeg") << u"image/jpeg"_s << QByteArray("jpg");
        QTest::newRow("jpg") << u"image/jpg"_s << QByteArray("jpg");
        QTest::newRow("capitals ignored") << u"IMAGE/JPEG"_s << QByteArray("jpg");
        QTest::newRow("gif not shown") << u"image/gif"_s << QByteArray();
        QTest::newRow("text not shown") << u"text/html"_s << QByteArray();
        QTest::newRow("empty") << QString() << QByteArray();
    }
    void decoderFor()
    {
        QFETCH(QString, contentType);
        QTEST(TAsyncResim::decoderFor(contentType), "decoder");
    }
};

QTEST_MAIN(TestMiktarHesabi)
#include "tst_miktarhesabi.moc"
