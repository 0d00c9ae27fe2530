#include "girisform.h"

#include "await.h"
#include "baglantiac.h"
#include "busyindicator.h"
#include "inifile.h"
#include "messages.h"
#include "pictures.h"
#include "process.h"
#include "uppercaselineedit.h"
#include "workstation.h"

#include "client/server/serverconnection.h"
#include "client/server/servermethods.h"
#include "client/server/webaddresses.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QEventLoop>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPainter>
#include <QPushButton>
#include <QThread>

using namespace Qt::StringLiterals;

namespace {

const QString kSection = u"kullanici"_s;
const QString kIsim = u"isim"_s;
const QString kSifre = u"sifre"_s;
const QString kHatirla = u"hatırla"_s;

const QString kBaglantiKurulamiyorDeneyiniz = u"Bağlantı Kurulamıyor Lütfen Tekrar Deneyiniz !"_s;
const QString kBaglantiKurulamadi = u"Bağlantı Kurulamadı !"_s;
const QString kKullaniciHatali = u"Kullanıcı Adı ve Şifre Hatalı Lütfen Tekrar Deneyiniz !"_s;

int &lookupAttempts()
{
    static int attempts = 5;
    return attempts;
}

Tgirisform::Steps &currentSteps()
{
    static Tgirisform::Steps steps;
    return steps;
}

QLabel *captionLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setStyleSheet(u"QLabel { color: white; background: rgb(226, 10, 23); font-weight: bold; padding: 3px; }"_s);
    return label;
}

} // namespace

Tgirisform::Tgirisform(ServerConnection &bagim, wire::TSonucBilgisi &Bilgim, QWidget *parent)
    : QDialog(parent)
    , m_bagim(bagim)
    , m_bilgim(Bilgim)
{
    setWindowTitle(u"Giriş"_s);
    // its own taskbar entry: the main window is not visible yet
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    buildLayout();

    adresler::GenelAdresleriKullan();
    m_idsi = CihazKimligiAl();
    AyarOku();
}

void Tgirisform::buildLayout()
{
    setFixedSize(460, 300);
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(20, 16, 20, 16);

    auto *logo = new QLabel(this);
    logo->setPixmap(pictures::logo(QSize(180, 64)));
    grid->addWidget(logo, 0, 0, 1, 3, Qt::AlignHCenter);

    m_adi = new UpperCaseLineEdit(this);
    m_adi->setObjectName(u"adi"_s);
    m_sifre = new UpperCaseLineEdit(this);
    m_sifre->setObjectName(u"sifre"_s);
    m_sifre->setEchoMode(QLineEdit::Password);
    m_sifre->setStyleSheet(u"lineedit-password-character: 42;"_s); // "*"
    m_benihatirla = new QCheckBox(u"Beni hatırla"_s, this);
    m_benihatirla->setObjectName(u"benihatirla"_s);
    m_benihatirla->setChecked(true);

    grid->addWidget(captionLabel(u" Kullanıcı Adı:"_s, this), 1, 0);
    grid->addWidget(m_adi, 1, 1, 1, 2);
    grid->addWidget(captionLabel(u" Şifre:"_s, this), 2, 0);
    grid->addWidget(m_sifre, 2, 1, 1, 2);
    grid->addWidget(m_benihatirla, 3, 1);

    m_busy = new BusyIndicator(this);
    m_button1 = new QPushButton(u"Giriş"_s, this);
    m_button1->setObjectName(u"Button1"_s);
    m_button1->setAutoDefault(false);
    m_button2 = new QPushButton(u"Vazgeç"_s, this);
    m_button2->setObjectName(u"Button2"_s);
    m_button2->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_busy);
    buttons->addStretch();
    buttons->addWidget(m_button1);
    buttons->addWidget(m_button2);
    grid->addLayout(buttons, 4, 0, 1, 3);

    auto *contact = new QLabel(u"Varko Otomotiv Yedek Parça A.Ş. · Sanayi Mah. Motor Sok. No: 12, İstanbul\n"
                               "destek@varko.com.tr · Tel: 0 212 555 01 01 · 0 212 555 01 02"_s,
                               this);
    contact->setObjectName(u"iletisim"_s);
    contact->setAlignment(Qt::AlignCenter);
    contact->setStyleSheet(u"color: #2B3A4A; font-size: 11px;"_s);
    grid->addWidget(contact, 5, 0, 1, 3);

    m_adi->installEventFilter(this);
    m_sifre->installEventFilter(this);
    connect(m_button1, &QPushButton::clicked, this, &Tgirisform::Button1Click);
    connect(m_button2, &QPushButton::clicked, this, [] { process::end(0); });
}

