#pragma once

#include <QStringView>

#include <optional>

class QTextDocument;

namespace quoll::editor {

// Word-wise caret moves within one line, words being runs of word
// characters (digits, ASCII letters, "_"). Columns count characters from 0.

// The start of the next word after `column`, or nothing when the line has
// no further word (the caret then goes to the next line).
std::optional<int> nextWordStart(QStringView line, int column);
// The start of the word before `column`, or nothing when there is none
// (the caret then goes to the end of the previous line).
std::optional<int> previousWordStart(QStringView line, int column);

// The visual column of character `index`, tabs advancing to the next
// multiple of `tabWidth`.
int visualColumn(QStringView line, int index, int tabWidth);
// The character index at visual column `column` (the line's length when the
// line is shorter).
int indexAtColumn(QStringView line, int column, int tabWidth);

// The position of the bracket that matches the one at `position` (or, when
// that is no bracket, the one just before it), skipping brackets inside
// strings and comments; nothing when there is no bracket or no match.
std::optional<int> matchingBracket(const QTextDocument &document, int position);

} // namespace quoll::editor
