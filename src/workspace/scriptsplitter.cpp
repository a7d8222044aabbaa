#include "workspace/scriptsplitter.h"

using namespace Qt::Literals::StringLiterals;

namespace quoll::workspace {

namespace {

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isWordChar(QChar c)
{
    return isAsciiLetter(c) || (c >= u'0' && c <= u'9') || c == u'_';
}

} // namespace

ScriptSplitter::ScriptSplitter(QStringView script, int offset, LineBreaks lineBreaks)
    : m_text(script), m_offset(offset), m_lineBreaks(lineBreaks), m_atEnd(script.isEmpty())
{
}

std::vector<ScriptStatement> ScriptSplitter::split(QStringView script, int offset, LineBreaks lineBreaks)
{
    std::vector<ScriptStatement> result;
    ScriptSplitter splitter(script, offset, lineBreaks);
    while (auto statement = splitter.next())
        result.push_back(*statement);
    return result;
}

// Appends the current character to the statement; every character is taken
// exactly once, and nothing after the last one.
void ScriptSplitter::take()
{
    if (m_atEnd)
        return;
    if (m_pos + 1 < m_text.size())
        ++m_pos;
    else
        m_atEnd = true;
}

void ScriptSplitter::reset()
{
    m_words = 0;
    m_lastEnd = 0;
    m_lastCreate = 0;
    m_dbaAfterCreate = false;
    m_funcOpen = m_funcClosed = m_procOpen = m_procClosed = false;
}

// "--" runs to the next CR LF; in the editor's text a lone LF does not end
// it. With any line break, it ends at the first LF, or at a CR that no LF
// follows; the line break belongs to the comment.
void ScriptSplitter::takeLineComment()
{
    take();
    take();
    while (!m_atEnd) {
        const QChar c = at(m_pos);
        if (m_lineBreaks == LineBreaks::Any) {
            const bool crBeforeLf = c == u'\r' && m_pos + 1 < m_text.size() && at(m_pos + 1) == u'\n';
            if (c == u'\n' || (c == u'\r' && !crBeforeLf)) {
                take();
                return;
            }
        } else if (m_pos > 0 && at(m_pos - 1) == u'\r' && c == u'\n') {
            take();
            return;
        }
        take();
    }
}

// Takes the opening characters already looked at, then everything up to and
// including `terminator`, or to the end of the text.
void ScriptSplitter::takeUntil(QStringView terminator)
{
    const qsizetype found = m_text.indexOf(terminator, m_pos);
    const qsizetype last = found < 0 ? m_text.size() - 1 : found + terminator.size() - 1;
    while (!m_atEnd && m_pos <= last) {
        const bool wasLast = m_pos == last;
        take();
        if (wasLast)
            break;
    }
}

void ScriptSplitter::takeWord()
{
    const qsizetype first = m_pos;
    take();
    while (!m_atEnd && isWordChar(at(m_pos)))
        take();
    const qsizetype end = m_atEnd && isWordChar(at(m_pos)) ? m_pos + 1 : m_pos;
    // Compared in place: a copy of every word of a long script showed in
    // its time.
    const QStringView word = m_text.mid(first, end - first);
    const auto is = [&word](QLatin1StringView w) { return word.compare(w, Qt::CaseInsensitive) == 0; };

    ++m_words;
    if (is("end"_L1)) {
        m_lastEnd = m_words;
    } else if (is("create"_L1)) {
        m_lastCreate = m_words;
    } else if (is("dba"_L1)) {
        m_dbaAfterCreate = m_lastCreate == 1 && m_words == 2;
    } else if (const bool function = is("function"_L1); function || is("procedure"_L1)) {
        bool &open = function ? m_funcOpen : m_procOpen;
        bool &closed = function ? m_funcClosed : m_procClosed;
        // Only CREATE [DBA] PROCEDURE opens a body: the word elsewhere in a
        // statement that began with CREATE (a trigger's EXECUTE PROCEDURE)
        // would keep every later semicolon from cutting.
        if (m_lastCreate == 1 && (m_words == 2 || (m_words == 3 && m_dbaAfterCreate))) {
            m_lastCreate = 0;
            open = true;
        }
        if (m_lastEnd > 0 && m_lastEnd == m_words - 1) {
            m_lastEnd = 0;
            closed = true;
        }
    }
}

std::optional<ScriptStatement> ScriptSplitter::next()
{
    while (!m_atEnd) {
        const QChar c = at(m_pos);
        const bool hasNext = m_pos + 1 < m_text.size();
        if (c == u'-' && hasNext && at(m_pos + 1) == u'-') {
            takeLineComment();
        } else if (c == u'{') {
            take();
            takeUntil(u"}");
        } else if (c == u'/' && hasNext && at(m_pos + 1) == u'*') {
            take();
            take();
            takeUntil(u"*/");
        } else if (c == u'\'' || c == u'"') {
            take();
            takeUntil(QStringView(&c, 1));
        } else if (isAsciiLetter(c)) {
            takeWord();
        } else if (c == u';' && m_words > 0 && m_funcOpen == m_funcClosed && m_procOpen == m_procClosed) {
            const qsizetype begin = m_begin;
            const qsizetype end = m_pos + 1;
            take();
            ScriptStatement statement{m_text.mid(begin, end - begin), m_offset + int(begin) + 1};
            m_begin = end;
            reset();
            return statement;
        } else {
            take();
        }
    }
    if (m_words > 0) {
        ScriptStatement statement{m_text.mid(m_begin), m_offset + int(m_begin) + 1};
        m_words = 0;
        m_begin = m_text.size();
        return statement;
    }
    return std::nullopt;
}

} // namespace quoll::workspace
