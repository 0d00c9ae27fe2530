#include "seccari.h"

#include "reportdownload.h"
#include "tarihsec.h"

#include "client/app/callonce.h"
#include "client/app/errorreport.h"
#include "client/app/helpers.h"
#include "client/app/pictures.h"
#include "client/app/process.h"
#include "client/app/uppercaselineedit.h"
#include "client/orders/bakiyesiparisler.h"
#include "client/server/serverconnection.h"
#include "client/server/servermethods.h"
#include "client/widgets/datagrid.h"

#include "wire/decimal.h"

#include <QAction>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QTreeView>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QList<widgets::GridColumn> customerColumns()
{
    using widgets::GridColumn;
    QList<GridColumn> columns;
    for (const QString &f : {u"CARIKOD"_s, u"CARIADI"_s, u"SATICISI"_s})
        columns << GridColumn(f);
    columns << GridColumn(u"TLBAKIYE"_s).number() << GridColumn(u"DURUM"_s);
    for (const QString &f : {u"SEPET"_s, u"ALINDI"_s, u"ONAYLANDI"_s, u"GORULDU"_s, u"HAZIRLANDI"_s,
                             u"PARCALIHAZIRLANDI"_s})
        columns << GridColumn(f).number();
    for (const QString &f : {u"CARINO"_s, u"YETKILI"_s, u"OZELKOD"_s, u"ANAGRUP"_s, u"ALTGRUP"_s, u"ADRES1"_s,
                             u"ADRES2"_s, u"ILCE"_s, u"IL"_s, u"VERGIDAIRESI"_s, u"VERGINO"_s, u"TEL1"_s, u"TEL2"_s,
                             u"FAX1"_s, u"FAX2"_s, u"GSM"_s, u"EMAIL"_s, u"VADE"_s, u"INDIRIM"_s, u"KOD1"_s,
                             u"KOD2"_s, u"KOD3"_s, u"KOD4"_s, u"KOD5"_s, u"VADEKONTROLGUN"_s, u"VADEKONTROLAY"_s})
        columns << GridColumn(f).hidden();
    return columns;
}

QString asText(const QVariant &v)
{
    if (!v.isValid())
        return QString();
    if (v.typeId() == QMetaType::Double)
        return QLocale().toString(v.toDouble(), 'g', 15);
    return v.toString();
}

double oleDay(const QDate &date)
{
    return wire::toOleDate(date.startOfDay());
}

} // namespace

