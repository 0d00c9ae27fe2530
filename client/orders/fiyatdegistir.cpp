#include "fiyatdegistir.h"

#include "wire/decimal.h"

#include <QDoubleSpinBox>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

const QString kNetBicimi = u"#,###,##00.00"_s;

// what the field shows while the user types: 0 when it does not read as a number
double readField(const QDoubleSpinBox *field)
{
    QString text = field->cleanText();
    bool ok = false;
    const double v = field->locale().toDouble(text, &ok);
    return ok ? v : 0.0;
}

QDoubleSpinBox *amountField(QWidget *parent, const QString &name, double maximum)
{
    auto *f = new QDoubleSpinBox(parent);
    f->setObjectName(name);
    f->setDecimals(2);
    f->setRange(0.0, maximum);
    f->setSuffix(u" TL"_s);
    f->setGroupSeparatorShown(true);
    f->setButtonSymbols(QAbstractSpinBox::NoButtons);
    f->setAlignment(Qt::AlignRight);
    return f;
}

} // namespace

Tfiyatdegistir::Tfiyatdegistir(QWidget *parent)
    : QDialog(parent, Qt::Tool)
{
    setObjectName(u"fiyatdegistir"_s);
    setWindowTitle(u"Fiyat Değiştir"_s);
    resize(432, 246);
    setSizeGripEnabled(true);

    auto *column = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    m_fiyat = amountField(this, u"_fiyat"_s, 999999999.99);
    m_iskonto = amountField(this, u"_iskonto"_s, 100.0);
    form->addRow(u"Fiyat:"_s, m_fiyat);
    form->addRow(u"İndirim Oranı %:"_s, m_iskonto);
    m_lblnet = new QLabel(u"Net Fiyat:"_s, this);
    m_lblnet->setObjectName(u"LBLNET"_s);
    m_labelkdv = new QLabel(u"Net Fiyat:"_s, this);
    m_labelkdv->setObjectName(u"LABELKDV"_s);
    form->addRow(u"Net Fiyat:"_s, m_lblnet);
    form->addRow(u"KDV Dahil Fiyat:"_s, m_labelkdv);
    column->addLayout(form);
    m_fiyat->installEventFilter(this);
    m_iskonto->installEventFilter(this);

    auto *buttons = new QHBoxLayout;
    auto *degistir = new QPushButton(u"Değiştir"_s, this);
    degistir->setObjectName(u"degistir"_s);
    auto *vazgec = new QPushButton(u"Vazgeç"_s, this);
    vazgec->setObjectName(u"vazgec"_s);
    connect(degistir, &QPushButton::clicked, this, &QDialog::accept);
    connect(vazgec, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addStretch();
    buttons->addWidget(degistir);
    buttons->addWidget(vazgec);
    column->addLayout(buttons);
}

void Tfiyatdegistir::setDegerler(double fiyat, double iskonto)
{
    m_fiyat->setValue(fiyat);
    m_iskonto->setValue(iskonto);
}

double Tfiyatdegistir::fiyat() const
{
    return readField(m_fiyat);
}

double Tfiyatdegistir::iskonto() const
{
    return readField(m_iskonto);
}

void Tfiyatdegistir::NetFiyatYaz()
{
    const double p = fiyat();
    const double r = iskonto();
    const double net = r > 0 ? p - r * p / 100.0 : p;
    m_lblnet->setText(wire::formatFloat(net, kNetBicimi, locale()));
    m_labelkdv->setText(wire::formatFloat(net * 1.2, kNetBicimi, locale()));
}

bool Tfiyatdegistir::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == m_fiyat || watched == m_iskonto) && event->type() == QEvent::KeyRelease)
        NetFiyatYaz();
    return QDialog::eventFilter(watched, event);
}
