#include "benchmark.h"
#include "bigtable.h"

#include "connection/engine/dataset.h"
#include "connection/engine/engine.h"
#include "export/exporter.h"
#include "export/exportsource.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <xlsxwriter.h>

namespace quoll::bench {

namespace {

// The million rows, with NULLs in the text column.
const QString Query = QStringLiteral(
    "select i, s, d, dt, case when i % 10 = 0 then null else v end v from big");

// The peak resident memory since the last reset, and the reset.
qint64 peakBytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong() * 1024;
    return 0;
}

void resetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

std::optional<double> shellTime(const QString &file, const QString &mode, const QString &output, int repeat)
{
    const QString sqlite3 = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    if (sqlite3.isEmpty())
        return std::nullopt;
    double best = -1;
    for (int i = 0; i < std::max(1, repeat); ++i) {
        const auto t = timeCommand(sqlite3, {QStringLiteral("-cmd"), QStringLiteral(".mode ") + mode,
                                             QStringLiteral("-cmd"), QStringLiteral(".output ") + output, file,
                                             QStringLiteral("select i, s, d, dt, case when i % 10 = 0 then null "
                                                            "else v end v from big")});
        if (t && (best < 0 || *t < best))
            best = *t;
    }
    return best > 0 ? std::optional(best) : std::nullopt;
}

std::vector<Figure> exportBenchmark(const Options &options)
{
    QString file;
    std::unique_ptr<connection::Database> database = bigTable(options, file);
    connection::Engine &engine = database->engine();
    std::vector<Figure> figures;
    const QString folder = options.workFolder;

    struct Format
    {
        const char *what;
        exporting::ExportFormat format;
        const char *shellMode;
        const char *name;
    };
    const Format formats[] = {
        {"HTML report", exporting::ExportFormat::Html, "html", "out.html"},
        {"tab-separated file", exporting::ExportFormat::Tab, "tabs", "out.xls"},
        {"delimited text (quoted, as csv)", exporting::ExportFormat::Delimited, "csv", "out.txt"},
        {"workbook", exporting::ExportFormat::Workbook, nullptr, "out.xlsx"},
    };
    exporting::DelimitedOptions csv;
    csv.columnDivider = QStringLiteral(",");
    csv.dataQuote = QChar(u'"');
    for (const Format &f : formats) {
        const QString path = QDir(folder).filePath(QString::fromLatin1(f.name));
        qint64 growth = 0;
        const double seconds = bestOf(options.repeat, [&] {
            resetPeak();
            const qint64 before = residentBytes();
            connection::DirectResult result = engine.executeDirect(Query);
            exporting::CursorSource source(*result.cursor);
            const auto writer = exporting::makeWriter(f.format, path, csv);
            exporting::exportRows(source, *writer);
            growth = std::max<qint64>(0, peakBytes() - before);
        });
        const std::optional<double> shell =
            f.shellMode ? shellTime(file, QString::fromLatin1(f.shellMode), QDir(folder).filePath(QStringLiteral("shell.out")),
                                    options.repeat)
                        : std::nullopt;
        figures.push_back({QStringLiteral("export 1,000,000 rows to the %1 (streamed)").arg(QLatin1String(f.what)),
                           seconds, shell,
                           QStringLiteral("%1 MB written, peak memory growth %2 MB")
                               .arg(double(QFileInfo(path).size()) / 1e6, 0, 'f', 1)
                               .arg(double(growth) / 1e6, 0, 'f', 1)});
    }

    // The bare library writing the same cells: what the workbook costs
    // without the program's typing of the values.
    const double bare = bestOf(options.repeat, [&] {
        connection::DirectResult result = engine.executeDirect(Query);
        exporting::CursorSource source(*result.cursor);
        lxw_workbook_options o{};
        o.constant_memory = LXW_TRUE;
        const QByteArray name = QFile::encodeName(QDir(folder).filePath(QStringLiteral("bare.xlsx")));
        lxw_workbook *book = workbook_new_opt(name.constData(), &o);
        lxw_worksheet *sheet = workbook_add_worksheet(book, nullptr);
        std::vector<exporting::ExportValue> row;
        lxw_row_t r = 0;
        QByteArray cell;
        while (source.nextRow(row)) {
            ++r;
            for (size_t c = 0; c < row.size(); ++c) {
                if (row[c].null)
                    continue;
                if (c == 0 || c == 2) {
                    worksheet_write_number(sheet, r, lxw_col_t(c), row[c].utf8.toDouble(), nullptr);
                } else {
                    cell = row[c].utf8.toByteArray();
                    worksheet_write_string(sheet, r, lxw_col_t(c), cell.constData(), nullptr);
                }
            }
        }
        workbook_close(book);
    });
    figures.back().referenceSeconds = bare;
    figures.back().referenceName = QStringLiteral("bare libxlsxwriter");

    // The window's way: from the data set the grid shows, read as it goes.
    const double fromDataset = bestOf(options.repeat, [&] {
        connection::Dataset dataset;
        dataset.attach(engine.executeDirect(Query).cursor);
        exporting::DatasetSource source(dataset);
        const auto writer = exporting::makeWriter(exporting::ExportFormat::Tab, QDir(folder).filePath(QStringLiteral("grid.xls")));
        exporting::exportRows(source, *writer);
    });
    figures.push_back({QStringLiteral("export the same rows from a grid's data set to the tab-separated file"),
                       fromDataset, shellTime(file, QStringLiteral("tabs"), QDir(folder).filePath(QStringLiteral("shell.out")),
                                              options.repeat),
                       QStringLiteral("the data set keeps the rows it read, as the grid does")});
    return figures;
}

const Registration registration({QStringLiteral("export"),
                                 QStringLiteral("exporting a million rows to every format"), exportBenchmark});

} // namespace

} // namespace quoll::bench
