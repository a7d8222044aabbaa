#include "connection/embedded/catalog/viewstatements.h"

#include "connection/embedded/catalog/catalogrows.h"
#include "connection/embedded/catalog/catalogwriter.h"
#include "connection/engine/dateliterals.h"
#include "connection/embedded/server/informixerrors.h"
#include "connection/embedded/sql/informixtypes.h"
#include "connection/embedded/rewrite/storagepipeline.h"
#include "connection/embedded/runtime/schemalookup.h"
#include "connection/embedded/sql/selectlist.h"
#include "connection/embedded/server/sqliteerrors.h"
#include "connection/embedded/sql/statementcursor.h"

#include <QDate>
#include <QSet>

#include <sqlite3.h>

using namespace Qt::Literals::StringLiterals;

namespace quoll::connection::embedded {

namespace {

// A view column as the catalog describes it.
struct ViewColumn
{
    QString name;
    ColumnTypeCode type;
};

// The columns of a view just made by the storage engine. A column that
// stands for a table's column takes that column's type (without its NOT
// NULL flag); other columns are typed from their expression.
std::vector<ViewColumn> describeView(sqlite3 *db, const QString &view, QStringView sql,
                                     const std::vector<SelectItem> &items)
{
    const QByteArray query = (u"select * from "_s + bracketedIdentifier(view)).toUtf8();
    sqlite3_stmt *stmt = nullptr;
    if (const int rc = sqlite3_prepare_v2(db, query.constData(), -1, &stmt, nullptr); rc != SQLITE_OK) {
        // The storage engine takes a view on what is not there; a server
        // does not. The failure is told at the name it is about.
        const ServerFailure failure = mapSqliteFailure(db, rc);
        const qsizetype at =
            failure.name.isEmpty() ? -1 : StatementTokens(sql).wordPosition(failure.name.section(u'.', -1));
        throw StatementError(failure.code, std::max<qsizetype>(at, 0), failure.name);
    }
    bool hasStar = false;
    for (const SelectItem &item : items)
        hasStar = hasStar || item.star;
    std::vector<ViewColumn> columns;
    const int count = sqlite3_column_count(stmt);
    for (int i = 0; i < count; ++i) {
        ViewColumn column;
        column.name = QString::fromUtf8(sqlite3_column_name(stmt, i)).toLower();
        const char *table = sqlite3_column_table_name(stmt, i);
        const char *origin = sqlite3_column_origin_name(stmt, i);
        if (table && origin) {
            const qint64 tabid = catalogExec(db, "select tabid from systables where tabname = ?",
                                             {QString::fromUtf8(table).toLower()});
            const std::optional<QString> code = catalogText(
                db, "select coltype || ' ' || collength || ' ' || coalesce(extended_id, 0) from syscolumns "
                    "where tabid = ? and colname = ?",
                {tabid, QString::fromUtf8(origin).toLower()});
            if (code) {
                const QStringList numbers = code->split(u' ');
                column.type.coltype = numbers.value(0).toInt() & ~0x100;
                column.type.collength = numbers.value(1).toInt();
                column.type.extendedId = numbers.value(2).toInt();
                column.type.valid = true;
            }
        }
        if (!column.type.valid) {
            if (const char *declared = sqlite3_column_decltype(stmt, i))
                column.type = encodeColumnType(QString::fromUtf8(declared), false);
        }
        if (!column.type.valid) {
            const bool mapped = !hasStar && size_t(count) == items.size();
            column.type = encodeColumnType(mapped ? expressionType(sql, items[size_t(i)].tokens) : u"varchar(255)"_s,
                                           false);
        }
        columns.push_back(column);
    }
    sqlite3_finalize(stmt);
    return columns;
}

void removeViewRows(CatalogWriter &out, qint64 tabid)
{
    out.write("delete from syscolumns where tabid = ?", {tabid});
    out.write("delete from sysviews where tabid = ?", {tabid});
    out.write("delete from systrigbody where trigid in (select trigid from systriggers where tabid = ?)", {tabid});
    out.write("delete from systriggers where tabid = ?", {tabid});
    out.write("delete from syssyntable where tabid = ?", {tabid});
    out.write("delete from systables where tabid = ?", {tabid});
}

// Views (and synonyms) whose select no longer resolves after a table or
// view they read was dropped; a server drops them with it.
std::vector<std::pair<qint64, QString>> brokenViews(sqlite3 *db)
{
    std::vector<std::pair<qint64, QString>> views;
    sqlite3_stmt *stmt = nullptr;
    // Views, and the synonyms that the storage engine holds as views.
    if (sqlite3_prepare_v2(db,
                           "select tabid, tabname from systables where tabtype in ('V', 'S', 'P') and tabid >= 100 "
                           "and lower(tabname) in (select lower(name) from sqlite_master where type = 'view')",
                           -1, &stmt, nullptr) != SQLITE_OK)
        throw informixError(InformixCode::EmbeddedFailure, QString::fromUtf8(sqlite3_errmsg(db)));
    while (sqlite3_step(stmt) == SQLITE_ROW)
        views.emplace_back(sqlite3_column_int64(stmt, 0),
                           QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 1))));
    sqlite3_finalize(stmt);
    std::vector<std::pair<qint64, QString>> broken;
    for (const auto &view : views) {
        sqlite3_stmt *probe = nullptr;
        const QByteArray query = (u"select * from "_s + bracketedIdentifier(view.second)).toUtf8();
        if (sqlite3_prepare_v2(db, query.constData(), -1, &probe, nullptr) != SQLITE_OK)
            broken.push_back(view);
        sqlite3_finalize(probe);
    }
    return broken;
}

