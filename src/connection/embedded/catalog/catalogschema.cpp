#include "connection/embedded/catalog/catalogschema.h"
#include "connection/engine/dateliterals.h"

#include "connection/embedded/server/informixerrors.h"

#include <QDate>

#include <sqlite3.h>

#include <algorithm>
#include <array>

namespace quoll::connection::embedded {

namespace {

struct CatalogTable
{
    int tabid;
    const char *name;
    const char *columns;  // SQLite column definitions with Informix types
};

// Column names that are keywords of the storage engine are quoted.
constexpr std::array catalogTables{
    CatalogTable{1, "systables",
                 "tabname VARCHAR(128), owner CHAR(32), partnum INTEGER, tabid INTEGER PRIMARY KEY, "
                 "rowsize SMALLINT, ncols SMALLINT, nindexes SMALLINT, nrows FLOAT, created DATE, "
                 "version INTEGER, tabtype CHAR(1), locklevel CHAR(1), npused FLOAT, fextsize INTEGER, "
                 "nextsize INTEGER, flags SMALLINT, site VARCHAR(128), dbname VARCHAR(128), "
                 "type_xid INTEGER, am_id INTEGER, pagesize INTEGER, ustlowts \"DATETIME YEAR TO FRACTION\", "
                 "secpolicyid INTEGER, protgranularity CHAR(1), statchange SMALLINT, statlevel CHAR(1)"},
    CatalogTable{2, "syscolumns",
                 "colname VARCHAR(128), tabid INTEGER, colno SMALLINT, coltype SMALLINT, collength SMALLINT, "
                 "colmin INTEGER, colmax INTEGER, extended_id INTEGER, seclabelid INTEGER, colattr SMALLINT"},
    CatalogTable{3, "sysindexes",
                 "idxname VARCHAR(128), owner VARCHAR(32), tabid INTEGER, idxtype CHAR(1), clustered CHAR(1), "
                 "part1 SMALLINT, part2 SMALLINT, part3 SMALLINT, part4 SMALLINT, part5 SMALLINT, "
                 "part6 SMALLINT, part7 SMALLINT, part8 SMALLINT, part9 SMALLINT, part10 SMALLINT, "
                 "part11 SMALLINT, part12 SMALLINT, part13 SMALLINT, part14 SMALLINT, part15 SMALLINT, "
                 "part16 SMALLINT, levels SMALLINT, leaves FLOAT, nunique FLOAT, clust FLOAT"},
    CatalogTable{6, "sysviews", "tabid INTEGER, seqno SMALLINT, viewtext CHAR(64)"},
    CatalogTable{7, "sysusers",
                 "username VARCHAR(32), usertype CHAR(1), priority SMALLINT, password CHAR(16), defrole VARCHAR(32)"},
    CatalogTable{10, "syssyntable",
                 "tabid INTEGER, servername VARCHAR(128), dbname VARCHAR(128), owner VARCHAR(32), "
                 "tabname VARCHAR(128), btabid INTEGER"},
    CatalogTable{11, "sysconstraints",
                 "constrid INTEGER PRIMARY KEY, constrname VARCHAR(128), owner VARCHAR(32), tabid INTEGER, "
                 "constrtype CHAR(1), idxname VARCHAR(128), collation CHAR(32)"},
    CatalogTable{12, "sysreferences",
                 "constrid INTEGER, \"primary\" INTEGER, ptabid INTEGER, updrule CHAR(1), delrule CHAR(1), "
                 "matchtype CHAR(1), pendant CHAR(1)"},
    CatalogTable{14, "sysdefaults",
                 "tabid INTEGER, colno SMALLINT, type CHAR(1), \"default\" CHAR(256), class CHAR(1)"},
    CatalogTable{15, "syscoldepend", "constrid INTEGER, tabid INTEGER, colno SMALLINT"},
    CatalogTable{16, "sysprocedures",
                 "procname VARCHAR(128), owner VARCHAR(32), procid INTEGER PRIMARY KEY, mode CHAR(1), "
                 "retsize INTEGER, symsize INTEGER, datasize INTEGER, codesize INTEGER, numargs INTEGER, "
                 "isproc CHAR(1), specificname VARCHAR(128), externalname VARCHAR(255), paramstyle CHAR(1), "
                 "langid INTEGER, paramtypes LVARCHAR, variant BOOLEAN, client BOOLEAN, handlesnulls BOOLEAN, "
                 "percallcost INTEGER, commutator VARCHAR(128), negator VARCHAR(128), selfunc VARCHAR(128), "
                 "internal BOOLEAN, class CHAR(18), stack INTEGER"},
    CatalogTable{17, "sysprocbody", "procid INTEGER, datakey CHAR(1), seqno INTEGER, data CHAR(256)"},
    CatalogTable{19, "sysprocauth", "grantor VARCHAR(32), grantee VARCHAR(32), procid INTEGER, procauth CHAR(1)"},
    CatalogTable{22, "systriggers",
                 "trigid INTEGER PRIMARY KEY, trigname VARCHAR(128), owner VARCHAR(32), tabid INTEGER, "
                 "event CHAR(1), old VARCHAR(128), new VARCHAR(128), mode CHAR(1), collation CHAR(32)"},
    CatalogTable{23, "systrigbody", "trigid INTEGER, datakey CHAR(1), seqno INTEGER, data CHAR(256)"},
    CatalogTable{25, "sysfragments",
                 "fragtype CHAR(1), tabid INTEGER, indexname VARCHAR(128), colno INTEGER, partn INTEGER, "
                 "strategy CHAR(1), location CHAR(1), servername VARCHAR(128), evalpos INTEGER, exprtext TEXT, "
                 "exprbin BYTE, exprarr BYTE, flags INTEGER, dbspace VARCHAR(128), levels SMALLINT, npused FLOAT, "
                 "nrows FLOAT, clust FLOAT, partition VARCHAR(128)"},
    CatalogTable{29, "sysroleauth", "rolename VARCHAR(32), grantee VARCHAR(32), is_grantable CHAR(1)"},
    CatalogTable{47, "syssequences",
                 "seqid INTEGER PRIMARY KEY, tabid INTEGER, start_val INT8, inc_val INT8, max_val INT8, "
                 "min_val INT8, cycle CHAR(1), restart_val INT8, cache INTEGER, \"order\" CHAR(1)"},
};

constexpr CatalogTable sysdatabasesTable{
    30, "sysdatabases",
    "name CHAR(128), partnum INTEGER, owner CHAR(32), created DATE, is_logging INTEGER, "
    "is_buff_log INTEGER, is_ansi INTEGER, is_nls INTEGER, is_case_insens INTEGER, flags SMALLINT"};

// The storage engine's indexes on the catalog, so that looking up one
// table's rows stays quick in a catalog of thousands of tables.
constexpr std::array catalogIndexes{
    "create index quoll_systables_name on systables (tabname)",
    "create index quoll_syscolumns_tabid on syscolumns (tabid, colno)",
    "create index quoll_sysdefaults_tabid on sysdefaults (tabid, colno)",
    "create index quoll_sysindexes_tabid on sysindexes (tabid)",
    "create index quoll_sysindexes_name on sysindexes (idxname)",
    "create index quoll_sysconstraints_tabid on sysconstraints (tabid)",
    "create index quoll_sysconstraints_name on sysconstraints (constrname)",
    "create index quoll_sysreferences_constrid on sysreferences (constrid)",
    "create index quoll_sysreferences_ptabid on sysreferences (ptabid)",
    "create index quoll_systriggers_tabid on systriggers (tabid)",
    "create index quoll_systrigbody_trigid on systrigbody (trigid, datakey, seqno)",
    "create index quoll_sysprocedures_name on sysprocedures (procname)",
    "create index quoll_sysprocbody_procid on sysprocbody (procid, datakey, seqno)",
    "create index quoll_sysprocauth_procid on sysprocauth (procid)",
    "create index quoll_sysviews_tabid on sysviews (tabid, seqno)",
    "create index quoll_sysroleauth_grantee on sysroleauth (grantee)",
    "create index quoll_syssyntable_tabid on syssyntable (tabid)",
    "create index quoll_syscoldepend_tabid on syscoldepend (tabid, colno)",
    "create index quoll_sysfragments_tabid on sysfragments (tabid)",
    "create index quoll_syssequences_tabid on syssequences (tabid)",
};

void exec(sqlite3 *db, const QByteArray &sql)
{
    char *error = nullptr;
    if (sqlite3_exec(db, sql.constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        const QString message = QString::fromUtf8(error ? error : "unknown");
        sqlite3_free(error);
        throw informixError(InformixCode::EmbeddedFailure, message);
    }
}

int columnCount(sqlite3 *db, const char *table)
{
    sqlite3_stmt *stmt = nullptr;
    const QByteArray sql = QByteArray("select count(*) from pragma_table_info('") + table + "')";
    int count = 0;
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &stmt, nullptr) == SQLITE_OK && sqlite3_step(stmt) == SQLITE_ROW)
        count = sqlite3_column_int(stmt, 0);
    sqlite3_finalize(stmt);
    return count;
}

QByteArray quoted(const QByteArray &text)
{
    QByteArray out = text;
    out.replace('\'', "''");
    return '\'' + out + '\'';
}

void listInSystables(sqlite3 *db, int tabid, const QByteArray &name, int ncols, const QByteArray &created)
{
    exec(db, "insert into systables (tabname, owner, partnum, tabid, rowsize, ncols, nindexes, nrows, created, "
             "version, tabtype, locklevel, npused, fextsize, nextsize, flags, type_xid, am_id, pagesize) values ("
                 + quoted(name) + ", " + quoted(CatalogOwner) + ", 0, " + QByteArray::number(tabid) + ", 0, "
                 + QByteArray::number(ncols) + ", 0, 0, " + quoted(created) + ", 0, 'T', 'R', 0, 16, 16, 0, 0, 0, 2048)");
}

bool hasTable(sqlite3 *db, const char *name)
{
    sqlite3_stmt *stmt = nullptr;
    bool found = false;
    if (sqlite3_prepare_v2(db, "select 1 from sqlite_master where type = 'table' and name = ?", -1, &stmt, nullptr)
        == SQLITE_OK) {
        sqlite3_bind_text(stmt, 1, name, -1, SQLITE_STATIC);
        found = sqlite3_step(stmt) == SQLITE_ROW;
    }
    sqlite3_finalize(stmt);
    return found;
}

// The indexes among catalogIndexes made on `table`.
std::vector<const char *> indexesOn(const char *table)
{
    std::vector<const char *> indexes;
    const QByteArray on = QByteArray(" on ") + table + " (";
    for (const char *index : catalogIndexes)
        if (QByteArray(index).contains(on))
            indexes.push_back(index);
    return indexes;
}

} // namespace

