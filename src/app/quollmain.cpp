#include "app/quollmain.h"

#include "app/aboutbox.h"
#include "app/commandbars.h"
#include "app/commandstate.h"
#include "app/commandtable.h"
#include "app/connectioncontrol.h"
#include "app/editorcommands.h"
#include "app/editorkeys.h"
#include "app/errorhandler.h"
#include "app/exportcommands.h"
#include "app/gridcommands.h"
#include "app/logmodel.h"
#include "app/logpage.h"
#include "app/servercombo.h"
#include "app/snippetpages.h"
#include "app/startermenu.h"
#include "app/windowsettings.h"
#include "app/sqltextpage.h"
#include "app/tabledatacontrol.h"
#include "app/topbar.h"
#include "app/wheelzoom.h"
#include "catalog/browserqueries.h"
#include "catalog/catalogpane.h"
#include "catalog/listcommands.h"
#include "catalog/procbrowser.h"
#include "catalog/proclistmodel.h"
#include "catalog/tablebrowser.h"
#include "catalog/tablelistmodel.h"
#include "connection/widgets/connectdialog.h"
#include "connection/engine/database.h"
#include "connection/engine/dataset.h"
#include "connection/engine/query.h"
#include "connection/engine/tabledataset.h"
#include "connection/widgets/rolelist.h"
#include "connection/servers/connectionparameters.h"
#include "connection/servers/createengine.h"
#include "connection/servers/serverlist.h"
#include "connection/widgets/transactioncontrol.h"
#include "core/dialogs.h"
#include "core/error.h"
#include "core/profilefile.h"
#include "editor/sqledit.h"
#include "export/exportdialog.h"
#include "results/gridlink.h"
#include "results/gridpage.h"
#include "results/navigatorlink.h"
#include "results/valueviewer.h"
#include "widgets/imagelist.h"
#include "widgets/pagecontrol.h"
#include "widgets/panesplitter.h"
#include "widgets/popupcombobox.h"
#include "widgets/reportlist.h"
#include "widgets/screenscale.h"
#include "widgets/statusbar.h"
#include "workspace/editorpages.h"
#include "workspace/pagefiles.h"
#include "workspace/statementrunner.h"

#include <QClipboard>
#include <QFile>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace quoll::app {

using widgets::PaneSplitter;
using widgets::scaled;

namespace {
// The window's bounds when the settings hold none.
constexpr QRect DefaultBounds(0, 0, 550, 450);
} // namespace

QuollMain::QuollMain(AppPaths paths, Dialogs &dialogs, ErrorHandler &errors, QWidget *parent)
    : QMainWindow(parent), m_paths(std::move(paths)), m_dialogs(dialogs), m_errors(errors),
      m_database(std::make_unique<connection::Database>()),
      m_viewQuery(std::make_unique<connection::Query>(*m_database, QString(), false)),
      m_browserQueries(std::make_unique<catalog::BrowserQueries>(*m_database))
{
    setObjectName(u"fmMain"_s);
    buildLayout();
    buildSession();
    buildEditing();
    connectCommands();
    createStep();
}

QuollMain::~QuollMain()
{
    destroyStep();
}

