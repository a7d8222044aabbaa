#include "benchmark.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

namespace quoll::bench {

std::vector<Benchmark> &benchmarks()
{
    static std::vector<Benchmark> all;
    return all;
}

namespace {

double processCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

double childrenCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto seconds = [](const timeval &v) { return double(v.tv_sec) + double(v.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

} // namespace

double bestOf(int repeat, const std::function<void()> &work)
{
    return bestOf(repeat, [] {}, work);
}

double bestOf(int repeat, const std::function<void()> &prepare, const std::function<void()> &work)
{
    double best = -1;
    for (int i = 0; i < std::max(1, repeat); ++i) {
        prepare();
        const double start = processCpuSeconds();
        work();
        const double seconds = processCpuSeconds() - start;
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
    const double start = childrenCpuSeconds();
    process.start(program, arguments);
    if (!process.waitForStarted())
        return std::nullopt;
    if (!standardInput.isEmpty())
        process.write(standardInput);
    process.closeWriteChannel();
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return std::nullopt;
    return childrenCpuSeconds() - start;
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
