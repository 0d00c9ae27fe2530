#include "stoklistesi.h"

#include "sepetislemleri.h"
#include "stokayarinti.h"

#include "client/app/await.h"
#include "client/app/baglantiac.h"
#include "client/app/busyindicator.h"
#include "client/app/helpers.h"
#include "client/app/messages.h"
#include "client/app/pictures.h"
#include "client/app/tabbadge.h"
#include "client/app/texts.h"
#include "client/server/serverconnection.h"
#include "client/server/servermethods.h"
#include "client/widgets/columnlayout.h"
#include "client/widgets/datagrid.h"
#include "wire/decimal.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QStyleOptionViewItem>
#include <QTreeView>
#include <QVBoxLayout>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QString kFiyatBilgisi = u"Fiyat Bilgisi"_s;
constexpr int kGenisSatir = 60;
constexpr int kDarSatir = 100;

// the wide layout's price columns, "Fiyat Bilgisi" the narrow one's
const QStringList &genisFiyatKolonlari()
{
    static const QStringList keys = {u"KDVDAHIL"_s, u"NETFIYAT"_s, u"KAMPFIYAT"_s, u"LISTEFIYAT1"_s};
    return keys;
}

QFont arial(int px, bool bold = false)
{
    QFont f(u"Arial"_s);
    f.setPixelSize(px);
    f.setBold(bold);
    return f;
}

QList<widgets::GridColumn> stokKolonlari()
{
    using widgets::GridColumn;
    auto text = [](const QString &field, const QString &caption, int weight, bool shown) {
        GridColumn c(field);
        if (!caption.isEmpty())
            c.caption(caption);
        return c.weight(weight).shown(shown).wrapped().align(Qt::AlignLeft | Qt::AlignVCenter);
    };
    auto number = [](const QString &field, const QString &caption, int weight, bool shown) {
        return GridColumn(field).caption(caption).weight(weight).shown(shown).number();
    };
    const QHash<int, QPixmap> tick = {{1, pictures::mark(1)}};
    QList<GridColumn> c;
    c << GridColumn(u"DURUM"_s).caption(u"Durum"_s).weight(1).statusImages(pictures::statusPictures())
             .align(Qt::AlignCenter)
      << text(u"OEM1"_s, u"Oem1"_s, 2, false) << text(u"OEM2"_s, u"Oem2"_s, 2, false)
      << text(u"OEM3"_s, u"Oem3"_s, 2, false) << text(u"BARKOD"_s, u"Barkod"_s, 2, true)
      << text(u"ADI"_s, u"Açıklama"_s, 3, true) << text(u"OEM4"_s, u"Oem4"_s, 2, false)
      << text(u"STOK_STOKNO"_s, {}, 1, false).fixed() << text(u"FINISHKOD"_s, u"Finish Kod"_s, 2, false)
      << text(u"URETICIKODU"_s, u"Üretici Kod"_s, 2, false)
      << GridColumn(u"RESIM"_s).caption(u"Resim"_s).weight(1).image({{1, pictures::camera()}})
      << text(u"BARKOD_BARKODNO"_s, {}, 1, false).fixed() << text(u"DIGERADI"_s, u"Diğer Adı"_s, 3, false)
      << text(u"DPKOD"_s, {}, 2, false).fixed() << text(u"OEMNO"_s, u"Oem No"_s, 2, false)
      << text(u"BIRIM"_s, u"Birim"_s, 1, false) << text(u"MARKA"_s, u"Marka"_s, 2, true)
      << text(u"MODEL"_s, u"Model"_s, 2, true) << text(u"ANAGRUP"_s, u"Ana Grup"_s, 2, false)
      << text(u"OZELKOD"_s, u"Özel Kod"_s, 2, true) << text(u"KALAN"_s, {}, 1, false).fixed()
      << text(u"PKOD"_s, {}, 1, false).fixed() << text(u"KDV"_s, {}, 1, false)
      << text(u"ALINANSIPARIS"_s, {}, 1, false).fixed() << text(u"VERILENSIPARIS"_s, {}, 1, false).fixed()
      << number(u"LISTEFIYAT1"_s, u"Liste Fiyatı"_s, 2, true)
      << number(u"KAMPFIYAT"_s, u"Kampanyalı Fiyat"_s, 2, true)
      << number(u"FIYAT"_s, u"Liste Fiyatı"_s, 2, false)
      << GridColumn(u"Y"_s).caption(u"Yeni"_s).weight(1).image(tick)
      << GridColumn(u"K"_s).caption(u"Kampanyalı"_s).weight(1).image(tick)
      << GridColumn(u"INDIRIMYAZI"_s).caption(u"İndirim Oran"_s).weight(2).align(Qt::AlignCenter)
      << number(u"NETFIYAT"_s, u"Net Fiyatı"_s, 2, true)
      << number(u"KDVDAHIL"_s, u"KDV Dahil Fiyat"_s, 3, true)
      << GridColumn()
             .caption(kFiyatBilgisi)
             .weight(2)
             .shown(false)
             .custom(
                 [](const widgets::CellPaintContext &ctx) {
                     ctx.painter->fillRect(ctx.option->rect, ctx.background);
                     const QRect r = ctx.option->rect.adjusted(10, 0, -10, 0);
                     QString lines = FiyatBilgisi(*ctx.dataSet, ctx.record);
                     lines.replace(u"\r\n"_s, u"\n"_s);
                     ctx.painter->drawText(r, Qt::AlignRight | Qt::AlignVCenter | Qt::TextWordWrap,
                                           lines.trimmed());
                 },
                 [](const wire::DataSet &ds, int record) { return FiyatBilgisi(ds, record); });
    return c;
}

} // namespace

