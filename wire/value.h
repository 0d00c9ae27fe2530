#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace wire {

// The kinds of value a server-method parameter or result can have.
// The numbers are the tags on the wire.
enum class ValueKind : quint8 {
    Null = 0,       // no value (a method without a result)
    Integer = 1,    // 32-bit signed
    String = 2,     // Unicode text, UTF-8 on the wire
    Double = 3,     // 64-bit IEEE; dates as OLE Automation dates
    Boolean = 4,
    Int64 = 5,      // output only: byte counts of streams
    DataPacket = 6, // tabular answer, binary table
    Reader = 7,     // tabular answer read row by row; same binary table
    Stream = 8,     // bytes
    Object = 9,     // JSON envelope of a record, or JSON null
};

QString kindName(ValueKind kind);
bool isKnownKind(quint8 tag);

// One typed value of a request or response.
class Value
{
public:
    Value() = default;

    static Value integer(qint32 v);
    static Value string(const QString &v);
    static Value real(double v);
    static Value boolean(bool v);
    static Value int64(qint64 v);
    static Value dataPacket(const QByteArray &packet);
    static Value reader(const QByteArray &packet);
    static Value stream(const QByteArray &bytes);
    // json is an envelope or the text "null"
    static Value object(const QByteArray &json);
    static Value nullObject();

    ValueKind kind() const { return m_kind; }

    // Each accessor raises a WireError when the kind is another one, so a
    // server answering the wrong kind is reported, not misread.
    qint32 toInteger() const;
    QString toString() const;
    double toDouble() const;
    bool toBoolean() const;
    qint64 toInt64() const;
    // bytes of a data packet, reader, stream or object
    const QByteArray &bytes() const;
    bool isNullObject() const;

    bool operator==(const Value &other) const;

private:
    Value(ValueKind kind) : m_kind(kind) {}
    void expect(ValueKind kind) const;
    void expectBytes() const;

    ValueKind m_kind = ValueKind::Null;
    qint64 m_number = 0;
    double m_real = 0.0;
    QString m_text;
    QByteArray m_bytes;
};

} // namespace wire
