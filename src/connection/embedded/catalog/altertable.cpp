#include "connection/embedded/catalog/altertable.h"

#include "connection/embedded/catalog/catalogrows.h"
#include "connection/embedded/catalog/catalogwriter.h"
#include "connection/embedded/catalog/constraintwriter.h"
#include "connection/embedded/catalog/viewstatements.h"
#include "connection/embedded/rewrite/storagepipeline.h"
#include "connection/embedded/server/informixerrors.h"
#include "connection/embedded/sql/ddlparser.h"
#include "connection/embedded/sql/informixtypes.h"
#include "connection/embedded/sql/statementcursor.h"

#include <sqlite3.h>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace quoll::connection::embedded {

namespace {

using Kind = ConstraintDefinition::Kind;

// One ADD, MODIFY or DROP of a column.
struct ColumnChange
{
    enum class Action { Add, Modify, Drop } action = Action::Add;
    NamedAt column;
    NamedAt before;                 // ADD ... BEFORE: the column it goes before
    ColumnDefinition definition;    // ADD and MODIFY
    std::vector<ConstraintDefinition> constraints;   // written on the column
    QString storageText;            // the column's definition for the storage engine
};

struct AlterTable
{
    NamedAt table;
    std::vector<ColumnChange> changes;
    std::optional<char16_t> lockLevel;
    std::optional<int> nextSize, extentSize;
};

bool startsAction(const StatementTokens &w, size_t k)
{
    return w.isWord(k, "add") || w.isWord(k, "modify") || w.isWord(k, "drop") || (w.isWord(k, "lock") && w.isWord(k + 1, "mode"));
}

// The column definition [first, end) of ADD or MODIFY read as CREATE TABLE
// reads one, and its text for the storage engine.
ColumnChange readDefinition(const CatalogContext &context, const StatementTokens &w, const QString &table, size_t first,
                            size_t end, ColumnChange::Action action)
{
    ColumnChange change;
    change.action = action;
    if (action == ColumnChange::Action::Add && end >= first + 3 && w.isWord(end - 2, "before")) {
        change.before = {w.isString(end - 1) ? w.value(end - 1).toLower() : w.lower(end - 1), w.begin(end - 1)};
        end -= 2;
    }
    if (first >= end || !w.isWord(first))
        throw StatementError(InformixCode::SyntaxError, w.begin(first));
    change.column = {w.lower(first), w.begin(first)};
    const QString prefix = u"create table "_s + quotedIdentifier(table) + u" ("_s;
    const QString scratch = prefix + w.written(first, end - 1) + u')';
    const StatementTokens tokens(scratch);
    std::optional<CreateTable> parsed = parseCreateTable(tokens);
    if (!parsed || parsed->columns.size() != 1)
        throw StatementError(InformixCode::SyntaxError, w.begin(first));
    change.definition = parsed->columns.front();
    const ColumnTypeCode code = encodeColumnType(change.definition.type, false);
    if (!code.valid)
        throw StatementError(InformixCode::SyntaxError, w.begin(first + 1));
    const QString base = change.definition.type.section(u'(', 0, 0).trimmed().toLower();
    const bool serial = base == u"serial"_s || base == u"serial8"_s || base == u"bigserial"_s;
    if (serial && action == ColumnChange::Action::Modify)
        throw StatementError(InformixCode::NotSupported, w.begin(first + 1),
                             u"MODIFY to a SERIAL type; add a new SERIAL column instead"_s);
    for (ConstraintDefinition &c : parsed->constraints) {
        if (c.kind == Kind::References)
            throw StatementError(InformixCode::NotSupported, w.begin(first),
                                 u"REFERENCES on a column of ALTER TABLE; add the column, then the constraint "
                                 "with ADD CONSTRAINT"_s);
        if (c.kind == Kind::PrimaryKey)
            throw StatementError(InformixCode::NotSupported, w.begin(first),
                                 u"PRIMARY KEY on a column of ALTER TABLE; add the column, then the constraint "
                                 "with ADD CONSTRAINT"_s);
        c.at = c.at - prefix.size() + w.begin(first);
        change.constraints.push_back(std::move(c));
    }
    // The storage engine's text of the column, by the road CREATE TABLE
    // takes, cut out of the statement again.
    std::vector<TextEdit> edits = parsed->storageEdits;
    QString added;
    if (serial)
        added += u" default 0"_s;
    if (!added.isEmpty())
        edits.push_back({change.definition.typeEnd, change.definition.typeEnd, added});
    const RewrittenSql edited = applyEdits(scratch, std::move(edits));
    const QString storage = toStorage(edited.text(), storedSchema(context.db), context.session->database).text();
    const qsizetype open = storage.indexOf(u'(');
    const qsizetype close = storage.lastIndexOf(u')');
    if (open < 0 || close <= open)
        throw StatementError(InformixCode::SyntaxError, w.begin(first));
    change.storageText = storage.mid(open + 1, close - open - 1).trimmed();
    return change;
}

// ALTER TABLE's actions, split at commas outside parentheses.
AlterTable parseAlterTable(const CatalogContext &context, const StatementTokens &w)
{
    AlterTable alter;
    StatementCursor names(w);
    names.setIndex(2);
    alter.table.at = names.offset();
    alter.table.name = names.name();
    size_t i = names.index();
    if (i >= w.size())
        throw StatementError(InformixCode::SyntaxError, w.sql().size());
    while (i < w.size()) {
        if (!startsAction(w, i))
            throw StatementError(InformixCode::SyntaxError, w.begin(i));
        // The action runs to the next comma that begins another action.
        size_t end = i + 1;
        for (; end < w.size(); ++end) {
            if (w.isSymbol(end, u'('))
                end = w.closing(end);
            else if (w.isSymbol(end, u',') && startsAction(w, end + 1))
                break;
        }
        end = std::min(end, w.size());
        if (w.isWord(i, "lock")) {
            size_t k = i + 2;
            const bool grouped = w.isSymbol(k, u'(');
            k += grouped ? 1 : 0;
            if (!w.isWord(k, "page") && !w.isWord(k, "row") && !w.isWord(k, "table"))
                throw StatementError(InformixCode::SyntaxError, w.begin(k));
            alter.lockLevel = w.text(k).front().toUpper().unicode();
            if (k + 1 + (grouped ? 1 : 0) != end)
                throw StatementError(InformixCode::SyntaxError, w.begin(k + 1));
        } else if (w.isWord(i + 1, "constraint")) {
            throw StatementError(InformixCode::NotSupported, w.begin(i),
                                 u"ADD CONSTRAINT or DROP CONSTRAINT with other actions in one ALTER TABLE; "
                                 "give the constraints an ALTER TABLE of their own"_s);
        } else if (w.isWord(i, "modify") && (w.isWord(i + 1, "next") || w.isWord(i + 1, "extent"))
                   && w.isWord(i + 2, "size") && w.isNumber(i + 3) && end == i + 4) {
            (w.isWord(i + 1, "next") ? alter.nextSize : alter.extentSize) = w.text(i + 3).toInt();
        } else {
            const auto action = w.isWord(i, "add")      ? ColumnChange::Action::Add
                                : w.isWord(i, "modify") ? ColumnChange::Action::Modify
                                                        : ColumnChange::Action::Drop;
            // One item, or a parenthesised list of them.
            std::vector<std::pair<size_t, size_t>> items;
            if (w.isSymbol(i + 1, u'(') && w.closing(i + 1) + 1 == end) {
                size_t from = i + 2;
                for (size_t k = from; k < end - 1; ++k) {
                    if (w.isSymbol(k, u'('))
                        k = w.closing(k);
                    else if (w.isSymbol(k, u',')) {
                        items.emplace_back(from, k);
                        from = k + 1;
                    }
                }
                items.emplace_back(from, end - 1);
            } else {
                items.emplace_back(i + 1, end);
            }
            for (const auto &[first, last] : items) {
                if (action == ColumnChange::Action::Drop) {
                    if (last != first + 1 || (!w.isWord(first) && !w.isString(first)))
                        throw StatementError(InformixCode::SyntaxError, w.begin(first));
                    ColumnChange change;
                    change.action = action;
                    change.column = {w.isString(first) ? w.value(first).toLower() : w.lower(first), w.begin(first)};
                    alter.changes.push_back(std::move(change));
                } else {
                    alter.changes.push_back(readDefinition(context, w, alter.table.name, first, last, action));
                }
            }
        }
        i = end + 1;
        if (end < w.size() && i >= w.size())
            throw StatementError(InformixCode::SyntaxError, w.sql().size());   // a comma and nothing after it
    }
    return alter;
}

// The items of a storage CREATE TABLE: its columns (with their names) and
// its table constraints (without).
struct StorageItem
{
    QString column;
    QString text;
};

std::vector<StorageItem> storageItems(const QString &createSql)
{
    const StatementTokens w(createSql);
    size_t open = 0;
    while (open < w.size() && !w.isSymbol(open, u'('))
        ++open;
    const size_t close = w.closing(open);
    std::vector<StorageItem> items;
    size_t from = open + 1;
    for (size_t k = from; k <= close && k < w.size(); ++k) {
        if (k < close && w.isSymbol(k, u'(')) {
            k = w.closing(k);
            continue;
        }
        if (k < close && !w.isSymbol(k, u','))
            continue;
        StorageItem item;
        item.text = w.written(from, k - 1);
        const bool constraint = w.isWord(from, "constraint") || w.isWord(from, "primary") || w.isWord(from, "unique")
                                || w.isWord(from, "check") || w.isWord(from, "foreign");
        if (!constraint)
            item.column = w.isString(from) ? w.value(from).toLower() : w.lower(from);
        items.push_back(std::move(item));
        from = k + 1;
    }
    return items;
}

// The table's columns in the catalog, in order.
struct CatalogColumn
{
    QString name;
    int coltype = 0;
    bool notNull = false;
};

std::vector<CatalogColumn> catalogColumns(sqlite3 *db, qint64 tabid)
{
    std::vector<CatalogColumn> columns;
    for (const QList<QVariant> &row :
         catalogRows(db, "select colname, coltype from syscolumns where tabid = ? order by colno", {tabid}))
        columns.push_back({row[0].toString(), row[1].toInt() & 0xff, (row[1].toInt() & 256) != 0});
    return columns;
}

int columnIndex(const std::vector<CatalogColumn> &columns, const QString &name)
{
    for (size_t i = 0; i < columns.size(); ++i)
        if (columns[i].name == name)
            return int(i);
    return -1;
}

// Refuses to drop a column that a key, reference, index or check uses: a
// server would drop those with it, which is more than a user may expect
// of a script run here.
void refuseDependentDrop(sqlite3 *db, qint64 tabid, int colno, const NamedAt &column)
{
    const qint64 indexed = catalogExec(
        db, "select count(*) from sysindexes where tabid = ? and ? in (abs(part1), abs(part2), abs(part3), "
            "abs(part4), abs(part5), abs(part6), abs(part7), abs(part8), abs(part9), abs(part10), abs(part11), "
            "abs(part12), abs(part13), abs(part14), abs(part15), abs(part16))",
        {tabid, colno});
    const qint64 checked = catalogExec(
        db, "select count(*) from syscoldepend d join sysconstraints c on c.constrid = d.constrid "
            "where d.tabid = ? and d.colno = ? and c.constrtype = 'C'",
        {tabid, colno});
    if (indexed > 0 || checked > 0)
        throw StatementError(InformixCode::NotSupported, column.at,
                             u"dropping the column %1, which an index or a constraint uses; drop the index "
                             "or the constraint first"_s.arg(column.name));
}

// The column numbers of the table from `colno` on move by `by` (+1 to make
// room, -1 to close a gap), in every catalog table that keeps them.
void moveColumnNumbers(CatalogWriter &out, qint64 tabid, int colno, int by)
{
    for (const char *table : {"syscolumns", "sysdefaults", "syscoldepend"})
        out.write(u"update %1 set colno = colno + ? where tabid = ? and colno >= ?"_s.arg(QLatin1String(table)),
                  {by, tabid, colno});
    sqlite3 *db = out.db();
    QStringList parts;
    for (int p = 1; p <= 16; ++p)
        parts.append(u"part%1"_s.arg(p));
    const QByteArray select = (u"select idxname, "_s + parts.join(u", "_s) + u" from sysindexes where tabid = ?"_s).toUtf8();
    for (const QList<QVariant> &row : catalogRows(db, select.constData(), {tabid})) {
        QList<QVariant> values;
        bool changed = false;
        for (int p = 1; p <= 16; ++p) {
            const int part = row[p].toInt();
            const int number = std::abs(part);
            const int moved = number >= colno && number != 0 ? number + by : number;
            changed = changed || moved != number;
            values.append(part < 0 ? -moved : moved);
        }
        if (!changed)
            continue;
        QStringList set;
        for (const QString &part : parts)
            set.append(part + u" = ?"_s);
        values.append(row[0]);
        values.append(tabid);
        out.write(u"update sysindexes set "_s + set.join(u", "_s) + u" where idxname = ? and tabid = ?"_s, values);
    }
}

// The catalog rows of one added column: syscolumns and its default (its
// constraints, NOT NULL included, follow with writeColumnConstraints).
void writeColumnRows(CatalogWriter &out, qint64 tabid, int colno, const ColumnChange &change)
{
    const ColumnDefinition &c = change.definition;
    const ColumnTypeCode code = encodeColumnType(c.type, c.notNull);
    out.write("insert into syscolumns (colname, tabid, colno, coltype, collength, colmin, colmax, extended_id, "
              "seclabelid, colattr) values (?, ?, ?, ?, ?, null, null, ?, 0, 0)",
              {c.name, tabid, colno, code.coltype, code.collength, code.extendedId});
    if (c.defaultType != 0)
        out.write("insert into sysdefaults (tabid, colno, type, \"default\", class) values (?, ?, ?, ?, 'T')",
                  {tabid, colno, QString(QChar(c.defaultType)),
                   c.defaultType == u'L' ? storedLiteral(code.coltype, c.defaultValue) : QVariant()});
}

// The column's NOT NULL constraints: removed from the catalog.
void dropNotNull(CatalogWriter &out, qint64 tabid, int colno)
{
    out.write("delete from sysconstraints where constrtype = 'N' and constrid in "
              "(select constrid from syscoldepend where tabid = ? and colno = ?)",
              {tabid, colno});
    out.write("delete from syscoldepend where tabid = ? and colno = ? and constrid not in "
              "(select constrid from sysconstraints)",
              {tabid, colno});
}

// The constraints written on an added or modified column, numbered and
// recorded as CREATE TABLE records them.
void writeColumnConstraints(CatalogWriter &out, qint64 tabid, const QString &owner, const QString &table,
                            const std::vector<CatalogColumn> &columns, ColumnChange change)
{
    if (change.constraints.empty())
        return;
    CreateTable scope;
    scope.name = table;
    scope.tabid = tabid;
    for (const CatalogColumn &c : columns) {
        ColumnDefinition d;
        d.name = c.name;
        scope.columns.push_back(d);
    }
    qint64 constrid = peekCatalogId(out.db(), "constrid");
    for (ConstraintDefinition &c : change.constraints) {
        c.constrid = constrid++;
        if (c.name.isEmpty())
            c.name = defaultConstraintName(c.kind, tabid, c.constrid);
        scope.constraints.push_back(c);
    }
    recordConstraints(out, tabid, owner, scope);
}

// Makes the storage engine's table again from `items`, copying the rows of
// the columns it keeps, then its indexes and triggers but those that name
// a dropped column.
void rebuildStorage(CatalogWriter &out, const QString &table, const std::vector<StorageItem> &items,
                    const QStringList &kept, const QStringList &dropped)
{
    sqlite3 *db = out.db();
    const auto objects = catalogRows(db, "select name, sql from sqlite_master where tbl_name = ? and sql is not null "
                                         "and type in ('index', 'trigger') order by type, name",
                                     {table});
    const QString rebuilt = u"quoll_altered_"_s + table;
    QStringList definitions;
    for (const StorageItem &item : items)
        definitions.append(item.text);
    QStringList columns;
    for (const QString &c : kept)
        columns.append(quotedIdentifier(c));
    out.write(u"create table "_s + quotedIdentifier(rebuilt) + u" ("_s + definitions.join(u", "_s) + u')');
    if (!columns.isEmpty())
        out.write(u"insert into "_s + quotedIdentifier(rebuilt) + u" ("_s + columns.join(u", "_s) + u") select "_s
                  + columns.join(u", "_s) + u" from "_s + quotedIdentifier(table));
    // Views on the table are left as they are written: renaming the new
    // table in place must not make the storage engine read them now.
    out.write("pragma legacy_alter_table = on");
    try {
        out.write(u"drop table "_s + quotedIdentifier(table));
        out.write(u"alter table "_s + quotedIdentifier(rebuilt) + u" rename to "_s + quotedIdentifier(table));
    } catch (...) {
        // Later renames must rewrite the views and triggers again.
        sqlite3_exec(db, "pragma legacy_alter_table = off", nullptr, nullptr, nullptr);
        throw;
    }
    out.write("pragma legacy_alter_table = off");
    for (const QList<QVariant> &object : objects) {
        const QString sql = object[1].toString();
        const StatementTokens tokens(sql);
        bool namesDropped = false;
        for (size_t k = 0; k < tokens.size() && !namesDropped; ++k)
            namesDropped = (tokens.isWord(k) && dropped.contains(tokens.lower(k)))
                           || (tokens.isString(k) && dropped.contains(tokens.value(k).toLower()));
        if (!namesDropped)
            out.write(sql);
    }
}

bool hasSerials(sqlite3 *db)
{
    return catalogExec(db, "select count(*) from sqlite_master where name = 'quoll_serials'") > 0;
}

void recountRow(CatalogWriter &out, qint64 tabid)
{
    int rowsize = 0;
    int ncols = 0;
    for (const QList<QVariant> &row :
         catalogRows(out.db(), "select coltype, collength from syscolumns where tabid = ?", {tabid})) {
        rowsize += rowSizeOf(row[0].toInt(), row[1].toInt());
        ++ncols;
    }
    out.write("update systables set ncols = ?, rowsize = ?, version = version + 1 where tabid = ?",
              {ncols, rowsize, tabid});
}

} // namespace

