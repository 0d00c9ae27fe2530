#pragma once

#include <QDialog>

class QLabel;
class QSpinBox;

// "Bakiye Değiştir": shows one open balance line and asks for its new
// quantity (whole numbers 1 to 1000, starting at 1, never the old value).
class Tbakiyedegistir : public QDialog
{
    Q_OBJECT

public:
    explicit Tbakiyedegistir(QWidget *parent = nullptr);

    struct Satir
    {
        QString barkod, adi, finishkod, marka, model;
        QString alinansiparis, teslimedilen, elimizde, eskibakiye;
    };
    void setSatir(const Satir &satir);
    // a dealer is not shown the quantity on hand
    void setElimizdeGizli(bool hidden);

    int yeniBakiye() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *m_barkod = nullptr;
    QLabel *m_adi = nullptr;
    QLabel *m_finishkod = nullptr;
    QLabel *m_marka = nullptr;
    QLabel *m_model = nullptr;
    QLabel *m_alinansiparis = nullptr;
    QLabel *m_teslimedilen = nullptr;
    QLabel *m_elimizdeCaption = nullptr;
    QLabel *m_elimizde = nullptr;
    QLabel *m_eskibakiye = nullptr;
    QSpinBox *m_adet = nullptr;
};
