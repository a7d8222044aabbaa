#include "connection/engine/dataset.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace quoll::connection {

namespace {
constexpr qint64 AllRows = std::numeric_limits<qint64>::max();
} // namespace

Dataset::Dataset(QObject *parent) : QObject(parent)
{
}

Dataset::~Dataset() = default;

void Dataset::attach(std::unique_ptr<Cursor> cursor)
{
    attach(std::move(cursor), 0);
}

void Dataset::attach(std::unique_ptr<Cursor> cursor, int hiddenFields)
{
    beforeReset();
    if (!m_active && !cursor)
        return;
    clear();
    if (cursor) {
        const QList<FieldDesc> &all = cursor->fields();
        m_hidden = std::clamp(hiddenFields, 0, int(all.size()));
        m_fields = all.mid(m_hidden);
        m_rows.reset(int(all.size()));
        m_cursor = std::move(cursor);
        m_active = true;
        try {
            readRows(1, false);
        } catch (...) {
            clear();
            announceReset();
            announceCurrent();
            throw;
        }
        if (m_rows.rowCount() > 0) {
            m_current = 0;
            m_eof = false;
        }
    }
    announceReset();
    announceCurrent();
}

void Dataset::clear()
{
    m_cursor.reset();
    m_fields.clear();
    m_rows.reset(0);
    m_hidden = 0;
    m_active = false;
    m_bof = true;
    m_eof = true;
    m_current = -1;
    ++m_generation;
}