QString AramaHarfi(const QString &typed)
{
    static const QHash<QChar, QChar> table = {
        {u'ğ', u'g'}, {u'ü', u'u'}, {u'ş', u's'}, {u'ö', u'o'}, {u'ç', u'c'}, {u'Ğ', u'G'},
        {u'Ü', u'U'}, {u'Ş', u'S'}, {u'İ', u'I'}, {u'Ö', u'O'}, {u'Ç', u'C'}, {u'ı', u'I'},
    };
    if (typed.size() != 1)
        return typed;
    const auto it = table.constFind(typed.at(0));
    return it == table.constEnd() ? typed : QString(*it);
}

QString FiyatBilgisi(const wire::DataSet &stok, int record)
{
    auto value = [&](QStringView field) {
        const int col = stok.fieldIndex(field);
        return col >= 0 ? stok.value(record, col).toDouble() : 0.0;
    };
    auto money = [&](double v) { return wire::formatFloat(v, kParaBicimi, stok.locale()); };
    QString out = u"Liste Fiyatı: "_s + money(value(u"LISTEFIYAT1")) + u"\r\n"_s;
    const double kampanya = value(u"KAMPFIYAT");
    if (kampanya > 0)
        out += u"Kampanyalı Fiyat: "_s + money(kampanya) + u"\r\n"_s;
    out += u"NetFiyat: "_s + money(value(u"NETFIYAT")) + u"\r\n"_s;
    out += u"KDV li Fiyat: "_s + money(value(u"KDVDAHIL")) + u"\r\n"_s;
    return out;
}

