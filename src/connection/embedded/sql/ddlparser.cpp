#include "connection/embedded/sql/ddlparser.h"

#include "connection/embedded/server/informixerrors.h"
#include "connection/embedded/sql/statementtokens.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace quoll::connection::embedded {

namespace {

// Whether the token at `k` is one of `keywords`.
bool isOneOf(const StatementTokens &w, size_t k, std::initializer_list<QLatin1StringView> keywords)
{
    return std::any_of(keywords.begin(), keywords.end(), [&](QLatin1StringView kw) { return w.isWord(k, kw); });
}

// The words that end a column's type and begin its constraints.
bool startsConstraint(const StatementTokens &w, size_t k)
{
    return isOneOf(w, k, {"not"_L1, "null"_L1, "default"_L1, "primary"_L1, "unique"_L1, "distinct"_L1,
                          "references"_L1, "check"_L1, "constraint"_L1});
}

// A name, possibly owner-qualified ("owner".name, owner.name); the last part.
QString objectName(const StatementTokens &w, size_t &i)
{
    QString name;
    while (i < w.size()) {
        if (w.isWord(i))
            name = w.text(i).toString();
        else if (w.isString(i))
            name = w.value(i);
        else
            break;
        ++i;
        if (w.isSymbol(i, u'.') || w.isSymbol(i, u':'))
            ++i;
        else
            break;
    }
    return name.toLower();
}

// The same, with where its last part stands.
NamedAt namedAt(const StatementTokens &w, size_t &i)
{
    NamedAt n;
    const size_t first = i;
    n.name = objectName(w, i);
    n.at = w.begin(i > first ? i - 1 : i);
    return n;
}

// The names inside "( a, b )" starting at `i` (at the opening parenthesis),
// with their positions; `i` ends past the closing parenthesis.
std::vector<NamedAt> nameList(const StatementTokens &w, size_t &i, size_t end)
{
    std::vector<NamedAt> names;
    if (i >= end || !w.isSymbol(i, u'('))
        return names;
    for (++i; i < end && !w.isSymbol(i, u')'); ++i)
        if (w.isWord(i))
            names.push_back({w.lower(i), w[i].begin});
    ++i;
    return names;
}

// Reads a constraint starting at `i` (its kind's first word) into `c`;
// "REFERENCES table [(columns)] [ON DELETE CASCADE]", "CHECK (condition)",
// "PRIMARY KEY", "UNIQUE", "DISTINCT", "NOT NULL", with "(columns)" after
// the key words at table level. False when no constraint starts there.
// The token at `end` ends the item (a comma, a parenthesis or nothing).
bool readConstraintBody(const StatementTokens &w, size_t &i, size_t end, bool tableLevel, ConstraintDefinition &c,
                        CreateTable &table)
{
    using Kind = ConstraintDefinition::Kind;
    c.at = w[i].begin;
    if (w.isWord(i, "not") && w.isWord(i + 1, "null")) {
        c.kind = Kind::NotNull;
        i += 2;
    } else if (w.isWord(i, "primary") && w.isWord(i + 1, "key")) {
        c.kind = Kind::PrimaryKey;
        i += 2;
    } else if (w.isWord(i, "unique") || w.isWord(i, "distinct")) {
        c.kind = Kind::Unique;
        if (w.isWord(i, "distinct"))
            table.storageEdits.push_back({w[i].begin, w[i].end(), u"unique"_s});
        ++i;
    } else if (w.isWord(i, "check")) {
        c.kind = Kind::Check;
        c.checkAt = w[i].begin;
        const size_t open = i + 1;
        i = open < end ? std::min(w.closing(open) + 1, end) : end;
        if (open < i)
            c.condition = w.written(open, i - 1);
        return true;
    } else if (w.isWord(i, "foreign") && w.isWord(i + 1, "key") && tableLevel) {
        c.kind = Kind::References;
        i += 2;
        c.columns = nameList(w, i, end);
    } else if (!w.isWord(i, "references")) {
        return false;
    }
    if (tableLevel && c.kind != Kind::References)
        c.columns = nameList(w, i, end);
    if (i < end && w.isWord(i, "references")) {
        c.kind = Kind::References;
        ++i;
        c.referencedTable = namedAt(w, i);
        c.referencedColumns = nameList(w, i, end);
        if (w.isWord(i, "on") && w.isWord(i + 1, "delete") && w.isWord(i + 2, "cascade")) {
            c.cascadeDelete = true;
            i += 3;
        }
    }
    return true;
}

// A constraint's mode after its name: [INDEX] DISABLED | ENABLED |
// FILTERING [WITH | WITHOUT] ERROR. Every constraint here is checked; the
// modes only say how a server would check it.
void skipConstraintMode(const StatementTokens &w, size_t &i, size_t end)
{
    size_t k = i;
    if (w.isWord(k, "index") && (w.isWord(k + 1, "disabled") || w.isWord(k + 1, "enabled")))
        ++k;
    if (k < end && (w.isWord(k, "disabled") || w.isWord(k, "enabled"))) {
        i = k + 1;
    } else if (k < end && w.isWord(k, "filtering")) {
        ++k;
        if ((w.isWord(k, "with") || w.isWord(k, "without")) && w.isWord(k + 1, "error"))
            k += 2;
        i = k;
    }
}

// "CONSTRAINT name" at `i`, removed from the storage text; the name, empty
// when none stands there.
QString constraintName(const StatementTokens &w, size_t &i, size_t end, CreateTable &table)
{
    if (i + 1 >= end || !w.isWord(i, "constraint"))
        return {};
    const qsizetype begin = w[i].begin;
    ++i;
    const QString name = objectName(w, i);
    skipConstraintMode(w, i, end);
    table.storageEdits.push_back({begin, w[i - 1].end(), u" "_s});
    return name;
}

void readTableConstraint(const StatementTokens &w, size_t begin, size_t end, CreateTable &table)
{
    size_t i = begin;
    ConstraintDefinition c;
    c.name = constraintName(w, i, end, table);   // the ANSI place of the name
    if (i >= end || !readConstraintBody(w, i, end, true, c, table))
        return;
    if (const QString after = constraintName(w, i, end, table); !after.isEmpty())
        c.name = after;
    if (c.kind == ConstraintDefinition::Kind::PrimaryKey)
        for (const NamedAt &n : c.columns)
            table.primaryKey.append(n.name);
    if (c.kind == ConstraintDefinition::Kind::References) {
        // The server checks references itself: the storage engine does not
        // see them (the item with the comma before it, or after it when
        // the item comes first).
        const bool afterComma = w.isSymbol(begin - 1, u',');
        qsizetype to = w[end - 1].end();
        if (!afterComma && w.isSymbol(end, u','))
            to = w[end].end();
        table.storageEdits.push_back({afterComma ? w[begin - 1].begin : w[begin].begin, to, u" "_s});
    }
    table.constraints.push_back(std::move(c));
}

// DEFAULT's value at `d` into the column, as the catalog keeps it.
void readDefault(const StatementTokens &w, size_t &d, size_t end, ColumnDefinition &column)
{
    if (w.isString(d)) {
        column.defaultType = u'L';
        column.defaultValue = w.value(d);
    } else if (w.isNumber(d)) {
        column.defaultType = u'L';
        column.defaultValue = w.text(d).toString();
    } else if (w.isSymbol(d, u'-') && d + 1 < end && w.isNumber(d + 1)) {
        column.defaultType = u'L';
        column.defaultValue = u'-' + w.text(++d).toString();
    } else if (w.isWord(d, "null")) {
        column.defaultType = u'N';
    } else if (w.isWord(d, "current")) {
        column.defaultType = u'C';
    } else if (w.isWord(d, "dbservername") || w.isWord(d, "sitename")) {
        column.defaultType = u'S';
    } else if (w.isWord(d, "today")) {
        column.defaultType = u'T';
    } else if (w.isWord(d, "user")) {
        column.defaultType = u'U';
    }
}

void readColumn(const StatementTokens &w, size_t begin, size_t end, CreateTable &table)
{
    if (begin >= end)
        return;
    if (isOneOf(w, begin, {"primary"_L1, "unique"_L1, "distinct"_L1, "foreign"_L1, "check"_L1, "constraint"_L1})) {
        readTableConstraint(w, begin, end, table);
        return;
    }
    ColumnDefinition column;
    column.name = w.lower(begin);
    size_t i = begin + 1;
    // An owner before a built-in type ("informix".boolean, as listings of
    // extended types write it) names the same type.
    if (i + 2 < end && (w.isString(i) || w.isWord(i)) && w.isSymbol(i + 1, u'.') && w.isWord(i + 2)) {
        table.storageEdits.push_back({w[i].begin, w[i + 2].begin, QString()});
        i += 2;
    }
    const qsizetype typeBegin = i < end ? w[i].begin : w[begin].end();
    if (isOneOf(w, i, {"set"_L1, "multiset"_L1, "list"_L1, "row"_L1}) && w.isSymbol(i + 1, u'('))
        throw StatementError(InformixCode::NotSupported, w[i].begin,
                             w.isWord(i, "row") ? u"row types (ROW)"_s
                                                : u"collection types (%1)"_s.arg(w.text(i).toString().toUpper()));
    qsizetype typeEnd = typeBegin;
    int depth = 0;
    for (; i < end; ++i) {
        if (depth == 0 && startsConstraint(w, i))
            break;
        if (w.isSymbol(i, u'('))
            ++depth;
        else if (w.isSymbol(i, u')'))
            --depth;
        typeEnd = w[i].end();
    }
    column.type = w.sql().mid(typeBegin, typeEnd - typeBegin).toString().simplified();
    column.typeEnd = typeEnd;
    QString pendingName;
    while (i < end) {
        if (w.isWord(i, "default") && i + 1 < end) {
            readDefault(w, ++i, end, column);
            ++i;
            continue;
        }
        if (const QString name = constraintName(w, i, end, table); !name.isEmpty()) {
            pendingName = name;   // the ANSI place: before the constraint
            continue;
        }
        ConstraintDefinition c;
        const size_t clauseBegin = i;
        if (!readConstraintBody(w, i, end, false, c, table)) {
            ++i;   // NULL, or what the storage engine will judge
            continue;
        }
        c.columns = {{column.name, w[begin].begin}};
        c.name = pendingName;
        pendingName.clear();
        const size_t bodyEnd = i;
        if (const QString after = constraintName(w, i, end, table); !after.isEmpty()) {
            c.name = after;
            if (c.kind == ConstraintDefinition::Kind::References)
                table.storageEdits.pop_back();   // removed below with the clause
        }
        switch (c.kind) {
        case ConstraintDefinition::Kind::NotNull: column.declaredNotNull = column.notNull = true; break;
        case ConstraintDefinition::Kind::PrimaryKey: column.primaryKey = true; break;
        case ConstraintDefinition::Kind::Unique: column.unique = true; break;
        case ConstraintDefinition::Kind::References:
            table.storageEdits.push_back({w[clauseBegin].begin, w[(i > bodyEnd ? i : bodyEnd) - 1].end(), u" "_s});
            break;
        case ConstraintDefinition::Kind::Check: break;
        }
        table.constraints.push_back(std::move(c));
    }
    table.columns.push_back(column);
}

} // namespace

