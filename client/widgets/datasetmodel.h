#pragma once

#include "gridcolumn.h"

#include <QAbstractTableModel>
#include <QList>

#include <vector>

namespace wire {
class DataSet;
}

namespace widgets {

// A table model over a dataset with the declared columns. Cells are read
// from the dataset when asked for; nothing is copied per row. A declared
// column whose field the dataset lacks is left out; columns are matched
// again after every reset, since each load may bring other fields.
//
// The model follows the dataset's signals (reset, valueChanged), which the
// dataset holds back while its controls are disabled. While detached the
// model is empty and never touches the dataset, so a load may replace its
// content meanwhile.
class DataSetModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    DataSetModel(wire::DataSet *dataSet, QList<GridColumn> columns, QObject *parent = nullptr);

    wire::DataSet *dataSet() const { return m_dataSet; } // not owned
    const QList<GridColumn> &declaredColumns() const { return m_declared; }

    // model column -> index into declaredColumns(), and back (-1 when absent)
    int declaredIndex(int modelColumn) const { return m_present.at(modelColumn).declared; }
    int modelColumn(int declaredIndex) const;
    int modelColumn(QStringView key) const;
    const GridColumn &column(int modelColumn) const { return m_declared.at(declaredIndex(modelColumn)); }
    // dataset field of a model column; -1 for an unbound column
    int fieldColumn(int modelColumn) const { return m_present.at(modelColumn).field; }

    void setAttached(bool attached);
    bool isAttached() const { return m_attached; }
    // clicking a check box toggles it (off in read-only grids)
    void setChecksEditable(bool on) { m_checksEditable = on; }

    // writes the other of the column's two values into the dataset (a
    // local post) and announces it with checkToggled; false when the cell
    // is no check box
    bool toggleCheck(const QModelIndex &index);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

signals:
    // a check box was toggled: the record, the field and the value written
    void checkToggled(int record, const QString &field, const QVariant &value);

private:
    struct Present
    {
        int declared;
        int field; // dataset column, -1 for an unbound column
        bool numeric;
    };

    void rebind();
    void onReset();
    void onValueChanged(int row, int col);
    bool isChecked(const QVariant &v, const GridColumn &c) const;

    wire::DataSet *m_dataSet;
    QList<GridColumn> m_declared;
    std::vector<Present> m_present;
    int m_rows = 0;
    bool m_attached = true;
    bool m_checksEditable = false;
};

} // namespace widgets
