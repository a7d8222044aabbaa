#pragma once

#include <cstdint>

namespace quoll::editor {

// What a piece of a line is, as far as colouring goes.
enum class TokenKind : std::uint8_t {
    Comment,
    ReservedWord,
    Identifier,
    Unknown,     // a character the scanner does not recognise; shown like an identifier
    Number,
    String,
    Symbol,
    Variable,
    Space,
};

// What a line leaves open for the next one. The values are stored as the
// block state of the text document, so they must stay stable and >= 0.
enum class LineState : std::uint8_t {
    None = 0,
    BlockComment = 1,
    SingleQuoteString = 2,
};

// One token of a line: `start` and `length` in characters of that line.
struct Token
{
    int start = 0;
    int length = 0;
    TokenKind kind = TokenKind::Space;

    friend bool operator==(const Token &, const Token &) = default;
};

} // namespace quoll::editor
