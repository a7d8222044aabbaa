#include "connection/embedded/catalog/constraintwriter.h"

#include "connection/embedded/catalog/catalogrows.h"
#include "connection/embedded/catalog/catalogwriter.h"
#include "connection/embedded/server/informixerrors.h"
#include "connection/embedded/sql/statementtokens.h"
#include "connection/embedded/rewrite/storagepipeline.h"

#include <QStringList>

#include <cstdlib>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace quoll::connection::embedded {

namespace {

using Kind = ConstraintDefinition::Kind;

QString literal(const QString &text)
{
    QString q = text;
    q.replace(u'\'', u"''"_s);
    return u'\'' + q + u'\'';
}

QString triggerName(qint64 constrid, const char *event)
{
    return quotedIdentifier(u"quoll_ref_%1_%2"_s.arg(constrid).arg(QLatin1String(event)));
}

// "a = b and c = d" over the pairs of the two column lists.
QString pairs(const QStringList &left, const QString &leftRow, const QStringList &right, const QString &rightRow)
{
    QStringList terms;
    for (qsizetype i = 0; i < left.size() && i < right.size(); ++i)
        terms.append(leftRow + quotedIdentifier(left[i]) + u" = "_s + rightRow + quotedIdentifier(right[i]));
    return terms.join(u" and "_s);
}

// The triggers enforcing the reference `constrid` (named `qualified` in
// its messages): a child row needs its parent unless a key column is NULL
// (Informix matches a reference only when all its columns have values); a
// parent row with children cannot go or change its key, or takes its
// children with it when the reference cascades.
void addReferenceTriggers(CatalogWriter &out, qint64 constrid, const QString &qualified, const QString &child,
                          const QStringList &childColumns, const QString &parent, const QStringList &parentColumns,
                          bool cascade)
{
    QStringList present;
    QStringList quotedChild;
    for (const QString &c : childColumns) {
        present.append(u"new."_s + quotedIdentifier(c) + u" is not null"_s);
        quotedChild.append(quotedIdentifier(c));
    }
    QStringList quotedParent;
    QStringList changed;
    for (const QString &c : parentColumns) {
        quotedParent.append(quotedIdentifier(c));
        changed.append(u"old."_s + quotedIdentifier(c) + u" is not new."_s + quotedIdentifier(c));
    }
    const QString missing = present.join(u" and "_s) + u" and not exists (select 1 from "_s + quotedIdentifier(parent)
                            + u" where "_s + pairs(parentColumns, QString(), childColumns, u"new."_s) + u')';
    const QString orphan = u"begin select raise(abort, "_s + literal(u"quoll:-691:"_s + qualified) + u"); end"_s;
    const QString referenced = u"exists (select 1 from "_s + quotedIdentifier(child) + u" where "_s
                               + pairs(childColumns, QString(), parentColumns, u"old."_s) + u')';
    const QString stillReferenced =
        u"begin select raise(abort, "_s + literal(u"quoll:-692:"_s + qualified) + u"); end"_s;
    const QStringList statements{
        u"create trigger "_s + triggerName(constrid, "insert") + u" before insert on "_s + quotedIdentifier(child)
            + u" when "_s + missing + u' ' + orphan,
        u"create trigger "_s + triggerName(constrid, "update") + u" before update of "_s + quotedChild.join(u", "_s)
            + u" on "_s + quotedIdentifier(child) + u" when "_s + missing + u' ' + orphan,
        u"create trigger "_s + triggerName(constrid, "parentupdate") + u" before update of "_s
            + quotedParent.join(u", "_s) + u" on "_s + quotedIdentifier(parent) + u" when ("_s + changed.join(u" or "_s)
            + u") and "_s + referenced + u' ' + stillReferenced,
        cascade ? u"create trigger "_s + triggerName(constrid, "delete") + u" after delete on "_s + quotedIdentifier(parent)
                      + u" begin delete from "_s + quotedIdentifier(child) + u" where "_s
                      + pairs(childColumns, QString(), parentColumns, u"old."_s) + u"; end"_s
                : u"create trigger "_s + triggerName(constrid, "delete") + u" before delete on "_s
                      + quotedIdentifier(parent) + u" when "_s + referenced + u' ' + stillReferenced,
    };
    for (const QString &sql : statements)
        out.write(sql);
}

void dropReferenceTriggers(CatalogWriter &out, qint64 constrid)
{
    for (const char *event : {"insert", "update", "parentupdate", "delete"})
        out.write(u"drop trigger if exists "_s + triggerName(constrid, event));
}

// An index of the table on exactly `parts` (ascending) that can serve a
// constraint: a unique one for a primary key or unique constraint, any
// for a reference. Empty when there is none.
QString servingIndex(sqlite3 *db, qint64 tabid, const std::vector<int> &parts, bool unique)
{
    const auto rows = catalogRows(db, "select idxname, idxtype from sysindexes where tabid = ? order by idxname", {tabid});
    for (const QList<QVariant> &row : rows) {
        if (unique && row[1].toString() != u"U"_s)
            continue;
        if (indexParts(db, row[0].toString()) == parts)
            return row[0].toString();
    }
    return {};
}

QStringList names(const std::vector<NamedAt> &list)
{
    QStringList out;
    for (const NamedAt &n : list)
        out.append(n.name);
    return out;
}

} // namespace

