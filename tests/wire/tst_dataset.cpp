#include <wire/datapacket.h>
#include <wire/dataset.h>
#include <wire/wireerror.h>

#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace wire;

namespace {

// a basket-like packet: number, code, selection flag, price
QByteArray basketPacket()
{
    PacketWriter w({{u"SIRANO"_s, FieldType::Integer, 0},
                    {u"STOKKODU"_s, FieldType::String, 20},
                    {u"SECIM"_s, FieldType::Boolean, 0},
                    {u"FIYAT"_s, FieldType::Float, 0},
                    {u"MIKTAR"_s, FieldType::Float, 0}});
    w.integer(10).text(u"FR-001"_s).boolean(false).real(1234.567).real(2);
    w.integer(20).text(u"Şanzıman"_s).boolean(true).real(0.125).real(1);
    w.integer(30).text(u"ığüşöç"_s).boolean(false).real(-5.5).null();
    return w.finish();
}

QByteArray otherPacket()
{
    PacketWriter w({{u"A"_s, FieldType::Integer, 0}});
    w.integer(1);
    return w.finish();
}

} // namespace

class TestDataSet : public QObject
{
    Q_OBJECT

private slots:
    void loadAndWalk();
    void emptyTable();
    void locate_data();
    void locate();
    void locateTextInNumberField();
    void post();
    void postRefusesBadValues();
    void displayFormat();
    void controlsGiveOneReset();
    void malformedLoadKeepsContent();
};

void TestDataSet::loadAndWalk()
{
    DataSet ds;
    QVERIFY(!ds.isActive());
    QSignalSpy resets(&ds, &DataSet::reset);
    ds.loadPacket(basketPacket());
    QCOMPARE(resets.count(), 1);
    QVERIFY(ds.isActive());
    QCOMPARE(ds.recordCount(), 3);
    QCOMPARE(ds.fieldCount(), 5);
    QVERIFY(ds.hasField(u"stokkodu"));
    QVERIFY(!ds.hasField(u"YOK"));
    QCOMPARE(ds.recNo(), 0);

    QList<int> seen;
    for (ds.first(); !ds.eof(); ds.next())
        seen << ds.fieldValue(u"SIRANO").toInt();
    QCOMPARE(seen, (QList<int>{10, 20, 30}));
    QVERIFY(ds.eof());
    ds.next(); // past the end stays put
    QCOMPARE(ds.recNo(), 2);

    ds.first();
    QVERIFY(!ds.eof());
    QCOMPARE(ds.fieldValue(u"STOKKODU"), QVariant(u"FR-001"_s));
    QVERIFY(!ds.fieldValue(u"YOK").isValid());
    QVERIFY(ds.isNull(2, 4));

    ds.close();
    QVERIFY(!ds.isActive());
    QCOMPARE(ds.recordCount(), 0);
    QVERIFY(ds.eof());
}

void TestDataSet::emptyTable()
{
    DataSet ds;
    PacketWriter w({{u"A"_s, FieldType::Integer, 0}});
    ds.loadPacket(w.finish());
    QVERIFY(ds.isActive());
    QVERIFY(ds.isEmpty());
    ds.first();
    QVERIFY(ds.eof());
    QCOMPARE(ds.recNo(), -1);
    QVERIFY(!ds.fieldValue(u"A").isValid());
    QVERIFY(!ds.locate(u"A", 1));
}

