#pragma once

#include <QString>

class QWidget;

namespace widgets {

class DataGrid;
struct GridTable;

// The save dialog's filter, "Excel|*.xls*" in Qt's notation.
QString excelFileFilter();

// The file an export writes for the name chosen in the dialog: its
// extension, whatever it was, replaced by ".xls" ("rapor.xlsx" and "rapor"
// both give "rapor.xls"); an empty name stays empty.
QString excelFileName(const QString &chosen);

// Writes a grid's table (columns as shown, all rows, groups expanded) as
// an Excel 97-2003 workbook; false with a reason when the file cannot be
// written.
bool writeGridTable(const GridTable &table, const QString &path, QString *error = nullptr);
bool exportGrid(const DataGrid &grid, const QString &path, QString *error = nullptr);

// "Excel Kaydet": asks for the file name with the save dialog and exports
// the grid there. Returns false when the user cancels or the file cannot be
// written (then error holds the reason); no message is shown here.
bool saveGridAsExcel(const DataGrid &grid, QWidget *parent, QString *error = nullptr);

} // namespace widgets