void QuollMain::buildLayout()
{
    QFont font(u"Verdana"_s);
    font.setPixelSize(scaled(13));
    setFont(font);
    setWindowIcon(widgets::svgIcon(u":/icons/connect"_s));

    m_actions = new ActionList(this);
    addActions(m_actions->actions());
    m_editorMenu = buildEditorMenu(*m_actions, this);
    m_listMenu = buildListMenu(this);
    m_logMenu = buildLogMenu(*m_actions, this);

    auto *central = new QWidget(this);
    central->setObjectName(u"ClientArea"_s);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_topBar = new TopBar(central);
    m_topSplitter = new PaneSplitter(PaneSplitter::Resizes::Height, scaled(3), central);
    m_topSplitter->setObjectName(u"Splitter1"_s);
    m_topSplitter->setPane(m_topBar, PaneSplitter::Side::Before, 20);

    m_pages = new widgets::PageControl(QTabWidget::South, central);
    m_pages->setObjectName(u"pcMenu"_s);
    m_sqlPage = new SqlTextPage(*m_actions, m_editorMenu, m_pages);
    m_outputPage = new results::GridPage({u"tsOutput"_s, u"ToolBar11"_s, u"DBGrid1"_s, QString()}, m_pages);
    m_dataPage = new results::GridPage({u"tsData"_s, u"ToolBar12"_s, u"DBGrid2"_s, u"DBNavigator2"_s}, m_pages);
    m_logPage = new LogPage(m_pages);
    fillResultBar(m_outputPage->toolBar(), *m_actions);
    fillDataBar(m_dataPage->toolBar(), *m_actions);
    m_pages->addTab(m_sqlPage, u"Запрос"_s);
    m_pages->addTab(m_outputPage, u"Результат"_s);
    m_pages->addTab(m_dataPage, u"Таблица"_s);
    m_pages->addTab(m_logPage, u"Журнал"_s);
    m_pages->setCurrentWidget(m_sqlPage);

    layout->addWidget(m_topBar);
    layout->addWidget(m_topSplitter);
    layout->addWidget(m_pages, 1);
    setCentralWidget(central);

    m_statusBar = new widgets::StatusBar(
        {{scaled(120), true}, {scaled(90), true}, {scaled(25), false}, {scaled(50), true}}, this);
    m_statusBar->setObjectName(u"StatusBar"_s);
    setStatusBar(m_statusBar);

    attachPopupMenus();
    move(DefaultBounds.topLeft());
    resize(DefaultBounds.size());
}

// The connection's hooks and the controls of the top bar that drive it.
void QuollMain::buildSession()
{
    const auto log = [this](const QString &message, const QString &details) { AddLog(message, details); };
    m_transactions = new connection::TransactionControl(*m_database, m_topBar->beginCommitButton(),
                                                        m_topBar->rollbackButton(), m_dialogs, log, this);
    catalog::CatalogPane *catalog = m_sqlPage->catalog();
    const auto makeEngine = [this] {
        const std::optional<connection::servers::ServerEntry> server = selectedServer();
        if (!server)
            throw Error(u"No database server is chosen."_s);
        return connection::servers::createEngine(*server, m_paths.serversFolder());
    };
    m_connection = new ConnectionControl(
        {*m_database, *m_viewQuery, *m_browserQueries, *m_transactions, m_topBar, this, m_statusBar,
         {catalog->tableWild(), catalog->findTable(), catalog->procWild(), catalog->findProc()}},
        log, makeEngine, [this] { ResetDatabaseViews(); }, this);

    // Every connect starts from a fresh parameter list for the server shown.
    connection::servers::installParameterHook(*m_database, [this] { return m_topBar->serverName()->currentText(); });
    m_database->hooks().login = [this](connection::ParameterList &login) { m_connectDialog->login(m_dialogs, login); };
}

// The page files, the editing commands, the wheel zoom and the editor keys.
void QuollMain::buildEditing()
{
    workspace::EditorPages *editors = m_sqlPage->editorPages();
    catalog::CatalogPane *catalog = m_sqlPage->catalog();
    m_pageFiles = new workspace::PageFiles(*editors, m_paths, this);
    connect(m_pageFiles, &workspace::PageFiles::autosaveFailed, this,
            [this](const QString &message) { AddLog(u"Ошибка автосохранения"_s, message); });
    m_editorCommands = new EditorCommands(*editors, *m_pageFiles, m_dialogs, m_errors, this);
    m_editorCommands->bind(*m_actions, m_editorMenu);

    auto *zoom = new WheelZoom(this, [this] { return currentEditor(); }, this);
    zoom->setEditorZoom([](QWidget *edit, int points) {
        EditorCommands::zoom(static_cast<editor::SqlEdit *>(edit), points);
    });
    for (QWidget *list : {static_cast<QWidget *>(catalog->tables()), static_cast<QWidget *>(catalog->fields()),
                          static_cast<QWidget *>(catalog->indexes()), static_cast<QWidget *>(catalog->constraints()),
                          static_cast<QWidget *>(m_logPage->list())})
        zoom->addTarget(list, [list](int points) { zoomFont(list, points); });
    for (results::GridPage *page : {m_outputPage, m_dataPage}) {
        zoom->addTarget(page->grid(), [page](int points) { page->zoom(points); });
        zoom->addWheelUser(page->grid());
    }
    for (int number = 1; number <= workspace::EditorPages::PageCount; ++number) {
        zoom->addWheelUser(editors->editor(number));
        // The editors hand every key press to the window's handler first.
        editors->editor(number)->setKeyHandler([this](QKeyEvent &key) {
            bool handled = false;
            m_errors.run([&] { handled = mmSQL4KeyDown(key.key(), key.modifiers()); });
            return handled;
        });
    }
}