// Drops the views left broken, and those that then break, until none is.
void dropBrokenViews(CatalogWriter &out)
{
    sqlite3 *db = out.db();
    for (auto broken = brokenViews(db); !broken.empty(); broken = brokenViews(db)) {
        for (const auto &view : broken) {
            out.write(u"drop view if exists "_s + bracketedIdentifier(view.second));
            removeViewRows(out, view.first);
        }
    }
}

QString tabtypeOf(sqlite3 *db, const QString &name)
{
    return catalogText(db, "select tabtype from systables where tabname = ? and tabid >= 100", {name}).value_or(QString());
}

std::optional<CatalogPlan> planCreateView(const CatalogContext &context, const StatementTokens &statement)
{
    StatementCursor in(statement);
    in.expect("create");
    in.expect("view");
    const size_t nameBegin = in.index();
    const QString name = in.name();
    const size_t nameEnd = in.index();
    QStringList columnNames;
    qsizetype columnListAt = -1;
    if (in.peekSymbol(u'(')) {
        columnListAt = in.offset();
        in.acceptSymbol(u'(');
        columnNames = in.nameList();
        in.expectSymbol(u')');
    }
    in.expect("as");
    if (!in.peek("select"))
        in.failHere(InformixCode::SyntaxError);
    const size_t select = in.index();
    // WITH CHECK OPTION at the end is kept in the text; the storage engine
    // has no such clause.
    const StatementTokens &words = statement;
    size_t storageEnd = words.size();
    const size_t n = words.size();
    if (n >= 3 && n - 3 > select && words.isWord(n - 3, "with") && words.isWord(n - 2, "check")
        && words.isWord(n - 1, "option"))
        storageEnd = n - 3;

    const std::vector<SelectItem> items = selectItems(words, select, storageEnd);
    bool hasStar = false;
    for (const SelectItem &item : items)
        hasStar = hasStar || item.star;
    if (!hasStar) {
        if (!columnNames.isEmpty() && columnNames.size() != qsizetype(items.size()))
            throw StatementError(InformixCode::ViewColumnCountMismatch, columnListAt);
        if (columnNames.isEmpty())
            for (const SelectItem &item : items) {
                if (!item.named)
                    throw StatementError(InformixCode::ViewNeedsColumnNames,
                                         item.tokens.empty() ? words[select].begin : item.tokens.front().begin);
                columnNames.append(item.name);
            }
    }
    // The storage engine renames a repeated name; a server refuses it.
    for (qsizetype i = 1; i < columnNames.size(); ++i)
        if (columnNames.indexOf(columnNames[i]) < i)
            throw StatementError(InformixCode::DuplicateViewColumn, words[nameBegin].begin, columnNames[i]);

    const QStringView sql = statement.sql();
    SqlRewriter rewriter(sql);
    rewriter.copy(0, words[nameBegin].begin);
    rewriter.replace(words[nameBegin].begin, bracketedIdentifier(name));
    const qsizetype afterName = words[nameEnd - 1].end();
    // An Informix OUTER join in the select is restructured as in a query;
    // error offsets inside it then point at the start of the select.
    const qsizetype selectAt = words[select].begin;
    const qsizetype storageStop = words[storageEnd - 1].end();
    if (const std::optional<RewrittenSql> joined =
            viewSelectToStorage(sql.mid(selectAt, storageStop - selectAt), storedSchema(context.db))) {
        rewriter.copy(afterName, selectAt - afterName);
        rewriter.replace(selectAt, joined->text());
    } else {
        rewriter.copy(afterName, storageStop - afterName);
    }

    sqlite3 *db = context.db;
    const QString owner = context.session->user;
    const QString text = writtenText(statement);
    return CatalogPlan{rewriter.finish(), [db, name, owner, text, written = sql.toString(), items,
                                           nameAt = words[nameBegin].begin](CatalogWriter &out) {
        const std::vector<ViewColumn> columns = describeView(db, name, written, items);
        QSet<QString> seen;
        for (const ViewColumn &c : columns) {
            if (seen.contains(c.name))
                throw StatementError(InformixCode::DuplicateViewColumn, nameAt, c.name);
            seen.insert(c.name);
        }
        const qint64 tabid = nextCatalogId(out, "tabid");
        int rowsize = 0;
        int colno = 0;
        for (const ViewColumn &c : columns) {
            rowsize += rowSizeOf(c.type.coltype, c.type.collength);
            out.write(
                "insert into syscolumns (colname, tabid, colno, coltype, collength, colmin, colmax, "
                "extended_id, seclabelid, colattr) values (?, ?, ?, ?, ?, null, null, ?, 0, 0)",
                {c.name, tabid, ++colno, c.type.coltype, c.type.collength, c.type.extendedId});
        }
        out.write(
            "insert into systables (tabname, owner, partnum, tabid, rowsize, ncols, nindexes, nrows, created, "
            "version, tabtype, locklevel, npused, fextsize, nextsize, flags, type_xid, am_id, pagesize) values "
            "(?, ?, 0, ?, ?, ?, 0, 0, ?, 0, 'V', 'B', 0, 0, 0, 0, 0, 0, 0)",
            {name, owner, tabid, rowsize, int(columns.size()), storedDate(QDate::currentDate())});
        writeCatalogText(out, PieceTable::Views, tabid, QChar(), text);
    }};
}

