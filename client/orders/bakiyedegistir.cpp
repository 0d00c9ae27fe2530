#include "bakiyedegistir.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

Tbakiyedegistir::Tbakiyedegistir(QWidget *parent)
    : QDialog(parent, Qt::Tool)
{
    setObjectName(u"bakiyedegistir"_s);
    setWindowTitle(u"Bakiye Değiştir"_s);
    setFixedSize(545, 320);

    auto *column = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    auto value = [this](const QString &name) {
        auto *l = new QLabel(this);
        l->setObjectName(name);
        return l;
    };
    m_barkod = value(u"barkod"_s);
    m_adi = value(u"adi"_s);
    m_finishkod = value(u"finishkod"_s);
    m_marka = value(u"marka"_s);
    m_model = value(u"model"_s);
    m_alinansiparis = value(u"alinansiparis"_s);
    m_teslimedilen = value(u"teslimedilen"_s);
    m_elimizde = value(u"elimizde"_s);
    m_eskibakiye = value(u"eskibakiye"_s);
    form->addRow(u"Barkod:"_s, m_barkod);
    form->addRow(u"Açıklama:"_s, m_adi);
    form->addRow(u"Finish Kod:"_s, m_finishkod);
    form->addRow(u"Marka:"_s, m_marka);
    form->addRow(u"Model:"_s, m_model);
    form->addRow(u"Alınan sipariş:"_s, m_alinansiparis);
    form->addRow(u"Teslim Edilen:"_s, m_teslimedilen);
    m_elimizdeCaption = new QLabel(u"Elimizde:"_s, this);
    form->addRow(m_elimizdeCaption, m_elimizde);
    form->addRow(u"Eski bakiye:"_s, m_eskibakiye);

    m_adet = new QSpinBox(this);
    m_adet->setObjectName(u"adet"_s);
    m_adet->setRange(1, 1000);
    m_adet->setValue(1);
    QFont big = m_adet->font();
    big.setPixelSize(20);
    m_adet->setFont(big);
    m_adet->installEventFilter(this);
    form->addRow(u"Yeni bakiye:"_s, m_adet);
    column->addLayout(form);

    auto *buttons = new QHBoxLayout;
    auto *degistir = new QPushButton(u"Değiştir"_s, this);
    degistir->setObjectName(u"degistir"_s);
    auto *vazgec = new QPushButton(u"Vazgeç"_s, this);
    vazgec->setObjectName(u"vazgec"_s);
    // Enter belongs to the quantity field, not to a default button
    degistir->setAutoDefault(false);
    vazgec->setAutoDefault(false);
    connect(degistir, &QPushButton::clicked, this, &QDialog::accept);
    connect(vazgec, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addStretch();
    buttons->addWidget(degistir);
    buttons->addWidget(vazgec);
    column->addLayout(buttons);
    m_adet->setFocus();
}

void Tbakiyedegistir::setSatir(const Satir &satir)
{
    m_barkod->setText(satir.barkod);
    m_adi->setText(satir.adi);
    m_finishkod->setText(satir.finishkod);
    m_marka->setText(satir.marka);
    m_model->setText(satir.model);
    m_alinansiparis->setText(satir.alinansiparis);
    m_teslimedilen->setText(satir.teslimedilen);
    m_elimizde->setText(satir.elimizde);
    m_eskibakiye->setText(satir.eskibakiye);
}

void Tbakiyedegistir::setElimizdeGizli(bool hidden)
{
    // the caption goes with its value: a bare "Elimizde:" would say nothing
    m_elimizde->setVisible(!hidden);
    m_elimizdeCaption->setVisible(!hidden);
}

int Tbakiyedegistir::yeniBakiye() const
{
    return m_adet->value();
}

bool Tbakiyedegistir::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_adet && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            m_adet->interpretText();
            if (m_adet->value() > 0)
                accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
