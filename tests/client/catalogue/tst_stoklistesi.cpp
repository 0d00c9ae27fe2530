#include "pagefixture.h"

#include "client/app/texts.h"
#include "client/catalogue/sayikutusu.h"
#include "client/catalogue/stokayarinti.h"
#include "client/widgets/datagrid.h"
#include "client/widgets/datasetmodel.h"

#include <QAbstractItemModelTester>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QSpinBox>

using namespace Qt::StringLiterals;

class TestStokListesi : public QObject
{
    Q_OBJECT

private:
    QLineEdit *box() { return m_f->window->araedit(); }
    QString caption() { return m_f->window->sekmeBasligi(TForm1::StokListesi); }
    // Enter in the box, then wait until the search has ended
    bool search(const QString &text)
    {
        box()->setText(text);
        m_f->window->setSekmeBasligi(TForm1::StokListesi, u"..."_s);
        QTest::keyClick(box(), Qt::Key_Return);
        if (!QTest::qWaitFor([&] { return box()->isEnabled() && caption() != u"..."_s; }, 15000))
            return false;
        QCoreApplication::processEvents();
        return true;
    }
private slots:
    void initTestCase()
    {
        m_f = std::make_unique<PageFixture>();
        QVERIFY2(m_f->fixture.started(), qPrintable(m_f->fixture.error()));
        QVERIFY(m_f->signedIn);
        m_tester = std::make_unique<QAbstractItemModelTester>(m_f->stok->grid()->model(),
                                                               QAbstractItemModelTester::FailureReportingMode::QtTest);
    }
    void cleanupTestCase()
    {
        m_tester.reset();
        m_f.reset();
    }

