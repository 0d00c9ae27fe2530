#include "datagrid.h"

#include "columnlayout.h"
#include "datasetmodel.h"
#include "gridfilterproxy.h"
#include "gridparts.h"
#include "gridsummary.h"
#include "groupingmodel.h"
#include "xlswriter.h"

#include "wire/dataset.h"

#include <QActionGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <numeric>

using namespace Qt::StringLiterals;

namespace widgets {

DataGrid::DataGrid(QWidget *parent)
    : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_groupBox = new QWidget(this);
    auto *gl = new QHBoxLayout(m_groupBox);
    gl->setContentsMargins(6, 4, 6, 4);
    m_groupLabel = new QLabel(m_groupBox);
    m_groupButton = new QToolButton(m_groupBox);
    m_groupButton->setToolButtonStyle(Qt::ToolButtonTextOnly);
    gl->addWidget(m_groupLabel);
    gl->addWidget(m_groupButton);
    gl->addStretch(1);
    m_groupBox->setAutoFillBackground(true);
    QPalette gp = m_groupBox->palette();
    gp.setColor(QPalette::Window, QColor(0xD8, 0xDC, 0xE2));
    m_groupBox->setPalette(gp);
    m_groupBox->hide();
    connect(m_groupButton, &QToolButton::clicked, this, &DataGrid::ungroup);
    layout->addWidget(m_groupBox);

    m_view = new GridView(this);
    m_header = new GridHeader(this, m_view);
    m_view->setHeader(m_header);
    // the header learns a new column count only after our reset handlers
    // ran: hide and size the sections again once it has them
    connect(m_header, &QHeaderView::sectionCountChanged, this, &DataGrid::applyColumnState);
    m_delegate = new GridDelegate(this, m_view);
    m_view->setItemDelegate(m_delegate);
    layout->addWidget(m_view, 1);

    m_header->setSectionsMovable(true);
    setSortingEnabled(true);

    m_footer = new GridFooter(this, m_view, this);
    m_footer->hide();
    layout->addWidget(m_footer);

    connect(m_header, &QHeaderView::customContextMenuRequested, this, &DataGrid::onHeaderMenu);
    connect(m_header, &QHeaderView::sectionResized, this, &DataGrid::onSectionResized);
    connect(m_header, &QHeaderView::sectionMoved, this, [this] { m_footer->update(); });
    connect(m_view->horizontalScrollBar(), &QScrollBar::valueChanged, m_footer, qOverload<>(&QWidget::update));
    connect(m_view, &QTreeView::doubleClicked, this, [this](const QModelIndex &ix) {
        const int record = ix.data(RecordRole).toInt();
        if (ix.isValid() && RowKind(ix.data(RowKindRole).toInt()) == RowKind::Data && record >= 0)
            emit recordDoubleClicked(record);
    });
    connect(m_view, &QTreeView::collapsed, this, [this](const QModelIndex &ix) {
        const QString t = ix.data(Qt::DisplayRole).toString();
        m_expandedGroups.remove(t);
        m_collapsedGroups.insert(t);
    });
    connect(m_view, &QTreeView::expanded, this, [this](const QModelIndex &ix) {
        const QString t = ix.data(Qt::DisplayRole).toString();
        m_collapsedGroups.remove(t);
        m_expandedGroups.insert(t);
    });
    updateGroupBox();
}

DataGrid::~DataGrid() = default;

QTreeView *DataGrid::view() const
{
    return m_view;
}

