#include "connection/embedded/runtime/sqlitecursor.h"

#include "connection/engine/dateliterals.h"
#include "connection/embedded/server/sqliteerrors.h"

#include <QDate>
#include <QDateTime>
#include <QRegularExpression>

#include <sqlite3.h>

namespace quoll::connection::embedded {

StatementHandle::~StatementHandle()
{
    sqlite3_finalize(stmt);
}

namespace {

bool isIdentifier(const QString &name)
{
    if (name.isEmpty() || name.front().isDigit())
        return false;
    for (const QChar c : name)
        if (!c.isLetterOrNumber() && c != u'_')
            return false;
    return true;
}

} // namespace

QString serverLabel(const QString &storageName, bool isTableColumn)
{
    // A column or a name the statement gave stays as it is; the storage
    // engine names anything else by its (rewritten) text.
    if (isTableColumn || isIdentifier(storageName))
        return storageName;
    static const QRegularExpression aggregate(QStringLiteral("^(count|sum|avg|max|min)\\s*\\((.*)\\)$"),
                                              QRegularExpression::CaseInsensitiveOption);
    if (const QRegularExpressionMatch m = aggregate.match(storageName); m.hasMatch()) {
        const QString function = m.captured(1).toLower();
        if (function == QLatin1String("count") && m.captured(2).trimmed() == QLatin1String("*"))
            return QStringLiteral("(count(*))");
        return u'(' + function + u')';
    }
    static const QRegularExpression constant(QStringLiteral("^(-?[0-9.]+([eE][-+]?[0-9]+)?|'([^']|'')*')$"));
    if (constant.match(storageName).hasMatch())
        return QStringLiteral("(constant)");
    return QStringLiteral("(expression)");
}

SqliteCursor::SqliteCursor(std::shared_ptr<StatementHandle> handle, bool hasRow, const DateColumns &dateColumns)
    : m_handle(std::move(handle)), m_generation(m_handle->generation), m_pending(hasRow)
{
    sqlite3_stmt *stmt = m_handle->stmt;
    const int count = sqlite3_column_count(stmt);
    m_fields.reserve(count);
    m_forms.resize(size_t(count));
    for (int i = 0; i < count; ++i) {
        FieldDesc desc;
        desc.name = serverLabel(QString::fromUtf8(sqlite3_column_name(stmt, i)),
                                sqlite3_column_origin_name(stmt, i) != nullptr);
        const char *declared = sqlite3_column_decltype(stmt, i);
        if (!declared && dateColumns.at(i, count))
            declared = "DATE";
        const int storage = hasRow ? sqlite3_column_type(stmt, i) : SQLITE_NULL;
        describeColumn(QString::fromUtf8(declared ? declared : ""), storage, desc, m_forms[size_t(i)]);
        m_fields.append(desc);
    }
    m_done = !hasRow;
}

bool SqliteCursor::fetch(RowSink &sink)
{
    if (m_done || m_handle->generation != m_generation)
        return false;
    if (!m_pending) {
        const int rc = sqlite3_step(m_handle->stmt);
        if (rc == SQLITE_DONE) {
            m_done = true;
            return false;
        }
        if (rc != SQLITE_ROW) {
            m_done = true;
            throw mapSqliteFailure(sqlite3_db_handle(m_handle->stmt), rc).error();
        }
    }
    m_pending = false;
    writeRow(sink);
    return true;
}

void SqliteCursor::writeRow(RowSink &sink)
{
    sqlite3_stmt *stmt = m_handle->stmt;
    char buffer[FormBufferSize];
    for (int i = 0; i < int(m_forms.size()); ++i) {
        const int storage = sqlite3_column_type(stmt, i);
        if (storage == SQLITE_NULL) {
            sink.addNull();
            continue;
        }
        const ColumnForm &form = m_forms[size_t(i)];
        const bool numeric = storage == SQLITE_INTEGER || storage == SQLITE_FLOAT;
        int length = -1;
        switch (form.kind) {
        case ColumnForm::Kind::Decimal:
            if (storage == SQLITE_INTEGER && form.scale >= 0)
                length = formatScaledInteger(sqlite3_column_int64(stmt, i), form.scale, buffer);
            else if (numeric)
                length = formatDecimal(sqlite3_column_double(stmt, i), form.scale, buffer);
            break;
        case ColumnForm::Kind::Float:
            if (storage == SQLITE_FLOAT)
                length = formatFloat(sqlite3_column_double(stmt, i), buffer);
            break;
        case ColumnForm::Kind::Date: {
            const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt, i));
            length = formatDate(text, size_t(sqlite3_column_bytes(stmt, i)), buffer);
            break;
        }
        case ColumnForm::Kind::Boolean:
            if (numeric) {
                buffer[0] = sqlite3_column_int(stmt, i) ? 't' : 'f';
                length = 1;
            }
            break;
        case ColumnForm::Kind::DateTime:
        case ColumnForm::Kind::AsStored:
            if (storage == SQLITE_INTEGER)
                length = formatScaledInteger(sqlite3_column_int64(stmt, i), 0, buffer);
            break;
        }
        if (length >= 0) {
            sink.addField(buffer, size_t(length));
            continue;
        }
        if (storage == SQLITE_BLOB) {
            const QByteArray hex =
                QByteArray::fromRawData(static_cast<const char *>(sqlite3_column_blob(stmt, i)),
                                        sqlite3_column_bytes(stmt, i))
                    .toHex();
            sink.addField(hex.constData(), size_t(hex.size()));
            continue;
        }
        const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt, i));
        std::size_t bytes = size_t(sqlite3_column_bytes(stmt, i));
        if (form.kind == ColumnForm::Kind::DateTime && form.dateTimeChars > 0)
            bytes = std::min(bytes, size_t(form.dateTimeChars));
        sink.addField(text, bytes);
    }
}

