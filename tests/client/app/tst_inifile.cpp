#include "client/app/inifile.h"

#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestIniFile : public QObject
{
    Q_OBJECT

private slots:
    void keepsTheTurkishKeyAsPlainText()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"ayar.ini"_s);
        IniFile ini(path);
        ini.setValue(u"kullanici"_s, u"isim"_s, u"AHMET"_s);
        ini.setValue(u"kullanici"_s, u"sifre"_s, u"ŞİFRE1"_s);
        ini.setBoolValue(u"kullanici"_s, u"hatırla"_s, false);
        QVERIFY(ini.save());

        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(f.readAll());
        QVERIFY(text.contains(u"[kullanici]"_s));
        QVERIFY(text.contains(u"hatırla=0"_s));
        QVERIFY(text.contains(u"sifre=ŞİFRE1"_s));

        IniFile again(path);
        again.load();
        QCOMPARE(again.value(u"kullanici"_s, u"isim"_s), u"AHMET"_s);
        QCOMPARE(again.boolValue(u"kullanici"_s, u"hatırla"_s, true), false);
    }

    void readsOtherWritersFiles_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("hatirla");
        QTest::addColumn<QString>("isim");
        QTest::newRow("windows line ends and BOM") << QByteArray("\xEF\xBB\xBF[kullanici]\r\nisim=ALİ\r\nhatırla=1\r\n")
                                                   << true << u"ALİ"_s;
        QTest::newRow("missing key defaults to true") << QByteArray("[kullanici]\nisim=VELİ\n") << true << u"VELİ"_s;
        QTest::newRow("true/false words") << QByteArray("[kullanici]\nhatırla=false\n") << false << QString();
        QTest::newRow("comments and other sections") << QByteArray("; yorum\n[diger]\nisim=X\n[kullanici]\nisim=Y\n")
                                                     << true << u"Y"_s;
    }
    void readsOtherWritersFiles()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, hatirla);
        QFETCH(QString, isim);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"ayar.ini"_s);
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
        f.close();
        IniFile ini(path);
        ini.load();
        QCOMPARE(ini.boolValue(u"kullanici"_s, u"hatırla"_s, true), hatirla);
        QCOMPARE(ini.value(u"kullanici"_s, u"isim"_s), isim);
    }

    void anotherIniReaderSeesTheSameValues()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"ayar.ini"_s);
        IniFile ini(path);
        ini.setValue(u"kullanici"_s, u"isim"_s, u"AHMET"_s);
        ini.setBoolValue(u"kullanici"_s, u"hatırla"_s, true);
        QVERIFY(ini.save());
        // Python's configparser is an independent INI reader
        QProcess python;
        python.start(u"/usr/bin/python3"_s,
                     {u"-c"_s, u"import configparser,sys; c=configparser.ConfigParser(); "
                               "c.read(sys.argv[1], encoding='utf-8'); "
                               "print(c['kullanici']['isim'], c['kullanici']['hatırla'])"_s,
                      path});
        QVERIFY(python.waitForFinished(10000));
        QCOMPARE(QString::fromUtf8(python.readAllStandardOutput()).trimmed(), u"AHMET 1"_s);
    }
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
