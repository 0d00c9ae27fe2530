#pragma once

// A distributor of its own for each test: a temporary store, both servers
// on ports the system chooses, and a client that calls methods by name
// with the parameters in catalogue order.

#include <distributor/distributor.h>
#include <distributor/service.h>
#include <distributor/store.h>

#include <wire/datapacket.h>
#include <wire/envelope.h>
#include <wire/methodcatalogue.h>
#include <wire/rpcclient.h>
#include <wire/wireerror.h>

#include <QTemporaryDir>
#include <QTest>

#include <memory>

using distributor::Query;

class DistributorFixture
{
public:
    DistributorFixture()
    {
        if (!m_dir.isValid())
            qFatal("no temporary folder");
        distributor::DistributorOptions o;
        o.port = 0;
        o.webPort = 0;
        o.dataFolder = m_dir.path();
        m_distributor = std::make_unique<distributor::Distributor>(o);
        QString error;
        if (!m_distributor->start(&error))
            qFatal("distributor did not start: %s", qPrintable(error));
        m_client.connectTo(QStringLiteral("127.0.0.1"), m_distributor->port(), 5000);
    }

    distributor::Distributor &server() { return *m_distributor; }
    wire::RpcClient &client() { return m_client; }

    // builds the request of `method` from its input values in declared order
    static wire::Request request(const QString &method, const QList<wire::Value> &inputs)
    {
        const wire::MethodSpec *spec = wire::findMethod(wire::kCommandPrefix + method);
        if (!spec)
            qFatal("no such method %s", qPrintable(method));
        wire::Request r;
        r.command = spec->commandText();
        int next = 0;
        for (int i = 0; i < spec->params.size(); ++i) {
            if (spec->params[i].out)
                continue;
            if (next < inputs.size())
                r.params.append({quint16(i), inputs[next++]});
        }
        return r;
    }

    wire::Response call(const QString &method, const QList<wire::Value> &inputs)
    {
        return m_client.call(request(method, inputs), 30000);
    }

    // the answer at the result ordinal; fails the test on an error answer
    wire::Value result(const QString &method, const QList<wire::Value> &inputs)
    {
        const wire::Response r = call(method, inputs);
        if (!r.ok)
            qWarning("%s refused: %s", qPrintable(method), qPrintable(r.error));
        const wire::MethodSpec *spec = wire::findMethod(wire::kCommandPrefix + method);
        const wire::Value *v = r.at(spec->resultOrdinal());
        return v ? *v : wire::Value();
    }

    wire::Table table(const QString &method, const QList<wire::Value> &inputs)
    {
        const wire::Value v = result(method, inputs);
        if (v.kind() != wire::ValueKind::DataPacket && v.kind() != wire::ValueKind::Reader)
            return wire::Table();
        return wire::Table::fromPacket(v.bytes());
    }

    wire::TSonucBilgisi session(const QString &device)
    {
        const wire::Value v = result(QStringLiteral("BuyukGetir"), {wire::Value::string(device)});
        return wire::unmarshal<wire::TSonucBilgisi>(v.bytes()).value_or(wire::TSonucBilgisi());
    }

    static wire::Value object(const wire::TSonucBilgisi &s) { return wire::Value::object(wire::marshal(s)); }

    // a representative's session acting for one of his customers
    wire::TSonucBilgisi repSession(const QString &device, int carino)
    {
        wire::TSonucBilgisi s = session(device);
        s.setCARINO(carino);
        return s;
    }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<distributor::Distributor> m_distributor;
    wire::RpcClient m_client;
};

inline const QString kDealer = QStringLiteral("VARKO-DEMO-BAYI");
inline const QString kRep = QStringLiteral("VARKO-DEMO-TEMSILCI");
inline const QString kRep2 = QStringLiteral("VARKO-DEMO-YONETICI");
inline const QString kDealer3 = QStringLiteral("VARKO-DEMO-BAYI3");
inline const QString kDealer4 = QStringLiteral("VARKO-DEMO-BAYI4");
inline const QString kInactive = QStringLiteral("VARKO-DEMO-PASIF");
inline const QString kOutdated = QStringLiteral("VARKO-DEMO-GUNCELLE");
