#include "catalog/typeahead.h"

namespace quoll::catalog {

namespace {

char16_t upperAscii(char16_t c)
{
    return c >= u'a' && c <= u'z' ? char16_t(c - (u'a' - u'A')) : c;
}

bool startsWith(const QString &name, QStringView typed)
{
    if (name.size() < typed.size())
        return false;
    for (qsizetype i = 0; i < typed.size(); ++i)
        if (upperAscii(name[i].unicode()) != upperAscii(typed[i].unicode()))
            return false;
    return true;
}

} // namespace

int findTableByPrefix(const TableInfoList &records, QStringView typed, int start, bool wrap)
{
    const int count = int(records.size());
    if (count == 0)
        return -1;
    start = std::clamp(start, 0, count);
    for (int row = start; row < count; ++row)
        if (startsWith(records[size_t(row)].name, typed))
            return row;
    if (wrap)
        for (int row = 0; row < start; ++row)
            if (startsWith(records[size_t(row)].name, typed))
                return row;
    return -1;
}

} // namespace quoll::catalog
