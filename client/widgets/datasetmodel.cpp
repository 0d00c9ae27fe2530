#include "datasetmodel.h"

#include "wire/dataset.h"
#include "wire/wireerror.h"

namespace widgets {

DataSetModel::DataSetModel(wire::DataSet *dataSet, QList<GridColumn> columns, QObject *parent)
    : QAbstractTableModel(parent)
    , m_dataSet(dataSet)
    , m_declared(std::move(columns))
{
    rebind();
    connect(m_dataSet, &wire::DataSet::reset, this, &DataSetModel::onReset);
    connect(m_dataSet, &wire::DataSet::valueChanged, this, &DataSetModel::onValueChanged);
}

void DataSetModel::rebind()
{
    m_present.clear();
    if (!m_attached) {
        m_rows = 0;
        return;
    }
    for (int i = 0; i < m_declared.size(); ++i) {
        const GridColumn &c = m_declared.at(i);
        if (c.field.isEmpty()) {
            m_present.push_back({i, -1, false});
            continue;
        }
        const int f = m_dataSet->fieldIndex(c.field);
        if (f < 0)
            continue;
        const wire::FieldType t = m_dataSet->field(f).type;
        const bool numeric = t == wire::FieldType::Integer || t == wire::FieldType::LargeInt
                             || t == wire::FieldType::Float;
        m_present.push_back({i, f, numeric});
    }
    m_rows = m_dataSet->recordCount();
}

void DataSetModel::onReset()
{
    if (!m_attached)
        return;
    beginResetModel();
    rebind();
    endResetModel();
}

void DataSetModel::setAttached(bool attached)
{
    if (attached == m_attached)
        return;
    beginResetModel();
    m_attached = attached;
    rebind();
    endResetModel();
}

void DataSetModel::onValueChanged(int row, int col)
{
    if (!m_attached || row < 0 || row >= m_rows)
        return;
    for (int i = 0; i < int(m_present.size()); ++i) {
        // an unbound column may be drawn from any field of its row
        if (m_present[i].field == col || m_present[i].field < 0) {
            const QModelIndex ix = index(row, i);
            emit dataChanged(ix, ix);
        }
    }
}

int DataSetModel::modelColumn(int declaredIndex) const
{
    for (int i = 0; i < int(m_present.size()); ++i) {
        if (m_present[i].declared == declaredIndex)
            return i;
    }
    return -1;
}

int DataSetModel::modelColumn(QStringView key) const
{
    for (int i = 0; i < int(m_present.size()); ++i) {
        if (m_declared.at(m_present[i].declared).key().compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int DataSetModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int DataSetModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_present.size());
}

bool DataSetModel::isChecked(const QVariant &v, const GridColumn &c) const
{
    if (!v.isValid())
        return false;
    if (v.toString() == c.checkedValue.toString())
        return true;
    bool a = false, b = false;
    const double dv = v.toDouble(&a), dc = c.checkedValue.toDouble(&b);
    return a && b && dv == dc;
}

QVariant DataSetModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return QVariant();
    const int row = index.row();
    // a load may have shrunk the dataset before its reset reached us
    if (row >= m_dataSet->recordCount())
        return QVariant();
    const Present &p = m_present[index.column()];
    const GridColumn &c = m_declared.at(p.declared);

    switch (role) {
    case Qt::DisplayRole:
        switch (c.presentation) {
        case Presentation::Text:
        case Presentation::Number: return p.field >= 0 ? m_dataSet->displayText(row, p.field) : QString();
        case Presentation::Custom: return c.textOf ? c.textOf(*m_dataSet, row) : QString();
        default: return QVariant();
        }
    case RawValueRole:
        if (p.field >= 0)
            return m_dataSet->value(row, p.field);
        return c.textOf ? QVariant(c.textOf(*m_dataSet, row)) : QVariant();
    case RecordRole: return row;
    case RowKindRole: return int(RowKind::Data);
    case Qt::DecorationRole:
        if ((c.presentation == Presentation::StatusImage || c.presentation == Presentation::Image) && p.field >= 0) {
            const QVariant v = m_dataSet->value(row, p.field);
            bool ok = false;
            const int key = v.toInt(&ok);
            if (ok) {
                const auto it = c.images.constFind(key);
                if (it != c.images.constEnd())
                    return *it;
            }
        }
        return QVariant();
    case Qt::CheckStateRole:
        if (c.presentation == Presentation::CheckBox && p.field >= 0)
            return isChecked(m_dataSet->value(row, p.field), c) ? Qt::Checked : Qt::Unchecked;
        return QVariant();
    case Qt::TextAlignmentRole: return QVariant::fromValue(c.effectiveAlignment(p.numeric));
    default: return QVariant();
    }
}

QVariant DataSetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= int(m_present.size()))
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return column(section).headerText();
    return QVariant();
}

Qt::ItemFlags DataSetModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (m_checksEditable && column(index.column()).presentation == Presentation::CheckBox)
        f |= Qt::ItemIsUserCheckable;
    return f;
}

bool DataSetModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::CheckStateRole || !index.isValid() || index.model() != this)
        return false;
    const bool wantChecked = value.toInt() == Qt::Checked;
    const QVariant current = data(index, Qt::CheckStateRole);
    if (!current.isValid())
        return false;
    if ((current.toInt() == Qt::Checked) == wantChecked)
        return true;
    return toggleCheck(index);
}

bool DataSetModel::toggleCheck(const QModelIndex &index)
{
    if (!index.isValid() || index.model() != this || index.row() >= m_dataSet->recordCount())
        return false;
    const Present &p = m_present[index.column()];
    const GridColumn &c = m_declared.at(p.declared);
    if (c.presentation != Presentation::CheckBox || p.field < 0)
        return false;
    const QVariant next = isChecked(m_dataSet->value(index.row(), p.field), c) ? c.uncheckedValue : c.checkedValue;
    try {
        m_dataSet->post(index.row(), p.field, next);
    } catch (const wire::WireError &) {
        return false; // the value does not fit the field; the cell stays as it was
    }
    emit checkToggled(index.row(), c.field, next);
    return true;
}

} // namespace widgets
