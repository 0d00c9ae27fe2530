#include "bakiyesiparisler.h"

#include "bakiyedegistir.h"
#include "fiyatdegistir.h"

#include "client/app/callonce.h"
#include "client/app/helpers.h"
#include "client/app/messages.h"
#include "client/app/pictures.h"
#include "client/app/statuslegend.h"
#include "client/server/serverconnection.h"
#include "client/server/servermethods.h"
#include "client/widgets/datagrid.h"
#include "client/widgets/excelexport.h"

#include "wire/decimal.h"

#include <QAction>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTreeView>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

const QString kGenelToplamBicimi = u"#,###,##00.00"_s;

QList<widgets::GridColumn> balanceColumns()
{
    using widgets::GridColumn;
    return {
        GridColumn(u"VERILISTARIHI"_s).caption(u"Sipariş Tarihi"_s).weight(1),
        GridColumn(u"BARKOD"_s).caption(u"Barkod"_s).weight(2),
        GridColumn(u"FINISHKOD"_s).caption(u"FinishKod"_s).weight(2),
        GridColumn(u"OEMNO"_s).caption(u"OEMNo"_s).weight(2),
        GridColumn(u"STOKADI"_s).caption(u"Stok Açıklama"_s).weight(3),
        GridColumn(u"MIKTAR"_s).caption(u"Miktar"_s).weight(1).number(),
        GridColumn(u"ILKFIYAT"_s).caption(u"İlk Fiyat"_s).weight(1).number().hidden().fixed(),
        GridColumn(u"BIRIMFIYAT"_s).caption(u"Birim Fiyat"_s).weight(1).number(),
        GridColumn(u"TUTAR"_s).caption(u"Tutar"_s).weight(1).number(),
        GridColumn(u"INDIRIMYAZI"_s).caption(u"İn.Oranı%"_s).weight(2),
        GridColumn(u"NETBIRIMFIYAT"_s).caption(u"Net Fiyat"_s).weight(1).number(),
        GridColumn(u"KDV"_s).weight(1).number(),
        GridColumn(u"VERGITUTARI"_s).caption(u"Vergi Tutarı"_s).weight(1).number(),
        GridColumn(u"NETTUTAR"_s).caption(u"Net Tutar"_s).weight(1).number(),
        GridColumn(u"VEREN"_s).caption(u"Veren"_s).weight(1),
        GridColumn(u"TESLIMEDILEN"_s).caption(u"Teslim Edilen"_s).weight(1).number(),
        GridColumn(u"KALAN"_s).caption(u"Kalan Bakiye"_s).weight(1).number(),
        GridColumn(u"ELDEKI"_s).caption(u"Eldeki"_s).weight(1).number().hidden().fixed(),
        GridColumn(u"ALINANSIPARIS"_s).weight(1).number().hidden().fixed(),
        GridColumn(u"VERILENSIPARIS"_s).weight(1).number().hidden().fixed(),
        GridColumn(u"DURUM"_s).caption(u"Durum"_s).weight(1).statusImages(pictures::statusPictures()),
        // read by the actions, never shown
        GridColumn(u"SIRANO"_s).hidden().fixed(),
        GridColumn(u"STOKHAR_NO"_s).hidden().fixed(),
        GridColumn(u"STOK_STOKNO"_s).hidden().fixed(),
        GridColumn(u"IDNO"_s).hidden().fixed(),
        GridColumn(u"ACIKLAMA"_s).hidden().fixed(),
        GridColumn(u"MARKA"_s).hidden().fixed(),
        GridColumn(u"MODEL"_s).hidden().fixed(),
        GridColumn(u"INDIRIMORANI1"_s).hidden().fixed(),
        GridColumn(u"INDIRIMTUTAR"_s).hidden().fixed(),
    };
}

QString floatText(const QVariant &v)
{
    return QLocale().toString(v.toDouble(), 'g', 15);
}

} // namespace

