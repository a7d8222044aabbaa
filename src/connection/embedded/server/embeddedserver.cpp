#include "connection/embedded/server/embeddedserver.h"
#include "connection/engine/dateliterals.h"

#include "connection/embedded/catalog/catalogschema.h"
#include "connection/embedded/server/informixerrors.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <sqlite3.h>

using namespace Qt::Literals::StringLiterals;

namespace quoll::connection::embedded {

namespace {

[[noreturn]] void fail(sqlite3 *db, const QString &what)
{
    const QString message = what + u": "_s + QString::fromUtf8(db ? sqlite3_errmsg(db) : "out of memory");
    throw informixError(InformixCode::EmbeddedFailure, message);
}

// Runs one statement with text parameters; returns the first column of the
// first row, if any.
QString queryValue(sqlite3 *db, const char *sql, const QStringList &params = {})
{
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) != SQLITE_OK)
        fail(db, u"sysmaster"_s);
    for (int i = 0; i < params.size(); ++i) {
        const QByteArray value = params[i].toUtf8();
        sqlite3_bind_text(stmt, i + 1, value.constData(), int(value.size()), SQLITE_TRANSIENT);
    }
    QString result;
    const int rc = sqlite3_step(stmt);
    if (rc == SQLITE_ROW && sqlite3_column_type(stmt, 0) != SQLITE_NULL)
        result = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0)));
    sqlite3_finalize(stmt);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        fail(db, u"sysmaster"_s);
    return result;
}

// Settings of the storage library as a whole, made once before its first
// use. Nothing here reads its memory statistics, and keeping them takes a
// lock on every allocation: parsing a small statement allocates dozens of
// times.
void configureStorageLibrary()
{
    static const bool configured = [] {
        sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);   // refused, harmlessly, once the library runs
        return sqlite3_initialize() == SQLITE_OK;
    }();
    Q_UNUSED(configured);
}

struct Handle
{
    sqlite3 *db = nullptr;
    ~Handle() { sqlite3_close_v2(db); }
};

} // namespace

EmbeddedServer::EmbeddedServer(QString name, QString folder) : m_name(std::move(name)), m_folder(std::move(folder))
{
    configureStorageLibrary();
}

QString EmbeddedServer::normalName(const QString &name)
{
    return name.trimmed().toLower();
}

bool EmbeddedServer::isValidName(const QString &name)
{
    static const QRegularExpression pattern(u"^[a-z_][a-z0-9_$]{0,127}$"_s);
    return pattern.match(normalName(name)).hasMatch();
}

QString EmbeddedServer::databaseFile(const QString &name) const
{
    return QDir(m_folder).filePath(normalName(name) + u".db"_s);
}

void EmbeddedServer::buildDatabaseFile(const QString &name, bool sysmaster) const
{
    // Built beside its final name and moved in place, so that a failure
    // never leaves a half-made database behind.
    const QString finalName = databaseFile(name);
    const QString partName = finalName + u".part"_s;
    QFile::remove(partName);
    try {
        Handle h;
        if (sqlite3_open_v2(partName.toUtf8().constData(), &h.db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr)
            != SQLITE_OK)
            fail(h.db, partName);
        createCatalog(h.db, sysmaster);
        if (sysmaster)
            queryValue(h.db,
                       "insert into sysdatabases (name, partnum, owner, created, is_logging, is_buff_log, is_ansi, "
                       "is_nls, is_case_insens, flags) values ('sysmaster', 0, 'informix', ?, 1, 0, 0, 0, 0, 1)",
                       {storedDate(QDate::currentDate())});
    } catch (...) {
        QFile::remove(partName);
        throw;
    }
    if (!QFile::rename(partName, finalName)) {
        QFile::remove(partName);
        throw informixError(InformixCode::EmbeddedFailure, u"cannot create %1"_s.arg(finalName));
    }
}

void EmbeddedServer::ensureExists(const QString &user) const
{
    if (m_seed && !QFile::exists(databaseFile(QString::fromLatin1(Sysmaster)))) {
        const QString building = QDir::cleanPath(m_folder) + u".building"_s;
        QDir(building).removeRecursively();
        const EmbeddedServer part(m_name, building);
        try {
            part.ensureExists();
            m_seed(part, user);
        } catch (...) {
            QDir(building).removeRecursively();
            throw;
        }
        QDir().rmdir(m_folder);   // an empty folder is no server; anything else stays
        if (!QDir().rename(building, m_folder)) {
            QDir(building).removeRecursively();
            throw informixError(InformixCode::EmbeddedFailure,
                                u"cannot move the new server into %1"_s.arg(m_folder));
        }
        return;
    }
    if (!QDir().mkpath(m_folder))
        throw informixError(InformixCode::EmbeddedFailure, u"cannot create the server folder %1"_s.arg(m_folder));
    if (!QFile::exists(databaseFile(QString::fromLatin1(Sysmaster))))
        buildDatabaseFile(QString::fromLatin1(Sysmaster), true);
}

