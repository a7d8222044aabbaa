#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace quoll::bench {

// One measured figure. `reference` is the same work done by another tool
// (the sqlite3 shell) on the same data, when there is one.
struct Figure
{
    QString what;
    double seconds = 0;
    std::optional<double> referenceSeconds;
    QString note;              // extra measurements, e.g. bytes per row
    QString referenceName = QStringLiteral("sqlite3");
};

struct Options
{
    QString workFolder;        // where generated data may be written
    int repeat = 3;            // each timing is the best of this many runs
};

struct Benchmark
{
    QString name;
    QString description;
    std::function<std::vector<Figure>(const Options &)> run;
};

// Benchmarks register themselves with a static `Registration`.
std::vector<Benchmark> &benchmarks();

struct Registration
{
    explicit Registration(Benchmark b) { benchmarks().push_back(std::move(b)); }
};

// Times are CPU seconds (user and system), so that other load on the machine
// does not distort the figures or their ratios.

// The best time of `repeat` runs of `work`.
double bestOf(int repeat, const std::function<void()> &work);
// The same, with `prepare` run untimed before each run.
double bestOf(int repeat, const std::function<void()> &prepare, const std::function<void()> &work);

// The seconds an external command takes with its standard output
// discarded; nothing when it cannot be started or fails.
std::optional<double> timeCommand(const QString &program, const QStringList &arguments,
                                  const QByteArray &standardInput = {});

// The resident memory of this process in bytes.
qint64 residentBytes();

} // namespace quoll::bench
