#include "dataset.h"

#include "decimal.h"
#include "wireerror.h"

using namespace Qt::StringLiterals;

namespace wire {

DataSet::DataSet(QObject *parent)
    : QObject(parent)
{}

void DataSet::setTable(Table table)
{
    m_table = std::move(table);
    m_edits.clear();
    m_formats.clear();
    m_active = true;
    m_cursor = m_table.rowCount() > 0 ? 0 : -1;
    m_atEof = m_table.rowCount() == 0;
    announceReset();
}

void DataSet::loadPacket(const QByteArray &packet)
{
    setTable(Table::fromPacket(packet));
}

void DataSet::close()
{
    m_table = Table();
    m_edits.clear();
    m_formats.clear();
    m_active = false;
    m_cursor = -1;
    m_atEof = true;
    announceReset();
}

void DataSet::announceReset()
{
    if (m_disabled > 0) {
        m_resetPending = true;
        return;
    }
    emit reset();
}

void DataSet::moveCursor(int row)
{
    if (row == m_cursor)
        return;
    m_cursor = row;
    if (m_disabled == 0)
        emit currentRowChanged(row);
}

void DataSet::first()
{
    m_atEof = m_table.rowCount() == 0;
    moveCursor(m_atEof ? -1 : 0);
}

void DataSet::next()
{
    if (m_atEof)
        return;
    if (m_cursor + 1 >= m_table.rowCount()) {
        m_atEof = true;
        return;
    }
    moveCursor(m_cursor + 1);
}

bool DataSet::eof() const
{
    return m_atEof;
}

void DataSet::setRecNo(int row)
{
    if (row < 0 || row >= m_table.rowCount())
        return;
    m_atEof = false;
    moveCursor(row);
}

bool DataSet::locate(QStringView fieldName, const QVariant &wanted)
{
    const int col = fieldIndex(fieldName);
    if (col < 0)
        return false;
    // only a value that really is a number is compared as one: a text
    // like "abc" would otherwise read as 0 and match every zero
    bool wantedIsNumber = false;
    const double wantedNumber = wanted.toDouble(&wantedIsNumber);
    const bool numericField = field(col).type != FieldType::String && field(col).type != FieldType::Blob;
    for (int row = 0; row < m_table.rowCount(); ++row) {
        const QVariant v = value(row, col);
        if (v.isValid() && QVariant::compare(v, wanted) == QPartialOrdering::Equivalent) {
            setRecNo(row);
            return true;
        }
        // numbers of different widths (int against double) still match
        bool cellIsNumber = false;
        if (v.isValid() && wantedIsNumber && numericField && v.toDouble(&cellIsNumber) == wantedNumber
            && cellIsNumber) {
            setRecNo(row);
            return true;
        }
    }
    return false;
}

QVariant DataSet::value(int row, int col) const
{
    if (row < 0 || row >= m_table.rowCount() || col < 0 || col >= m_table.fieldCount())
        return QVariant();
    if (!m_edits.isEmpty()) {
        const auto it = m_edits.constFind(key(row, col));
        if (it != m_edits.constEnd())
            return *it;
    }
    return m_table.value(row, col);
}

bool DataSet::isNull(int row, int col) const
{
    return !value(row, col).isValid();
}

QVariant DataSet::fieldValue(QStringView fieldName) const
{
    if (m_cursor < 0)
        return QVariant();
    return value(m_cursor, fieldIndex(fieldName));
}

void DataSet::post(int row, int col, const QVariant &v)
{
    if (row < 0 || row >= m_table.rowCount() || col < 0 || col >= m_table.fieldCount())
        throw WireError(u"Düzenlenecek hücre yok: satır %1, sütun %2."_s.arg(row).arg(col));
    QVariant converted;
    if (v.isValid() && !v.isNull()) {
        bool ok = true;
        switch (field(col).type) {
        case FieldType::Integer: converted = v.toString().isEmpty() ? QVariant() : QVariant(v.toInt(&ok)); break;
        case FieldType::LargeInt: converted = QVariant(v.toLongLong(&ok)); break;
        case FieldType::Float: converted = QVariant(v.toDouble(&ok)); break;
        case FieldType::Boolean: converted = QVariant(v.toBool()); break;
        case FieldType::String: converted = QVariant(v.toString()); break;
        case FieldType::DateTime:
            converted = v.canConvert<QDateTime>() ? QVariant(v.toDateTime()) : QVariant(fromOleDate(v.toDouble(&ok)));
            break;
        case FieldType::Blob: converted = QVariant(v.toByteArray()); break;
        }
        if (!ok)
            throw WireError(u"%1 alanına \"%2\" yazılamaz."_s.arg(field(col).name, v.toString()));
    }
    m_edits.insert(key(row, col), converted);
    if (m_disabled > 0)
        m_resetPending = true;
    else
        emit valueChanged(row, col);
}

void DataSet::setDisplayFormat(int col, const QString &pattern)
{
    m_formats.insert(col, pattern);
}

void DataSet::setFloatDisplayFormat(const QString &pattern)
{
    for (int col = 0; col < fieldCount(); ++col) {
        if (field(col).type == FieldType::Float)
            setDisplayFormat(col, pattern);
    }
}

QString DataSet::displayText(int row, int col) const
{
    const QVariant v = value(row, col);
    if (!v.isValid())
        return QString();
    switch (field(col).type) {
    case FieldType::Float: {
        const QString pattern = m_formats.value(col);
        if (!pattern.isEmpty())
            return formatFloat(v.toDouble(), pattern, m_locale);
        return m_locale.toString(v.toDouble(), 'g', 15);
    }
    case FieldType::Integer:
    case FieldType::LargeInt: return QString::number(v.toLongLong());
    case FieldType::Boolean: return v.toBool() ? u"True"_s : u"False"_s;
    case FieldType::DateTime: {
        // unedited cells are formatted from the stored OLE date in UTC: a
        // conversion through the local time zone costs more than the rest
        const bool edited = !m_edits.isEmpty() && m_edits.contains(key(row, col));
        const QDateTime dt = edited ? v.toDateTime() : oleDateAsUtc(m_table.floatValue(row, col));
        if (dt.time() == QTime(0, 0))
            return dt.date().toString(u"dd.MM.yyyy");
        return dt.toString(u"dd.MM.yyyy HH:mm:ss");
    }
    case FieldType::String: return v.toString();
    case FieldType::Blob: return QString();
    }
    return QString();
}

void DataSet::disableControls()
{
    ++m_disabled;
}

void DataSet::enableControls()
{
    if (m_disabled == 0)
        return;
    if (--m_disabled == 0 && m_resetPending) {
        m_resetPending = false;
        emit reset();
    }
}

} // namespace wire
