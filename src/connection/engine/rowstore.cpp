#include "connection/engine/rowstore.h"

#include "connection/engine/engineerror.h"

#include <algorithm>
#include <bit>
#include <cstring>

using namespace Qt::Literals::StringLiterals;

namespace quoll::connection {

namespace {

constexpr std::uint32_t NullFlag = 0x80000000u;
constexpr std::uint32_t EndMask = 0x7fffffffu;
constexpr std::size_t FirstBlockSize = 16 * 1024;
constexpr std::size_t SharedBlockSize = 4 * 1024 * 1024;
constexpr std::size_t MaxRowBytes = EndMask;

std::unique_ptr<char[]> allocate(std::size_t bytes)
{
    return std::make_unique_for_overwrite<char[]>(bytes);
}

} // namespace

RowStore::RowStore(int fieldCount)
{
    reset(fieldCount);
}

RowStore::~RowStore() = default;
RowStore::RowStore(RowStore &&other) noexcept = default;
RowStore &RowStore::operator=(RowStore &&other) noexcept = default;

void RowStore::reset(int fieldCount)
{
    m_fieldCount = std::max(fieldCount, 0);
    m_rowCount = 0;
    m_rowStarts.reset(1);
    m_ends.reset(std::size_t(m_fieldCount));
    // A small first block is kept, so that a store refilled one row at a
    // time does not allocate for every row.
    if (!m_blocks.empty() && !m_blocks.front().ownRow && m_blocks.front().capacity == FirstBlockSize) {
        m_blocks.resize(1);
        m_blocks.front().used = 0;
        m_allocatedBytes = FirstBlockSize;
        m_nextBlockSize = 2 * FirstBlockSize;
    } else {
        m_blocks.clear();
        m_allocatedBytes = 0;
        m_nextBlockSize = FirstBlockSize;
    }
    m_fillBlock = 0;
    m_textBytes = 0;
    m_building = false;
}

void RowStore::beginRow()
{
    abandonRow();
    if (m_blocks.empty()) {
        m_blocks.push_back({});
        m_blocks.back().capacity = std::uint32_t(takeSharedCapacity(0));
        m_blocks.back().data = allocate(m_blocks.back().capacity);
        m_allocatedBytes += m_blocks.back().capacity;
        m_fillBlock = 0;
    }
    m_rowStarts.reserve(m_rowCount);
    m_rowEnds = m_ends.reserve(m_rowCount);
    m_building = true;
    m_rowBlock = m_fillBlock;
    m_rowStart = m_blocks[m_fillBlock].used;
    m_rowLength = 0;
    m_rowFields = 0;
}

void RowStore::addField(const char *utf8, std::size_t length)
{
    if (!m_building)
        beginRow();
    // Surplus fields are only counted; endRow() reports them.
    if (m_rowFields >= m_fieldCount) {
        ++m_rowFields;
        return;
    }
    appendText(utf8, length);
    m_rowEnds[m_rowFields++] = m_rowLength;
}

void RowStore::addNull()
{
    if (!m_building)
        beginRow();
    if (m_rowFields >= m_fieldCount) {
        ++m_rowFields;
        return;
    }
    m_rowEnds[m_rowFields++] = m_rowLength | NullFlag;
}

void RowStore::endRow()
{
    if (!m_building)
        beginRow();
    if (m_rowFields != m_fieldCount) {
        const int got = m_rowFields;
        abandonRow();
        throw EngineError(0, u"A row came with %1 fields where %2 were expected."_s.arg(got).arg(m_fieldCount));
    }
    Block &block = m_blocks[m_rowBlock];
    if (block.ownRow && block.capacity > m_rowLength) {
        auto exact = allocate(m_rowLength);
        std::memcpy(exact.get(), block.data.get(), m_rowLength);
        m_allocatedBytes -= block.capacity - m_rowLength;
        block.data = std::move(exact);
        block.capacity = m_rowLength;
    }
    block.used = m_rowStart + m_rowLength;
    *m_rowStarts.row(m_rowCount++) = std::uint64_t(m_rowBlock) << 32 | m_rowStart;
    m_textBytes += m_rowLength;
    m_building = false;
}

void RowStore::abandonRow()
{
    if (!m_building)
        return;
    m_building = false;
    // A block of the row's own is always the newest one.
    if (m_blocks[m_rowBlock].ownRow) {
        Q_ASSERT(m_rowBlock + 1 == m_blocks.size());
        m_allocatedBytes -= m_blocks.back().capacity;
        m_blocks.pop_back();
    }
}

void RowStore::appendText(const char *utf8, std::size_t length)
{
    if (length == 0)
        return;
    if (length > MaxRowBytes - m_rowLength) {
        abandonRow();
        throw EngineError(0, u"A row holds more than 2 GB of text."_s);
    }
    const std::size_t needed = std::size_t(m_rowLength) + length;
    if (m_rowStart + needed > m_blocks[m_rowBlock].capacity)
        relocateRow(needed);
    std::memcpy(m_blocks[m_rowBlock].data.get() + m_rowStart + m_rowLength, utf8, length);
    m_rowLength += std::uint32_t(length);
}

std::size_t RowStore::takeSharedCapacity(std::size_t needed)
{
    const std::size_t capacity = std::min(std::max(m_nextBlockSize, std::bit_ceil(needed)), SharedBlockSize);
    m_nextBlockSize = std::min(2 * capacity, SharedBlockSize);
    return capacity;
}

// Moves the row being built to a buffer with room for `needed` bytes: a
// bigger buffer for a block that holds nothing else, else a new block (a
// shared one, or one of the row's own when it outgrows a shared block).
void RowStore::relocateRow(std::size_t needed)
{
    Block &from = m_blocks[m_rowBlock];
    const bool own = from.ownRow || needed > SharedBlockSize;
    std::size_t capacity;
    if (from.ownRow)
        capacity = std::max(needed, 2 * std::size_t(from.capacity));
    else if (own)
        capacity = 2 * needed;
    else
        capacity = takeSharedCapacity(needed);
    capacity = std::min(capacity, MaxRowBytes);

    auto data = allocate(capacity);
    std::memcpy(data.get(), from.data.get() + m_rowStart, m_rowLength);
    m_allocatedBytes += capacity;
    m_rowStart = 0;
    if (from.ownRow || (from.used == 0 && !own)) {
        m_allocatedBytes -= from.capacity;
        from.data = std::move(data);
        from.capacity = std::uint32_t(capacity);
        return;
    }
    m_blocks.push_back({std::move(data), std::uint32_t(capacity), 0, own});
    m_rowBlock = std::uint32_t(m_blocks.size() - 1);
    if (!own)
        m_fillBlock = m_rowBlock;
}

void RowStore::appendRow(const QList<QString> &values)
{
    beginRow();
    for (int field = 0; field < m_fieldCount; ++field) {
        if (field >= values.size() || values[field].isNull()) {
            addNull();
        } else {
            const QByteArray utf8 = values[field].toUtf8();
            addField(utf8.constData(), std::size_t(utf8.size()));
        }
    }
    endRow();
}

void RowStore::insertRow(std::int64_t row, const QList<QString> &values)
{
    Q_ASSERT(row >= 0 && row <= rowCount());
    appendRow(values);
    const std::int64_t last = m_rowCount - 1;
    const std::uint64_t start = *m_rowStarts.row(last);
    const std::vector<std::uint32_t> ends(m_ends.row(last), m_ends.row(last) + m_fieldCount);
    for (std::int64_t at = last; at > row; --at)
        copyRow(at - 1, at);
    *m_rowStarts.row(row) = start;
    std::copy(ends.begin(), ends.end(), m_ends.row(row));
}

void RowStore::replaceRow(std::int64_t row, const QList<QString> &values)
{
    Q_ASSERT(row >= 0 && row < rowCount());
    appendRow(values);
    releaseRow(row);
    copyRow(--m_rowCount, row);
}

void RowStore::removeRow(std::int64_t row)
{
    Q_ASSERT(row >= 0 && row < rowCount());
    releaseRow(row);
    for (std::int64_t at = row + 1; at < m_rowCount; ++at)
        copyRow(at, at - 1);
    --m_rowCount;
}

// The row's text is no longer used; a block of its own is freed at once.
void RowStore::releaseRow(std::int64_t row)
{
    m_textBytes -= rowBytes(row);
    Block &block = m_blocks[*m_rowStarts.row(row) >> 32];
    if (block.ownRow) {
        m_allocatedBytes -= block.capacity;
        block.data.reset();
        block.capacity = 0;
        block.used = 0;
    }
}

void RowStore::copyRow(std::int64_t from, std::int64_t to)
{
    *m_rowStarts.row(to) = *m_rowStarts.row(from);
    std::copy_n(m_ends.row(from), m_fieldCount, m_ends.row(to));
}

std::uint32_t RowStore::rowBytes(std::int64_t row) const
{
    return m_fieldCount == 0 ? 0 : m_ends.row(row)[m_fieldCount - 1] & EndMask;
}

RowStore::Span RowStore::span(std::int64_t row, int field) const
{
    Q_ASSERT(row >= 0 && row < rowCount() && field >= 0 && field < m_fieldCount);
    const std::uint64_t start = *m_rowStarts.row(row);
    const std::uint32_t *ends = m_ends.row(row);
    const std::uint32_t from = field == 0 ? 0 : ends[field - 1] & EndMask;
    const std::uint32_t end = ends[field];
    const char *text = m_blocks[start >> 32].data.get() + std::uint32_t(start);
    return {text + from, (end & EndMask) - from, (end & NullFlag) != 0};
}

bool RowStore::isNull(std::int64_t row, int field) const
{
    return span(row, field).null;
}

QByteArrayView RowStore::utf8View(std::int64_t row, int field) const
{
    const Span s = span(row, field);
    return s.null ? QByteArrayView() : QByteArrayView(s.data, s.length);
}

QByteArray RowStore::utf8(std::int64_t row, int field) const
{
    const Span s = span(row, field);
    if (s.null)
        return {};
    return s.length == 0 ? QByteArray("") : QByteArray(s.data, s.length);
}

QString RowStore::text(std::int64_t row, int field) const
{
    const Span s = span(row, field);
    if (s.null)
        return {};
    return s.length == 0 ? u""_s : QString::fromUtf8(s.data, s.length);
}

std::size_t RowStore::overheadBytes() const
{
    const std::size_t index = m_rowStarts.bytes() + m_ends.bytes() + m_blocks.capacity() * sizeof(Block);
    std::size_t fillRoom = 0;
    if (!m_blocks.empty())
        fillRoom = m_blocks[m_fillBlock].capacity - m_blocks[m_fillBlock].used;
    return index + (m_allocatedBytes - m_textBytes - fillRoom);
}

} // namespace quoll::connection
