#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QSpinBox;
class QWidget;
class SayiKutusu;
class SepetIslemleri;
class ServerConnection;
class TAsyncResim;
class TForm1;

namespace wire {
class DataSet;
}

// The quantity and discount dialog ("Sepete Ekle"): the stock's codes and
// picture, the quantity held to whole packages, and the price, discount
// and VAT figures recomputed on every change. It sends nothing itself; its
// opener hands the result to the basket.
class Tstokayarinti : public QDialog
{
    Q_OBJECT

public:
    // the four forms it is opened in
    enum Form { StokListesinden, YenilerListesinden, KampanyaListesinden, SepetSatiri };
    // ShowModal's results
    enum Sonuc { Eklendi = 1, Vazgecildi = 2 };

    Tstokayarinti(QWidget *owner, int _stokno);

    int stokno() const { return m_stokno; }
    int koliadet() const { return Fkoliadet; }
    // step, current value and then minimum of the quantity box
    void setKoliadet(int value);
    double kdvoran = 0;

    // fills the dialog from the source's current record (steps 2 to 9 of
    // its preparation); koli is the package quantity
    void Doldur(const wire::DataSet &kaynak, Form form, int musteriTipi, int koli);

    int ShowModal() { return exec(); }

    // the quantity as written in its box, as the opener reads it
    QString miktarYazisi() const;
    double birimFiyat() const;
    double indirimOrani(int i) const; // 0..3

    // recomputes the figures from the boxes' current values
    void Hesapla();

    // the controls, for the opener and for tests
    QSpinBox *adet = nullptr;
    SayiKutusu *birimfiyat = nullptr;
    SayiKutusu *indtutar = nullptr;
    SayiKutusu *kdvdahiltutar = nullptr;
    SayiKutusu *geneltutar = nullptr;
    SayiKutusu *edindirim[4] = {};
    QLabel *Label2 = nullptr;     // price caption
    QLabel *indirimoran = nullptr; // discount caption
    QWidget *GridPanel2 = nullptr;
    QPushButton *ParcaliTus1 = nullptr; // "Sipariş ekle"
    QPushButton *ParcaliTus2 = nullptr; // "Vazgeç"
    TAsyncResim *AsyncResim1 = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool event(QEvent *event) override;
    void reject() override;

private:
    void KoliyeYuvarlaUygula();
    void Kapat(int sonuc);

    int m_stokno;
    int Fkoliadet = 1;
    bool m_closing = false;
    QLabel *m_barkod = nullptr;
    QLabel *m_adi = nullptr;
    QLabel *m_finishkod = nullptr;
    QLabel *m_marka = nullptr;
    QLabel *m_model = nullptr;
};

// The package quantity of a stock from the server, on a clone of the given
// connection; 1 when the connection does not open, the call fails, or the
// server answers 0 or less.
int KoliAdetiAl(const ServerConnection &bagc, int stokno);

// The main window's two ways into the dialog. The add forms read the
// stock from kaynak's current record and pass a confirmed result to
// SepeteEkle; the change form reads the basket line with that SIRANO,
// passes the result to SepetSatirGuncelle and then reloads the basket.
void SepeteEkleAc(TForm1 &window, SepetIslemleri &sepet, const wire::DataSet &kaynak, Tstokayarinti::Form form);
void SepetSatiriDegistirAc(TForm1 &window, SepetIslemleri &sepet, int sirano);
