#include "catalog/catalogqueries.h"

using namespace Qt::Literals::StringLiterals;

namespace quoll::catalog {

QString tableListQuery(const QString &condition)
{
    return QString::fromLatin1(CatalogQuery::TableListHead) + condition + u" order by 1"_s;
}

QString procListQuery(const QString &serverMajorVersion, const QString &condition)
{
    const QString head = serverMajorVersion == u"9"_s
                             ? u"select procname, owner, procid, mode, isproc from sysprocedures WHERE 1=1 "_s
                             : u"select procname, owner, procid, mode from sysprocedures WHERE 1=1 "_s;
    return head + condition + u" order by 1"_s;
}

} // namespace quoll::catalog
