#pragma once

#include "catalog/tableinfo.h"

namespace quoll::catalog {

// `SortState` after a click on column `column` (counted from 1): another
// column sorts ascending (+column), the sorted column reverses.
int nextSortState(int sortState, int column);

// Sorts the table list records in place by column |sortState| (1 Table to
// 9 locklevel), descending when sortState is negative: names and owners as
// text without regard to case in the user's locale, the numbers as numbers,
// created by whole days, locklevel by character code. Equal records come out
// in no defined order. Nothing for 0.
void sortTableInfos(TableInfoList &records, int sortState);

// The comparison of the detail lists: case-insensitive text in the user's
// locale, for numbers too. Negative, 0 or positive.
int compareListTexts(const QString &a, const QString &b);

} // namespace quoll::catalog
