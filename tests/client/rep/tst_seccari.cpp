#include "deskfixture.h"

#include "distributor/store.h"

#include "client/app/mainwindow.h"
#include "client/app/tabbadge.h"
#include "client/app/workstation.h"
#include "client/orders/bakiyesiparisler.h"
#include "client/rep/reportdownload.h"
#include "client/rep/representativedesk.h"
#include "client/rep/seccari.h"
#include "client/rep/tarihsec.h"
#include "client/widgets/datagrid.h"

#include "wire/decimal.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

namespace {

// the customers of the demo representative (type 1)
constexpr int kBaskentFren = 1004;
constexpr int kMarmaraFiltre = 1007;

int recordOf(wire::DataSet &d, int carino)
{
    const int col = d.fieldIndex(u"CARINO");
    for (int r = 0; r < d.recordCount(); ++r) {
        if (d.value(r, col).toInt() == carino)
            return r;
    }
    return -1;
}

QString buttonText(QWidget *w, const QString &name)
{
    return w->findChild<QPushButton *>(name)->text();
}

void answerDates(const QDate &d1, const QDate &d2, bool accept = true)
{
    whenModal<Ttarihsec>([=](Ttarihsec *dialog) {
        dialog->setTarihler(d1, d2);
        if (accept)
            dialog->findChild<QPushButton *>(u"sec"_s)->click();
        else
            dialog->reject();
    });
}

} // namespace

