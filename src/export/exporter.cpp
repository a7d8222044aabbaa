#include "export/exporter.h"

#include "export/workbookwriter.h"

namespace quoll::exporting {

std::unique_ptr<ExportWriter> makeWriter(ExportFormat format, const QString &path, const DelimitedOptions &options)
{
    switch (format) {
    case ExportFormat::Html: return std::make_unique<HtmlWriter>(path);
    case ExportFormat::Workbook: return std::make_unique<WorkbookWriter>(path);
    case ExportFormat::Tab: return std::make_unique<TabWriter>(path);
    case ExportFormat::Delimited: return std::make_unique<DelimitedWriter>(path, options);
    }
    return nullptr;
}

qint64 writeRows(ExportSource &source, ExportWriter &writer)
{
    writer.begin(source.fields());
    std::vector<ExportValue> row;
    qint64 rows = 0;
    while (source.nextRow(row)) {
        writer.row(row);
        ++rows;
    }
    return rows;
}

ExportResult exportRows(ExportSource &source, ExportWriter &writer, const ExportProgress &progress)
{
    ExportResult result;
    writer.begin(source.fields());
    std::vector<ExportValue> row;
    while (source.nextRow(row)) {
        writer.row(row);
        ++result.rows;
        if (progress && result.rows % ProgressRows == 0 && !progress(result.rows)) {
            result.cancelled = true;
            return result;
        }
    }
    writer.finish();
    result.utf8 = writer.wroteUtf8();
    return result;
}

} // namespace quoll::exporting
