// The sqlhosts reader: any text gives entries that are servers (a server
// name, the four fields), no name twice.
#include "fuzzcheck.h"

#include "connection/servers/sqlhostsparser.h"

#include <QSet>
#include <QString>

using namespace quoll::connection::servers;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    QSet<QString> names;
    for (const ServerEntry &entry : parseSqlhosts(text)) {
        FUZZ_CHECK(isServerName(entry.name));
        FUZZ_CHECK(!entry.nettype.isEmpty() && !entry.hostname.isEmpty() && !entry.servicename.isEmpty());
        FUZZ_CHECK(!names.contains(entry.name.toLower()));
        names.insert(entry.name.toLower());
    }
    // Options: every comma outside parentheses separates two of them.
    int commas = 0, depth = 0;
    for (QChar c : text) {
        depth += c == u'(' ? 1 : c == u')' && depth > 0 ? -1 : 0;
        commas += c == u',' && depth == 0;
    }
    FUZZ_CHECK(parseSqlhostsOptions(text).size() <= commas + 1);
    return 0;
}
