#pragma once

#include "catalog/procinfo.h"
#include "catalog/tableinfo.h"
#include "connection/servers/serverentry.h"
#include "core/apppaths.h"

#include <QMainWindow>
#include <QStringList>

#include <memory>
#include <optional>

class QMenu;

namespace quoll {
class Dialogs;
}
namespace quoll::catalog {
class BrowserQueries;
class ListCommands;
class ProcBrowser;
class TableBrowser;
}
namespace quoll::connection {
class ConnectDialog;
class Database;
class Dataset;
class Query;
class TransactionControl;
} // namespace quoll::connection
namespace quoll::exporting {
class ExportDialog;
}
namespace quoll::results {
class GridLink;
class GridPage;
class NavigatorLink;
class ValueViewer;
} // namespace quoll::results
namespace quoll::widgets {
class PageControl;
class PaneSplitter;
class StatusBar;
} // namespace quoll::widgets
namespace quoll::editor {
class SqlEdit;
}
namespace quoll::workspace {
class PageFiles;
class StatementRunner;
} // namespace quoll::workspace

namespace quoll::testing {
struct MainProbe;
}

namespace quoll::app {

class AboutBox;
class ActionList;
class CommandState;
class ConnectionControl;
class EditorCommands;
class ExportCommands;
class GridCommands;
class ErrorHandler;
class LogPage;
class SqlTextPage;
struct SettingsParts;
class TableDataControl;
class TopBar;

// The main window. It owns every object of the program for the whole run as
// one object graph built in its constructor (the layout, then the create
// step), runs the close step when the user closes it and the destroy step
// when it is destroyed.
class QuollMain : public QMainWindow
{
    Q_OBJECT

public:
    static constexpr const char *Caption = "Quoll v4.57b";

    QuollMain(AppPaths paths, Dialogs &dialogs, ErrorHandler &errors, QWidget *parent = nullptr);
    ~QuollMain() override;

    // The command table: every command of the window by name.
    ActionList &actions() const { return *m_actions; }
    // The editor of the active page of `pcSQL` (`CurrentEditor`), or none.
    editor::SqlEdit *currentEditor() const;
    // The session's connection.
    connection::Database &database() const { return *m_database; }

    // Gives the current editor the focus and replaces its selection with
    // `text` (inserts it at the caret without one) as one undoable edit.
    void InsertIntoEditor(const QString &text);
    // Appends an entry to the event log with the current time of day;
    // `details` may be empty. The list neither selects nor scrolls to it.
    void AddLog(const QString &message, const QString &details = {});

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // Tests look at the parts the window owns through this seam; its
    // widgets they find by their object names.
    friend struct testing::MainProbe;

    // Empties every view that shows data of the current database.
    void ResetDatabaseViews();
    // The server picked in `cbServerName` with its back end and sqlhosts
    // fields; nothing when the list is empty.
    std::optional<connection::servers::ServerEntry> selectedServer() const;
    // The shared key handler of the five editors; true when it took the key.
    bool mmSQL4KeyDown(int key, Qt::KeyboardModifiers modifiers);

    void buildLayout();
    void attachPopupMenus();
    void connectCommands();
    void onCommand(const char *action, void (QuollMain::*handler)());
    // Runs `handler` through the error handler whenever `signal` fires.
    template<class Sender, class Signal>
    void onSignal(Sender *sender, Signal signal, void (QuollMain::*handler)());
    void buildSession();
    void buildEditing();
    void buildResults();
    void buildCatalogCommands();
    void createStep();
    bool closeStep();
    SettingsParts settingsParts();
    void readSettingsFile();
    void destroyStep();

    // Command handlers.
    void acSQLBarExecute();
    void acQueryBarExecute();
    void acDataBarExecute();
    void acLogBarExecute();
    void ToolButton28Click();
    void acClearLogExecute();
    void acCopyLogToClipboardExecute();
    void tsLogShow();
    void tsDataShow();
    void pmLogPopup();
    void acExecuteExecute();
    void acExecuteSelectedExecute();
    void acRefreshExecute();
    void tbConnectClick();
    void cbDataBaseNameChange();
    void cbRoleNameDropDown();
    void cbRoleNameChange();
    void tbBeginCommitClick();
    void tbRollbackClick();

    void ClearTableList();
    void ClearProcList();
    void ClearDetailLists();

    AppPaths m_paths;
    Dialogs &m_dialogs;
    ErrorHandler &m_errors;
    // Opened before the layout is built; the last object to go, after the
    // statements prepared on it.
    std::unique_ptr<connection::Database> m_database;
    std::unique_ptr<connection::Query> m_viewQuery;
    std::unique_ptr<catalog::BrowserQueries> m_browserQueries;
    ConnectionControl *m_connection = nullptr;
    connection::TransactionControl *m_transactions = nullptr;

    // Created by the create step, owned for the program's whole run.
    std::unique_ptr<connection::ConnectDialog> m_connectDialog;
    std::unique_ptr<exporting::ExportDialog> m_exportDialog;
    std::unique_ptr<AboutBox> m_aboutBox;

    ActionList *m_actions = nullptr;
    TopBar *m_topBar = nullptr;
    widgets::PaneSplitter *m_topSplitter = nullptr;
    widgets::PageControl *m_pages = nullptr;
    SqlTextPage *m_sqlPage = nullptr;
    results::GridPage *m_outputPage = nullptr;
    results::GridPage *m_dataPage = nullptr;
    LogPage *m_logPage = nullptr;
    widgets::StatusBar *m_statusBar = nullptr;
    QMenu *m_editorMenu = nullptr;
    QMenu *m_listMenu = nullptr;
    QMenu *m_logMenu = nullptr;

    // Freed by the destroy step, in this order after the lists.
    std::unique_ptr<results::ValueViewer> m_viewer;
    std::unique_ptr<QStringList> m_columnNames;
    std::unique_ptr<catalog::TableInfoList> m_tableInfos;
    std::unique_ptr<catalog::ProcInfoList> m_procInfos;
    std::unique_ptr<connection::Dataset> m_resultSet;
    std::unique_ptr<workspace::StatementRunner> m_runner;
    workspace::PageFiles *m_pageFiles = nullptr;
    EditorCommands *m_editorCommands = nullptr;
    results::GridLink *m_outputGrid = nullptr;
    results::GridLink *m_dataGrid = nullptr;
    results::NavigatorLink *m_navigatorLink = nullptr;
    TableDataControl *m_tableData = nullptr;
    // Deleted by the destroy step, before the objects they reach.
    catalog::TableBrowser *m_tableBrowser = nullptr;
    catalog::ProcBrowser *m_procBrowser = nullptr;
    catalog::ListCommands *m_listCommands = nullptr;
    GridCommands *m_gridCommands = nullptr;
    ExportCommands *m_exportCommands = nullptr;
    CommandState *m_commandState = nullptr;
};

} // namespace quoll::app
