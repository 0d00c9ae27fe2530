#include "asyncresim.h"

#include <QImage>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPainter>

using namespace Qt::StringLiterals;

TAsyncResim::TAsyncResim(QWidget *parent)
    : QWidget(parent)
    , FHTTPClient(new QNetworkAccessManager(this))
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAutoFillBackground(false);
}

TAsyncResim::~TAsyncResim()
{
    // a transfer still running must not call back into a dead control
    iptal = true;
    if (FHTTPRequest) {
        FHTTPRequest->disconnect(this);
        FHTTPRequest->abort();
        delete FHTTPRequest.data();
    }
}

void TAsyncResim::setUrl(const QString &url)
{
    if (url == FUrl)
        return;
    FUrl = url;
    if (url.isEmpty())
        return;
    if (FHTTPRequest) {
        FHTTPRequest->disconnect(this);
        FHTTPRequest->abort();
        FHTTPRequest->deleteLater();
    }
    QNetworkReply *reply = FHTTPClient->get(QNetworkRequest(QUrl(url)));
    FHTTPRequest = reply;
    connect(reply, &QNetworkReply::finished, this, [this, reply] { Geldi(reply); });
}

QByteArray TAsyncResim::decoderFor(const QString &contentType)
{
    // the part after "image/"
    const QString kind = contentType.mid(6).toLower();
    if (kind == u"png"_s)
        return "png";
    if (kind == u"bmp"_s)
        return "bmp";
    if (kind == u"jpeg"_s || kind == u"jpg"_s)
        return "jpg";
    return QByteArray();
}

void TAsyncResim::Geldi(QNetworkReply *reply)
{
    reply->deleteLater();
    if (reply == FHTTPRequest)
        FHTTPRequest.clear();
    if (iptal)
        return;
    const bool ok = reply->error() == QNetworkReply::NoError;
    const QByteArray body = ok ? reply->readAll() : QByteArray();
    if (!body.isEmpty()) {
        const QByteArray decoder = decoderFor(reply->header(QNetworkRequest::ContentTypeHeader).toString());
        QImage image;
        if (!decoder.isEmpty() && image.loadFromData(body, decoder.constData())) {
            m_picture = QPixmap::fromImage(image);
            update();
            emit resimGeldi();
        }
    }
    emit indirmeBitti();
}

void TAsyncResim::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QSize size = m_picture.size().scaled(this->size(), Qt::KeepAspectRatio);
    const QRect target(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
    p.drawPixmap(target, m_picture);
}