std::optional<CatalogPlan> planAlterTable(const CatalogContext &context, const StatementTokens &statement)
{
    if (!statement.isWord(0, "alter") || !statement.isWord(1, "table"))
        return std::nullopt;
    AlterTable alter = parseAlterTable(context, statement);
    sqlite3 *db = context.db;
    const qint64 tabid = catalogExec(db, "select tabid from systables where tabname = ? and tabtype = 'T'",
                                     {alter.table.name});
    if (tabid == 0)
        throw StatementError(InformixCode::TableNotInDatabase, alter.table.at, alter.table.name);
    // The changes are checked against the columns as each leaves them.
    std::vector<CatalogColumn> columns = catalogColumns(db, tabid);
    for (const ColumnChange &change : alter.changes) {
        const int at = columnIndex(columns, change.column.name);
        switch (change.action) {
        case ColumnChange::Action::Add:
            if (at >= 0)
                throw StatementError(InformixCode::ColumnAlreadyExists, change.column.at, change.column.name);
            if (!change.before.name.isEmpty() && columnIndex(columns, change.before.name) < 0)
                throw StatementError(InformixCode::ColumnNotFound, change.before.at, change.before.name);
            columns.insert(change.before.name.isEmpty() ? columns.end()
                                                        : columns.begin() + columnIndex(columns, change.before.name),
                           CatalogColumn{change.column.name, 0, change.definition.notNull});
            break;
        case ColumnChange::Action::Modify:
            if (at < 0)
                throw StatementError(InformixCode::ColumnNotFound, change.column.at, change.column.name);
            break;
        case ColumnChange::Action::Drop:
            if (at < 0)
                throw StatementError(InformixCode::ColumnNotFound, change.column.at, change.column.name);
            if (columns.size() == 1)
                throw StatementError(InformixCode::NotSupported, change.column.at,
                                     u"dropping the last column of a table; drop the table"_s);
            // Numbers in the catalog are the ones before this statement
            // only when no earlier change moved them.
            refuseDependentDrop(db, tabid, at + 1, change.column);
            columns.erase(columns.begin() + at);
            break;
        }
    }
    const QString owner = context.session->user;
    const QString table = alter.table.name;
    return CatalogPlan{std::nullopt, [alter = std::move(alter), tabid, owner, table](CatalogWriter &out) {
        sqlite3 *db = out.db();
        const std::optional<QString> createSql =
            catalogText(db, "select sql from sqlite_master where type = 'table' and name = ?", {table});
        if (!createSql)
            throw informixError(InformixCode::TableNotInDatabase, table);
        std::vector<StorageItem> items = storageItems(*createSql);
        QStringList dropped;
        QStringList kept;
        for (const CatalogColumn &c : catalogColumns(db, tabid))
            kept.append(c.name);
        const auto itemOf = [&](const QString &column) {
            return std::find_if(items.begin(), items.end(), [&](const StorageItem &i) { return i.column == column; });
        };
        for (const ColumnChange &change : alter.changes) {
            std::vector<CatalogColumn> columns = catalogColumns(db, tabid);
            const int at = columnIndex(columns, change.column.name);
            switch (change.action) {
            case ColumnChange::Action::Add: {
                const int colno = change.before.name.isEmpty() ? int(columns.size()) + 1
                                                               : columnIndex(columns, change.before.name) + 1;
                const auto place = change.before.name.isEmpty()
                                       ? std::find_if(items.begin(), items.end(),
                                                      [](const StorageItem &i) { return i.column.isEmpty(); })
                                       : itemOf(change.before.name);
                items.insert(place, StorageItem{change.column.name, change.storageText});
                moveColumnNumbers(out, tabid, colno, 1);
                writeColumnRows(out, tabid, colno, change);
                break;
            }
            case ColumnChange::Action::Modify: {
                const int colno = at + 1;
                if (const auto item = itemOf(change.column.name); item != items.end())
                    item->text = change.storageText;
                const ColumnTypeCode code = encodeColumnType(change.definition.type, change.definition.notNull);
                out.write("update syscolumns set coltype = ?, collength = ?, extended_id = ? where tabid = ? "
                          "and colno = ?",
                          {code.coltype, code.collength, code.extendedId, tabid, colno});
                out.write("delete from sysdefaults where tabid = ? and colno = ?", {tabid, colno});
                const ColumnDefinition &c = change.definition;
                if (c.defaultType != 0)
                    out.write("insert into sysdefaults (tabid, colno, type, \"default\", class) "
                              "values (?, ?, ?, ?, 'T')",
                              {tabid, colno, QString(QChar(c.defaultType)),
                               c.defaultType == u'L' ? storedLiteral(code.coltype, c.defaultValue) : QVariant()});
                // NOT NULL is what the new definition says.
                dropNotNull(out, tabid, colno);
                break;
            }
            case ColumnChange::Action::Drop: {
                const int colno = at + 1;
                if (const auto item = itemOf(change.column.name); item != items.end())
                    items.erase(item);
                dropNotNull(out, tabid, colno);
                out.write("delete from syscolumns where tabid = ? and colno = ?", {tabid, colno});
                out.write("delete from sysdefaults where tabid = ? and colno = ?", {tabid, colno});
                moveColumnNumbers(out, tabid, colno + 1, -1);
                dropped.append(change.column.name);
                kept.removeAll(change.column.name);
                const int coltype = columns[size_t(at)].coltype;
                if ((coltype == 6 || coltype == 18 || coltype == 53) && hasSerials(db)) {
                    out.write("delete from quoll_serials where tabname = ? and colname = ?", {table, change.column.name});
                }
                break;
            }
            }
            if (change.action != ColumnChange::Action::Drop)
                writeColumnConstraints(out, tabid, owner, table, catalogColumns(db, tabid), change);
        }
        rebuildStorage(out, table, items, kept, dropped);
        // A SERIAL column added numbers the rows there are, then counts on.
        for (const ColumnChange &change : alter.changes) {
            const QString base = change.definition.type.section(u'(', 0, 0).trimmed().toLower();
            if (change.action != ColumnChange::Action::Add
                || (base != u"serial"_s && base != u"serial8"_s && base != u"bigserial"_s))
                continue;
            const QString t = quotedIdentifier(table), c = quotedIdentifier(change.column.name);
            out.write(u"update "_s + t + u" set "_s + c + u" = (select count(*) from "_s + t
                      + u" o where o.rowid <= "_s + t + u".rowid)"_s);
            writeSerialNumbering(out, table, change.column.name,
                                 catalogExec(db, (u"select count(*) from "_s + t).toUtf8().constData()));
        }
        if (alter.lockLevel)
            out.write("update systables set locklevel = ? where tabid = ?", {QString(QChar(*alter.lockLevel)), tabid});
        if (alter.nextSize)
            out.write("update systables set nextsize = ? where tabid = ?", {*alter.nextSize, tabid});
        if (alter.extentSize)
            out.write("update systables set fextsize = ? where tabid = ?", {*alter.extentSize, tabid});
        recountRow(out, tabid);
        dropViewsLeftBroken(out);
    }};
}

