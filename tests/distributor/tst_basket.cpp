// Basket, order submission and open balances: amounts computed on the
// server, exactly the selected lines becoming one order, atomically, and
// every refused change leaving the store as it was.

#include "fixture.h"

#include <QThread>

#include <atomic>

using namespace Qt::StringLiterals;
using wire::Value;

class TestBasket : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<DistributorFixture> f;
    wire::TSonucBilgisi dealer;

    struct Stock
    {
        int stokno = 0;
        QString barkod;
    };

    Stock stockAt(int index)
    {
        Query q(f->server().store().database(), u"SELECT STOKNO, BARKOD FROM STOK ORDER BY STOKNO LIMIT 1 OFFSET ?"_s);
        q.bind(index).exec();
        q.next();
        return {q.intValue(0), q.text(1)};
    }

    QList<Value> addArgs(const wire::TSonucBilgisi &s, int carino, const Stock &st, double qty, double price,
                         double r1 = 0, double r2 = 0, double r3 = 0, double r4 = 0, double kdv = 20)
    {
        return {DistributorFixture::object(s), Value::integer(carino), Value::integer(st.stokno), Value::string(st.barkod),
                Value::string(u"ad"_s), Value::real(qty), Value::real(kdv), Value::real(price), Value::real(r1),
                Value::integer(s.Sirano()), Value::integer(0), Value::real(r2), Value::real(r3), Value::real(r4)};
    }

    wire::Table basket(int carino = 1001) { return f->table(u"SepetVer2"_s, {Value::integer(carino)}); }

    // everything an order submission may touch, to compare before and after
    QByteArray snapshot()
    {
        QByteArray out = basket().packet();
        Query q(f->server().store().database(),
                u"SELECT (SELECT COUNT(*) FROM SIPARIS), (SELECT COUNT(*) FROM SIPARISSATIR),"
                " (SELECT COUNT(*) FROM SEPET)"_s);
        q.exec();
        q.next();
        out += QByteArray::number(q.intValue(0)) + ',' + QByteArray::number(q.intValue(1)) + ','
               + QByteArray::number(q.intValue(2));
        return out;
    }

    int addLine(double qty, double price, int index, double r1 = 0)
    {
        const wire::Response r = f->call(u"SepetEkle2"_s, addArgs(dealer, 1001, stockAt(index), qty, price, r1));
        if (!r.ok)
            qWarning("%s", qPrintable(r.error));
        const wire::Table t = basket();
        return t.intValue(t.rowCount() - 1, t.indexOf(u"SIRANO"));
    }

    void select(int line, int on)
    {
        QVERIFY(f->call(u"SepetSecimGuncelle"_s, {Value::integer(line), Value::integer(on)}).ok);
    }

    int rowOf(const wire::Table &t, const QString &column, int value)
    {
        for (int r = 0; r < t.rowCount(); ++r)
            if (t.intValue(r, t.indexOf(column)) == value)
                return r;
        return -1;
    }

    void emptyBasket()
    {
        QVERIFY(f->call(u"SepetHepsiniSil"_s, {DistributorFixture::object(dealer)}).ok);
        QCOMPARE(basket().rowCount(), 0);
    }

