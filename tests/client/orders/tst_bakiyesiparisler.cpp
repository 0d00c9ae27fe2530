#include "tests/client/rep/deskfixture.h"

#include "client/app/mainwindow.h"
#include "client/app/tabbadge.h"
#include "client/orders/bakiyedegistir.h"
#include "client/orders/bakiyesiparisler.h"
#include "client/orders/balancespage.h"
#include "client/orders/fiyatdegistir.h"
#include "client/widgets/datagrid.h"

#include <QAction>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QSpinBox>
#include <QTest>

namespace {

// a customer of the price-changing representative with open balances
constexpr int kKaradeniz = 1002;

// amount and discount of each line
using Lines = QList<QPair<double, double>>;

wire::Table balanceLines(const QList<QPair<double, double>> &amountAndDiscount)
{
    wire::PacketWriter w({{u"IDNO"_s, wire::FieldType::Integer, 0},
                          {u"TUTAR"_s, wire::FieldType::Float, 0},
                          {u"INDIRIMTUTAR"_s, wire::FieldType::Float, 0}});
    for (const auto &[tutar, indirim] : amountAndDiscount)
        w.integer(0).real(tutar).real(indirim);
    return wire::Table::fromPacket(w.finish());
}

QString labelText(QWidget *w, const QString &name)
{
    return w->findChild<QLabel *>(name)->text();
}

} // namespace

