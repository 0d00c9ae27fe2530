#include <wire/bytes.h>
#include <wire/frame.h>
#include <wire/message.h>
#include <wire/wireerror.h>

#include <QTest>

using namespace Qt::StringLiterals;
using namespace wire;

namespace {

QByteArray header(char m0, char m1, quint8 version, quint8 type, quint32 length)
{
    QByteArray out;
    ByteWriter w(out);
    w.u8(quint8(m0));
    w.u8(quint8(m1));
    w.u8(version);
    w.u8(type);
    w.u32(length);
    return out;
}

QByteArray samplePayload()
{
    Request r;
    r.command = u"TServerMethods1.SepetEkle2"_s;
    r.params = {{0, Value::integer(42)}, {1, Value::string(u"ÇŞ"_s)}, {2, Value::boolean(true)}};
    return encodeRequest(r);
}

} // namespace

class TestFrames : public QObject
{
    Q_OBJECT

private slots:
    void byteByByte();
    void twoFramesInOneChunk();
    void emptyPayload();
    void oversizeRefusedBeforePayload();
    void badHeader_data();
    void badHeader();
    void malformedRequest_data();
    void malformedRequest();
    void malformedResponse();
};

void TestFrames::byteByByte()
{
    const QByteArray payload = samplePayload();
    const QByteArray bytes = encodeFrame(frame::kRequest, payload);
    QCOMPARE(bytes.size(), frame::kHeaderSize + payload.size());

    FrameReader reader;
    for (qsizetype i = 0; i < bytes.size() - 1; ++i) {
        reader.append(bytes.constData() + i, 1);
        QVERIFY2(!reader.next(), qPrintable(u"frame after %1 bytes"_s.arg(i + 1)));
    }
    QCOMPARE(reader.pending(), bytes.size() - 1);
    reader.append(bytes.right(1));
    const std::optional<Frame> f = reader.next();
    QVERIFY(f);
    QCOMPARE(f->type, frame::kRequest);
    QCOMPARE(f->payload, payload);
    QCOMPARE(reader.pending(), 0);
    QVERIFY(!reader.next());

    const Request r = decodeRequest(f->payload);
    QCOMPARE(r.command, u"TServerMethods1.SepetEkle2"_s);
    QCOMPARE(r.params.at(1).value.toString(), u"ÇŞ"_s);
}

void TestFrames::twoFramesInOneChunk()
{
    FrameReader reader;
    const QByteArray second = encodeResponse(Response::failure(u"hata"_s));
    const QByteArray third = encodeFrame(frame::kResult, QByteArray("x"));
    // two whole frames plus the start of a third
    reader.append(encodeFrame(frame::kRequest, samplePayload()) + encodeFrame(frame::kError, second)
                  + third.left(5));
    std::optional<Frame> a = reader.next();
    std::optional<Frame> b = reader.next();
    QVERIFY(a && b);
    QCOMPARE(a->type, frame::kRequest);
    QCOMPARE(a->payload, samplePayload());
    QCOMPARE(b->type, frame::kError);
    QCOMPARE(decodeResponse(b->type, b->payload).error, u"hata"_s);
    QVERIFY(!reader.next());
    QCOMPARE(reader.pending(), 5);
    reader.append(third.mid(5));
    std::optional<Frame> c = reader.next();
    QVERIFY(c);
    QCOMPARE(c->payload, QByteArray("x"));
}

void TestFrames::emptyPayload()
{
    FrameReader reader;
    reader.append(encodeFrame(frame::kResult, QByteArray()));
    const std::optional<Frame> f = reader.next();
    QVERIFY(f);
    QVERIFY(f->payload.isEmpty());
    // a result always carries its parameter count
    QVERIFY_THROWS_EXCEPTION(WireError, decodeResponse(f->type, f->payload));
    QCOMPARE(decodeResponse(f->type, encodeResponse(Response())).values.size(), 0);
}

void TestFrames::oversizeRefusedBeforePayload()
{
    FrameReader reader(1000);
    reader.append(encodeFrame(frame::kRequest, QByteArray(1000, 'a')));
    QVERIFY(reader.next()); // at the cap is fine

    // only the header has arrived: the length alone is refused
    FrameReader small(1000);
    small.append(header('V', 'B', 1, frame::kRequest, 1001));
    QVERIFY_THROWS_EXCEPTION(WireError, small.next());

    FrameReader standard;
    standard.append(header('V', 'B', 1, frame::kRequest, frame::kDefaultMaxPayload + 1));
    QVERIFY_THROWS_EXCEPTION(WireError, standard.next());
    FrameReader huge;
    huge.append(header('V', 'B', 1, frame::kResult, 0xFFFFFFFFu));
    QVERIFY_THROWS_EXCEPTION(WireError, huge.next());
}

