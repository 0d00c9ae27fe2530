#include <wire/decimal.h>

#include <QTest>

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

class TestDecimal : public QObject
{
    Q_OBJECT

private slots:
    void rounding_data();
    void rounding();
    void otherPlaces();
    void formatFloat_data();
    void formatFloat();
};

void TestDecimal::rounding_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("rounded");

    QTest::newRow("0.5") << 0.5 << u"0.50"_s << 0.5;
    QTest::newRow("zero") << 0.0 << u"0.00"_s << 0.0;
    QTest::newRow("1234.567") << 1234.567 << u"1234.57"_s << 1234.57;
    QTest::newRow("1234.565 (binary a hair below)") << 1234.565 << u"1234.57"_s << 1234.57;
    QTest::newRow("1234.564") << 1234.564 << u"1234.56"_s << 1234.56;
    QTest::newRow("-2.345") << -2.345 << u"-2.35"_s << -2.35;
    QTest::newRow("0.125") << 0.125 << u"0.13"_s << 0.13;
    QTest::newRow("1.005") << 1.005 << u"1.01"_s << 1.01;
    QTest::newRow("0.995 carries into the integer") << 0.995 << u"1.00"_s << 1.0;
    QTest::newRow("99.995 carries two places") << 99.995 << u"100.00"_s << 100.0;
    QTest::newRow("1e-9") << 1e-9 << u"0.00"_s << 0.0;
    QTest::newRow("-1e-9 rounds to unsigned zero") << -1e-9 << u"0.00"_s << 0.0;
    QTest::newRow("-0.004 rounds to unsigned zero") << -0.004 << u"0.00"_s << 0.0;
    QTest::newRow("-0.005 rounds away from zero") << -0.005 << u"-0.01"_s << -0.01;
    QTest::newRow("-0.0") << -0.0 << u"0.00"_s << 0.0;
    QTest::newRow("large") << 123456789012.345 << u"123456789012.35"_s << 123456789012.35;
    QTest::newRow("sum of tenths") << (0.1 + 0.2) << u"0.30"_s << 0.3;
    QTest::newRow("integer") << 42.0 << u"42.00"_s << 42.0;
}

void TestDecimal::rounding()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QFETCH(double, rounded);
    QCOMPARE(wire::roundedDecimalText(value, 2), text);
    const double r = wire::round2(value);
    QCOMPARE(r, rounded);
    if (rounded == 0.0)
        QVERIFY2(!std::signbit(r), "a rounded zero carries no sign");
}

void TestDecimal::otherPlaces()
{
    QCOMPARE(wire::roundedDecimalText(2.5, 0), u"3"_s);
    QCOMPARE(wire::roundedDecimalText(-2.5, 0), u"-3"_s);
    QCOMPARE(wire::roundedDecimalText(2.4, 0), u"2"_s);
    QCOMPARE(wire::roundedDecimalText(1.23456, 4), u"1.2346"_s);
    QCOMPARE(wire::roundedDecimalText(std::numeric_limits<double>::quiet_NaN(), 2), u"0"_s);
    QCOMPARE(wire::round2(std::numeric_limits<double>::infinity()), 0.0);
}

void TestDecimal::formatFloat_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("text");

    const QString money = u"#,###,##0.00"_s;
    QTest::newRow("1234.567") << 1234.567 << money << u"1.234,57"_s;
    QTest::newRow("1234567.891") << 1234567.891 << money << u"1.234.567,89"_s;
    QTest::newRow("negative") << -1234.5 << money << u"-1.234,50"_s;
    QTest::newRow("negative rounding to zero") << -0.001 << money << u"0,00"_s;
    QTest::newRow("zero") << 0.0 << money << u"0,00"_s;
    QTest::newRow("below one") << 0.5 << money << u"0,50"_s;
    QTest::newRow("three digits, no separator") << 999.999 << money << u"1.000,00"_s;
    QTest::newRow("billions") << 1234567890.0 << money << u"1.234.567.890,00"_s;
    QTest::newRow("two required integer digits") << 5.5 << u"#,###,##00.00"_s << u"05,50"_s;
    QTest::newRow("two required, larger") << 12345.5 << u"#,###,##00.00"_s << u"12.345,50"_s;
    QTest::newRow("two required, zero") << 0.0 << u"#,###,##00.00"_s << u"00,00"_s;
    QTest::newRow("no grouping") << 1234.5 << u"0.00"_s << u"1234,50"_s;
    QTest::newRow("optional decimals") << 1.5 << u"0.##"_s << u"1,5"_s;
    QTest::newRow("optional decimals, integer") << 2.0 << u"0.##"_s << u"2"_s;
    QTest::newRow("no decimals") << 2.5 << u"#,##0"_s << u"3"_s;
    QTest::newRow("NaN shown as zero") << std::numeric_limits<double>::quiet_NaN() << money << u"0,00"_s;
}

void TestDecimal::formatFloat()
{
    QFETCH(double, value);
    QFETCH(QString, pattern);
    QFETCH(QString, text);
    QCOMPARE(wire::formatFloat(value, pattern, QLocale(QLocale::Turkish)), text);
}

QTEST_GUILESS_MAIN(TestDecimal)
#include "tst_decimal.moc"
