#pragma once

#include "records.h"
#include "wireerror.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>

#include <cmath>
#include <optional>

// The object envelope of a record:
//   {"type":"<unit>.<class>","id":<n>,"fields":{"F...":..., ...}}
// Members and fields are written in declaration order, so the envelope is
// written by hand: QJsonObject would sort the keys.

namespace wire {

namespace envelope_detail {

void appendJsonString(QByteArray &out, const QString &text);
void appendJsonNumber(QByteArray &out, double v);
// parses text as one JSON value; raises a WireError when it is not JSON
QJsonValue parseJson(const QByteArray &json);
// checks "type" against the expected name; raises for unknown or other types
QJsonObject fieldsOf(const QJsonValue &envelope, const QString &expectedType);
[[noreturn]] void badField(const char *name, const char *expected);

class Writer
{
public:
    template<class R>
    void record(const R &r)
    {
        m_out += "{\"type\":";
        appendJsonString(m_out, R::typeName());
        m_out += ",\"id\":" + QByteArray::number(m_nextId++) + ",\"fields\":{";
        m_firstField = true;
        R::visit(r, *this);
        m_out += "}}";
    }

    void operator()(const char *name, const QString &v) { key(name); appendJsonString(m_out, v); }
    void operator()(const char *name, int v) { key(name); m_out += QByteArray::number(v); }
    void operator()(const char *name, double v) { key(name); appendJsonNumber(m_out, v); }
    void operator()(const char *name, bool v) { key(name); m_out += v ? "true" : "false"; }

    template<class R>
    void operator()(const char *name, const QList<R> &list)
    {
        key(name);
        m_out += '[';
        for (qsizetype i = 0; i < list.size(); ++i) {
            if (i > 0)
                m_out += ',';
            record(list[i]);
        }
        m_out += ']';
        m_firstField = false;
    }

    QByteArray take() { return std::move(m_out); }

private:
    void key(const char *name)
    {
        if (!m_firstField)
            m_out += ',';
        m_firstField = false;
        m_out += '"';
        m_out += name;
        m_out += "\":";
    }

    QByteArray m_out;
    int m_nextId = 1;
    bool m_firstField = true;
};

class Reader
{
public:
    explicit Reader(const QJsonObject &fields) : m_fields(fields) {}

    template<class R>
    static R record(const QJsonValue &envelope)
    {
        R r;
        Reader reader(fieldsOf(envelope, R::typeName()));
        R::visit(r, reader);
        return r;
    }

    // a field the envelope lacks keeps its default
    void operator()(const char *name, QString &v)
    {
        const QJsonValue j = m_fields.value(QLatin1StringView(name));
        if (j.isUndefined() || j.isNull())
            return;
        if (!j.isString())
            badField(name, "metin");
        v = j.toString();
    }
    void operator()(const char *name, int &v)
    {
        const QJsonValue j = m_fields.value(QLatin1StringView(name));
        if (j.isUndefined() || j.isNull())
            return;
        const double d = j.toDouble();
        // range first: converting an out-of-range double is undefined
        if (!j.isDouble() || !(d >= -2147483648.0 && d <= 2147483647.0) || d != std::trunc(d))
            badField(name, "32 bit tamsayı");
        v = int(d);
    }
    void operator()(const char *name, double &v)
    {
        const QJsonValue j = m_fields.value(QLatin1StringView(name));
        if (j.isUndefined() || j.isNull())
            return;
        if (!j.isDouble())
            badField(name, "sayı");
        v = j.toDouble();
    }
    void operator()(const char *name, bool &v)
    {
        const QJsonValue j = m_fields.value(QLatin1StringView(name));
        if (j.isUndefined() || j.isNull())
            return;
        if (!j.isBool())
            badField(name, "true/false");
        v = j.toBool();
    }
    template<class R>
    void operator()(const char *name, QList<R> &list)
    {
        const QJsonValue j = m_fields.value(QLatin1StringView(name));
        if (j.isUndefined() || j.isNull())
            return;
        if (!j.isArray())
            badField(name, "dizi");
        list.clear();
        const QJsonArray items = j.toArray();
        list.reserve(items.size());
        for (const QJsonValue &item : items)
            list.append(record<R>(item));
    }

private:
    QJsonObject m_fields;
};

} // namespace envelope_detail

// The envelope of a record, ids counting from 1 for the outermost object.
template<class R>
QByteArray marshal(const R &record)
{
    envelope_detail::Writer w;
    w.record(record);
    return w.take();
}

// Rebuilds a record from its envelope. JSON null gives no record; an
// envelope of an unknown or another type, or a field of the wrong kind,
// raises a WireError.
template<class R>
std::optional<R> unmarshal(const QByteArray &json)
{
    const QJsonValue v = envelope_detail::parseJson(json);
    if (v.isNull())
        return std::nullopt;
    return envelope_detail::Reader::record<R>(v);
}

} // namespace wire