class TestSeccari : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // the documents folder of this run, where the reports land
        qputenv("HOME", QFile::encodeName(m_home.path()));
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(BelgelerKlasoruAl().startsWith(m_home.path()));
        QDir().mkpath(BelgelerKlasoruAl());
    }

    void init()
    {
        m_fixture = std::make_unique<DeskFixture>();
        QVERIFY2(m_fixture->started(), qPrintable(m_fixture->error()));
        m_bag = m_fixture->connection();
        m_bilgi = m_fixture->sessionOf(u"VARKO-DEMO-TEMSILCI"_s);
        QCOMPARE(m_bilgi.MusteriTipi(), 1);
        m_opened.clear();
        rapor::setOpener([this](const QString &path) { m_opened << path; });
    }
    void cleanup()
    {
        rapor::setOpener(nullptr);
        m_bag.reset();
        m_fixture.reset();
    }

    void representativeChoosesCustomerAtSignIn()
    {
        SignInFixture::useDevice("VARKO-DEMO-TEMSILCI");
        TForm1 w;
        installRepresentativeDesk(w);
        answerSignIn(u"TEMSILCI"_s, u"2345"_s);
        int rows = -1;
        whenModal<Tseccari>([&](Tseccari *s) {
            auto *box = s->findChild<QLineEdit *>(u"NEdit1"_s);
            box->setText(u"  başkent fren sıstemlerı "_s);
            QTest::keyClick(box, Qt::Key_Return);
            rows = s->cariler().recordCount();
            s->findChild<QPushButton *>(u"sec"_s)->click();
        });
        QVERIFY(w.GirisYap());
        QCOMPARE(rows, 1);
        // every dotless ı went out as i, the blanks around trimmed
        const QList<wire::Request> searches = m_fixture->requests(u"CariAra"_s);
        QCOMPARE(searches.size(), 1);
        QCOMPARE(searches[0].params.at(1).value.toString(), u"başkent fren sistemleri"_s);
        QCOMPARE(w.sbilgi().CARINO(), kBaskentFren);
        QCOMPARE(w.sbilgi().carikod(), u"120.01.004"_s);
        QCOMPARE(w.sbilgi().CariAdi(), u"Başkent Fren Sistemleri"_s);
        QVERIFY(m_fixture->exitCodes.isEmpty());

        w.show();
        w.BaslangicYuklemeleriniBaslat();
        QTRY_COMPARE_WITH_TIMEOUT(w.findChild<QLabel *>(u"cariadilbl"_s)->text(), u"Başkent Fren Sistemleri"_s,
                                  10000);
        QVERIFY(w.findChild<QPushButton *>(u"musteritus"_s)->isVisible());
    }

    void vazgecEndsTheProgram_data()
    {
        QTest::addColumn<bool>("atSignIn");
        QTest::newRow("after sign-in") << true;
        QTest::newRow("from Başka Cari Seç") << false;
    }
    void vazgecEndsTheProgram()
    {
        QFETCH(bool, atSignIn);
        TForm1 w;
        installRepresentativeDesk(w);
        whenModal<Tseccari>([atSignIn](Tseccari *s) {
            // the ending is only recorded here, so the sign-in window is left
            // open behind; close it as the ended process would have
            if (atSignIn)
                whenModal<Tgirisform>([](Tgirisform *form) { form->reject(); });
            s->findChild<QPushButton *>(u"vazgec"_s)->click();
        });
        if (atSignIn) {
            SignInFixture::useDevice("VARKO-DEMO-TEMSILCI");
            answerSignIn(u"TEMSILCI"_s, u"2345"_s);
            QVERIFY(!w.GirisYap());
        } else {
            w.bagc().setHostName(u"127.0.0.1"_s);
            w.bagc().setPort(m_fixture->port());
            w.sbilgi() = m_bilgi;
            emit w.baskaCariSecIstendi();
        }
        QVERIFY(!m_fixture->exitCodes.isEmpty());
        QCOMPARE(m_fixture->exitCodes.first(), 0);
    }

    void signInEndsWithoutChoice()
    {
        // a customer number of 0 cannot be chosen; closing the window then
        // leaves the sign-in without a customer, which ends the program
        wire::TSonucBilgisi bilgi = m_bilgi;
        Tseccari s(*m_bag, bilgi);
        s.show();
        s.cariler().setTable(customerRow(0));
        s.grid()->setFocusedRecord(0);
        s.CariSec();
        QVERIFY(s.isVisible());
        QCOMPARE(bilgi, m_bilgi);
    }

    void pipelineCounters()
    {
        // the distributor's own counts, to hold the buttons against
        auto c = m_fixture->connection();
        c->open();
        TServerMethods1Client proxy(c.get());
        const int basket = proxy.SepetSayisi(m_bilgi);
        const wire::TTusSonuclari t = proxy.TusSonuclariVer(m_bilgi).value();
        c->close();
        QVERIFY(basket > 0);

        Tseccari s(*m_bag, m_bilgi);
        QCOMPARE(buttonText(&s, u"goruldutus"_s), u"0"_s);
        s.SepetSayisiYaz();
        s.TusSonuclari();
        QCOMPARE(buttonText(&s, u"sepettus"_s), QString::number(basket));
        QCOMPARE(buttonText(&s, u"alinditus"_s), QString::number(t.Alindi()));
        QCOMPARE(buttonText(&s, u"onaylanditus"_s), QString::number(t.Onaylandi()));
        QCOMPARE(buttonText(&s, u"goruldutus"_s), QString::number(t.Goruldu()));
        QCOMPARE(buttonText(&s, u"parcalihazirlandi"_s), QString::number(t.ParcaliHazirlandi()));
        QCOMPARE(buttonText(&s, u"hazirlanditus"_s), QString::number(t.Hazirlandi()));
        QCOMPARE(buttonText(&s, u"sevktus"_s), QString::number(t.SevkEdildi()));
        QCOMPARE(s.findChild<QPushButton *>(u"sepettus"_s)->toolTip(),
                 u"Sipariş sepetinde \r\nstok olan carileri listeler."_s);
        QVERIFY(s.cariler().isEmpty());

        // no basket anywhere: the button shows nothing, not "0"
        m_fixture->server().store().write([](QSqlDatabase &db) { distributor::Query(db, u"DELETE FROM SEPET"_s).exec(); });
        s.SepetSayisiYaz();
        QCOMPARE(buttonText(&s, u"sepettus"_s), QString());
    }

    void pipelineLists_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("state");
        QTest::newRow("basket") << u"sepettus"_s << 1;
        QTest::newRow("received") << u"alinditus"_s << 2;
        QTest::newRow("approved") << u"onaylanditus"_s << 3;
        QTest::newRow("seen") << u"goruldutus"_s << 4;
        QTest::newRow("partly prepared") << u"parcalihazirlandi"_s << 5;
        QTest::newRow("prepared") << u"hazirlanditus"_s << 6;
        QTest::newRow("shipped") << u"sevktus"_s << 7;
    }
    void pipelineLists()
    {
        QFETCH(QString, button);
        QFETCH(int, state);
        auto c = m_fixture->connection();
        c->open();
        const wire::Table expected = TServerMethods1Client(c.get()).CariSepetVer(m_bilgi, state);
        c->close();
        m_fixture->clearRequests();

        Tseccari s(*m_bag, m_bilgi);
        s.show();
        s.findChild<QPushButton *>(button)->click();
        const QList<wire::Request> sent = m_fixture->requests(u"CariSepetVer"_s);
        QCOMPARE(sent.size(), 1);
        QCOMPARE(sent[0].params.at(1).value.toInteger(), state);
        QCOMPARE(sessionSent(sent[0]), m_bilgi);
        QCOMPARE(s.cariler().recordCount(), expected.rowCount());
        QCOMPARE(s.grid()->focusedRecord(), expected.rowCount() > 0 ? 0 : -1);
        QCOMPARE(s.findChild<QGroupBox *>(u"cariBilgileri"_s)->isVisible(), expected.rowCount() > 0);
        QVERIFY(!m_bag->isOpen());
    }

    void detailsFollowTheFocusedRow()
    {
        Tseccari s(*m_bag, m_bilgi);
        s.SepetSayisiYaz();
        s.TusSonuclari();
        s.show();
        QVERIFY(!s.findChild<QGroupBox *>(u"cariBilgileri"_s)->isVisible());
        s.findChild<QPushButton *>(u"sBitBtn2"_s)->click();
        // an empty search lists every customer of the representative
        QCOMPARE(m_fixture->requests(u"CariAra"_s).last().params.at(1).value.toString(), QString());
        QCOMPARE(s.cariler().recordCount(), 4);
        const int row = recordOf(s.cariler(), kMarmaraFiltre);
        s.grid()->setFocusedRecord(row);
        auto label = [&](const QString &name) { return s.findChild<QLabel *>(name)->text(); };
        QCOMPARE(label(u"cariadi"_s), u"Marmara Filtre Dünyası"_s);
        QCOMPARE(label(u"ilce"_s), u"Nilüfer/Bursa"_s);
        QVERIFY(label(u"vergi"_s).startsWith(u"Nilüfer/"_s));
        const double balance = s.cariler().value(row, s.cariler().fieldIndex(u"TLBAKIYE")).toDouble();
        const QString durum = s.cariler().value(row, s.cariler().fieldIndex(u"DURUM")).toString();
        QCOMPARE(label(u"bakiye"_s), wire::formatFloat(balance, u"#,###,##0.00"_s, QLocale()) + u' ' + durum);
        QVERIFY(s.grid()->footerText(u"CARIKOD").contains(u'4'));
        // the other fields stay off screen; the panel gets room of its own
        QVERIFY(shownOnScreen(s.grid(), u"PARCALIHAZIRLANDI"_s));
        for (const QString &hidden : {u"CARINO"_s, u"YETKILI"_s, u"KOD1"_s, u"VADEKONTROLAY"_s})
            QVERIFY2(!shownOnScreen(s.grid(), hidden), qPrintable(hidden));
        QVERIFY(s.findChild<QGroupBox *>(u"cariBilgileri"_s)->width() > 0);

        s.resize(1200, 700);
        QDir().mkpath(QStringLiteral(VARKO_SCREENSHOTS));
        s.grab().save(QStringLiteral(VARKO_SCREENSHOTS "/customerselection.png"));
    }

    void otherCustomerFromMainWindow_data()
    {
        QTest::addColumn<bool>("choose");
        QTest::newRow("another customer chosen") << true;
        QTest::newRow("closed without a choice") << false;
    }
    void otherCustomerFromMainWindow()
    {
        QFETCH(bool, choose);
        TForm1 w;
        w.bagc().setHostName(u"127.0.0.1"_s);
        w.bagc().setPort(m_fixture->port());
        m_bilgi.setCARINO(kBaskentFren);
        m_bilgi.setCariAdi(u"Başkent Fren Sistemleri"_s);
        w.sbilgi() = m_bilgi;
        installRepresentativeDesk(w);
        w.show();
        w.KullaniciTipiUygula(1);
        wire::PacketWriter packet({{u"STOKNO"_s, wire::FieldType::Integer, 0}});
        packet.integer(1).integer(2);
        w.stokVerisi().setTable(wire::Table::fromPacket(packet.finish()));
        w.setSekmeBasligi(TForm1::StokListesi, u"2=Stok Listesi"_s);
        w.sekmeler()->setCurrentWidget(w.sayfa(TForm1::Sepet));
        int reloads = 0;
        connect(&w, &TForm1::cariDegisti, this, [&] { ++reloads; });

        whenModal<Tseccari>([&](Tseccari *s) {
            if (!choose) {
                s->reject();
                return;
            }
            s->CariBul();
            s->grid()->setFocusedRecord(recordOf(s->cariler(), kMarmaraFiltre));
            s->findChild<QPushButton *>(u"sec"_s)->click();
        });
        w.findChild<QPushButton *>(u"musteritus"_s)->click();

        QCOMPARE(w.sbilgi().CARINO(), choose ? kMarmaraFiltre : kBaskentFren);
        QCOMPARE(w.findChild<QLabel *>(u"cariadilbl"_s)->text(),
                 choose ? u"Marmara Filtre Dünyası"_s : u"Başkent Fren Sistemleri"_s);
        QCOMPARE(reloads, 1);
        QVERIFY(!w.stokVerisi().isActive());
        QCOMPARE(w.sekmeBasligi(TForm1::StokListesi), u"0=Stok Listesi"_s);
        QCOMPARE(w.sekmeler()->currentWidget(), w.sayfa(TForm1::StokListesi));
        QVERIFY(m_fixture->exitCodes.isEmpty());
    }

    void balancesOfTheFocusedCustomer()
    {
        m_bilgi.setCARINO(kBaskentFren);
        const wire::TSonucBilgisi before = m_bilgi;
        Tseccari s(*m_bag, m_bilgi);
        s.show();
        s.CariBul();
        s.grid()->setFocusedRecord(recordOf(s.cariler(), kMarmaraFiltre));
        m_fixture->clearRequests();
        bool maximised = false;
        QStringList shownColumns;
        bool priceItem = true;
        int lines = 0;
        whenModal<Tbakiyesiparisler>([&](Tbakiyesiparisler *b) {
            maximised = b->windowState().testFlag(Qt::WindowMaximized);
            for (const QString &key : {u"ILKFIYAT"_s, u"ELDEKI"_s, u"ALINANSIPARIS"_s, u"VERILENSIPARIS"_s,
                                       u"DURUM"_s}) {
                if (shownOnScreen(b->grid(), key))
                    shownColumns << key;
            }
            priceItem = b->findChild<QAction *>(u"fiyatDegistir"_s)->isVisible();
            lines = b->bakiyesepet().recordCount();
            b->showNormal();
            b->resize(1280, 720);
            QDir().mkpath(QStringLiteral(VARKO_SCREENSHOTS));
            b->grab().save(QStringLiteral(VARKO_SCREENSHOTS "/balances.png"));
            b->findChild<QPushButton *>(u"kapat"_s)->click();
        });
        s.findChild<QAction *>(u"B1"_s)->trigger();

        const QList<wire::Request> loads = m_fixture->requests(u"BakiyelerVer2"_s);
        QCOMPARE(loads.size(), 1);
        QCOMPARE(loads[0].params.at(0).value.toInteger(), kMarmaraFiltre);
        QVERIFY(lines > 0);
        QVERIFY(maximised);
        QCOMPARE(shownColumns, (QStringList{u"ELDEKI"_s, u"ALINANSIPARIS"_s, u"VERILENSIPARIS"_s, u"DURUM"_s}));
        QVERIFY(!priceItem);
        // the representative's own record still names its customer
        QCOMPARE(m_bilgi, before);
    }

    void reportFileNames_data()
    {
        QTest::addColumn<int>("report");
        QTest::addColumn<int>("customer");
        QTest::addColumn<QString>("name");
        QTest::newRow("summary of customer 1234") << 6 << 1234 << u"rapor1240.pdf"_s;
        QTest::newRow("receivables due dates") << 6 << 0 << u"rapor6.pdf"_s;
        QTest::newRow("purchase and sales table") << 7 << 1004 << u"rapor1011.pdf"_s;
    }
    void reportFileNames()
    {
        QFETCH(int, report);
        QFETCH(int, customer);
        QFETCH(QString, name);
        QCOMPARE(rapor::dosyaYolu(report, customer), QDir(BelgelerKlasoruAl()).filePath(name));
    }

    void reportKeptOnlyWhenComplete_data()
    {
        QTest::addColumn<QByteArray>("stream");
        QTest::addColumn<qint64>("announced");
        QTest::addColumn<bool>("written");
        const QByteArray pdf = "%PDF-1.4 " + QByteArray(3000, 'x');
        QTest::newRow("complete") << pdf << qint64(pdf.size()) << true;
        QTest::newRow("shorter than announced") << pdf.left(2048) << qint64(pdf.size()) << false;
        QTest::newRow("longer than announced") << pdf << qint64(pdf.size() - 1) << false;
        QTest::newRow("nothing announced") << pdf << qint64(0) << false;
    }
    void reportKeptOnlyWhenComplete()
    {
        QFETCH(QByteArray, stream);
        QFETCH(qint64, announced);
        QFETCH(bool, written);
        const QString path = QDir(BelgelerKlasoruAl()).filePath(u"rapor-test.pdf"_s);
        QFile::remove(path);
        QCOMPARE(rapor::kaydet(stream, announced, path), written);
        QCOMPARE(QFile::exists(path), written);
        if (written) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadOnly));
            QCOMPARE(f.readAll(), stream);
        }
        // nothing half-written is left beside it
        QCOMPARE(QDir(BelgelerKlasoruAl()).entryList({u"rapor-test*"_s}, QDir::Files).size(), written ? 1 : 0);
    }

    void reportsFromTheMenu_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<bool>("twoDates");
        QTest::addColumn<int>("report");
        QTest::addColumn<int>("customer");
        QTest::addColumn<QString>("representative");
        QTest::addColumn<QString>("file");
        QTest::newRow("customer summary") << u"C1"_s << false << 6 << kMarmaraFiltre << u"Ahmet Yılmaz"_s
                                          << u"rapor1013.pdf"_s;
        QTest::newRow("purchase and sales table of the session's customer")
            << u"CariAlSatTablosuSatcl1"_s << true << 7 << kBaskentFren << u"Ahmet Yılmaz"_s << u"rapor1011.pdf"_s;
        QTest::newRow("receivables due dates") << u"CariTopluAlacakVadeleri1"_s << false << 6 << 0 << u"TEMSILCI"_s
                                               << u"rapor6.pdf"_s;
    }
    void reportsFromTheMenu()
    {
        QFETCH(QString, item);
        QFETCH(bool, twoDates);
        QFETCH(int, report);
        QFETCH(int, customer);
        QFETCH(QString, representative);
        QFETCH(QString, file);
        m_bilgi.setCARINO(kBaskentFren);
        const QString path = QDir(BelgelerKlasoruAl()).filePath(file);
        // an old report of the same name is replaced
        {
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("old");
        }
        Tseccari s(*m_bag, m_bilgi);
        s.show();
        s.CariBul();
        s.grid()->setFocusedRecord(recordOf(s.cariler(), kMarmaraFiltre));
        m_fixture->clearRequests();

        const QDate d1(2026, 11, 1);
        const QDate d2(2026, 11, 30);
        answerDates(d1, d2);
        s.findChild<QAction *>(item)->trigger();

        const QList<wire::Request> sent = m_fixture->requests(u"RaporGetir"_s);
        QCOMPARE(sent.size(), 1);
        const QList<wire::Param> &p = sent[0].params;
        QCOMPARE(p.at(0).value.toInteger(), report);
        QCOMPARE(p.at(1).value.toInteger(), report);
        QCOMPARE(p.at(2).value.toInteger(), m_bilgi.Sirano());
        QCOMPARE(p.at(3).value.toInteger(), customer);
        QCOMPARE(p.at(4).value.toString(), representative);
        QCOMPARE(wire::fromOleDate(p.at(5).value.toDouble()).date(), d1);
        QCOMPARE(wire::fromOleDate(p.at(6).value.toDouble()).date(), twoDates ? d2 : d1);
        QCOMPARE(m_opened, QStringList{path});
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.readAll().startsWith("%PDF"));
        QVERIFY(!m_bag->isOpen());
    }

    void reportNotArrivingLeavesNoFile()
    {
        // the session has no customer: the distributor refuses this report
        m_bilgi.setCARINO(0);
        const QString path = rapor::dosyaYolu(7, 0);
        {
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("old");
        }
        Tseccari s(*m_bag, m_bilgi);
        s.show();
        s.CariBul();
        answerDates(QDate::currentDate(), QDate::currentDate());
        s.findChild<QAction *>(u"CariAlSatTablosuSatcl1"_s)->trigger();
        QCOMPARE(m_fixture->requests(u"RaporGetir"_s).size(), 1);
        QVERIFY(!QFile::exists(path));
        QVERIFY(m_opened.isEmpty());
        QVERIFY(m_fixture->shown.isEmpty());
    }

    void cancelledDatesRequestNothing()
    {
        Tseccari s(*m_bag, m_bilgi);
        s.show();
        s.CariBul();
        m_fixture->clearRequests();
        answerDates(QDate::currentDate(), QDate::currentDate(), false);
        s.findChild<QAction *>(u"CariTopluAlacakVadeleri1"_s)->trigger();
        QVERIFY(m_fixture->requests(u"RaporGetir"_s).isEmpty());
        QVERIFY(m_opened.isEmpty());
    }

    void failedConnectionIsReported()
    {
        auto dead = std::make_unique<ServerConnection>();
        dead->setHostName(u"127.0.0.1"_s);
        dead->setPort(1); // nothing listens there
        dead->setConnectTimeout(500);
        Tseccari s(*dead, m_bilgi);
        s.show();
        s.CariBul();
        QCOMPARE(m_fixture->shown.size(), 1);
        QCOMPARE(m_fixture->shown[0].type, MesajTipi::Hata);
        QVERIFY(!m_fixture->shown[0].text.isEmpty());
        QVERIFY(s.isVisible());
        QVERIFY(!s.cariler().isActive());
    }

private:
    static wire::Table customerRow(int carino)
    {
        wire::PacketWriter w({{u"CARINO"_s, wire::FieldType::Integer, 0},
                              {u"CARIKOD"_s, wire::FieldType::String, 20},
                              {u"CARIADI"_s, wire::FieldType::String, 50}});
        w.integer(carino).text(u"X"_s).text(u"Y"_s);
        return wire::Table::fromPacket(w.finish());
    }

    QTemporaryDir m_home;
    std::unique_ptr<DeskFixture> m_fixture;
    std::unique_ptr<ServerConnection> m_bag;
    wire::TSonucBilgisi m_bilgi;
    QStringList m_opened;
};

QTEST_MAIN(TestSeccari)
#include "tst_seccari.moc"
