#include "mainwindow.h"

#include "await.h"
#include "baglantiac.h"
#include "busyindicator.h"
#include "girisform.h"
#include "messages.h"
#include "pictures.h"
#include "statuslegend.h"
#include "process.h"
#include "tabbadge.h"
#include "texts.h"
#include "uithread.h"
#include "uppercaselineedit.h"
#include "workstation.h"

#include "client/server/serverconnection.h"
#include "client/server/servermethods.h"
#include "client/server/webaddresses.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

struct PageSpec
{
    const char16_t *objectName;
    const char16_t *caption;
    pictures::TabIcon icon;
};

// the tab set, in its fixed order
const PageSpec kPages[TForm1::SekmeSayisi] = {
    {u"sstoklistesi", u"Stok Listesi", pictures::TabIcon::Stock},
    {u"ssepet", u"Sepet", pictures::TabIcon::Basket},
    {u"sonceki", u"Önceki Siparişler", pictures::TabIcon::PreviousOrders},
    {u"sccariekstre", u"Cari Ekstre", pictures::TabIcon::Statement},
    {u"syeniler", u"Yeni Stoklar", pictures::TabIcon::New},
    {u"skampanyali", u"Kampanyalı Stoklar", pictures::TabIcon::Campaign},
    {u"sTabSheetduyuru", u"Duyurular", pictures::TabIcon::Announcements},
    {u"sTabbakiyeler", u"Bakiyeler", pictures::TabIcon::Balances},
    {u"ss", u"Sanal Pos", pictures::TabIcon::Payment},
};

QFont tahoma(int pixelSize, bool bold)
{
    QFont f(u"Tahoma"_s);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

} // namespace

TForm1::TForm1(QWidget *parent)
    : QMainWindow(parent)
    , m_bagc(std::make_unique<ServerConnection>())
{
    m_acilisadet = 0;
    m_acilisgoruldu = false;
    QApplication::setApplicationDisplayName(u"Varko B2B"_s);
    setWindowTitle(texts::kProgramAdi);
    setFont(tahoma(13, true));

    m_sbilgi.setBilgiSayarAdi(BilgisayarAdiAl());
    m_sbilgi.setBilgisayarKullanici(KullaniciAdiAl());
    m_sbilgi.setIcip(IcIpAl());
    m_sbilgi.setBILGISAYARID(CihazKimligiAl());
    m_bagc->setPort(9090);

    auto *central = new QWidget(this);
    auto *column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(buildBanner());
    column->addWidget(buildSearchBar());
    m_ustBanner = new QLabel(central);
    m_ustBanner->setObjectName(u"RxGIFAnimator2"_s);
    m_ustBanner->setFixedHeight(0); // until its picture is loaded
    column->addWidget(m_ustBanner);
    m_tabs = new BadgeTabWidget(central);
    m_tabs->setObjectName(u"sPageControl1"_s);
    addPages();
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int index) {
        const int previous = m_shownPage;
        m_shownPage = -1;
        for (int i = 0; i < SekmeSayisi; ++i) {
            if (m_tabs->widget(index) == m_pages[i])
                m_shownPage = i;
        }
        if (previous >= 0)
            emit sekmeGizlendi(Sekme(previous));
        if (m_shownPage >= 0)
            emit sekmeGosterildi(Sekme(m_shownPage));
    });
    m_shownPage = StokListesi;
    column->addWidget(m_tabs, 1);
    column->addWidget(new StatusLegend(StatusLegend::allEntries(), central));
    m_panel5 = new QWidget(central);
    m_panel5->setObjectName(u"Panel5"_s);
    m_panel5->setFixedHeight(40);
    m_panel5->setLayout(new QHBoxLayout);
    m_panel5->layout()->setContentsMargins(0, 0, 0, 0);
    column->addWidget(m_panel5);
    setCentralWidget(central);
}

TForm1::~TForm1() = default;

QWidget *TForm1::buildBanner()
{
    auto *panel = new QWidget(this);
    panel->setObjectName(u"bannerPanel"_s);
    panel->setFixedHeight(100);
    auto *row = new QHBoxLayout(panel);
    auto *logo = new QLabel(panel);
    logo->setPixmap(pictures::logo(QSize(200, 84)));
    row->addWidget(logo);

    auto *labels = new QGridLayout;
    auto addPair = [&](int r, const QString &caption, QLabel *&value, const QString &name) {
        auto *c = new QLabel(caption, panel);
        c->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value = new QLabel(panel);
        value->setObjectName(name);
        labels->addWidget(c, r, 0);
        labels->addWidget(value, r, 1);
    };
    addPair(0, u"Kullanıcı: "_s, m_kullanicilbl, u"kullanicilbl"_s);
    addPair(1, u"Firma: "_s, m_cariadilbl, u"cariadilbl"_s);
    addPair(2, u"Temsilci: "_s, m_saticilbl, u"saticilbl"_s);
    row->addLayout(labels, 1);

    m_gifResim1 = new QLabel(panel);
    m_gifResim1->setObjectName(u"GifResim1"_s);
    row->addWidget(m_gifResim1);

    m_menuButton = new QToolButton(panel);
    m_menuButton->setObjectName(u"menuButton"_s);
    m_menuButton->setText(u"Menü"_s);
    m_menuButton->setPopupMode(QToolButton::MenuButtonPopup);
    m_menuButton->setMenu(buildGeneralMenu());
    connect(m_menuButton, &QToolButton::clicked, m_menuButton, &QToolButton::showMenu);
    row->addWidget(m_menuButton);
    return panel;
}

