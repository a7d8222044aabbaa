#pragma once

#include <QObject>

#include <functional>

namespace quoll::connection {
class Database;
class Dataset;
} // namespace quoll::connection
namespace quoll::editor {
class SqlEdit;
}

namespace quoll::app {

class ActionList;

// What the enabled state of the commands depends on.
struct CommandInputs
{
    bool hasText = false;        // the current editor holds more than one empty line
    bool hasSelection = false;
    bool canUndo = false;
    bool canRedo = false;
    bool canPaste = false;       // the clipboard holds text the editor takes
    bool connected = false;
    bool resultOpen = false;     // `ResultSet`
    bool resultAtStart = false;
    bool resultAtEnd = false;
    bool dataOpen = false;       // `qrData`
};

// Sets the enabled state of every command the rule covers from `inputs`.
// The commands it does not cover (open, font, background, the log and the
// page switches) are left as they are.
void applyCommandState(ActionList &actions, const CommandInputs &inputs);

// Recomputes the commands' state from scratch each time the application
// becomes idle (its event loop is about to wait), so that every command is
// enabled exactly when it can act. What it asks is cheap: nothing walks an
// editor's text, and the clipboard is read only when it changes.
class CommandState : public QObject
{
    Q_OBJECT

public:
    struct Parts
    {
        ActionList &actions;
        connection::Database &database;
        std::function<editor::SqlEdit *()> currentEditor;
        std::function<const connection::Dataset *()> resultSet;
        std::function<const connection::Dataset *()> tableData;
    };

    explicit CommandState(Parts parts, QObject *parent = nullptr);

    CommandInputs inputs() const;
    void recompute();

private:
    void readClipboard();

    Parts m_parts;
    bool m_clipboardHasText = false;
};

} // namespace quoll::app
