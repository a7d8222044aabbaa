#include "connection/embedded/catalog/triggerstatements.h"

#include "connection/embedded/catalog/catalogrows.h"
#include "connection/embedded/catalog/catalogwriter.h"
#include "connection/embedded/server/informixerrors.h"
#include "connection/embedded/sql/statementcursor.h"

using namespace Qt::Literals::StringLiterals;

namespace quoll::connection::embedded {

namespace {

struct TriggerDefinition
{
    QString name;
    QString table;
    QChar event;          // I, D, U, S; lower case for INSTEAD OF
    QVariant oldName;     // correlation names, NULL when none
    QVariant newName;
    QString header;       // the text up to the triggered actions
    QString body;         // the actions
};

// Reads REFERENCING OLD [AS] o NEW [AS] n (either order, either one).
void readReferencing(StatementCursor &in, TriggerDefinition &trigger)
{
    bool any = false;
    for (;;) {
        const bool isOld = in.peek("old");
        if (!isOld && !in.peek("new"))
            break;
        in.setIndex(in.index() + 1);
        in.accept("as");
        (isOld ? trigger.oldName : trigger.newName) = in.name();
        any = true;
    }
    if (!any)
        in.failHere(InformixCode::SyntaxError);
}

// True when FOR EACH ROW stands outside every parenthesis from `from` on.
bool hasForEachRow(const StatementCursor &in, size_t from)
{
    const StatementTokens &tokens = in.tokens();
    int depth = 0;
    for (size_t i = from; i < tokens.size(); ++i) {
        if (tokens.isSymbol(i, u'('))
            ++depth;
        else if (tokens.isSymbol(i, u')'))
            --depth;
        else if (depth == 0 && tokens.isWord(i, "for") && tokens.isWord(i + 1, "each") && tokens.isWord(i + 2, "row"))
            return true;
    }
    return false;
}

std::optional<CatalogPlan> planCreateTrigger(const CatalogContext &context, const StatementTokens &statement)
{
    sqlite3 *db = context.db;
    StatementCursor in(statement);
    in.expect("create");
    in.expect("trigger");
    TriggerDefinition trigger;
    const qsizetype nameAt = in.offset();
    trigger.name = in.name();
    bool insteadOf = false;
    if (in.accept("instead")) {
        in.expect("of");
        insteadOf = true;
    }
    if (in.accept("insert"))
        trigger.event = u'I';
    else if (in.accept("delete"))
        trigger.event = u'D';
    else if (in.accept("update"))
        trigger.event = u'U';
    else if (!insteadOf && in.accept("select"))
        trigger.event = u'S';
    else
        in.failHere(InformixCode::SyntaxError);
    if ((trigger.event == u'U' || trigger.event == u'S') && in.accept("of"))
        in.nameList();
    in.expect("on");
    const qsizetype tableAt = in.offset();
    trigger.table = in.name();
    bool referencing = false;
    if (in.accept("referencing")) {
        readReferencing(in, trigger);
        referencing = true;
    }
    if (in.atEnd())
        in.failHere(InformixCode::TriggerHasNoAction);
    if (!in.peek("before") && !in.peek("after") && !in.peek("for") && !in.peek("when") && !in.peekSymbol(u'('))
        in.failHere(InformixCode::SyntaxError);
    if (referencing && !hasForEachRow(in, in.index()))
        in.failHere(InformixCode::ReferencingWithoutForEachRow);
    const qsizetype bodyAt = in.offset();
    // The actions are parenthesised lists; a semicolon outside them ends
    // the statement, and whatever follows is another statement.
    int depth = 0;
    for (size_t k = in.index(); k < statement.size(); ++k) {
        if (statement.isSymbol(k, u'('))
            ++depth;
        else if (statement.isSymbol(k, u')'))
            --depth;
        else if (depth == 0 && statement.isSymbol(k, u';'))
            throw StatementError(InformixCode::SyntaxError, statement[k].begin);
    }
    trigger.header = statement.sql().mid(statement[0].begin, bodyAt - statement[0].begin).toString();
    trigger.body = statement.sql().mid(bodyAt, statement.back().end() - bodyAt).toString();
    if (insteadOf)
        trigger.event = trigger.event.toLower();

    const QString tabtype = catalogText(db, "select tabtype from systables where tabname = ? and tabid >= 100",
                                        {trigger.table}).value_or(QString());
    if (tabtype.isEmpty())
        throw StatementError(InformixCode::TableNotInDatabase, tableAt, trigger.table);
    if (tabtype == u"V"_s && !insteadOf)
        throw StatementError(InformixCode::TriggerOnView, tableAt, trigger.table);
    if (tabtype != u"V"_s && insteadOf)
        throw StatementError(InformixCode::InsteadOfTriggerOnTable, tableAt, trigger.table);
    if (catalogExec(db, "select count(*) from systriggers where trigname = ?", {trigger.name}) > 0)
        throw StatementError(InformixCode::ObjectAlreadyExists, nameAt, trigger.name);

    const QString owner = context.session->user;
    return CatalogPlan{std::nullopt, [trigger, owner](CatalogWriter &out) {
        sqlite3 *db = out.db();
        const qint64 trigid = nextCatalogId(out, "trigid");
        out.write(
            "insert into systriggers (trigid, trigname, owner, tabid, event, old, new, mode, collation) "
            "values (?, ?, ?, ?, ?, ?, ?, null, null)",
            {trigid, trigger.name, owner, tabidOf(db, trigger.table), QString(trigger.event), trigger.oldName,
            trigger.newName});
        writeCatalogText(out, PieceTable::TriggerBody, trigid, u'D', trigger.header);
        writeCatalogText(out, PieceTable::TriggerBody, trigid, u'A', trigger.body);
    }};
}

std::optional<CatalogPlan> planDropTrigger(const CatalogContext &context, const StatementTokens &statement)
{
    StatementCursor in(statement);
    in.expect("drop");
    in.expect("trigger");
    const qsizetype nameAt = in.offset();
    const QString name = in.name();
    in.expectEnd();
    sqlite3 *db = context.db;
    const qint64 trigid = catalogExec(db, "select trigid from systriggers where trigname = ?", {name});
    if (trigid == 0)
        throw StatementError(InformixCode::ObjectDoesNotExist, nameAt);
    return CatalogPlan{std::nullopt, [trigid](CatalogWriter &out) {
        out.write("delete from systrigbody where trigid = ?", {trigid});
        out.write("delete from systriggers where trigid = ?", {trigid});
    }};
}

} // namespace

std::optional<CatalogPlan> planTriggerStatement(const CatalogContext &context, const StatementTokens &statement)
{
    StatementCursor in(statement);
    if (in.peek("create") && in.peek("trigger", 1))
        return planCreateTrigger(context, statement);
    if (in.peek("drop") && in.peek("trigger", 1))
        return planDropTrigger(context, statement);
    return std::nullopt;
}

} // namespace quoll::connection::embedded
