#pragma once

#include "catalog/tableinfo.h"

#include <QObject>
#include <QStringList>

#include <array>
#include <functional>

namespace quoll {
class Dialogs;
}
namespace quoll::connection {
class Database;
}
namespace quoll::widgets {
class ReportList;
}

namespace quoll::catalog {

class BrowserQueries;
class CatalogPane;

// The table page of the catalog browser: the table list filled by its name
// filter, sorted by a column click, searched by typing; the four detail
// lists of the selected table; the double click that puts a name into the
// editor. The records live in the main window (`TableInfos`, `ColumnNames`).
class TableBrowser : public QObject
{
    Q_OBJECT

public:
    struct Parts
    {
        CatalogPane &pane;
        connection::Database &database;
        BrowserQueries &queries;
        TableInfoList &tableInfos;
        QStringList &columnNames;
        Dialogs &dialogs;
        // Runs a handler through the application's error handler.
        std::function<bool(const std::function<void()> &)> guard;
        // `InsertIntoEditor`.
        std::function<void(const QString &)> insertIntoEditor;
    };

    explicit TableBrowser(Parts parts, QObject *parent = nullptr);

    // Rereads the list through the filter box `cbTableWild`. Raises
    // EngineError; the list stays empty then.
    void RefreshTableList();
    // Empties the table list; its sort state and mark stay.
    void ClearTableList();
    // Fills the detail lists of row `row` of the table list.
    void lvTablesSelectItem(int row);
    // Empties the four detail lists and resets their sort state.
    void ClearDetailLists();

    // A click on column `column` (from 1) of the table list or of a detail
    // list.
    void lvTablesColumnClick(int column);
    void ListViewColumnClick(widgets::ReportList *list, int column);
    // Inserts a blank and the first text of the list's selected row.
    void ListViewDblClick(widgets::ReportList *list);

    int tableSortState() const { return m_tableSortState; }
    int detailSortState(const widgets::ReportList *list) const;

private:
    void connectWidgets();
    std::array<widgets::ReportList *, 4> detailLists() const;

    Parts m_parts;
    int m_tableSortState = 0;
    std::array<int, 4> m_detailSortStates{};
};

} // namespace quoll::catalog
