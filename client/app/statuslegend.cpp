#include "statuslegend.h"

#include "pictures.h"

#include <QHBoxLayout>
#include <QLabel>

using namespace Qt::StringLiterals;

QList<StatusLegend::Entry> StatusLegend::allEntries()
{
    return {{0, u" Stok mevcut  "_s}, {10, u" Kritik Seviye "_s},    {8, u" Telefon Açınız  "_s},
            {2, u" Yolda  "_s},       {5, u" Tedarik Sürecinde "_s}, {1, u" Özel Sipariş  "_s},
            {4, u" Yok  "_s}};
}

StatusLegend::StatusLegend(const QList<Entry> &entries, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(u"durumAciklamasi"_s);
    setFixedHeight(27);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(6, 0, 6, 0);
    row->setSpacing(2);
    const QString style = u"color: rgb(43, 76, 88); font-weight: bold; font-size: 11px;"_s;
    auto *title = new QLabel(u"Durum Açıklaması:    "_s, this);
    title->setStyleSheet(style);
    row->addWidget(title);
    for (const auto &[picture, caption] : entries) {
        auto *image = new QLabel(this);
        image->setPixmap(pictures::statusPicture(picture));
        row->addWidget(image);
        auto *text = new QLabel(caption, this);
        text->setStyleSheet(style);
        row->addWidget(text);
    }
    row->addStretch();
}
