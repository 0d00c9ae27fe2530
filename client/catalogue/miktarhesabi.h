#pragma once

#include <array>

// The quantity dialog's arithmetic, kept apart from its widgets so that it
// can be checked line by line against worked figures.

struct MiktarGirdisi
{
    double fiyat = 0;                  // unit price P
    double miktar = 0;                 // quantity Q
    std::array<double, 4> oranlar{};   // discount rates r1..r4, in percent
    double kdv = 0;                    // VAT rate V, in percent
};

struct MiktarSonucu
{
    double indirimTutari = 0; // D, not rounded
    double netTutar = 0;      // N
    double netBirimFiyat = 0; // U
    double kdvDahil = 0;      // VAT-inclusive unit price
    double genelTutar = 0;    // VAT-inclusive unit price × Q
};

// The rates compound (each applies to what the ones before it left) and a
// rate of 0 or less is skipped; money is rounded with wire::round2.
MiktarSonucu MiktarHesapla(const MiktarGirdisi &girdi);

// The price after F4: one fifth of VAT taken off, unrounded.
double F4Fiyati(double fiyat);

// A package quantity the dialog can work with: the server's value, or 1
// when it is 0 or negative (a quantity is rounded by dividing by it).
int GecerliKoliAdet(int koliadet);

// Raised to the next whole multiple of the package quantity when it is not
// one already; a quantity of 0 or less is left as it is.
int KoliyeYuvarla(int miktar, int koliadet);
