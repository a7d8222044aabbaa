#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QMenu;

namespace quoll {
class Dialogs;
}
namespace quoll::editor {
class SqlEdit;
}
namespace quoll::workspace {
class EditorPages;
class PageFiles;
} // namespace quoll::workspace

namespace quoll::app {

class ActionList;
class ErrorHandler;

// The editing commands of the SQL pages, each acting on the current editor
// looked up anew: open and save with the two file dialogs (whose last file
// names all pages share), erase, undo, redo, the clipboard commands, select
// all, delete, font and background, the fixed font steps of `pmMenu`, and
// the two quoting commands.
class EditorCommands : public QObject
{
    Q_OBJECT

public:
    EditorCommands(workspace::EditorPages &pages, workspace::PageFiles &files, Dialogs &dialogs,
                   ErrorHandler &errors, QObject *parent = nullptr);

    // Binds the commands of `actions` and the font steps of `editorMenu`.
    void bind(const ActionList &actions, QMenu *editorMenu);

    void acOpenFileExecute();
    void acSaveFileExecute();
    void acEraseExecute();
    void acSelectFontExecute();
    void acSelectBackGroundExecute();
    void acAddQuotExecute();
    void acDeleteQuotExecute();
    // Changes the current editor's font height by `pixels` (positive: taller).
    void fontStep(int pixels);
    // Makes `edit`'s font `points` points larger (smaller when negative).
    static void zoom(editor::SqlEdit *edit, int points);

    // An editor's font height in the platform's convention (negative: the
    // character height in pixels), as the settings file keeps it.
    static int fontHeight(const editor::SqlEdit *edit);
    static void setFontHeight(editor::SqlEdit *edit, int height);

    const QString &lastOpenName() const { return m_openName; }
    const QString &lastSaveName() const { return m_saveName; }

private:
    editor::SqlEdit *current() const;
    int currentNumber() const;
    void quote(const std::function<std::optional<QString>(const QString &)> &transform);

    workspace::EditorPages &m_pages;
    workspace::PageFiles &m_files;
    Dialogs &m_dialogs;
    ErrorHandler &m_errors;
    QString m_openName;
    QString m_saveName;
};

} // namespace quoll::app
