#include "client/widgets/datagrid.h"
#include "client/widgets/datasetmodel.h"
#include "client/widgets/excelexport.h"
#include "client/widgets/xlswriter.h"
#include "gridfixture.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QHeaderView>
#include <QTest>
#include <QTreeView>

using namespace Qt::StringLiterals;
using namespace gridtest;
using widgets::XlsWriter;

namespace {

// What xlrd, an independent reader, finds in a file; an empty object when
// it cannot read it (the test then fails on the reader's message).
QJsonObject readBack(const QString &path, bool summary = false)
{
    QProcess p;
    p.start(u"/usr/bin/python3"_s, {QStringLiteral(READXLS_SCRIPT), path, summary ? u"summary"_s : u"full"_s});
    if (!p.waitForFinished(120000) || p.exitCode() != 0) {
        qWarning().noquote() << "xlrd could not read" << path << QString::fromUtf8(p.readAllStandardError());
        return {};
    }
    return QJsonDocument::fromJson(p.readAllStandardOutput()).object();
}

QJsonObject cell(const QJsonObject &book, int sheet, int row, int col)
{
    return book[u"sheets"].toArray()[sheet].toObject()[u"rows"].toArray()[row].toArray()[col].toObject();
}

// xlrd cell types
constexpr int kEmpty = 0, kText = 1, kNumber = 2, kDate = 3;

} // namespace

class TestXlsWriter : public QObject
{
    Q_OBJECT

private slots:
    void fileNameGetsTheXlsExtension_data();
    void fileNameGetsTheXlsExtension();
    void cellsReadBackByAnIndependentReader();
    void longTableContinuesOnFurtherSheets();
    void gridExportWritesColumnsAsShown();
    void groupedGridExportsEveryRow();
    void unwritablePathIsReported();

private:
    QTemporaryDir m_dir;
};

void TestXlsWriter::fileNameGetsTheXlsExtension_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::newRow("xlsx replaced") << u"/home/bayi/rapor.xlsx"_s << u"/home/bayi/rapor.xls"_s;
    QTest::newRow("no extension added") << u"/home/bayi/sepet"_s << u"/home/bayi/sepet.xls"_s;
    QTest::newRow("xls kept") << u"sepet.xls"_s << u"sepet.xls"_s;
    QTest::newRow("any extension replaced") << u"C:/Belgeler/sepet.txt"_s << u"C:/Belgeler/sepet.xls"_s;
    QTest::newRow("only the last extension") << u"/tmp/yedek.2026.xlsm"_s << u"/tmp/yedek.2026.xls"_s;
    QTest::newRow("dot in a folder is no extension") << u"/tmp/a.b/sepet"_s << u"/tmp/a.b/sepet.xls"_s;
    QTest::newRow("hidden file keeps its name") << u"/tmp/.sepet"_s << u"/tmp/.sepet.xls"_s;
    QTest::newRow("Turkish name intact") << u"/tmp/Sipariş Özeti.XLSX"_s << u"/tmp/Sipariş Özeti.xls"_s;
    QTest::newRow("cancelled dialog") << QString() << QString();
}

void TestXlsWriter::fileNameGetsTheXlsExtension()
{
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    QCOMPARE(widgets::excelFileName(chosen), written);
    // Qt's spelling of the filter "Excel|*.xls*"
    QCOMPARE(widgets::excelFileFilter(), u"Excel (*.xls*)"_s);
}