Tseccari::Tseccari(ServerConnection &bag, wire::TSonucBilgisi &bilgim, QWidget *parent)
    : QDialog(parent)
    , m_bag(bag)
    , m_bilgim(bilgim)
{
    setObjectName(u"seccari"_s);
    setWindowTitle(u"Cari Seçimi"_s);
    setWindowFlag(Qt::WindowMaximizeButtonHint);

    auto *column = new QVBoxLayout(this);

    auto *top = new QWidget(this);
    auto *topColumn = new QVBoxLayout(top);
    topColumn->setContentsMargins(0, 0, 0, 0);
    auto *buttons = new QHBoxLayout;
    m_sBitBtn2 = pipelineButton(u"sBitBtn2"_s, u"Tüm Carileri Listeler"_s);
    m_sBitBtn2->setIcon(pictures::magnifier());
    m_sBitBtn2->setIconSize(QSize(32, 32));
    m_sepettus = pipelineButton(u"sepettus"_s, u"Sipariş sepetinde \r\nstok olan carileri listeler."_s);
    m_alinditus = pipelineButton(u"alinditus"_s, u"Yeni Alınan \r\nSiparişleri Listeler"_s);
    m_onaylanditus = pipelineButton(u"onaylanditus"_s, u"Onaylanan Siparişler"_s);
    m_goruldutus = pipelineButton(u"goruldutus"_s, u"Görülen Siparişler"_s);
    m_goruldutus->setText(u"0"_s);
    m_parcalihazirlandi = pipelineButton(u"parcalihazirlandi"_s, u"Eksik Hazırlanan siparişler"_s);
    m_hazirlanditus = pipelineButton(u"hazirlanditus"_s, u"Hazırlanan Siparişler"_s);
    m_sevktus = pipelineButton(u"sevktus"_s, u"Sevk Edilen Siparişler"_s);
    for (QPushButton *b : {m_sBitBtn2, m_sepettus, m_alinditus, m_onaylanditus, m_goruldutus, m_parcalihazirlandi,
                           m_hazirlanditus, m_sevktus})
        buttons->addWidget(b);
    buttons->addStretch();
    topColumn->addLayout(buttons);
    m_nedit1 = new UpperCaseLineEdit(top);
    m_nedit1->setObjectName(u"NEdit1"_s);
    m_nedit1->setFixedWidth(620);
    topColumn->addWidget(m_nedit1);
    column->addWidget(top);

    connect(m_sBitBtn2, &QPushButton::clicked, this, [this] {
        m_nedit1->clear();
        CariBul();
    });
    const QList<QPair<QPushButton *, int>> states = {{m_sepettus, 1},         {m_alinditus, 2},
                                                     {m_onaylanditus, 3},     {m_goruldutus, 4},
                                                     {m_parcalihazirlandi, 5}, {m_hazirlanditus, 6},
                                                     {m_sevktus, 7}};
    for (const auto &[button, n] : states)
        connect(button, &QPushButton::clicked, this, [this, n = n] { CariSepetListele(n); });
    connect(m_nedit1, &QLineEdit::returnPressed, this, &Tseccari::CariBul);

    auto *splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter = splitter;
    m_grid = new widgets::DataGrid(splitter);
    m_grid->setObjectName(u"carigrid"_s);
    m_grid->setDataSet(&m_cariler, customerColumns());
    m_grid->setReadOnly(true);
    m_grid->setIncrementalSearch(true);
    m_grid->setFooterVisible(true);
    m_grid->setGroupByBoxVisible(false);
    m_grid->setSummaries({widgets::GridSummary::count(u"CARIKOD"_s)});
    splitter->addWidget(m_grid);
    splitter->addWidget(buildDetails());
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);
    column->addWidget(splitter, 1);
    connect(m_grid, &widgets::DataGrid::focusedRecordChanged, this, &Tseccari::detayYaz);
    connect(m_grid, &widgets::DataGrid::recordDoubleClicked, this, [this] { CariSec(); });

    m_menu = new QMenu(this);
    m_menu->setObjectName(u"carimenu"_s);
    QAction *c1 = m_menu->addAction(u"Cari Özeti Göster"_s);
    c1->setObjectName(u"C1"_s);
    m_menu->addSeparator();
    QAction *b1 = m_menu->addAction(u"Bakiyelerini Göster"_s);
    b1->setObjectName(u"B1"_s);
    m_menu->addSeparator();
    QAction *alSat = m_menu->addAction(u"Cari Alış Satış Tablosu (Satıcılı)"_s);
    alSat->setObjectName(u"CariAlSatTablosuSatcl1"_s);
    QAction *toplu = m_menu->addAction(u"Cari Toplu Alacak Vadeleri"_s);
    toplu->setObjectName(u"CariTopluAlacakVadeleri1"_s);
    connect(c1, &QAction::triggered, this, &Tseccari::CariOzetiGoster);
    connect(b1, &QAction::triggered, this, &Tseccari::BakiyeleriniGoster);
    connect(alSat, &QAction::triggered, this, &Tseccari::CariAlisSatisTablosu);
    connect(toplu, &QAction::triggered, this, &Tseccari::CariTopluAlacakVadeleri);
    m_grid->view()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_grid->view(), &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { m_menu->popup(m_grid->view()->viewport()->mapToGlobal(pos)); });

    auto *bottom = new QHBoxLayout;
    auto *sec = new QPushButton(u"Seç"_s, this);
    sec->setObjectName(u"sec"_s);
    auto *vazgec = new QPushButton(u"Vazgeç"_s, this);
    vazgec->setObjectName(u"vazgec"_s);
    sec->setAutoDefault(false);
    vazgec->setAutoDefault(false);
    connect(sec, &QPushButton::clicked, this, &Tseccari::CariSec);
    connect(vazgec, &QPushButton::clicked, this, [this] {
        process::end(0);
        reject(); // reached only where the ending is replaced
    });
    bottom->addWidget(sec);
    bottom->addStretch();
    bottom->addWidget(vazgec);
    column->addLayout(bottom);

    m_nedit1->setFocus();
}

