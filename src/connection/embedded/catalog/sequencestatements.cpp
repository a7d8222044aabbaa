#include "connection/embedded/catalog/sequencestatements.h"

#include "connection/embedded/catalog/catalogrows.h"
#include "connection/embedded/catalog/catalogwriter.h"
#include "connection/embedded/server/informixerrors.h"
#include "connection/embedded/sql/statementcursor.h"
#include "connection/engine/dateliterals.h"

#include <QDate>

#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace quoll::connection::embedded {

namespace {

constexpr qint64 Largest = std::numeric_limits<qint64>::max();

// The options of CREATE and ALTER SEQUENCE, each as written (or not).
struct SequenceOptions
{
    std::optional<qint64> increment, start, restart;
    bool restartGiven = false;
    std::optional<std::optional<qint64>> maxValue, minValue;   // inner nothing: NOMAXVALUE, NOMINVALUE
    std::optional<bool> cycle, order;
    std::optional<qint64> cache;
};

qint64 readNumber(StatementCursor &in)
{
    const bool negative = in.acceptSymbol(u'-');
    if (!negative)
        in.acceptSymbol(u'+');
    if (!in.tokens().isNumber(in.index()))
        in.failHere(InformixCode::SyntaxError);
    bool ok = false;
    const qint64 value = in.tokens().text(in.index()).toLongLong(&ok);
    if (!ok)
        in.failHere(InformixCode::SyntaxError);
    in.setIndex(in.index() + 1);
    return negative ? -value : value;
}

// Reads options up to the end; an option given twice is refused there.
SequenceOptions readOptions(StatementCursor &in, bool alter)
{
    SequenceOptions o;
    const auto once = [&](bool given) {
        if (given)
            in.failHere(InformixCode::SyntaxError);
    };
    while (!in.atEnd()) {
        if (in.peek("increment")) {
            once(o.increment.has_value());
            in.accept("increment");
            in.accept("by");
            o.increment = readNumber(in);
        } else if (!alter && in.peek("start")) {
            once(o.start.has_value());
            in.accept("start");
            in.accept("with");
            o.start = readNumber(in);
        } else if (alter && in.peek("restart")) {
            once(o.restartGiven);
            in.accept("restart");
            o.restartGiven = true;
            if (in.accept("with") || in.tokens().isNumber(in.index()) || in.peekSymbol(u'-'))
                o.restart = readNumber(in);
        } else if (in.peek("maxvalue") || in.peek("nomaxvalue")) {
            once(o.maxValue.has_value());
            o.maxValue = in.accept("nomaxvalue") ? std::optional<qint64>() : (in.accept("maxvalue"), readNumber(in));
        } else if (in.peek("minvalue") || in.peek("nominvalue")) {
            once(o.minValue.has_value());
            o.minValue = in.accept("nominvalue") ? std::optional<qint64>() : (in.accept("minvalue"), readNumber(in));
        } else if (in.peek("cycle") || in.peek("nocycle")) {
            once(o.cycle.has_value());
            o.cycle = in.accept("cycle");
            if (!*o.cycle)
                in.expect("nocycle");
        } else if (in.peek("cache") || in.peek("nocache")) {
            once(o.cache.has_value());
            o.cache = in.accept("nocache") ? 0 : (in.accept("cache"), readNumber(in));
        } else if (in.peek("order") || in.peek("noorder")) {
            once(o.order.has_value());
            o.order = in.accept("order");
            if (!*o.order)
                in.expect("noorder");
        } else {
            in.failHere(InformixCode::SyntaxError);
        }
    }
    return o;
}

// A sequence's settings as the catalog keeps them.
struct Sequence
{
    qint64 tabid = 0;
    qint64 start = 1, increment = 1, maxValue = Largest, minValue = 1, cache = 20;
    bool cycle = false, order = false;
};

// Fills what the options leave open, then checks the range.
void settle(Sequence &s, const SequenceOptions &o, bool alter, qsizetype at)
{
    if (o.increment)
        s.increment = *o.increment;
    const bool ascending = s.increment > 0;
    if (o.maxValue)
        s.maxValue = o.maxValue->value_or(ascending ? Largest : -1);
    else if (!alter)
        s.maxValue = ascending ? Largest : -1;
    if (o.minValue)
        s.minValue = o.minValue->value_or(ascending ? 1 : -Largest);
    else if (!alter)
        s.minValue = ascending ? 1 : -Largest;
    if (o.start)
        s.start = *o.start;
    else if (!alter)
        s.start = ascending ? s.minValue : s.maxValue;
    if (o.cycle)
        s.cycle = *o.cycle;
    if (o.order)
        s.order = *o.order;
    if (o.cache)
        s.cache = *o.cache;
    if (s.increment == 0 || s.minValue >= s.maxValue || s.start < s.minValue || s.start > s.maxValue
        || s.cache < 0)
        throw StatementError(InformixCode::SyntaxError, at);
}

QList<QVariant> catalogValues(const Sequence &s)
{
    return {s.start, s.increment, s.maxValue, s.minValue, s.cycle ? u"1"_s : u"0"_s, s.cache,
            s.order ? u"1"_s : u"0"_s};
}

void createValueTable(CatalogWriter &out)
{
    out.write("create table if not exists quoll_sequences (tabid integer primary key, nextval integer)");
}

qint64 sequenceTabid(sqlite3 *db, const QString &name)
{
    return catalogExec(db, "select tabid from systables where tabname = ? and tabtype = 'Q'", {name});
}

std::optional<CatalogPlan> planCreate(const CatalogContext &context, StatementCursor &in)
{
    in.setIndex(2);
    const qsizetype nameAt = in.offset();
    const QString name = in.name();
    const qsizetype optionsAt = in.offset();
    const SequenceOptions options = readOptions(in, false);
    Sequence s;
    settle(s, options, false, optionsAt);
    if (catalogExec(context.db, "select count(*) from systables where tabname = ?", {name}) > 0)
        throw StatementError(InformixCode::TableAlreadyExists, nameAt, name);
    const QString owner = context.session->user;
    return CatalogPlan{std::nullopt, [name, owner, s](CatalogWriter &out) {
        const qint64 tabid = nextCatalogId(out, "tabid");
        const qint64 seqid = nextCatalogId(out, "seqid");
        out.write("insert into systables (tabname, owner, partnum, tabid, rowsize, ncols, nindexes, nrows, created, "
                  "version, tabtype, locklevel, npused, fextsize, nextsize, flags, type_xid, am_id, pagesize) values "
                  "(?, ?, 0, ?, 0, 0, 0, 0, ?, 0, 'Q', 'B', 0, 0, 0, 0, 0, 0, 0)",
                  {name, owner, tabid, storedDate(QDate::currentDate())});
        out.write("insert into syssequences (seqid, tabid, start_val, inc_val, max_val, min_val, cycle, restart_val, "
                  "cache, \"order\") values (?, ?, ?, ?, ?, ?, ?, null, ?, ?)",
                  QList<QVariant>{seqid, tabid} + catalogValues(s));
        createValueTable(out);
        out.write("insert or replace into quoll_sequences (tabid, nextval) values (?, ?)", {tabid, s.start});
    }};
}

std::optional<CatalogPlan> planAlter(const CatalogContext &context, StatementCursor &in)
{
    in.setIndex(2);
    const qsizetype nameAt = in.offset();
    const QString name = in.name();
    const qsizetype optionsAt = in.offset();
    if (in.atEnd())
        in.failHere(InformixCode::SyntaxError);   // no option at all
    const SequenceOptions options = readOptions(in, true);
    sqlite3 *db = context.db;
    const QList<QList<QVariant>> rows = catalogRows(
        db, "select s.tabid, start_val, inc_val, max_val, min_val, cycle, cache, \"order\" from syssequences s "
            "join systables t on t.tabid = s.tabid where t.tabname = ? and t.tabtype = 'Q'",
        {name});
    if (rows.isEmpty())
        throw StatementError(InformixCode::TableNotInDatabase, nameAt, name);
    const QList<QVariant> &r = rows.front();
    Sequence s;
    s.tabid = r[0].toLongLong();
    s.start = r[1].toLongLong();
    s.increment = r[2].toLongLong();
    s.maxValue = r[3].toLongLong();
    s.minValue = r[4].toLongLong();
    s.cycle = r[5].toString() == u"1"_s;
    s.cache = r[6].toLongLong();
    s.order = r[7].toString() == u"1"_s;
    settle(s, options, true, optionsAt);
    const std::optional<qint64> restart =
        options.restartGiven ? std::optional<qint64>(options.restart.value_or(s.start)) : std::nullopt;
    if (restart && (*restart < s.minValue || *restart > s.maxValue))
        throw StatementError(InformixCode::SyntaxError, optionsAt);
    return CatalogPlan{std::nullopt, [s, restart](CatalogWriter &out) {
        out.write("update syssequences set inc_val = ?, max_val = ?, min_val = ?, cycle = ?, cache = ?, \"order\" = ? "
                  "where tabid = ?",
                  {s.increment, s.maxValue, s.minValue, s.cycle ? u"1"_s : u"0"_s, s.cache, s.order ? u"1"_s : u"0"_s,
                   s.tabid});
        if (restart) {
            out.write("update syssequences set restart_val = ? where tabid = ?", {*restart, s.tabid});
            createValueTable(out);
            out.write("insert or replace into quoll_sequences (tabid, nextval) values (?, ?)", {s.tabid, *restart});
        }
        out.write("update systables set version = version + 1 where tabid = ?", {s.tabid});
    }};
}

std::optional<CatalogPlan> planDrop(const CatalogContext &context, StatementCursor &in)
{
    in.setIndex(2);
    const qsizetype nameAt = in.offset();
    const QString name = in.name();
    in.expectEnd();
    const qint64 tabid = sequenceTabid(context.db, name);
    if (tabid == 0)
        throw StatementError(InformixCode::TableNotInDatabase, nameAt, name);
    return CatalogPlan{std::nullopt, [tabid](CatalogWriter &out) {
        out.write("delete from syssequences where tabid = ?", {tabid});
        out.write("delete from systables where tabid = ?", {tabid});
        createValueTable(out);
        out.write("delete from quoll_sequences where tabid = ?", {tabid});
    }};
}

std::optional<CatalogPlan> planRename(const CatalogContext &context, StatementCursor &in)
{
    in.setIndex(2);
    const qsizetype nameAt = in.offset();
    const QString name = in.name();
    in.expect("to");
    const qsizetype newAt = in.offset();
    const QString newName = in.name();
    in.expectEnd();
    sqlite3 *db = context.db;
    const qint64 tabid = sequenceTabid(db, name);
    if (tabid == 0)
        throw StatementError(InformixCode::TableNotInDatabase, nameAt, name);
    if (catalogExec(db, "select count(*) from systables where tabname = ?", {newName}) > 0)
        throw StatementError(InformixCode::TableAlreadyExists, newAt, newName);
    return CatalogPlan{std::nullopt, [tabid, newName](CatalogWriter &out) {
        out.write("update systables set tabname = ? where tabid = ?", {newName, tabid});
    }};
}

} // namespace

std::optional<CatalogPlan> planSequenceStatement(const CatalogContext &context, const StatementTokens &statement)
{
    if (!statement.isWord(1, "sequence"))
        return std::nullopt;
    StatementCursor in(statement);
    if (in.peek("create"))
        return planCreate(context, in);
    if (in.peek("alter"))
        return planAlter(context, in);
    if (in.peek("drop"))
        return planDrop(context, in);
    if (in.peek("rename"))
        return planRename(context, in);
    return std::nullopt;
}

} // namespace quoll::connection::embedded
