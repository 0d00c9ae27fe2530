#include "gridparts.h"

#include "datagrid.h"
#include "datasetmodel.h"
#include "gridfilterproxy.h"
#include "groupingmodel.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>

namespace widgets {

namespace {

RowKind kindOf(const QModelIndex &index)
{
    return RowKind(index.data(RowKindRole).toInt());
}

} // namespace

// --- GridDelegate ---------------------------------------------------------

GridDelegate::GridDelegate(DataGrid *grid, QObject *parent)
    : QStyledItemDelegate(parent)
    , m_grid(grid)
{}

QColor GridDelegate::rowBackground(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    if (option.state & QStyle::State_Selected)
        return option.palette.color(QPalette::Highlight);
    const int record = index.data(RecordRole).toInt();
    return record % 2 == 0 ? option.palette.color(QPalette::Base) : option.palette.color(QPalette::AlternateBase);
}

void GridDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const RowKind kind = kindOf(index);
    if (kind == RowKind::GroupHeader) {
        painter->save();
        painter->fillRect(option.rect, QColor(0xE2, 0xE7, 0xEE));
        QFont f = option.font;
        f.setBold(true);
        painter->setFont(f);
        painter->setPen(QColor(0x20, 0x20, 0x20));
        painter->drawText(option.rect.adjusted(4, 0, -4, 0), Qt::AlignLeft | Qt::AlignVCenter,
                          index.data(Qt::DisplayRole).toString());
        painter->restore();
        return;
    }
    if (kind == RowKind::GroupFooter) {
        painter->save();
        painter->fillRect(option.rect, QColor(0xF3, 0xF0, 0xDA));
        painter->setPen(QColor(0xC8, 0xC4, 0xA8));
        painter->drawLine(option.rect.topLeft(), option.rect.topRight());
        painter->setPen(QColor(0x20, 0x20, 0x20));
        painter->drawText(option.rect.adjusted(4, 0, -4, 0), Qt::AlignRight | Qt::AlignVCenter,
                          index.data(SummaryTextRole).toString());
        painter->restore();
        return;
    }

    DataSetModel *model = m_grid->model();
    if (!model || index.column() >= model->columnCount()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    const GridColumn &c = model->column(index.column());
    QStyleOptionViewItem opt(option);
    initStyleOption(&opt, index);
    // the indicator strip covers the left edge of the leftmost column
    if (const auto *view = qobject_cast<const QTreeView *>(opt.widget)) {
        const auto *gridView = static_cast<const GridView *>(view);
        if (gridView->indicatorWidth() > 0) {
            const QHeaderView *h = view->header();
            int first = -1;
            for (int v = 0; v < h->count() && first < 0; ++v) {
                if (!h->isSectionHidden(h->logicalIndex(v)))
                    first = h->logicalIndex(v);
            }
            if (index.column() == first && opt.rect.left() <= gridView->indicatorWidth())
                opt.rect.setLeft(opt.rect.left() + gridView->indicatorWidth());
        }
    }
    QStyle *style = opt.widget ? opt.widget->style() : QApplication::style();

    auto drawPlainBackground = [&] {
        QStyleOptionViewItem bg(opt);
        bg.text.clear();
        bg.icon = QIcon();
        bg.features &= ~(QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDecoration
                         | QStyleOptionViewItem::HasDisplay);
        style->drawControl(QStyle::CE_ItemViewItem, &bg, painter, opt.widget);
    };

    switch (c.presentation) {
    case Presentation::CheckBox: {
        drawPlainBackground();
        QStyleOptionButton box;
        const int side = style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, opt.widget);
        box.rect = QRect(0, 0, side, side);
        box.rect.moveCenter(opt.rect.center());
        box.state = QStyle::State_Enabled
                    | (index.data(Qt::CheckStateRole).toInt() == Qt::Checked ? QStyle::State_On : QStyle::State_Off);
        style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, painter, opt.widget);
        return;
    }
    case Presentation::StatusImage:
    case Presentation::Image: {
        drawPlainBackground();
        const QVariant deco = index.data(Qt::DecorationRole);
        QPixmap pm = deco.value<QPixmap>();
        if (pm.isNull() && deco.canConvert<QIcon>())
            pm = deco.value<QIcon>().pixmap(24, 24);
        if (!pm.isNull()) {
            const QSize room = opt.rect.size() - QSize(2, 2);
            if (pm.width() > room.width() || pm.height() > room.height())
                pm = pm.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation);
            QRect target(QPoint(0, 0), pm.size());
            target.moveCenter(opt.rect.center());
            painter->drawPixmap(target, pm);
        }
        return;
    }
    case Presentation::Custom:
        if (c.paint) {
            CellPaintContext ctx;
            ctx.painter = painter;
            ctx.option = &opt;
            ctx.dataSet = model->dataSet();
            ctx.record = index.data(RecordRole).toInt();
            ctx.background = rowBackground(opt, index);
            painter->save();
            painter->fillRect(opt.rect, ctx.background);
            c.paint(ctx);
            painter->restore();
            return;
        }
        break;
    default: break;
    }
    if (c.wrap)
        opt.features |= QStyleOptionViewItem::WrapText;
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);
}

