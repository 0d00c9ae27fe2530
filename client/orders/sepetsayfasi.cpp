#include "sepetsayfasi.h"

#include "tonaysip.h"

#include "client/app/await.h"
#include "client/app/baglantiac.h"
#include "client/app/busyindicator.h"
#include "client/app/errorreport.h"
#include "client/app/helpers.h"
#include "client/app/messages.h"
#include "client/app/pictures.h"
#include "client/app/tabbadge.h"
#include "client/catalogue/stokayarinti.h"
#include "client/server/serverconnection.h"
#include "client/server/servermethods.h"
#include "client/widgets/datagrid.h"
#include "client/widgets/excelexport.h"
#include "wire/decimal.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTreeView>
#include <QVBoxLayout>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QString kSec = u"Seç"_s;

QList<widgets::GridColumn> sepetKolonlari()
{
    using widgets::GridColumn;
    const QHash<int, QPixmap> durum = pictures::statusPictures();
    auto shown = [](const QString &field, const QString &caption, int weight) {
        GridColumn c(field);
        if (!caption.isEmpty())
            c.caption(caption);
        return c.weight(weight);
    };
    auto offered = [](const QString &field, const QString &caption) {
        GridColumn c(field);
        if (!caption.isEmpty())
            c.caption(caption);
        return c.hidden();
    };
    auto fixedHidden = [](const QString &field, const QString &caption) {
        GridColumn c(field);
        if (!caption.isEmpty())
            c.caption(caption);
        return c.hidden().fixed();
    };
    QList<GridColumn> c;
    c << GridColumn(u"SEC"_s).caption(kSec).weight(1).checkBox(1, 0).fixed().noSearch()
      << shown(u"VERILISTARIHI"_s, u"Sipariş Tarihi"_s, 1) << shown(u"BARKOD"_s, u"Barkod"_s, 2)
      << shown(u"FINISHKOD"_s, u"FinishKod"_s, 2) << shown(u"OEMNO"_s, u"OEMNo"_s, 2)
      << shown(u"STOKADI"_s, u"Stok Açıklama"_s, 3).wrapped() << shown(u"MIKTAR"_s, u"Miktar"_s, 1).number()
      << shown(u"BIRIMFIYAT"_s, u"Birim Fiyat"_s, 1).number() << shown(u"TUTAR"_s, u"Tutar"_s, 1).number()
      << shown(u"INDIRIMYAZI"_s, u"İndirim Oran"_s, 2).align(Qt::AlignCenter)
      << shown(u"NETBIRIMFIYAT"_s, u"Net Fiyat"_s, 1).number() << shown(u"KDV"_s, {}, 1).number()
      << shown(u"VERGITUTARI"_s, u"Vergi Tutarı"_s, 1).number() << shown(u"NETTUTAR"_s, u"Net Tutar"_s, 1).number()
      << shown(u"VEREN"_s, u"Veren"_s, 1)
      << GridColumn(u"DURUM"_s).caption(u"Durum"_s).weight(1).statusImages(durum).align(Qt::AlignCenter);
    c << offered(u"SIPARISNO"_s, u"Sipariş No"_s) << offered(u"TARIH"_s, u"Tarih"_s) << offered(u"KUR"_s, u"Kur"_s)
      << offered(u"SAAT"_s, u"Saat"_s) << offered(u"ACIKLAMA"_s, u"Açıklama"_s) << offered(u"MARKA"_s, u"Marka"_s)
      << offered(u"MODEL"_s, u"Model"_s) << offered(u"ANAGRUP"_s, u"Ana Grup"_s)
      << offered(u"OZELKOD"_s, u"Özel Kod"_s);
    for (const QString &f : {u"OEM1"_s, u"OEM2"_s, u"OEM3"_s, u"OEM4"_s, u"DIGERADI"_s, u"DPKOD"_s, u"PKOD"_s,
                             u"INDIRIMORANI4"_s})
        c << offered(f, {});
    c << fixedHidden(u"SIRANO"_s, {}) << fixedHidden(u"CARINO"_s, {}) << fixedHidden(u"AKTAR"_s, {})
      << fixedHidden(u"STOKNO"_s, {}) << fixedHidden(u"INDIRIMORANI1"_s, u"İndirim Oranı %"_s)
      << fixedHidden(u"INDIRIMORANI2"_s, {}) << fixedHidden(u"INDIRIMORANI3"_s, {})
      << fixedHidden(u"INDIRIMTUTAR"_s, u"İndirim Tutar"_s) << fixedHidden(u"KURTL"_s, {})
      << fixedHidden(u"VERENIDNO"_s, {}) << fixedHidden(u"TESLIMID"_s, {}) << fixedHidden(u"KARGOID"_s, {})
      << fixedHidden(u"IDNO"_s, {}) << fixedHidden(u"VERENSIRANO"_s, {})
      << fixedHidden(u"CARIKOD"_s, u"Cari Kod"_s) << fixedHidden(u"CARIADI"_s, u"Cari Adı"_s)
      << fixedHidden(u"STOK_STOKNO"_s, {}) << fixedHidden(u"URETICIKODU"_s, {})
      << fixedHidden(u"KALAN"_s, u"Kalan"_s);
    return c;
}

