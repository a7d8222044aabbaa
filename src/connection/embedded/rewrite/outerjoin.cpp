#include "connection/embedded/rewrite/outerjoin.h"

#include "connection/embedded/server/informixerrors.h"
#include "connection/embedded/sql/fromlist.h"
#include "connection/embedded/rewrite/sqlrewriter.h"

#include <QSet>
#include <QStringList>

#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace quoll::connection::embedded {

namespace {

// One entry of a FROM list: a table, or a parenthesised list after OUTER.
struct Node
{
    bool outer = false;
    bool group = false;
    qsizetype at = 0;              // where the entry (its OUTER) starts
    qsizetype begin = 0, end = 0;  // a table's text, without OUTER
    QString name;                  // a table's alias, else its name, lower case
    QString table;                 // a table's name, lower case
    std::vector<Node> children;    // a group's entries
    std::vector<std::pair<qsizetype, qsizetype>> on;   // the terms that join it (text ranges)
};

std::vector<Node> nodesOf(const StatementTokens &w, const std::vector<FromEntry> &entries)
{
    std::vector<Node> nodes;
    for (const FromEntry &entry : entries) {
        Node node;
        node.outer = entry.outer;
        node.group = entry.group;
        node.at = w[entry.at].begin;
        if (entry.group) {
            node.children = nodesOf(w, entry.children);
        } else {
            const TableReference &t = entry.table;
            node.begin = w[t.database ? *t.database : t.owner ? *t.owner : t.table].begin;
            node.end = w[t.end - 1].end();
            node.table = w.lower(t.table);
            node.name = t.alias ? w.lower(*t.alias) : node.table;
        }
        nodes.push_back(std::move(node));
    }
    return nodes;
}

// Every table of the tree, with the outer entries above it (itself included).
struct Placed
{
    const Node *table;
    std::vector<Node *> outers;
};

void collectTables(Node &group, std::vector<Node *> &outers, std::vector<Placed> &out)
{
    for (Node &child : group.children) {
        if (child.outer)
            outers.push_back(&child);
        if (child.group)
            collectTables(child, outers, out);
        else
            out.push_back({&child, outers});
        if (child.outer)
            outers.pop_back();
    }
}

void collectOuter(Node &group, int depth, std::vector<std::tuple<Node *, int, Node *>> &out)
{
    for (Node &child : group.children) {
        if (child.outer)
            out.emplace_back(&child, depth, &group);
        if (child.group)
            collectOuter(child, depth + 1, out);
    }
}

QSet<QString> namesIn(const Node &node)
{
    QSet<QString> names;
    if (!node.group)
        names.insert(node.name);
    for (const Node &child : node.children)
        names.unite(namesIn(child));
    return names;
}

// The tables that a join condition of an entry of `group` may name beside
// the entry's own: the group's plain (not outer) tables.
QSet<QString> plainNamesOf(const Node &group)
{
    QSet<QString> names;
    for (const Node &child : group.children)
        if (!child.outer && !child.group)
            names.insert(child.name);
    return names;
}

void render(SqlRewriter &out, const Node &group)
{
    bool first = true;
    for (const Node &child : group.children) {
        if (child.outer)
            continue;
        if (!first)
            out.replace(child.begin, u", "_s);
        out.copy(child.begin, child.end - child.begin);
        first = false;
    }
    for (const Node &child : group.children) {
        if (!child.outer)
            continue;
        out.replace(child.at, u" left join "_s);
        if (child.group) {
            out.replace(child.at, u"("_s);
            render(out, child);
            out.replace(child.at, u")"_s);
        } else {
            out.copy(child.begin, child.end - child.begin);
        }
        out.replace(child.at, u" on "_s);
        for (size_t t = 0; t < child.on.size(); ++t) {
            out.replace(child.on[t].first, t == 0 ? u"("_s : u" and ("_s);
            out.copy(child.on[t].first, child.on[t].second - child.on[t].first);
            out.replace(child.on[t].second, u")"_s);
        }
    }
}

} // namespace

