#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QWidget>

// The strip that explains the status pictures: "Durum Açıklaması:" and
// then picture + caption pairs, left to right.
class StatusLegend : public QWidget
{
    Q_OBJECT

public:
    // picture index (pictures::statusPicture) and caption, padded with blanks
    using Entry = QPair<int, QString>;

    // the seven entries of the main window's legend
    static QList<Entry> allEntries();

    explicit StatusLegend(const QList<Entry> &entries, QWidget *parent = nullptr);
};
