#pragma once

#include <QString>
#include <QStringView>

#include <optional>
#include <vector>

namespace quoll::workspace {

// One statement cut out of a script: its text exactly as it stands in the
// script (leading blanks, comments and the closing semicolon included) and
// the 1-based editor position of its first character.
struct ScriptStatement
{
    QStringView text;
    int start = 0;
};

// Cuts a script into statements at semicolons, except where a semicolon
// stands in a comment ("--" to the end of the line, "{...}", "/*...*/"), in a
// quoted string, or in the body of a procedure or function that the script
// creates (up to the semicolon after "end procedure" / "end function").
// A semicolon with no word before it in its statement does not cut, and text
// after the last cut that holds no word is not a statement.
//
// In the editor's text every line ends with CR LF, and a "--" comment runs
// to the next CR LF. Text read from a file or a pipe may end its lines with
// LF alone (or CR alone): split it with LineBreaks::Any, which ends the
// comment at any of them, so that no statement on a later line is lost.
//
// Statements are handed out one at a time, so a caller that stops early
// never scans the rest, and none of the text is copied: the views point into
// the script, which must outlive the splitter.
class ScriptSplitter
{
public:
    // Where a "--" comment ends: at CR LF only (the editor's text), or at
    // CR LF, LF or CR (text from files and pipes).
    enum class LineBreaks { CrLf, Any };

    // `offset` is the 0-based editor position of the script's first character.
    explicit ScriptSplitter(QStringView script, int offset = 0, LineBreaks lineBreaks = LineBreaks::CrLf);

    std::optional<ScriptStatement> next();

    // Every statement of a script at once.
    static std::vector<ScriptStatement> split(QStringView script, int offset = 0,
                                              LineBreaks lineBreaks = LineBreaks::CrLf);

private:
    void take();
    QChar at(qsizetype index) const { return m_text[index]; }
    void takeLineComment();
    void takeUntil(QStringView terminator);
    void takeWord();
    void reset();

    QStringView m_text;
    int m_offset;
    LineBreaks m_lineBreaks;
    qsizetype m_pos = 0;      // index of the character looked at next
    bool m_atEnd = false;
    qsizetype m_begin = 0;    // index where the current statement begins
    int m_words = 0;
    int m_lastEnd = 0;
    int m_lastCreate = 0;
    bool m_dbaAfterCreate = false;
    bool m_funcOpen = false;
    bool m_funcClosed = false;
    bool m_procOpen = false;
    bool m_procClosed = false;
};

} // namespace quoll::workspace