namespace {

// One SELECT (no UNION at its top level).
std::optional<RewrittenSql> rewriteSelect(QStringView sql, const SchemaLookup &schema)
{
    const StatementTokens w(sql);
    if (!w.isWord(0, "select"))
        return std::nullopt;
    // Top-level positions of FROM, WHERE and the end of the WHERE clause.
    size_t from = 0, where = 0, end = w.size();
    int depth = 0;
    for (size_t i = 0; i < w.size(); ++i) {
        if (w.isSymbol(i, u'('))
            ++depth;
        else if (w.isSymbol(i, u')'))
            --depth;
        if (depth != 0)
            continue;
        if (!from && w.isWord(i, "from"))
            from = i;
        else if (from && !where && w.isWord(i, "where"))
            where = i;
        else if (from && (w.isWord(i, "order") || w.isWord(i, "group") || w.isWord(i, "having") || w.isWord(i, "union")
                          || w.isWord(i, "into") || w.isSymbol(i, u';'))) {
            end = i;
            break;
        }
    }
    if (!from)
        return std::nullopt;
    const size_t listEnd = where ? where : end;
    size_t firstOuter = 0;
    // "left outer join" is an ANSI join, not an Informix OUTER.
    for (size_t i = from + 1; i < listEnd && !firstOuter; ++i)
        if (w.isWord(i, "outer") && !w.isWord(i + 1, "join"))
            firstOuter = i;
    if (!firstOuter)
        return std::nullopt;
    // OUTER beside ANSI joins or derived tables is not Informix's.
    const std::optional<std::vector<FromEntry>> entries = readFromList(w, from + 1, listEnd);
    if (!entries)
        throw StatementError(InformixCode::SyntaxError, w[firstOuter].begin);
    Node root;
    root.group = true;
    root.children = nodesOf(w, *entries);
    if (plainNamesOf(root).isEmpty())
        throw StatementError(InformixCode::SyntaxError, w[from + 1].begin);

    std::vector<Placed> tables;
    std::vector<Node *> outers;
    collectTables(root, outers, tables);
    // An unqualified column is credited to every table of the list that has it.
    QHash<QString, QStringList> owners;
    if (schema) {
        for (const Placed &p : tables)
            for (const StoredColumn &c : schema(p.table->table))
                owners[c.name].append(p.table->name);
    }

    // The WHERE clause's terms, split at top-level AND (not the one of
    // BETWEEN); with an OR at the top the clause is one term.
    std::vector<std::pair<size_t, size_t>> terms;
    if (where) {
        size_t termBegin = where + 1;
        int level = 0;
        bool between = false, anyOr = false;
        std::vector<std::pair<size_t, size_t>> split;
        for (size_t k = where + 1; k < end; ++k) {
            if (w.isSymbol(k, u'('))
                ++level;
            else if (w.isSymbol(k, u')'))
                --level;
            else if (level == 0 && w.isWord(k, "between"))
                between = true;
            else if (level == 0 && w.isWord(k, "or"))
                anyOr = true;
            else if (level == 0 && w.isWord(k, "and")) {
                if (between) {
                    between = false;
                    continue;
                }
                split.push_back({termBegin, k});
                termBegin = k + 1;
            }
        }
        split.push_back({termBegin, end});
        terms = anyOr ? std::vector<std::pair<size_t, size_t>>{{where + 1, end}} : split;
    }

    std::vector<std::tuple<Node *, int, Node *>> outerEntries;   // entry, depth, its group
    collectOuter(root, 0, outerEntries);
    const auto range = [&](size_t a, size_t b) { return std::pair{w[a].begin, w[b - 1].end()}; };
    std::vector<std::pair<qsizetype, qsizetype>> rest;
    for (const auto &[a, b] : terms) {
        QSet<QString> named;
        for (size_t k = a; k < b; ++k) {
            if (!w.isWord(k))
                continue;
            // The owner of "owner.table.column" names no table of the list.
            if (k + 3 < b && w.isSymbol(k + 1, u'.') && w.isSymbol(k + 3, u'.'))
                continue;
            const bool qualifier = k + 1 < b && w.isSymbol(k + 1, u'.');
            const bool qualified = k > a && w.isSymbol(k - 1, u'.');
            const bool call = k + 1 < b && w.isSymbol(k + 1, u'(');
            if (qualifier)
                named.insert(w.lower(k));
            else if (!qualified && !call)
                for (const QString &owner : owners.value(w.lower(k)))
                    named.insert(owner);
        }
        bool subordinate = false;
        for (const Placed &p : tables)
            subordinate = subordinate || (!p.outers.empty() && named.contains(p.table->name));
        if (!subordinate) {
            rest.push_back(range(a, b));
            continue;
        }
        // The innermost outer entry whose join may name all these tables.
        Node *target = nullptr;
        int targetDepth = -1;
        for (const auto &[entry, entryDepth, group] : outerEntries) {
            const QSet<QString> inside = namesIn(*entry);
            if (!named.intersects(inside))
                continue;
            const QSet<QString> allowed = inside + plainNamesOf(*group);
            bool fits = true;
            for (const QString &n : named)
                fits = fits && allowed.contains(n);
            if (fits && entryDepth > targetDepth) {
                target = entry;
                targetDepth = entryDepth;
            }
        }
        if (!target)
            throw StatementError(InformixCode::TwoSidedOuterJoin, w[a].begin);
        // Moving a parameter marker would change the markers' order.
        for (size_t k = a; k < b; ++k)
            if (w.isSymbol(k, u'?'))
                return std::nullopt;
        target->on.push_back(range(a, b));
    }
    for (const auto &[entry, entryDepth, group] : outerEntries)
        if (entry->on.empty())
            throw StatementError(InformixCode::OuterCartesianProduct, entry->at);

    SqlRewriter out(sql);
    out.copy(0, w[from].end());
    out.replace(w[from].end(), u" "_s);
    render(out, root);
    for (size_t r = 0; r < rest.size(); ++r) {
        out.replace(rest[r].first, r == 0 ? u" where "_s : u" and "_s);
        out.copy(rest[r].first, rest[r].second - rest[r].first);
    }
    if (end < w.size()) {
        out.replace(w[end].begin, u" "_s);
        out.copy(w[end].begin, sql.size() - w[end].begin);
    }
    return out.finish();
}

} // namespace

