#include "connection/embedded/catalog/routinestatements.h"

#include "connection/embedded/catalog/catalogrows.h"
#include "connection/embedded/catalog/catalogwriter.h"
#include "connection/embedded/server/informixerrors.h"
#include "connection/embedded/sql/statementcursor.h"

#include <QHash>
#include <QRegularExpression>

#include <sqlite3.h>

using namespace Qt::Literals::StringLiterals;

namespace quoll::connection::embedded {

namespace {

// A type as written (tokens first to last, exclusive), in one spelling:
// lower case, blanks only between words ("decimal(8,2)", "datetime year
// to second").
QString typeText(const StatementTokens &tokens, size_t first, size_t last)
{
    QString text;
    for (size_t i = first; i < last; ++i) {
        if (i > first && tokens.isWord(i) && tokens.isWord(i - 1))
            text += u' ';
        text += tokens.lower(i);
    }
    return text;
}

// The comma-separated parts of the parenthesised group at the cursor, as
// token ranges [first, last).
std::vector<std::pair<size_t, size_t>> groupParts(StatementCursor &in)
{
    const StatementTokens &tokens = in.tokens();
    const size_t inner = in.skipGroup();
    const size_t close = in.index() - 1;
    std::vector<std::pair<size_t, size_t>> parts;
    size_t partBegin = inner;
    int depth = 0;
    for (size_t i = inner; i < close; ++i) {
        if (tokens.isSymbol(i, u'('))
            ++depth;
        else if (tokens.isSymbol(i, u')'))
            --depth;
        else if (depth == 0 && tokens.isSymbol(i, u',')) {
            parts.emplace_back(partBegin, i);
            partBegin = i + 1;
        }
    }
    if (close > partBegin || !parts.empty())
        parts.emplace_back(partBegin, close);
    return parts;
}

// The parameter types of a routine's parameter list: each parameter is
// [IN|OUT|INOUT] name type [DEFAULT value].
QStringList parameterTypes(StatementCursor &in)
{
    const StatementTokens &tokens = in.tokens();
    QStringList types;
    for (const auto &[first, partEnd] : groupParts(in)) {
        const size_t last = partEnd;
        const auto isWord = [&](size_t at, QLatin1StringView w) { return at < last && tokens.isWord(at, w); };
        size_t i = first;
        if (isWord(i, "out"_L1) || isWord(i, "inout"_L1) || isWord(i, "in"_L1))
            ++i;
        ++i;   // the parameter's name
        const size_t typeBegin = i;
        while (i < last && !isWord(i, "default"_L1))
            ++i;
        if (i <= typeBegin)
            throw StatementError(InformixCode::SyntaxError, last == first ? in.offset() : tokens[last - 1].end());
        types.append(typeText(tokens, typeBegin, i));
    }
    return types;
}

// The types of a DROP or GRANT signature "(integer, char(10))".
QStringList signatureTypes(StatementCursor &in)
{
    QStringList types;
    for (const auto &[first, last] : groupParts(in))
        types.append(typeText(in.tokens(), first, last));
    return types;
}

// A routine's parameter types as a server tells signatures apart: by the
// types alone, without lengths or precisions, each spelling of a type as
// its one name ("char(10), int" and "character, integer" are one).
QString signatureKey(const QString &types)
{
    static const QRegularExpression lengths(u"\\([^)]*\\)"_s);
    QString text = types.toLower();
    text.remove(lengths);
    QStringList keys;
    for (QString type : text.split(u',', Qt::SkipEmptyParts)) {
        type = type.simplified();
        static const QHash<QString, QString> spellings{
            {u"int"_s, u"integer"_s},        {u"dec"_s, u"decimal"_s},
            {u"numeric"_s, u"decimal"_s},    {u"character"_s, u"char"_s},
            {u"character varying"_s, u"varchar"_s}, {u"real"_s, u"smallfloat"_s},
            {u"double precision"_s, u"float"_s},
        };
        keys.append(spellings.value(type, type));
    }
    return keys.join(u',');
}

// The procid a name (and signature, when given) stands for; `kind` is "t"
// or "f" to require a procedure or a function, empty for either. Raises
// -674 at `nameAt` when no routine or more than one answers.
qint64 resolveRoutine(sqlite3 *db, const QString &name, const std::optional<QStringList> &types,
                      const QString &kind, qsizetype nameAt)
{
    const QString wanted = types ? signatureKey(types->join(u',')) : QString();
    qint64 found = 0;
    int matches = 0;
    for (const QList<QVariant> &row : catalogRows(db, "select procid, coalesce(paramtypes, '') from sysprocedures "
                                                      "where procname = ? and (? = '' or isproc = ?)",
                                                  {name, kind, kind})) {
        if (types && signatureKey(row[1].toString()) != wanted)
            continue;
        found = row[0].toLongLong();
        ++matches;
    }
    if (matches != 1)
        throw StatementError(InformixCode::RoutineNotResolved, nameAt, name);
    return found;
}

struct Routine
{
    QString name;
    bool isProcedure = true;
    bool dba = false;
    QStringList parameterTypes;
    QString text;          // CREATE ... END PROCEDURE|FUNCTION
    QString document;      // the DOCUMENT strings, one a line
};

std::optional<CatalogPlan> planCreateRoutine(const CatalogContext &context, const StatementTokens &statement)
{
    StatementCursor in(statement);
    in.expect("create");
    Routine routine;
    routine.dba = in.accept("dba");
    if (!in.accept("procedure")) {
        in.expect("function");
        routine.isProcedure = false;
    }
    const qsizetype nameAt = in.offset();
    routine.name = in.name();
    routine.parameterTypes = parameterTypes(in);

    // The routine ends at the last END PROCEDURE (END FUNCTION): the body's
    // own END IF, END FOR ... never pair with those words.
    const char *kind = routine.isProcedure ? "procedure" : "function";
    size_t end = statement.size();
    for (size_t i = statement.size(); i-- > in.index();)
        if (statement.isWord(i, "end") && statement.isWord(i + 1, QLatin1StringView(kind))) {
            end = i;
            break;
        }
    if (end == statement.size())
        throw StatementError(InformixCode::SyntaxError, statement.back().end());
    in.setIndex(end + 2);
    routine.text = statement.written(0, end + 1);
    if (in.accept("document")) {
        QStringList lines;
        do {
            if (!statement.isString(in.index()))
                in.failHere(InformixCode::SyntaxError);
            lines.append(statement.value(in.index()));
            in.setIndex(in.index() + 1);
        } while (in.acceptSymbol(u','));
        routine.document = lines.join(u'\n');
    }
    if (in.accept("with")) {
        in.expect("listing");
        in.expect("in");
        if (!statement.isString(in.index()))
            in.failHere(InformixCode::SyntaxError);
        in.setIndex(in.index() + 1);
    }
    in.expectEnd();

    sqlite3 *db = context.db;
    if (catalogExec(db, "select count(*) from sysprocedures where procname = ? and coalesce(paramtypes, '') = ?",
                    {routine.name, routine.parameterTypes.join(u',')}) > 0)
        throw StatementError(InformixCode::RoutineAlreadyExists, nameAt, routine.name);
    const QString owner = context.session->user;
    return CatalogPlan{std::nullopt, [routine, owner](CatalogWriter &out) {
        const qint64 procid = nextCatalogId(out, "procid");
        out.write(
            "insert into sysprocedures (procname, owner, procid, mode, retsize, symsize, datasize, codesize, "
            "numargs, isproc, specificname, externalname, paramstyle, langid, paramtypes, variant, client, "
            "handlesnulls, percallcost, commutator, negator, selfunc, internal, class, stack) values "
            "(?, ?, ?, ?, 0, 0, 0, 0, ?, ?, null, null, 'I', null, ?, 't', 'f', 't', 0, null, null, null, "
            "'f', null, null)",
            {routine.name, owner, procid, routine.dba ? u"D"_s : u"O"_s, int(routine.parameterTypes.size()),
            routine.isProcedure ? u"t"_s : u"f"_s, routine.parameterTypes.join(u',')});
        writeCatalogText(out, PieceTable::RoutineBody, procid, u'T', routine.text);
        writeCatalogText(out, PieceTable::RoutineBody, procid, u'D', routine.document);
        // A database that is not ANSI grants execute to everyone on
        // creation; the embedded server makes no ANSI databases.
        out.write("insert into sysprocauth (grantor, grantee, procid, procauth) values (?, 'public', ?, 'e')",
                    {owner, procid});
    }};
}

// PROCEDURE|FUNCTION|ROUTINE name [(types)] as DROP, GRANT and REVOKE name
// a routine; the kind word is optional unless `kindRequired`.
struct RoutineReference
{
    QString kind;   // "t" procedure, "f" function, empty for either
    qsizetype nameAt = 0;
    QString name;
    std::optional<QStringList> types;
};

RoutineReference readRoutineReference(StatementCursor &in, bool kindRequired)
{
    RoutineReference routine;
    if (in.accept("procedure"))
        routine.kind = u"t"_s;
    else if (in.accept("function"))
        routine.kind = u"f"_s;
    else if (kindRequired)
        in.expect("routine");
    else
        in.accept("routine");
    routine.nameAt = in.offset();
    routine.name = in.name();
    if (in.peekSymbol(u'('))
        routine.types = signatureTypes(in);
    return routine;
}

std::optional<CatalogPlan> planDropRoutine(const CatalogContext &context, const StatementTokens &statement)
{
    StatementCursor in(statement);
    in.expect("drop");
    const RoutineReference routine = readRoutineReference(in, true);
    in.expectEnd();
    sqlite3 *db = context.db;
    const qint64 procid = resolveRoutine(db, routine.name, routine.types, routine.kind, routine.nameAt);
    return CatalogPlan{std::nullopt, [procid](CatalogWriter &out) {
        out.write("delete from sysprocbody where procid = ?", {procid});
        out.write("delete from sysprocauth where procid = ?", {procid});
        out.write("delete from sysprocedures where procid = ?", {procid});
    }};
}

// GRANT EXECUTE ON name [(types)] TO grantees [WITH GRANT OPTION] [AS grantor]
// and REVOKE EXECUTE ON name [(types)] FROM grantees [CASCADE|RESTRICT] [AS grantor].
std::optional<CatalogPlan> planExecutePrivilege(const CatalogContext &context, const StatementTokens &statement)
{
    StatementCursor in(statement);
    const bool grant = in.accept("grant");
    if (!grant)
        in.expect("revoke");
    in.expect("execute");
    in.expect("on");
    const RoutineReference routine = readRoutineReference(in, false);
    const auto [granteesAt, grantees, withGrantOption] = in.grantees(grant);
    if (!grant && !in.accept("cascade"))
        in.accept("restrict");
    QString grantor = context.session->user;
    if (in.accept("as"))
        grantor = in.name();
    in.expectEnd();

    if (withGrantOption && grantees.contains(u"public"_s))
        throw StatementError(InformixCode::PublicWithGrantOption, granteesAt);
    if (grant && grantees.contains(grantor))
        throw StatementError(InformixCode::GrantToSelf, granteesAt);
    sqlite3 *db = context.db;
    const qint64 procid = resolveRoutine(db, routine.name, routine.types, routine.kind, routine.nameAt);
    return CatalogPlan{std::nullopt, [procid, grant, grantees = grantees, grantor,
                                      withGrantOption = withGrantOption](CatalogWriter &out) {
        for (const QString &grantee : grantees) {
            out.write("delete from sysprocauth where procid = ? and grantor = ? and grantee = ?",
                        {procid, grantor, grantee});
            if (grant)
                out.write("insert into sysprocauth (grantor, grantee, procid, procauth) values (?, ?, ?, ?)",
                            {grantor, grantee, procid, withGrantOption ? u"E"_s : u"e"_s});
        }
    }};
}

// EXECUTE PROCEDURE|FUNCTION|ROUTINE name(...) and CALL name(...).
[[noreturn]] void refuseToRun(const CatalogContext &context, StatementCursor &in)
{
    const qsizetype nameAt = in.offset();
    const QString name = in.name();
    if (catalogExec(context.db, "select count(*) from sysprocedures where procname = ?", {name}) == 0)
        throw StatementError(InformixCode::RoutineNotResolved, nameAt, name);
    throw StatementError(InformixCode::RoutineNotRun, nameAt, name);
}

} // namespace

std::optional<CatalogPlan> planRoutineStatement(const CatalogContext &context, const StatementTokens &statement)
{
    StatementCursor in(statement);
    if (in.peek("create") && (in.peek("procedure", 1) || in.peek("function", 1)
                              || (in.peek("dba", 1) && (in.peek("procedure", 2) || in.peek("function", 2)))))
        return planCreateRoutine(context, statement);
    if (in.peek("drop") && (in.peek("procedure", 1) || in.peek("function", 1) || in.peek("routine", 1)))
        return planDropRoutine(context, statement);
    if ((in.peek("grant") || in.peek("revoke")) && in.peek("execute", 1) && in.peek("on", 2))
        return planExecutePrivilege(context, statement);
    if (in.peek("execute") && (in.peek("procedure", 1) || in.peek("function", 1) || in.peek("routine", 1))) {
        in.setIndex(2);
        refuseToRun(context, in);
    }
    if (in.peek("call") && statement.size() > 1) {
        in.setIndex(1);
        refuseToRun(context, in);
    }
    return std::nullopt;
}

} // namespace quoll::connection::embedded
