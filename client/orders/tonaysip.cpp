#include "tonaysip.h"

#include "client/app/baglantiac.h"
#include "client/app/errorreport.h"
#include "client/app/messages.h"
#include "client/server/serverconnection.h"
#include "client/server/servermethods.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

QFont makeFont(const QString &family, int px, bool bold)
{
    QFont f(family);
    f.setPixelSize(px);
    f.setBold(bold);
    return f;
}

} // namespace

TONAYSIP::TONAYSIP(QWidget *owner, ServerConnection &_c, const QString &mesaj, const wire::TSonucBilgisi &_sbilgi,
                   const QString &_toplam)
    : QDialog(owner, Qt::Tool)
    , bagc(_c)
    , sbilgi(_sbilgi)
    , toplam(_toplam)
{
    setObjectName(u"ONAYSIP"_s);
    setWindowTitle(u"Sipariş Onay"_s);
    resize(894, 526);
    auto *column = new QVBoxLayout(this);

    auto *band = new QWidget(this);
    band->setFixedHeight(171);
    auto *row = new QHBoxLayout(band);
    row->setContentsMargins(0, 0, 0, 0);
    teslimbox = new QGroupBox(u"Teslim Durumu"_s, band);
    teslimbox->setObjectName(u"teslimbox"_s);
    teslimbox->setFixedWidth(135);
    new QVBoxLayout(teslimbox);
    m_teslim = new QButtonGroup(this);
    boxkargo = new QGroupBox(u"Kargo Türleri"_s, band);
    boxkargo->setObjectName(u"boxkargo"_s);
    boxkargo->setFixedWidth(208);
    new QVBoxLayout(boxkargo);
    m_kargoTur = new QButtonGroup(this);
    auto *kargoBox = new QGroupBox(u"Kargo"_s, band);
    kargoBox->setFixedWidth(224);
    auto *kargoColumn = new QVBoxLayout(kargoBox);
    kargocombo = new QComboBox(kargoBox);
    kargocombo->setObjectName(u"kargocombo"_s);
    kargocombo->setEditable(false);
    uyarikargo = new QLabel(kargoBox);
    uyarikargo->setObjectName(u"uyarikargo"_s);
    uyarikargo->setWordWrap(true);
    kargoColumn->addWidget(kargocombo);
    kargoColumn->addWidget(uyarikargo, 1);
    auto *mesajBox = new QGroupBox(u"Mesaj"_s, band);
    auto *mesajColumn = new QVBoxLayout(mesajBox);
    aciklamagir = new QPlainTextEdit(mesajBox);
    aciklamagir->setObjectName(u"aciklamagir"_s);
    aciklamagir->setFont(makeFont(u"Tahoma"_s, 13, true));
    aciklamagir->setStyleSheet(u"background-color: rgb(246, 249, 251);"_s);
    mesajColumn->addWidget(aciklamagir);
    row->addWidget(teslimbox);
    row->addWidget(boxkargo);
    row->addWidget(kargoBox);
    row->addWidget(mesajBox, 1);
    column->addWidget(band);

    Label2 = new QLabel(this);
    Label2->setObjectName(u"Label2"_s);
    Label2->setFont(makeFont(u"Courier New"_s, 16, true));
    Label2->setText(u"Kullanıcı: "_s + sbilgi.ADI() + u"\r\n"_s + u"Cari     : "_s + sbilgi.CariAdi() + u"\r\n"_s
                    + u"Tutar    : "_s + toplam);
    column->addWidget(Label2);
    Label3 = new QLabel(mesaj, this);
    Label3->setObjectName(u"Label3"_s);
    Label3->setFont(makeFont(u"Courier New"_s, 16, true));
    Label3->setStyleSheet(u"color: red;"_s);
    Label3->setWordWrap(true);
    column->addWidget(Label3);
    auto *question = new QLabel(u"Yukarıda bilgileri verilen siparişi onaylıyor musunuz ?"_s, this);
    question->setFont(makeFont(u"Tahoma"_s, 20, true));
    question->setAlignment(Qt::AlignCenter);
    column->addWidget(question, 1);

    auto *buttons = new QHBoxLayout;
    evet = new QPushButton(u"Evet"_s, this);
    evet->setObjectName(u"Evet"_s);
    hayir = new QPushButton(u"Hayır"_s, this);
    hayir->setObjectName(u"Hayir"_s);
    for (QPushButton *b : {evet, hayir}) {
        b->setFixedSize(128, 75);
        b->setFont(makeFont(u"Tahoma"_s, 16, true));
        b->setAutoDefault(false);
    }
    buttons->addWidget(evet);
    buttons->addStretch();
    buttons->addWidget(hayir);
    column->addLayout(buttons);

    connect(evet, &QPushButton::clicked, this, &TONAYSIP::EvetClick);
    connect(hayir, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_kargoTur, &QButtonGroup::buttonClicked, this, [this] { KargoTuruSecildi(); });
    connect(kargocombo, &QComboBox::currentIndexChanged, this, [this] { FirmaDegisti(); });

    SecenekleriDoldur();
}

