#pragma once

#include "wire/message.h"

#include <QHash>
#include <QList>
#include <QMutex>
#include <QObject>
#include <QThread>

namespace wire {
class RpcServer;
}

// An application server stand-in on 127.0.0.1, port chosen by the OS. It
// runs on a thread of its own, so a test can make blocking calls to it,
// records every request, and answers each method with a canned value of
// the method's answer kind unless a test set another answer.
class FakeServer
{
public:
    FakeServer();
    ~FakeServer();

    quint16 port() const { return m_port; }
    QList<wire::Request> requests() const;
    void clearRequests();
    void setAnswer(const QString &command, const wire::Response &response);
    // stops listening and ends every connection
    void shutdown();

    // the canned answers
    static QByteArray cannedPacket();   // 2 rows: (1, "Ayna"), (2, "Far")
    static QByteArray cannedStream();
    static wire::Response cannedAnswer(const QString &command);

private:
    wire::Response handle(const wire::Request &request);

    QThread m_thread;
    QObject m_context; // lives on m_thread; calls into the server go through it
    wire::RpcServer *m_server = nullptr; // made and deleted on m_thread
    quint16 m_port = 0;
    mutable QMutex m_mutex;
    QList<wire::Request> m_requests;
    QHash<QString, wire::Response> m_answers;
};
