#include "connection/engine/tabledataset.h"

#include "connection/engine/engine.h"
#include "connection/engine/engineerror.h"

#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace quoll::connection {

namespace {

// A cursor together with the statement it came from, so that the statement
// lives exactly as long as the rows are read.
class StatementCursor final : public Cursor
{
public:
    StatementCursor(std::unique_ptr<PreparedStatement> statement, std::unique_ptr<Cursor> cursor)
        : m_statement(std::move(statement)), m_cursor(std::move(cursor))
    {
    }

    const QList<FieldDesc> &fields() const override { return m_cursor->fields(); }
    bool fetch(RowSink &sink) override { return m_cursor->fetch(sink); }

private:
    std::unique_ptr<PreparedStatement> m_statement;
    std::unique_ptr<Cursor> m_cursor;
};

// Resumes the views when it goes out of scope, also on a failure.
class ViewPause
{
public:
    explicit ViewPause(Dataset &dataset) : m_dataset(dataset) { m_dataset.pauseViews(); }
    ~ViewPause() { m_dataset.resumeViews(); }
    ViewPause(const ViewPause &) = delete;
    ViewPause &operator=(const ViewPause &) = delete;

private:
    Dataset &m_dataset;
};

bool isPlainName(QStringView name)
{
    if (name.isEmpty() || !(name.front().isLetter() || name.front() == u'_'))
        return false;
    for (const QChar c : name) {
        if (!c.isLetterOrNumber() && c != u'_' && c != u'$')
            return false;
    }
    return true;
}

// A column name as a statement needs it: a plain name as it is, any other
// in double quotes.
QString quotedName(const QString &name)
{
    if (isPlainName(name))
        return name;
    QString inner = name;
    inner.replace(u'"', u"\"\""_s);
    return u'"' + inner + u'"';
}

// A table name, possibly qualified ("owner.table", "db:owner.table"): as it
// is when every part is plain or it is already quoted, else quoted whole.
QString quotedTable(const QString &name)
{
    if (name.startsWith(u'"'))
        return name;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= name.size(); ++i) {
        if (i < name.size() && name[i] != u'.' && name[i] != u':')
            continue;
        if (!isPlainName(QStringView(name).mid(start, i - start)))
            return quotedName(name);
        start = i + 1;
    }
    return name;
}

// A stored key value as it is bound to find the row: integers as numbers,
// anything else as the text it was read as.
QVariant keyValue(FieldType type, const QString &text)
{
    if (isIntegerType(type)) {
        bool ok = false;
        const qlonglong number = text.toLongLong(&ok);
        if (ok)
            return number;
    }
    return text;
}

bool isNullValue(const QVariant &value)
{
    return value.isNull() || (value.typeId() == QMetaType::QString && value.toString().isNull());
}

// The text a posted value is stored and shown as; a null QString for NULL.
QString storedText(const QVariant &value)
{
    if (isNullValue(value))
        return {};
    const QString text = value.toString();
    return text.isNull() ? u""_s : text;
}

} // namespace

TableDataset::TableDataset(Engine &engine, QObject *parent) : Dataset(parent), m_engine(engine)
{
}

TableDataset::~TableDataset() = default;

void TableDataset::open(const QString &tableName)
{
    beforeMove();
    QStringList key = m_engine.primaryKey(tableName);
    QString identity = key.isEmpty() ? m_engine.rowIdentity() : QString();
    m_table = tableName;
    m_primaryKey = std::move(key);
    m_identity = std::move(identity);
    try {
        attach(select({}, {}), m_identity.isEmpty() ? 0 : 1);
    } catch (...) {
        close();
        throw;
    }
}

QString TableDataset::selectText() const
{
    const QString table = quotedTable(m_table);
    if (m_identity.isEmpty())
        return u"SELECT * FROM "_s + table;
    return u"SELECT %1, * FROM %2"_s.arg(m_identity, table);
}

