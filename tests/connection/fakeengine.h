#pragma once

#include "connection/engine/cursor.h"
#include "connection/engine/engine.h"
#include "connection/engine/engineerror.h"

#include <QMap>
#include <QRegularExpression>
#include <QStringList>
#include <QVariant>

#include <charconv>
#include <optional>

// Test doubles for the engine layer: cursors that count the rows they hand
// out, and an engine over in-memory tables that logs every statement.
namespace quoll::testing {

using connection::Cursor;
using connection::EngineError;
using connection::FieldDesc;
using connection::FieldType;
using connection::RowSink;

struct FetchCounter
{
    qint64 rows = 0;
};

// `rowCount` rows of text fields, valued as cellText() says. With `failAt`
// >= 0, reading that row fails after its first field.
class GeneratedCursor : public Cursor
{
public:
    GeneratedCursor(int fieldCount, qint64 rowCount, FetchCounter *counter = nullptr, qint64 failAt = -1)
        : m_rowCount(rowCount), m_counter(counter), m_failAt(failAt)
    {
        for (int field = 0; field < fieldCount; ++field)
            m_fields.append({QStringLiteral("c%1").arg(field), FieldType::String, 20, 0, true});
    }

    // "row:field"; NULL in field 1 of every tenth row.
    static QString cellText(qint64 row, int field)
    {
        return field == 1 && row % 10 == 9 ? QString() : QStringLiteral("%1:%2").arg(row).arg(field);
    }

    const QList<FieldDesc> &fields() const override { return m_fields; }

    bool fetch(RowSink &sink) override
    {
        if (m_next >= m_rowCount)
            return false;
        for (int field = 0; field < m_fields.size(); ++field) {
            if (m_next == m_failAt && field == 1)
                throw EngineError(-244, QStringLiteral("Could not do a physical-order read to fetch next row."));
            if (field == 1 && m_next % 10 == 9) {
                sink.addNull();
                continue;
            }
            char text[32];
            char *end = std::to_chars(text, text + 20, m_next).ptr;
            *end++ = ':';
            end = std::to_chars(end, text + sizeof text, field).ptr;
            sink.addField(text, std::size_t(end - text));
        }
        ++m_next;
        if (m_counter)
            ++m_counter->rows;
        return true;
    }

private:
    QList<FieldDesc> m_fields;
    qint64 m_rowCount;
    qint64 m_next = 0;
    FetchCounter *m_counter;
    qint64 m_failAt;
};

// A cursor over rows held as text; a null QString is NULL.
class TextCursor : public Cursor
{
public:
    TextCursor(QList<FieldDesc> fields, QList<QStringList> rows, FetchCounter *counter)
        : m_fields(std::move(fields)), m_rows(std::move(rows)), m_counter(counter)
    {
    }

    const QList<FieldDesc> &fields() const override { return m_fields; }

    bool fetch(RowSink &sink) override
    {
        if (m_next >= m_rows.size())
            return false;
        for (const QString &value : m_rows[m_next++]) {
            const QByteArray utf8 = value.toUtf8();
            value.isNull() ? sink.addNull() : sink.addField(utf8.constData(), std::size_t(utf8.size()));
        }
        ++m_counter->rows;
        return true;
    }

private:
    QList<FieldDesc> m_fields;
    QList<QStringList> m_rows;
    qsizetype m_next = 0;
    FetchCounter *m_counter;
};

// A table of the fake engine. Values are compared as text; an AutoInc
// column that gets no value, or 0, is numbered from nextSerial.
struct FakeTable
{
    struct Row
    {
        qint64 rowId;
        QList<QVariant> values;
    };

    QList<FieldDesc> fields;
    QStringList primaryKey;
    QList<QVariant> defaults;
    QList<Row> rows;
    qint64 nextRowId = 257;
    qint64 nextSerial = 101;

    void append(const QList<QVariant> &values) { rows.append({nextRowId++, values}); }
};

// An engine that understands just what a table data set sends: SELECT
// [rowid,] * FROM t [WHERE c], UPDATE t SET a = ?, ... WHERE c, INSERT INTO
// t (a, ...) VALUES (?, ...), DELETE FROM t WHERE c; c is "a = ? AND ...".
class FakeEngine : public connection::Engine
{
public:
    struct Statement
    {
        QString sql;
        QList<QVariant> values;
    };

    QMap<QString, FakeTable> tables;
    QList<Statement> log;
    FetchCounter fetched;
    bool hasRowIdentity = true;
    std::optional<EngineError> failNext;

    void connect(const connection::ParameterList &) override {}
    void disconnect() override {}
    bool isConnected() const override { return true; }
    void execute(const QString &sql) override { run(sql, {}); }
    std::unique_ptr<connection::PreparedStatement> prepare(const QString &sql) override
    {
        return std::make_unique<Prepared>(*this, sql);
    }
    connection::DirectResult executeDirect(const QString &sql) override { return {connection::StatusOk, run(sql, {})}; }
    connection::ErrorEntry lastError() const override { return {}; }
    connection::CommunicationArea communicationArea() const override { return m_area; }
    bool inTransaction() const override { return false; }
    void startTransaction() override {}
    void commit() override {}
    void rollback() override {}
    QStringList primaryKey(const QString &table) override { return tables.value(table).primaryKey; }
    QString rowIdentity() const override { return hasRowIdentity ? QStringLiteral("rowid") : QString(); }

