// The name filter: any typed text gives either nothing or one condition
// " and (... or ...)" with a MATCHES for each piece.
#include "fuzzcheck.h"

#include "catalog/namefilter.h"

#include <QString>

using namespace Qt::Literals::StringLiterals;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString condition = quoll::catalog::nameFilterCondition(text, u"tabname"_s);
    if (condition.isEmpty())
        return 0;
    FUZZ_CHECK(condition.startsWith(u" and ("_s) && condition.endsWith(u')'));
    FUZZ_CHECK(condition.count(u"tabname matches "_s) >= 1);
    return 0;
}