QString para(double v)
{
    return wire::formatFloat(v, kParaBicimi, QLocale());
}

QString displayText(const wire::DataSet &ds, QStringView field)
{
    const int col = ds.fieldIndex(field);
    return col >= 0 && ds.recNo() >= 0 ? ds.displayText(ds.recNo(), col) : QString();
}

// a basket line of the dataset, by its line number; -1 when absent
int recordOf(wire::DataSet &ds, int sirano)
{
    return ds.isActive() && ds.locate(u"SIRANO", sirano) ? ds.recNo() : -1;
}

} // namespace

SepetToplamlari SepetToplamHesapla(wire::DataSet &sepet)
{
    SepetToplamlari t;
    if (!sepet.isActive())
        return t;
    for (sepet.first(); !sepet.eof(); sepet.next()) {
        if (sepet.fieldValue(u"SEC").toInt() != 1)
            continue;
        t.toplam = wire::round2(t.toplam + sepet.fieldValue(u"TUTAR").toDouble());
        t.indirim = wire::round2(t.indirim + sepet.fieldValue(u"INDIRIMTUTAR").toDouble());
        t.vergi = wire::round2(t.vergi + sepet.fieldValue(u"VERGITUTARI").toDouble());
    }
    if (!sepet.isEmpty())
        sepet.setRecNo(sepet.recordCount() - 1);
    t.araToplam = wire::round2(t.toplam - t.indirim);
    t.genel = wire::round2(t.vergi + t.araToplam);
    return t;
}

