#include "gifresim.h"

#include <QBuffer>
#include <QImage>
#include <QMovie>
#include <QPixmap>

TGifResim::TGifResim(QWidget *parent)
    : QLabel(parent)
{
    setAlignment(Qt::AlignCenter);
}

TGifResim::~TGifResim() = default;

bool TGifResim::setPicture(const QByteArray &bytes)
{
    if (m_movie) {
        m_movie->stop();
        setMovie(nullptr);
        delete m_movie;
        m_movie = nullptr;
        delete m_buffer;
        m_buffer = nullptr;
    }
    m_bytes = bytes;
    if (bytes.startsWith("GIF8")) {
        m_buffer = new QBuffer(&m_bytes, this);
        m_buffer->open(QIODevice::ReadOnly);
        m_movie = new QMovie(m_buffer, "gif", this);
        if (m_movie->isValid()) {
            setMovie(m_movie);
            m_movie->jumpToFrame(0);
            if (FAnimate)
                m_movie->start();
            return true;
        }
        delete m_movie;
        m_movie = nullptr;
        delete m_buffer;
        m_buffer = nullptr;
    }
    QImage image;
    if (!image.loadFromData(bytes))
        return false;
    setPixmap(QPixmap::fromImage(image));
    return true;
}

bool TGifResim::hasGif() const
{
    return m_movie && m_movie->isValid();
}

void TGifResim::setAnimate(bool on)
{
    if (on == FAnimate)
        return;
    FAnimate = on;
    if (!hasGif())
        return;
    setAttribute(Qt::WA_TranslucentBackground);
    if (on)
        m_movie->start();
    else
        m_movie->stop();
}

bool TGifResim::isAnimating() const
{
    return m_movie && m_movie->state() == QMovie::Running;
}

void TGifResim::GosterAnim()
{
    setAnimate(true);
    show();
}

void TGifResim::GizleDurdur()
{
    hide();
    setAnimate(false);
}