Tbakiyesiparisler::Tbakiyesiparisler(ServerConnection &bagim, const wire::TSonucBilgisi &bilgi, QWidget *parent)
    : QDialog(parent)
    , m_bagim(bagim)
    , m_bilgi(bilgi)
{
    setObjectName(u"bakiyesiparisler"_s);
    setWindowTitle(u"Bakiye Siparişler"_s);
    setWindowFlag(Qt::WindowMaximizeButtonHint);

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    m_grid = new widgets::DataGrid(this);
    m_grid->setObjectName(u"bakiyegrid"_s);
    m_grid->setDataSet(&m_bakiyesepet, balanceColumns());
    m_grid->setReadOnly(true);
    m_grid->setIncrementalSearch(true);
    m_grid->setFooterVisible(true);
    m_grid->setGroupByBoxVisible(false);
    m_grid->setColumnCustomisation(true);
    m_grid->setSummaries({widgets::GridSummary::count(u"VERILISTARIHI"_s), widgets::GridSummary::sum(u"MIKTAR"_s),
                          widgets::GridSummary::sum(u"KALAN"_s)});
    column->addWidget(m_grid, 1);
    connect(m_grid, &widgets::DataGrid::focusedRecordChanged, this, &Tbakiyesiparisler::onFocusedRecord);
    connect(m_grid, &widgets::DataGrid::resized, this, [this] {
        const QScreen *s = screen();
        m_grid->KolonYerlesimi(s ? s->geometry().width() : width());
    });

    m_menu = new QMenu(this);
    m_menu->setObjectName(u"bakiyemenu"_s);
    QAction *sil = m_menu->addAction(u"Bakiyeyi Sil"_s);
    sil->setObjectName(u"bakiyeyiSil"_s);
    m_menu->addSeparator();
    QAction *degistir = m_menu->addAction(u"Bakiye Değiştir"_s);
    degistir->setObjectName(u"bakiyeDegistir"_s);
    m_menu->addSeparator();
    m_fiyatDegistir = m_menu->addAction(u"Fiyat Değiştir"_s);
    m_fiyatDegistir->setObjectName(u"fiyatDegistir"_s);
    m_fiyatDegistir->setVisible(false);
    connect(sil, &QAction::triggered, this, &Tbakiyesiparisler::BakiyeyiSilClick);
    connect(degistir, &QAction::triggered, this, &Tbakiyesiparisler::BakiyeDegistirClick);
    connect(m_fiyatDegistir, &QAction::triggered, this, &Tbakiyesiparisler::FiyatDegistirClick);
    m_grid->view()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_grid->view(), &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { m_menu->popup(m_grid->view()->viewport()->mapToGlobal(pos)); });

    // the statuses an open balance can have: no "Kritik Seviye" here
    column->addWidget(new StatusLegend({{0, u" Stok mevcut  "_s}, {8, u" Telefon Açınız  "_s}, {2, u" Yolda  "_s},
                                        {5, u" Tedarik Sürecinde "_s}, {1, u" Özel Sipariş  "_s}, {4, u" Yok  "_s}},
                                       this));
    column->addWidget(buildBottom());
}

Tbakiyesiparisler::~Tbakiyesiparisler() = default;

