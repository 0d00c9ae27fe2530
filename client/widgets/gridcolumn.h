#pragma once

#include <QColor>
#include <QHash>
#include <QPixmap>
#include <QString>
#include <QVariant>

#include <functional>

class QPainter;
class QStyleOptionViewItem;

namespace wire {
class DataSet;
}

namespace widgets {

// Roles every grid model answers besides Qt's own.
enum GridRole {
    RawValueRole = Qt::UserRole + 1, // the typed cell value: sorting, filtering, summaries
    RecordRole,                      // the dataset row behind a grid row; -1 for group and footer rows
    RowKindRole,                     // a RowKind
    SummaryTextRole,                 // footer rows: the summaries of a column, one per line
};

enum class RowKind { Data = 0, GroupHeader = 1, GroupFooter = 2 };

enum class Presentation {
    Text,        // the dataset's display text
    Number,      // display text with the field's display format, right aligned
    StatusImage, // a picture chosen by value, no text
    Image,       // a picture chosen by value (e.g. "picture available"), no text
    CheckBox,    // checked/unchecked by value
    Custom,      // drawn by the column's own painter
};

// Everything the custom painter of a cell may need.
struct CellPaintContext
{
    QPainter *painter = nullptr;
    const QStyleOptionViewItem *option = nullptr; // rect, state (selected), palette
    const wire::DataSet *dataSet = nullptr;       // not owned
    int record = -1;                              // dataset row
    QColor background;                            // the row's own background (alternating or selected)
};

using CellPainter = std::function<void(const CellPaintContext &)>;
// Text of a custom cell, for export and incremental search.
using CellText = std::function<QString(const wire::DataSet &, int record)>;

// One column of a grid as a window declares it. Chain the setters:
//   GridColumn(u"SEC"_s).caption(u"Seç"_s).weight(1).checkBox(1, 0).fixed()
struct GridColumn
{
    GridColumn() = default;
    // field may be empty for an unbound (custom) column; give it a caption then
    explicit GridColumn(const QString &fieldName) : field(fieldName) {}

    GridColumn &caption(const QString &text) { m_caption = text; return *this; }
    GridColumn &weight(int w) { m_weight = w; return *this; }
    GridColumn &hidden() { visible = false; return *this; }
    GridColumn &shown(bool on = true) { visible = on; return *this; }
    // never offered in the column chooser
    GridColumn &fixed() { customisable = false; return *this; }
    GridColumn &offered(bool on = true) { customisable = on; return *this; }
    GridColumn &align(Qt::Alignment a) { alignment = a; m_alignSet = true; return *this; }
    GridColumn &wrapped(bool on = true) { wrap = on; return *this; }
    GridColumn &width(int px) { initialWidth = px; return *this; }
    GridColumn &noSearch() { searchable = false; return *this; }
    GridColumn &number() { presentation = Presentation::Number; return *this; }
    GridColumn &statusImages(const QHash<int, QPixmap> &byValue)
    {
        presentation = Presentation::StatusImage;
        images = byValue;
        return *this;
    }
    GridColumn &image(const QHash<int, QPixmap> &byValue)
    {
        presentation = Presentation::Image;
        images = byValue;
        return *this;
    }
    GridColumn &checkBox(const QVariant &checked, const QVariant &unchecked)
    {
        presentation = Presentation::CheckBox;
        checkedValue = checked;
        uncheckedValue = unchecked;
        return *this;
    }
    GridColumn &custom(CellPainter painter, CellText text = {})
    {
        presentation = Presentation::Custom;
        paint = std::move(painter);
        textOf = std::move(text);
        return *this;
    }

    // the caption shown in the header: the field name where none was given
    QString headerText() const { return m_caption.isEmpty() ? field : m_caption; }
    // what windows look a column up by: the field, or the caption of an unbound column
    QString key() const { return field.isEmpty() ? m_caption : field; }
    int layoutWeight() const { return m_weight; }
    Qt::Alignment effectiveAlignment(bool numeric) const;

    QString field;
    bool visible = true;
    bool customisable = true;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    bool wrap = false;
    bool searchable = true;
    int initialWidth = 0; // 0: keep the view's default
    Presentation presentation = Presentation::Text;
    QHash<int, QPixmap> images;
    QVariant checkedValue = 1;
    QVariant uncheckedValue = 0;
    CellPainter paint;
    CellText textOf;

private:
    QString m_caption;
    int m_weight = 1;
    bool m_alignSet = false;
};

enum class SummaryKind { Count, Sum, Average };

// A footer summary shown under the column `column` (a column key), over the
// field `field` (the column's own field when empty).
struct GridSummary
{
    QString column;
    SummaryKind kind = SummaryKind::Count;
    QString field;

    static GridSummary count(const QString &column) { return {column, SummaryKind::Count, {}}; }
    static GridSummary sum(const QString &column) { return {column, SummaryKind::Sum, {}}; }
    static GridSummary average(const QString &column) { return {column, SummaryKind::Average, {}}; }
};

} // namespace widgets
