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

    const AppPaths &paths() const { return m_paths; }
    ActionList &actions() const { return *m_actions; }

    // The editor of the active page of `pcSQL` (`CurrentEditor`), or none.
    editor::SqlEdit *currentEditor() const;

    widgets::StatusBar *statusPanels() const { return m_statusBar; }
    results::ValueViewer *viewer() const { return m_viewer.get(); }
    connection::ConnectDialog *connectDialog() const { return m_connectDialog.get(); }
    exporting::ExportDialog *exportDialog() const { return m_exportDialog.get(); }
    AboutBox *aboutBox() const { return m_aboutBox.get(); }

    // The record lists behind the catalog lists (`TableInfos`, `ProcInfos`)
    // and the selected table's column names (`ColumnNames`).
    catalog::TableInfoList *tableInfos() const { return m_tableInfos.get(); }
    catalog::ProcInfoList *procInfos() const { return m_procInfos.get(); }
    QStringList *columnNames() const { return m_columnNames.get(); }

    // The session's connection object and the data set that receives the
    // rows of the last executed statement (`ResultSet`).
    connection::Database &database() const { return *m_database; }
    connection::Dataset *resultSet() const { return m_resultSet.get(); }
    // The output page and the table data page with their grids' links, and
    // `qrData` with the table page's show step.
    results::GridPage *outputPage() const { return m_outputPage; }
    results::GridPage *dataPage() const { return m_dataPage; }
    results::GridLink *outputGrid() const { return m_outputGrid; }
    results::GridLink *dataGrid() const { return m_dataGrid; }
    TableDataControl &tableData() const { return *m_tableData; }
    GridCommands &gridCommands() const { return *m_gridCommands; }
    ExportCommands &exportCommands() const { return *m_exportCommands; }
    // The enabled state of the commands, recomputed whenever the program
    // becomes idle.
    CommandState &commandState() const { return *m_commandState; }
    // `qViewQuery`, which sends the program's own fixed statements, and the
    // catalog queries kept prepared on the connection.
    connection::Query &viewQuery() const { return *m_viewQuery; }
    catalog::BrowserQueries &browserQueries() const { return *m_browserQueries; }
    // The table list, its filter and the table details.
    catalog::TableBrowser &tableBrowser() const { return *m_tableBrowser; }
    // The routine list and its text; the catalog lists' pop-up menu.
    catalog::ProcBrowser &procBrowser() const { return *m_procBrowser; }
    catalog::ListCommands &listCommands() const { return *m_listCommands; }

    ConnectionControl &connectionControl() const { return *m_connection; }
    connection::TransactionControl &transactions() const { return *m_transactions; }
    TopBar *topBar() const { return m_topBar; }

    // Empties every view that shows data of the current database.
    void ResetDatabaseViews();

    // Gives the current editor the focus and replaces its selection with
    // `text` (inserts it at the caret without one) as one undoable edit.
    void InsertIntoEditor(const QString &text);
    workspace::StatementRunner &runner() const { return *m_runner; }
    workspace::PageFiles &pageFiles() const { return *m_pageFiles; }
    EditorCommands &editorCommands() const { return *m_editorCommands; }

    // The server picked in `cbServerName` with its back end and sqlhosts
    // fields; nothing when the list is empty.
    std::optional<connection::servers::ServerEntry> selectedServer() const;

    // Appends an entry to the event log with the current time of day;
    // `details` may be empty. The list neither selects nor scrolls to it.
    void AddLog(const QString &message, const QString &details = {});
    LogPage *logPage() const { return m_logPage; }

    // The shared key handler of the five editors; true when it took the key.
    bool mmSQL4KeyDown(int key, Qt::KeyboardModifiers modifiers);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
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
