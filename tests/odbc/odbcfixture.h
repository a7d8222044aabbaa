#pragma once

#include "connection/engine/cursor.h"
#include "connection/engine/engine.h"
#include "connection/engine/engineerror.h"
#include "connection/odbc/odbcengine.h"

#include <QStringList>
#include <QTemporaryDir>

#include <memory>

// Fixtures of the ODBC tests: a sink that collects fields as texts, and an
// SQLite database reached through the driver manager.
namespace quoll::testing {

using namespace Qt::Literals::StringLiterals;

class CollectingSink : public connection::RowSink
{
public:
    QStringList fields;
    void addField(const char *utf8, std::size_t length) override
    {
        fields.append(QString::fromUtf8(utf8, qsizetype(length)));
    }
    void addNull() override { fields.append(u"<null>"_s); }
};

// An SQLite database file in a temporary folder, reached through the
// driver manager and the SQLite ODBC driver.
struct SqliteOdbc
{
    QTemporaryDir folder;
    QString path = folder.filePath(u"test.db"_s);
    std::unique_ptr<connection::odbc::OdbcEngine> engine = make();

    SqliteOdbc() { engine->connect({}); }

    // StepAPI=1 makes the driver step through a result as it is fetched
    // instead of reading all of it when the statement runs.
    std::unique_ptr<connection::odbc::OdbcEngine> make() const
    {
        return connection::odbc::OdbcEngine::withConnectionString(u"DRIVER={SQLite3};StepAPI=1;Database="_s + path);
    }

    void run(const QString &sql) { engine->execute(sql); }

    // Every row of a query, its fields joined by "|" (NULL as "<null>").
    QStringList rows(const QString &sql) { return rowsOf(*engine, sql); }

    static QStringList rowsOf(connection::Engine &engine, const QString &sql)
    {
        connection::DirectResult result = engine.executeDirect(sql);
        if (result.status != connection::StatusOk)
            throw connection::EngineError(engine.lastError().nativeCode, engine.lastError().context);
        if (!result.cursor)
            return {};
        QStringList lines;
        CollectingSink sink;
        while (result.cursor->fetch(sink)) {
            lines.append(sink.fields.join(u'|'));
            sink.fields.clear();
        }
        return lines;
    }
};

} // namespace quoll::testing
