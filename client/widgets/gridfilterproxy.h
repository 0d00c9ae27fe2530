#pragma once

#include <QHash>
#include <QSet>
#include <QSortFilterProxyModel>
#include <QVariantList>

namespace widgets {

// One entry of a header filter's value list: the text shown and the raw
// value it stands for.
struct FilterValue
{
    QString text;
    QVariant value;
};

// The header filters of a grid: per column, the raw values a row must hold
// to stay visible. Filtering hides rows of the view only; the dataset keeps
// every record. Sorting and filtering compare raw values, never texts.
class GridFilterProxy : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    explicit GridFilterProxy(QObject *parent = nullptr);

    // rows stay whose raw value in sourceColumn is one of values (an
    // invalid QVariant stands for an empty cell); an empty list removes
    // that column's filter
    void setColumnFilter(int sourceColumn, const QVariantList &values);
    QVariantList columnFilter(int sourceColumn) const { return m_filters.value(sourceColumn).values; }
    bool hasFilter() const { return !m_filters.isEmpty(); }
    QList<int> filteredColumns() const { return m_filters.keys(); }
    void clearFilters();

    // the distinct values of a source column in sort order, for the list
    QList<FilterValue> distinctValues(int sourceColumn) const;

    // raw values that count as equal give the same key (2 and 2.0 do)
    static QString valueKey(const QVariant &value);
    // the order of raw values: empty first, texts by the locale
    static bool rawLess(const QVariant &a, const QVariant &b);

signals:
    void filtersChanged();

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;

private:
    struct Filter
    {
        QVariantList values;
        QSet<QString> keys;
    };
    QHash<int, Filter> m_filters;
};

// the text a row shows in a cell: the display text, or the raw value for
// picture and check-box columns, which show none
QString filterText(const QModelIndex &index);

} // namespace widgets
