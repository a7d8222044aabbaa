#include "connection/engine/sessionstatements.h"

#include "connection/engine/query.h"
#include "connection/sessionqueries.h"

#include <algorithm>

namespace quoll::connection {

namespace {

// The first column of a one-row query, trimmed.
QString firstText(Query &query, const char *sql, int column = 0)
{
    query.setText(QString::fromUtf8(sql));
    query.open();
    const QString text = query.text(column).trimmed();
    query.close();
    return text;
}

} // namespace

ServerIdentity readServerIdentity(Query &query)
{
    ServerIdentity identity;
    query.setText(QString::fromUtf8(SessionQuery::UserAndVersion));
    query.open();
    identity.user = query.text(0).trimmed();
    identity.version = query.text(1).trimmed();
    query.close();
    identity.majorVersion = firstText(query, SessionQuery::MajorVersion);
    return identity;
}

QStringList readDatabaseNames(Query &query)
{
    query.setText(QString::fromUtf8(SessionQuery::DirtyRead));
    query.execute();
    QStringList names;
    query.setText(QString::fromUtf8(SessionQuery::DatabaseList));
    query.open();
    for (; !query.atEnd(); query.next())
        names.append(query.text(0).trimmed());
    query.close();
    query.setText(QString::fromUtf8(SessionQuery::CommittedRead));
    query.execute();
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int folded = a.compare(b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    });
    return names;
}

void useDatabase(Query &query, const QString &name)
{
    query.setText(QString::fromUtf8(SessionQuery::DatabasePrefix) + name);
    query.execute();
}

} // namespace quoll::connection