void TestXlsWriter::cellsReadBackByAnIndependentReader()
{
    XlsWriter w;
    w.setHeader({u"Barkod"_s, u"Stok Açıklama"_s, u"Miktar"_s, u"Tutar"_s, u"Sipariş Tarihi"_s});
    w.setColumnFormats({QString(), QString(), QString(), u"#,##0.00"_s});
    w.setColumnWidths({80, 200, 60, 90, 100});
    const QString longText = QString(5000, u'ş');
    w.addRow({u"BRK-1"_s, u"ŞANZIMAN YATAĞI ığüşöç İĞÜŞÖÇ"_s, 3, 1234.5, QDateTime(QDate(2026, 12, 1), QTime(0, 0))});
    w.addRow({u"BRK-2"_s, QVariant(), -0.25, 1e12, QDateTime(QDate(2026, 2, 28), QTime(13, 45, 30))});
    w.addRow({QVariant(), longText, qlonglong(9007199254740993LL), true, QDate(1999, 12, 31)});
    w.addRow({u"Toplam"_s, QVariant(), 3, 1e12 + 1234.5, QVariant()}, true);
    const QString path = m_dir.filePath(u"cells.xls"_s);
    QString error;
    QVERIFY2(w.save(path, &error), qPrintable(error));

    const QJsonObject book = readBack(path);
    QVERIFY(!book.isEmpty());
    const QJsonArray sheets = book[u"sheets"].toArray();
    QCOMPARE(sheets.size(), 1);
    QCOMPARE(sheets[0].toObject()[u"name"].toString(), u"Sayfa1"_s);
    QCOMPARE(sheets[0].toObject()[u"nrows"].toInt(), 5);
    QCOMPARE(sheets[0].toObject()[u"ncols"].toInt(), 5);

    // header: bold text
    QCOMPARE(cell(book, 0, 0, 1)[u"v"].toString(), u"Stok Açıklama"_s);
    QCOMPARE(cell(book, 0, 0, 4)[u"v"].toString(), u"Sipariş Tarihi"_s);
    QVERIFY(cell(book, 0, 0, 0)[u"bold"].toBool());
    QVERIFY(!cell(book, 0, 1, 0)[u"bold"].toBool());
    // Turkish text intact
    QCOMPARE(cell(book, 0, 1, 1)[u"t"].toInt(), kText);
    QCOMPARE(cell(book, 0, 1, 1)[u"v"].toString(), u"ŞANZIMAN YATAĞI ığüşöç İĞÜŞÖÇ"_s);
    // numbers as numbers, with the column's format where given
    QCOMPARE(cell(book, 0, 1, 2)[u"t"].toInt(), kNumber);
    QCOMPARE(cell(book, 0, 1, 2)[u"v"].toDouble(), 3.0);
    QCOMPARE(cell(book, 0, 1, 3)[u"v"].toDouble(), 1234.5);
    QCOMPARE(cell(book, 0, 1, 3)[u"fmt"].toString(), u"#,##0.00"_s);
    QCOMPARE(cell(book, 0, 2, 2)[u"v"].toDouble(), -0.25);
    QCOMPARE(cell(book, 0, 2, 3)[u"v"].toDouble(), 1e12);
    QCOMPARE(cell(book, 0, 3, 3)[u"v"].toDouble(), 1.0); // a boolean as 1
    // dates as dates, with their time where they have one
    QCOMPARE(cell(book, 0, 1, 4)[u"t"].toInt(), kDate);
    QCOMPARE(cell(book, 0, 1, 4)[u"v"].toArray(), (QJsonArray{2026, 12, 1, 0, 0, 0}));
    QCOMPARE(cell(book, 0, 2, 4)[u"v"].toArray(), (QJsonArray{2026, 2, 28, 13, 45, 30}));
    QCOMPARE(cell(book, 0, 3, 4)[u"v"].toArray(), (QJsonArray{1999, 12, 31, 0, 0, 0}));
    // empty cells stay empty; an overlong text is cut to what one record holds
    QCOMPARE(cell(book, 0, 2, 1)[u"t"].toInt(), kEmpty);
    QCOMPARE(cell(book, 0, 3, 0)[u"t"].toInt(), kEmpty);
    QCOMPARE(cell(book, 0, 3, 1)[u"v"].toString(), longText.left(XlsWriter::kMaxLabelChars));
    // a bold footer row
    QVERIFY(cell(book, 0, 4, 3)[u"bold"].toBool());
    QCOMPARE(cell(book, 0, 4, 3)[u"v"].toDouble(), 1e12 + 1234.5);
}

