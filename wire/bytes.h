#pragma once

#include "wireerror.h"

#include <QByteArray>
#include <QString>

namespace wire {

// Little-endian writer used by every encoder of the protocol.
class ByteWriter
{
public:
    explicit ByteWriter(QByteArray &out) : m_out(out) {}

    void u8(quint8 v) { m_out.append(char(v)); }
    void u16(quint16 v);
    void u32(quint32 v);
    void i32(qint32 v) { u32(quint32(v)); }
    void i64(qint64 v);
    void f64(double v);
    void raw(const char *data, qsizetype size) { m_out.append(data, size); }
    // u32 byte count, then the bytes
    void blob32(const QByteArray &bytes);
    // u32 byte count, then UTF-8
    void text32(const QString &text) { blob32(text.toUtf8()); }
    // u16 byte count, then UTF-8; longer texts are refused
    void text16(const QString &text);

    qsizetype size() const { return m_out.size(); }
    QByteArray &buffer() { return m_out; }

private:
    QByteArray &m_out;
};

// Bounds-checked little-endian reader: running past the end raises a
// WireError naming what was being read, never reads out of bounds.
class ByteReader
{
public:
    ByteReader(const char *data, qsizetype size, const QString &what)
        : m_data(data), m_size(size), m_what(what)
    {}

    quint8 u8();
    quint16 u16();
    quint32 u32();
    qint32 i32() { return qint32(u32()); }
    qint64 i64();
    double f64();
    // returns a pointer into the buffer, valid as long as the buffer is
    const char *take(qsizetype n);
    QByteArray blob32();
    QString text32();
    QString text16();

    qsizetype pos() const { return m_pos; }
    qsizetype remaining() const { return m_size - m_pos; }
    bool atEnd() const { return m_pos == m_size; }
    void expectEnd() const;
    [[noreturn]] void fail(const QString &why) const;

private:
    void need(qsizetype n) const;
    QString utf8Text(const char *p, qsizetype n) const;

    const char *m_data;
    qsizetype m_size;
    qsizetype m_pos = 0;
    QString m_what;
};

// Strict UTF-8 check: no overlong forms, no surrogates, nothing above U+10FFFF.
bool isValidUtf8(const char *data, qsizetype size);

} // namespace wire
