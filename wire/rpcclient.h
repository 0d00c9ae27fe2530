#pragma once

#include "frame.h"
#include "message.h"

#include <QString>

#include <memory>

class QTcpSocket;

namespace wire {

// A blocking request/response channel over one TCP connection. It is used
// by one thread at a time: the socket is made on the thread that connects.
class RpcClient
{
public:
    RpcClient();
    ~RpcClient();
    RpcClient(const RpcClient &) = delete;
    RpcClient &operator=(const RpcClient &) = delete;

    // raises a WireError with the reason when no connection is made in time
    void connectTo(const QString &host, quint16 port, int timeoutMs);
    void disconnect();
    bool isConnected() const;

    // Sends one request and waits for its answer. Transport failures raise
    // a WireError and drop the connection; a server's error answer comes
    // back as a Response with ok == false.
    Response call(const Request &request, int timeoutMs);

private:
    std::unique_ptr<QTcpSocket> m_socket;
    FrameReader m_reader;
};

} // namespace wire
