#pragma once

#include "value.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace wire {

// A parameter or result addressed by its ordinal: the method's parameters
// count from 0 in declared order, the result is at ordinal n.
struct Param
{
    quint16 ordinal = 0;
    Value value;
};

struct Request
{
    QString command; // "TServerMethods1." + method name
    QList<Param> params; // the input parameters
};

struct Response
{
    bool ok = true;
    QString error; // when !ok: the server's error text
    QList<Param> values; // output parameters and result

    static Response failure(const QString &text);
    // nullptr when the ordinal is absent
    const Value *at(int ordinal) const;
};

// Payload codecs; each decoder raises a WireError on anything malformed.
QByteArray encodeRequest(const Request &request);
Request decodeRequest(const QByteArray &payload);
QByteArray encodeResponse(const Response &response);
// the frame type tells a result from an error
Response decodeResponse(quint8 frameType, const QByteArray &payload);

void writeValue(class ByteWriter &out, const Value &value);
Value readValue(class ByteReader &in);

} // namespace wire