void TestDataSet::locate_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QVariant>("wanted");
    QTest::addColumn<int>("row"); // -1: not found

    QTest::newRow("integer") << u"SIRANO"_s << QVariant(20) << 1;
    QTest::newRow("integer as double") << u"SIRANO"_s << QVariant(30.0) << 2;
    QTest::newRow("integer absent") << u"SIRANO"_s << QVariant(25) << -1;
    QTest::newRow("string") << u"STOKKODU"_s << QVariant(u"Şanzıman"_s) << 1;
    QTest::newRow("string other field case") << u"stokkodu"_s << QVariant(u"ığüşöç"_s) << 2;
    QTest::newRow("string absent") << u"STOKKODU"_s << QVariant(u"FR-00"_s) << -1;
    QTest::newRow("double") << u"FIYAT"_s << QVariant(0.125) << 1;
    QTest::newRow("double negative") << u"FIYAT"_s << QVariant(-5.5) << 2;
    QTest::newRow("double from integer") << u"MIKTAR"_s << QVariant(1) << 1;
    QTest::newRow("null cell never matches") << u"MIKTAR"_s << QVariant(0.0) << -1;
    QTest::newRow("boolean") << u"SECIM"_s << QVariant(true) << 1;
    QTest::newRow("unknown field") << u"YOK"_s << QVariant(1) << -1;
}

void TestDataSet::locate()
{
    QFETCH(QString, field);
    QFETCH(QVariant, wanted);
    QFETCH(int, row);

    DataSet ds;
    ds.loadPacket(basketPacket());
    ds.setRecNo(0);
    QCOMPARE(ds.locate(field, wanted), row >= 0);
    QCOMPARE(ds.recNo(), row >= 0 ? row : 0);
}

// a text that is no number must not match the zeros of a numeric field
void TestDataSet::locateTextInNumberField()
{
    PacketWriter w({{u"NO"_s, FieldType::Integer, 0}, {u"TUTAR"_s, FieldType::Float, 0}});
    w.integer(5).real(7.5);
    w.integer(0).real(0.0);
    DataSet ds;
    ds.loadPacket(w.finish());
    QVERIFY(!ds.locate(u"TUTAR", u"abc"_s));
    QVERIFY(!ds.locate(u"NO", u"yok"_s));
    QVERIFY(!ds.locate(u"TUTAR", QString()));
    QCOMPARE(ds.recNo(), 0);
    // a text that is a number still finds its row
    QVERIFY(ds.locate(u"TUTAR", u"0"_s));
    QCOMPARE(ds.recNo(), 1);
    QVERIFY(ds.locate(u"TUTAR", u"7.5"_s));
    QCOMPARE(ds.recNo(), 0);
}

void TestDataSet::post()
{
    DataSet ds;
    ds.loadPacket(basketPacket());
    QSignalSpy changed(&ds, &DataSet::valueChanged);

    ds.post(0, ds.fieldIndex(u"SECIM"), true);
    ds.post(2, ds.fieldIndex(u"FIYAT"), u"12.75"_s);
    ds.post(2, ds.fieldIndex(u"MIKTAR"), 3);
    QCOMPARE(changed.count(), 3);
    QCOMPARE(changed.at(0), (QVariantList{0, 2}));
    QCOMPARE(ds.value(0, 2), QVariant(true));
    QCOMPARE(ds.value(2, 3), QVariant(12.75));
    QCOMPARE(ds.value(2, 4), QVariant(3.0));
    QVERIFY(!ds.isNull(2, 4));
    // other rows keep the loaded values
    QCOMPARE(ds.value(1, 2), QVariant(true));
    QCOMPARE(ds.value(1, 3), QVariant(0.125));
    // an edit is found by locate
    QVERIFY(ds.locate(u"FIYAT", 12.75));
    QCOMPARE(ds.recNo(), 2);
    // a null can be posted too
    ds.post(0, 3, QVariant());
    QVERIFY(ds.isNull(0, 3));
    // a reload drops every local edit
    ds.loadPacket(basketPacket());
    QCOMPARE(ds.value(0, 2), QVariant(false));
}