void upgradeCatalog(sqlite3 *db)
{
    // Only the tables later versions added: a database that lost one of
    // the others is damaged, and is reported so where it is read.
    using namespace Qt::Literals::StringLiterals;
    static constexpr std::array addedLater{"syssyntable"_L1, "syscoldepend"_L1, "sysfragments"_L1,
                                           "syssequences"_L1};
    // Most opens find every table: one look per table, no transaction.
    std::vector<const CatalogTable *> missing;
    for (const CatalogTable &t : catalogTables)
        if (std::find(addedLater.begin(), addedLater.end(), QLatin1StringView(t.name)) != addedLater.end()
            && !hasTable(db, t.name))
            missing.push_back(&t);
    if (missing.empty())
        return;
    const QByteArray created = storedDate(QDate::currentDate()).toLatin1();
    exec(db, "begin immediate");
    try {
        for (const CatalogTable *t : missing) {
            if (hasTable(db, t->name))
                continue;   // another connection was quicker
            exec(db, QByteArray("create table ") + t->name + " (" + t->columns + ")");
            for (const char *index : indexesOn(t->name))
                exec(db, index);
            listInSystables(db, t->tabid, t->name, columnCount(db, t->name), created);
        }
        exec(db, "commit");
    } catch (...) {
        sqlite3_exec(db, "rollback", nullptr, nullptr, nullptr);
        throw;
    }
}

void createCatalog(sqlite3 *db, bool sysmaster)
{
    const QByteArray created = storedDate(QDate::currentDate()).toLatin1();
    exec(db, "begin");
    try {
        std::vector<CatalogTable> tables(catalogTables.begin(), catalogTables.end());
        if (sysmaster)
            tables.push_back(sysdatabasesTable);
        for (const CatalogTable &t : tables)
            exec(db, QByteArray("create table ") + t.name + " (" + t.columns + ")");
        for (const char *index : catalogIndexes)
            exec(db, index);
        for (const CatalogTable &t : tables)
            listInSystables(db, t.tabid, t.name, columnCount(db, t.name), created);
        // Locale and version rows; their names begin with a blank.
        listInSystables(db, 90, " GL_COLLATE", 0, created);
        listInSystables(db, 91, " GL_CTYPE", 0, created);
        listInSystables(db, 99, " VERSION", 0, created);
        exec(db, "commit");
    } catch (...) {
        sqlite3_exec(db, "rollback", nullptr, nullptr, nullptr);
        throw;
    }
}

} // namespace quoll::connection::embedded
