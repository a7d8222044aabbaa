#pragma once

#include <QString>
#include <QStringList>

#include <functional>

struct sqlite3;

namespace quoll::connection::embedded {

// An embedded server on disk: a folder holding one SQLite file per
// database, "sysmaster.db" among them, whose `sysdatabases` lists the
// server's databases. Every database carries its own system catalog.
class EmbeddedServer
{
public:
    static constexpr const char *Sysmaster = "sysmaster";

    // `name` is the server's name as the server list shows it.
    EmbeddedServer(QString name, QString folder);

    const QString &name() const { return m_name; }
    const QString &folder() const { return m_folder; }

    // Fills a server when it is made: gets the new server (in a folder of its
    // own until it is complete) and the user who is connecting.
    using Seed = std::function<void(const EmbeddedServer &building, const QString &user)>;
    void setSeed(Seed seed) { m_seed = std::move(seed); }

    // Creates the folder and `sysmaster` when they are missing. A server
    // with a seed is made whole beside its folder and then moved into place,
    // so that an interrupted first start leaves no half-made server behind.
    void ensureExists(const QString &user = {}) const;

    // Database names are case-insensitive and kept in lower case.
    static QString normalName(const QString &name);
    static bool isValidName(const QString &name);

    QString databaseFile(const QString &name) const;
    bool hasDatabase(const QString &name) const;
    bool isLogging(const QString &name) const;
    QStringList databases() const;

    // Raise EngineError with the Informix code (-330 for an existing name,
    // -329 for a missing one).
    void createDatabase(const QString &name, const QString &owner, bool logging) const;
    void dropDatabase(const QString &name) const;

    // Opens a database file; raises EngineError.
    sqlite3 *open(const QString &name) const;

private:
    // Makes the file of database `name` with its catalog; raises EngineError.
    void buildDatabaseFile(const QString &name, bool sysmaster) const;

    QString m_name;
    QString m_folder;
    Seed m_seed;
};

} // namespace quoll::connection::embedded
