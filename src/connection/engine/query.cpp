#include "connection/engine/query.h"

#include "connection/engine/database.h"
#include "connection/engine/engineerror.h"

using namespace Qt::Literals::StringLiterals;

namespace quoll::connection {

namespace {

bool isNameStart(QChar c)
{
    return c.isLetter() || c == u'_';
}

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_';
}

// Index of the end of the comment or string that begins at `i`, or -1 when
// none begins there.
qsizetype skipQuotedOrComment(const QString &sql, qsizetype i)
{
    const QChar c = sql[i];
    const QChar next = i + 1 < sql.size() ? sql[i + 1] : QChar();
    qsizetype end = -1;
    if (c == u'\'' || c == u'"') {
        end = sql.indexOf(c, i + 1);
    } else if (c == u'-' && next == u'-') {
        end = sql.indexOf(u'\n', i + 2);
    } else if (c == u'{') {
        end = sql.indexOf(u'}', i + 1);
    } else if (c == u'/' && next == u'*') {
        end = sql.indexOf(u"*/"_s, i + 2);
        if (end >= 0)
            ++end;
    } else {
        return -1;
    }
    return end < 0 ? sql.size() - 1 : end;
}

} // namespace

Query::Query(Database &database, const QString &sql, bool parseParameters)
    : m_database(database), m_parse(parseParameters)
{
    setText(sql);
}

Query::~Query() = default;

QString Query::positionalText(const QString &sql, QStringList *names)
{
    QString out;
    out.reserve(sql.size());
    for (qsizetype i = 0; i < sql.size(); ++i) {
        const qsizetype skipped = skipQuotedOrComment(sql, i);
        if (skipped >= 0) {
            out += QStringView(sql).mid(i, skipped - i + 1);
            i = skipped;
            continue;
        }
        if (sql[i] == u':' && i + 1 < sql.size() && isNameStart(sql[i + 1])) {
            qsizetype end = i + 1;
            while (end < sql.size() && isNameChar(sql[end]))
                ++end;
            if (names)
                names->append(sql.mid(i + 1, end - i - 1).toLower());
            out += u'?';
            i = end - 1;
            continue;
        }
        out += sql[i];
    }
    return out;
}

void Query::setText(const QString &sql)
{
    close();
    unprepare();
    m_sql = sql;
    m_names.clear();
    m_positional = m_parse ? positionalText(sql, &m_names) : sql;
}

void Query::setParseParameters(bool on)
{
    m_parse = on;
    setText(m_sql);
}

void Query::setParameter(const QString &name, const QVariant &value)
{
    m_values.insert(name.toLower(), value);
}

void Query::prepare()
{
    if (!m_statement)
        m_statement = m_database.engine().prepare(m_positional);
}

void Query::unprepare()
{
    close();
    m_statement.reset();
}

void Query::bindAll()
{
    for (int i = 0; i < m_names.size(); ++i) {
        const auto found = m_values.constFind(m_names[i]);
        if (found == m_values.cend())
            throw EngineError(0, u"The query parameter :%1 has no value."_s.arg(m_names[i]));
        m_statement->bind(i, *found);
    }
}

void Query::open()
{
    close();
    prepare();
    bindAll();
    m_cursor = m_statement->execute();
    m_open = true;
    m_atEnd = true;
    if (m_cursor) {
        m_row.reset(int(m_cursor->fields().size()));
        readRow();
    }
}

void Query::execute()
{
    close();
    prepare();
    bindAll();
    m_statement->execute();
}

void Query::close()
{
    m_cursor.reset();
    m_open = false;
    m_atEnd = true;
}

void Query::readRow()
{
    m_row.reset(m_row.fieldCount());
    m_row.beginRow();
    const bool got = m_cursor->fetch(m_row);
    if (got)
        m_row.endRow();
    m_atEnd = !got;
}

void Query::next()
{
    if (m_open && m_cursor && !m_atEnd)
        readRow();
}

const QList<FieldDesc> &Query::fields() const
{
    static const QList<FieldDesc> none;
    return m_cursor ? m_cursor->fields() : none;
}

bool Query::isNull(int field) const
{
    return m_atEnd || m_row.isNull(0, field);
}

QString Query::text(int field) const
{
    return m_atEnd ? QString() : m_row.text(0, field);
}

} // namespace quoll::connection
