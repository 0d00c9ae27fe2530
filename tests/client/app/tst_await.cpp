#include "client/app/await.h"
#include "client/app/messages.h"
#include "client/app/uithread.h"

#include <QApplication>
#include <QTest>

#include <stdexcept>

using namespace Qt::StringLiterals;

class TestAwait : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { messages::setRunner(nullptr); }

    void continuationRunsOnUiThreadAfterBody()
    {
        auto log = std::make_shared<QStringList>();
        bool bodyOffUi = false;
        bool continuationOnUi = false;
        Async([=, &bodyOffUi] {
            bodyOffUi = !uithread::isUiThread();
            *log << u"body"_s;
        }).Await([=, &continuationOnUi] {
            continuationOnUi = uithread::isUiThread();
            *log << u"continuation"_s;
        });
        QTRY_COMPARE(log->size(), 2);
        QCOMPARE(*log, (QStringList{u"body"_s, u"continuation"_s}));
        QVERIFY(bodyOffUi);
        QVERIFY(continuationOnUi);
    }

    void escapingExceptionReportedAfterContinuation()
    {
        auto log = std::make_shared<QStringList>();
        messages::setRunner([=](QMessageBox &, const messages::Shown &s) {
            *log << s.caption + u": "_s + s.text;
            return int(mrOk);
        });
        Async([] { throw std::runtime_error("sunucu düştü"); }).Await([=] { *log << u"continuation"_s; });
        QTRY_COMPARE(log->size(), 2);
        QCOMPARE(log->at(0), u"continuation"_s);
        QCOMPARE(log->at(1), u"Hata: sunucu düştü"_s);
    }

    void continuationDroppedWhenItsWindowIsGone()
    {
        auto ran = std::make_shared<bool>(false);
        auto *window = new QObject;
        std::atomic<bool> release = false;
        Async([&release] {
            while (!release)
                QThread::msleep(1);
        }).Await([=] { *ran = true; }, window);
        delete window;
        release = true;
        await::waitForBodies();
        QTest::qWait(50);
        QVERIFY(!*ran);
    }

    void synchronousHandOverFromOwnThread()
    {
        auto handedOver = std::make_shared<bool>(false);
        TekSeferlikIsParcacigi([=] { uithread::runAndWait([=] { *handedOver = uithread::isUiThread(); }); });
        QTRY_VERIFY(*handedOver);
    }
};

QTEST_MAIN(TestAwait)
#include "tst_await.moc"
