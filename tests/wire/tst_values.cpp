#include <wire/datapacket.h>
#include <wire/frame.h>
#include <wire/message.h>
#include <wire/value.h>
#include <wire/wireerror.h>

#include <QDateTime>
#include <QTest>

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;
using wire::Value;

Q_DECLARE_METATYPE(wire::Value)

namespace {

QByteArray smallPacket()
{
    wire::PacketWriter w({{u"STOKKODU"_s, wire::FieldType::String, 20}});
    w.text(u"ığüşöçİĞÜŞÖÇ"_s);
    return w.finish();
}

} // namespace

class TestValues : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void allKindsInOneMessage();
    void errorResponse();
    void accessorOfAnotherKindRaises();
};

void TestValues::roundTrip_data()
{
    QTest::addColumn<Value>("value");

    QTest::newRow("null") << Value();
    QTest::newRow("integer zero") << Value::integer(0);
    QTest::newRow("integer min") << Value::integer(std::numeric_limits<qint32>::min());
    QTest::newRow("integer max") << Value::integer(std::numeric_limits<qint32>::max());
    QTest::newRow("integer -1") << Value::integer(-1);
    QTest::newRow("empty string") << Value::string(QString());
    QTest::newRow("turkish string") << Value::string(u"ığüşöçİĞÜŞÖÇ"_s);
    QTest::newRow("non-BMP string") << Value::string(u"a\U0001F697b"_s);
    QTest::newRow("string with NUL") << Value::string(QString(u"a\0b"_s));
    QTest::newRow("double") << Value::real(1234.5678);
    QTest::newRow("double -0.0") << Value::real(-0.0);
    QTest::newRow("double denormal") << Value::real(std::numeric_limits<double>::denorm_min());
    QTest::newRow("double smallest normal") << Value::real(std::numeric_limits<double>::min());
    QTest::newRow("double max") << Value::real(std::numeric_limits<double>::max());
    QTest::newRow("double infinity") << Value::real(-std::numeric_limits<double>::infinity());
    QTest::newRow("OLE date")
        << Value::real(wire::toOleDate(QDateTime(QDate(2024, 2, 29), QTime(13, 45, 30))));
    QTest::newRow("boolean true") << Value::boolean(true);
    QTest::newRow("boolean false") << Value::boolean(false);
    QTest::newRow("int64 max") << Value::int64(std::numeric_limits<qint64>::max());
    QTest::newRow("int64 min") << Value::int64(std::numeric_limits<qint64>::min());
    QTest::newRow("data packet") << Value::dataPacket(smallPacket());
    QTest::newRow("reader") << Value::reader(smallPacket());
    QTest::newRow("empty stream") << Value::stream(QByteArray());
    QTest::newRow("binary stream") << Value::stream(QByteArray("\x00\xff\x01\xfe", 4));
    QTest::newRow("object") << Value::object(
        R"({"type":"baglantiu.TTusSonuclari","id":1,"fields":{"FAlindi":3}})");
    QTest::newRow("null object") << Value::nullObject();
}

void TestValues::roundTrip()
{
    QFETCH(Value, value);

    wire::Request request;
    request.command = u"TServerMethods1.BuyukGetir"_s;
    request.params = {{0, Value::string(u"önce"_s)}, {3, value}, {7, Value::integer(9)}};
    const wire::Request back = wire::decodeRequest(wire::encodeRequest(request));
    QCOMPARE(back.command, request.command);
    QCOMPARE(back.params.size(), 3);
    QCOMPARE(back.params[1].ordinal, quint16(3));
    QVERIFY(back.params[1].value == value);
    QCOMPARE(back.params[2].value.toInteger(), 9);

    wire::Response response;
    response.values = {{2, value}};
    const wire::Response answer =
        wire::decodeResponse(wire::frame::kResult, wire::encodeResponse(response));
    QVERIFY(answer.ok);
    QVERIFY(answer.at(2));
    QVERIFY(*answer.at(2) == value);
    QVERIFY(!answer.at(1));

    // the bit pattern of a double survives, sign of zero and denormals included
    if (value.kind() == wire::ValueKind::Double) {
        const double d = answer.at(2)->toDouble();
        QCOMPARE(std::signbit(d), std::signbit(value.toDouble()));
        QCOMPARE(std::fpclassify(d), std::fpclassify(value.toDouble()));
    }
}

void TestValues::allKindsInOneMessage()
{
    wire::Response response;
    response.values = {{0, Value::integer(-5)},   {1, Value::string(u"İĞÜŞÖÇ"_s)},
                       {2, Value::real(0.1)},      {3, Value::boolean(true)},
                       {4, Value::int64(1LL << 40)}, {5, Value::stream("abc")},
                       {6, Value::nullObject()}};
    const wire::Response back =
        wire::decodeResponse(wire::frame::kResult, wire::encodeResponse(response));
    QCOMPARE(back.values.size(), response.values.size());
    for (int i = 0; i < back.values.size(); ++i)
        QVERIFY2(back.values[i].value == response.values[i].value, qPrintable(QString::number(i)));
    QVERIFY(back.at(6)->isNullObject());
    QVERIFY(!back.at(5)->isNullObject());
}

void TestValues::errorResponse()
{
    const QString text = u"Sunucu hatası: ığüşöçİĞÜŞÖÇ \U0001F697"_s;
    const QByteArray payload = wire::encodeResponse(wire::Response::failure(text));
    const wire::Response back = wire::decodeResponse(wire::frame::kError, payload);
    QVERIFY(!back.ok);
    QCOMPARE(back.error, text);
    QVERIFY(back.values.isEmpty());

    // a request frame type is no answer
    QVERIFY_THROWS_EXCEPTION(wire::WireError, wire::decodeResponse(wire::frame::kRequest, payload));
}

void TestValues::accessorOfAnotherKindRaises()
{
    QVERIFY_THROWS_EXCEPTION(wire::WireError, Value::integer(1).toString());
    QVERIFY_THROWS_EXCEPTION(wire::WireError, Value::string(u"1"_s).toInteger());
    QVERIFY_THROWS_EXCEPTION(wire::WireError, Value::real(1).toInt64());
    QVERIFY_THROWS_EXCEPTION(wire::WireError, Value::int64(1).toDouble());
    QVERIFY_THROWS_EXCEPTION(wire::WireError, Value::boolean(true).bytes());
    QVERIFY_THROWS_EXCEPTION(wire::WireError, Value().toBoolean());
}

QTEST_GUILESS_MAIN(TestValues)
#include "tst_values.moc"
