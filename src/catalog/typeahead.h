#pragma once

#include "catalog/tableinfo.h"

#include <QStringView>

namespace quoll::catalog {

// The type-ahead find of the table list: the first record, from row `start`
// to the last and then, when `wrap`, from the first up to the one before
// `start`, whose name begins with `typed`. Only the letters a to z count as
// the same in either case; other letters (Cyrillic ones too) must match
// exactly. -1 when no record matches.
int findTableByPrefix(const TableInfoList &records, QStringView typed, int start, bool wrap);

} // namespace quoll::catalog
