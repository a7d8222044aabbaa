// Quoting SQL as program source and back: unquoting the quoted text gives
// each line back without its blanks (spaces and control characters) on
// both sides.
#include "fuzzcheck.h"

#include "workspace/quoting.h"

#include <QString>
#include <QStringList>

using namespace Qt::Literals::StringLiterals;

using namespace quoll::workspace;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const QStringList lines = quotingLines(text);
    const std::optional<QString> quoted = addQuotes(text);
    FUZZ_CHECK(quoted.has_value() == !lines.isEmpty());
    if (!quoted)
        return 0;
    const std::optional<QString> back = deleteQuotes(*quoted);
    FUZZ_CHECK(back.has_value());
    const auto blank = [](QChar c) { return c.unicode() <= 0x20; };
    QStringList expected;
    for (QString line : lines) {
        while (!line.isEmpty() && blank(line.front()))
            line.remove(0, 1);
        while (!line.isEmpty() && blank(line.back()))
            line.chop(1);
        expected.append(line);
    }
    QStringList got = back->split(u"\r\n"_s);
    FUZZ_CHECK(!got.isEmpty() && got.back().isEmpty());   // every line ends with CR LF
    got.removeLast();
    FUZZ_CHECK(got == expected);
    // Any text at all unquotes without failing.
    (void)deleteQuotes(text);
    return 0;
}
