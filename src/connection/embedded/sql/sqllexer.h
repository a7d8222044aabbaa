#pragma once

#include <QString>
#include <QStringView>

#include <vector>

namespace quoll::connection::embedded {

// One token of an Informix SQL statement, as a range of the statement text.
struct SqlToken
{
    enum class Kind {
        Word,          // identifier or keyword
        Number,
        String,        // '...'
        QuotedString,  // "..." (a string, not an identifier, in Informix)
        Space,
        LineComment,   // -- to the end of the line
        BraceComment,  // { ... }
        BlockComment,  // /* ... */
        Symbol,        // punctuation and operators, one character each
    };

    Kind kind;
    qsizetype begin;
    qsizetype length;
    bool terminated = true;   // false for a string or comment that runs to the end

    qsizetype end() const { return begin + length; }
    bool isBlank() const { return kind == Kind::Space || kind == Kind::LineComment
                                  || kind == Kind::BraceComment || kind == Kind::BlockComment; }
};

// Splits `sql` into tokens covering every character.
std::vector<SqlToken> tokenize(QStringView sql);

// The token's text, and its text in lower case.
inline QStringView tokenText(QStringView sql, const SqlToken &t) { return sql.mid(t.begin, t.length); }
QString lowerWord(QStringView sql, const SqlToken &t);

// Whether the token is the word `w` in any case. The lengths are compared
// first: the case-insensitive comparison matches one character to one, and
// most words differ in length from the keyword they are tried against.
inline bool isKeyword(QStringView sql, const SqlToken &t, QLatin1StringView w)
{
    return t.kind == SqlToken::Kind::Word && t.length == w.size()
           && tokenText(sql, t).compare(w, Qt::CaseInsensitive) == 0;
}

// The value of a '...' or "..." string token, its doubled quotes undone.
QString stringValue(QStringView sql, const SqlToken &t);

} // namespace quoll::connection::embedded
