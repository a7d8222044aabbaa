#pragma once

#include "connection/embedded/runtime/schemalookup.h"
#include "connection/embedded/runtime/textforms.h"
#include "connection/engine/cursor.h"
#include "connection/engine/engine.h"

#include <QList>

#include <memory>
#include <vector>

struct sqlite3_stmt;

namespace quoll::connection::embedded {

// A compiled statement shared by the prepared statement that runs it and
// the cursor that reads its rows. Each run bumps the generation, which ends
// any cursor of an earlier run.
struct StatementHandle
{
    explicit StatementHandle(sqlite3_stmt *s) : stmt(s) {}
    ~StatementHandle();
    StatementHandle(const StatementHandle &) = delete;
    StatementHandle &operator=(const StatementHandle &) = delete;

    sqlite3_stmt *stmt;
    quint64 generation = 0;
};

// The name a server gives a result column: a table column or an alias as
// it is; an aggregate as "(count(*))", "(sum)", "(avg)", "(max)", "(min)";
// a literal as "(constant)"; any other expression as "(expression)".
QString serverLabel(const QString &storageName, bool isTableColumn);

// Reads the rows of a stepped statement: `hasRow` tells whether the first
// step produced a row, which is then the cursor's first row.
class SqliteCursor : public Cursor
{
public:
    // `dateColumns` marks the expression columns that hold DATE day numbers.
    SqliteCursor(std::shared_ptr<StatementHandle> handle, bool hasRow, const DateColumns &dateColumns = {});

    const QList<FieldDesc> &fields() const override { return m_fields; }
    bool fetch(RowSink &sink) override;

private:
    void writeRow(RowSink &sink);

    std::shared_ptr<StatementHandle> m_handle;
    quint64 m_generation;
    bool m_pending;
    bool m_done = false;
    QList<FieldDesc> m_fields;
    std::vector<ColumnForm> m_forms;
};

// A statement prepared on the embedded server with "?" markers.
class SqliteStatement : public PreparedStatement
{
public:
    // `afterRun` is told of every run's outcome (for the communication area).
    SqliteStatement(std::shared_ptr<StatementHandle> handle, std::function<void(int rc)> afterRun,
                    DateColumns dateColumns = {});

    void bind(int index, const QVariant &value) override;
    std::unique_ptr<Cursor> execute() override;
    std::int64_t rowsAffected() const override { return m_rowsAffected; }

private:
    std::shared_ptr<StatementHandle> m_handle;
    std::function<void(int rc)> m_afterRun;
    DateColumns m_dateColumns;
    std::int64_t m_rowsAffected = 0;
    bool m_ran = false;   // stepped since the last reset
};

} // namespace quoll::connection::embedded