void TestDataSet::postRefusesBadValues()
{
    DataSet ds;
    ds.loadPacket(basketPacket());
    QVERIFY_THROWS_EXCEPTION(WireError, ds.post(0, 3, u"on iki"_s));
    QVERIFY_THROWS_EXCEPTION(WireError, ds.post(0, 0, u"x"_s));
    QVERIFY_THROWS_EXCEPTION(WireError, ds.post(3, 0, 1));
    QVERIFY_THROWS_EXCEPTION(WireError, ds.post(0, 5, 1));
    QCOMPARE(ds.value(0, 3), QVariant(1234.567));
    QCOMPARE(ds.value(0, 0), QVariant(10));
}

void TestDataSet::displayFormat()
{
    DataSet ds;
    ds.setLocale(QLocale(QLocale::Turkish));
    ds.loadPacket(basketPacket());
    ds.setFloatDisplayFormat(u"#,###,##0.00"_s);
    const int price = ds.fieldIndex(u"FIYAT");
    QCOMPARE(ds.displayFormat(price), u"#,###,##0.00"_s);
    QCOMPARE(ds.displayFormat(0), QString()); // integer fields get no format
    QCOMPARE(ds.displayText(0, price), u"1.234,57"_s);
    QCOMPARE(ds.displayText(1, price), u"0,13"_s);
    QCOMPARE(ds.displayText(2, price), u"-5,50"_s);
    QCOMPARE(ds.displayText(2, 4), QString()); // null
    QCOMPARE(ds.displayText(1, 1), u"Şanzıman"_s);
    ds.post(0, price, 1234567.891);
    QCOMPARE(ds.displayText(0, price), u"1.234.567,89"_s);
    // a new load drops the formats with the rest
    ds.loadPacket(basketPacket());
    QCOMPARE(ds.displayFormat(price), QString());
}

void TestDataSet::controlsGiveOneReset()
{
    DataSet ds;
    QSignalSpy resets(&ds, &DataSet::reset);
    QSignalSpy rows(&ds, &DataSet::currentRowChanged);
    QSignalSpy values(&ds, &DataSet::valueChanged);

    ds.disableControls();
    QVERIFY(ds.controlsDisabled());
    ds.loadPacket(otherPacket());
    ds.loadPacket(basketPacket());
    ds.setRecNo(2);
    ds.post(0, 2, true);
    QCOMPARE(resets.count(), 0);
    QCOMPARE(rows.count(), 0);
    QCOMPARE(values.count(), 0);
    ds.enableControls();
    QCOMPARE(resets.count(), 1);
    QVERIFY(!ds.controlsDisabled());

    // nested: only the outermost enable announces
    ds.disableControls();
    ds.disableControls();
    ds.loadPacket(basketPacket());
    ds.enableControls();
    QCOMPARE(resets.count(), 1);
    ds.enableControls();
    QCOMPARE(resets.count(), 2);

    // nothing changed meanwhile: nothing announced
    ds.disableControls();
    ds.enableControls();
    QCOMPARE(resets.count(), 2);
    ds.enableControls(); // unbalanced enable is harmless
    QCOMPARE(resets.count(), 2);

    ds.setRecNo(1);
    QCOMPARE(rows.count(), 1);
}

void TestDataSet::malformedLoadKeepsContent()
{
    DataSet ds;
    ds.loadPacket(basketPacket());
    ds.setRecNo(1);
    ds.post(0, 2, true);
    QSignalSpy resets(&ds, &DataSet::reset);

    QByteArray broken = basketPacket();
    broken.chop(3);
    QVERIFY_THROWS_EXCEPTION(WireError, ds.loadPacket(broken));
    QVERIFY_THROWS_EXCEPTION(WireError, ds.loadPacket(QByteArray("garbage")));
    QCOMPARE(resets.count(), 0);
    QCOMPARE(ds.recordCount(), 3);
    QCOMPARE(ds.recNo(), 1);
    QCOMPARE(ds.value(0, 2), QVariant(true));
    QCOMPARE(ds.fieldValue(u"STOKKODU"), QVariant(u"Şanzıman"_s));
}

QTEST_GUILESS_MAIN(TestDataSet)
#include "tst_dataset.moc"
