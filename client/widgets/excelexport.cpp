#include "excelexport.h"

#include "datagrid.h"
#include "datasetmodel.h"
#include "xlswriter.h"

#include "wire/dataset.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace widgets {

QString excelFileFilter()
{
    return u"Excel (*.xls*)"_s;
}

QString excelFileName(const QString &chosen)
{
    if (chosen.isEmpty())
        return QString();
    const QFileInfo info(chosen);
    const QString name = info.fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    // a leading dot names a hidden file, not an extension
    const QString base = dot > 0 ? name.left(dot) : name;
    const QString dir = chosen.left(chosen.size() - name.size());
    return dir + base + u".xls"_s;
}

bool writeGridTable(const GridTable &table, const QString &path, QString *error)
{
    XlsWriter w;
    w.setHeader(table.headers);
    w.setColumnWidths(table.widths);
    w.setColumnFormats(table.formats);
    for (int i = 0; i < table.rows.size(); ++i)
        w.addRow(table.rows[i], table.kinds.value(i) != GridTable::Data);
    return w.save(path, error);
}

bool exportGrid(const DataGrid &grid, const QString &path, QString *error)
{
    return writeGridTable(grid.exportTable(), path, error);
}

bool saveGridAsExcel(const DataGrid &grid, QWidget *parent, QString *error)
{
    const QString chosen = QFileDialog::getSaveFileName(parent, QString(), QString(), excelFileFilter());
    const QString path = excelFileName(chosen);
    if (path.isEmpty())
        return false;
    return exportGrid(grid, path, error);
}

} // namespace widgets