Tseccari::~Tseccari() = default;

QPushButton *Tseccari::pipelineButton(const QString &name, const QString &hint)
{
    auto *b = new QPushButton(this);
    b->setObjectName(name);
    b->setToolTip(hint);
    b->setFixedSize(155, 60);
    b->setAutoDefault(false);
    b->setStyleSheet(u"QPushButton { color: red; font-weight: bold; font-size: 16px; }"_s);
    return b;
}

QWidget *Tseccari::buildDetails()
{
    m_detay = new QGroupBox(u"Cari Bilgileri"_s);
    m_detay->setObjectName(u"cariBilgileri"_s);
    auto *grid = new QGridLayout(m_detay);
    int row = 0;
    auto add = [&](const QString &caption, const QStringList &names) {
        grid->addWidget(new QLabel(caption, m_detay), row, 0, Qt::AlignRight | Qt::AlignTop);
        for (const QString &name : names) {
            auto *value = new QLabel(m_detay);
            value->setObjectName(name);
            value->setTextInteractionFlags(Qt::TextSelectableByMouse);
            m_values.insert(name, value);
            grid->addWidget(value, row++, 1);
        }
    };
    add(u"CariKod:"_s, {u"carikod"_s});
    add(u"Cari Adı:"_s, {u"cariadi"_s});
    add(u"Yetkili:"_s, {u"yetkili"_s});
    add(u"Özel Kod:"_s, {u"ozelkod"_s});
    add(u"Ana Grup:"_s, {u"anagrup"_s});
    add(u"Alt Grup:"_s, {u"altgrup"_s});
    add(u"Adres:"_s, {u"adres1"_s, u"adres2"_s, u"ilce"_s});
    add(u"Vergi D.:"_s, {u"vergi"_s});
    add(u"Telefon:"_s, {u"telefon1"_s, u"telefon2"_s});
    add(u"Fax:"_s, {u"fax1"_s, u"fax2"_s});
    add(u"Gsm:"_s, {u"gsm"_s});
    add(u"E-mail:"_s, {u"email"_s});
    add(u"İndirim %:"_s, {u"indirim"_s});
    add(u"Vade (Gün):"_s, {u"vade"_s});
    add(u"Bakiye:"_s, {u"bakiye"_s});
    m_values.value(u"bakiye"_s)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_values.value(u"bakiye"_s)->setFixedWidth(100);
    grid->setRowStretch(row, 1);
    m_detay->hide();
    return m_detay;
}

void Tseccari::showEvent(QShowEvent *event)
{
    if (!m_sized) {
        m_sized = true;
        const QScreen *s = screen();
        const QRect area = s ? s->availableGeometry() : QRect(0, 0, 1280, 800);
        setGeometry(area.left() + 50, area.top() + 50, area.width() - 100, area.height() - 100);
    }
    QDialog::showEvent(event);
}

QVariant Tseccari::alan(int record, QStringView name) const
{
    const int col = m_cariler.fieldIndex(name);
    if (record < 0 || record >= m_cariler.recordCount() || col < 0)
        return {};
    return m_cariler.value(record, col);
}

void Tseccari::SepetSayisiYaz()
{
    const wire::TSonucBilgisi bilgi = m_bilgim;
    int count = 0;
    if (!callOnce(m_bag, [&](TServerMethods1Client &proxy) { count = proxy.SepetSayisi(bilgi); }))
        return;
    m_sepettus->setText(count < 1 ? QString() : QString::number(count));
}