namespace {
// The text of the first column of a list's selected row.
std::optional<QString> selectedName(const widgets::ReportList *list)
{
    const int row = list->selectedRow();
    if (row < 0)
        return std::nullopt;
    return list->model()->index(row, 0).data().toString();
}
} // namespace

bool QuollMain::mmSQL4KeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    catalog::CatalogPane *catalog = m_sqlPage->catalog();
    EditorKeyContext context;
    const QWidget *run = findChild<QWidget *>(u"tbSQLRun"_s);
    context.runEnabled = run && run->isEnabled();
    context.selectedColumn = selectedName(catalog->fields());
    context.selectedTable = selectedName(catalog->tables());
    context.runAll = [this] { acExecuteExecute(); };
    context.runSelected = [this] { acExecuteSelectedExecute(); };
    context.insert = [this](const QString &text) { InsertIntoEditor(text); };
    return app::mmSQL4KeyDown(key, modifiers, QGuiApplication::mouseButtons(), context);
}

void QuollMain::attachPopupMenus()
{
    const auto popupOn = [](QWidget *widget, QMenu *menu) {
        widget->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(widget, &QWidget::customContextMenuRequested, menu, [widget, menu](const QPoint &pos) {
            menu->setProperty("popupComponent", widget->objectName());
            menu->popup(widget->mapToGlobal(pos));
        });
    };
    workspace::EditorPages *editors = m_sqlPage->editorPages();
    popupOn(editors, m_editorMenu);
    for (int number = 1; number <= workspace::EditorPages::PageCount; ++number)
        popupOn(editors->editor(number), m_editorMenu);
    for (widgets::ReportList *list : m_sqlPage->catalog()->lists())
        popupOn(list, m_listMenu);
    popupOn(m_logPage->list(), m_logMenu);
}

void QuollMain::onCommand(const char *action, void (QuollMain::*handler)())
{
    connect((*m_actions)[action], &QAction::triggered, this, [this, handler] {
        m_errors.run([this, handler] { (this->*handler)(); });
    });
}

template<class Sender, class Signal>
void QuollMain::onSignal(Sender *sender, Signal signal, void (QuollMain::*handler)())
{
    connect(sender, signal, this, [this, handler] { m_errors.run([this, handler] { (this->*handler)(); }); });
}

void QuollMain::connectCommands()
{
    onSignal(m_topBar->connectButton(), &QToolButton::clicked, &QuollMain::tbConnectClick);
    // Only a pick by the user switches; selecting in code does not.
    onSignal(m_topBar->dataBaseName(), &QComboBox::activated, &QuollMain::cbDataBaseNameChange);
    onSignal(m_topBar->roleName(), &widgets::PopupComboBox::popupAboutToShow, &QuollMain::cbRoleNameDropDown);
    onSignal(m_topBar->roleName(), &QComboBox::activated, &QuollMain::cbRoleNameChange);
    onSignal(m_topBar->beginCommitButton(), &QToolButton::clicked, &QuollMain::tbBeginCommitClick);
    onSignal(m_topBar->rollbackButton(), &QToolButton::clicked, &QuollMain::tbRollbackClick);
    onCommand("acSQLBar", &QuollMain::acSQLBarExecute);
    onCommand("acQueryBar", &QuollMain::acQueryBarExecute);
    onCommand("acDataBar", &QuollMain::acDataBarExecute);
    onCommand("acLogBar", &QuollMain::acLogBarExecute);
    onCommand("acExecute", &QuollMain::acExecuteExecute);
    onCommand("acExecuteSelected", &QuollMain::acExecuteSelectedExecute);
    onCommand("acRefresh", &QuollMain::acRefreshExecute);
    onCommand("acClearLog", &QuollMain::acClearLogExecute);
    onCommand("acCopyLogToClipboard", &QuollMain::acCopyLogToClipboardExecute);
    connect(m_pages, &QTabWidget::currentChanged, this, [this] {
        if (m_pages->currentWidget() == m_logPage)
            m_errors.run([this] { tsLogShow(); });
        else if (m_pages->currentWidget() == m_dataPage)
            m_errors.run([this] { tsDataShow(); });
    });
    connect(m_logMenu, &QMenu::aboutToShow, this, [this] { m_errors.run([this] { pmLogPopup(); }); });
    onSignal(m_topBar->aboutButton(), &QToolButton::clicked, &QuollMain::ToolButton28Click);
}

