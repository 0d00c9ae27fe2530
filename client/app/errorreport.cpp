#include "errorreport.h"

#include "messages.h"

#include "wire/wireerror.h"

#include <QCoreApplication>
#include <QMetaObject>

using namespace Qt::StringLiterals;

namespace errorreport {

QString textOf(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const wire::WireError &e) {
        return e.message();
    } catch (const std::exception &e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return u"Beklenmeyen bir hata oluştu."_s;
    }
}

void show(const QString &text)
{
    MesajGoster(text, MesajTipi::Hata, kTamam, Dugme::OK);
}

void show(std::exception_ptr error)
{
    show(textOf(error));
}

void showLater(std::exception_ptr error)
{
    const QString text = textOf(error);
    QMetaObject::invokeMethod(QCoreApplication::instance(), [text] { show(text); }, Qt::QueuedConnection);
}

} // namespace errorreport