QMenu *TForm1::buildGeneralMenu()
{
    auto *menu = new QMenu(this);
    menu->setObjectName(u"genelMenu"_s);
    // the mail and request windows come with their own windows; until then
    // their entries are shown but cannot be chosen
    QAction *mail = menu->addAction(u"Mail Gönder"_s);
    mail->setObjectName(u"mailGonder"_s);
    mail->setEnabled(false);
    menu->addSeparator();
    QAction *password = menu->addAction(u"Şifre Değiştirme İsteği"_s);
    password->setObjectName(u"sifreIstegi"_s);
    password->setEnabled(false);
    menu->addSeparator();
    QAction *site = menu->addAction(adresler::genelWebSunucuAdi());
    site->setObjectName(u"webSitesi"_s);
    connect(site, &QAction::triggered, this, &TForm1::WebSitesiAc);
    menu->addSeparator();
    QAction *exit = menu->addAction(u"Çıkış"_s);
    exit->setObjectName(u"cikis"_s);
    connect(exit, &QAction::triggered, this, &QWidget::close);
    m_raporlar = menu->addAction(u"Raporlar"_s);
    m_raporlar->setObjectName(u"R1"_s);
    m_raporlar->setVisible(false);
    m_raporlar->setEnabled(false);
    return menu;
}

QWidget *TForm1::buildSearchBar()
{
    auto *bar = new QWidget(this);
    bar->setFixedHeight(35);
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(6, 2, 6, 2);
    auto *icon = new QLabel(bar);
    icon->setPixmap(pictures::magnifier());
    row->addWidget(icon);
    m_araedit = new UpperCaseLineEdit(bar);
    m_araedit->setObjectName(u"araedit"_s);
    m_araedit->setMinimumWidth(320);
    connect(m_araedit, &QLineEdit::returnPressed, this, &TForm1::Ara);
    row->addWidget(m_araedit);

    auto *ara = new QPushButton(u"Ara"_s, bar);
    ara->setObjectName(u"araButon"_s);
    ara->setToolTip(u"Ara"_s);
    connect(ara, &QPushButton::clicked, this, [this] {
        if (m_araedit->isEnabled())
            Ara();
    });
    row->addWidget(ara);
    auto *temizle = new QPushButton(u"Temizle"_s, bar);
    temizle->setObjectName(u"temizleButon"_s);
    temizle->setToolTip(u"Temizle"_s);
    connect(temizle, &QPushButton::clicked, this, &TForm1::Temizle);
    row->addWidget(temizle);

    m_musteritus = new QPushButton(u"Başka Cari Seç"_s, bar);
    m_musteritus->setObjectName(u"musteritus"_s);
    m_musteritus->setVisible(false);
    connect(m_musteritus, &QPushButton::clicked, this, &TForm1::baskaCariSecIstendi);
    row->addWidget(m_musteritus);
    for (int i = 0; i < YuklemeSayisi; ++i) {
        m_busy[i] = new BusyIndicator(bar, 20);
        row->addWidget(m_busy[i]);
    }
    row->addStretch();
    return bar;
}

void TForm1::addPages()
{
    for (int i = 0; i < SekmeSayisi; ++i) {
        auto *page = new QWidget(m_tabs);
        page->setObjectName(QString::fromUtf16(kPages[i].objectName));
        auto *layout = new QVBoxLayout(page);
        layout->setContentsMargins(0, 0, 0, 0);
        m_pages[i] = page;
        m_tabs->addTab(page, pictures::tabIcon(kPages[i].icon), QString::fromUtf16(kPages[i].caption));
    }
}

QWidget *TForm1::sayfa(Sekme sekme) const
{
    return m_pages[sekme];
}

void TForm1::setSekmeBasligi(Sekme sekme, const QString &caption)
{
    m_tabs->setTabText(m_tabs->indexOf(m_pages[sekme]), caption);
}

QString TForm1::sekmeBasligi(Sekme sekme) const
{
    return m_tabs->tabText(m_tabs->indexOf(m_pages[sekme]));
}

