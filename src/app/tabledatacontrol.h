#pragma once

#include <QObject>
#include <QString>

#include <memory>

namespace quoll::connection {
class Database;
class TableDataset;
} // namespace quoll::connection
namespace quoll::results {
class GridLink;
class GridPage;
class NavigatorLink;
} // namespace quoll::results

namespace quoll::app {

// `qrData`, the table data set of the table data page, and the page's show
// step: the table selected in the table list is opened when the page is
// shown, unless it is the table already open (the row stays) or the table
// whose opening failed last (no retry). The data set is made on the
// connection's back end when first needed and dropped when the database
// views are reset, so it never outlives the back end it reads from.
class TableDataControl : public QObject
{
    Q_OBJECT

public:
    TableDataControl(connection::Database &database, results::GridPage &page, results::GridLink &grid,
                     results::NavigatorLink &navigator, QObject *parent = nullptr);
    ~TableDataControl() override;

    // `qrData`; null until a table is first shown.
    connection::TableDataset *dataset() const { return m_dataset.get(); }
    // The table name of `qrData`, kept also when its opening failed.
    const QString &tableName() const { return m_tableName; }

    // The show step for the selected table's name (empty: none selected).
    // Raises the engine's error when the table cannot be opened.
    void showTable(const QString &selected);
    // Writes a changed edit buffer of `qrData` to its table (drops an
    // untouched one); raises the engine's error when that fails.
    void postPendingEdit();
    // Closes `qrData` and forgets its table name.
    void reset();

private:
    connection::Database &m_database;
    results::GridPage &m_page;
    results::GridLink &m_grid;
    results::NavigatorLink &m_navigator;
    std::unique_ptr<connection::TableDataset> m_dataset;
    QString m_tableName;
};

} // namespace quoll::app
