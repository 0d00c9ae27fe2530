#pragma once

#include "message.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QThreadPool>

#include <atomic>
#include <functional>

namespace wire {

// Accepts connections and serves each on a pool thread with blocking
// reads: one request, one response, as many as the client sends. The
// handler is called on those threads, concurrently, and must be
// thread-safe. An exception escaping it becomes an error answer.
class RpcServer : public QTcpServer
{
    Q_OBJECT

public:
    using Handler = std::function<Response(const Request &)>;

    explicit RpcServer(Handler handler, QObject *parent = nullptr);
    ~RpcServer() override;

    // connections served at once; further ones wait for a free thread
    void setMaxConnections(int count);
    // a connection silent for this long is closed
    void setIdleTimeout(int ms) { m_idleTimeoutMs = ms; }
    void setMaxPayload(quint32 bytes) { m_maxPayload = bytes; }
    // stops accepting, ends every connection and waits for the threads
    void shutdown();

protected:
    void incomingConnection(qintptr socketDescriptor) override;

private:
    void serve(qintptr socketDescriptor);

    Handler m_handler;
    QThreadPool m_pool;
    std::atomic<bool> m_stopping{false};
    int m_idleTimeoutMs = 10 * 60 * 1000;
    quint32 m_maxPayload;
};

} // namespace wire
