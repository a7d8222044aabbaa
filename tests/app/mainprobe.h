#pragma once

#include "app/quollmain.h"

#include "app/commandstate.h"
#include "app/connectioncontrol.h"
#include "app/exportcommands.h"
#include "app/logpage.h"
#include "app/tabledatacontrol.h"
#include "app/topbar.h"
#include "connection/engine/dataset.h"
#include "connection/engine/query.h"
#include "connection/widgets/connectdialog.h"
#include "export/exportdialog.h"
#include "app/aboutbox.h"
#include "results/gridlink.h"
#include "results/gridpage.h"
#include "results/valueviewer.h"
#include "widgets/statusbar.h"
#include "workspace/pagefiles.h"
#include "workspace/statementrunner.h"

namespace quoll::testing {

// What tests look at in a main window: its widgets by their object names,
// and through this seam (a friend of the window) the parts it owns that are
// not widgets, or are windows of their own.
struct MainProbe
{
    app::QuollMain &window;

    template<class T = QWidget>
    T *find(const QString &name) const
    {
        return window.findChild<T *>(name);
    }

    // Widgets of the window.
    app::TopBar *topBar() const { return find<app::TopBar>(QStringLiteral("Panel2")); }
    widgets::StatusBar *statusPanels() const { return find<widgets::StatusBar>(QStringLiteral("StatusBar")); }
    results::GridPage *outputPage() const { return find<results::GridPage>(QStringLiteral("tsOutput")); }
    results::GridPage *dataPage() const { return find<results::GridPage>(QStringLiteral("tsData")); }
    app::LogPage *logPage() const { return find<app::LogPage>(QStringLiteral("tsLog")); }

    // Windows of their own.
    results::ValueViewer *viewer() const { return window.m_viewer.get(); }
    connection::ConnectDialog *connectDialog() const { return window.m_connectDialog.get(); }
    exporting::ExportDialog *exportDialog() const { return window.m_exportDialog.get(); }
    app::AboutBox *aboutBox() const { return window.m_aboutBox.get(); }

    // Parts that are not widgets.
    const AppPaths &paths() const { return window.m_paths; }
    connection::Dataset *resultSet() const { return window.m_resultSet.get(); }
    results::GridLink *outputGrid() const { return window.m_outputGrid; }
    results::GridLink *dataGrid() const { return window.m_dataGrid; }
    app::TableDataControl &tableData() const { return *window.m_tableData; }
    app::ExportCommands &exportCommands() const { return *window.m_exportCommands; }
    app::CommandState &commandState() const { return *window.m_commandState; }
    app::ConnectionControl &connectionControl() const { return *window.m_connection; }
    connection::Query &viewQuery() const { return *window.m_viewQuery; }
    catalog::BrowserQueries &browserQueries() const { return *window.m_browserQueries; }
    catalog::TableInfoList *tableInfos() const { return window.m_tableInfos.get(); }
    catalog::ProcInfoList *procInfos() const { return window.m_procInfos.get(); }
    QStringList *columnNames() const { return window.m_columnNames.get(); }
    workspace::StatementRunner &runner() const { return *window.m_runner; }
    workspace::PageFiles &pageFiles() const { return *window.m_pageFiles; }
    std::optional<connection::servers::ServerEntry> selectedServer() const { return window.selectedServer(); }
};

} // namespace quoll::testing