void DataGrid::setDataSet(wire::DataSet *dataSet, const QList<GridColumn> &columns)
{
    m_view->setModel(nullptr);
    delete m_grouping;
    delete m_proxy;
    delete m_model;
    m_dataSet = dataSet;
    m_columns = columns;
    m_visible.clear();
    m_customisable.clear();
    m_widths.clear();
    for (const GridColumn &c : columns) {
        m_visible.append(c.visible);
        m_customisable.append(c.customisable);
        m_widths.append(c.initialWidth);
    }
    m_groupKey.clear();

    m_model = new DataSetModel(dataSet, columns, this);
    m_model->setChecksEditable(!m_readOnly);
    connect(m_model, &DataSetModel::checkToggled, this, &DataGrid::checkToggled);
    m_proxy = new GridFilterProxy(this);
    m_proxy->setSourceModel(m_model);
    m_grouping = new GroupingModel(this);
    m_grouping->setSource(m_proxy, dataSet);

    // header filters are kept across loads by column key, since a load may
    // bring the columns in another order or without some of them
    connect(m_model, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        m_savedFilters.clear();
        for (int c : m_proxy->filteredColumns()) {
            if (c < m_model->columnCount())
                m_savedFilters.append({m_model->column(c).key(), m_proxy->columnFilter(c)});
        }
    });
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        if (m_savedFilters.isEmpty())
            return;
        const auto saved = std::exchange(m_savedFilters, {});
        m_proxy->clearFilters();
        for (const auto &[key, values] : saved)
            setColumnFilter(key, values);
    });
    auto dirty = [this] { markFooterDirty(); };
    connect(m_proxy, &QAbstractItemModel::modelReset, this, [this] {
        if (!isGrouped())
            onModelReset();
        markFooterDirty();
    });
    connect(m_proxy, &QAbstractItemModel::rowsInserted, this, dirty);
    connect(m_proxy, &QAbstractItemModel::rowsRemoved, this, dirty);
    connect(m_proxy, &QAbstractItemModel::layoutChanged, this, dirty);
    connect(m_proxy, &QAbstractItemModel::dataChanged, this, dirty);
    connect(m_proxy, &GridFilterProxy::filtersChanged, m_header->viewport(), qOverload<>(&QWidget::update));
    connect(m_grouping, &QAbstractItemModel::modelReset, this, [this] {
        if (isGrouped())
            onModelReset();
    });

    m_view->setModel(m_proxy);
    m_view->setRootIsDecorated(false);
    m_view->setUniformRowHeights(true);
    applyColumnState();
    updateGroupBox();
    markFooterDirty();
}

// --- options ---------------------------------------------------------------

void DataGrid::setReadOnly(bool on)
{
    m_readOnly = on;
    if (m_model)
        m_model->setChecksEditable(!on);
    m_delegate->setChecksEditable(!on);
}

void DataGrid::setRowHeight(int px)
{
    m_rowHeight = px;
    m_delegate->setRowHeight(px);
    // uniform heights are measured once; make the view ask again
    m_view->setUniformRowHeights(false);
    m_view->setUniformRowHeights(!isGrouped());
    m_view->doItemsLayout();
}

void DataGrid::setHeaderHeight(int px)
{
    m_headerHeight = px;
    m_header->setFixedSectionHeight(px);
}

void DataGrid::setGridFont(const QFont &font)
{
    m_view->setFont(font);
    m_footer->setFont(font);
    m_footer->relayout();
}

void DataGrid::setRowColours(const QColor &even, const QColor &odd)
{
    m_even = even;
    m_odd = odd;
    updatePalette();
}

void DataGrid::setSelectionColours(const QColor &background, const QColor &text)
{
    m_selBg = background;
    m_selFg = text;
    updatePalette();
}

void DataGrid::setGridLineColour(const QColor &colour)
{
    m_gridLine = colour;
    m_view->setGridLineColour(colour);
}

void DataGrid::updatePalette()
{
    QPalette p = m_view->palette();
    // Qt paints row 0 with Base and row 1 with AlternateBase
    if (m_even.isValid())
        p.setColor(QPalette::Base, m_even);
    if (m_odd.isValid())
        p.setColor(QPalette::AlternateBase, m_odd);
    if (m_selBg.isValid()) {
        p.setColor(QPalette::Active, QPalette::Highlight, m_selBg);
        p.setColor(QPalette::Inactive, QPalette::Highlight, m_selBg);
    }
    if (m_selFg.isValid()) {
        p.setColor(QPalette::Active, QPalette::HighlightedText, m_selFg);
        p.setColor(QPalette::Inactive, QPalette::HighlightedText, m_selFg);
    }
    m_view->setPalette(p);
}