QWidget *Tbakiyesiparisler::buildBottom()
{
    auto *bottom = new QWidget(this);
    bottom->setObjectName(u"altPanel"_s);
    auto *row = new QHBoxLayout(bottom);
    row->setContentsMargins(6, 4, 6, 4);

    auto value = [bottom](const QString &name) {
        auto *l = new QLabel(bottom);
        l->setObjectName(name);
        return l;
    };

    auto *siparis = new QGroupBox(u"Sipariş Bilgileri"_s, bottom);
    auto *sg = new QGridLayout(siparis);
    const QList<QPair<QString, QLabel **>> pairs = {{u"Sipariş Durumu:"_s, &m_sipdurun},
                                                   {u"Teslim Cinsi:"_s, &m_teslimcinsi},
                                                   {u"Kargo Cinsi:"_s, &m_kargocinsi},
                                                   {u"Kargo:"_s, &m_kargo},
                                                   {u"Veren:"_s, &m_veren}};
    const QStringList names = {u"_sipdurun"_s, u"_teslimcinsi"_s, u"_kargocinsi"_s, u"_kargo"_s, u"_veren"_s};
    for (int i = 0; i < pairs.size(); ++i) {
        sg->addWidget(new QLabel(pairs[i].first, siparis), i, 0, Qt::AlignRight);
        *pairs[i].second = value(names[i]);
        sg->addWidget(*pairs[i].second, i, 1);
    }
    row->addWidget(siparis, 2);

    auto memo = [bottom](const QString &caption, const QString &name, QPlainTextEdit *&edit) {
        auto *box = new QWidget(bottom);
        auto *l = new QVBoxLayout(box);
        l->setContentsMargins(0, 0, 0, 0);
        l->addWidget(new QLabel(caption, box));
        edit = new QPlainTextEdit(box);
        edit->setObjectName(name);
        edit->setReadOnly(true);
        l->addWidget(edit, 1);
        return box;
    };
    row->addWidget(memo(u"Mesajınız:"_s, u"_sizin"_s, m_sizin), 2);
    row->addWidget(memo(u"Siparişi Alanın Notu:"_s, u"_bizim"_s, m_bizim), 2);

    auto *tutar = new QGroupBox(u"Tutar"_s, bottom);
    auto *tg = new QGridLayout(tutar);
    const QList<QPair<QString, QLabel **>> totals = {{u"Toplam:"_s, &m_aratoplaml},
                                                    {u"İndirim Toplam:"_s, &m_indiriml},
                                                    {u"Ara Toplam:"_s, &m_nettutarl},
                                                    {u"Vergi:"_s, &m_vergil},
                                                    {u"Genel Toplam:"_s, &m_geneltoplaml}};
    const QStringList totalNames = {u"aratoplaml"_s, u"indiriml"_s, u"nettutarl"_s, u"vergil"_s,
                                    u"geneltoplaml"_s};
    for (int i = 0; i < totals.size(); ++i) {
        auto *caption = new QLabel(totals[i].first, tutar);
        *totals[i].second = value(totalNames[i]);
        (*totals[i].second)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        (*totals[i].second)->setMinimumWidth(110);
        if (i == totals.size() - 1) {
            QFont bold = caption->font();
            bold.setBold(true);
            caption->setFont(bold);
            (*totals[i].second)->setFont(bold);
        }
        tg->addWidget(caption, i, 0, Qt::AlignRight);
        tg->addWidget(*totals[i].second, i, 1);
    }
    row->addWidget(tutar, 1);

    auto *buttons = new QVBoxLayout;
    m_kapat = new QPushButton(u"Kapat"_s, bottom);
    m_kapat->setObjectName(u"kapat"_s);
    auto *excel = new QPushButton(u"Excel Kaydet"_s, bottom);
    excel->setObjectName(u"excelKaydet"_s);
    m_kapat->setFixedWidth(100);
    excel->setFixedWidth(100);
    connect(m_kapat, &QPushButton::clicked, this, &QDialog::reject);
    connect(excel, &QPushButton::clicked, this, &Tbakiyesiparisler::ExcelKaydetClick);
    buttons->addWidget(m_kapat);
    buttons->addWidget(excel);
    buttons->addStretch();
    row->addLayout(buttons);
    return bottom;
}

void Tbakiyesiparisler::KolonlariAyarla(Acilis acilis, int musteriTipi)
{
    auto offer = [this](const QString &key) {
        m_grid->setColumnVisible(key, true);
        m_grid->setColumnCustomisable(key, true);
    };
    if (musteriTipi == 2) {
        offer(u"ILKFIYAT"_s);
        m_fiyatDegistir->setVisible(true);
    }
    if (acilis == Acilis::CariSecimi || musteriTipi == 1 || musteriTipi == 2) {
        offer(u"ELDEKI"_s);
        // the previous orders' menu shows the quantity on hand only
        if (acilis != Acilis::OncekiSiparisler) {
            offer(u"ALINANSIPARIS"_s);
            offer(u"VERILENSIPARIS"_s);
        }
    }
    if (acilis != Acilis::CariSecimi && musteriTipi == 3) {
        m_grid->setColumnVisible(u"DURUM", false);
        m_grid->setColumnCustomisable(u"DURUM", false);
    }
}

void Tbakiyesiparisler::gomuluYap()
{
    setWindowFlags(Qt::Widget);
    m_kapat->hide();
}

void Tbakiyesiparisler::Goster()
{
    const QScreen *s = screen();
    const QRect area = s ? s->geometry() : QRect(0, 0, 1280, 800);
    setGeometry(area.left() + 50, y(), area.width() - 100, area.height() - 150);
}

QVariant Tbakiyesiparisler::alan(int record, QStringView name) const
{
    const int col = m_bakiyesepet.fieldIndex(name);
    if (record < 0 || record >= m_bakiyesepet.recordCount() || col < 0)
        return {};
    return m_bakiyesepet.value(record, col);
}

