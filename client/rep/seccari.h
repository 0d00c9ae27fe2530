#pragma once

#include "wire/dataset.h"
#include "wire/records.h"

#include <QDate>
#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QSplitter;
class ServerConnection;

namespace widgets {
class DataGrid;
}

// "Cari Seçimi": the sales representative's desk. Searches customers,
// lists those at a step of the order pipeline, shows the focused
// customer's details and balances, fetches the PDF reports, and writes the
// chosen customer into the session record.
class Tseccari : public QDialog
{
    Q_OBJECT

public:
    // bag is used directly, one open per call; bilgim is the main window's
    // own session record, changed in place by a choice. Neither is owned.
    Tseccari(ServerConnection &bag, wire::TSonucBilgisi &bilgim, QWidget *parent = nullptr);
    ~Tseccari() override;

    // the counters, read once by the opener before the window is shown
    void SepetSayisiYaz();
    void TusSonuclari();

    void CariBul();
    void CariSepetListele(int n);
    // the focused customer into the session record, then OK
    void CariSec();
    void RaporAl(int raporno, int carino, const QString &saticiadi, const QDate &tarih1, const QDate &tarih2);

    // the grid menu's items
    void CariOzetiGoster();
    void BakiyeleriniGoster();
    void CariAlisSatisTablosu();
    void CariTopluAlacakVadeleri();

    wire::DataSet &cariler() { return m_cariler; }
    widgets::DataGrid *grid() const { return m_grid; }
    QMenu *menu() const { return m_menu; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    QPushButton *pipelineButton(const QString &name, const QString &hint);
    QWidget *buildDetails();
    void listed(const wire::Table &rows);
    void detayYaz(int record);
    QVariant alan(int record, QStringView name) const;
    // a date dialog answered with OK; false when cancelled
    bool tarihSor(bool ikiTarih, QDate &tarih1, QDate &tarih2);

    ServerConnection &m_bag;
    wire::TSonucBilgisi &m_bilgim;
    wire::DataSet m_cariler;
    bool m_sized = false;

    QPushButton *m_sBitBtn2 = nullptr;
    QPushButton *m_sepettus = nullptr;
    QPushButton *m_alinditus = nullptr;
    QPushButton *m_onaylanditus = nullptr;
    QPushButton *m_goruldutus = nullptr;
    QPushButton *m_parcalihazirlandi = nullptr;
    QPushButton *m_hazirlanditus = nullptr;
    QPushButton *m_sevktus = nullptr;
    QLineEdit *m_nedit1 = nullptr;
    widgets::DataGrid *m_grid = nullptr;
    QSplitter *m_splitter = nullptr;
    QGroupBox *m_detay = nullptr;
    QMenu *m_menu = nullptr;
    QHash<QString, QLabel *> m_values; // detail labels by name
};
