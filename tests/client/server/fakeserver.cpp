#include "fakeserver.h"

#include "wire/datapacket.h"
#include "wire/envelope.h"
#include "wire/methodcatalogue.h"
#include "wire/records.h"
#include "wire/rpcserver.h"

#include <QMutexLocker>

using namespace Qt::StringLiterals;

FakeServer::FakeServer()
{
    m_context.moveToThread(&m_thread);
    m_thread.start();
    QMetaObject::invokeMethod(
        &m_context,
        [this] {
            m_server = new wire::RpcServer([this](const wire::Request &r) { return handle(r); });
            m_server->listen(QHostAddress::LocalHost, 0);
            m_port = m_server->serverPort();
        },
        Qt::BlockingQueuedConnection);
}

FakeServer::~FakeServer()
{
    shutdown();
    m_thread.quit();
    m_thread.wait();
}

void FakeServer::shutdown()
{
    if (!m_thread.isRunning())
        return;
    QMetaObject::invokeMethod(
        &m_context,
        [this] {
            delete m_server;
            m_server = nullptr;
        },
        Qt::BlockingQueuedConnection);
}

QList<wire::Request> FakeServer::requests() const
{
    QMutexLocker lock(&m_mutex);
    return m_requests;
}

void FakeServer::clearRequests()
{
    QMutexLocker lock(&m_mutex);
    m_requests.clear();
}

void FakeServer::setAnswer(const QString &command, const wire::Response &response)
{
    QMutexLocker lock(&m_mutex);
    m_answers.insert(command, response);
}

wire::Response FakeServer::handle(const wire::Request &request)
{
    QMutexLocker lock(&m_mutex);
    m_requests.append(request);
    const auto it = m_answers.constFind(request.command);
    if (it != m_answers.constEnd())
        return *it;
    lock.unlock();
    return cannedAnswer(request.command);
}

QByteArray FakeServer::cannedPacket()
{
    wire::PacketWriter w({{u"STOKNO"_s, wire::FieldType::Integer, 0}, {u"STOKADI"_s, wire::FieldType::String, 40}});
    w.integer(1).text(u"Ayna"_s);
    w.integer(2).text(u"Far"_s);
    return w.finish();
}

QByteArray FakeServer::cannedStream()
{
    return QByteArray("\x89PNG\0\x01\xff", 7);
}

wire::Response FakeServer::cannedAnswer(const QString &command)
{
    const wire::MethodSpec *spec = wire::findMethod(command);
    if (!spec)
        return wire::Response::failure(u"Bilinmeyen komut: %1"_s.arg(command));
    wire::Response r;
    const quint16 at = quint16(spec->resultOrdinal());
    using K = wire::ValueKind;
    switch (spec->result) {
    case K::Null: break;
    case K::Integer: r.values.append({at, wire::Value::integer(77)}); break;
    case K::String: r.values.append({at, wire::Value::string(u"yanıt ğüşİ"_s)}); break;
    case K::Boolean: r.values.append({at, wire::Value::boolean(true)}); break;
    case K::DataPacket: r.values.append({at, wire::Value::dataPacket(cannedPacket())}); break;
    case K::Reader: r.values.append({at, wire::Value::reader(cannedPacket())}); break;
    case K::Stream:
        for (int i = 0; i < spec->params.size(); ++i) {
            if (spec->params[i].out)
                r.values.append({quint16(i), wire::Value::int64(cannedStream().size())});
        }
        r.values.append({at, wire::Value::stream(cannedStream())});
        break;
    case K::Object: {
        QByteArray json;
        if (spec->resultType == wire::TSonucBilgisi::typeName()) {
            wire::TSonucBilgisi b;
            b.setADI(u"Ali Çelik"_s);
            json = wire::marshal(b);
        } else if (spec->resultType == wire::TSiparisDipAyrinti::typeName()) {
            wire::TSiparisDipAyrinti d;
            d.setDurumu(u"Onaylandı"_s);
            json = wire::marshal(d);
        } else if (spec->resultType == wire::TTusSonuclari::typeName()) {
            wire::TTusSonuclari t;
            t.setAlindi(7);
            json = wire::marshal(t);
        } else if (spec->resultType == wire::TMobilCariBilgisi::typeName()) {
            wire::TMobilCariBilgisi m;
            m.setCARIADI(u"Varko Oto"_s);
            json = wire::marshal(m);
        } else if (spec->resultType == wire::TAcilisEkran::typeName()) {
            wire::TAcilisEkran e;
            e.setBaslik(u"Kampanya"_s);
            json = wire::marshal(e);
        } else if (spec->resultType == wire::TAcilisEkranlariki::typeName()) {
            wire::TAcilisEkran a;
            a.setBaslik(u"Birinci"_s);
            wire::TAcilisEkran b;
            b.setBaslik(u"İkinci"_s);
            wire::TAcilisEkranlariki all;
            all.setEkranlar({a, b});
            json = wire::marshal(all);
        } else {
            return wire::Response::failure(u"Kayıt türü yok: %1"_s.arg(spec->resultType));
        }
        r.values.append({at, wire::Value::object(json)});
        break;
    }
    default: return wire::Response::failure(u"Yanıt türü yok."_s);
    }
    return r;
}