RewrittenSql applyEdits(QStringView sql, std::vector<TextEdit> edits)
{
    std::stable_sort(edits.begin(), edits.end(), [](const TextEdit &a, const TextEdit &b) {
        return a.begin != b.begin ? a.begin < b.begin : a.end < b.end;
    });
    SqlRewriter rewriter(sql);
    qsizetype at = 0;
    for (const TextEdit &e : edits) {
        if (e.begin < at)
            continue;   // inside a piece already replaced
        rewriter.copy(at, e.begin - at);
        if (!e.text.isEmpty())
            rewriter.replace(e.begin, e.text);
        at = e.end;
    }
    rewriter.copy(at, sql.size() - at);
    return rewriter.finish();
}

namespace {

// Whether the token at `i` begins another storage option.
bool startsStorageOption(const StatementTokens &w, size_t i)
{
    return (w.isWord(i, "extent") && w.isWord(i + 1, "size")) || (w.isWord(i, "next") && w.isWord(i + 1, "size"))
        || (w.isWord(i, "lock") && w.isWord(i + 1, "mode")) || (w.isWord(i, "put") && w.isWord(i + 1));
}

// The fragments of FRAGMENT BY / PARTITION BY from `i` (after BY) to the
// next storage option or the end; returns where they end.
//   ROUND ROBIN [PARTITION p] IN space, [PARTITION p] IN space | IN space, space
//   EXPRESSION [PARTITION p] (condition) IN space, ..., [PARTITION p] REMAINDER IN space
//   LIST (column) PARTITION p VALUES (...) IN space, ...
//   RANGE (column) [INTERVAL (n)] [STORE IN (spaces)] PARTITION p VALUES < n IN space, ...
size_t readFragments(const StatementTokens &w, size_t i, CreateTable &table)
{
    char16_t strategy = 0;
    if (w.isWord(i, "round") && w.isWord(i + 1, "robin")) {
        strategy = u'R';
        i += 2;
    } else if (w.isWord(i, "expression")) {
        strategy = u'E';
        ++i;
    } else if ((w.isWord(i, "list") || w.isWord(i, "range")) && w.isSymbol(i + 1, u'(')) {
        strategy = w.isWord(i, "list") ? u'L' : u'N';
        i = w.closing(i + 1) + 1;
        if (w.isWord(i, "interval") && w.isSymbol(i + 1, u'('))
            i = w.closing(i + 1) + 1;
        if (w.isWord(i, "store") && w.isWord(i + 1, "in") && w.isSymbol(i + 2, u'('))
            i = w.closing(i + 2) + 1;
    } else {
        throw StatementError(InformixCode::SyntaxError, w.begin(i));
    }
    if (w.isWord(i, "in") && strategy == u'R' && !w.isWord(i + 2, "partition") && w.isSymbol(i + 2, u','))
        ++i;   // ROUND ROBIN IN a, b: one IN for all
    // The items, split at commas outside parentheses.
    size_t end = i;
    while (end < w.size() && !startsStorageOption(w, end)) {
        if (w.isSymbol(end, u'('))
            end = w.closing(end);
        ++end;
    }
    end = std::min(end, w.size());
    size_t itemBegin = i;
    for (size_t k = i; k <= end; ++k) {
        if (k < end && !w.isSymbol(k, u',')) {
            if (w.isSymbol(k, u'('))
                k = w.closing(k);
            continue;
        }
        size_t a = itemBegin;
        itemBegin = k + 1;
        if (a >= k)
            throw StatementError(InformixCode::SyntaxError, w.begin(a));
        CreateTable::Fragment f;
        f.strategy = strategy;
        if (w.isWord(a, "partition") && a + 1 < k) {
            f.partition = w.isString(a + 1) ? w.value(a + 1) : w.lower(a + 1);
            a += 2;
        }
        // The space is the name after the last IN of the item.
        size_t in = k;
        for (size_t j = a; j < k; ++j) {
            if (w.isSymbol(j, u'('))
                j = w.closing(j);
            else if (w.isWord(j, "in"))
                in = j;
        }
        if (in + 1 < k) {
            f.dbspace = w.isString(in + 1) ? w.value(in + 1) : w.lower(in + 1);
            if (in + 2 != k)
                throw StatementError(InformixCode::SyntaxError, w.begin(in + 2));
        } else if (in == k && strategy == u'R' && a + 1 == k) {
            f.dbspace = w.lower(a);   // ROUND ROBIN IN a, b
            in = a;
        } else {
            throw StatementError(InformixCode::SyntaxError, w.begin(in < k ? in : k));
        }
        if (a < in) {
            if (w.isWord(a, "remainder") && a + 1 == in)
                f.expression = u"remainder"_s;
            else
                f.expression = w.written(a, in - 1);
        }
        if (f.partition.isEmpty())
            f.partition = f.dbspace;
        table.fragments.push_back(std::move(f));
    }
    return end;
}

// The options after a CREATE TABLE's column list, from `i`, as far as they
// are known; what follows them is left for the storage engine to refuse.
void readStorageOptions(const StatementTokens &w, size_t i, CreateTable &table)
{
    const size_t first = i;
    while (i < w.size()) {
        if (w.isWord(i, "lock") && w.isWord(i + 1, "mode")) {
            size_t k = i + 2;
            const bool parenthesised = w.isSymbol(k, u'(');
            if (parenthesised)
                ++k;
            if (w.isWord(k, "page") || w.isWord(k, "row") || w.isWord(k, "table"))
                table.lockLevel = w.text(k).front().toUpper().unicode();
            else
                break;
            ++k;
            if (parenthesised) {
                if (!w.isSymbol(k, u')'))
                    break;
                ++k;
            }
            i = k;
        } else if ((w.isWord(i, "extent") || w.isWord(i, "next")) && w.isWord(i + 1, "size") && w.isNumber(i + 2)) {
            const int size = w.text(i + 2).toInt();
            (w.isWord(i, "extent") ? table.extentSize : table.nextSize) = size;
            i += 3;
        } else if (w.isWord(i, "in") && (w.isWord(i + 1) || w.isString(i + 1))) {
            i += 2;
        } else if (w.isWord(i, "in") && w.isSymbol(i + 1, u'(')) {
            i = std::min(w.closing(i + 1) + 1, w.size());
        } else if (w.isWord(i, "with") && w.isWord(i + 1, "no") && w.isWord(i + 2, "log")) {
            i += 3;
        } else if (w.isWord(i, "with") && isOneOf(w, i + 1, {"crcols"_L1, "rowids"_L1, "erkey"_L1, "audit"_L1,
                                                           "vercols"_L1, "replcheck"_L1})) {
            i += 2;
        } else if (w.isWord(i, "compressed") || w.isWord(i, "statlevel")) {
            i += w.isWord(i, "statlevel") ? 2 : 1;
        } else if (w.isWord(i, "put") && w.isWord(i + 1)) {
            // PUT column IN (spaces) [(EXTENT SIZE n, KEEP ACCESS TIME, ...)], ...
            i += 2;
            while (i < w.size() && !w.isWord(i, "extent") && !w.isWord(i, "lock") && !w.isWord(i, "next")
                   && !w.isWord(i, "fragment") && !w.isWord(i, "partition")) {
                if (w.isSymbol(i, u'('))
                    i = w.closing(i);
                ++i;
            }
        } else if ((w.isWord(i, "fragment") || w.isWord(i, "partition")) && w.isWord(i + 1, "by")) {
            i = readFragments(w, i + 2, table);
        } else {
            break;
        }
    }
    if (i > first)
        table.storageEdits.push_back({w[first].begin, w[i - 1].end(), QString()});
}

} // namespace

