#include "connection/odbc/odbcdiagnostics.h"

#include <sqlext.h>

namespace quoll::connection::odbc {

QString fromWide(const SQLWCHAR *text, int length)
{
    if (length < 0) {
        length = 0;
        while (text[length])
            ++length;
    }
    return QString::fromUtf16(reinterpret_cast<const char16_t *>(text), length);
}

QString plainMessage(const QString &message)
{
    qsizetype at = 0;
    while (at < message.size() && message[at] == u'[') {
        const qsizetype end = message.indexOf(u']', at);
        if (end < 0)
            break;
        at = end + 1;
    }
    return message.mid(at).trimmed();
}

std::vector<Diagnostic> readDiagnostics(SQLSMALLINT handleType, SQLHANDLE handle)
{
    std::vector<Diagnostic> records;
    if (!handle)
        return records;
    for (SQLSMALLINT record = 1; record < 32; ++record) {
        SQLWCHAR state[6] = {};
        SQLINTEGER native = 0;
        std::vector<SQLWCHAR> text(1024);
        SQLSMALLINT length = 0;
        SQLRETURN rc = SQLGetDiagRecW(handleType, handle, record, state, &native, text.data(),
                                      SQLSMALLINT(text.size()), &length);
        if (rc == SQL_SUCCESS_WITH_INFO && length >= SQLSMALLINT(text.size())) {
            text.resize(size_t(length) + 1);
            rc = SQLGetDiagRecW(handleType, handle, record, state, &native, text.data(),
                                SQLSMALLINT(text.size()), &length);
        }
        if (!SQL_SUCCEEDED(rc))
            break;
        Diagnostic d;
        d.state = fromWide(state, 5);
        d.nativeCode = int(native);
        d.message = plainMessage(fromWide(text.data(), std::min<int>(length, int(text.size()) - 1)));
        records.push_back(std::move(d));
    }
    return records;
}

} // namespace quoll::connection::odbc
