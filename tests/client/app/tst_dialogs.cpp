#include "client/app/baglantiac.h"
#include "client/app/messages.h"
#include "client/app/texts.h"
#include "client/app/uithread.h"
#include "client/server/serverconnection.h"

#include <QApplication>
#include <QPushButton>
#include <QTcpServer>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <thread>

using namespace Qt::StringLiterals;

namespace {

// a loopback port with nobody listening
quint16 closedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

// presses a key in whatever modal dialog opens next
void pressInNextDialog(Qt::Key key)
{
    QTimer::singleShot(50, [key] {
        if (QWidget *w = QApplication::activeModalWidget())
            QTest::keyClick(w, key);
    });
}

} // namespace

class TestDialogs : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { messages::setRunner(nullptr); }

    void captionsAndButtons_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("caption");
        QTest::newRow("warning") << int(MesajTipi::Uyari) << u"Uyarı"_s;
        QTest::newRow("error") << int(MesajTipi::Hata) << u"Hata"_s;
        QTest::newRow("information") << int(MesajTipi::Bilgi) << u"Bilgi"_s;
        QTest::newRow("question") << int(MesajTipi::Soru) << u"Soru"_s;
    }
    void captionsAndButtons()
    {
        QFETCH(int, type);
        QFETCH(QString, caption);
        std::unique_ptr<QMessageBox> box(
            messages::build(u"Metin"_s, MesajTipi(type), kEvetHayir, Dugme::No, nullptr));
        QCOMPARE(box->windowTitle(), caption);
        QStringList captions;
        for (QAbstractButton *b : box->buttons())
            captions << b->text();
        captions.sort();
        QCOMPARE(captions, (QStringList{u"Evet"_s, u"Hayır"_s}));
        QCOMPARE(box->defaultButton()->text(), u"Hayır"_s);
    }

    void turkishButtonCaptions()
    {
        std::unique_ptr<QMessageBox> box(messages::build(
            u"x"_s, MesajTipi::Bilgi,
            {Dugme::OK, Dugme::Cancel, Dugme::Abort, Dugme::Retry, Dugme::Ignore, Dugme::YesToAll, Dugme::NoToAll, Dugme::Help},
            Dugme::OK, nullptr));
        QStringList captions;
        for (QAbstractButton *b : box->buttons())
            captions << b->text();
        captions.sort();
        QCOMPARE(captions, (QStringList{u"Atla"_s, u"Tamam"_s, u"Tekrar"_s, u"Tümüne Evet"_s, u"Tümüne Hayır"_s,
                                        u"Vazgeç"_s, u"Yardım"_s, u"İptal"_s}));
    }

    void enterChoosesTheDefault_data()
    {
        QTest::addColumn<int>("defaultButton");
        QTest::addColumn<int>("expected");
        QTest::newRow("destructive question defaults to No") << int(Dugme::No) << int(mrNo);
        QTest::newRow("exit question defaults to Yes") << int(Dugme::Yes) << int(mrYes);
    }
    void enterChoosesTheDefault()
    {
        QFETCH(int, defaultButton);
        QFETCH(int, expected);
        pressInNextDialog(Qt::Key_Return);
        QCOMPARE(MesajGoster(u"Satırı silmek istiyor musunuz "_s, MesajTipi::Soru, kEvetHayir, Dugme(defaultButton)),
                 expected);
    }

    void baglantiAcTriesElevenTimes_data()
    {
        QTest::addColumn<bool>("reportFinal");
        QTest::addColumn<bool>("fromBackground");
        QTest::newRow("silent, UI thread") << false << false;
        QTest::newRow("final message, UI thread") << true << false;
        QTest::newRow("final message, background body") << true << true;
    }
    void baglantiAcTriesElevenTimes()
    {
        QFETCH(bool, reportFinal);
        QFETCH(bool, fromBackground);

        QList<messages::Shown> shown;
        bool allOnUiThread = true;
        messages::setRunner([&](QMessageBox &, const messages::Shown &s) {
            allOnUiThread = allOnUiThread && uithread::isUiThread();
            shown << s;
            return int(mrOk);
        });
        connectionretry::setPauseMs(5);

        ServerConnection connection;
        connection.setHostName(u"127.0.0.1"_s);
        connection.setPort(closedPort());
        connection.setConnectTimeout(1000);

        bool opened = true;
        if (fromBackground) {
            std::atomic<bool> done = false;
            std::thread body([&] {
                opened = BaglantiAc(connection, reportFinal);
                done = true;
            });
            QTRY_VERIFY_WITH_TIMEOUT(done.load(), 30000);
            body.join();
        } else {
            opened = BaglantiAc(connection, reportFinal);
        }

        QVERIFY(!opened);
        QVERIFY(!connection.isOpen());
        QVERIFY(allOnUiThread);
        QCOMPARE(shown.size(), kBaglantiDenemeSayisi + (reportFinal ? 1 : 0));
        for (int i = 0; i < kBaglantiDenemeSayisi; ++i) {
            QVERIFY(shown[i].plain);
            QVERIFY(!shown[i].text.isEmpty());
        }
        if (reportFinal) {
            QCOMPARE(shown.last().text, texts::kBaglantiKurulamiyor);
            QCOMPARE(shown.last().caption, u"Hata"_s);
        }
        connectionretry::setPauseMs(kBaglantiDenemeAraligiMs);
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