std::unique_ptr<Cursor> TableDataset::select(const QString &condition, const QList<QVariant> &values)
{
    QString sql = selectText();
    if (!condition.isEmpty())
        sql += u" WHERE "_s + condition;
    std::unique_ptr<PreparedStatement> statement = m_engine.prepare(sql);
    for (int i = 0; i < values.size(); ++i)
        statement->bind(i, values[i]);
    std::unique_ptr<Cursor> cursor = statement->execute();
    if (!cursor)
        throw EngineError(0, u"Reading the table %1 gave no rows to read."_s.arg(m_table));
    return std::make_unique<StatementCursor>(std::move(statement), std::move(cursor));
}

namespace {

// Keeps the first field of a row as a whole number.
class CountSink final : public RowSink
{
public:
    void addField(const char *utf8, std::size_t length) override
    {
        if (m_fields++ == 0)
            m_value = QByteArray(utf8, qsizetype(length)).trimmed().toLongLong(&m_valid);
    }
    void addNull() override { ++m_fields; }
    std::optional<qint64> value() const { return m_valid ? std::optional(m_value) : std::nullopt; }

private:
    int m_fields = 0;
    qint64 m_value = 0;
    bool m_valid = false;
};

} // namespace

qint64 TableDataset::tableRecordCount()
{
    if (m_table.isEmpty())
        return 0;
    const std::unique_ptr<PreparedStatement> statement =
        m_engine.prepare(u"SELECT COUNT(*) FROM "_s + quotedTable(m_table));
    const std::unique_ptr<Cursor> cursor = statement->execute();
    CountSink sink;
    if (!cursor || !cursor->fetch(sink) || !sink.value())
        throw EngineError(0, u"The server gave no row count for the table %1."_s.arg(m_table));
    return *sink.value();
}

bool TableDataset::isModified() const
{
    return m_assigned.contains(true);
}

TableDataset::RowKey TableDataset::storedRowKey(qint64 row) const
{
    RowKey key;
    if (!m_primaryKey.isEmpty()) {
        QStringList conditions;
        for (const QString &column : m_primaryKey) {
            const int field = fieldIndex(column);
            if (field < 0)
                throw EngineError(0, u"The key column %1 is not among the columns of %2."_s.arg(column, m_table));
            if (isNull(row, field))
                throw EngineError(0, u"The row has no value in its key column %1, so it cannot be found in %2. "
                                     u"Refresh the table."_s.arg(column, m_table));
            conditions.append(quotedName(fields()[field].name) + u" = ?"_s);
            key.values.append(keyValue(fields()[field].type, text(row, field)));
        }
        key.condition = conditions.join(u" AND "_s);
        return key;
    }
    if (m_identity.isEmpty())
        throw EngineError(0, u"The table %1 has no primary key and the server gives rows no identity, "
                             u"so its rows cannot be changed."_s.arg(m_table));
    if (rows().isNull(row, 0))
        throw EngineError(0, u"The row's identity is not known, so it cannot be found in %1. "
                             u"Refresh the table."_s.arg(m_table));
    key.condition = m_identity + u" = ?"_s;
    key.values.append(keyValue(FieldType::LargeInt, rows().text(row, 0)));
    return key;
}

// How to find the row just inserted from the buffer (see the class comment).
bool TableDataset::insertedRowKey(RowKey &key) const
{
    const CommunicationArea area = m_engine.communicationArea();
    if (!m_primaryKey.isEmpty()) {
        QStringList conditions;
        QList<QVariant> values;
        bool serialUsed = false;
        for (const QString &column : m_primaryKey) {
            const int field = fieldIndex(column);
            if (field < 0)
                break;
            const QVariant &given = m_buffer[field];
            // A serial given as 0 or not at all is numbered by the server.
            const bool numbered = fields()[field].type == FieldType::AutoInc
                && (isNullValue(given) || given.toLongLong() == 0);
            if (numbered && area.serialOrSecondary != 0 && !serialUsed) {
                values.append(qlonglong(area.serialOrSecondary));
                serialUsed = true;
            } else if (m_assigned[field] && !isNullValue(given) && !numbered) {
                values.append(given);
            } else {
                break;
            }
            conditions.append(quotedName(fields()[field].name) + u" = ?"_s);
        }
        if (values.size() == m_primaryKey.size()) {
            key = {conditions.join(u" AND "_s), values};
            return true;
        }
    }
    const QString identity = m_engine.rowIdentity();
    if (identity.isEmpty() || area.rowId == 0)
        return false;
    key = {identity + u" = ?"_s, {qlonglong(area.rowId)}};
    return true;
}

