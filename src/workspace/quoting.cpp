#include "workspace/quoting.h"

#include <array>

using namespace Qt::Literals::StringLiterals;

namespace quoll::workspace {

namespace {

// Blanks here are every character up to code 32.
QString trimmed(const QString &s)
{
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && s[begin].unicode() <= 32)
        ++begin;
    while (end > begin && s[end - 1].unicode() <= 32)
        --end;
    return s.mid(begin, end - begin);
}

std::optional<QString> joined(const QStringList &lines)
{
    if (lines.isEmpty())
        return std::nullopt;
    QString out;
    for (const QString &line : lines)
        out += line + u"\r\n"_s;
    return out;
}

constexpr std::array FrontMarks{u"+'", u"+ '", u"+  '", u"'"};
constexpr std::array BackMarks{u"'+", u"' +", u"'  +", u"'"};

} // namespace

QStringList quotingLines(const QString &text)
{
    qsizetype end = text.indexOf(QChar(u'\0'));
    if (end < 0)
        end = text.size();
    QStringList lines;
    qsizetype begin = 0;
    for (qsizetype i = 0; i < end; ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(begin, i - begin));
        if (c == u'\r' && i + 1 < end && text[i + 1] == u'\n')
            ++i;
        begin = i + 1;
    }
    if (begin < end)
        lines.append(text.mid(begin, end - begin));
    return lines;
}

std::optional<QString> addQuotes(const QString &text)
{
    QStringList lines = quotingLines(text);
    for (QString &line : lines)
        line = u'\'' + line + u" '+"_s;
    return joined(lines);
}

QString unquotedLine(const QString &line)
{
    QString s = trimmed(line);
    if (s.size() < 2)
        return s;
    for (const char16_t *mark : FrontMarks) {
        if (s.startsWith(QStringView(mark))) {
            s.remove(0, QStringView(mark).size());
            break;
        }
    }
    for (const char16_t *mark : BackMarks) {
        if (s.endsWith(QStringView(mark))) {
            s.chop(QStringView(mark).size());
            break;
        }
    }
    return trimmed(s);
}

std::optional<QString> deleteQuotes(const QString &text)
{
    QStringList lines = quotingLines(text);
    for (QString &line : lines)
        line = unquotedLine(line);
    return joined(lines);
}

} // namespace quoll::workspace
