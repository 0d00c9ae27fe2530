#pragma once

#include "client/app/girisform.h"
#include "client/app/messages.h"
#include "client/app/process.h"
#include "distributor/distributor.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// Starts the reference distributor on loopback and points the program at
// it; records every dialog and every ending of the process.
class SignInFixture
{
public:
    SignInFixture()
    {
        QStandardPaths::setTestModeEnabled(true);
        distributor::DistributorOptions o;
        o.port = 0;
        o.webPort = 0;
        o.dataFolder = m_data.path();
        m_distributor = std::make_unique<distributor::Distributor>(o);
        QString error;
        m_started = m_distributor->start(&error);
        m_error = error;
        pointAt(m_distributor->port(), m_distributor->webPort());

        messages::setRunner([this](QMessageBox &, const messages::Shown &s) {
            shown << s;
            return int(mrOk);
        });
        process::setEnder([this](int code) { exitCodes << code; });
        Tgirisform::setAddressLookupAttempts(2);
    }

    ~SignInFixture()
    {
        messages::setRunner(nullptr);
        process::setEnder(nullptr);
        Tgirisform::setSteps({});
        qunsetenv("VARKO_CIHAZ_KIMLIGI");
    }

    bool started() const { return m_started; }
    QString error() const { return m_error; }
    distributor::Distributor &server() { return *m_distributor; }

    static void pointAt(quint16 port, quint16 webPort)
    {
        qputenv("VARKO_SUNUCU", QByteArray("127.0.0.1:") + QByteArray::number(port));
        qputenv("VARKO_WEB", QByteArray("http://127.0.0.1:") + QByteArray::number(webPort) + '/');
        qputenv("VARKO_IP_SERVISI", QByteArray("http://127.0.0.1:") + QByteArray::number(webPort) + "/ip");
    }
    static void useDevice(const QByteArray &device) { qputenv("VARKO_CIHAZ_KIMLIGI", device); }

    QStringList texts() const
    {
        QStringList out;
        for (const messages::Shown &s : shown)
            out << s.text;
        return out;
    }

    QList<messages::Shown> shown;
    QList<int> exitCodes;

private:
    QTemporaryDir m_data;
    std::unique_ptr<distributor::Distributor> m_distributor;
    bool m_started = false;
    QString m_error;
};