std::optional<CreateTable> parseCreateTable(const StatementTokens &w)
{
    if (w.size() < 4 || !w.isWord(0, "create"))
        return std::nullopt;
    CreateTable table;
    size_t i = 1;
    if (w.isWord(i, "temp") || w.isWord(i, "raw") || w.isWord(i, "standard")) {
        table.temporary = w.isWord(i, "temp");
        ++i;
    }
    if (!w.isWord(i, "table"))
        return std::nullopt;
    ++i;
    table.name = objectName(w, i);
    if (table.name.isEmpty() || !w.isSymbol(i, u'('))
        return std::nullopt;
    // Split the column list at commas outside parentheses.
    int depth = 0;
    size_t itemBegin = ++i;
    for (; i < w.size(); ++i) {
        if (w.isSymbol(i, u'(')) {
            ++depth;
        } else if (w.isSymbol(i, u')')) {
            if (depth == 0)
                break;
            --depth;
        } else if (depth == 0 && w.isSymbol(i, u',')) {
            readColumn(w, itemBegin, i, table);
            itemBegin = i + 1;
        }
    }
    if (i >= w.size())
        return std::nullopt;
    readColumn(w, itemBegin, i, table);
    readStorageOptions(w, i + 1, table);
    for (ColumnDefinition &c : table.columns)
        if (table.primaryKey.contains(c.name) || c.primaryKey)
            c.notNull = true;
    if (table.columns.empty())
        return std::nullopt;
    return table;
}