SqliteStatement::SqliteStatement(std::shared_ptr<StatementHandle> handle, std::function<void(int rc)> afterRun,
                                 DateColumns dateColumns)
    : m_handle(std::move(handle)), m_afterRun(std::move(afterRun)), m_dateColumns(std::move(dateColumns))
{
}

void SqliteStatement::bind(int index, const QVariant &value)
{
    sqlite3_stmt *stmt = m_handle->stmt;
    const int at = index + 1;
    if (index < 0 || at > sqlite3_bind_parameter_count(stmt))
        throw EngineError(0, QStringLiteral("The statement has no parameter %1.").arg(index + 1));
    // A statement that ran takes new values only after a reset, which also
    // ends the cursor of that run.
    if (m_ran) {
        ++m_handle->generation;
        sqlite3_reset(stmt);
        m_ran = false;
    }
    if (value.isNull()) {
        sqlite3_bind_null(stmt, at);
        return;
    }
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::Short:
        sqlite3_bind_int64(stmt, at, value.toLongLong());
        break;
    case QMetaType::Double:
    case QMetaType::Float:
        sqlite3_bind_double(stmt, at, value.toDouble());
        break;
    case QMetaType::Bool:
        sqlite3_bind_text(stmt, at, value.toBool() ? "t" : "f", 1, SQLITE_STATIC);
        break;
    case QMetaType::QDate:
        // DATE values are day numbers.
        sqlite3_bind_int64(stmt, at, dayNumber(value.toDate()));
        break;
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        sqlite3_bind_blob(stmt, at, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
        break;
    }
    default: {
        const QByteArray text = value.toString().toUtf8();
        sqlite3_bind_text(stmt, at, text.constData(), int(text.size()), SQLITE_TRANSIENT);
        break;
    }
    }
}

std::unique_ptr<Cursor> SqliteStatement::execute()
{
    sqlite3_stmt *stmt = m_handle->stmt;
    ++m_handle->generation;
    sqlite3_reset(stmt);
    const int rc = sqlite3_step(stmt);
    m_ran = true;
    if (m_afterRun)
        m_afterRun(rc);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) {
        const ServerFailure failure = mapSqliteFailure(sqlite3_db_handle(stmt), rc);
        sqlite3_reset(stmt);
        throw failure.error();
    }
    m_rowsAffected = sqlite3_column_count(stmt) > 0 ? 0 : sqlite3_changes64(sqlite3_db_handle(stmt));
    if (sqlite3_column_count(stmt) == 0)
        return nullptr;
    return std::make_unique<SqliteCursor>(m_handle, rc == SQLITE_ROW, m_dateColumns);
}

} // namespace quoll::connection::embedded
