#pragma once

#include "wire/dataset.h"
#include "wire/records.h"

#include <QDialog>
#include <QList>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class ServerConnection;

// The order confirmation ("Sipariş Onay"): who orders for which customer
// and for how much, the account warning, and the delivery type, cargo type
// and cargo firm the order is sent with. It sends nothing itself: after
// the OK result the opener reads td, kt, KN and the note.
class TONAYSIP : public QDialog
{
    Q_OBJECT

public:
    // _c is the main connection and _sbilgi the session record, both the
    // main window's (not owned); fills the summary and loads the choices
    TONAYSIP(QWidget *owner, ServerConnection &_c, const QString &mesaj, const wire::TSonucBilgisi &_sbilgi,
             const QString &_toplam);

    int td = 0; // delivery type id
    int kt = 0; // cargo type id
    int KN = 0; // cargo firm number
    QString aciklama() const;

    void KargolariDoldur(int turId);

    // the controls, for the opener and for tests
    QGroupBox *teslimbox = nullptr;
    QGroupBox *boxkargo = nullptr;
    QComboBox *kargocombo = nullptr;
    QLabel *uyarikargo = nullptr;
    QPlainTextEdit *aciklamagir = nullptr;
    QLabel *Label2 = nullptr; // summary
    QLabel *Label3 = nullptr; // account warning
    QPushButton *evet = nullptr;
    QPushButton *hayir = nullptr;
    wire::DataSet kargo;

    // ids attached to the items, in their order
    const QList<int> &teslimIdleri() const { return m_teslimIdleri; }
    const QList<int> &kargoTurIdleri() const { return m_kargoTurIdleri; }
    QButtonGroup *teslimGrubu() const { return m_teslim; }
    QButtonGroup *kargoTurGrubu() const { return m_kargoTur; }

private:
    void SecenekleriDoldur();
    void KargoTuruSecildi();
    void FirmaDegisti();
    void EvetClick();
    void fillGroup(QGroupBox *box, QButtonGroup *group, QList<int> &ids, const wire::Table &rows);

    ServerConnection &bagc;              // not owned
    const wire::TSonucBilgisi &sbilgi;   // not owned
    QString toplam;
    QButtonGroup *m_teslim = nullptr;
    QButtonGroup *m_kargoTur = nullptr;
    QList<int> m_teslimIdleri;
    QList<int> m_kargoTurIdleri;
};
