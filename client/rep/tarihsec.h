#pragma once

#include <QDate>
#include <QDialog>

class QDateEdit;
class QLabel;

// "Tarih Seç": one or two dates for a report, both starting at today.
class Ttarihsec : public QDialog
{
    Q_OBJECT

public:
    explicit Ttarihsec(bool ikiTarih, QWidget *parent = nullptr);

    QDate tarih1() const;
    QDate tarih2() const;
    void setTarihler(const QDate &tarih1, const QDate &tarih2);

private:
    QDateEdit *m_dateTimePicker1 = nullptr;
    QDateEdit *m_dateTimePicker2 = nullptr;
};