QSize GridDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QSize s = QStyledItemDelegate::sizeHint(option, index);
    const RowKind kind = kindOf(index);
    if (kind == RowKind::GroupFooter) {
        const int lines = qMax(1, int(index.data(SummaryTextRole).toString().count(u'\n')) + 1);
        s.setHeight(qMax(s.height(), lines * option.fontMetrics.height() + 8));
        return s;
    }
    if (kind == RowKind::GroupHeader) {
        s.setHeight(qMax(m_rowHeight > 0 ? qMin(m_rowHeight, 32) : 0, option.fontMetrics.height() + 10));
        return s;
    }
    if (m_rowHeight > 0)
        s.setHeight(m_rowHeight);
    return s;
}

bool GridDelegate::editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                               const QModelIndex &index)
{
    if (!m_checksEditable || event->type() != QEvent::MouseButtonRelease || kindOf(index) != RowKind::Data)
        return QStyledItemDelegate::editorEvent(event, model, option, index);
    auto *me = static_cast<QMouseEvent *>(event);
    if (me->button() != Qt::LeftButton || !option.rect.contains(me->position().toPoint())
        || !(model->flags(index) & Qt::ItemIsUserCheckable))
        return QStyledItemDelegate::editorEvent(event, model, option, index);
    const bool checked = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
    return model->setData(index, checked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
}

// --- GridHeader -----------------------------------------------------------

GridHeader::GridHeader(DataGrid *grid, QWidget *parent)
    : QHeaderView(Qt::Horizontal, parent)
    , m_grid(grid)
{
    setSectionsClickable(true);
    setHighlightSections(false);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setDefaultAlignment(Qt::AlignCenter);
    setStretchLastSection(false);
}

void GridHeader::setFilterButtons(bool on)
{
    m_filterButtons = on;
    viewport()->update();
}

void GridHeader::setFixedSectionHeight(int px)
{
    m_height = px;
    if (px > 0)
        setFixedHeight(px);
    else {
        setMinimumHeight(0);
        setMaximumHeight(QWIDGETSIZE_MAX);
    }
    updateGeometry();
}

QSize GridHeader::sizeHint() const
{
    QSize s = QHeaderView::sizeHint();
    if (m_height > 0)
        s.setHeight(m_height);
    return s;
}

QRect GridHeader::filterButtonRect(int logical) const
{
    const int x = sectionViewportPosition(logical);
    const int w = sectionSize(logical);
    const int side = 12;
    return QRect(x + w - side - 4, (height() - side) / 2, side, side);
}

void GridHeader::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    // the style leaves the painter clipped to nothing; keep our own state
    painter->save();
    QHeaderView::paintSection(painter, rect, logicalIndex);
    painter->restore();
    if (!m_filterButtons || rect.width() < 24)
        return;
    const QRect b = filterButtonRect(logicalIndex).translated(rect.x() - sectionViewportPosition(logicalIndex), 0);
    const bool active = m_grid->filterProxy() && !m_grid->filterProxy()->columnFilter(logicalIndex).isEmpty();
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QColor(0x80, 0x80, 0x80));
    painter->setBrush(active ? QColor(0xFF, 0xC8, 0x00) : QColor(0xF4, 0xF4, 0xF4));
    painter->drawRoundedRect(b, 2, 2);
    QPainterPath tri;
    tri.moveTo(b.left() + 3, b.top() + 4);
    tri.lineTo(b.right() - 2, b.top() + 4);
    tri.lineTo(b.center().x() + 0.5, b.bottom() - 3);
    tri.closeSubpath();
    painter->fillPath(tri, QColor(0x30, 0x30, 0x30));
    painter->restore();
}

