#include "export/textwriters.h"

#include "export/htmlreport.h"

using namespace Qt::Literals::StringLiterals;

namespace quoll::exporting {

void HtmlWriter::cell(QByteArrayView utf8)
{
    appendHtmlText(m_line, utf8);
}

void HtmlWriter::begin(const QList<connection::FieldDesc> &fields)
{
    m_line = htmlBytes(reportHead()) + "\r\n<TR>";
    for (const connection::FieldDesc &field : fields) {
        m_line += "<TH >";
        cell(field.name.toUtf8());
        m_line += "</TH>";
    }
    m_line += "</TR>\r\n";
    m_out.encoded(m_line);
}

void HtmlWriter::row(std::span<const ExportValue> values)
{
    m_line.resize(0);
    m_line += "<TR>";
    for (const ExportValue &value : values) {
        m_line += "<TD>";
        cell(value.utf8);
        m_line += "</TD>";
    }
    m_line += "</TR>\r\n";
    m_out.encoded(m_line);
}

void HtmlWriter::finish()
{
    m_out.encoded(htmlBytes(reportEnd()) + "\r\n");
    m_out.commit();
}

void TabWriter::row(std::span<const ExportValue> values)
{
    for (size_t i = 0; i < values.size(); ++i) {
        if (i > 0)
            m_out.ascii("\t");
        m_out.text(values[i].utf8);
    }
    m_out.ascii("\r\n");
}

DelimitedWriter::DelimitedWriter(const QString &path, DelimitedOptions options)
    : m_options(std::move(options)), m_rowDivider(m_options.rowDivider.toUtf8()),
      m_columnDivider(m_options.columnDivider.toUtf8()), m_out(path)
{
    if (m_options.headerQuote)
        m_headerQuote = QString(*m_options.headerQuote).toUtf8();
    if (m_options.dataQuote)
        m_dataQuote = QString(*m_options.dataQuote).toUtf8();
}

// `quote`: the quote's bytes, or none for a value written as it is.
void DelimitedWriter::value(QByteArrayView utf8, const QByteArray *quote)
{
    if (!quote) {
        m_out.text(utf8);
        return;
    }
    m_out.text(*quote);
    // Every quote inside is doubled.
    qsizetype from = 0;
    for (qsizetype at = utf8.indexOf(*quote); at >= 0; at = utf8.indexOf(*quote, from)) {
        m_out.text(utf8.sliced(from, at + quote->size() - from));
        m_out.text(*quote);
        from = at + quote->size();
    }
    m_out.text(utf8.sliced(from));
    m_out.text(*quote);
}

void DelimitedWriter::lineEnd(int count, int column)
{
    if (column < count - 1 || m_options.dividerAfterLast)
        m_out.text(m_columnDivider);
}

void DelimitedWriter::begin(const QList<connection::FieldDesc> &fields)
{
    // Only text and memo values are ever quoted.
    m_quoted.clear();
    for (const connection::FieldDesc &field : fields)
        m_quoted.push_back(connection::isTextType(field.type));
    if (!m_options.header)
        return;
    const int count = int(fields.size());
    for (int i = 0; i < count; ++i) {
        value(fields[i].name.toUtf8(), m_options.headerQuote ? &m_headerQuote : nullptr);
        lineEnd(count, i);
    }
    m_out.text(m_rowDivider);
}

void DelimitedWriter::row(std::span<const ExportValue> values)
{
    if (!m_options.data)
        return;
    const int count = int(values.size());
    const QByteArray *quote = m_options.dataQuote ? &m_dataQuote : nullptr;
    for (int i = 0; i < count; ++i) {
        value(values[size_t(i)].utf8, m_quoted.at(size_t(i)) ? quote : nullptr);
        lineEnd(count, i);
    }
    m_out.text(m_rowDivider);
}

} // namespace quoll::exporting
