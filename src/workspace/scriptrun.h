#pragma once

#include "connection/engine/cursor.h"
#include "workspace/scriptsplitter.h"

#include <QString>

#include <memory>

namespace quoll::connection {
class Engine;
}

namespace quoll::workspace {

// What happened to one statement of a script, as the window and the
// command-line tool each show it.
struct StatementOutcome
{
    QString text;            // the statement as sent
    int start = 0;           // 1-based position of its first character in the editor text
    int number = 0;          // counted from 1 within the run
    bool failed = false;
    int nativeCode = 0;
    QString context;         // the server's message
    QString statusLine;      // status panel 3: code, status text, message
    QString estimates;       // status panel 0: estimated cost ":" estimated rows
    QString warnings;        // status panel 1: the warning characters
    int errorOffset = 0;     // the failing character, from 1; 0 when none
    QString logMessage;      // "SQL - " and the elapsed time, or "Query.Error [code]"
    std::unique_ptr<connection::Cursor> cursor;   // the rows, when the statement has some
};

// What a run of a script tells its caller, statement by statement.
class ScriptObserver
{
public:
    virtual ~ScriptObserver() = default;
    // Before a statement is sent (the window empties its result grid).
    virtual void beforeStatement() {}
    // After it; false stops the run. A failed statement always stops it.
    virtual bool afterStatement(StatementOutcome &outcome) = 0;
};

// Runs SQL as a script: cuts it into statements and sends each by direct
// execution, reporting every outcome to the observer; the first statement
// the server refuses ends the run. The one statement loop of the program.
class ScriptRunner
{
public:
    explicit ScriptRunner(connection::Engine &engine) : m_engine(engine) {}

    // `offset`: the 0-based editor position of the script's first character.
    // Returns false when a statement failed or the observer stopped the run.
    bool run(QStringView script, int offset, ScriptObserver &observer,
             ScriptSplitter::LineBreaks lineBreaks = ScriptSplitter::LineBreaks::CrLf);

    // Sends one statement that starts at 1-based editor position `start`.
    StatementOutcome runStatement(const QString &text, int start, int number = 1);

private:
    connection::Engine &m_engine;
};

} // namespace quoll::workspace
