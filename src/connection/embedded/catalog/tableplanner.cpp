#include "connection/embedded/catalog/tableplanner.h"

#include "connection/embedded/catalog/catalogrows.h"
#include "connection/embedded/catalog/catalogwriter.h"
#include "connection/embedded/catalog/constraintwriter.h"
#include "connection/embedded/server/informixerrors.h"
#include "connection/embedded/rewrite/storagepipeline.h"

#include <cstdlib>

using namespace Qt::Literals::StringLiterals;

namespace quoll::connection::embedded {

namespace {

using Kind = ConstraintDefinition::Kind;

bool isSerial(const QString &type)
{
    const QString base = type.section(u'(', 0, 0).trimmed().toLower();
    return base == u"serial"_s || base == u"serial8"_s || base == u"bigserial"_s;
}


QStringList names(const std::vector<NamedAt> &list)
{
    QStringList out;
    for (const NamedAt &n : list)
        out.append(n.name);
    return out;
}

// Finds the parent key of a reference and fills it in; `table` is the
// table being created (a reference may name it).
void resolveReference(sqlite3 *db, const CreateTable &table, ConstraintDefinition &c)
{
    const NamedAt &parent = c.referencedTable;
    const QStringList wanted = names(c.referencedColumns);
    if (!wanted.isEmpty() && wanted.size() != qsizetype(c.columns.size()))
        throw StatementError(InformixCode::SyntaxError, c.referencedColumns.front().at);
    if (parent.name == table.name) {
        // A key written in the same statement.
        for (const ConstraintDefinition &key : table.constraints) {
            const bool isKey = key.kind == Kind::PrimaryKey || key.kind == Kind::Unique;
            if (isKey && (wanted.isEmpty() ? key.kind == Kind::PrimaryKey : names(key.columns) == wanted)) {
                c.referencedConstrid = key.constrid;
                c.referencedTabid = table.tabid;
                c.referencedKey = names(key.columns);
                break;
            }
        }
    }
    if (c.referencedConstrid == 0 && (parent.name != table.name || tabidOf(db, parent.name) != 0)) {
        const qint64 ptabid = tabidOf(db, parent.name);
        if (ptabid == 0)
            throw StatementError(InformixCode::TableNotInDatabase, parent.at, parent.name);
        const std::vector<int> key = columnNumbers(db, ptabid, wanted);
        for (size_t i = 0; i < key.size(); ++i)
            if (key[i] == 0)
                throw StatementError(InformixCode::ColumnNotFound, c.referencedColumns[i].at,
                                     c.referencedColumns[i].name);
        c.referencedConstrid = keyConstraint(db, ptabid, key);
        c.referencedTabid = ptabid;
        if (c.referencedConstrid != 0) {
            // The parent's key columns, in the order of its index.
            const auto index = catalogRows(db, "select idxname from sysconstraints where constrid = ?",
                                           {c.referencedConstrid});
            for (int part : indexParts(db, index.value(0).value(0).toString()))
                c.referencedKey.append(catalogRows(db, "select colname from syscolumns where tabid = ? and colno = ?",
                                                   {ptabid, std::abs(part)})
                                           .value(0)
                                           .value(0)
                                           .toString());
        }
    }
    if (c.referencedConstrid == 0)
        throw StatementError(InformixCode::NoKeyInReferencedTable, parent.at, parent.name);
    if (c.referencedTabid == 0)
        c.referencedTabid = table.tabid;
    if (c.referencedKey.size() != qsizetype(c.columns.size()))
        throw StatementError(InformixCode::SyntaxError, c.at);
}

// Rows of the table that a constraint being added would break: the
// failure a server reports then.
void checkExistingRows(sqlite3 *db, const QString &table, const QString &owner, const ConstraintDefinition &c)
{
    QStringList key;
    QStringList anyNull;
    for (const NamedAt &n : c.columns) {
        key.append(quotedIdentifier(n.name));
        anyNull.append(quotedIdentifier(n.name) + u" is null"_s);
    }
    const QString from = u" from "_s + quotedIdentifier(table);
    const auto count = [&](const QString &sql) { return catalogExec(db, sql.toUtf8().constData()); };
    switch (c.kind) {
    case Kind::PrimaryKey:
        for (const NamedAt &n : c.columns)
            if (count(u"select count(*)"_s + from + u" where "_s + quotedIdentifier(n.name) + u" is null"_s) > 0)
                throw StatementError(InformixCode::NullIntoNotNull, n.at, table + u'.' + n.name);
        [[fallthrough]];
    case Kind::Unique:
        if (count(u"select count(*) from (select 1"_s + from + u" where not ("_s + anyNull.join(u" or "_s)
                  + u") group by "_s + key.join(u", "_s) + u" having count(*) > 1)"_s) > 0)
            throw StatementError(InformixCode::DuplicateKeysForUniqueIndex, c.at);
        break;
    case Kind::Check:
        if (count(u"select count(*)"_s + from + u" where not ("_s
                  + conditionToStorage(c.condition, table, storedSchema(db)).text() + u')')
            > 0)
            throw StatementError(InformixCode::CheckConstraintFailed, c.checkAt, owner + u'.' + c.name);
        break;
    case Kind::References: {
        QStringList match;
        for (qsizetype i = 0; i < c.referencedKey.size(); ++i)
            match.append(u"p."_s + quotedIdentifier(c.referencedKey[i]) + u" = c."_s + quotedIdentifier(c.columns[size_t(i)].name));
        if (count(u"select count(*) from "_s + quotedIdentifier(table) + u" c where not ("_s + anyNull.join(u" or "_s)
                  + u") and not exists (select 1 from "_s + quotedIdentifier(c.referencedTable.name) + u" p where "_s
                  + match.join(u" and "_s) + u')')
            > 0)
            throw StatementError(InformixCode::MissingKeyInReferencedTable, c.at, owner + u'.' + c.name);
        break;
    }
    case Kind::NotNull:
        break;
    }
}

// Constraint names are unique for an owner.
void refuseTakenName(sqlite3 *db, const CreateTable &table, const ConstraintDefinition &c, const QString &owner)
{
    bool taken = catalogExec(db, "select count(*) from sysconstraints where constrname = ? and owner = ?",
                              {c.name, owner})
                 > 0;
    for (const ConstraintDefinition &other : table.constraints)
        taken = taken || (&other != &c && other.constrid < c.constrid && other.name == c.name);
    if (taken)
        throw StatementError(InformixCode::EmbeddedFailure, c.at, u"the constraint name %1 is taken"_s.arg(c.name));
}

} // namespace

std::optional<CatalogPlan> planAlterConstraints(const CatalogContext &context, const StatementTokens &statement)
{
    std::optional<AlterConstraints> alter = parseAlterConstraints(statement);
    if (!alter)
        return std::nullopt;
    sqlite3 *db = context.db;
    const QString table = alter->table.name;
    const qint64 tabid = tabidOf(db, table);
    if (tabid == 0)
        throw StatementError(InformixCode::TableNotInDatabase, alter->table.at, table);
    const QString owner = context.session->user;
    if (!alter->dropped.empty()) {
        std::vector<qint64> dropped;
        for (const NamedAt &name : alter->dropped) {
            const qint64 constrid = catalogExec(
                db, "select constrid from sysconstraints where constrname = ? and tabid = ?", {name.name, tabid});
            if (constrid == 0)
                throw StatementError(InformixCode::ConstraintNotFound, name.at, name.name);
            if (!canDropConstraint(db, constrid))
                throw StatementError(InformixCode::EmbeddedFailure, name.at,
                                     u"the constraint %1 belongs to the table's definition and can go only "
                                     "with the table"_s.arg(name.name));
            dropped.push_back(constrid);
        }
        return CatalogPlan{std::nullopt, [dropped](CatalogWriter &out) {
                               for (qint64 constrid : dropped)
                                   dropConstraint(out, constrid);
                           }};
    }
    // The constraints are numbered and named as in CREATE TABLE.
    CreateTable scope;
    scope.name = table;
    scope.tabid = tabid;
    scope.constraints = std::move(alter->added);
    qint64 constrid = peekCatalogId(db, "constrid");
    for (ConstraintDefinition &c : scope.constraints) {
        c.constrid = constrid++;
        if (c.name.isEmpty())
            c.name = defaultConstraintName(c.kind, tabid, c.constrid);
        refuseTakenName(db, scope, c, owner);
        const std::vector<int> colnos = columnNumbers(db, tabid, names(c.columns));
        for (size_t i = 0; i < colnos.size(); ++i)
            if (colnos[i] == 0)
                throw StatementError(InformixCode::ColumnNotFound, c.columns[i].at, c.columns[i].name);
    }
    for (ConstraintDefinition &c : scope.constraints) {
        if (c.kind == Kind::References)
            resolveReference(db, scope, c);
        checkExistingRows(db, table, owner, c);
    }
    return CatalogPlan{std::nullopt, [tabid, owner, scope = std::move(scope)](CatalogWriter &out) {
                           recordAddedConstraints(out, tabid, owner, scope.name, scope.constraints);
                       }};
}

CatalogPlan planCreateTable(const CatalogContext &context, QStringView sql, CreateTable table)
{
    sqlite3 *db = context.db;
    std::vector<TextEdit> edits = table.storageEdits;
    for (const ColumnDefinition &c : table.columns) {
        QString added;
        if (isSerial(c.type))
            added += u" default 0"_s;   // the numbering trigger replaces 0
        if (c.notNull && !c.declaredNotNull)
            added += u" not null"_s;
        if (!added.isEmpty())
            edits.push_back({c.typeEnd, c.typeEnd, added});
    }
    std::vector<StoredColumn> columns;
    for (const ColumnDefinition &c : table.columns)
        columns.push_back({c.name.toLower(), c.type.simplified().toUpper()});
    std::pair<QString, std::vector<StoredColumn>> created(table.name.toLower(), std::move(columns));
    if (table.temporary) {
        // Not in the catalog: only named checks keep their names.
        for (const ConstraintDefinition &c : table.constraints)
            if (c.kind == Kind::Check && !c.name.isEmpty())
                edits.push_back({c.checkAt, c.checkAt, u"constraint "_s + c.name + u' '});
        return CatalogPlan{applyEdits(sql, std::move(edits)), {}, std::move(created)};
    }

    table.tabid = peekCatalogId(db, "tabid");
    qint64 constrid = peekCatalogId(db, "constrid");
    QStringList columnNames;
    for (const ColumnDefinition &c : table.columns)
        columnNames.append(c.name);
    for (ConstraintDefinition &c : table.constraints) {
        c.constrid = constrid++;
        if (c.name.isEmpty())
            c.name = defaultConstraintName(c.kind, table.tabid, c.constrid);
        for (const NamedAt &column : c.columns)
            if (!columnNames.contains(column.name))
                throw StatementError(InformixCode::ColumnNotFound, column.at, column.name);
        if (c.columns.size() > 16)
            throw StatementError(InformixCode::SyntaxError, c.columns[16].at);
        refuseTakenName(db, table, c, context.session->user);
        if (c.kind == Kind::Check)
            edits.push_back({c.checkAt, c.checkAt, u"constraint "_s + c.name + u' '});
    }
    for (ConstraintDefinition &c : table.constraints)
        if (c.kind == Kind::References)
            resolveReference(db, table, c);
    const QString owner = context.session->user;
    return CatalogPlan{applyEdits(sql, std::move(edits)),
                       [table = std::move(table), owner](CatalogWriter &out) { recordCreateTable(out, table, owner); },
                       std::move(created)};
}

} // namespace quoll::connection::embedded
