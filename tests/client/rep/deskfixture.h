#pragma once

#include "tests/client/app/signinfixture.h"
#include "tests/client/app/uidriver.h"

#include "client/server/serverconnection.h"
#include "distributor/service.h"
#include "client/server/servermethods.h"

#include "client/widgets/datagrid.h"

#include "wire/envelope.h"
#include "wire/rpcserver.h"

#include <QApplication>
#include <QHeaderView>
#include <QTreeView>
#include <QLineEdit>
#include <QMutex>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include <functional>

using namespace Qt::StringLiterals;

// The sign-in fixture with an application server in front of the
// distributor that keeps every request as it arrived, so that tests see
// the exact arguments the windows send.
class DeskFixture : public SignInFixture
{
public:
    DeskFixture()
    {
        m_rpc = new wire::RpcServer([this](const wire::Request &r) {
            {
                QMutexLocker lock(&m_mutex);
                m_requests << r;
            }
            return server().service().handle(r);
        });
        m_rpc->moveToThread(&m_network);
        m_network.start();
        QMetaObject::invokeMethod(
            m_rpc, [this] { m_rpc->listen(QHostAddress::LocalHost, 0); m_port = m_rpc->serverPort(); },
            Qt::BlockingQueuedConnection);
        pointAt(m_port, server().webPort());
    }

    ~DeskFixture()
    {
        QMetaObject::invokeMethod(
            m_rpc, [this] { m_rpc->shutdown(); delete m_rpc; }, Qt::BlockingQueuedConnection);
        m_network.quit();
        m_network.wait();
    }

    quint16 port() const { return m_port; }

    // a connection to the recording server, closed
    std::unique_ptr<ServerConnection> connection() const
    {
        auto c = std::make_unique<ServerConnection>();
        c->setHostName(u"127.0.0.1"_s);
        c->setPort(m_port);
        return c;
    }

    // the session record the distributor keeps for a demo device
    wire::TSonucBilgisi sessionOf(const QString &device)
    {
        auto c = connection();
        c->open();
        TServerMethods1Client proxy(c.get());
        wire::TSonucBilgisi r = proxy.BuyukGetir(device).value_or(wire::TSonucBilgisi());
        c->close();
        return r;
    }

    // the requests of one method ("CariAra"), in order
    QList<wire::Request> requests(const QString &method)
    {
        QMutexLocker lock(&m_mutex);
        QList<wire::Request> out;
        for (const wire::Request &r : m_requests) {
            if (r.command == u"TServerMethods1."_s + method)
                out << r;
        }
        return out;
    }
    void clearRequests()
    {
        QMutexLocker lock(&m_mutex);
        m_requests.clear();
    }

private:
    QThread m_network;
    wire::RpcServer *m_rpc = nullptr;
    quint16 m_port = 0;
    QMutex m_mutex;
    QList<wire::Request> m_requests;
};

// the session record a request carried at its first parameter
inline wire::TSonucBilgisi sessionSent(const wire::Request &r)
{
    return wire::unmarshal<wire::TSonucBilgisi>(r.params.at(0).value.bytes()).value_or(wire::TSonucBilgisi());
}

// whether the column is on screen: the header's own state, not the grid's flag
inline bool shownOnScreen(widgets::DataGrid *grid, const QString &key)
{
    QString caption;
    for (const widgets::GridColumn &c : grid->columns()) {
        if (c.key() == key)
            caption = c.headerText();
    }
    QHeaderView *header = grid->view()->header();
    for (int i = 0; i < header->count(); ++i) {
        if (header->model()->headerData(i, Qt::Horizontal).toString() == caption)
            return !header->isSectionHidden(i);
    }
    return false;
}