private slots:
    void init()
    {
        f = std::make_unique<DistributorFixture>();
        dealer = f->session(kDealer);
    }

    void cleanup() { f.reset(); }

    // 100 × 3 with 10 % and 5 %: 300 − 43.50 = 256.50, 85.50 a piece, VAT 51.30
    void addedLineCarriesServerAmounts()
    {
        emptyBasket();
        QCOMPARE(f->result(u"SepetEkle2"_s, addArgs(dealer, 1001, stockAt(4), 3, 100, 10, 5)).toInteger(), 1);
        const wire::Table t = basket();
        QCOMPARE(t.rowCount(), 1);
        QCOMPARE(t.floatValue(0, t.indexOf(u"TUTAR")), 300.0);
        QCOMPARE(t.floatValue(0, t.indexOf(u"INDIRIMTUTAR")), 43.5);
        QCOMPARE(t.floatValue(0, t.indexOf(u"NETTUTAR")), 256.5);
        QCOMPARE(t.floatValue(0, t.indexOf(u"NETBIRIMFIYAT")), 85.5);
        QCOMPARE(t.floatValue(0, t.indexOf(u"VERGITUTARI")), 51.3);
        QCOMPARE(t.stringValue(0, t.indexOf(u"INDIRIMYAZI")), u"10+5"_s);
        QCOMPARE(t.intValue(0, t.indexOf(u"SEC")), 0);
        QCOMPARE(t.stringValue(0, t.indexOf(u"BARKOD")), stockAt(4).barkod);
        QCOMPARE(t.stringValue(0, t.indexOf(u"VEREN")), u"BAYI"_s);
    }

    void refusedAdditionsChangeNothing_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("reason");
        QTest::newRow("negative quantity") << u"qty-"_s << u"Miktar"_s;
        QTest::newRow("zero quantity") << u"qty0"_s << u"Miktar"_s;
        QTest::newRow("absurd quantity") << u"qtyBig"_s << u"Miktar"_s;
        QTest::newRow("not a number") << u"qtyNaN"_s << u"sayı"_s;
        QTest::newRow("negative price") << u"price-"_s << u"fiyat"_s;
        QTest::newRow("negative discount") << u"rate-"_s << u"İndirim"_s;
        QTest::newRow("discount of 100 %") << u"rate100"_s << u"İndirim"_s;
        QTest::newRow("VAT above 100 %") << u"kdv"_s << u"KDV"_s;
        QTest::newRow("another dealer's account") << u"foreign"_s << u"1002"_s;
        QTest::newRow("placed for another user") << u"giver"_s << u"kullanıcı"_s;
        QTest::newRow("code of another stock") << u"code"_s << u"uyuşmuyor"_s;
        QTest::newRow("unknown stock") << u"stock"_s << u"Stok"_s;
        QTest::newRow("no session") << u"session"_s << u"Oturum"_s;
    }

    void refusedAdditionsChangeNothing()
    {
        QFETCH(QString, what);
        QFETCH(QString, reason);
        const QByteArray before = snapshot();
        QList<Value> args = addArgs(dealer, 1001, stockAt(2), 2, 50);
        if (what == u"qty-"_s) args[5] = Value::real(-1);
        if (what == u"qty0"_s) args[5] = Value::real(0);
        if (what == u"qtyBig"_s) args[5] = Value::real(1e9);
        if (what == u"qtyNaN"_s) args[5] = Value::real(std::nan(""));
        if (what == u"price-"_s) args[7] = Value::real(-10);
        if (what == u"rate-"_s) args[8] = Value::real(-5);
        if (what == u"rate100"_s) args[12] = Value::real(100);
        if (what == u"kdv"_s) args[6] = Value::real(120);
        if (what == u"foreign"_s) args[1] = Value::integer(1002);
        if (what == u"giver"_s) args[9] = Value::integer(2);
        if (what == u"code"_s) args[3] = Value::string(stockAt(3).barkod);
        if (what == u"stock"_s) args[2] = Value::integer(99999999);
        if (what == u"session"_s) args[0] = Value::nullObject();
        const wire::Response r = f->call(u"SepetEkle2"_s, args);
        QVERIFY(!r.ok);
        QVERIFY2(r.error.contains(reason, Qt::CaseInsensitive), qPrintable(r.error));
        QCOMPARE(snapshot(), before);
    }

    void changeKeepsTheLineAndRecomputes()
    {
        emptyBasket();
        const int line = addLine(2, 40, 7, 10);
        const QList<Value> args{DistributorFixture::object(dealer), Value::integer(1001), Value::integer(0),
                                Value::string(stockAt(7).barkod), Value::string(u"ad"_s), Value::real(5),
                                Value::real(20), Value::real(30), Value::real(10), Value::integer(dealer.Sirano()),
                                Value::integer(line), Value::real(0), Value::real(0), Value::real(0)};
        QCOMPARE(f->result(u"SepetGuncelle2"_s, args).toInteger(), 1);
        const wire::Table t = basket();
        QCOMPARE(t.rowCount(), 1);
        QCOMPARE(t.intValue(0, t.indexOf(u"SIRANO")), line);
        QCOMPARE(t.floatValue(0, t.indexOf(u"MIKTAR")), 5.0);
        QCOMPARE(t.floatValue(0, t.indexOf(u"TUTAR")), 150.0);
        QCOMPARE(t.floatValue(0, t.indexOf(u"NETTUTAR")), 135.0);

        QList<Value> unknown = args;
        unknown[10] = Value::integer(line + 1000);
        QVERIFY(!f->call(u"SepetGuncelle2"_s, unknown).ok);
        // a line of another customer cannot be reached through one's own account
        Query other(f->server().store().database(), u"SELECT SIRANO FROM SEPET WHERE CARINO <> 1001 LIMIT 1"_s);
        other.exec();
        QVERIFY(other.next());
        QList<Value> foreign = args;
        foreign[10] = Value::integer(other.intValue(0));
        const QByteArray before = snapshot();
        QVERIFY(!f->call(u"SepetGuncelle2"_s, foreign).ok);
        QVERIFY(!f->call(u"SepetSatirSil"_s, {DistributorFixture::object(dealer), Value::integer(other.intValue(0)),
                                               Value::string(u"x"_s)}).ok);
        QCOMPARE(snapshot(), before);
    }

    void selectionAndDeletion()
    {
        emptyBasket();
        const int a = addLine(1, 10, 1);
        const int b = addLine(1, 20, 2);
        select(a, 1);
        wire::Table t = basket();
        QCOMPARE(t.intValue(rowOf(t, u"SIRANO"_s, a), t.indexOf(u"SEC")), 1);
        QCOMPARE(t.intValue(rowOf(t, u"SIRANO"_s, b), t.indexOf(u"SEC")), 0);
        QVERIFY(!f->call(u"SepetSecimGuncelle"_s, {Value::integer(a), Value::integer(2)}).ok);
        QVERIFY(!f->call(u"SepetSecimGuncelle"_s, {Value::integer(-1), Value::integer(1)}).ok);
        QCOMPARE(f->result(u"SepetSatirSil"_s, {DistributorFixture::object(dealer), Value::integer(a),
                                                 Value::string(stockAt(1).barkod + u"-ad"_s)}).toInteger(), 1);
        t = basket();
        QCOMPARE(t.rowCount(), 1);
        QCOMPARE(t.intValue(0, t.indexOf(u"SIRANO")), b);
        Query q(f->server().store().database(), u"SELECT ACIKLAMA FROM SEPETSILINEN WHERE SEPETSIRANO = ?"_s);
        q.bind(a).exec();
        QVERIFY(q.next());
        QCOMPARE(q.text(0), stockAt(1).barkod + u"-ad"_s);
    }

    void submissionTakesExactlyTheSelectedLines()
    {
        emptyBasket();
        const int a = addLine(2, 10, 1);
        const int b = addLine(1, 99.99, 2, 5);
        const int c = addLine(4, 12.5, 3);
        select(a, 1);
        select(c, 1);
        const int ordersBefore = f->table(u"OncekiSiparisler"_s, {Value::integer(1001)}).rowCount();
        const QList<Value> args{DistributorFixture::object(dealer), Value::integer(1001), Value::integer(2),
                                Value::integer(1), Value::string(u"Öğleden önce lütfen"_s),
                                Value::integer(dealer.Sirano()), Value::integer(3)};
        const Value ok = f->result(u"SiparisKaydet"_s, args);
        QCOMPARE(ok.kind(), wire::ValueKind::Boolean);
        QVERIFY(ok.toBoolean());

        const wire::Table left = basket();
        QCOMPARE(left.rowCount(), 1);
        QCOMPARE(left.intValue(0, left.indexOf(u"SIRANO")), b);

        const wire::Table orders = f->table(u"OncekiSiparisler"_s, {Value::integer(1001)});
        QCOMPARE(orders.rowCount(), ordersBefore + 1);
        const int idno = orders.intValue(0, orders.indexOf(u"IDNO"));
        QCOMPARE(orders.stringValue(0, orders.indexOf(u"DURUM")), u"Alındı"_s);
        QCOMPARE(orders.stringValue(0, orders.indexOf(u"KARGOADI")), u"MNG Kargo"_s);
        QCOMPARE(orders.stringValue(0, orders.indexOf(u"VERENINNOTU")), u"Öğleden önce lütfen"_s);
        QCOMPARE(orders.floatValue(0, orders.indexOf(u"TUTAR")), 70.0);

        const wire::Table lines = f->table(u"SiparisAyrintisi2"_s, {Value::integer(1001), Value::integer(idno)});
        QCOMPARE(lines.rowCount(), 2);
        QList<int> fromBasket{lines.intValue(0, lines.indexOf(u"SIRANO")), lines.intValue(1, lines.indexOf(u"SIRANO"))};
        std::sort(fromBasket.begin(), fromBasket.end());
        QCOMPARE(fromBasket, (QList<int>{a, c}));
        for (int r = 0; r < 2; ++r)
            QCOMPARE(lines.floatValue(r, lines.indexOf(u"KALAN")), lines.floatValue(r, lines.indexOf(u"MIKTAR")));

        const Value foot = f->result(u"SiparisAytintisiDip"_s, {Value::integer(0), Value::integer(idno)});
        const wire::TSiparisDipAyrinti d = *wire::unmarshal<wire::TSiparisDipAyrinti>(foot.bytes());
        QCOMPARE(d.SizinMesaj(), u"Öğleden önce lütfen"_s);
        QCOMPARE(d.Kargo(), u"MNG Kargo"_s);
        QCOMPARE(d.TeslimCinsi(), u"Kargo ile Gönderim"_s);
        QCOMPARE(d.KargoCinsi(), u"Alıcı Ödemeli"_s);
        QCOMPARE(d.Durumu(), u"Alındı"_s);
        QVERIFY(f->result(u"SiparisAytintisiDip"_s, {Value::integer(0), Value::integer(999999)}).isNullObject());
        QVERIFY(f->result(u"SiparisAytintisiDip"_s, {Value::integer(1002), Value::integer(idno)}).isNullObject());
        QVERIFY(!f->call(u"SiparisAyrintisi2"_s, {Value::integer(1002), Value::integer(idno)}).ok);
    }

    void refusedSubmissionsChangeNothing_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("reason");
        QTest::newRow("nothing selected") << u"none"_s << u"seçili"_s;
        QTest::newRow("firm of another cargo kind") << u"firm"_s << u"kargo"_s;
        QTest::newRow("unknown delivery kind") << u"teslim"_s << u"Teslim"_s;
        QTest::newRow("another dealer's account") << u"foreign"_s << u"1002"_s;
        QTest::newRow("failure after the order header") << u"after header"_s << u"kesildi"_s;
        QTest::newRow("failure after the order lines") << u"after lines"_s << u"kesildi"_s;
        QTest::newRow("failure after emptying the basket") << u"after basket"_s << u"kesildi"_s;
    }

    void refusedSubmissionsChangeNothing()
    {
        QFETCH(QString, what);
        QFETCH(QString, reason);
        emptyBasket();
        const int a = addLine(2, 10, 1);
        addLine(1, 20, 2);
        if (what != u"none"_s)
            select(a, 1);
        QList<Value> args{DistributorFixture::object(dealer), Value::integer(1001), Value::integer(2), Value::integer(1),
                          Value::string(QString()), Value::integer(dealer.Sirano()), Value::integer(1)};
        if (what == u"firm"_s)
            args[6] = Value::integer(6);
        if (what == u"teslim"_s)
            args[2] = Value::integer(77);
        if (what == u"foreign"_s)
            args[1] = Value::integer(1002);
        const QString step = what == u"after header"_s ? u"siparis"_s
                           : what == u"after lines"_s  ? u"satirlar"_s
                           : what == u"after basket"_s ? u"sepet"_s
                                                       : QString();
        f->server().service().setOrderStepHook([step](const QString &s) {
            if (s == step)
                throw distributor::Refusal(u"Bağlantı kesildi."_s);
        });
        const QByteArray before = snapshot();
        const wire::Response r = f->call(u"SiparisKaydet"_s, args);
        QVERIFY(!r.ok);
        QVERIFY2(r.error.contains(reason, Qt::CaseInsensitive), qPrintable(r.error));
        QCOMPARE(snapshot(), before);
        // the same submission goes through once nothing breaks it
        f->server().service().setOrderStepHook({});
        if (step.isEmpty())
            return;
        QVERIFY(f->result(u"SiparisKaydet"_s, args).toBoolean());
        QCOMPARE(basket().rowCount(), 1);
    }

    void balanceChanges()
    {
        const wire::Table open = f->table(u"BakiyelerVer2"_s, {Value::integer(1001)});
        QVERIFY(open.rowCount() >= 2);
        auto args = [&](const wire::Table &t, int row, double adet, double bakiye) {
            return QList<Value>{DistributorFixture::object(dealer), Value::integer(t.intValue(row, t.indexOf(u"STOK_STOKNO"))),
                                Value::integer(t.intValue(row, t.indexOf(u"SIRANO"))),
                                Value::integer(t.intValue(row, t.indexOf(u"STOKHAR_NO"))), Value::real(adet),
                                Value::real(bakiye), Value::string(t.stringValue(row, t.indexOf(u"BARKOD")))};
        };
        const int line0 = open.intValue(0, open.indexOf(u"STOKHAR_NO"));
        const int line1 = open.intValue(1, open.indexOf(u"STOKHAR_NO"));
        const double ordered0 = open.floatValue(0, open.indexOf(u"MIKTAR"));
        const double delivered0 = open.floatValue(0, open.indexOf(u"TESLIMEDILEN"));
        const double kalan0 = open.floatValue(0, open.indexOf(u"KALAN"));

        // quantity change: the open quantity becomes the new one
        const double wanted = kalan0 + 1;
        QCOMPARE(f->result(u"BakiyeDegistir"_s, args(open, 0, wanted, wanted)).toInteger(), 1);
        wire::Table now = f->table(u"BakiyelerVer2"_s, {Value::integer(1001)});
        int r0 = rowOf(now, u"STOKHAR_NO"_s, line0);
        QVERIFY(r0 >= 0);
        QCOMPARE(now.floatValue(r0, now.indexOf(u"KALAN")), wanted);
        QCOMPARE(now.floatValue(r0, now.indexOf(u"MIKTAR")), delivered0 + wanted);
        QCOMPARE(now.floatValue(r0, now.indexOf(u"TUTAR")),
                 wire::round2((delivered0 + wanted) * now.floatValue(r0, now.indexOf(u"BIRIMFIYAT"))));

        // stale rows, absurd quantities and another customer's balances are refused
        const QByteArray before = f->table(u"BakiyelerVer2"_s, {Value::integer(1001)}).packet();
        QVERIFY(!f->call(u"BakiyeDuzenle"_s, args(open, 0, ordered0, kalan0)).ok);
        QVERIFY(!f->call(u"BakiyeDegistir"_s, args(now, r0, -3, -3)).ok);
        QVERIFY(!f->call(u"BakiyeDegistir"_s, args(now, r0, 1e9, 1e9)).ok);
        QList<Value> wrongCode = args(now, r0, 2, 2);
        wrongCode[6] = Value::string(u"XXX"_s);
        QVERIFY(!f->call(u"BakiyeDegistir"_s, wrongCode).ok);
        QVERIFY(!f->call(u"BakiyeFiyatDegistir"_s, args(now, r0, 1, 1) << Value::real(10) << Value::real(0)).ok);
        wire::TSonucBilgisi foreign = dealer;
        foreign.setCARINO(1002);
        QList<Value> other = args(now, r0, 2, 2);
        other[0] = DistributorFixture::object(foreign);
        QVERIFY(!f->call(u"BakiyeDegistir"_s, other).ok);
        QCOMPARE(f->table(u"BakiyelerVer2"_s, {Value::integer(1001)}).packet(), before);

        // deletion cancels the open quantity: the line leaves the balances
        const int r1 = rowOf(now, u"STOKHAR_NO"_s, line1);
        QCOMPARE(f->result(u"BakiyeDuzenle"_s, args(now, r1, now.floatValue(r1, now.indexOf(u"MIKTAR")),
                                                       now.floatValue(r1, now.indexOf(u"KALAN")))).toInteger(), 1);
        now = f->table(u"BakiyelerVer2"_s, {Value::integer(1001)});
        QCOMPARE(rowOf(now, u"STOKHAR_NO"_s, line1), -1);
        QVERIFY(rowOf(now, u"STOKHAR_NO"_s, line0) >= 0);
    }

    void priceChangeIsForTypeTwoRepresentatives()
    {
        wire::TSonucBilgisi rep2 = f->repSession(kRep2, 1002);
        const wire::Table open = f->table(u"BakiyelerVer2"_s, {Value::integer(1002)});
        QVERIFY(open.rowCount() > 0);
        const double qty = open.floatValue(0, open.indexOf(u"MIKTAR"));
        const QList<Value> args{DistributorFixture::object(rep2), Value::integer(0),
                                Value::integer(open.intValue(0, open.indexOf(u"SIRANO"))),
                                Value::integer(open.intValue(0, open.indexOf(u"STOKHAR_NO"))), Value::real(qty),
                                Value::real(qty), Value::string(open.stringValue(0, open.indexOf(u"BARKOD"))),
                                Value::real(80), Value::real(25)};
        QCOMPARE(f->result(u"BakiyeFiyatDegistir"_s, args).toInteger(), 1);
        const wire::Table now = f->table(u"BakiyelerVer2"_s, {Value::integer(1002)});
        const int r = rowOf(now, u"STOKHAR_NO"_s, open.intValue(0, open.indexOf(u"STOKHAR_NO")));
        QCOMPARE(now.floatValue(r, now.indexOf(u"BIRIMFIYAT")), 80.0);
        QCOMPARE(now.floatValue(r, now.indexOf(u"INDIRIMORANI1")), 25.0);
        QCOMPARE(now.floatValue(r, now.indexOf(u"ILKFIYAT")), open.floatValue(0, open.indexOf(u"ILKFIYAT")));
        QCOMPARE(now.floatValue(r, now.indexOf(u"TUTAR")), wire::round2(80 * qty));
        // a type 1 representative may not, even for his own customer
        QList<Value> byRep1 = args;
        byRep1[0] = DistributorFixture::object(f->repSession(kRep, 1001));
        QVERIFY(!f->call(u"BakiyeFiyatDegistir"_s, byRep1).ok);
    }

    void concurrentClientsLoseNoLine()
    {
        emptyBasket();
        constexpr int kThreads = 6;
        constexpr int kEach = 10;
        const quint16 port = f->server().port();
        std::atomic<int> failures{0};
        QList<QThread *> threads;
        for (int t = 0; t < kThreads; ++t) {
            const QList<Value> args = addArgs(dealer, 1001, stockAt(t), 1, 10 + t);
            threads << QThread::create([port, args, &failures] {
                wire::RpcClient c;
                c.connectTo(u"127.0.0.1"_s, port, 5000);
                for (int i = 0; i < kEach; ++i) {
                    const wire::Response r = c.call(DistributorFixture::request(u"SepetEkle2"_s, args), 30000);
                    if (!r.ok) {
                        qWarning("%s", qPrintable(r.error));
                        ++failures;
                    }
                }
            });
            threads.last()->start();
        }
        for (QThread *t : threads) {
            t->wait();
            delete t;
        }
        QCOMPARE(failures.load(), 0);
        QCOMPARE(basket().rowCount(), kThreads * kEach);
    }
};

QTEST_MAIN(TestBasket)
#include "tst_basket.moc"
