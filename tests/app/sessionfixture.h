#pragma once

#include "clientenvironment.h"
#include "mainfixture.h"

#include "app/logmodel.h"
#include "app/logpage.h"
#include "connection/builtin/builtinservers.h"
#include "connection/embedded/server/embeddedserver.h"
#include "connection/engine/query.h"

#include <QStringList>

namespace quoll::testing {

// No Informix client configuration: the window offers the built-in servers.
struct BuiltinServersOnly
{
    ClientEnvironment environment{QString()};
};

// A main window on the built-in servers of its temporary folder, with the
// helpers the connection tests share.
struct SessionFixture : BuiltinServersOnly, MainFixture
{
    static constexpr const char *Server = "quoll_test";

    connection::embedded::EmbeddedServer server() const
    {
        return connection::builtin::builtinServer(QString::fromLatin1(Server), probe().paths().serversFolder());
    }

    // Databases made on the server before the window connects.
    void createDatabases(const QStringList &names, bool logging = true) const
    {
        const connection::embedded::EmbeddedServer test = server();
        test.ensureExists(QStringLiteral("tester"));
        for (const QString &name : names)
            test.createDatabase(name, QStringLiteral("tester"), logging);
    }

    bool connect(const QString &user = QStringLiteral("tester"))
    {
        return connectTo(QString::fromLatin1(Server), user);
    }

    // Log entries as "message | details", oldest first, from entry `from`.
    QStringList log(int from = 0) const
    {
        const app::LogModel *model = probe().logPage()->model();
        QStringList entries;
        for (int row = from; row < model->size(); ++row)
            entries.append(model->entry(row).message + QStringLiteral(" | ") + model->entry(row).details);
        return entries;
    }
    int logSize() const { return probe().logPage()->model()->size(); }

    // The first field of each row `sql` gives, read on the window's
    // connection (through `qViewQuery`).
    QStringList column(const QString &sql) const
    {
        connection::Query &query = probe().viewQuery();
        query.setText(sql);
        query.open();
        QStringList values;
        while (!query.atEnd()) {
            values.append(query.text(0).trimmed());
            query.next();
        }
        query.close();
        return values;
    }

    QStringList items(const QComboBox *combo) const
    {
        QStringList texts;
        for (int i = 0; i < combo->count(); ++i)
            texts.append(combo->itemText(i));
        return texts;
    }
};

} // namespace quoll::testing
