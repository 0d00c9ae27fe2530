#pragma once

#include "sqldialect.h"

#include <QMutex>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <stdexcept>

namespace distributor {

// A request the distributor refuses, or a store failure; the text is shown
// to the user as the error answer, so it is Turkish and says what is wrong.
class Refusal : public std::runtime_error
{
public:
    explicit Refusal(const QString &message)
        : std::runtime_error(message.toStdString())
        , m_message(message)
    {}
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

// One prepared statement with positional bound values. Every failure
// raises a Refusal carrying the driver's text.
class Query
{
public:
    Query(const QSqlDatabase &db, const QString &sql);

    Query &bind(const QVariant &value);
    Query &exec();
    bool next() { return m_query.next(); }
    QVariant value(int column) const { return m_query.value(column); }
    int intValue(int column) const { return m_query.value(column).toInt(); }
    double realValue(int column) const { return m_query.value(column).toDouble(); }
    QString text(int column) const { return m_query.value(column).toString(); }
    int rowsAffected() const { return m_query.numRowsAffected(); }
    QSqlQuery &raw() { return m_query; }

private:
    QSqlQuery m_query;
    QString m_sql;
};

// The distributor's database: one file, one connection per thread (a Qt
// SQL connection belongs to the thread that opened it).
class Store
{
public:
    static constexpr int kSchemaVersion = 2;

    explicit Store(const QString &filePath, const SqlDialect &dialect = sqliteDialect());
    ~Store();
    Store(const Store &) = delete;
    Store &operator=(const Store &) = delete;

    const QString &filePath() const { return m_filePath; }
    const SqlDialect &dialect() const { return m_dialect; }

    // the calling thread's connection, opened on first use
    QSqlDatabase database() { return connection(false); }

    // true when the tables exist (the store was seeded before)
    bool hasSchema();
    // the version the store was made with; 0 without tables
    int schemaVersion();
    // creates every table; called inside the write that seeds the store
    void createTables(QSqlDatabase &db);

    // Runs fn in one write transaction: committed when fn returns, rolled
    // back when it throws. Writers are serialised in this process; the
    // dialect's begin statement makes other processes wait for the lock.
    template<class F>
    auto write(F &&fn) -> decltype(fn(std::declval<QSqlDatabase &>()))
    {
        QMutexLocker lock(&m_writeMutex);
        // A connection of its own: a statement still open on the reading
        // connection holds an old snapshot, and a write begun on top of it
        // would fail at once instead of waiting for the lock.
        QSqlDatabase db = connection(true);
        Query(db, m_dialect.beginWrite).exec();
        try {
            if constexpr (std::is_void_v<decltype(fn(db))>) {
                fn(db);
                Query(db, QStringLiteral("COMMIT")).exec();
            } else {
                auto result = fn(db);
                Query(db, QStringLiteral("COMMIT")).exec();
                return result;
            }
        } catch (...) {
            QSqlQuery rollback(db);
            rollback.exec(QStringLiteral("ROLLBACK"));
            throw;
        }
    }

private:
    QSqlDatabase connection(bool forWriting);

    QString m_filePath;
    const SqlDialect &m_dialect;
    QString m_connectionPrefix;
    QMutex m_writeMutex;
};

} // namespace distributor