StokListesiSayfasi::StokListesiSayfasi(TForm1 &window, SepetIslemleri &sepet)
    : QObject(&window)
    , m_window(window)
    , m_sepet(sepet)
{
    QWidget *page = window.sayfa(TForm1::StokListesi);
    m_grid = new widgets::DataGrid(page);
    m_grid->setObjectName(u"cxGrid1"_s);
    m_grid->setReadOnly(true);
    m_grid->setIncrementalSearch(true);
    m_grid->setFilterButtons(true);
    m_grid->setGroupByBoxVisible(false);
    m_grid->setRowIndicator(5, QColor(0x42, 0x42, 0x42));
    m_grid->setHeaderHeight(40);
    m_grid->setColumnCustomisation(true);
    m_grid->setGridFont(arial(13));
    m_grid->setRowColours(QColor(0xEF, 0xEF, 0xEF), Qt::white);
    m_grid->setHeaderStyle(QColor(10, 31, 78), Qt::white, arial(13, true));
    m_grid->setSelectionColours(QColor(0xD2, 0xF0, 0xF9), Qt::black);
    m_grid->setDataSet(&window.stokVerisi(), stokKolonlari());
    m_grid->setSummaries({widgets::GridSummary::count(u"OEM1"_s)});
    m_grid->setFooterVisible(true);
    m_grid->setRowHeight(kGenisSatir);
    page->layout()->addWidget(m_grid);

    m_popstok = new QMenu(m_grid);
    m_popstok->setObjectName(u"popstok"_s);
    QAction *ekle = m_popstok->addAction(u"Sepete Ekle"_s);
    ekle->setObjectName(u"S2"_s);
    m_popstok->addSeparator();
    // the open balances are the "Bakiyeler" page's; the item takes the user there
    QAction *bakiyeler = m_popstok->addAction(u"Sipariş Bakiyeleriniz"_s);
    bakiyeler->setObjectName(u"SiparisBakiyeleriniz"_s);
    m_popstok->addSeparator();
    QAction *siparisler = m_popstok->addAction(u"Siparişleri Göster"_s);
    siparisler->setObjectName(u"S3"_s);
    m_popstok->addSeparator();
    QAction *hareketler = m_popstok->addAction(u"Stok Hareketleri"_s);
    hareketler->setObjectName(u"StokHareketleri1"_s);
    connect(ekle, &QAction::triggered, this, &StokListesiSayfasi::SepeteEkle);
    connect(bakiyeler, &QAction::triggered, this, [this] {
        m_window.sekmeler()->setCurrentWidget(m_window.sayfa(TForm1::Bakiyeler));
    });
    connect(siparisler, &QAction::triggered, this, [this] {
        const int stokno = focusedStokNo();
        if (stokno >= 0 && m_siparisleriGoster)
            m_siparisleriGoster(stokno);
    });
    connect(hareketler, &QAction::triggered, this, [this] {
        const int stokno = focusedStokNo();
        if (stokno >= 0 && m_stokHareketleri)
            m_stokHareketleri(stokno);
    });
    m_grid->view()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_grid->view(), &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { m_popstok->popup(m_grid->view()->viewport()->mapToGlobal(pos)); });
    connect(m_grid, &widgets::DataGrid::recordDoubleClicked, this, [this] { SepeteEkle(); });
    connect(m_grid, &widgets::DataGrid::resized, this, [this] {
        if (m_window.araedit()->isEnabled())
            KolonYerlesimi();
    });

    connect(&window, &TForm1::aramaIstendi, this, &StokListesiSayfasi::Ara);
    connect(&window, &TForm1::kullaniciTipiBelirlendi, this, &StokListesiSayfasi::KullaniciTipiUygula);
    connect(&window, &TForm1::cariDegisti, this, [this] {
        m_window.sekmeler()->setCurrentWidget(m_window.sayfa(TForm1::StokListesi));
    });
    connect(&window, &TForm1::stokListesiTemizlendi, m_grid, &widgets::DataGrid::clearFilters);
    window.araedit()->installEventFilter(this);
    KullaniciTipiUygula(window.sbilgi().MusteriTipi());
}

