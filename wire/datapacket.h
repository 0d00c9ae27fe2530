#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QVariant>

#include <vector>

namespace wire {

// Column types of a data packet. The numbers are the tags on the wire.
enum class FieldType : quint8 {
    Integer = 1,  // 32-bit signed
    LargeInt = 2, // 64-bit signed
    Float = 3,    // 64-bit IEEE (amounts, quantities)
    Boolean = 4,
    String = 5,   // Unicode text; size = declared width in characters
    DateTime = 6, // OLE Automation date as a 64-bit float
    Blob = 7,     // raw bytes
};

QString fieldTypeName(FieldType type);

struct FieldDef
{
    QString name;
    FieldType type = FieldType::String;
    quint32 size = 0; // declared width of a String column, 0 otherwise

    bool operator==(const FieldDef &o) const { return name == o.name && type == o.type && size == o.size; }
};

// OLE Automation dates: days since 30 December 1899, fraction = time of day.
double toOleDate(const QDateTime &dateTime);
QDateTime fromOleDate(double oleDate);
// the same wall-clock date and time, as a UTC value (no time-zone work)
QDateTime oleDateAsUtc(double oleDate);

// A decoded data packet: the column definitions and every row.
//
// The table keeps the packet's own bytes and one offset per cell into them;
// reading a cell decodes it in place. Loading therefore costs one pass of
// validation and allocates nothing per cell.
class Table
{
public:
    Table() = default;

    // Raises a WireError for anything malformed.
    static Table fromPacket(const QByteArray &packet);

    int fieldCount() const { return int(m_fields.size()); }
    int rowCount() const { return m_rows; }
    const QList<FieldDef> &fields() const { return m_fields; }
    const FieldDef &field(int col) const { return m_fields.at(col); }
    // case-insensitive, as field names are; -1 when absent
    int indexOf(QStringView name) const;

    bool isNull(int row, int col) const { return offset(row, col) == kNullCell; }
    // typed value: int, qlonglong, double, bool, QString, QDateTime or
    // QByteArray; an invalid QVariant for a null cell
    QVariant value(int row, int col) const;
    qint32 intValue(int row, int col) const;
    qint64 int64Value(int row, int col) const;
    double floatValue(int row, int col) const; // Float and DateTime columns
    bool boolValue(int row, int col) const;
    QString stringValue(int row, int col) const;
    QByteArray blobValue(int row, int col) const;

    const QByteArray &packet() const { return m_packet; }
    // bytes held by the table: the packet and the cell offsets
    qsizetype memoryBytes() const;

private:
    static constexpr quint32 kNullCell = 0xFFFFFFFFu;
    quint32 offset(int row, int col) const { return m_offsets[size_t(row) * size_t(m_fields.size()) + size_t(col)]; }
    const char *cell(int row, int col) const { return m_packet.constData() + offset(row, col); }

    QByteArray m_packet;
    QList<FieldDef> m_fields;
    std::vector<quint32> m_offsets;
    int m_rows = 0;
};

// Builds a data packet row by row. Values are added in column order; a row
// is complete when every column has had a value (or a null).
class PacketWriter
{
public:
    explicit PacketWriter(const QList<FieldDef> &fields);

    PacketWriter &null();
    PacketWriter &integer(qint32 v);
    PacketWriter &largeInt(qint64 v);
    PacketWriter &real(double v);
    PacketWriter &boolean(bool v);
    PacketWriter &text(const QString &v);
    PacketWriter &dateTime(double oleDate);
    PacketWriter &dateTime(const QDateTime &v) { return dateTime(toOleDate(v)); }
    PacketWriter &blob(const QByteArray &v);
    // converts to the current column's type; a null QVariant adds a null
    PacketWriter &value(const QVariant &v);

    int rowCount() const { return m_rows; }
    // the finished packet; raises a WireError when a row is incomplete
    QByteArray finish();

private:
    void beginCell(FieldType expected);
    void endCell();

    QList<FieldDef> m_fields;
    QByteArray m_out;
    qsizetype m_rowStart = 0;
    int m_col = 0;
    int m_rows = 0;
    int m_bitmapBytes = 0;
};

} // namespace wire
