#include "webaddresses.h"

#include <QMutex>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace adresler {

namespace {

constexpr quint16 kPort = 9090;

QMutex &lock()
{
    static QMutex m;
    return m;
}

AdresSeti &current()
{
    static AdresSeti set = genelSet();
    return set;
}

QString withTrailingSlash(QString url)
{
    if (!url.endsWith(u'/'))
        url += u'/';
    return url;
}

} // namespace

AdresSeti genelSet()
{
    AdresSeti set{u"b2b.varko.com.tr"_s, kPort, u"http://b2b.varko.com.tr/"_s};
    const QString server = qEnvironmentVariable("VARKO_SUNUCU").trimmed();
    if (!server.isEmpty()) {
        const qsizetype colon = server.lastIndexOf(u':');
        bool ok = false;
        const uint port = colon > 0 ? server.mid(colon + 1).toUInt(&ok) : 0;
        if (ok && port > 0 && port <= 65535) {
            set.sunucu = server.left(colon);
            set.port = quint16(port);
        } else {
            set.sunucu = server;
        }
    }
    const QString web = qEnvironmentVariable("VARKO_WEB").trimmed();
    if (!web.isEmpty())
        set.web = withTrailingSlash(web);
    return set;
}

AdresSeti icSet()
{
    return {u"sunucu.varko.local"_s, kPort, u"http://sunucu.varko.local/"_s};
}

QString icDisAdres()
{
    return u"85.105.10.20varko"_s;
}

QString ipServisiAdresi()
{
    const QString configured = qEnvironmentVariable("VARKO_IP_SERVISI").trimmed();
    return configured.isEmpty() ? u"http://ip.varko.com.tr/ip"_s : configured;
}

QString genelWebSunucuAdi()
{
    return QUrl(genelSet().web).host();
}

void GenelAdresleriKullan()
{
    QMutexLocker locker(&lock());
    current() = genelSet();
}

void IcAdresleriKullan()
{
    QMutexLocker locker(&lock());
    current() = icSet();
}

QString sunucuadresi()
{
    QMutexLocker locker(&lock());
    return current().sunucu;
}

quint16 sunucuportu()
{
    QMutexLocker locker(&lock());
    return current().port;
}

QString webadresi()
{
    QMutexLocker locker(&lock());
    return current().web;
}

QString resimadresi()
{
    return webadresi() + u"resimgoster.ashx?id="_s;
}

} // namespace adresler
