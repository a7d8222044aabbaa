#include "app/exportcommands.h"

#include "app/commandtable.h"
#include "app/errorhandler.h"
#include "app/exportprogress.h"
#include "connection/engine/dataset.h"
#include "core/dialogs.h"
#include "core/error.h"
#include "export/exportdialog.h"
#include "export/exporter.h"
#include "export/desktopfile.h"
#include "export/htmlreport.h"
#include "export/workbookwriter.h"
#include "widgets/statusbar.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QTableView>
#include <QTemporaryFile>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

namespace quoll::app {

namespace {

constexpr int StatusPanel = 3;

// A new workbook name in the report folder, a different one each time.
QString newWorkbookPath()
{
    const QString folder = QFileInfo(exporting::reportFilePath()).absolutePath();
    QTemporaryFile name(QDir(folder).filePath(u"Export-XXXXXX.xlsx"_s));
    if (!name.open())
        throw Error(u"Cannot create file %1"_s.arg(folder));
    name.setAutoRemove(false);
    return name.fileName();
}

} // namespace

ExportCommands::ExportCommands(Parts parts, QObject *parent)
    : QObject(parent), m_parts(std::move(parts)), m_progressDelay(ExportProgress::ShowAfterMs)
{
    if (!m_parts.openFile)
        m_parts.openFile = exporting::openReportFile;
    m_parts.exportDialog.setServices(&m_parts.dialogs, [this](connection::Dataset &dataset, const QString &path,
                                                            const exporting::DelimitedOptions &options,
                                                            bool fetchAllFirst) {
        m_parts.errors.run([&] {
            exporting::DelimitedWriter writer(path, options);
            run(dataset, writer, path, fetchAllFirst);
        });
    });
}

void ExportCommands::bind(const ActionList &actions, QToolButton *dialogButton, QTableView *outputGrid)
{
    const auto on = [this, &actions](const char *name, std::function<void()> handler) {
        connect(actions[name], &QAction::triggered, this,
                [this, handler = std::move(handler)] { m_parts.errors.run(handler); });
    };
    const auto onTable = [this, &on](const char *name, void (ExportCommands::*handler)(connection::Dataset &)) {
        on(name, [this, handler] {
            if (connection::Dataset *data = m_parts.tableData(); data && data->isActive())
                (this->*handler)(*data);
        });
    };
    const auto onResult = [this, &on](const char *name, void (ExportCommands::*handler)(connection::Dataset &)) {
        on(name, [this, handler] {
            if (m_parts.resultSet.isActive())
                (this->*handler)(m_parts.resultSet);
        });
    };
    onResult("acExportToHtml", &ExportCommands::exportToHtml);
    onResult("acExportToExcel", &ExportCommands::exportToExcel);
    onResult("acExportToXLSFile", &ExportCommands::exportToXlsFile);
    onTable("acExportToHtml1", &ExportCommands::exportToHtml);
    onTable("acExportToExcel1", &ExportCommands::exportToExcel);
    onTable("acExportToXLSFile1", &ExportCommands::exportToXlsFile);
    if (dialogButton)
        connect(dialogButton, &QToolButton::clicked, this, [this] { m_parts.errors.run([this] { showExportDialog(); }); });
    if (outputGrid) {
        // The dialog's own button stands hidden in the bar: the grid's
        // pop-up menu is the way users find it.
        auto *menu = new QMenu(outputGrid);
        menu->setObjectName(u"pmOutputGrid"_s);
        QAction *item = menu->addAction(u"Экспорт в файл..."_s);
        item->setObjectName(u"miExportToFile"_s);
        connect(item, &QAction::triggered, this, [this] { m_parts.errors.run([this] { showExportDialog(); }); });
        outputGrid->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(outputGrid, &QWidget::customContextMenuRequested, menu, [menu, outputGrid](const QPoint &at) {
            menu->actions().first()->setEnabled(true);
            menu->popup(outputGrid->viewport()->mapToGlobal(at));
        });
    }
}

void ExportCommands::say(const QString &text, bool alarm)
{
    m_parts.statusBar.setPanelText(StatusPanel, text);
    m_parts.statusBar.setAlarm(alarm);
}

void ExportCommands::open(const QString &path)
{
    if (!m_parts.openFile(path))
        say(u"Файл записан: %1 (нет программы, чтобы его открыть)"_s.arg(path));
}

bool ExportCommands::run(connection::Dataset &dataset, exporting::ExportWriter &writer, const QString &path,
                         bool fetchAllFirst)
{
    ExportProgress progress(m_parts.window, m_progressDelay);
    exporting::ExportResult result;
    {
        exporting::DatasetSource source(dataset, fetchAllFirst);
        result = exporting::exportRows(source, writer, [&progress](qint64 rows) { return progress.update(rows); });
    }
    if (result.cancelled) {
        say(u"Экспорт прерван: %1 не записан"_s.arg(path), true);
        return false;
    }
    if (result.utf8)
        say(u"Записано строк: %1 в %2, в UTF-8: Windows-1251 не вмещает все символы"_s.arg(result.rows).arg(path));
    else
        say(u"Записано строк: %1 в %2"_s.arg(result.rows).arg(path));
    return true;
}

void ExportCommands::exportToHtml(connection::Dataset &dataset)
{
    const QString path = exporting::reportFilePath();
    exporting::HtmlWriter writer(path);
    if (run(dataset, writer, path))
        open(path);
}

void ExportCommands::exportToExcel(connection::Dataset &dataset)
{
    const QString path = newWorkbookPath();
    bool written = false;
    try {
        exporting::WorkbookWriter writer(path);
        written = run(dataset, writer, path);
    } catch (...) {
        QFile::remove(path);
        throw;
    }
    if (written)
        open(path);
    else
        QFile::remove(path);
}

// `SaveDialog1`: an existing file is replaced without a question.
void ExportCommands::exportToXlsFile(connection::Dataset &dataset)
{
    const std::optional<QString> name = m_parts.dialogs.saveFileName(
        {QString(), m_xlsFileName, u"Файл Excel (*.xls);;Все файлы (*)"_s, u"xls"_s, false});
    if (!name)
        return;
    m_xlsFileName = *name;
    exporting::TabWriter writer(*name);
    run(dataset, writer, *name);
}

void ExportCommands::showExportDialog()
{
    m_parts.exportDialog.setExportDataSet(&m_parts.resultSet);
    m_parts.dialogs.exec(m_parts.exportDialog);
}

} // namespace quoll::app
