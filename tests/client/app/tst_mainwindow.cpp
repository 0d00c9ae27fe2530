#include "signinfixture.h"
#include "uidriver.h"

#include "client/app/mainwindow.h"
#include "client/app/tabbadge.h"
#include "client/server/serverconnection.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QThreadPool>
#include <QTimer>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

int tabIndex(TForm1 &w, TForm1::Sekme s)
{
    return w.sekmeler()->indexOf(w.sayfa(s));
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_fixture = std::make_unique<SignInFixture>();
        QVERIFY2(m_fixture->started(), qPrintable(m_fixture->error()));
    }
    void cleanup() { m_fixture.reset(); }

    void layoutBeforeSignIn()
    {
        TForm1 w;
        QCOMPARE(w.windowTitle(), u"Varko B2B Programı"_s);
        QCOMPARE(w.bagc().param(ServerConnection::kPort), u"9090"_s);
        const QStringList expected = {u"Stok Listesi"_s, u"Sepet"_s,     u"Önceki Siparişler"_s,
                                      u"Cari Ekstre"_s,  u"Yeni Stoklar"_s, u"Kampanyalı Stoklar"_s,
                                      u"Duyurular"_s,    u"Bakiyeler"_s,  u"Sanal Pos"_s};
        QStringList captions;
        for (int i = 0; i < w.sekmeler()->count(); ++i)
            captions << w.sekmeler()->tabText(i);
        QCOMPARE(captions, expected);
        QVERIFY(!w.sbilgi().BilgiSayarAdi().isNull());
        QVERIFY(!w.sbilgi().Icip().isEmpty());
        // the general menu, in order
        auto *menuButton = w.findChild<QToolButton *>(u"menuButton"_s);
        QStringList entries;
        for (QAction *a : menuButton->menu()->actions()) {
            if (!a->isSeparator())
                entries << a->text();
        }
        QCOMPARE(entries, (QStringList{u"Mail Gönder"_s, u"Şifre Değiştirme İsteği"_s, u"127.0.0.1"_s, u"Çıkış"_s,
                                       u"Raporlar"_s}));
    }

    void dealerSeesBannerAndCounters()
    {
        SignInFixture::useDevice("VARKO-DEMO-BAYI");
        TForm1 w;
        answerSignIn(u"BAYI"_s, u"1234"_s);
        QVERIFY(w.GirisYap());
        w.resize(1280, 800);
        w.show();
        w.BaslangicYuklemeleriniBaslat();

        auto *user = w.findChild<QLabel *>(u"kullanicilbl"_s);
        QTRY_COMPARE_WITH_TIMEOUT(user->text(), u"BAYI"_s, 10000);
        QVERIFY(!w.findChild<QLabel *>(u"cariadilbl"_s)->text().isEmpty());
        QVERIFY(w.findChild<QLabel *>(u"saticilbl"_s)->text().contains(u" Telefonu: "_s));
        // the counters arrive as "count=title" captions
        QTRY_VERIFY_WITH_TIMEOUT(w.sekmeBasligi(TForm1::Sepet).endsWith(u"=Sepet"_s), 10000);
        QVERIFY(w.sekmeBasligi(TForm1::YeniStoklar).endsWith(u"=Yeni Stoklar"_s));
        QVERIFY(w.sekmeBasligi(TForm1::KampanyaliStoklar).endsWith(u"=Kampanyalı"_s));
        QVERIFY(w.sekmeBasligi(TForm1::Bakiyeler).endsWith(u"=Bakiyeler"_s));
        QVERIFY(SekmeBasligiCoz(w.sekmeBasligi(TForm1::YeniStoklar)).sayi > 0);
        QVERIFY(!w.findChild<QPushButton *>(u"musteritus"_s)->isVisibleTo(&w));
        QVERIFY(m_fixture->shown.isEmpty());

        QDir().mkpath(QStringLiteral(VARKO_SCREENSHOTS));
        w.grab().save(QStringLiteral(VARKO_SCREENSHOTS "/mainwindow.png"));
    }

    // The start-up body hands its results to the UI thread while it runs;
    // a window gone by then must simply not receive them.
    void windowGoneDuringStartUpLoads()
    {
        SignInFixture::useDevice("VARKO-DEMO-BAYI");
        auto w = std::make_unique<TForm1>();
        answerSignIn(u"BAYI"_s, u"1234"_s);
        QVERIFY(w->GirisYap());
        w->BaslangicYuklemeleriniBaslat();
        w.reset();
        QTest::qWaitFor([] { return QThreadPool::globalInstance()->activeThreadCount() == 0; }, 10000);
        QTest::qWait(50);
        QVERIFY(m_fixture->shown.isEmpty());
    }

    void roleDependentLayout_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("otherCustomer");
        QTest::addColumn<bool>("reports");
        QTest::addColumn<bool>("campaignTab");
        QTest::newRow("dealer") << 0 << false << false << true;
        QTest::newRow("representative") << 1 << true << true << true;
        QTest::newRow("representative with prices") << 2 << true << true << true;
        QTest::newRow("dealer without status") << 3 << false << false << true;
        QTest::newRow("dealer without campaigns") << 4 << false << false << false;
    }
    void roleDependentLayout()
    {
        QFETCH(int, type);
        QFETCH(bool, otherCustomer);
        QFETCH(bool, reports);
        QFETCH(bool, campaignTab);
        TForm1 w;
        w.show();
        w.KullaniciTipiUygula(type);
        QCOMPARE(w.findChild<QPushButton *>(u"musteritus"_s)->isVisible(), otherCustomer);
        QCOMPARE(w.findChild<QAction *>(u"R1"_s)->isVisible(), reports);
        QCOMPARE(w.sekmeler()->isTabVisible(tabIndex(w, TForm1::KampanyaliStoklar)), campaignTab);
        // counters for campaigns never bring the hidden tab back
        w.setSekmeBasligi(TForm1::KampanyaliStoklar, u"5=Kampanyalı"_s);
        QCOMPARE(w.sekmeler()->isTabVisible(tabIndex(w, TForm1::KampanyaliStoklar)), campaignTab);
    }

    void closeQuestion_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QList<int>>("exits");
        QTest::newRow("No keeps the program") << int(mrNo) << QList<int>{};
        QTest::newRow("Yes ends at once") << int(mrYes) << QList<int>{0};
    }
    void closeQuestion()
    {
        QFETCH(int, answer);
        QFETCH(QList<int>, exits);
        QString asked;
        messages::setRunner([&](QMessageBox &box, const messages::Shown &s) {
            asked = s.text;
            // Yes is the default button of this question
            [&] { QCOMPARE(box.defaultButton()->text(), u"Evet"_s); }();
            return answer;
        });
        TForm1 w;
        w.show();
        QVERIFY(!w.close());
        QCOMPARE(asked, u"Programdan Çıkmak İstiyor musunuz ?"_s);
        QCOMPARE(m_fixture->exitCodes, exits);
        QVERIFY(w.isVisible());
    }

    void clearEmptiesTheStockList()
    {
        TForm1 w;
        w.show();
        wire::PacketWriter packet({{u"STOKNO"_s, wire::FieldType::Integer, 0}});
        packet.integer(1).integer(2);
        w.stokVerisi().setTable(wire::Table::fromPacket(packet.finish()));
        w.setSekmeBasligi(TForm1::StokListesi, u"2=Stok Listesi"_s);
        w.sekmeler()->setCurrentIndex(tabIndex(w, TForm1::Sepet));
        w.araedit()->setText(u"FREN"_s);

        w.findChild<QPushButton *>(u"temizleButon"_s)->click();
        QVERIFY(!w.stokVerisi().isActive());
        QCOMPARE(w.sekmeBasligi(TForm1::StokListesi), u"Stok Listesi"_s);
        QCOMPARE(w.sekmeler()->currentIndex(), tabIndex(w, TForm1::StokListesi));
        QCOMPARE(w.araedit()->text(), QString());
    }

private:
    std::unique_ptr<SignInFixture> m_fixture;
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