std::vector<int> columnNumbers(sqlite3 *db, qint64 tabid, const QStringList &columns)
{
    std::vector<int> numbers;
    for (const QString &c : columns)
        numbers.push_back(int(catalogExec(db, "select colno from syscolumns where tabid = ? and colname = ?",
                                           {tabid, c})));
    return numbers;
}

std::vector<int> indexParts(sqlite3 *db, const QString &idxname)
{
    const auto rows = catalogRows(db,
                                  "select part1, part2, part3, part4, part5, part6, part7, part8, part9, part10, "
                                  "part11, part12, part13, part14, part15, part16 from sysindexes where idxname = ?",
                                  {idxname});
    std::vector<int> parts;
    if (rows.isEmpty())
        return parts;
    for (const QVariant &v : rows.first())
        if (v.toInt() != 0)
            parts.push_back(v.toInt());
    return parts;
}

qint64 keyConstraint(sqlite3 *db, qint64 tabid, const std::vector<int> &key)
{
    const auto rows = catalogRows(db,
                                  "select constrid, constrtype, idxname from sysconstraints "
                                  "where tabid = ? and constrtype in ('P', 'U') order by constrtype, constrid",
                                  {tabid});
    for (const QList<QVariant> &row : rows) {
        if (key.empty() ? row[1].toString() == u"P"_s : indexParts(db, row[2].toString()) == key)
            return row[0].toLongLong();
    }
    return 0;
}

void insertIndexRow(CatalogWriter &out, const QString &idxname, const QString &owner, qint64 tabid, bool unique,
                    bool clustered, const std::vector<int> &parts)
{
    QList<QVariant> values{idxname, owner, tabid, unique ? u"U"_s : u"D"_s, clustered ? u"C"_s : u" "_s};
    for (size_t i = 0; i < 16; ++i)
        values.append(i < parts.size() ? parts[i] : 0);
    out.write(
        "insert into sysindexes (idxname, owner, tabid, idxtype, clustered, part1, part2, part3, part4, "
        "part5, part6, part7, part8, part9, part10, part11, part12, part13, part14, part15, part16, "
        "levels, leaves, nunique, clust) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
        "?, ?, 0, 0, 0, 0)",
        values);
}

void recountIndexes(CatalogWriter &out, qint64 tabid)
{
    out.write("update systables set nindexes = (select count(*) from sysindexes where tabid = ?) where tabid = ?",
                 {tabid, tabid});
}

