#pragma once

#include "widgets/pagecontrol.h"

#include <QComboBox>
#include <QToolButton>

namespace quoll::editor {
class SqlEdit;
}
namespace quoll::widgets {
class PaneSplitter;
class ReportList;
class ReportListModel;
} // namespace quoll::widgets

namespace quoll::catalog {

class ProcListModel;
class TableListModel;

// The catalog page control `PageControl1` on the SQL page: page "T" with the
// table list and its four detail lists, page "SP" with the procedure list
// and the procedure text. The lists are filled by the catalog readers.
class CatalogPane : public widgets::PageControl
{
    Q_OBJECT

public:
    explicit CatalogPane(QWidget *parent = nullptr);

    QComboBox *tableWild() const { return m_tableWild; }
    QToolButton *findTable() const { return m_findTable; }
    widgets::ReportList *tables() const { return m_tables; }
    TableListModel *tableModel() const { return m_tableModel; }
    widgets::PaneSplitter *tableSplitter() const { return m_tableSplitter; }

    // The detail lists: columns, indexes, constraints, triggers.
    widgets::ReportList *fields() const { return m_fields; }
    widgets::ReportList *indexes() const { return m_indexes; }
    widgets::ReportList *constraints() const { return m_constraints; }
    widgets::ReportList *triggers() const { return m_triggers; }

    QComboBox *procWild() const { return m_procWild; }
    QToolButton *findProc() const { return m_findProc; }
    widgets::ReportList *procs() const { return m_procs; }
    ProcListModel *procModel() const { return m_procModel; }
    widgets::PaneSplitter *procSplitter() const { return m_procSplitter; }
    editor::SqlEdit *procText() const { return m_procText; }

    // The six catalog lists in the order the settings keep them.
    QList<widgets::ReportList *> lists() const;

private:
    QWidget *buildTablePage();
    QWidget *buildProcPage();
    widgets::PageControl *buildDetailPages();

    QComboBox *m_tableWild = nullptr;
    QToolButton *m_findTable = nullptr;
    widgets::ReportList *m_tables = nullptr;
    TableListModel *m_tableModel = nullptr;
    widgets::PaneSplitter *m_tableSplitter = nullptr;
    widgets::ReportList *m_fields = nullptr;
    widgets::ReportList *m_indexes = nullptr;
    widgets::ReportList *m_constraints = nullptr;
    widgets::ReportList *m_triggers = nullptr;
    QComboBox *m_procWild = nullptr;
    QToolButton *m_findProc = nullptr;
    widgets::ReportList *m_procs = nullptr;
    ProcListModel *m_procModel = nullptr;
    widgets::PaneSplitter *m_procSplitter = nullptr;
    editor::SqlEdit *m_procText = nullptr;
};

} // namespace quoll::catalog