void GridHeader::mousePressEvent(QMouseEvent *event)
{
    if (m_filterButtons && event->button() == Qt::LeftButton) {
        const QPoint pos = event->position().toPoint();
        const int logical = logicalIndexAt(pos);
        if (logical >= 0 && filterButtonRect(logical).contains(pos)) {
            m_swallowRelease = true;
            m_grid->showFilterMenu(logical, mapToGlobal(pos));
            return;
        }
    }
    QHeaderView::mousePressEvent(event);
}

void GridHeader::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_swallowRelease) {
        m_swallowRelease = false;
        return;
    }
    QHeaderView::mouseReleaseEvent(event);
}

// --- GridView -------------------------------------------------------------

GridView::GridView(DataGrid *grid)
    : QTreeView(grid)
    , m_grid(grid)
{
    setUniformRowHeights(true);
    setRootIsDecorated(false);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAlternatingRowColors(true);
    setItemsExpandable(true);
    setExpandsOnDoubleClick(true);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
}

void GridView::setIndicatorWidth(int px)
{
    m_indicatorWidth = qMax(0, px);
    viewport()->update();
}

void GridView::setIndicatorColour(const QColor &colour)
{
    m_indicatorColour = colour;
    viewport()->update();
}

void GridView::setGridLineColour(const QColor &colour)
{
    m_gridLine = colour;
    viewport()->update();
}

void GridView::scrollContentsBy(int dx, int dy)
{
    QTreeView::scrollContentsBy(dx, dy);
    if (dx != 0)
        m_grid->markFooterDirty(); // the footer follows the columns
}

void GridView::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTreeView::currentChanged(current, previous);
    // the indicator marks the focused row
    if (m_indicatorWidth > 0)
        viewport()->update();
    m_grid->onCurrentChanged(current, previous);
}

QRect GridView::groupToggleRect(const QRect &row) const
{
    return QRect(row.left() + m_indicatorWidth + 4, row.top(), 16, row.height());
}

void GridView::drawRow(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QRect row(0, option.rect.top(), viewport()->width(), option.rect.height());
    if (RowKind(index.data(RowKindRole).toInt()) == RowKind::GroupHeader) {
        // one band across every column: arrow, then "caption : value"
        painter->save();
        painter->fillRect(row, QColor(0xE2, 0xE7, 0xEE));
        painter->setPen(QColor(0xB8, 0xC0, 0xCC));
        painter->drawLine(row.bottomLeft(), row.bottomRight());
        const QRect arrow = groupToggleRect(row);
        const QPointF c = QRectF(arrow).center();
        QPainterPath tri;
        if (isExpanded(index)) {
            tri.moveTo(c.x() - 5, c.y() - 3);
            tri.lineTo(c.x() + 5, c.y() - 3);
            tri.lineTo(c.x(), c.y() + 3);
        } else {
            tri.moveTo(c.x() - 3, c.y() - 5);
            tri.lineTo(c.x() + 3, c.y());
            tri.lineTo(c.x() - 3, c.y() + 5);
        }
        tri.closeSubpath();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->fillPath(tri, QColor(0x30, 0x30, 0x30));
        QFont f = option.font;
        f.setBold(true);
        painter->setFont(f);
        painter->setPen(QColor(0x20, 0x20, 0x20));
        painter->drawText(row.adjusted(arrow.right() + 6, 0, -4, 0), Qt::AlignLeft | Qt::AlignVCenter,
                          index.data(Qt::DisplayRole).toString());
        painter->restore();
    } else {
        QTreeView::drawRow(painter, option, index);
        if (m_gridLine.isValid()) {
            painter->save();
            painter->setPen(m_gridLine);
            painter->drawLine(row.bottomLeft(), row.bottomRight());
            const QHeaderView *h = header();
            for (int v = 0; v < h->count(); ++v) {
                const int logical = h->logicalIndex(v);
                if (h->isSectionHidden(logical))
                    continue;
                const int x = h->sectionViewportPosition(logical) + h->sectionSize(logical) - 1;
                painter->drawLine(x, row.top(), x, row.bottom());
            }
            painter->restore();
        }
    }
    if (m_indicatorWidth > 0) {
        const QRect strip(0, row.top(), m_indicatorWidth, row.height());
        painter->fillRect(strip, m_indicatorColour);
        if (currentIndex().isValid() && currentIndex().row() == index.row() && currentIndex().parent() == index.parent())
            painter->fillRect(strip.adjusted(1, 2, -1, -2), QColor(0xF0, 0xF0, 0xF0));
    }
}

