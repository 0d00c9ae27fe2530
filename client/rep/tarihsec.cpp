#include "tarihsec.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;

Ttarihsec::Ttarihsec(bool ikiTarih, QWidget *parent)
    : QDialog(parent, Qt::Tool)
{
    setObjectName(u"tarihsec"_s);
    setWindowTitle(u"Tarih Seç"_s);
    auto *grid = new QGridLayout(this);
    auto picker = [this](const QString &name) {
        auto *p = new QDateEdit(QDate::currentDate(), this);
        p->setObjectName(name);
        p->setCalendarPopup(true);
        p->setDisplayFormat(u"dd.MM.yyyy"_s);
        return p;
    };
    m_dateTimePicker1 = picker(u"DateTimePicker1"_s);
    m_dateTimePicker2 = picker(u"DateTimePicker2"_s);
    // both labels read "Tarih 1:", as the window always had them
    auto *label1 = new QLabel(u"Tarih 1:"_s, this);
    auto *label2 = new QLabel(u"Tarih 1:"_s, this);
    grid->addWidget(label1, 0, 0);
    grid->addWidget(m_dateTimePicker1, 0, 1);
    grid->addWidget(label2, 1, 0);
    grid->addWidget(m_dateTimePicker2, 1, 1);
    auto *sec = new QPushButton(u"Seç"_s, this);
    sec->setObjectName(u"sec"_s);
    sec->setDefault(true);
    connect(sec, &QPushButton::clicked, this, &QDialog::accept);
    grid->addWidget(sec, 2, 1, Qt::AlignRight);
    if (!ikiTarih) {
        label2->hide();
        m_dateTimePicker2->hide();
    }
}

QDate Ttarihsec::tarih1() const
{
    return m_dateTimePicker1->date();
}

QDate Ttarihsec::tarih2() const
{
    return m_dateTimePicker2->date();
}

void Ttarihsec::setTarihler(const QDate &tarih1, const QDate &tarih2)
{
    m_dateTimePicker1->setDate(tarih1);
    m_dateTimePicker2->setDate(tarih2);
}
