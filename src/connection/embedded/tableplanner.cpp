#include "connection/embedded/tableplanner.h"

#include "connection/embedded/catalogwriter.h"
#include "connection/embedded/constraintwriter.h"
#include "connection/embedded/informixerrors.h"

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

QChar nameLetter(Kind kind)
{
    switch (kind) {
    case Kind::PrimaryKey: case Kind::Unique: return u'u';
    case Kind::References: return u'r';
    case Kind::Check: return u'c';
    case Kind::NotNull: return u'n';
    }
    return u'c';
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
        for (const ConstraintDefinition &key : table.constraints) {
            const bool isKey = key.kind == Kind::PrimaryKey || key.kind == Kind::Unique;
            if (isKey && (wanted.isEmpty() ? key.kind == Kind::PrimaryKey : names(key.columns) == wanted)) {
                c.referencedConstrid = key.constrid;
                c.referencedTabid = table.tabid;
                c.referencedKey = names(key.columns);
                break;
            }
        }
    } else {
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
    if (c.referencedKey.size() != qsizetype(c.columns.size()))
        throw StatementError(InformixCode::SyntaxError, c.at);
}

} // namespace

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
    if (table.temporary) {
        // Not in the catalog: only named checks keep their names.
        for (const ConstraintDefinition &c : table.constraints)
            if (c.kind == Kind::Check && !c.name.isEmpty())
                edits.push_back({c.checkAt, c.checkAt, u"constraint "_s + c.name + u' '});
        return CatalogPlan{applyEdits(sql, std::move(edits)), {}};
    }

    table.tabid = peekCatalogId(db, "tabid");
    qint64 constrid = peekCatalogId(db, "constrid");
    QStringList columnNames;
    for (const ColumnDefinition &c : table.columns)
        columnNames.append(c.name);
    for (ConstraintDefinition &c : table.constraints) {
        c.constrid = constrid++;
        if (c.name.isEmpty())
            c.name = nameLetter(c.kind) + u"%1_%2"_s.arg(table.tabid).arg(c.constrid);
        for (const NamedAt &column : c.columns)
            if (!columnNames.contains(column.name))
                throw StatementError(InformixCode::ColumnNotFound, column.at, column.name);
        if (c.columns.size() > 16)
            throw StatementError(InformixCode::SyntaxError, c.columns[16].at);
        if (c.kind == Kind::Check)
            edits.push_back({c.checkAt, c.checkAt, u"constraint "_s + c.name + u' '});
    }
    for (ConstraintDefinition &c : table.constraints)
        if (c.kind == Kind::References)
            resolveReference(db, table, c);
    const QString owner = context.session->user;
    return CatalogPlan{applyEdits(sql, std::move(edits)),
                       [db, table = std::move(table), owner] { recordCreateTable(db, table, owner); }};
}

} // namespace quoll::connection::embedded
