#pragma once

#include "datapacket.h"

#include <QHash>
#include <QLocale>
#include <QObject>

namespace wire {

// The in-memory dataset that a grid binds to: a loaded table, a cursor,
// local edits of single fields and a display format per float field.
//
// Changes are announced by signals; while controls are disabled nothing is
// announced, and enabling them again announces one reset if anything
// changed meanwhile, so a grid never repaints half a load.
class DataSet : public QObject
{
    Q_OBJECT

public:
    explicit DataSet(QObject *parent = nullptr);

    // Replaces the whole content; the cursor goes to the first row and
    // every local edit and display format is dropped.
    void setTable(Table table);
    // decodes and loads a data packet; raises a WireError when malformed,
    // leaving the previous content untouched
    void loadPacket(const QByteArray &packet);
    void close();

    bool isActive() const { return m_active; }
    bool isEmpty() const { return recordCount() == 0; }
    int recordCount() const { return m_table.rowCount(); }
    const Table &table() const { return m_table; }

    int fieldCount() const { return m_table.fieldCount(); }
    const FieldDef &field(int col) const { return m_table.field(col); }
    // case-insensitive; -1 when the dataset has no such field
    int fieldIndex(QStringView name) const { return m_table.indexOf(name); }
    bool hasField(QStringView name) const { return fieldIndex(name) >= 0; }

    // cursor
    void first();
    void next();
    bool eof() const;
    int recNo() const { return m_cursor; }
    void setRecNo(int row);
    // moves the cursor to the first row whose field equals value; false
    // (cursor unchanged) when there is none
    bool locate(QStringView fieldName, const QVariant &value);

    // cell values, local edits included
    QVariant value(int row, int col) const;
    bool isNull(int row, int col) const;
    // at the cursor; an invalid QVariant without a current row or field
    QVariant fieldValue(QStringView fieldName) const;

    // A local edit of one cell, converted to the field's type; it changes
    // this dataset only, never the server's data. Raises a WireError when
    // the value does not convert.
    void post(int row, int col, const QVariant &v);

    void setDisplayFormat(int col, const QString &pattern);
    QString displayFormat(int col) const { return m_formats.value(col); }
    // every Float field gets the same pattern
    void setFloatDisplayFormat(const QString &pattern);
    void setLocale(const QLocale &locale) { m_locale = locale; }
    const QLocale &locale() const { return m_locale; }
    QString displayText(int row, int col) const;

    void disableControls();
    void enableControls();
    bool controlsDisabled() const { return m_disabled > 0; }

signals:
    void reset();
    void valueChanged(int row, int col);
    void currentRowChanged(int row);

private:
    static quint64 key(int row, int col) { return (quint64(quint32(row)) << 32) | quint32(col); }
    void announceReset();
    void moveCursor(int row);

    Table m_table;
    QHash<quint64, QVariant> m_edits;
    QHash<int, QString> m_formats;
    QLocale m_locale;
    int m_cursor = -1;
    bool m_atEof = true;
    bool m_active = false;
    int m_disabled = 0;
    bool m_resetPending = false;
};

} // namespace wire
