#include "editor/sqlscanner.h"

#include "editor/sqlkeywords.h"

#include <array>
#include <string_view>

namespace quoll::editor {

namespace {

// What the first character of a token makes of it.
enum class Lead : std::uint8_t {
    Symbol,       // one character, or a longer operator from the operator table
    Space,
    LineFeed,
    Return,
    Word,
    Digit,
    Quote,
    DoubleQuote,
    Minus,        // a comment when doubled
    Slash,        // a block comment before '*'
    At,
    Unknown,
};

constexpr std::array<Lead, 128> leadTable = [] {
    std::array<Lead, 128> t{};
    t.fill(Lead::Symbol);
    // NUL inside a line (the text is not NUL-terminated here) is just an
    // unknown character; the remaining control codes are blanks.
    t[0] = Lead::Unknown;
    for (int c = 1; c <= 32; ++c)
        t[size_t(c)] = Lead::Space;
    t[10] = Lead::LineFeed;
    t[13] = Lead::Return;
    for (int c = 'a'; c <= 'z'; ++c)
        t[size_t(c)] = Lead::Word;
    for (int c = 'A'; c <= 'Z'; ++c)
        t[size_t(c)] = Lead::Word;
    t['_'] = Lead::Word;
    for (int c = '0'; c <= '9'; ++c)
        t[size_t(c)] = Lead::Digit;
    t['\''] = Lead::Quote;
    t['"'] = Lead::DoubleQuote;
    t['-'] = Lead::Minus;
    t['/'] = Lead::Slash;
    t['@'] = Lead::At;
    for (char c : {'#', '$', '\\', '`'})
        t[size_t(c)] = Lead::Unknown;
    t[127] = Lead::Unknown;
    return t;
}();

Lead leadOf(char16_t c)
{
    return c < 128 ? leadTable[c] : Lead::Unknown;
}

// Operators longer than one character, longest first for each lead.
struct Operator
{
    char16_t lead;
    std::array<std::u16string_view, 3> longer;
};

constexpr std::array<Operator, 11> operatorTable{{
    {u'<', {u"<<=", u"<=", u"<<"}},
    {u'=', {u"==", u"=>"}},
    {u'>', {u">=", u">>"}},
    {u'!', {u"!="}},
    {u'%', {u"%="}},
    {u'*', {u"*="}},
    {u'^', {u"^="}},
    {u'&', {u"&&", u"&="}},
    {u'+', {u"++", u"+="}},
    {u'|', {u"||", u"|="}},
    {u'/', {u"/="}},
}};

int symbolLength(QStringView line, int at)
{
    const char16_t lead = line[at].unicode();
    for (const Operator &op : operatorTable) {
        if (op.lead != lead)
            continue;
        for (std::u16string_view candidate : op.longer) {
            if (candidate.empty())
                continue;
            const QStringView text(candidate.data(), qsizetype(candidate.size()));
            if (line.sliced(at).startsWith(text))
                return int(candidate.size());
        }
        break;
    }
    return 1;
}

class LineScanner
{
public:
    LineScanner(QStringView line, std::vector<Token> &tokens) : m_line(line), m_tokens(tokens) {}

    LineState run(LineState state)
    {
        int at = 0;
        if (state == LineState::BlockComment)
            at = blockCommentFrom(0, 0, state);
        else if (state == LineState::SingleQuoteString)
            at = singleQuoteFrom(0, 0, state);
        while (at < size())
            at = token(at, state);
        return state;
    }

private:
    int size() const { return int(m_line.size()); }
    char16_t at(int i) const { return i < size() ? m_line[i].unicode() : u'\0'; }
    bool atEnd(int i) const { return i >= size(); }

    int add(int start, int end, TokenKind kind)
    {
        if (end > start)
            m_tokens.push_back({start, end - start, kind});
        return end;
    }

    int runOf(int from, bool (*accept)(char16_t)) const
    {
        while (!atEnd(from) && accept(at(from)))
            ++from;
        return from;
    }