SepetSayfasi::SepetSayfasi(TForm1 &window)
    : QObject(&window)
    , m_window(window)
{
    QWidget *page = window.sayfa(TForm1::Sepet);
    m_grid = new widgets::DataGrid(page);
    m_grid->setObjectName(u"sepetGrid"_s);
    m_grid->setReadOnly(true);
    m_grid->setIncrementalSearch(true);
    m_grid->setRowHeight(60);
    m_grid->setHeaderHeight(40);
    m_grid->setGroupByBoxVisible(false);
    m_grid->setColumnCustomisation(true);
    m_grid->setDataSet(&m_sepet, sepetKolonlari());
    m_grid->setSummaries({widgets::GridSummary::count(u"SEC"_s), widgets::GridSummary::count(u"VERILISTARIHI"_s),
                          widgets::GridSummary::sum(u"MIKTAR"_s)});
    m_grid->setFooterVisible(true);
    page->layout()->addWidget(m_grid);

    m_menu = new QMenu(m_grid);
    m_menu->setObjectName(u"sepetMenu"_s);
    QAction *degistir = m_menu->addAction(u"Satır Değiştir"_s);
    m_menu->addSeparator();
    QAction *sil = m_menu->addAction(u"Satır Sil"_s);
    m_menu->addSeparator();
    QAction *hepsiniSil = m_menu->addAction(u"Hepsini Sil"_s);
    connect(degistir, &QAction::triggered, this, &SepetSayfasi::SatirDegistir);
    connect(sil, &QAction::triggered, this, &SepetSayfasi::SatirSil);
    connect(hepsiniSil, &QAction::triggered, this, &SepetSayfasi::HepsiniSil);
    m_grid->view()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_grid->view(), &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { m_menu->popup(m_grid->view()->viewport()->mapToGlobal(pos)); });
    connect(m_grid, &widgets::DataGrid::recordDoubleClicked, this, &SepetSayfasi::SatirDegistir);
    connect(m_grid, &widgets::DataGrid::resized, this, [this] {
        if (m_grid->isEnabled()) {
            const QScreen *screen = m_window.screen();
            m_grid->KolonYerlesimi(screen ? screen->geometry().width() : m_window.width());
        }
    });

    // selection bar
    auto *bar = new QWidget(page);
    auto *barRow = new QHBoxLayout(bar);
    barRow->setContentsMargins(4, 2, 4, 2);
    auto *hepsiniSec = new QPushButton(pictures::mark(1), u"Hepsini Seç"_s, bar);
    hepsiniSec->setObjectName(u"hepsiniSec"_s);
    auto *kaldir = new QPushButton(pictures::mark(0), u"Seçimleri Kaldır"_s, bar);
    kaldir->setObjectName(u"secimleriKaldir"_s);
    for (QPushButton *b : {hepsiniSec, kaldir}) {
        b->setFixedWidth(150);
        barRow->addWidget(b);
    }
    m_lbluyarbakiye = new QLabel(bar);
    m_lbluyarbakiye->setObjectName(u"lbluyarbakiye"_s);
    QFont uyari(u"Tahoma"_s);
    uyari.setPixelSize(16);
    uyari.setBold(true);
    m_lbluyarbakiye->setFont(uyari);
    m_lbluyarbakiye->setStyleSheet(u"color: red;"_s);
    barRow->addWidget(m_lbluyarbakiye, 1);
    page->layout()->addWidget(bar);
    connect(hepsiniSec, &QPushButton::clicked, this, [this] { HepsiniSec(true); });
    connect(kaldir, &QPushButton::clicked, this, [this] { HepsiniSec(false); });

    // totals panel
    auto *panel = new QWidget(page);
    auto *panelRow = new QHBoxLayout(panel);
    panelRow->addStretch(1);
    auto *figures = new QGridLayout;
    auto addRow = [&](int r, const QString &caption, QLabel *&value, const QString &name, const QString &initial,
                      bool bold) {
        auto *c = new QLabel(caption, panel);
        value = new QLabel(initial, panel);
        value->setObjectName(name);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setMinimumWidth(140);
        QFont f = c->font();
        f.setBold(bold);
        c->setFont(f);
        value->setFont(f);
        figures->addWidget(c, r, 0, Qt::AlignRight);
        figures->addWidget(value, r, 1);
    };
    addRow(0, u"Toplam:"_s, m_aratoplaml, u"aratoplaml"_s, u"Aratoplam:"_s, false);
    addRow(1, u"İndirim Toplam:"_s, m_indiriml, u"indiriml"_s, u"İndirim Toplam:"_s, false);
    addRow(2, u"Ara Toplam:"_s, m_nettutarl, u"nettutarl"_s, u"Aratoplam:"_s, false);
    addRow(3, u"Vergi:"_s, m_vergil, u"vergil"_s, u"Vergi:"_s, false);
    addRow(4, u"Genel Toplam:"_s, m_geneltoplaml, u"geneltoplaml"_s, u"Genel Toplam:"_s, true);
    panelRow->addLayout(figures);
    auto *buttons = new QVBoxLayout;
    auto *gonder = new QPushButton(u"Gönder"_s, panel);
    gonder->setObjectName(u"gonder"_s);
    auto *excel = new QPushButton(u"Excel Kaydet"_s, panel);
    excel->setObjectName(u"excelKaydet"_s);
    for (QPushButton *b : {gonder, excel}) {
        b->setFixedWidth(100);
        b->setMinimumHeight(40);
        buttons->addWidget(b);
    }
    panelRow->addLayout(buttons);
    page->layout()->addWidget(panel);
    connect(gonder, &QPushButton::clicked, this, &SepetSayfasi::Gonder);
    connect(excel, &QPushButton::clicked, this, &SepetSayfasi::ExcelKaydet);

    connect(&window, &TForm1::sekmeGosterildi, this, [this](TForm1::Sekme s) {
        if (s == TForm1::Sepet)
            SepetGosterildi();
    });
    connect(&window, &TForm1::cariDegisti, this, &SepetSayfasi::SepetGetir);
}

