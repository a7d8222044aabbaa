// The script splitter: statements follow each other without a gap or an
// overlap (no character lost or sent twice), positions are their places,
// and both line-break modes hold that.
#include "fuzzcheck.h"

#include "workspace/scriptsplitter.h"

#include <QString>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString script = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    using quoll::workspace::ScriptSplitter;
    for (const auto breaks : {ScriptSplitter::LineBreaks::CrLf, ScriptSplitter::LineBreaks::Any}) {
        qsizetype at = 0;
        for (const auto &statement : ScriptSplitter::split(script, 7, breaks)) {
            const qsizetype begin = statement.text.data() - script.constData();
            FUZZ_CHECK(begin == at);
            FUZZ_CHECK(statement.start == 7 + begin + 1);
            FUZZ_CHECK(!statement.text.isEmpty());
            at = begin + statement.text.size();
            FUZZ_CHECK(at <= script.size());
        }
        // What is left holds no statement.
        FUZZ_CHECK(ScriptSplitter::split(QStringView(script).mid(at), 0, breaks).empty());
    }
    return 0;
}
