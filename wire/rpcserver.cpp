#include "rpcserver.h"

#include "frame.h"
#include "wireerror.h"

#include <QDeadlineTimer>
#include <QTcpSocket>

using namespace Qt::StringLiterals;

namespace wire {

namespace {

constexpr int kPollMs = 200;

void send(QTcpSocket &socket, quint8 type, const QByteArray &payload)
{
    QByteArray frame;
    try {
        frame = encodeFrame(type, payload);
    } catch (const WireError &e) {
        // an answer too big for one frame becomes an error answer, never a
        // crash of the server
        frame = encodeFrame(frame::kError, encodeResponse(Response::failure(e.message())));
    }
    socket.write(frame);
    while (socket.bytesToWrite() > 0 && socket.state() == QAbstractSocket::ConnectedState) {
        if (!socket.waitForBytesWritten(30000))
            break;
    }
}

void sendResponse(QTcpSocket &socket, const Response &response)
{
    QByteArray payload;
    try {
        payload = encodeResponse(response);
    } catch (const WireError &e) {
        send(socket, frame::kError, encodeResponse(Response::failure(e.message())));
        return;
    }
    send(socket, response.ok ? frame::kResult : frame::kError, payload);
}

} // namespace

RpcServer::RpcServer(Handler handler, QObject *parent)
    : QTcpServer(parent)
    , m_handler(std::move(handler))
    , m_maxPayload(frame::kDefaultMaxPayload)
{
    m_pool.setMaxThreadCount(64);
    m_pool.setExpiryTimeout(30000);
}

RpcServer::~RpcServer()
{
    shutdown();
}

void RpcServer::setMaxConnections(int count)
{
    m_pool.setMaxThreadCount(count);
}

void RpcServer::shutdown()
{
    m_stopping = true;
    close();
    m_pool.waitForDone();
}

void RpcServer::incomingConnection(qintptr socketDescriptor)
{
    if (m_stopping)
        return;
    m_pool.start([this, socketDescriptor] { serve(socketDescriptor); });
}

void RpcServer::serve(qintptr socketDescriptor)
{
    QTcpSocket socket;
    if (!socket.setSocketDescriptor(socketDescriptor))
        return;
    socket.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    FrameReader reader(m_maxPayload);
    QDeadlineTimer idle(m_idleTimeoutMs);

    while (!m_stopping && socket.state() == QAbstractSocket::ConnectedState) {
        std::optional<Frame> f;
        try {
            f = reader.next();
        } catch (const WireError &e) {
            // a broken header leaves the stream out of step: answer, then close
            send(socket, frame::kError, encodeResponse(Response::failure(e.message())));
            break;
        }
        if (!f) {
            if (idle.hasExpired())
                break;
            if (socket.waitForReadyRead(kPollMs) || socket.bytesAvailable() > 0) {
                reader.append(socket.readAll());
                idle.setRemainingTime(m_idleTimeoutMs);
            }
            continue;
        }
        if (f->type != frame::kRequest) {
            send(socket, frame::kError, encodeResponse(Response::failure(u"İstek çerçevesi bekleniyordu."_s)));
            break;
        }
        Response response;
        try {
            response = m_handler(decodeRequest(f->payload));
        } catch (const WireError &e) {
            response = Response::failure(e.message());
        } catch (const std::exception &e) {
            response = Response::failure(QString::fromUtf8(e.what()));
        } catch (...) {
            response = Response::failure(u"Sunucuda bilinmeyen hata."_s);
        }
        sendResponse(socket, response);
    }
    socket.disconnectFromHost();
    if (socket.state() != QAbstractSocket::UnconnectedState)
        socket.waitForDisconnected(1000);
}

} // namespace wire
