#pragma once

#include "gridcolumn.h"
#include "gridfilterproxy.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QSet>
#include <QStringList>
#include <QVariant>
#include <QWidget>

class QLabel;
class QMenu;
class QToolButton;
class QTreeView;

namespace wire {
class DataSet;
}

namespace widgets {

class DataSetModel;
class GroupingModel;
class GridView;
class GridHeader;
class GridFooter;
class GridDelegate;

// What an export writes: the columns as shown, then every row with groups
// expanded (group row, its data rows, its footer), then the grid footer.
struct GridTable
{
    enum Kind { Data, GroupHeader, GroupFooter, Footer };
    QStringList headers;
    QList<int> widths;     // pixels
    QStringList formats;   // Excel number format per column, empty for General
    QList<QList<QVariant>> rows;
    QList<Kind> kinds;
};

// The grid every list window uses: a tree view over the dataset (flat, or
// grouped by one column), a footer with summaries and an optional group-by
// box. A window declares its columns and summaries and sets the options it
// needs; everything else is here.
class DataGrid : public QWidget
{
    Q_OBJECT

public:
    explicit DataGrid(QWidget *parent = nullptr);
    ~DataGrid() override;

    // binds the grid; the dataset is not owned and must outlive the grid
    void setDataSet(wire::DataSet *dataSet, const QList<GridColumn> &columns);
    wire::DataSet *dataSet() const { return m_dataSet; }

    DataSetModel *model() const { return m_model; }
    GridFilterProxy *filterProxy() const { return m_proxy; }
    GroupingModel *groupingModel() const { return m_grouping; }
    QTreeView *view() const;

    // view options
    void setReadOnly(bool on);
    void setRowHeight(int px);
    int rowHeight() const { return m_rowHeight; }
    void setHeaderHeight(int px);
    void setGridFont(const QFont &font);
    void setRowColours(const QColor &even, const QColor &odd);
    void setHeaderStyle(const QColor &background, const QColor &text, const QFont &font);
    void setSelectionColours(const QColor &background, const QColor &text);
    void setGridLineColour(const QColor &colour);
    // 0 hides the indicator
    void setRowIndicator(int width, const QColor &colour = QColor(0x42, 0x42, 0x42));
    void setIncrementalSearch(bool on);
    bool incrementalSearch() const { return m_incrementalSearch; }
    void setFilterButtons(bool on);
    void setColumnCustomisation(bool on);
    void setSortingEnabled(bool on);
    void setFooterVisible(bool on);
    bool isFooterVisible() const;
    void setGroupByBoxVisible(bool on);
    bool isGroupByBoxVisible() const;
    // columns share the grid's width, following every resize
    void setAutoWidth(bool on);

    // columns, looked up by key (field, or the caption of an unbound column)
    bool hasColumn(QStringView key) const;
    bool isColumnVisible(QStringView key) const;
    void setColumnVisible(QStringView key, bool visible);
    void setColumnCustomisable(QStringView key, bool on);
    int columnWidth(QStringView key) const;
    void setColumnWidth(QStringView key, int px);
    // keys of the present columns the column chooser offers, in order
    QStringList customisableColumns() const;
    // the header's context menu: the offered columns as check items, then
    // grouping and best fit; the caller owns the menu
    QMenu *createColumnMenu(int logicalColumn, QWidget *parent);

    // layouts
    // the weighted widths over the visible columns; returns false (widths
    // unchanged) when their weights sum to 0
    bool applyWeightedLayout();
    void bestFit();
    // the basket's rule: weighted on a screen wider than 1152 pixels, best
    // fit otherwise; a zero weight sum falls back to best fit
    void KolonYerlesimi(int screenWidth);

    // footer and groups
    void setSummaries(const QList<GridSummary> &summaries);
    void setGroupSummaries(const QList<GridSummary> &summaries);
    // the footer's summary values, in declaration order
    QVariant summaryValue(int index) const;
    QString footerText(QStringView columnKey) const;
    void groupBy(QStringView key);
    void ungroup();
    QString groupedBy() const { return m_groupKey; }
    bool isGrouped() const { return !m_groupKey.isEmpty(); }
    void expandAll();
    void collapseAll();

