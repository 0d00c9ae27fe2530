#pragma once

#include <QByteArray>

#include <optional>

namespace wire {

// Every message travels as one frame:
//   'V' 'B' | version (1) | type | u32 payload length (LE) | payload
namespace frame {
constexpr char kMagic0 = 'V';
constexpr char kMagic1 = 'B';
constexpr quint8 kVersion = 1;
constexpr int kHeaderSize = 8;
constexpr quint8 kRequest = 0x01;
constexpr quint8 kResult = 0x02;
constexpr quint8 kError = 0x03;
// Larger frames are refused before their payload is read.
constexpr quint32 kDefaultMaxPayload = 256u * 1024u * 1024u;
} // namespace frame

struct Frame
{
    quint8 type = 0;
    QByteArray payload;
};

QByteArray encodeFrame(quint8 type, const QByteArray &payload);

// Collects bytes as they arrive and cuts them into frames. A bad header
// (wrong magic, version, type or an oversized length) raises a WireError;
// after that the stream cannot be resynchronised and must be closed.
class FrameReader
{
public:
    explicit FrameReader(quint32 maxPayload = frame::kDefaultMaxPayload) : m_maxPayload(maxPayload) {}

    void append(const char *data, qsizetype size) { m_buffer.append(data, size); }
    void append(const QByteArray &bytes) { m_buffer.append(bytes); }
    // the next whole frame, or nothing while it is still incomplete
    std::optional<Frame> next();
    // bytes that do not yet form a whole frame
    qsizetype pending() const { return m_buffer.size() - m_start; }
    void clear();

private:
    QByteArray m_buffer;
    qsizetype m_start = 0;
    quint32 m_maxPayload;
};

} // namespace wire
