#pragma once

#include <QString>

#include <cstdint>
#include <vector>

namespace quoll::catalog {

// One stored procedure or function of the procedure list, read from one row
// of `sysprocedures`.
struct ProcInfo
{
    static constexpr int MaxName = 128;
    static constexpr int MaxOwner = 32;

    QString name;            // at most MaxName characters
    QString owner;           // at most MaxOwner characters
    std::int32_t procid = 0;
    char16_t mode = u'O';
    bool isproc = true;      // false: a function
};

// `ProcInfos`: the records behind the rows of the procedure list.
using ProcInfoList = std::vector<ProcInfo>;

} // namespace quoll::catalog