QList<int> TableDataset::assignedFields() const
{
    QList<int> given;
    for (int field = 0; field < m_assigned.size(); ++field) {
        if (m_assigned[field])
            given.append(field);
    }
    return given;
}

QList<QString> TableDataset::storedValues(qint64 row) const
{
    QList<QString> values;
    values.reserve(rows().fieldCount());
    for (int column = 0; column < rows().fieldCount(); ++column)
        values.append(rows().text(row, column));
    return values;
}

void TableDataset::edit()
{
    if (m_state != State::Browse)
        return;
    if (currentRow() < 0)
        throw EngineError(0, u"There is no row to edit."_s);
    // Raises now, before anything is typed, when the row could not be found again.
    storedRowKey(currentRow());
    startBuffer(State::Edit);
}

void TableDataset::insert()
{
    if (!isActive())
        throw EngineError(0, u"No table is open."_s);
    beforeMove();
    m_priorRow = currentRow();
    m_priorAtBeginning = atBeginning();
    m_priorAtEnd = atEnd();
    const qint64 row = currentRow() >= 0 ? currentRow() + 1 : fetchedCount();
    insertStoredRow(row, QList<QString>(rows().fieldCount()));
    setPosition(row, false, false);
    startBuffer(State::Insert);
}

void TableDataset::startBuffer(State state)
{
    m_buffer.clear();
    for (int field = 0; field < fieldCount(); ++field) {
        if (state == State::Edit && !isNull(field))
            m_buffer.append(text(field));
        else
            m_buffer.append(QVariant());
    }
    m_assigned = QList<bool>(fieldCount(), false);
    m_state = state;
    emit stateChanged(m_state);
}

void TableDataset::endBuffer()
{
    m_buffer.clear();
    m_assigned.clear();
    m_state = State::Browse;
    emit stateChanged(m_state);
}

void TableDataset::setValue(int field, const QVariant &value)
{
    if (field < 0 || field >= fieldCount())
        throw EngineError(0, u"The table %1 has no field number %2."_s.arg(m_table).arg(field));
    if (m_state == State::Browse)
        edit();
    m_buffer[field] = isNullValue(value) ? QVariant() : value;
    m_assigned[field] = true;
}

void TableDataset::setValue(int field, const QString &text)
{
    setValue(field, text.isNull() ? QVariant() : QVariant(text));
}

QVariant TableDataset::value(int field) const
{
    if (field < 0 || field >= fieldCount())
        return {};
    if (m_state != State::Browse)
        return m_buffer[field];
    return isNull(field) ? QVariant() : QVariant(text(field));
}

void TableDataset::post()
{
    if (m_state == State::Edit)
        postEdit();
    else if (m_state == State::Insert)
        postInsert();
}

void TableDataset::execute(PreparedStatement &statement, const QList<QVariant> &values, bool mustAffect)
{
    // A cursor still reading the table could meet the rows this statement
    // writes and show them twice: the rest is read first, once.
    if (canFetchMore())
        recordCount();
    for (int i = 0; i < values.size(); ++i)
        statement.bind(i, values[i]);
    statement.execute();
    if (mustAffect && statement.rowsAffected() == 0)
        throw EngineError(0, u"The row is no longer in %1 as it was read: it was changed or deleted "
                             u"meanwhile. Refresh the table."_s.arg(m_table));
}

void TableDataset::postEdit()
{
    const qint64 row = currentRow();
    const QList<int> changed = assignedFields();
    if (!changed.isEmpty()) {
        const RowKey key = storedRowKey(row);
        QStringList assignments;
        QList<QVariant> values;
        for (const int field : changed) {
            assignments.append(quotedName(fields()[field].name) + u" = ?"_s);
            values.append(m_buffer[field]);
        }
        values += key.values;
        const auto statement = m_engine.prepare(
            u"UPDATE %1 SET %2 WHERE %3"_s.arg(quotedTable(m_table), assignments.join(u", "_s), key.condition));
        execute(*statement, values, true);
        QList<QString> stored = storedValues(row);
        for (const int field : changed)
            stored[field + hiddenFieldCount()] = storedText(m_buffer[field]);
        replaceStoredRow(row, stored);
    }
    endBuffer();
}