void TestXlsWriter::longTableContinuesOnFurtherSheets()
{
    // more rows than a sheet holds, and a file large enough that its FAT
    // sectors overflow the header's list into DIFAT sectors
    constexpr int kRows = 140000;
    XlsWriter w;
    w.setHeader({u"Sıra"_s, u"A"_s, u"B"_s, u"C"_s});
    for (int r = 0; r < kRows; ++r)
        w.addRow({r, r * 0.5, -r, 1.0});
    const QByteArray bytes = w.toBytes();
    QVERIFY(bytes.size() > 109 * 128 * 512);
    const QString path = m_dir.filePath(u"long.xls"_s);
    QVERIFY(w.save(path));

    const QJsonObject book = readBack(path, true);
    QVERIFY(!book.isEmpty());
    const QJsonArray sheets = book[u"sheets"].toArray();
    QCOMPARE(sheets.size(), 3);
    const int perSheet = XlsWriter::kMaxRowsPerSheet - 1;
    const QList<int> rows = {perSheet, perSheet, kRows - 2 * perSheet};
    for (int s = 0; s < 3; ++s) {
        const QJsonObject sheet = sheets[s].toObject();
        QCOMPARE(sheet[u"name"].toString(), u"Sayfa%1"_s.arg(s + 1));
        QCOMPARE(sheet[u"nrows"].toInt(), rows[s] + 1);
        QCOMPARE(cell(book, s, 0, 0)[u"v"].toString(), u"Sıra"_s); // the header again
    }
    // the last row of the first sheet and of the last
    QCOMPARE(cell(book, 0, 1, 0)[u"v"].toDouble(), double(perSheet - 1));
    QCOMPARE(cell(book, 2, 1, 0)[u"v"].toDouble(), double(kRows - 1));
    QCOMPARE(cell(book, 2, 1, 2)[u"v"].toDouble(), double(-(kRows - 1)));
}

void TestXlsWriter::gridExportWritesColumnsAsShown()
{
    auto ds = basketDataSet(3);
    widgets::DataGrid grid;
    grid.setDataSet(ds.get(), basketColumns());
    grid.setSummaries({widgets::GridSummary::sum(u"MIKTAR"_s), widgets::GridSummary::count(u"VERILISTARIHI"_s)});
    grid.setColumnVisible(u"MARKA", true);   // shown by the user
    grid.setColumnVisible(u"OEMNO", false);  // hidden by the user
    grid.view()->header()->moveSection(grid.view()->header()->visualIndex(grid.model()->modelColumn(u"STOKADI")), 0);
    const QString path = m_dir.filePath(u"sepet.xls"_s);
    QString error;
    QVERIFY2(widgets::exportGrid(grid, path, &error), qPrintable(error));

    const QJsonObject book = readBack(path);
    QVERIFY(!book.isEmpty());
    const QJsonObject sheet = book[u"sheets"].toArray()[0].toObject();
    QStringList headers;
    for (const QJsonValue v : sheet[u"rows"].toArray()[0].toArray())
        headers << v.toObject()[u"v"].toString();
    QCOMPARE(headers, (QStringList{u"Stok Açıklama"_s, u"Seç"_s, u"Sipariş Tarihi"_s, u"Barkod"_s, u"FinishKod"_s,
                                   u"Miktar"_s, u"Birim Fiyat"_s, u"Tutar"_s, u"İndirim Oran"_s, u"Net Fiyat"_s,
                                   u"KDV"_s, u"Vergi Tutarı"_s, u"Net Tutar"_s, u"Veren"_s, u"Durum"_s, u"Marka"_s}));
    QCOMPARE(sheet[u"nrows"].toInt(), 1 + 3 + 1); // header, rows, footer
    QCOMPARE(cell(book, 0, 3, 0)[u"v"].toString(), u"ŞANZIMAN YATAĞI"_s);
    QCOMPARE(cell(book, 0, 2, 1)[u"t"].toInt(), kNumber); // the check box as its value
    QCOMPARE(cell(book, 0, 2, 1)[u"v"].toDouble(), 1.0);
    QCOMPARE(cell(book, 0, 2, 2)[u"t"].toInt(), kDate);
    QCOMPARE(cell(book, 0, 2, 7)[u"v"].toDouble(), 40.5);
    QCOMPARE(cell(book, 0, 2, 7)[u"fmt"].toString(), u"#,##0.00"_s);
    QCOMPARE(cell(book, 0, 3, 13)[u"v"].toString(), u"Ömer Güneş"_s);
    QCOMPARE(cell(book, 0, 3, 14)[u"v"].toDouble(), 2.0); // the status picture's value
    // the footer: the sum under Miktar, the count under Sipariş Tarihi
    QCOMPARE(cell(book, 0, 4, 5)[u"v"].toDouble(), 6.0);
    QCOMPARE(cell(book, 0, 4, 2)[u"v"].toDouble(), 3.0);
    QVERIFY(cell(book, 0, 4, 5)[u"bold"].toBool());
}

