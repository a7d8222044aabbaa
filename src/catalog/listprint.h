#pragma once

#include <QString>

class QAbstractItemModel;

namespace quoll::catalog {

// The page that prints a catalog list: the report head, a header row of the
// list's captions, one row per list row in display order with the texts it
// shows, the report's end, all on one line followed by CR LF. Every text is
// escaped (nothing from the database becomes markup).
QString listPageHtml(const QAbstractItemModel &list);

} // namespace quoll::catalog
