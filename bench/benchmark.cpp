#include "benchmark.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

#include <unistd.h>

namespace quoll::bench {

std::vector<Benchmark> &benchmarks()
{
    static std::vector<Benchmark> all;
    return all;
}

double bestOf(int repeat, const std::function<void()> &work)
{
    double best = -1;
    for (int i = 0; i < std::max(1, repeat); ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        const double seconds = double(timer.nsecsElapsed()) / 1e9;
        if (best < 0 || seconds < best)
            best = seconds;
    }
    return best;
}

std::optional<double> timeCommand(const QString &program, const QStringList &arguments,
                                  const QByteArray &standardInput)
{
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    if (!process.waitForStarted())
        return std::nullopt;
    if (!standardInput.isEmpty())
        process.write(standardInput);
    process.closeWriteChannel();
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return std::nullopt;
    return double(timer.nsecsElapsed()) / 1e9;
}

qint64 residentBytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLongLong() * sysconf(_SC_PAGESIZE) : 0;
}

} // namespace quoll::bench