bool StokListesiSayfasi::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window.araedit() && event->type() == QEvent::KeyPress && !m_retyping) {
        auto *key = static_cast<QKeyEvent *>(event);
        const QString replaced = AramaHarfi(key->text());
        if (replaced != key->text()) {
            // typed letters only: a paste arrives as no key of its own
            QKeyEvent again(QEvent::KeyPress, 0, key->modifiers(), replaced);
            m_retyping = true;
            QApplication::sendEvent(watched, &again);
            m_retyping = false;
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void StokListesiSayfasi::KullaniciTipiUygula(int tip)
{
    m_tip = tip;
    const bool temsilci = tip == 1 || tip == 2;
    for (const QString &key : {u"KALAN"_s, u"ALINANSIPARIS"_s, u"VERILENSIPARIS"_s}) {
        m_grid->setColumnVisible(key, temsilci);
        m_grid->setColumnCustomisable(key, temsilci);
    }
    const bool kampanyasiz = tip == 4;
    m_grid->setColumnCustomisable(u"KAMPFIYAT", !kampanyasiz);
    m_grid->setColumnCustomisable(u"K", !kampanyasiz);
    if (kampanyasiz) {
        m_grid->setColumnVisible(u"KAMPFIYAT", false);
        m_grid->setColumnVisible(u"K", false);
    } else {
        m_grid->setColumnVisible(u"K", true);
    }
    KolonYerlesimi();
}

void StokListesiSayfasi::KolonYerlesimi()
{
    m_genis = widgets::isWideLayout(m_window.width());
    m_grid->view()->setUpdatesEnabled(false);
    for (const QString &key : genisFiyatKolonlari()) {
        const bool gizli = key == u"KAMPFIYAT"_s && m_tip == 4;
        m_grid->setColumnVisible(key, m_genis && !gizli);
    }
    m_grid->setColumnVisible(kFiyatBilgisi, !m_genis);
    const int satir = m_genis ? kGenisSatir : kDarSatir;
    if (m_grid->rowHeight() != satir)
        m_grid->setRowHeight(satir);
    m_grid->applyWeightedLayout();
    if (!m_genis) {
        for (const QString &key : {u"OEM1"_s, u"OEM2"_s, u"OEM3"_s})
            m_grid->setColumnWidth(key, 80);
        m_grid->setColumnWidth(kFiyatBilgisi, 150);
    }
    m_grid->view()->setUpdatesEnabled(true);
}

void StokListesiSayfasi::Ara(const QString &text)
{
    QLineEdit *araedit = m_window.araedit();
    m_window.sekmeler()->setCurrentWidget(m_window.sayfa(TForm1::StokListesi));
    araedit->setEnabled(false);
    m_window.yuklemeResmi(TForm1::StokArama)->start();
    m_grid->beginUpdate();
    m_grid->clearFilters();

    // the body works on copies: its own connection and session record
    const wire::TSonucBilgisi bilgi = m_window.sbilgi();
    auto connection = std::shared_ptr<ServerConnection>(m_window.bagc().clone());
    auto sonuc = std::make_shared<wire::Table>();
    auto ok = std::make_shared<bool>(false);
    Async([connection, bilgi, text, sonuc, ok] {
        if (!BaglantiAc(*connection, false))
            return;
        try {
            TServerMethods1Client proxy(connection.get());
            *sonuc = proxy.StokAraGetirBelvo(text, bilgi);
            *ok = true;
        } catch (...) {
            *ok = false;
        }
        connection->close();
    }).Await([this, sonuc, ok] { AramaBitti(*ok, std::move(*sonuc)); }, this);
}

void StokListesiSayfasi::AramaBitti(bool ok, wire::Table &&sonuc)
{
    wire::DataSet &stok = m_window.stokVerisi();
    QLineEdit *araedit = m_window.araedit();
    if (ok) {
        // loaded while the grid is detached: one reset, no repaint per row
        stok.disableControls();
        stok.setTable(std::move(sonuc));
        ParaBicimiVer(stok);
        stok.enableControls();
        m_window.setStokSatirSayisi(stok.recordCount());
        m_window.setSekmeBasligi(TForm1::StokListesi, SekmeBasligi(stok.recordCount(), u"Stok Listesi"_s));
    }
    araedit->setEnabled(true);
    m_grid->endUpdate();
    KolonYerlesimi();
    araedit->selectAll();
    araedit->setFocus();
    m_window.yuklemeResmi(TForm1::StokArama)->stop();
    if (!ok) {
        if (stok.isActive())
            stok.close();
        m_window.setStokSatirSayisi(0);
        MesajGoster(texts::kBaglantiKurulamiyor, MesajTipi::Hata, kTamam, Dugme::OK, &m_window);
        m_window.setSekmeBasligi(TForm1::StokListesi, u"Stok Listesi"_s);
    }
}

int StokListesiSayfasi::focusedStokNo() const
{
    const int record = m_grid->focusedRecord();
    const wire::DataSet &stok = *m_grid->dataSet();
    const int col = stok.fieldIndex(u"STOK_STOKNO");
    if (record < 0 || col < 0 || record >= stok.recordCount())
        return -1;
    return stok.value(record, col).toInt();
}

void StokListesiSayfasi::SepeteEkle()
{
    const int stokno = focusedStokNo();
    if (stokno < 0)
        return;
    wire::DataSet &stok = m_window.stokVerisi();
    if (!stok.locate(u"STOK_STOKNO", stokno))
        return;
    wire::DataSet &sepet = m_sepet.sepetVerisi();
    if (!sepet.isActive())
        m_sepet.SepetGetir();
    if (sepet.isActive() && sepet.locate(u"STOKNO", stokno))
        SepetSatiriDegistirAc(m_window, m_sepet, sepet.fieldValue(u"SIRANO").toInt());
    else
        SepeteEkleAc(m_window, m_sepet, stok, Tstokayarinti::StokListesinden);
}

StokListesiSayfasi *installStockListPage(TForm1 &window, SepetIslemleri &sepet)
{
    return new StokListesiSayfasi(window, sepet);
}
