// Object envelopes as the server may send them, rebuilt as every record.
#include <wire/envelope.h>
#include <wire/records.h>

#include <cstdlib>

namespace {

template<class R>
void rebuild(const QByteArray &json)
{
    std::optional<R> r;
    try {
        r = wire::unmarshal<R>(json);
    } catch (const wire::WireError &) {
        return;
    }
    if (!r)
        return;
    // what we write ourselves must always read back
    try {
        const QByteArray again = wire::marshal(*r);
        if (!wire::unmarshal<R>(again))
            std::abort();
    } catch (const wire::WireError &) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray json(reinterpret_cast<const char *>(data), qsizetype(size));
    rebuild<wire::TSonucBilgisi>(json);
    rebuild<wire::TSiparisDipAyrinti>(json);
    rebuild<wire::TTusSonuclari>(json);
    rebuild<wire::TMobilCariBilgisi>(json);
    rebuild<wire::TAcilisEkran>(json);
    rebuild<wire::TAcilisEkranlariki>(json);
    return 0;
}
