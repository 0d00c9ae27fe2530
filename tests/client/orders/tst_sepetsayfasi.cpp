#include "../catalogue/pagefixture.h"

#include "client/app/helpers.h"
#include "client/catalogue/sayikutusu.h"
#include "client/catalogue/stokayarinti.h"
#include "client/orders/tonaysip.h"
#include "client/widgets/datagrid.h"
#include "client/widgets/datasetmodel.h"
#include "distributor/store.h"
#include "wire/decimal.h"

#include <QAbstractItemModelTester>
#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QSqlQuery>
#include <QHeaderView>
#include <QTreeView>

using namespace Qt::StringLiterals;

namespace {

QString para(double v)
{
    return wire::formatFloat(v, kParaBicimi, QLocale());
}

QString label(PageFixture &f, const QString &name)
{
    return f.window->sayfa(TForm1::Sepet)->findChild<QLabel *>(name)->text();
}

QVariant sql(PageFixture &f, const QString &query)
{
    QSqlQuery q(f.fixture.server().store().database());
    if (!q.exec(query) || !q.next())
        return QVariant();
    return q.value(0);
}

} // namespace

class TestSepetSayfasi : public QObject
{
    Q_OBJECT

private:
    // shows the basket tab and waits for its background load
    bool showBasket()
    {
        QSignalSpy loaded(m_f->sepet, &SepetSayfasi::yuklendi);
        m_f->window->sekmeler()->setCurrentWidget(m_f->window->sayfa(TForm1::Sepet));
        return loaded.count() > 0 || loaded.wait(15000);
    }
    wire::DataSet &sepet() { return m_f->sepet->sepetVerisi(); }
    int field(QStringView name) { return sepet().fieldIndex(name); }
    int sirano(int record) { return sepet().value(record, field(u"SIRANO")).toInt(); }
    // the selection: focus on "Seç" and double click
    void toggle(int record)
    {
        m_f->sepet->grid()->setFocusedRecord(record);
        m_f->sepet->grid()->setFocusedColumn(u"SEC");
        m_f->sepet->SatirDegistir();
    }

private slots:
    void init()
    {
        m_f = std::make_unique<PageFixture>();
        QVERIFY2(m_f->fixture.started(), qPrintable(m_f->fixture.error()));
        QVERIFY(m_f->signedIn);
        m_tester = std::make_unique<QAbstractItemModelTester>(m_f->sepet->grid()->model(),
                                                               QAbstractItemModelTester::FailureReportingMode::QtTest);
    }
    void cleanup()
    {
        m_tester.reset();
        m_f.reset();
    }

    // the demo dealer's basket: two lines, the first selected
    void tabShowLoadsBadgeAndTotalsOfSelectedLines()
    {
        QCOMPARE(label(*m_f, u"geneltoplaml"_s), u"Genel Toplam:"_s);
        QVERIFY(showBasket());
        QCOMPARE(sepet().recordCount(), 2);
        QCOMPARE(m_f->window->sekmeBasligi(TForm1::Sepet), u"2=Sepet"_s);
        QCOMPARE(m_f->sepet->grid()->model()->rowCount(), 2);
        QCOMPARE(sepet().value(0, field(u"SEC")).toInt(), 1);
        QCOMPARE(sepet().value(1, field(u"SEC")).toInt(), 0);
        const double t = sepet().value(0, field(u"TUTAR")).toDouble();
        const double i = sepet().value(0, field(u"INDIRIMTUTAR")).toDouble();
        const double v = sepet().value(0, field(u"VERGITUTARI")).toDouble();
        QCOMPARE(label(*m_f, u"aratoplaml"_s), para(t));
        QCOMPARE(label(*m_f, u"indiriml"_s), para(i));
        QCOMPARE(label(*m_f, u"vergil"_s), para(v));
        QCOMPARE(label(*m_f, u"nettutarl"_s), para(wire::round2(t - i)));
        QCOMPARE(label(*m_f, u"geneltoplaml"_s), para(wire::round2(v + wire::round2(t - i))));
        QVERIFY(m_f->sepet->uyariEtiketi()->text().isEmpty());
        // hidden columns stay hidden after the load: the 16 shown ones only
        QHeaderView *header = m_f->sepet->grid()->view()->header();
        QTRY_COMPARE(header->count() - header->hiddenSectionCount(), 16);

        QDir().mkpath(QStringLiteral(VARKO_SCREENSHOTS));
        m_f->window->grab().save(QStringLiteral(VARKO_SCREENSHOTS "/basket.png"));
    }

