#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

namespace distributor {

// Pictures and documents the distributor hands out. Everything is drawn
// from its arguments alone, so the same stock always gets the same
// picture and nothing has to be stored for 200 000 stocks.
namespace media {

enum class PictureKind { None = 0, Png = 1, Jpeg = 2 };

// a 320 × 240 product card for a stock
QByteArray stockPicture(int stokno, const QString &name, const QString &brand, PictureKind kind);
// a 600 × 400 announcement or advertisement picture as JPEG
QByteArray announcementJpeg(const QString &title, const QString &line, const QColor &colour);

// GIF89a of one or more frames (all of the first frame's size), colours
// reduced to a fixed 6×6×6 cube; frames shown delayCs hundredths apart.
QByteArray encodeGif(const QList<QImage> &frames, int delayCs);
QByteArray headerBanner();  // GIF
QByteArray upperBanner();   // GIF
QByteArray lowerBanner();   // BMP

// A PDF with a title, some header lines and a table; the text stays text,
// so it can be extracted (pdftotext). Rows that do not fit go to new pages.
struct PdfTable
{
    QStringList columns;
    QList<int> widths; // relative widths of the columns
    QList<QStringList> rows;
};
QByteArray pdfDocument(const QString &title, const QStringList &headerLines, const PdfTable &table,
                       const QStringList &footerLines = {});

// "DEADBEEF..." as the announcement records carry pictures
QString toHexText(const QByteArray &bytes);

} // namespace media
} // namespace distributor
