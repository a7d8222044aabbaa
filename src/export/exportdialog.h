#pragma once

#include "export/textwriters.h"

#include <QDialog>

#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QRadioButton;

namespace quoll {
class Dialogs;
}
namespace quoll::connection {
class Dataset;
}

namespace quoll::exporting {

// The delimited-text export dialog "Экспорт в файл" (`fmExport`), created
// once at start and reused, so its choices last for the run. OK exports the
// data set given to it into the chosen file and leaves the dialog open;
// "Отмена" or Escape close it.
class ExportDialog : public QDialog
{
    Q_OBJECT

public:
    // Runs an export of `dataset` into `path` with the chosen options and
    // whether to read every row first; it says itself what went wrong.
    using Exporter = std::function<void(connection::Dataset &dataset, const QString &path,
                                        const DelimitedOptions &options, bool fetchAllFirst)>;

    explicit ExportDialog(QWidget *parent = nullptr);

    // The dialogs for messages and the file choice, and what OK runs.
    void setServices(Dialogs *dialogs, Exporter exporter);
    // `ExportDataSet`: the data set the next OK exports (not owned).
    void setExportDataSet(connection::Dataset *dataset) { m_dataset = dataset; }

    // The options as the controls stand; nothing (and the reason in
    // `problem`) when a quote box is ticked with no quote character.
    std::optional<DelimitedOptions> options(QString *problem = nullptr) const;
    bool fetchBeforeExport() const;
    QString fileName() const;

    // The buttons' handlers.
    void Button2Click();
    void btGetFileNameClick();

private:
    QWidget *buildGeneralPage();
    void updateEnabled();

    Dialogs *m_dialogs = nullptr;
    Exporter m_exporter;
    connection::Dataset *m_dataset = nullptr;

    QCheckBox *m_needHeader = nullptr;
    QCheckBox *m_needQuotHeader = nullptr;
    QComboBox *m_headerQuot = nullptr;
    QCheckBox *m_needData = nullptr;
    QCheckBox *m_needQuotData = nullptr;
    QComboBox *m_dataQuot = nullptr;
    QCheckBox *m_needDivAfterLast = nullptr;
    QCheckBox *m_fetchBeforeExport = nullptr;
    QComboBox *m_fileName = nullptr;
    QList<QRadioButton *> m_rowButtons;
    QComboBox *m_rowDivider = nullptr;
    QList<QRadioButton *> m_columnButtons;
    QComboBox *m_columnDivider = nullptr;
};

} // namespace quoll::exporting
