#include "workspace/statementrunner.h"

#include "connection/engine/database.h"
#include "connection/engine/dataset.h"
#include "editor/sqledit.h"
#include "widgets/statusbar.h"
#include "workspace/scriptrun.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace quoll::workspace {

namespace {
constexpr int EstimatePanel = 0;
constexpr int WarningPanel = 1;
constexpr int StatusPanel = 3;
} // namespace

// Shows each outcome of the script runner: the status panels, the log, the
// rows in `ResultSet`, and for a failure the red bar and the failing
// character selected.
class StatementRunner::Display final : public ScriptObserver
{
public:
    explicit Display(StatementRunner &runner) : m_runner(runner) {}
    void beforeStatement() override { m_runner.m_parts.resultSet.close(); }
    bool afterStatement(StatementOutcome &outcome) override
    {
        m_runner.m_statementStart = outcome.start;
        m_runner.show(outcome);
        return true;
    }

private:
    StatementRunner &m_runner;
};

StatementRunner::StatementRunner(Parts parts) : m_parts(std::move(parts))
{
}

void StatementRunner::RunScript(const QString &text, int offset)
{
    widgets::StatusBar &status = m_parts.statusBar;
    for (int panel : {EstimatePanel, WarningPanel, StatusPanel})
        status.setPanelText(panel, QString());
    status.setAlarm(false);
    Display display(*this);
    ScriptRunner(m_parts.database.engine()).run(text, offset, display);
}

bool StatementRunner::RunStatement(const QString &text, int start)
{
    m_parts.resultSet.close();
    StatementOutcome outcome = ScriptRunner(m_parts.database.engine()).runStatement(text, start);
    show(outcome);
    return outcome.failed;
}

void StatementRunner::show(StatementOutcome &outcome)
{
    m_lastStatement = outcome.text;
    widgets::StatusBar &status = m_parts.statusBar;
    status.setPanelText(StatusPanel, outcome.statusLine);
    status.setPanelText(EstimatePanel, outcome.estimates);
    status.setPanelText(WarningPanel, outcome.warnings);
    if (outcome.failed) {
        m_parts.log(outcome.logMessage, outcome.text);
        status.setAlarm(true);
        selectFailure(outcome.start, outcome.errorOffset);
        return;
    }
    if (outcome.cursor)
        m_parts.resultSet.attach(std::move(outcome.cursor));
    m_parts.log(outcome.logMessage, outcome.text);
}

int StatementRunner::failurePosition(int start, int errorOffset, int textLength)
{
    if (textLength <= 0)
        return -1;
    // The E-th character of the statement; without an offset its first one,
    // never a character before it (which could lie in the statement before).
    const int position = errorOffset > 0 ? start + errorOffset - 2 : start - 1;
    return std::clamp(position, 0, textLength - 1);
}

void StatementRunner::selectFailure(int start, int errorOffset)
{
    editor::SqlEdit *editor = m_parts.currentEditor ? m_parts.currentEditor() : nullptr;
    if (!editor)
        return;
    const int position = failurePosition(start, errorOffset, editor->text().size());
    if (position >= 0)
        editor->setSelection(position, 1);
    editor->setFocus(Qt::OtherFocusReason);
}

} // namespace quoll::workspace
