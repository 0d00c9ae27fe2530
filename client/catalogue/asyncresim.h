#pragma once

#include <QByteArray>
#include <QPixmap>
#include <QPointer>
#include <QWidget>

class QNetworkAccessManager;
class QNetworkReply;

// A picture that downloads itself: setting a new address starts a GET in
// the background; the answer is decoded by its "Content-Type" (png, bmp,
// jpeg/jpg, case ignored) and replaces the picture. Anything else (another
// type, a body that does not decode, an HTTP error) keeps the previous
// picture. Drawn stretched proportionally and centred, with a transparent
// background, so that whatever lies behind shows until a picture arrives.
class TAsyncResim : public QWidget
{
    Q_OBJECT

public:
    explicit TAsyncResim(QWidget *parent = nullptr);
    ~TAsyncResim() override;

    QString Url() const { return FUrl; }
    void setUrl(const QString &url);

    bool hasPicture() const { return !m_picture.isNull(); }
    const QPixmap &picture() const { return m_picture; }

    // the decoder for a "Content-Type" value: "png", "bmp", "jpg", or
    // empty when the type is not shown
    static QByteArray decoderFor(const QString &contentType);

signals:
    // a new picture was decoded and shown
    void resimGeldi();
    // a download ended, whatever its outcome
    void indirmeBitti();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void Geldi(QNetworkReply *reply);

    QString FUrl;
    QNetworkAccessManager *FHTTPClient = nullptr; // owned through the parent chain
    QPointer<QNetworkReply> FHTTPRequest;
    bool iptal = false;
    QPixmap m_picture;
};
