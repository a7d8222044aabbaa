#include "connection/odbc/connectionstring.h"

#include <QRegularExpression>
#include <QStringList>

using namespace Qt::Literals::StringLiterals;

namespace quoll::connection::odbc {

namespace {
const QString Mask = u"********"_s;
} // namespace

QString connectionValue(const QString &value)
{
    static const QRegularExpression special(u"[;{}=\\[\\](),?*!@]|^\\s|\\s$"_s);
    if (!value.contains(special))
        return value;
    QString inner = value;
    inner.replace(u'}', u"}}"_s);
    return u'{' + inner + u'}';
}

QString informixConnectionString(const QString &driver, const OdbcServer &server, const OdbcLogin &login)
{
    QStringList parts;
    // A registered name always goes in braces: the usual names hold blanks
    // and parentheses.
    const bool isPath = driver.contains(u'/');
    QString braced = driver;
    braced.replace(u'}', u"}}"_s);
    parts.append(u"DRIVER="_s + (isPath ? connectionValue(driver) : u'{' + braced + u'}'));
    const auto add = [&parts](const QString &key, const QString &value) {
        if (!value.isEmpty())
            parts.append(key + u'=' + connectionValue(value));
    };
    add(u"SERVER"_s, server.name);
    add(u"HOST"_s, server.host);
    add(u"SERVICE"_s, server.service);
    add(u"PROTOCOL"_s, server.protocol);
    add(u"DATABASE"_s, login.database);
    if (!login.user.isEmpty()) {
        parts.append(u"UID="_s + connectionValue(login.user));
        parts.append(u"PWD="_s + connectionValue(login.password));
    }
    return parts.join(u';');
}

QString scrubbed(const QString &text, const QString &password)
{
    QString result = text;
    if (!password.isEmpty())
        result.replace(password, Mask);
    static const QRegularExpression pwd(u"(PWD\\s*=\\s*)(\\{(?:[^}]|\\}\\})*\\}|[^;]*)"_s,
                                        QRegularExpression::CaseInsensitiveOption);
    result.replace(pwd, u"\\1"_s + Mask);
    return result;
}

} // namespace quoll::connection::odbc
