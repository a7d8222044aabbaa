#pragma once

#include <QMenu>
#include <QToolBar>
#include <QToolButton>
#include <QWidget>

namespace quoll::app {

class ActionList;

// The tool bars and pop-up menus that present the commands. Each is built
// from a table of (item name, command name) pairs in display order.

// The run bar `tbRunButs`: 39-by-38 buttons that wrap two to a row when the
// bar is wide enough. `eraseMenu` becomes the drop-down of `tbSQLErase`.
QWidget *buildRunBar(const ActionList &actions, QMenu *eraseMenu, QWidget *parent);

// Puts the command buttons of the output page (`ToolBar11`) or of the table
// data page (`ToolBar12`, after its record navigator) on the bar.
void fillResultBar(QToolBar *bar, const ActionList &actions);
void fillDataBar(QToolBar *bar, const ActionList &actions);

// A tool button that shows `action`'s image only, with its hint as tool tip.
QToolButton *makeCommandButton(const QString &name, QAction *action, QWidget *parent);

// The pop-up menus: `pmMenu` of the editors, `pmLW` of the catalog lists and
// `pmLog` of the event log. Items carry their own object names and show and
// run the command they stand for.
QMenu *buildEditorMenu(const ActionList &actions, QWidget *parent);
QMenu *buildListMenu(QWidget *parent);
QMenu *buildLogMenu(const ActionList &actions, QWidget *parent);

} // namespace quoll::app
