#include "frame.h"

#include "bytes.h"
#include "wireerror.h"

#include <QtEndian>

using namespace Qt::StringLiterals;

namespace wire {

QByteArray encodeFrame(quint8 type, const QByteArray &payload)
{
    if (quint64(payload.size()) > frame::kDefaultMaxPayload)
        throw WireError(u"İleti çok büyük: %1 bayt (sınır %2)."_s.arg(payload.size()).arg(frame::kDefaultMaxPayload));
    QByteArray out;
    out.reserve(frame::kHeaderSize + payload.size());
    ByteWriter w(out);
    w.u8(quint8(frame::kMagic0));
    w.u8(quint8(frame::kMagic1));
    w.u8(frame::kVersion);
    w.u8(type);
    w.u32(quint32(payload.size()));
    out.append(payload);
    return out;
}

std::optional<Frame> FrameReader::next()
{
    const qsizetype available = m_buffer.size() - m_start;
    if (available < frame::kHeaderSize)
        return std::nullopt;
    const char *h = m_buffer.constData() + m_start;
    if (h[0] != frame::kMagic0 || h[1] != frame::kMagic1)
        throw WireError(u"Bozuk çerçeve: tanınmayan başlık."_s);
    if (quint8(h[2]) != frame::kVersion)
        throw WireError(u"Bozuk çerçeve: desteklenmeyen sürüm %1."_s.arg(quint8(h[2])));
    const quint8 type = quint8(h[3]);
    if (type != frame::kRequest && type != frame::kResult && type != frame::kError)
        throw WireError(u"Bozuk çerçeve: bilinmeyen tür %1."_s.arg(type));
    const quint32 length = qFromLittleEndian<quint32>(h + 4);
    if (length > m_maxPayload)
        throw WireError(u"İleti çok büyük: %1 bayt (sınır %2)."_s.arg(length).arg(m_maxPayload));
    if (available - frame::kHeaderSize < qsizetype(length))
        return std::nullopt;

    Frame f;
    f.type = type;
    f.payload = m_buffer.mid(m_start + frame::kHeaderSize, length);
    m_start += frame::kHeaderSize + length;
    // compact now and then so a long-lived connection does not grow forever
    if (m_start == m_buffer.size()) {
        m_buffer.clear();
        m_start = 0;
    } else if (m_start > (1 << 20)) {
        m_buffer.remove(0, m_start);
        m_start = 0;
    }
    return f;
}

void FrameReader::clear()
{
    m_buffer.clear();
    m_start = 0;
}

} // namespace wire