QString TONAYSIP::aciklama() const
{
    return aciklamagir->toPlainText();
}

void TONAYSIP::fillGroup(QGroupBox *box, QButtonGroup *group, QList<int> &ids, const wire::Table &rows)
{
    for (QAbstractButton *b : group->buttons()) {
        group->removeButton(b);
        delete b;
    }
    ids.clear();
    for (int r = 0; r < rows.rowCount(); ++r) {
        auto *item = new QRadioButton(rows.stringValue(r, 1), box);
        group->addButton(item, r);
        box->layout()->addWidget(item);
        ids << rows.intValue(r, 0);
    }
}

void TONAYSIP::SecenekleriDoldur()
{
    std::unique_ptr<ServerConnection> clone = bagc.clone();
    if (!BaglantiAc(*clone, true))
        return;
    try {
        wire::Table teslim;
        {
            TServerMethods1Client proxy(clone.get());
            teslim = proxy.TeslimVer();
        }
        fillGroup(teslimbox, m_teslim, m_teslimIdleri, teslim);
        // the second delivery type is the usual one; a single one is taken
        const int preset = m_teslimIdleri.size() >= 2 ? 1 : (m_teslimIdleri.size() == 1 ? 0 : -1);
        if (preset >= 0)
            m_teslim->button(preset)->setChecked(true);
        TServerMethods1Client proxy(clone.get());
        fillGroup(boxkargo, m_kargoTur, m_kargoTurIdleri, proxy.KargoVer());
    } catch (...) {
        errorreport::show(std::current_exception());
    }
    clone->close();
}

void TONAYSIP::KargoTuruSecildi()
{
    uyarikargo->clear();
    const int index = m_kargoTur->checkedId();
    if (index >= 0)
        KargolariDoldur(m_kargoTurIdleri.value(index));
}

void TONAYSIP::KargolariDoldur(int turId)
{
    if (!BaglantiAc(bagc, true))
        return;
    try {
        TServerMethods1Client proxy(&bagc);
        kargo.setTable(proxy.KargolarVer(turId));
    } catch (...) {
        bagc.close();
        errorreport::show(std::current_exception());
        return;
    }
    bagc.close();
    kargocombo->clear();
    kargocombo->addItem(u" "_s);
    const int adi = kargo.fieldIndex(u"ADI");
    for (int r = 0; adi >= 0 && r < kargo.recordCount(); ++r)
        kargocombo->addItem(kargo.value(r, adi).toString());
    if (kargocombo->count() == 2) {
        kargocombo->setCurrentIndex(1);
        FirmaDegisti();
    }
}

void TONAYSIP::FirmaDegisti()
{
    if (!kargo.isActive() || kargo.isEmpty()) {
        uyarikargo->clear();
        return;
    }
    kargo.first();
    if (kargo.locate(u"ADI", kargocombo->currentText()))
        uyarikargo->setText(kargo.fieldValue(u"UYARI").toString());
    else
        uyarikargo->clear();
}

void TONAYSIP::EvetClick()
{
    if (m_teslim->checkedId() < 0) {
        MesajGoster(u"Lütfen Teslim Durumu Seçiniz !"_s, MesajTipi::Uyari, kTamam, Dugme::OK, this);
        return;
    }
    if (m_kargoTur->checkedId() < 0) {
        MesajGoster(u"Lütfen Kargo Türünü Seçiniz !"_s, MesajTipi::Uyari, kTamam, Dugme::OK, this);
        return;
    }
    if (kargocombo->currentIndex() > 0) {
        // of two firms with the same name the first in the server's order
        kargo.first();
        if (kargo.locate(u"ADI", kargocombo->currentText()))
            KN = kargo.fieldValue(u"SIRANO").toInt();
        td = m_teslimIdleri.value(m_teslim->checkedId());
        kt = m_kargoTurIdleri.value(m_kargoTur->checkedId());
        accept();
        return;
    }
    MesajGoster(u"Lütfen Kargo  Seçiniz !"_s, MesajTipi::Uyari, kTamam, Dugme::OK, this);
    kargocombo->setFocus();
}