    void typedLettersReplaced_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("ş ç ğ ö ü") << u"şçğöü"_s << u"SCGOU"_s;
        QTest::newRow("dotless ı") << u"ı"_s << u"I"_s;
        QTest::newRow("capitals") << u"ŞÇĞÖÜİ"_s << u"SCGOUI"_s;
        QTest::newRow("i is not replaced, only capitalised") << u"i"_s << u"I"_s;
        QTest::newRow("word") << u"yağ"_s << u"YAG"_s;
    }
    void typedLettersReplaced()
    {
        QFETCH(QString, typed);
        box()->clear();
        box()->setFocus();
        typeText(box(), typed);
        QTEST(box()->text(), "shown");
    }

    void pastedTextNotReplaced()
    {
        box()->clear();
        QGuiApplication::clipboard()->setText(u"şç"_s);
        box()->paste();
        QCOMPARE(box()->text(), u"ŞÇ"_s);
    }

    void searchWithTypedTurkishLetters()
    {
        box()->clear();
        box()->setFocus();
        typeText(box(), u"yağ fıltresı"_s);
        QCOMPARE(box()->text(), u"YAG FILTRESI"_s);
        m_f->window->setSekmeBasligi(TForm1::StokListesi, u"..."_s);
        QTest::keyClick(box(), Qt::Key_Return);
        QVERIFY(!box()->isEnabled()); // one search at a time
        QTRY_VERIFY_WITH_TIMEOUT(box()->isEnabled(), 15000);
        wire::DataSet &stok = m_f->window->stokVerisi();
        QVERIFY(stok.recordCount() > 0);
        QCOMPARE(caption(), u"%1=Stok Listesi"_s.arg(stok.recordCount()));
        QCOMPARE(m_f->window->stokSatirSayisi(), stok.recordCount());
        QCOMPARE(m_f->stok->grid()->model()->rowCount(), stok.recordCount());
        const int adi = stok.fieldIndex(u"ADI");
        for (int r = 0; r < stok.recordCount(); ++r)
            QVERIFY2(stok.value(r, adi).toString().contains(u"Yağ Filtresi"_s), qPrintable(stok.value(r, adi).toString()));
        QCOMPARE(box()->selectedText(), box()->text());
        QCOMPARE(stok.displayFormat(stok.fieldIndex(u"FIYAT")), u"#,###,##0.00"_s);

        QDir().mkpath(QStringLiteral(VARKO_SCREENSHOTS));
        m_f->window->grab().save(QStringLiteral(VARKO_SCREENSHOTS "/stocklist.png"));
    }

    void emptyAndNoRowResults_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty box") << QString();
        QTest::newRow("nothing matches") << u"ZZQQXX"_s;
    }
    void emptyAndNoRowResults()
    {
        QFETCH(QString, text);
        const int shown = m_f->fixture.shown.size();
        QVERIFY(search(text));
        QCOMPARE(caption(), u"0=Stok Listesi"_s);
        QCOMPARE(m_f->stok->grid()->model()->rowCount(), 0);
        QCOMPARE(m_f->fixture.shown.size(), shown);
    }

    void failedSearchEmptiesTheList()
    {
        QVERIFY(search(u"HAVA FILTRESI"_s));
        QVERIFY(m_f->window->stokVerisi().recordCount() > 0);
        ServerConnection &bagc = m_f->window->bagc();
        const quint16 port = bagc.port();
        bagc.setPort(1); // nothing listens there
        QVERIFY(search(u"HAVA"_s));
        bagc.setPort(port);
        QCOMPARE(caption(), u"Stok Listesi"_s);
        QVERIFY(m_f->texts().contains(texts::kBaglantiKurulamiyor));
        QVERIFY(!m_f->window->stokVerisi().isActive());
        QVERIFY(box()->isEnabled());
    }

    void wideAndNarrowLayouts_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("wide");
        QTest::newRow("1152 pixels is narrow") << 1152 << false;
        QTest::newRow("1153 pixels is wide") << 1153 << true;
        QTest::newRow("1400 pixels is wide") << 1400 << true;
        QTest::newRow("1000 pixels is narrow") << 1000 << false;
    }
    void wideAndNarrowLayouts()
    {
        QFETCH(int, width);
        QFETCH(bool, wide);
        QVERIFY(search(u"HAVA FILTRESI"_s));
        m_f->window->resize(width, 800);
        QTRY_COMPARE(m_f->window->width(), width);
        QTRY_COMPARE(m_f->stok->genisMi(), wide);
        widgets::DataGrid *grid = m_f->stok->grid();
        for (const QString &key : {u"KDVDAHIL"_s, u"NETFIYAT"_s, u"KAMPFIYAT"_s, u"LISTEFIYAT1"_s})
            QCOMPARE(grid->isColumnVisible(key), wide);
        QCOMPARE(grid->isColumnVisible(u"Fiyat Bilgisi"), !wide);
        QCOMPARE(grid->rowHeight(), wide ? 60 : 100);
        // weights: the visible columns share the grid's width less 30
        const int sum = wide ? 1 + 2 + 3 + 1 + 2 + 2 + 2 + 2 + 2 + 1 + 1 + 2 + 2 + 3
                             : 1 + 2 + 3 + 1 + 2 + 2 + 2 + 1 + 1 + 2 + 2;
        const int unit = (grid->width() - 30) / sum;
        QCOMPARE(grid->columnWidth(u"ADI"), 3 * unit);
        if (!wide)
            QCOMPARE(grid->columnWidth(u"Fiyat Bilgisi"), 150);
        m_f->window->resize(1280, 800);
    }

    void dealerWithoutCampaignsNeverSeesCampaignPrice()
    {
        QVERIFY(search(u"HAVA FILTRESI"_s));
        m_f->window->KullaniciTipiUygula(4);
        widgets::DataGrid *grid = m_f->stok->grid();
        for (int width : {1400, 1152, 1300}) {
            m_f->window->resize(width, 800);
            QTRY_COMPARE(m_f->window->width(), width);
            QCoreApplication::processEvents();
            QVERIFY(!grid->isColumnVisible(u"KAMPFIYAT"));
            QVERIFY(!grid->isColumnVisible(u"K"));
        }
        QVERIFY(!grid->customisableColumns().contains(u"KAMPFIYAT"_s));
        QVERIFY(!grid->customisableColumns().contains(u"K"_s));
        m_f->window->KullaniciTipiUygula(0);
        m_f->window->resize(1280, 800);
        QTRY_VERIFY(grid->isColumnVisible(u"KAMPFIYAT"));
    }

    void representativesSeeStockColumns()
    {
        widgets::DataGrid *grid = m_f->stok->grid();
        QVERIFY(!grid->isColumnVisible(u"KALAN"));
        m_f->window->KullaniciTipiUygula(1);
        QVERIFY(grid->isColumnVisible(u"KALAN"));
        QVERIFY(grid->customisableColumns().contains(u"ALINANSIPARIS"_s));
        m_f->window->KullaniciTipiUygula(0);
        QVERIFY(!grid->isColumnVisible(u"KALAN"));
        QVERIFY(!grid->customisableColumns().contains(u"ALINANSIPARIS"_s));
    }

    void menuItems()
    {
        QStringList items;
        for (QAction *a : m_f->stok->menu()->actions())
            items << (a->isSeparator() ? u"-"_s : a->text());
        QCOMPARE(items, (QStringList{u"Sepete Ekle"_s, u"-"_s, u"Sipariş Bakiyeleriniz"_s, u"-"_s,
                                     u"Siparişleri Göster"_s, u"-"_s, u"Stok Hareketleri"_s}));
        m_f->stok->menu()->actions().at(2)->trigger();
        QCOMPARE(m_f->window->sekmeler()->currentWidget(), m_f->window->sayfa(TForm1::Bakiyeler));
        m_f->window->sekmeler()->setCurrentWidget(m_f->window->sayfa(TForm1::StokListesi));
    }

    // a package of 5: "Sipariş ekle" rounds 8 up to 10, Enter keeps 8; the
    // second time the same stock changes its line instead of adding one
    void rowToBasketAddsThenChanges()
    {
        QVERIFY(search(u"HAVA FILTRESI"_s));
        wire::DataSet &stok = m_f->window->stokVerisi();
        QVERIFY(stok.recordCount() > 0);
        wire::DataSet &sepet = m_f->sepet->sepetVerisi();
        m_f->sepet->SepetGetir();
        // a stock not yet in the basket
        int record = -1;
        for (int r = 0; r < stok.recordCount() && record < 0; ++r) {
            const int no = stok.value(r, stok.fieldIndex(u"STOK_STOKNO")).toInt();
            if (!sepet.locate(u"STOKNO", no))
                record = r;
        }
        QVERIFY(record >= 0);
        const int stokno = stok.value(record, stok.fieldIndex(u"STOK_STOKNO")).toInt();
        const bool kampanya = stok.value(record, stok.fieldIndex(u"K")).toInt() > 0;
        const int lines = sepet.recordCount();
        m_f->stok->grid()->setFocusedRecord(record);

        bool opened = false;
        whenModal<Tstokayarinti>([&](Tstokayarinti *d) {
            opened = true;
            QCOMPARE(d->windowTitle(), u"Sepete Ekle"_s);
            QCOMPARE(d->stokno(), stokno);
            QCOMPARE(d->koliadet(), 5);
            QCOMPARE(d->adet->value(), 5);
            QCOMPARE(d->Label2->text(), kampanya ? u"Kampanyalı Fiyat:"_s : u"Fiyat:"_s);
            QVERIFY(d->indirimoran->text().startsWith(kampanya ? u"Kampanyalı "_s : u"İndirim: %"_s));
            QVERIFY(d->birimfiyat->isReadOnly()); // a dealer may not change prices
            QVERIFY(!d->GridPanel2->isVisible());
            d->adet->selectAll();
            QTest::keyClicks(d->adet, u"8"_s);
            QCOMPARE(d->miktarYazisi(), u"8"_s);
            QDir().mkpath(QStringLiteral(VARKO_SCREENSHOTS));
            d->grab().save(QStringLiteral(VARKO_SCREENSHOTS "/quantitydialog.png"));
            d->ParcaliTus1->click();
        });
        m_f->stok->SepeteEkle();
        QVERIFY(opened);
        QCOMPARE(sepet.recordCount(), lines + 1);
        QVERIFY(sepet.locate(u"STOKNO", stokno));
        QCOMPARE(sepet.fieldValue(u"MIKTAR").toDouble(), 10.0);
        QCOMPARE(m_f->window->sekmeBasligi(TForm1::Sepet), u"%1=Sepet"_s.arg(lines + 1));

        opened = false;
        whenModal<Tstokayarinti>([&](Tstokayarinti *d) {
            opened = true;
            QCOMPARE(d->Label2->text(), u"Fiyat:"_s);
            QCOMPARE(d->indirimoran->text(), u"İndirim:"_s);
            QCOMPARE(d->adet->value(), 10);
            d->adet->selectAll();
            QTest::keyClicks(d->adet, u"8"_s);
            QTest::keyClick(d->adet, Qt::Key_Return);
        });
        m_f->stok->SepeteEkle();
        QVERIFY(opened);
        QCOMPARE(sepet.recordCount(), lines + 1);
        QVERIFY(sepet.locate(u"STOKNO", stokno));
        QCOMPARE(sepet.fieldValue(u"MIKTAR").toDouble(), 8.0);
    }

    // F4 works in read-only boxes too: twice divides the price by 1.44
    void cancelledDialogAddsNothingAndF4DividesThePrice()
    {
        QVERIFY(search(u"HAVA FILTRESI"_s));
        wire::DataSet &sepet = m_f->sepet->sepetVerisi();
        const int lines = sepet.recordCount();
        m_f->stok->grid()->setFocusedRecord(m_f->window->stokVerisi().recordCount() - 1);
        double before = 0, after = 0;
        QString total;
        whenModal<Tstokayarinti>([&](Tstokayarinti *d) {
            before = d->birimFiyat();
            QTest::keyClick(d->kdvdahiltutar, Qt::Key_F4);
            QTest::keyClick(d->geneltutar, Qt::Key_F4);
            after = d->birimFiyat();
            total = d->geneltutar->text();
            d->ParcaliTus2->click();
        });
        m_f->stok->SepeteEkle();
        QCOMPARE(sepet.recordCount(), lines);
        QVERIFY(before > 0);
        QCOMPARE(after, before / 1.2 / 1.2);
        QVERIFY(!total.isEmpty());
    }

private:
    std::unique_ptr<PageFixture> m_f;
    std::unique_ptr<QAbstractItemModelTester> m_tester;
};

QTEST_MAIN(TestStokListesi)
#include "tst_stoklistesi.moc"
