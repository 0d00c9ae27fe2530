#pragma once

#include <QString>
#include <QStringList>

namespace distributor {

// Everything that differs between SQL engines, in one place. The store and
// the service write portable SQL (bound values, LIKE ... ESCAPE, LIMIT,
// RETURNING, ||) and take from here only what cannot be written portably.
// A move to PostgreSQL adds a dialect with driver "QPSQL" and its types.
struct SqlDialect
{
    QString driver;            // Qt SQL driver name
    QString connectOptions;    // set on each new connection
    QString keyType;           // integer primary key that numbers itself
    QString realType;          // 64-bit float
    QString blobType;          // bytes
    QString beginWrite;        // starts a transaction that writes
    QStringList sessionSetup;  // statements run once per new connection

    // The stock search index: words of the search text, found by prefix.
    QStringList searchIndexTables; // created with the other tables
    QString searchIndexInsert;     // binds the stock number, then the search text
    QString stockSearchCondition;  // on STOK S; binds searchPattern(terms)
    // every term (letters and digits only) must begin a word of the text
    QString (*searchPattern)(const QStringList &terms) = nullptr;

    // replaces {KEY}, {REAL} and {BLOB} in a table definition
    QString ddl(const QString &statement) const;
};

const SqlDialect &sqliteDialect();

} // namespace distributor
