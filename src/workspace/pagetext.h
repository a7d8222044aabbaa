#pragma once

#include "core/textcodec.h"

#include <QByteArray>
#include <QString>

namespace quoll::workspace {

// How an editor page's text is kept in a file: its line ends and encoding,
// taken from the file it was last read from so that saving writes it back
// the same way.
struct PageTextFormat
{
    enum class LineEnd { CrLf, Lf };

    LineEnd lineEnd = LineEnd::CrLf;
    TextEncoding encoding = TextEncoding::Windows1251;
    bool byteOrderMark = false;
    bool fromFile = false;   // false: no file read yet, the encoding follows the text
};

struct PageText
{
    QString text;            // lines joined by "\n"
    PageTextFormat format;
};

// The lines of a file's bytes: line ends CR LF or LF (CR LF style as soon as
// one CR LF is met), the last line with or without one.
PageText decodePageText(const QByteArray &bytes);

// The file bytes of a text whose lines are joined by "\n": every line, the
// last one too, followed by the format's line end; an empty text gives an
// empty file. Text the format's encoding cannot hold is written as UTF-8,
// never replaced.
QByteArray encodePageText(const QString &text, const PageTextFormat &format);

} // namespace quoll::workspace
