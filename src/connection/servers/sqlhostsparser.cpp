#include "connection/servers/sqlhostsparser.h"

#include <QRegularExpression>
#include <QSet>

using namespace Qt::Literals::StringLiterals;

namespace quoll::connection::servers {

namespace {
constexpr qsizetype MaxNameLength = 128;

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}
} // namespace

bool isServerName(const QString &name)
{
    if (name.isEmpty() || name.size() > MaxNameLength || !isAsciiLetter(name[0]))
        return false;
    for (QChar c : name) {
        if (!isAsciiLetter(c) && !(c >= u'0' && c <= u'9') && c != u'_' && c != u'.')
            return false;
    }
    return true;
}

QList<std::pair<QString, QString>> parseSqlhostsOptions(const QString &field)
{
    QList<std::pair<QString, QString>> options;
    const auto add = [&options](QStringView item) {
        if (item.isEmpty())
            return;
        const qsizetype eq = item.indexOf(u'=');
        if (eq < 0)
            options.append({item.toString(), QString()});
        else
            options.append({item.left(eq).toString(), item.mid(eq + 1).toString()});
    };
    int depth = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i < field.size(); ++i) {
        const QChar c = field[i];
        if (c == u'(')
            ++depth;
        else if (c == u')' && depth > 0)
            --depth;
        else if (c == u',' && depth == 0) {
            add(QStringView(field).mid(start, i - start));
            start = i + 1;
        }
    }
    add(QStringView(field).mid(start));
    return options;
}

QList<ServerEntry> parseSqlhosts(const QString &text)
{
    static const QRegularExpression blanks(u"[ \\t]+"_s);
    QList<ServerEntry> entries;
    QSet<QString> seen;
    for (QStringView line : QStringView(text).split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.startsWith(QChar(0xFEFF)))
            line = line.mid(1);
        const qsizetype hash = line.indexOf(u'#');
        if (hash >= 0)
            line.truncate(hash);
        const QStringList fields = line.toString().split(blanks, Qt::SkipEmptyParts);
        if (fields.size() < 4 || fields.size() > 5 || !isServerName(fields[0]))
            continue;
        const QString key = fields[0].toLower();
        if (seen.contains(key))
            continue;
        seen.insert(key);
        ServerEntry entry;
        entry.name = fields[0];
        entry.backend = ServerBackend::Odbc;
        entry.nettype = fields[1];
        entry.hostname = fields[2];
        entry.servicename = fields[3];
        if (fields.size() == 5)
            entry.options = parseSqlhostsOptions(fields[4]);
        entries.append(entry);
    }
    return entries;
}

} // namespace quoll::connection::servers
