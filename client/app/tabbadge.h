#pragma once

#include <QString>
#include <QTabBar>
#include <QTabWidget>

// A tab caption "count=title" is drawn as the title with the count in red
// parentheses at the top right; a caption without "=" is drawn unchanged.
struct TSonuc
{
    int sayi = 0;      // the whole-number count, 0 when there is none
    QString sayiYazi;  // the count as written, for counts that are not whole numbers
    QString baslik;    // the title
};

TSonuc SekmeBasligiCoz(const QString &caption);
// "3=Sepet"
QString SekmeBasligi(qint64 count, const QString &title);

class BadgeTabBar : public QTabBar
{
    Q_OBJECT

public:
    explicit BadgeTabBar(QWidget *parent = nullptr);

    // the text a caption's badge shows, empty when it shows none
    static QString badgeText(const QString &caption);

protected:
    QSize tabSizeHint(int index) const override;
    void paintEvent(QPaintEvent *event) override;
};

// The main window's tab set: multi-line tabs of 120 x 45 pixels with an
// icon and a badge each.
class BadgeTabWidget : public QTabWidget
{
    Q_OBJECT

public:
    explicit BadgeTabWidget(QWidget *parent = nullptr);
};
