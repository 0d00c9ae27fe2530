#include <wire/streamcopy.h>

#include <QBuffer>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QByteArray pattern(int n)
{
    QByteArray out(n, Qt::Uninitialized);
    for (int i = 0; i < n; ++i)
        out[i] = char((i * 7 + 3) & 0xff);
    return out;
}

} // namespace

class TestStreamCopy : public QObject
{
    Q_OBJECT

private slots:
    void take_data();
    void take();
    void readsFromPositionZero();
};

void TestStreamCopy::take_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<qint64>("announced");
    QTest::addColumn<bool>("expectData");

    QTest::newRow("count 0, no bytes") << 0 << qint64(0) << false;
    QTest::newRow("count 0, bytes present") << 100 << qint64(0) << false;
    QTest::newRow("negative count") << 100 << qint64(-1) << false;
    QTest::newRow("exact 1") << 1 << qint64(1) << true;
    QTest::newRow("exact 500") << 500 << qint64(500) << true;
    QTest::newRow("exact 1023") << 1023 << qint64(1023) << true;
    QTest::newRow("exact 1024") << 1024 << qint64(1024) << true;
    QTest::newRow("exact 1025") << 1025 << qint64(1025) << true;
    QTest::newRow("exact 2048") << 2048 << qint64(2048) << true;
    QTest::newRow("exact 5000") << 5000 << qint64(5000) << true;
    QTest::newRow("short by one") << 999 << qint64(1000) << false;
    QTest::newRow("short at block edge") << 1024 << qint64(1025) << false;
    QTest::newRow("nothing received") << 0 << qint64(10) << false;
    QTest::newRow("oversupply by one") << 1001 << qint64(1000) << false;
    QTest::newRow("oversupply at block edge") << 1025 << qint64(1024) << false;
    QTest::newRow("oversupply, many blocks") << 50000 << qint64(5000) << false;
}

void TestStreamCopy::take()
{
    QFETCH(int, size);
    QFETCH(qint64, announced);
    QFETCH(bool, expectData);

    const QByteArray bytes = pattern(size);
    const std::optional<QByteArray> fromBytes = wire::takeStream(bytes, announced);
    QCOMPARE(fromBytes.has_value(), expectData);
    if (expectData)
        QCOMPARE(*fromBytes, bytes);

    QByteArray backing = bytes;
    QBuffer device(&backing);
    const std::optional<QByteArray> fromDevice = wire::takeStream(device, announced);
    QCOMPARE(fromDevice.has_value(), expectData);
    if (expectData)
        QCOMPARE(*fromDevice, bytes);
}

void TestStreamCopy::readsFromPositionZero()
{
    QByteArray backing = pattern(3000);
    QBuffer device(&backing);
    QVERIFY(device.open(QIODevice::ReadOnly));
    device.seek(2000); // a stream left at its end by the transport
    const std::optional<QByteArray> data = wire::takeStream(device, 3000);
    QVERIFY(data);
    QCOMPARE(*data, backing);
}

QTEST_GUILESS_MAIN(TestStreamCopy)
#include "tst_streamcopy.moc"
