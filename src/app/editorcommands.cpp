#include "app/editorcommands.h"

#include "app/commandtable.h"
#include "app/errorhandler.h"
#include "app/wheelzoom.h"
#include "core/dialogs.h"
#include "editor/sqledit.h"
#include "widgets/waitcursor.h"
#include "workspace/editorpages.h"
#include "workspace/pagefiles.h"
#include "workspace/quoting.h"

#include <QAction>
#include <QFontInfo>
#include <QMenu>

#include <algorithm>
#include <cstdlib>

using namespace Qt::Literals::StringLiterals;

namespace quoll::app {

namespace {

const QString SqlFilter = u"SQL запросы (*.sql);;Все файлы (*)"_s;
const char *const HeightProperty = "fontHeight";

} // namespace

// Kept beside the font, since heights above zero (reached by shrinking far
// enough) have no pixel size of their own.
int EditorCommands::fontHeight(const editor::SqlEdit *edit)
{
    const QVariant kept = edit->property(HeightProperty);
    return kept.isValid() ? kept.toInt() : -QFontInfo(edit->font()).pixelSize();
}

void EditorCommands::setFontHeight(editor::SqlEdit *edit, int height)
{
    QFont font = edit->font();
    font.setPixelSize(std::max(1, std::abs(height)));
    edit->setFont(font);
    edit->setProperty(HeightProperty, height);
}

EditorCommands::EditorCommands(workspace::EditorPages &pages, workspace::PageFiles &files, Dialogs &dialogs,
                               ErrorHandler &errors, QObject *parent)
    : QObject(parent), m_pages(pages), m_files(files), m_dialogs(dialogs), m_errors(errors)
{
}

void EditorCommands::bind(const ActionList &actions, QMenu *editorMenu)
{
    const auto on = [this, &actions](const char *name, std::function<void()> handler) {
        connect(actions[name], &QAction::triggered, this,
                [this, handler = std::move(handler)] { m_errors.run(handler); });
    };
    const auto onEditor = [this, &on](const char *name, void (editor::SqlEdit::*operation)()) {
        on(name, [this, operation] {
            if (editor::SqlEdit *edit = current())
                (edit->*operation)();
        });
    };
    on("acOpenFile", [this] { acOpenFileExecute(); });
    on("acSaveFile", [this] { acSaveFileExecute(); });
    on("acErase", [this] { acEraseExecute(); });
    on("acSelectFont", [this] { acSelectFontExecute(); });
    on("acSelectBackGround", [this] { acSelectBackGroundExecute(); });
    on("acAddQuot", [this] { acAddQuotExecute(); });
    on("acDeleteQuot", [this] { acDeleteQuotExecute(); });
    onEditor("acUndo", &editor::SqlEdit::undo);
    onEditor("acRedo", &editor::SqlEdit::redo);
    onEditor("acCutToClipboard", &editor::SqlEdit::cut);
    onEditor("acCopyToClipboard", &editor::SqlEdit::copy);
    onEditor("acPasteFromClipboard", &editor::SqlEdit::paste);
    onEditor("acSelectAll", &editor::SqlEdit::SelectAll);
    onEditor("acDeleteSelection", &editor::SqlEdit::deleteSelection);

    const std::pair<const char *, int> steps[] = {{"N32", 3}, {"N22", 2}, {"N11", 1},
                                                  {"N14", -1}, {"N21", -2}, {"N31", -3}};
    for (const auto &[item, pixels] : steps) {
        if (QAction *action = editorMenu->findChild<QAction *>(QString::fromLatin1(item)))
            connect(action, &QAction::triggered, this,
                    [this, pixels = pixels] { m_errors.run([this, pixels] { fontStep(pixels); }); });
    }
}

editor::SqlEdit *EditorCommands::current() const
{
    return m_pages.currentEditor();
}

int EditorCommands::currentNumber() const
{
    return workspace::EditorPages::tagOf(m_pages.currentWidget());
}

void EditorCommands::acOpenFileExecute()
{
    if (!current())
        return;
    const std::optional<QString> name =
        m_dialogs.openFileName({u"Открыть"_s, m_openName, SqlFilter, u"sql"_s, false});
    if (!name)
        return;
    m_openName = *name;
    m_files.openFile(currentNumber(), *name);
}

void EditorCommands::acSaveFileExecute()
{
    if (!current())
        return;
    if (m_saveName.isEmpty())
        m_saveName = m_openName;
    // An existing file is replaced without a question.
    const std::optional<QString> name =
        m_dialogs.saveFileName({u"Save As"_s, m_saveName, SqlFilter, u"sql"_s, false});
    if (!name)
        return;
    m_saveName = *name;
    m_files.saveFile(currentNumber(), *name);
}

void EditorCommands::acEraseExecute()
{
    if (editor::SqlEdit *edit = current()) {
        edit->SelectAll();
        edit->deleteSelection();
    }
}

void EditorCommands::acSelectFontExecute()
{
    editor::SqlEdit *edit = current();
    if (!edit)
        return;
    if (const std::optional<QFont> font = m_dialogs.font(edit->font(), u"Шрифт"_s)) {
        edit->setFont(*font);
        edit->setProperty(HeightProperty, QVariant());
    }
}

void EditorCommands::acSelectBackGroundExecute()
{
    editor::SqlEdit *edit = current();
    if (!edit)
        return;
    if (const std::optional<QColor> colour = m_dialogs.colour(edit->background(), u"Фон"_s))
        edit->setBackground(*colour);
}

void EditorCommands::fontStep(int pixels)
{
    if (editor::SqlEdit *edit = current())
        setFontHeight(edit, fontHeight(edit) - pixels);
}

void EditorCommands::zoom(editor::SqlEdit *edit, int points)
{
    zoomFont(edit, points);
    edit->setProperty(HeightProperty, QVariant());
}

void EditorCommands::quote(const std::function<std::optional<QString>(const QString &)> &transform)
{
    editor::SqlEdit *edit = current();
    if (!edit || !edit->hasSelection())
        return;
    const widgets::WaitCursor busy;
    edit->suspendRepaint();
    if (const std::optional<QString> result = transform(edit->selectedText()))
        edit->replaceSelection(*result);
    edit->resumeRepaint();
    edit->setFocus(Qt::OtherFocusReason);
}

void EditorCommands::acAddQuotExecute()
{
    quote(workspace::addQuotes);
}

void EditorCommands::acDeleteQuotExecute()
{
    quote(workspace::deleteQuotes);
}

} // namespace quoll::app
