#include "signinfixture.h"

#include "client/app/baglantiac.h"
#include "client/app/inifile.h"
#include "client/app/texts.h"
#include "client/server/serverconnection.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTcpServer>

using namespace Qt::StringLiterals;

namespace {

const QString kHatali = u"Kullanıcı Adı ve Şifre Hatalı Lütfen Tekrar Deneyiniz !"_s;

struct Window
{
    ServerConnection bagc;
    wire::TSonucBilgisi sbilgi;
    std::unique_ptr<Tgirisform> form;

    Window()
    {
        bagc.setPort(9090);
        form = std::make_unique<Tgirisform>(bagc, sbilgi);
        form->show();
    }
    QLineEdit *adi() const { return form->findChild<QLineEdit *>(u"adi"_s); }
    QLineEdit *sifre() const { return form->findChild<QLineEdit *>(u"sifre"_s); }
    QCheckBox *hatirla() const { return form->findChild<QCheckBox *>(u"benihatirla"_s); }
    QPushButton *giris() const { return form->findChild<QPushButton *>(u"Button1"_s); }

    void type(const QString &name, const QString &password)
    {
        adi()->clear();
        sifre()->clear();
        QTest::keyClicks(adi(), name);
        QTest::keyClicks(sifre(), password);
    }
    // clicks "Giriş" and waits until the sign-in has settled
    void signIn(SignInFixture &f)
    {
        const int messagesBefore = int(f.shown.size());
        const int endsBefore = int(f.exitCodes.size());
        giris()->click();
        QTRY_VERIFY_WITH_TIMEOUT(form->result() == QDialog::Accepted || f.shown.size() > messagesBefore
                                     || f.exitCodes.size() > endsBefore,
                                 20000);
    }
};

QString iniText()
{
    QFile f(Tgirisform::ayarDosyasi());
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(f.readAll());
}

} // namespace

