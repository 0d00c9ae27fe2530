#include "media.h"

#include <QBuffer>
#include <QFont>
#include <QLinearGradient>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

using namespace Qt::StringLiterals;

namespace distributor::media {

namespace {

QByteArray encodeImage(const QImage &image, const char *format, int quality = -1)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, quality);
    return bytes;
}

QColor colourFor(const QString &key)
{
    const size_t h = qHash(key, 7u);
    return QColor::fromHsv(int(h % 360), 150 + int((h >> 9) % 80), 150 + int((h >> 17) % 70));
}

// ------------------------------------------------------------------ GIF

// colour index in the fixed palette: a 6×6×6 cube
quint8 cubeIndex(QRgb c)
{
    const int r = (qRed(c) * 5 + 127) / 255;
    const int g = (qGreen(c) * 5 + 127) / 255;
    const int b = (qBlue(c) * 5 + 127) / 255;
    return quint8(r * 36 + g * 6 + b);
}

class BitWriter
{
public:
    void put(int code, int width)
    {
        m_acc |= quint32(code) << m_bits;
        m_bits += width;
        while (m_bits >= 8) {
            m_bytes.append(char(m_acc & 0xFF));
            m_acc >>= 8;
            m_bits -= 8;
        }
    }
    QByteArray finish()
    {
        if (m_bits > 0)
            m_bytes.append(char(m_acc & 0xFF));
        return m_bytes;
    }

private:
    QByteArray m_bytes;
    quint32 m_acc = 0;
    int m_bits = 0;
};

// LZW without compression: every pixel is sent as its own literal code and
// a clear code follows before the decoder's table would need wider codes,
// so every code stays 9 bits wide. Valid for every GIF decoder.
QByteArray lzwLiterals(const QByteArray &indices)
{
    constexpr int kClear = 256;
    constexpr int kEnd = 257;
    constexpr int kLiteralsPerClear = 250;
    BitWriter w;
    w.put(kClear, 9);
    int sinceClear = 0;
    for (char c : indices) {
        if (sinceClear == kLiteralsPerClear) {
            w.put(kClear, 9);
            sinceClear = 0;
        }
        w.put(quint8(c), 9);
        ++sinceClear;
    }
    w.put(kEnd, 9);
    return w.finish();
}

void appendLe16(QByteArray &out, int v)
{
    out.append(char(v & 0xFF));
    out.append(char((v >> 8) & 0xFF));
}

void appendSubBlocks(QByteArray &out, const QByteArray &data)
{
    for (qsizetype i = 0; i < data.size(); i += 255) {
        const qsizetype n = qMin<qsizetype>(255, data.size() - i);
        out.append(char(n));
        out.append(data.constData() + i, n);
    }
    out.append('\0');
}

QImage banner(int width, int height, const QColor &from, const QColor &to, const QString &text, qreal shift)
{
    QImage img(width, height, QImage::Format_RGB32);
    QPainter p(&img);
    QLinearGradient g(0, 0, width, height);
    g.setColorAt(0, from);
    g.setColorAt(1, to);
    p.fillRect(img.rect(), g);
    p.setPen(Qt::white);
    QFont f(u"DejaVu Sans"_s);
    f.setBold(true);
    f.setPixelSize(height / 3);
    p.setFont(f);
    p.drawText(img.rect().translated(int(shift * width), 0), Qt::AlignVCenter | Qt::AlignLeft, text);
    return img;
}

} // namespace