void SepetSayfasi::Yuklendi()
{
    m_window.setSekmeBasligi(TForm1::Sepet, SekmeBasligi(m_sepet.recordCount(), u"Sepet"_s));
    SepetToplamYaz();
    emit yuklendi();
}

void SepetSayfasi::SepetGetir()
{
    std::unique_ptr<ServerConnection> clone = m_window.bagc().clone();
    if (!BaglantiAc(*clone, true))
        return;
    try {
        TServerMethods1Client proxy(clone.get());
        m_sepet.setTable(proxy.SepetVer2(m_window.sbilgi().CARINO()));
        ParaBicimiVer(m_sepet);
    } catch (...) {
        clone->close();
        errorreport::show(std::current_exception());
        return;
    }
    clone->close();
    Yuklendi();
}

void SepetSayfasi::SepetGosterildi()
{
    if (m_yukleniyor)
        return;
    m_yukleniyor = true;
    // the account warning arrives with its own check; until then it is empty
    m_lbluyarbakiye->clear();
    m_window.yuklemeResmi(TForm1::SepetYukleme)->start();
    m_grid->setEnabled(false);
    m_grid->beginUpdate();

    const int carino = m_window.sbilgi().CARINO();
    auto connection = std::shared_ptr<ServerConnection>(m_window.bagc().clone());
    auto sonuc = std::make_shared<wire::Table>();
    auto ok = std::make_shared<bool>(false);
    Async([connection, carino, sonuc, ok] {
        if (!BaglantiAc(*connection, true))
            return;
        TServerMethods1Client proxy(connection.get());
        *sonuc = proxy.SepetVer2(carino);
        *ok = true;
        connection->close();
    }).Await(
        [this, sonuc, ok] {
            if (*ok) {
                m_sepet.disableControls();
                m_sepet.setTable(std::move(*sonuc));
                ParaBicimiVer(m_sepet);
                m_sepet.enableControls();
            }
            m_grid->setEnabled(true);
            m_grid->endUpdate();
            m_window.yuklemeResmi(TForm1::SepetYukleme)->stop();
            m_yukleniyor = false;
            Yuklendi();
        },
        this);
}

void SepetSayfasi::SepetToplamYaz()
{
    const SepetToplamlari t = SepetToplamHesapla(m_sepet);
    m_aratoplaml->setText(para(t.toplam));
    m_indiriml->setText(para(t.indirim));
    m_vergil->setText(para(t.vergi));
    m_nettutarl->setText(para(t.araToplam));
    m_geneltoplaml->setText(para(t.genel));
}

