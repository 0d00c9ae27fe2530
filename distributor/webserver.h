#pragma once

#include <QHostAddress>
#include <QObject>

#include <memory>

class QHttpServer;

namespace distributor {

class Service;

// The distributor's web site: stock pictures, the web request form, the
// card payment page, the caller's address, the update installer and a
// home page. Served on the thread that owns it.
class WebServer : public QObject
{
    Q_OBJECT

public:
    explicit WebServer(Service &service, QObject *parent = nullptr);
    ~WebServer() override;

    // the port listened on, 0 on failure; port 0 lets the system choose
    quint16 listen(const QHostAddress &address, quint16 port);

    // the stand-in installer served as "/exe/VARKOSetup.exe"
    static QByteArray installer();

private:
    Service &m_service;
    QHttpServer *m_http; // child: moves with this object to its thread
};

} // namespace distributor