namespace {

// The condition of a check on `table` with the row's columns as the new
// row's, for a trigger's WHEN clause.
QString onNewRow(sqlite3 *db, const QString &table, const QString &condition, const QStringList &columns)
{
    const QString text = conditionToStorage(condition, table, storedSchema(db)).text();
    const StatementTokens s(text);
    QString out;
    qsizetype copied = 0;
    for (size_t k = 0; k < s.size(); ++k) {
        // A column's name: not a qualified name's second part, not a call.
        if (!s.isWord(k) || (k > 0 && s.isSymbol(k - 1, u'.')) || s.isSymbol(k + 1, u'(')
            || !columns.contains(s.lower(k)))
            continue;
        out += QStringView(text).mid(copied, s[k].begin - copied);
        out += u"new."_s + quotedIdentifier(s.lower(k));
        copied = s[k].end();
    }
    out += QStringView(text).mid(copied);
    return out;
}

QStringList tableColumns(sqlite3 *db, qint64 tabid)
{
    QStringList columns;
    for (const QList<QVariant> &row : catalogRows(db, "select colname from syscolumns where tabid = ? order by colno",
                                                  {tabid}))
        columns.append(row[0].toString());
    return columns;
}

// The storage engine's own objects for a constraint added by ALTER TABLE:
// a unique index for a key, triggers for NULL in a primary key and for a
// check.
QString keyIndexName(qint64 constrid)
{
    return quotedIdentifier(u"quoll_key_%1"_s.arg(constrid));
}

QString addedTriggerName(qint64 constrid, int colno, const char *event)
{
    return quotedIdentifier(u"quoll_added_%1_%2_%3"_s.arg(constrid).arg(colno).arg(QLatin1String(event)));
}

void addKeyStorage(CatalogWriter &out, const QString &table, const ConstraintDefinition &c)
{
    QStringList key;
    for (const NamedAt &n : c.columns)
        key.append(quotedIdentifier(n.name));
    out.write(u"create unique index "_s + keyIndexName(c.constrid) + u" on "_s + quotedIdentifier(table) + u" ("_s
                  + key.join(u", "_s) + u')');
}

void addNotNullTriggers(CatalogWriter &out, const QString &table, const ConstraintDefinition &c, const std::vector<int> &parts)
{
    for (size_t i = 0; i < c.columns.size(); ++i) {
        const QString column = quotedIdentifier(c.columns[i].name);
        const QString raise = u" begin select raise(abort, "_s + literal(u"quoll:-391:"_s + table + u'.' + c.columns[i].name)
                              + u"); end"_s;
        out.write(u"create trigger "_s + addedTriggerName(c.constrid, parts[i], "insert") + u" before insert on "_s
                  + quotedIdentifier(table) + u" when new."_s + column + u" is null"_s + raise);
        out.write(u"create trigger "_s + addedTriggerName(c.constrid, parts[i], "update") + u" before update of "_s
                  + column + u" on "_s + quotedIdentifier(table) + u" when new."_s + column + u" is null"_s + raise);
    }
    // syscolumns shows key columns as NOT NULL.
    for (int colno : parts)
        out.write(
            "update syscolumns set coltype = coltype | 256 where colno = ? and tabid = "
            "(select tabid from systables where tabname = ? and tabid >= 100)",
            {colno, table});
}

void addCheckTriggers(CatalogWriter &out, const QString &table, qint64 tabid, const QString &qualified,
                      const ConstraintDefinition &c)
{
    sqlite3 *db = out.db();
    const QString when = u" when not "_s + onNewRow(db, table, c.condition, tableColumns(db, tabid));
    const QString raise = u" begin select raise(abort, "_s + literal(u"quoll:-530:"_s + qualified) + u"); end"_s;
    for (const char *event : {"insert", "update"})
        out.write(u"create trigger "_s + addedTriggerName(c.constrid, 0, event) + u" before "_s
                  + QLatin1String(event) + u" on "_s + quotedIdentifier(table) + when + raise);
}

// One constraint's rows; `added` when ALTER TABLE adds it, so that the
// storage engine gets what enforces it.
void writeConstraint(CatalogWriter &out, qint64 tabid, const QString &owner, const QString &table,
                     const ConstraintDefinition &c, const std::vector<int> &parts, bool added)
{
    sqlite3 *db = out.db();
    QVariant idxname;
    if (c.kind == Kind::PrimaryKey || c.kind == Kind::Unique || c.kind == Kind::References) {
        const bool unique = c.kind != Kind::References;
        QString name = servingIndex(db, tabid, parts, unique);
        if (name.isEmpty()) {
            name = u" %1_%2"_s.arg(tabid).arg(c.constrid);
            insertIndexRow(out, name, owner, tabid, unique, false, parts);
            if (added && unique)
                addKeyStorage(out, table, c);
        }
        idxname = name;
    }
    if (added && c.kind == Kind::PrimaryKey)
        addNotNullTriggers(out, table, c, parts);
    if (added && c.kind == Kind::Check)
        addCheckTriggers(out, table, tabid, owner + u'.' + c.name, c);
    out.write(
        "insert into sysconstraints (constrid, constrname, owner, tabid, constrtype, idxname) "
        "values (?, ?, ?, ?, ?, ?)",
        {c.constrid, c.name, owner, tabid, QString(QLatin1Char(char(c.kind))), idxname});
    // A NOT NULL or check constraint has no index: the columns it depends
    // on are listed instead.
    if (c.kind == Kind::NotNull || c.kind == Kind::Check)
        for (int colno : parts)
            out.write("insert into syscoldepend (constrid, tabid, colno) values (?, ?, ?)", {c.constrid, tabid, colno});
    if (c.kind != Kind::References)
        return;
    out.write(
        "insert into sysreferences (constrid, \"primary\", ptabid, updrule, delrule, matchtype, "
        "pendant) values (?, ?, ?, 'R', ?, 'N', 'N')",
        {c.constrid, c.referencedConstrid, c.referencedTabid, c.cascadeDelete ? u"C"_s : u"R"_s});
    addReferenceTriggers(out, c.constrid, owner + u'.' + c.name, table, names(c.columns), c.referencedTable.name,
                         c.referencedKey, c.cascadeDelete);
}

// The columns a check condition names, by number, in the table's order.
std::vector<int> checkedColumns(const QString &condition, const QStringList &columnNames)
{
    const StatementTokens tokens(condition);
    std::vector<int> parts;
    for (size_t k = 0; k < tokens.size(); ++k)
        if (tokens.isWord(k) && !tokens.isSymbol(k + 1, u'('))
            if (const qsizetype i = columnNames.indexOf(tokens.lower(k)); i >= 0)
                parts.push_back(int(i) + 1);
    std::sort(parts.begin(), parts.end());
    parts.erase(std::unique(parts.begin(), parts.end()), parts.end());
    return parts;
}

void writeConstraints(CatalogWriter &out, qint64 tabid, const QString &owner, const QString &table,
                      const std::vector<ConstraintDefinition> &constraints, const QStringList &columnNames, bool added)
{
    qint64 highest = 0;
    // Keys first, so that a reference of the table to itself finds its key.
    for (const bool references : {false, true}) {
        for (const ConstraintDefinition &c : constraints) {
            if ((c.kind == Kind::References) != references)
                continue;
            highest = std::max(highest, c.constrid);
            std::vector<int> parts;
            for (const NamedAt &n : c.columns)
                parts.push_back(int(columnNames.indexOf(n.name)) + 1);
            if (c.kind == Kind::Check)
                parts = checkedColumns(c.condition, columnNames);
            writeConstraint(out, tabid, owner, table, c, parts, added);
        }
    }
    if (highest > 0)
        claimCatalogId(out, "constrid", highest);
    recountIndexes(out, tabid);
}

} // namespace

