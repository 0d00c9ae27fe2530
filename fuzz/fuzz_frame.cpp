// Frames and request/response payloads as they arrive from the network.
// The first byte chooses how the rest is cut into chunks, so partial
// headers and frames split anywhere are exercised as well.
#include <wire/frame.h>
#include <wire/message.h>
#include <wire/wireerror.h>

#include <cstdlib>

namespace {

void checkPayload(const wire::Frame &f)
{
    if (f.type == wire::frame::kRequest) {
        try {
            const wire::Request r = wire::decodeRequest(f.payload);
            // a payload that decodes has exactly one encoding
            if (wire::encodeRequest(r) != f.payload)
                std::abort();
        } catch (const wire::WireError &) {
        }
    }
    for (quint8 type : {wire::frame::kResult, wire::frame::kError, f.type}) {
        try {
            const wire::Response r = wire::decodeResponse(type, f.payload);
            if (wire::encodeResponse(r) != f.payload)
                std::abort();
            for (const wire::Param &p : r.values)
                (void)p.value.isNullObject();
        } catch (const wire::WireError &) {
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const qsizetype chunk = qsizetype(data[0] % 16) + 1;
    const char *bytes = reinterpret_cast<const char *>(data + 1);
    const qsizetype n = qsizetype(size - 1);

    // small cap so that the length check is reached by short inputs too
    wire::FrameReader reader(data[0] & 0x80 ? 64 : wire::frame::kDefaultMaxPayload);
    try {
        for (qsizetype pos = 0; pos < n; pos += chunk) {
            reader.append(bytes + pos, qMin(chunk, n - pos));
            while (std::optional<wire::Frame> f = reader.next())
                checkPayload(*f);
        }
    } catch (const wire::WireError &) {
    }

    // the whole input as one payload as well
    checkPayload({wire::frame::kRequest, QByteArray(bytes, n)});
    return 0;
}
