#include "webserver.h"

#include "service.h"

#include <QHttpServer>
#include <QHttpServerRequest>
#include <QHttpServerResponse>
#include <QUrlQuery>

using namespace Qt::StringLiterals;

namespace distributor {

namespace {

// pages are sent with their charset: without it Turkish letters are misread
QHttpServerResponse page(const QString &title, const QString &body)
{
    const QString html = u"<!DOCTYPE html>\n<html lang=\"tr\"><head><meta charset=\"utf-8\"><title>%1</title>"
                         "<style>body{font-family:Tahoma,Arial,sans-serif;margin:2em;color:#2b4c58}"
                         "h1{color:#c8102e}table{border-collapse:collapse}td{padding:4px 10px;"
                         "border-bottom:1px solid #ddd}label{display:inline-block;width:12em}</style></head>"
                         "<body><h1>%1</h1>%2</body></html>\n"_s.arg(title.toHtmlEscaped(), body);
    return QHttpServerResponse("text/html; charset=utf-8", html.toUtf8());
}

QString queryValue(const QHttpServerRequest &request, const QString &key)
{
    return request.query().queryItemValue(key, QUrl::FullyDecoded);
}

} // namespace

WebServer::WebServer(Service &service, QObject *parent)
    : QObject(parent)
    , m_service(service)
    , m_http(new QHttpServer(this))
{
    m_http->route(u"/"_s, [] {
        return page(u"Varko Otomotiv Yedek Parça"_s,
                    u"<p>Fren, filtre, debriyaj, süspansiyon ve motor parçalarında Türkiye'nin bayi ağı.</p>"
                    "<ul><li><a href=\"/exe/VARKOSetup.exe\">Varko B2B Programını indir</a></li>"
                    "<li><a href=\"/formmailgonder.aspx?carino=0&amp;kullanici=%20&amp;id=\">Bayi olmak "
                    "istiyorum</a></li></ul><p>İletişim: 0212 671 00 00 · bilgi@varko.com.tr</p>"_s);
    });

    m_http->route(u"/resimgoster.ashx"_s, [this](const QHttpServerRequest &request) {
        bool ok = false;
        const int stokno = queryValue(request, u"id"_s).toInt(&ok);
        std::optional<Service::Picture> picture;
        if (ok) {
            try {
                picture = m_service.stockPicture(stokno);
            } catch (const Refusal &) {
                picture.reset();
            }
        }
        if (!picture)
            return QHttpServerResponse(QHttpServerResponse::StatusCode::NotFound);
        return QHttpServerResponse(picture->contentType, picture->bytes);
    });

    m_http->route(u"/formmailgonder.aspx"_s, [this](const QHttpServerRequest &request) {
        if (request.method() == QHttpServerRequest::Method::Post) {
            // form encoding writes blanks as '+'; a real '+' arrives as %2B
            const QUrlQuery form(QString::fromUtf8(QByteArray(request.body()).replace('+', ' ')));
            QString body;
            for (const auto &item : form.queryItems(QUrl::FullyDecoded))
                body += item.first + u": "_s + item.second + u'\n';
            const QString device = form.queryItemValue(u"id"_s, QUrl::FullyDecoded);
            try {
                m_service.storeWebRequest(device, body);
            } catch (const Refusal &e) {
                return page(u"İstek Formu"_s, u"<p>İsteğiniz kaydedilemedi: %1</p>"_s.arg(e.message().toHtmlEscaped()));
            }
            return page(u"İstek Formu"_s, u"<p>İsteğiniz alındı. Temsilcimiz sizinle iletişime geçecektir.</p>"_s);
        }
        const QString device = queryValue(request, u"id"_s);
        QString fields;
        for (const auto &f : {std::pair{u"firma"_s, u"Firma Adı"_s}, std::pair{u"adres"_s, u"Adres"_s},
                              std::pair{u"sehir"_s, u"Şehir"_s}, std::pair{u"telefon"_s, u"Telefon"_s},
                              std::pair{u"yetkili"_s, u"Yetkili"_s}, std::pair{u"mail"_s, u"Mail"_s}})
            fields += u"<p><label>%1:</label> <input name=\"%2\"></p>"_s.arg(f.second, f.first);
        return page(u"Varko B2B İstek Formu"_s,
                    u"<p>Bu bilgisayar henüz kayıtlı değil. Bilgilerinizi bırakın, hesabınızı açalım.</p>"
                    "<form method=\"post\" action=\"/formmailgonder.aspx\">"
                    "<input type=\"hidden\" name=\"carino\" value=\"%1\">"
                    "<input type=\"hidden\" name=\"kullanici\" value=\"%2\">"
                    "<p><label>Bilgisayar ID:</label> <input name=\"id\" value=\"%3\" readonly></p>%4"
                    "<p><button type=\"submit\">Gönder</button></p></form>"_s
                        .arg(queryValue(request, u"carino"_s).toHtmlEscaped(),
                             queryValue(request, u"kullanici"_s).toHtmlEscaped(), device.toHtmlEscaped(), fields));
    });

    m_http->route(u"/velkart.html"_s, [](const QHttpServerRequest &request) {
        QString rows;
        for (const QString &key : {u"carino"_s, u"sube"_s, u"firmasi"_s, u"bakiye"_s})
            rows += u"<tr><td>%1</td><td id=\"%1\">%2</td></tr>"_s.arg(key, queryValue(request, key).toHtmlEscaped());
        return page(u"Sanal Pos Ödeme"_s,
                    u"<table>%1</table><p><label>Kart No:</label> <input name=\"kart\" "
                    "placeholder=\"____ ____ ____ ____\"></p><p><label>Tutar:</label> <input name=\"tutar\"></p>"
                    "<p><button>Ödeme Yap</button></p>"_s.arg(rows));
    });

    m_http->route(u"/ip"_s, [](const QHttpServerRequest &request) {
        const QHostAddress peer = request.remoteAddress();
        bool isV4 = false;
        const quint32 v4 = peer.toIPv4Address(&isV4);
        const QString text = isV4 ? QHostAddress(v4).toString() : peer.toString();
        return QHttpServerResponse("text/plain; charset=utf-8", text.toUtf8());
    });

    m_http->route(u"/exe/VARKOSetup.exe"_s, [] {
        return QHttpServerResponse("application/octet-stream", installer());
    });
}

WebServer::~WebServer() = default;

quint16 WebServer::listen(const QHostAddress &address, quint16 port)
{
    return m_http->listen(address, port);
}

QByteArray WebServer::installer()
{
    // a stand-in: a script that says what the real installer would do
    return QByteArrayLiteral("#!/bin/sh\n"
                             "echo \"Varko B2B kurulumu (deneme): yeni sürüm kuruldu. $*\"\n"
                             "exit 0\n");
}

} // namespace distributor
