#pragma once

#include "export/textwriters.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QMenu;
class QTableView;
class QToolButton;

namespace quoll {
class Dialogs;
}
namespace quoll::connection {
class Dataset;
}
namespace quoll::exporting {
class ExportDialog;
class ExportWriter;
}
namespace quoll::widgets {
class StatusBar;
}

namespace quoll::app {

class ActionList;
class ErrorHandler;

// The export commands of the output page and the table data page: the HTML
// report, the workbook, the tab-separated file, and the delimited-text
// dialog; each walks its page's data set through the export core, with a
// progress window for a long export.
class ExportCommands : public QObject
{
    Q_OBJECT

public:
    struct Parts
    {
        connection::Dataset &resultSet;
        // `qrData`, or none while the table page shows no table.
        std::function<connection::Dataset *()> tableData;
        exporting::ExportDialog &exportDialog;
        Dialogs &dialogs;
        ErrorHandler &errors;
        widgets::StatusBar &statusBar;
        QWidget *window;
        // Hands a written file to the desktop; false when nothing can show it.
        std::function<bool(const QString &)> openFile;
    };

    explicit ExportCommands(Parts parts, QObject *parent = nullptr);

    // Wires the commands, the hidden `ToolButton11` and an item of the
    // output grid's pop-up menu to the dialog.
    void bind(const ActionList &actions, QToolButton *dialogButton, QTableView *outputGrid);

    void exportToHtml(connection::Dataset &dataset);
    void exportToExcel(connection::Dataset &dataset);
    void exportToXlsFile(connection::Dataset &dataset);
    void showExportDialog();

    // How long an export runs before its progress shows (tests use 0).
    void setProgressDelay(qint64 milliseconds) { m_progressDelay = milliseconds; }

    // Runs one export with progress and says in the status bar how it went.
    // Returns false when it was cancelled.
    bool run(connection::Dataset &dataset, exporting::ExportWriter &writer, const QString &path,
             bool fetchAllFirst = false);

private:
    void say(const QString &text, bool alarm = false);
    void open(const QString &path);

    Parts m_parts;
    QString m_xlsFileName;   // SaveDialog1's last name
    qint64 m_progressDelay;
};

} // namespace quoll::app