bool TForm1::GirisYap()
{
    {
        Tgirisform giris(*m_bagc, m_sbilgi);
        if (giris.exec() != QDialog::Accepted) {
            process::end(0);
            return false;
        }
    }
    if (m_sbilgi.Disip().trimmed().isEmpty()) {
        process::end(0);
        return false;
    }
    KullaniciTipiUygula(m_sbilgi.MusteriTipi());
    return true;
}

void TForm1::KullaniciTipiUygula(int musteriTipi)
{
    const bool temsilci = musteriTipi == 1 || musteriTipi == 2;
    m_musteritus->setVisible(temsilci);
    m_raporlar->setVisible(temsilci);
    if (musteriTipi == 4)
        m_tabs->setTabVisible(m_tabs->indexOf(m_pages[KampanyaliStoklar]), false);
    emit kullaniciTipiBelirlendi(musteriTipi);
}

void TForm1::CariDegistiUygula()
{
    AnaBilgiAl();
    emit cariDegisti();
    if (m_stokVerisi.isActive())
        m_stokVerisi.close();
    m_stokSatirSayisi = 0;
    setSekmeBasligi(StokListesi, u"0=Stok Listesi"_s);
    m_araedit->selectAll();
    m_araedit->setFocus();
}

void TForm1::AnaBilgiAl()
{
    m_kullanicilbl->setText(m_sbilgi.ADI());
    m_cariadilbl->setText(m_sbilgi.CariAdi());
    m_saticilbl->setText(m_sbilgi.SaticiAdi() + u" Telefonu: "_s + m_sbilgi.SaticiTelefon() + u" email: "_s
                         + m_sbilgi.SaticiMail());
}

void TForm1::BaslangicYuklemeleriniBaslat()
{
    // the body reads copies: the session record and the connection settings
    // belong to the UI thread. Its hand-overs check on the UI thread that
    // the window still exists.
    const wire::TSonucBilgisi bilgi = m_sbilgi;
    auto settings = std::shared_ptr<ServerConnection>(m_bagc->clone());
    const QPointer<TForm1> window(this);
    Async([window, bilgi, settings] {
        uithread::runAndWait([window] {
            if (window)
                window->AnaBilgiAl();
        });
        BalonYaz(window, bilgi, *settings);
    }).Await(
        [this] {
            // the opening advertisements follow here once they exist
            Q_UNUSED(m_acilisgoruldu);
        },
        this);
}

void TForm1::BalonYaz(const QPointer<TForm1> &window, const wire::TSonucBilgisi &bilgi, const ServerConnection &bagc)
{
    std::unique_ptr<ServerConnection> clone = bagc.clone();
    if (!BaglantiAc(*clone, true))
        return;
    TServerMethods1Client proxy(clone.get());
    const wire::Table counters = proxy.BalonGetir(bilgi);
    for (int row = 0; row < counters.rowCount(); ++row) {
        const int sepet = counters.intValue(row, 0);
        const int yeni = counters.intValue(row, 1);
        const int kampanya = counters.intValue(row, 2);
        const double bakiye = counters.fieldCount() > 4 ? counters.floatValue(row, 4) : 0.0;
        uithread::runAndWait([=] {
            if (!window)
                return;
            window->setSekmeBasligi(Sepet, SekmeBasligi(sepet, u"Sepet"_s));
            window->setSekmeBasligi(YeniStoklar, SekmeBasligi(yeni, u"Yeni Stoklar"_s));
            window->setSekmeBasligi(KampanyaliStoklar, SekmeBasligi(kampanya, u"Kampanyalı"_s));
            window->setSekmeBasligi(Bakiyeler, QString::number(bakiye, 'g', 15) + u"=Bakiyeler"_s);
        });
    }
    clone->close();
}

void TForm1::Ara()
{
    emit aramaIstendi(m_araedit->text());
}

void TForm1::Temizle()
{
    if (!m_araedit->isEnabled())
        return;
    if (m_stokVerisi.isActive()) {
        m_stokVerisi.close();
        setSekmeBasligi(StokListesi, u"Stok Listesi"_s);
    }
    m_tabs->setCurrentWidget(m_pages[StokListesi]);
    emit stokListesiTemizlendi();
    m_araedit->clear();
    m_araedit->selectAll();
    m_araedit->setFocus();
    m_stokSatirSayisi = 0;
}

void TForm1::WebSitesiAc()
{
    QDesktopServices::openUrl(QUrl(adresler::genelSet().web));
    m_araedit->selectAll();
    m_araedit->setFocus();
}

void TForm1::closeEvent(QCloseEvent *event)
{
    event->ignore();
    if (MesajGoster(u"Programdan Çıkmak İstiyor musunuz ?"_s, MesajTipi::Soru, kEvetHayir, Dugme::Yes, this) == mrYes)
        process::end(0);
}
