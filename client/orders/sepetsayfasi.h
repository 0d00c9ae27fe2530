#pragma once

#include "client/app/mainwindow.h"
#include "client/catalogue/sepetislemleri.h"

#include "wire/dataset.h"

#include <QObject>

class QLabel;
class QMenu;
class QPushButton;

namespace widgets {
class DataGrid;
}

// The five figures of the totals panel.
struct SepetToplamlari
{
    double toplam = 0;    // T: sum of TUTAR
    double indirim = 0;   // I: sum of INDIRIMTUTAR
    double araToplam = 0; // A = T − I
    double vergi = 0;     // V: sum of VERGITUTARI
    double genel = 0;     // G = V + A
};

// Sums the selected lines (SEC = 1) with round2 after every addition; the
// walk leaves the dataset on its last record.
SepetToplamlari SepetToplamHesapla(wire::DataSet &sepet);

// The basket page: the server's basket of the session's customer, its
// selection, totals and the order's sending. Every change is one server
// call followed by a reload; after every reload the totals panel and the
// tab's badge are written again.
class SepetSayfasi : public QObject, public SepetIslemleri
{
    Q_OBJECT

public:
    explicit SepetSayfasi(TForm1 &window);

    // SepetIslemleri
    wire::DataSet &sepetVerisi() override { return m_sepet; }
    void SepetGetir() override;
    void SepeteEkle(const wire::DataSet &kaynak, double miktar, double fiyat, double ind1, double ind2, double ind3,
                    double ind4) override;
    void SepetSatirGuncelle(int sirano, double miktar, double fiyat) override;

    bool SepetSecimYaz(int sirano, int secim);
    void SepetToplamYaz();
    // the tab page was shown: the load in the background
    void SepetGosterildi();
    void SatirDegistir();
    void SatirSil();
    void HepsiniSil();
    void HepsiniSec(bool secili);
    void ExcelKaydet();
    void Gonder();
    bool SiparisGonder(int teslim, int kargo, const QString &aciklama, int kargoyeni);

    widgets::DataGrid *grid() const { return m_grid; }
    QMenu *menu() const { return m_menu; }
    QLabel *uyariEtiketi() const { return m_lbluyarbakiye; }
    bool yukleniyor() const { return m_yukleniyor; }

signals:
    // the basket was loaded again (the panel and the badge are up to date)
    void yuklendi();

private:
    void Yuklendi();

    TForm1 &m_window;
    wire::DataSet m_sepet;
    widgets::DataGrid *m_grid = nullptr;
    QMenu *m_menu = nullptr;
    QLabel *m_lbluyarbakiye = nullptr;
    QLabel *m_aratoplaml = nullptr;
    QLabel *m_indiriml = nullptr;
    QLabel *m_nettutarl = nullptr;
    QLabel *m_vergil = nullptr;
    QLabel *m_geneltoplaml = nullptr;
    bool m_yukleniyor = false;
};

// Builds the basket inside the window's "Sepet" page and connects it to the
// window (tab shown, customer changed); lives as long as the window.
SepetSayfasi *installBasketPage(TForm1 &window);
