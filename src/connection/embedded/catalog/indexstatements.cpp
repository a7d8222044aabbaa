#include "connection/embedded/catalog/indexstatements.h"

#include "connection/embedded/catalog/catalogrows.h"
#include "connection/embedded/catalog/catalogwriter.h"
#include "connection/embedded/catalog/constraintwriter.h"
#include "connection/embedded/sql/ddlparser.h"
#include "connection/embedded/server/informixerrors.h"

#include <QStringList>

using namespace Qt::Literals::StringLiterals;

namespace quoll::connection::embedded {

namespace {

// Whether the session has a temporary object (a table or an index) of the
// name; the catalog does not list them.
bool isTemporary(sqlite3 *db, const char *type, const QString &name)
{
    return catalogExec(db, "select count(*) from sqlite_temp_master where type = ? and name = ?",
                        {QString::fromLatin1(type), name})
           > 0;
}

// The storage engine sees the plain form: no owner, no CLUSTER, nothing
// after the column list.
RewrittenSql storageOf(QStringView sql, const CreateIndex &index)
{
    SqlRewriter rewriter(sql);
    rewriter.replace(0, index.unique ? u"create unique index "_s : u"create index "_s);
    rewriter.replace(index.name.at, index.name.name);
    rewriter.replace(index.name.at, u" on "_s);
    rewriter.replace(index.table.at, index.table.name);
    rewriter.replace(index.listBegin, u" "_s);
    rewriter.copy(index.listBegin, index.listEnd - index.listBegin);
    return rewriter.finish();
}

std::optional<CatalogPlan> planCreateIndex(const CatalogContext &context, QStringView sql, const CreateIndex &index)
{
    sqlite3 *db = context.db;
    const qint64 tabid = tabidOf(db, index.table.name);
    if (tabid == 0 && isTemporary(db, "table", index.table.name))
        return CatalogPlan{storageOf(sql, index), {}};
    if (tabid == 0)
        throw StatementError(InformixCode::TableNotInDatabase, index.table.at, index.table.name);
    if (catalogExec(db, "select count(*) from sysindexes where idxname = ?", {index.name.name}) > 0)
        throw StatementError(InformixCode::IndexAlreadyExists, index.name.at, index.name.name);
    std::vector<int> parts;
    for (size_t i = 0; i < index.columns.size(); ++i) {
        const NamedAt &column = index.columns[i];
        const int colno = columnNumbers(db, tabid, {column.name}).front();
        if (colno == 0)
            throw StatementError(InformixCode::ColumnNotFound, column.at, column.name);
        parts.push_back(index.descending[i] ? -colno : colno);
    }
    if (index.unique) {
        // Rows that already share a key: the storage engine would report
        // them as an insert's duplicate.
        QStringList key;
        for (const NamedAt &column : index.columns)
            key.append(quotedIdentifier(column.name));
        const QString duplicates = u"select count(*) from (select 1 from "_s + quotedIdentifier(index.table.name)
                                   + u" group by "_s + key.join(u", "_s) + u" having count(*) > 1)"_s;
        if (catalogExec(db, duplicates.toUtf8().constData()) > 0)
            throw StatementError(InformixCode::DuplicateKeysForUniqueIndex, index.name.at, index.name.name);
    }
    const QString owner = context.session->user;
    return CatalogPlan{storageOf(sql, index), [index, owner, tabid, parts](CatalogWriter &out) {
                           insertIndexRow(out, index.name.name, owner, tabid, index.unique, index.cluster, parts);
                           recountIndexes(out, tabid);
                       }};
}

std::optional<CatalogPlan> planDropIndex(const CatalogContext &context, QStringView sql, const NamedAt &name)
{
    sqlite3 *db = context.db;
    const qint64 tabid = catalogExec(db, "select tabid from sysindexes where idxname = ? and tabid >= 100", {name.name});
    const bool temporary = tabid == 0 && isTemporary(db, "index", name.name);
    // An index the server made for a constraint goes only with the
    // constraint.
    if ((tabid == 0 && !temporary) || name.name.startsWith(u' ')
        || catalogExec(db, "select count(*) from sysconstraints where idxname = ?", {name.name}) > 0)
        throw StatementError(InformixCode::IndexDoesNotExist, name.at, name.name);
    SqlRewriter rewriter(sql);
    rewriter.replace(0, u"drop index "_s);
    rewriter.replace(name.at, name.name);
    if (temporary)
        return CatalogPlan{rewriter.finish(), {}};
    return CatalogPlan{rewriter.finish(), [name, tabid](CatalogWriter &out) {
                           out.write("delete from sysindexes where idxname = ?", {name.name});
                           recountIndexes(out, tabid);
                       }};
}

// Every table of the database, the catalog's own included (not the
// locale and version rows, which have no storage).
QList<qint64> statisticsTables(sqlite3 *db)
{
    QList<qint64> tables;
    for (const QList<QVariant> &row :
         catalogRows(db, "select tabid from systables where tabtype = 'T' and tabname in "
                         "(select name from sqlite_master where type = 'table') order by tabid"))
        tables.append(row[0].toLongLong());
    return tables;
}

// systables.nrows, and sysindexes.nunique (the distinct keys of the first
// column of each index).
void countRows(CatalogWriter &out, qint64 tabid)
{
    sqlite3 *db = out.db();
    const QString name =
        catalogRows(db, "select tabname from systables where tabid = ?", {tabid}).value(0).value(0).toString();
    const QString table = quotedIdentifier(name);
    const qint64 rows = catalogExec(db, (u"select count(*) from "_s + table).toUtf8().constData());
    out.write("update systables set nrows = ? where tabid = ?", {rows, tabid});
    for (const QList<QVariant> &index :
         catalogRows(db, "select s.idxname, c.colname from sysindexes s, syscolumns c where s.tabid = ? "
                         "and c.tabid = s.tabid and c.colno = abs(s.part1)",
                         {tabid})) {
        const qint64 distinct = catalogExec(
            db, (u"select count(distinct "_s + quotedIdentifier(index[1].toString()) + u") from "_s + table).toUtf8().constData());
        out.write("update sysindexes set nunique = ? where idxname = ? and tabid = ?", {distinct, index[0], tabid});
    }
}

} // namespace

std::optional<CatalogPlan> planIndexStatement(const CatalogContext &context, const StatementTokens &statement)
{
    if (statement.isWord(0, "create")) {
        if (std::optional<CreateIndex> index = parseCreateIndex(statement))
            return planCreateIndex(context, statement.sql(), *index);
        return std::nullopt;
    }
    if (statement.isWord(0, "drop") && statement.isWord(1, "index"))
        if (const std::optional<NamedAt> index = parseDropIndex(statement))
            return planDropIndex(context, statement.sql(), *index);
    return std::nullopt;
}

std::optional<CatalogPlan> planStatisticsStatement(const CatalogContext &context, const StatementTokens &statement)
{
    const std::optional<UpdateStatistics> statistics = parseUpdateStatistics(statement);
    if (!statistics)
        return std::nullopt;
    sqlite3 *db = context.db;
    if (statistics->procedures)
        return CatalogPlan{std::nullopt, [](CatalogWriter &out) {}};
    QList<qint64> tables;
    if (!statistics->table.name.isEmpty()) {
        const qint64 tabid = tabidOf(db, statistics->table.name);
        if (tabid == 0)
            throw StatementError(InformixCode::TableNotInDatabase, statistics->table.at, statistics->table.name);
        tables.append(tabid);
    }
    return CatalogPlan{std::nullopt, [tables](CatalogWriter &out) {
                           sqlite3 *db = out.db();
                           QList<qint64> counted = tables;
                           if (counted.isEmpty())
                               counted = statisticsTables(db);
                           for (qint64 tabid : counted)
                               countRows(out, tabid);
                       }};
}

} // namespace quoll::connection::embedded
