#include "groupingmodel.h"

#include "gridfilterproxy.h"
#include "gridsummary.h"

#include "wire/dataset.h"

#include <QHash>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace widgets {

GroupingModel::GroupingModel(QObject *parent)
    : QAbstractItemModel(parent)
{}

void GroupingModel::setSource(QAbstractItemModel *source, const wire::DataSet *dataSet)
{
    beginResetModel();
    for (const auto &c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
    m_source = source;
    m_dataSet = dataSet;
    if (m_source) {
        auto rebuildSlot = [this] { rebuild(); };
        m_connections << connect(m_source, &QAbstractItemModel::modelReset, this, rebuildSlot)
                      << connect(m_source, &QAbstractItemModel::layoutChanged, this, rebuildSlot)
                      << connect(m_source, &QAbstractItemModel::rowsInserted, this, rebuildSlot)
                      << connect(m_source, &QAbstractItemModel::rowsRemoved, this, rebuildSlot)
                      << connect(m_source, &QAbstractItemModel::rowsMoved, this, rebuildSlot)
                      << connect(m_source, &QAbstractItemModel::columnsInserted, this, rebuildSlot)
                      << connect(m_source, &QAbstractItemModel::columnsRemoved, this, rebuildSlot)
                      << connect(m_source, &QAbstractItemModel::dataChanged, this, &GroupingModel::onDataChanged);
    }
    build();
    endResetModel();
}

void GroupingModel::setGroupColumn(int sourceColumn)
{
    beginResetModel();
    m_groupColumn = sourceColumn;
    build();
    endResetModel();
}

void GroupingModel::setSummaries(const QList<QPair<int, GridSummary>> &summaries)
{
    beginResetModel();
    m_summaries = summaries;
    build();
    endResetModel();
}

void GroupingModel::rebuild()
{
    beginResetModel();
    build();
    endResetModel();
}

void GroupingModel::build()
{
    m_groups.clear();
    m_groupOfSourceRow.clear();
    m_posInGroup.clear();
    if (!m_source || m_groupColumn < 0 || m_groupColumn >= m_source->columnCount())
        return;
    const int rows = m_source->rowCount();
    m_groupOfSourceRow.resize(rows);
    m_posInGroup.resize(rows);
    QHash<QString, int> byKey;
    for (int r = 0; r < rows; ++r) {
        const QModelIndex ix = m_source->index(r, m_groupColumn);
        const QVariant key = ix.data(RawValueRole);
        const QString hk = GridFilterProxy::valueKey(key);
        auto it = byKey.find(hk);
        if (it == byKey.end()) {
            it = byKey.insert(hk, int(m_groups.size()));
            m_groups.append(Group{key, filterText(ix), {}, {}, {}});
        }
        Group &g = m_groups[*it];
        g.sourceRows.append(r);
        g.records.append(m_source->index(r, 0).data(RecordRole).toInt());
    }
    std::stable_sort(m_groups.begin(), m_groups.end(), [](const Group &a, const Group &b) { return GridFilterProxy::rawLess(a.key, b.key); });
    for (int g = 0; g < m_groups.size(); ++g) {
        const QList<int> &members = m_groups[g].sourceRows;
        for (int i = 0; i < members.size(); ++i) {
            m_groupOfSourceRow[members[i]] = g;
            m_posInGroup[members[i]] = i;
        }
        computeSummaries(m_groups[g]);
    }
}

void GroupingModel::computeSummaries(Group &g) const
{
    g.summaries.clear();
    if (!m_dataSet)
        return;
    for (const auto &[col, s] : m_summaries)
        g.summaries.append(summaryValue(*m_dataSet, g.records, s.kind, s.field));
}

QString GroupingModel::groupText(int group) const
{
    const QString caption = m_source ? m_source->headerData(m_groupColumn, Qt::Horizontal).toString() : QString();
    return caption + u" : "_s + m_groups.at(group).text;
}

QVariant GroupingModel::groupSummary(int group, int summaryIndex) const
{
    return m_groups.at(group).summaries.value(summaryIndex);
}

RowKind GroupingModel::rowKind(const QModelIndex &index)
{
    if (!index.isValid() || index.internalId() != 0)
        return RowKind::Data;
    return index.row() % 2 == 0 ? RowKind::GroupHeader : RowKind::GroupFooter;
}

QModelIndex GroupingModel::mapToSource(const QModelIndex &index) const
{
    if (!m_source || !index.isValid() || index.internalId() == 0)
        return QModelIndex();
    const Group &g = m_groups.at(int(index.internalId()) - 1);
    return m_source->index(g.sourceRows.at(index.row()), index.column());
}

QModelIndex GroupingModel::index(int row, int column, const QModelIndex &parent) const
{
    if (row < 0 || column < 0 || column >= columnCount())
        return QModelIndex();
    if (!parent.isValid()) {
        if (row >= 2 * m_groups.size())
            return QModelIndex();
        return createIndex(row, column, quintptr(0));
    }
    if (parent.internalId() != 0 || parent.row() % 2 != 0 || parent.column() != 0)
        return QModelIndex();
    const int g = parent.row() / 2;
    if (row >= m_groups.at(g).sourceRows.size())
        return QModelIndex();
    return createIndex(row, column, quintptr(g + 1));
}

QModelIndex GroupingModel::parent(const QModelIndex &child) const
{
    if (!child.isValid() || child.internalId() == 0)
        return QModelIndex();
    return createIndex(int(child.internalId() - 1) * 2, 0, quintptr(0));
}

int GroupingModel::rowCount(const QModelIndex &parent) const
{
    if (!parent.isValid())
        return 2 * int(m_groups.size());
    if (parent.internalId() != 0 || parent.row() % 2 != 0 || parent.column() != 0)
        return 0;
    return int(m_groups.at(parent.row() / 2).sourceRows.size());
}

int GroupingModel::columnCount(const QModelIndex &parent) const
{
    if (!m_source)
        return 0;
    if (parent.isValid() && (parent.internalId() != 0 || parent.row() % 2 != 0))
        return 0;
    return m_source->columnCount();
}

bool GroupingModel::hasChildren(const QModelIndex &parent) const
{
    return rowCount(parent) > 0;
}

QVariant GroupingModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();
    if (index.internalId() != 0)
        return mapToSource(index).data(role);
    const int g = index.row() / 2;
    const bool header = index.row() % 2 == 0;
    switch (role) {
    case RowKindRole: return int(header ? RowKind::GroupHeader : RowKind::GroupFooter);
    case RecordRole: return -1;
    default: break;
    }
    if (header) {
        if (role == Qt::DisplayRole)
            return groupText(g);
        if (role == RawValueRole)
            return m_groups.at(g).key;
        return QVariant();
    }
    if (role == Qt::DisplayRole || role == SummaryTextRole) {
        QStringList lines;
        for (int i = 0; i < m_summaries.size(); ++i) {
            if (m_summaries[i].first == index.column() && m_dataSet)
                lines << summaryText(*m_dataSet, m_summaries[i].second.kind, m_summaries[i].second.field,
                                     m_groups.at(g).summaries.value(i));
        }
        return lines.isEmpty() ? QVariant() : QVariant(lines.join(u'\n'));
    }
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
    return QVariant();
}

