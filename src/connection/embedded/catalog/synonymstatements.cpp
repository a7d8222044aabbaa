#include "connection/embedded/catalog/synonymstatements.h"

#include "connection/embedded/catalog/catalogrows.h"
#include "connection/embedded/catalog/catalogwriter.h"
#include "connection/embedded/server/informixerrors.h"
#include "connection/embedded/sql/fromlist.h"
#include "connection/embedded/sql/statementcursor.h"
#include "connection/engine/dateliterals.h"

#include <QDate>

using namespace Qt::Literals::StringLiterals;

namespace quoll::connection::embedded {

namespace {

// A name token's text: a word in lower case, a quoted name as written.
QString nameAt(const StatementTokens &s, size_t k)
{
    return s.isString(k) ? s.value(k) : s.lower(k);
}

std::optional<CatalogPlan> planCreateSynonym(const CatalogContext &context, StatementCursor &in)
{
    const StatementTokens &s = in.tokens();
    in.expect("create");
    QString tabtype = u"S"_s;
    if (in.accept("private"))
        tabtype = u"P"_s;
    else
        in.accept("public");
    in.expect("synonym");
    const qsizetype nameAtOffset = in.offset();
    const std::optional<TableReference> named = readTableReference(s, in.index());
    if (!named || named->database)
        in.failHere(InformixCode::SyntaxError);
    const QString name = nameAt(s, named->table);
    const QString synonymOwner = named->owner ? nameAt(s, *named->owner) : context.session->user;
    in.setIndex(named->table + 1);
    in.expect("for");
    const qsizetype targetAt = in.offset();
    const std::optional<TableReference> target = readTableReference(s, in.index());
    if (!target)
        in.failHere(InformixCode::SyntaxError);
    in.setIndex(target->table + 1);
    in.expectEnd();

    sqlite3 *db = context.db;
    if (catalogExec(db, "select count(*) from systables where tabname = ?", {name}) > 0)
        throw StatementError(InformixCode::TableAlreadyExists, nameAtOffset, name);
    const QString object = nameAt(s, target->table);
    const QString owner = target->owner ? nameAt(s, *target->owner) : QString();
    const QString database = target->database ? s.lower(*target->database) : QString();
    const QString server = target->server ? s.lower(*target->server) : QString();
    // Another database: kept as the catalog keeps it, reached by nothing.
    const bool remote = !database.isEmpty() && database != context.session->database;
    qint64 btabid = 0;
    if (!remote) {
        btabid = catalogExec(db, "select tabid from systables where tabname = ? and tabid >= 100", {object});
        if (btabid == 0)
            throw StatementError(InformixCode::TableNotInDatabase, targetAt, object);
    }
    const bool sequence =
        !remote && catalogText(db, "select tabtype from systables where tabid = ?", {btabid}).value_or(QString()) == u"Q"_s;
    const QString user = owner.isEmpty() ? context.session->user : owner;
    std::optional<RewrittenSql> storage;
    if (!remote && !sequence) {
        SqlRewriter rewriter(s.sql());
        rewriter.replace(0, u"create view "_s + bracketedIdentifier(name) + u" as select * from "_s
                                + bracketedIdentifier(object));
        storage = rewriter.finish();
    }
    return CatalogPlan{std::move(storage), [=](CatalogWriter &out) {
        const qint64 tabid = nextCatalogId(out, "tabid");
        out.write("insert into systables (tabname, owner, partnum, tabid, rowsize, ncols, nindexes, nrows, created, "
                  "version, tabtype, locklevel, npused, fextsize, nextsize, flags, type_xid, am_id, pagesize) values "
                  "(?, ?, 0, ?, 0, 0, 0, 0, ?, 0, ?, 'B', 0, 0, 0, 0, 0, 0, 0)",
                  {name, synonymOwner, tabid, storedDate(QDate::currentDate()), tabtype});
        if (remote)
            out.write("insert into syssyntable (tabid, servername, dbname, owner, tabname, btabid) "
                      "values (?, ?, ?, ?, ?, null)",
                      {tabid, server.isEmpty() ? QVariant() : QVariant(server), database, user, object});
        else
            out.write("insert into syssyntable (tabid, servername, dbname, owner, tabname, btabid) "
                      "values (?, null, null, null, null, ?)",
                      {tabid, btabid});
    }};
}

std::optional<CatalogPlan> planDropSynonym(const CatalogContext &context, StatementCursor &in)
{
    in.expect("drop");
    in.expect("synonym");
    const qsizetype nameAtOffset = in.offset();
    const QString name = in.name();
    in.expectEnd();
    sqlite3 *db = context.db;
    const qint64 tabid =
        catalogExec(db, "select tabid from systables where tabname = ? and tabtype in ('S', 'P')", {name});
    if (tabid == 0)
        throw StatementError(InformixCode::TableNotInDatabase, nameAtOffset, name);
    const bool hasView =
        catalogExec(db, "select count(*) from sqlite_master where type = 'view' and name = ?", {name}) > 0;
    std::optional<RewrittenSql> storage;
    if (hasView) {
        SqlRewriter rewriter(in.sql());
        rewriter.replace(0, u"drop view "_s + bracketedIdentifier(name));
        storage = rewriter.finish();
    }
    return CatalogPlan{std::move(storage), [tabid](CatalogWriter &out) {
        out.write("delete from syssyntable where tabid = ?", {tabid});
        out.write("delete from systables where tabid = ?", {tabid});
    }};
}

} // namespace

std::optional<CatalogPlan> planSynonymStatement(const CatalogContext &context, const StatementTokens &statement)
{
    StatementCursor in(statement);
    const bool create = in.peek("create");
    if (!create && !in.peek("drop"))
        return std::nullopt;
    const size_t word = in.peek("public", 1) || in.peek("private", 1) ? 2 : 1;
    if (!in.peek("synonym", word))
        return std::nullopt;
    return create ? planCreateSynonym(context, in) : planDropSynonym(context, in);
}

} // namespace quoll::connection::embedded
