// The files' text encodings: any bytes decode, and encoding the text in the
// encoding it was read in gives the same bytes back.
#include "fuzzcheck.h"

#include "core/textcodec.h"

#include <QByteArray>
#include <QStringDecoder>

using namespace quoll;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const DecodedText decoded = decodeText(bytes);
    // A byte-order mark says UTF-8 whatever follows; bytes after it that are
    // no UTF-8 cannot come back. Every other file comes back byte for byte.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString asUtf8 = utf8.decode(bytes);   // decoding happens on conversion
    if (!(decoded.hadByteOrderMark && utf8.hasError()))
        FUZZ_CHECK(encodeText(decoded.text, decoded.encoding, decoded.hadByteOrderMark) == bytes);
    // Windows-1251 both ways, from any bytes.
    const QString cyrillic = decodeWindows1251(bytes);
    const std::optional<QByteArray> back = encodeWindows1251(cyrillic);
    FUZZ_CHECK(back && *back == bytes);
    QByteArray appended;
    if (appendWindows1251(appended, bytes))
        FUZZ_CHECK(decodeWindows1251(appended) == QString::fromUtf8(bytes));
    FUZZ_CHECK(fitsWindows1251(cyrillic));
    return 0;
}
