#include "client/catalogue/asyncresim.h"
#include "client/catalogue/gifresim.h"

#include <QBuffer>
#include <QHttpServer>
#include <QHttpServerResponse>
#include <QImage>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QByteArray encoded(const QColor &colour, const char *format)
{
    QImage image(8, 4, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// a 1 × 1 GIF89a
const QByteArray kGif = QByteArray::fromHex("47494638396101000100800000ff000000000021f90401000000002c00000000010001000002024401003b");

} // namespace

// Serves pictures under fixed paths with chosen content types and counts
// the requests per path.
class PictureServer
{
public:
    PictureServer()
    {
        add(u"/png"_s, "image/png", encoded(Qt::red, "PNG"));
        add(u"/bmp"_s, "image/bmp", encoded(Qt::green, "BMP"));
        add(u"/jpeg-capitals"_s, "IMAGE/JPEG", encoded(Qt::blue, "JPG"));
        add(u"/jpg"_s, "image/jpg", encoded(Qt::yellow, "JPG"));
        add(u"/gif"_s, "image/gif", kGif);
        add(u"/broken"_s, "image/png", QByteArray("not a picture"));
        add(u"/empty"_s, "image/png", QByteArray());
        m_server.route(u"/missing"_s, [this] {
            ++m_counts[u"/missing"_s];
            return QHttpServerResponse(QHttpServerResponse::StatusCode::NotFound);
        });
        m_port = m_server.listen(QHostAddress::LocalHost, 0);
    }
    QString url(const QString &path) const { return u"http://127.0.0.1:%1%2"_s.arg(m_port).arg(path); }
    int count(const QString &path) const { return m_counts.value(path); }
    bool listening() const { return m_port > 0; }

private:
    void add(const QString &path, const QByteArray &type, const QByteArray &body)
    {
        m_server.route(path, [this, path, type, body] {
            ++m_counts[path];
            return QHttpServerResponse(type, body);
        });
    }
    QHttpServer m_server;
    QHash<QString, int> m_counts;
    int m_port = 0;
};

class TestAsyncResim : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_server.listening()); }

    void contentTypes_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("png") << u"/png"_s << true << QColor(Qt::red);
        QTest::newRow("bmp") << u"/bmp"_s << true << QColor(Qt::green);
        QTest::newRow("jpeg in capitals") << u"/jpeg-capitals"_s << true << QColor(Qt::blue);
        QTest::newRow("jpg") << u"/jpg"_s << true << QColor(Qt::yellow);
        QTest::newRow("gif is not shown") << u"/gif"_s << false << QColor();
        QTest::newRow("body that does not decode") << u"/broken"_s << false << QColor();
        QTest::newRow("empty body") << u"/empty"_s << false << QColor();
        QTest::newRow("not found") << u"/missing"_s << false << QColor();
    }
    void contentTypes()
    {
        QFETCH(QString, path);
        QFETCH(bool, shown);
        QFETCH(QColor, colour);
        TAsyncResim resim;
        QSignalSpy done(&resim, &TAsyncResim::indirmeBitti);
        resim.setUrl(m_server.url(path));
        QVERIFY(done.wait(5000));
        QCOMPARE(resim.hasPicture(), shown);
        if (shown) {
            const QColor got = resim.picture().toImage().pixelColor(2, 2);
            // JPEG is lossy; the colour is near, not equal
            QVERIFY2(qAbs(got.red() - colour.red()) < 16 && qAbs(got.green() - colour.green()) < 16
                         && qAbs(got.blue() - colour.blue()) < 16,
                     qPrintable(got.name()));
        }
    }

    void failuresKeepThePreviousPicture_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("gif") << u"/gif"_s;
        QTest::newRow("broken body") << u"/broken"_s;
        QTest::newRow("not found") << u"/missing"_s;
    }
    void failuresKeepThePreviousPicture()
    {
        QFETCH(QString, path);
        TAsyncResim resim;
        QSignalSpy done(&resim, &TAsyncResim::indirmeBitti);
        resim.setUrl(m_server.url(u"/png"_s));
        QVERIFY(done.wait(5000));
        const QImage before = resim.picture().toImage();
        resim.setUrl(m_server.url(path));
        QVERIFY(done.wait(5000));
        QCOMPARE(resim.picture().toImage(), before);
    }

    void sameAddressDownloadsOnce()
    {
        const int before = m_server.count(u"/bmp"_s);
        TAsyncResim resim;
        QSignalSpy done(&resim, &TAsyncResim::indirmeBitti);
        resim.setUrl(m_server.url(u"/bmp"_s));
        resim.setUrl(m_server.url(u"/bmp"_s));
        QVERIFY(done.wait(5000));
        QTest::qWait(100);
        QCOMPARE(done.count(), 1);
        QCOMPARE(m_server.count(u"/bmp"_s), before + 1);
    }

    void emptyAddressKeepsPictureAndDownloadsNothing()
    {
        TAsyncResim resim;
        QSignalSpy done(&resim, &TAsyncResim::indirmeBitti);
        resim.setUrl(m_server.url(u"/png"_s));
        QVERIFY(done.wait(5000));
        resim.setUrl(QString());
        QTest::qWait(100);
        QCOMPARE(done.count(), 1);
        QVERIFY(resim.hasPicture());
        QCOMPARE(resim.Url(), QString());
    }

    void destroyedWhileDownloading()
    {
        // the control goes away with its request in flight: nothing calls back
        auto *resim = new TAsyncResim;
        resim->setUrl(m_server.url(u"/png"_s));
        delete resim;
        QTest::qWait(200);
    }

    void gifAnimates()
    {
        TGifResim gif;
        QVERIFY(gif.setPicture(kGif));
        QVERIFY(gif.hasGif());
        QVERIFY(!gif.isAnimating());
        gif.GosterAnim();
        QVERIFY(gif.Animate());
        QVERIFY(gif.isVisible());
        gif.GizleDurdur();
        QVERIFY(!gif.isVisible());
        QVERIFY(!gif.Animate());
        QVERIFY(!gif.isAnimating());
    }

    void stillPictureInGifControl()
    {
        TGifResim gif;
        QVERIFY(gif.setPicture(encoded(Qt::red, "PNG")));
        QVERIFY(!gif.hasGif());
        gif.setAnimate(true);
        QVERIFY(!gif.isAnimating());
        QVERIFY(!gif.pixmap().isNull());
    }

private:
    PictureServer m_server;
};

QTEST_MAIN(TestAsyncResim)
#include "tst_asyncresim.moc"