std::optional<QString> parseDropTable(const StatementTokens &w)
{
    if (w.size() < 3 || !w.isWord(0, "drop") || !w.isWord(1, "table"))
        return std::nullopt;
    size_t i = 2;
    const QString name = objectName(w, i);
    return name.isEmpty() ? std::nullopt : std::optional<QString>(name);
}

std::optional<CreateIndex> parseCreateIndex(const StatementTokens &w)
{
    if (!w.isWord(0, "create"))
        return std::nullopt;
    CreateIndex index;
    size_t i = 1;
    if (w.isWord(i, "unique") || w.isWord(i, "distinct")) {
        index.unique = true;
        ++i;
    }
    if (w.isWord(i, "cluster")) {
        index.cluster = true;
        ++i;
    }
    if (!w.isWord(i, "index"))
        return std::nullopt;
    ++i;
    index.name = namedAt(w, i);
    if (index.name.name.isEmpty() || !w.isWord(i, "on"))
        throw StatementError(InformixCode::SyntaxError, w.begin(i));
    ++i;
    index.table = namedAt(w, i);
    if (index.table.name.isEmpty() || !w.isSymbol(i, u'('))
        throw StatementError(InformixCode::SyntaxError, w.begin(i));
    index.listBegin = w[i].begin;
    for (++i; i < w.size();) {
        if (!w.isWord(i))
            throw StatementError(InformixCode::SyntaxError, w.begin(i));
        index.columns.push_back({w.lower(i), w[i].begin});
        ++i;
        bool descending = false;
        if (w.isWord(i, "asc") || w.isWord(i, "desc")) {
            descending = w.isWord(i, "desc");
            ++i;
        }
        index.descending.push_back(descending);
        if (w.isSymbol(i, u',')) {
            ++i;
            continue;
        }
        if (w.isSymbol(i, u')')) {
            index.listEnd = w[i].end();
            break;
        }
        throw StatementError(InformixCode::SyntaxError, w.begin(i));
    }
    if (index.listEnd == 0)
        throw StatementError(InformixCode::SyntaxError, w.sql().size());
    if (index.columns.size() > 16)
        throw StatementError(InformixCode::SyntaxError, index.columns[16].at);
    return index;
}

