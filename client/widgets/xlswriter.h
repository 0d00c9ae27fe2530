#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace widgets {

// Writes an Excel 97-2003 workbook (.xls): a BIFF8 Workbook stream inside
// an OLE2 compound file. One worksheet of rows; numbers (double, int,
// qlonglong, bool) become NUMBER cells, QDate/QDateTime become NUMBER cells
// with a date format, everything else LABEL cells with UTF-16 text. A
// sheet holds at most 65,536 rows, so longer tables continue on further
// sheets, each starting with the header row again. See docs/xls.md.
class XlsWriter
{
public:
    static constexpr int kMaxRowsPerSheet = 65536;
    static constexpr int kMaxColumns = 256;
    // a LABEL record holds at most this many UTF-16 characters
    static constexpr int kMaxLabelChars = 4107;

    // bold, repeated at the top of every sheet; may be empty
    void setHeader(const QStringList &headers) { m_header = headers; }
    void setColumnWidths(const QList<int> &pixels) { m_widths = pixels; }
    // an Excel number format per column ("#,##0.00"), used for its double
    // cells; empty for General
    void setColumnFormats(const QStringList &formats) { m_formats = formats; }
    void setSheetName(const QString &name) { m_sheetName = name; }
    void addRow(const QList<QVariant> &cells, bool bold = false) { m_rows.append({cells, bold}); }
    int rowCount() const { return int(m_rows.size()); }

    // the Workbook stream alone
    QByteArray workbookStream() const;
    // the whole .xls file
    QByteArray toBytes() const { return compoundFile(workbookStream()); }
    // false with a reason when the file cannot be written
    bool save(const QString &path, QString *error = nullptr) const;

    // wraps one stream named "Workbook" into a compound file (version 3,
    // 512-byte sectors, no mini stream: short streams are padded to 4096)
    static QByteArray compoundFile(QByteArray workbook);

private:
    struct Row
    {
        QList<QVariant> cells;
        bool bold;
    };

    QStringList m_header;
    QList<int> m_widths;
    QStringList m_formats;
    QString m_sheetName;
    QList<Row> m_rows;
};

// the Excel form of a display pattern such as "#,###,##0.00": "#,##0.00"
QString excelNumberFormat(const QString &displayPattern);

} // namespace widgets
