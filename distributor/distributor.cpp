#include "distributor.h"

#include "service.h"
#include "store.h"
#include "webserver.h"

#include <wire/rpcserver.h>

#include <QDir>

using namespace Qt::StringLiterals;

namespace distributor {

Distributor::Distributor(const DistributorOptions &options, QObject *parent)
    : QObject(parent)
    , m_options(options)
{}

Distributor::~Distributor()
{
    stop();
}

QString Distributor::storeFileName(DataSize size)
{
    return size == DataSize::Large ? u"varko-large.db"_s : u"varko-small.db"_s;
}

QString Distributor::storeFile() const
{
    return QDir(m_options.dataFolder).filePath(storeFileName(m_options.size));
}

bool Distributor::start(QString *error)
{
    auto fail = [error](const QString &text) {
        if (error)
            *error = text;
        return false;
    };
    if (m_options.dataFolder.isEmpty() || !QDir().mkpath(m_options.dataFolder))
        return fail(u"Veri klasörü oluşturulamadı: %1"_s.arg(m_options.dataFolder));
    try {
        m_store = std::make_unique<Store>(storeFile());
        if (!m_store->hasSchema())
            seedStore(*m_store, m_options.size);
        const int version = m_store->schemaVersion();
        if (version != Store::kSchemaVersion)
            return fail(u"%1 sürüm %2 veritabanı; bu program sürüm %3 bekliyor. Dosyayı silerseniz yeniden "
                        "oluşturulur."_s.arg(storeFile()).arg(version).arg(Store::kSchemaVersion));
        m_service = std::make_unique<Service>(*m_store);
        registerDevices();
    } catch (const Refusal &e) {
        return fail(e.message());
    }

    Service *service = m_service.get();
    m_network.setObjectName(u"varko-network"_s);
    m_network.start();
    m_rpc = new wire::RpcServer([service](const wire::Request &r) { return service->handle(r); });
    m_web = new WebServer(*m_service);
    m_rpc->moveToThread(&m_network);
    m_web->moveToThread(&m_network);
    // sockets are made by the thread they belong to
    QString failure;
    QMetaObject::invokeMethod(
        m_rpc,
        [this, &failure] {
            if (!m_rpc->listen(m_options.listen, m_options.port)) {
                failure = u"Uygulama sunucusu %1:%2 dinleyemiyor: %3"_s.arg(m_options.listen.toString())
                              .arg(m_options.port)
                              .arg(m_rpc->errorString());
                return;
            }
            m_port = m_rpc->serverPort();
            m_webPort = m_web->listen(m_options.listen, m_options.webPort);
            if (m_webPort == 0)
                failure = u"Web sunucusu %1:%2 dinleyemiyor."_s.arg(m_options.listen.toString()).arg(m_options.webPort);
        },
        Qt::BlockingQueuedConnection);
    if (!failure.isEmpty()) {
        stop();
        return fail(failure);
    }
    return true;
}

void Distributor::stop()
{
    if (m_network.isRunning()) {
        QMetaObject::invokeMethod(
            m_rpc,
            [this] {
                m_rpc->shutdown();
                delete m_rpc;
                delete m_web;
            },
            Qt::BlockingQueuedConnection);
        m_rpc = nullptr;
        m_web = nullptr;
        m_network.quit();
        m_network.wait();
    }
    m_service.reset();
    m_store.reset();
}

void Distributor::registerDevices()
{
    for (const auto &[device, userName] : std::as_const(m_options.registrations)) {
        m_store->write([&](QSqlDatabase &db) {
            Query user(db, u"SELECT SIRANO FROM KULLANICI WHERE ADI = ?"_s);
            user.bind(userName).exec();
            if (!user.next())
                throw Refusal(u"Böyle bir demo kullanıcı yok: %1"_s.arg(userName));
            const int sirano = user.intValue(0);
            Query(db, u"DELETE FROM CIHAZ WHERE BILGISAYARID = ?"_s).bind(device).exec();
            Query(db, u"INSERT INTO CIHAZ (BILGISAYARID, KULLANICI) VALUES (?, ?)"_s).bind(device).bind(sirano).exec();
        });
    }
}

} // namespace distributor