class TestSignIn : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_fixture = std::make_unique<SignInFixture>();
        QVERIFY2(m_fixture->started(), qPrintable(m_fixture->error()));
        QFile::remove(Tgirisform::ayarDosyasi());
        connectionretry::setPauseMs(5);
    }
    void cleanup()
    {
        m_fixture.reset();
        connectionretry::setPauseMs(kBaglantiDenemeAraligiMs);
    }

    void dealerSignsIn()
    {
        SignInFixture::useDevice("VARKO-DEMO-BAYI");
        Window w;
        w.type(u"bayi"_s, u"1234"_s); // typed in lower case, taken in upper case
        QCOMPARE(w.adi()->text(), u"BAYI"_s);
        QDir().mkpath(QStringLiteral(VARKO_SCREENSHOTS));
        w.form->grab().save(QStringLiteral(VARKO_SCREENSHOTS "/signin.png"));
        w.signIn(*m_fixture);

        QCOMPARE(w.form->result(), int(QDialog::Accepted));
        QVERIFY(m_fixture->shown.isEmpty());
        QCOMPARE(w.sbilgi.ADI(), u"BAYI"_s);
        QVERIFY(w.sbilgi.CARINO() > 0);
        QCOMPARE(w.sbilgi.MusteriTipi(), 0);
        QCOMPARE(w.sbilgi.BILGISAYARID(), u"VARKO-DEMO-BAYI"_s);
        QCOMPARE(w.sbilgi.Disip(), u"127.0.0.1"_s);
        QCOMPARE(w.bagc.hostName(), u"127.0.0.1"_s);
        QCOMPARE(w.giris()->text(), u"Giriş!"_s);

        const QString ini = iniText();
        QVERIFY(ini.contains(u"[kullanici]"_s));
        QVERIFY(ini.contains(u"isim=BAYI"_s));
        QVERIFY(ini.contains(u"sifre=1234"_s));
        QVERIFY(ini.contains(u"hatırla=1"_s));

        // the next start fills both fields from the file
        Window again;
        QCOMPARE(again.adi()->text(), u"BAYI"_s);
        QCOMPARE(again.sifre()->text(), u"1234"_s);
    }

    void refusedSignIns_data()
    {
        QTest::addColumn<QByteArray>("device");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("remembered");
        QTest::newRow("wrong password") << QByteArray("VARKO-DEMO-BAYI") << u"BAYI"_s << u"9999"_s << false;
        QTest::newRow("user of another device") << QByteArray("VARKO-DEMO-BAYI") << u"BAYI3"_s << u"4567"_s << false;
        // written before the active flag is examined
        QTest::newRow("inactive user") << QByteArray("VARKO-DEMO-PASIF") << u"PASIF"_s << u"6789"_s << true;
    }
    void refusedSignIns()
    {
        QFETCH(QByteArray, device);
        QFETCH(QString, name);
        QFETCH(QString, password);
        QFETCH(bool, remembered);
        SignInFixture::useDevice(device);
        Window w;
        w.type(name, password);
        w.signIn(*m_fixture);

        QCOMPARE(m_fixture->texts(), QStringList{kHatali});
        QCOMPARE(m_fixture->shown.first().caption, u"Uyarı"_s);
        QVERIFY(w.form->result() != QDialog::Accepted);
        QVERIFY(w.giris()->isEnabled());
        QVERIFY(m_fixture->exitCodes.isEmpty());
        QCOMPARE(iniText().contains(u"isim="_s + name), remembered);
    }

    void unregisteredDeviceGetsTheRequestForm()
    {
        SignInFixture::useDevice("BILINMEYEN-CIHAZ-42");
        QString opened;
        Tgirisform::Steps steps;
        steps.istekFormuAc = [&](const QString &url) { opened = url; };
        Tgirisform::setSteps(steps);

        Window w;
        w.type(u"KIMSE"_s, u"1"_s);
        w.signIn(*m_fixture);

        QCOMPARE(opened, u"http://127.0.0.1:%1/formmailgonder.aspx?carino=0&kullanici= &id=BILINMEYEN-CIHAZ-42"_s.arg(
                             m_fixture->server().webPort()));
        QCOMPARE(m_fixture->exitCodes, QList<int>{0});
        QVERIFY(m_fixture->shown.isEmpty());
    }

    void outdatedVersionUpdatesBeforeCheckingCredentials()
    {
        SignInFixture::useDevice("VARKO-DEMO-GUNCELLE");
        int updates = 0;
        Tgirisform::Steps steps;
        steps.guncellemeYap = [&](ServerConnection &, wire::TSonucBilgisi &bilgi) {
            QVERIFY(bilgi.Version() != 1);
            ++updates;
        };
        Tgirisform::setSteps(steps);

        Window w;
        w.type(u"ESKI"_s, u"YANLIS"_s); // a wrong password does not stop the update
        w.signIn(*m_fixture);
        QCOMPARE(updates, 1);
        QCOMPARE(m_fixture->exitCodes, QList<int>{0});
        QVERIFY(!m_fixture->texts().contains(kHatali));
    }

    void representativeMustChooseACustomer_data()
    {
        QTest::addColumn<bool>("chooses");
        QTest::newRow("chooses a customer") << true;
        QTest::newRow("gives up") << false;
    }
    void representativeMustChooseACustomer()
    {
        QFETCH(bool, chooses);
        SignInFixture::useDevice("VARKO-DEMO-TEMSILCI");
        int asked = 0;
        Tgirisform::Steps steps;
        steps.cariSectir = [&](ServerConnection &, wire::TSonucBilgisi &bilgi) {
            ++asked;
            bilgi.setCARINO(1001);
            return chooses;
        };
        Tgirisform::setSteps(steps);

        Window w;
        w.type(u"TEMSILCI"_s, u"2345"_s);
        w.signIn(*m_fixture);
        QCOMPARE(asked, 1);
        if (chooses) {
            QCOMPARE(w.form->result(), int(QDialog::Accepted));
            QCOMPARE(w.sbilgi.CARINO(), 1001);
        } else {
            QCOMPARE(m_fixture->exitCodes, QList<int>{0});
        }
    }

    void serverDownMeansElevenAttempts()
    {
        SignInFixture::useDevice("VARKO-DEMO-BAYI");
        // the web server answers the address lookup, the application server is gone
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        const quint16 deadPort = probe.serverPort();
        probe.close();
        SignInFixture::pointAt(deadPort, m_fixture->server().webPort());

        Window w;
        w.type(u"BAYI"_s, u"1234"_s);
        w.giris()->click();
        QTRY_COMPARE_WITH_TIMEOUT(m_fixture->shown.size(), kBaglantiDenemeSayisi + 1, 30000);
        for (int i = 0; i < kBaglantiDenemeSayisi; ++i)
            QVERIFY(m_fixture->shown[i].plain);
        QCOMPARE(m_fixture->shown.last().text, u"Bağlantı Kurulamadı !"_s);
        QCOMPARE(m_fixture->shown.last().caption, u"Hata"_s);
        QTRY_VERIFY(w.giris()->isEnabled());
    }

    void noExternalAddressIsReported()
    {
        SignInFixture::useDevice("VARKO-DEMO-BAYI");
        qputenv("VARKO_IP_SERVISI", "http://127.0.0.1:1/ip");
        Window w;
        w.type(u"BAYI"_s, u"1234"_s);
        w.signIn(*m_fixture);
        QCOMPARE(m_fixture->texts(), QStringList{u"Bağlantı Kurulamıyor Lütfen Tekrar Deneyiniz !"_s});
        QVERIFY(w.giris()->isEnabled());
    }

    void notRememberedStillWritesCredentials()
    {
        SignInFixture::useDevice("VARKO-DEMO-BAYI");
        {
            Window w;
            w.type(u"BAYI"_s, u"1234"_s);
            w.hatirla()->setChecked(false);
            w.signIn(*m_fixture);
            QCOMPARE(w.form->result(), int(QDialog::Accepted));
        }
        const QString ini = iniText();
        QVERIFY(ini.contains(u"isim=BAYI"_s));
        QVERIFY(ini.contains(u"sifre=1234"_s));
        QVERIFY(ini.contains(u"hatırla=0"_s));

        Window next;
        QVERIFY(!next.hatirla()->isChecked());
        QCOMPARE(next.adi()->text(), QString());
        QCOMPARE(next.sifre()->text(), QString());
    }

    void enterOnEmptyFieldsWarns_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty name") << QString() << u"adi"_s << u"Lütfen kullanıcı adını giriniz !"_s;
        QTest::newRow("blank password") << u"BAYI"_s << u"sifre"_s << u"Lütfen kullanıcı şifresini giriniz !"_s;
    }
    void enterOnEmptyFieldsWarns()
    {
        QFETCH(QString, name);
        QFETCH(QString, field);
        QFETCH(QString, message);
        Window w;
        w.adi()->setText(name);
        w.sifre()->setText(u"  "_s);
        QLineEdit *edit = w.form->findChild<QLineEdit *>(field);
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(m_fixture->texts(), QStringList{message});
        QCOMPARE(m_fixture->shown.first().caption, u"Uyarı"_s);
        QVERIFY(w.giris()->isEnabled()); // nothing was started
    }

private:
    std::unique_ptr<SignInFixture> m_fixture;
};

QTEST_MAIN(TestSignIn)
#include "tst_signin.moc"
