#include "benchmark.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>

using namespace quoll::bench;

namespace {

void print(QTextStream &out, const Figure &f)
{
    out << QStringLiteral("  %1  %2 s").arg(f.what, -52).arg(f.seconds, 9, 'f', 4);
    if (f.referenceSeconds && *f.referenceSeconds > 0)
        out << QStringLiteral("   %1 %2 s   ratio %3")
                   .arg(f.referenceName)
                   .arg(*f.referenceSeconds, 0, 'f', 4)
                   .arg(f.seconds / *f.referenceSeconds, 0, 'f', 2);
    if (!f.note.isEmpty())
        out << QStringLiteral("   ") << f.note;
    out << Qt::endl;
}

} // namespace

int main(int argc, char *argv[])
{
    // Headless: the benchmarks build real widgets but need no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Times Quoll's heavy paths on generated data."));
    parser.addHelpOption();
    parser.addOption({QStringLiteral("list"), QStringLiteral("List the benchmarks.")});
    parser.addOption({{QStringLiteral("r"), QStringLiteral("repeat")},
                      QStringLiteral("Best of <n> runs (default 3)."), QStringLiteral("n"), QStringLiteral("3")});
    parser.addPositionalArgument(QStringLiteral("benchmark"), QStringLiteral("Benchmarks to run (default: all)."));
    parser.process(application);

    QTextStream out(stdout);
    if (parser.isSet(QStringLiteral("list"))) {
        for (const Benchmark &b : benchmarks())
            out << b.name << '\t' << b.description << Qt::endl;
        return 0;
    }

    QTemporaryDir work;
    Options options;
    options.workFolder = work.path();
    options.repeat = std::max(1, parser.value(QStringLiteral("repeat")).toInt());
    const QStringList wanted = parser.positionalArguments();
    int ran = 0;
    for (const Benchmark &b : benchmarks()) {
        if (!wanted.isEmpty() && !wanted.contains(b.name))
            continue;
        out << b.name << ": " << b.description << Qt::endl;
        for (const Figure &f : b.run(options))
            print(out, f);
        ++ran;
    }
    if (ran == 0) {
        std::fprintf(stderr, "no such benchmark; see --list\n");
        return 1;
    }
    return 0;
}
