#pragma once

#include "wire/dataset.h"
#include "wire/records.h"

#include <QDialog>

class QAction;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class ServerConnection;

namespace widgets {
class DataGrid;
}

// "Bakiye Siparişler": the open balance lines of one customer with their
// totals and the footer of the focused line's order; a balance can be
// deleted, its quantity changed and (type 2) its price and discount.
// Embedded in the "Bakiyeler" tab or shown modally.
class Tbakiyesiparisler : public QDialog
{
    Q_OBJECT

public:
    // who opened the window; it decides the columns offered per user type
    enum class Acilis { Sekme, OncekiSiparisler, CariSecimi };

    // bagim is used directly, one open per call; bilgi names the customer.
    // Neither is owned; both outlive the window.
    Tbakiyesiparisler(ServerConnection &bagim, const wire::TSonucBilgisi &bilgi, QWidget *parent = nullptr);
    ~Tbakiyesiparisler() override;

    void KolonlariAyarla(Acilis acilis, int musteriTipi);
    // inside a tab page: no border, no "Kapat"
    void gomuluYap();
    // left edge 50, the screen's width less 100, its height less 150
    void Goster();

    // load, totals, footer; false when the load failed (reported)
    bool BakiyeAlalim();
    void BakiyeToplamHesapla();
    bool BakiyeDipGetir(int idno);
    void BakiyeDipYaz();

    // the three changes: true when the server took the call (the list is
    // then reloaded); a failure is reported and nothing is reloaded
    bool BakiyeSil(int stokno, int sirano, int stokharNo, const QString &barkod, double miktar, double kalan);
    bool BakiyeMiktarDegistir(int stokno, int sirano, int stokharNo, const QString &barkod, double yeniMiktar);
    bool BakiyeFiyatGuncelle(int sirano, int stokharNo, const QString &barkod, double miktar, double fiyat,
                             double indirim);

    // the menu items and buttons, on the focused row
    void BakiyeyiSilClick();
    void BakiyeDegistirClick();
    void FiyatDegistirClick();
    void ExcelKaydetClick();

    wire::DataSet &bakiyesepet() { return m_bakiyesepet; }
    widgets::DataGrid *grid() const { return m_grid; }
    QMenu *menu() const { return m_menu; }
    const wire::TSiparisDipAyrinti &asagi() const { return m_asagi; }

private:
    QWidget *buildBottom();
    void onFocusedRecord(int record);
    QVariant alan(int record, QStringView name) const;

    ServerConnection &m_bagim;
    const wire::TSonucBilgisi &m_bilgi;
    wire::DataSet m_bakiyesepet;
    wire::TSiparisDipAyrinti m_asagi;
    bool m_focusReported = false;

    widgets::DataGrid *m_grid = nullptr;
    QMenu *m_menu = nullptr;
    QAction *m_fiyatDegistir = nullptr;
    QLabel *m_sipdurun = nullptr;
    QLabel *m_teslimcinsi = nullptr;
    QLabel *m_kargocinsi = nullptr;
    QLabel *m_kargo = nullptr;
    QLabel *m_veren = nullptr;
    QPlainTextEdit *m_sizin = nullptr;
    QPlainTextEdit *m_bizim = nullptr;
    QLabel *m_aratoplaml = nullptr;
    QLabel *m_indiriml = nullptr;
    QLabel *m_nettutarl = nullptr;
    QLabel *m_vergil = nullptr;
    QLabel *m_geneltoplaml = nullptr;
    QPushButton *m_kapat = nullptr;
};
