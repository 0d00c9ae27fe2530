#pragma once

namespace wire {
class DataSet;
}

// What the stock lists need of the basket: its dataset (to find the line
// that already holds a stock), its load, and the add and change
// operations that the quantity dialog's result goes to. The basket page
// implements it; the catalogue never depends on the basket's windows.
class SepetIslemleri
{
public:
    virtual ~SepetIslemleri() = default;

    virtual wire::DataSet &sepetVerisi() = 0;
    // reloads the basket from the server on the UI thread
    virtual void SepetGetir() = 0;
    // kaynak is positioned on the stock's record
    virtual void SepeteEkle(const wire::DataSet &kaynak, double miktar, double fiyat, double ind1, double ind2,
                            double ind3, double ind4) = 0;
    // the basket dataset is positioned on the line
    virtual void SepetSatirGuncelle(int sirano, double miktar, double fiyat) = 0;
};
