#include "workstation.h"

#include <QHash>

#include <stdexcept>

using namespace Qt::StringLiterals;

namespace workstation {

namespace {

// Two workstations of the distributor share one registration: their disk
// serials are mapped to one identifier.
const QHash<QString, QString> &overrideTable()
{
    static const QHash<QString, QString> table = {
        {u"S3Z9NB0K402113L"_s, u"VARKOMERKEZ01"_s},
        {u"S3Z9NB0K402158T"_s, u"VARKOMERKEZ01"_s},
    };
    return table;
}

QString withoutBlanks(QString text)
{
    text.remove(u' ');
    return text;
}

QString tryHelper(const std::function<QString()> &helper)
{
    try {
        return helper().trimmed();
    } catch (const std::exception &) {
        return QString();
    }
}

} // namespace

QString deviceIdFrom(const std::function<QString()> &diskSerial, const std::function<QString()> &macAddress)
{
    QString id = tryHelper(diskSerial);
    if (id.isEmpty())
        id = tryHelper(macAddress);
    id = withoutBlanks(id);
    return overrideTable().value(id, id);
}

} // namespace workstation

QString CihazKimligiAl()
{
    const QString forced = qEnvironmentVariable(workstation::kDeviceIdOverrideVariable).trimmed();
    if (!forced.isEmpty())
        return forced.simplified().remove(u' ');
    return workstation::deviceIdFrom(DiskSeriNoAl, MacAdresiAl);
}
