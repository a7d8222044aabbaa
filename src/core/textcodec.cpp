#include "core/textcodec.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace quoll {

namespace {

bool hasNonAscii(const QByteArray &bytes)
{
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return true;
    return false;
}

} // namespace

DecodedText decodeText(const QByteArray &bytes)
{
    DecodedText result;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        result.encoding = TextEncoding::Utf8;
        result.hadByteOrderMark = true;
        result.text = QString::fromUtf8(bytes.constData() + 3, bytes.size() - 3);
        return result;
    }
    if (hasNonAscii(bytes)) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString text = utf8.decode(bytes);
        if (!utf8.hasError()) {
            result.encoding = TextEncoding::Utf8;
            result.text = std::move(text);
            return result;
        }
        QStringDecoder cp1251("windows-1251");
        result.text = cp1251.isValid() ? cp1251.decode(bytes) : QString::fromLatin1(bytes);
        return result;
    }
    result.text = QString::fromLatin1(bytes);
    return result;
}

bool fitsWindows1251(const QString &text)
{
    QStringEncoder cp1251("windows-1251");
    if (!cp1251.isValid())
        return false;
    const QByteArray bytes = cp1251.encode(text);
    return !cp1251.hasError();
}

TextEncoding encodingFor(const QString &text)
{
    return fitsWindows1251(text) ? TextEncoding::Windows1251 : TextEncoding::Utf8;
}

QByteArray encodeText(const QString &text, TextEncoding encoding, bool byteOrderMark)
{
    if (encoding == TextEncoding::Utf8)
        return (byteOrderMark ? QByteArray("\xEF\xBB\xBF") : QByteArray()) + text.toUtf8();
    QStringEncoder cp1251("windows-1251");
    if (!cp1251.isValid())
        return {};
    QByteArray bytes = cp1251.encode(text);
    if (cp1251.hasError())
        return {};
    return bytes.isNull() ? QByteArray("") : bytes;
}

} // namespace quoll
