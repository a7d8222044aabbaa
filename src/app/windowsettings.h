#pragma once

#include <QList>

class QComboBox;
class QMainWindow;

namespace quoll {
class ProfileFile;
}
namespace quoll::connection {
class ConnectDialog;
}
namespace quoll::results {
class GridPage;
class ValueViewer;
} // namespace quoll::results
namespace quoll::widgets {
class ReportList;
}
namespace quoll::workspace {
class EditorPages;
}

namespace quoll::app {

class ConnectionControl;

// Everything the settings file keeps, as the main window holds it.
struct SettingsParts
{
    QMainWindow &window;
    ConnectionControl &connection;
    results::GridPage &grid1;
    results::GridPage &grid2;
    QComboBox &tableWild;
    QComboBox &procWild;
    connection::ConnectDialog &connectDialog;
    results::ValueViewer &viewer;
    // lvTables, ListView2, ListView3, ListView4, lvTriggers, lvProc.
    QList<widgets::ReportList *> lists;
    workspace::EditorPages &editors;
};

// Reads every key in the file's order and applies each at once; a missing
// or unreadable value gives its default. The window is made maximized last
// when the file says so, after its normal bounds are set.
void readSettings(const ProfileFile &file, SettingsParts &parts);

// Writes every key in the file's order; the window's bounds only while it
// is in the normal state.
void writeSettings(ProfileFile &file, const SettingsParts &parts);

} // namespace quoll::app
