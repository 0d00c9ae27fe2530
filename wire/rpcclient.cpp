#include "rpcclient.h"

#include "wireerror.h"

#include <QDeadlineTimer>
#include <QTcpSocket>

using namespace Qt::StringLiterals;

namespace wire {

RpcClient::RpcClient() = default;

RpcClient::~RpcClient()
{
    disconnect();
}

void RpcClient::connectTo(const QString &host, quint16 port, int timeoutMs)
{
    disconnect();
    m_socket = std::make_unique<QTcpSocket>();
    m_socket->connectToHost(host, port);
    if (!m_socket->waitForConnected(timeoutMs)) {
        const QString reason = m_socket->errorString();
        m_socket.reset();
        throw WireError(u"%1:%2 sunucusuna bağlanılamadı: %3"_s.arg(host).arg(port).arg(reason));
    }
    m_socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    m_reader.clear();
}

void RpcClient::disconnect()
{
    if (!m_socket)
        return;
    m_socket->abort();
    m_socket.reset();
    m_reader.clear();
}

bool RpcClient::isConnected() const
{
    return m_socket && m_socket->state() == QAbstractSocket::ConnectedState;
}

Response RpcClient::call(const Request &request, int timeoutMs)
{
    if (!isConnected())
        throw WireError(u"Sunucu bağlantısı açık değil."_s);

    const QByteArray out = encodeFrame(frame::kRequest, encodeRequest(request));
    QDeadlineTimer deadline(timeoutMs);
    m_socket->write(out);
    while (m_socket->bytesToWrite() > 0) {
        if (!m_socket->waitForBytesWritten(int(qMax<qint64>(1, deadline.remainingTime())))) {
            const QString reason = m_socket->errorString();
            disconnect();
            throw WireError(u"İstek gönderilemedi: %1"_s.arg(reason));
        }
    }

    try {
        for (;;) {
            if (std::optional<Frame> f = m_reader.next()) {
                if (f->type == frame::kRequest)
                    throw WireError(u"Sunucu yanıt yerine istek gönderdi."_s);
                return decodeResponse(f->type, f->payload);
            }
            if (deadline.hasExpired())
                throw WireError(u"Sunucu zamanında yanıt vermedi."_s);
            if (!m_socket->waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime())))) {
                if (m_socket->state() != QAbstractSocket::ConnectedState && m_socket->bytesAvailable() == 0)
                    throw WireError(u"Sunucu bağlantıyı kapattı."_s);
                if (deadline.hasExpired())
                    throw WireError(u"Sunucu zamanında yanıt vermedi."_s);
            }
            m_reader.append(m_socket->readAll());
        }
    } catch (const WireError &) {
        // the stream may now be out of step: never reuse it
        disconnect();
        throw;
    }
}

} // namespace wire
