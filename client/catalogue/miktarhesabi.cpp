#include "miktarhesabi.h"

#include "wire/decimal.h"

#include <cmath>

MiktarSonucu MiktarHesapla(const MiktarGirdisi &girdi)
{
    MiktarSonucu s;
    const double brut = girdi.fiyat * girdi.miktar;
    double kalan = brut;
    for (double oran : girdi.oranlar) {
        if (oran > 0)
            kalan -= kalan * oran / 100.0;
    }
    s.indirimTutari = brut - kalan;
    s.netTutar = wire::round2(kalan);
    const double birim = s.netTutar / girdi.miktar;
    s.netBirimFiyat = std::isfinite(birim) ? wire::round2(birim) : 0.0;
    s.kdvDahil = wire::round2(s.netBirimFiyat * (1.0 + girdi.kdv / 100.0));
    s.genelTutar = wire::round2(s.kdvDahil * girdi.miktar);
    return s;
}

double F4Fiyati(double fiyat)
{
    return fiyat / 1.2;
}

int GecerliKoliAdet(int koliadet)
{
    return koliadet > 0 ? koliadet : 1;
}

int KoliyeYuvarla(int miktar, int koliadet)
{
    const int koli = GecerliKoliAdet(koliadet);
    if (miktar <= 0 || miktar % koli == 0)
        return miktar;
    return miktar + koli - miktar % koli;
}
