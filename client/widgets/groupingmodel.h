#pragma once

#include "gridcolumn.h"

#include <QAbstractItemModel>
#include <QList>
#include <QPersistentModelIndex>
#include <QPointer>

namespace wire {
class DataSet;
}

namespace widgets {

// Groups the rows of a flat source model by the raw values of one column.
// The top level holds, per group in ascending key order, a group row
// (whose children are the group's data rows) followed by the group's
// footer row, so a collapsed group still shows its footer. Data rows keep
// the source's order inside their group.
//
// Any structural change of the source (reset, filter, sort) rebuilds the
// groups; a value change is passed on, or rebuilds when it moves a row to
// another group.
class GroupingModel : public QAbstractItemModel
{
    Q_OBJECT

public:
    explicit GroupingModel(QObject *parent = nullptr);

    // source rows answer RecordRole with their dataset row
    void setSource(QAbstractItemModel *source, const wire::DataSet *dataSet);
    QAbstractItemModel *source() const { return m_source; }
    void setGroupColumn(int sourceColumn);
    int groupColumn() const { return m_groupColumn; }
    // summaries per source column, shown in every group footer
    void setSummaries(const QList<QPair<int, GridSummary>> &summaries);

    int groupCount() const { return int(m_groups.size()); }
    QVariant groupKey(int group) const { return m_groups.at(group).key; }
    QString groupText(int group) const;
    const QList<int> &groupRecords(int group) const { return m_groups.at(group).records; }
    QVariant groupSummary(int group, int summaryIndex) const;
    QModelIndex groupIndex(int group) const { return createIndex(group * 2, 0, quintptr(0)); }

    QModelIndex mapToSource(const QModelIndex &index) const;
    static RowKind rowKind(const QModelIndex &index);

    QModelIndex index(int row, int column, const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    bool hasChildren(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    struct Group
    {
        QVariant key;
        QString text;
        QList<int> sourceRows;
        QList<int> records;
        QList<QVariant> summaries;
    };

    void rebuild();
    void build();
    void computeSummaries(Group &g) const;
    void onDataChanged(const QModelIndex &tl, const QModelIndex &br, const QList<int> &roles);

    QPointer<QAbstractItemModel> m_source;
    const wire::DataSet *m_dataSet = nullptr; // not owned
    int m_groupColumn = -1;
    QList<QPair<int, GridSummary>> m_summaries;
    QList<Group> m_groups;
    QList<int> m_groupOfSourceRow; // source row -> group
    QList<int> m_posInGroup;       // source row -> row inside its group
    QList<QMetaObject::Connection> m_connections;
};

} // namespace widgets
