#include "datapacket.h"

#include "bytes.h"
#include "wireerror.h"

#include <QTimeZone>
#include <QtEndian>

#include <cmath>
#include <cstring>

using namespace Qt::StringLiterals;

namespace wire {

namespace {

constexpr char kPacketMagic[4] = {'V', 'D', 'P', '\x01'};
constexpr int kHeaderSize = 12;
constexpr int kMaxColumns = 4096;
// Each cell costs a 4-byte offset even when the packet spends one bit on
// it; this bounds what a hostile packet can make the reader allocate.
constexpr quint64 kMaxCells = 50'000'000;

int bitmapBytes(int columns) { return (columns + 7) / 8; }

bool isKnownFieldType(quint8 tag) { return tag >= 1 && tag <= 7; }

const QDateTime &oleEpoch()
{
    static const QDateTime epoch(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC);
    return epoch;
}

} // namespace

QString fieldTypeName(FieldType type)
{
    switch (type) {
    case FieldType::Integer: return u"Integer"_s;
    case FieldType::LargeInt: return u"LargeInt"_s;
    case FieldType::Float: return u"Float"_s;
    case FieldType::Boolean: return u"Boolean"_s;
    case FieldType::String: return u"String"_s;
    case FieldType::DateTime: return u"DateTime"_s;
    case FieldType::Blob: return u"Blob"_s;
    }
    return u"?"_s;
}

// Dates are wall-clock values without a zone: they are computed in UTC so
// that no daylight-saving shift can move them.
double toOleDate(const QDateTime &dateTime)
{
    const QDateTime wall(dateTime.date(), dateTime.time(), Qt::UTC);
    const qint64 ms = oleEpoch().msecsTo(wall);
    return double(ms) / 86400000.0;
}

QDateTime oleDateAsUtc(double oleDate)
{
    if (!std::isfinite(oleDate) || std::fabs(oleDate) > 3.0e6)
        return QDateTime();
    const qint64 ms = qint64(std::llround(oleDate * 86400000.0));
    return oleEpoch().addMSecs(ms);
}

QDateTime fromOleDate(double oleDate)
{
    const QDateTime utc = oleDateAsUtc(oleDate);
    if (!utc.isValid())
        return utc;
    return QDateTime(utc.date(), utc.time());
}

// ---------------------------------------------------------------- Table

Table Table::fromPacket(const QByteArray &packet)
{
    ByteReader r(packet.constData(), packet.size(), u"veri paketi"_s);
    const char *magic = r.take(4);
    if (std::memcmp(magic, kPacketMagic, 4) != 0)
        r.fail(u"tanınmayan başlık"_s);
    const quint32 columns = r.u32();
    const quint32 rows = r.u32();
    if (columns > quint32(kMaxColumns))
        r.fail(u"çok fazla sütun (%1)"_s.arg(columns));
    if (columns == 0 && rows != 0)
        r.fail(u"sütunsuz satır"_s);

    Table t;
    t.m_fields.reserve(columns);
    for (quint32 c = 0; c < columns; ++c) {
        FieldDef f;
        f.name = r.text16();
        if (f.name.isEmpty())
            r.fail(u"boş sütun adı"_s);
        const quint8 type = r.u8();
        if (!isKnownFieldType(type))
            r.fail(u"bilinmeyen sütun türü %1"_s.arg(type));
        f.type = FieldType(type);
        f.size = r.u32();
        if (t.indexOf(f.name) >= 0)
            r.fail(u"yinelenen sütun adı %1"_s.arg(f.name));
        t.m_fields.append(f);
    }

    // every row needs at least its null bitmap: a row count the remaining
    // bytes cannot hold is refused before anything is reserved for it
    const int bitmap = bitmapBytes(int(columns));
    if (columns > 0 && quint64(rows) * quint64(bitmap) > quint64(r.remaining()))
        r.fail(u"satır sayısı (%1) veriyle uyuşmuyor"_s.arg(rows));
    if (quint64(rows) * quint64(columns) > kMaxCells)
        r.fail(u"çok fazla hücre (%1 satır × %2 sütun)"_s.arg(rows).arg(columns));
    if (quint64(packet.size()) >= quint64(kNullCell))
        r.fail(u"paket çok büyük"_s);

    t.m_offsets.resize(size_t(rows) * size_t(columns));
    quint32 *out = t.m_offsets.data();
    for (quint32 row = 0; row < rows; ++row) {
        const auto *bits = reinterpret_cast<const unsigned char *>(r.take(bitmap));
        for (quint32 c = 0; c < columns; ++c) {
            if (bits[c >> 3] & (1u << (c & 7))) {
                *out++ = kNullCell;
                continue;
            }
            *out++ = quint32(r.pos());
            switch (t.m_fields[int(c)].type) {
            case FieldType::Integer: r.take(4); break;
            case FieldType::LargeInt:
            case FieldType::Float:
            case FieldType::DateTime: r.take(8); break;
            case FieldType::Boolean:
                if (quint8(*r.take(1)) > 1)
                    r.fail(u"mantıksal değer 0 ya da 1 olmalı"_s);
                break;
            case FieldType::String: {
                const quint32 n = r.u32();
                const char *p = r.take(qsizetype(n));
                if (!isValidUtf8(p, qsizetype(n)))
                    r.fail(u"geçersiz UTF-8 metin"_s);
                break;
            }
            case FieldType::Blob: r.take(qsizetype(r.u32())); break;
            }
        }
        // unused bits of the bitmap must be clear, so that every packet
        // has exactly one reading
        if (columns % 8 != 0 && (bits[bitmap - 1] >> (columns % 8)) != 0)
            r.fail(u"boş hücre işaretinde fazladan bit"_s);
    }
    r.expectEnd();
    t.m_rows = int(rows);
    t.m_packet = packet;
    return t;
}

int Table::indexOf(QStringView name) const
{
    for (int i = 0; i < m_fields.size(); ++i) {
        if (m_fields[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QVariant Table::value(int row, int col) const
{
    if (isNull(row, col))
        return QVariant();
    switch (m_fields[col].type) {
    case FieldType::Integer: return intValue(row, col);
    case FieldType::LargeInt: return int64Value(row, col);
    case FieldType::Float: return floatValue(row, col);
    case FieldType::Boolean: return boolValue(row, col);
    case FieldType::String: return stringValue(row, col);
    case FieldType::DateTime: return fromOleDate(floatValue(row, col));
    case FieldType::Blob: return blobValue(row, col);
    }
    return QVariant();
}

qint32 Table::intValue(int row, int col) const
{
    if (isNull(row, col))
        return 0;
    switch (m_fields[col].type) {
    case FieldType::Integer: return qFromLittleEndian<qint32>(cell(row, col));
    case FieldType::LargeInt: return qint32(int64Value(row, col));
    case FieldType::Float: return qint32(std::lround(floatValue(row, col)));
    case FieldType::Boolean: return boolValue(row, col) ? 1 : 0;
    default: return value(row, col).toInt();
    }
}

qint64 Table::int64Value(int row, int col) const
{
    if (isNull(row, col))
        return 0;
    if (m_fields[col].type == FieldType::LargeInt)
        return qFromLittleEndian<qint64>(cell(row, col));
    return intValue(row, col);
}

double Table::floatValue(int row, int col) const
{
    if (isNull(row, col))
        return 0.0;
    switch (m_fields[col].type) {
    case FieldType::Float:
    case FieldType::DateTime: {
        const quint64 bits = qFromLittleEndian<quint64>(cell(row, col));
        double v;
        std::memcpy(&v, &bits, sizeof v);
        return v;
    }
    case FieldType::Integer: return intValue(row, col);
    case FieldType::LargeInt: return double(int64Value(row, col));
    case FieldType::Boolean: return boolValue(row, col) ? 1.0 : 0.0;
    default: return value(row, col).toDouble();
    }
}

bool Table::boolValue(int row, int col) const
{
    if (isNull(row, col))
        return false;
    if (m_fields[col].type == FieldType::Boolean)
        return *cell(row, col) != 0;
    return intValue(row, col) != 0;
}

QString Table::stringValue(int row, int col) const
{
    if (isNull(row, col))
        return QString();
    if (m_fields[col].type == FieldType::String) {
        const char *p = cell(row, col);
        const quint32 n = qFromLittleEndian<quint32>(p);
        return QString::fromUtf8(p + 4, qsizetype(n));
    }
    if (m_fields[col].type == FieldType::Float)
        return QString::number(floatValue(row, col), 'g', 15);
    return value(row, col).toString();
}

QByteArray Table::blobValue(int row, int col) const
{
    if (isNull(row, col))
        return QByteArray();
    if (m_fields[col].type == FieldType::Blob || m_fields[col].type == FieldType::String) {
        const char *p = cell(row, col);
        const quint32 n = qFromLittleEndian<quint32>(p);
        return QByteArray(p + 4, qsizetype(n));
    }
    return stringValue(row, col).toUtf8();
}

qsizetype Table::memoryBytes() const
{
    return m_packet.size() + qsizetype(m_offsets.capacity() * sizeof(quint32));
}

// --------------------------------------------------------- PacketWriter

PacketWriter::PacketWriter(const QList<FieldDef> &fields)
    : m_fields(fields)
    , m_bitmapBytes(bitmapBytes(int(fields.size())))
{
    if (fields.size() > kMaxColumns)
        throw WireError(u"Çok fazla sütun: %1."_s.arg(fields.size()));
    ByteWriter w(m_out);
    w.raw(kPacketMagic, 4);
    w.u32(quint32(fields.size()));
    w.u32(0); // row count, patched by finish()
    for (const FieldDef &f : fields) {
        w.text16(f.name);
        w.u8(quint8(f.type));
        w.u32(f.size);
    }
}

void PacketWriter::beginCell(FieldType expected)
{
    if (m_fields.isEmpty())
        throw WireError(u"Sütunsuz pakete değer eklenemez."_s);
    // refuse before writing anything, so a refused value leaves no trace
    const FieldDef &f = m_fields[m_col];
    if (f.type != expected)
        throw WireError(u"%1 sütunu %2 türünde; %3 değeri yazılamaz."_s
                            .arg(f.name, fieldTypeName(f.type), fieldTypeName(expected)));
    if (m_col == 0) {
        m_rowStart = m_out.size();
        m_out.append(m_bitmapBytes, '\0');
    }
}

void PacketWriter::endCell()
{
    if (++m_col == m_fields.size()) {
        m_col = 0;
        ++m_rows;
    }
}

PacketWriter &PacketWriter::null()
{
    beginCell(m_fields.isEmpty() ? FieldType::String : m_fields[m_col].type);
    m_out[m_rowStart + (m_col >> 3)] = char(m_out[m_rowStart + (m_col >> 3)] | char(1 << (m_col & 7)));
    endCell();
    return *this;
}

PacketWriter &PacketWriter::integer(qint32 v)
{
    beginCell(FieldType::Integer);
    ByteWriter(m_out).i32(v);
    endCell();
    return *this;
}

PacketWriter &PacketWriter::largeInt(qint64 v)
{
    beginCell(FieldType::LargeInt);
    ByteWriter(m_out).i64(v);
    endCell();
    return *this;
}

PacketWriter &PacketWriter::real(double v)
{
    beginCell(FieldType::Float);
    ByteWriter(m_out).f64(v);
    endCell();
    return *this;
}

PacketWriter &PacketWriter::boolean(bool v)
{
    beginCell(FieldType::Boolean);
    ByteWriter(m_out).u8(v ? 1 : 0);
    endCell();
    return *this;
}

PacketWriter &PacketWriter::text(const QString &v)
{
    beginCell(FieldType::String);
    ByteWriter(m_out).text32(v);
    endCell();
    return *this;
}

PacketWriter &PacketWriter::dateTime(double oleDate)
{
    beginCell(FieldType::DateTime);
    ByteWriter(m_out).f64(oleDate);
    endCell();
    return *this;
}

PacketWriter &PacketWriter::blob(const QByteArray &v)
{
    beginCell(FieldType::Blob);
    ByteWriter(m_out).blob32(v);
    endCell();
    return *this;
}

PacketWriter &PacketWriter::value(const QVariant &v)
{
    if (m_fields.isEmpty())
        throw WireError(u"Sütunsuz pakete değer eklenemez."_s);
    if (v.isNull() || !v.isValid())
        return null();
    switch (m_fields[m_col].type) {
    case FieldType::Integer: return integer(v.toInt());
    case FieldType::LargeInt: return largeInt(v.toLongLong());
    case FieldType::Float: return real(v.toDouble());
    case FieldType::Boolean: return boolean(v.toBool());
    case FieldType::String: return text(v.toString());
    case FieldType::DateTime:
        if (v.metaType().id() == QMetaType::QDateTime || v.metaType().id() == QMetaType::QDate
            || v.metaType().id() == QMetaType::QString)
            return dateTime(v.toDateTime());
        return dateTime(v.toDouble());
    case FieldType::Blob: return blob(v.toByteArray());
    }
    return *this;
}

QByteArray PacketWriter::finish()
{
    if (m_col != 0)
        throw WireError(u"Veri paketinin son satırı eksik."_s);
    const quint32 rows = qToLittleEndian(quint32(m_rows));
    std::memcpy(m_out.data() + 8, &rows, sizeof rows);
    return m_out;
}

} // namespace wire
