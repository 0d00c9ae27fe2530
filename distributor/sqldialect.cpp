#include "sqldialect.h"

using namespace Qt::StringLiterals;

namespace distributor {

QString SqlDialect::ddl(const QString &statement) const
{
    QString s = statement;
    s.replace(u"{KEY}"_s, keyType);
    s.replace(u"{REAL}"_s, realType);
    s.replace(u"{BLOB}"_s, blobType);
    return s;
}

namespace {

// FTS5 query: "FORD"* AND "AMORTISOR"*
QString fts5Pattern(const QStringList &terms)
{
    QStringList parts;
    for (const QString &t : terms)
        parts << u'"' + t + u"\"*"_s;
    return parts.join(u" AND "_s);
}

} // namespace

const SqlDialect &sqliteDialect()
{
    static const SqlDialect d{
        u"QSQLITE"_s,
        u"QSQLITE_BUSY_TIMEOUT=10000"_s,
        u"INTEGER PRIMARY KEY"_s,
        u"REAL"_s,
        u"BLOB"_s,
        // IMMEDIATE takes the write lock at once: a deferred transaction
        // that reads first and writes later can fail without waiting
        u"BEGIN IMMEDIATE"_s,
        {u"PRAGMA journal_mode=WAL"_s, u"PRAGMA synchronous=NORMAL"_s, u"PRAGMA foreign_keys=ON"_s,
         // pages read through the shared mapping instead of a read call each
         u"PRAGMA mmap_size=1073741824"_s},
        // contentless full-text index with prefix indexes for short terms
        {u"CREATE VIRTUAL TABLE STOKARA USING fts5(ARAMA, content='', prefix='1 2 3')"_s},
        u"INSERT INTO STOKARA (rowid, ARAMA) VALUES (?, ?)"_s,
        u"S.STOKNO IN (SELECT rowid FROM STOKARA WHERE STOKARA MATCH ?)"_s,
        &fts5Pattern,
    };
    return d;
}

} // namespace distributor
