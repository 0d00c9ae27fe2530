// Workstation facts on Windows: WMI for the disk serial, NetBIOS for the
// adapter address, Windows sockets for the local address, shell folders.

#include "workstation.h"

#include <QDir>

#include <stdexcept>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <winsock2.h>
#include <ws2tcpip.h>
#include <nb30.h>
#include <shlobj.h>
#include <wbemidl.h>
#include <comdef.h>
#include <lmcons.h>

#pragma comment(lib, "ws2_32.lib")
#pragma comment(lib, "netapi32.lib")
#pragma comment(lib, "wbemuuid.lib")
#pragma comment(lib, "ole32.lib")
#pragma comment(lib, "oleaut32.lib")
#pragma comment(lib, "shell32.lib")

using namespace Qt::StringLiterals;

namespace {

// COM for the calling thread, released again however the query ends
class ComScope
{
public:
    ComScope() : m_ok(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComScope()
    {
        if (m_ok)
            CoUninitialize();
    }

private:
    bool m_ok;
};

template<class T>
class ComPtr
{
public:
    ~ComPtr()
    {
        if (p)
            p->Release();
    }
    T *p = nullptr;
};

void check(HRESULT hr, const char *what)
{
    if (FAILED(hr))
        throw std::runtime_error(what);
}

QString shellFolder(int csidl)
{
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)))
        return QString();
    return QString::fromWCharArray(path);
}

} // namespace

QString BilgisayarAdiAl()
{
    wchar_t name[16] = {};
    DWORD size = 16;
    if (!GetComputerNameW(name, &size))
        return QString();
    return QString::fromWCharArray(name, int(size));
}

QString KullaniciAdiAl()
{
    wchar_t name[16] = {};
    DWORD size = 16;
    if (!GetUserNameW(name, &size))
        return QString();
    return QString::fromWCharArray(name);
}

QString IcIpAl()
{
    WSADATA data;
    if (WSAStartup(MAKEWORD(1, 1), &data) != 0)
        return u"127.0.0.1"_s;
    QString result;
    char host[256] = {};
    if (gethostname(host, sizeof host) == 0) {
        addrinfo hints = {};
        hints.ai_family = AF_INET;
        addrinfo *info = nullptr;
        if (getaddrinfo(host, nullptr, &hints, &info) == 0 && info) {
            char text[INET_ADDRSTRLEN] = {};
            const auto *addr = reinterpret_cast<const sockaddr_in *>(info->ai_addr);
            if (inet_ntop(AF_INET, &addr->sin_addr, text, sizeof text))
                result = QString::fromLatin1(text);
            freeaddrinfo(info);
        }
    }
    WSACleanup();
    return result;
}

QString DiskSeriNoAl()
{
    ComScope com;
    // may already have been set for this process; either way the query can go on
    CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_DEFAULT, RPC_C_IMP_LEVEL_IMPERSONATE,
                         nullptr, EOAC_NONE, nullptr);

    ComPtr<IWbemLocator> locator;
    check(CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                           reinterpret_cast<void **>(&locator.p)),
          "WMI locator");
    ComPtr<IWbemServices> services;
    check(locator.p->ConnectServer(_bstr_t(L"\\\\localhost\\root\\CIMV2"), nullptr, nullptr, nullptr, 0, nullptr,
                                   nullptr, &services.p),
          "WMI service");
    check(CoSetProxyBlanket(services.p, RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr, RPC_C_AUTHN_LEVEL_CALL,
                            RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE),
          "WMI proxy");

    // WQL wants every backslash of the device path doubled
    ComPtr<IEnumWbemClassObject> rows;
    check(services.p->ExecQuery(
              _bstr_t(L"WQL"),
              _bstr_t(L"SELECT SerialNumber FROM Win32_DiskDrive WHERE DeviceID = \"\\\\\\\\.\\\\PHYSICALDRIVE0\""),
              WBEM_FLAG_FORWARD_ONLY | WBEM_FLAG_RETURN_IMMEDIATELY, nullptr, &rows.p),
          "WMI query");

    QString serial;
    for (;;) {
        ComPtr<IWbemClassObject> row;
        ULONG returned = 0;
        if (FAILED(rows.p->Next(WBEM_INFINITE, 1, &row.p, &returned)) || returned == 0)
            break;
        VARIANT value;
        VariantInit(&value);
        if (SUCCEEDED(row.p->Get(L"SerialNumber", 0, &value, nullptr, nullptr)) && value.vt == VT_BSTR)
            serial = QString::fromWCharArray(value.bstrVal).toUpper(); // the last row wins
        VariantClear(&value);
    }
    return serial;
}

QString MacAdresiAl()
{
    NCB ncb = {};
    LANA_ENUM adapters = {};
    ncb.ncb_command = NCBENUM;
    ncb.ncb_buffer = reinterpret_cast<UCHAR *>(&adapters);
    ncb.ncb_length = sizeof adapters;
    if (Netbios(&ncb) != NRC_GOODRET)
        throw std::runtime_error("NetBIOS adapter list");

    struct
    {
        ADAPTER_STATUS status;
        NAME_BUFFER names[30];
    } info;

    QString result;
    for (int i = 0; i < adapters.length; ++i) {
        ncb = {};
        ncb.ncb_command = NCBRESET;
        ncb.ncb_lana_num = adapters.lana[i];
        Netbios(&ncb);

        ncb = {};
        ZeroMemory(&info, sizeof info);
        ncb.ncb_command = NCBASTAT;
        ncb.ncb_lana_num = adapters.lana[i];
        memcpy(ncb.ncb_callname, "*               ", NCBNAMSZ);
        ncb.ncb_buffer = reinterpret_cast<UCHAR *>(&info);
        ncb.ncb_length = 60;
        const UCHAR rc = Netbios(&ncb);
        if (rc == NRC_GOODRET || rc == NRC_INCOMP) {
            const UCHAR *a = info.status.adapter_address;
            result = QString::asprintf("%02X-%02X-%02X-%02X-%02X-%02X", a[0], a[1], a[2], a[3], a[4], a[5]);
        }
        if (result != u"00-00-00-00-00-00")
            break;
    }
    return result;
}

QString VeriKlasoruAl()
{
    const QString folder = shellFolder(CSIDL_APPDATA) + u"\\varko"_s;
    QDir().mkdir(folder);
    return folder;
}

QString BelgelerKlasoruAl()
{
    return shellFolder(CSIDL_PERSONAL);
}