void TestFrames::badHeader_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("bad first magic byte") << header('X', 'B', 1, frame::kRequest, 0);
    QTest::newRow("bad second magic byte") << header('V', 'b', 1, frame::kRequest, 0);
    QTest::newRow("version 0") << header('V', 'B', 0, frame::kRequest, 0);
    QTest::newRow("version 2") << header('V', 'B', 2, frame::kRequest, 0);
    QTest::newRow("type 0") << header('V', 'B', 1, 0, 0);
    QTest::newRow("type 4") << header('V', 'B', 1, 4, 0);
    QTest::newRow("type 255") << header('V', 'B', 1, 255, 0);
    QTest::newRow("HTTP request") << QByteArray("GET / HTTP/1.1\r\n\r\n");
}

void TestFrames::badHeader()
{
    QFETCH(QByteArray, bytes);
    FrameReader reader;
    reader.append(bytes);
    QVERIFY_THROWS_EXCEPTION(WireError, reader.next());
}

void TestFrames::malformedRequest_data()
{
    QTest::addColumn<QByteArray>("payload");

    const QByteArray good = samplePayload();
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("truncated in command length") << good.left(2);
    QTest::newRow("truncated in command") << good.left(10);
    QTest::newRow("truncated before count") << good.left(4 + 26);
    QTest::newRow("truncated in value") << good.left(good.size() - 3);
    QTest::newRow("one byte short") << good.chopped(1);
    QTest::newRow("trailing byte") << good + QByteArray(1, '\0');

    auto build = [](auto body) {
        QByteArray out;
        ByteWriter w(out);
        w.text32(u"TServerMethods1.X"_s);
        body(w);
        return out;
    };
    QTest::newRow("bad value tag") << build([](ByteWriter &w) { w.u16(1); w.u16(0); w.u8(10); });
    QTest::newRow("value tag 255") << build([](ByteWriter &w) { w.u16(1); w.u16(0); w.u8(255); });
    QTest::newRow("repeated ordinal") << build([](ByteWriter &w) {
        w.u16(2);
        w.u16(1); w.u8(1); w.i32(1);
        w.u16(1); w.u8(1); w.i32(2);
    });
    QTest::newRow("descending ordinals") << build([](ByteWriter &w) {
        w.u16(2);
        w.u16(3); w.u8(1); w.i32(1);
        w.u16(2); w.u8(1); w.i32(2);
    });
    QTest::newRow("boolean byte 2") << build([](ByteWriter &w) { w.u16(1); w.u16(0); w.u8(4); w.u8(2); });
    QTest::newRow("boolean byte 255") << build([](ByteWriter &w) { w.u16(1); w.u16(0); w.u8(4); w.u8(255); });
    QTest::newRow("invalid UTF-8 text") << build([](ByteWriter &w) {
        w.u16(1); w.u16(0); w.u8(2); w.blob32(QByteArray("\xc3\x28"));
    });
    QTest::newRow("surrogate in text") << build([](ByteWriter &w) {
        w.u16(1); w.u16(0); w.u8(2); w.blob32(QByteArray("\xed\xbf\xbf"));
    });
    QTest::newRow("invalid UTF-8 object") << build([](ByteWriter &w) {
        w.u16(1); w.u16(0); w.u8(9); w.blob32(QByteArray("{\"a\":\"\xff\"}"));
    });
    QTest::newRow("text longer than payload") << build([](ByteWriter &w) {
        w.u16(1); w.u16(0); w.u8(2); w.u32(0x7FFFFFFF); w.u8('a');
    });
    QTest::newRow("blob length 4 GiB") << build([](ByteWriter &w) {
        w.u16(1); w.u16(0); w.u8(8); w.u32(0xFFFFFFFFu);
    });
    QTest::newRow("too many parameters") << build([](ByteWriter &w) { w.u16(0xFFFF); });
    QTest::newRow("more parameters than present") << build([](ByteWriter &w) { w.u16(3); w.u16(0); w.u8(0); });
    QTest::newRow("invalid UTF-8 command") << [] {
        QByteArray out;
        ByteWriter w(out);
        w.blob32(QByteArray("TServerMethods1.\xff"));
        w.u16(0);
        return out;
    }();
}

void TestFrames::malformedRequest()
{
    QFETCH(QByteArray, payload);
    QVERIFY_THROWS_EXCEPTION(WireError, decodeRequest(payload));
}

void TestFrames::malformedResponse()
{
    Response r;
    r.values = {{0, Value::integer(1)}, {1, Value::real(2.5)}};
    const QByteArray good = encodeResponse(r);
    for (qsizetype n = 0; n < good.size(); ++n)
        QVERIFY_THROWS_EXCEPTION(WireError, decodeResponse(frame::kResult, good.left(n)));
    QVERIFY_THROWS_EXCEPTION(WireError, decodeResponse(frame::kResult, good + "x"));
    QVERIFY_THROWS_EXCEPTION(WireError, decodeResponse(frame::kError, QByteArray("\x05\0\0\0ab", 6)));
    QVERIFY_THROWS_EXCEPTION(WireError, decodeResponse(0, good));
}

QTEST_GUILESS_MAIN(TestFrames)
#include "tst_frames.moc"