void SepetSayfasi::SepeteEkle(const wire::DataSet &kaynak, double miktar, double fiyat, double ind1, double ind2,
                              double ind3, double ind4)
{
    const wire::TSonucBilgisi bilgi = m_window.sbilgi();
    ServerConnection &bagc = m_window.bagc();
    if (!BaglantiAc(bagc, true))
        return;
    int sonuc = 0;
    try {
        TServerMethods1Client proxy(&bagc);
        sonuc = proxy.SepetEkle2(bilgi, bilgi.CARINO(), kaynak.fieldValue(u"STOK_STOKNO").toInt(),
                                 kaynak.fieldValue(u"BARKOD").toString(), kaynak.fieldValue(u"ADI").toString(), miktar,
                                 double(kaynak.fieldValue(u"KDV").toInt()), fiyat, ind1, bilgi.Sirano(),
                                 kaynak.fieldValue(u"K").toInt(), ind2, ind3, ind4);
    } catch (...) {
        bagc.close();
        errorreport::show(std::current_exception());
        return;
    }
    if (sonuc == 1)
        SepetGetir();
    bagc.close();
}

void SepetSayfasi::SepetSatirGuncelle(int sirano, double miktar, double fiyat)
{
    if (recordOf(m_sepet, sirano) < 0)
        return;
    const wire::TSonucBilgisi bilgi = m_window.sbilgi();
    ServerConnection &bagc = m_window.bagc();
    if (!BaglantiAc(bagc, true))
        return;
    int sonuc = 0;
    try {
        // the line keeps its stored rates; only quantity and price change
        TServerMethods1Client proxy(&bagc);
        sonuc = proxy.SepetGuncelle2(bilgi, bilgi.CARINO(), 0, displayText(m_sepet, u"BARKOD"),
                                     displayText(m_sepet, u"STOKADI"), miktar,
                                     double(m_sepet.fieldValue(u"KDV").toInt()), fiyat,
                                     m_sepet.fieldValue(u"INDIRIMORANI1").toDouble(), bilgi.Sirano(), sirano,
                                     m_sepet.fieldValue(u"INDIRIMORANI2").toDouble(),
                                     m_sepet.fieldValue(u"INDIRIMORANI3").toDouble(),
                                     m_sepet.fieldValue(u"INDIRIMORANI4").toDouble());
    } catch (...) {
        bagc.close();
        errorreport::show(std::current_exception());
        return;
    }
    if (sonuc == 1)
        SepetGetir();
    bagc.close();
}

bool SepetSayfasi::SepetSecimYaz(int sirano, int secim)
{
    std::unique_ptr<ServerConnection> clone = m_window.bagc().clone();
    if (!BaglantiAc(*clone, true))
        return false;
    try {
        TServerMethods1Client proxy(clone.get());
        proxy.SepetSecimGuncelle(sirano, secim);
    } catch (...) {
        clone->close();
        return false;
    }
    clone->close();
    return true;
}

void SepetSayfasi::SatirDegistir()
{
    const int record = m_grid->focusedRecord();
    if (record < 0 || !DoluMu(m_sepet) || record >= m_sepet.recordCount())
        return;
    const int sirano = m_sepet.value(record, m_sepet.fieldIndex(u"SIRANO")).toInt();
    m_sepet.setRecNo(record);
    if (m_grid->focusedCaption() != kSec) {
        SepetSatiriDegistirAc(m_window, *this, sirano);
        return;
    }
    const int sec = m_sepet.fieldIndex(u"SEC");
    const int yeni = m_sepet.value(record, sec).toInt() == 0 ? 1 : 0;
    m_sepet.post(record, sec, yeni);
    SepetSecimYaz(sirano, yeni);
    SepetToplamYaz();
}

void SepetSayfasi::HepsiniSec(bool secili)
{
    const int secim = secili ? 1 : 0;
    if (DoluMu(m_sepet)) {
        const int sec = m_sepet.fieldIndex(u"SEC");
        const int siraNo = m_sepet.fieldIndex(u"SIRANO");
        for (int r = 0; r < m_sepet.recordCount(); ++r) {
            m_sepet.post(r, sec, secim);
            SepetSecimYaz(m_sepet.value(r, siraNo).toInt(), secim);
        }
    }
    SepetToplamYaz();
    QLineEdit *araedit = m_window.araedit();
    if (araedit->isEnabled()) {
        araedit->selectAll();
        araedit->setFocus();
    }
}

