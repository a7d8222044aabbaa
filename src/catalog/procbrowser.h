#pragma once

#include "catalog/procinfo.h"

#include <QObject>

#include <functional>

namespace quoll::connection {
class Database;
}

namespace quoll::catalog {

class BrowserQueries;
class CatalogPane;

// The routine page of the catalog browser: the procedure list filled by its
// name filter, searched by typing, and the script of the selected routine in
// the read-only text pane. The records live in the main window (`ProcInfos`).
class ProcBrowser : public QObject
{
    Q_OBJECT

public:
    struct Parts
    {
        CatalogPane &pane;
        connection::Database &database;
        BrowserQueries &queries;
        ProcInfoList &procInfos;
        // `ServerMajorVersion`, as read at the last connect.
        std::function<QString()> serverMajorVersion;
        std::function<bool(const std::function<void()> &)> guard;
        std::function<void(const QString &)> insertIntoEditor;
    };

    explicit ProcBrowser(Parts parts, QObject *parent = nullptr);

    // Rereads the list through `cbProcWild`. Raises EngineError; the list
    // stays empty then.
    void RefreshProcList();
    // Empties the list and the text pane.
    void ClearProcList();
    // Shows the script of row `row`; on a failure the pane keeps its text.
    void lvProcSelectItem(int row);

private:
    Parts m_parts;
};

} // namespace quoll::catalog
