#include "catalog/proclistreader.h"

#include "catalog/catalogqueries.h"
#include "connection/engine/query.h"

namespace quoll::catalog {

namespace {

char16_t firstCharacter(const QString &text)
{
    return text.isEmpty() ? u' ' : text.at(0).unicode();
}

} // namespace

ProcInfoList readProcList(connection::Database &database, const QString &serverMajorVersion, const QString &condition)
{
    connection::Query qProc(database, procListQuery(serverMajorVersion, condition), false);
    const bool withIsproc = serverMajorVersion == QLatin1String("9");
    ProcInfoList records;
    qProc.open();
    for (; !qProc.atEnd(); qProc.next()) {
        ProcInfo info;
        info.name = qProc.text(0).left(ProcInfo::MaxName);
        // A CHAR column comes blank-padded.
        QString owner = qProc.text(1);
        while (owner.endsWith(u' '))
            owner.chop(1);
        info.owner = owner.left(ProcInfo::MaxOwner);
        info.procid = qProc.text(2).toInt();
        info.mode = firstCharacter(qProc.text(3));
        info.isproc = !withIsproc || qProc.text(4) == QLatin1String("t");
        records.push_back(std::move(info));
    }
    qProc.close();
    return records;
}

} // namespace quoll::catalog
