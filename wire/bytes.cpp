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

namespace {

// A table-driven check: one lookup per byte, no branches on the bytes
// themselves, which matters for text where Turkish letters are scattered
// between ASCII ones.
enum Utf8State : quint8 { Accept, Reject, Need1, Need2, Need3, AfterE0, AfterED, AfterF0, AfterF4, StateCount };
enum Utf8Class : quint8 { Ascii, Cont80, Cont90, ContA0, Lead2, LeadE0, Lead3, LeadED, LeadF0, Lead4, LeadF4, Bad,
                          ClassCount };

struct Utf8Tables
{
    quint8 byteClass[256];
    quint8 next[int(StateCount) * int(ClassCount)];

    constexpr Utf8Tables() : byteClass{}, next{}
    {
        for (int b = 0; b < 256; ++b) {
            quint8 c = Bad;
            if (b < 0x80) c = Ascii;
            else if (b < 0x90) c = Cont80;
            else if (b < 0xA0) c = Cont90;
            else if (b < 0xC0) c = ContA0;
            else if (b < 0xC2) c = Bad; // overlong two-byte forms
            else if (b < 0xE0) c = Lead2;
            else if (b == 0xE0) c = LeadE0;
            else if (b == 0xED) c = LeadED;
            else if (b < 0xF0) c = Lead3;
            else if (b == 0xF0) c = LeadF0;
            else if (b < 0xF4) c = Lead4;
            else if (b == 0xF4) c = LeadF4;
            byteClass[b] = c;
        }
        for (int i = 0; i < int(StateCount) * int(ClassCount); ++i)
            next[i] = Reject;
        auto set = [this](int state, int cls, quint8 to) { next[state * int(ClassCount) + cls] = to; };
        set(Accept, Ascii, Accept);
        set(Accept, Lead2, Need1);
        set(Accept, LeadE0, AfterE0);
        set(Accept, Lead3, Need2);
        set(Accept, LeadED, AfterED);
        set(Accept, LeadF0, AfterF0);
        set(Accept, Lead4, Need3);
        set(Accept, LeadF4, AfterF4);
        for (int cont : {Cont80, Cont90, ContA0}) {
            set(Need1, cont, Accept);
            set(Need2, cont, Need1);
            set(Need3, cont, Need2);
        }
        set(AfterE0, ContA0, Need1);              // no overlong three-byte forms
        set(AfterED, Cont80, Need1);              // no surrogates
        set(AfterED, Cont90, Need1);
        set(AfterF0, Cont90, Need2);              // no overlong four-byte forms
        set(AfterF0, ContA0, Need2);
        set(AfterF4, Cont80, Need2);              // nothing above U+10FFFF
    }
};

constexpr Utf8Tables kUtf8;

} // namespace

bool isValidUtf8(const char *data, qsizetype size)
{
    const auto *s = reinterpret_cast<const unsigned char *>(data);
    quint8 state = Accept;
    for (qsizetype i = 0; i < size; ++i)
        state = kUtf8.next[state * int(ClassCount) + kUtf8.byteClass[s[i]]];
    return state == Accept;
}

} // namespace wire
