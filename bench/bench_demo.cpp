#include "benchmark.h"

#include "connection/builtin/builtinservers.h"
#include "connection/embedded/server/embeddedengine.h"
#include "connection/engine/database.h"

#include <QDir>
#include <QElapsedTimer>

namespace quoll::bench {

namespace {

// The demo server's first connect: all three demo databases generated.
std::vector<Figure> demoBenchmark(const Options &options)
{
    qint64 wallMs = 0;
    int run = 0;
    const double seconds = bestOf(options.repeat, [&] {
        const QString folder = QDir(options.workFolder).filePath(QStringLiteral("demo-%1").arg(run++));
        QDir(folder).removeRecursively();
        QElapsedTimer wall;
        wall.start();
        connection::Database database(std::make_unique<connection::embedded::EmbeddedEngine>(
            connection::builtin::builtinServer(QString::fromLatin1(connection::builtin::DemoServerName), folder)));
        database.parameters().setValue(QStringLiteral("DATABASE NAME"), QStringLiteral("sysmaster"));
        database.open();
        const qint64 ms = wall.elapsed();
        wallMs = wallMs == 0 ? ms : std::min(wallMs, ms);
        database.close();
        QDir(folder).removeRecursively();
    });
    return {{QStringLiteral("generate the demo server's databases on its first connect"), seconds, std::nullopt,
             QStringLiteral("%1 ms on the wall clock").arg(wallMs)}};
}

const Registration registration({QStringLiteral("demo"),
                                 QStringLiteral("generating the demo databases of the built-in demo server"),
                                 demoBenchmark});

} // namespace

} // namespace quoll::bench
