#include <wire/bytes.h>
#include <wire/datapacket.h>
#include <wire/wireerror.h>

#include <QTest>

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;
using namespace wire;

namespace {

QList<FieldDef> everyType()
{
    return {{u"NO"_s, FieldType::Integer, 0},     {u"BUYUK"_s, FieldType::LargeInt, 0},
            {u"FIYAT"_s, FieldType::Float, 0},    {u"SECILI"_s, FieldType::Boolean, 0},
            {u"STOKADI"_s, FieldType::String, 40}, {u"TARIH"_s, FieldType::DateTime, 0},
            {u"RESIM"_s, FieldType::Blob, 0}};
}

// hand-built packets for the malformed cases
struct RawPacket
{
    QByteArray bytes;
    ByteWriter w{bytes};

    RawPacket(quint32 columns, quint32 rows, const char *magic = "VDP\x01")
    {
        w.raw(magic, 4);
        w.u32(columns);
        w.u32(rows);
    }
    RawPacket &column(const QByteArray &utf8Name, quint8 type, quint32 size = 0)
    {
        w.u16(quint16(utf8Name.size()));
        w.raw(utf8Name.constData(), utf8Name.size());
        w.u8(type);
        w.u32(size);
        return *this;
    }
    RawPacket &byte(quint8 b) { w.u8(b); return *this; }
    RawPacket &i32(qint32 v) { w.i32(v); return *this; }
    RawPacket &text(const QByteArray &utf8) { w.blob32(utf8); return *this; }
};

QByteArray fullPacket()
{
    PacketWriter w(everyType());
    w.integer(1).largeInt(1LL << 40).real(1234.5).boolean(true).text(u"Fren balatası İĞÜŞÖÇ"_s)
        .dateTime(QDateTime(QDate(2024, 1, 31), QTime(8, 30))).blob(QByteArray("\xff\xd8", 2));
    return w.finish();
}

} // namespace

class TestDataPacket : public QObject
{
    Q_OBJECT

private slots:
    void everyColumnType();
    void nullsInEveryType();
    void emptyStringIsNotNull();
    void zeroRows();
    void manyColumns();
    void accessors();
    void oleDates_data();
    void oleDates();
    void writerMisuse();
    void writerStaysUsableAfterRefusal();
    void malformed_data();
    void malformed();
    void everyTruncationRaises();
};

void TestDataPacket::everyColumnType()
{
    const Table t = Table::fromPacket(fullPacket());
    QCOMPARE(t.fields(), everyType());
    QCOMPARE(t.rowCount(), 1);
    QCOMPARE(t.value(0, 0), QVariant(1));
    QCOMPARE(t.value(0, 1), QVariant(qlonglong(1LL << 40)));
    QCOMPARE(t.value(0, 2), QVariant(1234.5));
    QCOMPARE(t.value(0, 3), QVariant(true));
    QCOMPARE(t.value(0, 4), QVariant(u"Fren balatası İĞÜŞÖÇ"_s));
    QCOMPARE(t.value(0, 5).toDateTime(), QDateTime(QDate(2024, 1, 31), QTime(8, 30)));
    QCOMPARE(t.value(0, 6), QVariant(QByteArray("\xff\xd8", 2)));
    for (int c = 0; c < t.fieldCount(); ++c)
        QVERIFY(!t.isNull(0, c));
}

void TestDataPacket::nullsInEveryType()
{
    PacketWriter w(everyType());
    for (int row = 0; row < 3; ++row) {
        for (int c = 0; c < everyType().size(); ++c)
            w.null();
    }
    // one more row mixing nulls and values through the QVariant entry
    w.value(QVariant()).value(7LL).value(QVariant()).value(false).value(QVariant()).value(QVariant()).value(QByteArray("x"));
    const Table t = Table::fromPacket(w.finish());
    QCOMPARE(t.rowCount(), 4);
    for (int row = 0; row < 3; ++row) {
        for (int c = 0; c < t.fieldCount(); ++c) {
            QVERIFY(t.isNull(row, c));
            QVERIFY(!t.value(row, c).isValid());
        }
    }
    QVERIFY(t.isNull(3, 0));
    QCOMPARE(t.int64Value(3, 1), 7);
    QVERIFY(t.isNull(3, 2));
    QVERIFY(!t.isNull(3, 3));
    QCOMPARE(t.boolValue(3, 3), false);
    QCOMPARE(t.blobValue(3, 6), QByteArray("x"));
    // typed accessors give the neutral value for a null
    QCOMPARE(t.intValue(0, 0), 0);
    QCOMPARE(t.floatValue(0, 2), 0.0);
    QCOMPARE(t.stringValue(0, 4), QString());
    QVERIFY(t.stringValue(0, 4).isNull());
}