void TableDataset::postInsert()
{
    const QList<int> given = assignedFields();
    if (given.isEmpty())
        throw EngineError(0, u"Nothing was entered for the new row."_s);
    QStringList columns;
    QStringList markers;
    QList<QVariant> values;
    for (const int field : given) {
        columns.append(quotedName(fields()[field].name));
        markers.append(u"?"_s);
        values.append(m_buffer[field]);
    }
    const auto statement = m_engine.prepare(u"INSERT INTO %1 (%2) VALUES (%3)"_s.arg(
        quotedTable(m_table), columns.join(u", "_s), markers.join(u", "_s)));
    execute(*statement, values, false);

    // The row is in the table now: from here on the buffer must not be
    // posted again, whatever else fails.
    const qint64 row = currentRow();
    RowKey key;
    const bool findable = insertedRowKey(key);
    QList<QString> stored(rows().fieldCount());
    const std::int32_t rowId = m_engine.communicationArea().rowId;
    if (!m_identity.isEmpty() && rowId != 0)
        stored[0] = QString::number(rowId);
    for (const int field : given)
        stored[field + hiddenFieldCount()] = storedText(m_buffer[field]);
    replaceStoredRow(row, stored);
    endBuffer();
    if (findable)
        reReadRow(row, key);
}

// Replaces the stored row with the table's own version of it; keeps what is
// stored when the row is not found. A failure propagates.
void TableDataset::reReadRow(qint64 row, const RowKey &key)
{
    const std::unique_ptr<Cursor> cursor = select(key.condition, key.values);
    if (cursor->fields().size() != rows().fieldCount())
        return;
    RowStore found(rows().fieldCount());
    found.beginRow();
    if (!cursor->fetch(found))
        return;
    found.endRow();
    QList<QString> values;
    for (int column = 0; column < found.fieldCount(); ++column)
        values.append(found.text(0, column));
    replaceStoredRow(row, values);
}

void TableDataset::cancel()
{
    if (m_state == State::Edit) {
        endBuffer();
    } else if (m_state == State::Insert) {
        const qint64 row = currentRow();
        endBuffer();
        removeStoredRow(row);
        setPosition(m_priorRow, m_priorAtBeginning, m_priorAtEnd);
    }
}

void TableDataset::remove()
{
    if (m_state == State::Insert) {
        cancel();
        return;
    }
    const qint64 row = currentRow();
    if (row < 0)
        throw EngineError(0, u"There is no row to delete."_s);
    const RowKey key = storedRowKey(row);
    const auto statement = m_engine.prepare(u"DELETE FROM %1 WHERE %2"_s.arg(quotedTable(m_table), key.condition));
    execute(*statement, key.values, true);
    // Changes to the row go with it; a failed delete above keeps them.
    if (m_state == State::Edit)
        endBuffer();
    removeStoredRow(row);
    // The row after the deleted one takes its place, read when needed.
    if (row >= fetchedCount() && canFetchMore()) {
        fetchMore(1);
        if (row < fetchedCount())
            setPosition(row, false, false);
    }
}

void TableDataset::refresh()
{
    if (!isActive())
        return;
    beforeMove();
    const qint64 row = currentRow();
    std::unique_ptr<Cursor> cursor = select({}, {});
    const ViewPause pause(*this);
    attach(std::move(cursor), m_identity.isEmpty() ? 0 : 1);
    if (row > 0 && !moveTo(row))
        last();
}

void TableDataset::beforeMove()
{
    if (m_state == State::Browse)
        return;
    if (isModified())
        post();
    else
        cancel();
}

void TableDataset::beforeReset()
{
    if (m_state != State::Browse)
        endBuffer();
}

} // namespace quoll::connection
