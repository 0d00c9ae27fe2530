#include "gridfilterproxy.h"

#include "gridcolumn.h"

#include <QDateTime>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace widgets {

QString filterText(const QModelIndex &index)
{
    const QVariant shown = index.data(Qt::DisplayRole);
    if (shown.isValid())
        return shown.toString();
    return index.data(RawValueRole).toString();
}

GridFilterProxy::GridFilterProxy(QObject *parent)
    : QSortFilterProxyModel(parent)
{
    setSortRole(RawValueRole);
}

QString GridFilterProxy::valueKey(const QVariant &v)
{
    if (!v.isValid() || v.isNull())
        return u"-"_s;
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Bool: return u"n"_s + QString::number(v.toDouble(), 'g', 17);
    case QMetaType::QDateTime: return u"d"_s + v.toDateTime().toString(Qt::ISODateWithMs);
    case QMetaType::QDate: return u"d"_s + v.toDate().startOfDay().toString(Qt::ISODateWithMs);
    default: break;
    }
    return u"s"_s + v.toString();
}

bool GridFilterProxy::rawLess(const QVariant &a, const QVariant &b)
{
    if (!a.isValid() || !b.isValid())
        return !a.isValid() && b.isValid();
    if (a.typeId() == QMetaType::QString && b.typeId() == QMetaType::QString)
        return QString::localeAwareCompare(a.toString(), b.toString()) < 0;
    return QVariant::compare(a, b) == QPartialOrdering::Less;
}

void GridFilterProxy::setColumnFilter(int sourceColumn, const QVariantList &values)
{
    if (values.isEmpty()) {
        if (!m_filters.remove(sourceColumn))
            return;
    } else {
        Filter f;
        for (const QVariant &v : values) {
            const QString key = valueKey(v);
            if (!f.keys.contains(key)) {
                f.keys.insert(key);
                f.values.append(v);
            }
        }
        m_filters.insert(sourceColumn, f);
    }
    invalidateRowsFilter();
    emit filtersChanged();
}

void GridFilterProxy::clearFilters()
{
    if (m_filters.isEmpty())
        return;
    m_filters.clear();
    invalidateRowsFilter();
    emit filtersChanged();
}

QList<FilterValue> GridFilterProxy::distinctValues(int sourceColumn) const
{
    QAbstractItemModel *src = sourceModel();
    if (!src || sourceColumn < 0 || sourceColumn >= src->columnCount())
        return {};
    QSet<QString> seen;
    QList<FilterValue> out;
    const int rows = src->rowCount();
    for (int r = 0; r < rows; ++r) {
        const QModelIndex ix = src->index(r, sourceColumn);
        const QVariant raw = ix.data(RawValueRole);
        const QString key = valueKey(raw);
        if (seen.contains(key))
            continue;
        seen.insert(key);
        out.append({filterText(ix), raw});
    }
    std::stable_sort(out.begin(), out.end(), [](const FilterValue &a, const FilterValue &b) { return rawLess(a.value, b.value); });
    return out;
}

bool GridFilterProxy::filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const
{
    for (auto it = m_filters.constBegin(); it != m_filters.constEnd(); ++it) {
        const QModelIndex ix = sourceModel()->index(sourceRow, it.key(), sourceParent);
        if (!ix.isValid() || !it.value().keys.contains(valueKey(ix.data(RawValueRole))))
            return false;
    }
    return true;
}

bool GridFilterProxy::lessThan(const QModelIndex &left, const QModelIndex &right) const
{
    return rawLess(left.data(RawValueRole), right.data(RawValueRole));
}

} // namespace widgets
