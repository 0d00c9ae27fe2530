#pragma once

#include <QDialog>

class QDoubleSpinBox;
class QLabel;

// "Fiyat Değiştir": a new unit price and first discount rate for an open
// balance line, with the net and VAT-inclusive price shown while typing.
class Tfiyatdegistir : public QDialog
{
    Q_OBJECT

public:
    explicit Tfiyatdegistir(QWidget *parent = nullptr);

    void setDegerler(double fiyat, double iskonto);
    double fiyat() const;
    double iskonto() const;

    // the net price and the price with a flat 20 % VAT, from what the
    // fields hold right now
    void NetFiyatYaz();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QDoubleSpinBox *m_fiyat = nullptr;
    QDoubleSpinBox *m_iskonto = nullptr;
    QLabel *m_lblnet = nullptr;
    QLabel *m_labelkdv = nullptr;
};