QByteArray stockPicture(int stokno, const QString &name, const QString &brand, PictureKind kind)
{
    if (kind == PictureKind::None)
        return {};
    QImage img(320, 240, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor c = colourFor(brand);
    p.fillRect(QRect(0, 0, 320, 48), c);
    p.setPen(Qt::white);
    QFont f(u"DejaVu Sans"_s);
    f.setBold(true);
    f.setPixelSize(22);
    p.setFont(f);
    p.drawText(QRect(10, 0, 300, 48), Qt::AlignVCenter | Qt::AlignLeft, brand);
    // a simple part silhouette: a disc with a hub, size from the number
    p.setPen(QPen(c.darker(150), 4));
    p.setBrush(c.lighter(130));
    const int r = 40 + stokno % 25;
    p.drawEllipse(QPoint(160, 130), r, r);
    p.setBrush(Qt::white);
    p.drawEllipse(QPoint(160, 130), r / 3, r / 3);
    p.setPen(Qt::black);
    f.setBold(false);
    f.setPixelSize(14);
    p.setFont(f);
    p.drawText(QRect(8, 190, 304, 46), Qt::AlignCenter | Qt::TextWordWrap, name);
    p.end();
    return kind == PictureKind::Png ? encodeImage(img, "PNG") : encodeImage(img, "JPEG", 85);
}

QByteArray announcementJpeg(const QString &title, const QString &line, const QColor &colour)
{
    QImage img(600, 400, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 600, 400);
    g.setColorAt(0, colour);
    g.setColorAt(1, colour.darker(220));
    p.fillRect(img.rect(), g);
    p.setPen(Qt::white);
    QFont f(u"DejaVu Sans"_s);
    f.setBold(true);
    f.setPixelSize(40);
    p.setFont(f);
    p.drawText(QRect(30, 60, 540, 180), Qt::AlignCenter | Qt::TextWordWrap, title);
    f.setBold(false);
    f.setPixelSize(24);
    p.setFont(f);
    p.drawText(QRect(30, 250, 540, 110), Qt::AlignCenter | Qt::TextWordWrap, line);
    p.end();
    return encodeImage(img, "JPEG", 80);
}

QByteArray encodeGif(const QList<QImage> &frames, int delayCs)
{
    if (frames.isEmpty())
        return {};
    const int width = frames.first().width();
    const int height = frames.first().height();
    QByteArray out("GIF89a");
    appendLe16(out, width);
    appendLe16(out, height);
    out.append(char(0xF7)); // global colour table of 256 entries, 8 bits per primary
    out.append('\0');        // background colour index
    out.append('\0');        // no aspect ratio
    for (int i = 0; i < 256; ++i) {
        if (i < 216) {
            out.append(char((i / 36) * 51));
            out.append(char(((i / 6) % 6) * 51));
            out.append(char((i % 6) * 51));
        } else {
            out.append(3, '\0');
        }
    }
    if (frames.size() > 1) {
        // loop for ever
        out.append("\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00", 19);
    }
    for (const QImage &frame : frames) {
        const QImage img = frame.convertToFormat(QImage::Format_RGB32).scaled(width, height);
        out.append("\x21\xF9\x04", 3); // graphic control extension
        out.append('\0');
        appendLe16(out, delayCs);
        out.append('\0');
        out.append('\0');
        out.append(',');
        appendLe16(out, 0);
        appendLe16(out, 0);
        appendLe16(out, width);
        appendLe16(out, height);
        out.append('\0'); // no local colour table, not interlaced
        QByteArray indices;
        indices.reserve(qsizetype(width) * height);
        for (int y = 0; y < height; ++y) {
            const auto *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
            for (int x = 0; x < width; ++x)
                indices.append(char(cubeIndex(line[x])));
        }
        out.append(char(8)); // LZW minimum code size
        appendSubBlocks(out, lzwLiterals(indices));
    }
    out.append(';');
    return out;
}

QByteArray headerBanner()
{
    static const QByteArray gif = encodeGif(
        {banner(240, 80, QColor(200, 16, 32), QColor(40, 0, 0), u"VARKO"_s, 0.08),
         banner(240, 80, QColor(10, 31, 78), QColor(0, 0, 30), u"B2B"_s, 0.3)},
        80);
    return gif;
}

QByteArray upperBanner()
{
    static const QByteArray gif = encodeGif(
        {banner(900, 60, QColor(10, 31, 78), QColor(200, 16, 32), u"Yeni sezon fren ürünleri stokta"_s, 0.03),
         banner(900, 60, QColor(200, 16, 32), QColor(10, 31, 78), u"Filtrelerde kampanya sürüyor"_s, 0.03)},
        300);
    return gif;
}

QByteArray lowerBanner()
{
    static const QByteArray bmp = encodeImage(
        banner(1200, 60, QColor(0, 110, 60), QColor(0, 40, 20),
               u"Siparişleriniz aynı gün kargoda  •  Varko Otomotiv Yedek Parça"_s, 0.02),
        "BMP");
    return bmp;
}

QByteArray pdfDocument(const QString &title, const QStringList &headerLines, const PdfTable &table,
                       const QStringList &footerLines)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setResolution(96);
        pdf.setTitle(title);
        pdf.setCreator(u"Varko Dağıtıcı"_s);
        pdf.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        QPainter p(&pdf);
        const QRect page = p.viewport();
        const int w = page.width();
        QFont titleFont(u"DejaVu Sans"_s);
        titleFont.setPixelSize(20);
        titleFont.setBold(true);
        QFont textFont(u"DejaVu Sans"_s);
        textFont.setPixelSize(11);
        QFont headFont = textFont;
        headFont.setBold(true);
        const int lineH = 16;
        int y = 0;

        auto newPageIfNeeded = [&](int need) {
            if (y + need > page.height()) {
                pdf.newPage();
                y = 0;
            }
        };

        p.setFont(titleFont);
        p.drawText(QRect(0, y, w, 30), Qt::AlignLeft | Qt::AlignVCenter, title);
        y += 36;
        p.setFont(textFont);
        for (const QString &line : headerLines) {
            p.drawText(QRect(0, y, w, lineH), Qt::AlignLeft | Qt::AlignVCenter, line);
            y += lineH;
        }
        y += 10;

        int total = 0;
        for (int v : table.widths)
            total += v;
        QList<int> xs;
        int x = 0;
        for (int i = 0; i < table.columns.size(); ++i) {
            xs.append(x);
            x += total > 0 ? table.widths.value(i, 1) * w / total : w / qMax(1, int(table.columns.size()));
        }
        xs.append(w);
        auto drawRow = [&](const QStringList &cells, bool head) {
            newPageIfNeeded(lineH);
            p.setFont(head ? headFont : textFont);
            for (int i = 0; i < table.columns.size(); ++i) {
                const QRect cell(xs[i] + 2, y, xs[i + 1] - xs[i] - 4, lineH);
                p.drawText(cell, Qt::AlignLeft | Qt::AlignVCenter, cells.value(i));
            }
            y += lineH;
            if (head) {
                p.drawLine(0, y, w, y);
                y += 2;
            }
        };
        if (!table.columns.isEmpty()) {
            drawRow(table.columns, true);
            for (const QStringList &row : table.rows)
                drawRow(row, false);
        }
        y += 10;
        p.setFont(headFont);
        for (const QString &line : footerLines) {
            newPageIfNeeded(lineH);
            p.drawText(QRect(0, y, w, lineH), Qt::AlignLeft | Qt::AlignVCenter, line);
            y += lineH;
        }
    }
    return bytes;
}

QString toHexText(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex().toUpper());
}

} // namespace distributor::media
