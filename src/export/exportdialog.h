#pragma once

#include <QDialog>

namespace quoll::exporting {

// The delimited-text export dialog "Экспорт в файл", created once at start
// and reused, so its choices last for the run. Its pages of options come with
// the delimited-text export.
class ExportDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ExportDialog(QWidget *parent = nullptr);
};

} // namespace quoll::exporting
