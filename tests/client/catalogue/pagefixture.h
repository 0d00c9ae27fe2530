#pragma once

#include "../app/signinfixture.h"
#include "../app/uidriver.h"

#include "client/app/baglantiac.h"
#include "client/app/mainwindow.h"
#include "client/app/tabbadge.h"
#include "client/server/serverconnection.h"
#include "client/catalogue/stoklistesi.h"
#include "client/orders/sepetsayfasi.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

#include <functional>
#include <memory>

// Types text as key presses, letter by letter; QTest's own typing takes
// Latin-1 letters only.
inline void typeText(QWidget *widget, const QString &text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

// A signed-in main window against the reference distributor, with the
// stock list and basket pages installed. Questions are answered Yes unless
// told otherwise; every dialog is recorded in the fixture.
class PageFixture
{
public:
    explicit PageFixture(const QByteArray &device = "VARKO-DEMO-BAYI", const QString &user = QStringLiteral("BAYI"),
                         const QString &password = QStringLiteral("1234"))
    {
        connectionretry::setPauseMs(1);
        messages::setRunner([this](QMessageBox &, const messages::Shown &s) {
            fixture.shown << s;
            if (s.type == MesajTipi::Soru)
                return int(answerYes ? mrYes : mrNo);
            return int(mrOk);
        });
        SignInFixture::useDevice(device);
        window = std::make_unique<TForm1>();
        sepet = installBasketPage(*window);
        stok = installStockListPage(*window, *sepet);
        answerSignIn(user, password);
        signedIn = window->GirisYap();
        if (signedIn)
            window->AnaBilgiAl();
        window->resize(1280, 800);
        window->show();
    }
    ~PageFixture() { connectionretry::setPauseMs(500); }

    QStringList texts() const { return fixture.texts(); }

    SignInFixture fixture; // first: the distributor outlives the window
    std::unique_ptr<TForm1> window;
    SepetSayfasi *sepet = nullptr;
    StokListesiSayfasi *stok = nullptr;
    bool signedIn = false;
    bool answerYes = true;
};