void QuollMain::createStep()
{
    m_connectDialog = std::make_unique<connection::ConnectDialog>();
    m_exportDialog = std::make_unique<exporting::ExportDialog>();
    m_aboutBox = std::make_unique<AboutBox>();
    setWindowTitle(QString::fromLatin1(Caption));
    AddLog(u"Запуск программы"_s);
    m_viewer = std::make_unique<results::ValueViewer>();
    const bool firstStart = !QFile::exists(m_paths.settingsFile());
    readSettingsFile();
    // An autosave file that cannot be read is said, and the others still load.
    for (const QString &failure : m_pageFiles->loadAutosaves())
        m_dialogs.message(Dialogs::Icon::Error, u"Quoll"_s, failure);
    // After the settings (SavedServerName) and the autosave files.
    fillServerCombo(*m_topBar->serverName(), connection::servers::ServerList::installed(),
                    m_connection->savedServerName());
    if (firstStart)
        installStarterMenu(m_paths.menuFile());
    LoadButtonPages(*m_sqlPage->snippetPages(), m_paths.menuFile(), m_dialogs,
                    [this](const QString &text) { m_errors.run([this, &text] { InsertIntoEditor(text); }); });
    m_tableInfos = std::make_unique<catalog::TableInfoList>();
    m_procInfos = std::make_unique<catalog::ProcInfoList>();
    m_sqlPage->catalog()->tableModel()->setRecords(m_tableInfos.get());
    m_sqlPage->catalog()->procModel()->setRecords(m_procInfos.get());
    m_resultSet = std::make_unique<connection::Dataset>();
    m_columnNames = std::make_unique<QStringList>();
    m_tableBrowser = new catalog::TableBrowser(
        {*m_sqlPage->catalog(), *m_database, *m_browserQueries, *m_tableInfos, *m_columnNames, m_dialogs,
         [this](const std::function<void()> &handler) { return m_errors.run(handler); },
         [this](const QString &text) { InsertIntoEditor(text); }},
        this);
    buildCatalogCommands();
    m_runner = std::make_unique<workspace::StatementRunner>(workspace::StatementRunner::Parts{
        *m_database, *m_resultSet, *m_statusBar, [this] { return currentEditor(); },
        [this](const QString &message, const QString &details) { AddLog(message, details); }});
    buildResults();
}

// The routine page and the catalog lists' pop-up menu, once the records and
// the viewer exist.
void QuollMain::buildCatalogCommands()
{
    const auto guard = [this](const std::function<void()> &handler) { return m_errors.run(handler); };
    m_procBrowser = new catalog::ProcBrowser({*m_sqlPage->catalog(), *m_database, *m_browserQueries, *m_procInfos,
                                              [this] { return m_connection->serverMajorVersion(); }, guard,
                                              [this](const QString &text) { InsertIntoEditor(text); }},
                                             this);
    m_listCommands = new catalog::ListCommands(
        {*m_sqlPage->catalog(), *m_listMenu, *m_browserQueries, *m_tableInfos, m_dialogs, guard,
         [this](const QString &text) { m_viewer->showInViewer(text); },
         [this](const QString &message) {
             m_statusBar->setPanelText(3, message);
             m_statusBar->setAlarm(true);
         },
         {}},
        this);
}

