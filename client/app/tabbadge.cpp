#include "tabbadge.h"

#include <QPainter>
#include <QStyleOptionTab>

using namespace Qt::StringLiterals;

namespace {

constexpr int kTabWidth = 120;
constexpr int kTabHeight = 45;
const QColor kBadgeRed(255, 0, 0);
const QColor kTabNormal(0x3A, 0x48, 0x56);
const QColor kTabHot(0x4C, 0x5D, 0x70);
const QColor kTabSelected(0x1F, 0x5F, 0xA8);

} // namespace

TSonuc SekmeBasligiCoz(const QString &caption)
{
    TSonuc result;
    const qsizetype eq = caption.indexOf(u'=');
    if (eq < 0) {
        result.baslik = caption;
        return result;
    }
    result.sayiYazi = caption.left(eq).trimmed();
    result.baslik = caption.mid(eq + 1, 100);
    bool whole = false;
    const int n = result.sayiYazi.toInt(&whole);
    result.sayi = whole ? n : 0;
    return result;
}

QString SekmeBasligi(qint64 count, const QString &title)
{
    return QString::number(count) + u'=' + title;
}

QString BadgeTabBar::badgeText(const QString &caption)
{
    const TSonuc parsed = SekmeBasligiCoz(caption);
    if (parsed.sayi > 0)
        return u'(' + QString::number(parsed.sayi) + u')';
    // a count that is not a whole number (the balances total) is shown as
    // the server wrote it, as long as it is a positive number
    bool numeric = false;
    const double value = parsed.sayiYazi.toDouble(&numeric);
    if (numeric && value > 0)
        return u'(' + parsed.sayiYazi + u')';
    return QString();
}

BadgeTabBar::BadgeTabBar(QWidget *parent)
    : QTabBar(parent)
{
    setExpanding(false);
    setDrawBase(false);
    setIconSize(QSize(24, 24));
    QFont f(u"Tahoma"_s);
    f.setPixelSize(13);
    f.setBold(true);
    setFont(f);
}

QSize BadgeTabBar::tabSizeHint(int) const
{
    return QSize(kTabWidth, kTabHeight);
}

void BadgeTabBar::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPoint mouse = mapFromGlobal(QCursor::pos());
    for (int i = 0; i < count(); ++i) {
        if (!isTabVisible(i))
            continue;
        const QRect r = tabRect(i).adjusted(1, 1, -1, 0);
        QColor fill = kTabNormal;
        if (i == currentIndex())
            fill = kTabSelected;
        else if (r.contains(mouse))
            fill = kTabHot;
        p.setPen(Qt::NoPen);
        p.setBrush(fill);
        p.drawRoundedRect(r, 4, 4);

        QRect textRect = r;
        const QIcon icon = tabIcon(i);
        if (!icon.isNull()) {
            const QSize is = iconSize();
            const QRect iconRect(r.left() + 3, r.top() + (r.height() - is.height()) / 2, is.width(), is.height());
            icon.paint(&p, iconRect);
            textRect.setLeft(iconRect.right() + 2);
        }

        const QString caption = tabText(i);
        const TSonuc parsed = SekmeBasligiCoz(caption);
        p.setPen(Qt::white);
        p.setFont(font());
        p.drawText(textRect.adjusted(0, 5, 0, -5), Qt::AlignCenter | Qt::TextWordWrap, parsed.baslik);

        const QString badge = badgeText(caption);
        if (!badge.isEmpty()) {
            p.setPen(kBadgeRed);
            // kept inside the tab so that no neighbour or edge clips it
            p.drawText(r.adjusted(2, 3, -4, 3), Qt::AlignTop | Qt::AlignRight, badge);
        }
    }
}

BadgeTabWidget::BadgeTabWidget(QWidget *parent)
    : QTabWidget(parent)
{
    setTabBar(new BadgeTabBar(this));
    setDocumentMode(true);
}