void Tseccari::TusSonuclari()
{
    const wire::TSonucBilgisi bilgi = m_bilgim;
    std::optional<wire::TTusSonuclari> answer;
    if (!callOnce(m_bag, [&](TServerMethods1Client &proxy) { answer = proxy.TusSonuclariVer(bilgi); }))
        return;
    wire::TTusSonuclari t;
    if (answer)
        t.Kopyala(*answer);
    m_alinditus->setText(QString::number(t.Alindi()));
    m_onaylanditus->setText(QString::number(t.Onaylandi()));
    m_goruldutus->setText(QString::number(t.Goruldu()));
    m_parcalihazirlandi->setText(QString::number(t.ParcaliHazirlandi()));
    m_hazirlanditus->setText(QString::number(t.Hazirlandi()));
    m_sevktus->setText(QString::number(t.SevkEdildi()));
}

void Tseccari::listed(const wire::Table &rows)
{
    m_cariler.disableControls();
    m_cariler.setTable(rows);
    ParaBicimiVer(m_cariler);
    m_cariler.enableControls();
    m_grid->bestFit();
    if (!m_cariler.isEmpty())
        m_grid->setFocusedRecord(0);
    // the same row number may now be another customer: the panel follows the data
    detayYaz(m_grid->focusedRecord());
}

void Tseccari::CariBul()
{
    QString text = m_nedit1->text();
    text.replace(u'ı', u'i');
    text = text.trimmed();
    const wire::TSonucBilgisi bilgi = m_bilgim;
    wire::Table rows;
    if (!callOnce(m_bag, [&](TServerMethods1Client &proxy) { rows = proxy.CariAra(bilgi, text); }))
        return;
    listed(rows);
    m_nedit1->selectAll();
    m_nedit1->setFocus();
}

void Tseccari::CariSepetListele(int n)
{
    const wire::TSonucBilgisi bilgi = m_bilgim;
    wire::Table rows;
    if (!callOnce(m_bag, [&](TServerMethods1Client &proxy) { rows = proxy.CariSepetVer(bilgi, n); }))
        return;
    listed(rows);
    if (n == 1) {
        m_nedit1->selectAll();
        m_nedit1->setFocus();
    }
}

void Tseccari::detayYaz(int record)
{
    if (record < 0 || record >= m_cariler.recordCount()) {
        m_detay->hide();
        return;
    }
    auto set = [&](const QString &label, const QString &text) { m_values.value(label)->setText(text); };
    auto field = [&](QStringView name) { return asText(alan(record, name)); };
    set(u"carikod"_s, field(u"CARIKOD"));
    set(u"cariadi"_s, field(u"CARIADI"));
    set(u"yetkili"_s, field(u"YETKILI"));
    set(u"ozelkod"_s, field(u"OZELKOD"));
    set(u"anagrup"_s, field(u"ANAGRUP"));
    set(u"altgrup"_s, field(u"ALTGRUP"));
    set(u"adres1"_s, field(u"ADRES1"));
    set(u"adres2"_s, field(u"ADRES2"));
    set(u"ilce"_s, field(u"ILCE") + u"/"_s + field(u"IL"));
    set(u"vergi"_s, field(u"VERGIDAIRESI") + u"/"_s + field(u"VERGINO"));
    set(u"telefon1"_s, field(u"TEL1"));
    set(u"telefon2"_s, field(u"TEL2"));
    set(u"fax1"_s, field(u"FAX1"));
    set(u"fax2"_s, field(u"FAX2"));
    set(u"gsm"_s, field(u"GSM"));
    set(u"email"_s, field(u"EMAIL"));
    set(u"indirim"_s, field(u"INDIRIM"));
    set(u"vade"_s, field(u"VADE"));
    set(u"bakiye"_s, wire::formatFloat(alan(record, u"TLBAKIYE").toDouble(), kParaBicimi, QLocale()) + u" "_s
                         + field(u"DURUM"));
    m_detay->show();
    // hidden when the splitter was laid out, the panel would keep no width
    const QList<int> sizes = m_splitter->sizes();
    if (sizes.size() == 2 && sizes[1] == 0) {
        const int total = sizes[0];
        m_splitter->setSizes({total - 320, 320});
    }
}

