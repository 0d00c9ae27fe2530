#include "fakeserver.h"

#include "serverconnection.h"

#include "wire/wireerror.h"

#include <QElapsedTimer>
#include <QTcpServer>
#include <QTest>
#include <QThread>

using namespace Qt::StringLiterals;

namespace {

wire::Request kayanYazi()
{
    return {u"TServerMethods1.KayanYaziGetir"_s, {}};
}

// a loopback port that nobody listens on
quint16 closedPort()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0))
        return 0;
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

} // namespace

class TestServerConnection : public QObject
{
    Q_OBJECT

private slots:
    void settingsAreTheDriversOwn_data();
    void settingsAreTheDriversOwn();
    void portHelpersReadAndWriteTheSetting_data();
    void portHelpersReadAndWriteTheSetting();
    void cloneIsClosedWithTheSameSettings();
    void cloneOpensItsOwnChannel();
    void openCallClose();
    void openAgainstClosedPortFailsWithinTimeout();
    void openWithoutUsableAddressIsRefused_data();
    void openWithoutUsableAddressIsRefused();
    void callOnClosedConnectionRaises();
    void serverGoneClosesConnectionAndReopenWorks();
    void cloneServesABodyOnAnotherThread();
};

void TestServerConnection::settingsAreTheDriversOwn_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("plain TCP") << u"CommunicationProtocol"_s << u"tcp/ip"_s;
    QTest::newRow("port 9090") << u"Port"_s << u"9090"_s;
    QTest::newRow("host set at sign-in") << u"HostName"_s << QString();
    QTest::newRow("context") << u"DatasnapContext"_s << u"datasnap/"_s;
    QTest::newRow("no transport filters") << u"Filters"_s << u"{}"_s;
    QTest::newRow("proxy port carried") << u"DSProxyPort"_s << u"8090"_s;
}

void TestServerConnection::settingsAreTheDriversOwn()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    const ServerConnection c;
    QVERIFY(c.params().contains(key));
    QCOMPARE(c.param(key), value);
    QCOMPARE(c.params().size(), 6);
    QCOMPARE(c.driverName(), u"DataSnap"_s);
    QCOMPARE(c.connectionName(), u"DataSnapCONNECTION"_s);
    QCOMPARE(c.loginPrompt(), false);
    QCOMPARE(c.isOpen(), false);
    QVERIFY(c.connectTimeout() > 0);
    QVERIFY(c.callTimeout() > 0);
}

void TestServerConnection::portHelpersReadAndWriteTheSetting_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("port");
    QTest::newRow("default") << u"9090"_s << 9090;
    QTest::newRow("highest port") << u"65535"_s << 65535;
    QTest::newRow("too large") << u"70000"_s << 0;
    QTest::newRow("not a number") << u"port"_s << 0;
    QTest::newRow("empty") << QString() << 0;
}

void TestServerConnection::portHelpersReadAndWriteTheSetting()
{
    QFETCH(QString, text);
    QFETCH(int, port);
    ServerConnection c;
    c.setParam(u"Port"_s, text);
    QCOMPARE(int(c.port()), port);
    c.setPort(8123);
    QCOMPARE(c.param(u"Port"_s), u"8123"_s);
    QCOMPARE(c.port(), quint16(8123));
}

void TestServerConnection::cloneIsClosedWithTheSameSettings()
{
    FakeServer server;
    ServerConnection original;
    original.setHostName(u"127.0.0.1"_s);
    original.setPort(server.port());
    original.setParam(u"Filters"_s, u"{}"_s);
    original.setConnectTimeout(1234);
    original.setCallTimeout(4321);
    original.open();
    QVERIFY(original.isOpen());

    const std::unique_ptr<ServerConnection> copy = original.clone();
    QVERIFY(copy);
    QCOMPARE(copy->isOpen(), false);
    QCOMPARE(copy->params(), original.params());
    QCOMPARE(copy->driverName(), original.driverName());
    QCOMPARE(copy->connectionName(), original.connectionName());
    QCOMPARE(copy->loginPrompt(), original.loginPrompt());
    QCOMPARE(copy->connectTimeout(), 1234);
    QCOMPARE(copy->callTimeout(), 4321);
    QVERIFY(original.isOpen());

    // a later change of the original leaves the clone alone
    original.setHostName(u"elsewhere.invalid"_s);
    QCOMPARE(copy->hostName(), u"127.0.0.1"_s);
}

void TestServerConnection::cloneOpensItsOwnChannel()
{
    FakeServer server;
    ServerConnection original;
    original.setHostName(u"127.0.0.1"_s);
    original.setPort(server.port());
    original.open();
    const std::unique_ptr<ServerConnection> copy = original.clone();
    copy->open();
    QVERIFY(copy->isOpen());
    QVERIFY(copy->call(kayanYazi()).ok);
    copy->close();
    QVERIFY(!copy->isOpen());
    // closing the clone does not touch the original
    QVERIFY(original.isOpen());
    QVERIFY(original.call(kayanYazi()).ok);
    QCOMPARE(server.requests().size(), 2);
}