void TestDataPacket::emptyStringIsNotNull()
{
    PacketWriter w({{u"A"_s, FieldType::String, 10}});
    w.text(QString()).null().text(u""_s);
    const Table t = Table::fromPacket(w.finish());
    QCOMPARE(t.rowCount(), 3);
    QVERIFY(!t.isNull(0, 0));
    QCOMPARE(t.value(0, 0), QVariant(u""_s));
    QVERIFY(t.isNull(1, 0));
    QVERIFY(!t.value(1, 0).isValid());
    QVERIFY(!t.isNull(2, 0));
}

void TestDataPacket::zeroRows()
{
    PacketWriter w(everyType());
    const Table t = Table::fromPacket(w.finish());
    QCOMPARE(t.rowCount(), 0);
    QCOMPARE(t.fieldCount(), 7);
    QCOMPARE(t.field(4).size, 40u);

    const Table none = Table::fromPacket(PacketWriter({}).finish());
    QCOMPARE(none.fieldCount(), 0);
    QCOMPARE(none.rowCount(), 0);
}

void TestDataPacket::manyColumns()
{
    // 19 columns: the null bitmap takes three bytes, the last one partly
    QList<FieldDef> fields;
    for (int c = 0; c < 19; ++c)
        fields.append({u"K%1"_s.arg(c), c % 2 ? FieldType::Integer : FieldType::String, 8});
    PacketWriter w(fields);
    for (int row = 0; row < 5; ++row) {
        for (int c = 0; c < 19; ++c) {
            if ((row + c) % 3 == 0)
                w.null();
            else if (c % 2)
                w.integer(row * 100 + c);
            else
                w.text(u"ş%1.%2"_s.arg(row).arg(c));
        }
    }
    const Table t = Table::fromPacket(w.finish());
    QCOMPARE(t.rowCount(), 5);
    for (int row = 0; row < 5; ++row) {
        for (int c = 0; c < 19; ++c) {
            const QString where = u"row %1 col %2"_s.arg(row).arg(c);
            QVERIFY2(t.isNull(row, c) == ((row + c) % 3 == 0), qPrintable(where));
            if (t.isNull(row, c))
                continue;
            if (c % 2)
                QCOMPARE(t.intValue(row, c), row * 100 + c);
            else
                QCOMPARE(t.stringValue(row, c), u"ş%1.%2"_s.arg(row).arg(c));
        }
    }
}

void TestDataPacket::accessors()
{
    const Table t = Table::fromPacket(fullPacket());
    QCOMPARE(t.indexOf(u"stokadi"), 4); // case-insensitive
    QCOMPARE(t.indexOf(u"STOKADI"), 4);
    QCOMPARE(t.indexOf(u"YOK"), -1);
    QCOMPARE(t.floatValue(0, 0), 1.0);        // integer read as float
    QCOMPARE(t.intValue(0, 2), 1235);         // float read as integer, rounded
    QCOMPARE(t.int64Value(0, 1), 1LL << 40);
    QCOMPARE(t.intValue(0, 3), 1);            // boolean as integer
    QCOMPARE(t.stringValue(0, 2), u"1234.5"_s);
    QCOMPARE(t.blobValue(0, 4), u"Fren balatası İĞÜŞÖÇ"_s.toUtf8());
    QVERIFY(t.floatValue(0, 5) > 45000.0); // a date's OLE number
    QVERIFY(t.memoryBytes() >= t.packet().size());
}

