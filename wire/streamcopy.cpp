#include "streamcopy.h"

#include <QBuffer>

namespace wire {

std::optional<QByteArray> takeStream(QIODevice &stream, qint64 announcedCount)
{
    if (announcedCount <= 0)
        return std::nullopt;
    if (!stream.isOpen() && !stream.open(QIODevice::ReadOnly))
        return std::nullopt;
    if (!stream.isSequential())
        stream.seek(0);
    QByteArray out;
    char block[kStreamBlockSize];
    for (;;) {
        const qint64 n = stream.read(block, kStreamBlockSize);
        if (n > 0)
            out.append(block, qsizetype(n));
        if (n < kStreamBlockSize)
            break;
        // never hold more than was announced: a lying server cannot make
        // the client swallow an endless stream
        if (out.size() > announcedCount)
            return std::nullopt;
    }
    if (out.size() != announcedCount)
        return std::nullopt;
    return out;
}

std::optional<QByteArray> takeStream(const QByteArray &stream, qint64 announcedCount)
{
    QByteArray copy = stream;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return takeStream(buffer, announcedCount);
}

} // namespace wire