void DataGrid::setHeaderStyle(const QColor &background, const QColor &text, const QFont &font)
{
    m_headerBg = background;
    m_headerFg = text;
    m_headerFont = font;
    m_headerStyled = true;
    updateHeaderStyle();
}

void DataGrid::updateHeaderStyle()
{
    if (!m_headerStyled)
        return;
    m_header->setFont(m_headerFont);
    m_header->setStyleSheet(u"QHeaderView::section { background-color: %1; color: %2; border: 0px;"
                            " border-right: 1px solid %3; padding: 2px 18px 2px 4px; }"_s
                                .arg(m_headerBg.name(), m_headerFg.name(),
                                     m_headerBg.lighter(160).name()));
}

void DataGrid::setRowIndicator(int width, const QColor &colour)
{
    m_view->setIndicatorColour(colour);
    m_view->setIndicatorWidth(width);
}

void DataGrid::setIncrementalSearch(bool on)
{
    m_incrementalSearch = on;
}

void DataGrid::setFilterButtons(bool on)
{
    m_filterButtons = on;
    m_header->setFilterButtons(on);
}

void DataGrid::setColumnCustomisation(bool on)
{
    m_customisation = on;
}

void DataGrid::setSortingEnabled(bool on)
{
    // switching sorting on would sort by the header's current indicator
    // (the first column); rows stay in the dataset's order until a click
    if (on && !m_view->isSortingEnabled())
        m_header->setSortIndicator(-1, Qt::AscendingOrder);
    m_view->setSortingEnabled(on);
    if (!on) {
        m_header->setSortIndicatorShown(false);
        if (m_proxy)
            m_proxy->sort(-1); // back to the dataset's order
    }
}

void DataGrid::setFooterVisible(bool on)
{
    m_footer->setVisible(on);
    m_footer->relayout();
}

bool DataGrid::isFooterVisible() const
{
    return !m_footer->isHidden();
}

void DataGrid::setGroupByBoxVisible(bool on)
{
    m_groupBox->setVisible(on);
    updateGroupBox();
}

bool DataGrid::isGroupByBoxVisible() const
{
    return !m_groupBox->isHidden();
}

void DataGrid::setAutoWidth(bool on)
{
    m_autoWidth = on;
    m_header->setSectionResizeMode(on ? QHeaderView::Stretch : QHeaderView::Interactive);
}

// --- columns ---------------------------------------------------------------

