#pragma once

#include "wire/message.h"

#include <QMap>
#include <QString>

#include <memory>

namespace wire {
class RpcClient;
}

// The connection component of the client (the main window's `bagc` and
// its clones): the driver settings as a parameter map, and one TCP channel
// to the application server while it is open.
//
// A connection is used by one thread at a time. Its socket is made on the
// thread that calls open(), and only that thread may call it, call() or
// close() until the connection is closed again; a body on a pool thread
// therefore works on a clone of its own, never on `bagc`.
class ServerConnection
{
public:
    // keys of the parameter map
    static const QString kCommunicationProtocol;
    static const QString kPort;
    static const QString kHostName;
    static const QString kDatasnapContext;
    static const QString kFilters;
    static const QString kDSProxyPort;

    static constexpr int kDefaultConnectTimeoutMs = 5000;
    static constexpr int kDefaultCallTimeoutMs = 60000;

    ServerConnection();
    ~ServerConnection();
    ServerConnection(const ServerConnection &) = delete;
    ServerConnection &operator=(const ServerConnection &) = delete;

    QString driverName() const { return m_driverName; }
    QString connectionName() const { return m_connectionName; }
    bool loginPrompt() const { return m_loginPrompt; }

    const QMap<QString, QString> &params() const { return m_params; }
    QString param(const QString &key) const { return m_params.value(key); }
    void setParam(const QString &key, const QString &value) { m_params.insert(key, value); }

    // Empty until sign-in sets it: a call never goes to a host nobody chose.
    QString hostName() const { return param(kHostName); }
    void setHostName(const QString &host) { setParam(kHostName, host); }
    // 0 when the "Port" setting is not a valid port number
    quint16 port() const;
    void setPort(quint16 port) { setParam(kPort, QString::number(port)); }

    int connectTimeout() const { return m_connectTimeoutMs; }
    void setConnectTimeout(int ms) { m_connectTimeoutMs = ms; }
    int callTimeout() const { return m_callTimeoutMs; }
    void setCallTimeout(int ms) { m_callTimeoutMs = ms; }

    // Connects to "HostName":"Port"; raises a wire::WireError with the
    // failure's text. Opening an open connection keeps it as it is.
    void open();
    void close();
    bool isOpen() const;

    // a new, closed connection with the same driver, settings and time-outs
    std::unique_ptr<ServerConnection> clone() const;

    // Sends one request and waits for its answer. A transport failure
    // raises a wire::WireError and leaves the connection closed; a server's
    // error answer comes back as a Response with ok == false.
    wire::Response call(const wire::Request &request);

private:
    QString m_driverName;
    QString m_connectionName;
    bool m_loginPrompt = false;
    QMap<QString, QString> m_params;
    int m_connectTimeoutMs = kDefaultConnectTimeoutMs;
    int m_callTimeoutMs = kDefaultCallTimeoutMs;
    std::unique_ptr<wire::RpcClient> m_client;
};
