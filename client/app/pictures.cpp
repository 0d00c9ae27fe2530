#include "pictures.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

using namespace Qt::StringLiterals;

namespace pictures {

namespace {

constexpr int kSize = 24;

QPixmap canvas(int w = kSize, int h = kSize)
{
    QPixmap pm(w, h);
    pm.fill(Qt::transparent);
    return pm;
}

void ball(QPainter &p, const QColor &color, const QRectF &r = QRectF(3, 3, 18, 18))
{
    QRadialGradient g(r.center() - QPointF(r.width() / 5, r.height() / 5), r.width() / 1.4);
    g.setColorAt(0, color.lighter(170));
    g.setColorAt(1, color.darker(120));
    p.setPen(QPen(color.darker(160), 1));
    p.setBrush(g);
    p.drawEllipse(r);
}

void telephone(QPainter &p, const QColor &color, const QRectF &r)
{
    // handset over a cradle
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    QPainterPath handset;
    handset.addRoundedRect(QRectF(r.left(), r.top(), r.width(), r.height() * 0.32), 2, 2);
    p.drawPath(handset);
    QPainterPath body;
    body.moveTo(r.left() + r.width() * 0.2, r.top() + r.height() * 0.3);
    body.lineTo(r.right() - r.width() * 0.2, r.top() + r.height() * 0.3);
    body.lineTo(r.right(), r.bottom());
    body.lineTo(r.left(), r.bottom());
    body.closeSubpath();
    p.drawPath(body);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(r.center().x(), r.top() + r.height() * 0.68), r.width() * 0.14, r.width() * 0.14);
}

QPixmap draw(int index)
{
    QPixmap pm = canvas();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor green(0x2E, 0xB8, 0x3C), blue(0x2A, 0x6C, 0xD8), orange(0xF2, 0x8C, 0x1C), red(0xD8, 0x22, 0x22);
    switch (index) {
    case 0: ball(p, green); break;
    case 1: ball(p, blue); break;
    case 2: { // truck
        p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1));
        p.setBrush(QColor(0x1F, 0x5F, 0xA8));
        p.drawRect(QRectF(1.5, 6.5, 13, 9));
        p.setBrush(QColor(0xE8, 0x3A, 0x2A));
        QPainterPath cab;
        cab.moveTo(14.5, 9.5);
        cab.lineTo(19.5, 9.5);
        cab.lineTo(22.5, 13);
        cab.lineTo(22.5, 15.5);
        cab.lineTo(14.5, 15.5);
        cab.closeSubpath();
        p.drawPath(cab);
        p.setBrush(QColor(0x20, 0x20, 0x20));
        p.drawEllipse(QPointF(5.5, 17.5), 2.4, 2.4);
        p.drawEllipse(QPointF(18.5, 17.5), 2.4, 2.4);
        break;
    }
    case 3: ball(p, orange); break;
    case 4: ball(p, red); break;
    case 5: { // clipboard
        p.setPen(QPen(QColor(0x6B, 0x4A, 0x2B), 1));
        p.setBrush(QColor(0xC8, 0x95, 0x5C));
        p.drawRoundedRect(QRectF(4.5, 3.5, 15, 19), 2, 2);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(6.5, 6.5, 11, 14));
        p.setBrush(QColor(0x90, 0x90, 0x90));
        p.drawRoundedRect(QRectF(8.5, 1.5, 7, 4), 1, 1);
        p.setPen(QPen(QColor(0x50, 0x50, 0x50), 1));
        for (int y = 10; y <= 18; y += 3)
            p.drawLine(QPointF(8, y), QPointF(16, y));
        break;
    }
    case 6: {
        ball(p, blue);
        p.setPen(Qt::white);
        QFont f(u"DejaVu Sans"_s);
        f.setPixelSize(13);
        f.setBold(true);
        p.setFont(f);
        p.drawText(QRectF(3, 3, 18, 18), Qt::AlignCenter, u"?"_s);
        break;
    }
    case 7:
        ball(p, green);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(6, 10.5, 12, 3));
        break;
    case 8:
        ball(p, orange);
        telephone(p, QColor(0x20, 0x20, 0x20), QRectF(7, 7, 10, 10));
        break;
    case 9: telephone(p, Qt::black, QRectF(3, 4, 18, 16)); break;
    case 10: {
        ball(p, QColor(0xC8, 0xC8, 0xC8));
        p.setPen(Qt::NoPen);
        p.setBrush(green);
        p.drawPie(QRectF(3, 3, 18, 18), 90 * 16, 180 * 16);
        p.setPen(QPen(green.darker(160), 1));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(3, 3, 18, 18));
        break;
    }
    default: break;
    }
    return pm;
}

} // namespace

