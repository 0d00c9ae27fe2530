#include "helpers.h"

#include "workstation.h"

#include "wire/dataset.h"
#include "wire/decimal.h"

#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

#ifdef Q_OS_WIN
#include <windows.h>
#pragma comment(lib, "version.lib")
#endif

using namespace Qt::StringLiterals;

void ParaBicimiVer(wire::DataSet &dataSet)
{
    dataSet.setFloatDisplayFormat(kParaBicimi);
}

bool DoluMu(const wire::DataSet &dataSet)
{
    return dataSet.isActive() && !dataSet.isEmpty();
}

bool SeciliVarMi(wire::DataSet &dataSet)
{
    if (!DoluMu(dataSet))
        return false;
    for (dataSet.first(); !dataSet.eof(); dataSet.next()) {
        if (dataSet.fieldValue(u"SEC").toInt() == 1)
            return true;
    }
    return false;
}

double SayiyaCevir(double value)
{
    return wire::round2(value);
}

QString UrlKodla(const QString &url)
{
    return QString::fromLatin1(QUrl(url, QUrl::TolerantMode).toEncoded());
}

QString ChromeYoluBul()
{
#ifdef Q_OS_WIN
    const QStringList candidates = {
        u"C:\\Program Files (x86)\\Google\\Chrome\\Application\\chrome.exe"_s,
        u"C:\\Program Files (x86)\\Google\\Application\\chrome.exe"_s,
        u"C:\\Program Files\\Google\\Chrome\\Application\\chrome.exe"_s,
        u"C:\\Program Files\\Google\\Chrome\\chrome.exe"_s,
        u"C:\\Users\\"_s + KullaniciAdiAl() + u"\\AppData\\Local\\Google\\Chrome\\Application\\chrome.exe"_s,
    };
    for (const QString &path : candidates) {
        if (QFileInfo::exists(path))
            return path;
    }
    return QString();
#else
    for (const QString &name : {u"chromium"_s, u"chromium-browser"_s, u"google-chrome"_s, u"google-chrome-stable"_s}) {
        const QString path = QStandardPaths::findExecutable(name);
        if (!path.isEmpty())
            return path;
    }
    return QString();
#endif
}

int IESurumuAl()
{
#ifdef Q_OS_WIN
    QString path = u"C:\\Program Files (x86)\\Internet Explorer\\IEXPLORE.EXE"_s;
    if (!QFileInfo::exists(path))
        path = u"C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE"_s;
    if (!QFileInfo::exists(path))
        return 0;
    const std::wstring file = path.toStdWString();
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(file.c_str(), &handle);
    if (size == 0)
        return 0;
    QByteArray data(int(size), Qt::Uninitialized);
    if (!GetFileVersionInfoW(file.c_str(), 0, size, data.data()))
        return 0;
    VS_FIXEDFILEINFO *info = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data.data(), L"\\", reinterpret_cast<void **>(&info), &length) || !info)
        return 0;
    return int(HIWORD(info->dwFileVersionMS));
#else
    return 0; // there is no Internet Explorer outside Windows
#endif
}