void Tgirisform::setSteps(const Steps &steps)
{
    currentSteps() = steps;
}

Tgirisform::Steps Tgirisform::steps()
{
    return currentSteps();
}

void Tgirisform::setAddressLookupAttempts(int attempts)
{
    lookupAttempts() = qMax(1, attempts);
}

QString Tgirisform::ayarDosyasi()
{
    return QDir(VeriKlasoruAl()).filePath(u"ayar.ini"_s);
}

void Tgirisform::AyarOku()
{
    IniFile ini(ayarDosyasi());
    if (!ini.exists())
        return;
    ini.load();
    m_benihatirla->setChecked(ini.boolValue(kSection, kHatirla, true));
    if (m_benihatirla->isChecked()) {
        m_adi->setText(ini.value(kSection, kIsim));
        m_sifre->setText(ini.value(kSection, kSifre));
    }
}

void Tgirisform::AyarYaz()
{
    IniFile ini(ayarDosyasi());
    ini.load();
    ini.setValue(kSection, kIsim, m_adi->text());
    ini.setValue(kSection, kSifre, m_sifre->text());
    ini.setBoolValue(kSection, kHatirla, m_benihatirla->isChecked());
    ini.save();
}

bool Tgirisform::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return QDialog::eventFilter(watched, event);

    if (watched == m_adi) {
        if (m_adi->text().trimmed().isEmpty()) {
            QApplication::beep();
            MesajGoster(u"Lütfen kullanıcı adını giriniz !"_s, MesajTipi::Uyari, kTamam, Dugme::OK, this);
            m_adi->selectAll();
            m_adi->setFocus();
        } else {
            m_sifre->selectAll();
            m_sifre->setFocus();
        }
        return true;
    }
    if (watched == m_sifre) {
        if (m_sifre->text().trimmed().isEmpty()) {
            QApplication::beep();
            MesajGoster(u"Lütfen kullanıcı şifresini giriniz !"_s, MesajTipi::Uyari, kTamam, Dugme::OK, this);
            m_sifre->selectAll();
            m_sifre->setFocus();
        } else if (m_button1->isEnabled()) {
            m_button1->click();
        }
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void Tgirisform::keyPressEvent(QKeyEvent *event)
{
    // Escape would reject the dialog behind the program's back
    if (event->key() == Qt::Key_Escape)
        return;
    QDialog::keyPressEvent(event);
}

QString Tgirisform::DisIpBul()
{
    QNetworkAccessManager http;
    const QUrl url(adresler::ipServisiAdresi());
    for (int attempt = 0; attempt < lookupAttempts(); ++attempt) {
        if (attempt > 0)
            QThread::msleep(1000);
        QNetworkRequest request(url);
        request.setTransferTimeout(15000);
        QNetworkReply *reply = http.get(request);
        QEventLoop loop;
        QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        loop.exec();
        const bool ok = reply->error() == QNetworkReply::NoError;
        const QString body = QString::fromUtf8(reply->readAll()).trimmed();
        reply->deleteLater();
        if (ok)
            return body;
    }
    return QString();
}

void Tgirisform::Button1Click()
{
    m_button1->setText(u"Bağlanıyor..."_s);
    m_button1->setEnabled(false);
    m_busy->start();

    auto address = std::make_shared<QString>();
    Async([address] {
        *address = DisIpBul();
        if (*address == adresler::icDisAdres())
            adresler::IcAdresleriKullan();
    }).Await(
        [this, address] {
            m_button1->setText(u"Giriş!"_s);
            m_busy->stop();
            Devamet(*address);
        },
        this);
}

void Tgirisform::Devamet(const QString &address)
{
    if (address.trimmed().isEmpty()) {
        MesajGoster(kBaglantiKurulamiyorDeneyiniz, MesajTipi::Hata, kTamam, Dugme::OK, this);
        m_button1->setEnabled(true);
        return;
    }
    m_bilgim.setDisip(address);
    m_bagim.setHostName(adresler::sunucuadresi());
    m_bagim.setPort(adresler::sunucuportu());

    // the body works on its own record; the UI thread copies it over once
    // the body is done, so no thread writes what another reads
    struct Outcome
    {
        bool dogrusonuc = false;
        wire::TSonucBilgisi fetched;
    };
    auto outcome = std::make_shared<Outcome>();
    outcome->fetched.Kopyala(m_bilgim);
    // the clone is made here, on the thread that owns the connection
    auto clone = std::shared_ptr<ServerConnection>(m_bagim.clone());
    const QString idsi = m_idsi;
    m_busy->start();
    Async([outcome, clone, idsi] { outcome->dogrusonuc = GirisBilgisiAl(*clone, idsi, outcome->fetched); })
        .Await([this, outcome] { finishSignIn(outcome->dogrusonuc, outcome->fetched); }, this);
}

bool Tgirisform::GirisBilgisiAl(ServerConnection &clone, const QString &idsi, wire::TSonucBilgisi &fetched)
{
    if (!BaglantiAc(clone, false))
        return false;
    try {
        TServerMethods1Client proxy(&clone);
        const std::optional<wire::TSonucBilgisi> record = proxy.BuyukGetir(idsi);
        if (!record)
            return false;
        fetched.Kopyala(*record);
    } catch (const std::exception &) {
        return false;
    }
    clone.close();

    fetched.setBilgiSayarAdi(BilgisayarAdiAl());
    fetched.setBilgisayarKullanici(KullaniciAdiAl());
    fetched.setIcip(IcIpAl());
    fetched.setBILGISAYARID(CihazKimligiAl());
    fetched.setDisip(DisIpBul());
    return true;
}

void Tgirisform::finishSignIn(bool dogrusonuc, const wire::TSonucBilgisi &fetched)
{
    m_busy->stop();
    if (!dogrusonuc) {
        fail(kBaglantiKurulamadi, int(MesajTipi::Hata));
        return;
    }
    m_bilgim.Kopyala(fetched);

    // the update comes before the device and credential checks
    if (m_bilgim.Version() != 1) {
        if (currentSteps().guncellemeYap)
            currentSteps().guncellemeYap(m_bagim, m_bilgim);
        process::end(0);
        return;
    }
    if (!m_bilgim.Varmi()) {
        IstekFormuAc(adresler::webadresi());
        process::end(0);
        return;
    }
    if (m_adi->text() == m_bilgim.ADI() && m_sifre->text() == m_bilgim.SIFRE()) {
        // remembered before the active flag is looked at, as users expect
        // their typing to be kept even when the account is closed
        AyarYaz();
        if (m_bilgim.AKTIF() == 1) {
            if (m_bilgim.MusteriTipi() == 1 || m_bilgim.MusteriTipi() == 2) {
                const bool chosen = currentSteps().cariSectir && currentSteps().cariSectir(m_bagim, m_bilgim);
                if (!chosen) {
                    process::end(0);
                    return;
                }
            }
            accept();
            return;
        }
    }
    fail(kKullaniciHatali, int(MesajTipi::Uyari));
}

void Tgirisform::fail(const QString &text, int messageType)
{
    MesajGoster(text, MesajTipi(messageType), kTamam, Dugme::OK, this);
    m_button1->setEnabled(true);
    m_adi->selectAll();
    m_adi->setFocus();
}

void Tgirisform::IstekFormuAc(const QString &baseAddress)
{
    const QString url = baseAddress + u"formmailgonder.aspx?carino=0&kullanici= &id="_s + CihazKimligiAl();
    if (currentSteps().istekFormuAc)
        currentSteps().istekFormuAc(url);
}
