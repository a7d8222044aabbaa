#pragma once

#include "connection/embedded/embeddedengine.h"
#include "connection/engine/database.h"
#include "connection/engine/dataset.h"

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
    QStringList rows(const QString &sql)
    {
        connection::Dataset result;
        result.attach(engine->executeDirect(sql).cursor);
        QStringList lines;
        for (qint64 r = 0; r < result.recordCount(); ++r) {
            QStringList fields;
            for (int c = 0; c < result.fieldCount(); ++c)
                fields.append(result.text(r, c));
            lines.append(fields.join(u'|'));
        }
        return lines;
    }

    // A new logged (or not) database made current.
    void useNewDatabase(const QString &name, bool logging = true)
    {
        run(QStringLiteral("create database %1%2").arg(name, logging ? QStringLiteral(" with log") : QString()));
    }
};

} // namespace quoll::testing
