#include "decimal.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace wire {

namespace {

// digits of |v| split at the decimal point, from the shortest round-trip text
void splitDigits(double v, QString &intPart, QString &fracPart)
{
    QString s = QString::number(std::fabs(v), 'f', QLocale::FloatingPointShortest);
    const qsizetype dot = s.indexOf(u'.');
    intPart = dot < 0 ? s : s.left(dot);
    fracPart = dot < 0 ? QString() : s.mid(dot + 1);
}

// adds one to a string of decimal digits; returns the carry-out digit string
QString incrementDigits(QString digits)
{
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        if (digits[i] == u'9') {
            digits[i] = u'0';
        } else {
            digits[i] = QChar(digits[i].unicode() + 1);
            return digits;
        }
    }
    return u'1' + digits;
}

constexpr double kPowersOfTen[] = {1.0, 10.0, 100.0, 1e3, 1e4, 1e5, 1e6};
constexpr quint64 kIntPowersOfTen[] = {1, 10, 100, 1000, 10000, 100000, 1000000};

// The common case, exactly: when |v| * 10^decimals stays below 1e9 the
// binary value and its shortest text lie within 2e-7 of each other after
// scaling, so any value whose fraction is not that close to a half rounds
// the same way either way. Near-ties take the text path.
bool roundedDigitsFast(double v, int decimals, QString &intPart, QString &fracPart)
{
    if (decimals < 0 || decimals > 6)
        return false;
    const double scaled = std::fabs(v) * kPowersOfTen[decimals];
    if (!(scaled < 1e9))
        return false;
    const double whole = std::floor(scaled);
    const double fraction = scaled - whole;
    if (std::fabs(fraction - 0.5) < 1e-6)
        return false;
    const quint64 n = quint64(whole) + (fraction > 0.5 ? 1 : 0);
    intPart = QString::number(n / kIntPowersOfTen[decimals]);
    fracPart = decimals == 0 ? QString()
                             : QString::number(n % kIntPowersOfTen[decimals]).rightJustified(decimals, u'0');
    return true;
}

// rounds |v| to `decimals` places; returns integer and fraction digits
void roundedDigits(double v, int decimals, QString &intPart, QString &fracPart)
{
    if (roundedDigitsFast(v, decimals, intPart, fracPart))
        return;
    splitDigits(v, intPart, fracPart);
    if (fracPart.size() <= decimals) {
        fracPart = fracPart.leftJustified(decimals, u'0');
        return;
    }
    const bool up = fracPart[decimals] >= u'5';
    fracPart.truncate(decimals);
    if (!up)
        return;
    QString all = incrementDigits(intPart + fracPart);
    intPart = all.left(all.size() - decimals);
    fracPart = all.right(decimals);
}

bool isZeroDigits(const QString &a, const QString &b)
{
    for (QChar c : a + b) {
        if (c != u'0')
            return false;
    }
    return true;
}

} // namespace

QString roundedDecimalText(double v, int decimals)
{
    if (!std::isfinite(v))
        return u"0"_s;
    QString intPart, fracPart;
    roundedDigits(v, decimals, intPart, fracPart);
    QString s = intPart;
    if (decimals > 0)
        s += u'.' + fracPart;
    if (v < 0 && !isZeroDigits(intPart, fracPart))
        s.prepend(u'-');
    return s;
}

double round2(double v)
{
    return roundedDecimalText(v, 2).toDouble();
}

namespace {

struct ParsedPattern
{
    QString pattern;
    bool grouping = false;
    int minIntDigits = 0;
    int requiredDecimals = 0;
    int maxDecimals = 0;
};

// grids format thousands of cells with one pattern: parse it once per thread
const ParsedPattern &parsed(const QString &pattern)
{
    thread_local ParsedPattern last;
    if (last.pattern == pattern && !pattern.isEmpty())
        return last;
    // only the first section of a "pos;neg;zero" pattern is honoured
    const QString section = pattern.section(u';', 0, 0);
    const qsizetype dot = section.indexOf(u'.');
    const QString intPattern = dot < 0 ? section : section.left(dot);
    const QString fracPattern = dot < 0 ? QString() : section.mid(dot + 1);
    last.pattern = pattern;
    last.grouping = intPattern.contains(u',');
    last.minIntDigits = int(intPattern.count(u'0'));
    last.requiredDecimals = int(fracPattern.count(u'0'));
    last.maxDecimals = last.requiredDecimals + int(fracPattern.count(u'#'));
    return last;
}

} // namespace

QString formatFloat(double v, const QString &pattern, const QLocale &locale)
{
    if (!std::isfinite(v))
        v = 0.0;
    const ParsedPattern &p = parsed(pattern);
    const bool grouping = p.grouping;
    const int minIntDigits = p.minIntDigits;
    const int requiredDecimals = p.requiredDecimals;
    const int maxDecimals = p.maxDecimals;

    QString intPart, fracPart;
    roundedDigits(v, maxDecimals, intPart, fracPart);
    while (fracPart.size() > requiredDecimals && fracPart.endsWith(u'0'))
        fracPart.chop(1);
    const bool negative = v < 0 && !isZeroDigits(intPart, fracPart);

    // strip leading zeros, then pad to the pattern's required digits
    qsizetype firstNonZero = 0;
    while (firstNonZero < intPart.size() && intPart[firstNonZero] == u'0')
        ++firstNonZero;
    intPart = intPart.mid(firstNonZero);
    if (intPart.size() < minIntDigits)
        intPart = intPart.rightJustified(minIntDigits, u'0');

    if (grouping && intPart.size() > 3) {
        const QString sep = locale.groupSeparator();
        QString grouped;
        const qsizetype n = intPart.size();
        for (qsizetype i = 0; i < n; ++i) {
            if (i > 0 && (n - i) % 3 == 0)
                grouped += sep;
            grouped += intPart[i];
        }
        intPart = grouped;
    }

    QString out = intPart;
    if (!fracPart.isEmpty())
        out += locale.decimalPoint() + fracPart;
    if (out.isEmpty())
        out = u"0"_s;
    if (negative)
        out.prepend(locale.negativeSign());
    return out;
}

} // namespace wire
