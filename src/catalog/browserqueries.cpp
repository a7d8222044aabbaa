#include "catalog/browserqueries.h"

#include "catalog/catalogqueries.h"

namespace quoll::catalog {

namespace {
QString textOf(const char *sql)
{
    return QString::fromUtf8(sql);
}
} // namespace

BrowserQueries::BrowserQueries(connection::Database &database)
    : m_fields(database, textOf(CatalogQuery::Fields)), m_indexes(database, textOf(CatalogQuery::Indexes)),
      m_constraints(database, textOf(CatalogQuery::Constraints)),
      m_triggers(database, textOf(CatalogQuery::Triggers)),
      m_procBody(database, textOf(CatalogQuery::ProcBody)),
      m_procDocument(database, textOf(CatalogQuery::ProcDocument)),
      m_procAuth(database, textOf(CatalogQuery::ProcAuth)),
      m_triggerHead(database, textOf(CatalogQuery::TriggerHead)),
      m_triggerBody(database, textOf(CatalogQuery::TriggerBody)), m_viewText(database, textOf(CatalogQuery::ViewText))
{
}

void BrowserQueries::prepareTableQueries()
{
    m_fields.prepare();
    m_indexes.prepare();
    m_constraints.prepare();
}

void BrowserQueries::prepareAll()
{
    prepareTableQueries();
    m_procBody.prepare();
    m_procDocument.prepare();
    m_procAuth.prepare();
}

void BrowserQueries::unprepareAll()
{
    for (connection::Query *query : {&m_fields, &m_indexes, &m_constraints, &m_triggers, &m_procBody, &m_procDocument,
                                     &m_procAuth, &m_triggerHead, &m_triggerBody, &m_viewText})
        query->unprepare();
}

} // namespace quoll::catalog
