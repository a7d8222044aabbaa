#include "benchmark.h"
#include "bigtable.h"

#include "connection/embedded/server/embeddedengine.h"
#include "connection/engine/database.h"
#include "connection/engine/dataset.h"

#include <QDir>
#include <QElapsedTimer>
#include <QStandardPaths>

namespace quoll::bench {

namespace {

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