std::optional<NamedAt> parseDropIndex(const StatementTokens &w)
{
    if (!w.isWord(0, "drop") || !w.isWord(1, "index"))
        return std::nullopt;
    if (w.size() < 3)
        throw StatementError(InformixCode::SyntaxError, w.sql().size());   // no index named
    size_t i = 2;
    NamedAt name = namedAt(w, i);
    if (name.name.isEmpty() || i != w.size())
        throw StatementError(InformixCode::SyntaxError, w.begin(i));
    return name;
}

std::optional<AlterConstraints> parseAlterConstraints(const StatementTokens &w)
{
    if (!w.isWord(0, "alter") || !w.isWord(1, "table"))
        return std::nullopt;
    size_t i = 2;
    AlterConstraints alter;
    alter.table = namedAt(w, i);
    const bool adding = w.isWord(i, "add");
    if (!(adding || w.isWord(i, "drop")) || !w.isWord(i + 1, "constraint"))
        return std::nullopt;
    i += 2;
    const size_t end = w.size();
    const bool grouped = w.isSymbol(i, u'(');
    size_t itemBegin = grouped ? i + 1 : i;
    const size_t listEnd = grouped ? end - 1 : end;
    if (grouped && !w.isSymbol(end - 1, u')'))
        throw StatementError(InformixCode::SyntaxError, w[end - 1].begin);
    // The items, split at commas outside parentheses.
    std::vector<std::pair<size_t, size_t>> items;
    int depth = 0;
    for (size_t k = itemBegin; k < listEnd; ++k) {
        if (w.isSymbol(k, u'('))
            ++depth;
        else if (w.isSymbol(k, u')'))
            --depth;
        else if (depth == 0 && w.isSymbol(k, u',')) {
            items.emplace_back(itemBegin, k);
            itemBegin = k + 1;
        }
    }
    items.emplace_back(itemBegin, listEnd);
    for (const auto &[begin, itemEnd] : items) {
        if (begin >= itemEnd)
            throw StatementError(InformixCode::SyntaxError, w.begin(begin));
        if (!adding) {
            size_t k = begin;
            NamedAt name = namedAt(w, k);
            if (name.name.isEmpty() || k != itemEnd)
                throw StatementError(InformixCode::SyntaxError, w[k < itemEnd ? k : begin].begin);
            alter.dropped.push_back(name);
            continue;
        }
        CreateTable scratch;   // the storage edits of CREATE TABLE do not apply
        size_t k = begin;
        ConstraintDefinition c;
        // The name may stand before the constraint ("ADD CONSTRAINT name UNIQUE (a)").
        if (!isOneOf(w, k, {"primary"_L1, "unique"_L1, "distinct"_L1, "foreign"_L1, "check"_L1}) && w.isWord(k)
            && k + 1 < itemEnd) {
            c.name = w.lower(k);
            ++k;
        }
        if (k >= itemEnd || !readConstraintBody(w, k, itemEnd, true, c, scratch)
            || c.kind == ConstraintDefinition::Kind::NotNull)
            throw StatementError(InformixCode::SyntaxError, k < itemEnd ? w[k].begin : w.sql().size());
        if (const QString after = constraintName(w, k, itemEnd, scratch); !after.isEmpty())
            c.name = after;
        if (k != itemEnd)
            throw StatementError(InformixCode::SyntaxError, w[k].begin);
        alter.added.push_back(std::move(c));
    }
    return alter;
}

std::optional<UpdateStatistics> parseUpdateStatistics(const StatementTokens &w)
{
    if (!w.isWord(0, "update") || !w.isWord(1, "statistics"))
        return std::nullopt;
    UpdateStatistics statistics;
    size_t i = 2;
    if (w.isWord(i, "low") || w.isWord(i, "medium") || w.isWord(i, "high"))
        ++i;
    if (w.isWord(i, "for") && (w.isWord(i + 1, "procedure") || w.isWord(i + 1, "function") || w.isWord(i + 1, "routine"))) {
        statistics.procedures = true;
        return statistics;
    }
    if (w.isWord(i, "for") && w.isWord(i + 1, "table")) {
        i += 2;
        // Column lists, DISTRIBUTIONS ONLY and RESOLUTION change only
        // what a server samples: the row count is the same.
        if (i < w.size() && !w.isWord(i, "distributions") && !w.isWord(i, "resolution") && !w.isSymbol(i, u'('))
            statistics.table = namedAt(w, i);
    } else if (i < w.size() && !w.isWord(i, "distributions") && !w.isWord(i, "resolution")) {
        throw StatementError(InformixCode::SyntaxError, w[i].begin);
    }
    return statistics;
}

} // namespace quoll::connection::embedded
