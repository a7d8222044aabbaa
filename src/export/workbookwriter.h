#pragma once

#include "export/exportwriter.h"

#include <QString>

#include <memory>
#include <vector>

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

namespace quoll::exporting {

// A spreadsheet workbook (.xlsx) in constant memory: the field names in row 1
// and the records from row 2, as typed cells: text as text (leading zeros
// kept), whole numbers and decimals as numbers when a number holds them
// exactly (else as text, so no digit is lost), booleans as booleans, dates
// and times as date cells; NULL as an empty cell. A result longer than a
// sheet goes on in further sheets, each with the header row. The workbook
// is written beside `path` and put in its place by finish().
class WorkbookWriter final : public ExportWriter
{
public:
    // `sheetRows`: the rows of a sheet, header included (fewer in tests).
    explicit WorkbookWriter(const QString &path, quint32 sheetRows = SheetRows);
    ~WorkbookWriter() override;

    void begin(const QList<connection::FieldDesc> &fields) override;
    void row(std::span<const ExportValue> values) override;
    void finish() override;

    // The rows of a sheet, its header row included.
    static constexpr quint32 SheetRows = 1048576;

private:
    enum class Kind { Text, Whole, Float, Decimal, Boolean, Date, Time, DateTime, Empty };

    void newSheet();
    void check(int error, const char *what) const;
    void write(quint32 row, quint16 column, Kind kind, QByteArrayView utf8);
    void writeText(quint32 row, quint16 column, QByteArrayView utf8);

    QString m_path;
    QString m_temporary;
    lxw_workbook *m_book = nullptr;
    lxw_worksheet *m_sheet = nullptr;
    lxw_format *m_textFormat = nullptr;
    lxw_format *m_dateFormat = nullptr;
    lxw_format *m_timeFormat = nullptr;
    lxw_format *m_dateTimeFormat = nullptr;
    QList<connection::FieldDesc> m_fields;
    std::vector<Kind> m_kinds;
    quint32 m_sheetRows;
    int m_sheets = 0;
    quint32 m_row = 0;
    QByteArray m_cell;   // a cell's text, NUL-terminated for the library
};

} // namespace quoll::exporting
