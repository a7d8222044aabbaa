#include "connection/embedded/ddlparser.h"

#include "connection/embedded/sqllexer.h"

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

// The names inside "( a, b )" starting at `i` (at the opening parenthesis).
QStringList nameList(QStringView sql, const std::vector<SqlToken> &w, size_t &i)
{
    QStringList names;
    if (i >= w.size() || !isSymbol(sql, w[i], u'('))
        return names;
    for (++i; i < w.size() && !isSymbol(sql, w[i], u')'); ++i)
        if (w[i].kind == SqlToken::Kind::Word)
            names.append(tokenText(sql, w[i]).toString().toLower());
    ++i;
    return names;
}

void readColumn(QStringView sql, const std::vector<SqlToken> &w, size_t begin, size_t end, CreateTable &table)
{
    if (begin >= end)
        return;
    const SqlToken &first = w[begin];
    if (isWord(sql, first, QLatin1String("primary")) || isWord(sql, first, QLatin1String("unique"))
        || isWord(sql, first, QLatin1String("distinct")) || isWord(sql, first, QLatin1String("foreign"))
        || isWord(sql, first, QLatin1String("check")) || isWord(sql, first, QLatin1String("constraint"))) {
        // A table constraint; the primary key's columns matter for NOT NULL.
        for (size_t i = begin; i + 1 < end; ++i) {
            if (isWord(sql, w[i], QLatin1String("primary")) && isWord(sql, w[i + 1], QLatin1String("key"))) {
                size_t j = i + 2;
                table.primaryKey = nameList(sql, w, j);
                break;
            }
        }
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
    for (; i < end; ++i) {
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
            continue;
        }
        if (isWord(sql, w[i], QLatin1String("not")) && i + 1 < end && isWord(sql, w[i + 1], QLatin1String("null")))
            column.notNull = true;
        else if (isWord(sql, w[i], QLatin1String("primary")))
            column.primaryKey = true;
        else if (isWord(sql, w[i], QLatin1String("unique")) || isWord(sql, w[i], QLatin1String("distinct")))
            column.unique = true;
    }
    table.columns.push_back(column);
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
    for (ColumnDefinition &c : table.columns)
        if (table.primaryKey.contains(c.name))
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