void GridView::mousePressEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    const QModelIndex ix = indexAt(pos);
    if (ix.isValid() && event->button() == Qt::LeftButton
        && RowKind(ix.data(RowKindRole).toInt()) == RowKind::GroupHeader) {
        const QRect r = visualRect(ix);
        if (groupToggleRect(QRect(0, r.top(), viewport()->width(), r.height())).contains(pos)) {
            setExpanded(ix, !isExpanded(ix));
            return;
        }
    }
    QTreeView::mousePressEvent(event);
}

void GridView::keyboardSearch(const QString &search)
{
    if (!m_grid->incrementalSearch() || search.isEmpty() || !model() || !m_grid->model())
        return;
    if (!m_searchTimer.isValid() || m_searchTimer.elapsed() > QApplication::keyboardInputInterval())
        m_searchText.clear();
    m_searchTimer.restart();
    m_searchText += search;

    QModelIndex cur = currentIndex();
    int column = cur.isValid() ? cur.column() : header()->logicalIndexAt(0);
    if (column < 0 || column >= m_grid->model()->columnCount())
        return;
    if (!m_grid->model()->column(column).searchable)
        return;

    // the data rows in the order shown
    QList<QModelIndex> grouped;
    const bool isGrouped = m_grid->isGrouped();
    int count = 0;
    if (isGrouped) {
        for (int top = 0; top < model()->rowCount(); top += 2) {
            const QModelIndex parent = model()->index(top, 0);
            for (int r = 0; r < model()->rowCount(parent); ++r)
                grouped.append(model()->index(r, column, parent));
        }
        count = int(grouped.size());
    } else {
        count = model()->rowCount();
    }
    if (count == 0)
        return;
    auto at = [&](int pos) { return isGrouped ? grouped.at(pos) : model()->index(pos, column); };
    int start = 0;
    if (cur.isValid() && RowKind(cur.data(RowKindRole).toInt()) == RowKind::Data) {
        if (isGrouped) {
            for (int i = 0; i < count; ++i) {
                if (grouped[i].row() == cur.row() && grouped[i].parent() == cur.parent()) {
                    start = i;
                    break;
                }
            }
        } else {
            start = cur.row();
        }
    }
    const QLocale tr(QLocale::Turkish, QLocale::Turkey);
    const QString wanted = tr.toUpper(m_searchText);
    for (int i = 0; i < count; ++i) {
        const QModelIndex ix = at((start + i) % count);
        if (tr.toUpper(filterText(ix)).startsWith(wanted)) {
            setCurrentIndex(ix);
            scrollTo(ix);
            return;
        }
    }
}

// --- GridFooter -----------------------------------------------------------

GridFooter::GridFooter(DataGrid *grid, QTreeView *view, QWidget *parent)
    : QWidget(parent)
    , m_grid(grid)
    , m_view(view)
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

int GridFooter::lineCount() const
{
    int lines = 1;
    const int n = m_view->header()->count();
    for (int c = 0; c < n; ++c)
        lines = qMax(lines, int(m_grid->footerLines(c).size()));
    return lines;
}

QSize GridFooter::sizeHint() const
{
    return QSize(100, lineCount() * (fontMetrics().height() + 2) + 10);
}

void GridFooter::relayout()
{
    updateGeometry();
    update();
}

void GridFooter::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(0xEC, 0xEC, 0xEC));
    p.setPen(QColor(0xC0, 0xC0, 0xC0));
    p.drawLine(rect().topLeft(), rect().topRight());
    const QHeaderView *h = m_view->header();
    const QRect vp = m_view->viewport()->geometry().translated(m_view->geometry().topLeft());
    p.setClipRect(QRect(vp.left(), 0, vp.width(), height()));
    const int lineHeight = fontMetrics().height() + 2;
    for (int logical = 0; logical < h->count(); ++logical) {
        if (h->isSectionHidden(logical))
            continue;
        const QStringList lines = m_grid->footerLines(logical);
        if (lines.isEmpty())
            continue;
        const int x = vp.left() + h->sectionViewportPosition(logical);
        const QRect cell(x + 2, 5, h->sectionSize(logical) - 4, height() - 10);
        p.setPen(QColor(0xB0, 0xB0, 0xB0));
        p.drawRect(cell.adjusted(0, 0, -1, -1));
        p.setPen(QColor(0x10, 0x10, 0x10));
        for (int i = 0; i < lines.size(); ++i)
            p.drawText(QRect(cell.left() + 3, cell.top() + i * lineHeight, cell.width() - 6, lineHeight),
                       Qt::AlignRight | Qt::AlignVCenter, lines.at(i));
    }
}

} // namespace widgets
