#include <wire/frame.h>
#include <wire/message.h>
#include <wire/rpcclient.h>
#include <wire/rpcserver.h>
#include <wire/wireerror.h>

#include <QTcpSocket>
#include <QTest>
#include <QThread>

#include <atomic>
#include <thread>
#include <vector>

using namespace Qt::StringLiterals;
using namespace wire;

namespace {

constexpr int kTimeoutMs = 10000;

// The server lives on a thread of its own: the clients of the tests block
// the test thread, so it cannot also run the server's accept loop.
class TestServer
{
public:
    explicit TestServer(RpcServer::Handler handler, quint32 maxPayload = 0)
        : m_server(new RpcServer(std::move(handler)))
    {
        if (maxPayload)
            m_server->setMaxPayload(maxPayload);
        m_server->moveToThread(&m_thread);
        m_thread.start();
        QMetaObject::invokeMethod(
            m_server,
            [this] {
                if (m_server->listen(QHostAddress::LocalHost, 0))
                    m_port = m_server->serverPort();
            },
            Qt::BlockingQueuedConnection);
    }
    ~TestServer()
    {
        QMetaObject::invokeMethod(m_server, [this] { m_server->shutdown(); }, Qt::BlockingQueuedConnection);
        m_thread.quit();
        m_thread.wait();
        delete m_server;
    }

    quint16 port() const { return m_port; }

private:
    QThread m_thread;
    RpcServer *m_server;
    quint16 m_port = 0;
};

std::atomic<int> g_running{0};
std::atomic<int> g_peak{0};

Response handle(const Request &request)
{
    const QString method = request.command.mid(16);
    if (method == u"Echo") {
        Response r;
        r.values = request.params;
        return r;
    }
    if (method == u"Throw")
        throw std::runtime_error("işleyici patladı");
    if (method == u"Refuse")
        return Response::failure(u"Geçersiz cari: ığüşöç"_s);
    if (method == u"Sleep") {
        QThread::msleep(ulong(request.params.at(0).value.toInteger()));
        return Response();
    }
    if (method == u"TooManyValues") {
        Response r;
        for (int i = 0; i < 2000; ++i)
            r.values.append({quint16(i), Value::integer(i)});
        return r;
    }
    if (method == u"SlowEcho") {
        const int now = ++g_running;
        int peak = g_peak.load();
        while (now > peak && !g_peak.compare_exchange_weak(peak, now)) {}
        QThread::msleep(300);
        --g_running;
        Response r;
        r.values = request.params;
        return r;
    }
    throw WireError(u"Bilinmeyen yöntem %1"_s.arg(method));
}

Request request(const QString &method, const QList<Param> &params = {})
{
    return {u"TServerMethods1."_s + method, params};
}

// a raw connection for sending what a well-behaved client never sends
class RawClient
{
public:
    explicit RawClient(quint16 port)
    {
        m_socket.connectToHost(QHostAddress::LocalHost, port);
        m_connected = m_socket.waitForConnected(kTimeoutMs);
    }
    bool connected() const { return m_connected; }
    void send(const QByteArray &bytes)
    {
        m_socket.write(bytes);
        m_socket.waitForBytesWritten(kTimeoutMs);
    }
    std::optional<Frame> receive()
    {
        QDeadlineTimer deadline(kTimeoutMs);
        while (!deadline.hasExpired()) {
            if (std::optional<Frame> f = m_reader.next())
                return f;
            if (!m_socket.waitForReadyRead(100) && m_socket.state() != QAbstractSocket::ConnectedState
                && m_socket.bytesAvailable() == 0)
                return std::nullopt;
            m_reader.append(m_socket.readAll());
        }
        return std::nullopt;
    }
    // true once the server has closed its end
    bool closedByServer()
    {
        QDeadlineTimer deadline(kTimeoutMs);
        while (!deadline.hasExpired() && m_socket.state() == QAbstractSocket::ConnectedState) {
            m_socket.waitForReadyRead(100);
            m_socket.readAll();
        }
        return m_socket.state() != QAbstractSocket::ConnectedState;
    }

private:
    QTcpSocket m_socket;
    FrameReader m_reader;
    bool m_connected = false;
};

} // namespace

