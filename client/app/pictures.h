#pragma once

#include <QHash>
#include <QIcon>
#include <QPixmap>

// The program's own pictures, drawn once and kept: status balls, truck,
// clipboard, telephones, camera, ticks, the tab icons and the logo.
namespace pictures {

// the eleven 24 x 24 status pictures, by their fixed index:
// 0 green ball, 1 blue ball, 2 truck, 3 orange ball, 4 red ball,
// 5 clipboard, 6 blue ball with a question mark, 7 green ball with a bar,
// 8 orange ball with a telephone, 9 black telephone, 10 half-green ball
inline constexpr int kStatusPictureCount = 11;
QPixmap statusPicture(int index);
// the picture of a stock status value; a null pixmap for unknown values
QPixmap pictureForStatus(int durum);
// every status value that has a picture, for a grid's status column
QHash<int, QPixmap> statusPictures();

// the yes/no marks: 0 blank, 1 green tick, 2 pale green ball
QPixmap mark(int index);
QPixmap camera();
QPixmap magnifier();

enum class TabIcon { Stock, Basket, PreviousOrders, Statement, New, Campaign, Announcements, Balances, Payment };
QIcon tabIcon(TabIcon which);

QPixmap logo(const QSize &size);

} // namespace pictures
