#pragma once

#include "demodata.h"

#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <QThread>

#include <memory>

namespace wire {
class RpcServer;
}

namespace distributor {

class Service;
class Store;
class WebServer;

struct DistributorOptions
{
    quint16 port = 9090;    // application server; 0: chosen by the system
    quint16 webPort = 8080; // web server; 0: chosen by the system
    QString dataFolder;     // holds the store file; created when missing
    DataSize size = DataSize::Small;
    QHostAddress listen = QHostAddress(QHostAddress::LocalHost);
    // device identifier → demo user name (FADI), registered at start
    QList<QPair<QString, QString>> registrations;
};

// The whole reference distributor in one object: the store (seeded on the
// first start), the application server and the web server.
//
// In-process use, as the tests do it:
//
//     QTemporaryDir dir;
//     distributor::DistributorOptions o;
//     o.port = 0;
//     o.webPort = 0;
//     o.dataFolder = dir.path();
//     distributor::Distributor d(o);
//     QString error;
//     QVERIFY2(d.start(&error), qPrintable(error));
//     // application server on 127.0.0.1:d.port(), web on d.webPort()
//
// Both servers accept on a network thread of their own, and the
// application server serves each connection on a pool thread, so the
// owner may call it with blocking clients from its own thread. Destroying
// the Distributor stops both.
class Distributor : public QObject
{
    Q_OBJECT

public:
    explicit Distributor(const DistributorOptions &options, QObject *parent = nullptr);
    ~Distributor() override;

    // seeds the store if it is new, registers devices, starts listening;
    // false with the reason in *error when something fails
    bool start(QString *error = nullptr);
    void stop();

    quint16 port() const { return m_port; }
    quint16 webPort() const { return m_webPort; }
    QString storeFile() const;
    Service &service() { return *m_service; }
    Store &store() { return *m_store; }

    // the store file name for a size, inside the data folder
    static QString storeFileName(DataSize size);

private:
    void registerDevices();

    DistributorOptions m_options;
    std::unique_ptr<Store> m_store;
    std::unique_ptr<Service> m_service;
    QThread m_network;             // owns both servers' sockets
    wire::RpcServer *m_rpc = nullptr; // lives on m_network
    WebServer *m_web = nullptr;       // lives on m_network
    quint16 m_port = 0;
    quint16 m_webPort = 0;
};

} // namespace distributor
