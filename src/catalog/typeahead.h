#pragma once

#include <QString>
#include <QStringView>

namespace quoll::catalog {

// Whether `name` begins with `typed`, where only the letters a to z count as
// the same in either case; other letters (Cyrillic ones too) must match
// exactly.
bool nameStartsWith(const QString &name, QStringView typed);

// The type-ahead find of the virtual catalog lists: the first record, from
// row `start` to the last and then, when `wrap`, from the first up to the
// one before `start`, whose name begins with `typed` (see nameStartsWith).
// Every row is looked at once at most. -1 when no record matches.
template<class Records>
int findByNamePrefix(const Records &records, QStringView typed, int start, bool wrap)
{
    const int count = int(records.size());
    if (count == 0)
        return -1;
    start = start < 0 ? 0 : (start > count ? count : start);
    for (int row = start; row < count; ++row)
        if (nameStartsWith(records[size_t(row)].name, typed))
            return row;
    if (wrap)
        for (int row = 0; row < start; ++row)
            if (nameStartsWith(records[size_t(row)].name, typed))
                return row;
    return -1;
}

} // namespace quoll::catalog
