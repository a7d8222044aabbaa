#include "connection/embedded/sql/ddlparser.h"

#include "connection/embedded/server/informixerrors.h"
#include "connection/embedded/sql/sqllexer.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace quoll::connection::embedded {

namespace {

bool isWord(QStringView sql, const SqlToken &t, QLatin1String word)
{
    return t.kind == SqlToken::Kind::Word && tokenText(sql, t).compare(word, Qt::CaseInsensitive) == 0;
}

bool isSymbol(QStringView sql, const SqlToken &t, QChar c)
{
    return t.kind == SqlToken::Kind::Symbol && sql[t.begin] == c;
}

// The words that end a column's type and begin its constraints.
bool startsConstraint(QStringView sql, const SqlToken &t)
{
    static const QLatin1String words[] = {QLatin1String("not"), QLatin1String("null"), QLatin1String("default"),
                                          QLatin1String("primary"), QLatin1String("unique"), QLatin1String("distinct"),
                                          QLatin1String("references"), QLatin1String("check"),
                                          QLatin1String("constraint")};
    for (QLatin1String w : words)
        if (isWord(sql, t, w))
            return true;
    return false;
}

// A name, possibly owner-qualified ("owner".name, owner.name); the last part.
QString objectName(QStringView sql, const std::vector<SqlToken> &w, size_t &i)
{
    QString name;
    while (i < w.size()) {
        const SqlToken &t = w[i];
        if (t.kind == SqlToken::Kind::Word)
            name = tokenText(sql, t).toString();
        else if (t.kind == SqlToken::Kind::QuotedString || t.kind == SqlToken::Kind::String)
            name = stringValue(sql, t);
        else
            break;
        ++i;
        if (i < w.size() && (isSymbol(sql, w[i], u'.') || isSymbol(sql, w[i], u':')))
            ++i;
        else
            break;
    }
    return name.toLower();
}

// The same, with where its last part stands.
NamedAt namedAt(QStringView sql, const std::vector<SqlToken> &w, size_t &i)
{
    NamedAt n;
    const size_t first = i;
    n.name = objectName(sql, w, i);
    n.at = i > first ? w[i - 1].begin : (i < w.size() ? w[i].begin : sql.size());
    return n;
}

// The names inside "( a, b )" starting at `i` (at the opening parenthesis),
// with their positions; `i` ends past the closing parenthesis.
std::vector<NamedAt> nameList(QStringView sql, const std::vector<SqlToken> &w, size_t &i, size_t end)
{
    std::vector<NamedAt> names;
    if (i >= end || !isSymbol(sql, w[i], u'('))
        return names;
    for (++i; i < end && !isSymbol(sql, w[i], u')'); ++i)
        if (w[i].kind == SqlToken::Kind::Word)
            names.push_back({tokenText(sql, w[i]).toString().toLower(), w[i].begin});
    ++i;
    return names;
}

// Past the parenthesised group starting at `i`.
size_t skipGroup(QStringView sql, const std::vector<SqlToken> &w, size_t i, size_t end)
{
    int depth = 0;
    for (; i < end; ++i) {
        if (isSymbol(sql, w[i], u'('))
            ++depth;
        else if (isSymbol(sql, w[i], u')') && --depth == 0)
            return i + 1;
    }
    return i;
}

// Reads a constraint starting at `i` (its kind's first word) into `c`;
// "REFERENCES table [(columns)] [ON DELETE CASCADE]", "CHECK (condition)",
// "PRIMARY KEY", "UNIQUE", "DISTINCT", "NOT NULL", with "(columns)" after
// the key words at table level. False when no constraint starts there.
bool readConstraintBody(QStringView sql, const std::vector<SqlToken> &w, size_t &i, size_t end, bool tableLevel,
                        ConstraintDefinition &c, CreateTable &table)
{
    using Kind = ConstraintDefinition::Kind;
    c.at = w[i].begin;
    const auto word = [&](size_t k, const char *text) { return k < end && isWord(sql, w[k], QLatin1String(text)); };
    if (word(i, "not") && word(i + 1, "null")) {
        c.kind = Kind::NotNull;
        i += 2;
    } else if (word(i, "primary") && word(i + 1, "key")) {
        c.kind = Kind::PrimaryKey;
        i += 2;
    } else if (word(i, "unique") || word(i, "distinct")) {
        c.kind = Kind::Unique;
        if (word(i, "distinct"))
            table.storageEdits.push_back({w[i].begin, w[i].end(), u"unique"_s});
        ++i;
    } else if (word(i, "check")) {
        c.kind = Kind::Check;
        c.checkAt = w[i].begin;
        const size_t open = i + 1;
        i = skipGroup(sql, w, open, end);
        if (open < i)
            c.condition = sql.mid(w[open].begin, w[i - 1].end() - w[open].begin).toString();
        return true;
    } else if (word(i, "foreign") && word(i + 1, "key") && tableLevel) {
        c.kind = Kind::References;
        i += 2;
        c.columns = nameList(sql, w, i, end);
    } else if (!word(i, "references")) {
        return false;
    }
    if (tableLevel && c.kind != Kind::References)
        c.columns = nameList(sql, w, i, end);
    if (word(i, "references")) {
        c.kind = Kind::References;
        ++i;
        c.referencedTable = namedAt(sql, w, i);
        c.referencedColumns = nameList(sql, w, i, end);
        if (word(i, "on") && word(i + 1, "delete") && word(i + 2, "cascade")) {
            c.cascadeDelete = true;
            i += 3;
        }
    }
    return true;
}

// "CONSTRAINT name" at `i`, removed from the storage text; the name, empty
// when none stands there.
QString constraintName(QStringView sql, const std::vector<SqlToken> &w, size_t &i, size_t end, CreateTable &table)
{
    if (i + 1 >= end || !isWord(sql, w[i], QLatin1String("constraint")))
        return {};
    const qsizetype begin = w[i].begin;
    ++i;
    const QString name = objectName(sql, w, i);
    table.storageEdits.push_back({begin, w[i - 1].end(), u" "_s});
    return name;
}

void readTableConstraint(QStringView sql, const std::vector<SqlToken> &w, size_t begin, size_t end,
                         CreateTable &table)
{
    size_t i = begin;
    ConstraintDefinition c;
    c.name = constraintName(sql, w, i, end, table);   // the ANSI place of the name
    if (i >= end || !readConstraintBody(sql, w, i, end, true, c, table))
        return;
    if (const QString after = constraintName(sql, w, i, end, table); !after.isEmpty())
        c.name = after;
    if (c.kind == ConstraintDefinition::Kind::PrimaryKey)
        for (const NamedAt &n : c.columns)
            table.primaryKey.append(n.name);
    if (c.kind == ConstraintDefinition::Kind::References) {
        // The server checks references itself: the storage engine does not
        // see them (the item with the comma before it, or after it when
        // the item comes first).
        const bool afterComma = isSymbol(sql, w[begin - 1], u',');
        qsizetype to = w[end - 1].end();
        if (!afterComma && end < w.size() && isSymbol(sql, w[end], u','))
            to = w[end].end();
        table.storageEdits.push_back({afterComma ? w[begin - 1].begin : w[begin].begin, to, u" "_s});
    }
    table.constraints.push_back(std::move(c));
}

void readColumn(QStringView sql, const std::vector<SqlToken> &w, size_t begin, size_t end, CreateTable &table)
{
    if (begin >= end)
        return;
    const SqlToken &first = w[begin];
    if (isWord(sql, first, QLatin1String("primary")) || isWord(sql, first, QLatin1String("unique"))
        || isWord(sql, first, QLatin1String("distinct")) || isWord(sql, first, QLatin1String("foreign"))
        || isWord(sql, first, QLatin1String("check")) || isWord(sql, first, QLatin1String("constraint"))) {
        readTableConstraint(sql, w, begin, end, table);
        return;
    }
    ColumnDefinition column;
    column.name = tokenText(sql, first).toString().toLower();
    size_t i = begin + 1;
    const qsizetype typeBegin = i < end ? w[i].begin : first.end();
    qsizetype typeEnd = typeBegin;
    int depth = 0;
    for (; i < end; ++i) {
        if (depth == 0 && startsConstraint(sql, w[i]))
            break;
        if (isSymbol(sql, w[i], u'('))
            ++depth;
        else if (isSymbol(sql, w[i], u')'))
            --depth;
        typeEnd = w[i].end();
    }
    column.type = sql.mid(typeBegin, typeEnd - typeBegin).toString().simplified();
    column.typeEnd = typeEnd;
    QString pendingName;
    while (i < end) {
        if (isWord(sql, w[i], QLatin1String("default")) && i + 1 < end) {
            const SqlToken &d = w[++i];
            if (d.kind == SqlToken::Kind::String || d.kind == SqlToken::Kind::QuotedString) {
                column.defaultType = u'L';
                column.defaultValue = stringValue(sql, d);
            } else if (d.kind == SqlToken::Kind::Number) {
                column.defaultType = u'L';
                column.defaultValue = tokenText(sql, d).toString();
            } else if (isSymbol(sql, d, u'-') && i + 1 < end && w[i + 1].kind == SqlToken::Kind::Number) {
                column.defaultType = u'L';
                column.defaultValue = u'-' + tokenText(sql, w[++i]).toString();
            } else if (isWord(sql, d, QLatin1String("null"))) {
                column.defaultType = u'N';
            } else if (isWord(sql, d, QLatin1String("current"))) {
                column.defaultType = u'C';
            } else if (isWord(sql, d, QLatin1String("dbservername")) || isWord(sql, d, QLatin1String("sitename"))) {
                column.defaultType = u'S';
            } else if (isWord(sql, d, QLatin1String("today"))) {
                column.defaultType = u'T';
            } else if (isWord(sql, d, QLatin1String("user"))) {
                column.defaultType = u'U';
            }
            ++i;
            continue;
        }
        if (const QString name = constraintName(sql, w, i, end, table); !name.isEmpty()) {
            pendingName = name;   // the ANSI place: before the constraint
            continue;
        }
        ConstraintDefinition c;
        const size_t clauseBegin = i;
        if (!readConstraintBody(sql, w, i, end, false, c, table)) {
            ++i;   // NULL, or what the storage engine will judge
            continue;
        }
        c.columns = {{column.name, first.begin}};
        c.name = pendingName;
        pendingName.clear();
        const size_t bodyEnd = i;
        if (const QString after = constraintName(sql, w, i, end, table); !after.isEmpty()) {
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

// The options after a CREATE TABLE's column list, from `i`, as far as they
// are known; what follows them is left for the storage engine to refuse.
void readStorageOptions(QStringView sql, const std::vector<SqlToken> &w, size_t i, CreateTable &table)
{
    const auto word = [&](size_t k, const char *text) { return k < w.size() && isWord(sql, w[k], QLatin1String(text)); };
    const size_t first = i;
    while (i < w.size()) {
        if (word(i, "lock") && word(i + 1, "mode")) {
            size_t k = i + 2;
            const bool parenthesised = k < w.size() && isSymbol(sql, w[k], u'(');
            if (parenthesised)
                ++k;
            if (word(k, "page") || word(k, "row") || word(k, "table"))
                table.lockLevel = tokenText(sql, w[k]).front().toUpper().unicode();
            else
                break;
            ++k;
            if (parenthesised) {
                if (k >= w.size() || !isSymbol(sql, w[k], u')'))
                    break;
                ++k;
            }
            i = k;
        } else if ((word(i, "extent") || word(i, "next")) && word(i + 1, "size") && i + 2 < w.size()
                   && w[i + 2].kind == SqlToken::Kind::Number) {
            const int size = tokenText(sql, w[i + 2]).toInt();
            (word(i, "extent") ? table.extentSize : table.nextSize) = size;
            i += 3;
        } else if (word(i, "in") && i + 1 < w.size() && w[i + 1].kind == SqlToken::Kind::Word) {
            i += 2;
        } else if (word(i, "with") && word(i + 1, "no") && word(i + 2, "log")) {
            i += 3;
        } else {
            break;
        }
    }
    if (i > first)
        table.storageEdits.push_back({w[first].begin, w[i - 1].end(), QString()});
}

} // namespace

std::optional<CreateTable> parseCreateTable(QStringView sql)
{
    const std::vector<SqlToken> w = significant(tokenize(sql));
    size_t i = 0;
    if (w.size() < 4 || !isWord(sql, w[0], QLatin1String("create")))
        return std::nullopt;
    CreateTable table;
    i = 1;
    if (isWord(sql, w[i], QLatin1String("temp")) || isWord(sql, w[i], QLatin1String("raw"))
        || isWord(sql, w[i], QLatin1String("standard"))) {
        table.temporary = isWord(sql, w[i], QLatin1String("temp"));
        ++i;
    }
    if (!isWord(sql, w[i], QLatin1String("table")))
        return std::nullopt;
    ++i;
    table.name = objectName(sql, w, i);
    if (table.name.isEmpty() || i >= w.size() || !isSymbol(sql, w[i], u'('))
        return std::nullopt;
    // Split the column list at commas outside parentheses.
    int depth = 0;
    size_t itemBegin = ++i;
    for (; i < w.size(); ++i) {
        if (isSymbol(sql, w[i], u'(')) {
            ++depth;
        } else if (isSymbol(sql, w[i], u')')) {
            if (depth == 0)
                break;
            --depth;
        } else if (depth == 0 && isSymbol(sql, w[i], u',')) {
            readColumn(sql, w, itemBegin, i, table);
            itemBegin = i + 1;
        }
    }
    if (i >= w.size())
        return std::nullopt;
    readColumn(sql, w, itemBegin, i, table);
    readStorageOptions(sql, w, i + 1, table);
    for (ColumnDefinition &c : table.columns)
        if (table.primaryKey.contains(c.name) || c.primaryKey)
            c.notNull = true;
    if (table.columns.empty())
        return std::nullopt;
    return table;
}

std::optional<QString> parseDropTable(QStringView sql)
{
    const std::vector<SqlToken> w = significant(tokenize(sql));
    if (w.size() < 3 || !isWord(sql, w[0], QLatin1String("drop")) || !isWord(sql, w[1], QLatin1String("table")))
        return std::nullopt;
    size_t i = 2;
    const QString name = objectName(sql, w, i);
    return name.isEmpty() ? std::nullopt : std::optional<QString>(name);
}

} // namespace quoll::connection::embedded

namespace quoll::connection::embedded {

namespace {

// The significant words of a statement without its trailing semicolons.
std::vector<SqlToken> words(QStringView sql)
{
    std::vector<SqlToken> w = significant(tokenize(sql));
    while (!w.empty() && isSymbol(sql, w.back(), u';'))
        w.pop_back();
    return w;
}

} // namespace

std::optional<CreateIndex> parseCreateIndex(QStringView sql)
{
    const std::vector<SqlToken> w = words(sql);
    const auto word = [&](size_t k, const char *text) { return k < w.size() && isWord(sql, w[k], QLatin1String(text)); };
    const auto at = [&](size_t k) { return k < w.size() ? w[k].begin : sql.size(); };
    if (!word(0, "create"))
        return std::nullopt;
    CreateIndex index;
    size_t i = 1;
    if (word(i, "unique") || word(i, "distinct")) {
        index.unique = true;
        ++i;
    }
    if (word(i, "cluster")) {
        index.cluster = true;
        ++i;
    }
    if (!word(i, "index"))
        return std::nullopt;
    ++i;
    index.name = namedAt(sql, w, i);
    if (index.name.name.isEmpty())
        throw StatementError(InformixCode::SyntaxError, at(i));
    if (!word(i, "on"))
        throw StatementError(InformixCode::SyntaxError, at(i));
    ++i;
    index.table = namedAt(sql, w, i);
    if (index.table.name.isEmpty() || i >= w.size() || !isSymbol(sql, w[i], u'('))
        throw StatementError(InformixCode::SyntaxError, at(i));
    index.listBegin = w[i].begin;
    for (++i; i < w.size();) {
        if (w[i].kind != SqlToken::Kind::Word)
            throw StatementError(InformixCode::SyntaxError, at(i));
        index.columns.push_back({tokenText(sql, w[i]).toString().toLower(), w[i].begin});
        ++i;
        bool descending = false;
        if (word(i, "asc") || word(i, "desc")) {
            descending = word(i, "desc");
            ++i;
        }
        index.descending.push_back(descending);
        if (i < w.size() && isSymbol(sql, w[i], u',')) {
            ++i;
            continue;
        }
        if (i < w.size() && isSymbol(sql, w[i], u')')) {
            index.listEnd = w[i].end();
            break;
        }
        throw StatementError(InformixCode::SyntaxError, at(i));
    }
    if (index.listEnd == 0)
        throw StatementError(InformixCode::SyntaxError, sql.size());
    if (index.columns.size() > 16)
        throw StatementError(InformixCode::SyntaxError, index.columns[16].at);
    return index;
}

std::optional<NamedAt> parseDropIndex(QStringView sql)
{
    const std::vector<SqlToken> w = words(sql);
    if (w.size() < 2 || !isWord(sql, w[0], QLatin1String("drop")) || !isWord(sql, w[1], QLatin1String("index")))
        return std::nullopt;
    if (w.size() < 3)
        throw StatementError(InformixCode::SyntaxError, sql.size());   // no index named
    size_t i = 2;
    NamedAt name = namedAt(sql, w, i);
    if (name.name.isEmpty() || i != w.size())
        throw StatementError(InformixCode::SyntaxError, i < w.size() ? w[i].begin : sql.size());
    return name;
}

std::optional<AlterConstraints> parseAlterConstraints(QStringView sql)
{
    const std::vector<SqlToken> w = words(sql);
    const auto word = [&](size_t k, const char *text) { return k < w.size() && isWord(sql, w[k], QLatin1String(text)); };
    if (!word(0, "alter") || !word(1, "table"))
        return std::nullopt;
    size_t i = 2;
    AlterConstraints alter;
    alter.table = namedAt(sql, w, i);
    const bool adding = word(i, "add");
    if (!(adding || word(i, "drop")) || !word(i + 1, "constraint"))
        return std::nullopt;
    i += 2;
    const size_t end = w.size();
    const bool grouped = i < end && isSymbol(sql, w[i], u'(');
    size_t itemBegin = grouped ? i + 1 : i;
    const size_t listEnd = grouped ? end - 1 : end;
    if (grouped && !isSymbol(sql, w[end - 1], u')'))
        throw StatementError(InformixCode::SyntaxError, w[end - 1].begin);
    // The items, split at commas outside parentheses.
    std::vector<std::pair<size_t, size_t>> items;
    int depth = 0;
    for (size_t k = itemBegin; k < listEnd; ++k) {
        if (isSymbol(sql, w[k], u'('))
            ++depth;
        else if (isSymbol(sql, w[k], u')'))
            --depth;
        else if (depth == 0 && isSymbol(sql, w[k], u',')) {
            items.emplace_back(itemBegin, k);
            itemBegin = k + 1;
        }
    }
    items.emplace_back(itemBegin, listEnd);
    for (const auto &[begin, itemEnd] : items) {
        if (begin >= itemEnd)
            throw StatementError(InformixCode::SyntaxError, begin < end ? w[begin].begin : sql.size());
        if (!adding) {
            size_t k = begin;
            NamedAt name = namedAt(sql, w, k);
            if (name.name.isEmpty() || k != itemEnd)
                throw StatementError(InformixCode::SyntaxError, w[k < itemEnd ? k : begin].begin);
            alter.dropped.push_back(name);
            continue;
        }
        CreateTable scratch;   // the storage edits of CREATE TABLE do not apply
        size_t k = begin;
        ConstraintDefinition c;
        // The name may stand before the constraint ("ADD CONSTRAINT name UNIQUE (a)").
        if (!word(k, "primary") && !word(k, "unique") && !word(k, "distinct") && !word(k, "foreign")
            && !word(k, "check") && w[k].kind == SqlToken::Kind::Word && k + 1 < itemEnd) {
            c.name = tokenText(sql, w[k]).toString().toLower();
            ++k;
        }
        if (k >= itemEnd || !readConstraintBody(sql, w, k, itemEnd, true, c, scratch)
            || c.kind == ConstraintDefinition::Kind::NotNull)
            throw StatementError(InformixCode::SyntaxError, k < itemEnd ? w[k].begin : sql.size());
        if (const QString after = constraintName(sql, w, k, itemEnd, scratch); !after.isEmpty())
            c.name = after;
        if (k != itemEnd)
            throw StatementError(InformixCode::SyntaxError, w[k].begin);
        alter.added.push_back(std::move(c));
    }
    return alter;
}

std::optional<UpdateStatistics> parseUpdateStatistics(QStringView sql)
{
    const std::vector<SqlToken> w = words(sql);
    const auto word = [&](size_t k, const char *text) { return k < w.size() && isWord(sql, w[k], QLatin1String(text)); };
    if (!word(0, "update") || !word(1, "statistics"))
        return std::nullopt;
    UpdateStatistics statistics;
    size_t i = 2;
    if (word(i, "low") || word(i, "medium") || word(i, "high"))
        ++i;
    if (word(i, "for") && (word(i + 1, "procedure") || word(i + 1, "function") || word(i + 1, "routine"))) {
        statistics.procedures = true;
        return statistics;
    }
    if (word(i, "for") && word(i + 1, "table")) {
        i += 2;
        // Column lists, DISTRIBUTIONS ONLY and RESOLUTION change only
        // what a server samples: the row count is the same.
        if (i < w.size() && !word(i, "distributions") && !word(i, "resolution") && !isSymbol(sql, w[i], u'('))
            statistics.table = namedAt(sql, w, i);
    } else if (i < w.size() && !word(i, "distributions") && !word(i, "resolution")) {
        throw StatementError(InformixCode::SyntaxError, w[i].begin);
    }
    return statistics;
}

} // namespace quoll::connection::embedded
