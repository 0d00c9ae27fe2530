#include "baglantiac.h"

#include "messages.h"
#include "texts.h"

#include "client/server/serverconnection.h"
#include "wire/wireerror.h"

#include <QThread>

namespace connectionretry {
namespace {
int &pauseMs()
{
    static int ms = kBaglantiDenemeAraligiMs;
    return ms;
}
} // namespace

void setPauseMs(int ms)
{
    pauseMs() = ms;
}
} // namespace connectionretry

bool BaglantiAc(ServerConnection &connection, bool reportFinal)
{
    connection.close();
    for (int attempt = 0; attempt < kBaglantiDenemeSayisi; ++attempt) {
        try {
            connection.open();
            return true;
        } catch (const wire::WireError &e) {
            DuzMesajGoster(e.message());
            connection.close();
            QThread::msleep(ulong(connectionretry::pauseMs()));
        }
    }
    if (reportFinal)
        MesajGoster(texts::kBaglantiKurulamiyor, MesajTipi::Hata, kTamam, Dugme::OK);
    return false;
}
