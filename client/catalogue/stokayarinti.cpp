#include "stokayarinti.h"

#include "asyncresim.h"
#include "miktarhesabi.h"
#include "sayikutusu.h"
#include "sepetislemleri.h"

#include "client/app/baglantiac.h"
#include "client/app/mainwindow.h"
#include "client/app/pictures.h"
#include "client/server/serverconnection.h"
#include "client/server/servermethods.h"
#include "client/server/webaddresses.h"
#include "wire/dataset.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedLayout>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QString displayText(const wire::DataSet &ds, QStringView field)
{
    const int col = ds.fieldIndex(field);
    return col >= 0 && ds.recNo() >= 0 ? ds.displayText(ds.recNo(), col) : QString();
}

double number(const wire::DataSet &ds, QStringView field)
{
    return ds.fieldValue(field).toDouble();
}

QFont boldFont(int px)
{
    QFont f(u"Tahoma"_s);
    f.setPixelSize(px);
    f.setBold(true);
    return f;
}

} // namespace

Tstokayarinti::Tstokayarinti(QWidget *owner, int _stokno)
    : QDialog(owner)
    , m_stokno(_stokno)
{
    setObjectName(u"stokayarinti"_s);
    setWindowTitle(u"Sepete Ekle"_s);
    resize(662, 631);
    auto *column = new QVBoxLayout(this);

    // the stock's codes
    auto *header = new QGridLayout;
    auto addPair = [&](int row, int col, const QString &caption, QLabel *&value, const QString &name) {
        auto *c = new QLabel(caption, this);
        c->setFont(boldFont(13));
        value = new QLabel(this);
        value->setObjectName(name);
        value->setFont(boldFont(13));
        header->addWidget(c, row, col * 2);
        header->addWidget(value, row, col * 2 + 1);
    };
    addPair(0, 0, u"Barkod:"_s, m_barkod, u"barkod"_s);
    addPair(1, 0, u"Açıklama:"_s, m_adi, u"adi"_s);
    addPair(2, 0, u"Finish Kod:"_s, m_finishkod, u"finishkod"_s);
    addPair(0, 1, u"Marka:"_s, m_marka, u"marka"_s);
    addPair(1, 1, u"Model:"_s, m_model, u"model"_s);
    header->setColumnStretch(1, 1);
    header->setColumnStretch(3, 1);
    column->addLayout(header);

    // the logo behind, the stock's own picture on top once it arrives
    auto *pictureArea = new QWidget(this);
    auto *stack = new QStackedLayout(pictureArea);
    stack->setStackingMode(QStackedLayout::StackAll);
    AsyncResim1 = new TAsyncResim(pictureArea);
    AsyncResim1->setObjectName(u"AsyncResim1"_s);
    auto *logo = new QLabel(pictureArea);
    logo->setObjectName(u"Image1"_s);
    logo->setAlignment(Qt::AlignCenter);
    logo->setPixmap(pictures::logo(QSize(300, 126)));
    stack->addWidget(AsyncResim1);
    stack->addWidget(logo);
    AsyncResim1->raise();
    column->addWidget(pictureArea, 1);

    auto *bottom = new QHBoxLayout;
    GridPanel2 = new QWidget(this);
    GridPanel2->setObjectName(u"GridPanel2"_s);
    auto *rates = new QGridLayout(GridPanel2);
    const QString rateCaptions[4] = {u"İsk"_s, u"İsk2"_s, u"İsk3"_s, u"İsk4"_s};
    for (int i = 0; i < 4; ++i) {
        rates->addWidget(new QLabel(rateCaptions[i], GridPanel2), i, 0);
        edindirim[i] = new SayiKutusu(GridPanel2);
        edindirim[i]->setObjectName(u"edindirim%1"_s.arg(i + 1));
        edindirim[i]->setReadOnly(true);
        edindirim[i]->setFixedWidth(80);
        rates->addWidget(edindirim[i], i, 1);
    }
    GridPanel2->hide();
    bottom->addWidget(GridPanel2);

    auto *figures = new QGridLayout;
    auto *label1 = new QLabel(u"Adet:"_s, this);
    adet = new QSpinBox(this);
    adet->setObjectName(u"adet"_s);
    adet->setRange(1, 10000);
    adet->setValue(1);
    adet->setFont(boldFont(16));
    Label2 = new QLabel(u"Fiyat:"_s, this);
    Label2->setObjectName(u"Label2"_s);
    birimfiyat = new SayiKutusu(this);
    birimfiyat->setObjectName(u"birimfiyat"_s);
    birimfiyat->setReadOnly(true);
    indirimoran = new QLabel(u"İndirim:"_s, this);
    indirimoran->setObjectName(u"indirimoran"_s);
    indtutar = new SayiKutusu(this);
    indtutar->setObjectName(u"indtutar"_s);
    indtutar->setReadOnly(true);
    auto *label3 = new QLabel(u"KDV Dahil:"_s, this);
    kdvdahiltutar = new SayiKutusu(this);
    kdvdahiltutar->setObjectName(u"kdvdahiltutar"_s);
    kdvdahiltutar->setReadOnly(true);
    auto *label6 = new QLabel(u"Tutar:"_s, this);
    geneltutar = new SayiKutusu(this);
    geneltutar->setObjectName(u"geneltutar"_s);
    geneltutar->setReadOnly(true);
    QWidget *rows[5][2] = {{label1, adet}, {Label2, birimfiyat}, {indirimoran, indtutar},
                           {label3, kdvdahiltutar}, {label6, geneltutar}};
    for (int r = 0; r < 5; ++r) {
        rows[r][0]->setFont(boldFont(14));
        figures->addWidget(rows[r][0], r, 0, Qt::AlignRight);
        figures->addWidget(rows[r][1], r, 1);
    }
    bottom->addLayout(figures, 1);

    auto *buttons = new QVBoxLayout;
    ParcaliTus1 = new QPushButton(u"Sipariş ekle"_s, this);
    ParcaliTus1->setObjectName(u"ParcaliTus1"_s);
    ParcaliTus2 = new QPushButton(u"Vazgeç"_s, this);
    ParcaliTus2->setObjectName(u"ParcaliTus2"_s);
    for (QPushButton *b : {ParcaliTus1, ParcaliTus2}) {
        // Enter belongs to the boxes, never to a default button
        b->setAutoDefault(false);
        b->setDefault(false);
        b->setMinimumSize(130, 70);
        b->setFont(boldFont(15));
        buttons->addWidget(b);
    }
    bottom->addLayout(buttons);
    column->addLayout(bottom);

    connect(ParcaliTus1, &QPushButton::clicked, this, [this] {
        KoliyeYuvarlaUygula();
        Kapat(Eklendi);
    });
    connect(ParcaliTus2, &QPushButton::clicked, this, [this] { Kapat(Vazgecildi); });
    connect(adet, &QSpinBox::textChanged, this, [this] { Hesapla(); });
    adet->installEventFilter(this);
    for (SayiKutusu *box : {birimfiyat, indtutar, kdvdahiltutar, geneltutar, edindirim[0], edindirim[1],
                            edindirim[2], edindirim[3]})
        box->installEventFilter(this);
    adet->setFocus();
}

