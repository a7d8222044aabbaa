#include "core/textcodec.h"

#include <QStringDecoder>

#include <array>

namespace quoll {

namespace {

// The characters of bytes 0x80 to 0xFF in Windows-1251. The code page
// leaves 0x98 unassigned; it is read as U+0098 and written back as 0x98,
// so that every byte of a file survives a read and a write.
constexpr std::array<char16_t, 128> UpperHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,   // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,   // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,   // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,   // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,   // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,   // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,   // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,   // B8
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,   // C0
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,   // C8
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,   // D0
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,   // D8
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,   // E0
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,   // E8
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,   // F0
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,   // F8
};

// The byte of a character beyond ASCII, or 0 when the code page has none.
class ByteTable
{
public:
    ByteTable()
    {
        m_bytes.fill(0);
        for (size_t i = 0; i < UpperHalf.size(); ++i)
            m_bytes[UpperHalf[i]] = static_cast<unsigned char>(0x80 + i);
    }
    unsigned char byteOf(char16_t c) const { return m_bytes[c]; }

private:
    std::array<unsigned char, 0x10000> m_bytes;
};

const ByteTable &byteTable()
{
    static const ByteTable table;
    return table;
}

bool hasNonAscii(const QByteArray &bytes)
{
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return true;
    return false;
}

} // namespace

QString decodeWindows1251(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        out[i] = QChar(byte < 0x80 ? char16_t(byte) : UpperHalf[byte - 0x80]);
    }
    return text;
}

std::optional<QByteArray> encodeWindows1251(QStringView text)
{
    const ByteTable &table = byteTable();
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char *out = bytes.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80) {
            out[i] = char(c);
            continue;
        }
        const unsigned char byte = table.byteOf(c);
        if (byte == 0)
            return std::nullopt;
        out[i] = char(byte);
    }
    return bytes;
}

unsigned char windows1251Byte(char32_t c)
{
    if (c < 0x80)
        return static_cast<unsigned char>(c);
    return c < 0x10000 ? byteTable().byteOf(char16_t(c)) : 0;
}

bool appendWindows1251(QByteArray &out, QByteArrayView utf8)
{
    const qsizetype start = out.size();
    const auto *p = reinterpret_cast<const unsigned char *>(utf8.data());
    const auto *end = p + utf8.size();
    // Runs of ASCII go over at once.
    while (p < end) {
        const auto *run = p;
        while (p < end && *p < 0x80)
            ++p;
        if (p > run)
            out.append(reinterpret_cast<const char *>(run), p - run);
        if (p == end)
            break;
        char32_t c = 0;
        int more = 0;
        if ((*p & 0xE0) == 0xC0) {
            c = *p & 0x1F;
            more = 1;
        } else if ((*p & 0xF0) == 0xE0) {
            c = *p & 0x0F;
            more = 2;
        } else if ((*p & 0xF8) == 0xF0) {
            c = *p & 0x07;
            more = 3;
        } else {
            out.truncate(start);
            return false;
        }
        if (end - p <= more) {
            out.truncate(start);
            return false;
        }
        for (int i = 1; i <= more; ++i) {
            if ((p[i] & 0xC0) != 0x80) {
                out.truncate(start);
                return false;
            }
            c = (c << 6) | (p[i] & 0x3F);
        }
        p += more + 1;
        // Overlong forms, surrogates and values past U+10FFFF are no UTF-8.
        static constexpr char32_t least[] = {0, 0x80, 0x800, 0x10000};
        if (c < least[more] || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) {
            out.truncate(start);
            return false;
        }
        const unsigned char byte = windows1251Byte(c);
        if (byte == 0) {
            out.truncate(start);
            return false;
        }
        out.append(char(byte));
    }
    return true;
}

DecodedText decodeText(const QByteArray &bytes)
{
    DecodedText result;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        result.encoding = TextEncoding::Utf8;
        result.hadByteOrderMark = true;
        // The mark read is the file's; a second one is the text's own
        // character and stays (fromUtf8 would drop it).
        QStringDecoder utf8(QStringDecoder::Utf8,
                            QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
        result.text = utf8.decode(QByteArrayView(bytes).sliced(3));
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
    }
    result.text = decodeWindows1251(bytes);
    return result;
}

bool fitsWindows1251(const QString &text)
{
    const ByteTable &table = byteTable();
    for (const QChar c : text)
        if (c.unicode() >= 0x80 && table.byteOf(c.unicode()) == 0)
            return false;
    return true;
}

TextEncoding encodingFor(const QString &text)
{
    return fitsWindows1251(text) ? TextEncoding::Windows1251 : TextEncoding::Utf8;
}

QByteArray encodeText(const QString &text, TextEncoding encoding, bool byteOrderMark)
{
    if (encoding == TextEncoding::Utf8)
        return (byteOrderMark ? QByteArray("\xEF\xBB\xBF") : QByteArray()) + text.toUtf8();
    std::optional<QByteArray> bytes = encodeWindows1251(text);
    if (!bytes)
        return {};
    return bytes->isNull() ? QByteArray("") : *bytes;
}

} // namespace quoll
