#include "workspace/scriptrun.h"

#include "connection/engine/communicationarea.h"
#include "connection/engine/engine.h"
#include "core/timetext.h"

#include <QElapsedTimer>
#include <QStringBuilder>

using namespace Qt::Literals::StringLiterals;

namespace quoll::workspace {

bool ScriptRunner::run(QStringView script, int offset, ScriptObserver &observer, ScriptSplitter::LineBreaks lineBreaks)
{
    ScriptSplitter splitter(script, offset, lineBreaks);
    int number = 0;
    while (const std::optional<ScriptStatement> statement = splitter.next()) {
        observer.beforeStatement();
        StatementOutcome outcome = runStatement(statement->text.toString(), statement->start, ++number);
        const bool failed = outcome.failed;
        const bool goOn = observer.afterStatement(outcome);
        if (failed || !goOn)
            return false;
    }
    return true;
}

StatementOutcome ScriptRunner::runStatement(const QString &text, int start, int number)
{
    QElapsedTimer elapsed;
    elapsed.start();
    connection::DirectResult result = m_engine.executeDirect(text);
    StatementOutcome outcome;
    outcome.text = text;
    outcome.start = start;
    outcome.number = number;
    outcome.failed = result.status != connection::StatusOk;
    const connection::ErrorEntry error = m_engine.lastError();
    outcome.nativeCode = error.nativeCode;
    outcome.context = error.context;
    // Built in one piece each (QStringBuilder): a script makes them for every
    // statement.
    outcome.statusLine = QString::number(error.nativeCode) % u' ' % connection::statusText(result.status) % u' '
                         % error.context;
    const connection::CommunicationArea area = m_engine.communicationArea();
    outcome.estimates = QString::number(area.estimatedCost) % u':' % QString::number(area.estimatedRows);
    outcome.warnings = area.warningText();
    outcome.errorOffset = area.errorOffset;
    if (outcome.failed) {
        outcome.logMessage = u"Query.Error ["_s % QString::number(error.nativeCode) % u']';
    } else {
        outcome.cursor = std::move(result.cursor);
        outcome.logMessage = u"SQL - "_s % elapsedTimeText(elapsed.elapsed());
    }
    return outcome;
}

} // namespace quoll::workspace
