#include "startup.h"

#include "girisform.h"
#include "mainwindow.h"

#include "client/catalogue/stoklistesi.h"
#include "client/messaging/formistekyeni.h"
#include "client/orders/balancespage.h"
#include "client/orders/sepetsayfasi.h"
#include "client/rep/representativedesk.h"

using namespace Qt::StringLiterals;

void installSignInSteps()
{
    Tgirisform::Steps steps = Tgirisform::steps();
    steps.istekFormuAc = [](const QString &url) {
        Tformistekyeni form;
        form.setWindowTitle(u"Varko B2B İstek Formu"_s);
        form.gezin(url);
        form.exec();
    };
    Tgirisform::setSteps(steps);
}

void installPages(TForm1 &window)
{
    installRepresentativeDesk(window);
    SepetSayfasi *sepet = installBasketPage(window);
    installStockListPage(window, *sepet);
    installBalancesPage(window);
}
