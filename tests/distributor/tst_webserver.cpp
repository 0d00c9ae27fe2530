// The web server over HTTP on loopback: pictures with their content type,
// the pages with their charset, the caller's address, the installer.

#include "fixture.h"

#include <distributor/webserver.h>

#include <QImage>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSignalSpy>
#include <QUrlQuery>

using namespace Qt::StringLiterals;

class TestWebServer : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<DistributorFixture> f;
    QNetworkAccessManager nam;

    struct Reply
    {
        int status = 0;
        QByteArray contentType;
        QByteArray body;
    };

    Reply get(const QString &pathAndQuery, const QByteArray &postBody = {})
    {
        QNetworkRequest request(QUrl(u"http://127.0.0.1:%1%2"_s.arg(f->server().webPort()).arg(pathAndQuery)));
        QNetworkReply *reply = nullptr;
        if (postBody.isNull()) {
            reply = nam.get(request);
        } else {
            request.setHeader(QNetworkRequest::ContentTypeHeader, "application/x-www-form-urlencoded");
            reply = nam.post(request, postBody);
        }
        QSignalSpy done(reply, &QNetworkReply::finished);
        if (!reply->isFinished())
            done.wait(10000);
        Reply r;
        r.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        r.contentType = reply->header(QNetworkRequest::ContentTypeHeader).toByteArray();
        r.body = reply->readAll();
        reply->deleteLater();
        return r;
    }

    int stockWithPicture(int kind)
    {
        Query q(f->server().store().database(), u"SELECT STOKNO FROM STOK WHERE RESIM = ? ORDER BY STOKNO LIMIT 1"_s);
        q.bind(kind).exec();
        return q.next() ? q.intValue(0) : 0;
    }

private slots:
    void initTestCase() { f = std::make_unique<DistributorFixture>(); }
    void cleanupTestCase() { f.reset(); }

    void pictures_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("contentType");
        QTest::addColumn<QByteArray>("format");
        QTest::newRow("PNG picture") << 1 << 200 << QByteArray("image/png") << QByteArray("PNG");
        QTest::newRow("JPEG picture") << 2 << 200 << QByteArray("image/jpeg") << QByteArray("JPEG");
        QTest::newRow("stock without a picture") << 0 << 404 << QByteArray() << QByteArray();
    }

    void pictures()
    {
        QFETCH(int, kind);
        QFETCH(int, status);
        QFETCH(QByteArray, contentType);
        QFETCH(QByteArray, format);
        const int stokno = stockWithPicture(kind);
        QVERIFY(stokno > 0);
        const Reply r = get(u"/resimgoster.ashx?id=%1"_s.arg(stokno));
        QCOMPARE(r.status, status);
        if (status != 200)
            return;
        QCOMPARE(r.contentType, contentType);
        const QImage image = QImage::fromData(r.body, format.constData());
        QCOMPARE(image.size(), QSize(320, 240));
        // the same stock always gets the same picture
        QCOMPARE(get(u"/resimgoster.ashx?id=%1"_s.arg(stokno)).body, r.body);
    }

    void unknownPicturesAreNotFound_data()
    {
        QTest::addColumn<QString>("query");
        QTest::newRow("unknown stock") << u"?id=99999999"_s;
        QTest::newRow("not a number") << u"?id=abc"_s;
        QTest::newRow("no id") << QString();
    }

    void unknownPicturesAreNotFound()
    {
        QFETCH(QString, query);
        QCOMPARE(get(u"/resimgoster.ashx"_s + query).status, 404);
    }

    void callersAddress()
    {
        const Reply r = get(u"/ip"_s);
        QCOMPARE(r.status, 200);
        QVERIFY(r.contentType.startsWith("text/plain"));
        QCOMPARE(r.body.trimmed(), QByteArray("127.0.0.1"));
    }

    void paymentPageShowsWhatItReceived()
    {
        QUrlQuery q;
        q.addQueryItem(u"carino"_s, u"1001"_s);
        q.addQueryItem(u"sube"_s, u"MERKEZ"_s);
        q.addQueryItem(u"firmasi"_s, u"Özgür Oto <Şti.>"_s);
        q.addQueryItem(u"bakiye"_s, u"12.345,67"_s);
        const Reply r = get(u"/velkart.html?"_s + q.toString(QUrl::FullyEncoded));
        QCOMPARE(r.status, 200);
        QCOMPARE(r.contentType, QByteArray("text/html; charset=utf-8"));
        const QString page = QString::fromUtf8(r.body);
        QVERIFY(page.contains(u"<td id=\"carino\">1001</td>"_s));
        QVERIFY(page.contains(u"<td id=\"sube\">MERKEZ</td>"_s));
        QVERIFY(page.contains(u"<td id=\"firmasi\">Özgür Oto &lt;Şti.&gt;</td>"_s));
        QVERIFY(page.contains(u"<td id=\"bakiye\">12.345,67</td>"_s));
    }

    void requestFormIsShownAndKept()
    {
        const Reply form = get(u"/formmailgonder.aspx?carino=0&kullanici=%20&id=WD-XYZ123"_s);
        QCOMPARE(form.status, 200);
        QCOMPARE(form.contentType, QByteArray("text/html; charset=utf-8"));
        QVERIFY(QString::fromUtf8(form.body).contains(u"value=\"WD-XYZ123\""_s));
        const Reply sent = get(u"/formmailgonder.aspx"_s, "id=WD-XYZ123&firma=%C3%87elik+Oto&telefon=0212");
        QCOMPARE(sent.status, 200);
        Query q(f->server().store().database(), u"SELECT BILGISAYARID, GOVDE FROM GIDENMAIL WHERE YONTEM = ?"_s);
        q.bind(u"formmailgonder.aspx"_s).exec();
        QVERIFY(q.next());
        QCOMPARE(q.text(0), u"WD-XYZ123"_s);
        QVERIFY(q.text(1).contains(u"Çelik Oto"_s));
    }

    void installerAndHomePage()
    {
        const Reply exe = get(u"/exe/VARKOSetup.exe"_s);
        QCOMPARE(exe.status, 200);
        QCOMPARE(exe.body, distributor::WebServer::installer());
        const Reply home = get(u"/"_s);
        QCOMPARE(home.status, 200);
        QCOMPARE(home.contentType, QByteArray("text/html; charset=utf-8"));
        QVERIFY(QString::fromUtf8(home.body).contains(u"Varko"_s));
        QCOMPARE(get(u"/yok.html"_s).status, 404);
    }
};

QTEST_MAIN(TestWebServer)
#include "tst_webserver.moc"
