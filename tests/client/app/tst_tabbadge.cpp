#include "client/app/tabbadge.h"

#include <QImage>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// counts pure-red pixels in the top-right corner of each tab
int redPixelsTopRight(BadgeTabBar &bar, int index)
{
    const QImage image = bar.grab().toImage();
    const QRect tab = bar.tabRect(index);
    const QRect corner(tab.right() - 40, tab.top(), 40, tab.height() / 2);
    int red = 0;
    for (int y = corner.top(); y <= corner.bottom(); ++y) {
        for (int x = corner.left(); x <= corner.right(); ++x) {
            const QColor c = image.pixelColor(x * image.width() / bar.width(), y * image.height() / bar.height());
            if (c.red() > 200 && c.green() < 60 && c.blue() < 60)
                ++red;
        }
    }
    return red;
}

} // namespace

class TestTabBadge : public QObject
{
    Q_OBJECT

private slots:
    void parse_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("badge");
        QTest::newRow("count and title") << u"3=Sepet"_s << 3 << u"Sepet"_s << u"(3)"_s;
        QTest::newRow("zero shows no badge") << u"0=Stok Listesi"_s << 0 << u"Stok Listesi"_s << QString();
        QTest::newRow("no equals sign") << u"Cari Ekstre"_s << 0 << u"Cari Ekstre"_s << QString();
        QTest::newRow("only the first equals splits") << u"12=A=B"_s << 12 << u"A=B"_s << u"(12)"_s;
        QTest::newRow("balance total not whole") << u"2.5=Bakiyeler"_s << 0 << u"Bakiyeler"_s << u"(2.5)"_s;
        QTest::newRow("count not a number") << u"x=Yeni Stoklar"_s << 0 << u"Yeni Stoklar"_s << QString();
        QTest::newRow("title cut at 100") << u"1="_s + QString(120, u'a') << 1 << QString(100, u'a') << u"(1)"_s;
    }
    void parse()
    {
        QFETCH(QString, caption);
        QFETCH(int, count);
        QFETCH(QString, title);
        QFETCH(QString, badge);
        const TSonuc parsed = SekmeBasligiCoz(caption);
        QCOMPARE(parsed.sayi, count);
        QCOMPARE(parsed.baslik, title);
        QCOMPARE(BadgeTabBar::badgeText(caption), badge);
    }

    void badgeDrawnInRed()
    {
        BadgeTabBar bar;
        bar.addTab(u"3=Sepet"_s);
        bar.addTab(u"0=Stok Listesi"_s);
        bar.resize(bar.sizeHint());
        bar.show();
        QVERIFY(redPixelsTopRight(bar, 0) > 5);
        QCOMPARE(redPixelsTopRight(bar, 1), 0);
        QCOMPARE(bar.tabRect(0).size(), QSize(120, 45));
    }
};

QTEST_MAIN(TestTabBadge)
#include "tst_tabbadge.moc"
