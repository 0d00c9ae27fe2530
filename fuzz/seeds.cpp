// Writes the seed corpus of every fuzz target: fuzz_seeds <corpus dir>
#include <wire/datapacket.h>
#include <wire/envelope.h>
#include <wire/frame.h>
#include <wire/message.h>
#include <wire/records.h>

#include <QDir>
#include <QFile>

#include <cstdio>

using namespace Qt::StringLiterals;
using namespace wire;

namespace {

QString g_root;

void write(const QString &target, const QString &name, const QByteArray &bytes)
{
    QDir().mkpath(g_root + u'/' + target);
    QFile f(g_root + u'/' + target + u'/' + name);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(f.fileName()));
        std::exit(1);
    }
}

QByteArray packetEveryType()
{
    PacketWriter w({{u"NO"_s, FieldType::Integer, 0}, {u"BUYUK"_s, FieldType::LargeInt, 0},
                    {u"FIYAT"_s, FieldType::Float, 0}, {u"SECIM"_s, FieldType::Boolean, 0},
                    {u"STOKADI"_s, FieldType::String, 40}, {u"TARIH"_s, FieldType::DateTime, 0},
                    {u"RESIM"_s, FieldType::Blob, 0}});
    w.integer(1).largeInt(-5).real(1234.567).boolean(true).text(u"Fren balatası ığüşöç"_s).dateTime(45382.25)
        .blob(QByteArray("\xff\xd8\xff", 3));
    w.null().null().null().null().null().null().null();
    w.integer(-1).largeInt(1LL << 40).real(-0.0).boolean(false).text(QString()).dateTime(0.0).blob(QByteArray());
    return w.finish();
}

QByteArray packetManyColumns()
{
    QList<FieldDef> fields;
    for (int c = 0; c < 11; ++c)
        fields.append({u"K%1"_s.arg(c), c % 2 ? FieldType::Float : FieldType::String, 10});
    PacketWriter w(fields);
    for (int row = 0; row < 3; ++row) {
        for (int c = 0; c < 11; ++c) {
            if ((row + c) % 4 == 0)
                w.null();
            else if (c % 2)
                w.real(row * 1.5 + c);
            else
                w.text(u"ş%1"_s.arg(c));
        }
    }
    return w.finish();
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus dir>\n", argv[0]);
        return 2;
    }
    g_root = QString::fromLocal8Bit(argv[1]);

    // ---- frames; the first byte picks the chunk size of the fuzz target
    Request request{u"TServerMethods1.StokAraGetirBelvo"_s,
                    {{0, Value::string(u"fren ığüşöç"_s)},
                     {1, Value::integer(-7)},
                     {2, Value::real(45382.25)},
                     {3, Value::boolean(true)},
                     {4, Value::object(marshal(TSonucBilgisi()))},
                     {5, Value::nullObject()}}};
    Response result;
    result.values = {{0, Value::int64(1024)},  {1, Value::stream("abc")},
                     {2, Value::dataPacket(packetEveryType())}, {3, Value::reader(packetManyColumns())},
                     {4, Value()}};
    const QByteArray frames[] = {
        encodeFrame(frame::kRequest, encodeRequest(request)),
        encodeFrame(frame::kResult, encodeResponse(result)),
        encodeFrame(frame::kError, encodeResponse(Response::failure(u"Bağlantı hatası"_s))),
        encodeFrame(frame::kRequest, encodeRequest({u"TServerMethods1.SepetSayisi"_s, {}}))
            + encodeFrame(frame::kResult, encodeResponse(Response())),
    };
    int i = 0;
    for (const QByteArray &f : frames) {
        write(u"fuzz_frame"_s, u"frame%1"_s.arg(i), QByteArray(1, char(0)) + f);
        write(u"fuzz_frame"_s, u"frame%1-split"_s.arg(i), QByteArray(1, char(0x83)) + f);
        ++i;
    }

    // ---- envelopes
    TSonucBilgisi s;
    s.setBILGISAYARID(u"WD-1"_s);
    s.setCariAdi(u"Öztürk \"Oto\"\\"_s);
    s.setCARINO(12345);
    s.setVarmi(true);
    s.setMusteriTipi(0);
    write(u"fuzz_envelope"_s, u"sonucbilgisi"_s, marshal(s));
    TSiparisDipAyrinti d;
    d.setDurumu(u"Onaylandı\n"_s);
    write(u"fuzz_envelope"_s, u"siparisdip"_s, marshal(d));
    TTusSonuclari t;
    t.setGoruldu(-3);
    write(u"fuzz_envelope"_s, u"tussonuclari"_s, marshal(t));
    TMobilCariBilgisi c;
    c.setTLBAKIYE(-1234.5);
    c.setSEHIR(u"İzmir"_s);
    write(u"fuzz_envelope"_s, u"mobilcari"_s, marshal(c));
    TAcilisEkran e;
    e.setSiraNo(1);
    e.setResim(u"ffd8ffe0"_s);
    e.setArama(u"#YENİ#"_s);
    write(u"fuzz_envelope"_s, u"acilisekran"_s, marshal(e));
    TAcilisEkranlariki list;
    list.setEkranlar({e, TAcilisEkran(), e});
    write(u"fuzz_envelope"_s, u"acilisekranlariki"_s, marshal(list));
    write(u"fuzz_envelope"_s, u"null"_s, "null");

    // ---- data packets
    write(u"fuzz_datapacket"_s, u"everytype"_s, packetEveryType());
    write(u"fuzz_datapacket"_s, u"manycolumns"_s, packetManyColumns());
    write(u"fuzz_datapacket"_s, u"zerorows"_s, PacketWriter({{u"A"_s, FieldType::Integer, 0}}).finish());
    write(u"fuzz_datapacket"_s, u"nocolumns"_s, PacketWriter({}).finish());
    return 0;
}