void Tstokayarinti::setKoliadet(int value)
{
    Fkoliadet = GecerliKoliAdet(value);
    adet->setSingleStep(Fkoliadet);
    adet->setValue(Fkoliadet);
    adet->setMinimum(Fkoliadet);
}

void Tstokayarinti::Doldur(const wire::DataSet &kaynak, Form form, int musteriTipi, int koli)
{
    const bool satir = form == SepetSatiri;
    m_barkod->setText(displayText(kaynak, u"BARKOD"));
    m_adi->setText(displayText(kaynak, satir ? u"STOKADI" : u"ADI"));
    m_marka->setText(displayText(kaynak, u"MARKA"));
    m_finishkod->setText(displayText(kaynak, u"FINISHKOD"));
    m_model->setText(displayText(kaynak, u"MODEL"));
    kdvoran = number(kaynak, u"KDV");
    static const char16_t *const stockRates[4] = {u"IND1", u"IND2", u"IND3", u"IND4"};
    static const char16_t *const lineRates[4] = {u"INDIRIMORANI1", u"INDIRIMORANI2", u"INDIRIMORANI3",
                                                  u"INDIRIMORANI4"};
    for (int i = 0; i < 4; ++i)
        edindirim[i]->setValue(number(kaynak, satir ? lineRates[i] : stockRates[i]));
    setKoliadet(koli);
    if (musteriTipi == 1 || musteriTipi == 2) {
        birimfiyat->setReadOnly(false);
        for (SayiKutusu *box : edindirim)
            box->setReadOnly(false);
        GridPanel2->setVisible(form != KampanyaListesinden);
    }
    birimfiyat->setValue(number(kaynak, satir ? u"BIRIMFIYAT" : u"FIYAT"));

    const bool kampanya = kaynak.fieldValue(u"K").toInt() > 0;
    const QString yazi = displayText(kaynak, u"INDIRIMYAZI");
    auto captions = [this](const QString &price, const QString &discount) {
        Label2->setText(price);
        indirimoran->setText(discount);
    };
    switch (form) {
    case StokListesinden:
        if (kampanya)
            captions(u"Kampanyalı Fiyat:"_s, u"Kampanyalı "_s + yazi);
        else
            captions(u"Fiyat:"_s, u"İndirim: %"_s + yazi);
        break;
    case YenilerListesinden:
        if (kampanya)
            captions(u"Kampanyalı Fiyat:"_s, u"Kampanyalı "_s + yazi);
        else
            captions(u"Fiyat:"_s, u"İndirim:  % "_s + yazi);
        break;
    case KampanyaListesinden:
        captions(u"Kampanyalı Fiyat:"_s, u"Kampanyalı "_s + yazi);
        break;
    case SepetSatiri:
        captions(u"Fiyat:"_s, u"İndirim:"_s);
        adet->setValue(int(number(kaynak, u"MIKTAR")));
        break;
    }
}

QString Tstokayarinti::miktarYazisi() const
{
    return adet->cleanText();
}

