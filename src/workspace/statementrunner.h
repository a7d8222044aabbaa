#pragma once

#include <QString>

#include <functional>

namespace quoll::connection {
class Database;
class Dataset;
} // namespace quoll::connection
namespace quoll::editor {
class SqlEdit;
}
namespace quoll::widgets {
class StatusBar;
}

namespace quoll::workspace {

struct StatementOutcome;

// Runs SQL from an editor page through the script runner and shows what it
// reports: the status panels and the event log after every statement, the
// rows of a statement in `ResultSet`, and for the first statement the server
// refuses the red bar and its failing character selected in the editor.
class StatementRunner
{
public:
    using Log = std::function<void(const QString &message, const QString &details)>;

    struct Parts
    {
        connection::Database &database;
        connection::Dataset &resultSet;
        widgets::StatusBar &statusBar;
        std::function<editor::SqlEdit *()> currentEditor;   // `CurrentEditor`
        Log log;
    };

    explicit StatementRunner(Parts parts);

    // Runs a script; `offset` is the 0-based editor position of its first
    // character. An empty text runs nothing.
    void RunScript(const QString &text, int offset);

    // Runs one statement whose first character stands at 1-based editor
    // position `start`; true when the server refused it (the run stops).
    bool RunStatement(const QString &text, int start);

    // The text of the statement sent last (`LastStatement`, for acRefresh)
    // and the start of the statement being run (`StatementStart`).
    const QString &lastStatement() const { return m_lastStatement; }
    int statementStart() const { return m_statementStart; }

    // The 0-based editor position of the character to select for a statement
    // that starts at 1-based `start` and failed at its `errorOffset`-th
    // character (0 when the server names none) in a text of `textLength`
    // characters; -1 when the text is empty.
    static int failurePosition(int start, int errorOffset, int textLength);

private:
    class Display;
    void show(StatementOutcome &outcome);
    void selectFailure(int start, int errorOffset);

    Parts m_parts;
    QString m_lastStatement;
    int m_statementStart = 0;
};

} // namespace quoll::workspace
