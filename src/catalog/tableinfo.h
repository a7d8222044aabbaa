#pragma once

#include <QDate>
#include <QString>

#include <cstdint>
#include <vector>

namespace quoll::catalog {

// One table or view of the table list, read from one row of `systables`.
struct TableInfo
{
    static constexpr int MaxName = 128;
    static constexpr int MaxOwner = 32;

    QString name;            // at most MaxName characters
    QString owner;           // at most MaxOwner characters
    std::int32_t tabid = 0;
    std::int32_t rowsize = 0;
    std::int32_t ncols = 0;
    std::int32_t nindexes = 0;
    std::int32_t nrows = 0;
    QDate created;
    char16_t tabtype = u'T';   // "T" table, "V" view
    char16_t locklevel = u'P'; // "P" page, "R" row
};

// `TableInfos`: the records behind the rows of the table list, in list order.
using TableInfoList = std::vector<TableInfo>;

} // namespace quoll::catalog