// The grids over `ResultSet` and `qrData`, their row commands and the
// command state, once the data sets and the viewer exist.
void QuollMain::buildResults()
{
    const results::Guard guard = [this](const std::function<void()> &action) { return m_errors.run(action); };
    m_outputGrid = new results::GridLink(m_outputPage->grid(), guard, this);
    m_outputGrid->setDataset(m_resultSet.get());
    m_outputPage->grid()->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_dataGrid = new results::GridLink(m_dataPage->grid(), guard, this);
    m_dataPage->grid()->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    m_navigatorLink = new results::NavigatorLink(m_dataPage->navigator(), guard, [this](const QString &question) {
        return m_dialogs.question(u"Confirm"_s, question, Dialogs::Button::Yes | Dialogs::Button::No,
                                  Dialogs::Button::No)
               == Dialogs::Button::Yes;
    }, this);
    m_tableData = new TableDataControl(*m_database, *m_dataPage, *m_dataGrid, *m_navigatorLink, this);
    m_connection->setBeforeLeavingDatabase([this] { m_tableData->postPendingEdit(); });

    m_gridCommands = new GridCommands({*m_outputPage, *m_outputGrid, *m_resultSet, *m_dataPage, *m_dataGrid,
                                       *m_tableData, *m_viewer, *m_statusBar, m_errors},
                                      this);
    m_gridCommands->bind(*m_actions);
    m_exportCommands = new ExportCommands({*m_resultSet, [this] { return static_cast<connection::Dataset *>(m_tableData->dataset()); },
                                           *m_exportDialog, m_dialogs, m_errors, *m_statusBar, this, {}},
                                          this);
    m_exportCommands->bind(*m_actions, m_outputPage->toolBar()->findChild<QToolButton *>(u"ToolButton11"_s),
                           m_outputPage->grid());
    m_commandState = new CommandState({*m_actions, *m_database, [this] { return currentEditor(); },
                                       [this] { return static_cast<const connection::Dataset *>(m_resultSet.get()); },
                                       [this] { return static_cast<const connection::Dataset *>(m_tableData->dataset()); }},
                                      this);
    m_commandState->recompute();
}

// Returns false when the closing stops; a cancelled transaction question
// stops it by a silent abort, before anything is saved.
bool QuollMain::closeStep()
{
    if (m_database->isConnected())
        m_database->close();
    // The whole file goes in one step; a refused write keeps the window open.
    const QString path = m_paths.settingsFile();
    try {
        ProfileFile file = ProfileFile::load(path);
        SettingsParts parts = settingsParts();
        writeSettings(file, parts);
        file.save(path);
    } catch (const Error &) {
        m_dialogs.message(Dialogs::Icon::Error, u"Quoll"_s, u"Unable to write to %1"_s.arg(path));
        return false;
    }
    m_pageFiles->saveAutosaves();
    return true;
}

SettingsParts QuollMain::settingsParts()
{
    catalog::CatalogPane *catalog = m_sqlPage->catalog();
    return {*this, *m_connection, *m_outputPage, *m_dataPage, *catalog->tableWild(), *catalog->procWild(),
            *m_connectDialog, *m_viewer, catalog->lists(), *m_sqlPage->editorPages()};
}

// A missing or unreadable file gives every default.
void QuollMain::readSettingsFile()
{
    ProfileFile file;
    try {
        file = ProfileFile::load(m_paths.settingsFile());
    } catch (const Error &) {
    }
    SettingsParts parts = settingsParts();
    readSettings(file, parts);
}

void QuollMain::closeEvent(QCloseEvent *event)
{
    bool closing = false;
    m_errors.run([this, &closing] { closing = closeStep(); });
    if (closing) {
        event->accept();
        m_viewer->hide();
    } else
        event->ignore();
}

void QuollMain::destroyStep()
{
    // The hooks reach into the window; a connection still open at this point
    // closes with the engine, without them.
    m_database->hooks() = {};
    delete m_commandState;
    m_commandState = nullptr;
    delete m_tableBrowser;
    m_tableBrowser = nullptr;
    delete m_procBrowser;
    m_procBrowser = nullptr;
    delete m_listCommands;
    m_listCommands = nullptr;
    delete m_gridCommands;
    m_gridCommands = nullptr;
    delete m_exportCommands;
    m_exportCommands = nullptr;
    if (m_tableData)
        m_tableData->reset();
    if (m_outputGrid)
        m_outputGrid->setDataset(nullptr);
    m_browserQueries->unprepareAll();
    m_viewQuery->unprepare();
    m_sqlPage->catalog()->tableModel()->setRecords(nullptr);
    m_sqlPage->catalog()->procModel()->setRecords(nullptr);
    m_columnNames.reset();
    m_tableInfos.reset();
    m_procInfos.reset();
    m_viewer.reset();
    m_resultSet.reset();
}

