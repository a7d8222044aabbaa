#pragma once

#include "connection/engine/query.h"

namespace quoll::connection {
class Database;
}

namespace quoll::catalog {

// The catalog queries the browser keeps prepared on the connection:
// `qFields`, `qIndx` and `qCntr` for the selected table's details, `qProcBd`,
// `qProcDc` and `qProcAuth` for the selected routine. A connect prepares all
// six; a database switch unprepares them and prepares the first three again
// (the routine queries prepare themselves when next opened).
class BrowserQueries
{
public:
    explicit BrowserQueries(connection::Database &database);

    connection::Query &qFields() { return m_fields; }
    connection::Query &qIndx() { return m_indexes; }
    connection::Query &qCntr() { return m_constraints; }
    // Prepared when it is first opened after a connect or switch.
    connection::Query &qTrg() { return m_triggers; }
    connection::Query &qProcBd() { return m_procBody; }
    connection::Query &qProcDc() { return m_procDocument; }
    connection::Query &qProcAuth() { return m_procAuth; }
    // The trigger header and body and the view text: prepared when opened.
    connection::Query &qTrgHd() { return m_triggerHead; }
    connection::Query &qTrgBd() { return m_triggerBody; }
    connection::Query &qViewBd() { return m_viewText; }

    void prepareAll();
    void prepareTableQueries();
    // Also closes them; needed before the connection closes, since a prepared
    // statement belongs to the connection it was made on.
    void unprepareAll();

private:
    connection::Query m_fields;
    connection::Query m_indexes;
    connection::Query m_constraints;
    connection::Query m_triggers;
    connection::Query m_procBody;
    connection::Query m_procDocument;
    connection::Query m_procAuth;
    connection::Query m_triggerHead;
    connection::Query m_triggerBody;
    connection::Query m_viewText;
};

} // namespace quoll::catalog
