#include "app/commandstate.h"

#include "app/commandtable.h"
#include "connection/engine/database.h"
#include "connection/engine/dataset.h"
#include "editor/sqledit.h"

#include <QAbstractEventDispatcher>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTextDocument>

namespace quoll::app {

namespace {

struct Rule
{
    const char *action;
    bool (*enabled)(const CommandInputs &);
};

constexpr Rule rules[] = {
    {"acSaveFile", [](const CommandInputs &in) { return in.hasText; }},
    {"acErase", [](const CommandInputs &in) { return in.hasText; }},
    {"acSelectAll", [](const CommandInputs &in) { return in.hasText; }},
    {"acExecute", [](const CommandInputs &in) { return in.hasText && in.connected; }},
    {"acUndo", [](const CommandInputs &in) { return in.canUndo; }},
    {"acRedo", [](const CommandInputs &in) { return in.canRedo; }},
    {"acExecuteSelected", [](const CommandInputs &in) { return in.hasSelection && in.connected; }},
    {"acCutToClipboard", [](const CommandInputs &in) { return in.hasSelection; }},
    {"acCopyToClipboard", [](const CommandInputs &in) { return in.hasSelection; }},
    {"acDeleteSelection", [](const CommandInputs &in) { return in.hasSelection; }},
    {"acAddQuot", [](const CommandInputs &in) { return in.hasSelection; }},
    {"acDeleteQuot", [](const CommandInputs &in) { return in.hasSelection; }},
    {"acPasteFromClipboard", [](const CommandInputs &in) { return in.canPaste; }},
    {"acGoToFirstRecord", [](const CommandInputs &in) { return in.resultOpen && !in.resultAtStart; }},
    {"acGoToPriorRecord", [](const CommandInputs &in) { return in.resultOpen && !in.resultAtStart; }},
    {"acGoToNextRecord", [](const CommandInputs &in) { return in.resultOpen && !in.resultAtEnd; }},
    {"acGoToLastRecord", [](const CommandInputs &in) { return in.resultOpen && !in.resultAtEnd; }},
};

constexpr const char *resultCommands[] = {
    "acRefresh",     "acExportToHtml", "acExportToExcel", "acExportToXLSFile", "acGetRecordCount",
    "acFontBigger",  "acFontSmaller",  "acShowViewer",    "acGenerateSIUD",
};

constexpr const char *dataCommands[] = {
    "acExportToHtml1", "acExportToExcel1", "acExportToXLSFile1", "acGetRecordCount1",
    "acFontBigger1",   "acFontSmaller1",   "acShowViewer1",      "acGenerateSIUD1",
};

} // namespace

void applyCommandState(ActionList &actions, const CommandInputs &inputs)
{
    for (const Rule &rule : rules)
        actions[rule.action]->setEnabled(rule.enabled(inputs));
    for (const char *name : resultCommands)
        actions[name]->setEnabled(inputs.resultOpen);
    for (const char *name : dataCommands)
        actions[name]->setEnabled(inputs.dataOpen);
}

CommandState::CommandState(Parts parts, QObject *parent) : QObject(parent), m_parts(std::move(parts))
{
    if (QClipboard *clipboard = QGuiApplication::clipboard()) {
        connect(clipboard, &QClipboard::dataChanged, this, &CommandState::readClipboard);
        readClipboard();
    }
    if (QAbstractEventDispatcher *dispatcher = QAbstractEventDispatcher::instance())
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &CommandState::recompute);
}

void CommandState::readClipboard()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    m_clipboardHasText = data && data->hasText();
}

CommandInputs CommandState::inputs() const
{
    CommandInputs in;
    if (const editor::SqlEdit *edit = m_parts.currentEditor()) {
        // "More than one empty line": the document holds any character.
        in.hasText = !edit->document()->isEmpty();
        in.hasSelection = edit->hasSelection();
        in.canUndo = edit->canUndo();
        in.canRedo = edit->canRedo();
        in.canPaste = m_clipboardHasText && !edit->isReadOnly();
    }
    in.connected = m_parts.database.isConnected();
    if (const connection::Dataset *result = m_parts.resultSet(); result && result->isActive()) {
        in.resultOpen = true;
        in.resultAtStart = result->atBeginning();
        in.resultAtEnd = result->atEnd();
    }
    const connection::Dataset *data = m_parts.tableData();
    in.dataOpen = data && data->isActive();
    return in;
}

void CommandState::recompute()
{
    applyCommandState(m_parts.actions, inputs());
}

} // namespace quoll::app