bool Tbakiyesiparisler::BakiyeAlalim()
{
    wire::Table lines;
    if (!callOnce(m_bagim, [&](TServerMethods1Client &proxy) { lines = proxy.BakiyelerVer2(m_bilgi.CARINO()); }))
        return false;
    m_bakiyesepet.disableControls();
    m_bakiyesepet.setTable(std::move(lines));
    ParaBicimiVer(m_bakiyesepet);
    m_bakiyesepet.enableControls();
    // the first line takes the focus as after any load; its order's footer follows
    if (!m_bakiyesepet.isEmpty()) {
        m_focusReported = false;
        m_grid->setFocusedRecord(0);
        if (!m_focusReported)
            onFocusedRecord(m_grid->focusedRecord());
    }
    BakiyeToplamHesapla();
    return true;
}

void Tbakiyesiparisler::BakiyeToplamHesapla()
{
    double t = 0;
    double i = 0;
    m_bakiyesepet.disableControls();
    const int tutar = m_bakiyesepet.fieldIndex(u"TUTAR");
    const int indirim = m_bakiyesepet.fieldIndex(u"INDIRIMTUTAR");
    for (int row = 0; row < m_bakiyesepet.recordCount(); ++row) {
        if (tutar >= 0)
            t = SayiyaCevir(t + m_bakiyesepet.value(row, tutar).toDouble());
        if (indirim >= 0)
            i = SayiyaCevir(i + m_bakiyesepet.value(row, indirim).toDouble());
    }
    const double a = SayiyaCevir(t - i);
    // a flat 20 % on the net, not the lines' own tax rates
    const double v = SayiyaCevir(a * 1.2) - a;
    const double g = SayiyaCevir(a + v);
    const QLocale loc;
    m_aratoplaml->setText(wire::formatFloat(t, kParaBicimi, loc));
    m_indiriml->setText(wire::formatFloat(i, kParaBicimi, loc));
    m_vergil->setText(wire::formatFloat(v, kParaBicimi, loc));
    m_nettutarl->setText(wire::formatFloat(a, kParaBicimi, loc));
    m_geneltoplaml->setText(wire::formatFloat(g, kGenelToplamBicimi, loc));
    m_bakiyesepet.enableControls();
    BakiyeDipYaz();
}

void Tbakiyesiparisler::onFocusedRecord(int record)
{
    m_focusReported = true;
    if (record < 0)
        return;
    const QVariant idno = alan(record, u"IDNO");
    if (idno.isValid())
        BakiyeDipGetir(idno.toInt());
}

bool Tbakiyesiparisler::BakiyeDipGetir(int idno)
{
    std::optional<wire::TSiparisDipAyrinti> dip;
    if (!callOnce(m_bagim, [&](TServerMethods1Client &proxy) { dip = proxy.SiparisAytintisiDip(0, idno); }))
        return false;
    // no footer for the order: the fields show empty rather than another order's
    m_asagi.Kopyala(dip.value_or(wire::TSiparisDipAyrinti()));
    BakiyeDipYaz();
    return true;
}

void Tbakiyesiparisler::BakiyeDipYaz()
{
    m_sipdurun->setText(m_asagi.Durumu());
    m_teslimcinsi->setText(m_asagi.TeslimCinsi());
    m_kargocinsi->setText(m_asagi.KargoCinsi());
    m_kargo->setText(m_asagi.Kargo());
    m_veren->setText(m_asagi.Veren());
    m_sizin->setPlainText(m_asagi.SizinMesaj());
    m_bizim->setPlainText(m_asagi.BizimMesaj());
}

bool Tbakiyesiparisler::BakiyeSil(int stokno, int sirano, int stokharNo, const QString &barkod, double miktar,
                                  double kalan)
{
    const wire::TSonucBilgisi bilgi = m_bilgi;
    if (!callOnce(m_bagim, [&](TServerMethods1Client &proxy) {
            proxy.BakiyeDuzenle(bilgi, stokno, sirano, stokharNo, miktar, kalan, barkod);
        }))
        return false;
    BakiyeAlalim();
    return true;
}

bool Tbakiyesiparisler::BakiyeMiktarDegistir(int stokno, int sirano, int stokharNo, const QString &barkod,
                                             double yeniMiktar)
{
    const wire::TSonucBilgisi bilgi = m_bilgi;
    if (!callOnce(m_bagim, [&](TServerMethods1Client &proxy) {
            proxy.BakiyeDegistir(bilgi, stokno, sirano, stokharNo, yeniMiktar, yeniMiktar, barkod);
        }))
        return false;
    BakiyeAlalim();
    return true;
}