void Tseccari::CariSec()
{
    const int r = m_grid->focusedRecord();
    if (r < 0)
        return;
    const int carino = alan(r, u"CARINO").toInt();
    if (carino <= 0)
        return;
    m_bilgim.setCARINO(carino);
    m_bilgim.setcarikod(asText(alan(r, u"CARIKOD")));
    m_bilgim.setCariAdi(asText(alan(r, u"CARIADI")));
    accept();
}

void Tseccari::BakiyeleriniGoster()
{
    const int r = m_grid->focusedRecord();
    if (r < 0)
        return;
    // the representative's own record keeps its customer
    wire::TSonucBilgisi bilgi = m_bilgim;
    bilgi.setCARINO(alan(r, u"CARINO").toInt());
    Tbakiyesiparisler balances(m_bag, bilgi, this);
    balances.setWindowState(Qt::WindowMaximized);
    balances.KolonlariAyarla(Tbakiyesiparisler::Acilis::CariSecimi, m_bilgim.MusteriTipi());
    balances.BakiyeAlalim();
    balances.exec();
}

bool Tseccari::tarihSor(bool ikiTarih, QDate &tarih1, QDate &tarih2)
{
    Ttarihsec dialog(ikiTarih, this);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    tarih1 = dialog.tarih1();
    tarih2 = ikiTarih ? dialog.tarih2() : dialog.tarih1();
    return true;
}

void Tseccari::CariOzetiGoster()
{
    const int r = m_grid->focusedRecord();
    const int carino = alan(r, u"CARINO").toInt();
    if (r < 0 || carino <= 0)
        return;
    QDate d1, d2;
    if (tarihSor(false, d1, d2))
        RaporAl(6, carino, asText(alan(r, u"SATICISI")), d1, d2);
}

void Tseccari::CariAlisSatisTablosu()
{
    const int r = m_grid->focusedRecord();
    if (r < 0 || alan(r, u"CARINO").toInt() <= 0)
        return;
    QDate d1, d2;
    // the table is asked for the session's customer, not the row's
    if (tarihSor(true, d1, d2))
        RaporAl(7, m_bilgim.CARINO(), asText(alan(r, u"SATICISI")), d1, d2);
}

void Tseccari::CariTopluAlacakVadeleri()
{
    QDate d1, d2;
    if (tarihSor(false, d1, d2))
        RaporAl(6, 0, m_bilgim.MusteriTipi() == 1 ? m_bilgim.ADI() : u"."_s, d1, d2);
}

void Tseccari::RaporAl(int raporno, int carino, const QString &saticiadi, const QDate &tarih1, const QDate &tarih2)
{
    const QString path = rapor::dosyaYolu(raporno, carino);
    // an old report of the same name never passes for the new one
    if (QFileInfo::exists(path))
        QFile::remove(path);
    try {
        m_bag.open();
    } catch (...) {
        errorreport::show(std::current_exception());
        return;
    }
    bool written = false;
    try {
        TServerMethods1Client proxy(&m_bag);
        qint64 size = 0;
        const QByteArray stream = proxy.RaporGetir(raporno, raporno, m_bilgim.Sirano(), carino, saticiadi,
                                                   oleDay(tarih1), oleDay(tarih2), size);
        written = rapor::kaydet(stream, size, path);
    } catch (...) {
        // a report that does not arrive leaves no file; nothing is said
    }
    m_bag.close();
    // only what this request wrote is opened: a file that could not be
    // deleted above is an old report
    if (written && QFileInfo::exists(path))
        rapor::ac(path);
}