std::optional<CatalogPlan> planRenameStatement(const CatalogContext &context, const StatementTokens &statement)
{
    if (!statement.isWord(0, "rename") || (!statement.isWord(1, "table") && !statement.isWord(1, "column")))
        return std::nullopt;
    sqlite3 *db = context.db;
    StatementCursor in(statement);
    in.setIndex(2);
    if (statement.isWord(1, "table")) {
        const qsizetype oldAt = in.offset();
        const QString oldName = in.name();
        in.expect("to");
        const qsizetype newAt = in.offset();
        const QString newName = in.name();
        in.expectEnd();
        const qint64 tabid = catalogExec(db, "select tabid from systables where tabname = ? and tabtype = 'T'",
                                         {oldName});
        if (tabid == 0)
            throw StatementError(InformixCode::TableNotInDatabase, oldAt, oldName);
        if (catalogExec(db, "select count(*) from systables where tabname = ?", {newName}) > 0)
            throw StatementError(InformixCode::TableAlreadyExists, newAt, newName);
        return CatalogPlan{std::nullopt, [tabid, oldName, newName](CatalogWriter &out) {
            sqlite3 *db = out.db();
            const auto serials = hasSerials(db) ? catalogRows(db, "select colname, last from quoll_serials "
                                                                  "where tabname = ?", {oldName})
                                                : QList<QList<QVariant>>();
            out.write(u"alter table "_s + quotedIdentifier(oldName) + u" rename to "_s + quotedIdentifier(newName));
            out.write("update systables set tabname = ?, version = version + 1 where tabid = ?", {newName, tabid});
            // The numbering names its table in its text: written again.
            for (const QList<QVariant> &serial : serials) {
                out.write(u"drop trigger if exists "_s + serialTriggerName(oldName, serial[0].toString()));
                out.write("delete from quoll_serials where tabname = ? and colname = ?", {oldName, serial[0]});
                writeSerialNumbering(out, newName, serial[0].toString(), serial[1].toLongLong());
            }
        }};
    }
    // RENAME COLUMN [owner.]table.column TO new
    const qsizetype nameAt = in.offset();
    QStringList parts;
    do {
        const StatementTokens &w = in.tokens();
        const size_t k = in.index();
        if (w.isWord(k))
            parts.append(w.lower(k));
        else if (w.isString(k))
            parts.append(w.value(k).toLower());
        else
            in.failHere(InformixCode::SyntaxError);
        in.setIndex(k + 1);
    } while (in.acceptSymbol(u'.'));
    if (parts.size() < 2)
        throw StatementError(InformixCode::SyntaxError, nameAt);
    const QString table = parts[parts.size() - 2];
    const QString column = parts.back();
    in.expect("to");
    const qsizetype newAt = in.offset();
    const QString newName = in.name();
    in.expectEnd();
    const qint64 tabid = catalogExec(db, "select tabid from systables where tabname = ? and tabtype = 'T'", {table});
    if (tabid == 0)
        throw StatementError(InformixCode::TableNotInDatabase, nameAt, table);
    const std::vector<CatalogColumn> columns = catalogColumns(db, tabid);
    const int at = columnIndex(columns, column);
    if (at < 0)
        throw StatementError(InformixCode::ColumnNotFound, nameAt, column);
    if (columnIndex(columns, newName) >= 0)
        throw StatementError(InformixCode::ColumnAlreadyExists, newAt, newName);
    return CatalogPlan{std::nullopt, [tabid, table, column, newName, colno = at + 1](CatalogWriter &out) {
        sqlite3 *db = out.db();
        const auto serials = hasSerials(db) ? catalogRows(db, "select last from quoll_serials where tabname = ? "
                                                              "and colname = ?", {table, column})
                                            : QList<QList<QVariant>>();
        out.write(u"alter table "_s + quotedIdentifier(table) + u" rename column "_s + quotedIdentifier(column)
                  + u" to "_s + quotedIdentifier(newName));
        out.write("update syscolumns set colname = ? where tabid = ? and colno = ?", {newName, tabid, colno});
        out.write("update systables set version = version + 1 where tabid = ?", {tabid});
        for (const QList<QVariant> &serial : serials) {
            out.write(u"drop trigger if exists "_s + serialTriggerName(table, column));
            out.write("delete from quoll_serials where tabname = ? and colname = ?", {table, column});
            writeSerialNumbering(out, table, newName, serial[0].toLongLong());
        }
    }};
}

} // namespace quoll::connection::embedded
