#include "serverconnection.h"

#include "wire/rpcclient.h"
#include "wire/wireerror.h"

using namespace Qt::StringLiterals;

const QString ServerConnection::kCommunicationProtocol = u"CommunicationProtocol"_s;
const QString ServerConnection::kPort = u"Port"_s;
const QString ServerConnection::kHostName = u"HostName"_s;
const QString ServerConnection::kDatasnapContext = u"DatasnapContext"_s;
const QString ServerConnection::kFilters = u"Filters"_s;
const QString ServerConnection::kDSProxyPort = u"DSProxyPort"_s;

ServerConnection::ServerConnection()
    : m_driverName(u"DataSnap"_s)
    , m_connectionName(u"DataSnapCONNECTION"_s)
{
    m_params.insert(kCommunicationProtocol, u"tcp/ip"_s);
    m_params.insert(kPort, u"9090"_s);
    m_params.insert(kHostName, QString());
    m_params.insert(kDatasnapContext, u"datasnap/"_s);
    // no transport filters: no compression, no encryption
    m_params.insert(kFilters, u"{}"_s);
    // carried for completeness; plain tcp/ip never goes through a proxy
    m_params.insert(kDSProxyPort, u"8090"_s);
}

ServerConnection::~ServerConnection() = default;

quint16 ServerConnection::port() const
{
    bool ok = false;
    const uint value = param(kPort).trimmed().toUInt(&ok);
    return ok && value <= 65535 ? quint16(value) : quint16(0);
}

void ServerConnection::open()
{
    if (isOpen())
        return;
    const QString host = hostName().trimmed();
    if (host.isEmpty())
        throw wire::WireError(u"Sunucu adresi belirtilmedi."_s);
    const quint16 p = port();
    if (p == 0)
        throw wire::WireError(u"Geçersiz sunucu portu: \"%1\"."_s.arg(param(kPort)));
    auto client = std::make_unique<wire::RpcClient>();
    client->connectTo(host, p, m_connectTimeoutMs);
    m_client = std::move(client);
}

void ServerConnection::close()
{
    m_client.reset();
}

bool ServerConnection::isOpen() const
{
    return m_client && m_client->isConnected();
}

std::unique_ptr<ServerConnection> ServerConnection::clone() const
{
    auto copy = std::make_unique<ServerConnection>();
    copy->m_driverName = m_driverName;
    copy->m_connectionName = m_connectionName;
    copy->m_loginPrompt = m_loginPrompt;
    copy->m_params = m_params;
    copy->m_connectTimeoutMs = m_connectTimeoutMs;
    copy->m_callTimeoutMs = m_callTimeoutMs;
    return copy;
}

wire::Response ServerConnection::call(const wire::Request &request)
{
    if (!m_client)
        throw wire::WireError(u"Sunucu bağlantısı açık değil."_s);
    try {
        return m_client->call(request, m_callTimeoutMs);
    } catch (const wire::WireError &) {
        // the channel dropped itself; a later open() makes a fresh one
        if (!m_client->isConnected())
            m_client.reset();
        throw;
    }
}
