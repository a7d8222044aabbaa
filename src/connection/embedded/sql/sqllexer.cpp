#include "connection/embedded/sql/sqllexer.h"

namespace quoll::connection::embedded {

namespace {

bool isWordStart(QChar c)
{
    return c.isLetter() || c == u'_';
}

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'$';
}

} // namespace

std::vector<SqlToken> tokenize(QStringView sql)
{
    std::vector<SqlToken> tokens;
    const qsizetype n = sql.size();
    // About one token in four characters; growing the vector step by step
    // showed in the time of every statement.
    tokens.reserve(size_t(n / 4 + 4));
    qsizetype i = 0;
    const auto push = [&](SqlToken::Kind kind, qsizetype end, bool terminated = true) {
        tokens.push_back({kind, i, end - i, terminated});
        i = end;
    };
    while (i < n) {
        const QChar c = sql[i];
        const QChar next = i + 1 < n ? sql[i + 1] : QChar();
        if (c.isSpace()) {
            qsizetype end = i + 1;
            while (end < n && sql[end].isSpace())
                ++end;
            push(SqlToken::Kind::Space, end);
        } else if (c == u'-' && next == u'-') {
            const qsizetype nl = sql.indexOf(u'\n', i + 2);
            push(SqlToken::Kind::LineComment, nl < 0 ? n : nl);
        } else if (c == u'{') {
            const qsizetype close = sql.indexOf(u'}', i + 1);
            push(SqlToken::Kind::BraceComment, close < 0 ? n : close + 1, close >= 0);
        } else if (c == u'/' && next == u'*') {
            const qsizetype close = sql.indexOf(u"*/", i + 2);
            push(SqlToken::Kind::BlockComment, close < 0 ? n : close + 2, close >= 0);
        } else if (c == u'\'' || c == u'"') {
            // A doubled quote inside the string stands for one quote.
            qsizetype end = i + 1;
            bool closed = false;
            while (end < n) {
                if (sql[end] == c) {
                    if (end + 1 < n && sql[end + 1] == c) {
                        end += 2;
                        continue;
                    }
                    closed = true;
                    ++end;
                    break;
                }
                ++end;
            }
            push(c == u'\'' ? SqlToken::Kind::String : SqlToken::Kind::QuotedString, end, closed);
        } else if (c.isDigit() || (c == u'.' && next.isDigit())) {
            qsizetype end = i + 1;
            while (end < n && (sql[end].isDigit() || sql[end] == u'.'))
                ++end;
            if (end < n && (sql[end] == u'e' || sql[end] == u'E')) {
                qsizetype e = end + 1;
                if (e < n && (sql[e] == u'+' || sql[e] == u'-'))
                    ++e;
                if (e < n && sql[e].isDigit()) {
                    end = e;
                    while (end < n && sql[end].isDigit())
                        ++end;
                }
            }
            push(SqlToken::Kind::Number, end);
        } else if (isWordStart(c)) {
            qsizetype end = i + 1;
            while (end < n && isWordChar(sql[end]))
                ++end;
            push(SqlToken::Kind::Word, end);
        } else {
            push(SqlToken::Kind::Symbol, i + 1);
        }
    }
    return tokens;
}

QString lowerWord(QStringView sql, const SqlToken &t)
{
    return tokenText(sql, t).toString().toLower();
}

QString stringValue(QStringView sql, const SqlToken &t)
{
    const QChar quote = sql[t.begin];
    QStringView body = sql.mid(t.begin + 1, t.length - (t.terminated ? 2 : 1));
    QString value = body.toString();
    value.replace(QString(2, quote), QString(quote));
    return value;
}

} // namespace quoll::connection::embedded