void TestServerConnection::openCallClose()
{
    FakeServer server;
    ServerConnection c;
    c.setHostName(u"127.0.0.1"_s);
    c.setPort(server.port());
    c.open();
    QVERIFY(c.isOpen());
    c.open(); // already open: kept as it is
    QVERIFY(c.isOpen());
    const wire::Response r = c.call(kayanYazi());
    QVERIFY(r.ok);
    QVERIFY(r.at(0));
    QCOMPARE(r.at(0)->toString(), u"yanıt ğüşİ"_s);
    c.close();
    QVERIFY(!c.isOpen());
    c.close(); // closing twice is harmless
    c.open();
    QVERIFY(c.call(kayanYazi()).ok);
}

void TestServerConnection::openAgainstClosedPortFailsWithinTimeout()
{
    const quint16 port = closedPort();
    QVERIFY(port != 0);
    ServerConnection c;
    c.setHostName(u"127.0.0.1"_s);
    c.setPort(port);
    c.setConnectTimeout(3000);
    QElapsedTimer clock;
    clock.start();
    try {
        c.open();
        QFAIL("open() must fail when nobody listens");
    } catch (const wire::WireError &e) {
        QVERIFY2(e.message().contains(u"127.0.0.1:%1"_s.arg(port)), qPrintable(e.message()));
    }
    // refused at once on loopback; the time-out is the upper bound
    QVERIFY2(clock.elapsed() < c.connectTimeout() + 2000, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(!c.isOpen());
}

void TestServerConnection::openWithoutUsableAddressIsRefused_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("message");
    QTest::newRow("host never set") << QString() << u"9090"_s << u"Sunucu adresi belirtilmedi."_s;
    QTest::newRow("blank host") << u"  "_s << u"9090"_s << u"Sunucu adresi belirtilmedi."_s;
    QTest::newRow("port not a number") << u"127.0.0.1"_s << u"x"_s << u"Geçersiz sunucu portu: \"x\"."_s;
    QTest::newRow("port 0") << u"127.0.0.1"_s << u"0"_s << u"Geçersiz sunucu portu: \"0\"."_s;
}

void TestServerConnection::openWithoutUsableAddressIsRefused()
{
    QFETCH(QString, host);
    QFETCH(QString, port);
    QFETCH(QString, message);
    ServerConnection c;
    c.setHostName(host);
    c.setParam(u"Port"_s, port);
    try {
        c.open();
        QFAIL("open() must refuse");
    } catch (const wire::WireError &e) {
        QCOMPARE(e.message(), message);
    }
    QVERIFY(!c.isOpen());
}

void TestServerConnection::callOnClosedConnectionRaises()
{
    ServerConnection c;
    QVERIFY_THROWS_EXCEPTION(wire::WireError, c.call(kayanYazi()));
}

void TestServerConnection::serverGoneClosesConnectionAndReopenWorks()
{
    auto server = std::make_unique<FakeServer>();
    ServerConnection c;
    c.setHostName(u"127.0.0.1"_s);
    c.setPort(server->port());
    c.setCallTimeout(3000);
    c.open();
    QVERIFY(c.call(kayanYazi()).ok);
    server->shutdown();
    QVERIFY_THROWS_EXCEPTION(wire::WireError, c.call(kayanYazi()));
    QVERIFY(!c.isOpen());
    QVERIFY_THROWS_EXCEPTION(wire::WireError, c.open());

    // a server back on a port: the same connection opens a fresh channel
    server = std::make_unique<FakeServer>();
    c.setPort(server->port());
    c.open();
    QVERIFY(c.call(kayanYazi()).ok);
}

void TestServerConnection::cloneServesABodyOnAnotherThread()
{
    // a background body opens, uses and closes its own clone on its thread
    // while the original keeps serving this thread
    FakeServer server;
    ServerConnection bagc;
    bagc.setHostName(u"127.0.0.1"_s);
    bagc.setPort(server.port());
    bagc.open();

    QString answer;
    QString failure;
    std::unique_ptr<ServerConnection> clone = bagc.clone();
    std::unique_ptr<QThread> body(QThread::create([&] {
        try {
            clone->open();
            answer = clone->call(kayanYazi()).at(0)->toString();
            clone->close();
        } catch (const wire::WireError &e) {
            failure = e.message();
        }
    }));
    body->start();
    QVERIFY(bagc.call(kayanYazi()).ok);
    QVERIFY(body->wait(10000));
    QCOMPARE(failure, QString());
    QCOMPARE(answer, u"yanıt ğüşİ"_s);
    QVERIFY(bagc.isOpen());
    QCOMPARE(server.requests().size(), 2);
}

QTEST_MAIN(TestServerConnection)
#include "tst_serverconnection.moc"