std::optional<RewrittenSql> rewriteOuterJoins(QStringView sql, const SchemaLookup &schema)
{
    // Each SELECT of a UNION on its own.
    const StatementTokens w(sql);
    std::vector<qsizetype> starts{0};
    int depth = 0;
    for (size_t i = 0; i < w.size(); ++i) {
        if (w.isSymbol(i, u'('))
            ++depth;
        else if (w.isSymbol(i, u')'))
            --depth;
        else if (depth == 0 && w.isWord(i, "union")) {
            size_t next = i + 1;
            if (w.isWord(next, "all"))
                ++next;
            if (next < w.size())
                starts.push_back(w[next].begin);
        }
    }
    if (starts.size() == 1)
        return rewriteSelect(sql, schema);
    SqlRewriter out(sql);
    bool any = false;
    qsizetype copied = 0;
    for (size_t p = 0; p < starts.size(); ++p) {
        const qsizetype begin = starts[p];
        // A part ends where the next part's UNION starts.
        qsizetype end = sql.size();
        if (p + 1 < starts.size())
            for (size_t k = 0; k < w.size(); ++k)
                if (w[k].begin >= begin && w[k].begin < starts[p + 1] && w.isWord(k, "union")) {
                    end = w[k].begin;
                    break;
                }
        std::optional<RewrittenSql> part;
        try {
            part = rewriteSelect(sql.mid(begin, end - begin), schema);
        } catch (const StatementError &e) {
            throw StatementError(e.nativeCode(), begin + e.at());
        }
        if (!part)
            continue;
        any = true;
        out.copy(copied, begin - copied);
        out.append(*part, begin);
        copied = end;
    }
    if (!any)
        return std::nullopt;
    out.copy(copied, sql.size() - copied);
    return out.finish();
}

} // namespace quoll::connection::embedded
