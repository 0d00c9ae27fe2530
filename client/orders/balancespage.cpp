#include "balancespage.h"

#include "bakiyesiparisler.h"

#include "client/app/mainwindow.h"

#include <QLayout>
#include <QPointer>

namespace {

// the embedded window of the tab, while the tab is shown
struct EmbeddedBalances : QObject
{
    using QObject::QObject;
    QPointer<Tbakiyesiparisler> benimbakiyesiparisler;
};

} // namespace

void installBalancesPage(TForm1 &window)
{
    auto *state = new EmbeddedBalances(&window);
    QObject::connect(&window, &TForm1::sekmeGosterildi, state, [&window, state](TForm1::Sekme sekme) {
        if (sekme != TForm1::Bakiyeler || state->benimbakiyesiparisler)
            return;
        QWidget *page = window.sayfa(TForm1::Bakiyeler);
        auto *balances = new Tbakiyesiparisler(window.bagc(), window.sbilgi(), page);
        state->benimbakiyesiparisler = balances;
        balances->KolonlariAyarla(Tbakiyesiparisler::Acilis::Sekme, window.sbilgi().MusteriTipi());
        balances->gomuluYap();
        page->layout()->addWidget(balances);
        balances->BakiyeAlalim();
        balances->show();
    });
    QObject::connect(&window, &TForm1::sekmeGizlendi, state, [state](TForm1::Sekme sekme) {
        if (sekme != TForm1::Bakiyeler)
            return;
        delete state->benimbakiyesiparisler.data();
    });
}

void BakiyeleriGoster(TForm1 &window)
{
    Tbakiyesiparisler balances(window.bagc(), window.sbilgi(), &window);
    balances.KolonlariAyarla(Tbakiyesiparisler::Acilis::OncekiSiparisler, window.sbilgi().MusteriTipi());
    balances.BakiyeAlalim();
    balances.Goster();
    balances.exec();
}