    // header filters, by raw values (an empty list clears the column's)
    void setColumnFilter(QStringView key, const QVariantList &values);
    QVariantList columnFilter(QStringView key) const;
    // the column's distinct values with their texts, in sort order
    QList<FilterValue> filterValues(QStringView key) const;
    void clearFilters();
    int visibleRecordCount() const;

    // focus
    int focusedRecord() const;
    QString focusedColumn() const; // its key
    QString focusedCaption() const;
    void setFocusedRecord(int record);
    void setFocusedColumn(QStringView key);
    bool toggleCheck(int record, QStringView key);

    // suspends the grid around a load: detached, the grid shows nothing
    // and never reads the dataset
    void beginUpdate();
    void endUpdate();

    GridTable exportTable() const;

    // for the view and the header
    const QList<GridColumn> &columns() const { return m_columns; }
    void showFilterMenu(int logicalColumn, const QPoint &globalPos);

signals:
    void focusedRecordChanged(int record);
    void focusedColumnChanged(const QString &key);
    void recordDoubleClicked(int record);
    void checkToggled(int record, const QString &field, const QVariant &value);
    void resized();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    friend class GridView;
    friend class GridFooter;

    int modelColumnOf(QStringView key) const;
    int declaredIndexOf(QStringView key) const;
    void applyColumnState();
    void onModelReset();
    void onCurrentChanged(const QModelIndex &current, const QModelIndex &previous);
    void onSectionResized(int logical, int oldSize, int newSize);
    void onHeaderMenu(const QPoint &pos);
    void markFooterDirty();
    QStringList footerLines(int modelColumn) const;
    QList<QPair<int, GridSummary>> resolvedSummaries(const QList<GridSummary> &in) const;
    void computeFooter() const;
    QList<int> visibleRecords() const;
    void updateGroupBox();
    void updatePalette();
    void updateHeaderStyle();
    void restoreExpansion();
    QModelIndex viewIndexOfRecord(int record, int column) const;
    QList<int> visualColumns() const;

    wire::DataSet *m_dataSet = nullptr; // not owned
    QList<GridColumn> m_columns;
    QList<bool> m_visible;      // per declared column
    QList<bool> m_customisable; // per declared column
    QList<int> m_widths;        // per declared column, 0 = default
    QList<GridSummary> m_summaries;
    QList<GridSummary> m_groupSummaries;
    QString m_groupKey;
    QString m_lastFocusedColumn;
    int m_lastFocusedRecord = -1;
    bool m_incrementalSearch = true;
    bool m_filterButtons = false;
    bool m_customisation = true;
    bool m_readOnly = true;
    bool m_autoWidth = false;
    bool m_collapsedByDefault = false;
    int m_rowHeight = 0;
    int m_headerHeight = 0;
    int m_updateDepth = 0;
    QColor m_even, m_odd, m_headerBg, m_headerFg, m_selBg, m_selFg, m_gridLine;
    QFont m_headerFont;
    bool m_headerStyled = false;
    QList<QPair<QString, QVariantList>> m_savedFilters;
    QSet<QString> m_collapsedGroups; // group texts, when expanded by default
    QSet<QString> m_expandedGroups;  // group texts, when collapsed by default

    DataSetModel *m_model = nullptr;
    GridFilterProxy *m_proxy = nullptr;
    GroupingModel *m_grouping = nullptr;
    GridView *m_view = nullptr;
    GridHeader *m_header = nullptr;
    GridDelegate *m_delegate = nullptr;
    GridFooter *m_footer = nullptr;
    QWidget *m_groupBox = nullptr;
    QLabel *m_groupLabel = nullptr;
    QToolButton *m_groupButton = nullptr;

    mutable bool m_footerDirty = true;
    mutable QList<QVariant> m_footerValues;
};

} // namespace widgets