    void toggleIsStoredOnTheServer()
    {
        QVERIFY(showBasket());
        const int line = sirano(1);
        toggle(1);
        QCOMPARE(sepet().value(1, field(u"SEC")).toInt(), 1);
        QCOMPARE(sql(*m_f, u"SELECT SEC FROM SEPET WHERE SIRANO = %1"_s.arg(line)).toInt(), 1);
        const double both = wire::round2(sepet().value(0, field(u"TUTAR")).toDouble()
                                         + sepet().value(1, field(u"TUTAR")).toDouble());
        QCOMPARE(label(*m_f, u"aratoplaml"_s), para(both));
        toggle(1);
        QCOMPARE(sql(*m_f, u"SELECT SEC FROM SEPET WHERE SIRANO = %1"_s.arg(line)).toInt(), 0);
        QCOMPARE(label(*m_f, u"aratoplaml"_s), para(sepet().value(0, field(u"TUTAR")).toDouble()));
        // a reload shows the server's flags
        m_f->sepet->SepetGetir();
        QCOMPARE(sepet().value(1, field(u"SEC")).toInt(), 0);
    }

    void doubleClickElsewhereOpensTheChangeDialog()
    {
        QVERIFY(showBasket());
        m_f->sepet->grid()->setFocusedRecord(0);
        m_f->sepet->grid()->setFocusedColumn(u"BARKOD");
        bool opened = false;
        whenModal<Tstokayarinti>([&](Tstokayarinti *d) {
            opened = true;
            d->ParcaliTus2->click();
        });
        m_f->sepet->SatirDegistir();
        QVERIFY(opened);
        QCOMPARE(sepet().value(0, field(u"SEC")).toInt(), 1);
    }

    void noneSelected_data()
    {
        QTest::addColumn<bool>("emptyBasket");
        QTest::newRow("all lines unselected") << false;
        QTest::newRow("empty basket") << true;
    }
    void noneSelected()
    {
        QFETCH(bool, emptyBasket);
        QVERIFY(showBasket());
        if (emptyBasket) {
            m_f->sepet->HepsiniSil();
            QCOMPARE(m_f->window->sekmeBasligi(TForm1::Sepet), u"0=Sepet"_s);
        } else {
            m_f->sepet->HepsiniSec(false);
            QCOMPARE(sepet().recordCount(), 2);
            QCOMPARE(sql(*m_f, u"SELECT COUNT(*) FROM SEPET WHERE CARINO = 1001 AND SEC = 1"_s).toInt(), 0);
        }
        for (const QString &name : {u"aratoplaml"_s, u"indiriml"_s, u"nettutarl"_s, u"vergil"_s, u"geneltoplaml"_s})
            QCOMPARE(label(*m_f, name), para(0));
        bool opened = false;
        QTimer *guard = whenModal<TONAYSIP>([&](TONAYSIP *d) {
            opened = true;
            d->reject();
        });
        m_f->sepet->Gonder();
        delete guard;
        QVERIFY(!opened);
        QCOMPARE(m_f->texts().last(), u"Gönderilecek Parça Yok "_s);
    }

    void selectAllCountsEveryLine()
    {
        QVERIFY(showBasket());
        m_f->sepet->HepsiniSec(true);
        QCOMPARE(sql(*m_f, u"SELECT COUNT(*) FROM SEPET WHERE CARINO = 1001 AND SEC = 1"_s).toInt(), 2);
        double t = 0;
        for (int r = 0; r < sepet().recordCount(); ++r)
            t = wire::round2(t + sepet().value(r, field(u"TUTAR")).toDouble());
        QCOMPARE(label(*m_f, u"aratoplaml"_s), para(t));
    }

