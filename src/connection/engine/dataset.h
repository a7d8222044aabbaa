#pragma once

#include "connection/engine/cursor.h"
#include "connection/engine/rowstore.h"

#include <QObject>
#include <QString>

#include <memory>

namespace quoll::connection {

// A browsable, cached view over a cursor: a current row that moves first,
// prior, next and last, beginning- and end-of-data flags, bookmarks and a
// record count. It reads from the cursor only as far as it is asked to, keeps
// the rows it read in compact form, and never asks the server again for a
// row it has (moving back costs nothing). Rows are counted from 0.
//
// Positions follow the usual data-set rules: right after opening, the first
// row is current and atBeginning() is true; atEnd() is true when the result
// is empty or when next() was asked past the last row (the last row stays
// current); prior() before the first row sets atBeginning() and stays. An
// empty result is at the beginning and at the end at once. first() sets
// atBeginning(), last() sets atEnd(); any other move clears both. Opening
// reads exactly one row, with no look-ahead: whether a row is the last is
// known only once next() finds nothing after it.
//
// When the cursor is exhausted or fails it is dropped, so canFetchMore()
// turns false. A failure while reading propagates as EngineError; the rows
// read before it stay and the position does not change.
class Dataset : public QObject
{
    Q_OBJECT

public:
    // A remembered row; valid only for the cursor it was taken on, and only
    // until rows are inserted into or removed from the set.
    struct Bookmark
    {
        qint64 row = -1;
        quint64 generation = 0;
        bool isValid() const { return row >= 0; }
    };

    explicit Dataset(QObject *parent = nullptr);
    ~Dataset() override;

    // Takes over `cursor` and opens on its first row; null closes the data
    // set. Raises EngineError when the first fetch fails (the set is then
    // closed).
    void attach(std::unique_ptr<Cursor> cursor);
    void close() { attach(nullptr); }
    bool isActive() const { return m_active; }

    // The column descriptions; empty while closed.
    const QList<FieldDesc> &fields() const { return m_fields; }
    int fieldCount() const { return int(m_fields.size()); }
    // The field named `name` (letter case ignored), -1 when there is none.
    int fieldIndex(const QString &name) const;

    void first();
    void prior();
    void next();
    void last();                     // reads every remaining row
    bool atBeginning() const { return m_bof; }
    bool atEnd() const { return m_eof; }
    bool isEmpty() const { return m_current < 0; }

    // The current row's index from 0, -1 when there is none.
    qint64 currentRow() const { return m_current; }
    // Makes `row` current, reading up to it when needed; false (and no
    // move) when the result has fewer rows.
    bool moveTo(qint64 row);

    Bookmark bookmark() const;
    bool gotoBookmark(const Bookmark &mark);

    // All rows of the result (reads every remaining row).
    qint64 recordCount();
    // The same by going to the last row and back to where the set was (the
    // beginning when it was there), the views told once at the end.
    qint64 countFromLast();
    // The rows read so far, and whether the cursor may have more.
    qint64 fetchedCount() const { return m_rows.rowCount(); }
    bool canFetchMore() const { return bool(m_cursor); }
    // Reads up to `rows` more rows; returns how many came.
    qint64 fetchMore(qint64 rows);

    // The current row's fields; NULL when there is no current row.
    bool isNull(int field) const { return isNull(m_current, field); }
    QString text(int field) const { return text(m_current, field); }
    // Any row already read; a row or field out of range reads as NULL.
    bool isNull(qint64 row, int field) const;
    QString text(qint64 row, int field) const;
    // The current row's field as UTF-8 without a copy (empty for NULL);
    // valid until the set reads or changes rows.
    QByteArrayView utf8View(int field) const;

    // While paused, attached views are not told about moves and changes.
    // Pauses nest; the last resume tells them once what happened: reset()
    // when the set was reopened or rows were changed, inserted or removed,
    // else one rowsFetched() for all rows read meanwhile; then
    // currentChanged() when the position moved (always after a reset()).
    void pauseViews();
    void resumeViews();
    bool viewsPaused() const { return m_pauses > 0; }

    // Bytes of memory the stored rows take, beyond their text (see
    // RowStore::overheadBytes()).
    std::size_t overheadBytes() const { return m_rows.overheadBytes(); }

signals:
    // The set was opened, closed or refilled: views start over.
    void reset();
    // Rows [first, last] were read and appended; once per batch.
    void rowsFetched(qint64 first, qint64 last);
    // The current row, or the beginning or end flag, changed.
    void currentChanged(qint64 row);
    // Editing through a table data set: the row got new values; a new row
    // now stands at `row` (those after it moved down one); the row at `row`
    // was removed (those after it moved up one).
    void rowChanged(qint64 row);
    void rowInserted(qint64 row);
    void rowRemoved(qint64 row);

protected:
    // Opens with the cursor's first `hiddenFields` columns kept in the store
    // but left out of fields(): a table data set keeps its row identity so.
    void attach(std::unique_ptr<Cursor> cursor, int hiddenFields);
    int hiddenFieldCount() const { return m_hidden; }
    // Every stored column, hidden ones first.
    const RowStore &rows() const { return m_rows; }

    // Called before every move and before reopening; an editing subclass
    // posts or drops its changes here. May raise to stop the move.
    virtual void beforeMove() {}
    virtual void beforeReset() {}

    // Stored-row edits, with values for every stored column (hidden ones
    // first; a null QString is NULL). They tell the views and end bookmarks
    // when rows come or go. After a removal the row that took the removed
    // row's place is current, or the new last row.
    void insertStoredRow(qint64 row, const QList<QString> &values);
    void replaceStoredRow(qint64 row, const QList<QString> &values);
    void removeStoredRow(qint64 row);
    void setPosition(qint64 row, bool atBeginning, bool atEnd);

private:
    bool ensureRow(qint64 row);
    qint64 readRows(qint64 limit, bool announce);
    void clear();
    void announceReset();
    void announceFetched(qint64 first);
    void announceCurrent();
    void announceRow(void (Dataset::*signal)(qint64), qint64 row);

    std::unique_ptr<Cursor> m_cursor;
    QList<FieldDesc> m_fields;
    RowStore m_rows;
    int m_hidden = 0;
    bool m_active = false;
    bool m_bof = true;
    bool m_eof = true;
    qint64 m_current = -1;
    quint64 m_generation = 0;

    int m_pauses = 0;
    bool m_pendingReset = false;
    bool m_pendingCurrent = false;
    qint64 m_pendingFetchFrom = -1;
};

} // namespace quoll::connection