QString defaultConstraintName(ConstraintDefinition::Kind kind, qint64 tabid, qint64 constrid)
{
    QChar letter = u'c';
    switch (kind) {
    case Kind::PrimaryKey: case Kind::Unique: letter = u'u'; break;
    case Kind::References: letter = u'r'; break;
    case Kind::Check: letter = u'c'; break;
    case Kind::NotNull: letter = u'n'; break;
    }
    return letter + u"%1_%2"_s.arg(tabid).arg(constrid);
}

void recordConstraints(CatalogWriter &out, qint64 tabid, const QString &owner, const CreateTable &table)
{
    QStringList columnNames;
    for (const ColumnDefinition &c : table.columns)
        columnNames.append(c.name);
    writeConstraints(out, tabid, owner, table.name, table.constraints, columnNames, false);
}

void recordAddedConstraints(CatalogWriter &out, qint64 tabid, const QString &owner, const QString &table,
                            const std::vector<ConstraintDefinition> &constraints)
{
    sqlite3 *db = out.db();
    writeConstraints(out, tabid, owner, table, constraints, tableColumns(db, tabid), true);
}

bool canDropConstraint(sqlite3 *db, qint64 constrid)
{
    const auto rows = catalogRows(db, "select constrtype, idxname from sysconstraints where constrid = ?", {constrid});
    if (rows.isEmpty())
        return false;
    const QString type = rows[0][0].toString();
    const QString idxname = rows[0][1].toString();
    const auto exists = [&](const QString &name) {
        return catalogExec(db, "select count(*) from sqlite_master where name = ?", {name}) > 0;
    };
    if (type == u"R"_s)
        return true;
    if (type == u"C"_s)
        return exists(u"quoll_added_%1_0_insert"_s.arg(constrid));
    if (type == u"P"_s || type == u"U"_s)   // its own index, or a user's unique index that stays
        return exists(u"quoll_key_%1"_s.arg(constrid)) || !idxname.startsWith(u' ');
    return false;
}

