#pragma once

#include "message.h"

#include <QList>
#include <QString>

namespace wire {

inline const QString kCommandPrefix = QStringLiteral("TServerMethods1.");

struct ParamSpec
{
    QString name;
    ValueKind kind;
    bool out = false; // output parameters are answered, never sent
};

// One server method: its name, parameters in ordinal order and answer.
struct MethodSpec
{
    QString name;
    QList<ParamSpec> params;
    ValueKind result = ValueKind::Null; // Null: the method answers nothing
    QString resultType;                 // qualified record name of an object answer

    QString commandText() const;
    int resultOrdinal() const;
    int inputCount() const;
};

// The 50 server methods this client calls, letter for letter.
const QList<MethodSpec> &methodCatalogue();
// nullptr for a command text the catalogue does not hold
const MethodSpec *findMethod(QStringView commandText);
// empty when the request's inputs match the method, else the reason
QString checkRequest(const MethodSpec &method, const Request &request);

} // namespace wire