    // rates typed in the change dialog are not sent: the stored ones stay
    void changeKeepsStoredRates()
    {
        QVERIFY(showBasket());
        m_f->window->araedit()->setText(u"FREN BALATASI ON"_s);
        m_f->window->sekmeler()->setCurrentWidget(m_f->window->sayfa(TForm1::StokListesi));
        emit m_f->window->aramaIstendi(m_f->window->araedit()->text());
        QTRY_VERIFY_WITH_TIMEOUT(m_f->window->araedit()->isEnabled(), 15000);
        wire::DataSet &stok = m_f->window->stokVerisi();
        QVERIFY(stok.recordCount() > 0);
        stok.setRecNo(0);
        const int stokno = stok.fieldValue(u"STOK_STOKNO").toInt();
        const double fiyat = stok.fieldValue(u"FIYAT").toDouble();
        m_f->sepet->SepeteEkle(stok, 2, fiyat, 10, 5, 0, 0);
        QCOMPARE(sepet().recordCount(), 3);
        QCOMPARE(m_f->window->sekmeBasligi(TForm1::Sepet), u"3=Sepet"_s);
        QVERIFY(sepet().locate(u"STOKNO", stokno));
        const int record = sepet().recNo();
        const int line = sirano(record);
        QCOMPARE(sepet().fieldValue(u"INDIRIMORANI1").toDouble(), 10.0);

        m_f->sepet->grid()->setFocusedRecord(record);
        m_f->sepet->grid()->setFocusedColumn(u"STOKADI");
        whenModal<Tstokayarinti>([&](Tstokayarinti *d) {
            QCOMPARE(d->indirimOrani(0), 10.0);
            QCOMPARE(d->indirimOrani(1), 5.0);
            d->edindirim[0]->setValue(40);
            d->edindirim[1]->setValue(0);
            d->birimfiyat->setValue(50);
            d->adet->selectAll();
            QTest::keyClicks(d->adet, u"3"_s);
            d->ParcaliTus1->click();
        });
        m_f->sepet->SatirDegistir();
        const QString where = u" FROM SEPET WHERE SIRANO = %1"_s.arg(line);
        QCOMPARE(sql(*m_f, u"SELECT MIKTAR"_s + where).toDouble(), 3.0);
        QCOMPARE(sql(*m_f, u"SELECT BIRIMFIYAT"_s + where).toDouble(), 50.0);
        QCOMPARE(sql(*m_f, u"SELECT IND1"_s + where).toDouble(), 10.0);
        QCOMPARE(sql(*m_f, u"SELECT IND2"_s + where).toDouble(), 5.0);
        QVERIFY(sepet().locate(u"SIRANO", line));
        QCOMPARE(sepet().fieldValue(u"MIKTAR").toDouble(), 3.0);
        QCOMPARE(sepet().recordCount(), 3);
    }

