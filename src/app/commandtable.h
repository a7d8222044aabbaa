#pragma once

#include <QAction>
#include <QHash>
#include <QList>
#include <QObject>

#include <span>

namespace quoll::app {

// One row of the command table: everything a command shows.
struct CommandRow
{
    const char *name;      // object name of the action, e.g. "acExecute"
    const char *category;  // "File", "SQLEditor", ...
    const char *caption;   // UTF-8; shown on menu items
    const char *hint;      // UTF-8; the tool tip of buttons, may be empty
    const char *shortcut;  // portable key sequence text, may be empty
    int image;             // index into ImageList1, -1 for none
};

// The command table of the main window, in category order.
std::span<const CommandRow> commandTable();

// `ActionList1`: creates every command's QAction once, from the table, and
// finds them by name. Buttons and menu items only show these actions.
class ActionList : public QObject
{
    Q_OBJECT

public:
    explicit ActionList(QObject *parent = nullptr);

    // The action named `name`; asserts in debug builds when there is none.
    QAction *action(const QString &name) const;
    QAction *operator[](const char *name) const { return action(QString::fromLatin1(name)); }
    QList<QAction *> actions() const { return m_ordered; }

    static QString categoryOf(const QAction *action);
    // The hint as the table gives it (QAction::toolTip falls back to the caption).
    static QString hintOf(const QAction *action);
    static int imageOf(const QAction *action);

private:
    QList<QAction *> m_ordered;
    QHash<QString, QAction *> m_byName;
};

} // namespace quoll::app
