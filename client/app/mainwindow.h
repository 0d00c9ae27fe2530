#pragma once

#include "wire/dataset.h"
#include "wire/records.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>

class BadgeTabWidget;
class BusyIndicator;
class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QToolButton;
class ServerConnection;

// The main window: user banner, search bar, the tab set, the status legend
// and the marquee strip. It owns the session record, the connection and
// the datasets of its tabs for the whole run.
class TForm1 : public QMainWindow
{
    Q_OBJECT

public:
    // the tab pages, in their fixed order
    enum Sekme { StokListesi, Sepet, OncekiSiparisler, CariEkstre, YeniStoklar, KampanyaliStoklar, Duyurular,
                 Bakiyeler, SanalPos, SekmeSayisi };
    // the seven busy pictures of the search bar, one per loading job
    enum Yukleme { StokArama, YeniYukleme, KampanyaYukleme, DuyuruYukleme, OncekiYukleme, SepetYukleme,
                   EkstreYukleme, YuklemeSayisi };

    explicit TForm1(QWidget *parent = nullptr);
    ~TForm1() override;

    // Creation's second half: the sign-in, the role-dependent layout and
    // the start-up loads. False when the program is to end.
    bool GirisYap();
    void BaslangicYuklemeleriniBaslat();

    wire::TSonucBilgisi &sbilgi() { return m_sbilgi; }
    ServerConnection &bagc() { return *m_bagc; }

    QWidget *sayfa(Sekme sekme) const;
    BadgeTabWidget *sekmeler() const { return m_tabs; }
    void setSekmeBasligi(Sekme sekme, const QString &caption);
    QString sekmeBasligi(Sekme sekme) const;
    BusyIndicator *yuklemeResmi(Yukleme yukleme) const { return m_busy[yukleme]; }
    QLineEdit *araedit() const { return m_araedit; }
    wire::DataSet &stokVerisi() { return m_stokVerisi; }

    // the banner labels: user, customer and representative line (UI thread)
    void AnaBilgiAl();
    // the role-dependent layout for a user type
    void KullaniciTipiUygula(int musteriTipi);
    // after a customer was chosen for the session: banner labels, the
    // pages reload (cariDegisti), the stock list is emptied with
    // "0=Stok Listesi" and the search field takes the focus
    void CariDegistiUygula();
    // the row count of the stock list, as its tab shows it
    int stokSatirSayisi() const { return m_stokSatirSayisi; }
    void setStokSatirSayisi(int count) { m_stokSatirSayisi = count; }

signals:
    // the user type is known: pages adjust their columns
    void kullaniciTipiBelirlendi(int musteriTipi);
    // Enter in the search field or "Ara"
    void aramaIstendi(const QString &text);
    // "Başka Cari Seç" was clicked
    void baskaCariSecIstendi();
    // a tab page became the shown one / stopped being shown
    void sekmeGosterildi(TForm1::Sekme sekme);
    void sekmeGizlendi(TForm1::Sekme sekme);
    // the session now acts for another customer
    void cariDegisti();
    // "Temizle" emptied the stock list: its grid drops its filter
    void stokListesiTemizlendi();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *buildBanner();
    QWidget *buildSearchBar();
    QMenu *buildGeneralMenu();
    void addPages();
    void Temizle();
    void Ara();
    void WebSitesiAc();
    // the start-up body's counter load; runs on a pool thread
    static void BalonYaz(const QPointer<TForm1> &window, const wire::TSonucBilgisi &bilgi,
                         const ServerConnection &bagc);

    wire::TSonucBilgisi m_sbilgi;
    std::unique_ptr<ServerConnection> m_bagc;
    int m_acilisadet = 0;
    bool m_acilisgoruldu = false;
    int m_stokSatirSayisi = 0;
    wire::DataSet m_stokVerisi;

    QLabel *m_kullanicilbl = nullptr;
    QLabel *m_cariadilbl = nullptr;
    QLabel *m_saticilbl = nullptr;
    QLabel *m_gifResim1 = nullptr;
    QLabel *m_ustBanner = nullptr;
    QWidget *m_panel5 = nullptr;
    QLineEdit *m_araedit = nullptr;
    QPushButton *m_musteritus = nullptr;
    QToolButton *m_menuButton = nullptr;
    QAction *m_raporlar = nullptr;
    BadgeTabWidget *m_tabs = nullptr;
    QWidget *m_pages[SekmeSayisi] = {};
    BusyIndicator *m_busy[YuklemeSayisi] = {};
    int m_shownPage = -1;
};