std::optional<connection::servers::ServerEntry> QuollMain::selectedServer() const
{
    return app::selectedServer(*m_topBar->serverName());
}

editor::SqlEdit *QuollMain::currentEditor() const
{
    return m_sqlPage->editorPages()->currentEditor();
}

void QuollMain::acSQLBarExecute()
{
    m_pages->setCurrentWidget(m_sqlPage);
}

void QuollMain::acQueryBarExecute()
{
    m_pages->setCurrentWidget(m_outputPage);
}

void QuollMain::acDataBarExecute()
{
    m_pages->setCurrentWidget(m_dataPage);
}

void QuollMain::acLogBarExecute()
{
    m_pages->setCurrentWidget(m_logPage);
}

void QuollMain::AddLog(const QString &message, const QString &details)
{
    m_logPage->addEntry(message, details);
}

void QuollMain::tsLogShow()
{
    m_logPage->showLastEntry();
}

void QuollMain::tsDataShow()
{
    m_tableData->showTable(selectedName(m_sqlPage->catalog()->tables()).value_or(QString()));
}

void QuollMain::acClearLogExecute()
{
    m_logPage->clear();
}

// Only the details are copied; with no entry selected the clipboard is left
// as it is (the menu item is disabled then).
void QuollMain::acCopyLogToClipboardExecute()
{
    if (const std::optional<QString> details = m_logPage->selectedDetails())
        QGuiApplication::clipboard()->setText(*details);
}

void QuollMain::pmLogPopup()
{
    const bool selected = m_logPage->selectedDetails().has_value();
    m_logMenu->findChild<QAction *>(u"miCopy"_s)->setEnabled(selected);
    m_logMenu->findChild<QAction *>(u"miClear"_s)->setEnabled(true);
}

void QuollMain::InsertIntoEditor(const QString &text)
{
    if (editor::SqlEdit *edit = currentEditor()) {
        edit->setFocus(Qt::OtherFocusReason);
        edit->replaceSelection(text);
    }
}

void QuollMain::acExecuteExecute()
{
    if (editor::SqlEdit *edit = currentEditor()) {
        const LogModel::Batch logged(*m_logPage->model());
        m_runner->RunScript(edit->text(), 0);
    }
}

void QuollMain::acExecuteSelectedExecute()
{
    if (editor::SqlEdit *edit = currentEditor()) {
        const LogModel::Batch logged(*m_logPage->model());
        m_runner->RunScript(edit->selectedText(), edit->selStart());
    }
}

void QuollMain::acRefreshExecute()
{
    m_runner->RunStatement(m_runner->lastStatement(), 1);
}

void QuollMain::tbConnectClick()
{
    m_connection->tbConnectClick();
}

void QuollMain::cbDataBaseNameChange()
{
    m_connection->switchDatabase();
}

void QuollMain::cbRoleNameDropDown()
{
    connection::FillRoleList(*m_topBar->roleName(), *m_viewQuery);
}

void QuollMain::cbRoleNameChange()
{
    connection::setRole(*m_viewQuery, m_topBar->roleName()->currentText());
}

void QuollMain::tbBeginCommitClick()
{
    m_transactions->beginCommitClick();
}

void QuollMain::tbRollbackClick()
{
    m_transactions->RollbackTransaction();
}

void QuollMain::ResetDatabaseViews()
{
    ClearTableList();
    ClearProcList();
    ClearDetailLists();
    m_resultSet->close();
    m_tableData->reset();
    for (int panel = 1; panel < m_statusBar->panelCount(); ++panel)
        m_statusBar->setPanelText(panel, QString());
    m_statusBar->setAlarm(false);
    m_topBar->roleName()->clear();
}

void QuollMain::ClearTableList()
{
    m_tableBrowser->ClearTableList();
}

void QuollMain::ClearProcList()
{
    m_procBrowser->ClearProcList();
}

void QuollMain::ClearDetailLists()
{
    m_tableBrowser->ClearDetailLists();
    m_columnNames->clear();
}

void QuollMain::ToolButton28Click()
{
    m_aboutBox->exec();
}

} // namespace quoll::app