    void deleteOneLine_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("answered Yes") << true;
        QTest::newRow("answered No") << false;
    }
    void deleteOneLine()
    {
        QFETCH(bool, yes);
        QVERIFY(showBasket());
        m_f->answerYes = yes;
        const int line = sirano(1);
        const QString text = sepet().displayText(1, field(u"BARKOD")) + u"-"_s
                             + sepet().displayText(1, field(u"STOKADI"));
        m_f->sepet->grid()->setFocusedRecord(1);
        m_f->sepet->SatirSil();
        QVERIFY(m_f->texts().contains(u"Satırı silmek istiyor musunuz "_s));
        QCOMPARE(sepet().recordCount(), yes ? 1 : 2);
        QCOMPARE(m_f->window->sekmeBasligi(TForm1::Sepet), yes ? u"1=Sepet"_s : u"2=Sepet"_s);
        QCOMPARE(m_f->texts().contains(u"Satır silindi !"_s), yes);
        if (yes) {
            QCOMPARE(sql(*m_f, u"SELECT ACIKLAMA FROM SEPETSILINEN WHERE SEPETSIRANO = %1"_s.arg(line)).toString(),
                     text);
        }
    }

    void deleteAll()
    {
        QVERIFY(showBasket());
        m_f->sepet->HepsiniSil();
        QVERIFY(m_f->texts().contains(u"Tüm Sepeti Silmek İstiyor musunuz "_s));
        QVERIFY(m_f->texts().contains(u"Sepet Silindi !"_s));
        QCOMPARE(sepet().recordCount(), 0);
        QCOMPARE(m_f->window->sekmeBasligi(TForm1::Sepet), u"0=Sepet"_s);
        QCOMPARE(label(*m_f, u"geneltoplaml"_s), para(0));
        // an empty basket asks nothing
        const int shown = m_f->fixture.shown.size();
        m_f->sepet->HepsiniSil();
        QCOMPARE(m_f->fixture.shown.size(), shown);
    }

    // one selected line of two, a cargo type with exactly one firm: the
    // order is recorded and the unselected line stays in the basket
    void sendOrderWithOneOfTwoLines()
    {
        QVERIFY(showBasket());
        const int sent = sirano(0);
        const int kept = sirano(1);
        const QString amount = label(*m_f, u"geneltoplaml"_s);
        const int ordersBefore = sql(*m_f, u"SELECT COUNT(*) FROM SIPARIS"_s).toInt();
        bool opened = false;
        whenModal<TONAYSIP>([&](TONAYSIP *d) {
            opened = true;
            QCOMPARE(d->windowTitle(), u"Sipariş Onay"_s);
            QCOMPARE(d->teslimGrubu()->buttons().size(), 3);
            QCOMPARE(d->teslimGrubu()->checkedId(), 1); // the second preselected
            QCOMPARE(d->kargoTurGrubu()->checkedId(), -1);
            QVERIFY(d->Label2->text().endsWith(u"Tutar    : "_s + amount));
            QVERIFY(d->Label2->text().startsWith(u"Kullanıcı: BAYI\r\nCari     : "_s));
            // "Anlaşmalı Ambar" has one firm: it is chosen at once
            d->kargoTurGrubu()->button(2)->click();
            QCOMPARE(d->kargocombo->count(), 2);
            QCOMPARE(d->kargocombo->itemText(0), u" "_s);
            QCOMPARE(d->kargocombo->currentIndex(), 1);
            QCOMPARE(d->uyarikargo->text(), u"Ambar teslimi ilçe merkezlerine 2 iş günüdür."_s);
            d->aciklamagir->setPlainText(u"Öğleden önce lütfen"_s);
            QDir().mkpath(QStringLiteral(VARKO_SCREENSHOTS));
            d->grab().save(QStringLiteral(VARKO_SCREENSHOTS "/confirmorder.png"));
            d->evet->click();
        });
        m_f->sepet->Gonder();
        QVERIFY(opened);
        QCOMPARE(m_f->texts().last(), u"Siparişiniz Gönderildi !"_s);
        QCOMPARE(sql(*m_f, u"SELECT COUNT(*) FROM SIPARIS"_s).toInt(), ordersBefore + 1);
        const QString last = u" FROM SIPARIS ORDER BY IDNO DESC LIMIT 1"_s;
        QCOMPARE(sql(*m_f, u"SELECT TESLIMID"_s + last).toInt(), 2);
        QCOMPARE(sql(*m_f, u"SELECT KARGOTURID"_s + last).toInt(), 3);
        QCOMPARE(sql(*m_f, u"SELECT KARGOFIRMAID"_s + last).toInt(), 6);
        QCOMPARE(sql(*m_f, u"SELECT VERENINNOTU"_s + last).toString(), u"Öğleden önce lütfen"_s);
        const int idno = sql(*m_f, u"SELECT IDNO"_s + last).toInt();
        QCOMPARE(sql(*m_f, u"SELECT COUNT(*) FROM SIPARISSATIR WHERE IDNO = %1"_s.arg(idno)).toInt(), 1);
        QCOMPARE(sql(*m_f, u"SELECT SEPETSIRANO FROM SIPARISSATIR WHERE IDNO = %1"_s.arg(idno)).toInt(), sent);
        // reloaded: the unselected line is still there
        QCOMPARE(sepet().recordCount(), 1);
        QCOMPARE(sirano(0), kept);
        QCOMPARE(m_f->window->sekmeBasligi(TForm1::Sepet), u"1=Sepet"_s);
    }

    void confirmationValidations()
    {
        // a cargo type without any firm
        m_f->fixture.server().store().write([](QSqlDatabase &db) {
            QSqlQuery q(db);
            QVERIFY(q.exec(u"INSERT INTO KARGOTUR (ID, ADI) VALUES (4, 'Firmasız Tür')"_s));
        });
        QVERIFY(showBasket());
        const int ordersBefore = sql(*m_f, u"SELECT COUNT(*) FROM SIPARIS"_s).toInt();
        QStringList said;
        whenModal<TONAYSIP>([&](TONAYSIP *d) {
            auto last = [&] { return m_f->texts().last(); };
            d->evet->click();
            said << last(); // no cargo type
            QCOMPARE(d->kargoTurGrubu()->buttons().size(), 4);
            d->kargoTurGrubu()->button(3)->click();
            QCOMPARE(d->kargocombo->count(), 1);
            d->evet->click();
            said << last(); // only the blank firm
            d->kargoTurGrubu()->button(0)->click();
            QCOMPARE(d->kargocombo->count(), 4);
            QCOMPARE(d->kargocombo->currentIndex(), 0);
            d->kargocombo->setCurrentIndex(1);
            QCOMPARE(d->uyarikargo->text(), u"Saat 16:00'dan sonraki siparişler ertesi gün çıkar."_s);
            d->kargocombo->setCurrentIndex(2); // a firm without a warning
            QCOMPARE(d->uyarikargo->text(), QString());
            d->teslimGrubu()->setExclusive(false);
            d->teslimGrubu()->checkedButton()->setChecked(false);
            d->teslimGrubu()->setExclusive(true);
            d->evet->click();
            said << last(); // no delivery type
            QVERIFY(d->isVisible());
            d->hayir->click();
        });
        m_f->sepet->Gonder();
        QCOMPARE(said, (QStringList{u"Lütfen Kargo Türünü Seçiniz !"_s, u"Lütfen Kargo  Seçiniz !"_s,
                                    u"Lütfen Teslim Durumu Seçiniz !"_s}));
        QVERIFY(!m_f->texts().contains(u"Siparişiniz Gönderildi !"_s));
        QCOMPARE(sql(*m_f, u"SELECT COUNT(*) FROM SIPARIS"_s).toInt(), ordersBefore);
        QCOMPARE(sepet().recordCount(), 2);
    }

    void failedSendKeepsTheBasket()
    {
        QVERIFY(showBasket());
        ServerConnection &bagc = m_f->window->bagc();
        const quint16 port = bagc.port();
        whenModal<TONAYSIP>([&](TONAYSIP *d) {
            d->kargoTurGrubu()->button(2)->click();
            bagc.setPort(1); // the send finds no server
            d->evet->click();
        });
        QSignalSpy reloaded(m_f->sepet, &SepetSayfasi::yuklendi);
        m_f->sepet->Gonder();
        bagc.setPort(port);
        QCOMPARE(m_f->texts().last(), u"Sipariş Göndermede Hata"_s);
        QCOMPARE(reloaded.count(), 0);
        QCOMPARE(sepet().recordCount(), 2);
        QCOMPARE(sql(*m_f, u"SELECT COUNT(*) FROM SEPET WHERE CARINO = 1001"_s).toInt(), 2);
    }

    void customerChangeReloads()
    {
        QVERIFY(showBasket());
        QSignalSpy reloaded(m_f->sepet, &SepetSayfasi::yuklendi);
        m_f->window->CariDegistiUygula();
        QCOMPARE(reloaded.count(), 1);
        QCOMPARE(m_f->window->sekmeBasligi(TForm1::StokListesi), u"0=Stok Listesi"_s);
    }

private:
    std::unique_ptr<PageFixture> m_f;
    std::unique_ptr<QAbstractItemModelTester> m_tester;
};

QTEST_MAIN(TestSepetSayfasi)
#include "tst_sepetsayfasi.moc"
