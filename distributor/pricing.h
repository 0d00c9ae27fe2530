#pragma once

#include <wire/decimal.h>

#include <QString>
#include <QStringList>

#include <array>

namespace distributor {

// Money of one line, every amount rounded to two decimals (halves away
// from zero) as it is stored: the four rates compound, each applying to
// what the ones before it left.
struct LineAmounts
{
    double tutar = 0;         // quantity × unit price
    double indirimTutar = 0;  // tutar − netTutar
    double netTutar = 0;      // after the discounts
    double netBirimFiyat = 0; // netTutar ÷ quantity
    double vergiTutari = 0;   // VAT on netTutar
};

using Rates = std::array<double, 4>;

inline double discounted(double amount, const Rates &rates)
{
    double x = amount;
    for (double r : rates) {
        if (r > 0)
            x -= x * r / 100.0;
    }
    return x;
}

inline LineAmounts lineAmounts(double quantity, double unitPrice, double kdv, const Rates &rates)
{
    LineAmounts a;
    a.tutar = wire::round2(quantity * unitPrice);
    a.netTutar = wire::round2(discounted(a.tutar, rates));
    a.indirimTutar = wire::round2(a.tutar - a.netTutar);
    a.netBirimFiyat = quantity != 0 ? wire::round2(a.netTutar / quantity) : 0.0;
    a.vergiTutari = wire::round2(a.netTutar * kdv / 100.0);
    return a;
}

// the rate as a person writes it: 10, 12.5
inline QString rateText(double r)
{
    return QString::number(r, 'g', 6);
}

// "10+5+3" for the rates above zero; "0" without a discount
inline QString discountText(const Rates &rates)
{
    QStringList parts;
    for (double r : rates) {
        if (r > 0)
            parts << rateText(r);
    }
    return parts.isEmpty() ? QStringLiteral("0") : parts.join(u'+');
}

// the one rate that the compounded rates amount to, in percent
inline double effectiveRate(const Rates &rates)
{
    return wire::round2(100.0 - discounted(100.0, rates));
}

} // namespace distributor
