#include "export/exportsource.h"

#include "connection/engine/dataset.h"

namespace quoll::exporting {

DatasetSource::DatasetSource(connection::Dataset &dataset, bool fetchAllFirst)
    : m_dataset(dataset), m_fetchAllFirst(fetchAllFirst)
{
    m_dataset.pauseViews();
}

DatasetSource::~DatasetSource()
{
    try {
        m_dataset.first();
    } catch (...) {
        // Back at the first record is a courtesy; the views resume anyway.
    }
    m_dataset.resumeViews();
}

const QList<connection::FieldDesc> &DatasetSource::fields() const
{
    return m_dataset.fields();
}

bool DatasetSource::nextRow(std::vector<ExportValue> &row)
{
    if (!m_started) {
        m_started = true;
        if (m_fetchAllFirst)
            m_dataset.last();
        m_dataset.first();
        if (m_dataset.isEmpty())
            return false;
    } else {
        m_dataset.next();
        if (m_dataset.atEnd())
            return false;
    }
    const int count = m_dataset.fieldCount();
    row.resize(size_t(count));
    for (int field = 0; field < count; ++field) {
        const bool null = m_dataset.isNull(field);
        row[size_t(field)] = {null ? QByteArrayView() : m_dataset.utf8View(field), null};
    }
    return true;
}

bool CursorSource::nextRow(std::vector<ExportValue> &row)
{
    m_text.resize(0);   // keeps its room: no allocation per row
    m_ends.clear();
    m_nulls.clear();
    if (!m_cursor.fetch(*this))
        return false;
    row.resize(m_ends.size());
    qsizetype begin = 0;
    for (size_t field = 0; field < m_ends.size(); ++field) {
        row[field] = {QByteArrayView(m_text.constData() + begin, m_ends[field] - begin), m_nulls[field]};
        begin = m_ends[field];
    }
    return true;
}

void CursorSource::addField(const char *utf8, std::size_t length)
{
    m_text.append(utf8, qsizetype(length));
    m_ends.push_back(m_text.size());
    m_nulls.push_back(false);
}

void CursorSource::addNull()
{
    m_ends.push_back(m_text.size());
    m_nulls.push_back(true);
}

} // namespace quoll::exporting