QPixmap statusPicture(int index)
{
    static QHash<int, QPixmap> cache;
    if (index < 0 || index >= kStatusPictureCount)
        return QPixmap();
    auto it = cache.find(index);
    if (it == cache.end())
        it = cache.insert(index, draw(index));
    return *it;
}

QPixmap pictureForStatus(int durum)
{
    // status value -> picture index, as the stock lists show them
    static const QHash<int, int> byStatus = {{1, 0}, {4, 1}, {3, 2}, {0, 4}, {5, 5}, {2, 8}};
    const auto it = byStatus.constFind(durum);
    return it == byStatus.constEnd() ? QPixmap() : statusPicture(*it);
}

QHash<int, QPixmap> statusPictures()
{
    QHash<int, QPixmap> out;
    for (int durum = 0; durum <= 5; ++durum)
        out.insert(durum, pictureForStatus(durum));
    return out;
}

QPixmap mark(int index)
{
    QPixmap pm = canvas();
    if (index == 0)
        return pm;
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    if (index == 1) {
        p.setPen(QPen(QColor(0x1E, 0x9E, 0x2E), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(5, 12), QPointF(10, 17), QPointF(19, 6)}));
    } else {
        ball(p, QColor(0xA8, 0xE0, 0xA8));
    }
    return pm;
}

QPixmap camera()
{
    QPixmap pm = canvas();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x20, 0x20, 0x20), 1));
    p.setBrush(QColor(0x50, 0x58, 0x60));
    p.drawRoundedRect(QRectF(2.5, 7.5, 19, 13), 2, 2);
    p.drawRect(QRectF(8.5, 4.5, 7, 3));
    p.setBrush(QColor(0x9C, 0xC8, 0xF0));
    p.drawEllipse(QPointF(12, 14), 4.5, 4.5);
    return pm;
}

QPixmap magnifier()
{
    QPixmap pm = canvas();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x2B, 0x3A, 0x4A), 2.5));
    p.setBrush(QColor(0xDD, 0xEE, 0xFF));
    p.drawEllipse(QPointF(10, 10), 6, 6);
    p.setPen(QPen(QColor(0x2B, 0x3A, 0x4A), 3.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(14.5, 14.5), QPointF(20.5, 20.5));
    return pm;
}

QIcon tabIcon(TabIcon which)
{
    switch (which) {
    case TabIcon::Stock: return QIcon(statusPicture(0));
    case TabIcon::Basket: return QIcon(statusPicture(2));
    case TabIcon::PreviousOrders: return QIcon(statusPicture(5));
    case TabIcon::Statement: return QIcon(statusPicture(7));
    case TabIcon::New: return QIcon(mark(1));
    case TabIcon::Campaign: return QIcon(statusPicture(3));
    case TabIcon::Announcements: return QIcon(statusPicture(6));
    case TabIcon::Balances: return QIcon(statusPicture(10));
    case TabIcon::Payment: return QIcon(statusPicture(1));
    }
    return QIcon();
}

QPixmap logo(const QSize &size)
{
    QPixmap pm(size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(2, 2, size.width() - 4, size.height() - 4);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(226, 10, 23));
    p.drawRoundedRect(r, 8, 8);
    QFont f(u"DejaVu Sans"_s);
    f.setBold(true);
    f.setItalic(true);
    f.setPixelSize(int(r.height() * 0.42));
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(r.adjusted(0, 0, 0, -r.height() * 0.2), Qt::AlignCenter, u"VARKO"_s);
    f.setPixelSize(int(r.height() * 0.16));
    f.setItalic(false);
    p.setFont(f);
    p.drawText(r.adjusted(0, r.height() * 0.55, 0, 0), Qt::AlignCenter, u"B2B · Yedek Parça"_s);
    return pm;
}

} // namespace pictures