class TestBakiyesiparisler : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // "1,234.56": the same separators on every machine
        QLocale::setDefault(QLocale::c());
    }

    void init()
    {
        m_fixture = std::make_unique<DeskFixture>();
        QVERIFY2(m_fixture->started(), qPrintable(m_fixture->error()));
        m_bag = m_fixture->connection();
    }
    void cleanup()
    {
        m_bag.reset();
        m_fixture.reset();
    }

    void totals_data()
    {
        QTest::addColumn<Lines>("lines");
        QTest::addColumn<QStringList>("expected"); // Toplam, İndirim, Ara Toplam, Vergi, Genel Toplam
        QTest::newRow("net 50 gives a flat 10 tax")
            << Lines{{40.0, 4.0}, {20.0, 6.0}}
            << QStringList{u"60.00"_s, u"10.00"_s, u"50.00"_s, u"10.00"_s, u"60.00"_s};
        QTest::newRow("a total below 10 keeps a leading zero")
            << Lines{{3.0, 0.5}, {2.5, 0.0}}
            << QStringList{u"5.50"_s, u"0.50"_s, u"5.00"_s, u"1.00"_s, u"06.00"_s};
        QTest::newRow("rounded after every addition")
            << Lines{{0.005, 0.0}, {0.005, 0.0}}
            << QStringList{u"0.02"_s, u"0.00"_s, u"0.02"_s, u"0.00"_s, u"00.02"_s};
        QTest::newRow("thousands grouped")
            << Lines{{1250.0, 250.0}}
            << QStringList{u"1,250.00"_s, u"250.00"_s, u"1,000.00"_s, u"200.00"_s, u"1,200.00"_s};
        QTest::newRow("no lines") << Lines{}
                                  << QStringList{u"0.00"_s, u"0.00"_s, u"0.00"_s, u"0.00"_s, u"00.00"_s};
    }
    void totals()
    {
        QFETCH(Lines, lines);
        QFETCH(QStringList, expected);
        wire::TSonucBilgisi bilgi;
        Tbakiyesiparisler w(*m_bag, bilgi);
        w.bakiyesepet().setTable(balanceLines(lines));
        w.BakiyeToplamHesapla();
        const QStringList shown = {labelText(&w, u"aratoplaml"_s), labelText(&w, u"indiriml"_s),
                                   labelText(&w, u"nettutarl"_s), labelText(&w, u"vergil"_s),
                                   labelText(&w, u"geneltoplaml"_s)};
        QCOMPARE(shown, expected);
    }

    void columnsByUserType_data()
    {
        QTest::addColumn<QString>("device");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<bool>("priceItem");
        QTest::addColumn<bool>("onHand");
        QTest::newRow("dealer") << u"VARKO-DEMO-BAYI"_s << QStringList{u"DURUM"_s} << false << false;
        QTest::newRow("representative")
            << u"VARKO-DEMO-TEMSILCI"_s << QStringList{u"ELDEKI"_s, u"ALINANSIPARIS"_s, u"VERILENSIPARIS"_s, u"DURUM"_s}
            << false << true;
        QTest::newRow("representative with prices")
            << u"VARKO-DEMO-YONETICI"_s
            << QStringList{u"ILKFIYAT"_s, u"ELDEKI"_s, u"ALINANSIPARIS"_s, u"VERILENSIPARIS"_s, u"DURUM"_s} << true
            << true;
        QTest::newRow("dealer without the status column") << u"VARKO-DEMO-BAYI3"_s << QStringList{} << false << true;
        QTest::newRow("dealer without campaigns") << u"VARKO-DEMO-BAYI4"_s << QStringList{u"DURUM"_s} << false
                                                  << true;
    }
    void columnsByUserType()
    {
        QFETCH(QString, device);
        QFETCH(QStringList, shown);
        QFETCH(bool, priceItem);
        QFETCH(bool, onHand);
        TForm1 w;
        w.bagc().setHostName(u"127.0.0.1"_s);
        w.bagc().setPort(m_fixture->port());
        w.sbilgi() = m_fixture->sessionOf(device);
        if (w.sbilgi().CARINO() == 0)
            w.sbilgi().setCARINO(w.sbilgi().MusteriTipi() == 2 ? kKaradeniz : 1001);
        installBalancesPage(w);
        w.show();
        QWidget *page = w.sayfa(TForm1::Bakiyeler);
        QVERIFY(!page->findChild<Tbakiyesiparisler *>());

        w.sekmeler()->setCurrentWidget(page);
        auto *b = page->findChild<Tbakiyesiparisler *>();
        QVERIFY(b);
        QVERIFY(b->bakiyesepet().recordCount() > 0);
        QCOMPARE(m_fixture->requests(u"BakiyelerVer2"_s).last().params.at(0).value.toInteger(),
                 w.sbilgi().CARINO());
        QStringList visible;
        for (const QString &key : {u"ILKFIYAT"_s, u"ELDEKI"_s, u"ALINANSIPARIS"_s, u"VERILENSIPARIS"_s, u"DURUM"_s}) {
            if (shownOnScreen(b->grid(), key))
                visible << key;
        }
        QCOMPARE(visible, shown);
        // a column the user may not see is not offered either
        QCOMPARE(b->grid()->customisableColumns().contains(u"DURUM"_s), shown.contains(u"DURUM"_s));
        QCOMPARE(b->grid()->customisableColumns().contains(u"ILKFIYAT"_s), shown.contains(u"ILKFIYAT"_s));
        QCOMPARE(b->findChild<QAction *>(u"fiyatDegistir"_s)->isVisible(), priceItem);
        QVERIFY(!b->findChild<QPushButton *>(u"kapat"_s)->isVisible());
        QVERIFY(b->isVisible());

        // the quantity dialog hides the quantity on hand from a dealer
        messages::setRunner([](QMessageBox &, const messages::Shown &) { return int(mrYes); });
        bool onHandShown = !onHand;
        whenModal<Tbakiyedegistir>([&](Tbakiyedegistir *d) {
            onHandShown = d->findChild<QLabel *>(u"elimizde"_s)->isVisible();
            d->reject();
        });
        b->BakiyeDegistirClick();
        QCOMPARE(onHandShown, onHand);
        QVERIFY(m_fixture->requests(u"BakiyeDegistir"_s).isEmpty());

        // hiding the tab frees the window; showing it again makes a new one
        w.sekmeler()->setCurrentWidget(w.sayfa(TForm1::StokListesi));
        QVERIFY(!page->findChild<Tbakiyesiparisler *>());
        w.sekmeler()->setCurrentWidget(page);
        QVERIFY(page->findChild<Tbakiyesiparisler *>());
    }

    void deleteSendsOrderedAndOpenQuantity_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("Yes deletes") << int(mrYes);
        QTest::newRow("No keeps it") << int(mrNo);
    }
    void deleteSendsOrderedAndOpenQuantity()
    {
        QFETCH(int, answer);
        Balances b(*this);
        const Row row = b.focusedRow();
        QString asked;
        bool noIsDefault = false;
        messages::setRunner([&](QMessageBox &box, const messages::Shown &s) {
            asked = s.text;
            noIsDefault = box.defaultButton() && box.defaultButton()->text() == u"Hayır"_s;
            return answer;
        });
        b.window->BakiyeyiSilClick();
        QCOMPARE(asked, u"Sipariş Bakiyesini Silmek İstiyor musunuz ?"_s);
        QVERIFY(noIsDefault);
        const QList<wire::Request> sent = m_fixture->requests(u"BakiyeDuzenle"_s);
        if (answer != mrYes) {
            QVERIFY(sent.isEmpty());
            QCOMPARE(m_fixture->requests(u"BakiyelerVer2"_s).size(), 0);
            return;
        }
        QCOMPARE(sent.size(), 1);
        const QList<wire::Param> &p = sent[0].params;
        QCOMPARE(sessionSent(sent[0]), b.bilgi);
        QCOMPARE(p.at(1).value.toInteger(), row.stokno);
        QCOMPARE(p.at(2).value.toInteger(), row.sirano);
        QCOMPARE(p.at(3).value.toInteger(), row.stokharNo);
        QCOMPARE(p.at(4).value.toDouble(), row.miktar);
        QCOMPARE(p.at(5).value.toDouble(), row.kalan);
        QCOMPARE(p.at(6).value.toString(), row.barkod);
        // reloaded: the deleted balance is gone
        QCOMPARE(m_fixture->requests(u"BakiyelerVer2"_s).size(), 1);
        QCOMPARE(b.window->bakiyesepet().recordCount(), b.lines - 1);
    }

    void quantityChangeSendsTheNewQuantityTwice()
    {
        Balances b(*this);
        const Row row = b.focusedRow();
        QStringList said;
        messages::setRunner([&](QMessageBox &, const messages::Shown &s) {
            said << s.text;
            return int(mrYes);
        });
        int initial = -1;
        int minimum = -1;
        QString oldBalance;
        whenModal<Tbakiyedegistir>([&](Tbakiyedegistir *d) {
            auto *adet = d->findChild<QSpinBox *>(u"adet"_s);
            initial = adet->value();
            minimum = adet->minimum();
            oldBalance = d->findChild<QLabel *>(u"eskibakiye"_s)->text();
            adet->setValue(2);
            // Enter confirms; the key goes no further
            QTest::keyClick(adet, Qt::Key_Return);
        });
        b.window->BakiyeDegistirClick();
        QCOMPARE(initial, 1);
        QCOMPARE(minimum, 1);
        QCOMPARE(oldBalance, QLocale().toString(row.kalan, 'g', 15));
        const QList<wire::Request> sent = m_fixture->requests(u"BakiyeDegistir"_s);
        QCOMPARE(sent.size(), 1);
        const QList<wire::Param> &p = sent[0].params;
        QCOMPARE(sessionSent(sent[0]).CARINO(), kKaradeniz);
        QCOMPARE(p.at(1).value.toInteger(), row.stokno);
        QCOMPARE(p.at(2).value.toInteger(), row.sirano);
        QCOMPARE(p.at(3).value.toInteger(), row.stokharNo);
        QCOMPARE(p.at(4).value.toDouble(), 2.0);
        QCOMPARE(p.at(5).value.toDouble(), 2.0);
        QCOMPARE(p.at(6).value.toString(), row.barkod);
        QCOMPARE(said, (QStringList{u"Sipariş Bakiyesini Değiştirmek İstiyor musunuz ?"_s, u"Bakiye Değiştirildi !"_s}));
        QCOMPARE(m_fixture->requests(u"BakiyelerVer2"_s).size(), 1);
    }

    void priceChangeSendsStockZeroAndOrderedQuantity()
    {
        Balances b(*this);
        const Row row = b.focusedRow();
        QStringList said;
        messages::setRunner([&](QMessageBox &, const messages::Shown &s) {
            said << s.caption + u'|' + s.text;
            return int(mrOk);
        });
        double shownPrice = -1;
        QString netBefore, net, withTax;
        whenModal<Tfiyatdegistir>([&](Tfiyatdegistir *d) {
            auto *fiyat = d->findChild<QDoubleSpinBox *>(u"_fiyat"_s);
            auto *iskonto = d->findChild<QDoubleSpinBox *>(u"_iskonto"_s);
            shownPrice = fiyat->value();
            netBefore = labelText(d, u"LBLNET"_s);
            fiyat->setValue(100.0);
            iskonto->setValue(10.0);
            QTest::keyRelease(iskonto, Qt::Key_0);
            net = labelText(d, u"LBLNET"_s);
            withTax = labelText(d, u"LABELKDV"_s);
            d->findChild<QPushButton *>(u"degistir"_s)->click();
        });
        b.window->FiyatDegistirClick();
        QCOMPARE(shownPrice, wire::round2(row.fiyat));
        QCOMPARE(netBefore, u"Net Fiyat:"_s);
        QCOMPARE(net, u"90.00"_s);
        QCOMPARE(withTax, u"108.00"_s);
        const QList<wire::Request> sent = m_fixture->requests(u"BakiyeFiyatDegistir"_s);
        QCOMPARE(sent.size(), 1);
        const QList<wire::Param> &p = sent[0].params;
        QCOMPARE(p.at(1).value.toInteger(), 0);
        QCOMPARE(p.at(2).value.toInteger(), row.sirano);
        QCOMPARE(p.at(3).value.toInteger(), row.stokharNo);
        QCOMPARE(p.at(4).value.toDouble(), row.miktar);
        QCOMPARE(p.at(5).value.toDouble(), row.miktar);
        QCOMPARE(p.at(6).value.toString(), row.barkod);
        QCOMPARE(p.at(7).value.toDouble(), 100.0);
        QCOMPARE(p.at(8).value.toDouble(), 10.0);
        QCOMPARE(said, QStringList{u"Bilgi|Fiyat Değiştirildi !"_s});
        QCOMPARE(m_fixture->requests(u"BakiyelerVer2"_s).size(), 1);
    }

    void netPriceWithoutDiscount_data()
    {
        QTest::addColumn<double>("rate");
        QTest::newRow("rate 0") << 0.0;
        QTest::newRow("rate unreadable") << -1.0;
    }
    void netPriceWithoutDiscount()
    {
        QFETCH(double, rate);
        Tfiyatdegistir d;
        d.setDegerler(5.0, qMax(rate, 0.0));
        if (rate < 0)
            d.findChild<QDoubleSpinBox *>(u"_iskonto"_s)->clear();
        d.NetFiyatYaz();
        QCOMPARE(labelText(&d, u"LBLNET"_s), u"05.00"_s);
        QCOMPARE(labelText(&d, u"LABELKDV"_s), u"06.00"_s);
    }

    void failedConnectionIsReported()
    {
        auto dead = std::make_unique<ServerConnection>();
        dead->setHostName(u"127.0.0.1"_s);
        dead->setPort(1); // nothing listens there
        dead->setConnectTimeout(500);
        wire::TSonucBilgisi bilgi;
        bilgi.setCARINO(1001);
        Tbakiyesiparisler w(*dead, bilgi);
        w.bakiyesepet().setTable(balanceLines({{10.0, 0.0}}));
        QVERIFY(!w.BakiyeAlalim());
        QCOMPARE(m_fixture->shown.size(), 1);
        QCOMPARE(m_fixture->shown[0].type, MesajTipi::Hata);
        QVERIFY(!m_fixture->shown[0].text.isEmpty());
        // nothing was reloaded
        QCOMPARE(w.bakiyesepet().recordCount(), 1);
    }