void TestDataPacket::oleDates_data()
{
    QTest::addColumn<QDateTime>("dateTime");
    QTest::addColumn<double>("ole");
    QTest::newRow("epoch") << QDateTime(QDate(1899, 12, 30), QTime(0, 0)) << 0.0;
    QTest::newRow("1 Jan 1900") << QDateTime(QDate(1900, 1, 1), QTime(0, 0)) << 2.0;
    QTest::newRow("noon") << QDateTime(QDate(1899, 12, 31), QTime(12, 0)) << 1.5;
    QTest::newRow("2024-03-31 06:00") << QDateTime(QDate(2024, 3, 31), QTime(6, 0)) << 45382.25;
    QTest::newRow("before epoch") << QDateTime(QDate(1899, 12, 29), QTime(0, 0)) << -1.0;
}

void TestDataPacket::oleDates()
{
    QFETCH(QDateTime, dateTime);
    QFETCH(double, ole);
    QCOMPARE(toOleDate(dateTime), ole);
    QCOMPARE(fromOleDate(ole), dateTime);
    QVERIFY(!fromOleDate(std::numeric_limits<double>::quiet_NaN()).isValid());
    QVERIFY(!fromOleDate(1e300).isValid());
}

void TestDataPacket::writerMisuse()
{
    {
        PacketWriter w({{u"A"_s, FieldType::Integer, 0}});
        QVERIFY_THROWS_EXCEPTION(WireError, w.text(u"x"_s));
        QVERIFY_THROWS_EXCEPTION(WireError, w.real(1.0));
        QVERIFY_THROWS_EXCEPTION(WireError, w.boolean(true));
    }
    {
        PacketWriter w({{u"A"_s, FieldType::Integer, 0}, {u"B"_s, FieldType::String, 5}});
        w.integer(1);
        QVERIFY_THROWS_EXCEPTION(WireError, w.finish()); // incomplete row
        QVERIFY_THROWS_EXCEPTION(WireError, w.integer(2)); // B is a text column
    }
    {
        PacketWriter w({});
        QVERIFY_THROWS_EXCEPTION(WireError, w.integer(1));
        QVERIFY_THROWS_EXCEPTION(WireError, w.null());
        QVERIFY_THROWS_EXCEPTION(WireError, w.value(1));
    }
    QVERIFY_THROWS_EXCEPTION(WireError, PacketWriter({{QString(40000, u'ş'), FieldType::Integer, 0}}));
}

// A refused value must leave the writer as it was: the packet it finally
// writes is still well formed and holds exactly what was accepted.
void TestDataPacket::writerStaysUsableAfterRefusal()
{
    PacketWriter w({{u"A"_s, FieldType::Integer, 0}, {u"B"_s, FieldType::String, 5}});
    QVERIFY_THROWS_EXCEPTION(WireError, w.text(u"yanlış"_s)); // at the start of a row
    w.integer(5);
    QVERIFY_THROWS_EXCEPTION(WireError, w.integer(6)); // in the middle of a row
    w.text(u"doğru"_s);
    const Table t = Table::fromPacket(w.finish());
    QCOMPARE(t.rowCount(), 1);
    QCOMPARE(t.intValue(0, 0), 5);
    QCOMPARE(t.stringValue(0, 1), u"doğru"_s);
}

