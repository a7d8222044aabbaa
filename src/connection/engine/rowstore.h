#pragma once

#include "connection/engine/cursor.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace quoll::connection {

// Rows of text fields in compact form: the UTF-8 text of every field lies in
// large shared blocks, and each row costs one block position plus one 32-bit
// end offset per field (its top bit marks NULL). There is no object per cell
// or per row.
//
// A row's text is never split: it lies in one block. Blocks grow from 16 KB
// to 4 MB; a row bigger than that gets a block of its own. A row holds at
// most 2 GB of text. Rows are counted from 0, fields from 0.
//
// The store is a RowSink, so a cursor writes a row straight into it between
// beginRow() and endRow().
class RowStore final : public RowSink
{
public:
    explicit RowStore(int fieldCount = 0);
    ~RowStore() override;
    RowStore(RowStore &&other) noexcept;
    RowStore &operator=(RowStore &&other) noexcept;

    // Drops every row and sets the number of fields a row has.
    void reset(int fieldCount);
    int fieldCount() const { return m_fieldCount; }
    std::int64_t rowCount() const { return m_rowCount; }

    // Building one row at the end: begin, then exactly fieldCount() adds,
    // then end. beginRow() drops a row left unfinished, as does abandonRow().
    // endRow() raises EngineError (and drops the row) when the row did not
    // get exactly fieldCount() fields.
    void beginRow();
    void addField(const char *utf8, std::size_t length) override;
    void addNull() override;
    void endRow();
    void abandonRow();

    // Whole rows given as one value per field; a null QString stands for
    // NULL, missing values too. Replacing or removing a row leaves its old
    // text behind as unused space (see overheadBytes()), except for a row
    // that had a block of its own, whose block is freed.
    void appendRow(const QList<QString> &values);
    void insertRow(std::int64_t row, const QList<QString> &values);
    void replaceRow(std::int64_t row, const QList<QString> &values);
    void removeRow(std::int64_t row);

    bool isNull(std::int64_t row, int field) const;
    // The field's text without copying; valid until the store changes.
    QByteArrayView utf8View(std::int64_t row, int field) const;
    // A null QByteArray or QString for NULL, an empty one for empty text.
    QByteArray utf8(std::int64_t row, int field) const;
    QString text(std::int64_t row, int field) const;

    // Bytes of the live rows' field text.
    std::size_t textBytes() const { return m_textBytes; }
    // Bytes held beyond the live rows' text: row positions and field
    // offsets (with the unused rest of their last page), the block table,
    // text left behind by replaced and removed rows, and block tails that
    // stayed empty because the next row did not fit. The free room at the
    // end of the block being filled is not counted: the next rows go there.
    std::size_t overheadBytes() const;

private:
    // Per-row entries of a fixed width, in pages of PageRows rows so that
    // growing never copies what is there; only the first page grows, from a
    // few rows, so a small store stays small.
    template <typename T>
    class RowPages
    {
    public:
        static constexpr std::int64_t PageRows = 16384;

        // Forgets every row; a smallest first page of the same width stays.
        void reset(std::size_t width)
        {
            if (width == m_width && m_pages.size() == 1 && m_firstRows == grownRows(0))
                return;
            m_width = width;
            m_pages.clear();
            m_firstRows = 0;
        }

        T *row(std::int64_t index) { return m_pages[page(index)].get() + offset(index); }
        const T *row(std::int64_t index) const { return m_pages[page(index)].get() + offset(index); }

        // Makes room for row `index`, at most one past the rows there are.
        T *reserve(std::int64_t index)
        {
            const std::size_t at = page(index);
            if (at == m_pages.size()) {
                const std::int64_t rows = at == 0 ? grownRows(0) : PageRows;
                m_pages.push_back(std::make_unique_for_overwrite<T[]>(std::size_t(rows) * m_width));
                if (at == 0)
                    m_firstRows = rows;
            } else if (at == 0 && index >= m_firstRows) {
                const std::int64_t rows = grownRows(m_firstRows);
                auto grown = std::make_unique_for_overwrite<T[]>(std::size_t(rows) * m_width);
                std::copy_n(m_pages[0].get(), std::size_t(m_firstRows) * m_width, grown.get());
                m_pages[0] = std::move(grown);
                m_firstRows = rows;
            }
            return row(index);
        }

        std::size_t bytes() const
        {
            if (m_pages.empty())
                return 0;
            const auto rows = std::size_t(m_firstRows + std::int64_t(m_pages.size() - 1) * PageRows);
            return rows * m_width * sizeof(T) + m_pages.capacity() * sizeof(m_pages[0]);
        }

    private:
        static std::size_t page(std::int64_t index) { return std::size_t(index / PageRows); }
        std::size_t offset(std::int64_t index) const { return std::size_t(index % PageRows) * m_width; }
        static std::int64_t grownRows(std::int64_t rows) { return rows ? std::min(2 * rows, PageRows) : 16; }

        std::vector<std::unique_ptr<T[]>> m_pages;
        std::size_t m_width = 0;
        std::int64_t m_firstRows = 0; // rows the first page has room for
    };

    struct Block
    {
        std::unique_ptr<char[]> data;
        std::uint32_t capacity = 0;
        std::uint32_t used = 0;
        bool ownRow = false; // holds one row too big for a shared block
    };

    struct Span
    {
        const char *data;
        std::uint32_t length;
        bool null;
    };

    Span span(std::int64_t row, int field) const;
    std::uint32_t rowBytes(std::int64_t row) const;
    void appendText(const char *utf8, std::size_t length);
    std::size_t takeSharedCapacity(std::size_t needed);
    void relocateRow(std::size_t needed);
    void releaseRow(std::int64_t row);
    void copyRow(std::int64_t from, std::int64_t to);

    int m_fieldCount = 0;
    std::int64_t m_rowCount = 0;
    // Per row: block index in the high 32 bits, byte offset in the low.
    RowPages<std::uint64_t> m_rowStarts;
    // Per row, fieldCount() end offsets from the row's start; top bit NULL.
    RowPages<std::uint32_t> m_ends;
    std::vector<Block> m_blocks;
    std::uint32_t m_fillBlock = 0;       // the shared block rows are added to
    std::size_t m_nextBlockSize = 0;
    std::size_t m_allocatedBytes = 0;
    std::size_t m_textBytes = 0;

    // The row being built.
    bool m_building = false;
    std::uint32_t *m_rowEnds = nullptr;
    std::uint32_t m_rowBlock = 0;
    std::uint32_t m_rowStart = 0;
    std::uint32_t m_rowLength = 0;
    int m_rowFields = 0;
};

} // namespace quoll::connection
