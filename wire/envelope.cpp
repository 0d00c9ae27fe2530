#include "envelope.h"

#include "bytes.h"

#include <QJsonDocument>
#include <QJsonParseError>

#include <cmath>

using namespace Qt::StringLiterals;

namespace wire {

QStringList knownRecordTypes()
{
    return {TSonucBilgisi::typeName(),     TSiparisDipAyrinti::typeName(), TTusSonuclari::typeName(),
            TMobilCariBilgisi::typeName(), TAcilisEkran::typeName(),       TAcilisEkranlariki::typeName()};
}

namespace envelope_detail {

void appendJsonString(QByteArray &out, const QString &text)
{
    out += '"';
    const QByteArray utf8 = text.toUtf8();
    for (char c : utf8) {
        const auto u = static_cast<unsigned char>(c);
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        default:
            if (u < 0x20) {
                static const char hex[] = "0123456789abcdef";
                out += "\\u00";
                out += hex[u >> 4];
                out += hex[u & 15];
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

void appendJsonNumber(QByteArray &out, double v)
{
    // JSON has no NaN or infinity; they cannot be amounts anyway
    if (!std::isfinite(v))
        throw WireError(u"Sayı JSON'a yazılamaz (NaN ya da sonsuz)."_s);
    out += QByteArray::number(v, 'g', 17);
}

QJsonValue parseJson(const QByteArray &json)
{
    if (!isValidUtf8(json.constData(), json.size()))
        throw WireError(u"Nesne metni geçersiz UTF-8."_s);
    const QByteArray trimmed = json.trimmed();
    if (trimmed == "null")
        return QJsonValue(QJsonValue::Null);
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(trimmed, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        throw WireError(u"Nesne metni geçerli JSON değil: %1."_s.arg(error.errorString()));
    return doc.object();
}

QJsonObject fieldsOf(const QJsonValue &envelope, const QString &expectedType)
{
    if (!envelope.isObject())
        throw WireError(u"Nesne zarfı bir JSON nesnesi olmalı."_s);
    const QJsonObject o = envelope.toObject();
    const QString type = o.value(u"type"_s).toString();
    if (type != expectedType) {
        if (knownRecordTypes().contains(type))
            throw WireError(u"Beklenen nesne türü %1, gelen %2."_s.arg(expectedType, type));
        throw WireError(u"Bilinmeyen nesne türü \"%1\" yeniden kurulamaz."_s.arg(type));
    }
    if (!o.value(u"id"_s).isDouble())
        throw WireError(u"Nesne zarfında \"id\" yok."_s);
    const QJsonValue fields = o.value(u"fields"_s);
    if (!fields.isObject())
        throw WireError(u"Nesne zarfında \"fields\" yok."_s);
    return fields.toObject();
}

void badField(const char *name, const char *expected)
{
    throw WireError(u"%1 alanı %2 olmalı."_s.arg(QString::fromUtf8(name), QString::fromUtf8(expected)));
}

} // namespace envelope_detail
} // namespace wire
