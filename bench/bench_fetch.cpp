#include "benchmark.h"

#include "connection/embedded/embeddedengine.h"
#include "connection/engine/database.h"
#include "connection/engine/dataset.h"

#include <QDir>
#include <QElapsedTimer>
#include <QStandardPaths>

namespace quoll::bench {

namespace {

constexpr int Rows = 1'000'000;

// A server with one table of a million five-column rows (integer, 20
// characters of text, decimal, date, varchar), made in the work folder.
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
                              .arg(Rows));
    } else {
        database->execute(QStringLiteral("database bench"));
    }
    return database;
}

std::vector<Figure> fetchBenchmark(const Options &options)
{
    QString file;
    std::unique_ptr<connection::Database> database = bigTable(options, file);
    qint64 counted = 0;
    std::size_t overhead = 0;
    const double seconds = bestOf(options.repeat, [&] {
        connection::Dataset dataset;
        connection::DirectResult result = database->engine().executeDirect(QStringLiteral("select * from big"));
        dataset.attach(std::move(result.cursor));
        counted = dataset.recordCount();
        overhead = dataset.overheadBytes();
    });

    // The same rows read from the cursor and dropped: what the dataset adds.
    struct Discard : connection::RowSink
    {
        void addField(const char *, std::size_t) override {}
        void addNull() override {}
    } discard;
    const double cursorSeconds = bestOf(options.repeat, [&] {
        connection::DirectResult result = database->engine().executeDirect(QStringLiteral("select * from big"));
        while (result.cursor->fetch(discard)) {
        }
    });

    std::optional<double> shell;
    const QString sqlite3 = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    if (!sqlite3.isEmpty()) {
        double best = -1;
        for (int i = 0; i < std::max(1, options.repeat); ++i) {
            const auto t = timeCommand(sqlite3, {file, QStringLiteral("select * from big")});
            if (t && (best < 0 || *t < best))
                best = *t;
        }
        if (best > 0)
            shell = best;
    }
    const QString note = QStringLiteral("%1 rows, %2 bytes per row beyond the values' text")
                             .arg(counted)
                             .arg(counted ? double(overhead) / double(counted) : 0.0, 0, 'f', 1);
    return {{QStringLiteral("read 1,000,000 rows of 5 columns into a dataset and count them"), seconds, shell, note},
            {QStringLiteral("read the same rows from the cursor only"), cursorSeconds, shell, {}}};
}

const Registration registration({QStringLiteral("fetch"),
                                 QStringLiteral("fetching a large result into a dataset and counting it"),
                                 fetchBenchmark});

} // namespace

} // namespace quoll::bench