void SepetSayfasi::SatirSil()
{
    const int record = m_grid->focusedRecord();
    if (record < 0 || !DoluMu(m_sepet) || record >= m_sepet.recordCount())
        return;
    m_sepet.setRecNo(record);
    const int sirano = m_sepet.fieldValue(u"SIRANO").toInt();
    if (MesajGoster(u"Satırı silmek istiyor musunuz "_s, MesajTipi::Soru, kEvetHayir, Dugme::No, &m_window) != mrYes)
        return;
    ServerConnection &bagc = m_window.bagc();
    if (!BaglantiAc(bagc, true))
        return;
    const QString aciklama = displayText(m_sepet, u"BARKOD") + u"-"_s + displayText(m_sepet, u"STOKADI");
    try {
        TServerMethods1Client proxy(&bagc);
        proxy.SepetSatirSil(m_window.sbilgi(), sirano, aciklama);
    } catch (...) {
        // the result is not looked at; the basket is reloaded either way
    }
    bagc.close();
    SepetGetir();
    MesajGoster(u"Satır silindi !"_s, MesajTipi::Bilgi, kTamam, Dugme::OK, &m_window);
}

void SepetSayfasi::HepsiniSil()
{
    if (!DoluMu(m_sepet))
        return;
    if (MesajGoster(u"Tüm Sepeti Silmek İstiyor musunuz "_s, MesajTipi::Soru, kEvetHayir, Dugme::No, &m_window)
        != mrYes)
        return;
    const wire::TSonucBilgisi bilgi = m_window.sbilgi();
    ServerConnection &bagc = m_window.bagc();
    if (!BaglantiAc(bagc, true))
        return;
    try {
        TServerMethods1Client proxy(&bagc);
        proxy.SepetHepsiniSil(bilgi);
    } catch (...) {
        // the result is not looked at; the basket is reloaded either way
    }
    MesajGoster(u"Sepet Silindi !"_s, MesajTipi::Bilgi, kTamam, Dugme::OK, &m_window);
    bagc.close();
    SepetGetir();
}

void SepetSayfasi::ExcelKaydet()
{
    widgets::saveGridAsExcel(*m_grid, &m_window);
}

void SepetSayfasi::Gonder()
{
    if (!SeciliVarMi(m_sepet)) {
        MesajGoster(u"Gönderilecek Parça Yok "_s, MesajTipi::Uyari, kTamam, Dugme::OK, &m_window);
        return;
    }
    TONAYSIP onay(&m_window, m_window.bagc(), m_lbluyarbakiye->text(), m_window.sbilgi(),
                  m_geneltoplaml->text());
    onay.Label3->setText(m_lbluyarbakiye->text());
    if (onay.exec() != QDialog::Accepted)
        return;
    if (SiparisGonder(onay.td, onay.kt, onay.aciklama(), onay.KN)) {
        MesajGoster(u"Siparişiniz Gönderildi !"_s, MesajTipi::Bilgi, kTamam, Dugme::OK, &m_window);
        SepetGetir();
    } else {
        MesajGoster(u"Sipariş Göndermede Hata"_s, MesajTipi::Hata, kTamam, Dugme::OK, &m_window);
    }
}

bool SepetSayfasi::SiparisGonder(int teslim, int kargo, const QString &aciklama, int kargoyeni)
{
    const wire::TSonucBilgisi bilgi = m_window.sbilgi();
    ServerConnection &bagc = m_window.bagc();
    if (!BaglantiAc(bagc, true))
        return false;
    bool sonuc = false;
    try {
        TServerMethods1Client proxy(&bagc);
        sonuc = proxy.SiparisKaydet(bilgi, bilgi.CARINO(), teslim, kargo, aciklama, bilgi.Sirano(), kargoyeni);
    } catch (...) {
        // a refusal is a failed send, reported by the caller
        sonuc = false;
    }
    bagc.close();
    return sonuc;
}

SepetSayfasi *installBasketPage(TForm1 &window)
{
    return new SepetSayfasi(window);
}
