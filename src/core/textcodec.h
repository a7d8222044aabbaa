#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>

namespace quoll {

// The 8-bit text of the program's files. Reading: a UTF-8 byte-order mark,
// or bytes that are valid UTF-8 and hold a non-ASCII character, mean UTF-8;
// anything else is Windows-1251. Writing keeps the encoding a file was read
// in; new text is Windows-1251 when every character fits, else UTF-8.
enum class TextEncoding { Windows1251, Utf8 };

struct DecodedText
{
    QString text;
    TextEncoding encoding = TextEncoding::Windows1251;
    bool hadByteOrderMark = false;
};

DecodedText decodeText(const QByteArray &bytes);

// Windows-1251 in both directions, from the program's own table of the code
// page (so it works however the toolkit was built). Every byte decodes;
// encoding gives nothing when a character has no byte in the code page.
QString decodeWindows1251(QByteArrayView bytes);
std::optional<QByteArray> encodeWindows1251(QStringView text);
// Appends the Windows-1251 bytes of UTF-8 text to `out`; false (with `out`
// as it was) when a character has no byte in the code page. Invalid UTF-8
// counts as such a character.
bool appendWindows1251(QByteArray &out, QByteArrayView utf8);
// The Windows-1251 byte of a character, 0 when the code page has none
// (NUL itself is byte 0).
unsigned char windows1251Byte(char32_t c);

// Whether every character of `text` has a Windows-1251 byte.
bool fitsWindows1251(const QString &text);

// The encoding for text that has none yet.
TextEncoding encodingFor(const QString &text);

// Encodes `text`; a character that `encoding` cannot hold makes the result
// null (never a silent replacement).
QByteArray encodeText(const QString &text, TextEncoding encoding, bool byteOrderMark = false);

} // namespace quoll
