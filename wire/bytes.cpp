#include "bytes.h"

#include <QtEndian>

#include <cstring>

using namespace Qt::StringLiterals;

namespace wire {

void ByteWriter::u16(quint16 v)
{
    const quint16 le = qToLittleEndian(v);
    m_out.append(reinterpret_cast<const char *>(&le), sizeof le);
}

void ByteWriter::u32(quint32 v)
{
    const quint32 le = qToLittleEndian(v);
    m_out.append(reinterpret_cast<const char *>(&le), sizeof le);
}

void ByteWriter::i64(qint64 v)
{
    const quint64 le = qToLittleEndian(quint64(v));
    m_out.append(reinterpret_cast<const char *>(&le), sizeof le);
}

void ByteWriter::f64(double v)
{
    quint64 bits;
    std::memcpy(&bits, &v, sizeof bits);
    i64(qint64(bits));
}

void ByteWriter::blob32(const QByteArray &bytes)
{
    if (quint64(bytes.size()) > 0xFFFFFFFFull)
        throw WireError(u"Değer 4 GiB sınırını aşıyor."_s);
    u32(quint32(bytes.size()));
    m_out.append(bytes);
}

void ByteWriter::text16(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    if (utf8.size() > 0xFFFF)
        throw WireError(u"Ad 65535 baytı aşıyor."_s);
    u16(quint16(utf8.size()));
    m_out.append(utf8);
}

void ByteReader::need(qsizetype n) const
{
    if (n < 0 || m_size - m_pos < n)
        fail(u"veri eksik (kesik)"_s);
}

void ByteReader::fail(const QString &why) const
{
    throw WireError(u"Bozuk %1: %2, konum %3."_s.arg(m_what, why).arg(m_pos));
}

void ByteReader::expectEnd() const
{
    if (!atEnd())
        fail(u"sonunda fazladan %1 bayt"_s.arg(remaining()));
}

quint8 ByteReader::u8()
{
    need(1);
    return quint8(m_data[m_pos++]);
}

quint16 ByteReader::u16()
{
    need(2);
    const quint16 v = qFromLittleEndian<quint16>(m_data + m_pos);
    m_pos += 2;
    return v;
}

quint32 ByteReader::u32()
{
    need(4);
    const quint32 v = qFromLittleEndian<quint32>(m_data + m_pos);
    m_pos += 4;
    return v;
}

qint64 ByteReader::i64()
{
    need(8);
    const quint64 v = qFromLittleEndian<quint64>(m_data + m_pos);
    m_pos += 8;
    return qint64(v);
}

double ByteReader::f64()
{
    const quint64 bits = quint64(i64());
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

const char *ByteReader::take(qsizetype n)
{
    need(n);
    const char *p = m_data + m_pos;
    m_pos += n;
    return p;
}

QByteArray ByteReader::blob32()
{
    const quint32 n = u32();
    const char *p = take(qsizetype(n));
    return QByteArray(p, qsizetype(n));
}

QString ByteReader::utf8Text(const char *p, qsizetype n) const
{
    if (!isValidUtf8(p, n))
        fail(u"geçersiz UTF-8 metin"_s);
    return QString::fromUtf8(p, n);
}

QString ByteReader::text32()
{
    const quint32 n = u32();
    const char *p = take(qsizetype(n));
    return utf8Text(p, qsizetype(n));
}

QString ByteReader::text16()
{
    const quint16 n = u16();
    const char *p = take(qsizetype(n));
    return utf8Text(p, qsizetype(n));
}

bool isValidUtf8(const char *data, qsizetype size)
{
    const auto *s = reinterpret_cast<const unsigned char *>(data);
    qsizetype i = 0;
    while (i < size) {
        const unsigned char c = s[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int extra;
        quint32 cp;
        if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (size - i <= extra)
            return false;
        for (int k = 1; k <= extra; ++k) {
            const unsigned char cc = s[i + k];
            if ((cc & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        if ((extra == 2 && cp < 0x800) || (extra == 3 && cp < 0x10000) || cp > 0x10FFFF
            || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

} // namespace wire
