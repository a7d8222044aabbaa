#include "connection/embedded/catalog/rolestatements.h"

#include "connection/embedded/catalog/catalogrows.h"
#include "connection/embedded/server/informixerrors.h"
#include "connection/embedded/sql/statementcursor.h"

using namespace Qt::Literals::StringLiterals;

namespace quoll::connection::embedded {

namespace {

bool isRole(sqlite3 *db, const QString &name)
{
    return catalogExec(db, "select count(*) from sysusers where username = ? and usertype = 'G'", {name}) > 0;
}

void requireRole(sqlite3 *db, const QString &name, qsizetype at)
{
    if (!isRole(db, name))
        throw StatementError(InformixCode::RoleDoesNotExist, at);
}

std::optional<CatalogPlan> planCreateRole(const CatalogContext &context, StatementCursor &in)
{
    in.setIndex(2);
    const qsizetype nameAt = in.offset();
    const QString name = in.name();
    in.expectEnd();
    sqlite3 *db = context.db;
    if (catalogExec(db, "select count(*) from sysusers where username = ?", {name}) > 0 || name == u"public"_s)
        throw StatementError(InformixCode::RoleNameInUse, nameAt);
    return CatalogPlan{std::nullopt, [name](CatalogWriter &out) {
        out.write("insert into sysusers (username, usertype, priority, password, defrole) "
                  "values (?, 'G', 0, null, null)", {name});
    }};
}

std::optional<CatalogPlan> planDropRole(const CatalogContext &context, StatementCursor &in)
{
    in.setIndex(2);
    const qsizetype nameAt = in.offset();
    const QString name = in.name();
    in.expectEnd();
    sqlite3 *db = context.db;
    requireRole(db, name, nameAt);
    SessionInfo *session = context.session;
    return CatalogPlan{std::nullopt, [name, session](CatalogWriter &out) {
        out.write("delete from sysroleauth where rolename = ? or grantee = ?", {name, name});
        out.write("update sysusers set defrole = null where defrole = ?", {name});
        out.write("delete from sysusers where username = ?", {name});
        if (currentRole(*session) == name)
            session->role.clear();
    }};
}

// GRANT DEFAULT ROLE r TO users (which also grants the role) and REVOKE
// DEFAULT ROLE FROM users.
std::optional<CatalogPlan> planDefaultRole(const CatalogContext &context, StatementCursor &in, bool grant)
{
    in.setIndex(3);
    QString role;
    if (grant) {
        const qsizetype roleAt = in.offset();
        role = in.name();
        requireRole(context.db, role, roleAt);
        in.expect("to");
    } else {
        in.expect("from");
    }
    const qsizetype usersAt = in.offset();
    const QStringList users = in.nameList();
    in.expectEnd();
    sqlite3 *db = context.db;
    for (const QString &user : users)
        if (isRole(db, user))
            throw StatementError(InformixCode::DatabasePrivilegeToRole, usersAt);
    return CatalogPlan{std::nullopt, [role, users, grant](CatalogWriter &out) {
        sqlite3 *db = out.db();
        for (const QString &user : users) {
            if (!grant) {
                out.write("update sysusers set defrole = null where username = ?", {user});
                out.write("delete from sysusers where username = ? and usertype = 'U'", {user});
                continue;
            }
            if (catalogExec(db, "select count(*) from sysusers where username = ?", {user}) > 0)
                out.write("update sysusers set defrole = ? where username = ?", {role, user});
            else
                out.write("insert into sysusers (username, usertype, priority, password, defrole) "
                          "values (?, 'U', 0, null, ?)", {user, role});
            if (catalogExec(db, "select count(*) from sysroleauth where rolename = ? and grantee = ?", {role, user}) == 0)
                out.write("insert into sysroleauth (rolename, grantee, is_grantable) values (?, ?, 'N')",
                            {role, user});
        }
    }};
}

// GRANT CONNECT|RESOURCE|DBA TO users and REVOKE ... FROM users.
std::optional<CatalogPlan> planDatabasePrivilege(const CatalogContext &context, StatementCursor &in, bool grant)
{
    in.setIndex(1);
    QString type;
    if (in.accept("connect"))
        type = u"C"_s;
    else if (in.accept("resource"))
        type = u"R"_s;
    else {
        in.expect("dba");
        type = u"D"_s;
    }
    in.expect(grant ? "to" : "from");
    const qsizetype usersAt = in.offset();
    const QStringList users = in.nameList();
    in.expectEnd();
    sqlite3 *db = context.db;
    for (const QString &user : users)
        if (isRole(db, user))
            throw StatementError(InformixCode::DatabasePrivilegeToRole, usersAt);
    return CatalogPlan{std::nullopt, [type, users, grant](CatalogWriter &out) {
        sqlite3 *db = out.db();
        for (const QString &user : users) {
            const bool known = catalogExec(db, "select count(*) from sysusers where username = ?", {user}) > 0;
            if (grant && known)
                out.write("update sysusers set usertype = ? where username = ?", {type, user});
            else if (grant)
                out.write("insert into sysusers (username, usertype, priority, password, defrole) "
                          "values (?, ?, 0, null, null)", {user, type});
            else if (type == u"C"_s)
                out.write("delete from sysusers where username = ?", {user});
            else
                out.write("update sysusers set usertype = 'C' where username = ? and usertype = ?", {user, type});
        }
    }};
}

// GRANT privileges ON table TO ... and REVOKE privileges ON table FROM ...:
// the table must exist; nothing is kept. USAGE ON LANGUAGE is accepted the
// same way.
std::optional<CatalogPlan> planTablePrivilege(const CatalogContext &context, StatementCursor &in, size_t on, bool grant)
{
    in.setIndex(on + 1);
    const bool language = in.accept("language");
    const qsizetype tableAt = in.offset();
    const QString table = in.name();
    const auto [granteesAt, grantees, withGrantOption] = in.grantees(grant);
    if (!grant && !in.accept("cascade"))
        in.accept("restrict");
    if (in.accept("as"))
        in.name();
    in.expectEnd();
    if (!language && catalogExec(context.db, "select count(*) from systables where tabname = ?", {table}) == 0)
        throw StatementError(InformixCode::TableNotInDatabase, tableAt, table);
    if (withGrantOption && grantees.contains(u"public"_s))
        throw StatementError(InformixCode::PublicWithGrantOption, granteesAt);
    return CatalogPlan{std::nullopt, {}};
}

// GRANT role TO users [WITH GRANT OPTION] and REVOKE role FROM users.
std::optional<CatalogPlan> planRoleGrant(const CatalogContext &context, StatementCursor &in, bool grant)
{
    in.setIndex(1);
    const qsizetype roleAt = in.offset();
    const QString role = in.name();
    const auto [granteesAt, granteeNames, grantOption] = in.grantees(grant);
    in.expectEnd();
    sqlite3 *db = context.db;
    requireRole(db, role, roleAt);
    // Named copies: a lambda may not capture a structured binding everywhere.
    const QStringList grantees = granteeNames;
    const bool withGrantOption = grantOption;
    return CatalogPlan{std::nullopt, [role, grantees, grant, withGrantOption](CatalogWriter &out) {
        for (const QString &grantee : grantees) {
            out.write("delete from sysroleauth where rolename = ? and grantee = ?", {role, grantee});
            if (grant)
                out.write("insert into sysroleauth (rolename, grantee, is_grantable) values (?, ?, ?)",
                            {role, grantee, withGrantOption ? u"Y"_s : u"N"_s});
        }
    }};
}

// SET ROLE name | 'name' | NULL | NONE | DEFAULT.
std::optional<CatalogPlan> planSetRole(const CatalogContext &context, StatementCursor &in)
{
    in.setIndex(2);
    sqlite3 *db = context.db;
    SessionInfo *session = context.session;
    const bool keyword = in.tokens().isWord(in.index());
    QString role;
    if (keyword && (in.peek("null") || in.peek("none"))) {
        in.setIndex(in.index() + 1);
    } else if (keyword && in.peek("default")) {
        in.setIndex(in.index() + 1);
        role = catalogText(db, "select defrole from sysusers where username = ?", {session->user})
                   .value_or(catalogText(db, "select defrole from sysusers where username = 'public'").value_or(QString()));
    } else {
        const qsizetype roleAt = in.offset();
        role = in.name();
        requireRole(db, role, roleAt);
        if (catalogExec(db, "select count(*) from sysroleauth where rolename = ? and grantee in (?, 'public')",
                        {role, session->user}) == 0)
            throw StatementError(InformixCode::NoPrivilegeToSetRole, roleAt);
    }
    in.expectEnd();
    return CatalogPlan{std::nullopt, [session, role](CatalogWriter &out) {
        session->role = role;
        session->roleUser = session->user;
        session->roleDatabase = session->database;
    }};
}

// The index of ON before TO/FROM outside parentheses, 0 when there is none.
size_t privilegeOn(const StatementCursor &in)
{
    const StatementTokens &tokens = in.tokens();
    int depth = 0;
    for (size_t i = 1; i < tokens.size(); ++i) {
        if (tokens.isSymbol(i, u'('))
            ++depth;
        else if (tokens.isSymbol(i, u')'))
            --depth;
        else if (depth == 0 && (tokens.isWord(i, "to") || tokens.isWord(i, "from")))
            return 0;
        else if (depth == 0 && tokens.isWord(i, "on"))
            return i;
    }
    return 0;
}

} // namespace

QString currentRole(const SessionInfo &session)
{
    return session.roleDatabase == session.database && session.roleUser == session.user ? session.role : QString();
}

std::optional<CatalogPlan> planRoleStatement(const CatalogContext &context, const StatementTokens &statement)
{
    StatementCursor in(statement);
    if (in.peek("create") && in.peek("role", 1))
        return planCreateRole(context, in);
    if (in.peek("drop") && in.peek("role", 1))
        return planDropRole(context, in);
    if (in.peek("set") && in.peek("role", 1))
        return planSetRole(context, in);
    const bool grant = in.peek("grant");
    if (!grant && !in.peek("revoke"))
        return std::nullopt;
    if (in.peek("default", 1) && in.peek("role", 2))
        return planDefaultRole(context, in, grant);
    if (const size_t on = privilegeOn(in))
        return planTablePrivilege(context, in, on, grant);
    if ((in.peek("connect", 1) || in.peek("resource", 1) || in.peek("dba", 1)) && in.peek(grant ? "to" : "from", 2))
        return planDatabasePrivilege(context, in, grant);
    return planRoleGrant(context, in, grant);
}

} // namespace quoll::connection::embedded
