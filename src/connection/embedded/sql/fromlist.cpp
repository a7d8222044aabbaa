#include "connection/embedded/sql/fromlist.h"

#include <algorithm>
#include <array>

using namespace Qt::Literals::StringLiterals;

namespace quoll::connection::embedded {

std::optional<TableReference> readTableReference(const StatementTokens &s, size_t k)
{
    if (!s.isWord(k) && !s.isString(k))
        return std::nullopt;
    TableReference ref;
    size_t name = k;
    if (s.isWord(k)) {
        size_t colon = k + 1;
        const bool atServer = s.isSymbol(colon, u'@') && s.isWord(colon + 1);
        if (atServer)
            colon += 2;
        // "db:table", not the "::" of a cast.
        if (s.isSymbol(colon, u':') && !s.isSymbol(colon + 1, u':') && (s.isWord(colon + 1) || s.isString(colon + 1))) {
            ref.database = k;
            if (atServer)
                ref.server = k + 2;
            name = colon + 1;
        }
    }
    if ((s.isWord(name) || s.isString(name)) && s.isSymbol(name + 1, u'.') && s.isWord(name + 2)) {
        ref.owner = name;
        name += 2;
    }
    ref.table = name;
    ref.alias = s.isWord(name) ? aliasAfter(s, name) : std::nullopt;
    ref.end = (ref.alias ? *ref.alias : name) + 1;
    return ref;
}

std::optional<size_t> aliasAfter(const StatementTokens &s, size_t table)
{
    static constexpr std::array notAliases{
        "where"_L1, "on"_L1,    "join"_L1,   "left"_L1,   "right"_L1,  "inner"_L1, "outer"_L1, "cross"_L1, "full"_L1,
        "natural"_L1, "order"_L1, "group"_L1, "having"_L1, "union"_L1, "into"_L1, "set"_L1,   "values"_L1, "select"_L1,
        "from"_L1,  "limit"_L1, "using"_L1,  "with"_L1,   "and"_L1,    "or"_L1,    "not"_L1};
    const size_t a = s.isWord(table + 1, "as") ? table + 2 : table + 1;
    if (!s.isWord(a))
        return std::nullopt;
    const bool keyword = std::any_of(notAliases.begin(), notAliases.end(), [&](QLatin1StringView w) { return s.isWord(a, w); });
    return keyword ? std::nullopt : std::optional<size_t>(a);
}

namespace {

bool readEntries(const StatementTokens &s, size_t &k, size_t end, std::vector<FromEntry> &out);

bool readEntry(const StatementTokens &s, size_t &k, size_t end, FromEntry &entry)
{
    entry.at = k;
    if (s.isWord(k, "outer")) {
        entry.outer = true;
        ++k;
    }
    if (k >= end)
        return false;
    if (s.isSymbol(k, u'(')) {
        // Only OUTER takes a parenthesised list; a derived table is not read.
        if (!entry.outer)
            return false;
        entry.group = true;
        ++k;
        if (!readEntries(s, k, end, entry.children) || k >= end || !s.isSymbol(k, u')'))
            return false;
        ++k;
        return true;
    }
    const std::optional<TableReference> table = readTableReference(s, k);
    if (!table || !s.isWord(table->table) || table->end > end)
        return false;
    entry.table = *table;
    k = table->end;
    // What follows an entry is the next one, the group's end or the list's.
    return k == end || s.isSymbol(k, u',') || s.isSymbol(k, u')');
}

bool readEntries(const StatementTokens &s, size_t &k, size_t end, std::vector<FromEntry> &out)
{
    while (k < end) {
        FromEntry entry;
        if (!readEntry(s, k, end, entry))
            return false;
        out.push_back(std::move(entry));
        if (k < end && s.isSymbol(k, u','))
            ++k;
        else
            break;
    }
    return !out.empty();
}

} // namespace

std::optional<std::vector<FromEntry>> readFromList(const StatementTokens &s, size_t k, size_t end)
{
    std::vector<FromEntry> entries;
    if (!readEntries(s, k, end, entries) || k != end)
        return std::nullopt;
    return entries;
}

} // namespace quoll::connection::embedded
