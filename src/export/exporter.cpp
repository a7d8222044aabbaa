#include "export/exporter.h"

namespace quoll::exporting {

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