QVariant GroupingModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    return m_source ? m_source->headerData(section, orientation, role) : QVariant();
}

Qt::ItemFlags GroupingModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (index.internalId() != 0)
        return m_source->flags(mapToSource(index));
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

bool GroupingModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || index.internalId() == 0 || !m_source)
        return false;
    return m_source->setData(mapToSource(index), value, role);
}

void GroupingModel::sort(int column, Qt::SortOrder order)
{
    if (m_source)
        m_source->sort(column, order); // its layoutChanged rebuilds the groups
}

void GroupingModel::onDataChanged(const QModelIndex &tl, const QModelIndex &br, const QList<int> &roles)
{
    if (!tl.isValid() || tl.parent().isValid())
        return;
    if (tl.column() <= m_groupColumn && m_groupColumn <= br.column()) {
        rebuild();
        return;
    }
    QSet<int> touched;
    for (int r = tl.row(); r <= br.row() && r < m_groupOfSourceRow.size(); ++r) {
        const int g = m_groupOfSourceRow[r];
        const QModelIndex parent = groupIndex(g);
        emit dataChanged(index(m_posInGroup[r], tl.column(), parent), index(m_posInGroup[r], br.column(), parent), roles);
        touched.insert(g);
    }
    for (int g : std::as_const(touched)) {
        computeSummaries(m_groups[g]);
        emit dataChanged(index(2 * g + 1, 0), index(2 * g + 1, columnCount() - 1));
    }
}

} // namespace widgets
