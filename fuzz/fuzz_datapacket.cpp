// Data packets: decode, read every cell through every accessor, and write
// the table again; a packet that decodes has exactly one encoding.
#include <wire/datapacket.h>
#include <wire/dataset.h>
#include <wire/wireerror.h>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray packet(reinterpret_cast<const char *>(data), qsizetype(size));
    wire::Table t;
    try {
        t = wire::Table::fromPacket(packet);
    } catch (const wire::WireError &) {
        return 0;
    }

    wire::PacketWriter w(t.fields());
    for (int row = 0; row < t.rowCount(); ++row) {
        for (int col = 0; col < t.fieldCount(); ++col) {
            (void)t.value(row, col);
            (void)t.intValue(row, col);
            (void)t.int64Value(row, col);
            (void)t.floatValue(row, col);
            (void)t.boolValue(row, col);
            (void)t.stringValue(row, col);
            (void)t.blobValue(row, col);
            if (t.isNull(row, col)) {
                w.null();
                continue;
            }
            switch (t.field(col).type) {
            case wire::FieldType::Integer: w.integer(t.intValue(row, col)); break;
            case wire::FieldType::LargeInt: w.largeInt(t.int64Value(row, col)); break;
            case wire::FieldType::Float: w.real(t.floatValue(row, col)); break;
            case wire::FieldType::Boolean: w.boolean(t.boolValue(row, col)); break;
            case wire::FieldType::String: w.text(t.stringValue(row, col)); break;
            case wire::FieldType::DateTime: w.dateTime(t.floatValue(row, col)); break;
            case wire::FieldType::Blob: w.blob(t.blobValue(row, col)); break;
            }
        }
    }
    if (w.finish() != packet)
        std::abort();

    // the dataset over it: display texts with the money format
    wire::DataSet ds;
    ds.setLocale(QLocale(QLocale::Turkish));
    ds.setTable(t);
    ds.setFloatDisplayFormat(QStringLiteral("#,###,##0.00"));
    for (int row = 0; row < ds.recordCount() && row < 64; ++row) {
        for (int col = 0; col < ds.fieldCount(); ++col)
            (void)ds.displayText(row, col);
    }
    return 0;
}