class TestRpc : public QObject
{
    Q_OBJECT

private slots:
    void callsAndAnswers();
    void errorAnswers();
    void handlerExceptionKeepsConnection();
    void malformedPayloadKeepsConnection();
    void badHeaderClosesConnection_data();
    void badHeaderClosesConnection();
    void frameOverCapRefused();
    void clientTimeout();
    void connectFailures();
    void concurrentClients();
};

void TestRpc::callsAndAnswers()
{
    TestServer server(handle);
    QVERIFY(server.port());
    RpcClient client;
    client.connectTo(u"127.0.0.1"_s, server.port(), kTimeoutMs);
    QVERIFY(client.isConnected());

    const QList<Param> params = {{0, Value::string(u"ığüşöçİĞÜŞÖÇ \U0001F697"_s)},
                                 {1, Value::integer(-7)},
                                 {2, Value::real(-0.0)},
                                 {3, Value::boolean(true)},
                                 {4, Value::nullObject()},
                                 {5, Value::stream(QByteArray(70000, 'z'))}};
    for (int round = 0; round < 3; ++round) {
        const Response r = client.call(request(u"Echo"_s, params), kTimeoutMs);
        QVERIFY(r.ok);
        QCOMPARE(r.values.size(), params.size());
        for (int i = 0; i < params.size(); ++i)
            QVERIFY(r.values[i].value == params[i].value);
    }
    QVERIFY(client.isConnected());
}

void TestRpc::errorAnswers()
{
    TestServer server(handle);
    RpcClient client;
    client.connectTo(u"127.0.0.1"_s, server.port(), kTimeoutMs);

    Response r = client.call(request(u"Refuse"_s), kTimeoutMs);
    QVERIFY(!r.ok);
    QCOMPARE(r.error, u"Geçersiz cari: ığüşöç"_s);

    r = client.call(request(u"Yok"_s), kTimeoutMs);
    QVERIFY(!r.ok);
    QCOMPARE(r.error, u"Bilinmeyen yöntem Yok"_s);

    // an answer that cannot be encoded still gets an answer
    r = client.call(request(u"TooManyValues"_s), kTimeoutMs);
    QVERIFY(!r.ok);
    QVERIFY(!r.error.isEmpty());

    QVERIFY(client.call(request(u"Echo"_s), kTimeoutMs).ok);
}

void TestRpc::handlerExceptionKeepsConnection()
{
    TestServer server(handle);
    RpcClient client;
    client.connectTo(u"127.0.0.1"_s, server.port(), kTimeoutMs);

    const Response r = client.call(request(u"Throw"_s), kTimeoutMs);
    QVERIFY(!r.ok);
    QCOMPARE(r.error, u"işleyici patladı"_s);
    QVERIFY(client.isConnected());
    const Response again = client.call(request(u"Echo"_s, {{0, Value::integer(5)}}), kTimeoutMs);
    QVERIFY(again.ok);
    QCOMPARE(again.at(0)->toInteger(), 5);
}

void TestRpc::malformedPayloadKeepsConnection()
{
    TestServer server(handle);
    RawClient raw(server.port());
    QVERIFY(raw.connected());

    raw.send(encodeFrame(frame::kRequest, QByteArray("\x03\0\0\0ab")));
    std::optional<Frame> f = raw.receive();
    QVERIFY(f);
    QCOMPARE(f->type, frame::kError);
    QVERIFY(!decodeResponse(f->type, f->payload).error.isEmpty());

    // the frame boundaries were intact, so the next request is served
    raw.send(encodeFrame(frame::kRequest, encodeRequest(request(u"Echo"_s, {{0, Value::integer(9)}}))));
    f = raw.receive();
    QVERIFY(f);
    QCOMPARE(f->type, frame::kResult);
    QCOMPARE(decodeResponse(f->type, f->payload).at(0)->toInteger(), 9);
}

void TestRpc::badHeaderClosesConnection_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("bad magic") << QByteArray("XB\x01\x01\0\0\0\0", 8);
    QTest::newRow("bad version") << QByteArray("VB\x07\x01\0\0\0\0", 8);
    QTest::newRow("unknown type") << QByteArray("VB\x01\x09\0\0\0\0", 8);
    QTest::newRow("answer instead of request") << encodeFrame(frame::kResult, encodeResponse(Response()));
}

