#include "gridsummary.h"

#include "wire/dataset.h"
#include "wire/decimal.h"

namespace widgets {

Qt::Alignment GridColumn::effectiveAlignment(bool numeric) const
{
    if (m_alignSet)
        return alignment;
    switch (presentation) {
    case Presentation::StatusImage:
    case Presentation::Image:
    case Presentation::CheckBox: return Qt::AlignCenter;
    case Presentation::Number: return Qt::AlignRight | Qt::AlignVCenter;
    default: break;
    }
    return numeric ? (Qt::AlignRight | Qt::AlignVCenter) : alignment;
}

QVariant summaryValue(const wire::DataSet &dataSet, const QList<int> &records, SummaryKind kind,
                      const QString &field)
{
    if (kind == SummaryKind::Count)
        return int(records.size());
    const int col = dataSet.fieldIndex(field);
    if (col < 0)
        return kind == SummaryKind::Sum ? QVariant(0.0) : QVariant();
    double total = 0;
    int n = 0;
    for (int record : records) {
        const QVariant v = dataSet.value(record, col);
        if (!v.isValid())
            continue;
        bool ok = false;
        const double d = v.toDouble(&ok);
        if (!ok)
            continue;
        total += d;
        ++n;
    }
    if (kind == SummaryKind::Sum)
        return total;
    if (n == 0)
        return QVariant();
    return total / n;
}

QString summaryText(const wire::DataSet &dataSet, SummaryKind kind, const QString &field,
                    const QVariant &value)
{
    if (!value.isValid())
        return QString();
    if (kind == SummaryKind::Count)
        return QString::number(value.toLongLong());
    const int col = dataSet.fieldIndex(field);
    const double d = value.toDouble();
    if (col >= 0) {
        const QString pattern = dataSet.displayFormat(col);
        if (!pattern.isEmpty())
            return wire::formatFloat(d, pattern, dataSet.locale());
    }
    return dataSet.locale().toString(d, 'g', 15);
}

} // namespace widgets