double Tstokayarinti::birimFiyat() const
{
    return birimfiyat->value();
}

double Tstokayarinti::indirimOrani(int i) const
{
    return edindirim[i]->value();
}

void Tstokayarinti::Hesapla()
{
    MiktarGirdisi g;
    g.fiyat = birimfiyat->value();
    bool ok = false;
    g.miktar = locale().toDouble(adet->cleanText(), &ok);
    if (!ok)
        g.miktar = 0;
    for (int i = 0; i < 4; ++i)
        g.oranlar[size_t(i)] = edindirim[i]->value();
    g.kdv = kdvoran;
    const MiktarSonucu s = MiktarHesapla(g);
    indtutar->setValue(s.indirimTutari);
    kdvdahiltutar->setValue(s.kdvDahil);
    geneltutar->setValue(s.genelTutar);
}

void Tstokayarinti::KoliyeYuvarlaUygula()
{
    bool ok = false;
    const int typed = adet->cleanText().toInt(&ok);
    if (!ok)
        return;
    const int rounded = KoliyeYuvarla(typed, Fkoliadet);
    if (rounded != typed)
        adet->setValue(rounded);
}

void Tstokayarinti::Kapat(int sonuc)
{
    // hiding the dialog takes the focus away; that is no leaving of the box
    m_closing = true;
    done(sonuc);
}

void Tstokayarinti::reject()
{
    Kapat(Vazgecildi);
}

bool Tstokayarinti::eventFilter(QObject *watched, QEvent *event)
{
    const auto type = event->type();
    if (watched == adet) {
        if (type == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                // taken as typed, without rounding to packages
                Kapat(Eklendi);
                return true;
            }
        } else if (type == QEvent::FocusOut && !m_closing) {
            KoliyeYuvarlaUygula();
        }
        return QDialog::eventFilter(watched, event);
    }
    if (type == QEvent::KeyPress && watched == birimfiyat) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            return true;
    }
    if (type == QEvent::KeyRelease) {
        if (static_cast<QKeyEvent *>(event)->key() == Qt::Key_F4)
            birimfiyat->setValue(F4Fiyati(birimfiyat->value()));
        Hesapla();
    }
    return QDialog::eventFilter(watched, event);
}

void Tstokayarinti::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    Hesapla();
    double toplam = 0;
    for (SayiKutusu *box : edindirim)
        toplam += box->value();
    const bool indirim = toplam > 1;
    indirimoran->setVisible(indirim);
    indtutar->setVisible(indirim);
    AsyncResim1->setUrl(adresler::resimadresi() + QString::number(m_stokno));
    adet->setFocus();
}

bool Tstokayarinti::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        adet->selectAll();
    return QDialog::event(event);
}

int KoliAdetiAl(const ServerConnection &bagc, int stokno)
{
    std::unique_ptr<ServerConnection> clone = bagc.clone();
    int koli = 1;
    if (!BaglantiAc(*clone, false))
        return koli;
    try {
        TServerMethods1Client proxy(clone.get());
        koli = proxy.EnVer(stokno);
    } catch (...) {
        koli = 1;
    }
    clone->close();
    return GecerliKoliAdet(koli);
}

namespace {

bool miktarOku(const Tstokayarinti &d, double &miktar)
{
    bool ok = false;
    miktar = QLocale().toDouble(d.miktarYazisi(), &ok);
    if (!ok)
        miktar = QLocale::c().toDouble(d.miktarYazisi(), &ok);
    return ok;
}

} // namespace

void SepeteEkleAc(TForm1 &window, SepetIslemleri &sepet, const wire::DataSet &kaynak, Tstokayarinti::Form form)
{
    const int stokno = kaynak.fieldValue(u"STOK_STOKNO").toInt();
    Tstokayarinti d(&window, stokno);
    d.Doldur(kaynak, form, window.sbilgi().MusteriTipi(), KoliAdetiAl(window.bagc(), stokno));
    if (d.ShowModal() != Tstokayarinti::Eklendi)
        return;
    double miktar = 0;
    if (!miktarOku(d, miktar))
        return;
    sepet.SepeteEkle(kaynak, miktar, d.birimFiyat(), d.indirimOrani(0), d.indirimOrani(1), d.indirimOrani(2),
                     d.indirimOrani(3));
}

void SepetSatiriDegistirAc(TForm1 &window, SepetIslemleri &sepet, int sirano)
{
    wire::DataSet &satirlar = sepet.sepetVerisi();
    if (!satirlar.locate(u"SIRANO", sirano))
        return;
    const int stokno = satirlar.fieldValue(u"STOKNO").toInt();
    Tstokayarinti d(&window, stokno);
    d.Doldur(satirlar, Tstokayarinti::SepetSatiri, window.sbilgi().MusteriTipi(),
             KoliAdetiAl(window.bagc(), stokno));
    if (d.ShowModal() != Tstokayarinti::Eklendi)
        return;
    double miktar = 0;
    if (!miktarOku(d, miktar))
        return;
    sepet.SepetSatirGuncelle(sirano, miktar, d.birimFiyat());
    sepet.SepetGetir();
}
