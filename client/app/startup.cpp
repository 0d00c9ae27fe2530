#include "startup.h"

#include "girisform.h"

#include "client/messaging/formistekyeni.h"

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