void dropConstraint(CatalogWriter &out, qint64 constrid)
{
    sqlite3 *db = out.db();
    const auto rows = catalogRows(db, "select constrtype, idxname, tabid from sysconstraints where constrid = ?",
                                  {constrid});
    if (rows.isEmpty())
        return;
    const QString type = rows[0][0].toString();
    const QString idxname = rows[0][1].toString();
    const qint64 tabid = rows[0][2].toLongLong();
    if (type == u"P"_s || type == u"U"_s) {
        // References to the key go with it.
        for (const QList<QVariant> &child :
             catalogRows(db, "select constrid from sysreferences where \"primary\" = ?", {constrid}))
            dropConstraint(out, child[0].toLongLong());
    }
    dropReferenceTriggers(out, constrid);
    out.write(u"drop index if exists "_s + keyIndexName(constrid));
    for (const QList<QVariant> &t :
         catalogRows(db, "select name from sqlite_master where type = 'trigger' and substr(name, 1, length(?)) = ?",
                     {u"quoll_added_%1_"_s.arg(constrid), u"quoll_added_%1_"_s.arg(constrid)}))
        out.write(u"drop trigger "_s + quotedIdentifier(t[0].toString()));
    out.write("delete from sysreferences where constrid = ?", {constrid});
    out.write("delete from sysconstraints where constrid = ?", {constrid});
    if (idxname.startsWith(u' ') && catalogExec(db, "select count(*) from sysconstraints where idxname = ?", {idxname}) == 0)
        out.write("delete from sysindexes where idxname = ? and tabid = ?", {idxname, tabid});
    recountIndexes(out, tabid);
}

void forgetReferences(CatalogWriter &out, qint64 tabid)
{
    sqlite3 *db = out.db();
    for (const QList<QVariant> &row :
         catalogRows(db, "select constrid from sysconstraints where tabid = ? and constrtype = 'R'", {tabid}))
        dropReferenceTriggers(out, row[0].toLongLong());
    for (const QList<QVariant> &row : catalogRows(db,
                                                  "select r.constrid from sysreferences r, sysconstraints c "
                                                  "where r.ptabid = ? and c.constrid = r.constrid and c.tabid <> ?",
                                                  {tabid, tabid}))
        dropConstraint(out, row[0].toLongLong());
}

} // namespace quoll::connection::embedded