    // Logs the statement, then applies it; m_affected tells how many rows.
    std::unique_ptr<Cursor> run(const QString &sql, const QList<QVariant> &values)
    {
        log.append({sql, values});
        m_affected = 0;
        if (failNext)
            throw *std::exchange(failNext, std::nullopt);
        const QString name = QStringLiteral("(\"(?:[^\"]|\"\")*\"|\\S+)");
        static const QRegularExpression select(
            QStringLiteral("^SELECT (rowid, )?\\* FROM %1(?: WHERE (.+))?$").arg(name));
        static const QRegularExpression update(QStringLiteral("^UPDATE %1 SET (.+) WHERE (.+)$").arg(name));
        static const QRegularExpression insert(QStringLiteral("^INSERT INTO %1 \\((.+)\\) VALUES").arg(name));
        static const QRegularExpression remove(QStringLiteral("^DELETE FROM %1 WHERE (.+)$").arg(name));
        QRegularExpressionMatch m;
        if ((m = select.match(sql)).hasMatch())
            return selectRows(table(m.captured(2)), !m.captured(1).isEmpty(), m.captured(3), values);
        if ((m = update.match(sql)).hasMatch()) {
            FakeTable &t = table(m.captured(1));
            const QStringList columns = names(m.captured(2), QStringLiteral(", "));
            for (FakeTable::Row &row : t.rows) {
                if (matches(t, row, m.captured(3), values.mid(columns.size()))) {
                    for (int i = 0; i < columns.size(); ++i)
                        row.values[column(t, columns[i])] = values[i];
                    ++m_affected;
                }
            }
        } else if ((m = insert.match(sql)).hasMatch()) {
            FakeTable &t = table(m.captured(1));
            FakeTable::Row row{t.nextRowId++, t.defaults};
            row.values.resize(t.fields.size());
            const QStringList columns = m.captured(2).split(QStringLiteral(", "));
            for (int i = 0; i < columns.size(); ++i)
                row.values[column(t, unquoted(columns[i]))] = values[i];
            m_area = {};
            for (int i = 0; i < t.fields.size(); ++i) {
                if (t.fields[i].type == FieldType::AutoInc && row.values[i].toLongLong() == 0) {
                    row.values[i] = t.nextSerial;
                    m_area.serialOrSecondary = std::int32_t(t.nextSerial++);
                }
            }
            m_area.rowId = hasRowIdentity ? std::int32_t(row.rowId) : 0;
            t.rows.append(row);
            m_affected = 1;
        } else if ((m = remove.match(sql)).hasMatch()) {
            FakeTable &t = table(m.captured(1));
            m_affected = t.rows.removeIf(
                [&](const FakeTable::Row &row) { return matches(t, row, m.captured(2), values); });
        } else {
            throw EngineError(-201, QStringLiteral("A syntax error has occurred."));
        }
        return nullptr;
    }

private:
    class Prepared : public connection::PreparedStatement
    {
    public:
        Prepared(FakeEngine &engine, QString sql) : m_engine(engine), m_sql(std::move(sql)) {}
        void bind(int index, const QVariant &value) override
        {
            m_values.resize(std::max(m_values.size(), qsizetype(index) + 1));
            m_values[index] = value;
        }
        std::unique_ptr<Cursor> execute() override { return m_engine.run(m_sql, m_values); }
        std::int64_t rowsAffected() const override { return m_engine.m_affected; }

    private:
        FakeEngine &m_engine;
        QString m_sql;
        QList<QVariant> m_values;
    };

    static QString unquoted(const QString &name)
    {
        if (!name.startsWith(u'"'))
            return name;
        return name.mid(1, name.size() - 2).replace(QStringLiteral("\"\""), QStringLiteral("\""));
    }

    FakeTable &table(const QString &name)
    {
        if (!tables.contains(unquoted(name)))
            throw EngineError(-206, QStringLiteral("The specified table (%1) is not in the database.").arg(name));
        return tables[unquoted(name)];
    }

    static int column(const FakeTable &t, const QString &name)
    {
        for (int i = 0; i < t.fields.size(); ++i) {
            if (t.fields[i].name == name)
                return i;
        }
        throw EngineError(-217, QStringLiteral("Column (%1) not found in any table in the query.").arg(name));
    }

    // The names in "a = ?, b = ?" or "a = ? AND b = ?".
    static QStringList names(const QString &list, const QString &separator)
    {
        QStringList result;
        for (const QString &part : list.split(separator))
            result.append(unquoted(part.chopped(4)));
        return result;
    }

    static bool matches(const FakeTable &t, const FakeTable::Row &row, const QString &condition,
                        const QList<QVariant> &values)
    {
        const QStringList columns = names(condition, QStringLiteral(" AND "));
        for (int i = 0; i < columns.size(); ++i) {
            const QVariant stored = columns[i] == u"rowid" ? QVariant(row.rowId) : row.values[column(t, columns[i])];
            if (stored.isNull() || stored.toString() != values.value(i).toString())
                return false;
        }
        return true;
    }

    std::unique_ptr<Cursor> selectRows(const FakeTable &t, bool withRowId, const QString &condition,
                                       const QList<QVariant> &values)
    {
        QList<FieldDesc> fields = t.fields;
        if (withRowId)
            fields.prepend({QStringLiteral("rowid"), FieldType::Integer, 10, 0, false});
        QList<QStringList> rows;
        for (const FakeTable::Row &row : t.rows) {
            if (!condition.isEmpty() && !matches(t, row, condition, values))
                continue;
            QStringList text;
            if (withRowId)
                text.append(QString::number(row.rowId));
            for (const QVariant &value : row.values)
                text.append(value.isNull() ? QString() : value.toString());
            rows.append(text);
        }
        return std::make_unique<TextCursor>(fields, rows, &fetched);
    }

    connection::CommunicationArea m_area;
    std::int64_t m_affected = 0;
};

} // namespace quoll::testing
