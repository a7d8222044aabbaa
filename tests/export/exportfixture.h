#pragma once

#include "embeddedfixture.h"

#include "connection/engine/engine.h"

#include <QDir>
#include <QFile>

#include <memory>

namespace quoll::testing {

// A database with one table of every kind of value an export meets:
// NULLs, markup characters and quotes, TABs and line breaks inside values,
// Cyrillic text, numbers beyond a double's precision, dates and times.
struct ExportFixture
{
    EmbeddedFixture server;
    QTemporaryDir folder;

    ExportFixture()
    {
        server.useNewDatabase(QStringLiteral("exports"));
        server.run(QStringLiteral("create table t (id integer, name varchar(30), amount decimal(8,2), born date, "
                                  "note varchar(60), flag boolean, big int8, exact decimal(20,2), "
                                  "ts datetime year to second)"));
        server.run(QStringLiteral("insert into t values (1, 'plain', 1.5, '01/02/2024', 'a<b>&\"c''d', 't', "
                                  "9007199254740993, 12345678901234567.89, datetime(2024-01-02 03:04:05) "
                                  "year to second)"));
        server.run(QStringLiteral("insert into t values (2, null, null, null, null, null, null, null, null)"));
        server.run(QStringLiteral("insert into t values (3, 'tab\there', -2.25, '12/31/1999', 'line\nbreak\r\nx', "
                                  "'f', -5, 1.1, null)"));
        server.run(QStringLiteral("insert into t values (4, 'Привет', 0, null, 'O''Brien', null, 0, null, "
                                  "datetime(1999-12-31 23:59:59) year to second)"));
        server.run(QStringLiteral("insert into t values (5, '007', 100, '02/29/2000', '', 't', 1, 0.5, null)"));
    }

    // A cursor on `sql`, kept with the statement's lifetime by the engine.
    std::unique_ptr<connection::Cursor> cursor(const QString &sql)
    {
        connection::DirectResult result = server.engine->executeDirect(sql);
        return std::move(result.cursor);
    }

    QString path(const QString &name) const { return folder.filePath(name); }

    static QByteArray bytes(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    // The expected bytes of a golden file; QUOLL_UPDATE_GOLDEN=1 writes
    // them anew from `actual` (look at the difference before keeping it).
    static QByteArray golden(const QString &name, const QByteArray &actual)
    {
        const QString file = QDir(QStringLiteral(EXPORT_GOLDEN_DIR)).filePath(name);
        if (qEnvironmentVariableIntValue("QUOLL_UPDATE_GOLDEN") == 1) {
            QFile out(file);
            if (out.open(QIODevice::WriteOnly))
                out.write(actual);
        }
        return bytes(file);
    }
};

} // namespace quoll::testing