bool EmbeddedServer::hasDatabase(const QString &name) const
{
    return isValidName(name) && QFile::exists(databaseFile(name));
}

bool EmbeddedServer::isLogging(const QString &name) const
{
    Handle master{open(QString::fromLatin1(Sysmaster))};
    return queryValue(master.db, "select is_logging from sysdatabases where name = ?", {normalName(name)}) == u"1"_s;
}

QStringList EmbeddedServer::databases() const
{
    Handle master{open(QString::fromLatin1(Sysmaster))};
    sqlite3_stmt *stmt = nullptr;
    QStringList names;
    if (sqlite3_prepare_v2(master.db, "select name from sysdatabases order by name", -1, &stmt, nullptr) != SQLITE_OK)
        fail(master.db, u"sysmaster"_s);
    while (sqlite3_step(stmt) == SQLITE_ROW)
        names.append(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0))));
    sqlite3_finalize(stmt);
    return names;
}

void EmbeddedServer::createDatabase(const QString &name, const QString &owner, bool logging) const
{
    const QString normal = normalName(name);
    if (!isValidName(normal) || hasDatabase(normal))
        throw informixError(InformixCode::CannotCreateDatabase);
    buildDatabaseFile(normal, false);
    try {
        Handle master{open(QString::fromLatin1(Sysmaster))};
        queryValue(master.db,
                   "insert into sysdatabases (name, partnum, owner, created, is_logging, is_buff_log, is_ansi, "
                   "is_nls, is_case_insens, flags) values (?, 0, ?, ?, ?, 0, 0, 0, 0, ?)",
                   {normal, owner, storedDate(QDate::currentDate()), logging ? u"1"_s : u"0"_s,
                    logging ? u"1"_s : u"0"_s});
    } catch (...) {
        // Not listed means not there: take the file away again.
        QFile::remove(databaseFile(normal));
        throw;
    }
}

void EmbeddedServer::dropDatabase(const QString &name) const
{
    const QString normal = normalName(name);
    if (!hasDatabase(normal) || normal == QString::fromLatin1(Sysmaster))
        throw informixError(InformixCode::DatabaseNotFound);
    Handle master{open(QString::fromLatin1(Sysmaster))};
    queryValue(master.db, "delete from sysdatabases where name = ?", {normal});
    QFile::remove(databaseFile(normal) + u"-journal"_s);
    if (!QFile::remove(databaseFile(normal)))
        throw informixError(InformixCode::EmbeddedFailure, u"cannot remove %1"_s.arg(databaseFile(normal)));
}

sqlite3 *EmbeddedServer::open(const QString &name) const
{
    if (!hasDatabase(name))
        throw informixError(InformixCode::DatabaseNotFound);
    sqlite3 *db = nullptr;
    // A connection is used by one thread only: no lock on every call.
    if (sqlite3_open_v2(databaseFile(name).toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX,
                        nullptr)
        != SQLITE_OK) {
        const QString message = QString::fromUtf8(db ? sqlite3_errmsg(db) : "out of memory");
        sqlite3_close_v2(db);
        throw informixError(InformixCode::EmbeddedFailure, message);
    }
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, 2000);
    // A file emptied, cut short or overwritten since the database was made
    // has no catalog to read: said so, not found out statement by statement.
    sqlite3_stmt *probe = nullptr;
    const bool readable =
        sqlite3_prepare_v2(db, "select count(*) from sqlite_master where name = 'systables'", -1, &probe, nullptr)
            == SQLITE_OK
        && sqlite3_step(probe) == SQLITE_ROW && sqlite3_column_int(probe, 0) == 1;
    sqlite3_finalize(probe);
    if (!readable) {
        sqlite3_close_v2(db);
        throw informixError(InformixCode::DatabaseFileDamaged, databaseFile(name));
    }
    // Write-ahead log, synced at checkpoints rather than at every commit:
    // what a server with a buffered log does. Committed work survives a crash
    // of the program; a power cut may lose the last moments of commits but
    // never leaves a damaged database. Syncing every statement of a script
    // run in autocommit took some 9 ms each on an ordinary disk. Where the
    // file system cannot hold a write-ahead log the journal stays as it was.
    sqlite3_exec(db, "pragma journal_mode = wal", nullptr, nullptr, nullptr);
    sqlite3_exec(db, "pragma synchronous = normal", nullptr, nullptr, nullptr);
    try {
        upgradeCatalog(db);
    } catch (...) {
        sqlite3_close_v2(db);
        throw;
    }
    return db;
}

} // namespace quoll::connection::embedded
