#pragma once

#include "editor/sqltoken.h"

#include <QStringView>

#include <vector>

namespace quoll::editor {

// The scanner of the SQL highlighter: splits one line into tokens, knowing
// only the state the previous line left open (block comment or single-quoted
// string), and tells the state this line leaves for the next. Pure: the same
// line and state always give the same tokens.
struct ScanResult
{
    std::vector<Token> tokens;
    LineState state = LineState::None;
};

ScanResult scanLine(QStringView line, LineState state);

// The same into a caller's vector (cleared first), for the highlighter's
// inner loop.
LineState scanLine(QStringView line, LineState state, std::vector<Token> &tokens);

// Characters that continue an identifier, a keyword or a variable.
bool isIdentifierChar(QChar c);

// Characters that make up a word for word-wise editing: digits, ASCII
// letters and the underscore.
bool isWordChar(QChar c);

} // namespace quoll::editor