std::optional<CatalogPlan> planDropView(const CatalogContext &context, const StatementTokens &statement)
{
    StatementCursor in(statement);
    in.expect("drop");
    in.expect("view");
    const qsizetype nameAt = in.offset();
    const QString name = in.name();
    const bool restrict = in.accept("restrict");
    if (!restrict)
        in.accept("cascade");
    in.expectEnd();
    sqlite3 *db = context.db;
    if (tabtypeOf(db, name) != u"V"_s)
        throw StatementError(InformixCode::ViewNotFound, nameAt, name);
    SqlRewriter rewriter(statement.sql());
    rewriter.replace(0, u"drop view "_s + bracketedIdentifier(name));
    return CatalogPlan{rewriter.finish(), [name, restrict](CatalogWriter &out) {
        sqlite3 *db = out.db();
        removeViewRows(out, tabidOf(db, name));
        if (restrict && !brokenViews(db).empty())
            throw informixError(InformixCode::DependentObjectsExist);
        dropBrokenViews(out);
    }};
}

} // namespace

std::optional<CatalogPlan> planViewStatement(const CatalogContext &context, const StatementTokens &statement)
{
    StatementCursor in(statement);
    if (in.peek("create") && in.peek("view", 1))
        return planCreateView(context, statement);
    if (in.peek("drop") && in.peek("view", 1))
        return planDropView(context, statement);
    if (in.peek("drop") && in.peek("table", 1) && statement.size() >= 3) {
        in.setIndex(2);
        const qsizetype nameAt = in.offset();
        const QString name = in.name();
        const QString tabtype = tabtypeOf(context.db, name);
        if (tabtype == u"V"_s)
            throw StatementError(InformixCode::OnlyOnTables, nameAt, name);
        if (tabtype != u"T"_s)
            return std::nullopt;
        std::optional<CatalogPlan> plan = planTableStatement(context, statement);
        if (plan) {
            plan->record = [tableRecord = std::move(plan->record)](CatalogWriter &out) {
                if (tableRecord)
                    tableRecord(out);
                dropBrokenViews(out);
            };
        }
        return plan;
    }
    return std::nullopt;
}

void dropViewsLeftBroken(CatalogWriter &out)
{
    dropBrokenViews(out);
}

} // namespace quoll::connection::embedded
