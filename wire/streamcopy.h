#pragma once

#include <QByteArray>
#include <QIODevice>

#include <optional>

namespace wire {

constexpr int kStreamBlockSize = 1024;

// Takes a stream answer: rewinds it, copies it in 1024-byte blocks until a
// read returns fewer, and hands the bytes over only when their total equals
// the announced count. A count of 0 reads nothing. No data otherwise.
std::optional<QByteArray> takeStream(QIODevice &stream, qint64 announcedCount);
// the same over bytes already received
std::optional<QByteArray> takeStream(const QByteArray &stream, qint64 announcedCount);

} // namespace wire