void TestXlsWriter::groupedGridExportsEveryRow()
{
    using T = wire::FieldType;
    auto ds = makeDataSet({{u"SATICIADI"_s, T::String, 50}, {u"CARIADI"_s, T::String, 50}, {u"TUTAR"_s, T::Float, 0}},
                          {{u"ŞÜKRÜ"_s, u"Öztürk"_s, 10.0}, {u"ALİ"_s, u"Işık"_s, 5.0}, {u"ŞÜKRÜ"_s, u"Çınar"_s, 2.5}});
    widgets::DataGrid grid;
    grid.setDataSet(ds.get(), {widgets::GridColumn(u"SATICIADI"_s).hidden(), widgets::GridColumn(u"CARIADI"_s),
                               widgets::GridColumn(u"TUTAR"_s)});
    const QList<widgets::GridSummary> sums = {widgets::GridSummary::sum(u"TUTAR"_s),
                                              widgets::GridSummary::count(u"CARIADI"_s)};
    grid.setGroupSummaries(sums);
    grid.setSummaries(sums);
    grid.groupBy(u"SATICIADI");
    grid.collapseAll();
    const QString path = m_dir.filePath(u"rapor.xls"_s);
    QVERIFY(widgets::exportGrid(grid, path));

    const QJsonObject book = readBack(path);
    QVERIFY(!book.isEmpty());
    QStringList firstColumn;
    QList<double> secondColumn;
    const QJsonArray rows = book[u"sheets"].toArray()[0].toObject()[u"rows"].toArray();
    for (const QJsonValue r : rows) {
        const QJsonArray cells = r.toArray();
        const QJsonValue a = cells[0].toObject()[u"v"];
        firstColumn << (a.isDouble() ? QString::number(a.toDouble()) : a.toString());
        secondColumn << cells[1].toObject()[u"v"].toDouble();
    }
    QCOMPARE(firstColumn, (QStringList{u"CARIADI"_s, u"SATICIADI : ALİ"_s, u"Işık"_s, u"1"_s, u"SATICIADI : ŞÜKRÜ"_s,
                                       u"Öztürk"_s, u"Çınar"_s, u"2"_s, u"3"_s}));
    QCOMPARE(secondColumn, (QList<double>{0, 0, 5.0, 5.0, 0, 10.0, 2.5, 12.5, 17.5}));
}

void TestXlsWriter::unwritablePathIsReported()
{
    XlsWriter w;
    w.addRow({1});
    QString error;
    QVERIFY(!w.save(m_dir.filePath(u"yok/olmayan/klasor/a.xls"_s), &error));
    QVERIFY(!error.isEmpty());
}

QTEST_MAIN(TestXlsWriter)
#include "tst_xlswriter.moc"
