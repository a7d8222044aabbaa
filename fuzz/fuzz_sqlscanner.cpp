// The highlighter's scanner: the tokens of a line cover it exactly, in
// order, each at least one character; the same line and state give the same
// tokens; lines chain their states.
#include "fuzzcheck.h"

#include "editor/sqlscanner.h"

#include <QString>
#include <QStringList>

using namespace quoll::editor;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    LineState chained = LineState::None;
    for (const QString &line : text.split(u'\n')) {
        for (const LineState state : {LineState::None, LineState::BlockComment, LineState::SingleQuoteString}) {
            const ScanResult first = scanLine(line, state);
            int at = 0;
            for (const Token &t : first.tokens) {
                FUZZ_CHECK(t.start == at);
                FUZZ_CHECK(t.length > 0);
                at += t.length;
            }
            FUZZ_CHECK(at == line.size());
            std::vector<Token> again;
            FUZZ_CHECK(scanLine(line, state, again) == first.state);
            FUZZ_CHECK(again == first.tokens);
        }
        chained = scanLine(line, chained).state;
    }
    return 0;
}
