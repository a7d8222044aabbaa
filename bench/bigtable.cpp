#include "bigtable.h"

#include "connection/embedded/server/embeddedengine.h"

#include <QDir>
#include <QFile>

namespace quoll::bench {

std::unique_ptr<connection::Database> bigTable(const Options &options, QString &databaseFile)
{
    const QString folder = QDir(options.workFolder).filePath(QStringLiteral("benchsrv"));
    auto engine = std::make_unique<connection::embedded::EmbeddedEngine>(
        connection::embedded::EmbeddedServer(QStringLiteral("benchsrv"), folder));
    databaseFile = engine->server().databaseFile(QStringLiteral("bench"));
    auto database = std::make_unique<connection::Database>(std::move(engine));
    database->parameters().setValue(QStringLiteral("DATABASE NAME"), QStringLiteral("sysmaster"));
    database->open();
    if (!QFile::exists(databaseFile)) {
        database->execute(QStringLiteral("create database bench with log"));
        database->execute(QStringLiteral(
            "create table big (i integer, s char(20), d decimal(10,2), dt date, v varchar(30))"));
        database->execute(QStringLiteral(
            "with recursive n(x) as (select 1 union all select x + 1 from n where x < %1) "
            "insert into big select x, printf('%020d', x), x / 100.0, "
            "date('2000-01-01', '+' || (x % 9000) || ' days'), 'value number ' || x from n")
                              .arg(BigTableRows));
    } else {
        database->execute(QStringLiteral("database bench"));
    }
    return database;
}

} // namespace quoll::bench
