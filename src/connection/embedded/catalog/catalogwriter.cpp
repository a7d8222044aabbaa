#include "connection/embedded/catalog/catalogwriter.h"

#include "connection/embedded/catalog/catalogrows.h"
#include "connection/embedded/catalog/constraintwriter.h"
#include "connection/engine/dateliterals.h"
#include "connection/embedded/server/informixerrors.h"
#include "connection/embedded/sql/informixtypes.h"

#include <QDate>
#include <QVariant>

#include <sqlite3.h>

using namespace Qt::Literals::StringLiterals;

namespace quoll::connection::embedded {

QString storedLiteral(int coltype, const QString &text)
{
    switch (coltype & 0xff) {
    case 0: case 13: case 15: case 16: case 40: case 41:
        return text;
    default:
        return QString::fromLatin1(text.toUtf8().toBase64(QByteArray::OmitTrailingEquals)) + u' ' + text;
    }
}

namespace {

// A SERIAL column numbers the rows inserted with 0 or without a value:
// one past the highest number the column ever had (deleting rows does not
// lower it), kept per column in quoll_serials; a larger number inserted
// moves the counter on.
void addSerialNumbering(CatalogWriter &out, const CreateTable &table)
{
    for (const ColumnDefinition &c : table.columns) {
        const QString base = c.type.section(u'(', 0, 0).trimmed().toLower();
        if (base != u"serial"_s && base != u"serial8"_s && base != u"bigserial"_s)
            continue;
        bool ok = false;
        const qint64 start = c.type.section(u'(', 1).section(u')', 0, 0).trimmed().toLongLong(&ok);
        writeSerialNumbering(out, table.name, c.name, ok ? start - 1 : 0);
    }
}

} // namespace

namespace {

// The highest number of a catalog identifier given so far.
qint64 highestCatalogId(sqlite3 *db, const char *name)
{
    struct Source
    {
        const char *name;
        const char *highest;
    };
    static constexpr Source sources[] = {
        {"tabid", "select max(tabid) from systables"},
        {"constrid", "select max(constrid) from sysconstraints"},
        {"procid", "select max(procid) from sysprocedures"},
        {"trigid", "select max(trigid) from systriggers"},
        {"seqid", "select max(seqid) from syssequences"},
    };
    const char *highest = nullptr;
    for (const Source &s : sources)
        if (qstrcmp(s.name, name) == 0)
            highest = s.highest;
    Q_ASSERT(highest);
    catalogExec(db, "create table if not exists quoll_catalog_ids (name varchar(32) primary key, last integer)");
    const qint64 given = catalogExec(db, "select last from quoll_catalog_ids where name = ?", {QString::fromLatin1(name)});
    qint64 top = std::max(given, catalogExec(db, highest));
    if (qstrcmp(name, "tabid") == 0)
        top = std::max<qint64>(top, 99);
    return top;
}

} // namespace

qint64 peekCatalogId(sqlite3 *db, const char *name)
{
    return highestCatalogId(db, name) + 1;
}

void claimCatalogId(CatalogWriter &out, const char *name, qint64 value)
{
    sqlite3 *db = out.db();
    const qint64 top = std::max(highestCatalogId(db, name), value);
    out.write("insert or replace into quoll_catalog_ids values (?, ?)", {QString::fromLatin1(name), top});
}

qint64 nextCatalogId(CatalogWriter &out, const char *name)
{
    sqlite3 *db = out.db();
    const qint64 next = peekCatalogId(db, name);
    claimCatalogId(out, name, next);
    return next;
}

qint64 tabidOf(sqlite3 *db, const QString &name)
{
    return catalogExec(db, "select tabid from systables where tabname = ? and tabid >= 100", {name});
}

qint64 lastSerial(sqlite3 *db, const QString &table)
{
    sqlite3_stmt *stmt = nullptr;
    qint64 value = 0;
    if (sqlite3_prepare_v2(db, "select last from quoll_serials where tabname = ?", -1, &stmt, nullptr) != SQLITE_OK)
        return 0; // a database without serial columns has no counter table
    const QByteArray name = table.toUtf8();
    sqlite3_bind_text(stmt, 1, name.constData(), int(name.size()), SQLITE_TRANSIENT);
    if (sqlite3_step(stmt) == SQLITE_ROW)
        value = sqlite3_column_int64(stmt, 0);
    sqlite3_finalize(stmt);
    return value;
}

int rowSizeOf(int coltype, int collength)
{
    const int length = collength < 0 ? collength + 65536 : collength;
    switch (coltype & 0xff) {
    case 0: case 15: return length;                    // CHAR, NCHAR
    case 13: case 16: return (length & 0xff) + 1;      // VARCHAR: maximum plus its length byte
    case 1: return 2;
    case 2: case 6: case 7: return 4;
    case 3: return 8;
    case 4: return 4;
    case 5: case 8: {                                  // DECIMAL, MONEY: two digits a byte
        // The digits are kept in pairs on each side of the decimal point,
        // so an odd scale costs a byte more, and so does a floating
        // DECIMAL(p), whose point may fall anywhere.
        const int precision = length >> 8;
        const int scale = length & 0xff;
        const bool oddScale = scale == 255 || scale % 2 == 1;
        return (precision + (oddScale ? 4 : 3)) / 2;
    }
    case 10: case 14: return (length >> 8) / 2 + 1;    // DATETIME, INTERVAL: stored as decimals
    case 11: case 12: return 56;                       // BYTE, TEXT descriptor
    case 17: case 18: return 10;
    case 40: return length + 3;                        // LVARCHAR
    case 41: return length == 1 ? 2 : length;         // BOOLEAN: its byte and a null flag; BLOB, CLOB
    case 52: case 53: return 8;
    default: return length;
    }
}

void writeSerialNumbering(CatalogWriter &out, const QString &table, const QString &column, qint64 last)
{
    out.write("create table if not exists quoll_serials (tabname varchar(128), colname varchar(128), "
              "last integer, primary key (tabname, colname))");
    out.write("insert or replace into quoll_serials values (?, ?, ?)", {table, column, last});
    const QString t = quotedIdentifier(table), col = quotedIdentifier(column);
    const QString key = u"tabname = '"_s + QString(table).replace(u'\'', u"''"_s) + u"' and colname = '"_s
                        + QString(column).replace(u'\'', u"''"_s) + u"'"_s;
    out.write(u"create trigger "_s + serialTriggerName(table, column) + u" after insert on "_s + t + u" begin "_s
              + u"update quoll_serials set last = max(last, coalesce(nullif(new."_s + col
              + u", 0), last + 1)) where "_s + key + u"; "_s
              + u"update "_s + t + u" set "_s + col + u" = (select last from quoll_serials where "_s
              + key + u") where rowid = new.rowid and coalesce(new."_s + col + u", 0) = 0; end"_s);
}

QString serialTriggerName(const QString &table, const QString &column)
{
    return quotedIdentifier(u"quoll_serial_"_s + table + u'_' + column);
}

void recordCreateTable(CatalogWriter &out, const CreateTable &table, const QString &owner)
{
    sqlite3 *db = out.db();
    const qint64 tabid = nextCatalogId(out, "tabid");
    if (table.tabid != 0 && table.tabid != tabid)
        throw informixError(InformixCode::EmbeddedFailure, u"the table's number changed while it was created"_s);
    int rowsize = 0;
    int colno = 0;
    for (const ColumnDefinition &c : table.columns) {
        const bool notNull = c.notNull || c.primaryKey;
        const ColumnTypeCode code = encodeColumnType(c.type, notNull);
        if (!code.valid)
            throw informixError(InformixCode::SyntaxError);
        rowsize += rowSizeOf(code.coltype, code.collength);
        if (c.defaultType != 0)
            out.write("insert into sysdefaults (tabid, colno, type, \"default\", class) values (?, ?, ?, ?, 'T')",
                {tabid, colno + 1, QString(QChar(c.defaultType)),
                 c.defaultType == u'L' ? storedLiteral(code.coltype, c.defaultValue) : QVariant()});
        out.write(
            "insert into syscolumns (colname, tabid, colno, coltype, collength, colmin, colmax, extended_id, "
            "seclabelid, colattr) values (?, ?, ?, ?, ?, null, null, ?, 0, 0)",
            {c.name, tabid, ++colno, code.coltype, code.collength, code.extendedId});
    }
    addSerialNumbering(out, table);
    out.write(
        "insert into systables (tabname, owner, partnum, tabid, rowsize, ncols, nindexes, nrows, created, version, "
        "tabtype, locklevel, npused, fextsize, nextsize, flags, type_xid, am_id, pagesize) values "
        "(?, ?, 0, ?, ?, ?, 0, 0, ?, 0, 'T', ?, 0, ?, ?, 0, 0, 0, 2048)",
        {table.name, owner, tabid, rowsize, int(table.columns.size()), storedDate(QDate::currentDate()),
        QString(QChar(table.lockLevel)), table.extentSize, table.nextSize});
    int evalpos = 0;
    for (const CreateTable::Fragment &f : table.fragments)
        out.write("insert into sysfragments (fragtype, tabid, indexname, colno, partn, strategy, location, servername, "
                  "evalpos, exprtext, exprbin, exprarr, flags, dbspace, levels, npused, nrows, clust, partition) "
                  "values ('T', ?, null, 0, 0, ?, 'L', null, ?, ?, null, null, 0, ?, 0, 0, 0, 0, ?)",
                  {tabid, QString(QChar(f.strategy)), evalpos++,
                   f.expression.isEmpty() ? QVariant() : QVariant(f.expression), f.dbspace, f.partition});
    recordConstraints(out, tabid, owner, table);
}

void recordDropTable(CatalogWriter &out, const QString &table)
{
    sqlite3 *db = out.db();
    const qint64 tabid = tabidOf(db, table);
    if (tabid == 0)
        return;
    forgetReferences(out, tabid);
    out.write("delete from syscolumns where tabid = ?", {tabid});
    out.write("delete from sysdefaults where tabid = ? and class = 'T'", {tabid});
    out.write("delete from sysindexes where tabid = ?", {tabid});
    out.write("delete from sysreferences where constrid in (select constrid from sysconstraints where tabid = ?)",
        {tabid});
    out.write("delete from sysconstraints where tabid = ?", {tabid});
    out.write("delete from systrigbody where trigid in (select trigid from systriggers where tabid = ?)", {tabid});
    out.write("delete from systriggers where tabid = ?", {tabid});
    out.write("delete from sysfragments where tabid = ?", {tabid});
    out.write("delete from syscoldepend where tabid = ?", {tabid});
    if (catalogExec(db, "select count(*) from sqlite_master where name = 'quoll_serials'") > 0)
        out.write("delete from quoll_serials where tabname = ?", {table});
    out.write("delete from systables where tabid = ?", {tabid});
}

} // namespace quoll::connection::embedded