void TestRpc::badHeaderClosesConnection()
{
    QFETCH(QByteArray, bytes);
    TestServer server(handle);
    RawClient raw(server.port());
    QVERIFY(raw.connected());
    raw.send(bytes);
    const std::optional<Frame> f = raw.receive();
    QVERIFY(f);
    QCOMPARE(f->type, frame::kError);
    QVERIFY(!decodeResponse(f->type, f->payload).error.isEmpty());
    QVERIFY(raw.closedByServer());
}

void TestRpc::frameOverCapRefused()
{
    TestServer server(handle, 1024);

    // only the header is sent: the refusal does not wait for the payload
    RawClient raw(server.port());
    QVERIFY(raw.connected());
    QByteArray header = encodeFrame(frame::kRequest, QByteArray(1025, 'a')).left(frame::kHeaderSize);
    raw.send(header);
    const std::optional<Frame> f = raw.receive();
    QVERIFY(f);
    QCOMPARE(f->type, frame::kError);
    QVERIFY(raw.closedByServer());

    RpcClient client;
    client.connectTo(u"127.0.0.1"_s, server.port(), kTimeoutMs);
    QVERIFY(client.call(request(u"Echo"_s, {{0, Value::string(QString(100, u'ş'))}}), kTimeoutMs).ok);
}

void TestRpc::clientTimeout()
{
    TestServer server(handle);
    RpcClient client;
    client.connectTo(u"127.0.0.1"_s, server.port(), kTimeoutMs);
    QElapsedTimer timer;
    timer.start();
    QVERIFY_THROWS_EXCEPTION(WireError, client.call(request(u"Sleep"_s, {{0, Value::integer(1500)}}), 200));
    QVERIFY(timer.elapsed() < 1400);
    // the late answer must never be taken for the next call's: the client drops the connection
    QVERIFY(!client.isConnected());
    QVERIFY_THROWS_EXCEPTION(WireError, client.call(request(u"Echo"_s), kTimeoutMs));

    client.connectTo(u"127.0.0.1"_s, server.port(), kTimeoutMs);
    const Response r = client.call(request(u"Echo"_s, {{0, Value::integer(3)}}), kTimeoutMs);
    QVERIFY(r.ok);
    QCOMPARE(r.at(0)->toInteger(), 3);
}

void TestRpc::connectFailures()
{
    quint16 closedPort = 0;
    {
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
        closedPort = probe.serverPort();
    }
    RpcClient client;
    QVERIFY_THROWS_EXCEPTION(WireError, client.connectTo(u"127.0.0.1"_s, closedPort, 2000));
    QVERIFY(!client.isConnected());
    QVERIFY_THROWS_EXCEPTION(WireError, client.call(request(u"Echo"_s), 1000));
}

void TestRpc::concurrentClients()
{
    TestServer server(handle);
    const quint16 port = server.port();
    constexpr int kClients = 4;
    constexpr int kCalls = 25;
    std::atomic<int> failures{0};
    g_running = 0;
    g_peak = 0;

    std::vector<std::thread> threads;
    for (int c = 0; c < kClients; ++c) {
        threads.emplace_back([c, port, &failures] {
            try {
                RpcClient client;
                client.connectTo(u"127.0.0.1"_s, port, kTimeoutMs);
                // one slow call each, all at once: they must overlap
                if (!client.call(request(u"SlowEcho"_s), kTimeoutMs).ok)
                    ++failures;
                for (int i = 0; i < kCalls; ++i) {
                    const QString text = u"istemci %1 çağrı %2"_s.arg(c).arg(i);
                    const Response r = client.call(
                        request(u"Echo"_s, {{0, Value::integer(c * 1000 + i)}, {1, Value::string(text)}}), kTimeoutMs);
                    if (!r.ok || r.at(0)->toInteger() != c * 1000 + i || r.at(1)->toString() != text)
                        ++failures;
                }
            } catch (const WireError &) {
                ++failures;
            }
        });
    }
    for (std::thread &t : threads)
        t.join();
    QCOMPARE(failures.load(), 0);
    QVERIFY2(g_peak.load() >= 2, "the handler ran for one client at a time");
}

QTEST_GUILESS_MAIN(TestRpc)
#include "tst_rpc.moc"