int DataGrid::declaredIndexOf(QStringView key) const
{
    for (int i = 0; i < m_columns.size(); ++i) {
        if (m_columns[i].key().compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int DataGrid::modelColumnOf(QStringView key) const
{
    return m_model ? m_model->modelColumn(key) : -1;
}

bool DataGrid::hasColumn(QStringView key) const
{
    return modelColumnOf(key) >= 0;
}

bool DataGrid::isColumnVisible(QStringView key) const
{
    const int d = declaredIndexOf(key);
    return d >= 0 && m_visible[d] && hasColumn(key);
}

void DataGrid::setColumnVisible(QStringView key, bool visible)
{
    const int d = declaredIndexOf(key);
    if (d < 0)
        return;
    m_visible[d] = visible;
    const int c = modelColumnOf(key);
    if (c >= 0) {
        m_header->setSectionHidden(c, !visible || (isGrouped() && m_groupKey.compare(key, Qt::CaseInsensitive) == 0));
        if (visible && m_widths[d] > 0)
            m_header->resizeSection(c, m_widths[d]);
    }
    m_footer->relayout();
}

void DataGrid::setColumnCustomisable(QStringView key, bool on)
{
    const int d = declaredIndexOf(key);
    if (d >= 0)
        m_customisable[d] = on;
}

int DataGrid::columnWidth(QStringView key) const
{
    const int c = modelColumnOf(key);
    return c >= 0 ? m_header->sectionSize(c) : 0;
}

void DataGrid::setColumnWidth(QStringView key, int px)
{
    const int d = declaredIndexOf(key);
    if (d < 0)
        return;
    m_widths[d] = px;
    const int c = modelColumnOf(key);
    if (c >= 0)
        m_header->resizeSection(c, px);
}

QStringList DataGrid::customisableColumns() const
{
    QStringList out;
    if (!m_model || !m_customisation)
        return out;
    for (int c = 0; c < m_model->columnCount(); ++c) {
        const int d = m_model->declaredIndex(c);
        if (m_customisable[d])
            out << m_columns[d].key();
    }
    return out;
}

QMenu *DataGrid::createColumnMenu(int logicalColumn, QWidget *parent)
{
    auto *menu = new QMenu(parent);
    if (!m_model)
        return menu;
    for (const QString &key : customisableColumns()) {
        const int d = declaredIndexOf(key);
        QAction *a = menu->addAction(m_columns[d].headerText());
        a->setCheckable(true);
        a->setChecked(m_visible[d]);
        a->setData(key);
        connect(a, &QAction::toggled, this, [this, key](bool on) { setColumnVisible(key, on); });
    }
    if (!menu->isEmpty())
        menu->addSeparator();
    if (isGroupByBoxVisible()) {
        if (logicalColumn >= 0 && logicalColumn < m_model->columnCount()) {
            const QString key = m_model->column(logicalColumn).key();
            menu->addAction(u"Bu Sütuna Göre Grupla"_s, this, [this, key] { groupBy(key); });
        }
        if (isGrouped()) {
            menu->addAction(u"Gruplamayı Kaldır"_s, this, &DataGrid::ungroup);
            menu->addAction(u"Tümünü Aç"_s, this, &DataGrid::expandAll);
            menu->addAction(u"Tümünü Kapat"_s, this, &DataGrid::collapseAll);
        }
    }
    if (m_proxy && m_proxy->hasFilter())
        menu->addAction(u"Filtreyi Temizle"_s, this, &DataGrid::clearFilters);
    menu->addAction(u"En Uygun Genişlik"_s, this, &DataGrid::bestFit);
    return menu;
}

void DataGrid::onHeaderMenu(const QPoint &pos)
{
    QMenu *menu = createColumnMenu(m_header->logicalIndexAt(pos), this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(m_header->mapToGlobal(pos));
}

void DataGrid::showFilterMenu(int logicalColumn, const QPoint &globalPos)
{
    if (!m_model || logicalColumn < 0 || logicalColumn >= m_model->columnCount())
        return;
    const QString key = m_model->column(logicalColumn).key();
    auto *menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QSet<QString> current;
    for (const QVariant &v : columnFilter(key))
        current.insert(GridFilterProxy::valueKey(v));
    menu->addAction(u"(Tümü)"_s, this, [this, key] { setColumnFilter(key, {}); });
    menu->addSeparator();
    const QList<FilterValue> values = filterValues(key);
    const int shown = qMin(int(values.size()), 500); // a menu of thousands helps nobody
    for (int i = 0; i < shown; ++i) {
        const FilterValue fv = values[i];
        QAction *a = menu->addAction(fv.text.isEmpty() ? u"(Boş)"_s : fv.text);
        a->setCheckable(true);
        a->setChecked(current.contains(GridFilterProxy::valueKey(fv.value)));
        connect(a, &QAction::triggered, this, [this, key, fv](bool on) {
            QVariantList now = columnFilter(key);
            const QString k = GridFilterProxy::valueKey(fv.value);
            now.erase(std::remove_if(now.begin(), now.end(),
                                     [&](const QVariant &v) { return GridFilterProxy::valueKey(v) == k; }),
                      now.end());
            if (on)
                now.append(fv.value);
            setColumnFilter(key, now);
        });
    }
    menu->popup(globalPos);
}

void DataGrid::onSectionResized(int logical, int, int newSize)
{
    if (!m_model || logical < 0 || logical >= m_model->columnCount())
        return;
    if (!m_header->isSectionHidden(logical))
        m_widths[m_model->declaredIndex(logical)] = newSize;
    m_footer->update();
}

void DataGrid::applyColumnState()
{
    if (!m_model)
        return;
    const int groupColumn = isGrouped() ? modelColumnOf(m_groupKey) : -1;
    const int n = m_model->columnCount();
    for (int c = 0; c < n && c < m_header->count(); ++c) {
        const int d = m_model->declaredIndex(c);
        m_header->setSectionHidden(c, !m_visible[d] || c == groupColumn);
        if (m_widths[d] > 0)
            m_header->resizeSection(c, m_widths[d]);
    }
    if (m_autoWidth)
        m_header->setSectionResizeMode(QHeaderView::Stretch);
    if (isGrouped()) {
        restoreExpansion();
    }
    m_footer->relayout();
}

void DataGrid::onModelReset()
{
    if (isGrouped() && m_grouping->groupColumn() != modelColumnOf(m_groupKey)) {
        // a load brought other columns; regroup (or ungroup when the field
        // is gone) once this reset has been delivered to everyone
        QMetaObject::invokeMethod(this, [this] {
            if (!isGrouped())
                return;
            const int c = modelColumnOf(m_groupKey);
            if (c < 0)
                ungroup();
            else if (m_grouping->groupColumn() != c)
                m_grouping->setGroupColumn(c);
        }, Qt::QueuedConnection);
        return;
    }
    applyColumnState();
}

// --- layouts ---------------------------------------------------------------

QList<int> DataGrid::visualColumns() const
{
    QList<int> out;
    if (!m_model)
        return out;
    for (int v = 0; v < m_header->count(); ++v) {
        const int logical = m_header->logicalIndex(v);
        if (logical >= 0 && !m_header->isSectionHidden(logical))
            out << logical;
    }
    return out;
}

bool DataGrid::applyWeightedLayout()
{
    const QList<int> cols = visualColumns();
    QList<int> weights;
    for (int c : cols)
        weights << m_model->column(c).layoutWeight();
    const QList<int> widths = widgets::KolonYerlesimi(width(), weights);
    if (widths.isEmpty())
        return false;
    m_view->setUpdatesEnabled(false);
    for (int i = 0; i < cols.size(); ++i)
        m_header->resizeSection(cols[i], widths[i]);
    m_view->setUpdatesEnabled(true);
    m_footer->update();
    return true;
}

void DataGrid::bestFit()
{
    m_view->setUpdatesEnabled(false);
    for (int c : visualColumns())
        m_view->resizeColumnToContents(c);
    m_view->setUpdatesEnabled(true);
    m_footer->update();
}

void DataGrid::KolonYerlesimi(int screenWidth)
{
    if (isWideLayout(screenWidth) && applyWeightedLayout())
        return;
    bestFit();
}

void DataGrid::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    emit resized();
}

// --- footer and groups -----------------------------------------------------

QList<QPair<int, GridSummary>> DataGrid::resolvedSummaries(const QList<GridSummary> &in) const
{
    QList<QPair<int, GridSummary>> out;
    for (GridSummary s : in) {
        const int col = s.column.isEmpty() ? -1 : modelColumnOf(s.column);
        if (s.field.isEmpty()) {
            const int d = declaredIndexOf(s.column);
            s.field = d >= 0 ? m_columns[d].field : QString();
        }
        out.append({col, s});
    }
    return out;
}

void DataGrid::setSummaries(const QList<GridSummary> &summaries)
{
    m_summaries = summaries;
    markFooterDirty();
}

void DataGrid::setGroupSummaries(const QList<GridSummary> &summaries)
{
    m_groupSummaries = summaries;
    if (m_grouping)
        m_grouping->setSummaries(resolvedSummaries(summaries));
}

void DataGrid::markFooterDirty()
{
    m_footerDirty = true;
    m_footer->relayout();
}

QList<int> DataGrid::visibleRecords() const
{
    QList<int> out;
    if (!m_proxy || !m_model || !m_model->isAttached())
        return out;
    const int rows = m_proxy->rowCount();
    out.reserve(rows);
    if (m_model->columnCount() == 0) {
        for (int r = 0; r < m_model->rowCount(); ++r)
            out.append(r);
        return out;
    }
    for (int r = 0; r < rows; ++r)
        out.append(m_proxy->mapToSource(m_proxy->index(r, 0)).row());
    return out;
}

int DataGrid::visibleRecordCount() const
{
    if (!m_proxy || !m_model)
        return 0;
    return m_model->columnCount() == 0 ? m_model->rowCount() : m_proxy->rowCount();
}

void DataGrid::computeFooter() const
{
    if (!m_footerDirty)
        return;
    m_footerDirty = false;
    m_footerValues.clear();
    if (!m_dataSet || !m_model)
        return;
    const QList<int> records = visibleRecords();
    for (const auto &[col, s] : resolvedSummaries(m_summaries))
        m_footerValues.append(widgets::summaryValue(*m_dataSet, records, s.kind, s.field));
}

QVariant DataGrid::summaryValue(int index) const
{
    computeFooter();
    return m_footerValues.value(index);
}

QStringList DataGrid::footerLines(int modelColumn) const
{
    QStringList lines;
    if (!m_dataSet || !m_model)
        return lines;
    computeFooter();
    const QList<int> visible = visualColumns();
    const int first = visible.isEmpty() ? -1 : visible.first();
    const auto resolved = resolvedSummaries(m_summaries);
    for (int i = 0; i < resolved.size(); ++i) {
        const int col = resolved[i].first;
        const bool here = col == modelColumn || (resolved[i].second.column.isEmpty() && modelColumn == first);
        if (here)
            lines << summaryText(*m_dataSet, resolved[i].second.kind, resolved[i].second.field, m_footerValues.value(i));
    }
    return lines;
}

QString DataGrid::footerText(QStringView columnKey) const
{
    const int c = modelColumnOf(columnKey);
    return c < 0 ? QString() : footerLines(c).join(u'\n');
}

void DataGrid::groupBy(QStringView key)
{
    if (!m_model)
        return;
    const int c = modelColumnOf(key);
    if (c < 0)
        return;
    m_groupKey.clear(); // the grouping model resets twice below; nothing to react to yet
    m_collapsedGroups.clear();
    m_expandedGroups.clear();
    m_collapsedByDefault = false;
    m_grouping->setSummaries(resolvedSummaries(m_groupSummaries));
    m_grouping->setGroupColumn(c);
    m_groupKey = m_model->column(c).key();
    m_view->setModel(m_grouping);
    m_view->setUniformRowHeights(false);
    applyColumnState();
    updateGroupBox();
}

void DataGrid::ungroup()
{
    if (!isGrouped())
        return;
    m_groupKey.clear();
    m_view->setModel(m_proxy);
    m_grouping->setGroupColumn(-1);
    m_view->setRootIsDecorated(false);
    m_view->setUniformRowHeights(true);
    applyColumnState();
    updateGroupBox();
}

void DataGrid::restoreExpansion()
{
    if (!isGrouped())
        return;
    for (int g = 0; g < m_grouping->groupCount(); ++g) {
        const QModelIndex ix = m_grouping->groupIndex(g);
        const QString t = m_grouping->groupText(g);
        const bool open = m_collapsedByDefault ? m_expandedGroups.contains(t) : !m_collapsedGroups.contains(t);
        m_view->setExpanded(ix, open);
    }
}

void DataGrid::expandAll()
{
    m_collapsedByDefault = false;
    m_collapsedGroups.clear();
    m_expandedGroups.clear();
    if (isGrouped())
        m_view->expandAll();
}

void DataGrid::collapseAll()
{
    m_collapsedByDefault = true;
    m_collapsedGroups.clear();
    m_expandedGroups.clear();
    if (isGrouped())
        m_view->collapseAll();
}

void DataGrid::updateGroupBox()
{
    if (isGrouped()) {
        const int d = declaredIndexOf(m_groupKey);
        m_groupLabel->setText(u"Gruplanan sütun:"_s);
        m_groupButton->setText((d >= 0 ? m_columns[d].headerText() : m_groupKey) + u"  \u2715"_s);
        m_groupButton->setToolTip(u"Gruplamayı kaldır"_s);
        m_groupButton->show();
    } else {
        m_groupLabel->setText(u"Gruplamak için sütun başlığına sağ tıklayıp \"Bu Sütuna Göre Grupla\" seçin"_s);
        m_groupButton->hide();
    }
}

// --- filters ---------------------------------------------------------------

void DataGrid::setColumnFilter(QStringView key, const QVariantList &values)
{
    const int c = modelColumnOf(key);
    if (c >= 0)
        m_proxy->setColumnFilter(c, values);
}

QVariantList DataGrid::columnFilter(QStringView key) const
{
    const int c = modelColumnOf(key);
    return c >= 0 ? m_proxy->columnFilter(c) : QVariantList();
}

QList<FilterValue> DataGrid::filterValues(QStringView key) const
{
    const int c = modelColumnOf(key);
    return c >= 0 ? m_proxy->distinctValues(c) : QList<FilterValue>();
}

void DataGrid::clearFilters()
{
    if (m_proxy)
        m_proxy->clearFilters();
}

// --- focus -----------------------------------------------------------------

int DataGrid::focusedRecord() const
{
    const QModelIndex cur = m_view->currentIndex();
    if (!cur.isValid())
        return -1;
    return cur.data(RecordRole).toInt();
}

QString DataGrid::focusedColumn() const
{
    const QModelIndex cur = m_view->currentIndex();
    if (!cur.isValid() || !m_model || cur.column() >= m_model->columnCount())
        return QString();
    return m_model->column(cur.column()).key();
}

QString DataGrid::focusedCaption() const
{
    const int d = declaredIndexOf(focusedColumn());
    return d >= 0 ? m_columns[d].headerText() : QString();
}

QModelIndex DataGrid::viewIndexOfRecord(int record, int column) const
{
    if (!m_model || record < 0 || record >= m_model->rowCount() || column < 0)
        return QModelIndex();
    const QModelIndex flat = m_proxy->mapFromSource(m_model->index(record, column));
    if (!isGrouped() || !flat.isValid())
        return flat;
    for (int g = 0; g < m_grouping->groupCount(); ++g) {
        const int pos = m_grouping->groupRecords(g).indexOf(record);
        if (pos >= 0)
            return m_grouping->index(pos, column, m_grouping->groupIndex(g));
    }
    return QModelIndex();
}

void DataGrid::setFocusedRecord(int record)
{
    const QModelIndex cur = m_view->currentIndex();
    int column = cur.isValid() ? cur.column() : (visualColumns().isEmpty() ? 0 : visualColumns().first());
    const QModelIndex ix = viewIndexOfRecord(record, column);
    if (ix.isValid()) {
        m_view->setCurrentIndex(ix);
        m_view->scrollTo(ix);
    }
}

void DataGrid::setFocusedColumn(QStringView key)
{
    const int c = modelColumnOf(key);
    if (c < 0)
        return;
    const QModelIndex cur = m_view->currentIndex();
    if (cur.isValid())
        m_view->setCurrentIndex(cur.siblingAtColumn(c));
    else if (m_view->model() && m_view->model()->rowCount() > 0)
        m_view->setCurrentIndex(m_view->model()->index(0, c));
}

void DataGrid::onCurrentChanged(const QModelIndex &current, const QModelIndex &)
{
    const int record = current.isValid() ? current.data(RecordRole).toInt() : -1;
    const QString column = focusedColumn();
    if (record != m_lastFocusedRecord) {
        m_lastFocusedRecord = record;
        emit focusedRecordChanged(record);
    }
    if (column != m_lastFocusedColumn) {
        m_lastFocusedColumn = column;
        emit focusedColumnChanged(column);
    }
}

bool DataGrid::toggleCheck(int record, QStringView key)
{
    const int c = modelColumnOf(key);
    if (c < 0 || record < 0 || record >= m_model->rowCount())
        return false;
    return m_model->toggleCheck(m_model->index(record, c));
}

// --- loads -----------------------------------------------------------------

void DataGrid::beginUpdate()
{
    if (m_updateDepth++ == 0) {
        m_view->setUpdatesEnabled(false);
        if (m_model)
            m_model->setAttached(false);
    }
}

void DataGrid::endUpdate()
{
    if (m_updateDepth == 0)
        return;
    if (--m_updateDepth == 0) {
        if (m_model)
            m_model->setAttached(true);
        m_view->setUpdatesEnabled(true);
        markFooterDirty();
    }
}

// --- export ----------------------------------------------------------------

namespace {

QVariant exportValue(const wire::DataSet &ds, const GridColumn &c, int fieldColumn, int record)
{
    if (fieldColumn < 0)
        return c.textOf ? QVariant(c.textOf(ds, record)) : QVariant();
    const QVariant v = ds.value(record, fieldColumn);
    if (!v.isValid())
        return QVariant();
    switch (ds.field(fieldColumn).type) {
    case wire::FieldType::Integer:
    case wire::FieldType::LargeInt:
    case wire::FieldType::Float: return v.toDouble();
    case wire::FieldType::DateTime: return v.toDateTime();
    case wire::FieldType::Blob: return QVariant();
    default: break;
    }
    return ds.displayText(record, fieldColumn);
}

} // namespace

GridTable DataGrid::exportTable() const
{
    GridTable t;
    if (!m_model || !m_dataSet || !m_model->isAttached())
        return t;
    const QList<int> cols = visualColumns();
    for (int c : cols) {
        t.headers << m_model->column(c).headerText();
        t.widths << m_header->sectionSize(c);
        const int f = m_model->fieldColumn(c);
        t.formats << (f >= 0 ? excelNumberFormat(m_dataSet->displayFormat(f)) : QString());
    }
    auto dataRow = [&](int record) {
        QList<QVariant> row;
        for (int c : cols)
            row << exportValue(*m_dataSet, m_model->column(c), m_model->fieldColumn(c), record);
        t.rows << row;
        t.kinds << GridTable::Data;
    };
    // summaries under one column stack up; one export row per level
    auto summaryRows = [&](const QList<QPair<int, GridSummary>> &resolved, const QList<QVariant> &values,
                           GridTable::Kind kind) {
        if (resolved.isEmpty())
            return;
        QList<QList<QVariant>> rows;
        for (int i = 0; i < resolved.size(); ++i) {
            int pos = cols.indexOf(resolved[i].first);
            if (pos < 0 && resolved[i].second.column.isEmpty())
                pos = 0;
            if (pos < 0 || cols.isEmpty())
                continue;
            int level = 0;
            while (level < rows.size() && rows[level][pos].isValid())
                ++level;
            if (level == rows.size())
                rows.append(QList<QVariant>(cols.size()));
            rows[level][pos] = values.value(i);
        }
        for (const auto &r : rows) {
            t.rows << r;
            t.kinds << kind;
        }
    };

    if (isGrouped()) {
        const auto resolved = resolvedSummaries(m_groupSummaries);
        for (int g = 0; g < m_grouping->groupCount(); ++g) {
            QList<QVariant> header(qMax(1, int(cols.size())));
            header[0] = m_grouping->groupText(g);
            t.rows << header;
            t.kinds << GridTable::GroupHeader;
            for (int record : m_grouping->groupRecords(g))
                dataRow(record);
            QList<QVariant> values;
            for (int i = 0; i < resolved.size(); ++i)
                values << m_grouping->groupSummary(g, i);
            summaryRows(resolved, values, GridTable::GroupFooter);
        }
    } else {
        for (int record : visibleRecords())
            dataRow(record);
    }
    computeFooter();
    summaryRows(resolvedSummaries(m_summaries), m_footerValues, GridTable::Footer);
    return t;
}

} // namespace widgets
