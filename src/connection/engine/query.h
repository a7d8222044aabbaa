#pragma once

#include "connection/engine/cursor.h"
#include "connection/engine/engine.h"
#include "connection/engine/rowstore.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>

namespace quoll::connection {

class Database;

// A query object: an SQL text with named parameters (":tabid"), bound by
// name before opening, then read forward row by row. With parameter parsing
// off, a colon is plain text and the statement goes to the server as it is.
class Query
{
public:
    explicit Query(Database &database, const QString &sql = {}, bool parseParameters = true);
    ~Query();

    void setText(const QString &sql);   // closes and unprepares
    const QString &text() const { return m_sql; }
    void setParseParameters(bool on);

    // The names of the parameters in the order they stand (a name used
    // twice stands twice).
    QStringList parameterNames() const { return m_names; }
    void setParameter(const QString &name, const QVariant &value);

    void prepare();
    void unprepare();
    bool isPrepared() const { return bool(m_statement); }

    // Runs the statement and stands on its first row; a statement without
    // rows opens empty. Raises EngineError.
    void open();
    // Runs a statement that yields no rows.
    void execute();
    void close();
    bool isOpen() const { return m_open; }

    bool atEnd() const { return m_atEnd; }
    void next();

    const QList<FieldDesc> &fields() const;
    bool isNull(int field) const;
    QString text(int field) const;

    // The statement text sent to the server: parameters turned into "?".
    static QString positionalText(const QString &sql, QStringList *names);

private:
    void bindAll();
    void readRow();

    Database &m_database;
    QString m_sql;
    bool m_parse;
    QString m_positional;
    QStringList m_names;
    QHash<QString, QVariant> m_values;
    std::unique_ptr<PreparedStatement> m_statement;
    std::unique_ptr<Cursor> m_cursor;
    RowStore m_row;
    bool m_open = false;
    bool m_atEnd = true;
};

} // namespace quoll::connection