void TestDataPacket::malformed_data()
{
    QTest::addColumn<QByteArray>("packet");

    const quint8 kInt = quint8(FieldType::Integer);
    const quint8 kBool = quint8(FieldType::Boolean);
    const quint8 kStr = quint8(FieldType::String);

    QTest::newRow("empty") << QByteArray();
    QTest::newRow("bad magic") << RawPacket(0, 0, "VDQ\x01").bytes;
    QTest::newRow("bad format version") << RawPacket(0, 0, "VDP\x02").bytes;
    QTest::newRow("truncated in header") << fullPacket().left(6);
    QTest::newRow("truncated in column name") << RawPacket(1, 0).byte(5).byte(0).byte('A').bytes;
    QTest::newRow("truncated in column size") << RawPacket(1, 0).byte(1).byte(0).byte('A').byte(kInt).byte(0).bytes;
    QTest::newRow("truncated in bitmap") << RawPacket(9, 1)
                                              .column("A", kInt).column("B", kInt).column("C", kInt)
                                              .column("D", kInt).column("E", kInt).column("F", kInt)
                                              .column("G", kInt).column("H", kInt).column("I", kInt)
                                              .byte(0xff).bytes;
    QTest::newRow("truncated in cell") << RawPacket(1, 1).column("A", kInt).byte(0).byte(1).byte(2).bytes;
    QTest::newRow("truncated in text length") << RawPacket(1, 1).column("A", kStr).byte(0).byte(4).byte(0).bytes;
    QTest::newRow("text longer than packet") << RawPacket(1, 1).column("A", kStr).byte(0).i32(1000).byte('x').bytes;
    QTest::newRow("unknown type tag 0") << RawPacket(1, 0).column("A", 0).bytes;
    QTest::newRow("unknown type tag 8") << RawPacket(1, 0).column("A", 8).bytes;
    QTest::newRow("boolean byte 2") << RawPacket(1, 1).column("A", kBool).byte(0).byte(2).bytes;
    QTest::newRow("invalid UTF-8 in name") << RawPacket(1, 0).column("A\xff", kInt).bytes;
    QTest::newRow("overlong UTF-8 in name") << RawPacket(1, 0).column("\xc0\xaf", kInt).bytes;
    QTest::newRow("empty name") << RawPacket(1, 0).column("", kInt).bytes;
    QTest::newRow("invalid UTF-8 in cell") << RawPacket(1, 1).column("A", kStr).byte(0).text("a\xe2\x82").bytes;
    QTest::newRow("surrogate in cell") << RawPacket(1, 1).column("A", kStr).byte(0).text("\xed\xa0\x80").bytes;
    QTest::newRow("huge row count") << RawPacket(1, 0xFFFFFFFFu).column("A", kInt).byte(0).i32(1).bytes;
    QTest::newRow("rows without columns") << RawPacket(0, 3).bytes;
    // all-null rows cost one bit per cell in the packet but an offset each
    // in the table: a count past the cell cap is refused before reserving
    QTest::newRow("cells past the cap") << [] {
        RawPacket p(64, 1u << 20);
        for (int c = 0; c < 64; ++c)
            p.column(("C" + QByteArray::number(c)).constData(), kInt);
        return p.bytes + QByteArray(8 * (1 << 20), '\xff');
    }();
    QTest::newRow("too many columns") << RawPacket(1u << 20, 0).bytes;
    QTest::newRow("trailing bytes") << fullPacket() + QByteArray(1, '\0');
    QTest::newRow("stray bitmap bit") << RawPacket(1, 1).column("A", kInt).byte(0x02).i32(1).bytes;
    QTest::newRow("stray bitmap bit, 9 columns") << [&] {
        RawPacket p(9, 1);
        for (char c = 'A'; c <= 'I'; ++c)
            p.column(QByteArray(1, c), kBool);
        return p.byte(0xff).byte(0x03).byte(0).bytes;
    }();
    QTest::newRow("duplicate column names") << RawPacket(2, 0).column("STOK", kInt).column("STOK", kInt).bytes;
    QTest::newRow("duplicate names in other case") << RawPacket(2, 0).column("stok", kInt).column("STOK", kStr).bytes;
}

void TestDataPacket::malformed()
{
    QFETCH(QByteArray, packet);
    QVERIFY_THROWS_EXCEPTION(WireError, Table::fromPacket(packet));
}

void TestDataPacket::everyTruncationRaises()
{
    const QByteArray packet = fullPacket();
    for (qsizetype n = 0; n < packet.size(); ++n) {
        bool raised = false;
        try {
            Table::fromPacket(packet.left(n));
        } catch (const WireError &) {
            raised = true;
        }
        QVERIFY2(raised, qPrintable(u"cut after %1 bytes"_s.arg(n)));
    }
}

QTEST_GUILESS_MAIN(TestDataPacket)
#include "tst_datapacket.moc"
