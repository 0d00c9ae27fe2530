// Workstation facts on Linux, read from the kernel's sysfs tree and the
// udev database rather than from Windows' WMI and NetBIOS.

#include "workstation.h"

#include <QDir>
#include <QFile>
#include <QNetworkInterface>
#include <QStandardPaths>
#include <QSysInfo>

#include <pwd.h>
#include <sys/types.h>
#include <unistd.h>

#include <stdexcept>

using namespace Qt::StringLiterals;

namespace workstation {

namespace {

QString &rootPath()
{
    static QString root = u"/"_s;
    return root;
}

QString sysPath(const QString &relative)
{
    return QDir(rootPath()).filePath(relative);
}

QString readTrimmed(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(f.readAll()).trimmed();
}

// whole disks only: no partitions, loop, RAM, device-mapper or optical drives
bool isPhysicalDisk(const QString &name)
{
    static const QStringList virtualPrefixes = {u"loop"_s, u"ram"_s, u"dm-"_s, u"zram"_s, u"sr"_s, u"md"_s, u"fd"_s};
    for (const QString &p : virtualPrefixes) {
        if (name.startsWith(p))
            return false;
    }
    return true;
}

// "ID_SERIAL_SHORT" of the disk's udev record, where udev keeps one
QString udevSerial(const QString &disk)
{
    const QString dev = readTrimmed(sysPath(u"sys/block/%1/dev"_s.arg(disk)));
    if (dev.isEmpty())
        return QString();
    QFile f(sysPath(u"run/udev/data/b%1"_s.arg(dev)));
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    QString serial;
    while (!f.atEnd()) {
        const QString line = QString::fromUtf8(f.readLine()).trimmed();
        if (line.startsWith(u"E:ID_SERIAL_SHORT="))
            return line.mid(18);
        if (line.startsWith(u"E:ID_SERIAL="))
            serial = line.mid(12);
    }
    return serial;
}

} // namespace

void setSystemInfoRoot(const QString &root)
{
    rootPath() = root;
}

QString systemInfoRoot()
{
    return rootPath();
}

} // namespace workstation

using workstation::readTrimmed;
using workstation::sysPath;

QString BilgisayarAdiAl()
{
    const QString name = QSysInfo::machineHostName().section(u'.', 0, 0);
    return name.size() > 15 ? QString() : name;
}

QString KullaniciAdiAl()
{
    QString name;
    if (const passwd *pw = getpwuid(geteuid()))
        name = QString::fromLocal8Bit(pw->pw_name);
    if (name.isEmpty())
        name = qEnvironmentVariable("USER");
    return name.size() >= 16 ? QString() : name;
}

QString IcIpAl()
{
    const auto interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &nic : interfaces) {
        const auto flags = nic.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) || flags.testFlag(QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry &entry : nic.addressEntries()) {
            if (entry.ip().protocol() == QAbstractSocket::IPv4Protocol)
                return entry.ip().toString();
        }
    }
    return u"127.0.0.1"_s;
}

QString DiskSeriNoAl()
{
    QDir block(sysPath(u"sys/block"_s));
    if (!block.exists())
        throw std::runtime_error("no block device information");
    QStringList disks = block.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System, QDir::Name);
    disks.erase(std::remove_if(disks.begin(), disks.end(), [](const QString &d) { return !workstation::isPhysicalDisk(d); }),
                disks.end());
    if (disks.isEmpty())
        return QString();
    // the first disk in name order plays the part of physical drive 0
    const QString disk = disks.first();
    for (const QString &file : {u"sys/block/%1/device/serial"_s, u"sys/block/%1/serial"_s}) {
        const QString serial = readTrimmed(sysPath(file.arg(disk)));
        if (!serial.isEmpty())
            return serial.toUpper();
    }
    return workstation::udevSerial(disk).toUpper();
}

QString MacAdresiAl()
{
    QDir net(sysPath(u"sys/class/net"_s));
    if (!net.exists())
        throw std::runtime_error("no network adapter information");
    QStringList adapters = net.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System, QDir::Name);
    adapters.removeAll(u"lo"_s);
    QString result;
    for (const QString &adapter : adapters) {
        const QString raw = readTrimmed(sysPath(u"sys/class/net/%1/address"_s.arg(adapter)));
        const QStringList pairs = raw.split(u':');
        if (pairs.size() != 6)
            break; // an adapter that cannot answer ends the search, as with the first status call
        result = pairs.join(u'-').toUpper();
        if (result != u"00-00-00-00-00-00")
            break;
    }
    return result;
}

QString VeriKlasoruAl()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const QString folder = QDir(base).filePath(u"varko"_s);
    QDir().mkpath(folder);
    return folder;
}

QString BelgelerKlasoruAl()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}
