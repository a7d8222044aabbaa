#include "workspace/pagetext.h"

namespace quoll::workspace {

PageText decodePageText(const QByteArray &bytes)
{
    DecodedText decoded = decodeText(bytes);
    PageText page;
    page.format.encoding = decoded.encoding;
    page.format.byteOrderMark = decoded.hadByteOrderMark;
    page.format.fromFile = true;
    QString &text = decoded.text;
    if (text.contains(u'\r')) {
        page.format.lineEnd = PageTextFormat::LineEnd::CrLf;
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    } else {
        page.format.lineEnd = PageTextFormat::LineEnd::Lf;
    }
    // The line end of the last line ends it; it does not begin another.
    if (text.endsWith(u'\n'))
        text.chop(1);
    page.text = std::move(text);
    return page;
}

QByteArray encodePageText(const QString &text, const PageTextFormat &format)
{
    if (text.isEmpty())
        return {};
    const QLatin1String lineEnd(format.lineEnd == PageTextFormat::LineEnd::Lf ? "\n" : "\r\n");
    QString lines = text;
    if (format.lineEnd == PageTextFormat::LineEnd::CrLf)
        lines.replace(u'\n', lineEnd);
    lines += lineEnd;

    TextEncoding encoding = format.fromFile ? format.encoding : encodingFor(lines);
    if (encoding == TextEncoding::Windows1251 && !fitsWindows1251(lines))
        encoding = TextEncoding::Utf8;
    return encodeText(lines, encoding, format.byteOrderMark && encoding == TextEncoding::Utf8);
}

} // namespace quoll::workspace
