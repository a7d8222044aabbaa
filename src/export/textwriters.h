#pragma once

#include "export/exportwriter.h"
#include "export/textoutput.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace quoll::exporting {

// The HTML report: the report head on its first line, the header row of the
// field names, one line per record, the closing line, each line ended by
// CR LF. Windows-1251 as the head declares, other characters as numeric
// character references; every text escaped, so nothing from the database
// runs as markup.
class HtmlWriter final : public ExportWriter
{
public:
    explicit HtmlWriter(const QString &path) : m_out(path) {}
    void begin(const QList<connection::FieldDesc> &fields) override;
    void row(std::span<const ExportValue> values) override;
    void finish() override;

private:
    void cell(QByteArrayView utf8);
    QByteArray m_line;
    TextOutput m_out;
};

// The tab-separated file: no header, the values as they are with a TAB
// between, CR LF after each record, NULL empty.
class TabWriter final : public ExportWriter
{
public:
    explicit TabWriter(const QString &path) : m_out(path) {}
    void begin(const QList<connection::FieldDesc> &) override {}
    void row(std::span<const ExportValue> values) override;
    void finish() override { m_out.commit(); }
    bool wroteUtf8() const override { return m_out.isUtf8(); }

private:
    TextOutput m_out;
};

// What the delimited-text export writes, as the export dialog sets it.
struct DelimitedOptions
{
    QString rowDivider = QStringLiteral("\r\n");
    QString columnDivider = QStringLiteral("\t");
    bool header = true;
    bool data = true;
    // The quote characters; none: not quoted.
    std::optional<QChar> headerQuote;
    std::optional<QChar> dataQuote;
    bool dividerAfterLast = false;
};

// The delimited text file: an optional header line of the field names, the
// data lines; the dividers exactly as chosen; header names quoted when a
// header quote is set, and of the values only those of text and memo fields
// when a data quote is set, the quote doubled inside.
class DelimitedWriter final : public ExportWriter
{
public:
    DelimitedWriter(const QString &path, DelimitedOptions options);
    void begin(const QList<connection::FieldDesc> &fields) override;
    void row(std::span<const ExportValue> values) override;
    void finish() override { m_out.commit(); }
    bool wroteUtf8() const override { return m_out.isUtf8(); }

private:
    void value(QByteArrayView utf8, const QByteArray *quote);
    void lineEnd(int count, int column);

    DelimitedOptions m_options;
    QByteArray m_rowDivider;
    QByteArray m_columnDivider;
    QByteArray m_headerQuote;
    QByteArray m_dataQuote;
    std::vector<bool> m_quoted;   // per field: a text or memo field
    TextOutput m_out;
};

} // namespace quoll::exporting
