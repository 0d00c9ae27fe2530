// The pictures and documents the distributor makes, read back by
// independent readers: Qt's GIF, BMP and JPEG readers and pdftotext; and
// the demo data, which must come out the same on every seeding.

#include <distributor/demodata.h>
#include <distributor/media.h>
#include <distributor/store.h>

#include <QCryptographicHash>
#include <QSqlRecord>
#include <QImageReader>
#include <QBuffer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace distributor;

class TestMedia : public QObject
{
    Q_OBJECT

private:
    static QList<QImage> readFrames(const QByteArray &bytes)
    {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer, "GIF");
        QList<QImage> frames;
        for (QImage img = reader.read(); !img.isNull(); img = reader.read())
            frames.append(img);
        return frames;
    }

    static QString pdfText(const QByteArray &pdf)
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"d.pdf"_s);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(pdf);
        file.close();
        QProcess p;
        p.start(u"pdftotext"_s, {u"-enc"_s, u"UTF-8"_s, path, u"-"_s});
        p.waitForFinished(30000);
        return QString::fromUtf8(p.readAllStandardOutput());
    }

private slots:
    void gifFramesDecodeToTheirColours_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("frames");
        QTest::newRow("one pixel") << 1 << 1 << 1;
        QTest::newRow("more pixels than one clear code span") << 97 << 13 << 1;
        QTest::newRow("two frames") << 40 << 30 << 2;
    }

    // colours of the fixed cube come back exactly
    void gifFramesDecodeToTheirColours()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, frames);
        QList<QImage> in;
        for (int f = 0; f < frames; ++f) {
            QImage img(width, height, QImage::Format_RGB32);
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)
                    img.setPixel(x, y, qRgb(((x + f) % 6) * 51, (y % 6) * 51, ((x * y) % 6) * 51));
            in.append(img);
        }
        const QList<QImage> out = readFrames(media::encodeGif(in, 50));
        QCOMPARE(out.size(), frames);
        for (int f = 0; f < frames; ++f) {
            QCOMPARE(out[f].size(), in[f].size());
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)
                    QCOMPARE(out[f].pixel(x, y) & 0xFFFFFF, in[f].pixel(x, y) & 0xFFFFFF);
        }
    }

    void bannersDecode()
    {
        QCOMPARE(readFrames(media::headerBanner()).size(), 2);
        QCOMPARE(readFrames(media::upperBanner()).size(), 2);
        const QImage lower = QImage::fromData(media::lowerBanner(), "BMP");
        QCOMPARE(lower.size(), QSize(1200, 60));
        QVERIFY(media::lowerBanner().size() >= 11);
    }

    void pdfTextCanBeExtracted()
    {
        if (QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty())
            QSKIP("pdftotext is not installed");
        media::PdfTable table;
        table.columns = {u"Cari Kod"_s, u"Bakiye"_s};
        table.widths = {1, 1};
        for (int i = 0; i < 120; ++i) // more rows than one page holds
            table.rows.append({u"120.01.%1"_s.arg(i, 3, 10, QChar(u'0')), u"1.234,50"_s});
        const QByteArray pdf = media::pdfDocument(u"Cari Toplu Alacak Vadeleri"_s, {u"Temsilci: Ahmet Yılmaz"_s},
                                                  table, {u"Toplam Alacak: 148.140,00 TL"_s});
        QVERIFY(pdf.startsWith("%PDF"));
        const QString text = pdfText(pdf);
        QVERIFY2(text.contains(u"Cari Toplu Alacak Vadeleri"_s), qPrintable(text.left(200)));
        QVERIFY(text.contains(u"Ahmet Yılmaz"_s));
        QVERIFY(text.contains(u"120.01.000"_s));
        QVERIFY(text.contains(u"120.01.119"_s));
        QVERIFY(text.contains(u"Toplam Alacak: 148.140,00 TL"_s));
        QVERIFY(text.count(u'\f') >= 2);
    }

    void announcementPictureIsJpeg()
    {
        const QByteArray jpeg = media::announcementJpeg(u"Yeni Gelen Ürünler"_s, u"satır"_s, Qt::darkBlue);
        QCOMPARE(QImage::fromData(jpeg, "JPEG").size(), QSize(600, 400));
        QCOMPARE(media::toHexText("\x01\xAB"), u"01AB"_s);
    }

    void seedingIsDeterministic()
    {
        auto digest = [](const QString &folder) {
            Store store(folder + u"/s.db"_s);
            seedStore(store, DataSize::Small);
            QCryptographicHash h(QCryptographicHash::Sha256);
            for (const QString &table : {u"STOK"_s, u"CARI"_s, u"SIPARISSATIR"_s, u"FATURASATIR"_s, u"SEPET"_s}) {
                Query q(store.database(), u"SELECT * FROM %1 ORDER BY 1"_s.arg(table));
                q.exec();
                while (q.next()) {
                    for (int c = 0; c < q.raw().record().count(); ++c)
                        h.addData(q.value(c).toString().toUtf8() + '|');
                }
            }
            Query count(store.database(), u"SELECT COUNT(*) FROM STOK"_s);
            count.exec();
            count.next();
            return std::pair{h.result(), count.intValue(0)};
        };
        QTemporaryDir a, b;
        const auto first = digest(a.path());
        const auto second = digest(b.path());
        QCOMPARE(first.second, stockCountFor(DataSize::Small));
        QCOMPARE(first.first, second.first);
    }
};

QTEST_MAIN(TestMedia)
#include "tst_media.moc"
