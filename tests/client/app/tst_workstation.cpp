#include "client/app/workstation.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QStandardPaths>
#include <QTest>

#include <stdexcept>

using namespace Qt::StringLiterals;

namespace {

void writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
}

} // namespace

class TestWorkstation : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        qunsetenv(workstation::kDeviceIdOverrideVariable);
        QVERIFY(m_root.isValid());
        workstation::setSystemInfoRoot(m_root.path());
    }
    void cleanup()
    {
        QDir(m_root.path()).removeRecursively();
        QDir().mkpath(m_root.path());
        workstation::setSystemInfoRoot(u"/"_s);
    }

    void deviceId_data()
    {
        QTest::addColumn<QByteArray>("serial");
        QTest::addColumn<QByteArray>("mac");
        QTest::addColumn<QString>("expected");

        QTest::newRow("serial upper-cased") << QByteArray("ab12cd\n") << QByteArray("00:1a:2b:3c:4d:5e\n") << u"AB12CD"_s;
        QTest::newRow("inner blanks removed") << QByteArray("ABC 123") << QByteArray() << u"ABC123"_s;
        QTest::newRow("blanks only -> MAC") << QByteArray("    \n") << QByteArray("00:1a:2b:3c:4d:5e\n")
                                            << u"00-1A-2B-3C-4D-5E"_s;
        QTest::newRow("no serial -> MAC") << QByteArray() << QByteArray("de:ad:be:ef:00:01") << u"DE-AD-BE-EF-00-01"_s;
        QTest::newRow("nothing -> empty") << QByteArray() << QByteArray() << QString();
        QTest::newRow("override table") << QByteArray("S3Z9NB0K402158T") << QByteArray() << u"VARKOMERKEZ01"_s;
    }

    void deviceId()
    {
        QFETCH(QByteArray, serial);
        QFETCH(QByteArray, mac);
        QFETCH(QString, expected);

        QDir().mkpath(m_root.filePath(u"sys/block/sda"_s));
        QDir().mkpath(m_root.filePath(u"sys/class/net/lo"_s));
        if (!serial.isNull())
            writeFile(m_root.filePath(u"sys/block/sda/device/serial"_s), serial);
        if (!mac.isNull())
            writeFile(m_root.filePath(u"sys/class/net/eth0/address"_s), mac);

        QCOMPARE(CihazKimligiAl(), expected);
    }

    void diskSerialSkipsVirtualDisksAndReadsUdev()
    {
        writeFile(m_root.filePath(u"sys/block/loop0/device/serial"_s), "LOOPSERIAL");
        writeFile(m_root.filePath(u"sys/block/nvme0n1/dev"_s), "259:0\n");
        writeFile(m_root.filePath(u"run/udev/data/b259:0"_s), "S:disk/by-id/x\nE:ID_SERIAL=Samsung_SSD_970_S4EWNX0\n"
                                                             "E:ID_SERIAL_SHORT=s4ewnx0\n");
        QCOMPARE(DiskSeriNoAl(), u"S4EWNX0"_s);
    }

    void macAddressRule()
    {
        // the first adapter decides unless it is all zeros
        writeFile(m_root.filePath(u"sys/class/net/eth0/address"_s), "00:00:00:00:00:00");
        writeFile(m_root.filePath(u"sys/class/net/eth1/address"_s), "aa:bb:cc:dd:ee:ff");
        writeFile(m_root.filePath(u"sys/class/net/eth2/address"_s), "11:22:33:44:55:66");
        QCOMPARE(MacAdresiAl(), u"AA-BB-CC-DD-EE-FF"_s);
    }

    void macAddressFirstAdapterFailing()
    {
        // an adapter that cannot answer ends the search with no result
        QDir().mkpath(m_root.filePath(u"sys/class/net/eth0"_s));
        writeFile(m_root.filePath(u"sys/class/net/eth1/address"_s), "aa:bb:cc:dd:ee:ff");
        QCOMPARE(MacAdresiAl(), QString());
    }

    void failingHelpersFallBack()
    {
        const auto fails = []() -> QString { throw std::runtime_error("no WMI"); };
        QCOMPARE(workstation::deviceIdFrom(fails, [] { return u" 00-11-22-33-44-55 "_s; }), u"00-11-22-33-44-55"_s);
        QCOMPARE(workstation::deviceIdFrom(fails, fails), QString());
    }

    void overrideVariable()
    {
        qputenv(workstation::kDeviceIdOverrideVariable, " DEMO BAYI ");
        QCOMPARE(CihazKimligiAl(), u"DEMOBAYI"_s);
    }

    void dataFolderCreatedOnFirstUse()
    {
        QStandardPaths::setTestModeEnabled(true);
        const QString folder = VeriKlasoruAl();
        QVERIFY(folder.endsWith(u"/varko"_s));
        QVERIFY(QDir(folder).exists());
        QCOMPARE(VeriKlasoruAl(), folder);
        QDir(folder).removeRecursively();
    }

    void userAndComputerNames()
    {
        QVERIFY(KullaniciAdiAl().size() < 16);
        QVERIFY(BilgisayarAdiAl().size() <= 15);
        QVERIFY(!IcIpAl().isEmpty());
    }

private:
    QTemporaryDir m_root;
};

QTEST_GUILESS_MAIN(TestWorkstation)
#include "tst_workstation.moc"
