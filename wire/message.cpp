#include "message.h"

#include "bytes.h"
#include "frame.h"
#include "wireerror.h"

using namespace Qt::StringLiterals;

namespace wire {

namespace {

constexpr int kMaxParams = 1024;

void writeParams(ByteWriter &w, const QList<Param> &params)
{
    if (params.size() > kMaxParams)
        throw WireError(u"Çok fazla parametre: %1."_s.arg(params.size()));
    w.u16(quint16(params.size()));
    for (const Param &p : params) {
        w.u16(p.ordinal);
        writeValue(w, p.value);
    }
}

QList<Param> readParams(ByteReader &r)
{
    const quint16 count = r.u16();
    if (count > kMaxParams)
        r.fail(u"çok fazla parametre (%1)"_s.arg(count));
    QList<Param> params;
    params.reserve(count);
    int previous = -1;
    for (int i = 0; i < count; ++i) {
        Param p;
        p.ordinal = r.u16();
        if (int(p.ordinal) <= previous)
            r.fail(u"sıra numaraları artan sırada değil"_s);
        previous = p.ordinal;
        p.value = readValue(r);
        params.append(std::move(p));
    }
    return params;
}

} // namespace

Response Response::failure(const QString &text)
{
    Response r;
    r.ok = false;
    r.error = text;
    return r;
}

const Value *Response::at(int ordinal) const
{
    for (const Param &p : values) {
        if (p.ordinal == ordinal)
            return &p.value;
    }
    return nullptr;
}

void writeValue(ByteWriter &w, const Value &v)
{
    w.u8(quint8(v.kind()));
    switch (v.kind()) {
    case ValueKind::Null: break;
    case ValueKind::Integer: w.i32(v.toInteger()); break;
    case ValueKind::String: w.text32(v.toString()); break;
    case ValueKind::Double: w.f64(v.toDouble()); break;
    case ValueKind::Boolean: w.u8(v.toBoolean() ? 1 : 0); break;
    case ValueKind::Int64: w.i64(v.toInt64()); break;
    case ValueKind::DataPacket:
    case ValueKind::Reader:
    case ValueKind::Stream:
    case ValueKind::Object: w.blob32(v.bytes()); break;
    }
}

Value readValue(ByteReader &r)
{
    const quint8 tag = r.u8();
    if (!isKnownKind(tag))
        r.fail(u"bilinmeyen değer türü %1"_s.arg(tag));
    switch (ValueKind(tag)) {
    case ValueKind::Null: return Value();
    case ValueKind::Integer: return Value::integer(r.i32());
    case ValueKind::String: return Value::string(r.text32());
    case ValueKind::Double: return Value::real(r.f64());
    case ValueKind::Boolean: {
        const quint8 b = r.u8();
        if (b > 1)
            r.fail(u"mantıksal değer 0 ya da 1 olmalı"_s);
        return Value::boolean(b == 1);
    }
    case ValueKind::Int64: return Value::int64(r.i64());
    case ValueKind::DataPacket: return Value::dataPacket(r.blob32());
    case ValueKind::Reader: return Value::reader(r.blob32());
    case ValueKind::Stream: return Value::stream(r.blob32());
    case ValueKind::Object: {
        const QByteArray json = r.blob32();
        if (!isValidUtf8(json.constData(), json.size()))
            r.fail(u"nesne metni geçersiz UTF-8"_s);
        return Value::object(json);
    }
    }
    return Value();
}

QByteArray encodeRequest(const Request &request)
{
    QByteArray out;
    ByteWriter w(out);
    w.text32(request.command);
    writeParams(w, request.params);
    return out;
}

Request decodeRequest(const QByteArray &payload)
{
    ByteReader r(payload.constData(), payload.size(), u"istek"_s);
    Request request;
    request.command = r.text32();
    request.params = readParams(r);
    r.expectEnd();
    return request;
}

QByteArray encodeResponse(const Response &response)
{
    QByteArray out;
    ByteWriter w(out);
    if (!response.ok)
        w.text32(response.error);
    else
        writeParams(w, response.values);
    return out;
}

Response decodeResponse(quint8 frameType, const QByteArray &payload)
{
    ByteReader r(payload.constData(), payload.size(), u"yanıt"_s);
    Response response;
    if (frameType == frame::kError) {
        response.ok = false;
        response.error = r.text32();
    } else if (frameType == frame::kResult) {
        response.values = readParams(r);
    } else {
        r.fail(u"yanıt çerçevesi beklenirken tür %1 geldi"_s.arg(frameType));
    }
    r.expectEnd();
    return response;
}

} // namespace wire
