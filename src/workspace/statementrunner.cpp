#include "workspace/statementrunner.h"

#include "connection/engine/communicationarea.h"
#include "connection/engine/database.h"
#include "connection/engine/dataset.h"
#include "connection/engine/engine.h"
#include "core/timetext.h"
#include "editor/sqledit.h"
#include "widgets/statusbar.h"
#include "workspace/scriptsplitter.h"

#include <QElapsedTimer>
#include <QStringBuilder>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace quoll::workspace {

namespace {
constexpr int EstimatePanel = 0;
constexpr int WarningPanel = 1;
constexpr int StatusPanel = 3;
} // namespace

StatementRunner::StatementRunner(Parts parts) : m_parts(std::move(parts))
{
}

void StatementRunner::RunScript(const QString &text, int offset)
{
    widgets::StatusBar &status = m_parts.statusBar;
    for (int panel : {EstimatePanel, WarningPanel, StatusPanel})
        status.setPanelText(panel, QString());
    status.setAlarm(false);

    ScriptSplitter splitter(text, offset);
    while (const std::optional<ScriptStatement> statement = splitter.next()) {
        m_statementStart = statement->start;
        if (RunStatement(statement->text.toString(), statement->start))
            break;
    }
}

bool StatementRunner::RunStatement(const QString &text, int start)
{
    m_parts.resultSet.close();
    QElapsedTimer elapsed;
    elapsed.start();
    connection::Engine &engine = m_parts.database.engine();
    connection::DirectResult result = engine.executeDirect(text);
    m_lastStatement = text;

    const QString statusText = connection::statusText(result.status);
    const connection::ErrorEntry error = engine.lastError();
    widgets::StatusBar &status = m_parts.statusBar;
    // Built in one piece each (QStringBuilder): a script writes them for
    // every statement.
    status.setPanelText(StatusPanel,
                        QString(QString::number(error.nativeCode) % u' ' % statusText % u' ' % error.context));

    const connection::CommunicationArea area = engine.communicationArea();
    status.setPanelText(EstimatePanel,
                        QString(QString::number(area.estimatedCost) % u':' % QString::number(area.estimatedRows)));
    status.setPanelText(WarningPanel, area.warningText());

    if (result.status != connection::StatusOk) {
        m_parts.log(QString(u"Query.Error ["_s % QString::number(error.nativeCode) % u']'), text);
        status.setAlarm(true);
        selectFailure(start, area.errorOffset);
        return true;
    }
    if (result.cursor)
        m_parts.resultSet.attach(std::move(result.cursor));
    m_parts.log(QString(u"SQL - "_s % elapsedTimeText(elapsed.elapsed())), text);
    return false;
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
