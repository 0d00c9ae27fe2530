#pragma once

#include "gridcolumn.h"

#include <QList>
#include <QString>
#include <QVariant>

namespace wire {
class DataSet;
}

namespace widgets {

// The value of one summary over the given dataset rows: Count gives the
// number of rows (an int), Sum the total of the non-null values (0 without
// any), Average their mean (an invalid QVariant without any value).
QVariant summaryValue(const wire::DataSet &dataSet, const QList<int> &records, SummaryKind kind,
                      const QString &field);

// The text a footer shows for a summary value: counts as whole numbers,
// sums and averages with the field's display format where it has one.
QString summaryText(const wire::DataSet &dataSet, SummaryKind kind, const QString &field,
                    const QVariant &value);

} // namespace widgets
