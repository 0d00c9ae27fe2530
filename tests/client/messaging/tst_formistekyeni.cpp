#include "client/messaging/formistekyeni.h"
#include "distributor/distributor.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

using namespace Qt::StringLiterals;

namespace {

// polls the page's visible text until it has some or time runs out
QString pageText(Tformistekyeni &form, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        bool done = false;
        QString text;
        form.tarayici()->page()->runJavaScript(u"document.body ? document.body.innerText : ''"_s,
                                                [&](const QVariant &v) {
                                                    text = v.toString();
                                                    done = true;
                                                });
        QTest::qWaitFor([&] { return done; }, 5000);
        if (!text.isEmpty())
            return text;
        QTest::qWait(100);
    }
    return QString();
}

} // namespace

class TestFormIstekYeni : public QObject
{
    Q_OBJECT

private slots:
    void showsTheDistributorsRequestForm()
    {
        QTemporaryDir data;
        distributor::DistributorOptions o;
        o.port = 0;
        o.webPort = 0;
        o.dataFolder = data.path();
        distributor::Distributor server(o);
        QString error;
        QVERIFY2(server.start(&error), qPrintable(error));

        Tformistekyeni form;
        form.setWindowTitle(u"Varko B2B İstek Formu"_s);
        form.resize(800, 600);
        form.show();
        form.gezin(u"http://127.0.0.1:%1/formmailgonder.aspx?carino=0&kullanici= &id=CİHAZ 1"_s.arg(server.webPort()));

        // the page's own text, read back through the browser
        const QString body = pageText(form, 30000);
        QVERIFY2(!body.isEmpty(), "the request form page did not load");
        QVERIFY(form.tarayici()->url().toString().contains(u"formmailgonder.aspx"_s));
        // the browser fills the window above the close button
        QVERIFY(form.tarayici()->width() >= form.width() - 2);

        auto *close = form.findChild<QPushButton *>(u"kapat"_s);
        QCOMPARE(close->text(), u"Kapat"_s);
        close->click();
        QVERIFY(!form.isVisible());
    }
};

int main(int argc, char *argv[])
{
    // the embedded browser needs these before the application exists
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    if (qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox --disable-gpu");
    QApplication app(argc, argv);
    TestFormIstekYeni test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_formistekyeni.moc"
