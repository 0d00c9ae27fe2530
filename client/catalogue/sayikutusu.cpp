#include "sayikutusu.h"

#include "client/app/helpers.h"
#include "wire/decimal.h"

SayiKutusu::SayiKutusu(QWidget *parent)
    : QLineEdit(parent)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setValue(0);
}

QString SayiKutusu::formatted(double value) const
{
    return wire::formatFloat(value, kParaBicimi, locale());
}

void SayiKutusu::setValue(double value)
{
    m_value = value;
    setText(formatted(value));
}

double SayiKutusu::value() const
{
    const QString shown = text().trimmed();
    if (shown == formatted(m_value))
        return m_value;
    bool ok = false;
    double typed = locale().toDouble(shown, &ok);
    if (!ok)
        typed = QLocale::c().toDouble(shown, &ok);
    return ok ? typed : 0.0;
}
