#pragma once

#include "wire/records.h"

#include <QDialog>

#include <functional>

class BusyIndicator;
class QCheckBox;
class QLineEdit;
class QPushButton;
class ServerConnection;

// The sign-in window: fetches the session record registered for this
// workstation and checks the typed user name and password against it.
// Accepted only when the sign-in succeeded; every other way out ends the
// program.
class Tgirisform : public QDialog
{
    Q_OBJECT

public:
    // bagim is the main window's connection, Bilgim its session record;
    // both outlive the window
    Tgirisform(ServerConnection &bagim, wire::TSonucBilgisi &Bilgim, QWidget *parent = nullptr);

    QString idsi() const { return m_idsi; }

    // The steps that belong to other windows; each is replaceable so that
    // the sign-in can be driven on its own.
    struct Steps
    {
        // the update window; it ends the program
        std::function<void(ServerConnection &, wire::TSonucBilgisi &)> guncellemeYap;
        // the web request form at the given address, shown modally
        std::function<void(const QString &url)> istekFormuAc;
        // the customer selection; true only when a customer was chosen
        std::function<bool(ServerConnection &, wire::TSonucBilgisi &)> cariSectir;
    };
    static void setSteps(const Steps &steps);
    static Steps steps();

    // how often the external address is asked for before giving up
    static void setAddressLookupAttempts(int attempts);

    // the workstation's external IPv4 address, trimmed; empty after the
    // bounded retries
    static QString DisIpBul();

    // "ayar.ini" in the per-user data folder
    static QString ayarDosyasi();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildLayout();
    void AyarOku();
    void AyarYaz();
    void Button1Click();
    void Devamet(const QString &address);
    void finishSignIn(bool dogrusonuc, const wire::TSonucBilgisi &fetched);
    void fail(const QString &text, int messageType);
    void IstekFormuAc(const QString &baseAddress);

    // body of the second stage: runs on a pool thread over a clone of the
    // window's connection, fills `fetched`
    static bool GirisBilgisiAl(ServerConnection &clone, const QString &idsi, wire::TSonucBilgisi &fetched);

    ServerConnection &m_bagim;
    wire::TSonucBilgisi &m_bilgim;
    QString m_idsi;

    QLineEdit *m_adi = nullptr;
    QLineEdit *m_sifre = nullptr;
    QCheckBox *m_benihatirla = nullptr;
    QPushButton *m_button1 = nullptr;
    QPushButton *m_button2 = nullptr;
    BusyIndicator *m_busy = nullptr;
};