private:
    struct Row
    {
        int stokno, sirano, stokharNo;
        double miktar, kalan, fiyat;
        QString barkod;
    };

    // the balances of a customer of the type 2 representative, loaded and
    // focused on the first line; the requests recorded so far are dropped
    struct Balances
    {
        explicit Balances(TestBakiyesiparisler &t)
        {
            bilgi = t.m_fixture->sessionOf(u"VARKO-DEMO-YONETICI"_s);
            bilgi.setCARINO(kKaradeniz);
            window = std::make_unique<Tbakiyesiparisler>(*t.m_bag, bilgi);
            window->KolonlariAyarla(Tbakiyesiparisler::Acilis::Sekme, bilgi.MusteriTipi());
            window->show();
            window->BakiyeAlalim();
            lines = window->bakiyesepet().recordCount();
            t.m_fixture->clearRequests();
        }
        Row focusedRow() const
        {
            const int r = window->grid()->focusedRecord();
            const wire::DataSet &d = window->bakiyesepet();
            auto v = [&](QStringView f) { return d.value(r, d.fieldIndex(f)); };
            return {v(u"STOK_STOKNO").toInt(), v(u"SIRANO").toInt(), v(u"STOKHAR_NO").toInt(),
                    v(u"MIKTAR").toDouble(), v(u"KALAN").toDouble(), v(u"BIRIMFIYAT").toDouble(),
                    v(u"BARKOD").toString()};
        }
        wire::TSonucBilgisi bilgi;
        std::unique_ptr<Tbakiyesiparisler> window;
        int lines = 0;
    };

    std::unique_ptr<DeskFixture> m_fixture;
    std::unique_ptr<ServerConnection> m_bag;
};

QTEST_MAIN(TestBakiyesiparisler)
#include "tst_bakiyesiparisler.moc"