    static bool isBlank(char16_t c) { return c >= 1 && c <= 32 && c != u'\r' && c != u'\n'; }
    static bool isIdent(char16_t c) { return isIdentifierChar(QChar(c)); }
    static bool isNumberChar(char16_t c) { return (c >= u'0' && c <= u'9') || c == u'-' || c == u'.'; }

    int token(int start, LineState &state)
    {
        switch (leadOf(at(start))) {
        case Lead::Space:
            return add(start, runOf(start, isBlank), TokenKind::Space);
        case Lead::LineFeed:
            return add(start, start + 1, TokenKind::Space);
        case Lead::Return:
            return add(start, at(start + 1) == u'\n' ? start + 2 : start + 1, TokenKind::Space);
        case Lead::Word: {
            const int end = runOf(start + 1, isIdent);
            const bool reserved = isReservedWord(m_line.sliced(start, end - start));
            return add(start, end, reserved ? TokenKind::ReservedWord : TokenKind::Identifier);
        }
        case Lead::Digit:
            return add(start, numberEnd(start), TokenKind::Number);
        case Lead::Quote:
            return singleQuoteFrom(start, start + 1, state);
        case Lead::DoubleQuote:
            return add(start, doubleQuoteEnd(start), TokenKind::String);
        case Lead::Minus:
            if (at(start + 1) == u'-')
                return add(start, size(), TokenKind::Comment);
            break;
        case Lead::Slash:
            if (at(start + 1) == u'*')
                return blockCommentFrom(start, start + 1, state);
            break;
        case Lead::At:
            return add(start, runOf(start + 1, isIdent), TokenKind::Variable);
        case Lead::Unknown:
            return add(start, start + 1, TokenKind::Unknown);
        case Lead::Symbol:
            break;
        }
        return add(start, start + symbolLength(m_line, start), TokenKind::Symbol);
    }

    // Digits, '-' and '.', stopping before two dots in a row.
    int numberEnd(int start) const
    {
        int end = start + 1;
        while (!atEnd(end) && isNumberChar(at(end)) && !(at(end) == u'.' && at(end + 1) == u'.'))
            ++end;
        return end;
    }

    // Runs to the first quote from `searchFrom` (included); without one, to
    // the line's end with the string left open.
    int singleQuoteFrom(int start, int searchFrom, LineState &state)
    {
        const qsizetype quote = m_line.indexOf(u'\'', searchFrom);
        if (quote < 0) {
            state = LineState::SingleQuoteString;
            return add(start, size(), TokenKind::String);
        }
        state = LineState::None;
        return add(start, int(quote) + 1, TokenKind::String);
    }

    // A doubled quote or a backslash before a quote keeps the string going;
    // the line's end closes it.
    int doubleQuoteEnd(int start) const
    {
        int i = start + 1;
        while (!atEnd(i)) {
            const char16_t c = at(i);
            if (c == u'"') {
                if (at(i + 1) != u'"')
                    return i + 1;
                i += 2;
            } else if (c == u'\\' && at(i + 1) == u'"') {
                i += 2;
            } else {
                ++i;
            }
        }
        return size();
    }

    // Runs to the first "*/" found from `searchFrom` (included); without one,
    // to the line's end with the comment left open.
    int blockCommentFrom(int start, int searchFrom, LineState &state)
    {
        const qsizetype close = m_line.indexOf(u"*/", searchFrom);
        if (close < 0) {
            state = LineState::BlockComment;
            return add(start, size(), TokenKind::Comment);
        }
        state = LineState::None;
        return add(start, int(close) + 2, TokenKind::Comment);
    }

    QStringView m_line;
    std::vector<Token> &m_tokens;
};

} // namespace

LineState scanLine(QStringView line, LineState state, std::vector<Token> &tokens)
{
    tokens.clear();
    return LineScanner(line, tokens).run(state);
}

ScanResult scanLine(QStringView line, LineState state)
{
    ScanResult result;
    result.state = scanLine(line, state, result.tokens);
    return result;
}

bool isIdentifierChar(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9') || u == u'_'
        || u == u'#' || u == u'$';
}

bool isWordChar(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9') || u == u'_';
}

} // namespace quoll::editor