int Dataset::fieldIndex(const QString &name) const
{
    for (int i = 0; i < m_fields.size(); ++i) {
        if (m_fields[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void Dataset::first()
{
    beforeMove();
    if (m_current >= 0)
        setPosition(0, true, false);
}

void Dataset::prior()
{
    beforeMove();
    if (m_current > 0)
        setPosition(m_current - 1, false, false);
    else if (m_current == 0)
        setPosition(0, true, false);
}

void Dataset::next()
{
    beforeMove();
    if (m_current < 0)
        return;
    if (ensureRow(m_current + 1))
        setPosition(m_current + 1, false, false);
    else
        setPosition(m_current, false, true);
}

void Dataset::last()
{
    beforeMove();
    readRows(AllRows, true);
    if (m_rows.rowCount() > 0)
        setPosition(m_rows.rowCount() - 1, false, true);
}

bool Dataset::moveTo(qint64 row)
{
    beforeMove();
    if (row < 0 || !ensureRow(row))
        return false;
    if (row != m_current)
        setPosition(row, false, false);
    return true;
}

Dataset::Bookmark Dataset::bookmark() const
{
    return {m_current, m_generation};
}

bool Dataset::gotoBookmark(const Bookmark &mark)
{
    if (!mark.isValid() || mark.generation != m_generation || mark.row >= m_rows.rowCount())
        return false;
    return moveTo(mark.row);
}

qint64 Dataset::recordCount()
{
    readRows(AllRows, true);
    return m_rows.rowCount();
}

qint64 Dataset::countFromLast()
{
    pauseViews();
    qint64 count = 0;
    try {
        const qint64 row = currentRow();
        const bool wasAtBeginning = atBeginning();
        last();
        count = m_rows.rowCount();
        if (row >= 0)
            moveTo(row);
        if (wasAtBeginning)
            first();
    } catch (...) {
        resumeViews();
        throw;
    }
    resumeViews();
    return count;
}

qint64 Dataset::fetchMore(qint64 rows)
{
    return readRows(rows, true);
}

bool Dataset::isNull(qint64 row, int field) const
{
    if (row < 0 || row >= m_rows.rowCount() || field < 0 || field >= fieldCount())
        return true;
    return m_rows.isNull(row, field + m_hidden);
}

QByteArrayView Dataset::utf8View(int field) const
{
    if (m_current < 0 || m_current >= m_rows.rowCount() || field < 0 || field >= fieldCount())
        return {};
    return m_rows.utf8View(m_current, field + m_hidden);
}

QString Dataset::text(qint64 row, int field) const
{
    if (row < 0 || row >= m_rows.rowCount() || field < 0 || field >= fieldCount())
        return {};
    return m_rows.text(row, field + m_hidden);
}

bool Dataset::ensureRow(qint64 row)
{
    if (row >= m_rows.rowCount())
        readRows(row + 1 - m_rows.rowCount(), true);
    return row < m_rows.rowCount();
}

// Reads up to `limit` rows straight into the store and tells the views once.
// The cursor is dropped when it runs dry or fails; a failure keeps the rows
// read before it and propagates.
qint64 Dataset::readRows(qint64 limit, bool announce)
{
    const qint64 before = m_rows.rowCount();
    try {
        for (; m_cursor && limit > 0; --limit) {
            m_rows.beginRow();
            if (m_cursor->fetch(m_rows)) {
                m_rows.endRow();
            } else {
                m_rows.abandonRow();
                m_cursor.reset();
            }
        }
    } catch (...) {
        m_rows.abandonRow();
        m_cursor.reset();
        if (announce)
            announceFetched(before);
        throw;
    }
    if (announce)
        announceFetched(before);
    return m_rows.rowCount() - before;
}

void Dataset::pauseViews()
{
    ++m_pauses;
}

void Dataset::resumeViews()
{
    if (m_pauses == 0 || --m_pauses > 0)
        return;
    const bool wasReset = std::exchange(m_pendingReset, false);
    const bool moved = std::exchange(m_pendingCurrent, false) || wasReset;
    const qint64 from = std::exchange(m_pendingFetchFrom, -1);
    if (wasReset)
        emit reset();
    else if (from >= 0 && from < m_rows.rowCount())
        emit rowsFetched(from, m_rows.rowCount() - 1);
    if (moved)
        emit currentChanged(m_current);
}

void Dataset::announceReset()
{
    if (viewsPaused())
        m_pendingReset = true;
    else
        emit reset();
}

void Dataset::announceFetched(qint64 first)
{
    if (m_rows.rowCount() <= first)
        return;
    if (!viewsPaused())
        emit rowsFetched(first, m_rows.rowCount() - 1);
    else if (m_pendingFetchFrom < 0)
        m_pendingFetchFrom = first;
}

void Dataset::announceCurrent()
{
    if (viewsPaused())
        m_pendingCurrent = true;
    else
        emit currentChanged(m_current);
}

// Row-by-row changes are folded into one reset while paused: views that
// were not told about the rows in between could not place them.
void Dataset::announceRow(void (Dataset::*signal)(qint64), qint64 row)
{
    if (viewsPaused())
        m_pendingReset = true;
    else
        emit(this->*signal)(row);
}

void Dataset::setPosition(qint64 row, bool atBeginning, bool atEnd)
{
    if (row == m_current && atBeginning == m_bof && atEnd == m_eof)
        return;
    m_current = row;
    m_bof = atBeginning;
    m_eof = atEnd;
    announceCurrent();
}

void Dataset::insertStoredRow(qint64 row, const QList<QString> &values)
{
    m_rows.insertRow(row, values);
    ++m_generation;
    announceRow(&Dataset::rowInserted, row);
    if (m_current >= row) {
        ++m_current;
        announceCurrent();
    }
}

void Dataset::replaceStoredRow(qint64 row, const QList<QString> &values)
{
    m_rows.replaceRow(row, values);
    announceRow(&Dataset::rowChanged, row);
}

void Dataset::removeStoredRow(qint64 row)
{
    m_rows.removeRow(row);
    ++m_generation;
    announceRow(&Dataset::rowRemoved, row);
    if (m_current < row)
        return;
    if (m_current > row)
        --m_current;
    else
        m_current = std::min<qint64>(row, m_rows.rowCount() - 1);
    if (m_current < 0) {
        m_bof = true;
        m_eof = true;
    }
    announceCurrent();
}

} // namespace quoll::connection
