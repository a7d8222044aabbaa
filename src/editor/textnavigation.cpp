#include "editor/textnavigation.h"

#include "editor/sqlhighlighter.h"
#include "editor/sqlscanner.h"

#include <QTextBlock>
#include <QTextDocument>

namespace quoll::editor {

std::optional<int> nextWordStart(QStringView line, int column)
{
    const int length = int(line.size());
    int i = std::clamp(column, 0, length);
    while (i < length && isWordChar(line[i]))
        ++i;
    while (i < length && !isWordChar(line[i]))
        ++i;
    if (i < length)
        return i;
    return column < length ? std::optional<int>(length) : std::nullopt;
}

std::optional<int> previousWordStart(QStringView line, int column)
{
    int i = std::clamp(column, 0, int(line.size()));
    if (i == 0)
        return std::nullopt;
    while (i > 0 && !isWordChar(line[i - 1]))
        --i;
    while (i > 0 && isWordChar(line[i - 1]))
        --i;
    return i;
}

int visualColumn(QStringView line, int index, int tabWidth)
{
    int column = 0;
    for (int i = 0; i < index && i < line.size(); ++i)
        column = line[i] == u'\t' ? (column / tabWidth + 1) * tabWidth : column + 1;
    return column + std::max(0, index - int(line.size()));
}

int indexAtColumn(QStringView line, int column, int tabWidth)
{
    int visual = 0;
    for (int i = 0; i < line.size(); ++i) {
        if (visual >= column)
            return i;
        visual = line[i] == u'\t' ? (visual / tabWidth + 1) * tabWidth : visual + 1;
    }
    return int(line.size());
}

namespace {

constexpr QStringView Openers = u"([{";
constexpr QStringView Closers = u")]}";

// The bracket symbols of one line with the line's start state, as
// (column, character) in line order.
std::vector<std::pair<int, QChar>> bracketsOf(const QTextBlock &block)
{
    std::vector<std::pair<int, QChar>> brackets;
    const QString text = block.text();
    for (const Token &token : scanLine(text, SqlHighlighter::stateBefore(block)).tokens) {
        if (token.kind != TokenKind::Symbol || token.length != 1)
            continue;
        const QChar c = text[token.start];
        if (Openers.contains(c) || Closers.contains(c))
            brackets.emplace_back(token.start, c);
    }
    return brackets;
}

std::optional<int> searchFrom(const QTextBlock &start, int column, QChar bracket)
{
    const bool forward = Openers.contains(bracket);
    const QChar partner = forward ? Closers[Openers.indexOf(bracket)] : Openers[Closers.indexOf(bracket)];
    int depth = 0;
    for (QTextBlock block = start; block.isValid(); block = forward ? block.next() : block.previous()) {
        auto brackets = bracketsOf(block);
        if (!forward)
            std::reverse(brackets.begin(), brackets.end());
        for (const auto &[at, c] : brackets) {
            if (block == start && (forward ? at <= column : at >= column))
                continue;
            if (c == bracket)
                ++depth;
            else if (c == partner && depth-- == 0)
                return block.position() + at;
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<int> matchingBracket(const QTextDocument &document, int position)
{
    const QTextBlock block = document.findBlock(position);
    if (!block.isValid())
        return std::nullopt;
    const int column = position - block.position();
    const auto brackets = bracketsOf(block);
    for (int candidate : {column, column - 1}) {
        for (const auto &[at, c] : brackets)
            if (at == candidate)
                return searchFrom(block, at, c);
    }
    return std::nullopt;
}

} // namespace quoll::editor
