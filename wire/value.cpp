#include "value.h"

#include "wireerror.h"

#include <cstring>

using namespace Qt::StringLiterals;

namespace wire {

QString kindName(ValueKind kind)
{
    switch (kind) {
    case ValueKind::Null: return u"Null"_s;
    case ValueKind::Integer: return u"Integer"_s;
    case ValueKind::String: return u"string"_s;
    case ValueKind::Double: return u"Double"_s;
    case ValueKind::Boolean: return u"Boolean"_s;
    case ValueKind::Int64: return u"Int64"_s;
    case ValueKind::DataPacket: return u"OleVariant"_s;
    case ValueKind::Reader: return u"TDBXReader"_s;
    case ValueKind::Stream: return u"TStream"_s;
    case ValueKind::Object: return u"object"_s;
    }
    return u"?"_s;
}

bool isKnownKind(quint8 tag)
{
    return tag <= quint8(ValueKind::Object);
}

Value Value::integer(qint32 v)
{
    Value x(ValueKind::Integer);
    x.m_number = v;
    return x;
}

Value Value::string(const QString &v)
{
    Value x(ValueKind::String);
    x.m_text = v;
    return x;
}

Value Value::real(double v)
{
    Value x(ValueKind::Double);
    x.m_real = v;
    return x;
}

Value Value::boolean(bool v)
{
    Value x(ValueKind::Boolean);
    x.m_number = v ? 1 : 0;
    return x;
}

Value Value::int64(qint64 v)
{
    Value x(ValueKind::Int64);
    x.m_number = v;
    return x;
}

Value Value::dataPacket(const QByteArray &packet)
{
    Value x(ValueKind::DataPacket);
    x.m_bytes = packet;
    return x;
}

Value Value::reader(const QByteArray &packet)
{
    Value x(ValueKind::Reader);
    x.m_bytes = packet;
    return x;
}

Value Value::stream(const QByteArray &bytes)
{
    Value x(ValueKind::Stream);
    x.m_bytes = bytes;
    return x;
}

Value Value::object(const QByteArray &json)
{
    Value x(ValueKind::Object);
    x.m_bytes = json;
    return x;
}

Value Value::nullObject()
{
    return object(QByteArrayLiteral("null"));
}

void Value::expect(ValueKind kind) const
{
    if (m_kind != kind)
        throw WireError(u"Beklenen değer türü %1, gelen %2."_s.arg(kindName(kind), kindName(m_kind)));
}

void Value::expectBytes() const
{
    switch (m_kind) {
    case ValueKind::DataPacket:
    case ValueKind::Reader:
    case ValueKind::Stream:
    case ValueKind::Object:
        return;
    default:
        throw WireError(u"Beklenen bayt dizisi, gelen %1."_s.arg(kindName(m_kind)));
    }
}

qint32 Value::toInteger() const
{
    expect(ValueKind::Integer);
    return qint32(m_number);
}

QString Value::toString() const
{
    expect(ValueKind::String);
    return m_text;
}

double Value::toDouble() const
{
    expect(ValueKind::Double);
    return m_real;
}

bool Value::toBoolean() const
{
    expect(ValueKind::Boolean);
    return m_number != 0;
}

qint64 Value::toInt64() const
{
    expect(ValueKind::Int64);
    return m_number;
}

const QByteArray &Value::bytes() const
{
    expectBytes();
    return m_bytes;
}

bool Value::isNullObject() const
{
    return m_kind == ValueKind::Object && m_bytes.trimmed() == "null";
}

bool Value::operator==(const Value &other) const
{
    if (m_kind != other.m_kind)
        return false;
    // bit-exact comparison of doubles: a round trip must not change a bit
    return m_number == other.m_number && memcmp(&m_real, &other.m_real, sizeof m_real) == 0
        && m_text == other.m_text && m_bytes == other.m_bytes;
}

} // namespace wire
