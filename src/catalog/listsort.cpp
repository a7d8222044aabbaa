#include "catalog/listsort.h"

#include <QCollator>
#include <QHash>

#include <algorithm>
#include <cstdlib>
#include <numeric>

namespace quoll::catalog {

namespace {

QCollator textCollator()
{
    QCollator collator;   // the user's locale
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}

// Reorders the records by keys made once per record: comparing ready keys
// is far cheaper than collating two texts at each comparison of the sort.
template<class Key, class Less>
void sortByKeys(TableInfoList &records, bool descending, const std::vector<Key> &keys, Less less)
{
    std::vector<std::uint32_t> order(records.size());
    std::iota(order.begin(), order.end(), 0u);
    if (descending)
        std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) { return less(keys[b], keys[a]); });
    else
        std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) { return less(keys[a], keys[b]); });
    TableInfoList sorted;
    sorted.reserve(records.size());
    for (std::uint32_t i : order)
        sorted.push_back(std::move(records[i]));
    records = std::move(sorted);
}

template<class Key, class MakeKey>
void sortByNumber(TableInfoList &records, bool descending, MakeKey key)
{
    std::vector<Key> keys;
    keys.reserve(records.size());
    for (const TableInfo &info : records)
        keys.push_back(key(info));
    sortByKeys(records, descending, keys, std::less<Key>());
}

void sortByName(TableInfoList &records, bool descending)
{
    const QCollator collator = textCollator();
    std::vector<QCollatorSortKey> keys;
    keys.reserve(records.size());
    // Folded first: not every collator leaves case out of its keys.
    for (const TableInfo &info : records)
        keys.push_back(collator.sortKey(info.name.toCaseFolded()));
    sortByKeys(records, descending, keys,
               [](const QCollatorSortKey &a, const QCollatorSortKey &b) { return a.compare(b) < 0; });
}

// A database has few owners: each gets its rank among them once.
void sortByOwner(TableInfoList &records, bool descending)
{
    QHash<QString, int> rank;
    for (const TableInfo &info : records)
        rank.insert(info.owner, 0);
    QStringList owners = rank.keys();
    const QCollator collator = textCollator();
    std::sort(owners.begin(), owners.end(),
              [&collator](const QString &a, const QString &b) { return collator.compare(a, b) < 0; });
    // Owners the collator finds equal share a rank.
    int current = 0;
    for (qsizetype i = 0; i < owners.size(); ++i) {
        if (i > 0 && collator.compare(owners[i - 1], owners[i]) != 0)
            ++current;
        rank[owners[i]] = current;
    }
    sortByNumber<int>(records, descending, [&rank](const TableInfo &info) { return rank.value(info.owner); });
}

} // namespace

int nextSortState(int sortState, int column)
{
    return std::abs(sortState) == column ? -sortState : column;
}

void sortTableInfos(TableInfoList &records, int sortState)
{
    const bool descending = sortState < 0;
    switch (std::abs(sortState)) {
    case 1: sortByName(records, descending); break;
    case 2: sortByOwner(records, descending); break;
    case 3: sortByNumber<std::int32_t>(records, descending, [](const TableInfo &i) { return i.tabid; }); break;
    case 4: sortByNumber<std::int32_t>(records, descending, [](const TableInfo &i) { return i.ncols; }); break;
    case 5: sortByNumber<std::int32_t>(records, descending, [](const TableInfo &i) { return i.nrows; }); break;
    case 6: sortByNumber<std::int32_t>(records, descending, [](const TableInfo &i) { return i.rowsize; }); break;
    case 7: sortByNumber<std::int32_t>(records, descending, [](const TableInfo &i) { return i.nindexes; }); break;
    case 8:
        // Whole days; a record without a date sorts before every date.
        sortByNumber<qint64>(records, descending, [](const TableInfo &i) {
            return i.created.isValid() ? i.created.toJulianDay() : std::numeric_limits<qint64>::min();
        });
        break;
    case 9: sortByNumber<char16_t>(records, descending, [](const TableInfo &i) { return i.locklevel; }); break;
    default: break;
    }
}

int compareListTexts(const QString &a, const QString &b)
{
    static const QCollator collator = textCollator();
    return collator.compare(a, b);
}

} // namespace quoll::catalog