bool Tbakiyesiparisler::BakiyeFiyatGuncelle(int sirano, int stokharNo, const QString &barkod, double miktar,
                                            double fiyat, double indirim)
{
    const wire::TSonucBilgisi bilgi = m_bilgi;
    if (!callOnce(m_bagim, [&](TServerMethods1Client &proxy) {
            proxy.BakiyeFiyatDegistir(bilgi, 0, sirano, stokharNo, miktar, miktar, barkod, fiyat, indirim);
        }))
        return false;
    BakiyeAlalim();
    return true;
}

void Tbakiyesiparisler::BakiyeyiSilClick()
{
    const int r = m_grid->focusedRecord();
    if (r < 0)
        return;
    const int stokno = alan(r, u"STOK_STOKNO").toInt();
    const int sirano = alan(r, u"SIRANO").toInt();
    const int stokharNo = alan(r, u"STOKHAR_NO").toInt();
    const double miktar = alan(r, u"MIKTAR").toDouble();
    const double kalan = alan(r, u"KALAN").toDouble();
    const QString barkod = alan(r, u"BARKOD").toString();
    if (MesajGoster(u"Sipariş Bakiyesini Silmek İstiyor musunuz ?"_s, MesajTipi::Soru, kEvetHayir, Dugme::No, this)
        != mrYes)
        return;
    BakiyeSil(stokno, sirano, stokharNo, barkod, miktar, kalan);
}

void Tbakiyesiparisler::BakiyeDegistirClick()
{
    const int r = m_grid->focusedRecord();
    if (r < 0)
        return;
    const int stokno = alan(r, u"STOK_STOKNO").toInt();
    const int sirano = alan(r, u"SIRANO").toInt();
    const int stokharNo = alan(r, u"STOKHAR_NO").toInt();
    const QString barkod = alan(r, u"BARKOD").toString();
    Tbakiyedegistir::Satir satir;
    satir.barkod = barkod;
    satir.adi = alan(r, u"ACIKLAMA").toString();
    satir.finishkod = alan(r, u"FINISHKOD").toString();
    satir.marka = alan(r, u"MARKA").toString();
    satir.model = alan(r, u"MODEL").toString();
    satir.alinansiparis = floatText(alan(r, u"MIKTAR"));
    satir.teslimedilen = floatText(alan(r, u"TESLIMEDILEN"));
    satir.eskibakiye = floatText(alan(r, u"KALAN"));
    satir.elimizde = alan(r, u"ELDEKI").toString();
    if (MesajGoster(u"Sipariş Bakiyesini Değiştirmek İstiyor musunuz ?"_s, MesajTipi::Soru, kEvetHayir, Dugme::Yes,
                    this)
        != mrYes)
        return;
    Tbakiyedegistir dialog(this);
    dialog.setSatir(satir);
    dialog.setElimizdeGizli(m_bilgi.MusteriTipi() == 0);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (BakiyeMiktarDegistir(stokno, sirano, stokharNo, barkod, dialog.yeniBakiye()))
        MesajGoster(u"Bakiye Değiştirildi !"_s, MesajTipi::Bilgi, kTamam, Dugme::OK, this);
}

void Tbakiyesiparisler::FiyatDegistirClick()
{
    const int r = m_grid->focusedRecord();
    if (r < 0 || !m_fiyatDegistir->isVisible())
        return;
    const double miktar = alan(r, u"MIKTAR").toDouble();
    const int sirano = alan(r, u"SIRANO").toInt();
    const int stokharNo = alan(r, u"STOKHAR_NO").toInt();
    const QString barkod = alan(r, u"BARKOD").toString();
    Tfiyatdegistir dialog(this);
    dialog.setDegerler(alan(r, u"BIRIMFIYAT").toDouble(), alan(r, u"INDIRIMORANI1").toDouble());
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (BakiyeFiyatGuncelle(sirano, stokharNo, barkod, miktar, dialog.fiyat(), dialog.iskonto()))
        MesajGoster(u"Fiyat Değiştirildi !"_s, MesajTipi::Bilgi, kTamam, Dugme::OK, this);
}

void Tbakiyesiparisler::ExcelKaydetClick()
{
    widgets::saveGridAsExcel(*m_grid, this);
}
