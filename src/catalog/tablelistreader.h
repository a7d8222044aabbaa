#pragma once

#include "catalog/tableinfo.h"

#include <QString>

namespace quoll::connection {
class Engine;
}

namespace quoll::catalog {

// `qTabl`: reads the table list query with the name condition `condition`
// (see tableListQuery) into records, in the order the server sends them.
// The text goes to the server as it stands, a colon in a pattern included.
// Raises EngineError.
TableInfoList readTableList(connection::Engine &engine, const QString &condition);

} // namespace quoll::catalog
