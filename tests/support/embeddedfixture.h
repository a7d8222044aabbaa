#pragma once

#include "connection/embedded/server/embeddedengine.h"
#include "connection/engine/database.h"
#include "connection/engine/dataset.h"
#include "connection/engine/query.h"

#include <QStringList>

#include <QTemporaryDir>

#include <memory>

namespace quoll::testing {

// An embedded server in a temporary folder with a connected Database.
struct EmbeddedFixture
{
    QTemporaryDir folder;
    connection::embedded::EmbeddedEngine *engine = nullptr;
    connection::Database database;

    explicit EmbeddedFixture(const QString &user = QStringLiteral("tester"))
    {
        auto owned = std::make_unique<connection::embedded::EmbeddedEngine>(
            connection::embedded::EmbeddedServer(QStringLiteral("testsrv"), folder.filePath(QStringLiteral("testsrv"))));
        engine = owned.get();
        database.setEngine(std::move(owned));
        database.parameters().setValue(QStringLiteral("DATABASE NAME"), QStringLiteral("sysmaster"));
        database.parameters().setValue(QStringLiteral("USER NAME"), user);
        database.open();
    }

    // Runs statements that must succeed.
    void run(const QString &sql) { database.execute(sql); }

    // Every row of a query, its fields joined by "|" (NULL as empty).
    QStringList rows(const QString &sql) { return resultRows(*engine, sql); }

    static QStringList resultRows(connection::Engine &engine, const QString &sql)
    {
        connection::Dataset result;
        result.attach(engine.executeDirect(sql).cursor);
        QStringList lines;
        for (qint64 r = 0; r < result.recordCount(); ++r) {
            QStringList fields;
            for (int c = 0; c < result.fieldCount(); ++c)
                fields.append(result.text(r, c));
            lines.append(fields.join(u'|'));
        }
        return lines;
    }

    // The rows of a query object with one named parameter (none when
    // `parameter` is empty), as rows() gives them: the way the window and
    // the catalog browser read their queries.
    QStringList rowsWith(const QString &sql, const QString &parameter = {}, qint64 value = 0)
    {
        connection::Query query(database, sql);
        if (!parameter.isEmpty())
            query.setParameter(parameter, value);
        query.open();
        QStringList lines;
        for (; !query.atEnd(); query.next()) {
            QStringList fields;
            for (int i = 0; i < query.fields().size(); ++i)
                fields.append(query.text(i));
            lines.append(fields.join(u'|'));
        }
        return lines;
    }

    // A text read back from its catalog pieces as the browser reads it:
    // each piece selected with "%" appended, the "%" cut, pieces joined.
    QString readPieces(const QString &sql, const QString &parameter, qint64 value)
    {
        connection::Query query(database, sql);
        query.setParameter(parameter, value);
        query.open();
        QString text;
        for (; !query.atEnd(); query.next())
            text += query.text(0).chopped(1);
        return text;
    }

    // A new logged (or not) database made current.
    void useNewDatabase(const QString &name, bool logging = true)
    {
        run(QStringLiteral("create database %1%2").arg(name, logging ? QStringLiteral(" with log") : QString()));
    }
};

} // namespace quoll::testing
