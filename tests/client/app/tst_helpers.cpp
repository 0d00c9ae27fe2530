#include "client/app/helpers.h"

#include "wire/dataset.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// a basket-like table: SEC flags and one money column
wire::Table basket(const QList<int> &selection)
{
    wire::PacketWriter w({{u"SEC"_s, wire::FieldType::Integer, 0},
                          {u"TUTAR"_s, wire::FieldType::Float, 0},
                          {u"ADET"_s, wire::FieldType::Integer, 0}});
    for (int sec : selection)
        w.integer(sec).real(1234.567).integer(3);
    return wire::Table::fromPacket(w.finish());
}

} // namespace

class TestHelpers : public QObject
{
    Q_OBJECT

private slots:
    void sayiyaCevir_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("expected");
        QTest::newRow("no leading zero needed") << 0.5 << 0.5;
        QTest::newRow("rounds down") << 1234.564 << 1234.56;
        QTest::newRow("rounds up") << 1234.567 << 1234.57;
        QTest::newRow("half away from zero") << 1234.565 << 1234.57;
        QTest::newRow("negative half") << -2.345 << -2.35;
        QTest::newRow("tiny") << 0.004 << 0.0;
        QTest::newRow("millions") << 9876543.219 << 9876543.22;
    }
    void sayiyaCevir()
    {
        QFETCH(double, value);
        QFETCH(double, expected);
        QCOMPARE(SayiyaCevir(value), expected);
    }

    void paraBicimi_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("turkish");
        QTest::addColumn<QString>("english");
        QTest::newRow("thousands") << 1234.567 << u"1.234,57"_s << u"1,234.57"_s;
        QTest::newRow("zero keeps one digit") << 0.0 << u"0,00"_s << u"0.00"_s;
        QTest::newRow("below one") << 0.5 << u"0,50"_s << u"0.50"_s;
        QTest::newRow("millions") << 1234567.891 << u"1.234.567,89"_s << u"1,234,567.89"_s;
        QTest::newRow("negative") << -1500.0 << u"-1.500,00"_s << u"-1,500.00"_s;
    }
    void paraBicimi()
    {
        QFETCH(double, value);
        QFETCH(QString, turkish);
        QFETCH(QString, english);

        wire::PacketWriter w({{u"TUTAR"_s, wire::FieldType::Float, 0}, {u"ADET"_s, wire::FieldType::Integer, 0}});
        w.real(value).integer(1234);
        wire::DataSet ds;
        ds.setTable(wire::Table::fromPacket(w.finish()));
        ParaBicimiVer(ds);

        ds.setLocale(QLocale(QLocale::Turkish, QLocale::Turkey));
        QCOMPARE(ds.displayText(0, 0), turkish);
        ds.setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(ds.displayText(0, 0), english);
        // integer fields keep their plain form
        QCOMPARE(ds.displayText(0, 1), u"1234"_s);
    }

    void seciliVarMi_data()
    {
        QTest::addColumn<QList<int>>("selection");
        QTest::addColumn<bool>("expected");
        QTest::addColumn<int>("stopsAt");
        QTest::newRow("none selected") << QList<int>{0, 0, 0} << false << 2;
        QTest::newRow("last selected") << QList<int>{0, 0, 1} << true << 2;
        QTest::newRow("first selected") << QList<int>{1, 0, 0} << true << 0;
        QTest::newRow("empty") << QList<int>{} << false << -1;
    }
    void seciliVarMi()
    {
        QFETCH(QList<int>, selection);
        QFETCH(bool, expected);
        QFETCH(int, stopsAt);
        wire::DataSet ds;
        ds.setTable(basket(selection));
        QCOMPARE(DoluMu(ds), !selection.isEmpty());
        QCOMPARE(SeciliVarMi(ds), expected);
        QCOMPARE(ds.recNo(), stopsAt);
    }

    void closedDataSetIsNeitherFullNorSelected()
    {
        wire::DataSet ds;
        QVERIFY(!DoluMu(ds));
        QVERIFY(!SeciliVarMi(ds));
    }

    void urlKodla()
    {
        const QString url = u"http://b2b.example.com:8080/velkart.html?carino=12&sube=MERKEZ&firmasi=ÖZ ŞAHİN OTO&bakiye=1.234,50"_s;
        const QString encoded = UrlKodla(url);
        QVERIFY(encoded.startsWith(u"http://b2b.example.com:8080/velkart.html?carino=12&sube=MERKEZ&firmasi="_s));
        QVERIFY(!encoded.contains(u' '));
        QVERIFY(encoded.contains(u"%C3%96Z%20%C5%9EAH%C4%B0N"_s));
        for (QChar c : encoded)
            QVERIFY(c.unicode() < 128);
    }

    void noInternetExplorerOutsideWindows()
    {
#ifndef Q_OS_WIN
        QCOMPARE(IESurumuAl(), 0);
#endif
    }
};

QTEST_GUILESS_MAIN(TestHelpers)
#include "tst_helpers.moc"
