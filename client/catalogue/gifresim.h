#pragma once

#include <QByteArray>
#include <QLabel>

class QBuffer;
class QMovie;

// A picture control that animates GIF pictures (Qt's own GIF reader and
// QMovie); any other picture is shown still.
class TGifResim : public QLabel
{
    Q_OBJECT

public:
    explicit TGifResim(QWidget *parent = nullptr);
    ~TGifResim() override;

    // loads a picture from its bytes; a GIF becomes the animation
    bool setPicture(const QByteArray &bytes);
    bool hasGif() const;

    bool Animate() const { return FAnimate; }
    void setAnimate(bool on);
    bool isAnimating() const;

    // start the animation, then show the control
    void GosterAnim();
    // hide the control, then stop the animation
    void GizleDurdur();

private:
    bool FAnimate = false;
    QMovie *m_movie = nullptr;
    QBuffer *m_buffer = nullptr;
    QByteArray m_bytes;
};
