#include "representativedesk.h"

#include "seccari.h"

#include "client/app/girisform.h"
#include "client/app/mainwindow.h"
#include "client/app/tabbadge.h"

bool CariSectir(ServerConnection &bag, wire::TSonucBilgisi &bilgim, QWidget *parent)
{
    Tseccari window(bag, bilgim, parent);
    window.SepetSayisiYaz();
    window.TusSonuclari();
    return window.exec() == QDialog::Accepted;
}

void installCustomerSelectionAtSignIn()
{
    Tgirisform::Steps steps = Tgirisform::steps();
    steps.cariSectir = [](ServerConnection &bag, wire::TSonucBilgisi &bilgim) { return CariSectir(bag, bilgim); };
    Tgirisform::setSteps(steps);
}

void installRepresentativeDesk(TForm1 &window)
{
    installCustomerSelectionAtSignIn();
    QObject::connect(&window, &TForm1::baskaCariSecIstendi, &window, [&window] { BaskaCariSec(window); });
}

void BaskaCariSec(TForm1 &window)
{
    // the result does not matter: closing without a choice keeps the customer
    CariSectir(window.bagc(), window.sbilgi(), &window);
    // the stock list is where the user goes on, even with the same customer
    window.sekmeler()->setCurrentWidget(window.sayfa(TForm1::StokListesi));
    window.CariDegistiUygula();
}
