#pragma once

// The pieces a DataGrid is made of; windows use DataGrid only.

#include <QElapsedTimer>
#include <QHeaderView>
#include <QStyledItemDelegate>
#include <QTreeView>

namespace widgets {

class DataGrid;
class DataSetModel;

class GridDelegate : public QStyledItemDelegate
{
public:
    GridDelegate(DataGrid *grid, QObject *parent);

    void setRowHeight(int px) { m_rowHeight = px; }
    void setChecksEditable(bool on) { m_checksEditable = on; }

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                     const QModelIndex &index) override;

private:
    QColor rowBackground(const QStyleOptionViewItem &option, const QModelIndex &index) const;

    DataGrid *m_grid; // not owned
    int m_rowHeight = 0;
    bool m_checksEditable = false;
};

// The header: a filter button on every section when switched on; a click
// on it opens the section's value list instead of sorting.
class GridHeader : public QHeaderView
{
public:
    GridHeader(DataGrid *grid, QWidget *parent);

    void setFilterButtons(bool on);
    void setFixedSectionHeight(int px);
    // where a section's filter button sits, in header coordinates
    QRect filterButtonRect(int logical) const;

    QSize sizeHint() const override;

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    DataGrid *m_grid; // not owned
    bool m_filterButtons = false;
    bool m_swallowRelease = false;
    int m_height = 0;
};

class GridView : public QTreeView
{
public:
    explicit GridView(DataGrid *grid);

    // the row indicator: a strip at the left edge of every row, marking
    // the focused one; 0 pixels hides it
    void setIndicatorWidth(int px);
    void setIndicatorColour(const QColor &colour);
    int indicatorWidth() const { return m_indicatorWidth; }
    // lines between the cells; an invalid colour draws none
    void setGridLineColour(const QColor &colour);
    void keyboardSearch(const QString &search) override;

protected:
    void scrollContentsBy(int dx, int dy) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void drawRow(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QRect groupToggleRect(const QRect &row) const;

    DataGrid *m_grid; // not owned
    int m_indicatorWidth = 0;
    QColor m_indicatorColour = QColor(0x42, 0x42, 0x42);
    QColor m_gridLine;
    QString m_searchText;
    QElapsedTimer m_searchTimer;
};

// The footer below the rows: each column's summaries under its section.
class GridFooter : public QWidget
{
public:
    GridFooter(DataGrid *grid, QTreeView *view, QWidget *parent);
    void relayout();

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int lineCount() const;

    DataGrid *m_grid; // not owned
    QTreeView *m_view; // not owned
};

} // namespace widgets
