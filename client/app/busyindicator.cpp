#include "busyindicator.h"

#include <QPainter>

BusyIndicator::BusyIndicator(QWidget *parent, int size)
    : QWidget(parent)
{
    setFixedSize(size, size);
    m_timer.setInterval(80);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        m_step = (m_step + 1) % 12;
        update();
    });
    hide();
}

void BusyIndicator::start()
{
    show();
    m_timer.start();
}

void BusyIndicator::stop()
{
    m_timer.stop();
    hide();
}

void BusyIndicator::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(width() / 2.0, height() / 2.0);
    const qreal r = qMin(width(), height()) / 2.0;
    for (int i = 0; i < 12; ++i) {
        QColor c(226, 10, 23);
        c.setAlphaF(0.15 + 0.85 * ((i + 12 - m_step) % 12) / 11.0);
        p.setPen(QPen(c, r / 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(0, -r * 0.45), QPointF(0, -r * 0.85));
        p.rotate(30);
    }
}
