#pragma once

#include "client/app/mainwindow.h"

#include <QObject>

#include <functional>

class QMenu;
class SepetIslemleri;

namespace widgets {
class DataGrid;
}
namespace wire {
class DataSet;
}

// The letter a typed key becomes in the search box (ş → s, İ → I, ı → I
// ...); the key's own text when it is not replaced.
QString AramaHarfi(const QString &typed);

// The "Fiyat Bilgisi" cell of a stock row: list price, the campaign price
// when there is one, net price and price with VAT, one per CR LF line.
QString FiyatBilgisi(const wire::DataSet &stok, int record);

// The stock list page: the search in the window's search box, the grid of
// the result with its wide and narrow layouts, and the row actions.
class StokListesiSayfasi : public QObject
{
    Q_OBJECT

public:
    StokListesiSayfasi(TForm1 &window, SepetIslemleri &sepet);

    widgets::DataGrid *grid() const { return m_grid; }
    QMenu *menu() const { return m_popstok; }
    bool genisMi() const { return m_genis; }

    // the windows of other pages that the menu opens, given the stock
    // number; until set the items do nothing
    void setSiparisleriGoster(std::function<void(int stokno)> open) { m_siparisleriGoster = std::move(open); }
    void setStokHareketleri(std::function<void(int stokno)> open) { m_stokHareketleri = std::move(open); }

    // Enter in the box, or "Ara"
    void Ara(const QString &text);
    // double click, or "Sepete Ekle"
    void SepeteEkle();
    void KolonYerlesimi();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void AramaBitti(bool ok, wire::Table &&sonuc);
    void KullaniciTipiUygula(int tip);
    int focusedStokNo() const;

    TForm1 &m_window;
    SepetIslemleri &m_sepet;
    widgets::DataGrid *m_grid = nullptr;
    QMenu *m_popstok = nullptr;
    int m_tip = 0;
    bool m_genis = false;
    bool m_retyping = false;
    std::function<void(int)> m_siparisleriGoster;
    std::function<void(int)> m_stokHareketleri;
};

// Builds the stock list inside the window's "Stok Listesi" page and
// connects it to the window; the page lives as long as the window.
StokListesiSayfasi *installStockListPage(TForm1 &window, SepetIslemleri &sepet);
